#include "ui/FVX.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTemporaryDir>
#include <cmath>

#include "app/UGlobal.h"
#include "app/UIniDatei.h"
#include "app/URessourcen.h"
#include "series/UFrostGrenze.h"
#include "series/UVXAuswertung.h"
#include "thermo/UUmrechnung.h"
#include "thermo/UZahlformat.h"
#include "ui/DatenGrids.h"
#include "ui/NumEdit.h"
#include "ui/UQvControls.h"
#include "ui/UQvMessage.h"

#include "ui/FMollier.h"
#include "print/UBeschreibung.h"
#include "print/UDatenblatt.h"

#include "ui/FBaugroessen_VX.h"
#include "ui/UPageLists.h"

namespace {
QString Text(int n) { return LoadText(n); }
QString Q(const std::string& s) { return QString::fromStdString(s); }
constexpr int QVel = 5, QWeight = 9;
} // namespace

TFormVX::TFormVX(QWidget* parent, bool persistent) : TFormProdukt(parent) {
    setObjectName("FormVX");
    BuildDevicePanel();
    ProductSection = "VX";
    PersistSettings = persistent;
    if (persistent) {
        Settings = std::make_unique<TIniDatei>(IniFileName, "#");
    } else {
        // An empty private folder: every key reads its default.
        m_privateSettings = std::make_unique<QTemporaryDir>();
        Settings = std::make_unique<TIniDatei>(IniFileName, m_privateSettings->path() + "/");
    }
    DatasheetPages = {&DatasheetPage};
    ChartPages = {&ChartPage};
    DescriptionPages = {&DescriptionPage};
    FillTypeList(SeriesVX);
    CreateProdukt();
    // Series layer: the device of the selection, no bypass, panel layout.
    Combo_Bypass->setCurrentIndex(0);
    Combo_BypassChange();
    LayoutTables();
    // The selection as it starts is the state of a new, untitled project.
    Project.MarkSaved(Selection, QString());
    UpdateTitle();
}

TFormVX::~TFormVX() { DestroyFrame(); }

