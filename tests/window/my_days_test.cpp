// The member's own days through the real window: the day menu opened by a right click, the Menu key,
// Shift+F10 and a touch held on a day; the sign, the status line, the cell's name and the days file
// after each change; a file that cannot be read, a write that fails, and another program's change.
//
// Group 3 in September 2023, today Friday 22 September (cell 26). The cells' duty codes, from Sunday
// 27 August (cell 0): KKLLYYYYLLKKLLKKLLKKLLYYYYLLKKLLKKLLKKLL.

#include "app/application.h"
#include "member_days/days_store.h"
#include "schedule/date_serial.h"
#include "schedule/duty_rotation.h"
#include "window/controls/day_sign.h"
#include "window_fixture.h"

#include <QAccessible>
#include <QAction>
#include <QDateEdit>
#include <QFontMetricsF>
#include <QMenu>
#include <QPointingDevice>
#include <QProcess>
#include <QStyleHints>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

constexpr ArgbColor Black = 0xFF000000;
constexpr ArgbColor White = 0xFFFFFFFF;
constexpr ArgbColor Blue = 0xFF0000FF;

constexpr int Today = 26;       // Friday 22 September, on duty
constexpr int OnDutyCell = 27;  // Saturday 23 September
constexpr int OffDutyCell = 29; // Monday 25 September
constexpr int RdoCell = 22;     // Monday 18 September
constexpr int LeadingCell = 0;  // Sunday 27 August
constexpr int SeptemberFirst = 5;

std::string ReadBytes(const fs::path& file) {
    std::ifstream stream(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(stream), {});
}

TDateTime DayOfCell(int cell) {
    return DateSerial(2023, 8, 27) + cell;
}

class MyDaysTest : public WindowTest {
protected:
    void SetUp() override {
        TApplication::SetErrorBox([this](const QString& message) { errorBoxes.append(message); });
        Reopen("[Config]\nWorkAssign=Group 3\n");
    }

    // Closes the window, writes `settings` as the settings file and opens the window again.
    void Reopen(const std::string& settings) {
        form.reset();
        fs::create_directories(SettingsFile().parent_path());
        std::ofstream(SettingsFile(), std::ios::binary) << settings;
        Open();
    }
    void TearDown() override {
        form.reset();
        TApplication::SetErrorBox({});
    }

    // Opens the window with answers in place of the dialogs; the answers are taken from `notes` and
    // `hours` in turn, and an empty list cancels.
    void Open() {
        OpenWindow();
        // Whatever the start-up left for the event loop (a box about the days file) comes now.
        QCoreApplication::processEvents();
        TDayQuestions questions;
        questions.AskNote = [this](QWidget*, const QString& day,
                                   const QString& note) -> std::optional<QString> {
            asked.append(QStringLiteral("note for %1 from '%2'").arg(day, note));
            if (notes.isEmpty())
                return std::nullopt;
            return notes.takeFirst();
        };
        questions.AskHours = [this](QWidget*, const QString& day,
                                    std::optional<double> start) -> std::optional<std::optional<double>> {
            asked.append(QStringLiteral("hours for %1 from %2")
                             .arg(day, start ? QString::number(*start) : QStringLiteral("none")));
            if (hours.empty())
                return std::nullopt;
            const std::optional<double> answer = hours.front();
            hours.erase(hours.begin());
            return answer;
        };
        form->SetDayQuestions(std::move(questions));
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }

    fs::path DaysFile() const { return SettingsFile().parent_path() / "vnTolmere-days.ics"; }

    // The marks in the file, as another reader finds them.
    DayMarks MarksInFile() const {
        DaysStore reader(DaysFile());
        EXPECT_NE(reader.Load(), DaysStore::LoadStatus::Unreadable) << reader.Problem();
        return reader.Marks();
    }

    void WriteDaysFile(const DayMarks& marks) const {
        DaysStore writer(DaysFile());
        writer.Load();
        ScheduleState group3;
        SelectAssignment(group3, 3);
        for (const auto& [date, mark] : marks)
            ASSERT_EQ(writer.SetMark(date, mark, DutyCodeOf(group3, date)).State,
                      DaysStore::Outcome::Status::Written);
    }

