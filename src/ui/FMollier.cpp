#include "ui/FMollier.h"

#include <QAction>
#include <QActionGroup>
#include <QContextMenuEvent>
#include <QFileDialog>
#include <QInputDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QScrollArea>
#include <QStandardPaths>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <exception>

#include "app/UGlobal.h"
#include "app/URessourcen.h"
#include "ui/FSeite.h"
#include "print/UPageFrame.h"
#include "thermo/UZahlformat.h"
#include "ui/UMollierBild.h"
#include "ui/UQvControls.h"
#include "ui/UQvMessage.h"
#include "ui/UPageLists.h"

namespace {

struct TZoom {
    const char* name;
    int width, height; // 0: "Auto"
};
constexpr TZoom kZooms[] = {{"25 %", 150, 200},  {"50 %", 300, 400},   {"75 %", 450, 600},
                            {"100 %", 600, 800}, {"150 %", 900, 1200}, {"200 %", 1200, 1600},
                            {"", 0, 0}};  // automatic: language text
constexpr int kZoomAuto = 6;

// Language texts of the picture command.
constexpr int kTextSavePicture = 690;    // "Save picture"
constexpr int kTextSvgFilter = 691;      // "SVG drawing"
constexpr int kTextPngFilter = 692;      // "PNG image"
constexpr int kTextResolution = 693;     // "Resolution"
constexpr int kTextPictureFormats = 694; // "A picture is saved as .svg or .png."

QIcon Glyph(const QString& name)
{
    try {
        return QIcon(QPixmap::fromImage(LoadBitmap(name)));
    } catch (const std::exception&) {
        return QIcon();
    }
}

QColor ToQColor(TRgb c)
{
    return QColor(c.r, c.g, c.b);
}

QString Resolve(const std::vector<TTextPart>& parts)
{
    QString s;
    for (const TTextPart& p : parts)
        s += p.textNumber != 0 ? LoadText(p.textNumber) : QString::fromStdString(p.literal);
    return s;
}

Qt::PenStyle ToPenStyle(TChartPen p)
{
    switch (p) {
    case TChartPen::Dot:
        return Qt::DotLine;
    case TChartPen::Clear:
        return Qt::NoPen;
    default:
        return Qt::SolidLine;
    }
}

} // namespace

TMollierBox::TMollierBox(TFormMollier& form, QWidget* parent) : QWidget(parent), form_(form)
{
    setObjectName(QStringLiteral("PaintBox1"));
}

void TMollierBox::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    form_.PaintChart(p, QRectF(rect()));
}