void TFormVX::BuildDevicePanel() {
    QWidget* c = Client;
    auto label = [c](const char* name, Qt::Alignment a = Qt::AlignLeft | Qt::AlignVCenter) {
        auto* l = new QLabel(c);
        l->setObjectName(name);
        l->setAlignment(a);
        return l;
    };
    auto combo = [c](const char* name) {
        auto* b = new QComboBox(c);
        b->setObjectName(name);
        return b;
    };
    const QString editStyle = "QLineEdit { border: 1px solid #7a7a7a; background: white; padding: 0px 1px; }"
                              "QLineEdit:disabled { background: #e4e4e4; color: #808080; }";
    LB_VXTyp = label("LB_VXTyp");
    Combo_VXSerie = combo("Combo_VXSerie");
    Combo_VXTyp = combo("Combo_VXTyp");
    LB_GBreite = label("LB_GBreite");
    Edit_GBreite = new TIntEdit(c);
    Edit_GBreite->setObjectName("Edit_GBreite");
    Edit_GBreite->setStyleSheet(editStyle);
    LE_GBreite = label("LE_GBreite");
    LE_GBreite->setText("mm");
    LB_Bypass = label("LB_Bypass");
    Combo_Bypass = combo("Combo_Bypass");
    RButton_BypGeschw = new TQvRadioButton(QString(), c);
    RButton_BypGeschw->setObjectName("RButton_BypGeschw");
    RButton_BypBreite = new TQvRadioButton(QString(), c);
    RButton_BypBreite->setObjectName("RButton_BypBreite");
    RButton_BypGeschw->setChecked(true);
    Edit_BypGeschw = new TNumEdit(c);
    Edit_BypGeschw->setObjectName("Edit_BypGeschw");
    Edit_BypGeschw->setStyleSheet(editStyle);
    Edit_BypGeschw->SetValue(15);
    Edit_BypBreite = new TIntEdit(c);
    Edit_BypBreite->setObjectName("Edit_BypBreite");
    Edit_BypBreite->setStyleSheet(editStyle);
    Edit_BypBreite->SetValue(0);
    Edit_BypBreite->setEnabled(false);
    LE_BypGeschw = label("LE_BypGeschw");
    LE_BypBreite = label("LE_BypBreite");
    LE_BypBreite->setText("mm");
    LB_Hoehe = label("LB_Hoehe");
    LB_Breite = label("LB_Breite");
    LB_Laenge = label("LB_Laenge");
    LB_Gewicht = label("LB_Gewicht");
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    L_Hoehe = label("L_Hoehe", right);
    L_Breite = label("L_Breite", right);
    L_Laenge = label("L_Laenge", right);
    L_Gewicht = label("L_Gewicht", right);
    LE_Gewicht = label("LE_Gewicht");
    Label_Bauform = label("Label_Bauform", right);
    QFont bold = Label_Bauform->font();
    bold.setBold(true);
    Label_Bauform->setFont(bold);

    connect(Combo_VXSerie, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_deviceBusy) Combo_VXSerieChange();
    });
    connect(Combo_VXTyp, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_deviceBusy) Aenderung_Geraet(Combo_VXTyp);
    });
    connect(Combo_Bypass, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_deviceBusy) Combo_BypassChange();
    });
    connect(Edit_GBreite, &TNumEditBase::OnCalculate, this, [this] { Aenderung_Geraet(Edit_GBreite); });
    connect(Edit_BypGeschw, &TNumEditBase::OnCalculate, this, [this] { Aenderung_Geraet(Edit_BypGeschw); });
    connect(Edit_BypBreite, &TNumEditBase::OnCalculate, this, [this] { Aenderung_Geraet(Edit_BypBreite); });
    connect(RButton_BypGeschw, &QRadioButton::clicked, this, [this] { RButton_BypGeschwClick(RButton_BypGeschw); });
    connect(RButton_BypBreite, &QRadioButton::clicked, this, [this] { RButton_BypGeschwClick(RButton_BypBreite); });
    connect(Button_Vorauswahl, &QPushButton::clicked, this, [this] {
        OpenPreselection(this);
    });

    // Tab follows the window: the air inputs, the device panel from top to bottom, the command
    // buttons, then the result pages.
    QWidget* prev = Summer.Feuchte21;
    for (QWidget* next : std::initializer_list<QWidget*>{
             Combo_VXSerie, Combo_VXTyp, Button_Vorauswahl, Edit_GBreite, Combo_Bypass, RButton_BypGeschw, Edit_BypGeschw,
             RButton_BypBreite, Edit_BypBreite, Button_Berechnen, Button_Diagramm, Button_Datenblatt,
             Button_Produktbeschreibung, Button_Preise, PageControl1}) {
        setTabOrder(prev, next);
        prev = next;
    }
}

