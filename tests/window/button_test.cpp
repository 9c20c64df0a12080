#include "window/controls/button.h"

#include <QImage>
#include <QTest>
#include <gtest/gtest.h>

TEST(Button, FontColorFollowsTheState) {
    TButton button;
    button.setText(QStringLiteral("Today"));
    button.SetFontColor(0xFFA9A9A9);
    button.SetFontColorForState(TButtonState::Pressed, 0xFF0000FF);
    EXPECT_EQ(button.CurrentState(), TButtonState::Normal);
    EXPECT_EQ(button.CurrentFontColor(), 0xFFA9A9A9u);
    button.setDown(true);
    EXPECT_EQ(button.CurrentState(), TButtonState::Pressed);
    EXPECT_EQ(button.CurrentFontColor(), 0xFF0000FFu);
    EXPECT_EQ(button.FontColorForState(TButtonState::Hot), 0xFFA9A9A9u);
    EXPECT_EQ(button.FontColorForState(TButtonState::Focused), 0xFFA9A9A9u);
}

TEST(Button, ToolLooksShowTheirIconAndNeverTheText) {
    for (TButtonLook look :
         {TButtonLook::ArrowLeftTool, TButtonLook::ArrowRightTool, TButtonLook::RefreshTool}) {
        TButton button;
        button.resize(48, 36);
        button.SetLook(look);
        EXPECT_FALSE(button.LookIcon().isNull());
        button.setText(QStringLiteral("bPrev"));
        const QImage withText = button.grab().toImage();
        button.setText(QStringLiteral("WWWWWWWW"));
        EXPECT_EQ(button.grab().toImage(), withText);
    }
    // The push look does show its text.
    TButton push;
    push.resize(73, 44);
    push.setText(QStringLiteral("A"));
    const QImage a = push.grab().toImage();
    push.setText(QStringLiteral("WWW"));
    EXPECT_NE(push.grab().toImage(), a);
}

TEST(Button, LeavesNavigationKeysToTheWindow) {
    QWidget window;
    auto* button = new TButton(&window);
    int keysAtWindow = 0;
    struct Counter : QObject {
        int* count;
        explicit Counter(int* c) : count(c) {}
        bool eventFilter(QObject*, QEvent* event) override {
            if (event->type() == QEvent::KeyPress) {
                ++*count;
            }
            return false;
        }
    } counter(&keysAtWindow);
    window.installEventFilter(&counter);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    for (Qt::Key key : {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down}) {
        QTest::keyClick(button, key);
    }
    EXPECT_EQ(keysAtWindow, 4);
}

TEST(SpeedButton, NeverTakesTheFocus) {
    TSpeedButton button;
    EXPECT_EQ(button.focusPolicy(), Qt::NoFocus);
}
