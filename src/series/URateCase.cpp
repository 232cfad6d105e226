#include "series/URateCase.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdint>
#include <functional>
#include <limits>
#include <unordered_map>
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
    TInputKeyGroup Group = InputKeysAir;
    TKind Kind = TKind::Real;
    std::optional<TInputRange> Range;  // Real and Integer; none: any finite number
    const char* Unit = "";
    std::vector<TCode> Codes;          // Code
    std::function<void(TRateInput&, double)> Set;
};

TInputKey Real(TInputKeyGroup group, double TDatenVX::*field,
               std::optional<TInputRange> range = std::nullopt, const char* unit = "")
{
    return {group, TKind::Real, range, unit, {},
            [field](TRateInput& in, double v) { in.Record.*field = v; }};
}

template <class T, class C>
TInputKey Integer(TInputKeyGroup group, T C::*field, TInputRange range, const char* unit = "")
{
    return {group, TKind::Integer, range, unit, {},
            [field](TRateInput& in, double v) { in.Record.*field = static_cast<T>(v); }};
}

template <class T, class C>
TInputKey Code(TInputKeyGroup group, T C::*field, std::vector<TCode> codes)
{
    return {group, TKind::Code, std::nullopt, "", std::move(codes),
            [field](TRateInput& in, double v) { in.Record.*field = static_cast<T>(v); }};
}

const std::unordered_map<std::string, TInputKey>& Keys()
{
    constexpr TInputRange int32{double(std::numeric_limits<std::int32_t>::min()),
                                double(std::numeric_limits<std::int32_t>::max())};
    static const std::unordered_map<std::string, TInputKey> keys = {
        {"Pressure", Real(InputKeysShared, &TDatenVX::Pressure, AirPressureInput, " mbar")},
        // The input modes the settings dialog offers.
        {"HumidityMode", Code(InputKeysShared, &TDatenVX::HumidityMode,
                              {{0, "relative humidity"}, {1, "humidity ratio"}, {7, "wet-bulb temperature"}})},
        {"FlowMode", Code(InputKeysShared, &TDatenVX::FlowMode,
                          {{0, "standard volume"}, {1, "operating volume"}, {3, "mass"}})},
        {"SVol11", Real(InputKeysAir, &TDatenVX::SVol11)},
        {"OVol11", Real(InputKeysAir, &TDatenVX::OVol11)},
        {"MassDry11", Real(InputKeysAir, &TDatenVX::MassDry11)},
        {"MassMoist11", Real(InputKeysAir, &TDatenVX::MassMoist11)},
        {"Temp11", Real(InputKeysAir, &TDatenVX::Temp11)},
        {"RelHum11", Real(InputKeysAir, &TDatenVX::RelHum11)},
        {"X11", Real(InputKeysAir, &TDatenVX::X11)},
        {"WetBulb11", Real(InputKeysAir, &TDatenVX::WetBulb11)},
        {"SVol21", Real(InputKeysAir, &TDatenVX::SVol21)},
        {"OVol21", Real(InputKeysAir, &TDatenVX::OVol21)},
        {"MassDry21", Real(InputKeysAir, &TDatenVX::MassDry21)},
        {"MassMoist21", Real(InputKeysAir, &TDatenVX::MassMoist21)},
        {"Temp21", Real(InputKeysAir, &TDatenVX::Temp21)},
        {"RelHum21", Real(InputKeysAir, &TDatenVX::RelHum21)},
        {"X21", Real(InputKeysAir, &TDatenVX::X21)},
        {"WetBulb21", Real(InputKeysAir, &TDatenVX::WetBulb21)},
        {"Series", Code(InputKeysDevice, &TDatenVX::Series,
                        {{SeriesVX, "VX"}, {SeriesVXK, "VX-K"}, {SeriesVXE, "VX-E"}})},
        // Checked against the series' sizes once every key is read.
        {"SizeCode", Integer(InputKeysDevice, &TDatenVX::SizeCode, int32)},
        {"PackageWidth", Integer(InputKeysDevice, &TDatenVX::PackageWidth, PackageWidthInput, " mm")},
        {"BypassVelocity", Real(InputKeysDevice, &TDatenVX::BypassVelocity)},
        {"DpMultiplier", Integer(InputKeysDevice, &TDatenVX::DpMultiplier, TInputRange{0, 255})},
        {"Bypass", {InputKeysDevice, TKind::Code, std::nullopt, "",
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

// The rule of an input key, or nullptr for a key that is not one.
const TInputKey* RuleOf(const std::string& key)
{
    const auto& keys = Keys();
    const auto it = keys.find(key);
    return it == keys.end() ? nullptr : &it->second;
}

std::string UnknownKey(const std::string& key, const std::string& where)
{
    return Where(where, key) + "unknown key";
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

// Reads one value by its key's rule; placeName() names the object in a message, and is called
// only for one, since most values read fine.
template <class TPlaceName>
std::optional<std::string> ReadValueAt(const std::string& key, const TInputKey& rule,
                                       const json& value, const TPlaceName& placeName,
                                       TRateInput& input)
{
    auto here = [&] { return Where(placeName(), key); };
    if (!value.is_number())
        return here() + "expected a number, got " + value.type_name();
    const double v = value.get<double>();
    if (!std::isfinite(v)) return here() + "number out of range";
    // Integral floats such as 250.0 are accepted where a whole number is expected; fractions are not.
    if (rule.Kind != TKind::Real && v != std::trunc(v))
        return here() + "expected a whole number, got " + value.dump();
    if (rule.Kind == TKind::Code) {
        const bool known = std::any_of(rule.Codes.begin(), rule.Codes.end(),
                                       [v](const TCode& c) { return c.Value == v; });
        if (!known)
            return here() + value.dump() + " is not one of the allowed codes (" +
                   CodesText(rule.Codes) + ")";
    } else if (rule.Range && !rule.Range->Contains(v)) {
        return here() + value.dump() + " is out of range (" +
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
    if (!RuleOf(key)) return UnknownKey(key, CaseName(caseIndex));
    return std::nullopt;
}

std::optional<std::string> ReadRateValue(const std::string& key, const json& value,
                                         std::size_t caseIndex, TRateInput& input)
{
    const TInputKey* rule = RuleOf(key);
    if (!rule) return UnknownKey(key, CaseName(caseIndex));
    return ReadValueAt(key, *rule, value, [caseIndex] { return CaseName(caseIndex); }, input);
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
        const TInputKey* rule = RuleOf(key);
        if (!rule) return UnknownKey(key, where);
        if (!(rule->Group & groups)) return Where(where, key) + "not a key of this object";
        if (auto problem = ReadValueAt(key, *rule, value, [&where] { return where; }, input))
            return problem;
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
