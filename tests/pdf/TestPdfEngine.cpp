// The PDF engine: document properties, page size, embedded fonts and text,
// viewer preferences, and the failure paths that must leave no file behind.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFont>
#include <QPainter>
#include <QPicture>
#include <QTemporaryDir>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFObjectHandle.hh>

#include <sys/stat.h>

#include "PdfTools.h"
#include "SafeFileTestSupport.h"
#include "app/USafeFile.h"
#include "pdf/UPdfEngine.h"

namespace {

// A page picture in 0.1 mm units with one line of text near the top-left
// corner and a rule along the frame.
QPicture TextPage(const QString& text) {
  QPicture pic;
  QPainter p(&pic);
  QFont f(QStringLiteral("Liberation Sans"));
  f.setPixelSize(34);
  p.setFont(f);
  p.drawText(QPointF(250, 300), text);
  p.setPen(QPen(Qt::black, 3));
  p.drawLine(250, 320, 1950, 320);
  p.end();
  return pic;
}

class PdfEngineTest : public ::testing::Test {
protected:
  void SetUp() override {
    EnsureGuiApplication();
    ASSERT_TRUE(dir_.isValid());
    opened_.clear();
    TPdfEngine::Opener() = [this](const QString& f) { opened_ << f; };
  }

  // Configures the engine as the print preview does.
  void Configure(TPdfEngine& e, const QString& file) {
    e.FileName = file;
    e.DocInfo = {QStringLiteral("Tarvometrix GmbH"), QString(), QString()};
    e.MeasurementUnit = TPdfEngine::TMeasurementUnit::Millimetres;
    e.Preferences = {true, false, false};
    e.FontEmbedExcludeList = {QStringLiteral("Arial"), QStringLiteral("Arial,Bold")};
    e.ViewerPreferences = {TPdfEngine::TPageLayout::SinglePage, true};
  }

  QString Path(const QString& name) const { return dir_.filePath(name); }

  QTemporaryDir dir_;
  QStringList opened_;
};

TEST_F(PdfEngineTest, WritesOnePagePerPageWithPropertiesFontsAndText) {
  const QString file = Path(QStringLiteral("sheet.pdf"));
  TPdfEngine e;
  Configure(e, file);
  e.BeginDoc();
  e.DrawMetafile(TextPage(QStringLiteral("VX-366-1200-S")), QSizeF(2100, 2970), QRectF(0, 0, 210, 297));
  e.NewPage();
  e.DrawMetafile(TextPage(QStringLiteral("Zweite Seite 12,5")), QSizeF(2100, 2970), QRectF(0, 0, 210, 297));
  e.EndDoc();
  EXPECT_EQ(e.PageCount(), 2);
  ASSERT_TRUE(QFile::exists(file));

  const TToolResult info = RunTool(QStringLiteral("pdfinfo"), {file});
  ASSERT_EQ(info.ExitCode, 0) << info.Output.toStdString();
  EXPECT_EQ(PdfInfoField(info.Output, "Pages"), "2");
  EXPECT_EQ(PdfInfoField(info.Output, "Author"), "Tarvometrix GmbH");
  EXPECT_EQ(PdfInfoField(info.Output, "Title"), "");
  EXPECT_EQ(PdfInfoField(info.Output, "Creator"), "");
  EXPECT_TRUE(PdfInfoField(info.Output, "Page size").contains("(A4)"))
      << PdfInfoField(info.Output, "Page size").toStdString();

  const TToolResult fonts = RunTool(QStringLiteral("pdffonts"), {file});
  ASSERT_EQ(fonts.ExitCode, 0);
  const QStringList rows = fonts.Output.split('\n', Qt::SkipEmptyParts).mid(2);
  ASSERT_FALSE(rows.isEmpty()) << "no fonts in the PDF: text was not kept as text";
  for (const QString& row : rows) {
    // Columns: name type encoding emb sub uni object ID; "emb" is the 4th
    // field from the right end after "sub uni obj gen".
    const QStringList f = row.split(' ', Qt::SkipEmptyParts);
    ASSERT_GE(f.size(), 7);
    EXPECT_EQ(f[f.size() - 5], "yes") << "font not embedded: " << row.toStdString();
  }

  const TToolResult text = RunTool(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), file, "-"});
  ASSERT_EQ(text.ExitCode, 0);
  const QStringList pages = text.Output.split('\f');
  ASSERT_GE(pages.size(), 2);
  EXPECT_TRUE(pages[0].contains("VX-366-1200-S"));
  EXPECT_TRUE(pages[1].contains("Zweite Seite 12,5"));

  const TToolResult check = RunTool(QStringLiteral("qpdf"), {QStringLiteral("--check"), file});
  EXPECT_EQ(check.ExitCode, 0) << check.Output.toStdString();

  // Viewer preferences in the document catalog.
  QPDF pdf;
  pdf.processFile(file.toLocal8Bit().constData());
  QPDFObjectHandle root = pdf.getRoot();
  ASSERT_TRUE(root.getKey("/PageLayout").isName());
  EXPECT_EQ(root.getKey("/PageLayout").getName(), "/SinglePage");
  QPDFObjectHandle vp = root.getKey("/ViewerPreferences");
  ASSERT_TRUE(vp.isDictionary());
  ASSERT_TRUE(vp.getKey("/FitWindow").isBool());
  EXPECT_TRUE(vp.getKey("/FitWindow").getBoolValue());

  // The text sits where the picture put it: 25 mm from the left edge.
  const TToolResult bbox = RunTool(QStringLiteral("pdftotext"),
                                   {QStringLiteral("-bbox"), QStringLiteral("-f"), "1", "-l", "1", file, "-"});
  const int at = bbox.Output.indexOf("xMin=\"");
  ASSERT_GE(at, 0);
  const double xMin = bbox.Output.mid(at + 6, 12).section('"', 0, 0).toDouble();
  EXPECT_NEAR(xMin, 25.0 * 72 / 25.4, 1.5);
  EXPECT_TRUE(opened_.isEmpty()) << "viewer must open only when asked";
}

