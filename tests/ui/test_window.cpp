// Main window frame: menus, language switching, settings written at close and on termination
// signals, and captions that fit in every language.
#include <csignal>

#include <QAbstractButton>
#include <QDialog>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QRadioButton>
#include <QTabBar>
#include <QTimer>
#include <QCheckBox>
#include <QLineEdit>

#include "WindowFixture.h"
#include "app/UIniDatei.h"
#include "app/URessourcen.h"
#include "ui/UQvControls.h"

namespace {

QStringList VisibleTexts(QMenu* menu) {
    QStringList t;
    for (QAction* a : menu->actions())
        if (a->isVisible() && !a->isSeparator()) t << PlainCaption(a->text());
    return t;
}

TEST_F(WindowTest, MenusShowTheirItems) {
    EXPECT_EQ(VisibleTexts(w->Menu_Datei), (QStringList{"Open", "Save", "Save as...", "Exit"}));
    EXPECT_EQ(VisibleTexts(w->Menu_Optionen_Sprache),
              (QStringList{"Deutsch", "English", "Francais", "Polski", "Russian", "Chinese"}));
    EXPECT_FALSE(w->Menu_Optionen_Espanol->isEnabled());
    EXPECT_FALSE(w->Menu_Optionen_Czech->isVisible());
    EXPECT_TRUE(w->Menu_Optionen_English->isChecked());
    EXPECT_EQ(VisibleTexts(w->Menu_Edit_Bemerkungen), (QStringList{"Data sheet", "Diagram"}));
    EXPECT_EQ(VisibleTexts(w->Menu_Hilfe), (QStringList{"Info", "Tarvometrix Homepage", "Tarvometrix e-mail"}));
    EXPECT_TRUE(w->Menu_Optionen_UseSeasons->isVisible());
    EXPECT_EQ(PlainCaption(w->Menu_Optionen_UseSeasons->text()), "Heating / Cooling");
    EXPECT_EQ(w->Menu_Calculate->shortcut(), QKeySequence(Qt::Key_F9));
    // Results are not valid at start: data sheet and diagram are off.
    EXPECT_FALSE(w->Menu_Ansicht_Datenblatt->isEnabled());
    EXPECT_FALSE(w->Button_Diagramm->isEnabled());
    EXPECT_EQ(w->L_Titel->text(), "VX - Counterflow Plate Heat Exchanger ");
    EXPECT_EQ(w->L_Titel_S->pos(), w->L_Titel->pos() + QPoint(1, 1));
}

// A subordinate window that counts the language changes it is told about.
class CountingDialog : public QDialog {
public:
    using QDialog::QDialog;
    int changes = 0;

protected:
    void changeEvent(QEvent* e) override {
        if (e->type() == QEvent::LanguageChange) ++changes;
        QDialog::changeEvent(e);
    }
};

TEST_F(WindowTest, LanguageChangeRetextsAtOnceAndIsStoredAtOnce) {
    auto* sub = new CountingDialog(w.get());
    w->Menu_Optionen_Deutsch->trigger();
    EXPECT_EQ(Language, LangGerman);
    EXPECT_EQ(PlainCaption(w->Menu_Datei->title()), LoadText(145, LangGerman));
    EXPECT_EQ(PlainCaption(w->Button_Berechnen->text()), LoadText(155, LangGerman));
    EXPECT_EQ(w->Tabelle_Lufteintritt->Cell(0, 5), LoadText(12, LangGerman));
    EXPECT_EQ(w->Label_Bauform->text(), LoadText(136, LangGerman) + ": VX 30 / 250");
    EXPECT_EQ(w->LB_Zuluft->text(), LoadText(3, LangGerman));
    EXPECT_TRUE(w->Menu_Optionen_Deutsch->isChecked());
    EXPECT_FALSE(w->Menu_Optionen_English->isChecked());
    EXPECT_EQ(sub->changes, 1);
    TIniDatei ini(IniFileName, "#");
    EXPECT_EQ(ini.ReadInteger("Global", "Language", 0), 1);
    // English uses its own stream captions.
    w->Menu_Optionen_English->trigger();
    EXPECT_EQ(w->LB_Zuluft->text(), "Outside air");
    EXPECT_EQ(ini.ReadInteger("GLOBAL", "Language", 0), 2);
    EXPECT_EQ(sub->changes, 2);
}

TEST_F(WindowTest, InputsAndDeviceAreStoredAtCloseAndShownAtNextStart) {
    ShowBothCases();
    Type(w->Winter.Temp11, "-7.5");
    Type(w->Winter.SVol21, "230");
    Type(w->Summer.Temp11, "33");
    Choose(w->Combo_VXTyp, "VX Kombi 80");
    Type(w->Edit_GBreite, "900");
    w->close();
    w.reset();
    TIniDatei ini(IniFileName, "#");
    EXPECT_DOUBLE_EQ(ini.ReadFloat("VX", "Temp11", 0.0), -7.5);
    EXPECT_EQ(ini.ReadInteger("VX", "VXType", 0), 2080);
    EXPECT_TRUE(ini.ReadBool("VX", "Seasons", false));

    w = std::make_unique<TFormVX>();
    EXPECT_EQ(w->Winter.Temp11->text(), "-7.5");
    EXPECT_EQ(w->Winter.SVol21->text(), "230");
    EXPECT_EQ(w->Summer.Temp11->text(), "33.0");
    EXPECT_EQ(w->Combo_VXTyp->currentText(), "VX Kombi 80");
    EXPECT_EQ(w->Edit_GBreite->text(), "900");
    EXPECT_TRUE(w->Selection.Seasons);
    EXPECT_EQ((w->Selection.TwoCases ? 2 : 1), 1);
    EXPECT_FALSE(w->ResultsValid());
}

// The window keeps its size (no maximising), comes back where it was, and a stored place that is
// no longer on a screen is pulled onto the nearest one.
TEST_F(WindowTest, FixedSizeAndPlaceRememberedOnTheScreen) {
    EXPECT_EQ(w->minimumSize(), w->maximumSize());
    EXPECT_FALSE(w->windowFlags() & Qt::WindowMaximizeButtonHint);
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const QPoint place = screen.topLeft() + QPoint(13, 17);
    w->move(place);
    w->close();
    w.reset();
    w = std::make_unique<TFormVX>();
    EXPECT_EQ(w->pos(), place);
    w->move(screen.bottomRight() + QPoint(500, 400));  // a screen that is gone
    w->close();
    w.reset();
    w = std::make_unique<TFormVX>();
    EXPECT_TRUE(screen.contains(w->frameGeometry())) << w->pos().x() << "," << w->pos().y();

    // Two screens side by side: a place on the second stays; one hanging off its right edge moves
    // back onto it; no stored place gives the centre of the primary screen.
    const QList<QRect> two = {QRect(0, 0, 1920, 1040), QRect(1920, 0, 1280, 1000)};
    const QSize frame(648, 540);
    EXPECT_EQ(PlaceOnScreens(frame, QPoint(2000, 100), two), QPoint(2000, 100));
    EXPECT_EQ(PlaceOnScreens(frame, QPoint(2900, 700), two), QPoint(3200 - 648, 1000 - 540));
    EXPECT_EQ(PlaceOnScreens(frame, std::nullopt, two), QPoint(959 - 324, 519 - 270));
}

// The status line names the air pressure in force and its altitude, in the units and language.
TEST_F(WindowTest, StatusLineShowsTheAirPressureInForce) {
    EXPECT_EQ(w->L_Umgebung->text(), "Air pressure: 1013.0 mbar     Altitude: 0 m");
    w->SetAirPressure(842.806528);
    EXPECT_EQ(w->L_Umgebung->text(), "Air pressure: 842.8 mbar     Altitude: 1524 m");
    w->SetUnitSystem(false);
    EXPECT_EQ(w->L_Umgebung->text(), "Air pressure: 0.832 atm     Altitude: 5000 ft");
    w->Menu_Optionen_Deutsch->trigger();
    EXPECT_TRUE(w->L_Umgebung->text().startsWith(LoadText(1, LangGerman) + ": 0.832 atm"));
    w->Menu_Optionen_English->trigger();
}

// Tab walks the window as it reads: the inputs, the device panel, the command buttons.
TEST_F(WindowTest, TabOrderFollowsTheWindow) {
    w->Winter.SVol11->setFocus();
    QStringList walked;
    for (int i = 0; i < 18; ++i) {
        walked << QApplication::focusWidget()->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    const QStringList expected = {"Edit_SVol11", "Edit_Temp11", "Edit_Feuchte11", "Edit_SVol21", "Edit_Temp21",
                                  "Edit_Feuchte21", "Combo_VXSerie", "Combo_VXTyp", "Button_Vorauswahl",
                                  "Edit_GBreite", "Combo_Bypass", "Button_Berechnen",
                                  "Button_Produktbeschreibung"};  // chart and datasheet wait for results
    EXPECT_EQ(walked.mid(0, expected.size()).join(' ').toStdString(), expected.join(' ').toStdString());
}

// A click on a label, a table or the background confirms the field being edited; Alt with a
// letter never types into a number field.
TEST_F(WindowTest, ClickOutsideConfirmsAndAltNeverTypes) {
    TNumEdit* e = w->Winter.SVol11;
    e->setFocus();
    e->selectAll();
    QTest::keyClicks(e, "2500");
    QTest::mouseClick(w->Tabelle_Lufteintritt, Qt::LeftButton);
    EXPECT_FALSE(e->isModified());
    EXPECT_DOUBLE_EQ(w->Selection.AirInput(0, TAirInput::Flow11), 2500.0);
    // A text that is not a number: the click shows the message and the field keeps the focus.
    e->setFocus();
    e->selectAll();
    QTest::keyClicks(e, "abc");
    ClearMessages();
    QTest::mouseClick(w->L_Titel, Qt::LeftButton);
    ASSERT_EQ(ShownMessages().size(), 1);
    EXPECT_TRUE(ShownMessages()[0].Text.startsWith("\"abc\""));
    EXPECT_DOUBLE_EQ(w->Selection.AirInput(0, TAirInput::Flow11), 2500.0);
    QApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), e);

