#include "thermo/UThermo.h"

#include "thermo/UMath.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

// Iteration caps of the stepping loops. Every real case needs a few hundred steps at most; the
// caps only stop loops that would otherwise run (nearly) forever on absurd input. Reaching a cap is
// treated as an arithmetic fault, so the fallback of the enclosing guard applies.
namespace {
constexpr int kDewPointStepCap = 100000;      // 0.1 K steps: 10 000 K
constexpr int kDewPointBisectionCap = 250;    // fixed limit of the dew-point bisection
constexpr int kSatHumidityStepCap = 200000;   // 0.1 g/kg steps: 20 000 g/kg
constexpr int kIsenthalpFogCap = 10000;       // x := 0.9 x shrinks below any double long before
constexpr int kIsenthalpStepCap = 10000;      // 5 K steps: 50 000 K
constexpr int kIsenthalpBisectionCap = 200;   // halving a 5 K bracket to 1e-5 K takes ~19 rounds
constexpr int kCoolingStepCap = 100000;       // 1 % of the line or 0.05 K per step
constexpr int kMixFogStepCap = 200000;        // 0.001 K steps: 200 K

[[noreturn]] void CapReached()
{
    throw MathFault("iteration limit reached");
}

// Humidity ratio on the isenthalp h at temperature t.
inline double XOnIsenthalp(double t, double h)
{
    return Div((h - 1.007 * t) * 1000.0, 1.86 * t + 2501.0);
}

// Temperature on the isenthalp h at humidity ratio x.
inline double TOnIsenthalp(double x, double h)
{
    return Div(h - 2.501 * x, 1.86 * x / 1000.0 + 1.007);
}

// Enthalpy of saturated air at t.
inline double SaturatedEnthalpy(double t, double P)
{
    return Enthalpy(t, HumidityRatio(t, 100.0, P), P);
}

// Density at the standard state, computed once; the value never changes during a run.
double StandardStateDensity()
{
    static const double rho = Density(20.0, HumidityRatio(20.0, 50.0, 1013.0), 1013.0);
    return rho;
}

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Saturation pressure, or NaN where the correlation faults (non-finite t, overflow of the powers).
// The humidity functions check for it explicitly instead of catching an exception, which keeps
// them fast even where every step of a loop hits a fault.
inline double SaturationPressureOrNaN(double t)
{
    if (!std::isfinite(t))
        return kNaN;
    if (t < 0.0) {
        // (-t)^3 and (-t)^4; an overflow is a fault like the logarithmic form would raise. The
        // exponent is negative here, so the exponential cannot overflow.
        const double a = -t;
        const double a3 = a * a * a;
        const double a4 = a3 * a;
        if (!std::isfinite(a4))
            return kNaN;
        return 611.0 * std::exp(0.0823 * t - 3.0e-4 * t * t - 8e-7 * a3 - 8e-9 * a4);
    }
    if (t == 0.0)
        return 611.0;
    const double t2 = t * t;
    const double t3 = t2 * t;
    const double t4 = t3 * t;
    if (!std::isfinite(t4))
        return kNaN;
    if (t < 100.0)
        return 611.0 * std::exp(0.07257 * t - 2.937e-4 * t2 + 9.81e-7 * t3 - 1.901e-9 * t4);
    if (t < 250.0)
        return 611.0 *
               std::exp(0.07142753 * t - 2.600931e-4 * t2 + 6.432223e-7 * t3 - 7.410232e-10 * t4);
    return t4 / 1000.0;
}

// Humidity ratio at the relative humidity phi (> 0) from the saturation pressure ps.
inline double HumidityRatioFromPressure(double ps, double phi, double P)
{
    const double pD = ps * phi / 100.0;
    const double d = 100.0 * P - pD;
    if (d == 0.0)
        return 0.0;
    const double x = 622.0 * pD / d;
    return std::isfinite(x) ? x : 0.0; // also catches a NaN from any step
}

// Enthalpy of air that holds all its water as vapour.
inline double UnsaturatedEnthalpy(double t, double x)
{
    return Finite(1.007 * t + (1.86 * t + 2501.0) * x / 1000.0);
}

// Enthalpy from ps, the saturation pressure at t, or NaN at and above 100 degC where the enthalpy
// counts no saturation.
double EnthalpyFromPressure(double t, double x, double ps, double P)
{
    // Saturation exists only while the saturation pressure stays below the air pressure; above
    // the boiling point of the air pressure (below 100 degC when P < 1013 mbar) the saturation
    // humidity ratio comes out negative and there is no fog.
    const bool canSaturate = ps < 100.0 * P; // false for NaN
    const double xs = canSaturate ? HumidityRatioFromPressure(ps, 100.0, P) : 0.0;
    if (!canSaturate || x <= xs)
        return UnsaturatedEnthalpy(t, x);
    // Fog: the water above saturation is carried as liquid (t >= 0) or ice (t < 0).
    const double w = (x - xs) / 1000.0;
    const double fog = t >= 0.0 ? w * 4.19 * t : w * (2.09 * t - 344.0);
    return Finite(1.007 * t + (1.86 * t + 2501.0) * xs / 1000.0 + fog);
}
} // namespace

