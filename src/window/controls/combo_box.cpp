#include "combo_box.h"

#include <QAbstractItemView>

void TComboBox::hidePopup() {
    // Qt calls this for every close of the list, after a chosen entry has become current, and also
    // whenever the box itself is hidden (a page change, the window closing): only an open list closes.
    const bool listOpen = view()->isVisible();
    QComboBox::hidePopup();
    if (listOpen)
        emit closePopup();
}
