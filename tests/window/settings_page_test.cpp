// The settings page: the color-role buttons with the shared color picker, the assignment list, the
// agency edit and the page changes that bring its choices to the calendar.

#include "list_clicks.h"
#include "schedule/duty_rotation.h"
#include "settings/alpha_color.h"
#include "window/controls/tag.h"
#include "window/main_form.h"
#include "window_fixture.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QGraphicsOpacityEffect>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>
#include <ostream>
#include <string>

namespace {

constexpr TAlphaColor Crimson = 0xFFDC143C;
constexpr TAlphaColor Teal = 0xFF008080;

class SettingsPageTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        ShowSettings();
    }

    void ShowSettings() const {
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
        form->tabCtrl->SetCurrentIndex(1);
    }

    // Clicks a role button; its list must then be open.
    void OpenPicker(TButton* role) const {
        ClickAt(role, role->rect().center());
        ASSERT_TRUE(form->ccbColor->isVisible());
        ASSERT_TRUE(form->ccbColor->view()->isVisible()) << "the list is open";
    }

    // Chooses the entry with this name in the open color list.
    void Choose(const char* name) const { ClickListItem(form->ccbColor, QLatin1String(name)); }

    // Closes the open color list without a choice.
    void Dismiss() const { DismissList(form->ccbColor); }

    static float Opacity(const QWidget* widget) {
        const auto* effect = qobject_cast<const QGraphicsOpacityEffect*>(widget->graphicsEffect());
        return effect ? float(effect->opacity()) : 1.0f;
    }
};

struct RoleCase {
    const char* name;
    const char* button;
    int tag;
    TAlphaColor SettingsState::*role;
    TAlphaColor before;
    // A text of the calendar that shows the role's color, or -1.
    int probeCell;

    friend void PrintTo(const RoleCase& row, std::ostream* out) { *out << row.name; }
};

class ColorRoleTest : public SettingsPageTest, public testing::WithParamInterface<RoleCase> {};

} // namespace

TEST_P(ColorRoleTest, ChosenColorGoesToTheRoleAndItsButton) {
    const RoleCase& row = GetParam();
    auto* button = Find<TButton>(QLatin1String(row.button));
    ASSERT_NE(button, nullptr);
    const auto roleColor = [&] { return form->State().*row.role; };
    ASSERT_EQ(roleColor(), row.before);
    EXPECT_EQ(button->FontColorForState(TButtonState::Normal), row.before);

    // The list opens preset to the role's color and remembers the role by its tag.
    OpenPicker(button);
    EXPECT_EQ(TagOf(form->ccbColor), row.tag);
    EXPECT_EQ(form->ccbColor->currentText().toStdString(), ColorToText(row.before));
    const ArgbColor probeBefore = row.probeCell >= 0 ? form->gT[std::size_t(row.probeCell)]->TextColor() : 0;
    Choose("Crimson");
    EXPECT_FALSE(form->ccbColor->isVisible());
    EXPECT_EQ(roleColor(), Crimson);
    EXPECT_EQ(button->FontColorForState(TButtonState::Normal), Crimson);

    // The calendar takes the new color at the next full refresh, which the way back runs.
    if (row.probeCell >= 0) {
        TTextElement* probe = form->gT[std::size_t(row.probeCell)];
        EXPECT_EQ(probe->TextColor(), probeBefore);
        ClickAt(form->sbBack1, form->sbBack1->rect().center());
        EXPECT_EQ(probe->TextColor(), Crimson);
        form->tabCtrl->SetCurrentIndex(1);
    }

    // Dismissing the list gives the preset color back; "Null" changes nothing.
    OpenPicker(button);
    Dismiss();
    EXPECT_FALSE(form->ccbColor->isVisible());
    EXPECT_EQ(roleColor(), Crimson);
    OpenPicker(button);
    Choose("Null");
    EXPECT_FALSE(form->ccbColor->isVisible());
    EXPECT_EQ(roleColor(), Crimson);
    EXPECT_EQ(button->FontColorForState(TButtonState::Normal), Crimson);
}

