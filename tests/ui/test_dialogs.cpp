// The settings, header, notes and temperature dialogs on their own: coupling of pressure and
// altitude, the ranges of both fields, unit switching, input modes, calculation standard,
// separators, texts and focus.
#include <QComboBox>
#include <QHeaderView>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTableWidget>
#include <cmath>
#include <memory>

#include "DialogTestSupport.h"
#include "UiTestEnv.h"
#include "app/UGlobal.h"
#include "app/URessourcen.h"
#include "ui/FAngebot.h"
#include "ui/FBemerkungen.h"
#include "ui/FOptionen.h"
#include "ui/FPreHeat.h"
#include "ui/UQvControls.h"

namespace {

class DialogTest : public testing::Test {
protected:
    void SetUp() override {
        Language = LangEnglish;
        ApplyLanguageFonts();
        UseSeparators('.', ',');
        ClearMessages();
    }
    void TearDown() override {
        Language = LangEnglish;
        ApplyLanguageFonts();
        UseSeparators('.', ',');
    }
};

// A settings dialog in SI showing a given pressure, as the main window hands it over.
std::unique_ptr<TFormOptionen> SettingsDialog(bool si, double pressure) {
    auto d = std::make_unique<TFormOptionen>();
    d->SetUnitSystem(si);
    d->SetPressure(pressure);
    d->show();
    d->PageControl1->setCurrentWidget(d->Seite_Umgebung);
    return d;
}

// ---- Pressure and altitude --------------------------------------------------------------------
struct CouplingCase {
    const char* name;
    bool si;
    bool altitudeField;      // typed into the altitude field, else into the pressure field
    const char* typed;
    double pressureMbar;     // expected dialog pressure
    double altitudeM;        // expected dialog altitude
    double shownPressure;    // in the display unit
    double shownAltitude;    // in the display unit
};

// Expected values from the standard atmosphere by hand: p = 1013 (1 - 6.5 z / 288000)^5.255;
// 1 atm = 1013 mbar, 1 m = 3.2808 ft.
const CouplingCase kCoupling[] = {
    {"SeaLevelAltitude", true, true, "0", 1013.0, 0.0, 1013.0, 0.0},
    {"SeaLevelPressure", true, false, "1013", 1013.0, 0.0, 1013.0, 0.0},
    {"Altitude1000m", true, true, "1000", 898.485, 1000.0, 898.485, 1000.0},
    {"Pressure900mbar", true, false, "900", 900.0, 986.115, 900.0, 986.115},
    {"SeaLevelFeet", false, true, "0", 1013.0, 0.0, 1.0, 0.0},
    {"OneAtmosphere", false, false, "1", 1013.0, 0.0, 1.0, 0.0},
    {"Feet3235", false, true, "3235.2455", 900.0, 986.115, 0.888450, 3235.2455},
};

class CouplingTest : public DialogTest, public testing::WithParamInterface<CouplingCase> {};

TEST_P(CouplingTest, EitherFieldSetsBoth) {
    const CouplingCase& c = GetParam();
    auto d = SettingsDialog(c.si, 950.0);
    TypeAndEnter(c.altitudeField ? d->Edit_HoeheNN : d->Edit_Luftdruck, c.typed);
    EXPECT_TRUE(ShownMessages().isEmpty());
    EXPECT_NEAR(d->Pressure, c.pressureMbar, 0.01);
    EXPECT_NEAR(d->Altitude, c.altitudeM, 0.01);
    EXPECT_NEAR(d->Edit_Luftdruck->Value(), c.shownPressure, c.si ? 0.01 : 1e-5);
    EXPECT_NEAR(d->Edit_HoeheNN->Value(), c.shownAltitude, 0.01);
}

INSTANTIATE_TEST_SUITE_P(Dialogs, CouplingTest, testing::ValuesIn(kCoupling),
                         [](const auto& info) { return std::string(info.param.name); });

// Pressure with one decimal (three in atm), altitude in whole metres or feet, with the separator
// in force.
TEST_F(DialogTest, PressureAndAltitudeShownLikeTheRestOfTheProgram) {
    auto d = SettingsDialog(true, 950.0);
    TypeAndEnter(d->Edit_HoeheNN, "0");
    EXPECT_EQ(d->Edit_Luftdruck->text(), "1013.0");
    EXPECT_EQ(d->Edit_HoeheNN->text(), "0");
    d->SetPressure(842.806528);
    EXPECT_EQ(d->Edit_Luftdruck->text(), "842.8");
    EXPECT_EQ(d->Edit_HoeheNN->text(), "1524");
    d->SetUnitSystem(false);
    EXPECT_EQ(d->Edit_Luftdruck->text(), "0.832");
    EXPECT_EQ(d->Edit_HoeheNN->text(), "5000");
    UseSeparators(',', '.');
    d->SetPressure(842.806528);
    EXPECT_EQ(d->Edit_Luftdruck->text(), "0,832");
    UseSeparators('.', ',');
}

struct RangeCase {
    const char* name;
    bool si;
    bool altitudeField;
    const char* typed;
    const char* message;  // empty: accepted
};
// The range message names the unit of the field.
const RangeCase kRanges[] = {
    {"PressureAbove", true, false, "1200", "Please enter a number between 600 and 1100 mbar"},
    {"PressureBelow", true, false, "599", "Please enter a number between 600 and 1100 mbar"},
    {"PressureLowest", true, false, "600", ""},
    {"PressureHighest", true, false, "1100", ""},
    {"AltitudeAbove", true, true, "4201", "Please enter a number between -700 and 4200 m"},
    {"AltitudeBelow", true, true, "-701", "Please enter a number between -700 and 4200 m"},
    {"AltitudeHighest", true, true, "4200", ""},
    {"AtmAbove", false, false, "1.1", "Please enter a number between 0.6 and 1.08 atm"},
    {"AtmBelow", false, false, "0.59", "Please enter a number between 0.6 and 1.08 atm"},
    {"FeetAbove", false, true, "13501", "Please enter a number between -2140 and 13500 ft"},
    {"FeetBelow", false, true, "-2200", "Please enter a number between -2140 and 13500 ft"},
    {"FeetInside", false, true, "13500", ""},
};

class RangeTest : public DialogTest, public testing::WithParamInterface<RangeCase> {};

TEST_P(RangeTest, EntriesOutsideAreRefused) {
    const RangeCase& c = GetParam();
    auto d = SettingsDialog(c.si, 950.0);
    TypeAndEnter(c.altitudeField ? d->Edit_HoeheNN : d->Edit_Luftdruck, c.typed);
    if (*c.message) {
        ASSERT_EQ(ShownMessages().size(), 1);
        EXPECT_EQ(ShownMessages()[0].Text, c.message);
        EXPECT_EQ(ShownMessages()[0].Type, 0);
        EXPECT_DOUBLE_EQ(d->Pressure, 950.0);  // never applied
    } else {
        EXPECT_TRUE(ShownMessages().isEmpty());
        EXPECT_NE(d->Pressure, 950.0);
        // every accepted entry gives an air pressure the program can use
        EXPECT_GE(d->Pressure, 600.0);
        EXPECT_LE(d->Pressure, 1100.0 + 1e-9);
    }
}

INSTANTIATE_TEST_SUITE_P(Dialogs, RangeTest, testing::ValuesIn(kRanges),
                         [](const auto& info) { return std::string(info.param.name); });

// The extreme pressures give shown values just beyond the ranges for typed entries; confirming
// them unchanged is no entry and shows no message.
TEST_F(DialogTest, ComputedValuesAtTheRangeEndsAreNoEntries) {
    for (auto [si, pressure] : {std::pair{true, 600.0}, std::pair{false, 1100.0}, std::pair{false, 600.0}}) {
        auto d = SettingsDialog(si, pressure);
        for (TNumEdit* e : {d->Edit_Luftdruck, d->Edit_HoeheNN}) {
            e->setFocus();
            QTest::keyClick(e, Qt::Key_Return);
        }
        EXPECT_TRUE(ShownMessages().isEmpty()) << "si " << si << ", " << pressure << " mbar";
        EXPECT_DOUBLE_EQ(d->Pressure, pressure);
        ClearMessages();
    }
}

TEST_F(DialogTest, UnitSwitchConvertsBothFields) {
    auto d = SettingsDialog(true, 900.0);
    d->PageControl1->setCurrentWidget(d->Seite_Einheiten);
    QTest::mouseClick(d->RadioButton_US, Qt::LeftButton, {}, QPoint(5, d->RadioButton_US->height() / 2));
    EXPECT_FALSE(d->UnitSI);
    EXPECT_NEAR(d->Edit_Luftdruck->Value(), 0.888450, 1e-6);
    EXPECT_NEAR(d->Edit_HoeheNN->Value(), 3235.25, 0.01);
    EXPECT_EQ(d->Label_mbar->text(), "atm");
    EXPECT_EQ(d->Label_m->text(), "ft");
    EXPECT_DOUBLE_EQ(d->Pressure, 900.0);
    // Back to SI gives the same numbers again, not a rounded round trip.
    QTest::mouseClick(d->RadioButton_SI, Qt::LeftButton, {}, QPoint(5, d->RadioButton_SI->height() / 2));
    EXPECT_TRUE(d->UnitSI);
    EXPECT_EQ(d->Edit_Luftdruck->text(), "900.0");
    EXPECT_NEAR(d->Edit_HoeheNN->Value(), 986.115, 0.001);
    EXPECT_EQ(d->Label_mbar->text(), "mbar");
}

TEST_F(DialogTest, DoubleClickOnAUnitColumnSelectsItsSystem) {
    auto d = SettingsDialog(true, 1013.0);
    d->PageControl1->setCurrentWidget(d->Seite_Einheiten);
    QTableWidget* t = d->Tabelle_Einheiten;
    auto dclick = [t](int col) {
        const QRect r = t->visualRect(t->model()->index(2, col));
        QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, r.center());
        QTest::mouseDClick(t->viewport(), Qt::LeftButton, {}, r.center());
    };
    dclick(2);
    EXPECT_FALSE(d->UnitSI);
    EXPECT_TRUE(d->RadioButton_US->isChecked());
    dclick(0);  // the quantity column changes nothing
    EXPECT_FALSE(d->UnitSI);
    dclick(1);
    EXPECT_TRUE(d->UnitSI);
    EXPECT_TRUE(d->RadioButton_SI->isChecked());
}

