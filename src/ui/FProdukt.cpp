#include "ui/FProdukt.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <cmath>

#include "app/UGlobal.h"
#include "app/URessourcen.h"
#include "thermo/UUmrechnung.h"
#include "thermo/UZahlformat.h"
#include "ui/DatenGrids.h"
#include "ui/FPreHeat.h"
#include "ui/NumEdit.h"
#include "ui/UQvControls.h"

#include "ui/FMollier.h"
#include "ui/FSeite.h"

namespace {
QString Text(int n) { return LoadText(n); }

// Quantities and unit codes used by the air inputs and tables.
constexpr int QFlow = 1, QTemp = 2, QHum = 3, QDp = 4, QVel = 5, QMass = 8, QEnth = 11;

double Round1(double v) { return std::nearbyint(v * 10.0) / 10.0; }

// Inlet table rows.
constexpr int RowSVol = 1, RowMass = 2, RowHeading = 3, RowOVol = 4, RowTemp = 5, RowRelHum = 6,
              RowX = 7, RowWetBulb = 8, RowEnthalpy = 9;
} // namespace

QString TFormProdukt::Fixed(double v, int decimals) {
    return QString::fromStdString(FormatFixed(v, decimals));
}

TFormProdukt::TFormProdukt(QWidget* parent) : TFormBasis(parent) {
    setObjectName("FormProdukt");
    BuildControls();
    InstallPreHeat(*this);  // "pre-heat" in the context menus of the inlet temperature edits
}

TFormProdukt::~TFormProdukt() = default;

void TFormProdukt::ConnectEdit(TNumEdit* e) {
    e->Digits = 1;
    e->setStyleSheet("QLineEdit { border: 1px solid #7a7a7a; background: white; padding: 0px 1px; }");
    connect(e, &TNumEditBase::OnCalculate, this, [this] { Aenderung_Daten(); });
}

