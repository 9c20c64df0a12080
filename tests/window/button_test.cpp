#include "window/controls/button.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
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

namespace {

// A repeat-click button at the top left of a window with room around it. Clicks are counted against
// the ticks of the button's own timer, so a slow machine changes how many ticks come, never the
// relation between ticks and clicks.
class RepeatClickTest : public testing::Test {
protected:
    void SetUp() override {
        window.resize(240, 120);
        button = new TButton(&window);
        button->setGeometry(10, 10, 48, 36);
        button->SetLook(TButtonLook::ArrowRightTool);
        button->SetRepeatClick(true);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        timer = button->findChild<QTimer*>(QStringLiteral("repeatTimer"));
        ASSERT_NE(timer, nullptr);
    }

    // Holds the press until the timer has ticked `ticks` times (the first tick only ends the delay).
    void WaitForTicks(const QSignalSpy& tickSpy, int ticks) const {
        ASSERT_TRUE(QTest::qWaitFor([&] { return tickSpy.count() >= ticks; }, 10000))
            << "the repeat timer ticked " << tickSpy.count() << " times";
    }

    const QPoint centre{24, 18};
    // Below and right of the button, in the window, as a drifting pointer would be.
    const QPoint outside{150, 80};
    QWidget window;
    TButton* button = nullptr;
    QTimer* timer = nullptr;
};

} // namespace

TEST_F(RepeatClickTest, HeldPressKeepsClickingOffTheButtonAndReleaseOutsideAddsNothing) {
    QSignalSpy clicks(button, &QAbstractButton::clicked);
    QSignalSpy ticks(timer, &QTimer::timeout);
    QElapsedTimer held;
    held.start();
    QTest::mousePress(button, Qt::LeftButton, {}, centre);
    EXPECT_TRUE(button->Held());
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), TButton::RepeatDelayMs);
    EXPECT_EQ(clicks.count(), 0) << "a press alone gives no click";

    // The pointer leaves the button while the press lasts: Qt draws the button raised again.
    QTest::mouseMove(button, button->mapFrom(&window, outside));
    EXPECT_FALSE(button->isDown());
    WaitForTicks(ticks, 1);
    EXPECT_EQ(timer->interval(), TButton::RepeatIntervalMs);
    // Checked as a relation: a busy machine may already have ticked again.
    EXPECT_EQ(clicks.count(), ticks.count() - 1) << "the end of the delay gives no click";
    WaitForTicks(ticks, 6);
    const qint64 elapsed = held.elapsed();
    EXPECT_EQ(clicks.count(), ticks.count() - 1) << "one click per tick after the delay";
    // Five ticks of 100 ms after the 500 ms delay; a busy machine only makes them later.
    EXPECT_GE(elapsed, 1000 - 10);

    QTest::mouseRelease(button, Qt::LeftButton, {}, button->mapFrom(&window, outside));
    EXPECT_FALSE(button->Held());
    EXPECT_FALSE(timer->isActive());
    const auto atRelease = clicks.count();
    QTest::qWait(3 * TButton::RepeatIntervalMs);
    EXPECT_EQ(clicks.count(), atRelease) << "no click on a release off the button, and no more repeats";
}

TEST_F(RepeatClickTest, ReleaseBackOverTheButtonAddsTheOrdinaryClick) {
    QSignalSpy clicks(button, &QAbstractButton::clicked);
    QSignalSpy ticks(timer, &QTimer::timeout);
    QTest::mousePress(button, Qt::LeftButton, {}, centre);
    QTest::mouseMove(button, button->mapFrom(&window, outside));
    WaitForTicks(ticks, 3);
    QTest::mouseMove(button, centre);
    EXPECT_TRUE(button->isDown());
    const auto repeats = clicks.count();
    EXPECT_EQ(repeats, ticks.count() - 1);
    QTest::mouseRelease(button, Qt::LeftButton, {}, centre);
    EXPECT_EQ(clicks.count(), repeats + 1);
    EXPECT_FALSE(timer->isActive());
}

TEST_F(RepeatClickTest, QuickClickIsOneClickAndAButtonWithoutRepeatNeverStartsTheTimer) {
    QSignalSpy clicks(button, &QAbstractButton::clicked);
    QTest::mouseClick(button, Qt::LeftButton, {}, centre);
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_FALSE(timer->isActive());

    button->SetRepeatClick(false);
    QTest::mousePress(button, Qt::LeftButton, {}, centre);
    EXPECT_FALSE(button->Held());
    EXPECT_FALSE(timer->isActive());
    QTest::mouseRelease(button, Qt::LeftButton, {}, centre);
    EXPECT_EQ(clicks.count(), 2);
}

TEST_F(RepeatClickTest, DisablingOrHidingEndsTheRepeat) {
    for (const bool hide : {false, true}) {
        SCOPED_TRACE(hide ? "hidden" : "disabled");
        QSignalSpy clicks(button, &QAbstractButton::clicked);
        QTest::mousePress(button, Qt::LeftButton, {}, centre);
        ASSERT_TRUE(timer->isActive());
        if (hide)
            button->hide();
        else
            button->setEnabled(false);
        EXPECT_FALSE(button->Held());
        EXPECT_FALSE(timer->isActive());
        QTest::qWait(TButton::RepeatDelayMs + 2 * TButton::RepeatIntervalMs);
        EXPECT_EQ(clicks.count(), 0);
        button->setEnabled(true);
        button->show();
        QTest::mouseRelease(button, Qt::LeftButton, {}, centre);
    }
}
