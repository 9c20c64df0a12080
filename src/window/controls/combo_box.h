#pragma once
// TComboBox: a drop-down list that reports every close of its list, whether an entry was chosen or
// the list was dismissed. closePopup() comes from the event loop right after the close, when the
// choice, if any, is the current index; hiding the box itself closes no list.

#include <QComboBox>

class TComboBox : public QComboBox {
    Q_OBJECT

public:
    explicit TComboBox(QWidget* parent = nullptr) : QComboBox(parent) {}

    void hidePopup() override;

signals:
    void closePopup();
};
