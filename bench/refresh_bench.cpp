// How long one refresh of the real window takes, offscreen: RefreshAll followed by a synchronous
// repaint of the calendar page, next to a bare repaint of the same page, and a navigation key
// handled by the window with its repaint. The window shows Group 3 with paydays on, on a fixed day.

#include "app/application.h"
#include "schedule/date_serial.h"
#include "schedule/today_clock.h"
#include "window/main_form.h"

#include <QKeyEvent>
#include <QLocale>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <filesystem>
#include <fstream>
#include <memory>

namespace {

// The window under measurement; set by main before any benchmark runs.
TMainForm* Window = nullptr;

// Paints the calendar page now, then lets Qt handle any update the properties asked for, so that no
// paint is left over for the next iteration.
void RepaintCalendarPage() {
    Window->tabCalendar->repaint();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
}

void BM_RefreshAllAndRepaint(benchmark::State& bench) {
    for (auto _ : bench) {
        Window->RefreshAll(Window->State().CurrentDate);
        RepaintCalendarPage();
    }
}

void BM_BareRepaint(benchmark::State& bench) {
    for (auto _ : bench)
        RepaintCalendarPage();
}

// Right and Left in turn, so the selected day moves every time and stays in September.
void BM_ArrowKeyAndRepaint(benchmark::State& bench) {
    bool right = true;
    for (auto _ : bench) {
        QKeyEvent press(QEvent::KeyPress, right ? Qt::Key_Right : Qt::Key_Left, Qt::NoModifier);
        QCoreApplication::sendEvent(Window, &press);
        RepaintCalendarPage();
        right = !right;
    }
}

constexpr int Repetitions = 15;
BENCHMARK(BM_RefreshAllAndRepaint)->Unit(benchmark::kMicrosecond)->Repetitions(Repetitions);
BENCHMARK(BM_BareRepaint)->Unit(benchmark::kMicrosecond)->Repetitions(Repetitions);
BENCHMARK(BM_ArrowKeyAndRepaint)->Unit(benchmark::kMicrosecond)->Repetitions(Repetitions);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    TApplication app(argc, argv);

    QTemporaryDir settings;
    const std::filesystem::path base = settings.path().toStdString();
    std::filesystem::create_directories(base / "Orvane" / "Varnok");
    std::ofstream(base / "Orvane" / "Varnok" / "vnTolmere.ini")
        << "[Config]\nWorkAssign=Group 3\nShowPaydays=1\nWidth=360\nHeight=567\n";

    FixedTodayClock clock(DateSerial(2023, 9, 22));
    auto window = std::make_unique<TMainForm>(clock, base, QLocale(QLocale::English, QLocale::UnitedStates));
    QCoreApplication::processEvents();
    Window = window.get();

    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Window = nullptr;
    return 0;
}
