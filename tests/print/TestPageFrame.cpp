// The common page frame: rules, footer, header cells with clipping, title,
// address block and notes block, recorded at their page coordinates.
#include <gtest/gtest.h>

#include <QFontMetricsF>
#include <QPainter>

#include "PrintTestSupport.h"
#include "TRecordingDevice.h"
#include "app/UGlobal.h"
#include "app/UHersteller.h"
#include "app/URessourcen.h"
#include "print/UPageFrame.h"
#include "print/UTools.h"
#include "ui/UPageLists.h"

namespace {

class PageFrameTest : public ::testing::Test {
protected:
  void SetUp() override { EnsureApplication(); UseLanguage(2); }

  void Draw(bool header, bool notes, const QStringList& noteLines = {},
            const QStringList& headerLines = {}, bool title = false) {
    dev_.Clear();
    QPainter p(&dev_);
    if (title)
      DrawPageHeader(headerLines, p, header, notes, &noteLines);
    else
      DrawPageFrame(headerLines, p, header, notes, &noteLines);
  }

  TRecordingDevice dev_;
};

TEST_F(PageFrameTest, RulesFollowHeaderAndNotesChoices) {
  struct Row {
    bool header, notes;
  } rows[] = {{false, false}, {true, false}, {false, true}, {true, true}};
  for (const Row& r : rows) {
    SCOPED_TRACE(testing::Message() << "header " << r.header << " notes " << r.notes);
    Draw(r.header, r.notes);
    // Rules that are always there, 0.3 mm wide.
    const TRecordedLine* title = dev_.HRule(250, r.header ? 1950 : 1980, 247);
    ASSERT_NE(title, nullptr);
    EXPECT_DOUBLE_EQ(title->Width, 3);
    EXPECT_NE(dev_.HRule(250, 1950, 331), nullptr);
    EXPECT_NE(dev_.HRule(250, 1950, 541), nullptr);
    EXPECT_NE(dev_.HRule(250, 1980, 2828), nullptr);
    const TRecordedLine* v = dev_.VRule(1980, r.header ? 151 : 277, 2798);
    ASSERT_NE(v, nullptr);
    EXPECT_DOUBLE_EQ(v->Width, 3);
    // Optional rules.
    EXPECT_EQ(dev_.HRule(250, 1980, 121) != nullptr, r.header);
    EXPECT_EQ(dev_.HRule(250, 1950, 751) != nullptr, r.notes);
    EXPECT_EQ(dev_.FindText(LoadText(135) + ":") != nullptr, r.notes);
    // Footer: version text in the small font under a 30 mm hairline.
    const TRecordedLine* foot = dev_.HRule(250, 550, 2872);
    ASSERT_NE(foot, nullptr);
    EXPECT_DOUBLE_EQ(foot->Width, 0);
    const TRecordedText* version = dev_.TextAt(250, 2886);
    ASSERT_NE(version, nullptr);
    EXPECT_EQ(version->Text, "Version " + VersionTextShort);
    EXPECT_EQ(version->PixelSize, 28);
    // With the maker's own block the right half of the footer stays empty.
    for (const auto& t : dev_.Texts) EXPECT_LT(t.Top, 2880 + (t.Left < 600 ? 20 : 0)) << t.Text.toStdString();
    EXPECT_EQ(dev_.Lines.size(), 6u + (r.header ? 1 : 0) + (r.notes ? 1 : 0));
  }
}

TEST_F(PageFrameTest, HeaderCellsSitInTheirColumnsAndAreClipped) {
  const QStringList cells = {"Label0", "Value1", "Offer-No.:", QString(80, 'W'),
                             "Project:", "Projekt Nordhalle", "Position:", "7"};
  Draw(true, false, {}, cells);
  struct Row {
    int cell;
    double x, y, clipLeft, clipRight;
  } rows[] = {
      {2, 250, 142, 250, 480},   {3, 500, 142, 500, 1460},   {0, 1480, 142, 1480, 1630},
      {1, 1650, 142, 1650, 1950}, {4, 250, 184, 250, 480},   {5, 500, 184, 500, 1460},
      {6, 1480, 184, 1480, 1630}, {7, 1650, 184, 1650, 1950},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(cells[r.cell].toStdString());
    const TRecordedText* t = dev_.TextAt(r.x, r.y);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->Text, cells[r.cell]);
    ASSERT_TRUE(t->Clip.has_value());
    EXPECT_NEAR(t->Clip->left(), r.clipLeft, 0.5);
    EXPECT_NEAR(t->Clip->right(), r.clipRight, 1.0);
    EXPECT_NEAR(t->Clip->top(), r.y, 0.5);
    EXPECT_NEAR(t->Clip->bottom(), r.y + 42, 1.0);
  }
  // The long value runs past its column and is cut there.
  EXPECT_GT(dev_.TextAt(500, 142)->Right, 1460);

  // Empty cells draw nothing.
  Draw(true, false, {}, {"", "", "Offer-No.:", ""});
  EXPECT_EQ(dev_.TextsAtTop(142).size(), 1u);
  EXPECT_TRUE(dev_.TextsAtTop(184).empty());
}

