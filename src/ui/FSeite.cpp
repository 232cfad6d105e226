#include "ui/FSeite.h"

#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QScrollArea>
#include <QScrollBar>
#include <QStandardPaths>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>

#include "app/UGlobal.h"
#include "app/URessourcen.h"
#include "pdf/UPdfEngine.h"
#include "print/UPageFrame.h"
#include "print/UPdfExport.h"
#include "print/UTools.h"
#include "ui/UQvControls.h"
#include "ui/UQvMessage.h"
#include "ui/UPageLists.h"

namespace {

constexpr int kZoomSteps[] = {25, 50, 75, 100, 125, 150, 175, 200, 300};
constexpr int kZoomToWidth = 9;
constexpr int kZoomToFit = 10;

int RoundInt(double v) { return static_cast<int>(std::nearbyint(v)); }

QIcon Glyph(const QString& name) {
  try {
    return QIcon(QPixmap::fromImage(LoadBitmap(name)));
  } catch (const std::exception&) {
    return QIcon();
  }
}

QIcon Glyph(int id) {
  try {
    return QIcon(QPixmap::fromImage(LoadBitmap(id)));
  } catch (const std::exception&) {
    return QIcon();
  }
}

// A file name made from a window caption: no folder separators or characters
// that file systems reject.
QString FileNameFromCaption(QString caption) {
  static const QString bad = QStringLiteral("/\\:*?\"<>|");
  for (QChar& c : caption)
    if (bad.contains(c) || c.unicode() < 32) c = QLatin1Char('_');
  caption = caption.trimmed();
  return caption.isEmpty() ? QStringLiteral("VX") : caption;
}

// "Cannot write the PDF file <name>: <reason>" in the interface language.
QString PdfErrorText(const QString& file, const QString& reason) {
  return FillText(LoadText(605), {QDir::toNativeSeparators(file), reason});
}

}  // namespace

TPaintBox::TPaintBox(TFormSeite& form, QWidget* parent) : QWidget(parent), form_(form) {
  setObjectName(QStringLiteral("PaintBox1"));
  setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void TPaintBox::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setRenderHint(QPainter::TextAntialiasing, true);
  form_.PaintPage(p);
}

