// Speed of the product window on the offscreen platform (a benchmark, never a timed test):
// an input change (read inputs, refresh both records, show inlet and velocity tables) and a
// calculation request (check, calculate, evaluate, show every table), both cases shown.
//   QT_QPA_PLATFORM=offscreen bench_window
#include <QApplication>
#include <benchmark/benchmark.h>
#include <memory>

#include "app/UGlobal.h"
#include "app/URessourcen.h"
#include "app/UZahlAdapter.h"
#include "ui/FVX.h"
#include "ui/UQvMessage.h"

namespace {
std::unique_ptr<TFormVX> g_window;

void InputChange(benchmark::State& state) {
    for (auto _ : state) g_window->Aenderung_Daten();
}
BENCHMARK(InputChange)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void CalculationRequest(benchmark::State& state) {
    for (auto _ : state) {
        g_window->Calculate();
        if (!g_window->ResultsValid()) state.SkipWithError("calculation refused");
    }
}
BENCHMARK(CalculationRequest)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("XDG_CONFIG_HOME", "/tmp/vx-bench-settings");
    QApplication app(argc, argv);
    InitResources();
    ProductIndex = 4;
    Language = LangEnglish;
    ApplyLanguageFonts();
    SetProcessSeparators('.', ',');
    SetMessageBoxHook([](const QString&, const QString&, int) { return 1; });
    g_window = std::make_unique<TFormVX>();
    g_window->show();
    g_window->SetSeasons(true);
    g_window->SetSeasonLayout(2);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_window.reset();
    return 0;
}