    const QString before = e->text();
    QTest::keyClick(e, Qt::Key_O, Qt::AltModifier);
    QTest::keyClick(e, Qt::Key_X, Qt::AltModifier);
    EXPECT_EQ(e->text(), before);
}

TEST_F(WindowTest, StoredSizeMissingInTheListSelectsTheNextLarger) {
    w.reset();
    {
        TIniDatei ini(IniFileName, "#");
        ini.WriteInteger("GLOBAL", "Version", 201611);
        ini.WriteInteger("VX", "VXType", 366);
    }
    w = std::make_unique<TFormVX>();
    EXPECT_EQ(w->Combo_VXSerie->currentIndex(), 0);
    EXPECT_EQ(w->Combo_VXTyp->currentText(), "VX Kombi 62");
}

TEST_F(WindowTest, TerminationSignalClosesAndSaves) {
    CloseOnTerminationSignals(w.get());
    Type(w->Winter.Temp21, "19.5");
    std::raise(SIGTERM);
    QElapsedTimer t;
    t.start();
    while (w->isVisible() && t.elapsed() < 3000) QApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_FALSE(w->isVisible());
    TIniDatei ini(IniFileName, "#");
    EXPECT_DOUBLE_EQ(ini.ReadFloat("VX", "Temp21", 0.0), 19.5);
    // Ctrl+C in a terminal takes the same path.
    w = std::make_unique<TFormVX>();
    w->show();
    CloseOnTerminationSignals(w.get());
    std::raise(SIGINT);
    t.restart();
    while (w->isVisible() && t.elapsed() < 3000) QApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_FALSE(w->isVisible());
}

