#include "toggle_switch.h"

#include <QPainter>

TSwitch::TSwitch(QWidget* parent) : QAbstractButton(parent) {
    setCheckable(true);
    setCursor(Qt::PointingHandCursor);
}

void TSwitch::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF track = QRectF(rect()).adjusted(1, 1, -1, -1);
    const qreal radius = track.height() / 2;
    const QPalette& colors = palette();
    painter.setPen(QPen(colors.color(QPalette::Dark), 1));
    painter.setBrush(isChecked() ? colors.color(QPalette::Highlight) : colors.color(QPalette::Button));
    painter.drawRoundedRect(track, radius, radius);
    // The knob's dark outline keeps it apart from the pale track when the switch is off.
    painter.setPen(QPen(colors.color(QPalette::Shadow), 1));

    const qreal inset = 3;
    const qreal diameter = track.height() - 2 * inset;
    const qreal left = isChecked() ? track.right() - inset - diameter : track.left() + inset;
    painter.setBrush(isEnabled() ? colors.color(QPalette::Base) : colors.color(QPalette::Mid));
    painter.drawEllipse(QRectF(left, track.top() + inset, diameter, diameter));
}
