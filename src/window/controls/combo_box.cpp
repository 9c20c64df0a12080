#include "combo_box.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QProxyStyle>

// The application's style, except that it never asks for a menu-like popup, which would ignore the
// number of visible rows. A style hint rather than a style sheet: a style sheet would build and
// apply a style sheet style for the box and all its children, a good part of the window's start-up.
class TListPopupStyle final : public QProxyStyle {
public:
    // A style of its own kind: a proxy would take ownership of the application's style object.
    TListPopupStyle() : QProxyStyle(QApplication::style()->name()) {}

    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_ComboBox_Popup)
            return 0;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

TComboBox::TComboBox(QWidget* parent) : QComboBox(parent) {}

TComboBox::~TComboBox() {
    // The style object dies with this object; the base classes must not reach it.
    if (style_)
        setStyle(QApplication::style());
}

void TComboBox::UseListPopup() {
    listPopup_ = true;
}

void TComboBox::showPopup() {
    // The box draws the same with either style, and a change of style makes the box build its list
    // at once: so the style is set when the list is first needed.
    if (listPopup_ && !style_) {
        style_ = std::make_unique<TListPopupStyle>();
        setStyle(style_.get());
    }
    QComboBox::showPopup();
}

void TComboBox::hidePopup() {
    // Qt also calls this whenever the box itself is hidden (a page change, the window closing): only
    // an open list closes. A choice made in the list becomes current only after Qt has hidden it, so
    // the close is reported once the event that closed the list has been handled.
    const bool listOpen = view()->isVisible();
    QComboBox::hidePopup();
    if (listOpen)
        QMetaObject::invokeMethod(this, &TComboBox::closePopup, Qt::QueuedConnection);
}