    TRectangle* Cell(int cell) const { return form->gR[std::size_t(cell)]; }
    TDaySign* Sign(int cell) const { return form->gM[std::size_t(cell)]; }
    bool SignShown(int cell) const { return Sign(cell) != nullptr && Sign(cell)->isVisible(); }
    // The pixels of the cell that the sign's square touches.
    QRect SignSquare(int cell) const {
        const QRectF square = TDaySign::SignRect(QSizeF(Sign(cell)->size()), Qt::LeftToRight);
        return square.translated(Sign(cell)->mapTo(Cell(cell), QPoint(0, 0))).toAlignedRect();
    }

    void RightClick(int cell) const {
        QTest::mouseClick(form->windowHandle(), Qt::RightButton, {},
                          Cell(cell)->mapTo(form.get(), Cell(cell)->rect().center()));
    }
    void LeftClick(int cell) const { ClickAt(Cell(cell), Cell(cell)->rect().center()); }
    bool MenuOpen() const { return form->pmDay != nullptr && form->pmDay->isVisible(); }

    // The texts of the menu's visible entries, without the mnemonics' ampersands.
    QStringList MenuEntries() const {
        QStringList entries;
        for (const QAction* action : form->pmDay->actions()) {
            if (action->isVisible() && !action->isSeparator())
                entries.append(action->text().remove(QLatin1Char('&')));
        }
        return entries;
    }

    // Clicks an entry of the open menu as a user does, and waits for the menu to close.
    void Choose(QAction* action) const {
        ASSERT_TRUE(MenuOpen());
        ASSERT_TRUE(action->isVisible() && action->isEnabled()) << action->text().toStdString();
        const QPoint centre = form->pmDay->actionGeometry(action).center();
        QTest::mouseMove(form->pmDay, centre);
        QTest::mouseClick(form->pmDay, Qt::LeftButton, {}, centre);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !MenuOpen(); }));
        QCoreApplication::processEvents();
    }

    void CloseMenu() const {
        QTest::keyClick(form->pmDay, Qt::Key_Escape);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !MenuOpen(); }));
    }

    QString CellName(int cell) const {
        return QAccessible::queryAccessibleInterface(Cell(cell))->text(QAccessible::Name);
    }

    QStringList errorBoxes;
    QStringList asked;
    QStringList notes;
    std::vector<std::optional<double>> hours;
};

} // namespace

// The whole path a user takes: a right click on a day, Leave in the menu; the sign, the status line,
// the cell's name and the file.
TEST_F(MyDaysTest, RightClickLeaveShowsTheSignTheStatusAndTheFile) {
    EXPECT_FALSE(fs::exists(DaysFile()));
    LeftClick(OnDutyCell);
    const QImage unmarked = Cell(OnDutyCell)->grab().toImage();
    LeftClick(Today);
    RightClick(OnDutyCell);
    EXPECT_EQ(form->State().CurrentDate, DayOfCell(OnDutyCell)) << "a right click selects the day";
    EXPECT_EQ(form->State().MarkDate, DayOfCell(Today)) << "as a click does, it leaves the marked day";
    ASSERT_TRUE(MenuOpen());
    EXPECT_EQ(MenuEntries(), (QStringList{QStringLiteral("Leave"), QStringLiteral("Sick"),
                                          QStringLiteral("Traded away"), QStringLiteral("Note…")}));
    Choose(form->miLeave);

    EXPECT_EQ(MarksInFile(), (DayMarks{{DayOfCell(OnDutyCell), {MarkKind::Leave, "", std::nullopt}}}));
    ASSERT_TRUE(SignShown(OnDutyCell));
    EXPECT_EQ(Sign(OnDutyCell)->Letter(), QStringLiteral("L"));
    EXPECT_FALSE(Sign(OnDutyCell)->Ring());
    // The selected cell is filled Blue: a white disc with a black letter.
    EXPECT_EQ(Cell(OnDutyCell)->FillColor(), Blue);
    EXPECT_EQ(Sign(OnDutyCell)->InkColor(), White);
    EXPECT_EQ(Sign(OnDutyCell)->LetterColor(), Black);
    EXPECT_EQ(form->lblStatus->Text(), QStringLiteral("9/23/2023\rGroup 3\rLeave"));
    EXPECT_EQ(CellName(OnDutyCell), QStringLiteral("Saturday, September 23, 2023, on duty, Leave"));
    EXPECT_TRUE(errorBoxes.isEmpty());

    // On another day the disc is black on the white background, its letter white.
    LeftClick(OnDutyCell + 1);
    EXPECT_EQ(Sign(OnDutyCell)->InkColor(), Black);
    EXPECT_EQ(Sign(OnDutyCell)->LetterColor(), White);
    EXPECT_EQ(form->lblStatus->Text(), QStringLiteral("9/24/2023\rGroup 3"));
    LeftClick(OnDutyCell);

    // The pixels: the cell as it was, but for the sign's square, where the white disc now lies.
    const QImage marked = Cell(OnDutyCell)->grab().toImage();
    ASSERT_EQ(marked.size(), unmarked.size());
    const QRect square = SignSquare(OnDutyCell);
    int white = 0;
    for (int y = 0; y < marked.height(); ++y) {
        for (int x = 0; x < marked.width(); ++x) {
            if (!square.contains(x, y))
                ASSERT_EQ(marked.pixel(x, y), unmarked.pixel(x, y)) << x << "," << y;
            else if (qGray(marked.pixel(x, y)) > 230)
                ++white;
        }
    }
    EXPECT_GT(white, square.width() * square.height() / 3) << "the disc fills much of its square";
}

