#include "ui/FOptionen.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProxyStyle>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QShowEvent>
#include <QTabBar>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <QTableWidget>
#include <algorithm>
#include <tuple>

#include "app/UGlobal.h"
#include "app/USettings.h"
#include "app/URessourcen.h"
#include "app/UZahlAdapter.h"
#include "thermo/UMath.h"
#include "thermo/UZahlformat.h"
#include "thermo/UThermo.h"
#include "thermo/UUmrechnung.h"
#include "print/UTools.h"
#include "ui/FBasis.h"
#include "ui/NumEdit.h"
#include "ui/UQvMessage.h"

namespace {
QString Text(int n) { return LoadText(n); }

// Quantity numbers and unit codes of the two environment fields.
constexpr int QPressure = 7, CodeMbar = 14, CodeAtm = 15;
constexpr int QLength = 10, CodeMetre = 20, CodeFoot = 22;

constexpr int ClientWidth = 449, ClientHeight = 347;
constexpr int PageLeft = 12;     // left edge of labels on every page
constexpr int FieldGap = 10;     // space between a label column and its fields

// One row of the unit table: quantity text, SI unit (text number or fixed), UK/US unit.
struct TUnitRow {
    int quantityText;
    int siText;
    const char* si;
    int usText;
    const char* us;
};
constexpr TUnitRow kUnitRows[] = {
    {39, 410, "", 0, "cfm"},        {12, 411, "", 412, ""},        {14, 0, "g/kg", 0, "gr/lb"},
    {25, 0, "kJ/kg", 0, "BTU/lb"},  {33, 0, "kg/h", 0, "lb/h"},    {26, 0, "kW", 0, "BTU/h"},
    {38, 0, "m/s", 0, "fpm"},       {22, 0, "Pa", 0, "in. WG"},    {1, 0, "mbar", 0, "atm"},
    {2, 0, "m", 0, "ft"},           {350, 0, "W", 0, "HP"},        {350, 0, "kW", 0, "HP"},
};
constexpr int UnitRows = 13;  // the last row is collapsed

QString UnitText(int textNumber, const char* fixed) {
    return textNumber ? Text(textNumber) : QString::fromUtf8(fixed);
}

// Width of a caption in the widget's font; the label columns are sized from it.
int TextWidth(const QWidget* w, const QString& text) {
    return QFontMetrics(w->font()).horizontalAdvance(text);
}

// A separator that cannot mark decimals: a digit, a sign, a blank or an exponent letter (a number
// such as 1e5 would become ambiguous).
bool UnusableDecimal(QChar c) {
    return c.isDigit() || c == u'+' || c == u'-' || c.isSpace() || c == u'e' || c == u'E';
}
bool UnusableThousand(QChar c) { return c.isDigit() || c == u'+' || c == u'-'; }

QString CharText(QChar c) { return c.isNull() ? QString() : QString(c); }
} // namespace

TEnvironmentRanges EnvironmentRanges(bool si) {
    // The pressure range is the one the settings file holds the air pressure to.
    if (si) return {MinAirPressure, MaxAirPressure, -700.0, 4200.0};
    return {0.6, 1.08, -2140.0, 13500.0};
}

TEnvironmentDisplay EnvironmentDisplay(double pressureMbar, double altitudeM, bool si) {
    if (si) return {pressureMbar, altitudeM, 1, "mbar", "m"};
    return {ConvertUnit(QPressure, CodeMbar, CodeAtm, pressureMbar), ConvertUnit(QLength, CodeMetre, CodeFoot, altitudeM),
            3, "atm", "ft"};
}

QString EnvironmentText(double pressureMbar, bool si) {
    double altitude = 0.0;
    try {
        altitude = AltitudeFromPressure(pressureMbar);
    } catch (const MathFault&) {
        // a pressure the settings never hold; the altitude stays 0
    }
    const TEnvironmentDisplay d = EnvironmentDisplay(pressureMbar, altitude, si);
    return Text(1) + ": " + QString::fromStdString(FormatFixed(d.Pressure, d.PressureDigits)) + ' ' + d.PressureUnit +
           "     " + Text(2) + ": " + QString::fromStdString(FormatFixed(d.Altitude, 0)) + ' ' + d.AltitudeUnit;
}

