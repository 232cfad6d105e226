// The dialogs together with the product window: the settings exchange (cancel changes nothing, OK
// applies and invalidates the results), separators, calculation standard, persistence across a
// restart, the header and notes exchanges, language changes of open dialogs and the pre-heat command.
#include <QAction>
#include <QComboBox>
#include <QDate>
#include <QLocale>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <memory>

#include "DialogTestSupport.h"
#include "UiTestEnv.h"
#include "app/UGlobal.h"
#include "app/URessourcen.h"
#include "app/UZahlAdapter.h"
#include "ui/DatenGrids.h"
#include "ui/FAngebot.h"
#include "ui/FBemerkungen.h"
#include "ui/FOptionen.h"
#include "ui/FPreHeat.h"
#include "ui/FVX.h"
#include "ui/UQvControls.h"

namespace {

class DialogWindowTest : public testing::Test {
protected:
    void SetUp() override {
        Language = LangEnglish;
        ApplyLanguageFonts();
        UseSeparators('.', ',');
        RemoveSettingsFile();
        ClearMessages();
        Open();
    }
    void TearDown() override {
        w.reset();
        Language = LangEnglish;
        ApplyLanguageFonts();
        UseSeparators('.', ',');
    }
    void Open() {
        w = std::make_unique<TFormVX>();
        w->show();
        w->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    }
    void Calculate() {
        ClearMessages();
        // The calculate button runs the same request as F9; a click does not depend on which
        // window the offscreen platform considers active after a dialog closed.
        QTest::mouseClick(w->Button_Berechnen, Qt::LeftButton);
        ASSERT_TRUE(w->ResultsValid()) << (ShownMessages().isEmpty() ? std::string("no message")
                                                                      : ShownMessages()[0].Text.toStdString());
    }
    // Opens the settings dialog from the menu and runs `act` on it.
    void Settings(std::function<void(TFormOptionen*)> act) {
        OnNextModal<TFormOptionen>(act);
        w->Menu_Optionen_Einstellungen->trigger();
    }
    // Value cells of a result table that hold text (columns 1 and 3).
    static int FilledValueCells(TDatenGrid* g) {
        int n = 0;
        for (int row = 0; row < g->RowCount(); ++row)
            for (int col : {1, 3}) n += !g->Cell(col, row).isEmpty();
        return n;
    }
    static void ClickRadio(QAbstractButton* b) {
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(5, 6));
    }

    std::unique_ptr<TFormVX> w;
};

// ---- Settings exchange ------------------------------------------------------------------------
TEST_F(DialogWindowTest, CancelKeepsEveryValue) {
    Calculate();
    Settings([](TFormOptionen* d) {
        EXPECT_TRUE(d->UnitSI);
        EXPECT_EQ(d->Edit_Luftdruck->text(), "1013.0");
        TypeAndEnter(d->Edit_Luftdruck, "900");
        d->PageControl1->setCurrentWidget(d->Seite_Einheiten);
        ClickRadio(d->RadioButton_US);
        EXPECT_NEAR(d->Edit_Luftdruck->Value(), 0.888450, 1e-6);  // converted in the dialog
        d->Edit_DecimalSeparator->setText(",");
        d->Edit_ThousandSeparator->setText(".");
        d->Combo_Luftmenge->setCurrentIndex(2);
        d->RadioButton_PHI_USA->click();
        QTest::mouseClick(d->Button_Cancel, Qt::LeftButton);
    });
    EXPECT_TRUE(w->UnitSystemSI);
    EXPECT_DOUBLE_EQ(w->Selection.Pressure, 1013.0);
    EXPECT_EQ(w->Selection.FlowMode, 0);
    EXPECT_FALSE(w->Selection.AmericanMethod);
    EXPECT_EQ(ProcessDecimalSeparator(), QChar('.'));
    EXPECT_TRUE(w->ResultsValid());
    EXPECT_EQ(w->Winter.Temp11->text(), "-5.0");
}