void TFormProdukt::BuildControls() {
    QWidget* c = Client;
    auto makeCaption = [c](const char* name) {
        auto* l = new TQvStaticText(QString(), c);
        l->setObjectName(name);
        l->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
        l->setWordWrap(true);
        return l;
    };
    auto makeCase = [c](const char* name) {
        auto* e = new QLineEdit(c);
        e->setObjectName(name);
        e->setReadOnly(true);
        e->setFocusPolicy(Qt::NoFocus);
        e->setAlignment(Qt::AlignCenter);
        e->setFrame(false);
        QFont f = e->font();
        f.setBold(true);
        e->setFont(f);
        e->setStyleSheet("QLineEdit { background: transparent; }");
        return e;
    };
    Edit_Winter = makeCase("Edit_Winter");
    Edit_Sommer = makeCase("Edit_Sommer");

    Panel_Seasons = new QWidget(c);
    Panel_Seasons->setObjectName("Panel_Seasons");
    Button_Seasons = new QToolButton(Panel_Seasons);
    Button_Seasons->setObjectName("Button_Seasons");
    Button_Seasons->setGeometry(0, 0, 15, 15);
    Button_Seasons->setIconSize(QSize(9, 9));
    Panel_Seasons->resize(15, 15);
    connect(Button_Seasons, &QToolButton::clicked, this, [this] { SetSeasonLayout(SeasonLayout == 1 ? 2 : 1); });

    Tabelle_Lufteintritt = new TDatenGrid(c);
    Tabelle_Lufteintritt->setObjectName("Tabelle_Lufteintritt");
    Tabelle_w_dp = new TDatenGrid(c);
    Tabelle_w_dp->setObjectName("Tabelle_w_dp");

    PageControl1 = new TQvPageControl(c);
    PageControl1->setObjectName("PageControl1");
    TabSheet_Luftaustritt = new TQvTabSheet;
    TabSheet_Luftaustritt->setObjectName("TabSheet_Luftaustritt");
    TabSheet_Prozessdaten = new TQvTabSheet;
    TabSheet_Prozessdaten->setObjectName("TabSheet_Prozessdaten");
    PageControl1->addTab(TabSheet_Luftaustritt, QString());
    PageControl1->addTab(TabSheet_Prozessdaten, QString());
    Tabelle_Luftaustritt = new TDatenGrid(TabSheet_Luftaustritt);
    Tabelle_Luftaustritt->setObjectName("Tabelle_Luftaustritt");
    Tabelle_Prozessdaten = new TDatenGrid(TabSheet_Prozessdaten);
    Tabelle_Prozessdaten->setObjectName("Tabelle_Prozessdaten");
    LB_Hinweis = new QLabel(TabSheet_Luftaustritt);
    LB_Hinweis->setObjectName("LB_Hinweis");
    LB_Hinweis->setAlignment(Qt::AlignCenter);
    QPalette hp = LB_Hinweis->palette();
    hp.setColor(QPalette::WindowText, QColor(0xC0, 0, 0));
    LB_Hinweis->setPalette(hp);

    for (TDatenGrid* g : {Tabelle_Lufteintritt, Tabelle_w_dp, Tabelle_Luftaustritt, Tabelle_Prozessdaten}) {
        g->SetDefaultRowHeight(RowHeight);
        g->TextTop = 1;
        QPalette pal = g->palette();
        pal.setColor(QPalette::Base, palette().color(QPalette::Window));
        g->setPalette(pal);
    }
    Tabelle_Lufteintritt->SetRowCount(10);
    Tabelle_Lufteintritt->setRowHeight(0, 26);  // two lines of stream captions
    Tabelle_w_dp->SetRowCount(3);
    Tabelle_Luftaustritt->SetRowCount(7);
    Tabelle_Luftaustritt->setRowHeight(0, 4);  // row 0 only spaces the table from the tabs
    Tabelle_Prozessdaten->SetRowCount(9);

    LB_Zuluft = makeCaption("LB_Zuluft");
    LB_Abluft = makeCaption("LB_Abluft");
    LB_Zuluft_S = makeCaption("LB_Zuluft_S");
    LB_Abluft_S = makeCaption("LB_Abluft_S");

    auto makeEdits = [this, c](TCaseEdits& e, const QString& suffix) {
        auto make = [&](const QString& name) {
            auto* ed = new TNumEdit(c);
            ed->setObjectName(name + suffix);
            ConnectEdit(ed);
            return ed;
        };
        e.SVol11 = make("Edit_SVol11");
        e.SVol21 = make("Edit_SVol21");
        e.Temp11 = make("Edit_Temp11");
        e.Temp21 = make("Edit_Temp21");
        e.Feuchte11 = make("Edit_Feuchte11");
        e.Feuchte21 = make("Edit_Feuchte21");
        e.SVol11->Digits = e.SVol21->Digits = 0;
    };
    makeEdits(Winter, QString());
    makeEdits(Summer, "_S");
    // Tab order follows the columns: stream 1 top to bottom, then stream 2, then the summer case.
    QWidget* prev = nullptr;
    for (TCaseEdits* ce : {&Winter, &Summer})
        for (TNumEdit* e : {ce->SVol11, ce->Temp11, ce->Feuchte11, ce->SVol21, ce->Temp21, ce->Feuchte21}) {
            if (prev) setTabOrder(prev, e);
            prev = e;
        }

    auto makeButton = [c](const char* name) {
        auto* b = new QPushButton(c);
        b->setObjectName(name);
        b->setAutoDefault(false);
        return b;
    };
    Button_Vorauswahl = makeButton("Button_Vorauswahl");
    Button_Berechnen = makeButton("Button_Berechnen");
    Button_Diagramm = makeButton("Button_Diagramm");
    Button_Datenblatt = makeButton("Button_Datenblatt");
    Button_Produktbeschreibung = makeButton("Button_Produktbeschreibung");
    Button_Preise = makeButton("Button_Preise");
    QFont bf = Button_Berechnen->font();
    bf.setBold(true);
    Button_Berechnen->setFont(bf);
    connect(Button_Berechnen, &QPushButton::clicked, this, [this] { Calculate(); });
    connect(Button_Diagramm, &QPushButton::clicked, this, [this] { ShowDiagram(true, true); });
    connect(Button_Datenblatt, &QPushButton::clicked, this, [this] { ShowDatasheet(); });
    connect(Button_Produktbeschreibung, &QPushButton::clicked, this, [this] { ShowProductDescription(); });
}

void TFormProdukt::CreateProdukt() {
    Button_Seasons->setIcon(QIcon(QPixmap::fromImage(LoadBitmap(QString("BUTTON_SHOW")))));
    Button_Preise->setVisible(PricesEnabled);
    PageControl1->setCurrentIndex(0);
    CreateFrame();
    ShowInputs();
    SetResultsValid(false);
    m_created = true;
}

QList<TDatenVX*> TFormProdukt::ActiveRecords() const {
    QList<TDatenVX*> r{WinterRecord.get()};
    if (BothCases()) r << SummerRecord.get();
    return r;
}