// ---- Layout ----------------------------------------------------------------------------------
void TFormVX::LayoutTables() {
    TFormProdukt::LayoutTables();
    if (!LB_VXTyp) return;
    const int w = DevicePanelWidth(), x = ClientWidth - 4 - w;
    int y = 2;
    auto row = [&](QWidget* wdg, int h, int gapAfter = 2) {
        wdg->setGeometry(x, y, w, h);
        y += h + gapAfter;
    };
    row(LB_VXTyp, 14);
    row(Combo_VXSerie, 21);
    row(Combo_VXTyp, 21);
    row(Button_Vorauswahl, 22, 4);
    row(LB_GBreite, 14);
    Edit_GBreite->setGeometry(x, y, 60, 19);
    LE_GBreite->setGeometry(x + 64, y, 30, 19);
    y += 23;
    row(LB_Bypass, 14);
    row(Combo_Bypass, 21, 3);
    RButton_BypGeschw->setGeometry(x, y, w, 16);
    y += 17;
    Edit_BypGeschw->setGeometry(x + 16, y, 60, 19);
    LE_BypGeschw->setGeometry(x + 80, y, w - 80, 19);
    y += 21;
    RButton_BypBreite->setGeometry(x, y, w, 16);
    y += 17;
    Edit_BypBreite->setGeometry(x + 16, y, 60, 19);
    LE_BypBreite->setGeometry(x + 80, y, w - 80, 19);
    y += 23;
    const int labelW = w - 80;
    for (auto [lb, val] : {std::pair{LB_Hoehe, L_Hoehe}, {LB_Breite, L_Breite}, {LB_Laenge, L_Laenge},
                           {LB_Gewicht, L_Gewicht}}) {
        lb->setGeometry(x, y, labelW, 15);
        val->setGeometry(x + labelW, y, 50, 15);
        y += 15;
    }
    LE_Gewicht->setGeometry(x + labelW + 53, y - 15, 27, 15);
    // Millimetre labels of the three dimensions share the weight unit column.
    y = ClientInnerHeight - 20 - 4 * 23;
    for (QPushButton* b : {Button_Berechnen, Button_Diagramm, Button_Datenblatt, Button_Produktbeschreibung}) {
        b->setGeometry(x, y, w, 22);
        y += 23;
    }
    Button_Preise->setGeometry(x, y - 5 * 23, w, 22);
    // The type key stands on the tab row, right of the tabs.
    const QRect pc = PageControl1->geometry();
    const int tabsRight = PageControl1->tabBar()->sizeHint().width() + 8;
    Label_Bauform->setGeometry(pc.left() + tabsRight, pc.top(), pc.width() - tabsRight - 4, 18);
    Label_Bauform->raise();
}

int TFormVX::DevicePanelWidth() const {
    if (!LB_VXTyp) return 0;
    // As narrow as the captions allow, so the tables keep the room for their titles.
    int need = 118;
    for (QWidget* b : {static_cast<QWidget*>(Button_Vorauswahl), static_cast<QWidget*>(Button_Berechnen),
                       static_cast<QWidget*>(Button_Diagramm), static_cast<QWidget*>(Button_Datenblatt),
                       static_cast<QWidget*>(Button_Produktbeschreibung), static_cast<QWidget*>(RButton_BypGeschw),
                       static_cast<QWidget*>(RButton_BypBreite)})
        need = std::max(need, b->sizeHint().width());
    for (QLabel* l : {LB_VXTyp, LB_GBreite, LB_Bypass}) need = std::max(need, l->fontMetrics().horizontalAdvance(l->text()) + 2);
    for (QLabel* l : {LB_Hoehe, LB_Breite, LB_Laenge, LB_Gewicht})
        need = std::max(need, l->fontMetrics().horizontalAdvance(l->text()) + 84);
    for (QComboBox* c : {Combo_VXSerie, Combo_VXTyp, Combo_Bypass})
        for (int i = 0; i < c->count(); ++i) need = std::max(need, c->fontMetrics().horizontalAdvance(c->itemText(i)) + 32);
    return std::min(need, 160);
}