TEST_F(DialogWindowTest, OkShowsTheInputsInTheNewUnitsAndModesWithoutResults) {
    Calculate();
    ASSERT_GT(FilledValueCells(w->Tabelle_Luftaustritt), 0);
    Settings([](TFormOptionen* d) {
        d->PageControl1->setCurrentWidget(d->Seite_Einheiten);
        ClickRadio(d->RadioButton_US);
        d->Combo_Feuchte->setCurrentIndex(2);
        d->Combo_Luftmenge->setCurrentIndex(1);
        QTest::mouseClick(d->Button_OK, Qt::LeftButton);
    });
    EXPECT_FALSE(w->UnitSystemSI);
    EXPECT_EQ(w->Selection.HumidityMode, 7);
    EXPECT_EQ(w->Selection.FlowMode, 1);
    // -5 degC = 23 degF; the humidity field now holds the wet-bulb temperature in degF.
    EXPECT_NEAR(w->Winter.Temp11->Value(), 23.0, 1e-9);
    EXPECT_NEAR(w->Winter.Feuchte11->Value(), w->WinterRecord->WetBulb11 * 1.8 + 32.0, 0.051);
    EXPECT_EQ(w->Winter.Temp11->text(), "23.0");
    // Units and input modes change how the case is shown and typed, not the case: the results
    // stay valid and are shown in the new units.
    EXPECT_TRUE(w->ResultsValid());
    EXPECT_EQ(w->Tabelle_Lufteintritt->Cell(1, 5), "23.0");
    EXPECT_GT(FilledValueCells(w->Tabelle_Luftaustritt), 0);
    EXPECT_GT(FilledValueCells(w->Tabelle_Prozessdaten), 0);
    EXPECT_TRUE(w->Button_Datenblatt->isEnabled());
    Calculate();
    EXPECT_GT(FilledValueCells(w->Tabelle_Luftaustritt), 0);
}

TEST_F(DialogWindowTest, MassFlowIsModeThreeAndIsSelectedOnReopening) {
    Settings([](TFormOptionen* d) {
        d->PageControl1->setCurrentWidget(d->Seite_EingabeDaten);
        d->Combo_Luftmenge->setCurrentIndex(d->Combo_Luftmenge->findText("Mass flow"));
        QTest::mouseClick(d->Button_OK, Qt::LeftButton);
    });
    EXPECT_EQ(w->Selection.FlowMode, 3);
    EXPECT_EQ(w->WinterRecord->FlowMode, 3);
    Settings([](TFormOptionen* d) {
        EXPECT_EQ(d->Combo_Luftmenge->currentIndex(), 2);
        EXPECT_EQ(d->FlowMode, 3);
        QTest::mouseClick(d->Button_Cancel, Qt::LeftButton);
    });
}

TEST_F(DialogWindowTest, OnlyAnotherAirPressureInvalidatesResults) {
    Calculate();
    w->SetAirPressure(w->Selection.Pressure);
    EXPECT_TRUE(w->ResultsValid());
    w->SetAirPressure(950.0);
    EXPECT_FALSE(w->ResultsValid());
    // The pressure of the dialog reaches the records with the input change cycle.
    Settings([](TFormOptionen* d) {
        TypeAndEnter(d->Edit_HoeheNN, "1000");
        QTest::mouseClick(d->Button_OK, Qt::LeftButton);
    });
    EXPECT_NEAR(w->Selection.Pressure, 898.485, 0.01);
    EXPECT_NEAR(w->WinterRecord->Pressure, 898.485, 0.01);
}

TEST_F(DialogWindowTest, PressureOutsideItsRangeNeverReachesTheWindow) {
    Settings([](TFormOptionen* d) {
        TypeOnly(d->Edit_Luftdruck, "1500");
        QTest::mouseClick(d->Button_OK, Qt::LeftButton);
        EXPECT_TRUE(d->isVisible());
        EXPECT_EQ(ShownMessages().size(), 1);
        QTest::mouseClick(d->Button_Cancel, Qt::LeftButton);
    });
    EXPECT_DOUBLE_EQ(w->Selection.Pressure, 1013.0);
}

