#include "button.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <QTimer>
#include <algorithm>

namespace {

constexpr qreal DisabledGlyphOpacity = 0.4;
constexpr qreal OutlineOpacity = 0.5;
constexpr qreal OutlineRadius = 4;

} // namespace

TButton::TButton(QWidget* parent) : QPushButton(parent), repeatTimer_(new QTimer(this)) {
    setAttribute(Qt::WA_Hover);
    setAutoDefault(false);
    repeatTimer_->setObjectName(QStringLiteral("repeatTimer"));
    repeatTimer_->setTimerType(Qt::PreciseTimer);
    connect(repeatTimer_, &QTimer::timeout, this, &TButton::RepeatTick);
}

void TButton::SetRepeatClick(bool on) {
    repeatClick_ = on;
    if (!on)
        StopRepeat();
}

void TButton::mousePressEvent(QMouseEvent* event) {
    QPushButton::mousePressEvent(event);
    // Qt's own auto-repeat stops while the pointer is off the button; this one follows the press.
    if (repeatClick_ && event->button() == Qt::LeftButton && isDown()) {
        held_ = true;
        repeating_ = false;
        repeatTimer_->start(RepeatDelayMs);
    }
}

void TButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        StopRepeat();
    // Clicks only when released over the button.
    QPushButton::mouseReleaseEvent(event);
}

void TButton::RepeatTick() {
    if (!held_) {
        StopRepeat();
        return;
    }
    if (!repeating_) {
        repeating_ = true;
        repeatTimer_->start(RepeatIntervalMs);
        return;
    }
    emit clicked(isChecked());
}

void TButton::StopRepeat() {
    held_ = false;
    repeating_ = false;
    repeatTimer_->stop();
}

void TButton::changeEvent(QEvent* event) {
    // A disabled button loses its press.
    if (event->type() == QEvent::EnabledChange && !isEnabled())
        StopRepeat();
    QPushButton::changeEvent(event);
}

void TButton::hideEvent(QHideEvent* event) {
    StopRepeat();
    QPushButton::hideEvent(event);
}

void TButton::SetLook(TButtonLook look) {
    if (look_ != look) {
        look_ = look;
        update();
        emit lookChanged();
    }
}

ArgbColor TButton::FontColorForState(TButtonState state) const {
    if (!ownFontColors_) {
        return palette().color(QPalette::ButtonText).rgba();
    }
    return fontColors_[static_cast<std::size_t>(state)];
}

void TButton::SetFontColorForState(TButtonState state, ArgbColor color) {
    if (!ownFontColors_) {
        // The other states keep the theme's color until they are set.
        fontColors_.fill(palette().color(QPalette::ButtonText).rgba());
        ownFontColors_ = true;
    } else if (fontColors_[static_cast<std::size_t>(state)] == color) {
        return;
    }
    fontColors_[static_cast<std::size_t>(state)] = color;
    update();
    emit lookChanged();
}

void TButton::SetFontColor(ArgbColor color) {
    for (TButtonState state :
         {TButtonState::Normal, TButtonState::Hot, TButtonState::Pressed, TButtonState::Focused}) {
        SetFontColorForState(state, color);
    }
}

TButtonState TButton::CurrentState() const {
    if (isDown()) {
        return TButtonState::Pressed;
    }
    if (underMouse() && isEnabled()) {
        return TButtonState::Hot;
    }
    if (hasFocus()) {
        return TButtonState::Focused;
    }
    return TButtonState::Normal;
}

void TButton::DrawGlyph(QPainter& painter, const QRectF& area, const QColor& color) const {
    // Drawn rather than taken from the style: no picture files to decode on the first frame, crisp
    // at every display scale, and in the button's font color.
    const qreal side = std::min(area.width(), area.height());
    const QRectF box(area.center() - QPointF(side / 2, side / 2), QSizeF(side, side));
    QPen pen(color, std::max(1.5, side / 9), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    const qreal inset = side * 0.2;
    const QRectF inner = box.adjusted(inset, inset, -inset, -inset);
    const qreal head = inner.width() * 0.4;
    switch (look_) {
    case TButtonLook::ArrowLeftTool:
    case TButtonLook::ArrowRightTool: {
        const bool left = look_ == TButtonLook::ArrowLeftTool;
        const QPointF tip(left ? inner.left() : inner.right(), inner.center().y());
        const QPointF tail(left ? inner.right() : inner.left(), inner.center().y());
        const qreal back = left ? head : -head;
        painter.drawLine(tail, tip);
        painter.drawPolyline(QPolygonF{tip + QPointF(back, -head), tip, tip + QPointF(back, head)});
        break;
    }
    case TButtonLook::RefreshTool: {
        // Most of a circle, its open end carrying an arrowhead.
        painter.drawArc(inner, 60 * 16, 300 * 16);
        const QPointF end(inner.center().x() + inner.width() / 2 * 0.5, inner.top() + inner.height() * 0.067);
        painter.drawPolyline(
            QPolygonF{end + QPointF(-head * 0.9, -head * 0.35), end, end + QPointF(-head * 0.2, head * 0.9)});
        break;
    }
    case TButtonLook::Push:
        break;
    }
}

void TButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    if (look_ == TButtonLook::Push) {
        QStyleOptionButton option;
        initStyleOption(&option);
        if (ownFontColors_) {
            option.palette.setColor(QPalette::ButtonText, ToQColor(CurrentFontColor()));
        }
        painter.drawControl(QStyle::CE_PushButton, option);
        return;
    }
    // No face from the style: a style's raised tool button is drawn in its own colors, which need
    // not suit the glyph's.
    QColor ink = ToQColor(CurrentFontColor());
    if (!isEnabled()) {
        ink.setAlphaF(ink.alphaF() * DisabledGlyphOpacity);
    } else if (isDown() || underMouse()) {
        QColor outline = ink;
        outline.setAlphaF(ink.alphaF() * OutlineOpacity);
        const qreal width = isDown() ? 2 : 1;
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(outline, width));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(QRectF(rect()).adjusted(width / 2, width / 2, -width / 2, -width / 2),
                                OutlineRadius, OutlineRadius);
    }
    DrawGlyph(painter, QRectF(rect()), ink);
}

void TButton::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
        event->ignore();
        return;
    default:
        QPushButton::keyPressEvent(event);
    }
}

bool TButton::event(QEvent* event) {
    switch (event->type()) {
    case QEvent::Enter:
    case QEvent::Leave:
    case QEvent::FocusIn:
    case QEvent::FocusOut:
        update();
        break;
    default:
        break;
    }
    return QPushButton::event(event);
}

TSpeedButton::TSpeedButton(QWidget* parent) : TButton(parent) {
    setFocusPolicy(Qt::NoFocus);
}
