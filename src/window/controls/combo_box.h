#pragma once
// TComboBox: a drop-down list that reports every close of its list, whether an entry was chosen or
// the list was dismissed. closePopup() comes from the event loop right after the close, when the
// choice, if any, is the current index; hiding the box itself closes no list.
// UseListPopup() makes the list open in Qt's own scrolling list whatever the style's habit, so its
// number of visible rows holds in every style; it takes effect when the list first opens.

#include "tag.h"

#include <QComboBox>
#include <memory>

class TListPopupStyle;

class TComboBox : public QComboBox, public TTagged {
    Q_OBJECT

public:
    explicit TComboBox(QWidget* parent = nullptr);
    ~TComboBox() override;

    void UseListPopup();

    void showPopup() override;
    void hidePopup() override;

signals:
    void closePopup();

private:
    bool listPopup_ = false;
    std::unique_ptr<TListPopupStyle> style_;
};