TEST_F(DialogWindowTest, SeparatorsApplyAndOneCharacterForBothIsRefused) {
    Settings([](TFormOptionen* d) {
        EXPECT_EQ(d->Edit_DecimalSeparator->text(), ".");
        EXPECT_EQ(d->Edit_ThousandSeparator->text(), ",");
        d->Edit_DecimalSeparator->setText(",");
        d->Edit_ThousandSeparator->setText(".");
        QTest::mouseClick(d->Button_OK, Qt::LeftButton);
    });
    EXPECT_EQ(ProcessDecimalSeparator(), QChar(','));
    EXPECT_EQ(ProcessThousandSeparator(), QChar('.'));
    EXPECT_EQ(w->Winter.Temp11->text(), "-5,0");
    EXPECT_EQ(w->Tabelle_Lufteintritt->Cell(1, 5), "-5,0");
    // Every number of the window follows: the weight and the status line too.
    EXPECT_TRUE(w->L_Gewicht->text().contains(',')) << w->L_Gewicht->text().toStdString();
    EXPECT_TRUE(w->L_Umgebung->text().contains("1013,0 mbar")) << w->L_Umgebung->text().toStdString();

    Settings([](TFormOptionen* d) {
        d->Edit_ThousandSeparator->setText(",");
        QTest::mouseClick(d->Button_OK, Qt::LeftButton);
        EXPECT_TRUE(d->isVisible());
        ASSERT_EQ(ShownMessages().size(), 1);
        EXPECT_EQ(ShownMessages()[0].Text, QString::fromUtf8("Decimal separator ≠ Thousand separator"));
        EXPECT_EQ(d->PageControl1->currentWidget(), d->Seite_Einheiten);
        QTest::mouseClick(d->Button_Cancel, Qt::LeftButton);
    });
    EXPECT_EQ(ProcessDecimalSeparator(), QChar(','));
    EXPECT_EQ(ProcessThousandSeparator(), QChar('.'));

    // Emptied fields keep the separators in force.
    Settings([](TFormOptionen* d) {
        d->Edit_DecimalSeparator->clear();
        d->Edit_ThousandSeparator->clear();
        QTest::mouseClick(d->Button_OK, Qt::LeftButton);
    });
    EXPECT_EQ(ProcessDecimalSeparator(), QChar(','));
    EXPECT_EQ(ProcessThousandSeparator(), QChar('.'));
}

TEST_F(DialogWindowTest, CalculationStandardAndBoxesAreExchanged) {
    Settings([](TFormOptionen* d) {
        EXPECT_TRUE(d->RadioButton_PHI_Europa->isChecked());
        EXPECT_TRUE(d->CheckBox_HCLASS->isChecked());  // the stored default
        d->PageControl1->setCurrentWidget(d->Seite_Prozessdaten);
        ClickRadio(d->RadioButton_PHI_USA);
        d->CheckBox_WB->setChecked(true);
        QTest::mouseClick(d->Button_OK, Qt::LeftButton);
    });
    EXPECT_TRUE(w->Selection.AmericanMethod);
    EXPECT_TRUE(w->TotalEffectiveness);
    EXPECT_FALSE(w->Selection.EnergyClasses);
    EXPECT_TRUE(w->WetBulbOnDatasheet);
    Settings([](TFormOptionen* d) {
        EXPECT_TRUE(d->RadioButton_PHI_USA->isChecked());
        EXPECT_TRUE(d->CheckBox_TotalEff->isChecked());
        EXPECT_FALSE(d->CheckBox_HCLASS->isEnabled());
        EXPECT_TRUE(d->CheckBox_WB->isChecked());
        QTest::mouseClick(d->Button_Cancel, Qt::LeftButton);
    });
}

