// Random and extreme inputs: no crash, no hang, never NaN or infinity in a record.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <cmath>
#include <random>

#include "RecordFields.h"
#include "calc/UDaten.h"
#include "calc/UMerker.h"
#include "calc/UGroessen.h"

namespace {

const int kSizes[] = {16, 18, 25, 30, 35, 40, 45, 62, 80, 95, 110, 366, 2016, 2030, 2062, 2080,
                      2095, 2110, 0, -5, 999, 2000, 2366};

// A value from the whole range of a field: mostly plausible, sometimes zero or extreme.
double Pick(std::mt19937& rng, double lo, double hi) {
    static const double kExtremes[] = {0.0, -0.0, 1e-300, -1e-300, 1e-9, -1.0, 1e6, -1e6,
                                       1e15, -1e15, 1e300, -1e300, 273.15, -273.15, 100.0};
    std::uniform_int_distribution<int> kind(0, 9);
    const int k = kind(rng);
    if (k == 0) {
        std::uniform_int_distribution<int> e(0, std::size(kExtremes) - 1);
        return kExtremes[e(rng)];
    }
    if (k == 1) return 0.0;
    return std::uniform_real_distribution<double>(lo, hi)(rng);
}

void ExpectFinite(const TDatenREK& r, int caseNo) {
    for (const auto& [name, v] : NumericFields(r))
        ASSERT_TRUE(std::isfinite(v)) << name << " in case " << caseNo;
    ASSERT_FALSE(r.EnergyEfficiencyText.find("nan") != std::string::npos ||
                 r.EnergyEfficiencyText.find("inf") != std::string::npos)
        << caseNo;
}

}  // namespace

TEST(Robustness, RandomRecordsStayFinite) {
    std::mt19937 rng(20261208);
    const auto start = std::chrono::steady_clock::now();
    const int kCases = 1500;
    int rated = 0, condensing = 0;
    for (int i = 0; i < kCases; ++i) {
        TDatenVX r;
        std::uniform_int_distribution<int> modes(0, 3);
        const int hm[] = {0, 1, 7, 0};
        r.HumidityMode = static_cast<std::uint8_t>(hm[modes(rng)]);
        r.FlowMode = static_cast<std::uint8_t>(modes(rng));
        r.Pressure = Pick(rng, 500, 1100);
        r.SVol11 = r.OVol11 = r.MassMoist11 = Pick(rng, 0, 50000);
        r.SVol21 = r.OVol21 = r.MassMoist21 = Pick(rng, 0, 50000);
        r.Temp11 = Pick(rng, -60, 60);
        r.Temp21 = Pick(rng, -60, 60);
        r.RelHum11 = Pick(rng, 0, 120);
        r.RelHum21 = Pick(rng, 0, 120);
        r.X11 = Pick(rng, 0, 60);
        r.X21 = Pick(rng, 0, 60);
        r.WetBulb11 = Pick(rng, -60, 60);
        r.WetBulb21 = Pick(rng, -60, 60);
        r.SizeCode = kSizes[std::uniform_int_distribution<int>(0, std::size(kSizes) - 1)(rng)];
        r.PackageWidth = static_cast<int>(
            std::clamp(Pick(rng, 0, 3000), -1e6, 1e6));
        r.BypassVelocity = Pick(rng, 0, 30);
        r.DpMultiplier = static_cast<std::uint8_t>(std::uniform_int_distribution<int>(0, 5)(rng));
        r.Series = static_cast<std::uint8_t>(std::uniform_int_distribution<int>(0, 4)(rng));

        r.TempEff1 = -1.0;
        r.Refresh();
        ExpectFinite(r, i);
        rated += r.TempEff1 > 0.0;
        condensing += r.CondensationState > 0;
        r.EvaluateEnergyEfficiency();
        ExpectFinite(r, i);
        r.SwapAll();
        r.Calculate();
        ExpectFinite(r, i);
        if (i % 50 == 0) {
            bool ok = false;
            double a = 0, b = 0, c = 0, d = 0, e = 0;
            int w = 0;
            SizeWidthForEfficiency(r, r.SizeCode, Pick(rng, 0, 100), ok, a, b, c, d, e, w);
            ExpectFinite(r, i);
            for (double v : {a, b, c, d, e}) ASSERT_TRUE(std::isfinite(v)) << i;
        }
        if (HasFatalFailure()) return;
    }
    // The generator must reach the full calculation often, dry and condensing, not only faults.
    EXPECT_GT(rated, kCases / 5) << rated << " " << condensing;
    EXPECT_GT(condensing, kCases / 50);
    // A hang in any iteration would show here long before the test runner's timeout.
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(60));
}

