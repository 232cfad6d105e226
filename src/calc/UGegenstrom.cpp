#include "calc/UGegenstrom.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <iterator>

#include "calc/UEintritt.h"
#include "calc/UGroessen.h"
#include "calc/UMerker.h"
#include "thermo/UMath.h"
#include "thermo/UThermo.h"

double CounterflowEffectiveness(double R, double NTU) {
    if (std::fabs(R - 1.0) < 1e-4) R = 0.9999;
    const double e = Exp(-NTU * (1.0 - R));
    return Div(1.0 - e, 1.0 - R * e);
}

double CondensationFactor(double phi, double dT) {
    const double g =
        (dT - 0.0028 * (100.0 - phi) * (100.0 - phi)) * phi * (1.15 - 0.0025 * phi) / 100.0 *
            (1.0 / 24.0) +
        1.0;
    return std::clamp(Finite(g), 1.0, 1.25);
}

double CondensationLimit(double phi) {
    if (phi <= 70.0) return 30.0;
    if (phi < 100.0) {
        const double a = phi / 30.0 - 10.0 / 3.0;
        return 20.0 * a * a + 10.0;
    }
    return 10.0;
}

namespace {

// Channel height H and face height Hf (mm) of the single sizes, and the side allowance per
// section of the double packages.
struct SizeRow {
    int n;
    double H, Hf, f;
    double singleAllowance;  // mm per section subtracted from W (single package)
    double kombiAllowance;   // mm per section subtracted from W (double package)
    double connection;       // connection factor a of the double package
};

const SizeRow kRows[] = {
    {16, 155, 81, 1.06, 10, 13, 0.08},     {18, 172, 93, 1.0, 10, 13, 0.092},
    {25, 230, 134, 1.0, 0, 3, 0.133},      {30, 271, 163, 1.08, 0, 3, 0.161},
    {35, 312, 193, 1.16, 0, 3, 0.19},      {45, 394, 249, 1.24, 0, 3, 0.248},
    {62, 534, 347, 1.417, 0, 3, 0.346},    {80, 674, 447, 1.6, 5, 8, 0.446},
    {95, 815, 547, 1.75, 5, 8, 0.546},     {110, 957, 647, 1.9, 5, 8, 0.646},
};

const SizeRow* FindRow(int n) {
    for (const SizeRow& r : kRows)
        if (r.n == n) return &r;
    return nullptr;
}

}  // namespace

TFlowAreas FlowAreas(int sizeCode, double W) {
    TFlowAreas a;
    const double j = std::ceil(W / 500.0);
    if (sizeCode == 366) {
        a.A = (W - 10.0 * j) * 0.45 / 1000.0 * 366.0 / 1000.0;
        a.F = W / 1000.0 * 178.0 / 1000.0;
        a.f = 1.0;
        return a;
    }
    if (sizeCode > 2000) {
        if (const SizeRow* r = FindRow(sizeCode - 2000)) {
            a.A = (W - r->kombiAllowance * j) * 0.9 / 1000.0 * r->H / 1000.0;
            a.F = 2.0 * W / 1000.0 * r->Hf / 1000.0;
            a.f = r->f;
        }
        return a;
    }
    if (const SizeRow* r = FindRow(sizeCode)) {
        a.A = (W - r->singleAllowance * j) * 0.45 / 1000.0 * r->H / 1000.0;
        a.F = W / 1000.0 * r->Hf / 1000.0;
        a.f = r->f;
    }
    return a;
}

double ConnectionArea(int sizeCode, double W, double A) {
    if (sizeCode > 2000)
        if (const SizeRow* r = FindRow(sizeCode - 2000))
            return (W - 24.0) * r->connection / 1000.0 * 0.35;
    return A;
}

