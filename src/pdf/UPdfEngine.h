#pragma once
// TPdfEngine: writes recorded page pictures into a PDF file.
//
// The engine collects the pages in memory with QPdfWriter (text stays text,
// fonts are embedded), then sets the document information and the viewer
// preferences with libqpdf and finally replaces the target file with the
// program's safe file replacement (USafeFile.h): only a regular file or a new
// name is replaced, a device, pipe or folder is refused before any page is
// drawn. A failure anywhere throws TPdfError naming the file and the reason
// (the system's own words, such as "No space left on device"); the target file
// is then left exactly as it was before.

#include <QBuffer>
#include <QPicture>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <stdexcept>

class QPainter;
class QPdfWriter;

class TPdfError : public std::runtime_error {
public:
  TPdfError(const QString& fileName, const QString& reason);
  const QString& FileName() const { return fileName_; }
  const QString& Reason() const { return reason_; }
  // "Cannot write the PDF file <name>: <reason>"
  QString Message() const;

private:
  QString fileName_;
  QString reason_;
};

class TPdfEngine {
public:
  enum class TMeasurementUnit { Millimetres, Points };
  enum class TPageLayout { SinglePage, OneColumn, TwoColumnLeft, TwoColumnRight };
  enum class TOrientation { Portrait, Landscape };

  struct TDocInfo {
    QString Author;
    QString Creator;
    QString Title;
  };
  struct TPreferences {
    bool EmbedTrueTypeFonts = true;
    bool ShowSetupDialog = false;
    bool OpenAfterCreate = false;
  };
  struct TViewerPreferences {
    TPageLayout PageLayout = TPageLayout::SinglePage;
    bool FitWindow = false;
  };
  struct TPageSettings {
    TOrientation Orientation = TOrientation::Portrait;
    int PaperSize = 4;  // paper code: 4 = A4, 3 = A3, 1 = US Letter
    double TopMargin = 0, BottomMargin = 0, LeftMargin = 0, RightMargin = 0;
    double HeaderHeight = 0, FooterHeight = 0;
  };

  TPdfEngine();
  ~TPdfEngine();
  TPdfEngine(const TPdfEngine&) = delete;
  TPdfEngine& operator=(const TPdfEngine&) = delete;

  QString FileName;
  TDocInfo DocInfo;
  TMeasurementUnit MeasurementUnit = TMeasurementUnit::Millimetres;
  TPreferences Preferences;
  // Font families that should not be embedded. Fonts on Linux are always
  // substitutes that a reader cannot be expected to have, so the list is kept
  // for the caller's information only: every font is embedded.
  QStringList FontEmbedExcludeList;
  TViewerPreferences ViewerPreferences;
  TPageSettings Page;
  Qt::BrushStyle Brush = Qt::NoBrush;

  // Opens a finished file in the desktop's viewer; replaceable so that tests
  // and the command line never start a viewer.
  static std::function<void(const QString&)>& Opener();

  void BeginDoc();
  // Draws a picture recorded in logical units whose extent is sourceSize into
  // rect, given in MeasurementUnit relative to the paper's top-left corner.
  void DrawMetafile(const QPicture& picture, const QSizeF& sourceSize, const QRectF& rect);
  void NewPage();
  // Finishes the document and writes the file; throws TPdfError.
  void EndDoc();
  // Abandons a started document without touching the target file.
  void Abort();

  bool Printing() const { return painter_ != nullptr; }
  int PageCount() const { return pageCount_; }
  // The page size in MeasurementUnit.
  QSizeF PageSizeInUnits() const;

  // Sets the document information and the viewer preferences of the PDF in
  // pdfBytes and returns the rewritten document; throws std::runtime_error.
  static QByteArray PostProcess(const QByteArray& pdfBytes, const TDocInfo& info,
                                const TViewerPreferences& viewer);

private:
  double UnitsToPoints(double v) const;

  QBuffer buffer_;
  std::unique_ptr<QPdfWriter> writer_;
  std::unique_ptr<QPainter> painter_;
  int pageCount_ = 0;
};