TEST_F(PageFrameTest, NotesShowAtMostThreeClippedLines) {
  Draw(false, true, {"first", "second", "third", "fourth", "fifth"});
  const TRecordedText* label = dev_.TextAt(250, 562);
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->Text, "Notes:");
  const char* expected[] = {"first", "second", "third"};
  for (int i = 0; i < 3; ++i) {
    const TRecordedText* t = dev_.TextAt(500, 604 + 42 * i);
    ASSERT_NE(t, nullptr) << i;
    EXPECT_EQ(t->Text, expected[i]);
    ASSERT_TRUE(t->Clip.has_value());
    EXPECT_NEAR(t->Clip->left(), 500, 0.5);
    EXPECT_NEAR(t->Clip->top(), 604, 0.5);
    EXPECT_NEAR(t->Clip->right(), 1950, 1.0);
    EXPECT_NEAR(t->Clip->bottom(), 730, 1.0);
  }
  EXPECT_EQ(dev_.FindText("fourth"), nullptr);
  EXPECT_EQ(dev_.FindText("fifth"), nullptr);

  // An empty list still prints the label and both rules.
  Draw(false, true, {});
  EXPECT_NE(dev_.TextAt(250, 562), nullptr);
  EXPECT_NE(dev_.HRule(250, 1950, 541), nullptr);
  EXPECT_NE(dev_.HRule(250, 1950, 751), nullptr);
}

TEST_F(PageFrameTest, AddressBlockAndTitle) {
  Draw(false, false, {}, {}, true);
  const TRecordedText* title = dev_.TextAt(1100, 268, TTextAlign::Center);
  ASSERT_NE(title, nullptr);
  EXPECT_EQ(title->Text, "Tarvometrix " + LoadText(66));
  EXPECT_TRUE(title->Bold);
  EXPECT_EQ(title->PixelSize, 41);

  const TRecordedText* company = dev_.TextAt(500, 352);
  ASSERT_NE(company, nullptr);
  EXPECT_EQ(company->Text, QString::fromUtf8(Maker::Company));
  EXPECT_TRUE(company->Bold);
  EXPECT_EQ(company->PixelSize, 34);
  const QString column[] = {QString::fromUtf8(Maker::Street), QString::fromUtf8(Maker::PostCodeTown),
                            QString::fromUtf8(Maker::Country)};
  for (int i = 0; i < 3; ++i) {
    const TRecordedText* t = dev_.TextAt(500, 394 + 42 * i);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->Text, column[i]);
    EXPECT_FALSE(t->Bold);
  }
  const QString labels[] = {"Tel.:", "Fax:", "E-Mail:", "Internet:"};
  const QString values[] = {Maker::Phone, Maker::Fax, Maker::Email, Maker::WebHost};
  for (int i = 0; i < 4; ++i) {
    ASSERT_NE(dev_.TextAt(1350, 352 + 42 * i), nullptr);
    EXPECT_EQ(dev_.TextAt(1350, 352 + 42 * i)->Text, labels[i]);
    ASSERT_NE(dev_.TextAt(1480, 352 + 42 * i), nullptr);
    EXPECT_EQ(dev_.TextAt(1480, 352 + 42 * i)->Text, values[i]);
  }
  ASSERT_EQ(dev_.Pictures.size(), 1u);
  EXPECT_EQ(dev_.Pictures[0].Id, 101);
  EXPECT_EQ(dev_.Pictures[0].Rect, QRectF(QPointF(285, 358), QPointF(441, 514)));
  // The frame leaves the metrics for the page body.
  EXPECT_EQ(FontHeight, 34);
  EXPECT_EQ(LineHeight, 42);
  EXPECT_EQ(HalfLine, 21);
}

TEST_F(PageFrameTest, OtherAddressBlocksDrawNothing) {
  for (int code : {1, 21, 22, -1}) {
    dev_.Clear();
    QPainter p(&dev_);
    DrawAddressBlock(p, code);
    p.end();
    EXPECT_TRUE(dev_.Texts.empty()) << code;
    EXPECT_TRUE(dev_.Pictures.empty()) << code;
  }
}

TEST_F(PageFrameTest, PaperSizesNeverMoveTheFrame) {
  struct Row {
    int paper;
    bool landscape;
    QSize size;
  } rows[] = {{4, false, {2100, 2970}}, {4, true, {2970, 2100}}, {3, false, {2970, 4200}},
              {3, true, {4200, 2970}}};
  for (const Row& r : rows) {
    EXPECT_EQ(PageSizeFor(r.paper, r.landscape), r.size);
    TPageSettings::PaperSize = r.paper;
    TPageSettings::Landscape = r.landscape;
    Draw(false, false);
    EXPECT_NE(dev_.HRule(250, 1980, 2828), nullptr);
    EXPECT_NE(dev_.VRule(1980, 277, 2798), nullptr);
  }
  TPageSettings::PaperSize = 4;
  TPageSettings::Landscape = false;
}

