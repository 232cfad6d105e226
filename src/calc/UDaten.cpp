#include "calc/UDaten.h"

#include <cmath>
#include <utility>

#include "calc/UEintritt.h"
#include "calc/UGegenstrom.h"
#include "calc/UMerker.h"
#include "thermo/UMath.h"
#include "thermo/UThermo.h"
#include "thermo/UZahlformat.h"

const TPointFields Point11Fields = {
    &TDatenI::SVol11,   &TDatenI::OVol11,     &TDatenI::Temp11,     &TDatenI::RelHum11,
    &TDatenI::X11,      &TDatenI::DewPoint11, &TDatenI::WetBulb11,  &TDatenI::Enthalpy11,
    &TDatenI::Density11, &TDatenI::MassDry11, &TDatenI::MassVapour11, &TDatenI::MassMoist11};
const TPointFields Point12Fields = {
    &TDatenI::SVol12,   &TDatenI::OVol12,     &TDatenI::Temp12,     &TDatenI::RelHum12,
    &TDatenI::X12,      &TDatenI::DewPoint12, &TDatenI::WetBulb12,  &TDatenI::Enthalpy12,
    &TDatenI::Density12, &TDatenI::MassDry12, &TDatenI::MassVapour12, &TDatenI::MassMoist12};
const TPointFields Point21Fields = {
    &TDatenII::SVol21,   &TDatenII::OVol21,     &TDatenII::Temp21,     &TDatenII::RelHum21,
    &TDatenII::X21,      &TDatenII::DewPoint21, &TDatenII::WetBulb21,  &TDatenII::Enthalpy21,
    &TDatenII::Density21, &TDatenII::MassDry21, &TDatenII::MassVapour21, &TDatenII::MassMoist21};
const TPointFields Point22Fields = {
    &TDatenII::SVol22,   &TDatenII::OVol22,     &TDatenII::Temp22,     &TDatenII::RelHum22,
    &TDatenII::X22,      &TDatenII::DewPoint22, &TDatenII::WetBulb22,  &TDatenII::Enthalpy22,
    &TDatenII::Density22, &TDatenII::MassDry22, &TDatenII::MassVapour22, &TDatenII::MassMoist22};

namespace {

void SwapPoints(TDatenII& r, const TPointFields& a, const TPointFields& b) {
    for (int i = 0; i < 12; ++i) std::swap(r.*(a[i]), r.*(b[i]));
}

}  // namespace

// ---- TDatenI ----

void TDatenI::StreamStep1() {
    Status = 100;
    if (CompleteAirPoint(HumidityMode, FlowMode, Pressure, SVol11, OVol11, Temp11, RelHum11, X11,
                      DewPoint11, WetBulb11, Enthalpy11, Density11, MassDry11, MassVapour11,
                      MassMoist11))
        Status = 0;
}

void TDatenI::Refresh() { StreamStep1(); }
void TDatenI::Calculate() { StreamStep1(); }

// ---- TDatenII ----

void TDatenII::StreamStep2() {
    Status = 100;
    if (CompleteAirPoint(HumidityMode, FlowMode, Pressure, SVol21, OVol21, Temp21, RelHum21, X21,
                      DewPoint21, WetBulb21, Enthalpy21, Density21, MassDry21, MassVapour21,
                      MassMoist21))
        Status = 0;
}

void TDatenII::Refresh() {
    TDatenI::Refresh();
    if (Status > 0) return;
    StreamStep2();
}

void TDatenII::Calculate() {
    TDatenI::Calculate();
    if (Status > 0) return;
    StreamStep2();
}

void TDatenII::CompleteInletsForBalance() {
    Status = 100;
    if (!CompleteAirPointForBalance(FlowMode, Pressure, SVol11, OVol11, Temp11, RelHum11, X11,
                                    DewPoint11, WetBulb11, Enthalpy11, Density11, MassDry11,
                                    MassVapour11, MassMoist11))
        return;
    if (CompleteAirPointForBalance(FlowMode, Pressure, SVol21, OVol21, Temp21, RelHum21, X21,
                                   DewPoint21, WetBulb21, Enthalpy21, Density21, MassDry21,
                                   MassVapour21, MassMoist21))
        Status = 0;
}

void TDatenII::SwapInlets() { SwapPoints(*this, Point11Fields, Point21Fields); }

void TDatenII::SwapAll() {
    SwapInlets();
    SwapPoints(*this, Point12Fields, Point22Fields);
    std::swap(PressureDrop1, PressureDrop2);
    std::swap(PressureDropStd1, PressureDropStd2);
    std::swap(FaceVelocity1, FaceVelocity2);
    std::swap(ChannelVelocity1, ChannelVelocity2);
}

// ---- TDatenREK ----

void TDatenREK::Refresh() {
    TDatenII::Refresh();
    Calculate();
}