double TFormProdukt::ToDisplay(int q, int si, int us, double v) const {
    return ConvertUnit(q, si, PickUnit(!UnitSystemSI, si, us), v);
}

double TFormProdukt::FromDisplay(int q, int si, int us, double v) const {
    return ConvertUnit(q, PickUnit(!UnitSystemSI, si, us), si, v);
}

// ---- Settings --------------------------------------------------------------------------------
void TFormProdukt::LoadSettings() {
    TFormBasis::LoadSettings();
    if (!Settings) return;
    LoadProductSettings(*Settings, ProductSection, StoredSettings.Product);
    auto put = [](TDatenVX& r, const TInletValues& v) {
        r.SVol11 = v.SVol11;
        r.Temp11 = v.Temp11;
        r.RelHum11 = v.Humidity11;
        r.SVol21 = v.SVol21;
        r.Temp21 = v.Temp21;
        r.RelHum21 = v.Humidity21;
    };
    put(*WinterRecord, StoredSettings.Product.Winter);
    put(*SummerRecord, StoredSettings.Product.Summer);
}

void TFormProdukt::SaveSettings() {
    TFormBasis::SaveSettings();
    if (!Settings) return;
    auto get = [](const TDatenVX& r) {
        return TInletValues{r.SVol11, r.Temp11, r.RelHum11, r.SVol21, r.Temp21, r.RelHum21};
    };
    StoredSettings.Product.Winter = get(*WinterRecord);
    StoredSettings.Product.Summer = get(*SummerRecord);
    SaveProductSettings(*Settings, ProductSection, StoredSettings.Product);
}

// ---- Inputs ----------------------------------------------------------------------------------
void TFormProdukt::ReadInputs() {
    ReadAirInputs();
    ReadDeviceInputs();
}

void TFormProdukt::ReadAirInputs() {
    auto read = [this](TDatenVX& r, const TCaseEdits& e) {
        r.HumidityMode = HumidityMode;
        r.FlowMode = FlowMode;
        r.Pressure = AirPressure;
        r.FlowAtOutlet = VolumeReference;
        const double f1 = e.SVol11->Value(), f2 = e.SVol21->Value();
        switch (FlowMode) {
        case 1:
            r.OVol11 = FromDisplay(QFlow, 1, 2, f1);
            r.OVol21 = FromDisplay(QFlow, 1, 2, f2);
            break;
        case 3:
            r.MassMoist11 = FromDisplay(QMass, 16, 17, f1);
            r.MassMoist21 = FromDisplay(QMass, 16, 17, f2);
            break;
        default:
            r.SVol11 = FromDisplay(QFlow, 1, 2, f1);
            r.SVol21 = FromDisplay(QFlow, 1, 2, f2);
        }
        r.Temp11 = FromDisplay(QTemp, 3, 4, e.Temp11->Value());
        r.Temp21 = FromDisplay(QTemp, 3, 4, e.Temp21->Value());
        const double h1 = e.Feuchte11->Value(), h2 = e.Feuchte21->Value();
        switch (HumidityMode) {
        case 1:
            r.X11 = FromDisplay(QHum, 5, 6, h1);
            r.X21 = FromDisplay(QHum, 5, 6, h2);
            break;
        case 7:
            r.WetBulb11 = FromDisplay(QTemp, 3, 4, h1);
            r.WetBulb21 = FromDisplay(QTemp, 3, 4, h2);
            break;
        default:
            r.RelHum11 = h1;
            r.RelHum21 = h2;
        }
    };
    read(*WinterRecord, Winter);
    read(*SummerRecord, Summer);
}

void TFormProdukt::Aenderung_Daten() {
    if (m_inCycle) return;
    m_inCycle = true;
    SetResultsValid(false);
    ReadInputs();
    ApplyTemperatureLimits();
    WinterRecord->Refresh();
    if (BothCases()) SummerRecord->Refresh();
    ShowCurrentState();
    m_inCycle = false;
}

void TFormProdukt::Calculate() {
    // A value typed into the focused field and not yet confirmed (F9 does not move the focus)
    // is confirmed first, so the checks see the current inputs.
    if (auto* e = qobject_cast<TNumEditBase*>(QApplication::focusWidget()); e && e->isModified()) {
        if (!e->ConfirmPending()) return;
    }
    if (!CheckInputs()) return;
    SetResultsValid(false);
    ReadInputs();
    try {
        for (TDatenVX* r : ActiveRecords()) {
            r->Calculate();
            r->EvaluateEnergyEfficiency();
        }
    } catch (...) {
        // the records keep what they computed; the results are shown as they stand
    }
    SetResultsValid(true);
    ShowCurrentState();
}

