#pragma once
// TMainForm: the program's one window. Construction builds every control, runs the resize handling
// at the stored client size of 330 x 567 and then the create handler, and only then shows the
// window, at its saved size with everything in place; the resize handling runs once more before the
// event loop takes over.
//
// Every control is a public member named as in the window's design and carries the same name as its
// objectName; the day cells are the arrays gR, gT and gX (objectNames "gR00" to "gR41" and so on).
// Its colors follow the rule of window_colors.h: the window first makes the application's style and
// palette the program's own (UseWindowLook), whatever the desktop's.

#include "controls/accessible_controls.h"
#include "controls/button.h"
#include "controls/combo_box.h"
#include "controls/date_edit.h"
#include "controls/picture.h"
#include "controls/rectangle.h"
#include "controls/tab_control.h"
#include "controls/text_control.h"
#include "controls/toggle_switch.h"
#include "global_state.h"
#include "schedule/today_clock.h"

#include <QLocale>
#include <QWidget>
#include <array>
#include <filesystem>
#include <optional>

class QDateEdit;
class QGraphicsOpacityEffect;
class QLineEdit;

class TMainForm : public QWidget, public TDayCellDescriber {
    Q_OBJECT

public:
    // The window's outer size limits, frame included.
    static constexpr QSize MinimumOuterSize{180, 320};
    static constexpr QSize MaximumOuterSize{480, 640};

    // The outer size the window takes for `wanted` (within the size limits) on a screen whose
    // available area is `available`: cut to that area, but never below MinimumOuterSize, which wins
    // where even it does not fit.
    static QSize FitOuterSize(QSize wanted, QSize available);

    // `clock` must outlive the window. The settings folder is made under `settingsBase`; `locale`
    // gives the month and day names and the date formats.
    TMainForm(const TodayClock& clock, std::filesystem::path settingsBase, QLocale locale,
              QWidget* parent = nullptr);
    ~TMainForm() override;

    const TGlobalState& State() const { return state_; }

    // The window's resize handler: bar heights, grid item sizes and footer widths as fractions of the
    // window height and width, then the six font sizes.
    void FormResize();

    // Repaints every page from the global state; `date` is always CurrentDate.
    void RefreshAll(TDateTime date);
    void PaintToolbars();
    void PaintMonthName(TDateTime date);
    void PaintWeekdays();
    void PaintCalendar();
    void PaintFooter();
    void PaintSettingsPage();
    void PaintAboutPage();
    // What assistive technology reads of the day cells, renewed with every refresh: each cell's name
    // (the full date and its duty) and the selected cell.
    void DescribeCells();
    QString DayCellName(int cell) const override;
    bool DayCellSelected(int cell) const override;
    // The calendar title: the agency alone, or with " - " and the group in the smaller size.
    void ApplyTitleRule();

    // The window's key handler: the navigation keys by their Windows key codes (33 Page Up to 40
    // Down arrow). A handled key is set to 0. Every call ends with the refresh.
    void FormKeyDown(int& key);

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
    TDateEdit* deDate = nullptr;
    QWidget* loDaysOfWeek = nullptr;
    TRectangle* rectDOW = nullptr;
    QWidget* gloDOW = nullptr;
    std::array<TLabel*, 7> lblDOW{}; // lblDOW1 to lblDOW7, Sunday first

    // Settings page.
    QWidget* tbSettings = nullptr;
    TComboBox* ccbColor = nullptr;
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
    TComboBox* cbPlt = nullptr;
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
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
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
    void BindHandlers();
    // Connects a control's signal to a handler; an error that escapes the handler goes to the
    // application object as a THandlerErrorEvent.
    template <class Sender, class Signal>
    void Bind(Sender* sender, Signal signal, void (TMainForm::*handler)());
    // Draws the color list's swatches, once.
    void EnsureColorSwatches();
    void ApplyAccessibleNames();
    void FormCreate();

    // The refresh that follows most handlers: the month grid, then every page.
    void Refresh();
    // Sizes the window so that its outer size, frame included, takes the value: within the size
    // limits, and cut to the available area of the window's screen, whose edges the frame then keeps
    // within where the system lets the program place its window.
    void SetOuterSize(QSize outer);
    void ApplyOuterSize(QSize wanted);
    // The outer size Save writes: the size the user had where a screen too small for it cut it, as
    // long as the window keeps the size the screen gave it; otherwise the outer size it has now.
    QSize OuterSizeToSave() const;
    TButton* RoleButtonForTag(int tag) const;

    void bPrevClick();
    void bNextClick();
    void bTodayClick();
    void gR00Click();
    void deDateClosePicker();
    void bWorkClick();
    void ccbColorClosePopup();
    void cbPltClosePopup();
    void edAgencyEnter();
    void edAgencyExit();
    void sbBack1Click();
    void tabCtrlChange();
    void bSaveClick();
    void sbResetClick();
    void sbEmailClick();
    void sbTolmereClick();
    void ComputeFontSizes();
    // Sets the size limits, which apply to the outer size, for the frame as now known; true when the
    // frame changed. A window manager tells the frame only after the window shows.
    bool UpdateSizeLimits();
    bool FrameKnown() const;

    const TodayClock& clock_;
    const std::filesystem::path settingsBase_;
    const QLocale locale_;
    TGlobalState state_;
    QGraphicsOpacityEffect* agencyOpacity_ = nullptr;
    QSize frameExtra_{-1, -1};
    // An outer size asked for before the window manager told the frame: applied again once it does,
    // so a saved size comes back the same and never grows by the frame.
    std::optional<QSize> pendingOuterSize_;
    // The size the user had and the size the window took, where a screen too small for the first cut
    // it: a smaller screen never changes the saved size by itself.
    struct ScreenCut {
        QSize Wanted;
        QSize Given;
    };
    std::optional<ScreenCut> screenCut_;
    // Until the window has shown with the state that the create handler filled, the resize handling
    // and the page change paint nothing: whatever they would paint, the create handler's last step
    // or the resize handling after the show paints over before the window's first frame.
    bool created_ = false;
    QList<TRectangle*> rectangles_;     // every rectangle of the window
    QList<TTextElement*> textElements_; // every day number and corner text
    // The days, duties and selection as of the last refresh, which the day cells' names tell.
    std::optional<ScheduleState> described_;
    bool describedPaydays_ = false;
};

// The main window of the running program; null before it is created.
extern TMainForm* MainForm;
