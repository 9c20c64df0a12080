// Save and the size reset of the settings page, through real clicks, checked on the settings file's
// bytes; a failed write shows the error box once and the program goes on.

#include "app/application.h"
#include "list_clicks.h"
#include "schedule/duty_rotation.h"
#include "window/main_form.h"
#include "window_fixture.h"

#include <QLineEdit>
#include <QStringList>
#include <QTest>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>

namespace {

class SaveResetTest : public WindowTest {
protected:
    void SetUp() override {
        TApplication::SetErrorBox([this](const QString& message) { errorBoxes.append(message); });
        WindowTest::SetUp();
        ShowSettings();
    }
    void TearDown() override { TApplication::SetErrorBox({}); }

    void ShowSettings() const {
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
        form->tabCtrl->SetCurrentIndex(1);
    }

    void Click(QWidget* widget) const { ClickAt(widget, widget->rect().center()); }

    std::string OuterWidth() const { return std::to_string(form->frameGeometry().width()); }
    std::string OuterHeight() const { return std::to_string(form->frameGeometry().height()); }

    QStringList errorBoxes;
};

} // namespace

TEST_F(SaveResetTest, FirstSaveWritesEveryKeyInItsOrder) {
    ASSERT_FALSE(std::filesystem::exists(SettingsFile()));
    Click(form->bSave);
    EXPECT_EQ(SettingsText(), "[Config]\n"
                              "Agency=Tolmere Fire Department\n"
                              "WorkAssign=TFD\n"
                              "ShowPaydays=0\n"
                              "Width=360\n"
                              "Height=567\n"
                              "[Colors]\n"
                              "Off-Duty=Darkgray\n"
                              "On-Duty=Blue\n"
                              "RDO=Goldenrod\n"
                              "LdTr=Silver\n"
                              "BkGr=White\n");
    EXPECT_EQ(form->tabCtrl->CurrentIndex(), 0);
    EXPECT_TRUE(errorBoxes.isEmpty());
}

TEST_F(SaveResetTest, SaveWritesWhatThePageHoldsAndTitlesTheTrimmedAgency) {
    Click(form->cbPlt);
    ClickListItem(form->cbPlt, QStringLiteral("Group 5"));
    Click(form->swPaydays);
    Click(form->bOff);
    ClickListItem(form->ccbColor, QStringLiteral("Crimson"));
    Click(form->bBkGr);
    ClickListItem(form->ccbColor, QStringLiteral("Lightyellow"));
    Click(form->edAgency);
    form->edAgency->selectAll();
    QTest::keyClicks(form->edAgency, QStringLiteral("  Harbor Fire  "));
    form->resize(form->width() + 30, form->height() - 40);
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->frameGeometry().height() < 567; }));

    Click(form->bSave);
    const std::string size = "Width=" + OuterWidth() + "\nHeight=" + OuterHeight() + "\n";
    EXPECT_EQ(SettingsText(), "[Config]\n"
                              "Agency=Harbor Fire\n"
                              "WorkAssign=Group 5\n"
                              "ShowPaydays=1\n" +
                                  size +
                                  "[Colors]\n"
                                  "Off-Duty=Crimson\n"
                                  "On-Duty=Blue\n"
                                  "RDO=Goldenrod\n"
                                  "LdTr=Silver\n"
                                  "BkGr=Lightyellow\n");
    // Back on the calendar, whose title takes the saved name; the edit still shows what was typed.
    EXPECT_EQ(form->tabCtrl->CurrentIndex(), 0);
    EXPECT_EQ(form->lblToolbar0->Text(), QStringLiteral("Harbor Fire - Group 5"));
    EXPECT_EQ(form->edAgency->text(), QStringLiteral("  Harbor Fire  "));

    // The next start reads it all back.
    ReopenWith(SettingsText());
    EXPECT_EQ(form->cbPlt->currentText(), QStringLiteral("Group 5"));
    EXPECT_TRUE(form->swPaydays->isChecked());
    EXPECT_EQ(form->State().OffDutyColor, 0xFFDC143Cu);
    EXPECT_EQ(form->State().BackgroundColor, 0xFFFFFFE0u);
    EXPECT_EQ(form->State().AgencyName, "Harbor Fire");
    EXPECT_EQ(std::to_string(form->frameGeometry().width()), OuterWidth());
}

