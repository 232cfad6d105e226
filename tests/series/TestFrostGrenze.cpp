// Frost limit: bisection on the rating, checked against cases rated the way a calculation request
// rates them.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "calc/UDaten.h"
#include "series/UFrostGrenze.h"
#include "series/UVXSerie.h"

namespace {

struct FrostCase {
    const char* name;
    int series, size, width;
    double svol11, svol21, rh11, temp21, rh21;
};

// A winter case entered by relative humidity, rated as a calculation request rates it.
TDatenVX Rated(const FrostCase& c, double temp11) {
    TDatenVX r;
    r.Pressure = 1013.0;
    r.SVol11 = c.svol11;
    r.SVol21 = c.svol21;
    r.Temp11 = temp11;
    r.RelHum11 = c.rh11;
    r.Temp21 = c.temp21;
    r.RelHum21 = c.rh21;
    r.Series = static_cast<std::uint8_t>(c.series);
    r.SizeCode = c.size;
    r.PackageWidth = c.width;
    r.Refresh();
    r.Calculate();
    return r;
}

const FrostCase kFreezing[] = {
    {"VX 30 dry extract", SeriesVX, 30, 250, 200, 200, 90, 22, 25},
    {"VX 30 humid extract", SeriesVX, 30, 250, 200, 200, 90, 22, 60},
    {"VX 62 more supply", SeriesVX, 62, 800, 3000, 2400, 80, 21, 45},
    {"VX-K 35 more extract", SeriesVXK, 35, 400, 1200, 1500, 70, 24, 50},
    {"VX-E 366 bathroom extract", SeriesVXE, 366, 500, 800, 800, 90, 22, 70},
};

TEST(FrostLimit, FlagSetAtTheLimitAndNotAbove) {
    for (const FrostCase& c : kFreezing) {
        const auto limit = FrostLimit(Rated(c, -5.0));
        ASSERT_TRUE(limit.has_value()) << c.name;
        EXPECT_GT(*limit, -30.0) << c.name;
        EXPECT_LT(*limit, FrostLimitSearchTop) << c.name;
        EXPECT_NEAR(*limit * 10.0, std::round(*limit * 10.0), 1e-9) << c.name;
        EXPECT_EQ(Rated(c, *limit).FreezeRisk, 1) << c.name << " at " << *limit;
        EXPECT_EQ(Rated(c, *limit + 0.1).FreezeRisk, 0) << c.name << " at " << *limit + 0.1;
        // Within the monotone range the flag of an entered case follows the limit.
        EXPECT_EQ(Rated(c, *limit - 3.0).FreezeRisk, 1) << c.name;
        EXPECT_EQ(Rated(c, *limit + 3.0).FreezeRisk, 0) << c.name;
        // The limit depends on the outdoor humidity, not on the entered outdoor temperature.
        EXPECT_EQ(FrostLimit(Rated(c, 3.0)), limit) << c.name;
    }
}

TEST(FrostLimit, NoneWithoutCondensation) {
    // Extract air so dry (dew point near -16 degC) that no water separates down to -20 degC.
    const FrostCase dry{"VX-K dry", SeriesVXK, 30, 250, 200, 200, 90, 22, 5};
    EXPECT_EQ(FrostLimit(Rated(dry, -5.0)), std::nullopt);
    EXPECT_EQ(Rated(dry, -20.0).FreezeRisk, 0);
}

TEST(FrostLimit, SameLimitWhateverTheHumidityInput) {
    const FrostCase& c = kFreezing[1];
    const TDatenVX byRelHum = Rated(c, -5.0);
    TDatenVX byRatio = byRelHum;
    byRatio.HumidityMode = 1;  // X11 and X21 entered; the relative humidities are derived
    byRatio.RelHum11 = byRatio.RelHum21 = 0.0;
    byRatio.Refresh();
    EXPECT_EQ(FrostLimit(byRatio), FrostLimit(byRelHum));
}

// The flag of a calculation request on the record with the outdoor air at temp11, the long way:
// the trial record refreshed and calculated with every completion and counterflow run.
bool RequestFlag(TDatenVX trial, double temp11) {
    trial.HumidityMode = 0;
    trial.Temp11 = temp11;
    trial.Refresh();
    trial.Calculate();
    return trial.FreezeRisk != 0;
}

TEST(FrostLimit, TrialFlagIsTheFlagOfACalculationRequest) {
    // Plausible and degenerate records (no flow, dry air, humidity far above saturation, no
    // package, unknown size, inlets the other way round): the short trial must agree with the
    // request also where a run faults.
    std::mt19937 rng(11);
    auto pick = [&rng](double lo, double hi) {
        return std::uniform_real_distribution<double>(lo, hi)(rng);
    };
    const int sizes[] = {16, 30, 62, 110, 366, 2080, 999};
    for (int i = 0; i < 150; ++i) {
        TDatenVX r;
        r.HumidityMode = static_cast<std::uint8_t>(i % 3 == 0 ? 1 : 0);
        r.FlowMode = static_cast<std::uint8_t>(i % 4);
        r.Pressure = pick(700, 1050);
        r.SVol11 = r.OVol11 = r.MassMoist11 = i % 17 == 0 ? 0.0 : pick(50, 20000);
        r.SVol21 = r.OVol21 = r.MassMoist21 = pick(50, 20000);
        r.Temp11 = pick(-30, 10);
        r.Temp21 = i % 11 == 0 ? pick(-40, -30) : pick(-5, 35);
        r.RelHum11 = i % 13 == 0 ? 0.0 : i % 23 == 0 ? 1e7 : pick(0, 100);
        r.RelHum21 = pick(0, 100);
        r.X11 = pick(0, 5);
        r.X21 = pick(0, 20);
        r.Series = static_cast<std::uint8_t>(1 + i % 3);
        r.SizeCode = sizes[i % std::size(sizes)];
        r.PackageWidth = i % 19 == 0 ? 0 : static_cast<int>(pick(100, 2000));
        r.BypassVelocity = pick(0, 12);
        r.FreezeRisk = static_cast<std::uint8_t>(i % 2);  // what a run that faults early leaves
        r.Refresh();
        r.Calculate();
        for (double t = -34.0; t <= 12.0; t += 2.3)
            ASSERT_EQ(FreezesAt(r, t), RequestFlag(r, t)) << "case " << i << " at " << t;
    }
}

}  // namespace
