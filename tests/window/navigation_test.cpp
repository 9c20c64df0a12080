// Navigation of the calendar page through real key clicks, button clicks, the date picker and day
// cells. Today is Friday 22 September 2023 unless a test moves the clock.

#include "schedule/date_serial.h"
#include "window/main_form.h"
#include "window_fixture.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QDateEdit>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionSpinBox>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <ostream>
#include <string>

namespace {

// The day as the test names it, as a readable value in failure messages.
std::string DayText(TDateTime serial) {
    return QDateOf(serial).toString(Qt::ISODate).toStdString();
}

class NavigationTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }

    TDateTime Current() const { return form->State().CurrentDate; }
    static int MonthsBetween(TDateTime from, TDateTime to) {
        const auto a = YearMonthDayOf(from), b = YearMonthDayOf(to);
        return (int(b.year()) - int(a.year())) * 12 + int(unsigned(b.month())) - int(unsigned(a.month()));
    }
    TDateTime Mark() const { return form->State().MarkDate; }

    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) const {
        QTest::keyClick(form->windowHandle(), key, modifiers);
    }

    // The refresh fills the grid of the selected day's month and titles it.
    void ExpectGridOf(TDateTime date, const char* title) const {
        const auto ymd = YearMonthDayOf(date);
        const TDateTime first = DateSerial(ymd.year() / ymd.month() / std::chrono::day(1));
        const TDateTime gridStart = first - (WeekdayNumber(first) - 1);
        EXPECT_EQ(DayText(form->State().GridDates[0]), DayText(gridStart));
        EXPECT_EQ(form->lblMonthName->Text(), QLatin1String(title));
    }

    // No control holds the keyboard focus, or only the window itself: keys reach FormKeyDown.
    void ExpectNoControlFocused() const {
        const QWidget* focused = QApplication::focusWidget();
        EXPECT_TRUE(focused == nullptr || focused == form.get())
            << "focus on " << focused->objectName().toStdString();
    }

    // Clicks the date edit's drop-down arrow at its right end, as a user opens the picker.
    QWidget* OpenPicker() const {
        QTest::mouseClick(form->deDate, Qt::LeftButton, {},
                          QPoint(form->deDate->width() - 6, form->deDate->height() / 2));
        QWidget* popup = form->deDate->calendarWidget()->window();
        EXPECT_TRUE(popup->isVisible());
        return popup;
    }

    // A key typed into the open picker.
    void PickerKey(Qt::Key key) const {
        QWidget* popup = form->deDate->calendarWidget()->window();
        QTest::keyClick(popup->focusWidget() ? popup->focusWidget() : popup, key);
    }

    // Opens the picker, moves its selection to `date` and chooses it with Return.
    void Pick(QDate date) const {
        QWidget* popup = OpenPicker();
        if (!popup->isVisible())
            return;
        form->deDate->calendarWidget()->setSelectedDate(date);
        PickerKey(Qt::Key_Return);
        EXPECT_FALSE(popup->isVisible());
    }
};

struct KeyCase {
    const char* name;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    TDateTime current;
    bool marks; // MarkDate follows CurrentDate
    const char* title;

    friend void PrintTo(const KeyCase& row, std::ostream* out) { *out << row.name; }
};

class NavigationKeyTest : public NavigationTest, public testing::WithParamInterface<KeyCase> {};

} // namespace

TEST_P(NavigationKeyTest, MovesTheSelectionAndRefreshes) {
    const KeyCase& row = GetParam();
    Key(row.key, row.modifiers);
    EXPECT_EQ(DayText(Current()), DayText(row.current));
    EXPECT_EQ(DayText(Mark()), DayText(row.marks ? row.current : DateSerial(2023, 9, 22)));
    ExpectGridOf(row.current, row.title);
    ExpectNoControlFocused();
}

