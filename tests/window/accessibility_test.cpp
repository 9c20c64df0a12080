#include "window_fixture.h"

#include <QAccessible>
#include <QDateEdit>
#include <QLineEdit>

namespace {

// Group 3 with paydays marked, on Friday 22 September 2023 (cell 26 of the grid from 27 August).
class AccessibilityTest : public WindowTest {
protected:
    void SetUp() override { ReopenWith("[Config]\nWorkAssign=Group 3\nShowPaydays=1\n"); }

    static QAccessibleInterface* Interface(QObject* object) {
        return QAccessible::queryAccessibleInterface(object);
    }

    QString CellName(int cell) const {
        return Interface(form->gR[std::size_t(cell)])->text(QAccessible::Name);
    }
    bool CellSelected(int cell) const { return Interface(form->gR[std::size_t(cell)])->state().selected; }
};

} // namespace

TEST_F(AccessibilityTest, DayCellsSayTheDateAndTheDuty) {
    const struct {
        int cell;
        const char* name;
    } cells[] = {
        {0, "Sunday, August 27, 2023, off duty"},
        {5, "Friday, September 1, 2023, regular day off, payday"},
        {22, "Monday, September 18, 2023, regular day off"},
        {26, "Friday, September 22, 2023, on duty"},
        {39, "Thursday, October 5, 2023, on duty"},
    };
    for (const auto& expected : cells)
        EXPECT_EQ(CellName(expected.cell), QString::fromUtf8(expected.name)) << expected.cell;
    EXPECT_EQ(Interface(form->gR[26])->role(), QAccessible::Cell);
    EXPECT_EQ(Interface(form->gR[26])->childCount(), 0);
    EXPECT_TRUE(CellName(40).contains(QStringLiteral("Wrk")));
    EXPECT_TRUE(CellName(41).contains(QStringLiteral("Off")));
}

TEST_F(AccessibilityTest, OnlyTheSelectedCellIsSelected) {
    for (int cell = 0; cell < 42; ++cell)
        EXPECT_EQ(CellSelected(cell), cell == 26) << cell;
    EXPECT_TRUE(Interface(form->gR[26])->state().selectable);
    EXPECT_FALSE(Interface(form->gR[38])->state().selectable);
}

TEST_F(AccessibilityTest, NamesFollowANavigationKey) {
    QTest::keyClick(form->windowHandle(), Qt::Key_Right);
    EXPECT_TRUE(CellSelected(27));
    EXPECT_FALSE(CellSelected(26));
    EXPECT_EQ(CellName(27), QStringLiteral("Saturday, September 23, 2023, on duty"));

    // A new month renames every cell.
    QTest::keyClick(form->windowHandle(), Qt::Key_PageDown);
    EXPECT_EQ(CellName(0), QStringLiteral("Sunday, October 1, 2023, on duty"));
    EXPECT_TRUE(CellSelected(22)); // 23 October
}

TEST_F(AccessibilityTest, TextsAreReadableAndControlsNamed) {
    EXPECT_EQ(Interface(form->lblStatus)->role(), QAccessible::StaticText);
    EXPECT_EQ(Interface(form->lblStatus)->text(QAccessible::Name), QStringLiteral("9/22/2023\nGroup 3"));
    EXPECT_EQ(Interface(form->lblMonthName)->text(QAccessible::Name), QStringLiteral("September"));
    EXPECT_EQ(Interface(form->lblToolbar0)->text(QAccessible::Name),
              QStringLiteral("Tolmere Fire Department - Group 3"));
    // Controls that show an icon or no words of their own still have a name.
    for (QWidget* control : std::initializer_list<QWidget*>{
             form->bPrev, form->bNext, form->sbBack1, form->sbBack2, form->sbBack3, form->sbReset,
             form->deDate, form->cbPlt, form->swPaydays, form->edAgency, form->ImgHelp}) {
        EXPECT_FALSE(Interface(control)->text(QAccessible::Name).isEmpty())
            << control->objectName().toStdString();
    }
    EXPECT_EQ(Interface(form->bSave)->text(QAccessible::Name), QStringLiteral("Save"));
}

TEST_F(AccessibilityTest, NamesTellTheCalendarAsLastPainted) {
    // The department-wide entry, chosen on the settings page, reaches the calendar with the next
    // refresh, and so do the names.
    form->tabCtrl->SetCurrentIndex(1);
    form->cbPlt->setCurrentIndex(0);
    emit form->cbPlt->activated(0);
    ASSERT_EQ(form->State().BaseDate, 0);
    EXPECT_EQ(CellName(26), QStringLiteral("Friday, September 22, 2023, on duty"));
    form->tabCtrl->SetCurrentIndex(0);
    EXPECT_EQ(CellName(26), QStringLiteral("Friday, September 22, 2023, no schedule"));
    EXPECT_TRUE(CellSelected(26));
}
