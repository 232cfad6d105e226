#include "series/URateCase.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdint>
#include <functional>
#include <limits>
#include <map>
#include <set>
#include <tuple>
#include <vector>

#include "series/UVXAuswertung.h"

using nlohmann::json;

namespace {

// How a key's value is read: a real within an optional range, a whole number within a range, or
// one of a few codes.
enum class TKind { Real, Integer, Code };

struct TCode {
    int Value;
    const char* Meaning;
};

struct TInputKey {
    TKind Kind = TKind::Real;
    std::optional<TInputRange> Range;  // Real and Integer; none: any finite number
    const char* Unit = "";
    std::vector<TCode> Codes;          // Code
    std::function<void(TRateInput&, double)> Set;
};

TInputKey Real(double TDatenVX::*field, std::optional<TInputRange> range = std::nullopt,
               const char* unit = "")
{
    return {TKind::Real, range, unit, {}, [field](TRateInput& in, double v) { in.Record.*field = v; }};
}

template <class T, class C>
TInputKey Integer(T C::*field, TInputRange range, const char* unit = "")
{
    return {TKind::Integer, range, unit, {},
            [field](TRateInput& in, double v) { in.Record.*field = static_cast<T>(v); }};
}

template <class T, class C>
TInputKey Code(T C::*field, std::vector<TCode> codes)
{
    return {TKind::Code, std::nullopt, "", std::move(codes),
            [field](TRateInput& in, double v) { in.Record.*field = static_cast<T>(v); }};
}

const std::map<std::string, TInputKey>& Keys()
{
    constexpr TInputRange int32{double(std::numeric_limits<std::int32_t>::min()),
                                double(std::numeric_limits<std::int32_t>::max())};
    static const std::map<std::string, TInputKey> keys = {
        {"Pressure", Real(&TDatenVX::Pressure, AirPressureInput, " mbar")},
        // The input modes the settings dialog offers.
        {"HumidityMode", Code(&TDatenVX::HumidityMode, {{0, "relative humidity"}, {1, "humidity ratio"},
                                                         {7, "wet-bulb temperature"}})},
        {"FlowMode", Code(&TDatenVX::FlowMode, {{0, "standard volume"}, {1, "operating volume"},
                                                 {3, "mass"}})},
        {"SVol11", Real(&TDatenVX::SVol11)},
        {"OVol11", Real(&TDatenVX::OVol11)},
        {"MassDry11", Real(&TDatenVX::MassDry11)},
        {"MassMoist11", Real(&TDatenVX::MassMoist11)},
        {"Temp11", Real(&TDatenVX::Temp11)},
        {"RelHum11", Real(&TDatenVX::RelHum11)},
        {"X11", Real(&TDatenVX::X11)},
        {"WetBulb11", Real(&TDatenVX::WetBulb11)},
        {"SVol21", Real(&TDatenVX::SVol21)},
        {"OVol21", Real(&TDatenVX::OVol21)},
        {"MassDry21", Real(&TDatenVX::MassDry21)},
        {"MassMoist21", Real(&TDatenVX::MassMoist21)},
        {"Temp21", Real(&TDatenVX::Temp21)},
        {"RelHum21", Real(&TDatenVX::RelHum21)},
        {"X21", Real(&TDatenVX::X21)},
        {"WetBulb21", Real(&TDatenVX::WetBulb21)},
        {"Series", Code(&TDatenVX::Series, {{SeriesVX, "VX"}, {SeriesVXK, "VX-K"}, {SeriesVXE, "VX-E"}})},
        // Checked against the series' sizes once every key is read.
        {"SizeCode", Integer(&TDatenVX::SizeCode, int32)},
        {"PackageWidth", Integer(&TDatenVX::PackageWidth, PackageWidthInput, " mm")},
        {"BypassVelocity", Real(&TDatenVX::BypassVelocity)},
        {"DpMultiplier", Integer(&TDatenVX::DpMultiplier, TInputRange{0, 255})},
        {"Bypass", {TKind::Code, std::nullopt, "",
                    {{BypassNone, "none"}, {BypassSide, "side"}, {BypassMiddle, "middle"}},
                    [](TRateInput& in, double v) { in.Bypass = static_cast<int>(v); }}},
    };
    return keys;
}

std::string CaseName(std::size_t caseIndex) { return "case " + std::to_string(caseIndex); }

std::string Where(const std::string& where, const std::string& key)
{
    return where + ", key " + QuotedKey(key) + ": ";
}

// The group of a key of the table: the site and input modes, the device, else the air inlets.
TInputKeyGroup GroupOf(const std::string& key)
{
    static const std::set<std::string> site = {"Pressure", "HumidityMode", "FlowMode"};
    static const std::set<std::string> device = {"Series",         "SizeCode",    "PackageWidth",
                                                 "BypassVelocity", "DpMultiplier", "Bypass"};
    if (site.count(key)) return InputKeysShared;
    if (device.count(key)) return InputKeysDevice;
    return InputKeysAir;
}

std::optional<std::string> CheckKeyAt(const std::string& key, const std::string& where)
{
    if (Keys().count(key) == 0) return Where(where, key) + "unknown key";
    return std::nullopt;
}

std::string Number(double v)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.15g", v);
    return text;
}

std::string RangeText(const TInputRange& range, const char* unit)
{
    return Number(range.Min) + " .. " + Number(range.Max) + unit;
}

std::string CodesText(const std::vector<TCode>& codes)
{
    std::string text;
    for (const TCode& c : codes) {
        if (!text.empty()) text += ", ";
        text += std::to_string(c.Value) + " " + c.Meaning;
    }
    return text;
}