TEST_F(DialogWindowTest, ChoicesSurviveARestart) {
    Settings([](TFormOptionen* d) {
        TypeAndEnter(d->Edit_Luftdruck, "950");
        d->PageControl1->setCurrentWidget(d->Seite_Einheiten);
        ClickRadio(d->RadioButton_US);
        d->Edit_DecimalSeparator->setText(",");
        d->Edit_ThousandSeparator->setText("'");
        d->Combo_Luftmenge->setCurrentIndex(1);
        d->Combo_Feuchte->setCurrentIndex(1);
        d->RadioButton_PHI_USA->click();
        d->CheckBox_WB->setChecked(true);
        QTest::mouseClick(d->Button_OK, Qt::LeftButton);
    });
    OnNextModal<TFormAngebot>([](TFormAngebot* d) {
        QTest::mouseClick(d->Button_Vorgabe, Qt::LeftButton);
        TypeOnly(d->Edit3, "Q-42");
        d->CheckBox_AlsAngebot->setChecked(true);
        QTest::mouseClick(d->Button_OK, Qt::LeftButton);
    });
    w->Menu_Edit_Kopfzeile->trigger();
    OnNextModal<TFormBemerkungen>([](TFormBemerkungen* d) {
        TypeOnly(d->Bem2, "chart note");
        QTest::mouseClick(d->Button_OK, Qt::LeftButton);
    });
    w->Menu_Edit_Bem_Diagramm->trigger();

    w.reset();  // saves the settings
    UseSeparators('.', ',');
    Open();
    EXPECT_FALSE(w->UnitSystemSI);
    EXPECT_NEAR(w->Selection.Pressure, 950.0, 1e-9);
    EXPECT_EQ(w->Selection.FlowMode, 1);
    EXPECT_EQ(w->Selection.HumidityMode, 1);
    EXPECT_TRUE(w->Selection.AmericanMethod);
    EXPECT_TRUE(w->TotalEffectiveness);
    EXPECT_TRUE(w->WetBulbOnDatasheet);
    EXPECT_EQ(ProcessDecimalSeparator(), QChar(','));
    EXPECT_EQ(ProcessThousandSeparator(), QChar('\''));
    EXPECT_TRUE(w->Selection.PrintHeader);
    EXPECT_EQ(ToLines(w->Selection.HeaderLines).value(2), "Offer-No.:");
    EXPECT_EQ(ToLines(w->Selection.HeaderLines).value(3), "Q-42");
    EXPECT_EQ(ToLines(w->Selection.NotesChart), (QStringList{"", "chart note", ""}));
}

// ---- Header and notes exchanges ---------------------------------------------------------------
TEST_F(DialogWindowTest, HeaderExchange) {
    const QStringList before = ToLines(w->Selection.HeaderLines);
    OnNextModal<TFormAngebot>([](TFormAngebot* d) {
        EXPECT_EQ(d->Edit1->text(), QLocale().toString(QDate::currentDate(), QLocale::ShortFormat));
        EXPECT_EQ(d->focusWidget(), d->Edit3);
        TypeOnly(d->Edit3, "thrown away");
        QTest::mouseClick(d->Button_Cancel, Qt::LeftButton);
    });
    w->Menu_Edit_Kopfzeile->trigger();
    EXPECT_EQ(ToLines(w->Selection.HeaderLines), before);
    EXPECT_FALSE(w->Selection.PrintHeader);

    OnNextModal<TFormAngebot>([](TFormAngebot* d) {
        EXPECT_EQ(d->Edit3->text(), "");  // the cancelled typing is not shown again
        QTest::mouseClick(d->Button_Vorgabe, Qt::LeftButton);
        TypeOnly(d->Edit5, "Tower B");
        d->CheckBox_AlsAngebot->setChecked(true);
        QTest::mouseClick(d->Button_OK, Qt::LeftButton);
    });
    w->Menu_Edit_Kopfzeile->trigger();
    EXPECT_TRUE(w->Selection.PrintHeader);
    ASSERT_EQ(ToLines(w->Selection.HeaderLines).size(), 8);
    EXPECT_EQ(ToLines(w->Selection.HeaderLines).value(0), "Date:");
    EXPECT_EQ(ToLines(w->Selection.HeaderLines).value(1), before.value(1));
    EXPECT_EQ(ToLines(w->Selection.HeaderLines).value(4), "Project:");
    EXPECT_EQ(ToLines(w->Selection.HeaderLines).value(5), "Tower B");
    EXPECT_EQ(ToLines(w->Selection.HeaderLines).value(6), "Position:");
}