// The kinds offered against each duty code, with and without a mark on the day.
TEST_F(MyDaysTest, TheMenuOffersTheKindsThatFitTheDay) {
    WriteDaysFile({{DayOfCell(RdoCell), {MarkKind::ExtraShift, "", 24.0}},
                   {DayOfCell(Today), {MarkKind::Sick, "flu", std::nullopt}}});
    Open();
    const QString leave = QStringLiteral("Leave"), sick = QStringLiteral("Sick"),
                  traded = QStringLiteral("Traded away"), extra = QStringLiteral("Extra shift…"),
                  note = QStringLiteral("Note…"), clear = QStringLiteral("Clear");
    const struct {
        int cell;
        QStringList entries;
    } rows[] = {
        {Today, {leave, sick, traded, note, clear}},
        {OnDutyCell, {leave, sick, traded, note}},
        {OffDutyCell, {extra, note}},
        {RdoCell, {extra, note, clear}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.cell);
        LeftClick(row.cell);
        QTest::keyClick(form->windowHandle(), Qt::Key_Menu);
        ASSERT_TRUE(MenuOpen());
        EXPECT_EQ(MenuEntries(), row.entries);
        CloseMenu();
    }
    // The day's kind is checked.
    LeftClick(Today);
    QTest::keyClick(form->windowHandle(), Qt::Key_Menu);
    EXPECT_TRUE(form->miSick->isChecked());
    EXPECT_FALSE(form->miLeave->isChecked());
    CloseMenu();

    // Under TFD only notes.
    Reopen("[Config]\nWorkAssign=TFD\n");
    QTest::keyClick(form->windowHandle(), Qt::Key_Menu);
    EXPECT_EQ(MenuEntries(), (QStringList{note, clear})) << "today keeps its Sick mark";
    CloseMenu();
    // A day without a schedule has an empty status line: the mark is all it shows.
    EXPECT_EQ(form->lblStatus->Text(), QStringLiteral("Sick (not counted): flu"));
    LeftClick(OnDutyCell);
    QTest::keyClick(form->windowHandle(), Qt::Key_Menu);
    EXPECT_EQ(MenuEntries(), QStringList{note});
    CloseMenu();
}

