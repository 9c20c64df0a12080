// Start-up: what the window shows for a settings file (or none), and the end of the program when a
// color in the file cannot be read.

#include "app/application.h"
#include "app/run_program.h"
#include "schedule/duty_rotation.h"
#include "settings/alpha_color.h"
#include "window/main_form.h"
#include "window_fixture.h"

#include <QApplication>
#include <QDateEdit>
#include <QGraphicsOpacityEffect>
#include <QLineEdit>
#include <QTimer>
#include <filesystem>
#include <gtest/gtest.h>
#include <ostream>
#include <string>

namespace {

using StartupTest = WindowTest;

bool AnyMainWindowLeft() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (qobject_cast<TMainForm*>(window))
            return true;
    }
    return false;
}

struct AssignmentCase {
    const char* name;
    const char* file;
    int item;
    const char* title;

    friend void PrintTo(const AssignmentCase& row, std::ostream* out) { *out << row.name; }
};

class SavedAssignmentTest : public WindowTest, public testing::WithParamInterface<AssignmentCase> {
protected:
    // The value of the assignment key, whose name keeps the letter case the file gave it.
    QString SavedAssignment() const {
        for (const QString& line : QString::fromStdString(SettingsText()).split(QLatin1Char('\n'))) {
            if (line.startsWith(QStringLiteral("WorkAssign="), Qt::CaseInsensitive))
                return line.mid(11);
        }
        return QStringLiteral("(no key)");
    }
};

} // namespace

TEST_F(StartupTest, WithoutASettingsFileTheDefaultsShowAndNothingIsWritten) {
    EXPECT_EQ(form->frameGeometry().size(), QSize(360, 567));
    EXPECT_EQ(form->cbPlt->currentIndex(), 0);
    EXPECT_EQ(form->State().BaseDate, 0);
    EXPECT_EQ(form->lblToolbar0->Text(), QStringLiteral("Tolmere Fire Department"));
    EXPECT_EQ(form->lblToolbar0->FontSize(), form->State().TitleFontSize);
    EXPECT_FALSE(form->swPaydays->isChecked());
    EXPECT_EQ(form->edAgency->text(), QStringLiteral("Tolmere Fire Department"));
    EXPECT_FALSE(form->edAgency->font().bold());
    const auto* opacity = qobject_cast<QGraphicsOpacityEffect*>(form->edAgency->graphicsEffect());
    ASSERT_NE(opacity, nullptr);
    EXPECT_DOUBLE_EQ(opacity->opacity(), 0.5);
    const std::pair<TButton*, ArgbColor> roleButtons[] = {
        {form->bWork, claBlue},   {form->bOff, claDarkgray}, {form->bMulti, claGoldenrod},
        {form->bLdTr, claSilver}, {form->bBkGr, claBlack},
    };
    for (const auto& [button, color] : roleButtons) {
        EXPECT_EQ(button->FontColorForState(TButtonState::Normal), color)
            << button->objectName().toStdString();
    }
    // Today is selected, marked and shown by the date edit; every day is without schedule.
    EXPECT_EQ(form->tabCtrl->CurrentIndex(), 0);
    EXPECT_EQ(form->State().CurrentDate, DateSerial(2023, 9, 22));
    EXPECT_EQ(form->State().MarkDate, DateSerial(2023, 9, 22));
    EXPECT_EQ(form->deDate->date(), QDate(2023, 9, 22));
    EXPECT_EQ(form->lblMonthName->Text(), QStringLiteral("September"));
    EXPECT_EQ(DutyCodeOf(form->State(), form->State().CurrentDate), DutyNone);
    EXPECT_EQ(form->lblStatus->Text(), QString());
    // The folder is made; the file waits for Save or Reset.
    EXPECT_TRUE(std::filesystem::is_directory(SettingsFile().parent_path()));
    EXPECT_TRUE(std::filesystem::is_empty(SettingsFile().parent_path()));
}

