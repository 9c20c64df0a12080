#pragma once
// TMainForm: the program's one window. Construction builds every control, shows the window once at
// its stored client size of 330 x 567, runs the create handler and then the resize handling once
// more, before the event loop takes over.
//
// Every control is a public member named as in the window's design and carries the same name as its
// objectName; the day cells are the arrays gR, gT and gX (objectNames "gR00" to "gR41" and so on).

#include "controls/button.h"
#include "controls/picture.h"
#include "controls/rectangle.h"
#include "controls/tab_control.h"
#include "controls/text_control.h"
#include "controls/toggle_switch.h"
#include "global_state.h"
#include "schedule/today_clock.h"

#include <QWidget>
#include <array>

class QComboBox;
class QDateEdit;
class QLineEdit;

class TMainForm : public QWidget {
    Q_OBJECT

public:
    // The window's outer size limits, frame included.
    static constexpr QSize MinimumOuterSize{180, 320};
    static constexpr QSize MaximumOuterSize{480, 640};

    // `clock` must outlive the window.
    explicit TMainForm(const TodayClock& clock, QWidget* parent = nullptr);

    const TGlobalState& State() const { return state_; }

    // The window's resize handler: bar heights, grid item sizes and footer widths as fractions of the
    // window height and width, then the six font sizes.
    void FormResize();

    // Tab control and its pages, in tab order.
    TTabControl* tabCtrl = nullptr;
    QWidget* tabCalendar = nullptr;
    QWidget* tabSettings = nullptr;
    QWidget* tabHelp = nullptr;
    QWidget* tabAbout = nullptr;

    // Calendar page.
    QWidget* tbCalendar = nullptr;
    TRectangle* rectToolbar0 = nullptr;
    TLabel* lblToolbar0 = nullptr;
    QWidget* loMonthName = nullptr;
    TRectangle* rectMonthName = nullptr;
    TLabel* lblMonthName = nullptr;
    TButton* bPrev = nullptr;
    TButton* bNext = nullptr;
    QWidget* loCalendar = nullptr;
    TRectangle* rectCal = nullptr;
    QWidget* gloCal = nullptr;
    std::array<TRectangle*, GridCellCount> gR{};
    std::array<TTextElement*, GridCellCount> gT{};
    std::array<TTextElement*, GridCellCount> gX{};
    QWidget* loFooter = nullptr;
    TRectangle* rectFooter = nullptr;
    TLabel* lblStatus = nullptr;
    TButton* bToday = nullptr;
    QDateEdit* deDate = nullptr;
    QWidget* loDaysOfWeek = nullptr;
    TRectangle* rectDOW = nullptr;
    QWidget* gloDOW = nullptr;
    std::array<TLabel*, 7> lblDOW{}; // lblDOW1 to lblDOW7, Sunday first

    // Settings page.
    QWidget* tbSettings = nullptr;
    QComboBox* ccbColor = nullptr;
    TRectangle* rectToolbar1 = nullptr;
    TLabel* lblToolbar1 = nullptr;
    TSpeedButton* sbBack1 = nullptr;
    TButton* bSave = nullptr;
    TRectangle* rectSettings = nullptr;
    QWidget* loSettings = nullptr;
    TButton* bBkGr = nullptr;
    TButton* bLdTr = nullptr;
    TButton* bMulti = nullptr;
    TButton* bOff = nullptr;
    TButton* bWork = nullptr;
    QComboBox* cbPlt = nullptr;
    TLabel* lblPaydays = nullptr;
    TLabel* lblPlatoon = nullptr;
    TSwitch* swPaydays = nullptr;
    TSpeedButton* sbReset = nullptr;
    QLineEdit* edAgency = nullptr;
    TLabel* lblAgency = nullptr;

    // Help page.
    QWidget* tbHelp = nullptr;
    TRectangle* rectToolbar2 = nullptr;
    TLabel* lblToolbar2 = nullptr;
    TSpeedButton* sbBack2 = nullptr;
    TRectangle* rectHelp = nullptr;
    TPicture* ImgHelp = nullptr;

    // About page.
    QWidget* tbAbout = nullptr;
    TRectangle* rectToolbar3 = nullptr;
    TLabel* lblToolbar3 = nullptr;
    TSpeedButton* sbBack3 = nullptr;
    TRectangle* rectAbout = nullptr;
    TPicture* imgSextant = nullptr;
    QWidget* loAbout = nullptr;
    TLabel* lblAbout = nullptr;
    TSpeedButton* sbEmail = nullptr;
    TSpeedButton* sbTolmere = nullptr;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void BuildComposition();
    void BuildCalendarPage();
    void BuildDayGrid();
    void BuildSettingsPage();
    void BuildHelpPage();
    void BuildAboutPage();
    void ApplyWindowsView();
    void FormCreate();
    void ComputeFontSizes();
    // The limits apply to the outer size; the frame is known only once the window is shown.
    void UpdateSizeLimits();

    const TodayClock& clock_;
    TGlobalState state_;
    QSize frameExtra_{-1, -1};
};

// The main window of the running program; null before it is created.
extern TMainForm* MainForm;