// ---- Input modes ------------------------------------------------------------------------------
struct ModeCase {
    int mode;
    int item;
};

TEST_F(DialogTest, ModesAndListItemsCorrespond) {
    TFormOptionen d;
    for (ModeCase c : {ModeCase{3, 2}, ModeCase{1, 1}, ModeCase{0, 0}}) {
        d.SetFlowMode(static_cast<std::uint8_t>(c.mode));
        EXPECT_EQ(d.Combo_Luftmenge->currentIndex(), c.item) << "flow mode " << c.mode;
        d.Combo_Luftmenge->setCurrentIndex(2 - c.item);
        d.Combo_Luftmenge->setCurrentIndex(c.item);
        EXPECT_EQ(d.FlowMode, c.mode) << "flow item " << c.item;
    }
    for (ModeCase c : {ModeCase{7, 2}, ModeCase{1, 1}, ModeCase{0, 0}}) {
        d.SetHumidityMode(static_cast<std::uint8_t>(c.mode));
        EXPECT_EQ(d.Combo_Feuchte->currentIndex(), c.item) << "humidity mode " << c.mode;
        d.Combo_Feuchte->setCurrentIndex(2 - c.item);
        d.Combo_Feuchte->setCurrentIndex(c.item);
        EXPECT_EQ(d.HumidityMode, c.mode) << "humidity item " << c.item;
    }
    EXPECT_EQ(d.Combo_Luftmenge->itemText(2), "Mass flow");
    EXPECT_EQ(d.Combo_Feuchte->itemText(2), "Wet bulb temperature");
}