INSTANTIATE_TEST_SUITE_P(
    Roles, ColorRoleTest,
    testing::Values(
        // Cell 40 is the legend "Wrk", 41 "Off"; cell 0 shows 27 August in the lead/trail color.
        RoleCase{"Work", "bWork", 1, &SettingsState::OnDutyColor, claBlue, 40},
        RoleCase{"Off", "bOff", 2, &SettingsState::OffDutyColor, claDarkgray, 41},
        RoleCase{"Rdo", "bMulti", 5, &SettingsState::RdoColor, claGoldenrod, -1},
        RoleCase{"LeadTrail", "bLdTr", 6, &SettingsState::LeadTrailColor, claSilver, 0}),
    [](const testing::TestParamInfo<RoleCase>& info) { return std::string(info.param.name); });

TEST_F(SettingsPageTest, BackgroundRepaintsEveryRectangleAtOnce) {
    const ArgbColor monthNameColor = form->lblMonthName->TextColor();
    const ArgbColor dayNumberColor = form->gT[26]->TextColor();
    OpenPicker(form->bBkGr);
    EXPECT_EQ(TagOf(form->ccbColor), 7);
    EXPECT_EQ(form->ccbColor->currentText(), QStringLiteral("White"));
    Choose("Navy");

    EXPECT_EQ(form->State().BackgroundColor, claNavy);
    // Every rectangle but the selected day's cell (22 September, cell 26) takes the new background.
    for (TRectangle* rectangle : form->findChildren<TRectangle*>()) {
        if (rectangle != form->gR[26]) {
            EXPECT_EQ(rectangle->FillColor(), claNavy) << rectangle->objectName().toStdString();
        }
    }
    for (const char* name : {"lblToolbar0", "lblToolbar1", "lblToolbar2", "lblToolbar3", "lblPlatoon",
                             "lblPaydays", "lblAgency"}) {
        EXPECT_EQ(Find<TLabel>(QLatin1String(name))->TextColor(), claWhite) << name;
    }
    // The glyphs on the new fill turn with the labels of their pages.
    for (const TButton* glyph : {form->sbBack1, form->sbBack2, form->sbBack3, form->sbReset})
        EXPECT_EQ(glyph->FontColorForState(TButtonState::Normal), claWhite)
            << glyph->objectName().toStdString();
    EXPECT_EQ(form->bBkGr->FontColorForState(TButtonState::Normal), claBlack);
    EXPECT_EQ(form->bSave->FontColorForState(TButtonState::Normal), claBlack);
    EXPECT_EQ(form->edAgency->palette().color(QPalette::Text), QColor(Qt::black));
    // What only a full refresh paints keeps its old colors until the calendar comes back.
    EXPECT_EQ(form->lblMonthName->TextColor(), monthNameColor);
    EXPECT_EQ(form->bPrev->FontColorForState(TButtonState::Normal), monthNameColor);
    EXPECT_EQ(form->gT[26]->TextColor(), dayNumberColor);

    ClickAt(form->sbBack1, form->sbBack1->rect().center());
    EXPECT_EQ(form->lblMonthName->TextColor(), claWhite);
    EXPECT_EQ(form->bPrev->FontColorForState(TButtonState::Normal), claWhite);
    EXPECT_EQ(form->bSave->FontColorForState(TButtonState::Normal), claBlue);
}

TEST_F(SettingsPageTest, HandEditedRoleColorSurvivesADismissedList) {
    ReopenWith("[Colors]\nOn-Duty=#FF123456\n");
    ShowSettings();
    ASSERT_EQ(form->State().OnDutyColor, 0xFF123456u);
    // Another role's list leaves its color selected; the hand-edited color has no entry.
    OpenPicker(form->bOff);
    Dismiss();
    OpenPicker(form->bWork);
    Dismiss();
    EXPECT_EQ(form->State().OnDutyColor, 0xFF123456u);
    EXPECT_EQ(form->bWork->FontColorForState(TButtonState::Normal), 0xFF123456u);
    EXPECT_EQ(form->State().OffDutyColor, claDarkgray);
    // A choice still replaces it.
    OpenPicker(form->bWork);
    Choose("Teal");
    EXPECT_EQ(form->State().OnDutyColor, Teal);
}