double SaturationPressure(double t)
{
    const double ps = SaturationPressureOrNaN(t);
    if (std::isnan(ps))
        throw MathFault("saturation pressure out of range");
    return ps;
}

double HumidityRatio(double t, double phi, double P)
{
    if (phi <= 0.0)
        return 0.0;
    return HumidityRatioFromPressure(SaturationPressureOrNaN(t), phi, P);
}

double RelativeHumidity(double t, double x, double P)
{
    if (x <= 0.0)
        return 0.0;
    const double ps = SaturationPressureOrNaN(t);
    if (ps == 0.0)
        return 0.0;
    const double phi = x * 100.0 / (x + 622.0) * 100.0 * P / ps;
    return std::isfinite(phi) ? phi : 0.0; // also catches a NaN from any step
}

double DewPointFromVapourPressure(double pD)
{
    // A vapour pressure without a logarithm (zero, negative, not finite) has no start value; the
    // fallback is then 0 degC.
    double t0 = 0.0;
    if (!(pD > 0.0) || std::isinf(pD))
        return t0; // what the fault of the logarithm below would give, without raising it
    try {
        const double L = Ln(pD);
        const double L2 = L * L, L3 = L2 * L, L4 = L3 * L;
        if (L < 6.0)
            t0 = 0.0093 * L3 + 0.2536 * L2 + 7.4071 * L - 60.897 + 0.0003 * L4;
        else if (L < 11.0)
            t0 = 7.8319 * L2 + 24.222 - 34.828 * L - 0.5886 * L3 + 0.0192 * L4;
        else if (L < 15.0)
            t0 = 19.728 * L2 + 348.01 - 137.45 * L - 1.178 * L3 + 0.0294 * L4;
        else
            t0 = Pow(100.0 * pD, 0.25);

        // Step in 0.1 K from the start value until the saturation pressure crosses pD.
        const double psT0 = SaturationPressure(t0);
        const double s = pD <= psT0 ? 1.0 : -1.0;
        double t1 = t0, psT1 = psT0;
        int steps = 0;
        while ((psT1 - pD) * s > 0.0) {
            if (++steps > kDewPointStepCap)
                CapReached();
            t1 -= 0.1 * s;
            psT1 = SaturationPressure(t1);
        }

        // Bisection between the bracket ends (g = saturation pressure minus pD at a and b).
        double a = t1, b = t0, m = t0;
        double ga = psT1 - pD, gb = psT0 - pD;
        int iterations = 0;
        while (std::fabs(a - b) > 1e-6) {
            if (iterations >= kDewPointBisectionCap)
                return t0;
            ++iterations;
            m = (a + b) / 2.0;
            const double gm = SaturationPressure(m) - pD;
            if (gm * ga >= 0.0) {
                a = b;
                ga = gb;
                b = m;
                gb = gm;
            } else {
                b = a;
                gb = ga;
                a = m;
                ga = gm;
            }
        }
        return m;
    } catch (const MathFault&) {
        return t0;
    }
}