TEST_F(SaveResetTest, EmptyAgencyEditKeepsTheNameAndBlanksSaveAnEmptyOne) {
    ReopenWith("[Config]\nAgency=Harbor Fire\n");
    ShowSettings();
    form->edAgency->clear();
    Click(form->bSave);
    EXPECT_EQ(form->State().AgencyName, "Harbor Fire");
    EXPECT_NE(SettingsText().find("Agency=Harbor Fire\n"), std::string::npos);
    EXPECT_EQ(form->lblToolbar0->Text(), QStringLiteral("Harbor Fire"));

    form->tabCtrl->SetCurrentIndex(1);
    form->edAgency->setText(QStringLiteral("   "));
    Click(form->bSave);
    EXPECT_NE(SettingsText().find("Agency=\n"), std::string::npos);
    EXPECT_EQ(form->lblToolbar0->Text(), QString());
    ReopenWith(SettingsText());
    EXPECT_EQ(form->State().AgencyName, "");
}

TEST_F(SaveResetTest, ResetWritesTheSizeAloneAndALaterSaveAppends) {
    form->resize(form->width() + 40, form->height() - 60);
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->frameGeometry().height() < 567; }));
    Click(form->sbReset);
    EXPECT_EQ(SettingsText(), "[Config]\nWidth=360\nHeight=567\n");
    EXPECT_EQ(form->frameGeometry().size(), QSize(360, 567));
    EXPECT_EQ(form->tabCtrl->CurrentIndex(), 1) << "Reset stays on the settings page";

    Click(form->bSave);
    EXPECT_EQ(SettingsText(), "[Config]\n"
                              "Width=360\n"
                              "Height=567\n"
                              "Agency=Tolmere Fire Department\n"
                              "WorkAssign=TFD\n"
                              "ShowPaydays=0\n"
                              "[Colors]\n"
                              "Off-Duty=Darkgray\n"
                              "On-Duty=Blue\n"
                              "RDO=Goldenrod\n"
                              "LdTr=Silver\n"
                              "BkGr=White\n");
}

TEST_F(SaveResetTest, FailedSaveShowsOneBoxStopsThereAndTheProgramGoesOn) {
    // A folder standing where the file should be makes every write fail.
    std::filesystem::create_directories(SettingsFile());
    const QString expected =
        QStringLiteral("Unable to write to %1.").arg(QString::fromStdString(SettingsFile().string()));
    form->edAgency->setText(QStringLiteral(" Harbor Fire "));
    QTest::keyClick(form->windowHandle(), Qt::Key_PageDown);
    Click(form->bSave);
    EXPECT_EQ(errorBoxes, QStringList{expected});
    // The steps after the failed write did not run: no page change, no title; the name was taken.
    EXPECT_EQ(form->tabCtrl->CurrentIndex(), 1);
    EXPECT_EQ(form->State().AgencyName, "Harbor Fire");
    EXPECT_EQ(form->lblToolbar0->Text(), QStringLiteral("Tolmere Fire Department"));

    // The window keeps working: the failed Reset leaves the size, and Save succeeds once it can.
    const QSize outer = form->frameGeometry().size();
    form->resize(form->width() + 20, form->height());
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->frameGeometry().size() != outer; }));
    const QSize resized = form->frameGeometry().size();
    Click(form->sbReset);
    EXPECT_EQ(errorBoxes, (QStringList{expected, expected}));
    EXPECT_EQ(form->frameGeometry().size(), resized);

    std::filesystem::remove(SettingsFile());
    Click(form->bSave);
    EXPECT_EQ(errorBoxes.size(), 2);
    EXPECT_EQ(form->tabCtrl->CurrentIndex(), 0);
    EXPECT_EQ(form->lblToolbar0->Text(), QStringLiteral("Harbor Fire"));
    EXPECT_NE(SettingsText().find("Agency=Harbor Fire\n"), std::string::npos);
    EXPECT_EQ(form->State().CurrentDate, DateSerial(2023, 10, 22));
    QTest::keyClick(form->windowHandle(), Qt::Key_Right);
    EXPECT_EQ(form->State().CurrentDate, DateSerial(2023, 10, 23));
}