TEST_F(DialogWindowTest, NotesMenusEditTheirOwnLists) {
    OnNextModal<TFormBemerkungen>([](TFormBemerkungen* d) {
        TypeOnly(d->Bem1, "sheet note");
        QTest::mouseClick(d->Button_OK, Qt::LeftButton);
    });
    w->Menu_Edit_Bem_Datenblatt->trigger();
    EXPECT_EQ(ToLines(w->Selection.NotesData), (QStringList{"sheet note", "", ""}));
    EXPECT_EQ(ToLines(w->Selection.NotesChart), (QStringList{"", "", ""}));
    OnNextModal<TFormBemerkungen>([](TFormBemerkungen* d) {
        EXPECT_EQ(d->Bem1->text(), "");  // the chart list, not the sheet list
        QTest::mouseClick(d->Button_OK, Qt::LeftButton);
    });
    w->Menu_Edit_Bem_Diagramm->trigger();
    EXPECT_EQ(ToLines(w->Selection.NotesData), (QStringList{"sheet note", "", ""}));
}

TEST_F(DialogWindowTest, OpenedDialogsFollowALanguageChange) {
    Settings([](TFormOptionen* d) { QTest::mouseClick(d->Button_Cancel, Qt::LeftButton); });
    OnNextModal<TFormAngebot>([](TFormAngebot* d) {
        d->Edit2->setText("Ref.:");
        QTest::mouseClick(d->Button_OK, Qt::LeftButton);
    });
    w->Menu_Edit_Kopfzeile->trigger();
    OnNextModal<TFormBemerkungen>([](TFormBemerkungen* d) { QTest::mouseClick(d->Button_OK, Qt::LeftButton); });
    w->Menu_Edit_Bem_Datenblatt->trigger();

    w->Menu_Optionen_Polski->trigger();
    auto* o = qobject_cast<TFormOptionen*>(w->FormOptionen.data());
    auto* a = qobject_cast<TFormAngebot*>(w->FormAngebot.data());
    auto* b = qobject_cast<TFormBemerkungen*>(w->FormBemerkungen.data());
    ASSERT_TRUE(o && a && b);
    EXPECT_EQ(o->Label_HoeheNN->text(), LoadText(2, LangPolish));
    EXPECT_EQ(PlainCaption(o->Button_Cancel->text()), LoadText(161, LangPolish));
    EXPECT_EQ(a->Edit0->text(), LoadText(141, LangPolish) + ":");
    EXPECT_EQ(a->Edit2->text(), "Ref.:");
    EXPECT_EQ(b->windowTitle(), LoadText(135, LangPolish));
}

// ---- Pre-heat ---------------------------------------------------------------------------------
TEST_F(DialogWindowTest, PreHeatIsOfferedOnTheFourInletTemperatures) {
    for (TNumEdit* e : {w->Winter.Temp11, w->Winter.Temp21, w->Summer.Temp11, w->Summer.Temp21}) {
        EXPECT_EQ(e->contextMenuPolicy(), Qt::CustomContextMenu) << e->objectName().toStdString();
        std::unique_ptr<QMenu> menu(PreHeatMenu(*w, e));
        ASSERT_FALSE(menu->actions().isEmpty());
        EXPECT_EQ(menu->actions().first()->text(), "Pre-heat...");
    }
    // Not on the other inputs.
    EXPECT_NE(w->Winter.Feuchte11->contextMenuPolicy(), Qt::CustomContextMenu);
    EXPECT_FALSE(ApplyPreHeat(*w, w->Winter.SVol11, 10.0));
}

// Opens the pre-heat command of an edit from its menu and enters a temperature.
void RunPreHeat(TFormVX& w, TNumEdit* edit, double expectShown, const QString& unit, const QString& typed) {
    std::unique_ptr<QMenu> menu(PreHeatMenu(w, edit));
    OnNextModal<TFormPreHeat>([=](TFormPreHeat* d) {
        EXPECT_NEAR(d->Edit_Temp->Value(), expectShown, 1e-9);
        EXPECT_EQ(d->L_DegC->text(), unit);
        TypeOnly(d->Edit_Temp, typed);
        QTest::mouseClick(d->Button_OK, Qt::LeftButton);
    });
    menu->actions().first()->trigger();
}

