// The yardstick for varnok-duty's start-up: a Qt Core program that makes its application object,
// prints one line and exits.

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    std::puts("done");
    return 0;
}