TSeparatorCheck ChooseSeparators(const QString& decimalText, const QString& thousandText,
                                 QChar& decimalSep, QChar& thousandSep) {
    const QChar d = decimalText.isEmpty() ? decimalSep : decimalText.at(0);
    const QChar t = thousandText.isEmpty() ? thousandSep : thousandText.at(0);
    if (d.isNull() || UnusableDecimal(d)) return TSeparatorCheck::UnusableDecimal;
    if (!t.isNull() && UnusableThousand(t)) return TSeparatorCheck::UnusableThousand;
    if (d == t) return TSeparatorCheck::Same;
    decimalSep = d;
    thousandSep = t;
    return TSeparatorCheck::Ok;
}

// Tabs with a narrow margin around their captions, for languages whose page captions would not
// fit side by side otherwise. The margin is the style's own, so size and drawing agree.
class TCompactTabStyle : public QProxyStyle {
public:
    int pixelMetric(PixelMetric metric, const QStyleOption* opt, const QWidget* w) const override {
        if (metric == PM_TabBarTabHSpace) return 6;
        return QProxyStyle::pixelMetric(metric, opt, w);
    }
};

// ---------------------------------------------------------------------------------------------
void TWrapRadioButton::paintEvent(QPaintEvent*) {
    QStylePainter p(this);
    QStyleOptionButton opt;
    initStyleOption(&opt);
    const QString caption = opt.text;
    opt.text.clear();
    // The indicator stays at the top left, beside the first caption line.
    const int line = QFontMetrics(font()).height();
    opt.rect.setHeight(std::min(height(), line + 2));
    p.drawControl(QStyle::CE_RadioButton, opt);
    DrawQvCaption(p, this, QRect(16, 1, width() - 16, height() - 1),
                  Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap | Qt::TextShowMnemonic, caption);
}

