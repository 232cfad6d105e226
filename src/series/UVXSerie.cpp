#include "series/UVXSerie.h"

#include <cmath>

#include "calc/UGroessen.h"
#include "thermo/UMath.h"
#include "thermo/UUmrechnung.h"

namespace {

constexpr int SizesVX[] = {16, 18, 25, 30, 35, 45, 62, 80, 95, 110, 2062, 2080, 2095, 2110};
constexpr int SizesVXK[] = {18, 25, 30, 35, 45, 366};
constexpr int SizesVXE[] = {366};

}  // namespace

std::string SeriesKey(int series)
{
    switch (series) {
    case SeriesVX: return "VX";
    case SeriesVXK: return "VX-K";
    default: return "VX-E";
    }
}

TSeriesListEntry SeriesListEntry(int series)
{
    // "Aluminium" and "Enthalpy" are translated; the PET entry is the same in every language.
    if (series == SeriesVX) return {"VX  ", 203};
    if (series == SeriesVXK) return {"VX-K   PET", 0};
    return {"VX-E   ", SeriesVXETextNo};
}

std::span<const int> SeriesSizes(int series)
{
    switch (series) {
    case SeriesVX: return SizesVX;
    case SeriesVXK: return SizesVXK;
    default: return SizesVXE;
    }
}

std::string TypeEntryText(int series, int sizeCode)
{
    const std::string key = SeriesKey(series);
    if (series != SeriesVXE && IsKombi(sizeCode))
        return key + " Kombi " + std::to_string(sizeCode - KombiOffset);
    return key + " " + std::to_string(sizeCode);
}

int SizeAt(int series, int index)
{
    const auto sizes = SeriesSizes(series);
    if (index < 0 || index >= static_cast<int>(sizes.size())) return sizes.front();
    return sizes[static_cast<std::size_t>(index)];
}

int SizeIndexOf(int series, int sizeCode)
{
    const auto sizes = SeriesSizes(series);
    for (std::size_t i = 0; i < sizes.size(); ++i)
        if (sizes[i] == sizeCode) return static_cast<int>(i);
    return -1;
}

int SizeIndexAfterSeriesChange(int oldSeries, int oldIndex, int newSeries)
{
    const int index = SizeIndexOf(newSeries, SizeAt(oldSeries, oldIndex));
    return index < 0 ? 0 : index;
}

int SizeIndexForStoredCode(int series, int sizeCode)
{
    const auto sizes = SeriesSizes(series);
    for (std::size_t i = 0; i < sizes.size(); ++i)
        if (sizes[i] >= sizeCode) return static_cast<int>(i);
    return static_cast<int>(sizes.size()) - 1;
}

int BypassCodeFromIndex(int index)
{
    switch (index) {
    case 1: return BypassSide;
    case 2: return BypassMiddle;
    default: return BypassNone;
    }
}

int BypassIndexFromCode(int bypassCode)
{
    switch (bypassCode) {
    case BypassSide: return 1;
    case BypassMiddle: return 2;
    default: return 0;
    }
}

bool HasBypass(int bypassCode) { return bypassCode == BypassSide || bypassCode == BypassMiddle; }

std::string BuildTypeKey(const std::string& typeWord, const std::string& typeEntry,
                         const std::string& widthText, int bypassCode,
                         const std::string& bypassWidthText)
{
    std::string key = typeWord + ": " + typeEntry + " / " + widthText;
    if (HasBypass(bypassCode)) key += " -BY" + bypassWidthText;
    if (bypassCode == BypassMiddle) key += "(M)";
    return key;
}

bool BypassVelocityFromWidth(int sizeCode, int bypassWidth, double svol11, double& v)
{
    int length = 0, height = 0, faceHeight = 0;
    if (!DeviceDimensions(sizeCode, length, height, faceHeight)) return false;
    // A width of 7 mm or less is all damper frame: there is no opening to blow through.
    if (bypassWidth <= 7 || faceHeight <= 0) return false;
    try {
        const double result = BypassVelocityFor(sizeCode, bypassWidth, svol11);
        if (!std::isfinite(result)) return false;
        v = result;
        return true;
    } catch (const MathFault&) {
        return false;
    }
}

double DeviceWeight(int sizeCode, int packageWidth, int series, int bypassCode,
                    int recordBypassWidth)
{
    // The weight correlations divide by the section count, which is 0 for a package width of 0;
    // such a device has no meaningful weight, so it is shown as 0 instead of a non-number.
    if (packageWidth <= 0) return 0.0;
    try {
        double weight = PackageWeight(sizeCode, packageWidth, series);
        if (HasBypass(bypassCode)) weight += BypassWeight(sizeCode, recordBypassWidth);
        return std::isfinite(weight) ? weight : 0.0;
    } catch (const MathFault&) {
        return 0.0;
    }
}

TDeviceFigures DeviceFiguresFor(int sizeCode, int packageWidth, int series, int bypassCode,
                                int shownBypassWidth, int recordBypassWidth)
{
    TDeviceFigures f;
    f.Known = DeviceDimensions(sizeCode, f.Length, f.Height, f.FaceHeight);
    f.ShownWidth = std::int64_t{packageWidth} + (HasBypass(bypassCode) ? shownBypassWidth : 0);
    f.Weight = DeviceWeight(sizeCode, packageWidth, series, bypassCode, recordBypassWidth);
    return f;
}

double ShownBypassVelocity(double velocityMs, bool si)
{
    if (si) return std::nearbyint(velocityMs * 100.0) / 100.0;
    return std::nearbyint(ConvertUnit(5, 9, 10, velocityMs));
}