// The Menu key and Shift+F10 open the menu over the selected day, and only on the calendar page.
TEST_F(MyDaysTest, MenuKeyAndShiftF10OpenTheMenuOnTheSelectedDay) {
    QTest::keyClick(form->windowHandle(), Qt::Key_Right);
    for (const auto& [key, modifiers] : {std::pair{Qt::Key_Menu, Qt::KeyboardModifiers{}},
                                         std::pair{Qt::Key_F10, Qt::KeyboardModifiers{Qt::ShiftModifier}}}) {
        QTest::keyClick(form->windowHandle(), key, modifiers);
        ASSERT_TRUE(MenuOpen());
        EXPECT_TRUE(form->pmDay->geometry().contains(
            Cell(OnDutyCell)->mapToGlobal(Cell(OnDutyCell)->rect().center())));
        EXPECT_EQ(form->State().CurrentDate, DayOfCell(OnDutyCell));
        CloseMenu();
    }
    QTest::keyClick(form->windowHandle(), Qt::Key_Menu);
    Choose(form->miTradedAway);
    EXPECT_EQ(MarksInFile(), (DayMarks{{DayOfCell(OnDutyCell), {MarkKind::TradedAway, "", std::nullopt}}}));

    // F10 alone opens nothing; neither does the Menu key on another page.
    QTest::keyClick(form->windowHandle(), Qt::Key_F10);
    EXPECT_FALSE(MenuOpen());
    form->tabCtrl->SetCurrentIndex(2);
    QTest::keyClick(form->windowHandle(), Qt::Key_Menu);
    EXPECT_FALSE(MenuOpen());
}

// A right click where a left click does nothing (a day of a neighbouring month, the cells that let
// clicks pass) does nothing either: no selection, no menu.
TEST_F(MyDaysTest, RightClickOnADayOfAnotherMonthDoesNothing) {
    for (const int cell : {LeadingCell, SeptemberFirst - 1, 35, 38, 40}) {
        RightClick(cell);
        EXPECT_FALSE(MenuOpen()) << cell;
        EXPECT_EQ(form->State().CurrentDate, DayOfCell(Today)) << cell;
    }
    EXPECT_FALSE(fs::exists(DaysFile()));
}

// A finger held on a day selects it and opens the menu; a short tap only selects, as a click does.
TEST_F(MyDaysTest, ATouchHeldOnADayOpensTheMenu) {
    static QPointingDevice* screen = QTest::createTouchDevice();
    const QPoint point = Cell(OffDutyCell)->mapTo(form.get(), Cell(OffDutyCell)->rect().center());
    QTest::touchEvent(form->windowHandle(), screen).press(0, point);
    QTest::touchEvent(form->windowHandle(), screen).release(0, point);
    QCoreApplication::processEvents();
    EXPECT_EQ(form->State().CurrentDate, DayOfCell(OffDutyCell)) << "a tap selects";
    QTest::qWait(QGuiApplication::styleHints()->mousePressAndHoldInterval() + 100);
    EXPECT_FALSE(MenuOpen()) << "a tap opens no menu";

    const QPoint held = Cell(RdoCell)->mapTo(form.get(), Cell(RdoCell)->rect().center());
    QTest::touchEvent(form->windowHandle(), screen).press(0, held);
    ASSERT_TRUE(QTest::qWaitFor([&] { return MenuOpen(); }, 5000)) << "the hold opens the menu";
    EXPECT_EQ(form->State().CurrentDate, DayOfCell(RdoCell));
    QTest::touchEvent(form->windowHandle(), screen).release(0, held);
    QCoreApplication::processEvents();
    EXPECT_TRUE(MenuOpen()) << "lifting the finger chooses nothing";
    EXPECT_EQ(MenuEntries(), (QStringList{QStringLiteral("Extra shift…"), QStringLiteral("Note…")}));
    CloseMenu();

    // A mouse button held as long is a click, as it always was.
    const QPoint pressed = Cell(OnDutyCell)->mapTo(form.get(), Cell(OnDutyCell)->rect().center());
    QTest::mousePress(form->windowHandle(), Qt::LeftButton, {}, pressed);
    QTest::qWait(QGuiApplication::styleHints()->mousePressAndHoldInterval() + 100);
    EXPECT_FALSE(MenuOpen());
    QTest::mouseRelease(form->windowHandle(), Qt::LeftButton, {}, pressed);
    EXPECT_EQ(form->State().CurrentDate, DayOfCell(OnDutyCell));
    EXPECT_FALSE(MenuOpen());
}

