#include "URateOutput.h"

#include <array>
#include <cmath>
#include <limits>

#include <nlohmann/json.hpp>

#include "series/UVXAuswertung.h"
#include "thermo/UZahlformat.h"

namespace {

// The output names of the twelve values of a point: the field names with the point's number.
using TPointNames = std::array<std::string, 12>;

TPointNames PointNames(const char* suffix)
{
    TPointNames n = {"SVol",    "OVol",     "Temp",    "RelHum",  "X",          "DewPoint",
                     "WetBulb", "Enthalpy", "Density", "MassDry", "MassVapour", "MassMoist"};
    for (std::string& name : n) name += suffix;
    return n;
}

void AddPoint(TFieldSink& sink, const TDatenVX& r, const TPointFields& p, const TPointNames& n)
{
    for (int i = 0; i < 12; ++i) sink.Number(n[i].c_str(), r.*p[i]);
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

void RatedCaseFields(const TRatedCase& rated, TFieldSink& sink)
{
    static const TPointNames names11 = PointNames("11"), names12 = PointNames("12"),
                             names21 = PointNames("21"), names22 = PointNames("22");
    const TDatenVX& r = rated.Record;
    sink.Integer("Status", r.Status);
    sink.Integer("HumidityMode", r.HumidityMode);
    sink.Integer("FlowMode", r.FlowMode);
    sink.Number("Pressure", r.Pressure);
    AddPoint(sink, r, Point11Fields, names11);
    AddPoint(sink, r, Point12Fields, names12);
    sink.Number("PressureDrop1", r.PressureDrop1);
    sink.Number("PressureDropStd1", r.PressureDropStd1);
    sink.Number("FaceVelocity1", r.FaceVelocity1);
    sink.Number("ChannelVelocity1", r.ChannelVelocity1);
    sink.Integer("FlowAtOutlet", r.FlowAtOutlet);
    sink.Number("SVolSupplyOutlet", r.SVolSupplyOutlet);
    AddPoint(sink, r, Point21Fields, names21);
    AddPoint(sink, r, Point22Fields, names22);
    sink.Number("PressureDrop2", r.PressureDrop2);
    sink.Number("PressureDropStd2", r.PressureDropStd2);
    sink.Number("FaceVelocity2", r.FaceVelocity2);
    sink.Number("ChannelVelocity2", r.ChannelVelocity2);
    sink.Integer("DpMultiplier", r.DpMultiplier);
    sink.Integer("SizeCode", r.SizeCode);
    sink.Integer("PackageWidth", r.PackageWidth);
    sink.Integer("BypassWidth", r.BypassWidth);
    sink.Number("BypassVelocity", r.BypassVelocity);
    sink.Number("TempEff1", r.TempEff1);
    sink.Number("TempEff2", r.TempEff2);
    sink.Number("HumEff1", r.HumEff1);
    sink.Number("HumEff2", r.HumEff2);
    sink.Number("TempEffWet1", r.TempEffWet1);
    sink.Number("TempEffWet2", r.TempEffWet2);
    sink.Number("HeatDry1", r.HeatDry1);
    sink.Number("HeatDry2", r.HeatDry2);
    sink.Number("Heat1", r.Heat1);
    sink.Number("Heat2", r.Heat2);
    sink.Number("Latent1", r.Latent1);
    sink.Number("Latent2", r.Latent2);
    sink.Number("Total1", r.Total1);
    sink.Number("Total2", r.Total2);
    sink.Numbers("EffRel1", r.EffRel1.data(), r.EffRel1.size());
    sink.Numbers("EffRel2", r.EffRel2.data(), r.EffRel2.size());
    sink.Number("Water1", r.Water1);
    sink.Number("Condensate2", r.Condensate2);
    sink.Integer("CondensationState", r.CondensationState);
    sink.Integer("FreezeRisk", r.FreezeRisk);
    sink.Number("EnergyEfficiency", r.EnergyEfficiency);
    sink.Text("EfficiencyClass", r.EfficiencyClass);
    sink.Integer("EfficiencyClassNo", r.EfficiencyClassNo);
    sink.Text("EnergyEfficiencyText", r.EnergyEfficiencyText);
    sink.Number("ErpEfficiency", r.ErpEfficiency);
    sink.Text("Kind", r.Kind);
    sink.Integer("Series", r.Series);

    sink.Codes("Messages", rated.Check.List());
    sink.Boolean("WarningsOnly", rated.Check.WarningsOnly);
    sink.Integer("RecommendedPressureDrop", rated.Check.RecommendedPressureDrop);
    sink.Text("ErpMark", rated.ErpMark);
    sink.Integer("Length", rated.Figures.Length);
    sink.Integer("Height", rated.Figures.Height);
    sink.Integer("FaceHeight", rated.Figures.FaceHeight);
    sink.Number("Weight", rated.Figures.Weight);
    sink.Text("TypeKey", TypeKeyOf(rated));
    // No frost limit is written as null (an empty cell in CSV).
    sink.Number("FrostLimitTemp", rated.FrostLimit.value_or(std::numeric_limits<double>::quiet_NaN()));
}

void AppendJsonNumber(std::string& out, double value)
{
    if (!std::isfinite(value)) {
        out += "null";
        return;
    }
    // The JSON library's own number formatting, so that the text stays the one the library
    // wrote before the output was written directly.
    char buffer[64];
    const char* end = nlohmann::detail::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, static_cast<std::size_t>(end - buffer));
}

void AppendJsonString(std::string& out, const std::string& value)
{
    static const char hex[] = "0123456789abcdef";
    out += '"';
    for (const char c : value) {
        const auto u = static_cast<unsigned char>(c);
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\b': out += "\\b"; break;
        case '\f': out += "\\f"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (u < 0x20) {
                out += "\\u00";
                out += hex[u >> 4];
                out += hex[u & 15];
            } else {
                out += c;
            }
        }
    }
    out += '"';
}