TFormSeite::TFormSeite(QWidget* parent) : TQvForm(parent) {
  setObjectName(QStringLiteral("FormSeite"));
  setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint);
  Printer1 = new QPrinter(QPrinter::HighResolution);

  auto* panel = new QWidget(this);
  panel->setObjectName(QStringLiteral("Panel1"));
  panel->setFixedHeight(31);
  auto* bar = new QHBoxLayout(panel);
  bar->setContentsMargins(4, 2, 4, 2);
  bar->setSpacing(2);
  auto makeButton = [&](QToolButton*& b, const char* name, const QIcon& icon) {
    b = new QToolButton(panel);
    b->setObjectName(QLatin1String(name));
    b->setIcon(icon);
    b->setIconSize(QSize(16, 16));
    b->setAutoRaise(true);
    b->setFixedSize(27, 27);
    bar->addWidget(b);
  };
  makeButton(Button_Close, "Button_Close", Glyph(QStringLiteral("BUTTON_CLOSE")));
  makeButton(Button_Print, "Button_Print", Glyph(QStringLiteral("BUTTON_PRINT")));
  makeButton(Button_PDF, "Button_PDF", Glyph(9990));
  makeButton(Button_Edit, "Button_Edit", Glyph(QStringLiteral("BUTTON_NOTES")));
  bar->addSpacing(8);
  Combo_Zoom = new TAlignComboBox(panel);
  Combo_Zoom->setObjectName(QStringLiteral("Combo_Zoom"));
  for (int z : kZoomSteps) Combo_Zoom->addItem(QStringLiteral("%1 %").arg(z));
  Combo_Zoom->addItem(QStringLiteral("Zoom to width"));
  Combo_Zoom->addItem(QStringLiteral("Zoom to fit"));
  Combo_Zoom->setCurrentIndex(3);
  Combo_Zoom->setMinimumWidth(130);
  bar->addWidget(Combo_Zoom);
  bar->addSpacing(8);
  makeButton(Button_First, "Button_First", Glyph(QStringLiteral("BUTTON_FIRST")));
  makeButton(Button_Previous, "Button_Previous", Glyph(QStringLiteral("BUTTON_PREVIOUS")));
  L_Seitenzahl = new QLabel(panel);
  L_Seitenzahl->setObjectName(QStringLiteral("L_Seitenzahl"));
  L_Seitenzahl->setMinimumWidth(110);
  L_Seitenzahl->setAlignment(Qt::AlignCenter);
  bar->addWidget(L_Seitenzahl);
  makeButton(Button_Next, "Button_Next", Glyph(QStringLiteral("BUTTON_NEXT")));
  makeButton(Button_Last, "Button_Last", Glyph(QStringLiteral("BUTTON_LAST")));
  Button_First->setVisible(false);
  Button_Last->setVisible(false);
  bar->addStretch(1);

  ScrollBox1 = new QScrollArea(this);
  ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
  ScrollBox1->setBackgroundRole(QPalette::Dark);
  ScrollBox1->setWidgetResizable(false);
  auto* surface = new QWidget;
  surface->setBackgroundRole(QPalette::Dark);
  PaintBox1 = new TPaintBox(*this, surface);
  PaintBox1->move(8, 8);
  ScrollBox1->setWidget(surface);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(panel);
  layout->addWidget(ScrollBox1, 1);

  // Page Up and Page Down reach the window itself: the surface and the tool
  // bar take no keyboard focus, the zoom list only by a click.
  setFocusPolicy(Qt::StrongFocus);
  for (QToolButton* b : {Button_Close, Button_Print, Button_PDF, Button_Edit, Button_First,
                         Button_Previous, Button_Next, Button_Last})
    b->setFocusPolicy(Qt::NoFocus);
  Combo_Zoom->setFocusPolicy(Qt::ClickFocus);
  ScrollBox1->setFocusPolicy(Qt::NoFocus);

  connect(Button_Close, &QToolButton::clicked, this, &QDialog::accept);
  connect(Button_Print, &QToolButton::clicked, this, &TFormSeite::Print);
  connect(Button_PDF, &QToolButton::clicked, this, &TFormSeite::ExportPdf);
  connect(Button_Edit, &QToolButton::clicked, this, &TFormSeite::EditNotes);
  connect(Button_First, &QToolButton::clicked, this, &TFormSeite::First);
  connect(Button_Previous, &QToolButton::clicked, this, &TFormSeite::Previous);
  connect(Button_Next, &QToolButton::clicked, this, &TFormSeite::Next);
  connect(Button_Last, &QToolButton::clicked, this, &TFormSeite::Last);
  connect(Combo_Zoom, qOverload<int>(&QComboBox::currentIndexChanged), this, [this](int) {
    ApplyZoom();
    setFocus();  // back to the page keys after a choice
  });

  ChoosePdfFile = [this](const QString& suggested) {
    QFileDialog dialog(this);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    dialog.setNameFilter(QStringLiteral("Adobe PDF (*.pdf)"));
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    dialog.setDirectory(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    dialog.selectFile(suggested);
    return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()
               ? dialog.selectedFiles().first()
               : QString();
  };
  RunPrintDialog = [this](QPrinter& printer) {
    QPrintDialog dialog(&printer, this);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setMinMax(1, PageCount);
    dialog.setFromTo(1, PageCount);
    return dialog.exec() == QDialog::Accepted;
  };

  ApplyTexts();
  RecomputeLayout();
}

TFormSeite::~TFormSeite() { delete Printer1; }

void TFormSeite::ApplyTexts() {
  setFont(DialogFont);
  const int index = Combo_Zoom->currentIndex();
  Combo_Zoom->setItemText(kZoomToWidth, LoadText(176));
  Combo_Zoom->setItemText(kZoomToFit, LoadText(177));
  if (Combo_Zoom->currentIndex() != index) Combo_Zoom->setCurrentIndex(index);
  Button_Close->setToolTip(LoadText(151));
  Button_Print->setToolTip(LoadText(146));
  Button_PDF->setToolTip(QStringLiteral("PDF"));
  Button_Edit->setToolTip(LoadText(135));
  RefreshNavigation();
}

void TFormSeite::ComputeFit(QSize pixels, int pageWidth, int pageHeight, int& fitExtent,
                            int& fitPixels) {
  if (pixels.width() <= 0 || pixels.height() <= 0 || pageWidth <= 0 || pageHeight <= 0) {
    fitExtent = pageHeight > 0 ? pageHeight : 1;
    fitPixels = 1;
    return;
  }
  if (pixels.height() > static_cast<double>(pixels.width()) * pageHeight / pageWidth) {
    fitPixels = pixels.width();
    fitExtent = pageWidth;
  } else {
    fitPixels = pixels.height();
    fitExtent = pageHeight;
  }
}

