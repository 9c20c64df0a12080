// Program entry: one application object, one window, the event loop.

#include "window/main_form.h"

#include <QApplication>

namespace {

// The window is designed for portrait screens: upright or upside down, never landscape. Desktop Qt
// has no switch for it, so the set is recorded on the application for any platform that honours it.
constexpr Qt::ScreenOrientations AllowedOrientations =
    Qt::PortraitOrientation | Qt::InvertedPortraitOrientation;
static_assert(AllowedOrientations.toInt() == 5);

} // namespace

int main(int argc, char* argv[]) {
    // The program reads no command line: Qt sees the program name only.
    int qtArgc = argc > 0 ? 1 : 0;
    QApplication app(qtArgc, argv);
    app.setProperty("allowedOrientations", QVariant::fromValue(AllowedOrientations.toInt()));

    SystemTodayClock clock;
    TMainForm window(clock);
    MainForm = &window;
    const int exitCode = QApplication::exec();
    MainForm = nullptr;
    return exitCode;
}
