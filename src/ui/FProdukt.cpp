#include "ui/FProdukt.h"

#include "series/UFrostGrenze.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <cmath>

#include "app/UGlobal.h"
#include "app/URessourcen.h"
#include "print/UPageContext.h"
#include "series/USelectionTables.h"
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
    connect(e, &TNumEditBase::OnCalculate, this, [this, e] { AirEditConfirmed(e); });
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
    connect(Button_Seasons, &QToolButton::clicked, this, [this] { SetSeasonLayout(BothCases() ? 1 : 2); });

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
    Tabelle_Prozessdaten->SetRowCount(FrostLimitRow + 1);  // the process data rows and the frost limit

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
    QList<TDatenVX*> r{WinterRecord};
    if (BothCases()) r << SummerRecord;
    return r;
}

double TFormProdukt::ToDisplay(int q, int si, int us, double v) const {
    return ConvertUnit(q, si, PickUnit(!UnitSystemSI, si, us), v);
}

double TFormProdukt::FromDisplay(int q, int si, int us, double v) const {
    return ConvertUnit(q, PickUnit(!UnitSystemSI, si, us), si, v);
}

// ---- Settings --------------------------------------------------------------------------------
void TFormProdukt::PutInlets(const TInletValues& v, TDatenVX& r) {
    // The stored inlets were typed as standard volumes and relative humidities.
    r.SVol11 = v.SVol11;
    r.Temp11 = v.Temp11;
    r.RelHum11 = v.Humidity11;
    r.SVol21 = v.SVol21;
    r.Temp21 = v.Temp21;
    r.RelHum21 = v.Humidity21;
}

void TFormProdukt::LoadSettings() {
    TFormBasis::LoadSettings();
    if (!Settings) return;
    LoadProductSettings(*Settings, ProductSection, StoredSettings.Product);
    PutInlets(StoredSettings.Product.Winter, Selection.Cases[0]);
    PutInlets(StoredSettings.Product.Summer, Selection.Cases[1]);
}

void TFormProdukt::SaveSettings() {
    TFormBasis::SaveSettings();
    if (!Settings) return;
    auto get = [](const TDatenVX& r) {
        return TInletValues{r.SVol11, r.Temp11, r.RelHum11, r.SVol21, r.Temp21, r.RelHum21};
    };
    StoredSettings.Product.Winter = get(Selection.Cases[0]);
    StoredSettings.Product.Summer = get(Selection.Cases[1]);
    SaveProductSettings(*Settings, ProductSection, StoredSettings.Product);
}

// ---- Inputs ----------------------------------------------------------------------------------
void TFormProdukt::AirEditConfirmed(TNumEdit* e) {
    for (int c = 0; c < 2; ++c) {
        for (const auto& [edit, input] : (c == 0 ? Winter : Summer).Inputs())
            if (edit == e) {
                Selection.SetAirInput(c, input, FromDisplay(input, e->Value()));
                Aenderung_Daten();
                return;
            }
    }
}

void TFormProdukt::Aenderung_Daten() {
    if (m_inCycle) return;
    m_inCycle = true;
    ApplyTemperatureLimits();
    SetResultsValid(false);
    ShowCurrentState();
    m_inCycle = false;
}

void TFormProdukt::Calculate() {
    // A value typed into the focused field and not yet confirmed (F9 does not move the focus)
    // is confirmed first, so the checks see the current inputs.
    if (!ConfirmPendingEdit()) return;
    if (!CheckInputs()) return;
    Selection.Calculate();
    SetResultsValid(Selection.ResultsValid());
}

void TFormProdukt::SetResultsValid(bool valid) {
    m_resultsValid = valid && Selection.ResultsValid();
    ShowCurrentState();
    ShowResultTables();
    ShowHint();
    if (FormMollier && FormMollier->isVisible()) ShowDiagram(false, m_resultsValid);
    for (QWidget* b : {static_cast<QWidget*>(Button_Datenblatt), static_cast<QWidget*>(Button_Diagramm)})
        b->setEnabled(m_resultsValid);
    Menu_Ansicht_Datenblatt->setEnabled(m_resultsValid);
    Menu_Ansicht_Diagramm->setEnabled(m_resultsValid);
    UpdateTitle();
}

void TFormProdukt::ClearResults() { SetResultsValid(false); }

