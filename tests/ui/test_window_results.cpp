// The values the product window shows after a calculation request are the record values of the
// core for the same inputs, converted and rounded for display: both cases, every humidity mode,
// SI and UK/US, decimal point and decimal comma.
#include <cmath>

#include "WindowFixture.h"
#include "calc/UDaten.h"
#include "series/UVXAuswertung.h"
#include "thermo/UUmrechnung.h"

namespace {

struct CaseInput {
    double flow1, flow2, temp1, temp2, hum1, hum2;  // display units of the row's unit system
};

struct ResultRow {
    const char* name;
    bool si;
    int humidityMode;
    char16_t dec, thou;
    CaseInput winter, summer;
};

// Text of a number as a user types it, with the row's decimal separator.
QString Typed(double v, char16_t dec) {
    QString t = QString::number(v, 'g', 10);
    t.replace('.', QChar(dec));
    return t;
}

class WindowResults : public WindowTest, public testing::WithParamInterface<ResultRow> {
protected:
    // A record computed by the core alone from the same inputs.
    TDatenVX CoreRecord(const CaseInput& in, const ResultRow& row) const {
        const bool us = !row.si;
        auto toSI = [us](int q, int si, int ukus, double v) { return ConvertUnit(q, PickUnit(us, si, ukus), si, v); };
        TDatenVX r;
        r.Pressure = 1013;
        r.HumidityMode = static_cast<std::uint8_t>(row.humidityMode);
        r.FlowMode = 0;
        r.SVol11 = toSI(1, 1, 2, in.flow1);
        r.SVol21 = toSI(1, 1, 2, in.flow2);
        r.Temp11 = toSI(2, 3, 4, in.temp1);
        r.Temp21 = toSI(2, 3, 4, in.temp2);
        switch (row.humidityMode) {
        case 1:
            r.X11 = toSI(3, 5, 6, in.hum1);
            r.X21 = toSI(3, 5, 6, in.hum2);
            break;
        case 7:
            r.WetBulb11 = toSI(2, 3, 4, in.hum1);
            r.WetBulb21 = toSI(2, 3, 4, in.hum2);
            break;
        default:
            r.RelHum11 = in.hum1;
            r.RelHum21 = in.hum2;
        }
        r.Series = 1;
        r.SizeCode = 30;
        r.PackageWidth = 250;
        r.BypassVelocity = 15.0;
        r.Refresh();
        r.Calculate();
        r.EvaluateEnergyEfficiency();
        return r;
    }

    // One expected cell: the SI value, its quantity and codes, and the decimals per system.
    struct Expect {
        TDatenGrid* grid;
        int row;
        double si;
        int quantity, siCode, usCode, decSI, decUS;
    };

    void CompareCell(const Expect& e, int col, bool si, const char* what) {
        const double shown = si ? e.si : ConvertUnit(e.quantity, e.siCode, e.usCode, e.si);
        const int decimals = si ? e.decSI : e.decUS;
        double v = 0;
        ASSERT_TRUE(CellValue(e.grid, col, e.row, v))
            << what << " " << e.grid->objectName().toStdString() << " row " << e.row << " col " << col
            << " text '" << e.grid->Cell(col, e.row).toStdString() << "'";
        EXPECT_NEAR(v, shown, 0.5 * std::pow(10.0, -decimals) + 1e-9)
            << what << " " << e.grid->objectName().toStdString() << " row " << e.row << " col " << col;
        EXPECT_EQ(CellDecimals(e.grid, col, e.row), decimals)
            << what << " " << e.grid->objectName().toStdString() << " row " << e.row << " col " << col;
    }

