#pragma once
// TMainForm: the program's one window. Construction builds every control, runs the resize handling
// at the stored client size of 330 x 567 and then the create handler, and only then shows the
// window, at its saved size with everything in place; the resize handling runs once more before the
// event loop takes over.
//
// Every control is a public member named as in the window's design and carries the same name as its
// objectName; the day cells are the arrays gR, gT and gX (objectNames "gR00" to "gR41" and so on).
//
// The member's own days (main_form_days.cpp): the window keeps the days file beside the settings
// file in a DaysStore, shows a mark as a sign on its day (gM, made when a cell first shows one), in
// the status line and in the cell's accessible name, and changes marks through the day menu pmDay,
// which a right click, the Menu key, Shift+F10 or a touch held on a day opens. It watches the file and
// shows what another program changes in it.
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
#include "day_dialogs.h"
#include "global_state.h"
#include "handler_error_event.h"
#include "member_days/days_store.h"
#include "schedule/today_clock.h"

#include <QCoreApplication>
#include <QLocale>
#include <QWidget>
#include <array>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

class QAction;
class QDateEdit;
class QFileSystemWatcher;
class QGraphicsOpacityEffect;
class QLineEdit;
class QMenu;
class QTimer;
class TDaySign;

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

    // The store of the member's days; null until the create handler has located the settings file.
    const DaysStore* Days() const { return days_.get(); }
    // The questions the day menu asks (a note, an extra shift's hours); dialogs unless replaced.
    void SetDayQuestions(TDayQuestions questions) { dayQuestions_ = std::move(questions); }

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

    // Signs of the marks on day cells 0 to 39 (objectNames "gM00" to "gM39"), each made when its cell
    // first shows a mark, over the cell's number and corner text.
    std::array<TDaySign*, 40> gM{};

    // The day menu, made when it first opens: the kinds that fit the selected day, its note and
    // Clear; or, while marking is off, a line that says why.
    QMenu* pmDay = nullptr;
    QAction* miMarkingOff = nullptr;
    QAction* miLeave = nullptr;
    QAction* miSick = nullptr;
    QAction* miTradedAway = nullptr;
    QAction* miExtraShift = nullptr;
    QAction* miNote = nullptr;
    QAction* miClear = nullptr;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
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
    template <class Sender, class Signal, class... Args>
    void Bind(Sender* sender, Signal signal, void (TMainForm::*handler)(Args...));
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

    // The member's days (main_form_days.cpp).
    void gR00ContextPopup(QPoint globalPosition);
    void miKindClick();
    void miNoteClick();
    void miClearClick();
    // Reads the days file for the shown grid and starts watching it; part of the create handler.
    void OpenDaysFile();
    // Reads the file again after a change on disk, and repaints when it changed.
    void ReloadDays();
    void WatchDaysFile();
    // Shows the grid's marks from the store, reading those not read yet from its text.
    void ShowGridDays();
    // Says once, in the error box after the window has shown, why the days file cannot be read.
    void TellDaysProblem();
    DayRange GridRange() const;
    const DayMark* MarkOnDay(TDateTime date) const;
    // The mark of a day in one line, with why it is not counted where it does not fit its day under
    // `schedule` (`why`), or only that it is not (the status line's short room); empty for a day
    // without a mark.
    QString MarkWords(const ScheduleState& schedule, TDateTime date, bool why) const;
    void PaintDaySigns();
    TDaySign* SignOf(std::size_t cell);
    // The Menu key, or Shift+F10.
    static bool IsDayMenuKey(const QKeyEvent& event);
    // Whether a key may open the day menu: the calendar page shows, the menu is not open, and no edit
    // field holds the focus (it shows a menu of its own).
    bool DayMenuReachable() const;
    void PopupDayMenu(std::optional<QPoint> globalPosition);
    void EnsureDayMenu();
    void PrepareDayMenu();
    // Repaints what the marks show (the signs, the status line's mark, the cells' names) and nothing
    // else: a mark's change is no refresh.
    void PaintDayMarks();
    // The status line as last painted, with the selected day's mark on a line of its own.
    void PaintStatusMark();
    // The cells' marks in words, for their names; assistive technology hears of those that changed.
    void DescribeCellMarks();
    // Repaints after a change of a mark; a change that was not written raises its error.
    void ApplyDayChange(const DaysStore::Outcome& outcome);
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
    // The days, duties and selection as of the last refresh, which the day cells' names tell, and
    // the cells' marks in words as last painted.
    std::optional<ScheduleState> described_;
    bool describedPaydays_ = false;
    std::array<QString, 40> cellMarks_;

    // The status line as the last refresh painted it, without the selected day's mark.
    QString statusText_;
    std::unique_ptr<DaysStore> days_;
    QFileSystemWatcher* daysWatcher_ = nullptr;
    // Gathers the several notices of one change on disk into one read.
    QTimer* daysReload_ = nullptr;
    TDayQuestions dayQuestions_ = DayDialogs();
    // The problem of the days file that the error box told last; empty while the file can be read.
    std::string daysProblemTold_;
    // The day the open menu is for, and the hours of the last extra shift marked.
    TDateTime menuDate_ = 0;
    std::optional<double> lastShiftHours_;
};

// The main window of the running program; null before it is created.
extern TMainForm* MainForm;

template <class Sender, class Signal, class... Args>
void TMainForm::Bind(Sender* sender, Signal signal, void (TMainForm::*handler)(Args...)) {
    connect(sender, signal, this, [this, handler](Args... args) {
        try {
            (this->*handler)(args...);
        } catch (...) {
            // Handed to the application object's error handling before it could unwind through Qt.
            THandlerErrorEvent error(std::current_exception());
            QCoreApplication::sendEvent(QCoreApplication::instance(), &error);
        }
    });
}
