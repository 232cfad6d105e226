// Random and extreme inputs for every moist-air function: no hang (every stepping loop is capped),
// no exception other than MathFault (the documented way a fault reaches the caller's guard), and
// never a NaN or infinity from finite inputs.
#include "thermo/UMath.h"
#include "thermo/UThermo.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <random>

namespace {
constexpr double kInf = std::numeric_limits<double>::infinity();

class Inputs {
public:
    explicit Inputs(uint64_t seed) : rng_(seed) {}

    // Half of the draws are extreme values, the rest spread over the physical range and beyond.
    double Draw(double lo, double hi)
    {
        static const double extremes[] = {0.0,    -0.0,   1e-300, -1e-300, 1e-5,    1.0,
                                          -1.0,   100.0,  250.0,  1000.0,  1000.5,  1e6,
                                          -1e6,   1e300,  -1e300, -273.15, -622.0,  -1344.6,
                                          600.0,  1100.0, 1e-4,   -1e-4};
        std::uniform_real_distribution<double> u(0, 1);
        if (u(rng_) < 0.5) {
            std::uniform_int_distribution<size_t> pick(0, std::size(extremes) - 1);
            return extremes[pick(rng_)];
        }
        return lo + (hi - lo) * u(rng_);
    }
    int Mode(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }

private:
    std::mt19937_64 rng_;
};

bool AllFinite(std::initializer_list<double> values)
{
    for (double v : values)
        if (!std::isfinite(v))
            return false;
    return true;
}

// Runs f; a MathFault is an accepted outcome, a returned value must be finite.
void Check(const char* name, int round, const std::function<double()>& f)
{
    try {
        const double r = f();
        EXPECT_TRUE(std::isfinite(r)) << name << " round " << round << " gave " << r;
    } catch (const MathFault&) {
    }
}

TEST(ThermoRobustness, RandomAndExtremeInputs)
{
    Inputs in(20261208);
    for (int round = 0; round < 1500; ++round) {
        const double t = in.Draw(-100, 300), t2 = in.Draw(-100, 300);
        const double x = in.Draw(0, 200), x2 = in.Draw(0, 200);
        const double phi = in.Draw(0, 150), P = in.Draw(500, 1200);
        const double h = in.Draw(-50, 400), m = in.Draw(0, 1e5), m2 = in.Draw(0, 1e5);

        Check("SaturationPressure", round, [&] { return SaturationPressure(t); });
        Check("HumidityRatio", round, [&] { return HumidityRatio(t, phi, P); });
        Check("RelativeHumidity", round, [&] { return RelativeHumidity(t, x, P); });
        Check("DewPointFromVapourPressure", round, [&] { return DewPointFromVapourPressure(h * 100); });
        Check("DewPoint", round, [&] { return DewPoint(x, P); });
        Check("TempFromHumidityAndRh", round, [&] { return TempFromHumidityAndRh(x, P, phi); });
        Check("Enthalpy", round, [&] { return Enthalpy(t, x, P); });
        Check("SatHumidityOnIsenthalp", round, [&] { return SatHumidityOnIsenthalp(h, P); });
        Check("Density", round, [&] { return Density(t, x, P); });
        Check("StdVolume", round, [&] { return StdVolumeFromOpVolume(m, t, x, P); });
        Check("OpVolume", round, [&] { return OpVolumeFromStdVolume(P, x, t, m); });
        Check("KinematicViscosity", round, [&] { return KinematicViscosity(t); });
        Check("PrandtlNumber", round, [&] { return PrandtlNumber(t); });
        Check("ThermalConductivity", round, [&] { return ThermalConductivity(t); });
        Check("SpecificHeatDryAir", round, [&] { return SpecificHeatDryAir(t); });
        Check("SpecificHeatVapour", round, [&] { return SpecificHeatVapour(t); });
        Check("TempAtRelHumOnIsenthalp", round, [&] { return TempAtRelHumOnIsenthalp(t, x, P, phi); });
        Check("CoolingEndTemperature", round, [&] { return CoolingEndTemperature(P, h, x, t, t2); });
        Check("PressureFromAltitude", round, [&] { return PressureFromAltitude(h * 10); });
        Check("AltitudeFromPressure", round, [&] { return AltitudeFromPressure(P); });

        {
            const int mode = in.Mode(-1, 13);
            double a = t, b = phi, c = x, d = t2, e = in.Draw(-40, 60), f = h, g = 1.2;
            try {
                EXPECT_TRUE(CompleteAirState(mode, a, b, P, c, d, e, f, g));
                EXPECT_TRUE(AllFinite({a, b, c, d, e, f, g})) << "CompleteAirState mode " << mode
                                                               << " round " << round;
            } catch (const MathFault&) {
            }
        }
        {
            const int mode = in.Mode(-1, 4);
            double vStd = m, vOp = m2, mMoist = m, mVap = 0, mDry = m2;
            const double rho = in.Draw(0, 2);
            try {
                EXPECT_TRUE(CompleteAirFlows(mode, vStd, vOp, mMoist, mVap, mDry, rho, x, t, P));
                EXPECT_TRUE(AllFinite({vStd, vOp, mMoist, mVap, mDry}))
                    << "CompleteAirFlows mode " << mode << " round " << round;
            } catch (const MathFault&) {
            }
        }
        {
            double mm = 0, tm = 0, xm = 0;
            try {
                EXPECT_TRUE(MixAirStreams(mm, tm, xm, x2, t2, m2, x, t, m, P));
                EXPECT_TRUE(AllFinite({mm, tm, xm})) << "MixAirStreams round " << round;
            } catch (const MathFault&) {
            }
        }
    }
}

TEST(ThermoRobustness, NonFiniteInputsNeverComeBackAsNumbersSilently)
{
    // Guarded functions answer with their fallback; unguarded ones raise MathFault.
    for (double bad : {std::numeric_limits<double>::quiet_NaN(), kInf, -kInf}) {
        EXPECT_EQ(HumidityRatio(bad, 50, 1013), 0.0);
        EXPECT_EQ(RelativeHumidity(bad, 5, 1013), 0.0);
        EXPECT_TRUE(std::isfinite(DewPointFromVapourPressure(bad)));
        EXPECT_THROW(SaturationPressure(bad), MathFault);
        EXPECT_THROW(Enthalpy(bad, 5, 1013), MathFault);
        EXPECT_THROW(Density(20, 5, bad), MathFault);
        EXPECT_THROW(TempAtRelHumOnIsenthalp(bad, 5, 1013, 100), MathFault);
    }
}
} // namespace
