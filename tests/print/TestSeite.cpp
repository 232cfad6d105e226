// The print preview: navigation, zoom, notes button, printing with a page
// range, PDF export of all pages, and errors shown as messages.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QPrinter>
#include <QScrollArea>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include "ui/UPageLists.h"
#include "../pdf/PdfTools.h"
#include "PrintTestSupport.h"
#include "TRecordingDevice.h"
#include "app/URessourcen.h"
#include "pdf/UPdfEngine.h"
#include "ui/FSeite.h"
#include "print/UPageFrame.h"
#include "print/UTools.h"
#include "ui/UQvControls.h"
#include "ui/UQvMessage.h"

namespace {

template <int N>
void NumberedPage(TFormBasis* owner, QPainter& canvas, bool) {
  BlankPage(owner, canvas, false);
  TextOut(canvas, 300, 1000, QStringLiteral("Testseite %1").arg(N));
}

class SeiteTest : public ::testing::Test {
protected:
  void SetUp() override {
    EnsureApplication();
    UseLanguage(2);
    messages_.clear();
    SetMessageBoxHook([this](const QString& text, const QString&, int) {
      messages_ << text;
      return 1;
    });
    TPdfEngine::Opener() = [this](const QString& f) { opened_ << f; };
    ASSERT_TRUE(dir_.isValid());
  }
  void TearDown() override { SetMessageBoxHook({}); }

  std::vector<TPageProc> ThreePages() { return {&NumberedPage<1>, &NumberedPage<2>, &NumberedPage<3>}; }
  static int PdfPages(const QString& file) {
    return PdfInfoField(RunTool("pdfinfo", {file}).Output, "Pages").toInt();
  }