std::string SizesText(int series)
{
    std::string text;
    for (int size : SeriesSizes(series)) {
        if (!text.empty()) text += ", ";
        text += std::to_string(size);
    }
    return text;
}

}  // namespace

std::string QuotedKey(const std::string& key)
{
    std::string quoted = json(key).dump(-1, ' ', true, json::error_handler_t::replace);
    // JSON leaves DEL as it is; a terminal should not see it either.
    for (std::size_t at = quoted.find('\x7f'); at != std::string::npos; at = quoted.find('\x7f', at))
        quoted.replace(at, 1, "\\u007f");
    return quoted;
}

TRateInput DefaultRateInput() { return {DefaultCase(), BypassNone}; }

namespace {

std::optional<std::string> ReadValueAt(const std::string& key, const json& value,
                                       const std::string& where, TRateInput& input)
{
    if (auto unknown = CheckKeyAt(key, where)) return unknown;
    const TInputKey& rule = Keys().at(key);
    if (!value.is_number())
        return Where(where, key) + "expected a number, got " + value.type_name();
    const double v = value.get<double>();
    if (!std::isfinite(v)) return Where(where, key) + "number out of range";
    // Integral floats such as 250.0 are accepted where a whole number is expected; fractions are not.
    if (rule.Kind != TKind::Real && v != std::trunc(v))
        return Where(where, key) + "expected a whole number, got " + value.dump();
    if (rule.Kind == TKind::Code) {
        const bool known = std::any_of(rule.Codes.begin(), rule.Codes.end(),
                                       [v](const TCode& c) { return c.Value == v; });
        if (!known)
            return Where(where, key) + value.dump() + " is not one of the allowed codes (" +
                   CodesText(rule.Codes) + ")";
    } else if (rule.Range && !rule.Range->Contains(v)) {
        return Where(where, key) + value.dump() + " is out of range (" +
               RangeText(*rule.Range, rule.Unit) + ")";
    }
    rule.Set(input, v);
    return std::nullopt;
}

std::optional<std::string> CheckInputAt(const TRateInput& input, const std::string& where)
{
    const TDatenVX& r = input.Record;
    // The window has fields only for the flows of the flow mode in force; the others are derived
    // from them when the case is rated, whatever the input held.
    struct TFlow {
        const char* Key;
        double Value;
    };
    const auto [first, second, unit] =
        r.FlowMode == 1   ? std::tuple{TFlow{"OVol11", r.OVol11}, TFlow{"OVol21", r.OVol21}, " m3/h"}
        : r.FlowMode == 3 ? std::tuple{TFlow{"MassMoist11", r.MassMoist11}, TFlow{"MassMoist21", r.MassMoist21}, " kg/h"}
                          : std::tuple{TFlow{"SVol11", r.SVol11}, TFlow{"SVol21", r.SVol21}, " m3/h"};
    for (const TFlow& flow : {first, second})
        if (!AirFlowInput.Contains(flow.Value))
            return Where(where, flow.Key) + Number(flow.Value) + " is out of range (" +
                   RangeText(AirFlowInput, unit) + ")";
    if (SizeIndexOf(r.Series, r.SizeCode) < 0)
        return Where(where, "SizeCode") + std::to_string(r.SizeCode) + " is not a size of series " +
               std::to_string(r.Series) + " (" + SeriesKey(r.Series) + " sizes: " + SizesText(r.Series) + ")";
    return std::nullopt;
}

}  // namespace

std::optional<std::string> CheckRateKey(const std::string& key, std::size_t caseIndex)
{
    return CheckKeyAt(key, CaseName(caseIndex));
}

std::optional<std::string> ReadRateValue(const std::string& key, const json& value,
                                         std::size_t caseIndex, TRateInput& input)
{
    return ReadValueAt(key, value, CaseName(caseIndex), input);
}

std::optional<std::string> CheckRateInput(const TRateInput& input, std::size_t caseIndex)
{
    return CheckInputAt(input, CaseName(caseIndex));
}

std::optional<std::string> ReadRateInput(const json& object, std::size_t caseIndex,
                                         TRateInput& input)
{
    if (auto problem = ReadInputKeys(object, CaseName(caseIndex), InputKeysAll, input)) return problem;
    return CheckRateInput(input, caseIndex);
}

std::optional<std::string> ReadInputKeys(const json& object, const std::string& where,
                                         unsigned groups, TRateInput& input)
{
    if (!object.is_object()) return where + ": expected an object";
    for (const auto& [key, value] : object.items()) {
        if (auto unknown = CheckKeyAt(key, where)) return unknown;
        if (!(GroupOf(key) & groups)) return Where(where, key) + "not a key of this object";
        if (auto problem = ReadValueAt(key, value, where, input)) return problem;
    }
    return std::nullopt;
}

TSelection SelectionOfCases(const std::vector<TRateInput>& cases)
{
    TSelection s;
    const TDatenVX& first = cases.front().Record;
    s.Pressure = first.Pressure;
    s.SetHumidityMode(first.HumidityMode);
    s.SetFlowMode(first.FlowMode);
    s.SetSeasons(cases.size() == 2);
    s.TwoCases = cases.size() == 2;
    for (std::size_t i = 0; i < cases.size() && i < 2; ++i) s.Cases[i] = cases[i].Record;
    s.SetDevice(DeviceOf(first, cases.front().Bypass));
    s.Calculate();
    return s;
}

std::vector<TRateInput> SelectionCases(const TSelection& selection)
{
    std::vector<TRateInput> cases;
    for (int c = 0; c < selection.CaseCount(); ++c)
        cases.push_back({selection.Cases[c], selection.Device.Bypass});
    return cases;
}
