// How long one refresh of the real window takes, offscreen: RefreshAll followed by a synchronous
// repaint of the calendar page, next to a bare repaint of the same page, and a navigation key
// handled by the window with its repaint. The window shows Group 3 with paydays on, on a fixed day,
// with a days file of 3,000 marks beside its settings (a few marks in each month).
// Holding a navigation key: 1,000 Right-arrow presses delivered to the window as the platform
// delivers them, each followed by the paint it asked for; the time is per key.
// Marking a day: Leave and Sick in turn on the selected day, from the day menu's entry to the days
// file replaced (fsync included) and the mark painted.

#include "app/application.h"
#include "days_file_text.h"
#include "schedule/date_serial.h"
#include "schedule/today_clock.h"
#include "window/main_form.h"

#include <QAction>
#include <QKeyEvent>
#include <QLocale>
#include <QMenu>
#include <QTemporaryDir>
#include <QWindow>
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

// Counts the paint events that reach widgets, to show that each held key is painted.
class PaintCounter : public QObject {
public:
    long Count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++Count;
        return false;
    }
};

// A held key repeats: auto-repeated presses reach the window's platform window, which hands them to
// the focused control and on up to the window; the update they cause is painted before the next.
void BM_HoldRightArrow(benchmark::State& bench) {
    PaintCounter paints;
    QCoreApplication::instance()->installEventFilter(&paints);
    QWindow* platformWindow = Window->windowHandle();
    const TDateTime start = Window->State().CurrentDate;
    for (auto _ : bench) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier, QString(), true);
        QCoreApplication::sendEvent(platformWindow, &press);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
    }
    QCoreApplication::instance()->removeEventFilter(&paints);
    const double keys = static_cast<double>(bench.iterations());
    if (Window->State().CurrentDate != start + keys)
        bench.SkipWithError("the keys did not all move the selected day");
    bench.counters["paints_per_key"] = static_cast<double>(paints.Count) / keys;
}

// The menu is opened once on today, an on-duty day; each iteration is a click on one of its entries,
// which writes the file: the lock, a read, the change, the replace with its fsync, then the paint.
void BM_MarkDayFromMenu(benchmark::State& bench) {
    QKeyEvent home(QEvent::KeyPress, Qt::Key_Home, Qt::NoModifier);
    QCoreApplication::sendEvent(Window, &home);
    QKeyEvent menu(QEvent::KeyPress, Qt::Key_Menu, Qt::NoModifier);
    QCoreApplication::sendEvent(Window, &menu);
    if (Window->pmDay == nullptr || !Window->miLeave->isVisible()) {
        bench.SkipWithError("no day menu with Leave");
        return;
    }
    const TDateTime day = Window->State().CurrentDate;
    bool leave = true;
    for (auto _ : bench) {
        (leave ? Window->miLeave : Window->miSick)->trigger();
        const DayMark* mark = Window->Days()->MarkOn(day);
        if (mark == nullptr || mark->Kind != (leave ? MarkKind::Leave : MarkKind::Sick) ||
            Window->Days()->HasUnwrittenChanges()) {
            bench.SkipWithError("the mark was not written");
            break;
        }
        RepaintCalendarPage();
        leave = !leave;
    }
    Window->pmDay->hide();
}

constexpr int Repetitions = 15;
constexpr int HeldKeys = 1000;
BENCHMARK(BM_RefreshAllAndRepaint)->Unit(benchmark::kMicrosecond)->Repetitions(Repetitions);
BENCHMARK(BM_BareRepaint)->Unit(benchmark::kMicrosecond)->Repetitions(Repetitions);
BENCHMARK(BM_ArrowKeyAndRepaint)->Unit(benchmark::kMicrosecond)->Repetitions(Repetitions);
BENCHMARK(BM_HoldRightArrow)->Unit(benchmark::kMicrosecond)->Iterations(HeldKeys)->Repetitions(Repetitions);
BENCHMARK(BM_MarkDayFromMenu)->Unit(benchmark::kMillisecond)->Iterations(20)->Repetitions(Repetitions);

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
    std::ofstream(base / "Orvane" / "Varnok" / "vnTolmere-days.ics", std::ios::binary) << DaysFileText(3000);

    FixedTodayClock clock(DateSerial(2023, 9, 22));
    auto window = std::make_unique<TMainForm>(clock, base, QLocale(QLocale::English, QLocale::UnitedStates));
    QCoreApplication::processEvents();
    Window = window.get();

    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Window = nullptr;
    return 0;
}