void TFormProdukt::SetResultsValid(bool valid) {
    m_resultsValid = valid;
    if (valid) {
        ShowCurrentState();
        ShowOutletTable();
        ShowHint();
        ShowProcessData();
        if (FormMollier && FormMollier->isVisible()) ShowDiagram(false, true);
    } else {
        ClearResults();
    }
    for (QWidget* b : {static_cast<QWidget*>(Button_Datenblatt), static_cast<QWidget*>(Button_Diagramm)})
        b->setEnabled(valid);
    Menu_Ansicht_Datenblatt->setEnabled(valid);
    Menu_Ansicht_Diagramm->setEnabled(valid);
}

void TFormProdukt::ClearValueCells(TDatenGrid* g) {
    // With one case, column 5 holds the units.
    const QList<int> cols = BothCases() ? QList<int>{1, 3, 5, 7} : QList<int>{1, 3};
    for (int row = 0; row < g->RowCount(); ++row)
        for (int col : cols) g->ClearCell(col, row);
}

void TFormProdukt::ClearResults() {
    ClearValueCells(Tabelle_Luftaustritt);
    ClearValueCells(Tabelle_Prozessdaten);
    if (FormMollier && FormMollier->isVisible()) ShowDiagram(false, false);
    LB_Hinweis->clear();
}

// ---- Display of the inputs -------------------------------------------------------------------
void TFormProdukt::ShowTemperatureEdits() {
    auto show = [this](const TDatenVX& r, const TCaseEdits& e) {
        e.Temp11->SetValue(Round1(ToDisplay(QTemp, 3, 4, r.Temp11)));
        e.Temp21->SetValue(Round1(ToDisplay(QTemp, 3, 4, r.Temp21)));
    };
    show(*WinterRecord, Winter);
    show(*SummerRecord, Summer);
}

void TFormProdukt::ShowFlowEdits() {
    auto show = [this](const TDatenVX& r, const TCaseEdits& e) {
        double v1 = r.SVol11, v2 = r.SVol21;
        int q = QFlow, si = 1, us = 2;
        if (FlowMode == 1) {
            v1 = r.OVol11;
            v2 = r.OVol21;
        } else if (FlowMode == 3) {
            v1 = r.MassMoist11;
            v2 = r.MassMoist21;
            q = QMass, si = 16, us = 17;
        }
        e.SVol11->SetValue(std::nearbyint(ToDisplay(q, si, us, v1)));
        e.SVol21->SetValue(std::nearbyint(ToDisplay(q, si, us, v2)));
    };
    show(*WinterRecord, Winter);
    show(*SummerRecord, Summer);
}

void TFormProdukt::ShowHumidityEdits() {
    auto show = [this](const TDatenVX& r, const TCaseEdits& e) {
        double h1 = r.RelHum11, h2 = r.RelHum21;
        if (HumidityMode == 1) {
            h1 = ToDisplay(QHum, 5, 6, r.X11);
            h2 = ToDisplay(QHum, 5, 6, r.X21);
        } else if (HumidityMode == 7) {
            h1 = ToDisplay(QTemp, 3, 4, r.WetBulb11);
            h2 = ToDisplay(QTemp, 3, 4, r.WetBulb21);
        }
        e.Feuchte11->SetValue(Round1(h1));
        e.Feuchte21->SetValue(Round1(h2));
    };
    show(*WinterRecord, Winter);
    show(*SummerRecord, Summer);
}

void TFormProdukt::ShowInputs() {
    for (TDatenVX* r : {WinterRecord.get(), SummerRecord.get()}) {
        const auto hm = r->HumidityMode, fm = r->FlowMode;
        r->HumidityMode = 0;
        r->FlowMode = 0;
        r->Refresh();
        r->HumidityMode = hm;
        r->FlowMode = fm;
    }
    ShowTemperatureEdits();
    SetAirPressure(WinterRecord->Pressure);
    SetHumidityMode(WinterRecord->HumidityMode);
    SetFlowMode(WinterRecord->FlowMode);
}

void TFormProdukt::SetHumidityMode(std::uint8_t mode) {
    TFormBasis::SetHumidityMode(mode);
    ShowHumidityEdits();
    PlaceInputEdits();
}