INSTANTIATE_TEST_SUITE_P(
    Keys, NavigationKeyTest,
    testing::Values(
        KeyCase{"PageUp", Qt::Key_PageUp, {}, DateSerial(2023, 8, 22), true, "August"},
        KeyCase{"PageDown", Qt::Key_PageDown, {}, DateSerial(2023, 10, 22), true, "October"},
        KeyCase{"CtrlPageDown", Qt::Key_PageDown, Qt::ControlModifier, DateSerial(2023, 10, 22), true,
                "October"},
        KeyCase{"ShiftPageUp", Qt::Key_PageUp, Qt::ShiftModifier, DateSerial(2023, 8, 22), true, "August"},
        KeyCase{"Left", Qt::Key_Left, {}, DateSerial(2023, 9, 21), true, "September"},
        KeyCase{"ShiftLeft", Qt::Key_Left, Qt::ShiftModifier, DateSerial(2023, 9, 21), true, "September"},
        KeyCase{"CtrlRight", Qt::Key_Right, Qt::ControlModifier, DateSerial(2023, 9, 23), true, "September"},
        KeyCase{"Up", Qt::Key_Up, {}, DateSerial(2023, 9, 15), true, "September"},
        KeyCase{"Down", Qt::Key_Down, {}, DateSerial(2023, 9, 29), true, "September"},
        KeyCase{"ShiftDown", Qt::Key_Down, Qt::ShiftModifier, DateSerial(2023, 9, 29), true, "September"},
        KeyCase{"CtrlHome", Qt::Key_Home, Qt::ControlModifier, DateSerial(2023, 9, 22), false, "September"},
        KeyCase{"CtrlEnd", Qt::Key_End, Qt::ControlModifier, DateSerial(2023, 9, 22), false, "September"},
        // Keys that are not navigation keys change nothing, among them the punctuation whose Qt key
        // codes equal the Windows codes of the navigation keys.
        KeyCase{"Letter", Qt::Key_A, {}, DateSerial(2023, 9, 22), false, "September"},
        KeyCase{"FunctionKey", Qt::Key_F5, {}, DateSerial(2023, 9, 22), false, "September"},
        KeyCase{"ShiftAlone", Qt::Key_Shift, Qt::ShiftModifier, DateSerial(2023, 9, 22), false, "September"},
        KeyCase{"ExclamationMark", Qt::Key_Exclam, Qt::ShiftModifier, DateSerial(2023, 9, 22), false,
                "September"},
        KeyCase{"Apostrophe", Qt::Key_Apostrophe, {}, DateSerial(2023, 9, 22), false, "September"},
        KeyCase{"ParenLeft", Qt::Key_ParenLeft, Qt::ShiftModifier, DateSerial(2023, 9, 22), false,
                "September"}),
    [](const testing::TestParamInfo<KeyCase>& info) { return std::string(info.param.name); });

TEST_F(NavigationTest, AnyKeyRunsTheRefresh) {
    // The payday switch has no handler: only a refresh underlines Friday 15 September (cell 19).
    form->swPaydays->setChecked(true);
    ASSERT_EQ(DayText(form->State().GridDates[19]), "2023-09-15");
    ASSERT_FALSE(form->gT[19]->FontStyle().testFlag(TFontStyle::Underline));
    Key(Qt::Key_Q);
    EXPECT_TRUE(form->gT[19]->FontStyle().testFlag(TFontStyle::Underline));
    EXPECT_EQ(DayText(Current()), "2023-09-22");
}

TEST_F(NavigationTest, PageDownHomeEndReturnsToTheMarkedDay) {
    Key(Qt::Key_PageDown);
    Key(Qt::Key_Home);
    EXPECT_EQ(DayText(Current()), "2023-09-22");
    EXPECT_EQ(DayText(Mark()), "2023-10-22");
    Key(Qt::Key_End);
    EXPECT_EQ(DayText(Current()), "2023-10-22");
    ExpectGridOf(Current(), "October");
}

TEST_F(NavigationTest, ButtonsMoveWithoutMarking) {
    Key(Qt::Key_PageDown);
    ClickAt(form->bNext, form->bNext->rect().center());
    EXPECT_EQ(DayText(Current()), "2023-11-22");
    ExpectGridOf(Current(), "November");
    ClickAt(form->bPrev, form->bPrev->rect().center());
    ClickAt(form->bPrev, form->bPrev->rect().center());
    EXPECT_EQ(DayText(Current()), "2023-09-22");
    ClickAt(form->bPrev, form->bPrev->rect().center());
    EXPECT_EQ(DayText(Current()), "2023-08-22");
    ClickAt(form->bToday, form->bToday->rect().center());
    EXPECT_EQ(DayText(Current()), "2023-09-22");
    EXPECT_EQ(DayText(Mark()), "2023-10-22");
    // The Today button may keep the focus from its click; it leaves the navigation keys alone.
    Key(Qt::Key_End);
    EXPECT_EQ(DayText(Current()), "2023-10-22");
}