double DewPoint(double x, double P)
{
    if (std::fabs(x) < 1e-4)
        x = 0.01;
    // A rating asks for the dew point of its warm inlet more than once, and the trials of a frost
    // limit ask for it once each; the last answer is kept per thread for the same bits of x and P.
    thread_local double lastX = kNaN, lastP = kNaN, lastDewPoint = kNaN;
    if (std::memcmp(&x, &lastX, sizeof x) == 0 && std::memcmp(&P, &lastP, sizeof P) == 0)
        return lastDewPoint;
    const double td = DewPointFromVapourPressure(Div(x, x + 622.0) * 100.0 * P);
    lastX = x;
    lastP = P;
    lastDewPoint = td;
    return td;
}

double TempFromHumidityAndRh(double x, double P, double phi)
{
    if (std::fabs(x) < 1e-4)
        x = 0.01;
    return DewPointFromVapourPressure(Div(100.0, phi) * Div(x, x + 622.0) * 100.0 * P);
}

double Enthalpy(double t, double x, double P)
{
    return EnthalpyFromPressure(t, x, t < 100.0 ? SaturationPressureOrNaN(t) : kNaN, P);
}

double SatHumidityOnIsenthalp(double h, double P)
{
    Finite(h);
    double x = h > 0.0 ? h / 4.0 : 0.0;
    for (int steps = 0;; ++steps) {
        if (steps > kSatHumidityStepCap)
            CapReached();
        const double t = Div(h - 2501.0 * x / 1000.0, 1.86 * x / 1000.0 + 1.007);
        const double xs = HumidityRatio(t, 100.0, P);
        if (std::fabs(xs) <= x)
            break;
        x += 0.1;
    }
    return x + 1.0;
}

double Density(double t, double x, double P)
{
    return Div(1.0 + x / 1000.0, 287.0 + 461.0 * x / 1000.0) * Div(100.0 * P, t + 273.15) * 1.2 /
           1.19879383;
}

double StandardDensity()
{
    try {
        return StandardStateDensity();
    } catch (const MathFault&) {
        return 1.1988;
    }
}

double StdVolumeFromOpVolume(double V_op, double t, double x, double P)
{
    return Finite(Div(V_op * Density(t, x, P), StandardStateDensity()));
}

double OpVolumeFromStdVolume(double P, double x, double t, double V_std)
{
    return Div(V_std * StandardDensity(), Density(t, x, P));
}

double KinematicViscosity(double t)
{
    return Finite((0.0933 * t + 13.748) * 1e-6);
}

double PrandtlNumber(double t)
{
    return Finite(7e-7 * t * t - 2e-4 * t + 0.718);
}

double ThermalConductivity(double t)
{
    return Finite((0.0748 * t + 24.083) * 0.001);
}

double SpecificHeatDryAir(double t)
{
    const double t2 = t * t, t3 = t2 * t;
    if (t <= 200.0)
        return Finite(1.0065 + 5.309587e-6 * t + 4.758596e-7 * t2 - 1.136145e-10 * t3);
    return Finite(1.0053 + 2.4967e-5 * t + 4.6714e-7 * t2 - 3.3449e-10 * t3);
}

double SpecificHeatVapour(double t)
{
    const double t2 = t * t, t3 = t2 * t;
    return Finite(1.86 - 8.333e-6 * t + 2.375e-6 * t2 - 2.917e-9 * t3);
}

