// The enthalpy series VX-E in the product window: chosen from the series list, rated for a winter
// and a summer case, every shown value compared with vxrate rate for the same inputs; the frost
// limit in the process data, the hint and the pre-heat dialog; the pages open.
#include <QProcess>
#include <QTimer>
#include <QTreeWidget>
#include <nlohmann/json.hpp>

#include "WindowFixture.h"
#include "series/UFrostGrenze.h"
#include "thermo/UUmrechnung.h"
#include "ui/FBaugroessen_VX.h"
#include "ui/FPreHeat.h"
#include "ui/FSeite.h"

namespace {

using nlohmann::json;

// Inlets of the two cases: flows (m3/h), temperatures (degC), relative humidities (%).
const double kInlets[2][6] = {{400, 380, -15, 22, 90, 70}, {400, 400, 32, 24, 45, 50}};
const char* kInletKeys[6] = {"SVol11", "SVol21", "Temp11", "Temp21", "RelHum11", "RelHum21"};

// vxrate's answer for both cases with the device of the window.
json VxrateCases() {
    json cases = json::array();
    for (const auto& in : kInlets) {
        json c = {{"Series", 3}, {"SizeCode", 366}, {"PackageWidth", 500}};
        for (int i = 0; i < 6; ++i) c[kInletKeys[i]] = in[i];
        cases.push_back(c);
    }
    QProcess p;
    p.start(QStringLiteral(VXRATE_EXE), {"rate"});
    p.write(QByteArray::fromStdString(cases.dump()));
    p.closeWriteChannel();
    EXPECT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    return json::parse(p.readAllStandardOutput().toStdString());
}

class VXEWindow : public WindowTest {
protected:
    void ChooseVXE() {
        Choose(w->Combo_VXSerie, "VX-E   " + LoadText(SeriesVXETextNo));
        ASSERT_EQ(w->Combo_VXTyp->count(), 1);
        EXPECT_EQ(w->Combo_VXTyp->currentText(), "VX-E 366");
        Type(w->Edit_GBreite, "500");
        ShowBothCases();
        const TCaseEdits* edits[2] = {&w->Winter, &w->Summer};
        for (int c = 0; c < 2; ++c) {
            TNumEdit* fields[6] = {edits[c]->SVol11, edits[c]->SVol21,    edits[c]->Temp11,
                                   edits[c]->Temp21, edits[c]->Feuchte11, edits[c]->Feuchte21};
            for (int i = 0; i < 6; ++i) Type(fields[i], QString::number(kInlets[c][i]));
        }
        PressF9();
        ASSERT_TRUE(w->ResultsValid())
            << (ShownMessages().isEmpty() ? "" : ShownMessages().first().Text.toStdString());
    }