TEST_F(NavigationTest, MonthStepsClampTheDayAndCrossTheYear) {
    clock.Set(DateSerial(2024, 1, 31));
    Key(Qt::Key_Home);
    Key(Qt::Key_PageDown);
    EXPECT_EQ(DayText(Current()), "2024-02-29");
    ExpectGridOf(Current(), "February"); // the title names the year only outside the clock's year
    Key(Qt::Key_PageUp);
    Key(Qt::Key_PageUp);
    EXPECT_EQ(DayText(Current()), "2023-12-29");
}

TEST_F(NavigationTest, AutoRepeatedArrowStepsADayEachAcrossTheYearEnd) {
    clock.Set(DateSerial(2023, 12, 30));
    Key(Qt::Key_Home);
    for (int repeat = 0; repeat < 3; ++repeat) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier, QString(), repeat > 0);
        QApplication::sendEvent(form.get(), &press);
        EXPECT_TRUE(press.isAccepted());
    }
    EXPECT_EQ(DayText(Current()), "2024-01-02");
    EXPECT_EQ(DayText(Mark()), "2024-01-02");
    ExpectGridOf(Current(), "Jan 2024");
}

TEST_F(NavigationTest, KeysActOnTheCalendarWhileAnotherPageIsShown) {
    for (int page : {1, 2, 3}) {
        form->tabCtrl->SetCurrentIndex(page);
        Key(Qt::Key_PageDown);
    }
    EXPECT_EQ(DayText(Current()), "2023-12-22");
    EXPECT_EQ(form->tabCtrl->CurrentIndex(), 3);
    ClickAt(form->sbBack3, form->sbBack3->rect().center());
    EXPECT_EQ(form->tabCtrl->CurrentIndex(), 0);
    ExpectGridOf(Current(), "December");
}

TEST_F(NavigationTest, TheAgencyEditKeepsTheFocusAndItsOwnKeys) {
    form->tabCtrl->SetCurrentIndex(1);
    ClickAt(form->edAgency, form->edAgency->rect().center());
    ASSERT_EQ(QApplication::focusWidget(), form->edAgency);
    // Page Down passes the edit and reaches the window; the refresh leaves the focus in the edit.
    Key(Qt::Key_PageDown);
    EXPECT_EQ(DayText(Current()), "2023-10-22");
    EXPECT_EQ(QApplication::focusWidget(), form->edAgency);
    // Home belongs to the edit while it holds the focus.
    Key(Qt::Key_Home);
    Key(Qt::Key_X);
    EXPECT_EQ(DayText(Current()), "2023-10-22");
    EXPECT_EQ(form->edAgency->text(), QStringLiteral("xTolmere Fire Department"));
}

TEST_F(NavigationTest, DayCellOfTheShownMonthSelectsWithoutMarkingOrRefilling) {
    // 5 September 2023 sits in cell 9 of a grid that starts on Sunday 27 August.
    const auto grid = form->State().GridDates;
    ClickAt(form->gR[9], form->gR[9]->rect().center());
    EXPECT_EQ(DayText(Current()), "2023-09-05");
    EXPECT_EQ(DayText(Mark()), "2023-09-22");
    EXPECT_EQ(form->State().GridDates, grid);
    // Repainted: the new day carries the selection's fill, 22 September (cell 26) the background.
    EXPECT_EQ(form->gR[9]->FillColor(), form->State().LeadTrailColor);
    EXPECT_EQ(form->gR[26]->FillColor(), form->State().BackgroundColor);
    ExpectNoControlFocused();
    // Clicking the selected day again changes nothing.
    ClickAt(form->gR[9], form->gR[9]->rect().center());
    EXPECT_EQ(DayText(Current()), "2023-09-05");
}

