// Device panel and checks of the product window: series change, bypass in both modes, type key,
// dimensions and weight, temperature input limits and the assembled check messages.
#include <cmath>

#include <QLabel>
#include <QPushButton>

#include "WindowFixture.h"
#include "calc/UGroessen.h"
#include "series/UVXSerie.h"
#include "thermo/UUmrechnung.h"
#include "ui/UQvControls.h"
#include "ui/UQvMessage.h"

namespace {

TEST_F(WindowTest, SeriesChangeKeepsOrMovesTheSize) {
    struct Row {
        const char* before;
        const char* after;
    };
    const Row rows[] = {{"VX 30", "VX-K 30"}, {"VX 16", "VX-K 18"}, {"VX Kombi 62", "VX-K 18"}, {"VX 45", "VX-K 45"}};
    for (const Row& r : rows) {
        w->Combo_VXSerie->setCurrentIndex(0);
        Choose(w->Combo_VXTyp, r.before);
        w->Combo_VXSerie->setCurrentIndex(1);
        EXPECT_EQ(w->Combo_VXTyp->currentText().toStdString(), r.after) << r.before;
        EXPECT_EQ(w->Combo_VXTyp->count(), 6);
        EXPECT_EQ(w->WinterRecord->Series, 2);
        EXPECT_EQ(w->SummerRecord->SizeCode, w->WinterRecord->SizeCode);
    }
    // VX-K: product description stays available; temperature fields take the VX-K limits.
    EXPECT_TRUE(w->Button_Produktbeschreibung->isEnabled());
    EXPECT_DOUBLE_EQ(w->Winter.Temp11->MinValue, -20);
    EXPECT_DOUBLE_EQ(w->Summer.Temp21->MaxValue, 70);
    w->Combo_VXSerie->setCurrentIndex(0);
    EXPECT_EQ(w->Combo_VXTyp->count(), 14);
    EXPECT_DOUBLE_EQ(w->Winter.Temp11->MinValue, -30);
}

TEST_F(WindowTest, TemperatureOutsideTheSeriesRangeIsRefusedByTheField) {
    Type(w->Winter.Temp11, "-31");
    ASSERT_EQ(ShownMessages().size(), 1);
    EXPECT_EQ(ShownMessages()[0].Text, "Please enter a number between -30 and 80");
    EXPECT_DOUBLE_EQ(w->WinterRecord->Temp11, -5.0);
    // In degF the bounds follow the unit.
    w->SetUnitSystem(false);
    w->SettingsChanged();
    ClearMessages();
    Type(w->Winter.Temp21, "177");
    ASSERT_EQ(ShownMessages().size(), 1);
    EXPECT_EQ(ShownMessages()[0].Text, "Please enter a number between -22 and 176");
}

TEST_F(WindowTest, WithoutBypassTheDeviceIsThePackageAlone) {
    Choose(w->Combo_VXTyp, "VX 45");
    Type(w->Edit_GBreite, "600");
    EXPECT_FALSE(w->Edit_BypBreite->isVisible());
    EXPECT_EQ(w->Label_Bauform->text(), "Type: VX 45 / 600");
    EXPECT_EQ(w->L_Breite->text(), "600 mm");
    EXPECT_EQ(w->L_Gewicht->text().toStdString(), TFormProdukt::Fixed(PackageWeight(45, 600, 1), 1).toStdString());
    int length = 0, height = 0, face = 0;
    ASSERT_TRUE(DeviceDimensions(45, length, height, face));
    EXPECT_EQ(w->L_Laenge->text(), QString("%1 mm").arg(length));
    EXPECT_EQ(w->L_Hoehe->text(), QString("%1 mm").arg(height));
}

TEST_F(WindowTest, SideBypassInWidthMode) {
    Choose(w->Combo_VXTyp, "VX 45");
    Type(w->Edit_GBreite, "600");
    w->Combo_Bypass->setCurrentIndex(1);
    ASSERT_TRUE(w->Edit_BypBreite->isVisible());
    QTest::mouseClick(w->RButton_BypBreite, Qt::LeftButton, {}, QPoint(5, 8));
    EXPECT_TRUE(w->Edit_BypBreite->isEnabled());
    EXPECT_FALSE(w->Edit_BypGeschw->isEnabled());
    EXPECT_TRUE(w->Edit_BypBreite->hasFocus());
    Type(w->Edit_BypBreite, "150");
    EXPECT_EQ(w->Label_Bauform->text(), "Type: VX 45 / 600 -BY150");
    EXPECT_EQ(w->L_Breite->text(), "750 mm");
    EXPECT_EQ(w->WinterRecord->BypassWidth, 150);
    const double v = BypassVelocityFor(45, 150, w->WinterRecord->SVol11);
    EXPECT_NEAR(w->Edit_BypGeschw->StoredValue(), std::nearbyint(v * 100) / 100, 1e-9);
    const double weight = PackageWeight(45, 600, 1) + BypassWeight(45, 150);
    EXPECT_EQ(w->L_Gewicht->text(), TFormProdukt::Fixed(weight, 1));
    // Middle bypass marks the key.
    w->Combo_Bypass->setCurrentIndex(2);
    EXPECT_EQ(w->Label_Bauform->text(), "Type: VX 45 / 600 -BY150(M)");
    // Back to none: the key and width drop the bypass whatever the edits hold.
    w->Combo_Bypass->setCurrentIndex(0);
    EXPECT_EQ(w->Label_Bauform->text(), "Type: VX 45 / 600");
    EXPECT_EQ(w->L_Breite->text(), "600 mm");
    EXPECT_EQ(w->L_Gewicht->text(), TFormProdukt::Fixed(PackageWeight(45, 600, 1), 1));
}

TEST_F(WindowTest, VelocityModeDerivesTheWidthWithAFloorOf50mm) {
    w->Combo_Bypass->setCurrentIndex(1);
    Type(w->Edit_BypGeschw, "10");
    const int expected = BypassWidthFor(30, 10.0, w->WinterRecord->SVol11);
    EXPECT_EQ(w->Edit_BypBreite->StoredValue(), expected);
    // A velocity too high for any width gives the 50 mm bypass and its lower velocity.
    Type(w->Edit_BypGeschw, "60");
    EXPECT_EQ(w->Edit_BypBreite->StoredValue(), 50);
    const double v50 = BypassVelocityFor(30, 50, w->WinterRecord->SVol11);
    EXPECT_LT(v50, 60.0);
    EXPECT_NEAR(w->Edit_BypGeschw->StoredValue(), std::nearbyint(v50 * 100) / 100, 1e-9);
}

TEST_F(WindowTest, BypassWidthInUkUsShowsTheVelocityInFpm) {
    w->SetUnitSystem(false);
    w->SettingsChanged();
    w->Combo_Bypass->setCurrentIndex(1);
    EXPECT_EQ(w->LE_BypGeschw->text(), "fpm");
    QTest::mouseClick(w->RButton_BypBreite, Qt::LeftButton, {}, QPoint(5, 8));
    Type(w->Edit_BypBreite, "120");
    const double fpm = ConvertUnit(5, 9, 10, BypassVelocityFor(30, 120, w->WinterRecord->SVol11));
    EXPECT_NEAR(w->Edit_BypGeschw->StoredValue(), std::nearbyint(fpm), 1e-9);
    EXPECT_EQ(w->Edit_BypGeschw->text(), QString::number(std::nearbyint(fpm), 'f', 0));
}

// ---- Check messages ---------------------------------------------------------------------------
TEST_F(WindowTest, WarningInOneCaseHasNoCaseHeading) {
    Type(w->Winter.SVol11, "320");
    Type(w->Winter.SVol21, "200");  // ratio 1.6: warning
    ClickCalculate();
    ASSERT_EQ(ShownMessages().size(), 1);
    const TShownMessage& m = ShownMessages()[0];
    EXPECT_EQ(m.Caption, "Attention!");
    EXPECT_EQ(m.Type, mtWarning);
    EXPECT_EQ(m.Text, "The ratio of the air quantities is not in the recommended range 0.66 .. 1.50 !");
    EXPECT_TRUE(w->ResultsValid());
}

TEST_F(WindowTest, ErrorStopsTheRequest) {
    Type(w->Winter.SVol11, "400");
    Type(w->Winter.SVol21, "200");  // ratio 2: error
    ClickCalculate();
    ASSERT_EQ(ShownMessages().size(), 1);
    EXPECT_EQ(ShownMessages()[0].Caption, "Error!");
    EXPECT_EQ(ShownMessages()[0].Type, mtError);
    EXPECT_FALSE(w->ResultsValid());
    EXPECT_TRUE(w->Tabelle_Luftaustritt->Cell(1, 2).isEmpty());
    EXPECT_TRUE(w->Tabelle_Prozessdaten->Cell(1, 0).isEmpty());
}

TEST_F(WindowTest, MessagesOfBothCasesAreAssembledInBlocks) {
    ShowBothCases();
    w->Combo_Bypass->setCurrentIndex(1);
    Type(w->Edit_BypGeschw, "4");    // both: bypass velocity warning (12)
    Type(w->Winter.SVol11, "320");
    Type(w->Winter.SVol21, "200");   // winter: ratio warning (7)
    Type(w->Summer.SVol11, "100");
    Type(w->Summer.SVol21, "200");   // summer: ratio error (8)
    ClearMessages();
    PressF9();
    ASSERT_EQ(ShownMessages().size(), 1);
    const QString ratio = "The ratio of the air quantities is not in the recommended range 0.66 .. 1.50 !";
    const QString bypass = "The air velocity in the bypass is not in the range 5 .. 15 m/s !";
    const QString expected = "Heating:\n\n" + ratio + "\n\n" + bypass + "\n\n----------------------\n\nCooling:\n\n" +
                             ratio + "\n\n" + bypass;
    EXPECT_EQ(ShownMessages()[0].Text.toStdString(), expected.toStdString());
    EXPECT_EQ(ShownMessages()[0].Caption, "Error!");
    EXPECT_FALSE(w->ResultsValid());
}

TEST_F(WindowTest, SummerOnlyMessageStillNamesItsCase) {
    ShowBothCases();
    Type(w->Summer.SVol11, "320");
    Type(w->Summer.SVol21, "200");
    ClearMessages();
    PressF9();
    ASSERT_EQ(ShownMessages().size(), 1);
    EXPECT_EQ(ShownMessages()[0].Text.toStdString(),
              "Cooling:\n\nThe ratio of the air quantities is not in the recommended range 0.66 .. 1.50 !");
    EXPECT_TRUE(w->ResultsValid());
}

TEST_F(WindowTest, VelocityMessageInUkUsReadsFpm) {
    w->SetUnitSystem(false);
    w->SettingsChanged();
    Type(w->Winter.SVol11, "40");
    Type(w->Winter.SVol21, "40");
    ClickCalculate();
    ASSERT_FALSE(ShownMessages().isEmpty());
    EXPECT_TRUE(ShownMessages()[0].Text.contains("100 .. 600 fpm !")) << ShownMessages()[0].Text.toStdString();
}

// ---- Seasons ----------------------------------------------------------------------------------
TEST_F(WindowTest, SeasonsButtonTwiceReturnsToOneCaseKeepingSummerInputs) {
    ShowBothCases();
    EXPECT_TRUE(w->Summer.Temp11->isVisible());
    EXPECT_EQ(w->Tabelle_Lufteintritt->ColCount(), 10);
    Type(w->Summer.Temp11, "35");
    QTest::mouseClick(w->Button_Seasons, Qt::LeftButton);
    EXPECT_EQ((w->Selection.TwoCases ? 2 : 1), 1);
    EXPECT_FALSE(w->Summer.Temp11->isVisible());
    EXPECT_EQ(w->Tabelle_Lufteintritt->ColCount(), 6);
    EXPECT_EQ(w->Tabelle_Lufteintritt->Cell(5, 5), LoadText(411));
    QTest::mouseClick(w->Button_Seasons, Qt::LeftButton);
    EXPECT_EQ((w->Selection.TwoCases ? 2 : 1), 2);
    EXPECT_EQ(w->Summer.Temp11->text(), "35.0");
    EXPECT_DOUBLE_EQ(w->SummerRecord->Temp11, 35.0);
    EXPECT_EQ(w->Tabelle_Lufteintritt->Cell(9, 5), LoadText(411));
    // Switching the feature off forces one case and hides the button.
    w->Menu_Optionen_UseSeasons->trigger();
    EXPECT_FALSE(w->Selection.Seasons);
    EXPECT_EQ((w->Selection.TwoCases ? 2 : 1), 1);
    EXPECT_FALSE(w->Panel_Seasons->isVisible());
    EXPECT_FALSE(w->Menu_Optionen_UseSeasons->isChecked());
}

TEST_F(WindowTest, HumidityModeMovesTheEditsToTheirRow) {
    const int rowTop[3] = {6, 7, 8};
    const std::uint8_t modes[3] = {0, 1, 7};
    for (int i = 0; i < 3; ++i) {
        w->SetHumidityMode(modes[i]);
        const QRect cell = w->Tabelle_Lufteintritt->visualRect(w->Tabelle_Lufteintritt->model()->index(rowTop[i], 1));
        const QPoint cellCentre = w->Tabelle_Lufteintritt->viewport()->mapTo(w->Client, cell.center());
        EXPECT_TRUE(w->Winter.Feuchte11->geometry().contains(cellCentre)) << int(modes[i]);
    }
    // Wet bulb shows the record's wet-bulb temperatures.
    EXPECT_EQ(w->Winter.Feuchte21->text(), TFormProdukt::Fixed(std::nearbyint(w->WinterRecord->WetBulb21 * 10) / 10, 1));
}

} // namespace
