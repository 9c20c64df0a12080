// Entry of the window tests: one application object for the whole run, which shows errors that
// escape a handler the way the program does.

#include "app/application.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // Window tests never need a display; discovery runs this binary without the test environment too.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    testing::InitGoogleTest(&argc, argv);
    TApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
