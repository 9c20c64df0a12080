// The date box of a narrow window: it narrows its drop-down button and shrinks its text until the
// whole date fits, and its button still opens the picker.

#include "window/controls/date_edit.h"

#include <QCalendarWidget>
#include <QFontMetricsF>
#include <QLineEdit>
#include <QSignalSpy>
#include <QStyleOptionComboBox>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QRect ArrowOf(const TDateEdit& edit) {
    QStyleOptionComboBox option;
    option.initFrom(&edit);
    option.editable = true;
    return edit.style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, &edit);
}

bool TextFits(const TDateEdit& edit) {
    const QLineEdit* field = edit.findChild<QLineEdit*>();
    return QFontMetricsF(field->font()).horizontalAdvance(field->text()) <=
           field->contentsRect().width() - 2 * 2;
}

} // namespace

TEST(DateEdit, NarrowBoxNarrowsItsButtonYetItStillOpensThePicker) {
    QWidget window;
    window.resize(200, 60);
    auto* edit = new TDateEdit(&window);
    edit->setDisplayFormat(QStringLiteral("MM/dd/yy"));
    edit->setDate(QDate(2026, 12, 10));
    edit->setGeometry(10, 10, 120, 30);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const int themeArrowWidth = ArrowOf(*edit).width();
    EXPECT_FALSE(edit->Compact());
    EXPECT_TRUE(TextFits(*edit));
    EXPECT_EQ(edit->findChild<QLineEdit*>()->font(), edit->font());

    edit->setGeometry(10, 10, 47, 30);
    EXPECT_TRUE(edit->Compact());
    EXPECT_TRUE(TextFits(*edit));
    EXPECT_EQ(ArrowOf(*edit).width(), std::min(themeArrowWidth, int(TDateEdit::CompactArrowWidth)));
    EXPECT_LE(edit->findChild<QLineEdit*>()->geometry().right(), ArrowOf(*edit).left());

    QSignalSpy closes(edit, &TDateEdit::closePicker);
    QTest::mouseClick(edit, Qt::LeftButton, {}, ArrowOf(*edit).center());
    QWidget* popup = edit->calendarWidget()->window();
    ASSERT_TRUE(popup->isVisible());
    QTest::keyClick(popup->focusWidget() ? popup->focusWidget() : popup, Qt::Key_Escape);
    EXPECT_FALSE(popup->isVisible());
    EXPECT_EQ(closes.count(), 1);

    // Wide again: the theme's button and the edit's own font come back.
    edit->setGeometry(10, 10, 120, 30);
    EXPECT_FALSE(edit->Compact());
    EXPECT_EQ(ArrowOf(*edit).width(), themeArrowWidth);
    EXPECT_EQ(edit->findChild<QLineEdit*>()->font(), edit->font());
}