// An extra shift asks its hours, starting from the day's or the last ones; a cancel changes nothing.
TEST_F(MyDaysTest, AnExtraShiftTakesItsHoursOrNone) {
    LeftClick(OffDutyCell);
    QTest::keyClick(form->windowHandle(), Qt::Key_Menu);
    Choose(form->miExtraShift);
    EXPECT_EQ(asked, QStringList{QStringLiteral("hours for Monday, September 25, 2023 from none")});
    EXPECT_FALSE(fs::exists(DaysFile())) << "cancelled";
    EXPECT_FALSE(SignShown(OffDutyCell));

    hours = {12.0, std::nullopt};
    QTest::keyClick(form->windowHandle(), Qt::Key_Menu);
    Choose(form->miExtraShift);
    EXPECT_EQ(MarksInFile(), (DayMarks{{DayOfCell(OffDutyCell), {MarkKind::ExtraShift, "", 12.0}}}));
    EXPECT_EQ(Sign(OffDutyCell)->Letter(), QStringLiteral("E"));
    EXPECT_EQ(form->lblStatus->Text(), QStringLiteral("9/25/2023\rGroup 3\rExtra shift, 12 hours"));

    // The next day off starts from the last hours; no hours is an answer too.
    LeftClick(OffDutyCell - 1);
    QTest::keyClick(form->windowHandle(), Qt::Key_Menu);
    Choose(form->miExtraShift);
    EXPECT_EQ(asked.last(), QStringLiteral("hours for Sunday, September 24, 2023 from 12"));
    EXPECT_EQ(MarksInFile(), (DayMarks{{DayOfCell(OffDutyCell - 1), {MarkKind::ExtraShift, "", std::nullopt}},
                                       {DayOfCell(OffDutyCell), {MarkKind::ExtraShift, "", 12.0}}}));
    // The day's own hours come first.
    LeftClick(OffDutyCell);
    QTest::keyClick(form->windowHandle(), Qt::Key_Menu);
    Choose(form->miExtraShift);
    EXPECT_EQ(asked.last(), QStringLiteral("hours for Monday, September 25, 2023 from 12"));
}

// Note… puts a note on a day, or on the day's mark; an emptied note takes a note-only mark away, and
// Clear any mark.
TEST_F(MyDaysTest, NotesAndClear) {
    notes = {QStringLiteral("court, room 3"), QStringLiteral("on\nleave"), QString()};
    QTest::keyClick(form->windowHandle(), Qt::Key_Menu);
    Choose(form->miNote);
    EXPECT_EQ(MarksInFile(),
              (DayMarks{{DayOfCell(Today), {MarkKind::NoteOnly, "court, room 3", std::nullopt}}}));
    EXPECT_EQ(Sign(Today)->Letter(), QStringLiteral("N"));
    EXPECT_EQ(form->lblStatus->Text(), QStringLiteral("9/22/2023\rGroup 3\rNote: court, room 3"));

    // A kind keeps the note, and Note… then changes the note and keeps the kind.
    QTest::keyClick(form->windowHandle(), Qt::Key_Menu);
    Choose(form->miLeave);
    QTest::keyClick(form->windowHandle(), Qt::Key_Menu);
    Choose(form->miNote);
    EXPECT_EQ(asked.last(), QStringLiteral("note for Friday, September 22, 2023 from 'court, room 3'"));
    EXPECT_EQ(MarksInFile(), (DayMarks{{DayOfCell(Today), {MarkKind::Leave, "on\nleave", std::nullopt}}}));
    EXPECT_EQ(form->lblStatus->Text(), QStringLiteral("9/22/2023\rGroup 3\rLeave: on leave"));
    EXPECT_EQ(CellName(Today), QStringLiteral("Friday, September 22, 2023, on duty, Leave: on leave"));

    QTest::keyClick(form->windowHandle(), Qt::Key_Menu);
    Choose(form->miClear);
    EXPECT_TRUE(MarksInFile().empty());
    EXPECT_FALSE(SignShown(Today));
    EXPECT_EQ(form->lblStatus->Text(), QStringLiteral("9/22/2023\rGroup 3"));

    // An emptied note takes the note-only mark away; a cancelled one changes nothing.
    LeftClick(RdoCell);
    notes = {QStringLiteral("training")};
    QTest::keyClick(form->windowHandle(), Qt::Key_Menu);
    Choose(form->miNote);
    ASSERT_TRUE(SignShown(RdoCell));
    QTest::keyClick(form->windowHandle(), Qt::Key_Menu);
    Choose(form->miNote);
    EXPECT_EQ(MarksInFile().size(), 1u) << "cancelled";
    notes = {QString()};
    QTest::keyClick(form->windowHandle(), Qt::Key_Menu);
    Choose(form->miNote);
    EXPECT_TRUE(MarksInFile().empty());
    EXPECT_FALSE(SignShown(RdoCell));
    EXPECT_TRUE(errorBoxes.isEmpty());
}

