#pragma once
// TComboBox: a drop-down list that reports every close of its list, whether an entry was chosen or
// the list was dismissed. The choice, if any, is already the current index when closePopup() fires.

#include <QComboBox>

class TComboBox : public QComboBox {
    Q_OBJECT

public:
    explicit TComboBox(QWidget* parent = nullptr) : QComboBox(parent) {}

    void hidePopup() override;

signals:
    void closePopup();
};
