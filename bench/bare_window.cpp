// bare_window: the smallest Qt Widgets program with a window, one label in it, as the yardstick for
// start-up time and memory. With --first-frame it prints a marker line on its first painted frame
// and exits, like varnok_startup_probe.

#include "first_frame_marker.h"

#include <QApplication>
#include <QLabel>
#include <cstring>
#include <memory>

int main(int argc, char* argv[]) {
    const bool markFirstFrame = argc > 1 && std::strcmp(argv[1], "--first-frame") == 0;
    QApplication app(argc, argv);
    std::unique_ptr<FirstFrameMarker> marker;
    if (markFirstFrame)
        marker = std::make_unique<FirstFrameMarker>(app);
    QLabel label(QStringLiteral("Hello"));
    label.resize(360, 567);
    label.show();
    return QApplication::exec();
}
