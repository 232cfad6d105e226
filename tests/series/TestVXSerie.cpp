// Catalogue, type-list behaviour, type key and device figures of the counterflow series.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "series/UVXSerie.h"

namespace {

std::vector<int> Sizes(int series)
{
    auto s = SeriesSizes(series);
    return {s.begin(), s.end()};
}

TEST(SeriesCatalogue, SizeListsInTypeListOrder)
{
    EXPECT_EQ(Sizes(1), (std::vector<int>{16, 18, 25, 30, 35, 45, 62, 80, 95, 110, 2062, 2080,
                                          2095, 2110}));
    EXPECT_EQ(Sizes(2), (std::vector<int>{18, 25, 30, 35, 45, 366}));
    EXPECT_EQ(Sizes(3), (std::vector<int>{366}));
    // Any code that is neither VX nor VX-K falls back to the single-size list.
    EXPECT_EQ(Sizes(0), Sizes(3));
    EXPECT_EQ(Sizes(7), Sizes(3));
}

struct EntryCase {
    int series, code;
    const char* text;
};

TEST(SeriesCatalogue, TypeEntryTexts)
{
    const EntryCase cases[] = {
        {1, 16, "VX 16"},          {1, 110, "VX 110"},       {1, 2062, "VX Kombi 62"},
        {1, 2110, "VX Kombi 110"}, {2, 18, "VX-K 18"},       {2, 366, "VX-K 366"},
        {2, 2045, "VX-K Kombi 45"}, {3, 366, "VX-E 366"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TypeEntryText(c.series, c.code), c.text) << c.series << "/" << c.code;
}

TEST(SeriesCatalogue, EveryListedSizeHasDimensions)
{
    for (int series : {1, 2, 3})
        for (int code : SeriesSizes(series)) {
            const TDeviceFigures f = DeviceFiguresFor(code, 300, series, BypassNone, 0, 0);
            EXPECT_TRUE(f.Known) << code;
            EXPECT_GT(f.FaceHeight, 0) << code;
            EXPECT_GT(f.Weight, 0.0) << code;
        }
}

struct SeriesChangeCase {
    int oldSeries, oldCode, newSeries, expectedCode;
};

TEST(SeriesCatalogue, SeriesChangeKeepsTheSizeOrTakesTheFirst)
{
    const SeriesChangeCase cases[] = {
        {1, 30, 2, 30},    // exists in both
        {1, 16, 2, 18},    // VX-K has no 16: first entry
        {1, 2062, 2, 18},  // no Kombi in VX-K
        {2, 366, 1, 16},   // VX has no single 366
        {2, 45, 1, 45},
        {1, 110, 3, 366},
    };
    for (const auto& c : cases) {
        const int oldIndex = SizeIndexOf(c.oldSeries, c.oldCode);
        ASSERT_GE(oldIndex, 0);
        const int index = SizeIndexAfterSeriesChange(c.oldSeries, oldIndex, c.newSeries);
        EXPECT_EQ(SizeAt(c.newSeries, index), c.expectedCode) << c.oldCode;
    }
}

TEST(SeriesCatalogue, StoredCodeSelectsItselfOrTheNextLarger)
{
    const SeriesChangeCase cases[] = {
        // oldSeries unused here: (series, stored code) -> selected code
        {0, 30, 1, 30},     {0, 16, 1, 16},     {0, 2110, 1, 2110},
        {0, 366, 1, 2062},  // a VX-K size stored, VX selected at start
        {0, 40, 1, 45},     {0, 1, 1, 16},      {0, 5000, 1, 2110},
        {0, 16, 2, 18},     {0, 400, 2, 366},   {0, 30, 3, 366},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SizeAt(c.newSeries, SizeIndexForStoredCode(c.newSeries, c.oldCode)),
                  c.expectedCode)
            << c.newSeries << "/" << c.oldCode;
}

TEST(SeriesCatalogue, SizeAtOutsideTheListGivesTheFirstEntry)
{
    EXPECT_EQ(SizeAt(1, -1), 16);
    EXPECT_EQ(SizeAt(1, 14), 16);
    EXPECT_EQ(SizeAt(2, 5), 366);
    EXPECT_EQ(SizeIndexOf(2, 16), -1);
}

TEST(Bypass, ListIndexAndCode)
{
    // Any index outside the three entries means no bypass.
    const int codes[] = {BypassNone, BypassNone, BypassSide, BypassMiddle, BypassNone};
    for (int index = -1; index <= 3; ++index) EXPECT_EQ(BypassCodeFromIndex(index), codes[index + 1]);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(BypassIndexFromCode(BypassCodeFromIndex(i)), i);
}

struct KeyCase {
    const char* entry;
    const char* width;
    int bypass;
    const char* bypassWidth;
    const char* key;
};

TEST(TypeKey, Composition)
{
    const KeyCase cases[] = {
        {"VX 30", "350", BypassNone, "200", "Type: VX 30 / 350"},
        {"VX 30", "350", BypassSide, "200", "Type: VX 30 / 350 -BY200"},
        {"VX Kombi 80", "1200", BypassMiddle, "250", "Type: VX Kombi 80 / 1200 -BY250(M)"},
        {"VX 45", "600", BypassSide, "150", "Type: VX 45 / 600 -BY150"},
        {"VX-K 366", "300", 15, "150", "Type: VX-K 366 / 300"},  // unknown code: no bypass
    };
    for (const auto& c : cases)
        EXPECT_EQ(BuildTypeKey("Type", c.entry, c.width, c.bypass, c.bypassWidth), c.key);
    EXPECT_EQ(BuildTypeKey("Typ", "VX 30", "350", BypassNone, ""), "Typ: VX 30 / 350");
}

// Hand calculation of the package and bypass weight correlations for size 30:
// W = 250: one section, 119 plates of 0.1034 m2 aluminium -> 3.322242 kg, frame parts
// 1.092420 kg, profiles 0.135026 kg, width share 0.96 kg: 5.509688 kg.
// Bypass 200 mm: 0.696 + 0.2808 + 0.052272 + 0.29916 = 1.328232 kg.
constexpr double PackageWeight30x250 = 5.509688;
constexpr double BypassWeight30x200 = 1.328232;

TEST(DeviceFigures, WeightAndShownWidthWithAndWithoutBypass)
{
    const TDeviceFigures none = DeviceFiguresFor(30, 250, 1, BypassNone, 180, 200);
    EXPECT_TRUE(none.Known);
    EXPECT_EQ(none.Length, 496);
    EXPECT_EQ(none.Height, 271);
    EXPECT_EQ(none.FaceHeight, 163);
    EXPECT_EQ(none.ShownWidth, 250);  // the bypass edit does not count without a bypass
    EXPECT_NEAR(none.Weight, PackageWeight30x250, 1e-6);

    // The shown width takes the bypass edit, the weight the record's bypass width.
    const TDeviceFigures side = DeviceFiguresFor(30, 250, 1, BypassSide, 180, 200);
    EXPECT_EQ(side.ShownWidth, 430);
    EXPECT_NEAR(side.Weight, PackageWeight30x250 + BypassWeight30x200, 1e-6);
    const TDeviceFigures middle = DeviceFiguresFor(30, 250, 1, BypassMiddle, 180, 200);
    EXPECT_DOUBLE_EQ(middle.Weight, side.Weight);
    EXPECT_DOUBLE_EQ(DeviceWeight(30, 250, 1, BypassSide, 200), side.Weight);

    EXPECT_EQ(DeviceFiguresFor(45, 600, 1, BypassSide, 150, 150).ShownWidth, 750);
}

TEST(DeviceFigures, PlateMaterialChangesTheWeight)
{
    // 0.14 mm PET is lighter than 0.1 mm aluminium; the enthalpy plates are the heaviest here.
    const double vx = DeviceWeight(30, 250, 1, BypassNone, 0);
    const double vxk = DeviceWeight(30, 250, 2, BypassNone, 0);
    EXPECT_LT(vxk, vx);
    // Plate mass of 119 PET plates: 119 * 0.1034 * 0.14e-3 * 1380 = 2.37716 kg instead of 3.32224.
    EXPECT_NEAR(vx - vxk, 3.322242 - 119 * 0.1034 * 0.14e-3 * 1380, 1e-6);
}

TEST(DeviceFigures, DegenerateInputsGiveFiniteFigures)
{
    for (int width : {0, -5, 1}) {
        const TDeviceFigures f = DeviceFiguresFor(30, width, 1, BypassSide, 100, 100);
        EXPECT_TRUE(std::isfinite(f.Weight)) << width;
        EXPECT_GE(f.Weight, 0.0) << width;
    }
    EXPECT_EQ(DeviceFiguresFor(30, 0, 1, BypassNone, 0, 0).Weight, 0.0);

    // A size without a row leaves the dimensions at zero and is marked unknown.
    const TDeviceFigures unknown = DeviceFiguresFor(17, 300, 1, BypassNone, 0, 0);
    EXPECT_FALSE(unknown.Known);
    EXPECT_EQ(unknown.Length, 0);
    EXPECT_EQ(unknown.FaceHeight, 0);
    EXPECT_TRUE(std::isfinite(unknown.Weight));
}

TEST(Bypass, VelocityFromWidth)
{
    double v = -1.0;
    ASSERT_TRUE(BypassVelocityFromWidth(30, 200, 1000.0, v));
    // V / 3.6 / ((w - 7) * h_f / 1000) with the face height 163 mm of size 30.
    EXPECT_NEAR(v, 1000.0 / 3.6 / (193.0 * 163.0 / 1000.0), 1e-9);

    // No opening, or a size without a face height: the velocity is left alone.
    for (int width : {7, 0, -20}) {
        double w = 4.2;
        EXPECT_FALSE(BypassVelocityFromWidth(30, width, 1000.0, w)) << width;
        EXPECT_EQ(w, 4.2);
    }
    double w = 4.2;
    EXPECT_FALSE(BypassVelocityFromWidth(17, 200, 1000.0, w));
    EXPECT_EQ(w, 4.2);
}

TEST(Bypass, ShownVelocityRounding)
{
    EXPECT_DOUBLE_EQ(ShownBypassVelocity(8.8298, true), 8.83);
    EXPECT_DOUBLE_EQ(ShownBypassVelocity(15.0, true), 15.0);
    // 8.83 m/s = 1738.19 fpm
    EXPECT_DOUBLE_EQ(ShownBypassVelocity(8.83, false), 1738.0);
    EXPECT_DOUBLE_EQ(ShownBypassVelocity(15.0, false), 2953.0);  // 2952.75
}

}  // namespace
