// Operating-point check, recommended pressure drop, temperature input limits and message data.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "calc/UDaten.h"
#include "series/UVXGrenzen.h"
#include "series/UVXSerie.h"

namespace {

struct DpCase {
    int series, code, recommended, errorAbove;
};

// The recommended maximum and the error bound of every size the series lists offer.
TEST(RecommendedPressureDrop, EveryOfferedSize)
{
    const DpCase cases[] = {
        {1, 16, 182, 200},   {1, 18, 182, 200},   {1, 25, 182, 200},   {1, 30, 182, 200},
        {1, 35, 182, 200},   {1, 45, 182, 200},   {1, 62, 228, 251},   {1, 80, 228, 251},
        {1, 95, 273, 300},   {1, 110, 280, 308},  {1, 2062, 228, 251}, {1, 2080, 250, 275},
        {1, 2095, 310, 341}, {1, 2110, 330, 363}, {2, 18, 182, 200},   {2, 25, 182, 200},
        {2, 30, 182, 200},   {2, 35, 203, 223},   {2, 366, 203, 223},  {2, 45, 210, 231},
        {3, 366, 284, 312},
    };
    for (const auto& c : cases) {
        const int dp = RecommendedPressureDrop(c.code, c.series);
        EXPECT_EQ(dp, c.recommended) << c.series << "/" << c.code;
        EXPECT_EQ(PressureDropErrorBound(dp), c.errorAbove) << c.series << "/" << c.code;
    }
}

TEST(RecommendedPressureDrop, CodesOutsideTheListsAndFloors)
{
    EXPECT_EQ(RecommendedPressureDrop(366, 1), 145);   // no floor for 366
    EXPECT_EQ(RecommendedPressureDrop(2030, 1), 182);  // 170 raised
    EXPECT_EQ(RecommendedPressureDrop(2045, 2), 266);  // 190 * 1.4
    EXPECT_EQ(RecommendedPressureDrop(40, 1), 120);    // base value, no floor
    EXPECT_EQ(RecommendedPressureDrop(62, 2), 238);    // 170 * 1.4, above the floor
    EXPECT_EQ(RecommendedPressureDrop(95, 3), 510);    // 260 * 1.96
}

// A record that passes every check: VX 30, balanced flows, moderate velocities and pressure drop.
TDatenVX GoodRecord()
{
    TDatenVX r;
    r.Series = 1;
    r.SizeCode = 30;
    r.PackageWidth = 250;
    r.Temp11 = -5.0;
    r.Temp21 = 22.0;
    r.RelHum11 = 90.0;
    r.RelHum21 = 40.0;
    r.X11 = 2.2;
    r.X21 = 6.6;
    r.SVol11 = 1000.0;
    r.SVol21 = 1000.0;
    r.FaceVelocity1 = 2.0;
    r.FaceVelocity2 = 2.1;
    r.PressureDrop1 = 100.0;
    r.PressureDrop2 = 110.0;
    r.BypassVelocity = 15.0;
    return r;
}

struct CheckCase {
    const char* name;
    std::function<void(TDatenVX&)> change;
    int bypass;
    std::vector<int> codes;
};

TEST(CheckRecord, LimitsAtTheirBoundaries)
{
    const CheckCase cases[] = {
        {"good", [](TDatenVX&) {}, BypassNone, {}},
        // temperatures, series 1: -30 .. 80
        {"t -30", [](TDatenVX& r) { r.Temp11 = -30.0; }, BypassNone, {}},
        {"t -30.01", [](TDatenVX& r) { r.Temp11 = -30.01; }, BypassNone, {1}},
        {"t 80", [](TDatenVX& r) { r.Temp21 = 80.0; }, BypassNone, {}},
        {"t 80.01", [](TDatenVX& r) { r.Temp21 = 80.01; }, BypassNone, {2}},
        {"t both out", [](TDatenVX& r) { r.Temp11 = -40; r.Temp21 = 90; }, BypassNone, {1, 2}},
        // series 2: -20 .. 70
        {"VX-K -25", [](TDatenVX& r) { r.Series = 2; r.Temp11 = -25.0; }, BypassNone, {1}},
        {"VX-K -20", [](TDatenVX& r) { r.Series = 2; r.Temp11 = -20.0; }, BypassNone, {}},
        {"VX-K 70.5", [](TDatenVX& r) { r.Series = 2; r.Temp21 = 70.5; }, BypassNone, {2}},
        // relative humidity 0 .. 100
        {"phi 0", [](TDatenVX& r) { r.RelHum11 = 0.0; }, BypassNone, {}},
        {"phi -0.1", [](TDatenVX& r) { r.RelHum11 = -0.1; }, BypassNone, {3}},
        {"phi 100", [](TDatenVX& r) { r.RelHum21 = 100.0; }, BypassNone, {}},
        {"phi 100.1", [](TDatenVX& r) { r.RelHum21 = 100.1; }, BypassNone, {4}},
        // humidity ratio: enthalpy series only
        {"x 31 VX", [](TDatenVX& r) { r.X21 = 31.0; }, BypassNone, {}},
        {"x 30 VX-E", [](TDatenVX& r) { r.Series = 3; r.SizeCode = 366; r.X21 = 30.0; },
         BypassNone, {}},
        {"x 31 VX-E", [](TDatenVX& r) { r.Series = 3; r.SizeCode = 366; r.X21 = 31.0; },
         BypassNone, {44}},
        // face velocity: warning outside 0.5 .. 3.0, error outside 0.2 .. 3.5
        {"v 3.0", [](TDatenVX& r) { r.FaceVelocity1 = 3.0; }, BypassNone, {}},
        {"v 3.2", [](TDatenVX& r) { r.FaceVelocity1 = 3.2; }, BypassNone, {5}},
        {"v 3.5", [](TDatenVX& r) { r.FaceVelocity2 = 3.5; }, BypassNone, {5}},
        {"v 3.6", [](TDatenVX& r) { r.FaceVelocity1 = 3.6; }, BypassNone, {6}},
        {"v 0.5", [](TDatenVX& r) { r.FaceVelocity2 = 0.5; }, BypassNone, {}},
        {"v 0.49", [](TDatenVX& r) { r.FaceVelocity2 = 0.49; }, BypassNone, {5}},
        {"v 0.2", [](TDatenVX& r) { r.FaceVelocity2 = 0.2; }, BypassNone, {5}},
        {"v 0.19", [](TDatenVX& r) { r.FaceVelocity2 = 0.19; }, BypassNone, {6}},
        {"v low+high", [](TDatenVX& r) { r.FaceVelocity1 = 0.4; r.FaceVelocity2 = 3.6; },
         BypassNone, {6}},
        // flow ratio: warning beyond 2/3 .. 1.5, error at 0.5 and 2
        {"ratio 1.5", [](TDatenVX& r) { r.SVol11 = 1500.0; }, BypassNone, {}},
        {"ratio 1.6", [](TDatenVX& r) { r.SVol11 = 1600.0; }, BypassNone, {7}},
        {"ratio 1.99", [](TDatenVX& r) { r.SVol11 = 1990.0; }, BypassNone, {7}},
        {"ratio 2", [](TDatenVX& r) { r.SVol11 = 2000.0; }, BypassNone, {8}},
        {"ratio 2/3", [](TDatenVX& r) { r.SVol11 = 200.0; r.SVol21 = 300.0; }, BypassNone, {}},
        {"ratio 0.6667", [](TDatenVX& r) { r.SVol11 = 666.7; }, BypassNone, {}},
        {"ratio 0.66", [](TDatenVX& r) { r.SVol11 = 660.0; }, BypassNone, {7}},
        {"ratio 0.5", [](TDatenVX& r) { r.SVol11 = 500.0; }, BypassNone, {8}},
        {"no extract air", [](TDatenVX& r) { r.SVol21 = 0.0; }, BypassNone, {8}},
        {"no supply air", [](TDatenVX& r) { r.SVol11 = 0.0; }, BypassNone, {8}},
        // package width
        {"width 100", [](TDatenVX& r) { r.PackageWidth = 100; }, BypassNone, {}},
        {"width 99", [](TDatenVX& r) { r.PackageWidth = 99; }, BypassNone, {9}},
        // pressure drop, VX 30: recommended 182, error above 200
        {"dp 182", [](TDatenVX& r) { r.PressureDrop1 = 182.0; }, BypassNone, {}},
        {"dp 190", [](TDatenVX& r) { r.PressureDrop1 = 190.0; }, BypassNone, {10}},
        {"dp 200", [](TDatenVX& r) { r.PressureDrop2 = 200.0; }, BypassNone, {10}},
        {"dp 201", [](TDatenVX& r) { r.PressureDrop2 = 201.0; }, BypassNone, {11}},
        {"dp VX 110 300", [](TDatenVX& r) { r.SizeCode = 110; r.PressureDrop1 = 300.0; },
         BypassNone, {10}},
        {"dp VX-E 313", [](TDatenVX& r) { r.Series = 3; r.SizeCode = 366;
                                          r.PressureDrop1 = 313.0; }, BypassNone, {11}},
        // bypass velocity 5 .. 15, only with a bypass fitted
        {"bypass 15", [](TDatenVX& r) { r.BypassVelocity = 15.0; }, BypassSide, {}},
        {"bypass 15.01", [](TDatenVX& r) { r.BypassVelocity = 15.01; }, BypassSide, {12}},
        {"bypass 5", [](TDatenVX& r) { r.BypassVelocity = 5.0; }, BypassMiddle, {}},
        {"bypass 4.99", [](TDatenVX& r) { r.BypassVelocity = 4.99; }, BypassMiddle, {12}},
        {"no bypass 3", [](TDatenVX& r) { r.BypassVelocity = 3.0; }, BypassNone, {}},
        // several at once come out ascending
        {"many", [](TDatenVX& r) { r.PackageWidth = 50; r.FaceVelocity1 = 3.2;
                                   r.PressureDrop1 = 250; r.Temp11 = -31; r.SVol11 = 1600; },
         BypassNone, {1, 5, 7, 9, 11}},
    };
    for (const auto& c : cases) {
        TDatenVX r = GoodRecord();
        c.change(r);
        const TCheckResult res = CheckRecord(r, c.bypass);
        EXPECT_EQ(res.List(), c.codes) << c.name;
        bool anyError = false;
        for (int code : c.codes) anyError = anyError || IsErrorCode(code);
        EXPECT_EQ(res.WarningsOnly, !anyError) << c.name;
        EXPECT_EQ(res.RecommendedPressureDrop, RecommendedPressureDrop(r.SizeCode, r.Series))
            << c.name;
    }
}

TEST(CheckRecord, WarningsOnlyFlag)
{
    TDatenVX r = GoodRecord();
    r.FaceVelocity1 = 3.2;  // 5
    r.SVol11 = 1600.0;      // 7
    r.PressureDrop1 = 190;  // 10
    EXPECT_TRUE(CheckRecord(r, BypassSide).WarningsOnly);
    r.PackageWidth = 99;    // 9
    const TCheckResult res = CheckRecord(r, BypassSide);
    EXPECT_FALSE(res.WarningsOnly);
    EXPECT_EQ(res.List(), (std::vector<int>{5, 7, 9, 10}));
}

TEST(CheckRecord, ErrorAndWarningCodes)
{
    for (int code = 0; code < 256; ++code) {
        const bool error = code == 1 || code == 2 || code == 3 || code == 4 || code == 6 ||
                           code == 8 || code == 9 || code == 11 || code == 44;
        EXPECT_EQ(IsErrorCode(code), error) << code;
    }
}

struct LimitCase {
    int series;
    bool si;
    double min, max;
};

TEST(TemperatureLimits, InputFieldsPerSeriesAndUnitSystem)
{
    const LimitCase cases[] = {
        {1, true, -30, 80}, {2, true, -20, 70}, {3, true, -20, 60}, {3, false, -4, 140},
    };
    for (const auto& c : cases) {
        const TTempRange r = TemperatureInputLimits(c.series, c.si);
        EXPECT_EQ(r.Min, c.min) << c.series << c.si;
        EXPECT_EQ(r.Max, c.max) << c.series << c.si;
    }
}

TEST(TemperatureLimits, CheckedRangeMatchesTheQuotedRange)
{
    // The range a temperature message quotes is the range the check applies.
    for (int series : {1, 2, 3}) {
        const TTempRange r = CheckedTemperatureRange(series);
        const TMessageSpec m = MessageSpec(MsgTempLow, series, true, ".");
        EXPECT_EQ(std::stod(m.Arg1), r.Min) << series;
        EXPECT_EQ(std::stod(m.Arg2), r.Max) << series;
    }
}

struct MessageCase {
    int code, series;
    bool si;
    const char* sep;
    int textNo;
    const char* arg1;
    const char* arg2;
    int arg2TextNo;
};

TEST(MessageSpec, TextsAndRanges)
{
    const MessageCase cases[] = {
        {2, 1, false, ".", 106, "-22", "176", 412},  // the range of the series, in degF
        {1, 2, true, ".", 106, "-20", "70", 411},
        {44, 3, false, ".", 474, "0", "210 gr/lb", 0},
        {6, 1, true, ",", 108, "0,5", "3,0 m/s", 0},  // separator in force
        {5, 1, false, ",", 108, "100", "600 fpm", 0},
        {8, 2, false, ",", 110, "0,66", "1,50", 0},
        {9, 1, true, ".", 120, "100 mm", "", 0},
        {11, 1, false, ".", 109, "", "", 0},
        {12, 1, false, ".", 523, "985", "2950 fpm", 0},  // the unit after the range
        {12, 1, true, ".", 523, "5", "15 m/s", 0},
        {13, 1, true, ".", 0, "", "", 0},  // unknown: empty message
    };
    for (const auto& c : cases) {
        const TMessageSpec m = MessageSpec(c.code, c.series, c.si, c.sep);
        EXPECT_EQ(m.TextNo, c.textNo) << c.code;
        EXPECT_EQ(m.Arg1, c.arg1) << c.code;
        EXPECT_EQ(m.Arg2, c.arg2) << c.code;
        EXPECT_EQ(m.Arg2TextNo, c.arg2TextNo) << c.code;
    }
}

TEST(MessageSpec, FillMessagePlaceholdersInOrder)
{
    const std::string pattern = "The temperature is not in the range %s .. %s !";
    EXPECT_EQ(FillMessage(pattern, {"-20", "70°C"}),
              "The temperature is not in the range -20 .. 70°C !");
    // Arguments are inserted verbatim, even when they hold a placeholder themselves.
    EXPECT_EQ(FillMessage("%s/%s", {"%s", "b"}), "%s/b");
    // Too few arguments leave the remaining placeholders; a lone % stays.
    EXPECT_EQ(FillMessage("%s .. %s", {"1"}), "1 .. %s");
    EXPECT_EQ(FillMessage("100% %s", {"x"}), "100% x");
    EXPECT_EQ(FillMessage("The pressure drop is too high!", {}), "The pressure drop is too high!");
    EXPECT_EQ(FillMessage("ends with %", {"x"}), "ends with %");
}

}  // namespace
