#include "button.h"

#include <QKeyEvent>
#include <QStyleOptionButton>
#include <QStyleOptionToolButton>
#include <QStylePainter>
#include <algorithm>

TButton::TButton(QWidget* parent) : QPushButton(parent) {
    setAttribute(Qt::WA_Hover);
    setAutoDefault(false);
}

void TButton::SetLook(TButtonLook look) {
    if (look_ != look) {
        look_ = look;
        lookIconCurrent_ = false;
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

QIcon TButton::LookIcon() const {
    // The style decodes its icon files anew on each request; the icon keeps its own pixmap cache.
    if (!lookIconCurrent_) {
        lookIcon_ = QIcon();
        switch (look_) {
        case TButtonLook::ArrowLeftTool:
            lookIcon_ = style()->standardIcon(QStyle::SP_ArrowLeft, nullptr, this);
            break;
        case TButtonLook::ArrowRightTool:
            lookIcon_ = style()->standardIcon(QStyle::SP_ArrowRight, nullptr, this);
            break;
        case TButtonLook::RefreshTool:
            lookIcon_ = style()->standardIcon(QStyle::SP_BrowserReload, nullptr, this);
            break;
        case TButtonLook::Push:
            break;
        }
        lookIconCurrent_ = true;
    }
    return lookIcon_;
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
    QStyleOptionToolButton option;
    option.initFrom(this);
    option.subControls = QStyle::SC_ToolButton;
    option.activeSubControls = isDown() ? QStyle::SC_ToolButton : QStyle::SC_None;
    option.features = QStyleOptionToolButton::None;
    option.toolButtonStyle = Qt::ToolButtonIconOnly;
    option.icon = LookIcon();
    const int side = std::max(8, std::min(width(), height()) * 2 / 3);
    option.iconSize = QSize(side, side);
    option.state |= QStyle::State_AutoRaise;
    option.state |= isDown() ? QStyle::State_Sunken : QStyle::State_Raised;
    painter.drawComplexControl(QStyle::CC_ToolButton, option);
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
    case QEvent::StyleChange:
    case QEvent::ThemeChange:
        lookIconCurrent_ = false;
        break;
    default:
        break;
    }
    return QPushButton::event(event);
}

TSpeedButton::TSpeedButton(QWidget* parent) : TButton(parent) {
    setFocusPolicy(Qt::NoFocus);
}
