// Moist-air functions. Expected values come from hand calculations with the stated constants,
// from published steam and psychrometric tables (with a tolerance that covers the fit of the
// program's correlations), from inverse pairs and from mass and energy balances.
#include "thermo/UMath.h"
#include "thermo/UThermo.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>

namespace {
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Temperature on the isenthalp h at humidity x (hand-derived from the enthalpy of unsaturated air).
double TOnIsenthalp(double x, double h)
{
    return (h - 2.501 * x) / (1.86 * x / 1000 + 1.007);
}

TEST(SaturationPressure, FixedPointsOfTheCorrelation)
{
    EXPECT_EQ(SaturationPressure(0), 611.0);
    EXPECT_EQ(SaturationPressure(250), 3906250.0); // 250^4 / 1000
    EXPECT_EQ(SaturationPressure(300), 8100000.0); // 300^4 / 1000
    // 611 exp(1.4514 - 0.11748 + 0.007848 - 0.00030416) = 611 exp(1.34146384), by hand 2336.85
    EXPECT_NEAR(SaturationPressure(20), 2336.85, 0.05);
}

TEST(SaturationPressure, AgreesWithSteamTables)
{
    // Saturation pressure over ice (t < 0) and water (t > 0); tolerance covers the correlation.
    struct Row {
        double t, ps, relTol;
    };
    const Row rows[] = {
        {-40, 12.84, 0.03}, {-20, 103.2, 0.01}, {-10, 259.9, 0.01}, {10, 1228.0, 0.005},
        {20, 2339.0, 0.005}, {50, 12352.0, 0.005}, {80, 47416.0, 0.005}, {100, 101418.0, 0.005},
        {150, 476160.0, 0.01}, {200, 1554900.0, 0.01},
    };
    for (const Row& r : rows)
        EXPECT_NEAR(SaturationPressure(r.t), r.ps, r.ps * r.relTol) << "t = " << r.t;
}

TEST(SaturationPressure, MonotoneAndNearlyContinuousAcrossRanges)
{
    double prev = SaturationPressure(-120);
    for (double t = -119.9; t < 400; t += 0.1) {
        const double ps = SaturationPressure(t);
        EXPECT_GT(ps, prev) << "t = " << t;
        prev = ps;
    }
    // Jumps at the range borders stay below 0.1 % (100 degC) and 1 % (250 degC).
    EXPECT_NEAR(SaturationPressure(std::nextafter(100.0, 0.0)) / SaturationPressure(100), 1, 1e-3);
    EXPECT_NEAR(SaturationPressure(std::nextafter(250.0, 0.0)) / SaturationPressure(250), 1, 1e-2);
}

TEST(SaturationPressure, FaultsPropagate)
{
    EXPECT_THROW(SaturationPressure(kNaN), MathFault);
    EXPECT_THROW(SaturationPressure(1e80), MathFault);
    EXPECT_THROW(SaturationPressure(-1e80), MathFault);
    EXPECT_EQ(SaturationPressure(-1e6), 0.0); // underflow: no vapour at all
}

TEST(HumidityRatio, StandardStateAndDensity)
{
    const double x = HumidityRatio(20, 50, 1013);
    EXPECT_NEAR(x, 7.26, 0.01); // 622 * 1168.65 / (101300 - 1168.65)
    EXPECT_NEAR(Density(20, x, 1013), 1.2, 1e-4);
    EXPECT_NEAR(StandardDensity(), 1.2, 1e-6);
}

TEST(HumidityRatio, ZeroAndFaultFallbacks)
{
    EXPECT_EQ(HumidityRatio(20, 0, 1013), 0.0);
    EXPECT_EQ(HumidityRatio(20, -5, 1013), 0.0);
    EXPECT_EQ(HumidityRatio(kNaN, 50, 1013), 0.0);
    EXPECT_EQ(HumidityRatio(20, kNaN, 1013), 0.0);
    EXPECT_EQ(HumidityRatio(1e80, 50, 1013), 0.0);
    // 100 P = pD: division by zero.
    EXPECT_EQ(HumidityRatio(0, 100, 6.11), 0.0);
    EXPECT_EQ(RelativeHumidity(20, 0, 1013), 0.0);
    EXPECT_EQ(RelativeHumidity(20, -1, 1013), 0.0);
    EXPECT_EQ(RelativeHumidity(-1e6, 5, 1013), 0.0); // saturation pressure 0
    EXPECT_EQ(RelativeHumidity(20, kNaN, 1013), 0.0);
}

TEST(HumidityRatio, InverseOfRelativeHumidity)
{
    for (double P : {600.0, 1013.0, 1100.0})
        for (double t : {-30.0, -5.0, 0.0, 12.5, 35.0, 70.0})
            for (double phi : {5.0, 40.0, 100.0, 130.0}) {
                const double x = HumidityRatio(t, phi, P);
                EXPECT_NEAR(RelativeHumidity(t, x, P), phi, 1e-9 * phi)
                    << t << " " << phi << " " << P;
            }
}

TEST(DewPoint, InverseOfSaturation)
{
    // Tolerance 1e-5 K: the bisection stops at 1e-6 K.
    for (double P : {700.0, 1013.0})
        for (double t : {-60.0, -25.0, -0.3, 0.4, 9.0, 21.0, 45.0, 80.0}) {
            const double xs = HumidityRatio(t, 100, P);
            EXPECT_NEAR(DewPoint(xs, P), t, 1e-5) << t << " " << P;
        }
    for (double t : {-80.0, 0.0, 99.0, 120.0, 180.0, 240.0, 260.0, 400.0})
        EXPECT_NEAR(DewPointFromVapourPressure(SaturationPressure(t)), t, 1e-5) << t;
}

TEST(DewPoint, DryAirAndImpossiblePressures)
{
    // x = 0 is taken as 0.01 g/kg: finite and far below freezing.
    const double td = DewPoint(0, 1013);
    EXPECT_TRUE(std::isfinite(td));
    EXPECT_LT(td, -50);
    EXPECT_NEAR(td, DewPoint(0.01, 1013), 1e-12);
    // No logarithm: the fallback 0 degC, no exception.
    EXPECT_EQ(DewPointFromVapourPressure(0), 0.0);
    EXPECT_EQ(DewPointFromVapourPressure(-3), 0.0);
    EXPECT_EQ(DewPointFromVapourPressure(kNaN), 0.0);
    // Absurd vapour pressures end (iteration caps) with a finite value.
    for (double pD : {1e-300, 1e-30, 1e40, 1e300})
        EXPECT_TRUE(std::isfinite(DewPointFromVapourPressure(pD))) << pD;
}

TEST(TempFromHumidityAndRh, InverseOfRelativeHumidity)
{
    for (double x : {1.0, 5.0, 12.0, 30.0})
        for (double phi : {20.0, 55.0, 100.0}) {
            const double t = TempFromHumidityAndRh(x, 1013, phi);
            EXPECT_NEAR(RelativeHumidity(t, x, 1013), phi, 1e-3 * phi) << x << " " << phi;
        }
    EXPECT_THROW(TempFromHumidityAndRh(5, 1013, 0), MathFault);
}

TEST(Enthalpy, HandCalculations)
{
    EXPECT_NEAR(Enthalpy(20, 0, 1013), 20.14, 1e-12);
    // 20.14 + (37.2 + 2501) * 10 / 1000
    EXPECT_NEAR(Enthalpy(20, 10, 1013), 45.522, 1e-12);
    // -10.07 + (-18.6 + 2501) * 1 / 1000 (dry side of saturation at -10 degC: xs = 1.6)
    EXPECT_NEAR(Enthalpy(-10, 1, 1013), -7.5876, 1e-12);
    // Above 100 degC there is no fog term even with much water.
    EXPECT_NEAR(Enthalpy(120, 500, 1013), 120.84 + (223.2 + 2501) * 0.5, 1e-9);
    // Nor above the boiling point of a lower air pressure (about 86 degC at 600 mbar), where the
    // saturation humidity ratio would come out negative: 90.63 + (167.4 + 2501) * 0.02.
    EXPECT_NEAR(Enthalpy(90, 20, 600), 90.63 + 2668.4 * 0.02, 1e-9);
    EXPECT_NEAR(Enthalpy(99.9, 50, 950), 1.007 * 99.9 + (1.86 * 99.9 + 2501) * 0.05, 1e-9);
}

TEST(Enthalpy, FogAddsWaterOrIce)
{
    // Excess water over saturation: 4.19 t per kg liquid (t >= 0), (2.09 t - 344) per kg ice.
    for (double t : {-20.0, -5.0, 0.0, 5.0, 30.0, 60.0}) {
        const double xs = HumidityRatio(t, 100, 1013);
        const double w = 4.0; // g/kg above saturation
        const double perKg = t >= 0 ? 4.19 * t : 2.09 * t - 344;
        EXPECT_NEAR(Enthalpy(t, xs + w, 1013) - Enthalpy(t, xs, 1013), w / 1000 * perKg, 1e-9)
            << t;
    }
}

TEST(SatHumidityOnIsenthalp, MeetsSaturationWithinOneStep)
{
    for (double h : {-10.0, 0.0, 25.0, 50.0, 90.0}) {
        const double x = SatHumidityOnIsenthalp(h, 1013) - 1.0;
        // x is the first 0.1 g/kg step at or above saturation on the isenthalp.
        const double xsAt = HumidityRatio(TOnIsenthalp(x, h), 100, 1013);
        EXPECT_LE(std::fabs(xsAt), x + 1e-12) << h;
        if (x >= 0.1) {
            const double xsBefore = HumidityRatio(TOnIsenthalp(x - 0.1, h), 100, 1013);
            EXPECT_GT(std::fabs(xsBefore), x - 0.1 - 1e-9) << h;
        }
    }
    // Psychrometric chart: the 50 kJ/kg isenthalp meets saturation near 12.8 g/kg.
    EXPECT_NEAR(SatHumidityOnIsenthalp(50, 1013) - 1.0, 12.8, 0.2);
    EXPECT_THROW(SatHumidityOnIsenthalp(kNaN, 1013), MathFault);
}

TEST(WetBulb, AgreesWithPsychrometricChart)
{
    // Published wet-bulb temperatures at sea level; 0.25 K covers the program's air model.
    struct Row {
        double t, phi, tw;
    };
    // 30 degC / 40 %: h = 57.31 kJ/kg; saturated air at 20 degC has 57.45 kJ/kg, so just below 20.
    const Row rows[] = {{20, 50, 13.7}, {30, 40, 19.95}, {35, 20, 18.6}, {10, 80, 8.2}, {25, 100, 25}};
    for (const Row& r : rows) {
        const double x = HumidityRatio(r.t, r.phi, 1013);
        EXPECT_NEAR(TempAtRelHumOnIsenthalp(r.t, x, 1013, 100), r.tw, 0.25) << r.t << " " << r.phi;
    }
}

TEST(WetBulb, ResultLiesOnIsenthalpAtTargetHumidity)
{
    struct Row {
        double t, x, P, phi;
    };
    const Row rows[] = {
        {20, 7.26, 1013, 100}, {-15, 0.5, 1013, 100}, {40, 5, 800, 100}, {22, 8, 1013, 30},
        {5, 3, 1013, 80},      {60, 20, 1013, 10},    {30, 27.5, 1013, 100} /* fog */,
        {10, 3, 1013, 150} /* target above saturation is capped at 100 */,
    };
    for (const Row& r : rows) {
        const double h = Enthalpy(r.t, r.x, r.P);
        const double tw = TempAtRelHumOnIsenthalp(r.t, r.x, r.P, r.phi);
        const double target = std::min(r.phi, 100.0);
        const double xw = (h - 1.007 * tw) / (1.86 * tw + 2501) * 1000;
        EXPECT_NEAR(RelativeHumidity(tw, xw, r.P), target, 0.01) << r.t << " " << r.x;
        // The bisection stops at 1e-5 K; a final point a hair inside the fog region adds a
        // negligible water term.
        EXPECT_NEAR(Enthalpy(tw, xw, r.P), h, 1e-4) << r.t << " " << r.x;
    }
}

TEST(WetBulb, ShortCutsAndRangeChecks)
{
    const double xs = HumidityRatio(15, 100, 1013);
    EXPECT_EQ(TempAtRelHumOnIsenthalp(15, xs, 1013, 100), 15.0); // saturated: unchanged
    EXPECT_NEAR(TempAtRelHumOnIsenthalp(20, 5, 1013, 0), Enthalpy(20, 5, 1013) / 1.007, 1e-12);
    EXPECT_THROW(TempAtRelHumOnIsenthalp(1000.5, 5, 1013, 100), MathFault);
    EXPECT_THROW(TempAtRelHumOnIsenthalp(20, -0.1, 1013, 100), MathFault);
    // A target no state can reach (negative humidity) ends at the input temperature.
    EXPECT_EQ(TempAtRelHumOnIsenthalp(20, 5, 1013, -10), 20.0);
    EXPECT_THROW(TempAtRelHumOnIsenthalp(kNaN, 5, 1013, 100), MathFault);
    EXPECT_THROW(TempAtRelHumOnIsenthalp(20, kNaN, 1013, 100), MathFault);
}

TEST(CoolingEndTemperature, DryCoolingFollowsTheLineToTheWall)
{
    // From (30 degC, 10 g/kg) towards the wall at 12 degC (xs = 8.8 g/kg): halfway along the line
    // is (21 degC, 9.4 g/kg), still unsaturated. The 1 % steps are 0.18 K long.
    const double xw = HumidityRatio(12, 100, 1013);
    const double tMid = 21, xMid = 10 - (10 - xw) * 0.5;
    const double t = CoolingEndTemperature(1013, Enthalpy(tMid, xMid, 1013), 10, 30, 12);
    EXPECT_LE(t, tMid + 1e-9);
    EXPECT_GE(t, tMid - 0.18 - 1e-9);
}

TEST(CoolingEndTemperature, CondensingCoolingEndsSaturatedAtTarget)
{
    // Cooling nearly saturated air (25 degC, 19 g/kg) on a 5 degC wall: the line meets saturation
    // after 20 % of its length (21 degC: xs 15.6 < x 16.28); from there the state follows the
    // saturation curve down to 30 kJ/kg. The end state is saturated air whose enthalpy is within
    // one 0.05 K saturation step (about 0.15 kJ/kg) below the target.
    const double t = CoolingEndTemperature(1013, 30, 19, 25, 5);
    const double hEnd = Enthalpy(t, HumidityRatio(t, 100, 1013), 1013);
    EXPECT_LE(hEnd, 30 + 1e-6);
    EXPECT_GT(hEnd, 30 - 0.2);
    EXPECT_NEAR(t, 10.3, 0.3); // psychrometric chart: 30 kJ/kg saturated near 10.3 degC
}

TEST(CoolingEndTemperature, NoProgressIsAFault)
{
    // Start on the wall state: the enthalpy never falls, the step cap ends the loop.
    const double xw = HumidityRatio(40, 50, 1013);
    EXPECT_THROW(CoolingEndTemperature(1013, -1e9, xw, 200, 200), MathFault);
    // Already below the target: nothing to do.
    EXPECT_EQ(CoolingEndTemperature(1013, 100, 5, 20, 10), 20.0);
}

// The cooling process step by step, testing the enthalpy after every step.
double CoolingEndTemperatureStepwise(double P, double hTarget, double x0, double t0, double tWall)
{
    const double xw = HumidityRatio(tWall, 100.0, P);
    bool saturated = t0 < 100.0 && HumidityRatio(t0, 100.0, P) < x0;
    double u = 0.0, t = t0, x = x0;
    for (int n = 0; Enthalpy(t, x, P) > hTarget; ++n) {
        if (n >= 100000)
            throw MathFault("iteration limit reached"); // the cap of the function under test
        if (!saturated) {
            t = t0 - (t0 - tWall) * u;
            x = x0 - (x0 - xw) * u;
            u += 0.01;
            saturated = HumidityRatio(t, 100.0, P) <= x;
        } else {
            t -= 0.05;
            x = HumidityRatio(t, 100.0, P);
        }
    }
    if (saturated && HumidityRatio(t, 100.0, P) <= x)
        t = TempAtRelHumOnIsenthalp(t, x, P, 100.0);
    return t;
}

TEST(CoolingEndTemperature, SameEndAsTestingEveryStep)
{
    // Warm air cooled on colder walls, from dry to foggy, down to targets on the saturation curve
    // and beyond the wall state; also at low air pressure, where saturation ends below 100 degC.
    std::mt19937 rng(3);
    auto pick = [&rng](double lo, double hi) {
        return std::uniform_real_distribution<double>(lo, hi)(rng);
    };
    for (int i = 0; i < 3000; ++i) {
        const double P = i % 10 == 0 ? pick(600, 700) : pick(850, 1050);
        const double t0 = pick(-10, i % 50 == 0 ? 99 : 45);
        const double tWall = pick(-40, t0);
        const double x0 = pick(0.0, 1.3) * HumidityRatio(t0, 100, P);
        const double h0 = Enthalpy(t0, x0, P);
        const double hTarget = pick(Enthalpy(tWall, HumidityRatio(tWall, 100, P), P) - 30, h0);
        // The end temperature, or NaN for a fault.
        auto end = [&](auto cooling) {
            try {
                return cooling(P, hTarget, x0, t0, tWall);
            } catch (const MathFault&) {
                return kNaN;
            }
        };
        const double fast = end(CoolingEndTemperature);
        const double stepwise = end(CoolingEndTemperatureStepwise);
        ASSERT_EQ(std::memcmp(&fast, &stepwise, sizeof fast), 0)
            << i << ": P " << P << " t0 " << t0 << " tWall " << tWall << " x0 " << x0 << " h "
            << hTarget;
    }
}

TEST(Altitude, HandValuesAndInverse)
{
    EXPECT_DOUBLE_EQ(PressureFromAltitude(0), 1013.0);
    EXPECT_NEAR(AltitudeFromPressure(1013), 0.0, 1e-9);
    // 1013 exp(5.255 ln(0.9774306)) = 1013 exp(-0.119960) by hand: 898.48 mbar at 1000 m.
    EXPECT_NEAR(PressureFromAltitude(1000), 898.48, 0.01);
    for (double z : {-400.0, 250.0, 1500.0, 3000.0, 8000.0})
        EXPECT_NEAR(AltitudeFromPressure(PressureFromAltitude(z)), z, 1e-6) << z;
    for (double P : {600.0, 950.0, 1100.0})
        EXPECT_NEAR(PressureFromAltitude(AltitudeFromPressure(P)), P, 1e-9) << P;
    EXPECT_THROW(PressureFromAltitude(50000), MathFault); // above the model's top
    EXPECT_THROW(AltitudeFromPressure(0), MathFault);
}

TEST(Volumes, StandardAndOperatingVolumes)
{
    const double x = 5;
    // At the standard density the two volumes coincide; otherwise the mass flow is kept.
    const double xStd = HumidityRatio(20, 50, 1013);
    EXPECT_NEAR(StdVolumeFromOpVolume(1000, 20, xStd, 1013), 1000, 1e-9);
    for (double t : {-20.0, 0.0, 40.0})
        for (double P : {800.0, 1013.0}) {
            const double vStd = StdVolumeFromOpVolume(1000, t, x, P);
            EXPECT_NEAR(vStd * StandardDensity(), 1000 * Density(t, x, P), 1e-9);
            EXPECT_NEAR(OpVolumeFromStdVolume(P, x, t, vStd), 1000, 1e-9);
        }
    EXPECT_THROW(Density(-273.15, 5, 1013), MathFault);
    EXPECT_THROW(OpVolumeFromStdVolume(0, 5, 20, 1000), MathFault); // density 0
}

TEST(SpecificHeat, AgreesWithPropertyTables)
{
    // Dry air cp at low pressure, kJ/(kg K); vapour as ideal gas.
    EXPECT_NEAR(SpecificHeatDryAir(0), 1.006, 0.002);
    EXPECT_NEAR(SpecificHeatDryAir(100), 1.012, 0.003);
    EXPECT_NEAR(SpecificHeatDryAir(300), 1.045, 0.004);
    EXPECT_NEAR(SpecificHeatDryAir(200), SpecificHeatDryAir(200.001), 1e-3); // branch border
    EXPECT_NEAR(SpecificHeatVapour(0), 1.86, 1e-12);
    EXPECT_NEAR(SpecificHeatVapour(100), 1.88, 0.01);
}

// Every mode of CompleteAirState, fed with two quantities of a reference state, must reproduce
// the whole reference state.
struct StateCase {
    int mode;
    const char* given;
};

class CompleteAirStateModes : public ::testing::TestWithParam<StateCase> {};

TEST_P(CompleteAirStateModes, ReproduceReferenceState)
{
    for (double P : {850.0, 1013.0})
        for (auto [t0, phi0] : {std::pair{25.0, 40.0}, std::pair{-8.0, 85.0}, std::pair{35.0, 15.0}}) {
            double t = t0, phi = phi0, x = 0, td = 0, tw = 0, h = 0, rho = 0;
            ASSERT_TRUE(CompleteAirState(0, t, phi, P, x, td, tw, h, rho));
            const double ref[] = {t, phi, x, td, tw, h, rho};

            // Start from garbage except the given pair.
            double v[7] = {99, 99, 99, 99, 99, 99, 99};
            const std::string given = GetParam().given;
            const char* names = "tpxdwhr";
            for (int i = 0; i < 7; ++i)
                if (given.find(names[i]) != std::string::npos)
                    v[i] = ref[i];
            ASSERT_TRUE(CompleteAirState(GetParam().mode, v[0], v[1], P, v[2], v[3], v[4], v[5], v[6]));
            // Tolerances: the wet-bulb and the temperature searches stop at 1e-5 K.
            const double tol[] = {2e-4, 3e-3, 1e-4, 2e-4, 2e-4, 5e-4, 1e-5};
            for (int i = 0; i < 7; ++i)
                EXPECT_NEAR(v[i], ref[i], tol[i] * std::max(1.0, std::fabs(ref[i])))
                    << "mode " << GetParam().mode << " quantity " << names[i] << " t0 " << t0
                    << " P " << P;
        }
}

INSTANTIATE_TEST_SUITE_P(AllModes, CompleteAirStateModes,
                         ::testing::Values(StateCase{1, "tx"}, StateCase{2, "th"},
                                           StateCase{3, "xh"}, StateCase{4, "hp"},
                                           StateCase{5, "xp"}, StateCase{6, "td"},
                                           StateCase{7, "tw"}, StateCase{8, "hd"},
                                           StateCase{9, "dw"}, StateCase{10, "dp"},
                                           StateCase{11, "wp"}, StateCase{12, "xw"}));

TEST(CompleteAirState, UnknownModeChangesNothing)
{
    for (int mode : {-1, 13, 100}) {
        double t = 1, phi = 2, x = 3, td = 4, tw = 5, h = 6, rho = 7;
        EXPECT_TRUE(CompleteAirState(mode, t, phi, 1013, x, td, tw, h, rho));
        EXPECT_EQ(t + phi * 10 + x * 100 + td * 1e3 + tw * 1e4 + h * 1e5 + rho * 1e6, 7654321.0);
    }
}

TEST(CompleteAirFlows, ModesAgreeAndConserveMass)
{
    const double t = 30, x = 12, P = 950;
    const double rho = Density(t, x, P);
    double vStd = 3000, vOp = 0, mMoist = 0, mVap = 0, mDry = 0;
    ASSERT_TRUE(CompleteAirFlows(0, vStd, vOp, mMoist, mVap, mDry, rho, x, t, P));
    EXPECT_NEAR(mMoist, 3000 * StandardDensity(), 1e-9); // standard volume = moist mass / 1.2
    EXPECT_NEAR(mDry + mVap, mMoist, 1e-9);       // dry air + vapour = moist air
    EXPECT_NEAR(mVap / mDry * 1000, x, 1e-12);

    struct Given {
        int mode;
        double vStd, vOp, mMoist, mDry;
    };
    const Given cases[] = {{1, 0, vOp, 0, 0}, {2, 0, 0, 0, mDry}, {3, 0, 0, mMoist, 0}};
    for (const Given& g : cases) {
        double a = g.vStd, b = g.vOp, c = g.mMoist, d = 0, e = g.mDry;
        ASSERT_TRUE(CompleteAirFlows(g.mode, a, b, c, d, e, rho, x, t, P));
        EXPECT_NEAR(a, vStd, 1e-9) << g.mode;
        EXPECT_NEAR(b, vOp, 1e-9) << g.mode;
        EXPECT_NEAR(c, mMoist, 1e-9) << g.mode;
        EXPECT_NEAR(d, mVap, 1e-9) << g.mode;
        EXPECT_NEAR(e, mDry, 1e-9) << g.mode;
    }
}

TEST(MixAirStreams, DryMixtureBalancesMassWaterAndEnergy)
{
    double m, t, x;
    ASSERT_TRUE(MixAirStreams(m, t, x, 8, 22, 300, 2, -5, 100, 1013));
    EXPECT_DOUBLE_EQ(m, 400);
    EXPECT_NEAR(x, (100 * 2 + 300 * 8) / 400.0, 1e-12);
    const double h = (100 * Enthalpy(-5, 2, 1013) + 300 * Enthalpy(22, 8, 1013)) / 400;
    EXPECT_NEAR(Enthalpy(t, x, 1013), h, 1e-9);
    // Equal states mix to the same state.
    ASSERT_TRUE(MixAirStreams(m, t, x, 6, 15, 10, 6, 15, 30, 1013));
    EXPECT_NEAR(t, 15, 1e-9);
    EXPECT_NEAR(x, 6, 1e-12);
}

TEST(MixAirStreams, FogMixtureDropsTheCondensate)
{
    // Two saturated streams mix into the fog region; the result is saturated air whose enthalpy
    // with the original water just reaches the mixture's enthalpy (0.001 K steps).
    const double x1 = HumidityRatio(-10, 100, 1013), x2 = HumidityRatio(30, 100, 1013);
    double m, t, x;
    ASSERT_TRUE(MixAirStreams(m, t, x, x2, 30, 1, x1, -10, 1, 1013));
    const double xAvg = (x1 + x2) / 2;
    const double hMix = (Enthalpy(-10, x1, 1013) + Enthalpy(30, x2, 1013)) / 2;
    EXPECT_LT(x, xAvg);
    EXPECT_DOUBLE_EQ(x, HumidityRatio(t, 100, 1013));
    EXPECT_GE(Enthalpy(t, xAvg, 1013), hMix);
    EXPECT_LT(Enthalpy(t - 0.001, xAvg, 1013), hMix);
    EXPECT_THROW(MixAirStreams(m, t, x, 5, 20, 0, 5, 20, 0, 1013), MathFault); // no air at all
}
} // namespace