double TempAtRelHumOnIsenthalp(double t, double x, double P, double phiTarget)
{
    // Deliberately outside the guard: the caller decides what an impossible state means. A
    // non-finite t or x is rejected the same way; it would otherwise come back as the fallback.
    if (!std::isfinite(t) || t > 1000.0 || !(x >= 0.0))
        throw MathFault("state outside the range of the wet-bulb search");
    const double tIn = t;
    try {
        // The relative humidity of the state (t, x); the function never faults, so each value is
        // computed once and used wherever the search needs it.
        double rh = RelativeHumidity(t, x, P);
        if (std::fabs(rh - phiTarget) < 1e-5)
            return t;
        const double h = Enthalpy(t, x, P);
        if (phiTarget == 0.0)
            return h / 1.007;

        // Leave the fog region along the isenthalp.
        for (int n = 0; rh > 100.0; ++n) {
            if (n >= kIsenthalpFogCap)
                CapReached();
            x = 0.9 * x;
            t = TOnIsenthalp(x, h);
            rh = RelativeHumidity(t, x, P);
        }

        // Step in 5 K along the isenthalp until the target humidity is passed.
        const double s = rh > phiTarget ? -1.0 : 1.0;
        double a = t, b = t;
        double rhB = RelativeHumidity(b, XOnIsenthalp(b, h), P);
        const double rhA = rhB;
        for (int n = 0; (rhB - phiTarget) * s < 0.0; ++n) {
            if (n >= kIsenthalpStepCap)
                CapReached();
            b -= 5.0 * s;
            rhB = RelativeHumidity(b, XOnIsenthalp(b, h), P);
        }

        if (phiTarget > 100.0)
            phiTarget = 100.0;
        auto f = [&](double T) { return RelativeHumidity(T, XOnIsenthalp(T, h), P) - phiTarget; };
        double m = a;
        double fa = rhA - phiTarget, fb = rhB - phiTarget;
        for (int n = 0; std::fabs(b - a) > 1e-5; ++n) {
            if (n >= kIsenthalpBisectionCap)
                CapReached();
            m = (a + b) / 2.0;
            const double fm = f(m);
            if (fm * fb < 0.0) {
                a = b;
                fa = fb;
                b = m;
                fb = fm;
            } else {
                b = a;
                fb = fa;
                a = m;
                fa = fm;
            }
        }
        return Finite(m);
    } catch (const MathFault&) {
        return tIn;
    }
}