namespace {

// Balanced-flow temperature efficiency (0..1) from the channel velocity u1 (m/s).
double BalancedEfficiency(int series, int size, double u1) {
    double eta = 0.86 * Pow(u1, -0.06) * 0.978;
    if (series == 1) {
        if (size == 62 || size == 80 || size == 2062 || size == 2080)
            eta *= 1.055;
        else if (size == 95 || size == 2095)
            eta *= 1.05;
        else if (size == 110 || size == 2110)
            eta *= 1.045;
    }
    if (series == 2) eta *= 1.0375;
    if (size < 25) eta *= 0.99;
    if (size == 366) eta *= 0.99;
    if (size == 16) eta = 0.79 * Pow(u1, -0.066);
    if (series == 3) eta = 0.78645 * Pow(u1, -0.084);
    return eta;
}

// Completes the state of an outlet point from its temperature and humidity ratio; false on a
// fault, which ends the calculation.
bool CompleteOutletState(double P, TDatenREK& r, const TPointFields& p) {
    return CompleteAirPointState(1, P, r.*p[kTemp], r.*p[kRelHum], r.*p[kX], r.*p[kDewPt],
                                 r.*p[kWetBulb], r.*p[kH], r.*p[kRho]);
}

// Completes the flows of an outlet point from its dry-air mass flow; false on a fault, which ends
// the calculation.
bool CompleteOutletFlows(double P, TDatenREK& r, const TPointFields& p) {
    return CompleteAirPointFlows(2, P, r.*p[kSVol], r.*p[kOVol], r.*p[kMassMoist],
                                 r.*p[kMassVapour], r.*p[kMassDry], r.*p[kRho], r.*p[kX],
                                 r.*p[kTemp]);
}

// Bypass width for the velocity asked for, then the velocity that the rounded width gives, for
// the outdoor-air flow Vb as entered.
void SizeBypass(TDatenREK& r, double Vb) {
    r.BypassWidth = BypassWidthFor(r.SizeCode, r.BypassVelocity, Vb);
    r.BypassVelocity = Finite(BypassVelocityFor(r.SizeCode, r.BypassWidth, Vb));
}

double Sq(double v) { return Finite(v * v); }

// What steps 2 to 18 of the counterflow calculation pass on to the outlet steps.
struct TExchange {
    TFlowAreas Areas;
    double RhoC = 0.0;  // density at 20 degC / 50 % and the air pressure
    double RhoS = 0.0;  // density at the standard state
};

// Steps 2 to 18 on the turned record: bypass, efficiencies, outlet temperatures and humidities,
// condensation, balances, pressure drops and the freezing risk.
TExchange RateTurned(TDatenREK& r, bool swapped) {
    const double P = r.Pressure;

    // 2. Bypass for the outdoor-air flow as entered.
    SizeBypass(r, swapped ? r.SVol21 : r.SVol11);

    // 3. Areas.
    const TFlowAreas ar = FlowAreas(r.SizeCode, r.PackageWidth);
    const double A = ar.A, F = ar.F;

    // 4. A humidity ratio of zero would make the dew point undefined.
    if (std::fabs(r.X11) < 1e-4) r.X11 = 0.01;
    if (std::fabs(r.X21) < 1e-4) r.X21 = 0.01;
    r.X12 = r.X11;

    // 5. Velocities.
    r.FaceVelocity1 = Div(r.OVol11 / 3600.0, F);
    r.FaceVelocity2 = Div(r.OVol21 / 3600.0, F);
    const double u1 = Div(r.OVol11, A) / 3600.0;
    r.ChannelVelocity1 = u1;
    const double u2 = Div(r.OVol21, A) / 3600.0;
    r.ChannelVelocity2 = u2;

    // 6. Capacity rates, W/K.
    const double C1 = Finite((r.MassDry11 * 1.007 + r.MassVapour11 * 1.86) / 3.6);
    const double C2 = Finite((r.MassDry21 * 1.007 + r.MassVapour21 * 1.86) / 3.6);
    const double R1 = Div(C1, C2);

    // 7., 8. Dry temperature efficiencies.
    const double eta0 = BalancedEfficiency(r.Series, r.SizeCode, u1);
    const double ntu = Div(1.0, Div(1.0, eta0) - 1.0);
    // Below about 0.06 m/s the correlation gives a balanced efficiency of 100 % or more; the
    // number of transfer units is then not positive and the counterflow formula would return
    // efficiencies above 100 % (supply air warmer than the extract air). That is outside the
    // correlation, so it ends the calculation like the exact 100 % does.
    if (!(ntu > 0.0)) throw MathFault("efficiency correlation out of range");
    r.TempEff1 = Finite(100.0 * CounterflowEffectiveness(R1, ntu));
    r.TempEff2 = Finite(r.TempEff1 * R1);

    // 9. Dry outlet temperatures.
    r.Temp12 = Finite(r.Temp11 + (r.Temp21 - r.Temp11) * r.TempEff1 / 100.0);
    r.Temp22 = Finite(r.Temp21 - (r.Temp21 - r.Temp11) * r.TempEff2 / 100.0);
    r.HumEff1 = 0.0;
    r.HumEff2 = 0.0;

    // 10. Dew point of the warm air above the cold inlet.
    const double dT = Finite(DewPoint(r.X21, P) - r.Temp11);

    // 11. Moisture transfer of the enthalpy exchanger.
    if (r.Series == 3) {
        r.TempEffWet1 = r.TempEff1;
        r.TempEffWet2 = r.TempEff2;
        const double rr = std::clamp(dT, -20.0, 20.0);
        const double k = std::clamp(0.00038 * rr * rr + 0.0271 * rr + 0.42354, 0.25, 0.95);
        r.HumEff1 = Finite(k * r.TempEff1);
        r.HumEff2 = Finite(r.HumEff1 * Div(r.MassDry11, r.MassDry21));
        r.X12 = Finite(r.X11 + (r.X21 - r.X11) * r.HumEff1 / 100.0);
        r.X22 = Finite(std::min(r.X21 + (r.X11 - r.X21) * r.HumEff2 / 100.0,
                                HumidityRatio(r.Temp22, 100.0, P)));
        r.HeatDry1 = r.Heat1 = Finite(C1 * (r.Temp12 - r.Temp11) / 1000.0);
    }

    // 12. Would the warm air be supersaturated at its dry outlet temperature?
    const bool supersaturated = RelativeHumidity(r.Temp22, r.X21, P) > 100.0;

    // 13.
    r.HeatDry1 = Finite(C1 * (r.Temp12 - r.Temp11) / 1000.0);

    // 14. Condensation state.
    const double g = (r.Series == 3) ? 1.0 : CondensationFactor(r.RelHum21, dT);
    if (std::fabs(g - 1.0) < 1e-4)
        r.CondensationState = 0;
    else if (dT <= CondensationLimit(r.RelHum21))
        r.CondensationState = 1;
    else
        r.CondensationState = 2;

    // 15. Condensation on the warm side (plate exchangers without moisture transfer).
    if (r.Series != 3) {
        if (r.CondensationState > 0 || supersaturated) {
            const double e1 = r.TempEff1 / 100.0;
            const double gc = std::min(g, 1.4);
            double q = (1.0 - e1 * e1 * e1) * (gc - 1.0) + 1.0;
            q = std::min(q, Div(0.99, e1));  // the wet efficiency stays below 99 %
            if (r.SizeCode == 366 && 0.99 * q > 1.0) q = 0.99 * q;
            r.TempEffWet1 = Finite(q * r.TempEff1);
            r.Enthalpy21 = Finite(Enthalpy(r.Temp21, r.X21, P));
            r.Temp12 = Finite(r.Temp11 + (r.Temp21 - r.Temp11) * r.TempEffWet1 / 100.0);
            r.Heat1 = Finite(C1 * (r.Temp12 - r.Temp11) / 1000.0);
            r.Enthalpy22 = Finite(r.Enthalpy21 - Div(r.Heat1 * 3600.0, r.MassDry21));
            r.Temp22 = Finite(CoolingEndTemperature(P, r.Enthalpy22, r.X21, r.Temp21, r.Temp11));
            r.X22 = Finite(std::min(
                Div(r.Enthalpy22 - 1.007 * r.Temp22, 1.86 * r.Temp22 + 2501.0) * 1000.0,
                HumidityRatio(r.Temp22, 100.0, P)));
            r.TempEffWet2 = Div((r.Temp21 - r.Temp22) * 100.0, r.Temp21 - r.Temp11);
        } else {
            r.X22 = r.X21;
            r.TempEffWet1 = r.TempEff1;
            r.TempEffWet2 = r.TempEff2;
            r.Heat1 = r.HeatDry1;
        }
    }

    // 16. Balances.
    r.HeatDry2 = -r.HeatDry1;
    r.Heat2 = -r.Heat1;
    r.Water1 = Finite((r.X11 - r.X12) * r.MassDry11 / 1000.0);
    r.Condensate2 = Finite((r.X21 - r.X22) * r.MassDry21 / 1000.0);
    r.Latent1 = Finite(-r.Water1 * 2501.0 / 3600.0);
    r.Latent2 = Finite(-r.Condensate2 * 2501.0 / 3600.0);
    r.Total1 = Finite(r.Heat1 + r.Latent1);
    r.Total2 = Finite(r.Heat2 + r.Latent2);

    // 17. Pressure drops.
    double K = 30.0, b = 1.4;
    if (r.SizeCode == 366) {
        if (r.Series == 3) {
            K = 95.0;
            b = 1.627;
        } else {
            K = 62.0;
            b = 1.6;
        }
    }
    const double n = r.DpMultiplier;
    const double ks2 = (r.Series == 2 && r.SizeCode != 366) ? 1.4 : 1.0;
    const double rhoC = Density(20.0, HumidityRatio(20.0, 50.0, P), P);
    const double rhoS = StandardDensity();
    double dp1 = K * Pow(u1, b) * n;
    if (r.Water1 != 0.0) dp1 *= 1.1;
    double dp2 = K * Pow(u2, b) * n;
    if (r.Condensate2 != 0.0) dp2 *= 1.1;
    // Correction for the air pressure at the installation altitude.
    r.PressureDrop1 = Div(dp1 * ar.f * ks2 * rhoC, rhoS);
    r.PressureDrop2 = Div(dp2 * ar.f * ks2 * rhoC, rhoS);
    r.PressureDropStd1 = Finite(K * Pow(Div(r.SVol11, A) / 3600.0, b) * n * ar.f * ks2);
    r.PressureDropStd2 = Finite(K * Pow(Div(r.SVol21, A) / 3600.0, b) * n * ar.f * ks2);

    // 18. Freezing risk on the exhaust side.
    r.FreezeRisk = (r.Condensate2 + r.Water1 > 0.0 && (r.Temp11 + r.Temp22) / 2.0 < 0.0) ? 1 : 0;
    return {ar, rhoC, rhoS};
}

// Steps 1 to 19 of the counterflow calculation: everything but the outlet states and flows, the
// connection piece and the efficiencies referred to the smaller flow.
TExchange RateExchange(TDatenREK& r) {
    // 1. Stream 1 is the colder inlet from here on; only stream 2 can condense.
    const bool swapped = r.Temp21 < r.Temp11;
    if (swapped) r.SwapInlets();
    // A fault before step 19 must not leave the streams exchanged: the record would show (and the
    // window would store) the inlets of stream 1 under stream 2 and the other way round.
    struct TSwapBack {
        TDatenREK& r;
        bool pending;
        ~TSwapBack() { if (pending) r.SwapAll(); }
    } swapBack{r, swapped};

    const TExchange x = RateTurned(r, swapped);

    // 19. Back to the orientation as entered.
    swapBack.pending = false;
    if (swapped) r.SwapAll();
    return x;
}

// The counterflow calculation in the order of its steps; false when an outlet could not be
// completed, which ends it as a fault does (an outlet beyond the moist-air functions is common
// enough that it ends without raising one).
bool Rate(TDatenREK& r) {
    const double P = r.Pressure;
    const TExchange x = RateExchange(r);
    const TFlowAreas& ar = x.Areas;
    const double A = ar.A, rhoC = x.RhoC, rhoS = x.RhoS;

    // 20. Outlets: both states, then both flows.
    r.MassDry12 = r.MassDry11;
    r.MassDry22 = r.MassDry21;
    if (!CompleteOutletState(P, r, Point12Fields) || !CompleteOutletState(P, r, Point22Fields) ||
        !CompleteOutletFlows(P, r, Point12Fields) || !CompleteOutletFlows(P, r, Point22Fields))
        return false;

    // 21. Dynamic pressure of the connection piece of double packages.
    if (r.SizeCode > 2000) {
        const double A2 = ConnectionArea(r.SizeCode, r.PackageWidth, A);
        auto cv = [&](double V) { return Sq(Div(V / 2.0, A2) / 3600.0); };
        r.PressureDrop1 = Finite(
            r.PressureDrop1 +
            rhoC * (cv(r.OVol11) * r.Density11 / 2.0 + cv(r.OVol12) * r.Density12 / 2.0) / 2.0 /
                rhoS);
        r.PressureDrop2 = Finite(
            r.PressureDrop2 +
            rhoC * (cv(r.OVol21) * r.Density21 / 2.0 + cv(r.OVol22) * r.Density22 / 2.0) / 2.0 /
                rhoS);
        r.PressureDropStd1 = Finite(
            r.PressureDropStd1 + (rhoS * 0.5 * cv(r.SVol11) + rhoS * 0.5 * cv(r.SVol12)) / 2.0);
        r.PressureDropStd2 = Finite(
            r.PressureDropStd2 + (rhoS * 0.5 * cv(r.SVol21) + rhoS * 0.5 * cv(r.SVol22)) / 2.0);
    }

    // 22. Efficiencies referred to the smaller dry-air flow.
    const double m = std::min(r.MassDry11, r.MassDry21);
    const double Z1 = Div(r.MassDry11, m);
    const double Z2 = Div(r.MassDry21, m);
    r.EffRel1[0] = Finite(r.TempEff1 * Z1);
    r.EffRel1[1] = Finite(r.TempEffWet1 * Z1);
    r.EffRel1[2] = Finite(r.HumEff1 * Z1);
    r.EffRel2[0] = Finite(r.TempEff2 * Z2);
    r.EffRel2[1] = Finite(r.TempEffWet2 * Z2);
    r.EffRel2[2] = Finite(r.HumEff2 * Z2);
    if (r.Enthalpy11 != r.Enthalpy21) {
        const double dh = r.Enthalpy21 - r.Enthalpy11;
        r.EffRel1[3] = Finite(Div((r.Enthalpy12 - r.Enthalpy11) * 100.0, dh) * Z1);
        r.EffRel2[3] = Finite(Div((r.Enthalpy21 - r.Enthalpy22) * 100.0, dh) * Z2);
    }
    return true;
}

// ---- Remembered calculations ----
//
// Apart from the bypass (step 2), a calculation that completes reads only the inlet points, the
// air pressure and the device, and writes every outlet, efficiency, flow and pressure-drop field,
// the enthalpy efficiencies only when the inlet enthalpies differ. Its result is therefore
// remembered under those inputs and written back whole; the bypass reads and writes only its own
// two fields and is sized again each time, because the first calculation of a record changes the
// bypass velocity that the next one starts from. A calculation that ends in a fault is never
// remembered, so the fields it leaves as they were stay exactly as a fresh calculation leaves them.

// Every result field written as a double, apart from the points and the bypass.
double TDatenREK::* const kResultFields[] = {
    &TDatenREK::PressureDrop1, &TDatenREK::PressureDropStd1, &TDatenREK::FaceVelocity1,
    &TDatenREK::ChannelVelocity1, &TDatenREK::PressureDrop2, &TDatenREK::PressureDropStd2,
    &TDatenREK::FaceVelocity2, &TDatenREK::ChannelVelocity2, &TDatenREK::TempEff1,
    &TDatenREK::TempEff2, &TDatenREK::HumEff1, &TDatenREK::HumEff2, &TDatenREK::TempEffWet1,
    &TDatenREK::TempEffWet2, &TDatenREK::HeatDry1, &TDatenREK::HeatDry2, &TDatenREK::Heat1,
    &TDatenREK::Heat2, &TDatenREK::Latent1, &TDatenREK::Latent2, &TDatenREK::Total1,
    &TDatenREK::Total2, &TDatenREK::Water1, &TDatenREK::Condensate2};
constexpr std::size_t kResultCount = std::size(kResultFields);
const TPointFields* const kPoints[] = {&Point11Fields, &Point12Fields, &Point21Fields,
                                       &Point22Fields};

// Pressure, both inlet points and the device.
using TCounterflowKey = std::array<double, 29>;
struct TCounterflowResult {
    std::array<double, 48> Points{};
    std::array<double, kResultCount> Results{};
    std::array<double, 4> EffRel1{}, EffRel2{};
    std::uint8_t CondensationState = 0, FreezeRisk = 0;
};
thread_local TMerker<29, TCounterflowResult, 4> tCalculations;

TCounterflowKey KeyOf(const TDatenREK& r) {
    TCounterflowKey key{r.Pressure, double(r.Series), double(r.SizeCode), double(r.PackageWidth),
                        double(r.DpMultiplier)};
    for (int i = 0; i < 12; ++i) {
        key[5 + i] = r.*Point11Fields[i];
        key[17 + i] = r.*Point21Fields[i];
    }
    return key;
}

TCounterflowResult ResultOf(const TDatenREK& r) {
    TCounterflowResult c;
    for (int p = 0; p < 4; ++p)
        for (int i = 0; i < 12; ++i) c.Points[12 * p + i] = r.*(*kPoints[p])[i];
    for (std::size_t i = 0; i < kResultCount; ++i) c.Results[i] = r.*kResultFields[i];
    c.EffRel1 = r.EffRel1;
    c.EffRel2 = r.EffRel2;
    c.CondensationState = r.CondensationState;
    c.FreezeRisk = r.FreezeRisk;
    return c;
}

void WriteResult(const TCounterflowResult& c, TDatenREK& r) {
    for (int p = 0; p < 4; ++p)
        for (int i = 0; i < 12; ++i) r.*(*kPoints[p])[i] = c.Points[12 * p + i];
    for (std::size_t i = 0; i < kResultCount; ++i) r.*kResultFields[i] = c.Results[i];
    const int written = r.Enthalpy11 != r.Enthalpy21 ? 4 : 3;
    for (int i = 0; i < written; ++i) {
        r.EffRel1[i] = c.EffRel1[i];
        r.EffRel2[i] = c.EffRel2[i];
    }
    r.CondensationState = c.CondensationState;
    r.FreezeRisk = c.FreezeRisk;
}

}  // namespace

void CalculateExchange(TDatenREK& r) {
    if (r.Kind != "VX") return;
    try {
        RateExchange(r);
    } catch (...) {
        // The fields keep what was written before the fault, as in a full calculation.
    }
}

void CalculateCounterflow(TDatenREK& r) {
    if (!CalculationReuse()) {
        Rate(r);
        return;
    }
    const TCounterflowKey key = KeyOf(r);
    if (const TCounterflowResult* known = tCalculations.Find(key)) {
        // The bypass is sized before anything else is written; should that fault, the full
        // calculation runs and ends in the same fault.
        bool sized = true;
        try {
            SizeBypass(r, r.SVol11);
        } catch (const MathFault&) {
            sized = false;
        }
        if (sized) {
            WriteResult(*known, r);
            return;
        }
    }
    if (Rate(r)) tCalculations.Store(key, ResultOf(r));
}
