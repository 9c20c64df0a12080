#pragma once
// TSwitch: an on/off switch, a checkable button drawn as a track with a sliding thumb. Its
// isChecked() is the state that is read.

#include <QAbstractButton>

class TSwitch : public QAbstractButton {
    Q_OBJECT

public:
    explicit TSwitch(QWidget* parent = nullptr);

    QSize sizeHint() const override { return {44, 26}; }

protected:
    void paintEvent(QPaintEvent* event) override;
};
