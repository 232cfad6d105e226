#include "URateOutput.h"

#include <cmath>

#include "series/UVXAuswertung.h"
#include "thermo/UZahlformat.h"

using nlohmann::ordered_json;

namespace {

// The twelve values of one air point, in record order.
struct TPoint {
    const double *SVol, *OVol, *Temp, *RelHum, *X, *DewPoint, *WetBulb, *Enthalpy, *Density,
        *MassDry, *MassVapour, *MassMoist;
};

TPoint Point11(const TDatenVX& r)
{
    return {&r.SVol11, &r.OVol11, &r.Temp11, &r.RelHum11, &r.X11, &r.DewPoint11, &r.WetBulb11,
            &r.Enthalpy11, &r.Density11, &r.MassDry11, &r.MassVapour11, &r.MassMoist11};
}
TPoint Point12(const TDatenVX& r)
{
    return {&r.SVol12, &r.OVol12, &r.Temp12, &r.RelHum12, &r.X12, &r.DewPoint12, &r.WetBulb12,
            &r.Enthalpy12, &r.Density12, &r.MassDry12, &r.MassVapour12, &r.MassMoist12};
}
TPoint Point21(const TDatenVX& r)
{
    return {&r.SVol21, &r.OVol21, &r.Temp21, &r.RelHum21, &r.X21, &r.DewPoint21, &r.WetBulb21,
            &r.Enthalpy21, &r.Density21, &r.MassDry21, &r.MassVapour21, &r.MassMoist21};
}
TPoint Point22(const TDatenVX& r)
{
    return {&r.SVol22, &r.OVol22, &r.Temp22, &r.RelHum22, &r.X22, &r.DewPoint22, &r.WetBulb22,
            &r.Enthalpy22, &r.Density22, &r.MassDry22, &r.MassVapour22, &r.MassMoist22};
}

void AddPoint(ordered_json& j, const TPoint& p, const char* n)
{
    const std::string s(n);
    j["SVol" + s] = *p.SVol;
    j["OVol" + s] = *p.OVol;
    j["Temp" + s] = *p.Temp;
    j["RelHum" + s] = *p.RelHum;
    j["X" + s] = *p.X;
    j["DewPoint" + s] = *p.DewPoint;
    j["WetBulb" + s] = *p.WetBulb;
    j["Enthalpy" + s] = *p.Enthalpy;
    j["Density" + s] = *p.Density;
    j["MassDry" + s] = *p.MassDry;
    j["MassVapour" + s] = *p.MassVapour;
    j["MassMoist" + s] = *p.MassMoist;
}

// Fixed-point text of a value in the program's number format; a value that is not a finite
// number shows as "-".
std::string Fix(double v, int decimals)
{
    const std::string s = FormatFixed(v, decimals);
    return s.empty() ? "-" : s;
}

std::string PadRight(const std::string& s, std::size_t width)
{
    return s.size() >= width ? s : s + std::string(width - s.size(), ' ');
}

std::string PadLeft(const std::string& s, std::size_t width)
{
    return s.size() >= width ? s : std::string(width - s.size(), ' ') + s;
}

constexpr std::size_t TitleWidth = 36;
constexpr std::size_t ColumnWidth = 13;

std::string Row(const std::string& title, const std::string& unit,
                std::initializer_list<std::string> cells)
{
    std::string line = PadRight(title, TitleWidth - 8) + PadRight(unit, 8);
    for (const auto& c : cells) line += PadLeft(c, ColumnWidth);
    while (!line.empty() && line.back() == ' ') line.pop_back();
    return line + "\n";
}

// The type key as the window shows it in English.
std::string TypeKeyOf(const TRatedCase& rated)
{
    const TDatenVX& r = rated.Record;
    return BuildTypeKey("Type", TypeEntryText(r.Series, r.SizeCode), std::to_string(r.PackageWidth),
                        rated.Bypass, std::to_string(r.BypassWidth));
}

}  // namespace