void TFormSeite::RecomputeLayout() {
  const QSize page = TPageSettings::Size();
  PageWidth = page.width();
  PageHeight = page.height();
  Printer1->setPageOrientation(TPageSettings::Landscape ? QPageLayout::Landscape
                                                        : QPageLayout::Portrait);
  paintBoxPixels_ = QSize(RoundInt(PageWidth / 254.0 * kRasterDpi),
                          RoundInt(PageHeight / 254.0 * kRasterDpi));
  ComputeFit(paintBoxPixels_, PageWidth, PageHeight, FitExtent, FitPixels);

  const int w = RoundInt(Zoom / 350.0 * paintBoxPixels_.width());
  const int h = RoundInt(Zoom / 350.0 * paintBoxPixels_.height());
  PaintBox1->resize(w, h);
  PaintBox1->parentWidget()->resize(w + 40, h + 40);
  ScrollBox1->horizontalScrollBar()->setSingleStep(std::max(1, (w + 40) / 30));
  ScrollBox1->verticalScrollBar()->setSingleStep(std::max(1, (h + 40) / 30));
  PaintBox1->update();
}

void TFormSeite::ApplyZoom() {
  const int index = Combo_Zoom->currentIndex();
  const QSize client = ScrollBox1->viewport()->size();
  const QSize px = paintBoxPixels_;
  if (index >= 0 && index < kZoomToWidth) {
    Zoom = kZoomSteps[index];
  } else if (index == kZoomToWidth || index == kZoomToFit) {
    int z = RoundInt((client.width() - 40.0) / px.width() * 350.0);
    if (index == kZoomToFit) z = std::min(z, RoundInt((client.height() - 40.0) / px.height() * 350.0));
    Zoom = z;
  }
  if (Zoom < 10) Zoom = 10;
  RecomputeLayout();
}

void TFormSeite::PaintPage(QPainter& p) {
  const int v = RoundInt(Zoom / 350.0 * FitPixels);
  p.setWindow(0, 0, FitExtent, FitExtent);
  p.setViewport(0, 0, v, v);
  p.setBrush(Qt::white);
  p.setPen(QPen(Qt::black, 0));
  p.drawRect(QRect(0, 0, RoundInt(double(FitExtent) / FitPixels * paintBoxPixels_.width()),
                   RoundInt(double(FitExtent) / FitPixels * paintBoxPixels_.height())));
  p.setBrush(Qt::NoBrush);
  if (CurrentPage >= 1 && CurrentPage <= Pages.size())
    if (const TPageProc proc = Pages[CurrentPage - 1])
      DrawPageOnPaper([&](QPainter& c, bool pdf) { proc(Owner, c, pdf); }, p, false,
                      QSize(PageWidth, PageHeight));
}

void TFormSeite::Prepare(TFormBasis* owner, const std::vector<TPageProc>& pages) {
  Owner = owner;
  if (owner) {
    setWindowIcon(owner->windowIcon());
    setWindowTitle(owner->windowTitle());
  }
  Pages = pages;
  PageCount = static_cast<std::uint8_t>(std::min<std::size_t>(pages.size(), 255));
  CurrentPage = 1;
  RecomputeLayout();
  RefreshNavigation();
}

void TFormSeite::DruckVorschau(TFormBasis* owner, const std::vector<TPageProc>& pages) {
  Prepare(owner, pages);
  setWindowState(windowState() | Qt::WindowMaximized);
  exec();
}

void TFormSeite::RefreshNavigation() {
  Button_Next->setEnabled(CurrentPage < PageCount);
  Button_Last->setEnabled(CurrentPage < PageCount);
  Button_Previous->setEnabled(CurrentPage > 1);
  Button_First->setEnabled(CurrentPage > 1);
  QString label = LoadText(389);
  label.replace(label.indexOf(QLatin1String("%d")), 2, QString::number(CurrentPage));
  label.replace(label.indexOf(QLatin1String("%d")), 2, QString::number(PageCount));
  L_Seitenzahl->setText(label);
}

void TFormSeite::Previous() {
  if (CurrentPage > 1) {
    --CurrentPage;
    RecomputeLayout();
  }
  RefreshNavigation();
}

void TFormSeite::Next() {
  if (CurrentPage < PageCount) {
    ++CurrentPage;
    RecomputeLayout();
  }
  RefreshNavigation();
}

void TFormSeite::First() {
  if (CurrentPage != 1 && PageCount > 0) {
    CurrentPage = 1;
    RecomputeLayout();
  }
  RefreshNavigation();
}

void TFormSeite::Last() {
  if (CurrentPage != PageCount && PageCount > 0) {
    CurrentPage = PageCount;
    RecomputeLayout();
  }
  RefreshNavigation();
}

void TFormSeite::EditNotes() {
  if (!OnEditNotes) return;
  OnEditNotes();
  ApplyZoom();
}

