#include "window/main_form.h"

#include <QApplication>
#include <gtest/gtest.h>

TEST(MainForm, OpensWithItsCaptionOnToday) {
    FixedTodayClock clock(DateSerial(2023, 9, 22));
    TMainForm form(clock);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Varnok® for Tolmere"));
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.State().CurrentDate, DateSerial(2023, 9, 22));
    EXPECT_EQ(form.State().MarkDate, DateSerial(2023, 9, 22));
    EXPECT_EQ(form.State().GridDates[0], DateSerial(2023, 8, 27));
}

int main(int argc, char** argv) {
    // Test discovery runs this binary without the test environment, so no display is needed either way.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