TEST(Robustness, ExtremeDeviceInputs) {
    const double values[] = {0.0, 1e-12, 1.0, 1e9, -1.0, 1e300, -1e300};
    int n = 0;
    for (double flow : values) {
        for (double v : values) {
            for (int width : {0, 1, 7, 250, 2000, 2147483647, -2147483647}) {
                TDatenVX r;
                DefaultWinter(r);
                r.SVol11 = r.SVol21 = flow;
                r.BypassVelocity = v;
                r.PackageWidth = width;
                r.Refresh();
                r.EvaluateEnergyEfficiency();
                ExpectFinite(r, n++);
                if (HasFatalFailure()) return;
                EXPECT_TRUE(std::isfinite(PackageWeight(r.SizeCode, width, 1)));
                EXPECT_TRUE(std::isfinite(BypassWeight(r.SizeCode, r.BypassWidth)));
            }
        }
    }
}

// Remembered air-point completions and counterflow calculations must give bit-identical records,
// also across a width search that changes the device between calculations, for every input mode
// and for cases that end in a fault.
TEST(Robustness, RememberedCalculationsChangeNoResult) {
    std::mt19937 rng(7);
    for (int i = 0; i < 200; ++i) {
        TDatenVX input;
        const int modes[] = {0, 1, 7, 0, 1, 7, 6, 2, 12, 10};
        input.HumidityMode = static_cast<std::uint8_t>(modes[i % 10]);
        input.FlowMode = static_cast<std::uint8_t>(i % 4);
        input.Pressure = Pick(rng, 700, 1050);
        input.SVol11 = input.OVol11 = input.MassMoist11 = Pick(rng, 50, 20000);
        input.SVol21 = input.OVol21 = input.MassMoist21 = Pick(rng, 50, 20000);
        input.Temp11 = Pick(rng, -30, 40);
        input.Temp21 = Pick(rng, -30, 40);
        input.RelHum11 = Pick(rng, 0, 100);
        input.RelHum21 = Pick(rng, 0, 100);
        input.X11 = Pick(rng, 0, 20);
        input.X21 = Pick(rng, 0, 20);
        input.WetBulb11 = input.Temp11 - Pick(rng, 0, 10);
        input.WetBulb21 = input.Temp21 - Pick(rng, 0, 10);
        input.DewPoint11 = input.Temp11 - Pick(rng, 0, 15);
        input.DewPoint21 = input.Temp21 - Pick(rng, 0, 15);
        input.Enthalpy11 = Pick(rng, -20, 80);
        input.Enthalpy21 = Pick(rng, -20, 80);
        input.SizeCode = kSizes[i % std::size(kSizes)];
        input.PackageWidth = static_cast<int>(Pick(rng, 100, 2000));
        input.Series = static_cast<std::uint8_t>(1 + i % 3);
        input.BypassVelocity = Pick(rng, 1, 20);

        TDatenVX with = input, without = input;
        double outWith[5], outWithout[5];
        int wWith = 0, wWithout = 0;
        bool okWith = false, okWithout = false;
        for (int pass = 0; pass < 2; ++pass) {
            SetCalculationReuse(pass == 0);
            TDatenVX& r = pass == 0 ? with : without;
            double* o = pass == 0 ? outWith : outWithout;
            r.Refresh();
            r.EvaluateEnergyEfficiency();
            SizeWidthForEfficiency(r, kSizes[(i + 3) % std::size(kSizes)], 80.0, pass == 0 ? okWith : okWithout,
                                   o[0], o[1], o[2], o[3], o[4], pass == 0 ? wWith : wWithout);
            r.Calculate();
        }
        SetCalculationReuse(true);
        const auto a = NumericFields(with), b = NumericFields(without);
        for (size_t k = 0; k < a.size(); ++k) {
            // Bit-identical, NaN-safe comparison.
            ASSERT_EQ(std::memcmp(&a[k].second, &b[k].second, sizeof(double)), 0)
                << a[k].first << " in case " << i;
        }
        ASSERT_EQ(okWith, okWithout);
        ASSERT_EQ(wWith, wWithout);
        ASSERT_EQ(with.EnergyEfficiencyText, without.EnergyEfficiencyText);
    }
}