// ---- Texts -----------------------------------------------------------------------------------
void TFormVX::ApplyTexts() {
    TFormProdukt::ApplyTexts();
    const QString title = "VX - " + Text(66) + " ";
    L_Titel->setText(title);
    L_Titel_S->setText(title);
    // A long translation gets a smaller font rather than running over a logo.
    const int room = Image_Logo_R->x() - 8 - (Image_Logo->geometry().right() + 8);
    QFont tf = L_Titel->font();
    while (tf.pixelSize() > 9 && QFontMetrics(tf).horizontalAdvance(title) > room) tf.setPixelSize(tf.pixelSize() - 1);
    L_Titel->setFont(tf);
    L_Titel_S->setFont(tf);
    L_Titel->adjustSize();
    L_Titel_S->adjustSize();
    // Right edge of the title at the right logo's left edge, as the right-aligned text would be.
    const int right = Image_Logo_R->x() - 8;
    L_Titel->move(right - L_Titel->width(), 13);
    L_Titel_S->move(L_Titel->x() + 1, 14);
    L_Titel->raise();
    UpdateTitle();

    LB_VXTyp->setText(Text(136));
    LB_GBreite->setText(Text(92));
    LB_Hoehe->setText(Text(54));
    LB_Breite->setText(Text(55));
    LB_Laenge->setText(Text(57));
    LB_Gewicht->setText(Text(64));
    LB_Bypass->setText(Text(185));
    RButton_BypGeschw->setText(Text(38));
    RButton_BypBreite->setText(Text(55));
    for (QLabel* l : {LB_VXTyp, LB_GBreite, LB_Hoehe, LB_Breite, LB_Laenge, LB_Gewicht, LB_Bypass}) l->setFont(font());

    // Rebuild the bypass and series lists, keeping their selection.
    m_deviceBusy = true;
    const int bi = std::max(0, Combo_Bypass->currentIndex());
    Combo_Bypass->clear();
    for (int n : BypassListTextNo) Combo_Bypass->addItem(Text(n));
    Combo_Bypass->setCurrentIndex(bi);
    const int si = std::max(0, Combo_VXSerie->currentIndex());
    Combo_VXSerie->clear();
    for (int s = 1; s <= SeriesListCount; ++s) {
        const TSeriesListEntry e = SeriesListEntry(s);
        Combo_VXSerie->addItem(Q(e.Fixed) + (e.TextNo ? Text(e.TextNo) : QString()));
    }
    Combo_VXSerie->setCurrentIndex(si);
    m_deviceBusy = false;

    ShowFigures();
    if (PageControl1) LayoutTables();
    AssignMnemonics(this);
}

void TFormVX::UpdateUnitLabels() {
    TFormProdukt::UpdateUnitLabels();
    if (!LE_BypGeschw) return;
    LE_BypGeschw->setText(UnitSystemSI ? "m/s" : "fpm");
    LE_Gewicht->setText(UnitSystemSI ? "kg" : "lb");
}

// ---- Settings --------------------------------------------------------------------------------
void TFormVX::LoadSettings() {
    TFormProdukt::LoadSettings();
    if (!Settings) return;
    LoadVXSettings(*Settings, ProductSection, StoredSettings.Product, StoredSettings.VX);
    // The series section keeps inlet values of its own: the winter inlets and the summer flows.
    PutInlets(StoredSettings.Product.Winter, Selection.Cases[0]);
    Selection.Cases[1].SVol11 = StoredSettings.Product.Summer.SVol11;
    Selection.Cases[1].SVol21 = StoredSettings.Product.Summer.SVol21;
    Selection.Device.SizeCode = StoredSettings.VX.VXType;
    Selection.Device.PackageWidth = StoredSettings.VX.Width;
}

void TFormVX::SaveSettings() {
    TFormProdukt::SaveSettings();
    if (!Settings) return;
    StoredSettings.VX.VXType = Selection.Device.SizeCode;
    StoredSettings.VX.Width = Selection.Device.PackageWidth;
    SaveVXSettings(*Settings, ProductSection, StoredSettings.VX);
}

// ---- Device panel ----------------------------------------------------------------------------
int TFormVX::CurrentSeries() const { return std::max(0, Combo_VXSerie->currentIndex()) + 1; }

int TFormVX::CurrentSize() const { return SizeAt(CurrentSeries(), Combo_VXTyp->currentIndex()); }

void TFormVX::FillTypeList(int series) {
    const QSignalBlocker block(Combo_VXTyp);
    Combo_VXTyp->clear();
    for (int code : SeriesSizes(series)) Combo_VXTyp->addItem(Q(TypeEntryText(series, code)));
}

void TFormVX::ShowDeviceInputs() {
    m_deviceBusy = true;
    const TDevice& d = Selection.Device;
    const int series = std::clamp<int>(d.Series, 1, SeriesListCount);
    Combo_VXSerie->setCurrentIndex(series - 1);
    FillTypeList(series);
    Combo_VXTyp->setCurrentIndex(SizeIndexForStoredCode(series, d.SizeCode));
    Edit_GBreite->SetValue(d.PackageWidth);
    Combo_Bypass->setCurrentIndex(BypassIndexFromCode(d.Bypass));
    (d.BypassMode == TBypassMode::Width ? RButton_BypBreite : RButton_BypGeschw)->setChecked(true);
    Edit_BypGeschw->setEnabled(d.BypassMode == TBypassMode::Velocity);
    Edit_BypBreite->setEnabled(d.BypassMode == TBypassMode::Width);
    m_deviceBusy = false;
}