void TFormProdukt::SetFlowMode(std::uint8_t mode) {
    TFormBasis::SetFlowMode(mode);
    ShowFlowEdits();
    PlaceInputEdits();
}

void TFormProdukt::SetUnitSystem(bool si) {
    TFormBasis::SetUnitSystem(si);
    if (!WinterRecord) return;
    // The flow edits show the quantity of the current flow mode (not always the standard volume).
    ShowFlowEdits();
    ShowTemperatureEdits();
    ShowHumidityEdits();
    if (!m_created) return;
    ShowCurrentState();
    SetResultsValid(m_resultsValid);
}

void TFormProdukt::SettingsChanged() {
    TFormBasis::SettingsChanged();
    // Re-enter every value so the new separators and formats apply.
    for (TCaseEdits* ce : {&Winter, &Summer}) {
        if (ce == &Summer && !BothCases()) break;
        for (TNumEdit* e : ce->All()) e->SetValue(e->Value());
    }
    Aenderung_Daten();
}

void TFormProdukt::SetSeasons(bool on) {
    TFormBasis::SetSeasons(on);
    if (!on) SetSeasonLayout(1);
    LayoutTables();
}

void TFormProdukt::SetSeasonLayout(std::uint8_t mode) {
    TFormBasis::SetSeasonLayout(mode);
    try {
        Button_Seasons->setIcon(QIcon(QPixmap::fromImage(
            LoadBitmap(QString(mode == 2 ? "BUTTON_HIDE" : "BUTTON_SHOW")))));
    } catch (...) {
        Button_Seasons->setText(mode == 2 ? "-" : "+");
    }
    LayoutTables();
    UpdateUnitLabels();
    if (!m_created) return;
    if (mode == 2) Aenderung_Daten();
    else if (m_resultsValid) ShowHint();
}

// ---- Layout ----------------------------------------------------------------------------------
QRect TFormProdukt::CellRect(TDatenGrid* g, int col, int row) const {
    const QPoint origin = g->mapTo(Client, QPoint(0, 0));
    int x = origin.x(), y = origin.y();
    for (int c = 0; c < col; ++c) x += g->columnWidth(c);
    for (int r = 0; r < row; ++r) y += g->rowHeight(r);
    return QRect(x, y, g->columnWidth(col), g->rowHeight(row));
}

void TFormProdukt::LayoutTables() {
    const bool two = BothCases();
    const int n = two ? 4 : 2, gap = 3, unitW = 42;
    TablesWidth = 632 - TablesLeft - 4 - (DevicePanelWidth() > 0 ? DevicePanelWidth() + 6 : 0);
    // The title column takes what its longest title needs; the value columns share the rest.
    int titleNeed = 0;
    for (TDatenGrid* g : {Tabelle_Lufteintritt, Tabelle_w_dp, Tabelle_Luftaustritt, Tabelle_Prozessdaten}) {
        const QFontMetrics fm(g->font());
        for (int r = 0; r < g->RowCount(); ++r) {
            QFont f = g->font();
            if (const QTableWidgetItem* it = g->item(r, 0)) f = it->font();
            titleNeed = std::max(titleNeed, QFontMetrics(f).horizontalAdvance(g->Cell(0, r)) + 8);
        }
    }
    const int valueW = std::clamp((TablesWidth - unitW - titleNeed) / n - gap, 50, two ? 66 : 80);
    const int cols = two ? 10 : 6;
    const int titleW = TablesWidth - n * (valueW + gap) - unitW;
    QList<int> widths{titleW};
    for (int i = 0; i < (two ? 4 : 2); ++i) widths << valueW << gap;
    widths << unitW;
    for (TDatenGrid* g : {Tabelle_Lufteintritt, Tabelle_w_dp, Tabelle_Luftaustritt, Tabelle_Prozessdaten}) {
        g->SetColCount(cols);
        g->SetColWidths(widths);
        g->setFixedSize(g->GridWidth(), g->GridHeight());
    }
    const int x = TablesLeft;
    int y = 3;
    Edit_Winter->setVisible(Seasons);
    Edit_Sommer->setVisible(Seasons && two);
    Panel_Seasons->setVisible(Seasons);
    Tabelle_Lufteintritt->move(x, y + 13);
    const QRect w1 = CellRect(Tabelle_Lufteintritt, 1, 0), w3 = CellRect(Tabelle_Lufteintritt, 3, 0);
    Edit_Winter->setGeometry(w1.left(), y - 2, w3.right() - w1.left() + 1, 16);
    Panel_Seasons->move(w1.left() - 20, y - 1);
    y = Tabelle_Lufteintritt->geometry().bottom() + 3;
    Tabelle_w_dp->move(x, y);
    y = Tabelle_w_dp->geometry().bottom() + 3;
    PageControl1->setGeometry(x - 2, y, TablesWidth + 6, 434 - 20 - y - 2);
    Tabelle_Luftaustritt->move(2, 2);
    Tabelle_Prozessdaten->move(2, 2);
    LB_Hinweis->setGeometry(0, Tabelle_Luftaustritt->geometry().bottom() + 4, 0, RowHeight);

    // Stream captions over the value columns of row 0.
    auto place = [this](QWidget* w, int col) {
        const QRect r = CellRect(Tabelle_Lufteintritt, col, 0);
        w->setGeometry(r.left() - 1, r.top(), r.width() + 2, r.height() - 1);
    };
    place(LB_Zuluft, 1);
    place(LB_Abluft, 3);
    LB_Zuluft_S->setVisible(two);
    LB_Abluft_S->setVisible(two);
    for (TNumEdit* e : Summer.All()) e->setVisible(two);
    if (two) {
        place(LB_Zuluft_S, 5);
        place(LB_Abluft_S, 7);
        const QRect s1 = CellRect(Tabelle_Lufteintritt, 5, 0), s3 = CellRect(Tabelle_Lufteintritt, 7, 0);
        Edit_Sommer->setGeometry(s1.left(), 2, s3.right() - s1.left() + 1, 16);
    }
    PlaceInputEdits();
}