// Every caption of the window fits its control in all six languages, with one and two cases.
TEST_F(WindowTest, NoCaptionIsClippedInAnyLanguage) {
    w->Menu_Optionen_UseSeasons->trigger();
    for (int lang : {1, 2, 3, 7, 8, 9}) {
        w->SelectLanguage(lang);
        for (int layout : {1, 2}) {
            w->SetSeasonLayout(static_cast<std::uint8_t>(layout));
            const QString where = QString("language %1 layout %2 ").arg(lang).arg(layout);
            for (QLabel* l : w->findChildren<QLabel*>()) {
                if (!l->isVisible() || l->text().isEmpty() || l->wordWrap()) continue;
                const int need = l->fontMetrics().horizontalAdvance(l->text());
                EXPECT_LE(need, l->contentsRect().width()) << (where + l->objectName() + " " + l->text()).toStdString();
            }
            for (QAbstractButton* b : w->findChildren<QAbstractButton*>()) {
                if (!b->isVisible() || b->text().isEmpty()) continue;
                EXPECT_LE(b->sizeHint().width(), b->width() + 2) << (where + b->objectName() + " " + b->text()).toStdString();
            }
            for (QComboBox* c : w->findChildren<QComboBox*>())
                for (int i = 0; i < c->count(); ++i)
                    EXPECT_LE(c->fontMetrics().horizontalAdvance(c->itemText(i)) + 30, c->width())
                        << (where + c->objectName() + " " + c->itemText(i)).toStdString();
            for (TDatenGrid* g : w->findChildren<TDatenGrid*>()) {
                const QFontMetrics fm(g->font());
                for (int r = 0; r < g->RowCount(); ++r) {
                    QFont f = g->font();
                    if (const QTableWidgetItem* it = g->item(r, 0)) f = it->font();
                    EXPECT_LE(QFontMetrics(f).horizontalAdvance(g->Cell(0, r)) + 2 * TDatenGrid::TextInset,
                              g->columnWidth(0))
                        << (where + g->objectName() + " " + g->Cell(0, r)).toStdString();
                }
            }
            // Value cells: a text wider than its cell may run into the free part of its neighbours
            // (texts are drawn unclipped), never over a neighbour's text.
            w->Calculate();
            for (TDatenGrid* g : w->findChildren<TDatenGrid*>()) {
                const QFontMetrics fm(g->font());
                for (int r = 0; r < g->RowCount(); ++r)
                    for (int c = 1; c < g->ColCount(); ++c) {
                        const auto look = TDatenGrid::LookOf(g->Cell(c, r));
                        if (look.text.isEmpty()) continue;
                        int room = g->columnWidth(c) - 2 * TDatenGrid::TextInset;
                        const int step = look.rightAligned ? -1 : 1;
                        for (int n = c + step; n >= 0 && n < g->ColCount(); n += step) {
                            const auto other = TDatenGrid::LookOf(g->Cell(n, r));
                            if (other.text.isEmpty()) {
                                room += g->columnWidth(n);
                                continue;
                            }
                            // A neighbour aligned away from us leaves its near side free.
                            if (other.rightAligned != look.rightAligned)
                                room += std::max(0, g->columnWidth(n) - 2 * TDatenGrid::TextInset -
                                                        fm.horizontalAdvance(other.text));
                            break;
                        }
                        EXPECT_LE(fm.horizontalAdvance(look.text), room)
                            << (where + g->objectName() + QString(" %1,%2 ").arg(c).arg(r) + look.text).toStdString();
                    }
            }
            // The title stands between the two logos.
            EXPECT_GT(w->L_Titel->x(), w->Image_Logo->geometry().right()) << where.toStdString();
            EXPECT_LT(w->L_Titel->geometry().right(), w->Image_Logo_R->x()) << where.toStdString();
            // Tabs and the type key share one row without overlapping.
            EXPECT_LE(w->PageControl1->tabBar()->sizeHint().width() + w->PageControl1->x(), w->Label_Bauform->x())
                << where.toStdString();
        }
    }
    w->SelectLanguage(LangEnglish);
}

} // namespace

