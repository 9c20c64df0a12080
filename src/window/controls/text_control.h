#pragma once
// Text-bearing controls that draw their own text: TTextElement (the day grid's number and corner
// texts) and TLabel (bars, headers and page labels). Both take:
// - text: a carriage return (alone or before a line feed) starts a new line;
// - text color (ARGB), font size in logical pixels (0 = the theme's size), font style as a whole
//   (bold, italic, underline, strike-out), alignment, word wrap;
// - margins: the space the control keeps free in its parent's dock layout.
// The font family is always the theme's.

#include "argb_color.h"
#include "tag.h"

#include <QFont>
#include <QMarginsF>
#include <QWidget>

enum class TFontStyle { Bold = 0x1, Italic = 0x2, Underline = 0x4, StrikeOut = 0x8 };
Q_DECLARE_FLAGS(TFontStyles, TFontStyle)
Q_DECLARE_OPERATORS_FOR_FLAGS(TFontStyles)

class TTextControl : public QWidget, public TTagged {
    Q_OBJECT
    Q_PROPERTY(QString text READ Text WRITE SetText NOTIFY textChanged)
    Q_PROPERTY(quint32 textColor READ TextColor WRITE SetTextColor NOTIFY lookChanged)
    Q_PROPERTY(qreal fontSize READ FontSize WRITE SetFontSize NOTIFY lookChanged)
    Q_PROPERTY(int fontStyle READ FontStyleValue WRITE SetFontStyleValue NOTIFY lookChanged)
    Q_PROPERTY(Qt::Alignment textAlignment READ TextAlignment WRITE SetTextAlignment NOTIFY lookChanged)
    Q_PROPERTY(bool wordWrap READ WordWrap WRITE SetWordWrap NOTIFY lookChanged)

public:
    QString Text() const { return text_; }
    void SetText(const QString& text);
    ArgbColor TextColor() const { return textColor_; }
    void SetTextColor(ArgbColor color);
    qreal FontSize() const { return fontSize_; }
    void SetFontSize(qreal size);
    TFontStyles FontStyle() const { return fontStyle_; }
    void SetFontStyle(TFontStyles style);
    Qt::Alignment TextAlignment() const { return alignment_; }
    void SetTextAlignment(Qt::Alignment alignment);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool wrap);
    QMarginsF Margins() const;
    void SetMargins(const QMarginsF& margins);

    // The font the text is drawn with.
    QFont EffectiveFont() const;
    // The text as drawn: carriage returns turned into line breaks.
    QString DisplayText() const;

signals:
    void textChanged();
    void lookChanged();

protected:
    TTextControl(QWidget* parent, Qt::Alignment alignment, bool wordWrap, bool shownOnlyWithText = false);
    void paintEvent(QPaintEvent* event) override;

private:
    int FontStyleValue() const { return static_cast<int>(fontStyle_); }
    void SetFontStyleValue(int value) { SetFontStyle(TFontStyles(value)); }
    void Changed();

    QString text_;
    ArgbColor textColor_ = 0xFF000000;
    qreal fontSize_ = 12;
    TFontStyles fontStyle_;
    Qt::Alignment alignment_;
    bool wordWrap_;
    bool shownOnlyWithText_;
};

// A text element: centred both ways and word-wrapped unless told otherwise. It is hidden while it has
// no text: an empty one draws nothing, and the day grid's 42 corner texts, empty as a rule, would
// otherwise each be polished, described to assistive technology and sent paint events for nothing.
class TTextElement : public TTextControl {
    Q_OBJECT

public:
    explicit TTextElement(QWidget* parent = nullptr);
};

// A label: leading and vertically centred, word-wrapped unless told otherwise.
class TLabel : public TTextControl {
    Q_OBJECT

public:
    explicit TLabel(QWidget* parent = nullptr);
};
