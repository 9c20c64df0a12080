#pragma once
// For the start-up probes: once a top-level window has been painted for the first time, prints
// "first-frame" on stdout and ends the process at once. The line comes from a zero timer, so it
// follows the whole frame (the window, every child, the flush), not just the first paint event.

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>

class FirstFrameMarker : public QObject {
public:
    explicit FirstFrameMarker(QApplication& app) { app.installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!armed_ && event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->isWindow()) {
            armed_ = true;
            QTimer::singleShot(0, [] {
                std::fputs("first-frame\n", stdout);
                std::fflush(stdout);
                // Teardown is not part of the measure.
                std::_Exit(0);
            });
        }
        return false;
    }

private:
    bool armed_ = false;
};