namespace {

class TJsonSink : public TFieldSink {
public:
    explicit TJsonSink(std::string& out) : out_(out) {}

    void Number(const char* name, double value) override
    {
        Key(name);
        AppendJsonNumber(out_, value);
    }
    void Integer(const char* name, long long value) override
    {
        Key(name);
        out_ += std::to_string(value);
    }
    void Boolean(const char* name, bool value) override
    {
        Key(name);
        out_ += value ? "true" : "false";
    }
    void Text(const char* name, const std::string& value) override
    {
        Key(name);
        AppendJsonString(out_, value);
    }
    void Numbers(const char* name, const double* values, std::size_t count) override
    {
        Key(name);
        out_ += '[';
        for (std::size_t i = 0; i < count; ++i) {
            if (i) out_ += ',';
            AppendJsonNumber(out_, values[i]);
        }
        out_ += ']';
    }
    void Codes(const char* name, const std::vector<int>& codes) override
    {
        Key(name);
        out_ += '[';
        for (std::size_t i = 0; i < codes.size(); ++i) {
            if (i) out_ += ',';
            out_ += std::to_string(codes[i]);
        }
        out_ += ']';
    }

private:
    void Key(const char* name)
    {
        out_ += first_ ? "{\"" : ",\"";
        first_ = false;
        out_ += name;
        out_ += "\":";
    }

    std::string& out_;
    bool first_ = true;
};

}  // namespace

void AppendRatedCaseJson(std::string& out, const TRatedCase& rated)
{
    out.reserve(out.size() + 4096);  // a rated case takes about 2.8 kB
    TJsonSink sink(out);
    RatedCaseFields(rated, sink);
    out += '}';
}

void AppendErrorJson(std::string& out, const std::string& message)
{
    out += "{\"Error\":";
    AppendJsonString(out, message);
    out += '}';
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
    const TPointFields* p[4] = {&Point11Fields, &Point12Fields, &Point21Fields, &Point22Fields};
    auto pointRow = [&](const char* title, const char* unit, TPointField f, int d) {
        return Row(title, unit, {Fix(r.*(*p[0])[f], d), Fix(r.*(*p[1])[f], d),
                                 Fix(r.*(*p[2])[f], d), Fix(r.*(*p[3])[f], d)});
    };
    t += pointRow("Standard volume flow", "m3/h", kSVol, 1);
    t += pointRow("Operating volume flow", "m3/h", kOVol, 1);
    t += pointRow("Temperature", "degC", kTemp, 2);
    t += pointRow("Relative humidity", "%", kRelHum, 1);
    t += pointRow("Humidity ratio", "g/kg", kX, 3);
    t += pointRow("Dew point", "degC", kDewPt, 2);
    t += pointRow("Wet-bulb temperature", "degC", kWetBulb, 2);
    t += pointRow("Enthalpy", "kJ/kg", kH, 2);
    t += pointRow("Density", "kg/m3", kRho, 4);
    t += pointRow("Dry-air mass flow", "kg/h", kMassDry, 2);
    t += pointRow("Moist-air mass flow", "kg/h", kMassMoist, 2);
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
    t += "Frost limit             " +
         (rated.FrostLimit ? Fix(*rated.FrostLimit, 1) + " degC outdoor air" : std::string("none")) + "\n";
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