namespace {

// Enthalpy at t and the humidity ratio of saturated air there, from one saturation pressure:
// Enthalpy(t, x, P) and HumidityRatio(t, 100, P) at the same temperature.
struct TSaturatedAt {
    double t, P, ps, xs;
    TSaturatedAt(double t_, double P_)
        : t(t_), P(P_), ps(SaturationPressureOrNaN(t_)),
          xs(HumidityRatioFromPressure(ps, 100.0, P_))
    {
    }
    double Enthalpy(double x) const { return EnthalpyFromPressure(t, x, t < 100.0 ? ps : kNaN, P); }
    // Enthalpy of the saturated air itself.
    double SaturatedEnthalpy() const { return Enthalpy(xs); }
    // Below the boiling point of the air pressure the saturated enthalpy grows with t.
    bool CanSaturate() const { return t < 100.0 && ps < 100.0 * P; }
};

// Steps of 0.05 K down the saturation curve from t while the saturated enthalpy stays above
// hTarget; steps counts the steps of the whole cooling process against its cap. The saturated
// enthalpy falls with every step, so blocks of steps are taken and only the block end is tested;
// inside the block where the test first fails, the first failing step is searched. This gives
// the same step as testing every step.
double StepDownSaturationCurve(double t, double P, double hTarget, int& steps)
{
    constexpr int kBlock = 16;
    double ts[kBlock + 1];
    for (;;) {
        if (steps + kBlock > kCoolingStepCap || !TSaturatedAt(t, P).CanSaturate()) {
            // Near the cap or above the boiling point: one step at a time.
            if (steps >= kCoolingStepCap)
                CapReached();
            ++steps;
            t -= 0.05;
            if (!(TSaturatedAt(t, P).SaturatedEnthalpy() > hTarget))
                return t;
            continue;
        }
        ts[0] = t;
        for (int i = 1; i <= kBlock; ++i)
            ts[i] = ts[i - 1] - 0.05;
        if (TSaturatedAt(ts[kBlock], P).SaturatedEnthalpy() > hTarget) {
            steps += kBlock;
            t = ts[kBlock];
            continue;
        }
        int lo = 0, hi = kBlock; // above hTarget at lo (or the start), not above at hi
        while (hi - lo > 1) {
            const int mid = (lo + hi) / 2;
            (TSaturatedAt(ts[mid], P).SaturatedEnthalpy() > hTarget ? lo : hi) = mid;
        }
        steps += hi;
        return ts[hi];
    }
}

// The straight line of a cooling process from (t0, x0) towards the saturated state (tWall, xw)
// at the wall; a step takes 1 % of it.
struct TCoolingLine {
    double t0, x0, tWall, xw;
    double T(double u) const { return t0 - (t0 - tWall) * u; }
    double X(double u) const { return x0 - (x0 - xw) * u; }
};

// On a line that cools and dries, the enthalpy of unsaturated air falls with every step, so when
// it lies clearly above hTarget at the last state (t, x) of a block it does at every state before.
// "Clearly" leaves room for the rounding of the enthalpy's terms; a state too far out for that
// gives false.
bool StaysAboveToTheEnd(double t, double x, double hTarget)
{
    if (!(std::fabs(t) < 1e6 && std::fabs(x) < 1e6))
        return false;
    const double h = 1.007 * t + (1.86 * t + 2501.0) * x / 1000.0;
    const double terms =
        1.0 + 1.007 * std::fabs(t) + (1.86 * std::fabs(t) + 2501.0) * std::fabs(x) / 1000.0;
    return h - hTarget > 1e-9 * (terms + std::fabs(hTarget));
}

// Longest block of steps walked at once along a cooling line.
constexpr int kLineBlock = 16;

// Walks n (up to kLineBlock) steps along the line from the state at u at once when none of their
// states can be saturated, without testing each state for saturation. Below the boiling point the
// saturation humidity ratio grows with the temperature, and on a line that cools the temperature
// falls and the humidity ratio changes in one direction; so when the saturation humidity ratio at
// the block's coldest state lies clearly above the highest humidity ratio of the block, every
// state of the block is unsaturated. The target enthalpy ends the walk at the same step as in the
// step-by-step walk (tested once per block where StaysAboveToTheEnd allows). Returns false, with
// nothing walked, when the block cannot be shown unsaturated. Otherwise t, x, u and steps belong
// to the last state walked, and `reached` tells whether it ends the process.
bool WalkUnsaturatedBlock(const TCoolingLine& line, double P, double hTarget, int n, double& t,
                          double& x, double& u, int& steps, bool& reached)
{
    if (steps + n > kCoolingStepCap)
        return false;
    double ts[kLineBlock], xs[kLineBlock], us[kLineBlock + 1];
    us[0] = u;
    for (int i = 0; i < n; ++i) {
        ts[i] = line.T(us[i]);
        xs[i] = line.X(us[i]);
        us[i + 1] = us[i] + 0.01;
    }
    const double xMax = std::max(xs[0], xs[n - 1]);
    const double xsColdest = TSaturatedAt(ts[n - 1], P).xs;
    if (!(xsColdest - xMax > 1e-9 * std::fabs(xMax)))
        return false;
    // Index of the first state of the block at or below the target, else the last state.
    int i = 0;
    if (line.x0 >= line.xw && StaysAboveToTheEnd(ts[n - 1], xs[n - 1], hTarget))
        i = n - 1;
    else
        while (i < n - 1 && UnsaturatedEnthalpy(ts[i], xs[i]) > hTarget)
            ++i;
    reached = i < n - 1;
    t = ts[i];
    x = xs[i];
    u = us[i + 1];
    steps += i + 1;
    return true;
}

} // namespace