void TDatenREK::Calculate() {
    TDatenII::Calculate();
    Status = 100;
    try {
        if (Kind == "ZTL") {
            // The cross-flow family is rated elsewhere; this program never calculates it.
        } else if (Kind == "VX") {
            CalculateCounterflow(*this);
        }
    } catch (...) {
        // The fields keep what was written before the fault.
    }
}

void TDatenREK::SwapAll() {
    TDatenII::SwapAll();
    std::swap(TempEff1, TempEff2);
    std::swap(HumEff1, HumEff2);
    std::swap(TempEffWet1, TempEffWet2);
    std::swap(HeatDry1, HeatDry2);
    std::swap(Heat1, Heat2);
    std::swap(Latent1, Latent2);
    std::swap(Total1, Total2);
    std::swap(Water1, Condensate2);
    std::swap(EffRel1, EffRel2);
}

std::string EfficiencyClassFor(double v, std::int32_t& classNo) {
    static const double kLimits[] = {71.0, 64.0, 55.0, 45.0, 36.0, 0.0};
    static const char* const kNames[] = {"H1", "H2", "H3", "H4", "H5", "H6"};
    for (int i = 0; i < 6; ++i) {
        if (v >= kLimits[i]) {
            classNo = i + 1;
            return kNames[i];
        }
    }
    classNo = 0;  // below 0 or not a number
    return "-";
}

void TDatenREK::EvaluateEnergyEfficiency() {
    // Reference case: 5 degC / 72 % outdoor air against 25 degC extract air, balanced flows.
    TDatenREK t;
    t.HumidityMode = 0;
    t.FlowMode = 0;
    t.Pressure = Pressure;
    t.SVol11 = SVol11;
    t.SVol21 = SVol11;
    t.Temp11 = 5.0;
    t.RelHum11 = 72.0;
    t.Temp21 = 25.0;
    t.RelHum21 = (Series == 3) ? 51.0 : 23.0;
    t.SizeCode = SizeCode;
    t.PackageWidth = PackageWidth;
    t.DpMultiplier = DpMultiplier;
    t.BypassVelocity = BypassVelocity;
    t.Kind = Kind;
    t.Series = Series;
    t.ReservedREK = ReservedREK;
    t.ZtlOption1 = ZtlOption1;
    t.ZtlOption2 = ZtlOption2;
    if (CalculationReuse() && SizeCode <= 2000) {
        // A calculation request (Refresh, then Calculate) on inlets entered by relative humidity
        // completes the same inlets every time and ends with the values of its first counterflow
        // run. The classification reads only efficiency, heat flows and standard pressure drops,
        // which that run has written before the outlets; double packages add their connection
        // piece to the pressure drops afterwards and are calculated in full.
        t.CompleteInletsForBalance();
        CalculateExchange(t);
    } else {
        t.Refresh();
        t.Calculate();
    }

    ErpEfficiency = std::isfinite(t.TempEff1) ? t.TempEff1 : 0.0;
    // A reference case that cannot be rated (no fan power, no heat gain) stays unclassified
    // instead of letting the division fault escape.
    double v = 0.0;
    bool rated = false;
    try {
        const double pel = (t.PressureDropStd1 + t.PressureDropStd2) * (t.SVol11 / 3600.0) / 0.6 /
                           1000.0;
        double q = t.HeatDry1;
        if (Series == 3) q += t.Latent1;
        const double e = Div(q, pel);
        v = Finite((1.0 - Div(1.0, e)) * t.TempEff1);
        rated = true;
    } catch (const MathFault&) {
    }
    if (!rated) {
        EnergyEfficiency = 0.0;
        static const std::string kUnclassified(1, '-');
        EfficiencyClass = kUnclassified;
        EfficiencyClassNo = 0;
        EnergyEfficiencyText = kUnclassified;
        return;
    }
    EnergyEfficiency = v;
    EfficiencyClass = EfficiencyClassFor(v, EfficiencyClassNo);
    // One decimal in the program's number format, e.g. "68.5% / H2".
    EnergyEfficiencyText = FormatFixed(v, 1);
    EnergyEfficiencyText.append("% / ").append(EfficiencyClass);
}

// ---- TDatenVX / TDatenZTL ----

TDatenVX::TDatenVX() {
    Kind = "VX";
    DpMultiplier = 1;
}

void TDatenVX::Refresh() {
    TDatenREK::Refresh();
    Calculate();
}

void TDatenVX::Calculate() { TDatenREK::Calculate(); }

TDatenZTL::TDatenZTL() {
    Kind = "ZTL";
    ZtlOption1 = 1;
    ZtlOption2 = 0;
}

void TDatenZTL::Refresh() {
    TDatenREK::Refresh();
    Calculate();
}

void TDatenZTL::Calculate() { TDatenREK::Calculate(); }