  QStringList messages_, opened_;
  QTemporaryDir dir_;
};

TEST_F(SeiteTest, OnePageKeepsNavigationDisabled) {
  TFormSeite f;
  f.Prepare(nullptr, {&NumberedPage<1>});
  f.show();
  EXPECT_EQ(f.PageCount, 1);
  EXPECT_EQ(f.CurrentPage, 1);
  EXPECT_FALSE(f.Button_Next->isEnabled());
  EXPECT_FALSE(f.Button_Previous->isEnabled());
  EXPECT_FALSE(f.Button_First->isEnabled());
  EXPECT_FALSE(f.Button_Last->isEnabled());
  EXPECT_EQ(f.L_Seitenzahl->text(), "Page 1 of 1");
  QTest::keyClick(&f, Qt::Key_PageDown);
  EXPECT_EQ(f.CurrentPage, 1);
}

TEST_F(SeiteTest, KeysAndButtonsStepThroughThePages) {
  TFormSeite f;
  f.Prepare(nullptr, ThreePages());
  f.show();
  struct Step {
    std::function<void()> act;
    int page;
    bool prev, next;
  } steps[] = {
      {[&] { QTest::keyClick(&f, Qt::Key_PageDown); }, 2, true, true},
      {[&] { f.Button_Next->click(); }, 3, true, false},
      {[&] { QTest::keyClick(&f, Qt::Key_PageDown); }, 3, true, false},
      {[&] { QTest::keyClick(&f, Qt::Key_PageUp); }, 2, true, true},
      {[&] { f.First(); }, 1, false, true},
      {[&] { f.Button_Previous->click(); }, 1, false, true},
      {[&] { f.Last(); }, 3, true, false},
  };
  // The keys reach the window as it is shown, not the zoom list.
  QApplication::setActiveWindow(&f);
  QWidget* focus = QApplication::focusWidget() ? QApplication::focusWidget() : &f;
  EXPECT_EQ(focus, &f);
  QTest::keyClick(focus, Qt::Key_PageDown);
  EXPECT_EQ(f.CurrentPage, 2);
  EXPECT_EQ(f.Combo_Zoom->currentIndex(), 9);
  QTest::keyClick(focus, Qt::Key_PageUp);
  EXPECT_EQ(f.CurrentPage, 1);
  for (const Step& s : steps) {
    s.act();
    EXPECT_EQ(f.CurrentPage, s.page);
    EXPECT_EQ(f.Button_Previous->isEnabled(), s.prev);
    EXPECT_EQ(f.Button_First->isEnabled(), s.prev);
    EXPECT_EQ(f.Button_Next->isEnabled(), s.next);
    EXPECT_EQ(f.Button_Last->isEnabled(), s.next);
    EXPECT_EQ(f.L_Seitenzahl->text(), QStringLiteral("Page %1 of 3").arg(s.page));
  }
}

TEST_F(SeiteTest, ZoomListAndFitModes) {
  TFormSeite f;
  f.Prepare(nullptr, ThreePages());
  f.resize(1000, 800);
  f.show();
  // The first activation zooms to the width.
  EXPECT_EQ(f.Combo_Zoom->currentIndex(), 9);
  const int steps[] = {25, 50, 75, 100, 125, 150, 175, 200, 300};
  for (int i = 0; i < 9; ++i) {
    f.Combo_Zoom->setCurrentIndex(i);
    EXPECT_EQ(f.Zoom, steps[i]);
    EXPECT_EQ(f.PaintBox1->width(), qRound(steps[i] / 350.0 * f.PaintBoxPixels().width()));
  }
  f.Combo_Zoom->setCurrentIndex(9);
  const int client = f.ScrollBox1->viewport()->width();
  EXPECT_EQ(f.Zoom, qRound((client - 40.0) / f.PaintBoxPixels().width() * 350));
  EXPECT_NEAR(f.PaintBox1->width(), client - 40, 1);

  f.Combo_Zoom->setCurrentIndex(10);
  const QSize vp = f.ScrollBox1->viewport()->size();
  EXPECT_EQ(f.Zoom, std::min(qRound((vp.width() - 40.0) / f.PaintBoxPixels().width() * 350),
                             qRound((vp.height() - 40.0) / f.PaintBoxPixels().height() * 350)));

  // A resize re-applies a fit mode; a tiny window never goes below 10.
  f.resize(120, 90);
  QCoreApplication::processEvents();
  EXPECT_EQ(f.Zoom, 10);
  f.resize(1400, 1000);
  QCoreApplication::processEvents();
  EXPECT_GT(f.Zoom, 10);
  // A fixed zoom stays on resize.
  f.Combo_Zoom->setCurrentIndex(3);
  f.resize(600, 500);
  QCoreApplication::processEvents();
  EXPECT_EQ(f.Zoom, 100);
}

TEST_F(SeiteTest, PaintMapsTheSheetAndCallsTheCurrentPage) {
  TFormSeite f;
  f.Prepare(nullptr, ThreePages());
  f.Next();
  TRecordingDevice dev;
  QPainter p(&dev);
  f.PaintPage(p);
  p.end();
  // The page procedure draws in 0.1 mm; the recording shows device units.
  const double scale = qRound(f.Zoom / 350.0 * f.FitPixels) / double(f.FitExtent);
  const TRecordedText* t = dev.FindText("Testseite 2");
  ASSERT_NE(t, nullptr);
  EXPECT_NEAR(t->Left, 300 * scale, 1);
  ASSERT_FALSE(dev.Rects.empty());
  EXPECT_NEAR(dev.Rects.front().width(), 2100 * scale, 2);
  EXPECT_NEAR(dev.Rects.front().height(), 2970 * scale, 2);
}

TEST_F(SeiteTest, NotesButtonRunsTheEditorAndOnlyWhenSet) {
  TFormSeite f;
  f.Prepare(nullptr, ThreePages());
  f.show();
  EXPECT_FALSE(f.Button_Edit->isEnabled());
  f.hide();
  int calls = 0;
  f.OnEditNotes = [&] { ++calls; };
  f.show();
  EXPECT_TRUE(f.Button_Edit->isEnabled());
  f.Button_Edit->click();
  EXPECT_EQ(calls, 1);
}

TEST_F(SeiteTest, LanguageChangeReplacesTheFitEntriesAndKeepsTheSelection) {
  TFormSeite f;
  f.Prepare(nullptr, ThreePages());
  f.Combo_Zoom->setCurrentIndex(10);
  UseLanguage(1);
  QEvent change(QEvent::LanguageChange);
  QCoreApplication::sendEvent(&f, &change);
  EXPECT_EQ(f.Combo_Zoom->currentIndex(), 10);
  EXPECT_EQ(f.Combo_Zoom->itemText(9), LoadText(176, 1));
  EXPECT_EQ(f.Combo_Zoom->itemText(10), LoadText(177, 1));
  EXPECT_EQ(f.Button_Print->toolTip(), LoadText(146, 1));
  UseLanguage(2);
}

TEST_F(SeiteTest, PrintingHonoursThePageRange) {
  struct Row {
    bool range;
    int from, to, pages;
  } rows[] = {{true, 1, 1, 1}, {true, 2, 3, 2}, {false, 0, 0, 3}};
  for (const Row& r : rows) {
    TFormSeite f;
    f.Prepare(nullptr, ThreePages());
    const QString out = dir_.filePath(QStringLiteral("print-%1-%2.pdf").arg(r.from).arg(r.to));
    f.RunPrintDialog = [&](QPrinter& printer) {
      printer.setOutputFormat(QPrinter::PdfFormat);
      printer.setOutputFileName(out);
      printer.setPrintRange(r.range ? QPrinter::PageRange : QPrinter::AllPages);
      if (r.range) printer.setFromTo(r.from, r.to);
      return true;
    };
    f.Button_Print->click();
    EXPECT_TRUE(messages_.isEmpty());
    EXPECT_EQ(PdfPages(out), r.pages) << r.from << "-" << r.to;
    const QString text = RunTool("pdftotext", {out, "-"}).Output;
    EXPECT_EQ(text.contains("Testseite 1"), !r.range || r.from == 1);
    EXPECT_TRUE(text.contains(QStringLiteral("Testseite %1").arg(r.range ? r.to : 3)));
  }
}

TEST_F(SeiteTest, PrintingFitsThePageToTheChosenPrintersPaper) {
  // The page is 210 mm wide; on A3 paper the width limits and the page grows
  // by 297 / 210, on A4 it keeps its size.
  struct Row {
    QPageSize::PageSizeId paper;
    double scale;
  } rows[] = {{QPageSize::A4, 1.0}, {QPageSize::A3, 297.0 / 210.0}};
  for (const Row& r : rows) {
    TFormSeite f;
    f.Prepare(nullptr, {&NumberedPage<1>});
    const QString out = dir_.filePath(QStringLiteral("paper%1.pdf").arg(int(r.paper)));
    f.RunPrintDialog = [&](QPrinter& printer) {
      printer.setOutputFormat(QPrinter::PdfFormat);
      printer.setOutputFileName(out);
      printer.setPageSize(QPageSize(r.paper));
      return true;
    };
    f.Button_Print->click();
    const QString bbox = RunTool("pdftotext", {"-bbox", out, "-"}).Output;
    const int at = bbox.indexOf(QStringLiteral(">Testseite<"));
    ASSERT_GT(at, 0) << out.toStdString();
    const int x = bbox.lastIndexOf(QStringLiteral("xMin=\""), at);
    const double xMin = bbox.mid(x + 6, 12).section('"', 0, 0).toDouble();
    // The text starts 30 mm from the left edge of the page.
    EXPECT_NEAR(xMin, 30.0 * r.scale * 72 / 25.4, 1.0) << int(r.paper);
  }
}

TEST_F(SeiteTest, PrinterErrorsBecomeMessages) {
  TFormSeite f;
  f.Prepare(nullptr, ThreePages());
  f.RunPrintDialog = [&](QPrinter& printer) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir_.filePath("missing/folder/out.pdf"));
    return true;
  };
  f.Button_Print->click();
  ASSERT_EQ(messages_.size(), 1);
  EXPECT_TRUE(messages_[0].contains("out.pdf"));

  // A cancelled dialog prints nothing and says nothing.
  messages_.clear();
  f.RunPrintDialog = [](QPrinter&) { return false; };
  f.Button_Print->click();
  EXPECT_TRUE(messages_.isEmpty());
}

