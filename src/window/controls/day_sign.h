#pragma once
// TDaySign: the sign of a member's mark on a day cell, a letter in a small disc in the cell's top
// trailing corner, or inside a ring (calendar/mark_sign.h holds the rule for its colors and shape).
// It covers its cell and draws nothing but the sign, which sits above the day number, so the cell's
// fill and number stay as they are painted; it takes no pointer input. Without a letter it draws
// nothing.

#include "argb_color.h"

#include <QWidget>

class TDaySign : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString letter READ Letter WRITE SetLetter NOTIFY lookChanged)
    Q_PROPERTY(bool ring READ Ring WRITE SetRing NOTIFY lookChanged)
    Q_PROPERTY(quint32 inkColor READ InkColor WRITE SetInkColor NOTIFY lookChanged)
    Q_PROPERTY(quint32 letterColor READ LetterColor WRITE SetLetterColor NOTIFY lookChanged)

public:
    explicit TDaySign(QWidget* parent = nullptr);

    QString Letter() const { return letter_; }
    void SetLetter(const QString& letter);
    // A ring instead of a disc.
    bool Ring() const { return ring_; }
    void SetRing(bool ring);
    ArgbColor InkColor() const { return inkColor_; }
    void SetInkColor(ArgbColor color);
    ArgbColor LetterColor() const { return letterColor_; }
    void SetLetterColor(ArgbColor color);

    // The sign's square in a cell of `cell`, 0.15 of its side in from the top and the trailing edge:
    // above the day number (whose digits, 0.48 of the cell's height, begin about a third of the way
    // down), its side 0.26 of the cell's height and at most 0.45 of its width; or, in a cell wide for
    // its height, beside the number and up to 0.45 of the cell's height, whichever is larger.
    static QRectF SignRect(const QSizeF& cell, Qt::LayoutDirection direction);

signals:
    void lookChanged();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Changed();

    QString letter_;
    bool ring_ = false;
    ArgbColor inkColor_ = 0xFF000000;
    ArgbColor letterColor_ = 0xFFFFFFFF;
};