void TFormSeite::keyPressEvent(QKeyEvent* e) {
  if (e->key() == Qt::Key_PageUp) {
    Previous();
  } else if (e->key() == Qt::Key_PageDown) {
    Next();
  } else {
    TQvForm::keyPressEvent(e);
  }
}

void TFormSeite::Activate() {
  if (FirstActivation) {
    FirstActivation = false;
    const QSignalBlocker block(Combo_Zoom);
    Combo_Zoom->setCurrentIndex(kZoomToWidth);
  }
  ApplyZoom();
  Button_Edit->setEnabled(static_cast<bool>(OnEditNotes));
  setFocus();
  L_Seitenzahl->setText(QStringLiteral("-----------------"));
  RefreshNavigation();
}

void TFormSeite::showEvent(QShowEvent* e) {
  TQvForm::showEvent(e);
  Activate();
}

void TFormSeite::resizeEvent(QResizeEvent* e) {
  TQvForm::resizeEvent(e);
  const int index = Combo_Zoom->currentIndex();
  if (index == kZoomToWidth || index == kZoomToFit) ApplyZoom();
}

void TFormSeite::changeEvent(QEvent* e) {
  if (e->type() == QEvent::LanguageChange) ApplyTexts();
  TQvForm::changeEvent(e);
}

void TFormSeite::ShowError(const QString& text) { ShowMessageBox(text, windowTitle(), mtError); }

QString TFormSeite::PrintPages(QPrinter& printer, int from, int to) {
  if (from < 1) from = 1;
  if (to > PageCount) to = PageCount;
  if (from > to) return QString();
  printer.setDocName(Owner ? Owner->windowTitle() : windowTitle());
  printer.setFullPage(true);
  QPainter p;
  if (!p.begin(&printer)) {
    const QString name = printer.outputFileName().isEmpty() ? printer.printerName()
                                                            : printer.outputFileName();
    // Without a printer there is no name to put into the sentence.
    return name.isEmpty() ? LoadText(601) : FillText(LoadText(600), {name});
  }
  try {
    for (int page = from; page <= to; ++page) {
      const QSize pixels = printer.pageLayout().fullRectPixels(printer.resolution()).size();
      int fitExtent = 1, fitPixels = 1;
      ComputeFit(pixels, PageWidth, PageHeight, fitExtent, fitPixels);
      p.resetTransform();
      p.setWindow(0, 0, fitExtent, fitExtent);
      p.setViewport(0, 0, fitPixels, fitPixels);
      if (const TPageProc proc = Pages[page - 1])
        DrawPageOnPaper([&](QPainter& c, bool pdf) { proc(Owner, c, pdf); }, p, false,
                        QSize(PageWidth, PageHeight));
      if (page < to && !printer.newPage()) {
        p.end();
        return LoadText(602);
      }
    }
  } catch (const std::exception& err) {
    printer.abort();
    p.end();
    return FillText(LoadText(603), {QString::fromLocal8Bit(err.what())});
  }
  if (!p.end()) return LoadText(604);
  return QString();
}

void TFormSeite::Print() {
  if (PageCount == 0) return;
  Printer1->setFromTo(1, PageCount);
  // The dialog offers the paper of the settings; a paper chosen there gets the page fitted.
  Printer1->setPageSize(QPageSize(TPageSettings::PaperSize == PaperLetter ? QPageSize::Letter
                                  : TPageSettings::PaperSize == PaperA3   ? QPageSize::A3
                                                                          : QPageSize::A4));
  if (!RunPrintDialog || !RunPrintDialog(*Printer1)) return;
  ApplyZoom();
  if (Printer1->printRange() == QPrinter::PageRange && Printer1->fromPage() > 0) {
    FromPage = static_cast<std::uint8_t>(Printer1->fromPage());
    ToPage = static_cast<std::uint8_t>(std::min(Printer1->toPage(), int(PageCount)));
  } else {
    FromPage = 1;
    ToPage = PageCount;
  }
  const QString error = PrintPages(*Printer1, FromPage, ToPage);
  if (!error.isEmpty()) ShowError(error);
}

void TFormSeite::ExportPdf() {
  FromPage = 1;
  ToPage = PageCount;
  QWidget* main = Owner ? static_cast<QWidget*>(Owner) : window();
  const QString file = ChoosePdfFile ? ChoosePdfFile(FileNameFromCaption(main->windowTitle()))
                                     : QString();
  if (file.isEmpty()) return;
  try {
    ExportPagesToPdf(Owner, Pages, file, OpenPdfAfterExport);
  } catch (const TPdfError& err) {
    ShowError(PdfErrorText(err.FileName(), err.Reason()));
  } catch (const std::exception& err) {
    ShowError(PdfErrorText(file, QString::fromLocal8Bit(err.what())));
  }
}