// ---- Calculation standard ---------------------------------------------------------------------
TEST_F(DialogTest, CalculationStandardRulesTheTwoBoxes) {
    TFormOptionen d;
    d.show();
    d.PageControl1->setCurrentWidget(d.Seite_Prozessdaten);
    EXPECT_FALSE(d.CheckBox_TotalEff->isVisibleTo(&d));  // offered for another product only
    d.RadioButton_PHI_USA->click();
    EXPECT_TRUE(d.CheckBox_TotalEff->isEnabled());
    EXPECT_TRUE(d.CheckBox_TotalEff->isChecked());
    EXPECT_FALSE(d.CheckBox_HCLASS->isEnabled());
    EXPECT_FALSE(d.CheckBox_HCLASS->isChecked());
    d.RadioButton_PHI_Europa->click();
    EXPECT_FALSE(d.CheckBox_TotalEff->isEnabled());
    EXPECT_FALSE(d.CheckBox_TotalEff->isChecked());
    EXPECT_TRUE(d.CheckBox_HCLASS->isEnabled());
    EXPECT_TRUE(d.CheckBox_HCLASS->isChecked());
    // A setting made by the main window counts as a click too.
    d.RadioButton_PHI_USA->setChecked(true);
    EXPECT_FALSE(d.CheckBox_HCLASS->isEnabled());
    EXPECT_TRUE(d.CheckBox_TotalEff->isChecked());
}