TEST_F(SeiteTest, PdfExportWritesAllPagesOrReportsWhyNot) {
  TFormSeite f;
  f.OpenPdfAfterExport = false;
  f.Prepare(nullptr, ThreePages());
  f.Next();
  f.FromPage = 2;
  f.ToPage = 2;
  QString suggested;
  const QString out = dir_.filePath("export.pdf");
  f.ChoosePdfFile = [&](const QString& s) {
    suggested = s;
    return out;
  };
  f.setWindowTitle("VX / Datenblatt");
  f.Button_PDF->click();
  EXPECT_TRUE(messages_.isEmpty()) << messages_.join('\n').toStdString();
  EXPECT_EQ(PdfPages(out), 3);
  EXPECT_EQ(f.FromPage, 1);
  EXPECT_EQ(f.ToPage, 3);
  EXPECT_FALSE(suggested.contains('/'));
  EXPECT_TRUE(opened_.isEmpty());

  // Cancelled: nothing written.
  f.ChoosePdfFile = [](const QString&) { return QString(); };
  const QString never = dir_.filePath("never.pdf");
  f.Button_PDF->click();
  EXPECT_FALSE(QFile::exists(never));

  // Unwritable: one message naming the file, no file, no crash.
  const QString bad = dir_.filePath("nofolder/export.pdf");
  f.ChoosePdfFile = [&](const QString&) { return bad; };
  f.Button_PDF->click();
  ASSERT_EQ(messages_.size(), 1);
  EXPECT_TRUE(messages_[0].contains(QDir::toNativeSeparators(bad)));
  EXPECT_FALSE(QFile::exists(bad));
}

}  // namespace