void TFormProdukt::PlaceInputEdits() {
    const int flowRow = FlowMode == 1 ? RowOVol : FlowMode == 3 ? RowMass : RowSVol;
    const int humRow = HumidityMode == 1 ? RowX : HumidityMode == 7 ? RowWetBulb : RowRelHum;
    auto place = [this](TNumEdit* e, int col, int row) {
        const QRect r = CellRect(Tabelle_Lufteintritt, col, row);
        e->setGeometry(r.adjusted(0, -1, 0, 1));
        e->raise();
    };
    for (int c = 0; c < 2; ++c) {
        const TCaseEdits& e = c == 0 ? Winter : Summer;
        place(e.SVol11, ValueColumn(c, 0), flowRow);
        place(e.SVol21, ValueColumn(c, 1), flowRow);
        place(e.Temp11, ValueColumn(c, 0), RowTemp);
        place(e.Temp21, ValueColumn(c, 1), RowTemp);
        place(e.Feuchte11, ValueColumn(c, 0), humRow);
        place(e.Feuchte21, ValueColumn(c, 1), humRow);
    }
}

// ---- Texts -----------------------------------------------------------------------------------
void TFormProdukt::ApplyTexts() {
    TFormBasis::ApplyTexts();
    PageControl1->setTabText(0, Text(10));
    PageControl1->setTabText(1, Text(11));
    Button_Vorauswahl->setText(Text(192));
    Button_Berechnen->setText(Text(155));
    Button_Diagramm->setText(Text(156));
    Button_Datenblatt->setText(Text(159));
    Button_Produktbeschreibung->setText(Text(160));
    Button_Preise->setText(Text(360));
    Edit_Winter->setText(Text(272));
    Edit_Sommer->setText(Text(273));
    const bool english = Language == LangEnglish;
    const QString s1 = english ? QString("Outside air") : Text(3);
    const QString s2 = english ? QString("Return air") : Text(4);
    LB_Zuluft->setText(s1);
    LB_Zuluft_S->setText(s1);
    LB_Abluft->setText(s2);
    LB_Abluft_S->setText(s2);

    TDatenGrid* in = Tabelle_Lufteintritt;
    const int titles[] = {0, 16, 33, 9, 17, 12, 13, 14, 51, 25};
    for (int r = 0; r < 10; ++r) in->SetCell(0, r, titles[r] ? Text(titles[r]) : QString());
    Tabelle_w_dp->SetCell(0, 0, Text(49));
    Tabelle_w_dp->SetCell(0, 1, Text(22));
    Tabelle_w_dp->SetCell(0, 2, Text(22) + " (" + Text(24) + ")");
    const int outTitles[] = {0, 17, 12, 13, 14, 51, 25};
    for (int r = 0; r < 7; ++r) Tabelle_Luftaustritt->SetCell(0, r, outTitles[r] ? Text(outTitles[r]) : QString());
    // Heading row of the inlet table in bold.
    if (QTableWidgetItem* it = in->item(RowHeading, 0)) {
        QFont f = in->font();
        f.setBold(true);
        it->setFont(f);
    }
    for (TDatenGrid* g : {Tabelle_Lufteintritt, Tabelle_w_dp, Tabelle_Luftaustritt, Tabelle_Prozessdaten})
        g->setFont(font());
}