// ---------------------------------------------------------------------------------------------
TFormOptionen::TFormOptionen(QWidget* parent)
    : TQvForm(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName("FormOptionen");
    setModal(true);
    setFixedSize(ClientWidth, ClientHeight);
    BuildControls();

    CheckBox_TotalEff->setVisible(ProductIndex == 1);
    CheckBox_WB->setVisible(true);
    CheckBox_HCLASS->setVisible(true);
    PageControl1->setCurrentIndex(0);
    SetUpUnitTable();
    Combo_Luftmenge->addItems({QString(), QString(), QString()});
    Combo_Feuchte->addItems({QString(), QString(), QString()});
    // The process data page would be left out only for another product.
    if (ProductIndex == 7) PageControl1->removeTab(PageControl1->indexOf(Seite_Prozessdaten));
    CurrencySymbol.clear();
    ApplyTexts();
    SetUnitSystem(false);
    RadioButton_PHIClick();

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TFormOptionen::BuildControls() {
    PageControl1 = new TQvPageControl(this);
    PageControl1->setObjectName("PageControl1");
    PageControl1->setGeometry(4, 4, ClientWidth - 8, 302);
    auto page = [this](const char* name) {
        auto* p = new TQvTabSheet;
        p->setObjectName(name);
        PageControl1->addTab(p, QString());
        return p;
    };
    Seite_Umgebung = page("Seite_Umgebung");
    Seite_Einheiten = page("Seite_Einheiten");
    Seite_EingabeDaten = page("Seite_EingabeDaten");
    Seite_Prozessdaten = page("Seite_Prozessdaten");

    auto label = [](QWidget* parent, const char* name) {
        auto* l = new QLabel(parent);
        l->setObjectName(name);
        l->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        return l;
    };

    // Environment
    Label_Luftdruck = label(Seite_Umgebung, "Label_Luftdruck");
    Label_HoeheNN = label(Seite_Umgebung, "Label_HoeheNN");
    Label_mbar = label(Seite_Umgebung, "Label_mbar");
    Label_m = label(Seite_Umgebung, "Label_m");
    for (TNumEdit** e : {&Edit_Luftdruck, &Edit_HoeheNN}) {
        *e = new TNumEdit(Seite_Umgebung);
        // Shown like the rest of the program: fixed point, the digits set with the unit system.
        (*e)->Format = TFloatFormat::Fixed;
        // Entries outside the ranges of the unit system are refused with the range message.
        (*e)->Validation = true;
        connect(*e, &TNumEditBase::OnCalculate, this, [this](QObject* s) { Edit_LuftdruckCalculate(s); });
    }
    Edit_Luftdruck->setObjectName("Edit_Luftdruck");
    Edit_HoeheNN->setObjectName("Edit_HoeheNN");
    Edit_Luftdruck->installEventFilter(this);
    Edit_HoeheNN->installEventFilter(this);
    setTabOrder(Edit_Luftdruck, Edit_HoeheNN);

    // Units and formats
    Tabelle_Einheiten = new QTableWidget(Seite_Einheiten);
    Tabelle_Einheiten->setObjectName("Tabelle_Einheiten");
    RadioButton_SI = new TQvRadioButton("SI", Seite_Einheiten);
    RadioButton_SI->setObjectName("RadioButton_SI");
    RadioButton_US = new TQvRadioButton("UK / US", Seite_Einheiten);
    RadioButton_US->setObjectName("RadioButton_US");
    for (TQvRadioButton* r : {RadioButton_SI, RadioButton_US})
        connect(r, &QAbstractButton::clicked, this, [this] { SetUnitSystem(RadioButton_SI->isChecked()); });
    connect(Tabelle_Einheiten, &QTableWidget::cellDoubleClicked, this, [this](int, int col) {
        if (col == 1) RadioButton_SI->setChecked(true);
        else if (col == 2) RadioButton_US->setChecked(true);
        else return;
        SetUnitSystem(RadioButton_SI->isChecked());
    });
    Label_DecimalSeparator = label(Seite_Einheiten, "Label_DecimalSeparator");
    Label_ThousandSeparator = label(Seite_Einheiten, "Label_ThousandSeparator");
    Label_Waehrung = label(Seite_Einheiten, "Label_Waehrung");
    Label_Papier = label(Seite_Einheiten, "Label_Papier");
    Combo_Papier = new TAlignComboBox(Seite_Einheiten);
    Combo_Papier->setObjectName("Combo_Papier");
    Combo_Papier->addItems({QString(), QString()});  // texts set with the language
    connect(Combo_Papier, &QComboBox::activated, this, [this] { PaperChosen = true; });
    auto textEdit = [this](const char* name, int maxLength) {
        auto* e = new QLineEdit(Seite_Einheiten);
        e->setObjectName(name);
        e->setMaxLength(maxLength);
        e->setAlignment(Qt::AlignCenter);
        return e;
    };
    Edit_DecimalSeparator = textEdit("Edit_DecimalSeparator", 1);
    Edit_ThousandSeparator = textEdit("Edit_ThousandSeparator", 1);
    Edit_Waehrung = textEdit("Edit_Waehrung", 3);
    // Characters that could not separate digits cannot be typed at all.
    const auto unicode = QRegularExpression::UseUnicodePropertiesOption;
    Edit_DecimalSeparator->setValidator(
        new QRegularExpressionValidator(QRegularExpression("[^\\d+\\-eE\\s]?", unicode), Edit_DecimalSeparator));
    Edit_ThousandSeparator->setValidator(
        new QRegularExpressionValidator(QRegularExpression("[^\\d+\\-]?", unicode), Edit_ThousandSeparator));

    // Input data
    Label_Luftmenge = label(Seite_EingabeDaten, "Label_Luftmenge");
    Label_Feuchte = label(Seite_EingabeDaten, "Label_Feuchte");
    Combo_Luftmenge = new TAlignComboBox(Seite_EingabeDaten);
    Combo_Luftmenge->setObjectName("Combo_Luftmenge");
    Combo_Feuchte = new TAlignComboBox(Seite_EingabeDaten);
    Combo_Feuchte->setObjectName("Combo_Feuchte");
    for (TAlignComboBox* c : {Combo_Luftmenge, Combo_Feuchte}) c->SetAlignment(Qt::AlignLeft);
    connect(Combo_Luftmenge, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (i >= 0) FlowMode = static_cast<std::uint8_t>(i == 2 ? 3 : i);
    });
    connect(Combo_Feuchte, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (i >= 0) HumidityMode = static_cast<std::uint8_t>(i == 2 ? 7 : i);
    });
    CheckBox_WB = new TQvCheckBox(QString(), Seite_EingabeDaten);
    CheckBox_WB->setObjectName("CheckBox_WB");

    // Process data
    RadioButton_PHI_Europa = new TWrapRadioButton(QString(), Seite_Prozessdaten);
    RadioButton_PHI_Europa->setObjectName("RadioButton_PHI_Europa");
    RadioButton_PHI_USA = new TWrapRadioButton(QString(), Seite_Prozessdaten);
    RadioButton_PHI_USA->setObjectName("RadioButton_PHI_USA");
    for (TQvRadioButton* r : {static_cast<TQvRadioButton*>(RadioButton_PHI_Europa),
                              static_cast<TQvRadioButton*>(RadioButton_PHI_USA)})
        connect(r, &QAbstractButton::toggled, this, [this] { RadioButton_PHIClick(); });
    CheckBox_TotalEff = new TQvCheckBox(QString(), Seite_Prozessdaten);
    CheckBox_TotalEff->setObjectName("CheckBox_TotalEff");
    CheckBox_HCLASS = new TQvCheckBox(QString(), Seite_Prozessdaten);
    CheckBox_HCLASS->setObjectName("CheckBox_HCLASS");

    AddOkCancelButtons(this, ClientWidth, ClientHeight, [this] { Button_OKClick(); }, Button_OK,
                       Button_Cancel);
}

