// How long the year sheet takes in process: one whole PDF, one PNG, and the painting alone on an image
// of the PNG's size, for Group 3 with paydays on (default colors, US English, Letter).

#include "settings/alpha_color.h"
#include "year_sheet/year_sheet.h"
#include "year_sheet/year_sheet_painter.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

namespace {

YearSheetRequest Request() {
    YearSheetRequest request;
    request.Year = 2027;
    request.Assignment = 3;
    request.ShowPaydays = true;
    request.Settings.AgencyName = "Tolmere Fire Department";
    request.Settings.OnDutyColor = claBlue;
    request.Settings.OffDutyColor = claDarkgray;
    request.Settings.RdoColor = claGoldenrod;
    request.Settings.LeadTrailColor = claSilver;
    request.Settings.BackgroundColor = claWhite;
    request.Locale = QLocale(QLocale::English, QLocale::UnitedStates);
    request.PageSize = DefaultYearSheetPageSize(request.Locale);
    return request;
}

void BM_YearSheetPdf(benchmark::State& state) {
    const YearSheetRequest request = Request();
    for (auto _ : state)
        benchmark::DoNotOptimize(YearSheetPdf(request));
}

void BM_YearSheetPng(benchmark::State& state) {
    const YearSheetRequest request = Request();
    for (auto _ : state)
        benchmark::DoNotOptimize(YearSheetPng(request));
}

void BM_PaintOnImage(benchmark::State& state) {
    const YearSheetRequest request = Request();
    QImage image(1545, 2000, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&image);
        PaintYearSheet(painter, QRectF(image.rect()), request);
    }
}

BENCHMARK(BM_YearSheetPdf)->Unit(benchmark::kMillisecond)->Repetitions(5);
BENCHMARK(BM_YearSheetPng)->Unit(benchmark::kMillisecond)->Repetitions(5);
BENCHMARK(BM_PaintOnImage)->Unit(benchmark::kMillisecond)->Repetitions(5);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    QGuiApplication app(argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