TEST_F(PdfEngineTest, PaperSizeAndOrientationSetThePage) {
  struct Row {
    int paper;
    TPdfEngine::TOrientation orientation;
    double w, h;  // points
  } rows[] = {
      {4, TPdfEngine::TOrientation::Portrait, 595.28, 841.89},
      {4, TPdfEngine::TOrientation::Landscape, 841.89, 595.28},
      {3, TPdfEngine::TOrientation::Portrait, 841.89, 1190.55},
  };
  for (const Row& r : rows) {
    const QString file = Path(QStringLiteral("size%1-%2.pdf").arg(r.paper).arg(int(r.orientation)));
    TPdfEngine e;
    Configure(e, file);
    e.Page.PaperSize = r.paper;
    e.Page.Orientation = r.orientation;
    const QSizeF mm = e.PageSizeInUnits();
    EXPECT_NEAR(mm.width(), r.w * 25.4 / 72, 0.1);
    e.BeginDoc();
    e.DrawMetafile(TextPage(QStringLiteral("x")), QSizeF(mm.width() * 10, mm.height() * 10),
                   QRectF(QPointF(0, 0), mm));
    e.EndDoc();
    const QString size = PdfInfoField(RunTool("pdfinfo", {file}).Output, "Page size");
    const QStringList parts = size.split(' ', Qt::SkipEmptyParts);
    ASSERT_GE(parts.size(), 3) << size.toStdString();
    EXPECT_NEAR(parts[0].toDouble(), r.w, 0.5) << size.toStdString();
    EXPECT_NEAR(parts[2].toDouble(), r.h, 0.5) << size.toStdString();
  }
}

TEST_F(PdfEngineTest, OpensTheViewerOnlyAfterASuccessfulWriteWhenAsked) {
  const QString file = Path(QStringLiteral("open.pdf"));
  TPdfEngine e;
  Configure(e, file);
  e.Preferences.OpenAfterCreate = true;
  e.BeginDoc();
  e.DrawMetafile(TextPage("a"), QSizeF(2100, 2970), QRectF(0, 0, 210, 297));
  e.EndDoc();
  EXPECT_EQ(opened_, QStringList{file});

  TPdfEngine bad;
  Configure(bad, Path(QStringLiteral("missing/open.pdf")));
  bad.Preferences.OpenAfterCreate = true;
  EXPECT_THROW(bad.BeginDoc(), TPdfError);
  EXPECT_EQ(opened_.size(), 1);
}

TEST_F(PdfEngineTest, UnwritableTargetsGiveAClearErrorAndLeaveNoFile) {
  QDir(dir_.path()).mkdir(QStringLiteral("taken.pdf"));
  QFile plain(Path(QStringLiteral("plainfile")));
  ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
  plain.close();
  struct Row {
    QString file;
    QString reasonPart;
  } rows[] = {
      {Path(QStringLiteral("no-such-folder/sheet.pdf")), QStringLiteral("does not exist")},
      {Path(QStringLiteral("taken.pdf")), QStringLiteral("folder of that name")},
      {Path(QStringLiteral("plainfile/sheet.pdf")), QStringLiteral("plainfile")},
      {QString(), QStringLiteral("no file name")},
  };
  for (const Row& r : rows) {
    TPdfEngine e;
    Configure(e, r.file);
    try {
      e.BeginDoc();
      e.DrawMetafile(TextPage("a"), QSizeF(2100, 2970), QRectF(0, 0, 210, 297));
      e.EndDoc();
      ADD_FAILURE() << "no error for " << r.file.toStdString();
    } catch (const TPdfError& err) {
      EXPECT_EQ(err.FileName(), r.file);
      EXPECT_TRUE(err.Message().contains(QDir::toNativeSeparators(r.file)));
      EXPECT_TRUE(err.Reason().contains(r.reasonPart))
          << err.Reason().toStdString() << " / expected " << r.reasonPart.toStdString();
    }
  }
  EXPECT_FALSE(QFile::exists(Path(QStringLiteral("no-such-folder/sheet.pdf"))));
  EXPECT_TRUE(QFileInfo(Path(QStringLiteral("taken.pdf"))).isDir());
}