TEST_P(SavedAssignmentTest, SelectsTheItemAndTitlesIt) {
    const AssignmentCase& row = GetParam();
    ReopenWith(row.file);
    EXPECT_EQ(form->cbPlt->currentIndex(), row.item);
    EXPECT_EQ(form->State().BaseDate, AssignmentBaseDates[std::size_t(row.item)]);
    EXPECT_EQ(form->lblToolbar0->Text(), QString::fromUtf8(row.title));
    EXPECT_EQ(form->lblToolbar0->FontSize(),
              row.item > 0 ? form->State().TitleFontSizeSmall : form->State().TitleFontSize);
    if (row.item > 0) {
        EXPECT_EQ(form->lblStatus->Text(), QStringLiteral("9/22/2023\r") + form->cbPlt->currentText());
    }
    // Save writes the item's own text, whatever the file held.
    form->tabCtrl->SetCurrentIndex(1);
    ClickAt(form->bSave, form->bSave->rect().center());
    EXPECT_EQ(SavedAssignment(), form->cbPlt->currentText());
}

INSTANTIATE_TEST_SUITE_P(
    Files, SavedAssignmentTest,
    testing::Values(
        AssignmentCase{"LowerCase", "[Config]\nWorkAssign=group 3\n", 3, "Tolmere Fire Department - Group 3"},
        AssignmentCase{"UpperCase", "[config]\nWORKASSIGN=GROUP 3\n", 3, "Tolmere Fire Department - Group 3"},
        AssignmentCase{"NoSuchGroup", "[Config]\nWorkAssign=Group 9\n", 0, "Tolmere Fire Department"},
        AssignmentCase{"Empty", "[Config]\nWorkAssign=\n", 0, "Tolmere Fire Department"},
        AssignmentCase{"Misspelt", "[Config]\nWorkAssign=Grup 3\n", 0, "Tolmere Fire Department"},
        AssignmentCase{"EmptyAgency", "[Config]\nAgency=\n", 0, ""},
        AssignmentCase{"EmptyAgencyWithAGroup", "[Config]\nAgency=\nWorkAssign=Group 2\n", 2, " - Group 2"}),
    [](const testing::TestParamInfo<AssignmentCase>& info) { return std::string(info.param.name); });

TEST_F(StartupTest, SavedValuesReachTheControls) {
    ReopenWith("[Config]\nAgency=Harbor Fire\nShowPaydays=2\nWidth=0x1F4\nHeight=600\n"
               "[Colors]\nOn-Duty=Teal\nOff-Duty=$FF123456\nRDO=clOrange\nLdTr=#FF808080\nBkGr=Navy\n");
    EXPECT_EQ(form->State().AgencyName, "Harbor Fire");
    EXPECT_EQ(form->edAgency->text(), QStringLiteral("Harbor Fire"));
    EXPECT_TRUE(form->swPaydays->isChecked());
    // 500 is above the widest window: the limits clamp it.
    EXPECT_EQ(form->frameGeometry().size(), QSize(480, 600));
    EXPECT_EQ(form->bWork->FontColorForState(TButtonState::Normal), 0xFF008080u);
    EXPECT_EQ(form->bOff->FontColorForState(TButtonState::Normal), 0xFF123456u);
    EXPECT_EQ(form->bMulti->FontColorForState(TButtonState::Normal), 0xFFFFA500u);
    EXPECT_EQ(form->bLdTr->FontColorForState(TButtonState::Normal), 0xFF808080u);
    EXPECT_EQ(form->bBkGr->FontColorForState(TButtonState::Normal), claBlack);
    EXPECT_EQ(form->State().BackgroundColor, claNavy);
}

TEST_F(StartupTest, UnreadableColorEndsTheStartUpWithoutAWindow) {
    const struct {
        const char* value;
        const char* message;
    } cases[] = {{"Bluish", "'Bluish' is not a valid integer value"},
                 {"", "'' is not a valid integer value"}};
    for (const auto& row : cases) {
        form.reset();
        ASSERT_FALSE(AnyMainWindowLeft());
        std::filesystem::create_directories(SettingsFile().parent_path());
        std::ofstream(SettingsFile(), std::ios::binary) << "[Colors]\nRDO=" << row.value << "\n";
        try {
            TMainForm window(clock, ConfigBase(), QLocale(QLocale::English, QLocale::UnitedStates));
            ADD_FAILURE() << "the window opened for " << row.value;
        } catch (const ColorConversionError& error) {
            EXPECT_STREQ(error.what(), row.message);
        }
        EXPECT_FALSE(AnyMainWindowLeft());
        EXPECT_EQ(MainForm, nullptr);
    }
}

class RunProgramTest : public WindowTest {
protected:
    void SetUp() override {
        TApplication::SetErrorBox([this](const QString& message) { errorBoxes.append(message); });
        // The program makes its own window.
        std::filesystem::create_directories(SettingsFile().parent_path());
    }
    void TearDown() override { TApplication::SetErrorBox({}); }

