#include "print/UPdfExport.h"

#include "pdf/UPdfEngine.h"
#include "print/UPageFrame.h"
#include "print/UTools.h"


void ExportPagesToPdf(const std::vector<TPageDrawer>& pages, const QString& fileName,
                      bool openAfterCreate) {
  const QSize pageSize = TPageSettings::Size();
  TMetafile metafile;  // reused for every page
  metafile.Size = pageSize;

  TPdfEngine engine;
  engine.FileName = fileName;
  engine.DocInfo.Author = QStringLiteral("Tarvometrix GmbH");
  engine.DocInfo.Creator = QString();
  engine.DocInfo.Title = QString();
  engine.MeasurementUnit = TPdfEngine::TMeasurementUnit::Millimetres;
  engine.Preferences.EmbedTrueTypeFonts = true;
  engine.Preferences.ShowSetupDialog = false;
  engine.Preferences.OpenAfterCreate = openAfterCreate;
  engine.FontEmbedExcludeList = {QStringLiteral("Arial"), QStringLiteral("Arial,Bold")};
  engine.ViewerPreferences.PageLayout = TPdfEngine::TPageLayout::SinglePage;
  engine.ViewerPreferences.FitWindow = true;
  engine.Page.Orientation = TPageSettings::Landscape ? TPdfEngine::TOrientation::Landscape
                                                     : TPdfEngine::TOrientation::Portrait;
  engine.Page.PaperSize = TPageSettings::PaperSize;
  engine.Page.TopMargin = engine.Page.BottomMargin = 0;
  engine.Page.LeftMargin = engine.Page.RightMargin = 0;
  engine.Page.HeaderHeight = engine.Page.FooterHeight = 0;
  engine.Brush = Qt::NoBrush;
  engine.BeginDoc();

  const int count = static_cast<int>(pages.size());
  for (int i = 0; i < count; ++i) {
    {
      TWMFCanvas recorder(metafile);
      TQvCanvas canvas(recorder.Painter());
      QPainter& p = canvas.Painter();
      p.setWindow(0, 0, pageSize.width(), pageSize.height());
      p.setViewport(0, 0, pageSize.width(), pageSize.height());
      DrawPageOnPaper(pages[i], p, true, pageSize);
    }  // recording ends here
    engine.DrawMetafile(metafile.Picture, QSizeF(pageSize),
                        QRectF(0, 0, pageSize.width() / 10, pageSize.height() / 10));
    if (i < count - 1) engine.NewPage();
  }
  engine.EndDoc();
}
