// Process data rows, ErP marks and the condensation hint.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "calc/UDaten.h"
#include "series/USelection.h"
#include "series/UVXAuswertung.h"
#include "series/UVXSerie.h"
#include "thermo/UUmrechnung.h"

namespace {

struct MarkCase {
    double erp;
    const char* mark;
};

TEST(ErpMark, RoundedToOneDecimalHalvesToEven)
{
    const MarkCase cases[] = {
        {66.95, "(2016 ready)"},  // rounds to 67.0
        {66.94, ""},
        {66.85, ""},              // a half rounds to the even 66.8
        {67.0, "(2016 ready)"},
        {72.94, "(2016 ready)"},
        {72.95, "(2018 ready)"},  // rounds to 73.0
        {73.0, "(2018 ready)"},
        {95.0, "(2018 ready)"},
        {0.0, ""},
        {-5.0, ""},
        {std::numeric_limits<double>::quiet_NaN(), ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ErpMark(c.erp), c.mark) << c.erp;
        // The language text of the mark: 613 for 2018, 614 for 2016.
        const std::string mark = c.mark;
        EXPECT_EQ(ErpMarkTextNo(c.erp), mark.empty() ? 0 : mark == "(2018 ready)" ? 613 : 614) << c.erp;
    }
}

struct TitleCase {
    int series;
    bool american, hclass;
    int titles[9];
};

TEST(ProcessDataRows, TitlesPerSeriesAndSettings)
{
    const TitleCase cases[] = {
        {1, false, true, {47, 48, 560, 47, 28, 29, 0, 41, 0}},
        {2, true, true, {441, 442, 560, 47, 28, 29, 0, 41, 0}},
        {3, false, true, {19, 20, 560, 19, 45, 44, 27, 40, 0}},
        {3, true, false, {436, 437, 0, 0, 45, 44, 27, 40, 0}},
        {1, false, false, {47, 48, 0, 0, 28, 29, 0, 41, 0}},
    };
    for (const auto& c : cases) {
        const auto rows = ProcessDataRows(c.series, c.american, c.hclass);
        for (int i = 0; i < ProcessRowCount; ++i)
            EXPECT_EQ(rows[i].TitleTextNo, c.titles[i]) << c.series << " row " << i;
        EXPECT_EQ(rows[3].TitleSuffix, c.hclass ? " ErP Lot 6" : "");
        EXPECT_TRUE(rows[8].TitleByWindow);
    }
}

TEST(ProcessDataRows, UnitsAndDisplayConversion)
{
    const auto rows = ProcessDataRows(1, false, true);
    // The total heat row belongs to the enthalpy series only.
    EXPECT_EQ(rows[6].UnitSI, "");
    EXPECT_EQ(ProcessDataRows(3, false, true)[6].UnitUS, "BTU/h");
    EXPECT_DOUBLE_EQ(ProcessDisplayValue(rows[4], 1.5, true), 1.5);
    EXPECT_DOUBLE_EQ(ProcessDisplayValue(rows[4], 1.5, false), 1.5 * 3412);
    EXPECT_DOUBLE_EQ(ProcessDisplayValue(rows[7], 2.0, false), 14.0);
    EXPECT_DOUBLE_EQ(ProcessDisplayValue(rows[8], 10.0, false), 22.046);
    EXPECT_DOUBLE_EQ(ProcessDisplayValue(rows[0], 71.3, false), 71.3);
    EXPECT_DOUBLE_EQ(ProcessDisplayValue(rows[3], 71.3, false), 71.3);
}

// A record whose result fields all hold different numbers.
TDatenVX Results(int series)
{
    TDatenVX r;
    r.Series = static_cast<std::uint8_t>(series);
    r.TempEff1 = 71.0;
    r.TempEffWet1 = 74.0;
    r.HumEff1 = 55.0;
    r.EffRel1 = {61.0, 62.0, 63.0, 64.0};
    r.HeatDry1 = 5.5;
    r.HeatDry2 = -5.5;
    r.Heat1 = 6.1;
    r.Heat2 = -6.1;
    r.Latent1 = 1.2;
    r.Latent2 = -1.2;
    r.Total1 = 7.3;
    r.Total2 = -7.3;
    r.X11 = 2.0;
    r.X12 = 2.0;
    r.X21 = 8.0;
    r.X22 = 6.5;
    r.Water1 = 0.0;
    r.Condensate2 = 1.8;
    r.EnergyEfficiencyText = "68.5% / H2";
    r.ErpEfficiency = 73.4;
    return r;
}

TEST(ProcessDataValues, EfficiencyRowsPerSeriesAndMethod)
{
    struct Case {
        int series;
        bool american;
        double row0, row1;
    } cases[] = {
        {1, false, 71.0, 74.0}, {2, false, 71.0, 74.0}, {1, true, 61.0, 62.0},
        {3, false, 74.0, 55.0}, {3, true, 62.0, 63.0},
    };
    for (const auto& c : cases) {
        const auto v = ProcessDataValues(Results(c.series), c.american, true);
        EXPECT_DOUBLE_EQ(v[0].Stream1.Value, c.row0) << c.series << c.american;
        EXPECT_DOUBLE_EQ(v[1].Stream1.Value, c.row1) << c.series << c.american;
        EXPECT_FALSE(v[0].Stream2.Present);
        EXPECT_FALSE(v[1].Stream2.Present);
    }
}

TEST(ProcessDataValues, HeatRowsPerSeries)
{
    const auto vx = ProcessDataValues(Results(1), false, true);
    EXPECT_DOUBLE_EQ(vx[4].Stream1.Value, 5.5);
    EXPECT_DOUBLE_EQ(vx[4].Stream2.Value, -5.5);
    EXPECT_DOUBLE_EQ(vx[5].Stream1.Value, 6.1);
    EXPECT_DOUBLE_EQ(vx[5].Stream2.Value, -6.1);
    EXPECT_FALSE(vx[6].Stream1.Present);
    EXPECT_FALSE(vx[6].Stream2.Present);

    const auto vxe = ProcessDataValues(Results(3), false, true);
    EXPECT_DOUBLE_EQ(vxe[4].Stream1.Value, 6.1);
    EXPECT_DOUBLE_EQ(vxe[5].Stream1.Value, 1.2);
    EXPECT_DOUBLE_EQ(vxe[5].Stream2.Value, -1.2);
    EXPECT_DOUBLE_EQ(vxe[6].Stream1.Value, 7.3);
    EXPECT_DOUBLE_EQ(vxe[6].Stream2.Value, -7.3);
}

TEST(ProcessDataValues, RegulatoryRowsFollowTheSetting)
{
    const auto on = ProcessDataValues(Results(1), false, true);
    ASSERT_TRUE(on[2].Stream1.IsText);
    EXPECT_EQ(on[2].Stream1.Text, "68.5% / H2");
    EXPECT_DOUBLE_EQ(on[3].Stream1.Value, 73.4);
    ASSERT_TRUE(on[3].Stream2.IsText);
    EXPECT_EQ(on[3].Stream2.Text, "(2018 ready)");

    const auto off = ProcessDataValues(Results(1), false, false);
    for (int i : {2, 3}) {
        EXPECT_FALSE(off[i].Stream1.Present);
        EXPECT_FALSE(off[i].Stream2.Present);
    }

    TDatenVX low = Results(1);
    low.ErpEfficiency = 60.0;
    EXPECT_FALSE(ProcessDataValues(low, false, true)[3].Stream2.Present);
}

TEST(ProcessDataValues, MoistureRowsOnlyWhenNotZero)
{
    const auto v = ProcessDataValues(Results(1), false, true);
    EXPECT_FALSE(v[7].Stream1.Present);  // X12 = X11
    EXPECT_DOUBLE_EQ(v[7].Stream2.Value, -1.5);
    EXPECT_FALSE(v[8].Stream1.Present);  // Water1 = 0
    EXPECT_DOUBLE_EQ(v[8].Stream2.Value, -1.8);

    TDatenVX dry = Results(1);
    dry.X22 = dry.X21;
    dry.Condensate2 = 0.0;
    const auto d = ProcessDataValues(dry, false, true);
    for (int i : {7, 8}) {
        EXPECT_FALSE(d[i].Stream1.Present);
        EXPECT_FALSE(d[i].Stream2.Present);
    }
}

TEST(Hint, TextFromCondensationAndFreezing)
{
    TDatenVX r;
    EXPECT_EQ(HintText(HintFor(r), "Condensation", "Freezing limit not considered!"), "");
    r.FreezeRisk = 1;  // a freezing risk without a condensation state still warns
    EXPECT_EQ(HintText(HintFor(r), "Condensation", "Freezing limit not considered!"),
              "Freezing limit not considered!");
    r.FreezeRisk = 0;
    for (std::uint8_t state : {1, 2}) {
        r.CondensationState = state;
        EXPECT_EQ(HintText(HintFor(r), "Condensation", "Freezing limit not considered!"),
                  "Condensation!");
    }
    r.FreezeRisk = 1;
    EXPECT_EQ(HintText(HintFor(r), "Condensation", "Freezing limit not considered!"),
              "Condensation! - Freezing limit not considered!");
}

// A planner's case at altitude: VX-K 45 / 1530, 800 scfm each way, 14 degF / 80 % outside,
// 70 degF / 30 % extract, 843 mbar. Condensate forms at the freezing limit without a condensation
// state; the hint warns of the freezing limit as vxrate does.
TEST(Hint, FreezingLimitWithoutCondensationState)
{
    TSelection s;
    s.SetPressure(843.0);
    TDevice d = s.Device;
    d.Series = SeriesVXK;
    d.SizeCode = 45;
    d.PackageWidth = 1530;
    s.SetDevice(d);
    const double flow = ConvertUnit(1, 2, 1, 800.0);  // scfm -> m3/h
    for (auto [input, value] : {std::pair{TAirInput::Flow11, flow}, {TAirInput::Flow21, flow},
                                {TAirInput::Temp11, -10.0}, {TAirInput::Humidity11, 80.0},
                                {TAirInput::Temp21, (70.0 - 32.0) / 1.8}, {TAirInput::Humidity21, 30.0}})
        s.SetAirInput(0, input, value);
    s.Calculate();
    ASSERT_TRUE(s.ResultsValid());
    const TDatenVX& r = s.Cases[0];
    ASSERT_NE(r.FreezeRisk, 0);
    EXPECT_GT(r.Condensate2, 0.0);
    const THint hint = s.Hint();
    EXPECT_TRUE(hint.Freezing);
    EXPECT_EQ(HintText(hint, "Condensation", "Freezing limit not considered!").find("Freezing limit"), 0u)
        << HintText(hint, "Condensation", "Freezing limit not considered!");
}

TEST(Hint, GeometryCentresTheLine)
{
    EXPECT_EQ(HintWidth(0.0), 0);
    EXPECT_EQ(HintWidth(100.0), 120);
    EXPECT_EQ(HintWidth(100.4), 120);  // 120.48
    EXPECT_EQ(HintWidth(101.0), 121);  // 121.2
    EXPECT_EQ(HintLeft(0, false), 245);
    EXPECT_EQ(HintLeft(0, true), 324);
    EXPECT_EQ(HintLeft(121, false), 245 - 60);
    EXPECT_EQ(HintLeft(120, true), 324 - 60);
}

}  // namespace
