#include "duty_tool/duty_command.h"
#include "url_recorder.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sstream>
#include <string>

namespace {

class DutyCommandTest : public testing::Test {
protected:
    DutyCommandTest() {
        environment_.Clock = &clock_;
        environment_.SettingsBase =
            std::filesystem::path(folder_.filePath(QStringLiteral("config")).toStdString());
        environment_.Locale = QLocale(QLocale::English, QLocale::UnitedStates);
        environment_.Out = &out_;
        environment_.Err = &err_;
        environment_.DocumentsFolder = folder_.filePath(QStringLiteral("Documents"));
        environment_.StampTime = 1700000000;
        environment_.Open = [](const QUrl& url) {
            return QDesktopServices::openUrl(url) ? QString() : QStringLiteral("nothing opened it");
        };
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &recorder_, "Open");
    }
    ~DutyCommandTest() override { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }

    int Run(QStringList arguments) {
        arguments.prepend(QStringLiteral("varnok-duty"));
        return RunDutyTool(arguments, environment_, CoreSubcommands());
    }

    QTemporaryDir folder_;
    FixedTodayClock clock_{46402}; // Friday 15 January 2027
    std::ostringstream out_;
    std::ostringstream err_;
    UrlRecorder recorder_;
    DutyToolEnvironment environment_;
};

TEST_F(DutyCommandTest, OpenWritesIntoTheDocumentsFolderAndHandsTheFileToTheDesktop) {
    ASSERT_EQ(Run({"ics", "-a", "3", "--from", "2027-01-01", "--to", "2027-12-31", "--open"}), 0)
        << err_.str();
    const QString file = QDir(environment_.DocumentsFolder).filePath(QStringLiteral("Group 3 duty 2027.ics"));
    EXPECT_TRUE(QFile::exists(file));
    ASSERT_EQ(recorder_.Opened.size(), 1);
    EXPECT_EQ(recorder_.Opened.front(), QUrl::fromLocalFile(file));
    EXPECT_EQ(out_.str(), file.toStdString() + "\n");
    EXPECT_EQ(err_.str(), "");

    ASSERT_EQ(Run({"ics", "-a", "group 5", "--open"}), 0) << err_.str();
    ASSERT_EQ(recorder_.Opened.size(), 2);
    EXPECT_EQ(recorder_.Opened.back().fileName(), QStringLiteral("Group 5 duty 2022-2100.ics"));
}

TEST_F(DutyCommandTest, OpenReportsADesktopThatOpensNothing) {
    environment_.Open = [](const QUrl&) { return QStringLiteral("no desktop"); };
    EXPECT_EQ(Run({"ics", "-a", "3", "--open", "--from", "today", "--to", "today"}), 1);
    const QString file = QDir(environment_.DocumentsFolder).filePath(QStringLiteral("Group 3 duty 2027.ics"));
    EXPECT_EQ(err_.str(), "varnok-duty: cannot open " + file.toStdString() + ": no desktop\n");
    EXPECT_TRUE(QFile::exists(file));
}

TEST_F(DutyCommandTest, TodayAndTomorrowComeFromTheClock) {
    ASSERT_EQ(Run({"day", "tomorrow", "-a", "4"}), 0) << err_.str();
    EXPECT_EQ(out_.str(), "Saturday, January 16, 2027: Group 4 on duty\n");
}

struct KindCase {
    const char* Name;
    friend void PrintTo(const KindCase& row, std::ostream* out) { *out << row.Name; }
    QStringList Arguments;
    ApplicationKind WithDesktop;
    ApplicationKind WithoutDesktop;
};

class ApplicationKindTest : public testing::TestWithParam<KindCase> {};

TEST_P(ApplicationKindTest, OnlyOpeningNeedsTheDesktop) {
    const QStringList arguments = QStringList{"varnok-duty"} + GetParam().Arguments;
    EXPECT_EQ(ApplicationKindFor(arguments, true), GetParam().WithDesktop);
    EXPECT_EQ(ApplicationKindFor(arguments, false), GetParam().WithoutDesktop);
}

constexpr ApplicationKind Core = ApplicationKind::Core;
constexpr ApplicationKind Offscreen = ApplicationKind::OffscreenGui;
constexpr ApplicationKind Desktop = ApplicationKind::DesktopGui;

INSTANTIATE_TEST_SUITE_P(
    Arguments, ApplicationKindTest,
    testing::Values(KindCase{"Nothing", {}, Core, Core}, KindCase{"Day", {"day", "today"}, Core, Core},
                    KindCase{"Csv", {"csv", "-o", "x.csv"}, Core, Core},
                    KindCase{"Ics", {"ics", "--rdo"}, Core, Core},
                    KindCase{"IcsOpen", {"ics", "--rdo", "--open"}, Desktop, Core},
                    KindCase{"Year", {"year", "2027", "-o", "x.pdf"}, Offscreen, Offscreen},
                    KindCase{"YearOpen", {"year", "--open"}, Desktop, Offscreen},
                    KindCase{"DayWithOpenIsAnError", {"day", "--open"}, Core, Core},
                    KindCase{"Help", {"--help"}, Core, Core}),
    [](const testing::TestParamInfo<KindCase>& info) { return std::string(info.param.Name); });

} // namespace
