#pragma once
// The counterflow series model behind the device panel: which sizes each series offers, the
// texts of the series and type lists, the bypass arrangement, the type key and the device figures
// (dimensions, shown width, weight). Plain logic; the window reads these and shows them.
#include <cstdint>
#include <span>
#include <string>

// Series codes as stored in TDatenREK::Series.
constexpr int SeriesVX = 1;   // aluminium plates
constexpr int SeriesVXK = 2;  // PET plates
constexpr int SeriesVXE = 3;  // enthalpy plates (moisture transfer), one size

// Entries of the series list: codes 1 to 3, entry index = code - 1.
constexpr int SeriesListCount = 3;
// Language text of the VX-E entry ("Enthalpy").
constexpr int SeriesVXETextNo = 697;

// Bypass arrangement codes held by the window.
constexpr int BypassNone = 10;
constexpr int BypassSide = 20;
constexpr int BypassMiddle = 21;

// Size codes of 2000 and above are double ("Kombi") packages of size code - 2000.
constexpr int KombiOffset = 2000;
inline bool IsKombi(int sizeCode) { return sizeCode >= KombiOffset; }

// Series key: "VX", "VX-K" or "VX-E"; every code other than 1 and 2 is the "VX-E" series.
std::string SeriesKey(int series);

// Series list entry: the text is Fixed followed by language text TextNo when TextNo is not 0.
struct TSeriesListEntry {
    std::string Fixed;
    int TextNo = 0;
};
TSeriesListEntry SeriesListEntry(int series);

// Size codes of a series in type-list order (14 for series 1, 6 for series 2, the single size of
// series 3 for every other code).
std::span<const int> SeriesSizes(int series);

// Type-list entry text of a size code in a series, e.g. "VX 30", "VX Kombi 80", "VX-K 366".
std::string TypeEntryText(int series, int sizeCode);

// Size code at a type-list index; an index outside the list gives the first entry.
int SizeAt(int series, int index);

// Type-list index of the first entry with exactly this code, or -1.
int SizeIndexOf(int series, int sizeCode);

// Type-list index to select after the series changed: the size selected before is kept when the
// new series has it, else the first entry is selected.
int SizeIndexAfterSeriesChange(int oldSeries, int oldIndex, int newSeries);

// Type-list index for a stored size code: the first entry whose code is not below the stored one,
// else the last entry (so a code the series lacks selects the next larger size).
int SizeIndexForStoredCode(int series, int sizeCode);

// Bypass list (language texts 520 "without", 521 "on the side", 522 "centric").
constexpr int BypassListTextNo[3] = {520, 521, 522};
int BypassCodeFromIndex(int index);
int BypassIndexFromCode(int bypassCode);
// True for the two arrangements with a bypass (20 and 21).
bool HasBypass(int bypassCode);

// Language text number of "Type", the first word of the type key.
constexpr int TypeKeyTextNo = 136;

// Type key: typeWord ": " entry " / " width, then " -BY" + bypass width for a bypass and "(M)"
// for a bypass in the middle. The texts are taken as the window shows them.
std::string BuildTypeKey(const std::string& typeWord, const std::string& typeEntry,
                         const std::string& widthText, int bypassCode,
                         const std::string& bypassWidthText);

// Bypass velocity (m/s) that a bypass of the given width gives for the supply-air standard flow
// svol11 (m3/h). Returns false (v unchanged) when the width leaves no opening, the size has no
// face height or the result is not a finite number.
bool BypassVelocityFromWidth(int sizeCode, int bypassWidth, double svol11, double& v);

// Figures shown beside the device after every device change.
struct TDeviceFigures {
    bool Known = false;   // the size has a row in the size table
    int Length = 0;       // mm
    int Height = 0;       // mm
    int FaceHeight = 0;   // mm
    // Package width plus the bypass width when a bypass is fitted, mm; 64 bits, so that no pair of
    // widths overflows.
    std::int64_t ShownWidth = 0;
    double Weight = 0.0;  // package weight plus the bypass weight when a bypass is fitted, kg
};

// Device figures for a size, package width and series. shownBypassWidth is the width in the
// bypass edit (for the shown width), recordBypassWidth the BypassWidth of the winter record (for
// the weight); both count only when a bypass is fitted. A weight that cannot be computed (for
// example a package width of 0) is reported as 0, never as a non-finite number.
TDeviceFigures DeviceFiguresFor(int sizeCode, int packageWidth, int series, int bypassCode,
                                int shownBypassWidth, int recordBypassWidth);

// Device weight alone, as DeviceFiguresFor computes it.
double DeviceWeight(int sizeCode, int packageWidth, int series, int bypassCode,
                    int recordBypassWidth);

// Bypass velocity as the bypass edit shows it: m/s rounded to 0.01, or fpm rounded to whole units
// (halves to even).
double ShownBypassVelocity(double velocityMs, bool si);