TFormMollier::TFormMollier(QWidget* parent) : TQvForm(parent)
{
    setObjectName(QStringLiteral("FormMollier"));
    setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint);
    setFont(DialogFont);

    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    auto* bar = new QHBoxLayout(panel);
    bar->setContentsMargins(4, 2, 4, 2);
    bar->setSpacing(4);
    auto makeButton = [&](QToolButton*& b, const char* name, const QString& glyph) {
        b = new QToolButton(panel);
        b->setObjectName(QLatin1String(name));
        b->setIcon(Glyph(glyph));
        b->setIconSize(QSize(16, 16));
        b->setAutoRaise(true);
        b->setFixedSize(27, 27);
        bar->addWidget(b);
    };
    makeButton(Button_Close, "Button_Close", QStringLiteral("BUTTON_CLOSE"));
    makeButton(Button_Seite, "Button_Seite", QStringLiteral("BUTTON_PAGE"));
    makeButton(Button_Bild, "Button_Bild", QStringLiteral("BUTTON_PICTURE"));
    auto makeCombo = [&](TAlignComboBox*& c, const char* name, int minWidth) {
        c = new TAlignComboBox(panel);
        c->setObjectName(QLatin1String(name));
        c->setMinimumWidth(minWidth);
        bar->addWidget(c);
    };
    makeCombo(Combo_Carrier, "Combo_Carrier", 90);
    Combo_Carrier->addItem(QString());  // Mollier, Carrier: ApplyTexts
    Combo_Carrier->addItem(QString());
    makeCombo(Combo_Temperatur, "Combo_Temperatur", 120);
    makeCombo(Combo_Feuchte, "Combo_Feuchte", 120);
    makeCombo(Combo_Zoom, "Combo_Zoom", 80);
    bar->addStretch(1);

    PopupMenu1 = new QMenu(this);
    auto* group = new QActionGroup(this);
    const char* zoomNames[] = {"Zoom25", "Zoom50", "Zoom75", "Zoom100", "Zoom150", "Zoom200", "ZoomAuto"};
    for (int i = 0; i < 7; ++i) {
        Combo_Zoom->addItem(QString::fromLatin1(kZooms[i].name));
        QAction* a = PopupMenu1->addAction(QString::fromLatin1(kZooms[i].name));
        a->setObjectName(QLatin1String(zoomNames[i]));
        a->setCheckable(true);
        group->addAction(a);
        ZoomItems.push_back(a);
        connect(a, &QAction::triggered, this, [this, i] { SetZoom(i); });
    }

    PopupMenu1->addSeparator();
    Menu_Bild = PopupMenu1->addAction(QString());
    Menu_Bild->setObjectName(QStringLiteral("Menu_Bild"));
    connect(Menu_Bild, &QAction::triggered, this, &TFormMollier::SavePicture);

    ScrollBox1 = new QScrollArea(this);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    ScrollBox1->setWidgetResizable(false);
    ScrollBox1->setAlignment(Qt::AlignCenter);
    PaintBox1 = new TMollierBox(*this);
    ScrollBox1->setWidget(PaintBox1);
    PaintBox1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(PaintBox1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& p) { PopupMenu1->popup(PaintBox1->mapToGlobal(p)); });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(panel);
    layout->addWidget(ScrollBox1, 1);

    building_ = true;
    Combo_Carrier->setCurrentIndex(0);
    RebuildRangeLists();
    Combo_Feuchte->setCurrentIndex(0);
    Combo_Temperatur->setCurrentIndex(1);
    building_ = false;

    connect(Button_Close, &QToolButton::clicked, this, &QDialog::accept);
    connect(Button_Seite, &QToolButton::clicked, this, &TFormMollier::ShowPage);
    connect(Button_Bild, &QToolButton::clicked, this, &TFormMollier::SavePicture);
    PictureDpi = kPictureDpiDefault;
    ChoosePictureFile = [this](const QString& suggested) {
        QFileDialog dialog(this, LoadText(kTextSavePicture));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        const QStringList filters = {LoadText(kTextSvgFilter) + QStringLiteral(" (*.svg)"),
                                     LoadText(kTextPngFilter) + QStringLiteral(" (*.png)")};
        dialog.setNameFilters(filters);
        dialog.setDefaultSuffix(QStringLiteral("svg"));
        connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog, filters](const QString& f) {
            dialog.setDefaultSuffix(f == filters[1] ? QStringLiteral("png") : QStringLiteral("svg"));
        });
        dialog.setDirectory(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
        dialog.selectFile(suggested);
        return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()
                   ? dialog.selectedFiles().first()
                   : QString();
    };
    ChoosePictureDpi = [this](int current) {
        bool ok = false;
        const int dpi = QInputDialog::getInt(this, LoadText(kTextSavePicture),
                                             LoadText(kTextResolution) + QStringLiteral(" [dpi]:"), current,
                                             kPictureDpiMin, kPictureDpiMax, 10, &ok);
        return ok ? dpi : 0;
    };
    connect(Combo_Carrier, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (building_)
            return;
        CarrierChart = i == 1;
        RedrawChart();
    });
    auto rangeChanged = [this](int) {
        if (!building_)
            RedrawChart();
    };
    connect(Combo_Temperatur, &QComboBox::currentIndexChanged, this, rangeChanged);
    connect(Combo_Feuchte, &QComboBox::currentIndexChanged, this, rangeChanged);
    connect(Combo_Zoom, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (!building_)
            SetZoom(i);
    });

    resize(700, 860);
    ApplyTexts();
    SetZoom(kZoomAuto);
    RedrawChart();
}

void TFormMollier::ApplyTexts()
{
    setWindowTitle(LoadText(156));
    Combo_Carrier->setItemText(0, LoadText(611));
    Combo_Carrier->setItemText(1, LoadText(612));
    Combo_Zoom->setItemText(kZoomAuto, LoadText(624));
    ZoomItems[kZoomAuto]->setText(LoadText(624));
    Button_Bild->setToolTip(LoadText(kTextSavePicture));
    Menu_Bild->setText(LoadText(kTextSavePicture) + QStringLiteral("..."));
}

void TFormMollier::SavePicture()
{
    const QString path = ChoosePictureFile ? ChoosePictureFile(windowTitle() + QStringLiteral(".svg"))
                                           : QString();
    if (path.isEmpty())
        return;
    TPictureFormat format;
    if (!PictureFormatOfPath(path, format)) {
        ShowMessageBox(LoadText(kTextPictureFormats), windowTitle(), mtError);
        return;
    }
    if (format == TPictureFormat::Png) {
        const int dpi = ChoosePictureDpi ? ChoosePictureDpi(PictureDpi) : 0;
        if (dpi == 0)
            return;
        PictureDpi = dpi;
    }
    if (auto problem = SaveChartPicture(*this, path, format, PictureDpi))
        ShowMessageBox(*problem, windowTitle(), mtError);
}