ordered_json RatedCaseJson(const TRatedCase& rated)
{
    const TDatenVX& r = rated.Record;
    ordered_json j;
    j["Status"] = r.Status;
    j["HumidityMode"] = r.HumidityMode;
    j["FlowMode"] = r.FlowMode;
    j["Pressure"] = r.Pressure;
    AddPoint(j, Point11(r), "11");
    AddPoint(j, Point12(r), "12");
    j["PressureDrop1"] = r.PressureDrop1;
    j["PressureDropStd1"] = r.PressureDropStd1;
    j["FaceVelocity1"] = r.FaceVelocity1;
    j["ChannelVelocity1"] = r.ChannelVelocity1;
    j["FlowAtOutlet"] = r.FlowAtOutlet;
    j["SVolSupplyOutlet"] = r.SVolSupplyOutlet;
    AddPoint(j, Point21(r), "21");
    AddPoint(j, Point22(r), "22");
    j["PressureDrop2"] = r.PressureDrop2;
    j["PressureDropStd2"] = r.PressureDropStd2;
    j["FaceVelocity2"] = r.FaceVelocity2;
    j["ChannelVelocity2"] = r.ChannelVelocity2;
    j["DpMultiplier"] = r.DpMultiplier;
    j["SizeCode"] = r.SizeCode;
    j["PackageWidth"] = r.PackageWidth;
    j["BypassWidth"] = r.BypassWidth;
    j["BypassVelocity"] = r.BypassVelocity;
    j["TempEff1"] = r.TempEff1;
    j["TempEff2"] = r.TempEff2;
    j["HumEff1"] = r.HumEff1;
    j["HumEff2"] = r.HumEff2;
    j["TempEffWet1"] = r.TempEffWet1;
    j["TempEffWet2"] = r.TempEffWet2;
    j["HeatDry1"] = r.HeatDry1;
    j["HeatDry2"] = r.HeatDry2;
    j["Heat1"] = r.Heat1;
    j["Heat2"] = r.Heat2;
    j["Latent1"] = r.Latent1;
    j["Latent2"] = r.Latent2;
    j["Total1"] = r.Total1;
    j["Total2"] = r.Total2;
    j["EffRel1"] = r.EffRel1;
    j["EffRel2"] = r.EffRel2;
    j["Water1"] = r.Water1;
    j["Condensate2"] = r.Condensate2;
    j["CondensationState"] = r.CondensationState;
    j["FreezeRisk"] = r.FreezeRisk;
    j["EnergyEfficiency"] = r.EnergyEfficiency;
    j["EfficiencyClass"] = r.EfficiencyClass;
    j["EfficiencyClassNo"] = r.EfficiencyClassNo;
    j["EnergyEfficiencyText"] = r.EnergyEfficiencyText;
    j["ErpEfficiency"] = r.ErpEfficiency;
    j["Kind"] = r.Kind;
    j["Series"] = r.Series;

    j["Messages"] = rated.Check.List();
    j["WarningsOnly"] = rated.Check.WarningsOnly;
    j["RecommendedPressureDrop"] = rated.Check.RecommendedPressureDrop;
    j["ErpMark"] = rated.ErpMark;
    j["Length"] = rated.Figures.Length;
    j["Height"] = rated.Figures.Height;
    j["FaceHeight"] = rated.Figures.FaceHeight;
    j["Weight"] = rated.Figures.Weight;
    j["TypeKey"] = TypeKeyOf(rated);
    return j;
}