    int Run() const {
        return RunProgram(clock, ConfigBase(), QLocale(QLocale::English, QLocale::UnitedStates));
    }

    QStringList errorBoxes;
};

TEST_F(RunProgramTest, BadColorShowsOneBoxWithAFullStopAndExitsWithOne) {
    std::ofstream(SettingsFile(), std::ios::binary) << "[Colors]\nBkGr=Bluish\n";
    // Should a window open after all, close it so that the event loop ends.
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [] { QApplication::closeAllWindows(); });
    closer.start(10);
    EXPECT_EQ(Run(), 1);
    EXPECT_EQ(errorBoxes, QStringList{QStringLiteral("'Bluish' is not a valid integer value.")});
    EXPECT_FALSE(AnyMainWindowLeft());
    EXPECT_EQ(MainForm, nullptr);
}

TEST_F(RunProgramTest, ClosingTheWindowEndsTheLoopAndWritesNothing) {
    bool shown = false;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (MainForm == nullptr)
            return; // still in the window's construction
        shown = MainForm->isVisible() && MainForm->tabCtrl->CurrentIndex() == 0;
        closer.stop();
        MainForm->close();
    });
    closer.start(10);
    EXPECT_EQ(Run(), 0);
    EXPECT_TRUE(shown);
    EXPECT_TRUE(errorBoxes.isEmpty());
    EXPECT_EQ(MainForm, nullptr);
    EXPECT_FALSE(AnyMainWindowLeft());
    EXPECT_FALSE(std::filesystem::exists(SettingsFile()));
}

// The title is sized for the saved window size, not the size the window first showed at.
TEST_F(StartupTest, TitleTakesTheScaledSizeOfTheSavedWindow) {
    ReopenWith("[Config]\nWorkAssign=Group 2\nWidth=480\nHeight=640\n");
    EXPECT_EQ(form->frameGeometry().size(), QSize(480, 640));
    EXPECT_FLOAT_EQ(form->lblToolbar0->FontSize(), 0.32f * 640 / 16);
    ReopenWith("[Config]\nWidth=200\nHeight=400\n");
    EXPECT_FLOAT_EQ(form->lblToolbar0->FontSize(), 0.4f * 400 / 16);
}

// The window shows once, and when it does the saved size, the assignment, the colors and the title
// are already in place, on the calendar page.
TEST_F(StartupTest, TheWindowShowsWithTheSavedStateInPlace) {
    struct AtFirstShow : QObject {
        int shows = 0;
        QSize outerSize;
        int page = -1;
        int assignment = -1;
        QString title;
        qreal titleSize = 0;
        ArgbColor titleBarFill = 0;
        QString status;

        bool eventFilter(QObject* watched, QEvent* event) override {
            auto* window = qobject_cast<TMainForm*>(watched);
            if (window && event->type() == QEvent::Show && ++shows == 1) {
                outerSize = window->frameGeometry().size();
                page = window->tabCtrl->CurrentIndex();
                assignment = window->cbPlt->currentIndex();
                title = window->lblToolbar0->Text();
                titleSize = window->lblToolbar0->FontSize();
                titleBarFill = window->rectToolbar0->FillColor();
                status = window->lblStatus->Text();
            }
            return false;
        }
    } watcher;
    QApplication::instance()->installEventFilter(&watcher);
    ReopenWith("[Config]\nWorkAssign=Group 3\nWidth=400\nHeight=600\n[Colors]\nBkGr=Navy\n");
    QApplication::instance()->removeEventFilter(&watcher);

    EXPECT_EQ(watcher.shows, 1);
    EXPECT_EQ(watcher.outerSize, QSize(400, 600));
    EXPECT_EQ(form->frameGeometry().size(), QSize(400, 600));
    EXPECT_EQ(watcher.page, 0);
    EXPECT_EQ(watcher.assignment, 3);
    EXPECT_EQ(watcher.title, QStringLiteral("Tolmere Fire Department - Group 3"));
    EXPECT_FLOAT_EQ(watcher.titleSize, 0.32f * 600 / 16);
    EXPECT_EQ(watcher.titleBarFill, claNavy);
    EXPECT_EQ(watcher.status, QStringLiteral("9/22/2023\rGroup 3"));
}