void TFormOptionen::SetUpUnitTable() {
    QTableWidget* t = Tabelle_Einheiten;
    t->setColumnCount(3);
    t->setRowCount(UnitRows);
    t->horizontalHeader()->hide();
    t->verticalHeader()->hide();
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionMode(QAbstractItemView::SingleSelection);
    t->setShowGrid(true);
    t->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    t->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    t->setColumnWidth(0, 140);
    t->setColumnWidth(1, 70);
    t->setColumnWidth(2, 70);
    // The texts come with ApplyTexts: quantity names and two of the units are language texts.
    for (int r = 0; r < UnitRows; ++r)
        for (int c = 0; c < 3; ++c) t->setItem(r, c, new QTableWidgetItem);
    t->setRowHeight(UnitRows - 1, 0);
}

void TFormOptionen::ApplyTexts() {
    setFont(DialogFont);
    setWindowTitle(Text(165));
    PageControl1->setFont(font());
    // Tabs are measured in the normal style first; the narrow one is only for languages that need it.
    if (dynamic_cast<TCompactTabStyle*>(PageControl1->tabBar()->style())) {
        QStyle* compact = PageControl1->tabBar()->style();
        PageControl1->tabBar()->setStyle(nullptr);
        delete compact;
    }
    // The first three tabs are padded with three spaces on both sides; where the padded tabs
    // would not fit side by side in the language, the padding goes so that every tab stays whole.
    for (const QString& pad : {QString("   "), QString()}) {
        PageControl1->setTabText(PageControl1->indexOf(Seite_Umgebung), pad + Text(166) + pad);
        PageControl1->setTabText(PageControl1->indexOf(Seite_Einheiten), pad + Text(167) + " / " + Text(328) + pad);
        PageControl1->setTabText(PageControl1->indexOf(Seite_EingabeDaten), pad + Text(168) + pad);
        if (PageControl1->indexOf(Seite_Prozessdaten) >= 0)
            PageControl1->setTabText(PageControl1->indexOf(Seite_Prozessdaten), Text(11));
        if (PageControl1->tabBar()->sizeHint().width() <= PageControl1->width()) break;
    }
    // Still too wide: the tabs keep only a small margin around their captions.
    if (PageControl1->tabBar()->sizeHint().width() > PageControl1->width()) {
        auto* compact = new TCompactTabStyle;
        compact->setParent(PageControl1->tabBar());
        PageControl1->tabBar()->setStyle(compact);
    }
    Button_Cancel->setText(Text(161));

    Label_Luftdruck->setText(Text(1));
    Label_HoeheNN->setText(Text(2));
    Edit_Luftdruck->ErrorMessage = Edit_HoeheNN->ErrorMessage = Text(105);
    Edit_Luftdruck->Content = Text(1);
    Edit_HoeheNN->Content = Text(2);

    for (int r = 0; r < UnitRows - 1; ++r) {
        Tabelle_Einheiten->item(r, 0)->setText(" " + Text(kUnitRows[r].quantityText));
        Tabelle_Einheiten->item(r, 1)->setText(UnitText(kUnitRows[r].siText, kUnitRows[r].si));
        Tabelle_Einheiten->item(r, 2)->setText(UnitText(kUnitRows[r].usText, kUnitRows[r].us));
    }
    Label_DecimalSeparator->setText(Text(207));
    Label_ThousandSeparator->setText(Text(208));
    Label_Waehrung->setText(Text(327));
    Label_Papier->setText(Text(660));
    Combo_Papier->setItemText(0, Text(661));
    Combo_Papier->setItemText(1, Text(662));

    Label_Luftmenge->setText(Text(39));
    Label_Feuchte->setText(Text(15));
    // Items are replaced in place: each list keeps its selection.
    const int flowTexts[] = {16, 17, 33}, humTexts[] = {13, 14, 51};
    for (int i = 0; i < 3; ++i) {
        Combo_Luftmenge->setItemText(i, Text(flowTexts[i]));
        Combo_Feuchte->setItemText(i, Text(humTexts[i]));
    }
    CheckBox_WB->setText(Text(567));

    RadioButton_PHI_Europa->setText(Text(439));
    RadioButton_PHI_USA->setText(Text(440));
    CheckBox_TotalEff->setText(Text(566));
    CheckBox_HCLASS->setText(Text(560) + " / " + Text(19) + " ErP Lot 6");
    AssignMnemonics(this);
    PlaceControls();
}