TEST_F(NavigationTest, DayCellOfANeighbouringMonthDoesNothingAtAll) {
    // A refresh would underline the payday Friday 15 September (cell 19); none may run.
    form->swPaydays->setChecked(true);
    for (int cell : {0, 4, 35, 36}) { // 27 and 31 August, 1 and 2 October
        const auto index = static_cast<std::size_t>(cell);
        ClickAt(form->gR[index], form->gR[index]->rect().center());
        EXPECT_EQ(DayText(Current()), "2023-09-22") << cell;
    }
    EXPECT_FALSE(form->gT[19]->FontStyle().testFlag(TFontStyle::Underline));
}

struct PickCase {
    const char* name;
    QDate picked;
    TDateTime selected;
    QDate shown; // by the date edit afterwards

    friend void PrintTo(const PickCase& row, std::ostream* out) { *out << row.name; }
};

class PickerBoundsTest : public NavigationTest, public testing::WithParamInterface<PickCase> {};

TEST_P(PickerBoundsTest, PickedDayOrTodayBecomesSelectedAndMarked) {
    const PickCase& row = GetParam();
    Pick(row.picked);
    EXPECT_EQ(DayText(Current()), DayText(row.selected));
    EXPECT_EQ(DayText(Mark()), DayText(row.selected));
    EXPECT_EQ(form->deDate->date(), row.shown);
    ExpectGridOf(row.selected,
                 QDateOf(row.selected).year() == 2023
                     ? qPrintable(QLocale(QLocale::English).monthName(QDateOf(row.selected).month()))
                     : qPrintable(QDateOf(row.selected).toString(QStringLiteral("MMM yyyy"))));
    // The edit gave up the focus: the arrows move the selection by a day.
    ExpectNoControlFocused();
    Key(Qt::Key_Right);
    Key(Qt::Key_Right);
    Key(Qt::Key_Left);
    EXPECT_EQ(DayText(Current()), DayText(row.selected + 1));
    EXPECT_EQ(form->deDate->date(), row.shown);
}

INSTANTIATE_TEST_SUITE_P(
    Bounds, PickerBoundsTest,
    testing::Values(
        PickCase{"FirstDayAccepted", QDate(2021, 12, 31), DateSerial(2021, 12, 31), QDate(2021, 12, 31)},
        PickCase{"DayBeforeGivesToday", QDate(2021, 12, 30), DateSerial(2023, 9, 22), QDate(2023, 9, 22)},
        PickCase{"LastDayAccepted", QDate(2100, 12, 31), DateSerial(2100, 12, 31), QDate(2100, 12, 31)},
        PickCase{"DayAfterGivesToday", QDate(2101, 1, 1), DateSerial(2023, 9, 22), QDate(2023, 9, 22)},
        PickCase{"InsideTheWindow", QDate(2024, 3, 7), DateSerial(2024, 3, 7), QDate(2024, 3, 7)}),
    [](const testing::TestParamInfo<PickCase>& info) { return std::string(info.param.name); });

TEST_F(NavigationTest, DismissedPickerSelectsTheDayTheEditShows) {
    Key(Qt::Key_PageDown);
    ASSERT_EQ(DayText(Current()), "2023-10-22");
    // Closing without a choice still selects and marks the day that the edit shows.
    QWidget* popup = OpenPicker();
    PickerKey(Qt::Key_Escape);
    ASSERT_FALSE(popup->isVisible());
    EXPECT_EQ(form->deDate->date(), QDate(2023, 9, 22));
    EXPECT_EQ(DayText(Current()), "2023-09-22");
    EXPECT_EQ(DayText(Mark()), "2023-09-22");
    ExpectNoControlFocused();

    // Browsing in the list moves the edit along; a dismissal then takes the day it reached.
    popup = OpenPicker();
    PickerKey(Qt::Key_Down);
    PickerKey(Qt::Key_Escape);
    ASSERT_FALSE(popup->isVisible());
    EXPECT_EQ(DayText(Current()), DayText(SerialOf(form->deDate->date())));
    EXPECT_EQ(DayText(Mark()), DayText(Current()));
    ExpectGridOf(Current(), "September");
}