// ---- Display of the inputs -------------------------------------------------------------------
namespace {
struct TAirUnit {
    int Quantity, SI, US;
};
// The quantity and unit codes of an air input in the selection's modes; quantity 12 converts
// nothing (relative humidity).
TAirUnit AirUnit(TAirInput input, const TSelection& s) {
    switch (input) {
        case TAirInput::Flow11:
        case TAirInput::Flow21:
            return s.FlowMode == FlowInputMoistMass ? TAirUnit{QMass, 16, 17} : TAirUnit{QFlow, 1, 2};
        case TAirInput::Temp11:
        case TAirInput::Temp21:
            return {QTemp, 3, 4};
        default:
            if (s.HumidityMode == HumidityInputRatio) return {QHum, 5, 6};
            if (s.HumidityMode == HumidityInputWetBulb) return {QTemp, 3, 4};
            return {12, 0, 0};
    }
}
}  // namespace

double TFormProdukt::ToDisplay(TAirInput input, double v) const {
    const TAirUnit u = AirUnit(input, Selection);
    return u.Quantity == 12 ? v : ToDisplay(u.Quantity, u.SI, u.US, v);
}

double TFormProdukt::FromDisplay(TAirInput input, double v) const {
    const TAirUnit u = AirUnit(input, Selection);
    return u.Quantity == 12 ? v : FromDisplay(u.Quantity, u.SI, u.US, v);
}

void TFormProdukt::ShowAirEdits() {
    for (int c = 0; c < 2; ++c) {
        for (const auto& [edit, input] : (c == 0 ? Winter : Summer).Inputs()) {
            // Flows are shown whole, temperatures and humidities to one decimal; the selection
            // keeps the exact value.
            const double shown = ToDisplay(input, Selection.AirInput(c, input));
            edit->SetValue(edit->Digits == 0 ? std::nearbyint(shown) : Round1(shown));
        }
    }
}

void TFormProdukt::ShowInputs() {
    SetSeasons(Selection.Seasons);
    SetSeasonLayout(Selection.TwoCases ? 2 : 1);
    ShowAirEdits();
    PlaceInputEdits();
}

void TFormProdukt::ShowSelection() {
    ShowInputs();
    Aenderung_Daten();
}

void TFormProdukt::SetHumidityMode(std::uint8_t mode) {
    TFormBasis::SetHumidityMode(mode);
    ShowAirEdits();
    PlaceInputEdits();
}

void TFormProdukt::SetFlowMode(std::uint8_t mode) {
    TFormBasis::SetFlowMode(mode);
    ShowAirEdits();
    PlaceInputEdits();
}

void TFormProdukt::SetUnitSystem(bool si) {
    TFormBasis::SetUnitSystem(si);
    if (!m_created) return;
    ShowAirEdits();
    SetResultsValid(m_resultsValid);
}