TEST_F(DialogWindowTest, PreHeatKeepsTheHumidityRatioAndShowsTheNewRelativeHumidity) {
    Calculate();
    const double x = w->WinterRecord->X11;
    ASSERT_GT(x, 0.5);
    RunPreHeat(*w, w->Winter.Temp11, -5.0, QString::fromUtf8("°C"), "5");
    EXPECT_NEAR(w->Winter.Temp11->Value(), 5.0, 1e-12);
    EXPECT_NEAR(w->WinterRecord->Temp11, 5.0, 1e-12);
    EXPECT_NEAR(w->WinterRecord->X11, x, 1e-9);
    EXPECT_NEAR(w->Winter.Feuchte11->Value(), w->WinterRecord->RelHum11, 0.05);  // shown to one decimal
    EXPECT_LT(w->WinterRecord->RelHum11, 50.0);  // 90 % at -5 degC is dry air at +5 degC
    EXPECT_EQ(w->Tabelle_Lufteintritt->Cell(1, 5), "5.0");
    EXPECT_FALSE(w->ResultsValid());  // the input change cycle ran
}

TEST_F(DialogWindowTest, PreHeatInWetBulbModeShowsTheNewWetBulbTemperature) {
    w->SetHumidityMode(7);
    w->Aenderung_Daten();
    const double x = w->WinterRecord->X21;
    const double wetBulbBefore = w->WinterRecord->WetBulb21;
    RunPreHeat(*w, w->Winter.Temp21, 22.0, QString::fromUtf8("°C"), "30");
    EXPECT_NEAR(w->WinterRecord->Temp21, 30.0, 1e-12);
    // The wet-bulb temperature is shown to one decimal, so the humidity ratio is kept to the
    // humidity change of 0.05 K wet bulb (well under 0.05 g/kg here).
    EXPECT_NEAR(w->WinterRecord->X21, x, 0.05);
    EXPECT_GT(w->WinterRecord->WetBulb21, wetBulbBefore);
    const double shown = w->Winter.Feuchte21->Value();
    EXPECT_DOUBLE_EQ(shown, std::nearbyint(shown * 10.0) / 10.0);
}

TEST_F(DialogWindowTest, PreHeatInUkUsUnitsTakesFahrenheit) {
    w->SetUnitSystem(false);
    w->Aenderung_Daten();
    const double x = w->WinterRecord->X11;
    RunPreHeat(*w, w->Winter.Temp11, 23.0, QString::fromUtf8("°F"), "41");
    EXPECT_NEAR(w->WinterRecord->Temp11, 5.0, 1e-9);
    EXPECT_NEAR(w->WinterRecord->X11, x, 1e-9);
}

TEST_F(DialogWindowTest, PreHeatCancelledOrOutOfLimitsChangesNothing) {
    w->Aenderung_Daten();
    Calculate();
    ASSERT_TRUE(w->Winter.Temp11->Validation);
    std::unique_ptr<QMenu> menu(PreHeatMenu(*w, w->Winter.Temp11));
    OnNextModal<TFormPreHeat>([](TFormPreHeat* d) {
        TypeOnly(d->Edit_Temp, "500");
        QTest::mouseClick(d->Button_OK, Qt::LeftButton);
        EXPECT_TRUE(d->isVisible());
        EXPECT_EQ(ShownMessages().size(), 1);
        QTest::mouseClick(d->Button_Cancel, Qt::LeftButton);
    });
    menu->actions().first()->trigger();
    EXPECT_NEAR(w->WinterRecord->Temp11, -5.0, 1e-12);
    EXPECT_EQ(w->Winter.Temp11->text(), "-5.0");
    EXPECT_TRUE(w->ResultsValid());
}

} // namespace
