#include "series/UVXGrenzen.h"

#include <algorithm>
#include <cmath>

#include "calc/UDaten.h"
#include "series/UVXSerie.h"

namespace {

// Size codes whose recommended pressure drop is raised to a floor.
constexpr int Floor182[] = {16, 18, 25, 30, 35, 45, 2016, 2018, 2025, 2030, 2035, 2045};
constexpr int Floor228[] = {62, 80, 2062, 2080};
constexpr int Floor273[] = {95, 110, 2095, 2110};

template <std::size_t N>
bool Contains(const int (&list)[N], int code)
{
    return std::find(std::begin(list), std::end(list), code) != std::end(list);
}

int BasePressureDrop(int sizeCode)
{
    switch (sizeCode) {
    case 30: return 130;
    case 35: case 366: return 145;
    case 45: return 150;
    case 62: case 2030: return 170;
    case 80: return 200;
    case 95: return 260;
    case 110: return 280;
    case 2035: return 185;
    case 2045: return 190;
    case 2062: return 220;
    case 2080: return 250;
    case 2095: return 310;
    case 2110: return 330;
    default: return 120;
    }
}

}  // namespace

bool IsErrorCode(int code)
{
    switch (code) {
    case MsgTempLow: case MsgTempHigh: case MsgRelHumLow: case MsgRelHumHigh:
    case MsgVelocityError: case MsgRatioError: case MsgWidthError: case MsgPressureError:
    case MsgHumidityError:
        return true;
    default:
        return false;
    }
}

int RecommendedPressureDrop(int sizeCode, int series)
{
    const int base = BasePressureDrop(sizeCode);
    double value = base;
    if (series == SeriesVXK) value = std::nearbyint(base * 1.4);
    else if (series == SeriesVXE) value = std::nearbyint(base * 1.4 * 1.4);
    int dp = static_cast<int>(value);
    if (Contains(Floor182, sizeCode) && dp < 182) dp = 182;
    else if (Contains(Floor228, sizeCode) && dp <= 227) dp = 228;
    else if (Contains(Floor273, sizeCode) && dp <= 272) dp = 273;
    return dp;
}

int PressureDropErrorBound(int recommended)
{
    return static_cast<int>(std::nearbyint(1.1 * recommended));
}

std::vector<int> TCheckResult::List() const
{
    std::vector<int> codes;
    // Stops after the last code set, which saves testing the unused top of the set.
    const std::size_t count = Codes.count();
    for (std::size_t c = 0; codes.size() < count; ++c)
        if (Codes.test(c)) codes.push_back(static_cast<int>(c));
    return codes;
}

TTempRange CheckedTemperatureRange(int series)
{
    // The enthalpy series is checked against the range its message quotes.
    if (series == SeriesVX) return {-30.0, 80.0};
    return {-20.0, 70.0};
}

TTempRange TemperatureInputLimits(int series, bool si)
{
    if (series == SeriesVX) return si ? TTempRange{-30.0, 80.0} : TTempRange{-22.0, 176.0};
    if (series == SeriesVXK) return si ? TTempRange{-20.0, 70.0} : TTempRange{-4.0, 158.0};
    return si ? TTempRange{-20.0, 60.0} : TTempRange{-4.0, 140.0};
}

TCheckResult CheckRecord(const TDatenREK& r, int bypassCode)
{
    TCheckResult result;
    TMessageSet& set = result.Codes;
    result.RecommendedPressureDrop = RecommendedPressureDrop(r.SizeCode, r.Series);

    const TTempRange tr = CheckedTemperatureRange(r.Series);
    if (std::min(r.Temp11, r.Temp21) < tr.Min) set.set(MsgTempLow);
    if (std::max(r.Temp11, r.Temp21) > tr.Max) set.set(MsgTempHigh);

    if (std::min(r.RelHum11, r.RelHum21) < 0.0) set.set(MsgRelHumLow);
    if (std::max(r.RelHum11, r.RelHum21) > 100.0) set.set(MsgRelHumHigh);

    if (r.Series == SeriesVXE && std::max(r.X11, r.X21) > 30.0) set.set(MsgHumidityError);

    const double vMin = std::min(r.FaceVelocity1, r.FaceVelocity2);
    const double vMax = std::max(r.FaceVelocity1, r.FaceVelocity2);
    if (vMin < 0.2 || vMax > 3.5) set.set(MsgVelocityError);
    else if (vMin < 0.5 || vMax > 3.0) set.set(MsgVelocityWarn);

    // A stream without flow has no ratio at all: that is as far out of range as it gets.
    if (r.SVol21 == 0.0) {
        set.set(MsgRatioError);
    } else {
        const double ratio = r.SVol11 / r.SVol21;
        if (ratio >= 2.0 || ratio <= 0.5) set.set(MsgRatioError);
        else if (ratio > 1.5 || ratio < 2.0 / 3.0) set.set(MsgRatioWarn);
    }

    if (r.PackageWidth < 100) set.set(MsgWidthError);

    const double dpMax = std::max(r.PressureDrop1, r.PressureDrop2);
    if (dpMax > PressureDropErrorBound(result.RecommendedPressureDrop)) set.set(MsgPressureError);
    else if (dpMax > result.RecommendedPressureDrop) set.set(MsgPressureWarn);

    if (HasBypass(bypassCode) && (r.BypassVelocity < 5.0 || r.BypassVelocity > 15.0))
        set.set(MsgBypassVelocity);

    result.WarningsOnly = true;
    for (int code : result.List())
        if (IsErrorCode(code)) result.WarningsOnly = false;
    return result;
}

TMessageSpec MessageSpec(int code, int series, bool si, const std::string& sep)
{
    switch (code) {
    case MsgTempLow:
    case MsgTempHigh:
        if (series == SeriesVX) return si ? TMessageSpec{106, "-30", "80", 411}
                                          : TMessageSpec{106, "-22", "176", 412};
        return si ? TMessageSpec{106, "-20", "70", 411} : TMessageSpec{106, "-4", "158", 412};
    case MsgRelHumLow:
    case MsgRelHumHigh:
        return {107, "0", "100%", 0};
    case MsgHumidityError:
        return si ? TMessageSpec{474, "0", "30 g/kg", 0} : TMessageSpec{474, "0", "210 gr/lb", 0};
    case MsgVelocityWarn:
    case MsgVelocityError:
        if (si) return {108, "0" + sep + "5", "3" + sep + "0 m/s", 0};
        return {108, "100", "600 fpm", 0};
    case MsgRatioWarn:
    case MsgRatioError:
        return {110, "0" + sep + "66", "1" + sep + "50", 0};
    case MsgWidthError:
        return {120, "100 mm", "", 0};
    case MsgPressureWarn:
    case MsgPressureError:
        return {109, "", "", 0};
    case MsgBypassVelocity:
        return si ? TMessageSpec{523, "5", "15 m/s", 0} : TMessageSpec{523, "985", "2950 fpm", 0};
    default:
        return {};
    }
}

std::string FillMessage(const std::string& pattern, const std::vector<std::string>& args)
{
    std::string out;
    out.reserve(pattern.size() + 16);
    std::size_t next = 0;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] == 's' &&
            next < args.size()) {
            out += args[next++];
            ++i;
        } else {
            out += pattern[i];
        }
    }
    return out;
}