TEST_F(PageFrameTest, BlankPageIsTheFrameAlone) {
  dev_.Clear();
  QPainter p(&dev_);
  BlankPage(nullptr, p, false);
  p.end();
  EXPECT_EQ(dev_.HRule(250, 1950, 751), nullptr);
  EXPECT_EQ(dev_.HRule(250, 1980, 121), nullptr);
  EXPECT_EQ(dev_.FindText("Tarvometrix " + LoadText(66)), nullptr);
  EXPECT_NE(dev_.HRule(250, 1980, 247), nullptr);

  // The page lists of a window start with this page.
  const size_t lines = dev_.Lines.size();
  dev_.Clear();
  QPainter q(&dev_);
  EmptyFramePage(nullptr, q, false);
  q.end();
  EXPECT_EQ(dev_.Lines.size(), lines);
  EXPECT_NE(dev_.VRule(1980, 277, 2798), nullptr);
}

}  // namespace

namespace {

// A page recorded into a metafile and played back lands where it was drawn:
// the metafile canvas's point operations do not scale.
TEST(MetafileCanvas, RecordsPointDrawingUnscaledAndKeepsThePageExtent) {
  EnsureApplication();
  TMetafile mf;
  mf.Size = QSize(2100, 2970);
  {
    TWMFCanvas c(mf);
    c.Painter().setFont(QFont("Liberation Sans"));
    SetFontHeight(c.Painter(), 34);
    SetPen(c.Painter(), 0);
    c.MoveTo(QPoint(250, 300));
    c.LineTo(QPoint(1950, 300));
    c.LineTo(QPoint(1950, 900));
    c.TextOut(OffsetPoint(QPoint(250, 300), 10, 20), "Kanal");
    c.Ellipse(QPoint(600, 700), QPoint(400, 500));
  }
  EXPECT_EQ(mf.Picture.boundingRect(), QRect(0, 0, 2100, 2970));
  TRecordingDevice dev;
  QPainter p(&dev);
  // Playing a picture scales it from its own resolution to the device's; undo
  // that so the device units are the recorded units again.
  const double k = double(mf.Picture.logicalDpiX()) / dev.logicalDpiX();
  p.scale(k, k);
  p.drawPicture(0, 0, mf.Picture);
  p.end();
  EXPECT_NE(dev.HRule(250, 1950, 300), nullptr);
  EXPECT_NE(dev.VRule(1950, 300, 900), nullptr);
  const TRecordedText* t = dev.TextAt(260, 320);
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(t->Text, "Kanal");
  ASSERT_FALSE(dev.Rects.empty());
  const QRectF e = dev.Rects.back();
  EXPECT_NEAR(e.left(), 400, 1.5);
  EXPECT_NEAR(e.top(), 500, 1.5);
  EXPECT_NEAR(e.width(), 200, 1.5);
  EXPECT_NEAR(e.height(), 200, 1.5);
}

TEST(TextPlacement, TopEdgeAndAlignment) {
  EnsureApplication();
  TRecordingDevice dev;
  QPainter p(&dev);
  p.setFont(QFont("Liberation Sans"));
  SetFontHeight(p, 34);
  struct Row {
    TTextAlign align;
    int x, y;
  } rows[] = {{TTextAlign::Left, 300, 400}, {TTextAlign::Right, 1400, 500}, {TTextAlign::Center, 1100, 600}};
  for (const Row& r : rows) TextOut(p, r.x, r.y, "Zuluft 12,5", r.align);
  TextOut(p, 100, 100, QString());  // empty texts draw nothing
  p.end();
  ASSERT_EQ(dev.Texts.size(), 3u);
  for (const Row& r : rows) EXPECT_NE(dev.TextAt(r.x, r.y, r.align, 0.75), nullptr) << r.x;
  // The three are the same text, so they have the same width.
  EXPECT_NEAR(dev.Texts[0].Right - dev.Texts[0].Left, dev.Texts[1].Right - dev.Texts[1].Left, 0.01);
  EXPECT_GT(dev.Texts[0].Right - dev.Texts[0].Left, 100);
}

// A heading too wide for its box shrinks before a word is broken; a Chinese heading wraps between
// characters at full size; text never leaves its box.
TEST(TextPlacement, HeadingsShrinkRatherThanBreakAWord) {
  EnsureApplication();
  TRecordingDevice dev;
  QPainter p(&dev);
  p.setFont(QFont("Liberation Sans"));
  SetFontHeight(p, 34);
  const int width = static_cast<int>(QFontMetricsF(p.font()).horizontalAdvance("Eintrittszustand") * 0.9);
  EXPECT_EQ(TextOutFitted(p, 0, 100, width, "Eintrittszustand", TTextAlign::Left, 3, 42), 1);
  EXPECT_EQ(TextOutFitted(p, 0, 300, width, QString::fromUtf8("进风状态进风状态进风状态"), TTextAlign::Left, 3, 42), 2);
  p.end();
  ASSERT_EQ(dev.Texts.size(), 3u);
  EXPECT_EQ(dev.Texts[0].Text, "Eintrittszustand");
  for (const auto& t : dev.Texts) EXPECT_LE(t.Right - t.Left, width + 0.5) << t.Text.toStdString();
}

}  // namespace