// ---- Separators -------------------------------------------------------------------------------
struct SeparatorCase {
    const char* name;
    const char16_t* decimalText;
    const char16_t* thousandText;
    char16_t inForceDecimal, inForceThousand;
    TSeparatorCheck expected;
    char16_t decimal, thousand;  // result on Ok
};
const SeparatorCase kSeparators[] = {
    {"BothGiven", u",", u".", '.', ',', TSeparatorCheck::Ok, ',', '.'},
    {"EmptyKeepsBoth", u"", u"", ',', '.', TSeparatorCheck::Ok, ',', '.'},
    {"EmptyDecimalKeepsIt", u"", u"'", '.', ',', TSeparatorCheck::Ok, '.', '\''},
    {"NoBreakSpaceGroups", u",", u"\u00a0", '.', ',', TSeparatorCheck::Ok, ',', u'\u00a0'},
    {"NoGroupingKept", u",", u"", '.', 0, TSeparatorCheck::Ok, ',', 0},
    {"SameCharacter", u",", u",", '.', ' ', TSeparatorCheck::Same, 0, 0},
    {"EmptyThousandMeetsDecimal", u",", u"", '.', ',', TSeparatorCheck::Same, 0, 0},
    {"DigitAsDecimal", u"5", u",", '.', ',', TSeparatorCheck::UnusableDecimal, 0, 0},
    {"MinusAsDecimal", u"-", u",", '.', ',', TSeparatorCheck::UnusableDecimal, 0, 0},
    {"ExponentAsDecimal", u"e", u",", '.', ',', TSeparatorCheck::UnusableDecimal, 0, 0},
    {"SpaceAsDecimal", u" ", u",", '.', ',', TSeparatorCheck::UnusableDecimal, 0, 0},
    {"DigitAsThousand", u".", u"0", '.', ',', TSeparatorCheck::UnusableThousand, 0, 0},
    {"PlusAsThousand", u".", u"+", '.', ',', TSeparatorCheck::UnusableThousand, 0, 0},
};

class SeparatorTest : public testing::TestWithParam<SeparatorCase> {};

TEST_P(SeparatorTest, FieldsGiveTheSeparators) {
    const SeparatorCase& c = GetParam();
    QChar d(c.inForceDecimal), t(c.inForceThousand);
    EXPECT_EQ(ChooseSeparators(QString::fromUtf16(c.decimalText), QString::fromUtf16(c.thousandText), d, t),
              c.expected);
    if (c.expected == TSeparatorCheck::Ok) {
        EXPECT_EQ(d, QChar(c.decimal));
        EXPECT_EQ(t, QChar(c.thousand));
    } else {  // refused: the separators in force stay
        EXPECT_EQ(d, QChar(c.inForceDecimal));
        EXPECT_EQ(t, QChar(c.inForceThousand));
    }
}

INSTANTIATE_TEST_SUITE_P(Dialogs, SeparatorTest, testing::ValuesIn(kSeparators),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DialogTest, SeparatorFieldsTakeOneUsableCharacter) {
    TFormOptionen d;
    d.show();
    d.PageControl1->setCurrentWidget(d.Seite_Einheiten);
    d.Edit_DecimalSeparator->clear();
    d.Edit_DecimalSeparator->setFocus();
    QTest::keyClicks(d.Edit_DecimalSeparator, "7e-;,");
    EXPECT_EQ(d.Edit_DecimalSeparator->text(), ";");
    d.Edit_ThousandSeparator->clear();
    d.Edit_ThousandSeparator->setFocus();
    QTest::keyClicks(d.Edit_ThousandSeparator, "3+ ");
    EXPECT_EQ(d.Edit_ThousandSeparator->text(), " ");
}