// Places the controls of every page for the texts of the current language: each label column is
// as wide as its widest label, so no caption is cut.
void TFormOptionen::PlaceControls() {
    const int pageWidth = PageControl1->width() - 8;
    const int rowH = 22;

    // Environment
    {
        const int lw = std::max(TextWidth(this, Label_Luftdruck->text()), TextWidth(this, Label_HoeheNN->text())) + 4;
        const int x = PageLeft + std::max(lw, 110) + FieldGap;
        int y = 24;
        for (auto [l, e, u] : {std::tuple{Label_Luftdruck, Edit_Luftdruck, Label_mbar},
                               std::tuple{Label_HoeheNN, Edit_HoeheNN, Label_m}}) {
            l->setGeometry(PageLeft, y, x - PageLeft - FieldGap, rowH);
            e->setGeometry(x, y, 90, rowH);
            u->setGeometry(x + 96, y, 50, rowH);
            y += 34;
        }
    }

    // Units and formats
    {
        QTableWidget* t = Tabelle_Einheiten;
        t->setFont(font());
        int need = 140;
        for (int r = 0; r < UnitRows - 1; ++r)
            need = std::max(need, TextWidth(this, t->item(r, 0)->text()) + 10);
        const int sb = t->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, t);
        const int col0 = std::min(need, pageWidth - 2 * PageLeft - 140 - sb - 8);
        t->setColumnWidth(0, col0);
        for (int r = 0; r < UnitRows - 1; ++r) t->setRowHeight(r, QFontMetrics(font()).height() + 4);
        const int tableWidth = col0 + 140 + 8 + sb;
        // As many rows as the page leaves room for above the two separator lines.
        const int room = PageControl1->height() - PageControl1->tabBar()->sizeHint().height() - 26 - 10 - 3 * 28 - 8;
        const int rows = std::clamp(room / t->rowHeight(0), 4, UnitRows - 1);
        t->setGeometry(10, 26, tableWidth, rows * t->rowHeight(0) + 2 * t->frameWidth());
        const int siLeft = 10 + col0 + 14, usLeft = siLeft + 72;
        RadioButton_SI->setGeometry(siLeft, 5, 66, 18);
        RadioButton_US->setGeometry(usLeft, 5, 80, 18);
        const int lw = std::max({TextWidth(this, Label_DecimalSeparator->text()),
                                 TextWidth(this, Label_ThousandSeparator->text()),
                                 TextWidth(this, Label_Waehrung->text()),
                                 TextWidth(this, Label_Papier->text())}) + 4;
        const int x = 10 + lw + FieldGap;
        int y = t->geometry().bottom() + 10;
        for (auto [l, e, w] : {std::tuple{Label_DecimalSeparator, Edit_DecimalSeparator, 24},
                               std::tuple{Label_ThousandSeparator, Edit_ThousandSeparator, 24},
                               std::tuple{Label_Waehrung, Edit_Waehrung, 40}}) {
            l->setGeometry(10, y, lw, rowH);
            e->setGeometry(x, y, w, rowH);
            y += 28;
        }
        // The currency row is hidden in this program; the paper takes the row after the separators.
        const int paperY = Edit_Waehrung->isVisibleTo(this) ? y : y - 28;
        Label_Papier->setGeometry(10, paperY, lw, rowH);
        Combo_Papier->setGeometry(x, paperY, std::min(220, pageWidth - x - 4), rowH);
    }

    // Input data
    {
        const int lw = std::max(TextWidth(this, Label_Luftmenge->text()), TextWidth(this, Label_Feuchte->text())) + 4;
        const int x = PageLeft + std::max(lw, 110) + FieldGap;
        int itemW = 0;
        for (TAlignComboBox* c : {Combo_Luftmenge, Combo_Feuchte})
            for (int i = 0; i < c->count(); ++i) itemW = std::max(itemW, TextWidth(this, c->itemText(i)));
        const int comboW = std::min(std::max(200, itemW + 40), pageWidth - x - 4);
        Label_Luftmenge->setGeometry(PageLeft, 24, x - PageLeft - FieldGap, rowH);
        Combo_Luftmenge->setGeometry(x, 24, comboW, rowH);
        Label_Feuchte->setGeometry(PageLeft, 58, x - PageLeft - FieldGap, rowH);
        Combo_Feuchte->setGeometry(x, 58, comboW, rowH);
        CheckBox_WB->setGeometry(PageLeft, 100, pageWidth - PageLeft, rowH);
    }

    // Process data: the two long method captions wrap.
    {
        const int w = pageWidth - PageLeft;
        auto wrappedHeight = [this, w](const QString& text) {
            const QRect r = QFontMetrics(font()).boundingRect(QRect(0, 0, w - 16, 1000), Qt::TextWordWrap, text);
            return r.height() + 4;
        };
        int y = 16;
        RadioButton_PHI_Europa->setGeometry(PageLeft, y, w, wrappedHeight(RadioButton_PHI_Europa->text()));
        y = RadioButton_PHI_Europa->geometry().bottom() + 12;
        RadioButton_PHI_USA->setGeometry(PageLeft, y, w, wrappedHeight(RadioButton_PHI_USA->text()));
        y = RadioButton_PHI_USA->geometry().bottom() + 8;
        CheckBox_TotalEff->setGeometry(PageLeft + 16, y, w - 16, rowH);
        y += 34;
        CheckBox_HCLASS->setGeometry(PageLeft, y, w, rowH);
    }
}

