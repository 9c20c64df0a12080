// The command's help and the desktop handler need an application object; the tests need no display.

#include <QCoreApplication>
#include <gtest/gtest.h>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