double CoolingEndTemperature(double P, double hTarget, double x0, double t0, double tWall)
{
    const double xw = HumidityRatio(tWall, 100.0, P);
    const TCoolingLine line{t0, x0, tWall, xw};
    bool saturated = t0 < 100.0 && HumidityRatio(t0, 100.0, P) < x0;
    double u = 0.0, t = t0, x = x0;
    int steps = 0;
    // Straight line towards the saturated state at the wall, 1 % of it per step, until the air
    // saturates or the target enthalpy is reached. `at` belongs to the last state tested for
    // saturation; after a block walked at once the current state is colder and unsaturated.
    TSaturatedAt at(t, P);
    bool afterBlock = false;
    // Blocks need a cooling line and a state below the boiling point to start from. A block that
    // may hold the saturated state is tried again at half its length, down to single steps.
    int block = t0 >= tWall ? kLineBlock : 1;
    while (!saturated) {
        const double h = afterBlock ? UnsaturatedEnthalpy(t, x) : at.Enthalpy(x);
        if (!(h > hTarget))
            return Finite(t);
        bool walked = false, reached = false;
        if (block > 1 && at.CanSaturate())
            while (block > 1 && !(walked = WalkUnsaturatedBlock(line, P, hTarget, block, t, x, u,
                                                                  steps, reached)))
                block /= 2;
        if (walked) {
            if (reached)
                return Finite(t);
            afterBlock = true;
            continue;
        }
        if (steps >= kCoolingStepCap)
            CapReached();
        ++steps;
        t = line.T(u);
        x = line.X(u);
        u += 0.01;
        at = TSaturatedAt(t, P);
        afterBlock = false;
        if (at.xs <= x)
            saturated = true;
    }
    // Then down the saturation curve.
    if (at.Enthalpy(x) > hTarget) {
        t = StepDownSaturationCurve(t, P, hTarget, steps);
        at = TSaturatedAt(t, P);
        x = at.xs;
    }
    if (at.xs <= x)
        t = TempAtRelHumOnIsenthalp(t, x, P, 100.0);
    return Finite(t);
}

double PressureFromAltitude(double z)
{
    return 1013.0 * Pow(1.0 - 6.5 * z / 288000.0, 5.255);
}

double AltitudeFromPressure(double P)
{
    return 288000.0 / 6.5 * (1.0 - Pow(P / 1013.0, 1.0 / 5.255));
}

bool CompleteAirState(int mode, double& t, double& phi, double P, double& x, double& td,
                      double& tw, double& h, double& rho)
{
    bool commonTail = true;
    switch (mode) {
    case 0:
        x = HumidityRatio(t, phi, P);
        h = Enthalpy(t, x, P);
        break;
    case 1:
        phi = RelativeHumidity(t, x, P);
        h = Enthalpy(t, x, P);
        break;
    case 2:
        x = XOnIsenthalp(t, h);
        phi = RelativeHumidity(t, x, P);
        break;
    case 3:
        t = TOnIsenthalp(x, h);
        phi = RelativeHumidity(t, x, P);
        break;
    case 4:
        t = TempAtRelHumOnIsenthalp(h / 1.007, 0.0, P, phi);
        x = HumidityRatio(t, phi, P);
        break;
    case 5:
        t = TempFromHumidityAndRh(x, P, phi);
        h = Enthalpy(t, x, P);
        break;
    case 6:
        x = HumidityRatio(td, 100.0, P);
        phi = RelativeHumidity(t, x, P);
        h = Enthalpy(t, x, P);
        break;
    case 7:
        h = SaturatedEnthalpy(tw, P);
        x = XOnIsenthalp(t, h);
        phi = RelativeHumidity(t, x, P);
        td = DewPoint(x, P);
        rho = Density(t, x, P);
        commonTail = false;
        break;
    case 8:
        x = HumidityRatio(td, 100.0, P);
        t = TOnIsenthalp(x, h);
        phi = RelativeHumidity(t, x, P);
        tw = TempAtRelHumOnIsenthalp(t, x, P, 100.0);
        rho = Density(t, x, P);
        commonTail = false;
        break;
    case 9:
        x = HumidityRatio(td, 100.0, P);
        h = SaturatedEnthalpy(tw, P);
        t = TOnIsenthalp(x, h);
        phi = RelativeHumidity(t, x, P);
        rho = Density(t, x, P);
        commonTail = false;
        break;
    case 10:
        x = HumidityRatio(td, 100.0, P);
        t = TempFromHumidityAndRh(x, P, phi);
        h = Enthalpy(t, x, P);
        tw = TempAtRelHumOnIsenthalp(t, x, P, 100.0);
        rho = Density(t, x, P);
        commonTail = false;
        break;
    case 11:
        h = SaturatedEnthalpy(tw, P);
        t = TempAtRelHumOnIsenthalp(h / 1.007, 0.0, P, phi);
        x = HumidityRatio(t, phi, P);
        td = DewPoint(x, P);
        rho = Density(t, x, P);
        commonTail = false;
        break;
    case 12:
        h = SaturatedEnthalpy(tw, P);
        t = TOnIsenthalp(x, h);
        phi = RelativeHumidity(t, x, P);
        td = DewPoint(x, P);
        rho = Density(t, x, P);
        commonTail = false;
        break;
    default:
        return true;
    }
    if (commonTail) {
        td = DewPoint(x, P);
        tw = TempAtRelHumOnIsenthalp(t, x, P, 100.0);
        rho = Density(t, x, P);
    }
    return true;
}

