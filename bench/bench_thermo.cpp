// Cost of the moist-air functions that a rating calls most often.
#include "thermo/UThermo.h"
#include "thermo/UZahlformat.h"

#include <benchmark/benchmark.h>

namespace {

void BM_SaturationPressure(benchmark::State& state)
{
    double t = -20;
    for (auto _ : state) {
        benchmark::DoNotOptimize(SaturationPressure(t));
        t = t > 60 ? -20 : t + 0.37;
    }
}
BENCHMARK(BM_SaturationPressure);

void BM_HumidityRatio(benchmark::State& state)
{
    double t = -20;
    for (auto _ : state) {
        benchmark::DoNotOptimize(HumidityRatio(t, 80, 1013));
        t = t > 60 ? -20 : t + 0.37;
    }
}
BENCHMARK(BM_HumidityRatio);

void BM_DewPoint(benchmark::State& state)
{
    double x = 0.5;
    for (auto _ : state) {
        benchmark::DoNotOptimize(DewPoint(x, 1013));
        x = x > 30 ? 0.5 : x + 0.37;
    }
}
BENCHMARK(BM_DewPoint);

void BM_WetBulb(benchmark::State& state)
{
    double t = -10;
    for (auto _ : state) {
        benchmark::DoNotOptimize(TempAtRelHumOnIsenthalp(t, 4, 1013, 100));
        t = t > 40 ? -10 : t + 0.37;
    }
}
BENCHMARK(BM_WetBulb);

// One inlet state completed from temperature and relative humidity (what a record does per inlet).
void BM_CompleteAirStateMode0(benchmark::State& state)
{
    for (auto _ : state) {
        double t = -5, phi = 90, x = 0, td = 0, tw = 0, h = 0, rho = 0;
        CompleteAirState(0, t, phi, 1013, x, td, tw, h, rho);
        benchmark::DoNotOptimize(rho);
    }
}
BENCHMARK(BM_CompleteAirStateMode0);

void BM_CoolingEndTemperature(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(CoolingEndTemperature(1013, 30, 12, 25, 5));
}
BENCHMARK(BM_CoolingEndTemperature);

void BM_MixFog(benchmark::State& state)
{
    const double x1 = HumidityRatio(-10, 100, 1013), x2 = HumidityRatio(30, 100, 1013);
    for (auto _ : state) {
        double m, t, x;
        MixAirStreams(m, t, x, x2, 30, 1, x1, -10, 1, 1013);
        benchmark::DoNotOptimize(t);
    }
}
BENCHMARK(BM_MixFog);

void BM_FormatNumber(benchmark::State& state)
{
    ThousandSeparator = U',';
    double v = 1234.5678;
    for (auto _ : state) {
        benchmark::DoNotOptimize(FormatNumber(v, 2));
        v += 1.25;
    }
    ThousandSeparator = 0;
}
BENCHMARK(BM_FormatNumber);
} // namespace

#include "print/UMollier.h"

namespace {
// The chart geometry of a redraw: grid and the four process lines of a winter and summer case.
void BM_BuildChart(benchmark::State& state)
{
    TChartSettings s;
    s.carrier = state.range(0) != 0;
    s.pressure = 1013;
    s.humidityItem = 1;
    s.temperatureItem = 1;
    auto line = [](double t1, double x1, double t2, double x2, TRgb c, TChartPen pen) {
        return TProcessLine{{t1, x1, c, c, pen}, {t2, x2, c, c, pen}};
    };
    const std::vector<TProcessLine> lines{
        line(22, 6.6, 4.1, 5.2, kStream2Colour, TChartPen::Solid),
        line(-5, 2.2, 16.4, 2.2, kStream1Colour, TChartPen::Solid),
        line(22, 8.2, 28.5, 8.2, kStream2Colour, TChartPen::Dot),
        line(32, 12, 25.6, 12, kStream1Colour, TChartPen::Dot)};
    for (auto _ : state)
        benchmark::DoNotOptimize(BuildChart(s, lines));
}
BENCHMARK(BM_BuildChart)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
} // namespace