void TFormOptionen::changeEvent(QEvent* e) {
    if (e->type() == QEvent::LanguageChange) ApplyTexts();
    TQvForm::changeEvent(e);
}

// Enter in an environment field that holds no new entry confirms nothing. The value shown may be
// one the dialog computed (600 mbar is 4203 m, 1100 mbar is 1.086 atm) just beyond the range
// allowed for typed entries; it must not bring up the range message.
bool TFormOptionen::eventFilter(QObject* watched, QEvent* e) {
    if ((watched == Edit_Luftdruck || watched == Edit_HoeheNN) && e->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(e)->key();
        auto* edit = static_cast<TNumEdit*>(watched);
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && !edit->isModified()) {
            edit->selectAll();
            return true;
        }
    }
    return TQvForm::eventFilter(watched, e);
}

void TFormOptionen::showEvent(QShowEvent* e) {
    const bool currency = !CurrencySymbol.isEmpty();
    Label_Waehrung->setVisible(currency);
    Edit_Waehrung->setVisible(currency);
    TQvForm::showEvent(e);
}

// ---- Environment ---------------------------------------------------------------------------
void TFormOptionen::SetUnitSystem(bool si) {
    RadioButton_SI->setChecked(si);
    RadioButton_US->setChecked(!si);
    if (!PaperChosen && Combo_Papier) Combo_Papier->setCurrentIndex(DefaultPaperFor(si) == PaperLetter ? 1 : 0);
    const TEnvironmentDisplay d = EnvironmentDisplay(0.0, 0.0, si);
    Label_mbar->setText(d.PressureUnit);
    Label_m->setText(d.AltitudeUnit);
    Edit_Luftdruck->Digits = d.PressureDigits;
    Edit_HoeheNN->Digits = 0;
    Edit_Luftdruck->Unit = Label_mbar->text();
    Edit_HoeheNN->Unit = Label_m->text();
    const TEnvironmentRanges r = EnvironmentRanges(si);
    Edit_Luftdruck->MinValue = r.PressureMin;
    Edit_Luftdruck->MaxValue = r.PressureMax;
    Edit_HoeheNN->MinValue = r.AltitudeMin;
    Edit_HoeheNN->MaxValue = r.AltitudeMax;
    // Both fields follow the dialog's pressure and altitude, so converting them into the new
    // system is showing these two values again in its units.
    if (si != UnitSI) {
        UnitSI = si;
        ShowEnvironment();
    }
    UnitSI = si;
}