bool CompleteAirFlows(int mode, double& V_std, double& V_op, double& m_moist, double& m_vapour,
                      double& m_dry, double rho, double x, double t, double P)
{
    const double e = 1.0 + x / 1000.0;
    switch (mode) {
    case 0:
        V_op = OpVolumeFromStdVolume(P, x, t, V_std);
        m_moist = Finite(rho * V_op);
        m_dry = Div(m_moist, e);
        break;
    case 1:
        V_std = StdVolumeFromOpVolume(V_op, t, x, P);
        m_moist = Finite(rho * V_op);
        m_dry = Div(m_moist, e);
        break;
    case 2:
        m_moist = Finite(e * m_dry);
        V_op = Div(m_moist, rho);
        V_std = StdVolumeFromOpVolume(V_op, t, x, P);
        break;
    case 3:
        m_dry = Div(m_moist, e);
        V_op = Div(m_moist, rho);
        V_std = StdVolumeFromOpVolume(V_op, t, x, P);
        break;
    default:
        break;
    }
    m_vapour = Finite(x * m_dry / 1000.0);
    return true;
}

bool MixAirStreams(double& m_mix, double& t_mix, double& x_mix, double x2, double t2, double m2,
                   double x1, double t1, double m1, double P)
{
    m_mix = Finite(m1 + m2);
    x_mix = Div(m1 * x1 + m2 * x2, m_mix);
    const double h_mix = Div(m1 * Enthalpy(t1, x1, P) + m2 * Enthalpy(t2, x2, P), m_mix);
    t_mix = Div(h_mix - x_mix / 1000.0 * 2501.0, x_mix / 1000.0 * 1.86 + 1.007);
    if (HumidityRatio(t_mix, 100.0, P) - 1e-4 < x_mix) {
        // Fog: warm up in 0.001 K steps until the enthalpy including the fog water reaches the
        // mixture's. The enthalpy rises with t at fixed x, so the steps are taken in blocks and only
        // the block end is tested; inside the block where the test first holds, the first step
        // that meets it is searched. This gives the same step as testing every step, at a
        // fraction of the cost.
        constexpr int kBlock = 16;
        double ts[kBlock + 1];
        int steps = 0;
        while (Enthalpy(t_mix, x_mix, P) < h_mix) {
            ts[0] = t_mix;
            for (int i = 1; i <= kBlock; ++i)
                ts[i] = ts[i - 1] + 0.001;
            steps += kBlock;
            if (steps > kMixFogStepCap)
                CapReached();
            if (Enthalpy(ts[kBlock], x_mix, P) < h_mix) {
                t_mix = ts[kBlock];
                continue;
            }
            int i = 1;
            while (i < kBlock && Enthalpy(ts[i], x_mix, P) < h_mix)
                ++i;
            t_mix = ts[i];
            break;
        }
        const double xs = HumidityRatio(t_mix, 100.0, P);
        if (xs - 1e-4 < x_mix)
            x_mix = xs; // the condensed water leaves the balance
    }
    return true;
}
