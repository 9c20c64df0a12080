#pragma once
// TMainForm: the program's one window. Construction builds every control, shows the window once,
// runs the create handler and then the resize handling once more, before the event loop takes over.

#include "global_state.h"
#include "schedule/today_clock.h"

#include <QWidget>

class TMainForm : public QWidget {
    Q_OBJECT

public:
    // `clock` must outlive the window.
    explicit TMainForm(const TodayClock& clock, QWidget* parent = nullptr);

    const TGlobalState& State() const { return state_; }

private:
    void BuildComposition();
    void FormCreate();

    const TodayClock& clock_;
    TGlobalState state_;
};

// The main window of the running program; null before it is created.
extern TMainForm* MainForm;