namespace {

// Runs `act` on the modal dialog that the next menu action opens.
template <class F>
void OnNextDialog(F act) {
    QTimer::singleShot(0, [act] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        act(modal);
    });
}

TEST_F(WindowTest, SettingsDialogOkAppliesCancelKeepsEverything) {
    ClickCalculate();
    ASSERT_TRUE(w->ResultsValid());
    // Cancel after changing the unit system in the dialog: nothing changes.
    OnNextDialog([](QWidget* d) {
        d->findChild<QRadioButton*>("RadioButton_US")->click();
        d->findChild<QPushButton*>("Button_Cancel")->click();
    });
    w->Menu_Optionen_Einstellungen->trigger();
    EXPECT_TRUE(w->UnitSystemSI);
    EXPECT_TRUE(w->ResultsValid());
    EXPECT_EQ(w->Winter.Temp11->text(), "-5.0");

    // OK with UK/US units: inputs in the new units, inlet side current, results cleared.
    OnNextDialog([](QWidget* d) {
        d->findChild<QRadioButton*>("RadioButton_US")->click();
        d->findChild<QPushButton*>("Button_OK")->click();
    });
    w->Menu_Optionen_Einstellungen->trigger();
    EXPECT_FALSE(w->UnitSystemSI);
    EXPECT_EQ(w->Winter.Temp11->text(), "23.0");
    EXPECT_EQ(w->Tabelle_Lufteintritt->Cell(5, 5), LoadText(412));
    EXPECT_EQ(w->Tabelle_Lufteintritt->Cell(1, 5), "23.0");
    EXPECT_FALSE(w->Tabelle_w_dp->Cell(1, 0).isEmpty());
    // Another unit system shows the same case: the results stay valid, shown in the new units.
    EXPECT_TRUE(w->ResultsValid());
    EXPECT_FALSE(w->Tabelle_Luftaustritt->Cell(1, 2).isEmpty());
    EXPECT_FALSE(w->Tabelle_Prozessdaten->Cell(1, 0).isEmpty());
}