void TFormProdukt::SettingsChanged() {
    TFormBasis::SettingsChanged();
    // New separators, modes or calculation standard: everything is shown again from the selection.
    ApplyTemperatureLimits();
    ShowAirEdits();
    SetResultsValid(Selection.ResultsValid());
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
    if (!m_created) return;
    // Showing the summer case asks for a new calculation; hiding it keeps the winter results.
    SetResultsValid(Selection.ResultsValid());
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
    TablesWidth = ClientWidth - TablesLeft - 4 - (DevicePanelWidth() > 0 ? DevicePanelWidth() + 6 : 0);
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
    Edit_Winter->setVisible(Selection.Seasons);
    Edit_Sommer->setVisible(Selection.Seasons && two);
    Panel_Seasons->setVisible(Selection.Seasons);
    Tabelle_Lufteintritt->move(x, y + 13);
    const QRect w1 = CellRect(Tabelle_Lufteintritt, 1, 0), w3 = CellRect(Tabelle_Lufteintritt, 3, 0);
    Edit_Winter->setGeometry(w1.left(), y - 2, w3.right() - w1.left() + 1, 16);
    Panel_Seasons->move(w1.left() - 20, y - 1);
    y = Tabelle_Lufteintritt->geometry().bottom() + 3;
    Tabelle_w_dp->move(x, y);
    y = Tabelle_w_dp->geometry().bottom() + 3;
    PageControl1->setGeometry(x - 2, y, TablesWidth + 6, ClientInnerHeight - 20 - y - 2);
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
    const int flowRow = Selection.FlowMode == FlowInputOperatingVolume ? InletRowOpVolume : Selection.FlowMode == FlowInputMoistMass ? InletRowMass : InletRowStdVolume;
    const int humRow = Selection.HumidityMode == HumidityInputRatio ? InletRowX : Selection.HumidityMode == HumidityInputWetBulb ? InletRowWetBulb : InletRowRelHum;
    auto place = [this](TNumEdit* e, int col, int row) {
        const QRect r = CellRect(Tabelle_Lufteintritt, col, row);
        e->setGeometry(r.adjusted(0, -1, 0, 1));
        e->raise();
    };
    for (int c = 0; c < 2; ++c) {
        const TCaseEdits& e = c == 0 ? Winter : Summer;
        place(e.SVol11, ValueColumn(c, 0), flowRow);
        place(e.SVol21, ValueColumn(c, 1), flowRow);
        place(e.Temp11, ValueColumn(c, 0), InletRowTemp);
        place(e.Temp21, ValueColumn(c, 1), InletRowTemp);
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
    const QString s1 = StreamCaption(0);
    const QString s2 = StreamCaption(1);
    LB_Zuluft->setText(s1);
    LB_Zuluft_S->setText(s1);
    LB_Abluft->setText(s2);
    LB_Abluft_S->setText(s2);

    for (TDatenGrid* g : {Tabelle_Lufteintritt, Tabelle_w_dp, Tabelle_Luftaustritt, Tabelle_Prozessdaten})
        g->setFont(font());
    ShowCurrentState();
    ShowResultTables();
    ShowHint();
}

void TFormProdukt::UpdateUnitLabels() {
    if (!Tabelle_Lufteintritt || !m_created) return;
    ShowCurrentState();
    ShowResultTables();
}

// ---- Tables ----------------------------------------------------------------------------------
void TFormProdukt::FillGrid(TDatenGrid* g, const TTable& table) {
    const int unitColumn = UnitColumn();
    for (int row = 0; row < static_cast<int>(table.size()) && row < g->RowCount(); ++row) {
        const TTableRow& r = table[row];
        QString title = r.TitleTextNo ? Text(r.TitleTextNo) : QString();
        if (r.TitleSuffixTextNo) title += " (" + Text(r.TitleSuffixTextNo) + ")";
        g->SetCell(0, row, title + QString::fromStdString(r.TitleSuffix));
        if (r.TitleBold)
            if (QTableWidgetItem* it = g->item(row, 0)) {
                QFont f = g->font();
                f.setBold(true);
                it->setFont(f);
            }
        for (int col = 1; col < g->ColCount(); ++col)
            if (col % 2 == 1 || col == unitColumn) g->ClearCell(col, row);
        g->SetCell(unitColumn, row, QString::fromStdString(r.Unit));
        for (int c = 0; c < (BothCases() ? 2 : 1); ++c)
            for (int st = 0; st < 2; ++st) {
                const int i = ValueIndex(c, st);
                g->SetCell(ValueColumn(c, st), row,
                           r.ValueTextNo[i] ? Text(r.ValueTextNo[i]) : QString::fromStdString(r.Values[i]));
            }
    }
}

void TFormProdukt::ShowCurrentState() {
    const TSelectionTables t = BuildTables(Selection, UnitSystemSI);
    FillGrid(Tabelle_Lufteintritt, t.Inlet);
    FillGrid(Tabelle_w_dp, t.Velocity);
    ShowBypassResult();
}

void TFormProdukt::ShowResultTables() {
    const TSelectionTables t = BuildTables(Selection, UnitSystemSI);
    FillGrid(Tabelle_Luftaustritt, t.Outlet);
    FillGrid(Tabelle_Prozessdaten, t.Process);
}

// ---- Chart window ----------------------------------------------------------------------------
void TFormProdukt::ShowDiagram(bool modal, bool withProcesses) {
    if (modal && !ConfirmPendingEdit()) return;
    if (!FormMollier) {
        auto* chart = new TFormMollier(this);
        chart->Owner = this;
        FormMollier = chart;
        if (!FormSeite) {
            auto* preview = new TFormSeite(this);
            preview->Owner = this;
            FormSeite = preview;
        }
        chart->Pages = ChartPages;
    }
    auto* chart = static_cast<TFormMollier*>(FormMollier.data());
    std::vector<TProcessLine> lines;
    if (withProcesses) {
        for (TDatenVX* r : ActiveRecords())
            AddProcessLines(*r, r == WinterRecord ? TChartPen::Solid : TChartPen::Dot, lines);
        chart->SetProcessLines(lines);
        chart->RaiseRanges();
    } else {
        const TProcessPoint blank{0, 0, kWhite, kWhite, TChartPen::Clear};
        chart->SetProcessLines({{blank, blank}, {blank, blank}});
    }
    chart->SetChartForm(CarrierChart);
    chart->SetChartUnits(UnitSystemSI);
    chart->SetChartPressure(Selection.Pressure);
    chart->RedrawChart();
    if (modal) {
        chart->exec();
        CarrierChart = chart->CarrierChart;
    }
}