    // A shown cell holds the vxrate value rounded to the cell's decimals.
    void ExpectCell(TDatenGrid* g, int col, int row, double value, const std::string& what) {
        double shown = 0;
        ASSERT_TRUE(CellValue(g, col, row, shown)) << what << " '" << g->Cell(col, row).toStdString() << "'";
        EXPECT_NEAR(shown, value, 0.5 * std::pow(10.0, -CellDecimals(g, col, row)) + 1e-9) << what;
    }
};

TEST_F(VXEWindow, EveryCellAgreesWithVxrate) {
    ChooseVXE();
    const json out = VxrateCases();
    ASSERT_EQ(out.size(), 2u);
    TDatenGrid* in = w->Tabelle_Lufteintritt;
    TDatenGrid* wdp = w->Tabelle_w_dp;
    TDatenGrid* outlet = w->Tabelle_Luftaustritt;
    TDatenGrid* pd = w->Tabelle_Prozessdaten;
    for (int c = 0; c < 2; ++c) {
        const json& o = out[c];
        const int c1 = 1 + 4 * c, c2 = 3 + 4 * c;
        auto v = [&](const char* key) { return o[key].get<double>(); };
        struct Cell {
            TDatenGrid* grid;
            int row;
            const char *stream1, *stream2;
        };
        const Cell cells[] = {
            {in, 1, "SVol11", "SVol21"},
            {in, 2, "MassMoist11", "MassMoist21"},
            {in, 4, "OVol11", "OVol21"},
            {in, 5, "Temp11", "Temp21"},
            {in, 6, "RelHum11", "RelHum21"},
            {in, 7, "X11", "X21"},
            {in, 8, "WetBulb11", "WetBulb21"},
            {in, 9, "Enthalpy11", "Enthalpy21"},
            {wdp, 0, "FaceVelocity1", "FaceVelocity2"},
            {wdp, 1, "PressureDrop1", "PressureDrop2"},
            {wdp, 2, "PressureDropStd1", "PressureDropStd2"},
            {outlet, 1, "OVol12", "OVol22"},
            {outlet, 2, "Temp12", "Temp22"},
            {outlet, 3, "RelHum12", "RelHum22"},
            {outlet, 4, "X12", "X22"},
            {outlet, 5, "WetBulb12", "WetBulb22"},
            {outlet, 6, "Enthalpy12", "Enthalpy22"},
            // Series 3: sensible, latent and total heat.
            {pd, 4, "Heat1", "Heat2"},
            {pd, 5, "Latent1", "Latent2"},
            {pd, 6, "Total1", "Total2"},
        };
        const std::string season = c ? "summer " : "winter ";
        for (const Cell& cell : cells) {
            ExpectCell(cell.grid, c1, cell.row, v(cell.stream1), season + cell.stream1);
            ExpectCell(cell.grid, c2, cell.row, v(cell.stream2), season + cell.stream2);
        }
        // Temperature and humidity efficiency, moisture recovered by each stream.
        ExpectCell(pd, c1, 0, v("TempEffWet1"), season + "TempEffWet1");
        ExpectCell(pd, c1, 1, v("HumEff1"), season + "HumEff1");
        ExpectCell(pd, c1, 7, v("X12") - v("X11"), season + "moisture 1");
        ExpectCell(pd, c2, 7, v("X22") - v("X21"), season + "moisture 2");
        EXPECT_EQ(pd->Cell(c1, 2).toStdString(), o["EnergyEfficiencyText"].get<std::string>());
        EXPECT_EQ(pd->Cell(c2, 3).toStdString(), o["ErpMark"].get<std::string>());
    }
    // Row titles of the enthalpy series.
    EXPECT_EQ(pd->Cell(0, 1), LoadText(20));
    EXPECT_EQ(pd->Cell(0, 6), LoadText(27));

    // The frost limit of the winter case, as vxrate reports it, with the hint when it freezes.
    ASSERT_TRUE(out[0]["FrostLimitTemp"].is_number());
    const double limit = out[0]["FrostLimitTemp"].get<double>();
    ExpectCell(pd, 1, FrostLimitRow, limit, "frost limit");
    EXPECT_EQ(pd->Cell(0, FrostLimitRow), LoadText(FrostLimitTextNo));
    EXPECT_EQ(pd->Cell(9, FrostLimitRow), LoadText(411));
    EXPECT_TRUE(pd->Cell(5, FrostLimitRow).isEmpty());  // the winter case only
    // No condensation state in this series, yet the exhaust freezes: the hint says so.
    ASSERT_EQ(out[0]["FreezeRisk"], 1);
    ASSERT_EQ(out[0]["CondensationState"], 0);
    EXPECT_EQ(w->LB_Hinweis->text(), LoadText(43) + " (" + LoadText(FrostLimitTextNo) + ": " +
                                         pd->Cell(1, FrostLimitRow) + " " + LoadText(411) + ")");

    // In UK/US units the same limit in degF.
    w->SetUnitSystem(false);
    ExpectCell(pd, 1, FrostLimitRow, ConvertUnit(2, 3, 4, limit), "frost limit degF");
    EXPECT_EQ(pd->Cell(9, FrostLimitRow), LoadText(412));
}

TEST_F(VXEWindow, LimitsPagesAndPreHeat) {
    Choose(w->Combo_VXSerie, "VX-E   " + LoadText(SeriesVXETextNo));
    EXPECT_EQ(w->Winter.Temp11->MinValue, -20.0);
    EXPECT_EQ(w->Winter.Temp21->MaxValue, 60.0);
    w->SetUnitSystem(false);
    w->SettingsChanged();  // as the settings dialog hands a unit change over
    EXPECT_EQ(w->Summer.Temp11->MinValue, -4.0);
    EXPECT_EQ(w->Summer.Temp11->MaxValue, 140.0);
    w->SetUnitSystem(true);
    w->SettingsChanged();
    ChooseVXE();
    EXPECT_TRUE(w->Label_Bauform->text().endsWith("VX-E 366 / 500"))
        << w->Label_Bauform->text().toStdString();

    // Datasheet, chart and description each open on their page list.
    for (QAction* view :
         {w->Menu_Ansicht_Datenblatt, w->Menu_Ansicht_Diagramm, w->Menu_Ansicht_Produktbeschreibung}) {
        ASSERT_TRUE(view->isEnabled()) << view->objectName().toStdString();
        bool opened = false;
        QTimer::singleShot(0, [&opened] {
            auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            opened = d != nullptr;
            if (d) d->accept();
        });
        view->trigger();
        EXPECT_TRUE(opened) << view->objectName().toStdString();
    }

    // The size pre-selection proposes the one size of the series; adopting a proposal keeps VX-E.
    TFormBaugroessen_VX* pre = PreselectionDialog(w.get());
    pre->BuildProposals();
    ASSERT_GT(pre->ListView1->topLevelItemCount(), 0);
    for (int i = 0; i < pre->ListView1->topLevelItemCount(); ++i)
        EXPECT_TRUE(pre->ListView1->topLevelItem(i)->text(0).startsWith("VX-E 366 / "));
    pre->ListView1->setCurrentItem(pre->ListView1->topLevelItem(0));
    pre->AdoptProposal();
    EXPECT_EQ(w->Selection.Device.Series, SeriesVXE);
    EXPECT_EQ(w->Selection.Device.PackageWidth,
              pre->ListView1->topLevelItem(0)->text(0).section('/', 1).trimmed().toInt());
    Type(w->Edit_GBreite, "500");
    ClickCalculate();
    ASSERT_TRUE(w->ResultsValid());

    // The pre-heat dialog of the winter outdoor air offers the first temperature above the limit.
    const std::optional<double> limit = w->Selection.FrostLimit();
    ASSERT_TRUE(limit.has_value());
    QString offered;
    QTimer::singleShot(0, [&offered] {
        auto* d = qobject_cast<TFormPreHeat*>(QApplication::activeModalWidget());
        ASSERT_NE(d, nullptr);
        ASSERT_NE(d->Button_Frostgrenze, nullptr);
        d->Button_Frostgrenze->click();
        offered = d->Edit_Temp->text();
        d->Button_OKClick();
    });
    ASSERT_TRUE(PreHeatInlet(*w, w->Winter.Temp11));
    EXPECT_EQ(offered, QString::number(*limit + FrostLimitStep, 'f', 1));
    EXPECT_NEAR(w->WinterRecord->Temp11, *limit + FrostLimitStep, 1e-9);
    ClickCalculate();
    ASSERT_TRUE(w->ResultsValid());
    EXPECT_EQ(w->WinterRecord->FreezeRisk, 0);  // pre-heated above the limit, the exhaust stays free
}

}  // namespace