// Both lists open as Qt's own scrolling list below their box, as many rows as each allows; the
// style's menu-like popup would lie over the box and take every row that the screen holds.
TEST_F(SettingsPageTest, ListsOpenBelowTheirBoxWithTheirRowCount) {
    const auto fullRows = [](QComboBox* box) {
        const QAbstractItemView* list = box->view();
        int rows = 0;
        for (int entry = 0; entry < box->count(); ++entry) {
            const QRect item = list->visualRect(box->model()->index(entry, box->modelColumn()));
            rows += list->viewport()->rect().contains(item) ? 1 : 0;
        }
        return rows;
    };
    // Qt lets the list overlap the box's bottom edge by a pixel.
    const auto belowTheBox = [](QComboBox* box) {
        return box->view()->window()->geometry().top() >= box->mapToGlobal(QPoint(0, box->height() - 2)).y();
    };
    OpenPicker(form->bWork);
    EXPECT_EQ(fullRows(form->ccbColor), 24);
    EXPECT_TRUE(belowTheBox(form->ccbColor));
    Dismiss();
    ClickAt(form->cbPlt, form->cbPlt->rect().center());
    ASSERT_TRUE(form->cbPlt->view()->isVisible());
    EXPECT_EQ(fullRows(form->cbPlt), 8);
    EXPECT_TRUE(belowTheBox(form->cbPlt));
    DismissList(form->cbPlt);
}

TEST_F(SettingsPageTest, ChosenGroupTitlesAtOnceAndReachesTheCalendarOnReturn) {
    const float largeSize = form->lblToolbar0->FontSize();
    ASSERT_EQ(form->lblStatus->Text(), QString()) << "no schedule without a group";
    ClickAt(form->cbPlt, form->cbPlt->rect().center());
    ClickListItem(form->cbPlt, QStringLiteral("Group 3"));

    EXPECT_EQ(form->State().BaseDate, AssignmentBaseDates[3]);
    EXPECT_EQ(form->lblToolbar0->Text(), QStringLiteral("Tolmere Fire Department - Group 3"));
    EXPECT_EQ(form->lblToolbar0->FontSize(), form->State().TitleFontSizeSmall);
    EXPECT_LT(form->State().TitleFontSizeSmall, largeSize);
    EXPECT_EQ(form->lblStatus->Text(), QString()) << "the calendar follows only at the next refresh";

    ClickAt(form->sbBack1, form->sbBack1->rect().center());
    EXPECT_EQ(form->tabCtrl->CurrentIndex(), 0);
    EXPECT_EQ(form->lblStatus->Text(), QStringLiteral("9/22/2023\rGroup 3"));
    EXPECT_EQ(form->lblToolbar0->Text(), QStringLiteral("Tolmere Fire Department - Group 3"));
}

TEST_F(SettingsPageTest, ListClosedWithNothingSelectedFallsBackToTheDepartment) {
    ReopenWith("[Config]\nWorkAssign=Group 2\n");
    ShowSettings();
    ASSERT_EQ(form->State().BaseDate, AssignmentBaseDates[2]);
    ClickAt(form->cbPlt, form->cbPlt->rect().center());
    form->cbPlt->setCurrentIndex(-1);
    DismissList(form->cbPlt);
    EXPECT_EQ(form->cbPlt->currentIndex(), 0);
    EXPECT_EQ(form->State().BaseDate, 0);
    EXPECT_EQ(form->lblToolbar0->Text(), QStringLiteral("Tolmere Fire Department"));
    EXPECT_EQ(form->lblToolbar0->FontSize(), form->State().TitleFontSize);
}

TEST_F(SettingsPageTest, SelectionChangedWithoutTheListFollowsAtOnce) {
    // The wheel or the arrow keys change the list's item without opening it; the assignment and the
    // title must not lag behind the item that the status line shows.
    ClickAt(form->cbPlt, form->cbPlt->rect().center());
    DismissList(form->cbPlt);
    ASSERT_EQ(QApplication::focusWidget(), form->cbPlt);
    QTest::keyClick(form->cbPlt, Qt::Key_Down);
    QTest::keyClick(form->cbPlt, Qt::Key_Down);
    ASSERT_EQ(form->cbPlt->currentIndex(), 2);
    EXPECT_EQ(form->State().BaseDate, AssignmentBaseDates[2]);
    EXPECT_EQ(form->lblToolbar0->Text(), QStringLiteral("Tolmere Fire Department - Group 2"));
}

