#include "combo_box.h"

void TComboBox::hidePopup() {
    // Qt calls this for every close of the list, after a chosen entry has become current.
    QComboBox::hidePopup();
    emit closePopup();
}
