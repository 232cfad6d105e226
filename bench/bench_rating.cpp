// One complete rating of a winter case and the width searches of a size pre-selection.
#include <benchmark/benchmark.h>

#include "calc/UDaten.h"
#include "series/USelection.h"
#include "calc/UMerker.h"
#include "calc/UGroessen.h"
#include "series/UFrostGrenze.h"
#include "series/UVorauswahl.h"

namespace {

// Variant k of the winter case differs in outdoor temperature and air flow: a benchmark loop
// cycles through more variants than the calculation remembers, so every rating does its full work.
constexpr int kVariants = 64;

void WinterCase(TDatenVX& r, double rh21, int k = 0) {
    r = DefaultCase();
    r.SVol11 += 0.01 * k;
    r.Temp11 -= 0.001 * k;
    r.RelHum21 = rh21;
}

// Refresh, Calculate and the heat-recovery classification, as a calculation request runs them.
// Argument 1: with the remembered completions and calculations (as the program runs), 0: without.
void FullRating(benchmark::State& state, double rh21) {
    SetCalculationReuse(state.range(0) != 0);
    int k = 0;
    for (auto _ : state) {
        TDatenVX r;
        WinterCase(r, rh21, k++ % kVariants);
        r.Refresh();
        r.Calculate();
        r.EvaluateEnergyEfficiency();
        benchmark::DoNotOptimize(r.EnergyEfficiency);
    }
    SetCalculationReuse(true);
}

void BM_RatingDryWinter(benchmark::State& state) { FullRating(state, 15.0); }
void BM_RatingCondensingWinter(benchmark::State& state) { FullRating(state, 60.0); }

// The frost limit that a calculation request adds to the winter case. Argument: extract-air
// relative humidity (%); 5 has no limit (two ratings), the others bisect to 0.1 K.
void BM_FrostLimit(benchmark::State& state) {
    TDatenVX r;
    WinterCase(r, static_cast<double>(state.range(0)));
    r.Series = 2;  // VX-K: the extract air at 5 % separates no water down to -20 degC
    r.Refresh();
    r.Calculate();
    for (auto _ : state) benchmark::DoNotOptimize(FrostLimit(r));
}

// The 14 sizes of series 1 for the five target efficiencies, on the winter record.
void BM_WidthSearches(benchmark::State& state) {
    SetCalculationReuse(state.range(0) != 0);
    static const int kSizes[] = {16, 18, 25, 30, 35, 45, 62, 80, 95, 110, 2062, 2080, 2095, 2110};
    static const double kTargets[] = {78, 80, 82, 84, 86};
    TDatenVX r;
    WinterCase(r, 40.0);
    r.SVol11 = r.SVol21 = 2500.0;
    r.Refresh();
    for (auto _ : state) {
        int found = 0;
        for (double target : kTargets) {
            for (int size : kSizes) {
                bool ok = false;
                double t12, rel, wet, dp, fv;
                int width;
                SizeWidthForEfficiency(r, size, target, ok, t12, rel, wet, dp, fv, width);
                found += ok;
            }
        }
        benchmark::DoNotOptimize(found);
    }
    SetCalculationReuse(true);
}

// The complete proposal list of series 1 as the pre-selection builds it (70 width searches plus
// the filters and row data).
void BM_PreselectionList(benchmark::State& state) {
    TDatenVX r;
    WinterCase(r, 40.0);
    r.SVol11 = r.SVol21 = 2500.0;
    r.Refresh();
    r.Calculate();
    for (auto _ : state) {
        auto rows = BuildProposals(r);
        benchmark::DoNotOptimize(rows.data());
    }
}

}  // namespace

BENCHMARK(BM_RatingDryWinter)
    ->Arg(1)
    ->Arg(0)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();
BENCHMARK(BM_RatingCondensingWinter)
    ->Arg(1)
    ->Arg(0)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();
BENCHMARK(BM_FrostLimit)
    ->Arg(5)
    ->Arg(25)
    ->Arg(60)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();
BENCHMARK(BM_WidthSearches)
    ->Arg(1)
    ->Arg(0)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();
BENCHMARK(BM_PreselectionList)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();