TEST_F(SettingsPageTest, LeavingThePageRunsNoListHandler) {
    // Hiding a list is not closing it: the assignment changes only through the list itself.
    form->cbPlt->setCurrentIndex(4);
    ClickAt(form->sbBack1, form->sbBack1->rect().center());
    EXPECT_EQ(form->State().BaseDate, 0);
    // The window closes on the settings page without running a handler on a half-destroyed window.
    form->tabCtrl->SetCurrentIndex(1);
    form->close();
    form.reset();
}

TEST_F(SettingsPageTest, AgencyEditRaisesWhileFocusedAndLeavesTheTitleAlone) {
    EXPECT_FLOAT_EQ(Opacity(form->edAgency), 0.5f);
    EXPECT_FALSE(form->edAgency->font().bold());
    ClickAt(form->edAgency, form->edAgency->rect().center());
    ASSERT_EQ(QApplication::focusWidget(), form->edAgency);
    EXPECT_FLOAT_EQ(Opacity(form->edAgency), 1.0f);
    EXPECT_TRUE(form->edAgency->font().bold());

    form->edAgency->selectAll();
    QTest::keyClicks(form->edAgency, QStringLiteral("Harbor Fire"));
    QTest::keyClick(form->edAgency, Qt::Key_Tab);
    EXPECT_NE(QApplication::focusWidget(), form->edAgency);
    EXPECT_FLOAT_EQ(Opacity(form->edAgency), 0.5f);
    EXPECT_FALSE(form->edAgency->font().bold());
    EXPECT_EQ(form->edAgency->text(), QStringLiteral("Harbor Fire"));

    ClickAt(form->sbBack1, form->sbBack1->rect().center());
    EXPECT_EQ(form->lblToolbar0->Text(), QStringLiteral("Tolmere Fire Department"));
    EXPECT_EQ(form->State().AgencyName, "Tolmere Fire Department");
}

TEST_F(SettingsPageTest, ArrowKeysReachTheCalendarAfterTheSettingsControlsHadTheFocus) {
    // The switch takes the arrow keys while it holds the focus; once its page is hidden it may not
    // keep the focus, nor hand it to a calendar control that takes the arrows.
    OpenPicker(form->bOff);
    Choose("Teal");
    ClickAt(form->swPaydays, form->swPaydays->rect().center());
    ASSERT_TRUE(form->swPaydays->isChecked());
    form->tabCtrl->SetCurrentIndex(2);
    ClickAt(form->sbBack2, form->sbBack2->rect().center());
    QTest::keyClick(form->windowHandle(), Qt::Key_Up);
    QTest::keyClick(form->windowHandle(), Qt::Key_Right);
    EXPECT_EQ(form->State().CurrentDate, DateSerial(2023, 9, 16));
    EXPECT_TRUE(form->swPaydays->isChecked());
}

TEST_F(SettingsPageTest, EveryBackButtonReturnsToTheCalendarAndKeepsTheDay) {
    QTest::keyClick(form->windowHandle(), Qt::Key_PageDown);
    for (TSpeedButton* back : {form->sbBack1, form->sbBack2, form->sbBack3}) {
        for (int page : {1, 2, 3}) {
            form->tabCtrl->SetCurrentIndex(page);
            if (back->isVisible())
                break;
        }
        ASSERT_TRUE(back->isVisible()) << back->objectName().toStdString();
        ClickAt(back, back->rect().center());
        EXPECT_EQ(form->tabCtrl->CurrentIndex(), 0) << back->objectName().toStdString();
        EXPECT_EQ(form->State().CurrentDate, DateSerial(2023, 10, 22));
        EXPECT_EQ(form->lblMonthName->Text(), QStringLiteral("October"));
    }
}
