#include "day_sign.h"

#include "calendar/mark_sign.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace {

// Above the number: the number's digits begin about 0.32 of the cell's height down.
constexpr qreal HeightShare = 0.26;
constexpr qreal WidthShare = 0.45;
// Beside the number, in a cell wide for its height: two digits take up to 0.37 of the cell's height
// on each side of its middle, and a gap of 0.05 of it keeps the sign clear of them.
constexpr qreal NumberHalfWidthShare = 0.37 + 0.05;
constexpr qreal BesideShare = 0.45;
constexpr qreal InsetShare = 0.15;

} // namespace

TDaySign::TDaySign(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void TDaySign::SetLetter(const QString& letter) {
    if (letter_ != letter) {
        letter_ = letter;
        Changed();
    }
}

void TDaySign::SetRing(bool ring) {
    if (ring_ != ring) {
        ring_ = ring;
        Changed();
    }
}

void TDaySign::SetInkColor(ArgbColor color) {
    if (inkColor_ != color) {
        inkColor_ = color;
        Changed();
    }
}

void TDaySign::SetLetterColor(ArgbColor color) {
    if (letterColor_ != color) {
        letterColor_ = color;
        Changed();
    }
}

QRectF TDaySign::SignRect(const QSizeF& cell, Qt::LayoutDirection direction) {
    const qreal above = std::min(HeightShare * cell.height(), WidthShare * cell.width());
    const qreal beside =
        std::min(BesideShare * cell.height(),
                 (cell.width() / 2 - NumberHalfWidthShare * cell.height()) / (1 + InsetShare));
    const qreal side = std::max(above, beside);
    const qreal inset = InsetShare * side;
    const qreal left = direction == Qt::RightToLeft ? inset : cell.width() - inset - side;
    return QRectF(left, inset, side, side);
}

void TDaySign::paintEvent(QPaintEvent*) {
    if (letter_.isEmpty())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF square = SignRect(size(), layoutDirection());
    // A ring thinner than a pixel would hardly show on a small cell.
    const qreal ring = std::max<qreal>(1, MarkRingShare * square.width());
    const QRectF disc = square.adjusted(ring / 2, ring / 2, -ring / 2, -ring / 2);
    if (ring_) {
        painter.setPen(QPen(ToQColor(inkColor_), ring));
        painter.setBrush(Qt::NoBrush);
    } else {
        painter.setPen(Qt::NoPen);
        painter.setBrush(ToQColor(inkColor_));
    }
    painter.drawEllipse(disc);

    QFont letterFont = font();
    letterFont.setBold(true);
    letterFont.setPixelSize(std::max(1, static_cast<int>(std::lround(MarkLetterShare * square.height()))));
    const QFontMetricsF metrics(letterFont);
    painter.setFont(letterFont);
    painter.setPen(ToQColor(letterColor_));
    painter.drawText(QPointF(square.center().x() - metrics.horizontalAdvance(letter_) / 2,
                             square.center().y() + metrics.capHeight() / 2),
                     letter_);
}

void TDaySign::Changed() {
    update();
    emit lookChanged();
}