// A long note is cut in the status line, where it has one line between the buttons; the cell's name
// has all of it.
TEST_F(MyDaysTest, TheStatusLineCutsALongNote) {
    const std::string note(200, 'x');
    WriteDaysFile({{DayOfCell(Today), {MarkKind::Sick, note, std::nullopt}}});
    Open();
    const QStringList lines = form->lblStatus->Text().split(QLatin1Char('\r'));
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[2].startsWith(QStringLiteral("Sick: xxx")));
    EXPECT_TRUE(lines[2].endsWith(QChar(0x2026)));
    const qreal room = form->deDate->geometry().left() - form->bToday->geometry().right();
    EXPECT_LE(QFontMetricsF(form->lblStatus->EffectiveFont()).horizontalAdvance(lines[2]), room);
    EXPECT_TRUE(CellName(Today).endsWith(QString::fromStdString(", Sick: " + note)));
}

// A mark made under another assignment that no longer fits its day shows what it was, as a ring, and
// the status line and the cell's name say why it is not counted.
TEST_F(MyDaysTest, AMarkThatNoLongerFitsItsDayShowsAsARing) {
    WriteDaysFile({{DayOfCell(OnDutyCell), {MarkKind::Leave, "", std::nullopt}}});
    Reopen("[Config]\nWorkAssign=Group 1\n");
    ASSERT_TRUE(SignShown(OnDutyCell));
    EXPECT_EQ(Sign(OnDutyCell)->Letter(), QStringLiteral("L"));
    ScheduleState group1;
    SelectAssignment(group1, 1);
    ASSERT_NE(DutyCodeOf(group1, DayOfCell(OnDutyCell)), 'L') << "the day is off for Group 1";
    EXPECT_TRUE(Sign(OnDutyCell)->Ring());
    EXPECT_EQ(Sign(OnDutyCell)->InkColor(), Black);
    EXPECT_EQ(Sign(OnDutyCell)->LetterColor(), Black);
    LeftClick(OnDutyCell);
    EXPECT_EQ(form->lblStatus->Text().split(QLatin1Char('\r')).last(), QStringLiteral("Leave (not counted)"));
    EXPECT_TRUE(
        CellName(OnDutyCell).endsWith(QStringLiteral(", Leave (not counted: Leave needs a duty day)")));
    // The menu offers the kinds of the day as it is now, and Clear.
    QTest::keyClick(form->windowHandle(), Qt::Key_Menu);
    EXPECT_FALSE(form->miLeave->isVisible());
    EXPECT_TRUE(form->miClear->isVisible());
    // Its note cannot change while its kind does not fit the day: the box says why.
    const std::string before = ReadBytes(DaysFile());
    notes = {QStringLiteral("changed")};
    Choose(form->miNote);
    EXPECT_EQ(errorBoxes, QStringList{QStringLiteral("Leave needs a duty day. Nothing was changed.")});
    EXPECT_EQ(ReadBytes(DaysFile()), before);
    hours = {std::nullopt};
    QTest::keyClick(form->windowHandle(), Qt::Key_Menu);
    Choose(form->miExtraShift);
    EXPECT_EQ(MarksInFile(), (DayMarks{{DayOfCell(OnDutyCell), {MarkKind::ExtraShift, "", std::nullopt}}}))
        << "a kind that fits takes the mark's place";
}