void TFormVX::ShowInputs() {
    TFormProdukt::ShowInputs();
    ShowDeviceInputs();
}

void TFormVX::Combo_VXSerieChange() { Aenderung_Geraet(Combo_VXSerie); }

void TFormVX::Combo_BypassChange() {
    const bool on = HasBypass(BypassCodeFromIndex(Combo_Bypass->currentIndex()));
    for (QWidget* w : std::initializer_list<QWidget*>{RButton_BypGeschw, RButton_BypBreite, Edit_BypGeschw,
                                                     Edit_BypBreite, LE_BypGeschw, LE_BypBreite})
        w->setVisible(on);
    Aenderung_Geraet(Combo_Bypass);
}

void TFormVX::RButton_BypGeschwClick(QObject* sender) {
    Edit_BypGeschw->setEnabled(RButton_BypGeschw->isChecked());
    Edit_BypBreite->setEnabled(RButton_BypBreite->isChecked());
    Aenderung_Geraet(sender);
    if (sender == RButton_BypGeschw) Edit_BypGeschw->setFocus();
    else Edit_BypBreite->setFocus();
}

void TFormVX::Aenderung_Geraet(QObject* source) {
    if (m_deviceBusy) return;
    m_deviceBusy = true;
    TDevice d = Selection.Device;
    if (source == Combo_VXSerie) {
        const int oldIndex = Combo_VXTyp->currentIndex();
        FillTypeList(CurrentSeries());
        const QSignalBlocker block(Combo_VXTyp);
        Combo_VXTyp->setCurrentIndex(std::max(0, SizeIndexAfterSeriesChange(d.Series, oldIndex, CurrentSeries())));
    }
    // Every device control is read as it stands except the bypass edits, which show rounded
    // values: only the one the user confirmed is read.
    d.Series = CurrentSeries();
    d.SizeCode = CurrentSize();
    d.PackageWidth = Edit_GBreite->Value();
    d.Bypass = BypassCodeFromIndex(Combo_Bypass->currentIndex());
    d.BypassMode = RButton_BypBreite->isChecked() ? TBypassMode::Width : TBypassMode::Velocity;
    if (source == Edit_BypGeschw) d.BypassVelocity = FromDisplay(QVel, 9, 10, Edit_BypGeschw->Value());
    if (source == Edit_BypBreite) d.BypassWidth = Edit_BypBreite->Value();
    Selection.SetDevice(d);
    m_deviceBusy = false;
    if (source == Combo_VXSerie) ShowSeries();
    Aenderung_Daten();
    ShowFigures();
}

void TFormVX::ShowSeries() {
    // Texts, lists and limits of the series; every series has its description page.
    ApplyTexts();
}

void TFormVX::ShowSelection() {
    TFormProdukt::ShowSelection();
    ShowSeries();
    ShowBypassResult();
}

QString TFormVX::ProgramTitle() const { return "VX - " + Text(66); }

void TFormVX::ShowFigures() {
    const TDeviceFigures& f = Selection.Figures();
    L_Hoehe->setText(QString::number(f.Height) + " mm");
    L_Laenge->setText(QString::number(f.Length) + " mm");
    L_Breite->setText(QString::number(f.ShownWidth) + " mm");
    L_Gewicht->setText(Fixed(ToDisplay(QWeight, 18, 19, f.Weight), 1));
    Label_Bauform->setText(BuildTypeKey());
}

QString TFormVX::BuildTypeKey() const { return Q(Selection.TypeKey(Text(TypeKeyTextNo).toStdString())); }