void TFormMollier::RebuildRangeLists()
{
    const bool wasBuilding = building_;
    building_ = true;
    const int hi = std::max(0, Combo_Feuchte->currentIndex());
    const int ti = std::max(0, Combo_Temperatur->currentIndex());
    Combo_Feuchte->clear();
    Combo_Temperatur->clear();
    for (int i = 0; i < kChartRangeItems; ++i) {
        Combo_Feuchte->addItem(QStringLiteral("0 .. %1 %2")
                                   .arg(HumidityRangeMax(SI, i))
                                   .arg(SI ? QStringLiteral("g/kg") : QStringLiteral("gr/lb")));
        Combo_Temperatur->addItem((SI ? QStringLiteral("-20 .. ") : QStringLiteral("0 .. ")) +
                                  QString::number(TemperatureRangeMax(SI, i)) +
                                  LoadText(SI ? 411 : 412));
    }
    Combo_Feuchte->setCurrentIndex(hi);
    Combo_Temperatur->setCurrentIndex(ti);
    building_ = wasBuilding;
}

void TFormMollier::SetChartPressure(double P)
{
    Pressure = P;
    RedrawChart();
}

void TFormMollier::SetChartForm(bool carrier)
{
    CarrierChart = carrier;
    const bool wasBuilding = building_;
    building_ = true;
    Combo_Carrier->setCurrentIndex(carrier ? 1 : 0);
    building_ = wasBuilding;
    RedrawChart();
}

void TFormMollier::SetChartUnits(bool si)
{
    SI = si;
    RebuildRangeLists();
    RedrawChart();
}

void TFormMollier::SetProcessLines(std::vector<TProcessLine> lines)
{
    ProcessLines = std::move(lines);
}

int TFormMollier::HumidityItem() const
{
    return std::max(0, Combo_Feuchte->currentIndex());
}

int TFormMollier::TemperatureItem() const
{
    return std::max(0, Combo_Temperatur->currentIndex());
}

void TFormMollier::SetRangeItems(int humidityItem, int temperatureItem)
{
    const bool wasBuilding = building_;
    building_ = true;
    Combo_Feuchte->setCurrentIndex(std::clamp(humidityItem, 0, kChartRangeItems - 1));
    Combo_Temperatur->setCurrentIndex(std::clamp(temperatureItem, 0, kChartRangeItems - 1));
    building_ = wasBuilding;
    RedrawChart();
}

void TFormMollier::RaiseRanges()
{
    double xMax = 0, tMax = -1e300;
    for (const TProcessLine& line : ProcessLines)
        for (const TProcessPoint& p : line) {
            xMax = std::max(xMax, p.x);
            tMax = std::max(tMax, p.t);
        }
    int hi = HumidityItem(), ti = TemperatureItem();
    RaiseChartRanges(xMax, tMax, hi, ti);
    SetRangeItems(hi, ti);
}

void TFormMollier::DrawLayer(QPainter& painter, const TChartLayer& layer, double kx, double ky)
{
    const double scale = std::sqrt(kx * ky);
    painter.save();
    for (const TChartLine& line : layer.lines) {
        if (line.pen == TChartPen::Clear || line.points.size() < 2)
            continue;
        QPen pen(ToQColor(line.colour));
        pen.setStyle(ToPenStyle(line.pen));
        if (line.width > 0) {
            pen.setWidthF(line.width * scale);
            pen.setCapStyle(line.kind == TChartLineKind::Process ? Qt::RoundCap : Qt::FlatCap);
            if (line.pen == TChartPen::Dot) {
                // Round dots one pen width across, one width apart, so a short wide line still
                // reads as dotted.
                pen.setCapStyle(Qt::RoundCap);
                pen.setDashPattern({0.01, 2.0});
            }
        } else {
            pen.setWidth(0); // hairline
        }
        painter.setPen(pen);
        QPolygonF poly;
        for (const TChartPoint& p : line.points)
            poly << QPointF(p.x * kx, p.y * ky);
        painter.drawPolyline(poly);
    }
    for (const TChartDot& dot : layer.dots) {
        painter.setPen(QPen(ToQColor(dot.outline), 0));
        painter.setBrush(ToQColor(dot.fill));
        const double r = dot.radius * scale;
        painter.drawEllipse(QPointF(dot.centre.x * kx, dot.centre.y * ky), r, r);
    }
    for (const TChartText& t : layer.texts) {
        const QString text = Resolve(t.parts);
        if (text.isEmpty())
            continue;
        QFont f = ChartFont;
        f.setPixelSize(std::max(1, static_cast<int>(std::lround(t.height * scale))));
        painter.setFont(f);
        painter.setPen(ToQColor(t.colour));
        const QFontMetricsF fm(f, painter.device());
        const double w = fm.horizontalAdvance(text);
        double x = 0, y = 0;
        if (t.hAlign == THAlign::Centre)
            x = -w / 2;
        else if (t.hAlign == THAlign::Right)
            x = -w;
        if (t.vAlign == TVAlign::Top)
            y = fm.ascent();
        else if (t.vAlign == TVAlign::Middle)
            y = (fm.ascent() - fm.descent()) / 2;
        else
            y = -fm.descent();
        painter.save();
        painter.translate(t.at.x * kx, t.at.y * ky);
        painter.rotate(-t.angle); // the geometry counts angles counter-clockwise on the screen
        painter.drawText(QPointF(x, y), text);
        painter.restore();
    }
    painter.restore();
}