TEST_F(WindowTest, HeaderAndNotesDialogsFillTheFrameState) {
    OnNextDialog([](QWidget* d) {
        d->findChild<QLineEdit*>("Edit3")->setText("A-17");
        d->findChild<QCheckBox*>("CheckBox_AlsAngebot")->setChecked(true);
        d->findChild<QPushButton*>("Button_OK")->click();
    });
    w->Menu_Edit_Kopfzeile->trigger();
    EXPECT_TRUE(w->Selection.PrintHeader);
    EXPECT_EQ(ToLines(w->Selection.HeaderLines).value(3), "A-17");
    OnNextDialog([](QWidget* d) {
        d->findChild<QLineEdit*>("Bem2")->setText("second line");
        d->findChild<QPushButton*>("Button_OK")->click();
    });
    w->Menu_Edit_Bem_Datenblatt->trigger();
    EXPECT_EQ(ToLines(w->Selection.NotesData), (QStringList{"", "second line", ""}));
    EXPECT_EQ(ToLines(w->Selection.NotesChart), (QStringList{"", "", ""}));
}

} // namespace

namespace {

TEST_F(WindowTest, WindowForAnotherProgramLeavesTheSettingsFileAlone) {
    w.reset();
    RemoveSettingsFile();
    {
        TIniDatei ini(IniFileName, "#");
        ini.WriteInteger("GLOBAL", "Language", 3);
        ini.WriteInteger("GLOBAL", "Version", 201611);
        ini.WriteFloat("VX", "Temp11", -9.0);
    }
    QFile before(SettingsFilePath());
    ASSERT_TRUE(before.open(QIODevice::ReadOnly));
    const QByteArray content = before.readAll();
    before.close();
    {
        TFormVX guest(nullptr, false);
        // It starts from the defaults, not from the user's file.
        EXPECT_EQ(guest.Winter.Temp11->text(), "-5.0");
        guest.SelectLanguage(LangGerman);
        Type(guest.Winter.Temp21, "18");
        guest.close();
    }
    QFile after(SettingsFilePath());
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    EXPECT_EQ(after.readAll(), content);
    Language = LangEnglish;
}

} // namespace