// A days file that cannot be read: the window starts without marks, the error box says once which
// file and why, marking stays off and the menu says so, and the file is never written; once it is
// removed, marking works again.
TEST_F(MyDaysTest, AFileThatCannotBeReadTurnsMarkingOff) {
    const std::string broken =
        "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nUID:mark-20230923@varnok.orvane.example\r\n";
    form.reset();
    std::ofstream(DaysFile(), std::ios::binary) << broken;
    Open();
    const QString problem = QStringLiteral("it ends inside BEGIN:VEVENT of line 2");
    EXPECT_EQ(errorBoxes,
              QStringList{QStringLiteral("The days file %1 cannot be read: %2. Marking is off until "
                                         "the file is fixed or removed.")
                              .arg(QString::fromStdU16String(DaysFile().u16string()), problem)});
    for (int cell = 0; cell < 40; ++cell)
        EXPECT_FALSE(SignShown(cell));

    LeftClick(OnDutyCell);
    QTest::keyClick(form->windowHandle(), Qt::Key_Menu);
    ASSERT_TRUE(MenuOpen());
    EXPECT_EQ(MenuEntries(),
              QStringList{QStringLiteral("Marking is off: the days file cannot be read (%1)").arg(problem)});
    EXPECT_FALSE(form->miMarkingOff->isEnabled());
    CloseMenu();
    QTest::keyClick(form->windowHandle(), Qt::Key_PageDown);
    QTest::keyClick(form->windowHandle(), Qt::Key_PageUp);
    QTest::qWait(200);
    EXPECT_EQ(errorBoxes.size(), 1) << "said once";
    EXPECT_EQ(ReadBytes(DaysFile()), broken);

    fs::remove(DaysFile());
    QTest::keyClick(form->windowHandle(), Qt::Key_Menu);
    ASSERT_TRUE(MenuOpen());
    Choose(form->miSick);
    EXPECT_EQ(MarksInFile(), (DayMarks{{DayOfCell(OnDutyCell), {MarkKind::Sick, "", std::nullopt}}}));
    EXPECT_EQ(errorBoxes.size(), 1);
}

// A write that fails (here the lock file's place is taken by a folder) shows the error box, keeps the
// file as it was and the mark on the calendar; the next change writes both.
TEST_F(MyDaysTest, AFailedWriteKeepsTheMarkForTheNextChange) {
    WriteDaysFile({{DayOfCell(RdoCell), {MarkKind::NoteOnly, "before", std::nullopt}}});
    Open();
    const std::string before = ReadBytes(DaysFile());
    const fs::path lock = DaysFile().parent_path() / ".vnTolmere-days.ics.lock";
    fs::remove(lock);
    fs::create_directory(lock);

    RightClick(OnDutyCell);
    Choose(form->miLeave);
    EXPECT_EQ(errorBoxes,
              QStringList{QStringLiteral("Unable to write to %1. The change shows on the calendar and "
                                         "is written with the next one.")
                              .arg(QString::fromStdU16String(DaysFile().u16string()))});
    EXPECT_EQ(ReadBytes(DaysFile()), before);
    EXPECT_TRUE(SignShown(OnDutyCell));
    EXPECT_EQ(form->lblStatus->Text(), QStringLiteral("9/23/2023\rGroup 3\rLeave"));

    fs::remove(lock);
    RightClick(OffDutyCell);
    notes = {QStringLiteral("swap with Dana")};
    Choose(form->miNote);
    EXPECT_EQ(errorBoxes.size(), 1);
    EXPECT_EQ(MarksInFile(),
              (DayMarks{{DayOfCell(RdoCell), {MarkKind::NoteOnly, "before", std::nullopt}},
                        {DayOfCell(OnDutyCell), {MarkKind::Leave, "", std::nullopt}},
                        {DayOfCell(OffDutyCell), {MarkKind::NoteOnly, "swap with Dana", std::nullopt}}}));
}