void TFormMollier::RedrawChart(bool /*forPdf*/)
{
    TChartSettings s;
    s.carrier = CarrierChart;
    s.si = SI;
    s.pressure = Pressure;
    s.humidityItem = HumidityItem();
    s.temperatureItem = TemperatureItem();
    try {
        Chart = BuildChart(s, ProcessLines);
    } catch (const std::exception&) {
        Chart = TChart{}; // a chart that cannot be built shows empty
    }
    GridLayer = Chart.grid;
    // An empty process list leaves the process drawing as it was.
    if (!ProcessLines.empty())
        ProcessLayer = Chart.processes;
    if (PaintBox1)
        PaintBox1->update();
}

void TFormMollier::PaintChart(QPainter& painter, const QRectF& target) const
{
    // Scaled coordinates rather than a scaled painter: text then renders at its real size.
    const double kx = target.width() / kChartFrameWidth, ky = target.height() / kChartFrameHeight;
    painter.save();
    painter.translate(target.topLeft());
    try {
        DrawLayer(painter, GridLayer, kx, ky);
        DrawLayer(painter, ProcessLayer, kx, ky);
    } catch (const std::exception&) {
        // drawing errors are swallowed; what was drawn stays
    }
    painter.restore();
}

void TFormMollier::SetZoom(int item)
{
    zoom_ = std::clamp(item, 0, kZoomAuto);
    const bool wasBuilding = building_;
    building_ = true;
    Combo_Zoom->setCurrentIndex(zoom_);
    ZoomItems[zoom_]->setChecked(true);
    building_ = wasBuilding;
    ApplyZoom();
}

void TFormMollier::ApplyZoom()
{
    QSize size(kZooms[zoom_].width, kZooms[zoom_].height);
    if (zoom_ == kZoomAuto) {
        const QSize client = ScrollBox1->viewport()->size();
        const int s = std::max(1, std::min((client.height() - 8) / 4, (client.width() - 8) / 3));
        size = QSize(3 * s, 4 * s);
    }
    PaintBox1->resize(size);
    PaintBox1->update();
}

void TFormMollier::resizeEvent(QResizeEvent* e)
{
    TQvForm::resizeEvent(e);
    if (zoom_ == kZoomAuto)
        ApplyZoom();
}

void TFormMollier::showEvent(QShowEvent* e)
{
    TQvForm::showEvent(e);
    if (zoom_ == kZoomAuto)
        ApplyZoom();
}

void TFormMollier::changeEvent(QEvent* e)
{
    TQvForm::changeEvent(e);
    if (e->type() == QEvent::LanguageChange) {
        ApplyTexts();
        RebuildRangeLists();
        if (PaintBox1)
            PaintBox1->update(); // the chart's texts are looked up when painted
    }
}

void TFormMollier::ShowPage()
{
    if (!Owner)
        return;
    auto* preview = qobject_cast<TFormSeite*>(Owner->FormSeite.data());
    if (!preview) {
        preview = new TFormSeite(Owner);
        Owner->FormSeite = preview;
    }
    // The preview's notes button edits the notes of the chart page.
    TFormBasis* owner = Owner;
    preview->OnEditNotes = [owner] { owner->EditNotesChart(); };
    // Hiding a dialog that runs modally would end its modal loop, so the chart only steps aside
    // when it is shown without one; the preview opens on top of it either way.
    const bool stepAside = isVisible() && !isModal();
    if (stepAside)
        hide();
    preview->DruckVorschau(Owner, Pages);
    if (stepAside)
        show();
}

void ChartPage(TFormBasis* owner, QPainter& canvas, bool forPdf)
{
    if (!owner)
        return;
    const QStringList notes = ToLines(owner->Selection.NotesChart);
    DrawPageHeader(owner, canvas, owner->Selection.PrintHeader, true, &notes);
    auto* chart = qobject_cast<TFormMollier*>(owner->FormMollier.data());
    if (!chart)
        return;
    if (forPdf)
        chart->RedrawChart(true);
    chart->PaintChart(canvas, QRectF(250, 700, 1900 - 250, 2800 - 700));
    if (forPdf)
        chart->RedrawChart(false);
}