// ---- Texts ------------------------------------------------------------------------------------
TEST_F(DialogTest, SettingsDialogFollowsTheLanguage) {
    TFormOptionen d;
    d.SetFlowMode(3);
    d.SetHumidityMode(7);
    EXPECT_EQ(d.PageControl1->tabText(0), "   Environment   ");
    EXPECT_EQ(d.PageControl1->tabText(1), "   Units / Formats   ");
    EXPECT_EQ(d.PageControl1->tabText(3), "Process data");
    EXPECT_EQ(PlainCaption(d.CheckBox_HCLASS->text()), "Energy efficiency (DIN EN 13053) / Temperature efficiency ErP Lot 6");
    Language = LangGerman;
    ApplyLanguageFonts();
    QEvent change(QEvent::LanguageChange);
    QApplication::sendEvent(&d, &change);
    EXPECT_EQ(d.PageControl1->tabText(0), "   " + LoadText(166, LangGerman) + "   ");
    EXPECT_EQ(d.Label_Luftdruck->text(), LoadText(1, LangGerman));
    EXPECT_EQ(d.Combo_Luftmenge->itemText(2), LoadText(33, LangGerman));
    EXPECT_EQ(d.Tabelle_Einheiten->item(9, 0)->text(), " " + LoadText(2, LangGerman));
    // The lists keep their choices.
    EXPECT_EQ(d.Combo_Luftmenge->currentIndex(), 2);
    EXPECT_EQ(d.Combo_Feuchte->currentIndex(), 2);
    EXPECT_EQ(d.FlowMode, 3);
    EXPECT_EQ(d.HumidityMode, 7);
    EXPECT_EQ(d.Edit_Luftdruck->ErrorMessage, LoadText(105, LangGerman));
}

// Russian page captions only fit without their padding and with narrow tabs; back in English the
// tabs are padded and drawn in the normal style again.
TEST_F(DialogTest, TabsTakeTheirPaddingBackAfterANarrowLanguage) {
    Language = LangRussian;
    ApplyLanguageFonts();
    TFormOptionen d;
    EXPECT_EQ(d.PageControl1->tabText(0), LoadText(166, LangRussian));
    EXPECT_NE(d.PageControl1->tabBar()->style(), QApplication::style());
    Language = LangEnglish;
    ApplyLanguageFonts();
    QEvent change(QEvent::LanguageChange);
    QApplication::sendEvent(&d, &change);
    EXPECT_EQ(d.PageControl1->tabText(0), "   Environment   ");
    EXPECT_EQ(d.PageControl1->tabBar()->style(), QApplication::style());
}

// Every caption of every dialog is whole in every language.
TEST_F(DialogTest, AllCaptionsFitInEveryLanguage) {
    for (int lang : {LangGerman, LangEnglish, LangFrench, LangPolish, LangChinese, LangRussian}) {
        Language = static_cast<std::uint8_t>(lang);
        ApplyLanguageFonts();
        TFormOptionen o;
        o.SetUnitSystem(true);
        o.SetPressure(1013);
        o.show();
        for (int page = 0; page < o.PageControl1->count(); ++page) {
            o.PageControl1->setCurrentIndex(page);
            EXPECT_EQ(CutCaptions(&o).join("\n").toStdString(), "") << "language " << lang << ", page " << page;
        }
        o.PageControl1->setCurrentWidget(o.Seite_Einheiten);
        for (int r = 0; r < 12; ++r) {
            const QString text = o.Tabelle_Einheiten->item(r, 0)->text();
            EXPECT_LE(QFontMetrics(o.Tabelle_Einheiten->font()).horizontalAdvance(text) + 4,
                      o.Tabelle_Einheiten->columnWidth(0))
                << "language " << lang << ": " << text.toStdString();
        }
        TFormAngebot a;
        a.Button_VorgabeClick();
        a.show();
        EXPECT_EQ(CutCaptions(&a).join("\n").toStdString(), "") << "language " << lang;
        for (QLineEdit* label : {a.Edit2, a.Edit4, a.Edit6})
            EXPECT_LE(QFontMetrics(a.font()).horizontalAdvance(label->text()) + 6, label->width())
                << "language " << lang << ": " << label->text().toStdString();
        TFormBemerkungen b;
        b.show();
        EXPECT_EQ(CutCaptions(&b).join("\n").toStdString(), "") << "language " << lang;
        TFormPreHeat p;
        p.UnitSI = false;
        p.ApplyTexts();
        p.show();
        EXPECT_EQ(CutCaptions(&p).join("\n").toStdString(), "") << "language " << lang;
        // The fixed explanation wraps within the dialog.
        const QRect need = QFontMetrics(p.Label1->font())
                               .boundingRect(QRect(0, 0, p.Label1->width(), 1000), Qt::TextWordWrap, p.Label1->text());
        EXPECT_LE(need.height(), p.Label1->height());
    }
}