TEST_F(NavigationTest, TypedDateActsOnlyWhenThePickerCloses) {
    QTest::mouseClick(form->deDate, Qt::LeftButton, {}, QPoint(8, form->deDate->height() / 2));
    ASSERT_EQ(QApplication::focusWidget(), form->deDate);
    // The month section is first: typing changes the edit's date alone.
    QTest::keyClicks(form->deDate, QStringLiteral("01"));
    ASSERT_EQ(form->deDate->date(), QDate(2023, 1, 22));
    EXPECT_EQ(DayText(Current()), "2023-09-22");
    QWidget* popup = OpenPicker();
    PickerKey(Qt::Key_Escape);
    ASSERT_FALSE(popup->isVisible());
    EXPECT_EQ(DayText(Current()), "2023-01-22");
    ExpectNoControlFocused();
    // A typed year before the picker's window gives today, which the edit then shows.
    QTest::mouseClick(form->deDate, Qt::LeftButton, {},
                      QPoint(form->deDate->width() - 30, form->deDate->height() / 2));
    QTest::keyClicks(form->deDate, QStringLiteral("01"));
    ASSERT_EQ(form->deDate->date(), QDate(2001, 1, 22));
    popup = OpenPicker();
    PickerKey(Qt::Key_Escape);
    EXPECT_EQ(DayText(Current()), "2023-09-22");
    EXPECT_EQ(form->deDate->date(), QDate(2023, 9, 22));
    // Qt hands the focus of a disabled control to the next one in the tab chain; none may keep it.
    ExpectNoControlFocused();
}

TEST_F(NavigationTest, HeldMonthButtonRepeatsAfterItsDelay) {
    EXPECT_TRUE(form->bPrev->RepeatClick());
    EXPECT_TRUE(form->bNext->RepeatClick());
    const QPoint centre = form->bNext->rect().center();

    // Released before the first repeat: the one ordinary click.
    QTest::mousePress(form->bNext, Qt::LeftButton, {}, centre);
    QTest::qWait(400);
    QTest::mouseRelease(form->bNext, Qt::LeftButton, {}, centre);
    EXPECT_EQ(DayText(Current()), "2023-10-22");

    // Held for 950 ms: repeats at about 600, 700, 800 and 900 ms, and the click on release. A busy
    // machine may tick less often; every tick after the delay is still one step.
    auto* timer = form->bNext->findChild<QTimer*>(QStringLiteral("repeatTimer"));
    ASSERT_NE(timer, nullptr);
    QSignalSpy ticks(timer, &QTimer::timeout);
    QElapsedTimer held;
    held.start();
    QTest::mousePress(form->bNext, Qt::LeftButton, {}, centre);
    QTest::qWait(950);
    QTest::mouseRelease(form->bNext, Qt::LeftButton, {}, centre);
    const int steps = MonthsBetween(DateSerial(2023, 10, 22), Current());
    EXPECT_EQ(steps, std::max(0, int(ticks.count()) - 1) + 1) << "held " << held.elapsed() << " ms";
    EXPECT_LE(steps, 6) << "held " << held.elapsed() << " ms";
    EXPECT_EQ(DayText(Mark()), "2023-09-22");
    ExpectGridOf(Current(), qPrintable(QDateOf(Current()).toString(QStringLiteral("MMM yyyy"))));
}

TEST_F(NavigationTest, HeldMonthButtonKeepsSteppingWhenThePointerDriftsOff) {
    // Through the window, as the pointer of a user: the button keeps the press wherever it goes.
    auto* timer = form->bPrev->findChild<QTimer*>(QStringLiteral("repeatTimer"));
    ASSERT_NE(timer, nullptr);
    QSignalSpy ticks(timer, &QTimer::timeout);
    const auto at = [this](QWidget* widget) { return widget->mapTo(form.get(), widget->rect().center()); };
    QTest::mousePress(form->windowHandle(), Qt::LeftButton, {}, at(form->bPrev));
    // Off the arrow, over a day of the shown month.
    QTest::mouseMove(form->windowHandle(), at(form->gR[10]));
    ASSERT_TRUE(QTest::qWaitFor([&] { return ticks.count() >= 4; }, 10000));
    QTest::mouseRelease(form->windowHandle(), Qt::LeftButton, {}, at(form->gR[10]));
    // Every tick after the delay stepped back a month; neither the release nor the day cell did more.
    EXPECT_EQ(MonthsBetween(Current(), DateSerial(2023, 9, 22)), int(ticks.count()) - 1);
    EXPECT_EQ(int(unsigned(YearMonthDayOf(Current()).day())), 22);
    EXPECT_EQ(DayText(Mark()), "2023-09-22");
}