void TFormProdukt::UpdateUnitLabels() {
    if (!Tabelle_Lufteintritt) return;
    const bool si = UnitSystemSI;
    const int uc = UnitColumn();
    for (TDatenGrid* g : {Tabelle_Lufteintritt, Tabelle_w_dp, Tabelle_Luftaustritt, Tabelle_Prozessdaten})
        for (int r = 0; r < g->RowCount(); ++r) {
            g->ClearCell(5, r);
            g->ClearCell(9, r);
        }
    const QString degC = Text(411), degF = Text(412);
    const QString temp = si ? degC : degF;
    const QString hum = si ? "g/kg" : "gr/lb";
    const QString enth = si ? "kJ/kg" : "BTU/lb";
    TDatenGrid* in = Tabelle_Lufteintritt;
    in->SetCell(uc, RowSVol, si ? Text(410) : "scfm");
    in->SetCell(uc, RowMass, si ? "kg/h" : "lb/h");
    in->SetCell(uc, RowOVol, si ? Text(410) : "acfm");
    in->SetCell(uc, RowTemp, temp);
    in->SetCell(uc, RowRelHum, "%");
    in->SetCell(uc, RowX, hum);
    in->SetCell(uc, RowWetBulb, temp);
    in->SetCell(uc, RowEnthalpy, enth);
    Tabelle_w_dp->SetCell(uc, 0, si ? "m/s" : "fpm");
    Tabelle_w_dp->SetCell(uc, 1, si ? "Pa" : "in.WG");
    Tabelle_w_dp->SetCell(uc, 2, si ? "Pa" : "in.WG");
    TDatenGrid* out = Tabelle_Luftaustritt;
    out->SetCell(uc, 1, si ? Text(410) : "acfm");
    out->SetCell(uc, 2, temp);
    out->SetCell(uc, 3, "%");
    out->SetCell(uc, 4, hum);
    out->SetCell(uc, 5, temp);
    out->SetCell(uc, 6, enth);
}

// ---- Tables ----------------------------------------------------------------------------------
void TFormProdukt::ShowCurrentState() {
    ShowInletTable();
    ShowVelocityTable();
    ShowBypassResult();
}

void TFormProdukt::ShowInletTable() {
    TDatenGrid* g = Tabelle_Lufteintritt;
    const bool si = UnitSystemSI;
    for (int c = 0; c < 2; ++c) {
        const TDatenVX& r = c == 0 ? *WinterRecord : *SummerRecord;
        const bool shown = c == 0 || BothCases();
        struct P {
            double SVol, Mass, OVol, Temp, RelHum, X, WetBulb, Enthalpy;
        };
        const P pts[2] = {{r.SVol11, r.MassMoist11, r.OVol11, r.Temp11, r.RelHum11, r.X11, r.WetBulb11, r.Enthalpy11},
                          {r.SVol21, r.MassMoist21, r.OVol21, r.Temp21, r.RelHum21, r.X21, r.WetBulb21, r.Enthalpy21}};
        for (int s = 0; s < 2; ++s) {
            const int col = ValueColumn(c, s);
            if (!shown) continue;
            const P& p = pts[s];
            g->SetCell(col, RowSVol, Fixed(ToDisplay(QFlow, 1, 2, p.SVol), 0));
            g->SetCell(col, RowMass, Fixed(ToDisplay(QMass, 16, 17, p.Mass), 0));
            g->SetCell(col, RowOVol, Fixed(ToDisplay(QFlow, 1, 2, p.OVol), 0));
            g->SetCell(col, RowTemp, Fixed(ToDisplay(QTemp, 3, 4, p.Temp), 1));
            g->SetCell(col, RowRelHum, Fixed(p.RelHum, 1));
            g->SetCell(col, RowX, Fixed(ToDisplay(QHum, 5, 6, p.X), si ? 2 : 1));
            g->SetCell(col, RowWetBulb, Fixed(ToDisplay(QTemp, 3, 4, p.WetBulb), 1));
            g->SetCell(col, RowEnthalpy, Fixed(ToDisplay(QEnth, 24, 25, p.Enthalpy), 1));
        }
    }
}

