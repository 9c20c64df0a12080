#include "text_control.h"

#include "dock_layout.h"

#include <QPainter>

TTextControl::TTextControl(QWidget* parent, Qt::Alignment alignment, bool wordWrap, bool shownOnlyWithText)
    : QWidget(parent), alignment_(alignment), wordWrap_(wordWrap), shownOnlyWithText_(shownOnlyWithText) {
    if (shownOnlyWithText_)
        setVisible(false);
}

void TTextControl::SetText(const QString& text) {
    if (text_ != text) {
        text_ = text;
        if (shownOnlyWithText_)
            setVisible(!text_.isEmpty());
        update();
        emit textChanged();
    }
}

void TTextControl::SetTextColor(ArgbColor color) {
    if (textColor_ != color) {
        textColor_ = color;
        Changed();
    }
}

void TTextControl::SetFontSize(qreal size) {
    if (fontSize_ != size) {
        fontSize_ = size;
        Changed();
    }
}

void TTextControl::SetFontStyle(TFontStyles style) {
    if (fontStyle_ != style) {
        fontStyle_ = style;
        Changed();
    }
}

void TTextControl::SetTextAlignment(Qt::Alignment alignment) {
    if (alignment_ != alignment) {
        alignment_ = alignment;
        Changed();
    }
}

void TTextControl::SetWordWrap(bool wrap) {
    if (wordWrap_ != wrap) {
        wordWrap_ = wrap;
        Changed();
    }
}

QMarginsF TTextControl::Margins() const {
    return DockMargins(this);
}

void TTextControl::SetMargins(const QMarginsF& margins) {
    SetDockMargins(this, margins);
}

QFont TTextControl::EffectiveFont() const {
    QFont result = font();
    if (fontSize_ > 0) {
        // Sizes are logical pixels (the layout was designed at 96 dpi, where a point of the original
        // design is a pixel). Qt's points scale with the screen's logical dpi, so convert with it;
        // points keep the fraction that a pixel size would round away.
        const int dpi = logicalDpiY() > 0 ? logicalDpiY() : 96;
        result.setPointSizeF(fontSize_ * 72.0 / dpi);
    }
    result.setBold(fontStyle_.testFlag(TFontStyle::Bold));
    result.setItalic(fontStyle_.testFlag(TFontStyle::Italic));
    result.setUnderline(fontStyle_.testFlag(TFontStyle::Underline));
    result.setStrikeOut(fontStyle_.testFlag(TFontStyle::StrikeOut));
    return result;
}

QString TTextControl::DisplayText() const {
    QString shown = text_;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

void TTextControl::paintEvent(QPaintEvent*) {
    if (text_.isEmpty()) {
        return;
    }
    QPainter painter(this);
    painter.setFont(EffectiveFont());
    painter.setPen(ToQColor(textColor_));
    const int flags = static_cast<int>(alignment_) | (wordWrap_ ? Qt::TextWordWrap : 0);
    painter.drawText(rect(), flags, DisplayText());
}

void TTextControl::Changed() {
    update();
    emit lookChanged();
}

TTextElement::TTextElement(QWidget* parent) : TTextControl(parent, Qt::AlignCenter, true, true) {}

TLabel::TLabel(QWidget* parent) : TTextControl(parent, Qt::AlignLeading | Qt::AlignVCenter, true) {}
