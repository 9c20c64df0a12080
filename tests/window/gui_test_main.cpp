// Entry of the window tests: one QApplication for the whole run.

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // Window tests never need a display; discovery runs this binary without the test environment too.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
