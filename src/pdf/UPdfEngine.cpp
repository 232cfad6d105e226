#include "pdf/UPdfEngine.h"

#include "app/USafeFile.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QUrl>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFObjectHandle.hh>
#include <qpdf/QPDFWriter.hh>

namespace {

// Device resolution of the PDF writer; coordinates are written as real
// numbers, so the value only sets the grid of integer drawing calls.
constexpr int kResolution = 720;

const char* PageLayoutName(TPdfEngine::TPageLayout layout) {
  switch (layout) {
    case TPdfEngine::TPageLayout::SinglePage: return "/SinglePage";
    case TPdfEngine::TPageLayout::OneColumn: return "/OneColumn";
    case TPdfEngine::TPageLayout::TwoColumnLeft: return "/TwoColumnLeft";
    case TPdfEngine::TPageLayout::TwoColumnRight: return "/TwoColumnRight";
  }
  return "/SinglePage";
}

QPageSize PaperPageSize(int paperCode) {
  switch (paperCode) {
    case 1: return QPageSize(QPageSize::Letter);
    case 3: return QPageSize(QPageSize::A3);
    default: return QPageSize(QPageSize::A4);
  }
}

}  // namespace

TPdfError::TPdfError(const QString& fileName, const QString& reason)
    : std::runtime_error(QStringLiteral("Cannot write the PDF file %1: %2")
                             .arg(QDir::toNativeSeparators(fileName), reason)
                             .toStdString()),
      fileName_(fileName),
      reason_(reason) {}

QString TPdfError::Message() const { return QString::fromStdString(what()); }

TPdfEngine::TPdfEngine() = default;

TPdfEngine::~TPdfEngine() { Abort(); }

std::function<void(const QString&)>& TPdfEngine::Opener() {
  static std::function<void(const QString&)> opener = [](const QString& fileName) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(fileName).absoluteFilePath()));
  };
  return opener;
}

double TPdfEngine::UnitsToPoints(double v) const {
  return MeasurementUnit == TMeasurementUnit::Millimetres ? v * 72.0 / 25.4 : v;
}

QSizeF TPdfEngine::PageSizeInUnits() const {
  QSizeF mm = PaperPageSize(Page.PaperSize).size(QPageSize::Millimeter);
  if (Page.Orientation == TOrientation::Landscape) mm.transpose();
  if (MeasurementUnit == TMeasurementUnit::Points) return mm * (72.0 / 25.4);
  return mm;
}

void TPdfEngine::BeginDoc() {
  if (painter_) throw TPdfError(FileName, QStringLiteral("a document is already being written"));
  if (FileName.isEmpty()) throw TPdfError(FileName, QStringLiteral("no file name given"));
  // Fail before any page is drawn when the file can never be written.
  if (auto fault = ReplaceableTargetFault(FileName)) throw TPdfError(FileName, fault->Reason);

  buffer_.close();
  buffer_.setData(QByteArray());
  buffer_.open(QIODevice::WriteOnly);
  writer_ = std::make_unique<QPdfWriter>(&buffer_);
  writer_->setResolution(kResolution);
  writer_->setTitle(DocInfo.Title);
  writer_->setCreator(DocInfo.Creator);
  const QPageLayout layout(
      PaperPageSize(Page.PaperSize),
      Page.Orientation == TOrientation::Landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
      QMarginsF(Page.LeftMargin, Page.TopMargin + Page.HeaderHeight, Page.RightMargin,
                Page.BottomMargin + Page.FooterHeight),
      MeasurementUnit == TMeasurementUnit::Millimetres ? QPageLayout::Millimeter
                                                       : QPageLayout::Point,
      QMarginsF());
  writer_->setPageLayout(layout);
  painter_ = std::make_unique<QPainter>();
  if (!painter_->begin(writer_.get())) {
    painter_.reset();
    writer_.reset();
    throw TPdfError(FileName, QStringLiteral("the PDF writer could not start"));
  }
  painter_->setBrush(Brush);
  pageCount_ = 1;
}

