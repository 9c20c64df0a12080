#include "rectangle.h"

#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QPainter>
#include <QPointingDevice>
#include <QStyleHints>

namespace {

// Qt turns a touch that no control takes into mouse events from the touch screen.
bool FromTouchScreen(const QMouseEvent* event) {
    const QPointingDevice* device = event->pointingDevice();
    return device != nullptr && device->type() == QInputDevice::DeviceType::TouchScreen;
}

} // namespace

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
        if (FromTouchScreen(event) && HasContextPopup()) {
            holdPosition_ = event->globalPosition();
            holdTimer_.start(QGuiApplication::styleHints()->mousePressAndHoldInterval(), this);
        }
        event->accept();
        return;
    }
    QWidget::mousePressEvent(event);
}

void TRectangle::mouseMoveEvent(QMouseEvent* event) {
    // A finger that moves away is no hold; lifted on the rectangle it still clicks.
    if (holdTimer_.isActive() && (event->globalPosition() - holdPosition_).manhattanLength() >=
                                     QGuiApplication::styleHints()->startDragDistance())
        holdTimer_.stop();
    QWidget::mouseMoveEvent(event);
}

void TRectangle::mouseReleaseEvent(QMouseEvent* event) {
    holdTimer_.stop();
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

void TRectangle::contextMenuEvent(QContextMenuEvent* event) {
    if (event->reason() != QContextMenuEvent::Mouse || !HasContextPopup()) {
        QWidget::contextMenuEvent(event);
        return;
    }
    event->accept();
    emit contextPopup(event->globalPos());
}

void TRectangle::timerEvent(QTimerEvent* event) {
    if (event->timerId() != holdTimer_.timerId()) {
        QWidget::timerEvent(event);
        return;
    }
    holdTimer_.stop();
    // The hold took the press: lifting the finger clicks nothing.
    pressed_ = false;
    emit contextPopup(holdPosition_.toPoint());
}

bool TRectangle::HasContextPopup() const {
    static const QMetaMethod signal = QMetaMethod::fromSignal(&TRectangle::contextPopup);
    return isSignalConnected(signal);
}