TEST_F(PdfEngineTest, FailureAfterDrawingKeepsThePreviousFileAndNoTemporaryFile) {
  // The folder disappears while the pages are drawn: the write must fail with
  // the reason, and nothing may be left in a folder that still exists.
  QDir(dir_.path()).mkdir(QStringLiteral("gone"));
  const QString file = Path(QStringLiteral("gone/sheet.pdf"));
  TPdfEngine e;
  Configure(e, file);
  e.BeginDoc();
  e.DrawMetafile(TextPage("a"), QSizeF(2100, 2970), QRectF(0, 0, 210, 297));
  ASSERT_TRUE(QDir(Path(QStringLiteral("gone"))).removeRecursively());
  EXPECT_THROW(e.EndDoc(), TPdfError);
  EXPECT_FALSE(QFile::exists(file));

  // An existing file is replaced only by a complete document.
  const QString keep = Path(QStringLiteral("keep.pdf"));
  QFile old(keep);
  ASSERT_TRUE(old.open(QIODevice::WriteOnly));
  old.write("old contents");
  old.close();
  TPdfEngine ok;
  Configure(ok, keep);
  ok.BeginDoc();
  ok.DrawMetafile(TextPage("new"), QSizeF(2100, 2970), QRectF(0, 0, 210, 297));
  ok.Abort();
  QFile check(keep);
  ASSERT_TRUE(check.open(QIODevice::ReadOnly));
  EXPECT_EQ(check.readAll(), QByteArray("old contents"));
  check.close();

  TPdfEngine again;
  Configure(again, keep);
  again.BeginDoc();
  again.DrawMetafile(TextPage("new"), QSizeF(2100, 2970), QRectF(0, 0, 210, 297));
  again.EndDoc();
  ASSERT_TRUE(check.open(QIODevice::ReadOnly));
  EXPECT_TRUE(check.readAll().startsWith("%PDF-"));
  const QStringList left = QDir(dir_.path()).entryList(QDir::Files);
  for (const QString& f : left) EXPECT_TRUE(f.endsWith(".pdf") || f == "plainfile") << f.toStdString();
}

TEST_F(PdfEngineTest, SpecialFilesAreRefusedAndAFullDiskKeepsTheOldFile) {
  // A named pipe is refused before a page is drawn and stays a pipe; nobody
  // reading it would ever see an end.
  const QString pipe = Path(QStringLiteral("pipe.pdf"));
  ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
  TPdfEngine toPipe;
  Configure(toPipe, pipe);
  try {
    toPipe.BeginDoc();
    ADD_FAILURE() << "a named pipe was accepted";
  } catch (const TPdfError& err) {
    EXPECT_TRUE(err.Reason().contains(QStringLiteral("named pipe"))) << err.Reason().toStdString();
  }
  struct stat st {};
  ASSERT_EQ(::lstat(QFile::encodeName(pipe).constData(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode));

  // The disk fills while the document is written: the old file stays as it
  // was, no temporary file is left, and the reason is the system's own.
  const QString keep = Path(QStringLiteral("keep.pdf"));
  const QByteArray old = "old contents";
  ASSERT_EQ(WriteFileAtomically(keep, old), std::nullopt);
  const QStringList before = FolderEntries(dir_.path());
  TPdfEngine full;
  Configure(full, keep);
  full.BeginDoc();
  full.DrawMetafile(TextPage("new"), QSizeF(2100, 2970), QRectF(0, 0, 210, 297));
  {
    TFileSizeLimit limit(1024);
    try {
      full.EndDoc();
      ADD_FAILURE() << "a full disk was reported as success";
    } catch (const TPdfError& err) {
      EXPECT_TRUE(err.Reason().contains(QStringLiteral("File too large"))) << err.Reason().toStdString();
    }
  }
  EXPECT_EQ(ReadFileBytes(keep), old);
  EXPECT_EQ(FolderEntries(dir_.path()), before);
}

TEST_F(PdfEngineTest, PostProcessRejectsDataThatIsNoPdf) {
  EXPECT_ANY_THROW(TPdfEngine::PostProcess(QByteArray("not a pdf at all"), {}, {}));
}

TEST_F(PdfEngineTest, OperationsOutOfOrderAreErrorsNotCrashes) {
  TPdfEngine e;
  Configure(e, Path(QStringLiteral("order.pdf")));
  EXPECT_THROW(e.NewPage(), TPdfError);
  EXPECT_THROW(e.DrawMetafile(QPicture(), QSizeF(1, 1), QRectF()), TPdfError);
  EXPECT_THROW(e.EndDoc(), TPdfError);
  e.BeginDoc();
  EXPECT_THROW(e.BeginDoc(), TPdfError);
  e.EndDoc();
  EXPECT_TRUE(QFile::exists(Path(QStringLiteral("order.pdf"))));
}

}  // namespace