void TFormVX::ShowBypassResult() {
    Edit_BypGeschw->Digits = UnitSystemSI ? 2 : 0;
    Edit_BypBreite->SetValue(Selection.ShownBypassWidth());
    // The velocity the rating used: a bypass at its smallest width is slower than asked for.
    Edit_BypGeschw->SetValue(ShownBypassVelocity(Selection.Cases[0].BypassVelocity, UnitSystemSI));
    ShowFigures();
}

void TFormVX::SetUnitSystem(bool si) {
    TFormProdukt::SetUnitSystem(si);
    if (!m_created) return;
    ShowBypassResult();
}

void TFormVX::SettingsChanged() {
    TFormProdukt::SettingsChanged();
    ShowBypassResult();
}

void TFormVX::ApplyTemperatureLimits() {
    const TTempRange lim = TemperatureInputLimits(Selection.Device.Series, UnitSystemSI);
    for (TCaseEdits* ce : {&Winter, &Summer})
        for (TNumEdit* e : {ce->Temp11, ce->Temp21}) {
            e->Validation = true;
            e->MinValue = lim.Min;
            e->MaxValue = lim.Max;
            e->ErrorMessage = Text(105);
            e->Content = Text(12);
        }
}

// ---- Checks ----------------------------------------------------------------------------------
QString TFormVX::MessageText(int code) const {
    const TMessageSpec msg = MessageSpec(code, Selection.Device.Series, UnitSystemSI, SeparatorText(DecimalSeparator));
    if (msg.TextNo == 0) return QString();
    std::string arg2 = msg.Arg2;
    if (msg.Arg2TextNo) arg2 += Text(msg.Arg2TextNo).toStdString();
    return Q(FillMessage(Text(msg.TextNo).toStdString(), {msg.Arg1, arg2}));
}

TFormVX::TCheckMessage TFormVX::AssembleCheckMessage() const {
    const QString br = "\n";
    TCheckMessage m;
    const TCheckResult w = Selection.CaseCheck(0);
    for (int code : w.List()) {
        if (!m.Text.isEmpty()) m.Text += br + br;
        m.Text += MessageText(code);
    }
    m.Codes = w.Codes;
    m.WarningsOnly = w.WarningsOnly;
    if (BothCases()) {
        const TCheckResult s = Selection.CaseCheck(1);
        if (!m.Text.isEmpty()) m.Text = Edit_Winter->text() + ":" + br + br + m.Text;
        if (s.Codes.any()) {
            if (!m.Text.isEmpty()) m.Text += br + br + "----------------------" + br + br;
            m.Text += Edit_Sommer->text() + ":";
            for (int code : s.List()) {
                if (!m.Text.isEmpty()) m.Text += br + br;
                m.Text += MessageText(code);
            }
        }
        m.Codes |= s.Codes;
        m.WarningsOnly = m.WarningsOnly && s.WarningsOnly;
    }
    return m;
}

bool TFormVX::CheckInputs() {
    const TCheckMessage m = AssembleCheckMessage();
    if (m.Codes.none()) return true;
    ShowMessageBox(m.Text, Text(m.WarningsOnly ? MessageTitleWarning : MessageTitleError) + "!",
                   m.WarningsOnly ? mtWarning : mtError);
    return m.WarningsOnly;
}

// ---- Results ---------------------------------------------------------------------------------
void TFormVX::ShowHint() {
    const THintTexts texts{Text(HintTextCondensation).toStdString(), Text(HintTextFreezing).toStdString(),
                           Text(FrostLimitTextNo).toStdString()};
    LB_Hinweis->setText(Q(HintLine(Selection, BuildTables(Selection, UnitSystemSI), texts)));
    const int width = HintWidth(LB_Hinweis->fontMetrics().horizontalAdvance(LB_Hinweis->text()));
    int left = HintLeft(width, BothCases());
    // Keep the line inside its page when a long translation would run past the edge.
    const int room = TabSheet_Luftaustritt->width();
    if (room > 0 && left + width > room) left = std::max(0, room - width);
    LB_Hinweis->setGeometry(left, LB_Hinweis->y(), width, LB_Hinweis->height());
}