    void CompareCase(const TDatenVX& r, int caseIndex, bool si) {
        TDatenGrid* in = w->Tabelle_Lufteintritt;
        TDatenGrid* wdp = w->Tabelle_w_dp;
        TDatenGrid* out = w->Tabelle_Luftaustritt;
        TDatenGrid* pd = w->Tabelle_Prozessdaten;
        const int c1 = 1 + 4 * caseIndex, c2 = 3 + 4 * caseIndex;
        const std::vector<std::pair<Expect, Expect>> cells = {
            {{in, 1, r.SVol11, 1, 1, 2, 0, 0}, {in, 1, r.SVol21, 1, 1, 2, 0, 0}},
            {{in, 2, r.MassMoist11, 8, 16, 17, 0, 0}, {in, 2, r.MassMoist21, 8, 16, 17, 0, 0}},
            {{in, 4, r.OVol11, 1, 1, 2, 0, 0}, {in, 4, r.OVol21, 1, 1, 2, 0, 0}},
            {{in, 5, r.Temp11, 2, 3, 4, 1, 1}, {in, 5, r.Temp21, 2, 3, 4, 1, 1}},
            {{in, 6, r.RelHum11, 12, 0, 0, 1, 1}, {in, 6, r.RelHum21, 12, 0, 0, 1, 1}},
            {{in, 7, r.X11, 3, 5, 6, 2, 1}, {in, 7, r.X21, 3, 5, 6, 2, 1}},
            {{in, 8, r.WetBulb11, 2, 3, 4, 1, 1}, {in, 8, r.WetBulb21, 2, 3, 4, 1, 1}},
            {{in, 9, r.Enthalpy11, 11, 24, 25, 1, 1}, {in, 9, r.Enthalpy21, 11, 24, 25, 1, 1}},
            {{wdp, 0, r.FaceVelocity1, 5, 9, 10, 2, 0}, {wdp, 0, r.FaceVelocity2, 5, 9, 10, 2, 0}},
            {{wdp, 1, r.PressureDrop1, 4, 7, 8, 0, 2}, {wdp, 1, r.PressureDrop2, 4, 7, 8, 0, 2}},
            {{wdp, 2, r.PressureDropStd1, 4, 7, 8, 0, 2}, {wdp, 2, r.PressureDropStd2, 4, 7, 8, 0, 2}},
            {{out, 1, r.OVol12, 1, 1, 2, 0, 0}, {out, 1, r.OVol22, 1, 1, 2, 0, 0}},
            {{out, 2, r.Temp12, 2, 3, 4, 1, 1}, {out, 2, r.Temp22, 2, 3, 4, 1, 1}},
            {{out, 3, r.RelHum12, 12, 0, 0, 1, 1}, {out, 3, r.RelHum22, 12, 0, 0, 1, 1}},
            {{out, 4, r.X12, 3, 5, 6, 2, 1}, {out, 4, r.X22, 3, 5, 6, 2, 1}},
            {{out, 5, r.WetBulb12, 2, 3, 4, 1, 1}, {out, 5, r.WetBulb22, 2, 3, 4, 1, 1}},
            {{out, 6, r.Enthalpy12, 11, 24, 25, 1, 1}, {out, 6, r.Enthalpy22, 11, 24, 25, 1, 1}},
            {{pd, 4, r.HeatDry1, 6, 12, 13, 2, 0}, {pd, 4, r.HeatDry2, 6, 12, 13, 2, 0}},
            {{pd, 5, r.Heat1, 6, 12, 13, 2, 0}, {pd, 5, r.Heat2, 6, 12, 13, 2, 0}},
        };
        for (const auto& [a, b] : cells) {
            CompareCell(a, c1, si, caseIndex ? "summer" : "winter");
            CompareCell(b, c2, si, caseIndex ? "summer" : "winter");
        }
        CompareCell({pd, 0, r.TempEff1, 12, 0, 0, 1, 1}, c1, si, "efficiency dry");
        CompareCell({pd, 1, r.TempEffWet1, 12, 0, 0, 1, 1}, c1, si, "efficiency wet");
        EXPECT_EQ(pd->Cell(c1, 2).toStdString(), r.EnergyEfficiencyText);
        CompareCell({pd, 3, r.ErpEfficiency, 12, 0, 0, 1, 1}, c1, si, "ErP");
        EXPECT_EQ(pd->Cell(c2, 3).toStdString(), ErpMark(r.ErpEfficiency));
        // Moisture and condensate rows: filled exactly when the core reports a change.
        const double dx1 = r.X12 - r.X11, dx2 = r.X22 - r.X21;
        EXPECT_EQ(pd->Cell(c1, 7).isEmpty(), dx1 == 0.0);
        EXPECT_EQ(pd->Cell(c2, 7).isEmpty(), dx2 == 0.0);
        if (dx2 != 0.0) CompareCell({pd, 7, dx2, 3, 5, 6, 2, 2}, c2, si, "moisture");
        if (r.Condensate2 != 0.0) CompareCell({pd, 8, -r.Condensate2, 8, 16, 17, 2, 2}, c2, si, "condensate");
        EXPECT_EQ(pd->Cell(c2, 8).isEmpty(), r.Condensate2 == 0.0);
    }
};

TEST_P(WindowResults, EveryCellShowsTheCoreValue) {
    const ResultRow& row = GetParam();
    // What the settings dialog hands over on OK: units, humidity mode, separators.
    w->SetUnitSystem(row.si);
    w->SetHumidityMode(static_cast<std::uint8_t>(row.humidityMode));
    UseSeparators(QChar(row.dec), QChar(row.thou));
    w->SettingsChanged();
    ShowBothCases();

    const CaseInput* cases[2] = {&row.winter, &row.summer};
    const TCaseEdits* edits[2] = {&w->Winter, &w->Summer};
    for (int c = 0; c < 2; ++c) {
        const CaseInput& in = *cases[c];
        const TCaseEdits& e = *edits[c];
        Type(e.SVol11, Typed(in.flow1, row.dec));
        Type(e.SVol21, Typed(in.flow2, row.dec));
        Type(e.Temp11, Typed(in.temp1, row.dec));
        Type(e.Temp21, Typed(in.temp2, row.dec));
        Type(e.Feuchte11, Typed(in.hum1, row.dec));
        Type(e.Feuchte21, Typed(in.hum2, row.dec));
    }
    ASSERT_TRUE(ShownMessages().isEmpty()) << ShownMessages().first().Text.toStdString();
    // Before the request only the inlet side is shown.
    EXPECT_TRUE(w->Tabelle_Luftaustritt->Cell(1, 2).isEmpty());
    PressF9();
    ASSERT_TRUE(w->ResultsValid()) << (ShownMessages().isEmpty() ? "" : ShownMessages().first().Text.toStdString());

    CompareCase(CoreRecord(row.winter, row), 0, row.si);
    CompareCase(CoreRecord(row.summer, row), 1, row.si);
    EXPECT_TRUE(w->Button_Datenblatt->isEnabled());
    EXPECT_TRUE(w->Menu_Ansicht_Diagramm->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(
    Modes, WindowResults,
    testing::Values(
        ResultRow{"SiRelativePoint", true, 0, '.', ',', {300, 280, -10, 22, 85, 45}, {300, 290, 32, 24, 40, 50}},
        ResultRow{"SiRelativeComma", true, 0, ',', '.', {250.5, 260, -5.5, 21.5, 90, 40}, {250, 250, 30.5, 22, 45, 55}},
        ResultRow{"SiAbsoluteComma", true, 1, ',', 0, {220, 220, -12, 22, 1.2, 7.5}, {220, 200, 28, 23, 12, 9}},
        ResultRow{"SiWetBulbPoint", true, 7, '.', 0, {260, 250, -5, 22, -6, 14.5}, {260, 250, 30, 24, 21, 17}},
        ResultRow{"UsRelativePoint", false, 0, '.', ',', {170, 160, 14, 71.6, 80, 40}, {170, 170, 90, 75, 40, 50}},
        ResultRow{"UsAbsoluteComma", false, 1, ',', '.', {150, 150, 23, 72, 10.5, 45}, {150, 140, 86, 74, 80, 60}},
        ResultRow{"UsWetBulbComma", false, 7, ',', 0, {160, 160, 23, 71.6, 21, 58}, {160, 160, 88, 75, 70, 62}}),
    [](const testing::TestParamInfo<ResultRow>& info) { return std::string(info.param.name); });

// ---- Single results rules ----------------------------------------------------------------------
TEST_F(WindowTest, PressureDropFarAboveTheRecommendationIsNotShown) {
    // VX 30: recommended 182 Pa; cells stay empty above round(1.5 x 182) = 273 Pa.
    Type(w->Winter.SVol11, "800");
    Type(w->Winter.SVol21, "800");
    const TDatenVX& r = *w->WinterRecord;
    ASSERT_EQ(w->Selection.RecommendedDp(), 182);
    ASSERT_GT(r.PressureDrop1, 273.0);
    EXPECT_TRUE(w->Tabelle_w_dp->Cell(1, 1).isEmpty());
    EXPECT_TRUE(w->Tabelle_w_dp->Cell(3, 1).isEmpty());
    EXPECT_FALSE(w->Tabelle_w_dp->Cell(1, 0).isEmpty());  // the velocity stays
    // A flow with a pressure drop below the limit shows it.
    Type(w->Winter.SVol11, "200");
    Type(w->Winter.SVol21, "200");
    ASSERT_LE(r.PressureDrop1, 273.0);
    EXPECT_FALSE(w->Tabelle_w_dp->Cell(1, 1).isEmpty());
}

TEST_F(WindowTest, EnergyClassRowsFollowTheSetting) {
    ClickCalculate();
    ASSERT_TRUE(w->ResultsValid());
    TDatenGrid* pd = w->Tabelle_Prozessdaten;
    EXPECT_FALSE(pd->Cell(0, 2).isEmpty());
    EXPECT_EQ(pd->Cell(0, 3), LoadText(47) + " ErP Lot 6");
    EXPECT_EQ(pd->Cell(3, 3).toStdString(), ErpMark(w->WinterRecord->ErpEfficiency));

    w->Selection.EnergyClasses = false;
    w->SettingsChanged();
    ClickCalculate();
    ASSERT_TRUE(w->ResultsValid());
    for (int col : {0, 1, 3})
        for (int row : {2, 3}) EXPECT_TRUE(pd->Cell(col, row).isEmpty()) << col << "," << row;
    EXPECT_FALSE(pd->Cell(1, 0).isEmpty());
}

TEST_F(WindowTest, ErpMarkFollowsTheRoundedEfficiency) {
    // Wider packages raise the efficiency; each shown mark is the one of the record's value.
    int marked = 0;
    for (const char* width : {"100", "250", "600", "1200", "1800"}) {
        Type(w->Edit_GBreite, width);
        Type(w->Winter.SVol11, "150");
        Type(w->Winter.SVol21, "150");
        ClearMessages();
        ClickCalculate();
        if (!w->ResultsValid()) continue;
        const QString mark = w->Tabelle_Prozessdaten->Cell(3, 3);
        EXPECT_EQ(mark.toStdString(), ErpMark(w->WinterRecord->ErpEfficiency)) << width;
        if (!mark.isEmpty()) ++marked;
    }
    EXPECT_GT(marked, 0);
}

TEST_F(WindowTest, UnitSwitchShowsValidResultsAgainInTheNewUnits) {
    ClickCalculate();
    ASSERT_TRUE(w->ResultsValid());
    const double t12 = w->WinterRecord->Temp12;
    w->SetUnitSystem(false);
    EXPECT_TRUE(w->ResultsValid());
    double v = 0;
    ASSERT_TRUE(CellValue(w->Tabelle_Luftaustritt, 1, 2, v));
    EXPECT_NEAR(v, t12 * 1.8 + 32, 0.05);
    EXPECT_EQ(w->Tabelle_Luftaustritt->Cell(5, 2), LoadText(412));
    EXPECT_EQ(w->LE_Gewicht->text(), "lb");
    EXPECT_EQ(w->Tabelle_Prozessdaten->Cell(5, 4), "BTU/h");
    // Edits show the inputs in the new units: -5 degC outside air.
    EXPECT_EQ(w->Winter.Temp11->text(), "23.0");
}

TEST_F(WindowTest, SamePressureKeepsResultsOtherPressureClearsThem) {
    ClickCalculate();
    ASSERT_TRUE(w->ResultsValid());
    w->SetAirPressure(w->Selection.Pressure);
    EXPECT_TRUE(w->ResultsValid());
    w->SetAirPressure(950);
    EXPECT_FALSE(w->ResultsValid());
    EXPECT_TRUE(w->Tabelle_Luftaustritt->Cell(1, 2).isEmpty());
    EXPECT_FALSE(w->Button_Datenblatt->isEnabled());
}

TEST_F(WindowTest, F9ConfirmsAValueStillBeingTyped) {
    w->Winter.Temp11->setFocus();
    w->Winter.Temp11->selectAll();
    QTest::keyClicks(w->Winter.Temp11, "-15");
    PressF9();
    ASSERT_TRUE(w->ResultsValid());
    EXPECT_DOUBLE_EQ(w->WinterRecord->Temp11, -15.0);
    double v = 0;
    ASSERT_TRUE(CellValue(w->Tabelle_Lufteintritt, 1, 5, v));
    EXPECT_DOUBLE_EQ(v, -15.0);
}

} // namespace
