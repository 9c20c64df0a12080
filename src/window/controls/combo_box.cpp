#include "combo_box.h"

#include <QAbstractItemView>

void TComboBox::hidePopup() {
    // Qt also calls this whenever the box itself is hidden (a page change, the window closing): only
    // an open list closes. A choice made in the list becomes current only after Qt has hidden it, so
    // the close is reported once the event that closed the list has been handled.
    const bool listOpen = view()->isVisible();
    QComboBox::hidePopup();
    if (listOpen)
        QMetaObject::invokeMethod(this, &TComboBox::closePopup, Qt::QueuedConnection);
}