// Another program changes the file (a process of its own, through the store, as varnok-duty mark
// does): the window shows its marks without any action, and its own changes go on top of them.
TEST_F(MyDaysTest, AnotherProgramsChangeIsShown) {
    const auto otherProgram = [&](const char* date, const char* kind, const char* code) {
        QProcess writer;
        writer.start(QStringLiteral(VARNOK_DAYS_WRITER),
                     {QString::fromStdU16String(DaysFile().u16string()), QLatin1String(date),
                      QLatin1String(kind), QLatin1String(code)});
        ASSERT_TRUE(writer.waitForFinished(10000));
        ASSERT_EQ(writer.exitCode(), 0) << date << " " << kind;
    };
    otherProgram("2023-09-25", "Extra shift", "K");
    ASSERT_TRUE(QTest::qWaitFor([&] { return SignShown(OffDutyCell); }, 5000));
    EXPECT_EQ(Sign(OffDutyCell)->Letter(), QStringLiteral("E"));
    EXPECT_TRUE(CellName(OffDutyCell).endsWith(QStringLiteral(", Extra shift: from another program")));

    RightClick(OnDutyCell);
    Choose(form->miSick);
    otherProgram("2023-09-25", "clear", "K");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !SignShown(OffDutyCell); }, 5000));
    EXPECT_TRUE(SignShown(OnDutyCell));
    otherProgram("2023-09-18", "Note", "Y");
    ASSERT_TRUE(QTest::qWaitFor([&] { return SignShown(RdoCell); }, 5000));
    EXPECT_EQ(MarksInFile(),
              (DayMarks{{DayOfCell(RdoCell), {MarkKind::NoteOnly, "from another program", std::nullopt}},
                        {DayOfCell(OnDutyCell), {MarkKind::Sick, "", std::nullopt}}}));
    EXPECT_TRUE(errorBoxes.isEmpty());
}

// Days before 31 December 2021 and after 2100 take no marks: the menu says which days do.
TEST_F(MyDaysTest, DaysOutsideTheMarkableSpanTakeNoMarks) {
    form->deDate->setDate(QDate(2021, 12, 31));
    form->deDate->closePicker();
    QTest::keyClick(form->windowHandle(), Qt::Key_Left);
    ASSERT_EQ(form->State().CurrentDate, DateSerial(2021, 12, 30));
    QTest::keyClick(form->windowHandle(), Qt::Key_Menu);
    ASSERT_TRUE(MenuOpen());
    EXPECT_EQ(MenuEntries(), QStringList{QStringLiteral("Marks go on days from 12/31/2021 to 12/31/2100")});
    CloseMenu();
}

// A mark's sign never covers the day number or the payday line, and changes nothing of the cell
// outside its square: at the window's size limits, for every day cell of the month, selected or not.
TEST_F(MyDaysTest, SignsLeaveTheNumbersAndTheRestOfTheCellAsTheyAre) {
    DayMarks everyDay;
    for (int cell = 0; cell < 40; ++cell)
        everyDay.emplace(DayOfCell(cell), DayMark{MarkKind::NoteOnly, "x", std::nullopt});
    for (const QSize size :
         {QSize(180, 320), QSize(180, 640), QSize(480, 320), QSize(480, 640), QSize(360, 567)}) {
        SCOPED_TRACE(testing::Message() << size.width() << "x" << size.height());
        fs::remove(DaysFile());
        const std::string settings =
            "[Config]\nWorkAssign=Group 3\nShowPaydays=1\nWidth=" + std::to_string(size.width()) +
            "\nHeight=" + std::to_string(size.height()) + "\n";
        Reopen(settings);
        std::vector<QImage> unmarked;
        for (int cell = 0; cell < 40; ++cell)
            unmarked.push_back(Cell(cell)->grab().toImage());
        WriteDaysFile(everyDay);
        Reopen(settings);
        for (int cell = 0; cell < 40; ++cell) {
            SCOPED_TRACE(cell);
            ASSERT_TRUE(SignShown(cell));
            const QImage marked = Cell(cell)->grab().toImage();
            ASSERT_EQ(marked.size(), unmarked[std::size_t(cell)].size());
            const QRect square = SignSquare(cell);
            // Fill rectangles are drawn in their exact color.
            const QRgb fill = ToQColor(Cell(cell)->FillColor()).rgba();
            for (int y = 0; y < marked.height(); ++y) {
                for (int x = 0; x < marked.width(); ++x) {
                    if (square.contains(x, y))
                        ASSERT_EQ(unmarked[std::size_t(cell)].pixel(x, y), fill)
                            << "the number reaches into the sign's square at " << x << "," << y;
                    else
                        ASSERT_EQ(marked.pixel(x, y), unmarked[std::size_t(cell)].pixel(x, y))
                            << x << "," << y;
                }
            }
        }
    }
}
