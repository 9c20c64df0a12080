#include "window/controls/button.h"

#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QSignalSpy>
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

TEST(Button, ToolLooksShowTheirSignInTheFontColorAndNeverTheText) {
    QList<QImage> signs;
    for (TButtonLook look :
         {TButtonLook::ArrowLeftTool, TButtonLook::ArrowRightTool, TButtonLook::RefreshTool}) {
        TButton button;
        button.resize(48, 36);
        button.SetLook(look);
        button.SetFontColor(0xFF000000);
        button.setText(QStringLiteral("bPrev"));
        const QImage withText = button.grab().toImage();
        button.setText(QStringLiteral("WWWWWWWW"));
        EXPECT_EQ(button.grab().toImage(), withText);
        EXPECT_FALSE(signs.contains(withText)) << "each look draws its own sign";
        signs.append(withText);
        // The sign takes the font color: the centre is drawn in it.
        button.SetFontColor(0xFFFF0000);
        const QImage red = button.grab().toImage();
        EXPECT_NE(red, withText);
        bool anyRed = false;
        for (int y = 0; y < red.height() && !anyRed; ++y) {
            for (int x = 0; x < red.width() && !anyRed; ++x)
                anyRed = red.pixelColor(x, y) == QColor(Qt::red);
        }
        EXPECT_TRUE(anyRed);
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

TEST(SpeedButton, AClickLeavesTheFocusWhereItWas) {
    QWidget window;
    auto* edit = new QLineEdit(&window);
    auto* speed = new TSpeedButton(&window);
    auto* push = new TButton(&window);
    speed->setGeometry(0, 30, 60, 30);
    push->setGeometry(0, 60, 60, 30);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    edit->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), edit);

    QSignalSpy clicks(speed, &TSpeedButton::clicked);
    QTest::mouseClick(speed, Qt::LeftButton);
    EXPECT_EQ(clicks.size(), 1);
    EXPECT_EQ(QApplication::focusWidget(), edit);
    // A plain button does take the focus on the same click.
    QTest::mouseClick(push, Qt::LeftButton);
    EXPECT_EQ(QApplication::focusWidget(), push);
}