void TFormOptionen::SetPressure(double p) {
    Pressure = p;
    try {
        Altitude = AltitudeFromPressure(p);
    } catch (const MathFault&) {
        Altitude = 0.0;  // only for a pressure the fields refuse anyway
    }
    ShowEnvironment();
}

void TFormOptionen::ShowEnvironment() {
    const TEnvironmentDisplay d = EnvironmentDisplay(Pressure, Altitude, UnitSI);
    Edit_Luftdruck->SetValue(d.Pressure);
    Edit_HoeheNN->SetValue(d.Altitude);
}

void TFormOptionen::Edit_LuftdruckCalculate(QObject* sender) {
    if (sender == Edit_Luftdruck) {
        const double v = Edit_Luftdruck->Value();
        SetPressure(UnitSI ? v : ConvertUnit(QPressure, CodeAtm, CodeMbar, v));
    } else if (sender == Edit_HoeheNN) {
        const double v = Edit_HoeheNN->Value();
        const double z = UnitSI ? v : ConvertUnit(QLength, CodeFoot, CodeMetre, v);
        try {
            const double p = PressureFromAltitude(z);
            Altitude = z;
            SetPressure(p);
        } catch (const MathFault&) {
            // an altitude without an air pressure is not taken; the fields show the last state
        }
    }
    ShowEnvironment();
}

void TFormOptionen::SetHumidityMode(std::uint8_t mode) {
    HumidityMode = mode;
    Combo_Feuchte->setCurrentIndex(mode == 7 ? 2 : std::min<int>(mode, 2));
}

void TFormOptionen::SetFlowMode(std::uint8_t mode) {
    FlowMode = mode;
    Combo_Luftmenge->setCurrentIndex(mode == 3 ? 2 : std::min<int>(mode, 2));
}

// ---- Calculation standard ------------------------------------------------------------------
void TFormOptionen::RadioButton_PHIClick() {
    const bool usa = RadioButton_PHI_USA->isChecked();
    const bool europe = RadioButton_PHI_Europa->isChecked();
    CheckBox_TotalEff->setEnabled(usa);
    CheckBox_TotalEff->setChecked(usa);
    CheckBox_HCLASS->setEnabled(europe);
    CheckBox_HCLASS->setChecked(europe);
}