// ---- Header dialog ----------------------------------------------------------------------------
TEST_F(DialogTest, DefaultReplacesOnlyTheThreeLabels) {
    TFormAngebot d;
    d.SetLines({"ignored", "08.12.2026", "Quote", "Q-17", "Job", "Hall 3", "Item", "7"});
    EXPECT_EQ(d.Edit0->text(), "Date:");  // field 0 keeps its own caption
    QTest::mouseClick(d.Button_Vorgabe, Qt::LeftButton);
    EXPECT_EQ(d.Lines(), (QStringList{"Date:", "08.12.2026", "Offer-No.:", "Q-17", "Project:", "Hall 3",
                                      "Position:", "7"}));
}

// ---- Notes dialog -----------------------------------------------------------------------------
TEST_F(DialogTest, NotesCancelKeepsTheListOkStoresThreeLines) {
    QWidget owner;
    QStringList notes{"first", "second"};
    OnNextModal<TFormBemerkungen>([](TFormBemerkungen* d) {
        EXPECT_EQ(d->focusWidget(), d->Bem1);
        EXPECT_EQ(d->Bem1->text(), "first");
        EXPECT_EQ(d->Bem2->text(), "second");
        EXPECT_EQ(d->Bem3->text(), "");
        TypeOnly(d->Bem1, "changed");
        QTest::mouseClick(d->Button_Cancel, Qt::LeftButton);
    });
    EXPECT_FALSE(EditNotes(&owner, notes));
    EXPECT_EQ(notes, (QStringList{"first", "second"}));

    OnNextModal<TFormBemerkungen>([](TFormBemerkungen* d) {
        EXPECT_EQ(d->Bem1->text(), "first");  // the cancelled typing is gone
        TypeOnly(d->Bem3, "third");
        QTest::mouseClick(d->Button_OK, Qt::LeftButton);
    });
    EXPECT_TRUE(EditNotes(&owner, notes));
    EXPECT_EQ(notes, (QStringList{"first", "second", "third"}));
    // One dialog per owner, kept between uses.
    EXPECT_EQ(owner.findChildren<TFormBemerkungen*>().size(), 1);
}

TEST_F(DialogTest, NotesOnAnEmptyListGiveThreeEntries) {
    QWidget owner;
    QStringList notes;
    OnNextModal<TFormBemerkungen>([](TFormBemerkungen* d) {
        for (QLineEdit* e : {d->Bem1, d->Bem2, d->Bem3}) EXPECT_TRUE(e->text().isEmpty());
        QTest::mouseClick(d->Button_OK, Qt::LeftButton);
    });
    EXPECT_TRUE(EditNotes(&owner, notes));
    EXPECT_EQ(notes, (QStringList{"", "", ""}));
}

// ---- Temperature dialog -----------------------------------------------------------------------
// Pre-heated air keeps its humidity ratio: the new relative humidity falls as the temperature rises
// and is 100 % again at the dew point. Reference values from the saturation pressure by hand.
TEST_F(DialogTest, PreHeatStateKeepsTheHumidityRatio) {
    const double P = 1013.0;
    // 2.5 g/kg at 20 degC: vapour pressure P x / (622 + x) = 101300 * 2.5 / 624.5 = 405.5 Pa against
    // a saturation pressure of 2337 Pa, so 17.4 %.
    const TPreHeatState s20 = PreHeatState(20.0, 2.5, P);
    EXPECT_NEAR(s20.RelHum, 17.4, 0.2);
    EXPECT_LT(s20.WetBulb, 20.0);
    EXPECT_GT(s20.WetBulb, 5.0);
    const TPreHeatState s5 = PreHeatState(5.0, 2.5, P);
    EXPECT_GT(s5.RelHum, s20.RelHum);
    EXPECT_LT(s5.WetBulb, s20.WetBulb);
    // Dry air stays dry at any temperature.
    EXPECT_DOUBLE_EQ(PreHeatState(30.0, 0.0, P).RelHum, 0.0);
}

} // namespace
