#include "URateCase.h"

#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <map>

#include "series/UVXAuswertung.h"

using nlohmann::json;

namespace {

enum class TKind { Double, Integer };

struct TInputKey {
    TKind Kind = TKind::Double;
    std::int64_t Min = 0;
    std::int64_t Max = 0;
    std::function<void(TRateInput&, double)> Set;
};

TInputKey D(double TDatenVX::*field)
{
    return {TKind::Double, 0, 0, [field](TRateInput& in, double v) { in.Record.*field = v; }};
}

template <class T, class C>
TInputKey I(T C::*field, std::int64_t min, std::int64_t max)
{
    return {TKind::Integer, min, max,
            [field](TRateInput& in, double v) { in.Record.*field = static_cast<T>(v); }};
}

const std::map<std::string, TInputKey>& Keys()
{
    constexpr std::int64_t i32min = std::numeric_limits<std::int32_t>::min();
    constexpr std::int64_t i32max = std::numeric_limits<std::int32_t>::max();
    static const std::map<std::string, TInputKey> keys = {
        {"Pressure", D(&TDatenVX::Pressure)},
        // The input modes the moist-air functions know.
        {"HumidityMode", I(&TDatenVX::HumidityMode, 0, 12)},
        {"FlowMode", I(&TDatenVX::FlowMode, 0, 3)},
        {"SVol11", D(&TDatenVX::SVol11)},
        {"OVol11", D(&TDatenVX::OVol11)},
        {"MassDry11", D(&TDatenVX::MassDry11)},
        {"MassMoist11", D(&TDatenVX::MassMoist11)},
        {"Temp11", D(&TDatenVX::Temp11)},
        {"RelHum11", D(&TDatenVX::RelHum11)},
        {"X11", D(&TDatenVX::X11)},
        {"WetBulb11", D(&TDatenVX::WetBulb11)},
        {"SVol21", D(&TDatenVX::SVol21)},
        {"OVol21", D(&TDatenVX::OVol21)},
        {"MassDry21", D(&TDatenVX::MassDry21)},
        {"MassMoist21", D(&TDatenVX::MassMoist21)},
        {"Temp21", D(&TDatenVX::Temp21)},
        {"RelHum21", D(&TDatenVX::RelHum21)},
        {"X21", D(&TDatenVX::X21)},
        {"WetBulb21", D(&TDatenVX::WetBulb21)},
        {"Series", I(&TDatenVX::Series, SeriesVX, SeriesVXE)},
        {"SizeCode", I(&TDatenVX::SizeCode, i32min, i32max)},
        {"PackageWidth", I(&TDatenVX::PackageWidth, i32min, i32max)},
        {"BypassVelocity", D(&TDatenVX::BypassVelocity)},
        {"DpMultiplier", I(&TDatenVX::DpMultiplier, 0, 255)},
        {"Bypass", {TKind::Integer, BypassNone, BypassMiddle,
                    [](TRateInput& in, double v) { in.Bypass = static_cast<int>(v); }}},
    };
    return keys;
}

// True when an integral JSON number lies within min .. max, compared without losing precision.
bool InRange(const json& value, std::int64_t min, std::int64_t max)
{
    if (value.is_number_unsigned()) {
        const std::uint64_t u = value.get<std::uint64_t>();
        return max >= 0 && u <= static_cast<std::uint64_t>(max) &&
               (min <= 0 || u >= static_cast<std::uint64_t>(min));
    }
    if (value.is_number_integer()) {
        const std::int64_t i = value.get<std::int64_t>();
        return i >= min && i <= max;
    }
    const double v = value.get<double>();
    return v >= static_cast<double>(min) && v <= static_cast<double>(max);
}

std::string Where(std::size_t caseIndex, const std::string& key)
{
    return "case " + std::to_string(caseIndex) + ", key \"" + key + "\": ";
}

}  // namespace

TRateInput DefaultRateInput()
{
    TRateInput in;
    TDatenVX& r = in.Record;
    r.Pressure = 1013.0;
    r.HumidityMode = 0;
    r.FlowMode = 0;
    r.SVol11 = 200.0;
    r.Temp11 = -5.0;
    r.RelHum11 = 90.0;
    r.SVol21 = 200.0;
    r.Temp21 = 22.0;
    r.RelHum21 = 40.0;
    r.Series = SeriesVX;
    r.SizeCode = 30;
    r.PackageWidth = 250;
    r.BypassVelocity = 15.0;
    r.DpMultiplier = 1;
    in.Bypass = BypassNone;
    return in;
}

std::optional<std::string> ReadRateInput(const json& object, std::size_t caseIndex,
                                         TRateInput& input)
{
    if (!object.is_object())
        return "case " + std::to_string(caseIndex) + ": expected an object";
    for (const auto& [key, value] : object.items()) {
        const auto it = Keys().find(key);
        if (it == Keys().end()) return Where(caseIndex, key) + "unknown key";
        const TInputKey& rule = it->second;
        if (!value.is_number())
            return Where(caseIndex, key) + "expected a number, got " + value.type_name();
        const double v = value.get<double>();
        if (!std::isfinite(v)) return Where(caseIndex, key) + "number out of range";
        if (rule.Kind == TKind::Integer) {
            // Integral floats such as 250.0 are accepted; fractions are not.
            if (value.is_number_float() && v != std::trunc(v))
                return Where(caseIndex, key) + "expected an integer, got " + value.dump();
            if (key == "Bypass" && InRange(value, rule.Min, rule.Max) &&
                static_cast<int>(v) != BypassNone && !HasBypass(static_cast<int>(v)))
                return Where(caseIndex, key) + value.dump() + " is not a bypass code (10, 20, 21)";
            if (!InRange(value, rule.Min, rule.Max))
                return Where(caseIndex, key) + value.dump() + " is out of range (" +
                       std::to_string(rule.Min) + " .. " + std::to_string(rule.Max) + ")";
        }
        rule.Set(input, v);
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
    TDevice d;
    d.Series = first.Series;
    d.SizeCode = first.SizeCode;
    d.PackageWidth = first.PackageWidth;
    d.Bypass = cases.front().Bypass;
    d.BypassVelocity = first.BypassVelocity;
    d.DpMultiplier = first.DpMultiplier;
    s.SetDevice(d);
    s.Calculate();
    return s;
}