void TPdfEngine::DrawMetafile(const QPicture& picture, const QSizeF& sourceSize,
                              const QRectF& rect) {
  if (!painter_) throw TPdfError(FileName, QStringLiteral("no document has been started"));
  if (sourceSize.width() <= 0 || sourceSize.height() <= 0) return;
  // Device pixels per unit; the page rectangle's origin is the paper corner
  // because all margins are zero.
  const double perUnit = UnitsToPoints(1.0) * kResolution / 72.0;
  painter_->save();
  painter_->translate(rect.left() * perUnit, rect.top() * perUnit);
  painter_->scale(rect.width() * perUnit / sourceSize.width(),
                  rect.height() * perUnit / sourceSize.height());
  // Replaying a picture scales it from the resolution it was recorded at (the
  // screen's) to the device's; undo that, so a page comes out the same on
  // every screen.
  painter_->scale(double(picture.logicalDpiX()) / writer_->logicalDpiX(),
                  double(picture.logicalDpiY()) / writer_->logicalDpiY());
  painter_->drawPicture(0, 0, picture);
  painter_->restore();
}

void TPdfEngine::NewPage() {
  if (!painter_) throw TPdfError(FileName, QStringLiteral("no document has been started"));
  if (!writer_->newPage()) throw TPdfError(FileName, QStringLiteral("a new page could not be started"));
  ++pageCount_;
}

void TPdfEngine::Abort() {
  if (painter_) {
    painter_->end();
    painter_.reset();
  }
  writer_.reset();
  buffer_.close();
  buffer_.setData(QByteArray());
}

void TPdfEngine::EndDoc() {
  if (!painter_) throw TPdfError(FileName, QStringLiteral("no document has been started"));
  const bool ok = painter_->end();
  painter_.reset();
  writer_.reset();
  buffer_.close();
  const QByteArray raw = buffer_.data();
  buffer_.setData(QByteArray());
  if (!ok || raw.isEmpty()) throw TPdfError(FileName, QStringLiteral("the PDF writer failed"));

  QByteArray finished;
  try {
    finished = PostProcess(raw, DocInfo, ViewerPreferences);
  } catch (const std::exception& e) {
    throw TPdfError(FileName, QString::fromLocal8Bit(e.what()));
  }
  if (auto fault = ReplaceFile(FileName, finished)) throw TPdfError(FileName, fault->Reason);
  if (Preferences.OpenAfterCreate && Opener()) Opener()(FileName);
}

QByteArray TPdfEngine::PostProcess(const QByteArray& pdfBytes, const TDocInfo& info,
                                   const TViewerPreferences& viewer) {
  QPDF pdf;
  pdf.setSuppressWarnings(true);
  pdf.processMemoryFile("document.pdf", pdfBytes.constData(),
                        static_cast<size_t>(pdfBytes.size()));

  QPDFObjectHandle trailer = pdf.getTrailer();
  QPDFObjectHandle infoDict = trailer.getKey("/Info");
  if (!infoDict.isDictionary()) {
    infoDict = pdf.makeIndirectObject(QPDFObjectHandle::newDictionary());
    trailer.replaceKey("/Info", infoDict);
  }
  infoDict.replaceKey("/Author", QPDFObjectHandle::newUnicodeString(info.Author.toStdString()));
  infoDict.replaceKey("/Creator", QPDFObjectHandle::newUnicodeString(info.Creator.toStdString()));
  infoDict.replaceKey("/Title", QPDFObjectHandle::newUnicodeString(info.Title.toStdString()));

  QPDFObjectHandle root = pdf.getRoot();
  root.replaceKey("/PageLayout", QPDFObjectHandle::newName(PageLayoutName(viewer.PageLayout)));
  QPDFObjectHandle prefs = root.getKey("/ViewerPreferences");
  if (!prefs.isDictionary()) {
    prefs = QPDFObjectHandle::newDictionary();
    root.replaceKey("/ViewerPreferences", prefs);
  }
  prefs.replaceKey("/FitWindow", QPDFObjectHandle::newBool(viewer.FitWindow));

  QPDFWriter writer(pdf);
  writer.setOutputMemory();
  writer.setObjectStreamMode(qpdf_o_preserve);
  writer.setStreamDataMode(qpdf_s_preserve);
  writer.write();
  auto buffer = writer.getBufferSharedPointer();
  return QByteArray(reinterpret_cast<const char*>(buffer->getBuffer()),
                    static_cast<qsizetype>(buffer->getSize()));
}
