#include "rectangle.h"

#include <QMouseEvent>
#include <QPainter>

TRectangle::TRectangle(QWidget* parent) : QWidget(parent) {}

void TRectangle::SetFillColor(ArgbColor color) {
    if (fillColor_ != color) {
        fillColor_ = color;
        update();
        emit lookChanged();
    }
}

void TRectangle::SetStrokeColor(ArgbColor color) {
    if (strokeColor_ != color) {
        strokeColor_ = color;
        update();
        emit lookChanged();
    }
}

void TRectangle::SetStrokeThickness(qreal thickness) {
    if (strokeThickness_ != thickness) {
        strokeThickness_ = thickness;
        update();
        emit lookChanged();
    }
}

void TRectangle::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    // The border is drawn inside the rectangle so that neighbouring cells do not overdraw it.
    const qreal half = strokeThickness_ / 2;
    const QRectF inner = QRectF(rect()).adjusted(half, half, -half, -half);
    painter.fillRect(rect(), ToQColor(fillColor_));
    if (strokeThickness_ > 0) {
        painter.setPen(QPen(ToQColor(strokeColor_), strokeThickness_));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(inner);
    }
}

void TRectangle::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        pressed_ = true;
        event->accept();
        return;
    }
    QWidget::mousePressEvent(event);
}

void TRectangle::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && pressed_) {
        pressed_ = false;
        event->accept();
        if (rect().contains(event->position().toPoint())) {
            emit clicked();
        }
        return;
    }
    QWidget::mouseReleaseEvent(event);
}
