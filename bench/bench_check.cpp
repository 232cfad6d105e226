// The full rating of a calculation request including the operating-point check, and the check
// and the process-data evaluation on their own.
#include <benchmark/benchmark.h>

#include "calc/UDaten.h"
#include "series/USelection.h"
#include "series/UVXAuswertung.h"
#include "series/UVXGrenzen.h"
#include "series/UVXSerie.h"

namespace {

// Variant k of the winter case differs in outdoor temperature and air flow: a benchmark loop
// cycles through more variants than the calculation remembers, so every rating does its full work.
constexpr int kVariants = 64;

void WinterCase(TDatenVX& r, double rh21, int k = 0)
{
    r = DefaultCase();
    r.SVol11 += 0.01 * k;
    r.Temp11 -= 0.001 * k;
    r.RelHum21 = rh21;
}

// Refresh, check, Calculate, classification and device figures, as vxrate and the window run them.
void FullRatingWithCheck(benchmark::State& state, double rh21)
{
    int k = 0;
    for (auto _ : state) {
        TDatenVX r;
        WinterCase(r, rh21, k++ % kVariants);
        r.Refresh();
        const TCheckResult check = CheckRecord(r, BypassNone);
        r.Calculate();
        r.EvaluateEnergyEfficiency();
        const TDeviceFigures f =
            DeviceFiguresFor(r.SizeCode, r.PackageWidth, r.Series, BypassNone, 0, r.BypassWidth);
        benchmark::DoNotOptimize(check.Codes);
        benchmark::DoNotOptimize(f.Weight);
        benchmark::DoNotOptimize(r.EnergyEfficiency);
    }
}

void BM_FullRatingWithCheckDry(benchmark::State& state) { FullRatingWithCheck(state, 15.0); }
void BM_FullRatingWithCheckCondensing(benchmark::State& state) { FullRatingWithCheck(state, 60.0); }

void BM_CheckAndEvaluateOnly(benchmark::State& state)
{
    TDatenVX r;
    WinterCase(r, 40.0);
    r.Refresh();
    r.EvaluateEnergyEfficiency();
    for (auto _ : state) {
        const TCheckResult check = CheckRecord(r, BypassSide);
        const auto values = ProcessDataValues(r, false, true);
        benchmark::DoNotOptimize(check.Codes);
        benchmark::DoNotOptimize(values[0].Stream1.Value);
    }
}

}  // namespace

BENCHMARK(BM_FullRatingWithCheckDry)->Unit(benchmark::kMicrosecond)->Repetitions(5)
    ->ReportAggregatesOnly();
BENCHMARK(BM_FullRatingWithCheckCondensing)->Unit(benchmark::kMicrosecond)->Repetitions(5)
    ->ReportAggregatesOnly();
BENCHMARK(BM_CheckAndEvaluateOnly)->Unit(benchmark::kMicrosecond);
