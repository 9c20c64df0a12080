// Soak: a long run of random user actions on the real window, with the window's invariants checked
// after every action. The ctest run uses a fixed seed and SoakEvents actions; scripts/soak runs many
// more through VARNOK_SOAK_EVENTS and VARNOK_SOAK_SEED.
//
// Invariants after every action:
//   - the grid holds the 42 days from the Sunday on or before the 1st of the selected day's month;
//   - every day cell is painted from the state as of the last repaint of the cells: the selected
//     day's cell filled with the color of its duty code, every other cell with the background, and
//     each showing its day number;
//   - the status line shows the selected day and the assignment as of the last full refresh, or
//     nothing for a day without schedule;
//   - the title shows the agency name and the selected assignment;
//   - the settings file always reads back the values of the last Save and Reset, and no temporary
//     file is left next to it.
// Not every action repaints (closing the assignment list repaints only the title, a color pick on a
// role other than the background nothing), so the test keeps what was last painted.
//
// The background may equal a duty color: then the selected cell looks like any other. The cells are
// therefore checked one by one against the fill their date calls for, and the count of cells whose
// fill differs from the background must be 1 exactly when the selected day's duty color differs from
// the background (0 otherwise).

#include "schedule/duty_rotation.h"
#include "schedule/month_navigation.h"
#include "settings/alpha_color.h"
#include "settings/color_roles.h"
#include "settings/ini_store.h"
#include "window_fixture.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCalendarWidget>
#include <QDateEdit>
#include <QLineEdit>
#include <QTabBar>
#include <cmath>
#include <deque>
#include <map>
#include <random>
#include <sstream>

namespace {

constexpr int SoakEvents = 3000;
constexpr unsigned SoakSeed = 20230922;
constexpr std::size_t HistoryLength = 25;

int EventCount() {
    const QByteArray text = qgetenv("VARNOK_SOAK_EVENTS");
    return text.isEmpty() ? SoakEvents : text.toInt();
}

unsigned Seed() {
    const QByteArray text = qgetenv("VARNOK_SOAK_SEED");
    return text.isEmpty() ? SoakSeed : text.toUInt();
}

std::string DayText(TDateTime date) {
    const auto ymd = YearMonthDayOf(date);
    std::ostringstream out;
    out << int(ymd.year()) << '-' << unsigned(ymd.month()) << '-' << unsigned(ymd.day());
    return out.str();
}

TAlphaColor DutyColor(const SettingsState& colors, char code) {
    switch (code) {
    case DutyOn:
        return colors.OnDutyColor;
    case DutyOff:
        return colors.OffDutyColor;
    case DutyRdo:
        return colors.RdoColor;
    default:
        return colors.LeadTrailColor;
    }
}

// What a repaint took from the state.
struct Painted {
    ScheduleState Schedule;
    SettingsState Colors;
    QString Assignment;
};

// Counts the key presses that reach the window itself, after any focused control passed them on.
class KeyCounter : public QObject {
public:
    int Count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::KeyPress)
            ++Count;
        return false;
    }
};

// Agency texts for Save, with the value the file then holds; the empty edit keeps the last one.
const struct {
    const char* Typed;
    const char* Saved;
} AgencyTexts[] = {
    {"", nullptr},
    {"Tolmere Fire Department", "Tolmere Fire Department"},
    {"  Station 9\t ", "Station 9"},
    {"   ", ""},
    {"Feuerwehr Z\xC3\xBCrich", "Feuerwehr Z\xC3\xBCrich"},
    {"A=B=C", "A=B=C"},
    {"[Colors]", "[Colors]"},
};

class SoakTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
        random.seed(Seed());
        form->installEventFilter(&keysReachingWindow);
        TakeFullPaint();
    }

    Painted Now() const { return {form->State(), form->State(), form->cbPlt->currentText()}; }
    // A full refresh repaints the cells and the status line; a new background only the cells.
    void TakeFullPaint() { cells = status = Now(); }
    void TakeCellPaint() { cells = Now(); }

    int Pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random); }
    bool Chance(int percent) { return Pick(100) < percent; }

    void Note(std::string text) {
        history.push_back(std::move(text));
        if (history.size() > HistoryLength)
            history.pop_front();
    }

    void ClickWidget(QWidget* widget) { ClickAt(widget, widget->rect().center()); }

    void ClickTab(int index) {
        QTabBar* bar = form->tabCtrl->TabBar();
        ClickAt(bar, bar->tabRect(index).center());
    }

    // Runs one random action and records what it repainted.
    void RandomAction() {
        const int page = form->tabCtrl->CurrentIndex();
        const int roll = Pick(100);
        if (page == 0) {
            if (roll < 35)
                return PressKey();
            if (roll < 45)
                return ClickButton(form->bPrev, "bPrev");
            if (roll < 55)
                return ClickButton(form->bNext, "bNext");
            if (roll < 60)
                return ClickButton(form->bToday, "bToday");
            if (roll < 78)
                return ClickCell();
            if (roll < 88)
                return PickFromCalendar();
            return ChangePage();
        }
        if (page == 1) {
            if (roll < 8)
                return PressKey();
            if (roll < 33)
                return PickColor();
            if (roll < 48)
                return PickAssignment();
            if (roll < 55)
                return FlipPaydays();
            if (roll < 63)
                return TypeAgency();
            if (roll < 75)
                return Save();
            if (roll < 82)
                return Reset();
            if (roll < 90)
                return ClickButton(form->sbBack1, "sbBack1");
            return ChangePage();
        }
        if (roll < 30)
            return PressKey();
        if (roll < 65)
            return ClickButton(page == 2 ? form->sbBack2 : form->sbBack3, "sbBack");
        return ChangePage();
    }

    void PressKey() {
        static constexpr Qt::Key keys[] = {Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_End,   Qt::Key_Home,
                                           Qt::Key_Left,   Qt::Key_Up,       Qt::Key_Right, Qt::Key_Down,
                                           Qt::Key_A,      Qt::Key_Escape};
        const Qt::Key key = keys[Pick(std::size(keys))];
        Note("key " + QKeySequence(key).toString().toStdString());
        const int before = keysReachingWindow.Count;
        const QWidget* focused = QApplication::focusWidget();
        const std::string focusName = focused ? focused->objectName().toStdString() : "nothing";
        QTest::keyClick(form->windowHandle(), key);
        // The window's key handler refreshes after every key that reaches it, handled or not. On the
        // settings page a focused control (the payday switch) may take an arrow key first; on the
        // calendar page nothing may.
        if (keysReachingWindow.Count != before)
            TakeFullPaint();
        else if (form->tabCtrl->CurrentIndex() == 0)
            Fail("a key on the calendar page did not reach the window; the focus was on " + focusName);
    }

    void ClickButton(QWidget* button, const char* name) {
        const int pageBefore = form->tabCtrl->CurrentIndex();
        Note(std::string("click ") + name);
        ClickWidget(button);
        if (button != form->sbBack1 && button != form->sbBack2 && button != form->sbBack3)
            TakeFullPaint();
        else if (pageBefore != 0)
            TakeFullPaint();
    }

    void ClickCell() {
        const int index = Pick(GridCellCount);
        const TDateTime date = form->State().GridDates[std::size_t(index)];
        Note("click cell " + std::to_string(index) + " (" + DayText(date) + ")");
        ClickWidget(form->gR[std::size_t(index)]);
        const bool shownMonth =
            index < 40 && YearMonthDayOf(date).month() == YearMonthDayOf(cells.Schedule.CurrentDate).month();
        if (shownMonth)
            TakeFullPaint();
    }

    // The drop-down calendar as the mouse opens it; a date is chosen with Return or the list is
    // dismissed with Escape. Dates reach beyond the picker's window on both sides.
    void PickFromCalendar() {
        static const QDate edges[] = {QDate(2021, 12, 30), QDate(2021, 12, 31), QDate(2022, 1, 1),
                                      QDate(2100, 12, 31), QDate(2101, 1, 1)};
        const QDate date =
            Chance(10) ? edges[Pick(std::size(edges))] : QDate(2019, 1, 1).addDays(Pick(85 * 366));
        const bool choose = Chance(85);
        Note("picker " + date.toString(Qt::ISODate).toStdString() + (choose ? " Return" : " Escape"));
        // A click on the edit's drop-down arrow, at its right end.
        ClickAt(form->deDate, QPoint(form->deDate->width() - 6, form->deDate->height() / 2));
        QWidget* popup = form->deDate->calendarWidget()->window();
        if (!QTest::qWaitForWindowExposed(popup)) {
            Fail("the drop-down calendar did not open");
            return;
        }
        QCalendarWidget* calendar = form->deDate->calendarWidget();
        calendar->setSelectedDate(date);
        // An offscreen popup is never the active window, so its keys go to the day table directly.
        QTest::keyClick(calendar->findChild<QAbstractItemView*>(), choose ? Qt::Key_Return : Qt::Key_Escape);
        if (popup->isVisible())
            Fail("the drop-down calendar did not close");
        TakeFullPaint();
    }

    void ChangePage() {
        const int before = form->tabCtrl->CurrentIndex();
        const int index = Pick(4);
        Note("tab " + std::to_string(index));
        ClickTab(index);
        if (index != before)
            TakeFullPaint();
    }

    void PickColor() {
        TButton* buttons[] = {form->bWork, form->bOff, form->bMulti, form->bLdTr, form->bBkGr};
        TButton* button = buttons[Pick(5)];
        // Now and then the list closes with nothing chosen.
        const int entry = Chance(3) ? -1 : Pick(int(NamedColorCount));
        Note("color " + button->objectName().toStdString() + " " +
             (entry < 0 ? std::string("none") : std::string(NamedColors[std::size_t(entry)].Name)));
        ClickWidget(button);
        form->ccbColor->setCurrentIndex(entry);
        form->ccbColor->hidePopup();
        // The list reports its close from the event loop, as it does after a user's choice.
        QCoreApplication::processEvents();
        // A new background repaints the cells; the list's "Null" entry is no color and changes nothing.
        if (button == form->bBkGr && entry >= 0 && NamedColors[std::size_t(entry)].Value != claNull)
            TakeCellPaint();
    }

    void PickAssignment() {
        const int index = Pick(AssignmentCount);
        Note("assignment " + std::to_string(index));
        form->cbPlt->showPopup();
        form->cbPlt->setCurrentIndex(index);
        form->cbPlt->hidePopup();
        QCoreApplication::processEvents();
    }

    void FlipPaydays() {
        Note("paydays switch");
        ClickWidget(form->swPaydays);
    }

    void TypeAgency() {
        const auto& text = AgencyTexts[Pick(std::size(AgencyTexts))];
        Note(std::string("agency '") + text.Typed + "'");
        form->edAgency->setText(QString::fromUtf8(text.Typed));
        typedAgency = text.Saved;
    }

    void Save() {
        Note("save");
        ClickWidget(form->bSave);
        if (typedAgency)
            saved["Config/Agency"] = typedAgency;
        saved["Config/WorkAssign"] = form->cbPlt->currentText().toStdString();
        saved["Config/ShowPaydays"] = form->swPaydays->isChecked() ? "1" : "0";
        saved["Config/Width"] = std::to_string(form->frameGeometry().width());
        saved["Config/Height"] = std::to_string(form->frameGeometry().height());
        for (const ColorRole& role : ColorRoles)
            saved["Colors/" + std::string(role.Key)] = ColorToText(form->State().*role.Member);
        TakeFullPaint();
    }

    void Reset() {
        Note("reset");
        const QSize before = form->frameGeometry().size();
        ClickWidget(form->sbReset);
        saved["Config/Width"] = "360";
        saved["Config/Height"] = "567";
        if (form->frameGeometry().size() != before)
            TakeFullPaint();
    }

    void Fail(const std::string& what) {
        if (!failure.empty())
            return;
        std::ostringstream out;
        out << what << "\n  seed " << Seed() << ", action " << action << "; the last actions:";
        for (const std::string& line : history)
            out << "\n    " << line;
        failure = out.str();
    }

    void CheckGrid() {
        const TGlobalState& state = form->State();
        const auto ymd = YearMonthDayOf(state.CurrentDate);
        const TDateTime first = DateSerial(ymd.year() / ymd.month() / std::chrono::day(1));
        const TDateTime start = first - (WeekdayNumber(first) - 1);
        for (int i = 0; i < GridCellCount; ++i) {
            if (state.GridDates[std::size_t(i)] != start + i)
                return Fail("grid cell " + std::to_string(i) + " holds " +
                            DayText(state.GridDates[std::size_t(i)]) + " for the selected day " +
                            DayText(state.CurrentDate));
        }
    }

    void CheckCells() {
        const ScheduleState& schedule = cells.Schedule;
        const SettingsState& colors = cells.Colors;
        int filled = 0;
        TAlphaColor selectedColor = colors.BackgroundColor;
        for (int i = 0; i < GridCellCount; ++i) {
            const TDateTime date = schedule.GridDates[std::size_t(i)];
            const bool selected = i < 40 && date == schedule.CurrentDate;
            const TAlphaColor expected =
                selected ? DutyColor(colors, DutyCodeOf(schedule, date)) : colors.BackgroundColor;
            if (selected)
                selectedColor = expected;
            const TAlphaColor fill = form->gR[std::size_t(i)]->FillColor();
            if (fill != expected)
                return Fail("cell " + std::to_string(i) + " (" + DayText(date) + ") is filled " +
                            ColorToText(fill) + ", expected " + ColorToText(expected));
            if (fill != colors.BackgroundColor)
                ++filled;
            if (i < 40 &&
                form->gT[std::size_t(i)]->Text() != QString::number(unsigned(YearMonthDayOf(date).day())))
                return Fail("cell " + std::to_string(i) + " shows " +
                            form->gT[std::size_t(i)]->Text().toStdString() + " for " + DayText(date));
        }
        const int expectedFilled = selectedColor != colors.BackgroundColor ? 1 : 0;
        if (filled != expectedFilled)
            Fail(std::to_string(filled) + " cells are filled as selected");
    }

    void CheckStatusLine() {
        const ScheduleState& schedule = status.Schedule;
        const QString expected =
            DutyCodeOf(schedule, schedule.CurrentDate) == DutyNone
                ? QString()
                : FormatShortDate(form->State().AppFormatSettings, schedule.CurrentDate) + QLatin1Char('\r') +
                      status.Assignment;
        const int assignment = form->cbPlt->findText(status.Assignment);
        if (!expected.isEmpty() && AssignmentBaseDates[std::size_t(assignment)] != schedule.BaseDate)
            return Fail("the status line names " + status.Assignment.toStdString() +
                        " while the cells show the rotation of another assignment");
        if (form->lblStatus->Text() != expected)
            Fail("the status line reads '" + form->lblStatus->Text().toStdString() + "', expected '" +
                 expected.toStdString() + "'");
    }

    void CheckTitle() {
        const QString agency = QString::fromStdString(form->State().AgencyName);
        const QString expected = form->cbPlt->currentIndex() > 0
                                     ? agency + QStringLiteral(" - ") + form->cbPlt->currentText()
                                     : agency;
        if (form->lblToolbar0->Text() != expected)
            Fail("the title reads '" + form->lblToolbar0->Text().toStdString() + "'");
    }

    void CheckFile() {
        if (saved.empty())
            return;
        const IniStore store(SettingsFile());
        for (const auto& [name, value] : saved) {
            const auto slash = name.find('/');
            const std::string read =
                store.ReadString(name.substr(0, slash), name.substr(slash + 1), "<missing>");
            if (read != value)
                return Fail("the file holds " + name + "=" + read + ", last saved " + value);
        }
        for (const auto& entry : std::filesystem::directory_iterator(SettingsFile().parent_path())) {
            if (entry.path() != SettingsFile())
                return Fail("a stray file next to the settings: " + entry.path().filename().string());
        }
    }

    void CheckAll() {
        CheckGrid();
        CheckCells();
        CheckStatusLine();
        CheckTitle();
        CheckFile();
    }

    std::mt19937 random;
    KeyCounter keysReachingWindow;
    Painted cells;
    Painted status;
    const char* typedAgency = nullptr;
    std::map<std::string, std::string> saved;
    std::deque<std::string> history;
    int action = 0;
    std::string failure;
};

TEST_F(SoakTest, RandomActionsKeepTheWindowConsistent) {
    const int count = EventCount();
    CheckAll();
    ASSERT_EQ(failure, "") << "at start-up";
    for (action = 1; action <= count && failure.empty(); ++action) {
        RandomAction();
        // Whatever the action left for the event loop runs before the next action, as between a
        // user's clicks.
        QCoreApplication::processEvents();
        CheckAll();
    }
    EXPECT_EQ(failure, "");
}

} // namespace