void TFormProdukt::ShowVelocityTable() {
    TDatenGrid* g = Tabelle_w_dp;
    const bool si = UnitSystemSI;
    const int dpRec = RecommendedDp();
    const double dpLimit = std::nearbyint(1.5 * dpRec);
    for (int c = 0; c < 2; ++c) {
        const TDatenVX& r = c == 0 ? *WinterRecord : *SummerRecord;
        const double vel[2] = {r.FaceVelocity1, r.FaceVelocity2};
        const double dp[2] = {r.PressureDrop1, r.PressureDrop2};
        const double dps[2] = {r.PressureDropStd1, r.PressureDropStd2};
        for (int s = 0; s < 2; ++s) {
            const int col = ValueColumn(c, s);
            if (c == 1 && !BothCases()) continue;
            g->SetCell(col, 0, Fixed(ToDisplay(QVel, 9, 10, vel[s]), si ? 2 : 0));
            // A pressure drop far beyond the recommended maximum is not shown.
            auto dpText = [&](double v) {
                return dpRec > 0 && v > dpLimit ? QString() : Fixed(ToDisplay(QDp, 7, 8, v), si ? 0 : 2);
            };
            g->SetCell(col, 1, dpText(dp[s]));
            g->SetCell(col, 2, dpText(dps[s]));
        }
    }
}

void TFormProdukt::ShowOutletTable() {
    TDatenGrid* g = Tabelle_Luftaustritt;
    const bool si = UnitSystemSI;
    for (int c = 0; c < 2; ++c) {
        if (c == 1 && !BothCases()) break;
        const TDatenVX& r = c == 0 ? *WinterRecord : *SummerRecord;
        struct P {
            double OVol, Temp, RelHum, X, WetBulb, Enthalpy;
        };
        const P pts[2] = {{r.OVol12, r.Temp12, r.RelHum12, r.X12, r.WetBulb12, r.Enthalpy12},
                          {r.OVol22, r.Temp22, r.RelHum22, r.X22, r.WetBulb22, r.Enthalpy22}};
        for (int s = 0; s < 2; ++s) {
            const int col = ValueColumn(c, s);
            const P& p = pts[s];
            g->SetCell(col, 1, Fixed(ToDisplay(QFlow, 1, 2, p.OVol), 0));
            g->SetCell(col, 2, Fixed(ToDisplay(QTemp, 3, 4, p.Temp), 1));
            g->SetCell(col, 3, Fixed(p.RelHum, 1));
            g->SetCell(col, 4, Fixed(ToDisplay(QHum, 5, 6, p.X), si ? 2 : 1));
            g->SetCell(col, 5, Fixed(ToDisplay(QTemp, 3, 4, p.WetBulb), 1));
            g->SetCell(col, 6, Fixed(ToDisplay(QEnth, 24, 25, p.Enthalpy), 1));
        }
    }
}

// ---- Chart window ----------------------------------------------------------------------------
void TFormProdukt::ShowDiagram(bool modal, bool withProcesses) {
    if (!FormMollier) {
        auto* chart = new TFormMollier(this);
        chart->Owner = this;
        FormMollier = chart;
        if (!FormSeite) {
            auto* preview = new TFormSeite(this);
            preview->Owner = this;
            preview->OnEditNotes = [this] { EditNotesChart(); };
            FormSeite = preview;
        }
        chart->Pages = ChartPages;
    }
    auto* chart = static_cast<TFormMollier*>(FormMollier.data());
    std::vector<TProcessLine> lines;
    if (withProcesses) {
        for (TDatenVX* r : ActiveRecords())
            AddProcessLines(*r, r == WinterRecord.get() ? TChartPen::Solid : TChartPen::Dot, lines);
        chart->SetProcessLines(lines);
        chart->RaiseRanges();
    } else {
        const TProcessPoint blank{0, 0, kWhite, kWhite, TChartPen::Clear};
        chart->SetProcessLines({{blank, blank}, {blank, blank}});
    }
    chart->SetChartForm(CarrierChart);
    chart->SetChartUnits(UnitSystemSI);
    chart->SetChartPressure(AirPressure);
    chart->RedrawChart();
    if (modal) {
        chart->exec();
        CarrierChart = chart->CarrierChart;
    }
}