// ---- OK ---------------------------------------------------------------------------------------
void TFormOptionen::Button_OKClick() {
    // An entry still being typed is judged now; one outside its range keeps the dialog open.
    for (TNumEdit* e : {Edit_Luftdruck, Edit_HoeheNN})
        if (e->isModified() && !e->ConfirmPending()) {
            PageControl1->setCurrentWidget(Seite_Umgebung);
            return;
        }
    QChar d = ProcessDecimalSeparator(), t = ProcessThousandSeparator();
    const TSeparatorCheck check = ChooseSeparators(Edit_DecimalSeparator->text(), Edit_ThousandSeparator->text(), d, t);
    if (check != TSeparatorCheck::Ok) {
        QString message;
        QLineEdit* field = Edit_DecimalSeparator;
        switch (check) {
        case TSeparatorCheck::UnusableDecimal:
            message = Text(207) + ": \"" + Edit_DecimalSeparator->text() + "\"";
            break;
        case TSeparatorCheck::UnusableThousand:
            message = Text(208) + ": \"" + Edit_ThousandSeparator->text() + "\"";
            field = Edit_ThousandSeparator;
            break;
        default:
            message = Text(207) + " \u2260 " + Text(208);
            field = Edit_ThousandSeparator;
        }
        PageControl1->setCurrentWidget(Seite_Einheiten);
        ShowMessageBox(message, Text(165), mtWarning);
        field->setFocus(Qt::OtherFocusReason);
        field->selectAll();
        return;
    }
    m_decimal = d;
    m_thousand = t;
    accept();
}

// ---- Exchange with the main window -----------------------------------------------------------
bool ExchangeSettings(TFormBasis& owner) {
    auto* dlg = qobject_cast<TFormOptionen*>(owner.FormOptionen.data());
    if (!dlg) {
        dlg = new TFormOptionen(&owner);
        owner.FormOptionen = dlg;
    }
    dlg->PaperChosen = false;
    dlg->SetUnitSystem(owner.UnitSystemSI);
    dlg->Combo_Papier->setCurrentIndex(TPageSettings::PaperSize == PaperLetter ? 1 : 0);
    dlg->PaperChosen = !owner.PaperChoice.isEmpty();
    dlg->SetPressure(owner.Selection.Pressure);
    dlg->SetHumidityMode(owner.Selection.HumidityMode);
    dlg->SetFlowMode(owner.Selection.FlowMode);
    dlg->Edit_DecimalSeparator->setText(CharText(ProcessDecimalSeparator()));
    dlg->Edit_ThousandSeparator->setText(CharText(ProcessThousandSeparator()));
    (owner.Selection.AmericanMethod ? static_cast<QAbstractButton*>(dlg->RadioButton_PHI_USA)
                          : static_cast<QAbstractButton*>(dlg->RadioButton_PHI_Europa))
        ->setChecked(true);
    if (owner.Selection.AmericanMethod) dlg->CheckBox_TotalEff->setChecked(owner.TotalEffectiveness);
    dlg->CheckBox_WB->setChecked(owner.WetBulbOnDatasheet);
    dlg->CheckBox_HCLASS->setChecked(owner.Selection.EnergyClasses);

    if (dlg->exec() != QDialog::Accepted) return false;

    owner.SetAirPressure(dlg->Pressure);
    if (dlg->PaperChosen)
        owner.PaperChoice = PaperSetting(dlg->Combo_Papier->currentIndex() == 1 ? PaperLetter : PaperA4);
    owner.SetUnitSystem(dlg->UnitSI);
    owner.SetHumidityMode(dlg->HumidityMode);
    owner.SetFlowMode(dlg->FlowMode);
    SetProcessSeparators(dlg->DecimalSeparator(), dlg->ThousandSeparator());
    owner.Selection.SetCalculationStandard(dlg->RadioButton_PHI_USA->isChecked(),
                                           dlg->CheckBox_HCLASS->isChecked(), owner.Selection.FlowAtOutlet);
    owner.TotalEffectiveness = dlg->CheckBox_TotalEff->isChecked();
    owner.WetBulbOnDatasheet = dlg->CheckBox_WB->isChecked();
    owner.SettingsChanged();
    return true;
}