std::string RatedCaseTable(const TRatedCase& rated, long caseIndex)
{
    const TDatenVX& r = rated.Record;
    std::string t;
    const std::string key = TypeKeyOf(rated);
    if (caseIndex >= 0) t += "Case " + std::to_string(caseIndex) + "   ";
    t += key + "\n";
    t += std::string(TitleWidth + 4 * ColumnWidth, '=') + "\n";

    // Operating-point messages.
    const auto codes = rated.Check.List();
    std::string messages;
    for (int c : codes)
        messages += (messages.empty() ? "" : ", ") + std::to_string(c) +
                    (IsErrorCode(c) ? " (error)" : " (warning)");
    t += "Messages: " + (messages.empty() ? std::string("none") : messages) + "\n\n";

    t += Row("Air state", "", {"outdoor in", "supply out", "extract in", "exhaust out"});
    t += Row("", "", {"11", "12", "21", "22"});
    const TPoint p[4] = {Point11(r), Point12(r), Point21(r), Point22(r)};
    auto pointRow = [&](const char* title, const char* unit, const double* TPoint::*f, int d) {
        return Row(title, unit, {Fix(*(p[0].*f), d), Fix(*(p[1].*f), d), Fix(*(p[2].*f), d),
                                 Fix(*(p[3].*f), d)});
    };
    t += pointRow("Standard volume flow", "m3/h", &TPoint::SVol, 1);
    t += pointRow("Operating volume flow", "m3/h", &TPoint::OVol, 1);
    t += pointRow("Temperature", "degC", &TPoint::Temp, 2);
    t += pointRow("Relative humidity", "%", &TPoint::RelHum, 1);
    t += pointRow("Humidity ratio", "g/kg", &TPoint::X, 3);
    t += pointRow("Dew point", "degC", &TPoint::DewPoint, 2);
    t += pointRow("Wet-bulb temperature", "degC", &TPoint::WetBulb, 2);
    t += pointRow("Enthalpy", "kJ/kg", &TPoint::Enthalpy, 2);
    t += pointRow("Density", "kg/m3", &TPoint::Density, 4);
    t += pointRow("Dry-air mass flow", "kg/h", &TPoint::MassDry, 2);
    t += pointRow("Moist-air mass flow", "kg/h", &TPoint::MassMoist, 2);
    t += "\n";

    t += Row("Exchanger", "", {"stream 1", "stream 2"});
    auto pair = [&](const char* title, const char* unit, double a, double b, int d) {
        return Row(title, unit, {Fix(a, d), Fix(b, d)});
    };
    t += pair("Face velocity", "m/s", r.FaceVelocity1, r.FaceVelocity2, 2);
    t += pair("Channel velocity", "m/s", r.ChannelVelocity1, r.ChannelVelocity2, 2);
    t += pair("Pressure drop", "Pa", r.PressureDrop1, r.PressureDrop2, 1);
    t += pair("Pressure drop std. density", "Pa", r.PressureDropStd1, r.PressureDropStd2, 1);
    t += pair("Temperature efficiency dry", "%", r.TempEff1, r.TempEff2, 1);
    t += pair("Temperature efficiency wet", "%", r.TempEffWet1, r.TempEffWet2, 1);
    t += pair("Humidity efficiency", "%", r.HumEff1, r.HumEff2, 1);
    t += pair("Heat recovery dry", "kW", r.HeatDry1, r.HeatDry2, 3);
    t += pair("Heat recovery wet", "kW", r.Heat1, r.Heat2, 3);
    t += pair("Latent heat", "kW", r.Latent1, r.Latent2, 3);
    t += pair("Total heat", "kW", r.Total1, r.Total2, 3);
    t += pair("Water taken from the air", "kg/h", r.Water1, r.Condensate2, 3);
    t += "\n";

    const char* condensation[] = {"none", "yes", "strong"};
    t += "Condensation            " +
         std::string(r.CondensationState <= 2 ? condensation[r.CondensationState] : "?") +
         (r.FreezeRisk ? ", freezing limit reached" : "") + "\n";
    t += "Energy efficiency       " + r.EnergyEfficiencyText + "  (DIN EN 13053)\n";
    t += "ErP Lot 6 efficiency    " + Fix(r.ErpEfficiency, 1) + " %" +
         (rated.ErpMark.empty() ? "" : "  " + rated.ErpMark) + "\n";
    t += "Recommended max. dp     " + std::to_string(rated.Check.RecommendedPressureDrop) +
         " Pa\n";
    if (HasBypass(rated.Bypass))
        t += "Bypass                  " + std::to_string(r.BypassWidth) + " mm at " +
             Fix(r.BypassVelocity, 2) + " m/s\n";
    else
        t += "Bypass                  none\n";
    t += "Device A x B, face      " + std::to_string(rated.Figures.Length) + " x " +
         std::to_string(rated.Figures.Height) + " mm, face height " +
         std::to_string(rated.Figures.FaceHeight) + " mm\n";
    t += "Weight                  " + Fix(rated.Figures.Weight, 1) + " kg\n";
    return t;
}
