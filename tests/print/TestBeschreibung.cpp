// The product description page, recorded: description lines at their rows, the type-key example
// with its leaders, the size tables of both series, the double-unit table and the language choice.
#include <gtest/gtest.h>

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>

#include "PrintTestSupport.h"
#include "TRecordingDevice.h"
#include "app/UGlobal.h"
#include "app/URessourcen.h"
#include "calc/UGroessen.h"
#include "print/UBeschreibung.h"
#include "print/UTools.h"
#include "series/UVXSerie.h"
#include "ui/UPageLists.h"

namespace {

void SeriesOnePage(TFormBasis*, QPainter& canvas, bool) { DrawDescriptionPage(canvas, 1, {}); }
void SeriesTwoPage(TFormBasis*, QPainter& canvas, bool) { DrawDescriptionPage(canvas, 2, {}); }

class DescriptionPageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnsureApplication();
        UseLanguage(2);
    }
    void TearDown() override { UseLanguage(2); }

    void Draw(int series)
    {
        dev_.Clear();
        QPainter p(&dev_);
        DrawDescriptionPage(p, series, {});
    }

    void DrawLines(int series, const QStringList& lines)
    {
        dev_.Clear();
        QPainter p(&dev_);
        DrawDescriptionPage(p, series, {}, lines);
    }

    // Numbered dummy lines "L1" .. "Ln".
    static QStringList Lines(int n)
    {
        QStringList l;
        for (int i = 1; i <= n; ++i) l << QStringLiteral("L%1").arg(i);
        return l;
    }

    TRecordingDevice dev_;
};

TEST(DescriptionText, ResourcePerSeriesAndLanguage)
{
    struct Row {
        int series, language, id;
    } rows[] = {
        {1, 1, 4301}, {1, 2, 4302}, {1, 3, 4303}, {1, 4, 4302}, {1, 5, 4302}, {1, 6, 4306},
        {1, 7, 4307}, {1, 8, 4308}, {1, 9, 4309}, {1, 0, 4302}, {1, 10, 4302}, {2, 1, 4311},
        {2, 2, 4312}, {2, 4, 4312}, {2, 9, 4319}, {3, 7, 4327}, {3, 4, 4322}, {0, 1, 4301},
    };
    for (const Row& r : rows)
        EXPECT_EQ(DescriptionTextId(r.series, r.language), r.id) << r.series << "/" << r.language;
}

TEST(DescriptionText, MissingResourceFallsBackToEnglish)
{
    EnsureApplication();
    const QStringList english = DescriptionLines(1, 2);
    ASSERT_GE(english.size(), 38);
    // 4306 (a language without an embedded text) reads the English text.
    EXPECT_EQ(DescriptionLines(1, 6), english);
    EXPECT_EQ(DescriptionLines(2, 6), DescriptionLines(2, 2));
    EXPECT_NE(DescriptionLines(1, 1), english);  // German has its own text
    EXPECT_NE(DescriptionLines(2, 2), english);  // VX-K is described separately
}

TEST_F(DescriptionPageTest, TitleLinesAndDrawing)
{
    Draw(1);
    const TRecordedText* title = dev_.TextAt(250, 604);
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->Text, LoadText(160));
    EXPECT_TRUE(title->Bold);
    EXPECT_EQ(title->PixelSize, 41);

    const QStringList lines = DescriptionLines(1, 2);
    struct Row {
        int line, y;
        bool bold;
    } rows[] = {{1, 772, true}, {3, 856, false}, {27, 1864, true}, {38, 2284, true}};
    for (const Row& r : rows) {
        ASSERT_FALSE(lines[r.line - 1].isEmpty()) << "line " << r.line;
        const TRecordedText* t = dev_.TextAt(250, r.y);
        ASSERT_NE(t, nullptr) << "line " << r.line;
        EXPECT_EQ(t->Text, lines[r.line - 1]) << "line " << r.line;
        EXPECT_EQ(t->Bold, r.bold) << "line " << r.line;
        EXPECT_EQ(t->PixelSize, r.bold ? 41 : 34) << "line " << r.line;
    }

    // The device drawing, besides whatever pictures the page frame draws.
    int drawings = 0;
    for (const auto& pic : dev_.Pictures) {
        if (pic.Id != 4305) continue;
        ++drawings;
        EXPECT_NEAR(pic.Rect.left(), 1050, 0.5);
        EXPECT_NEAR(pic.Rect.top(), 1780, 0.5);
        EXPECT_NEAR(pic.Rect.right(), 1737, 0.5);
        EXPECT_NEAR(pic.Rect.bottom(), 2330, 0.5);
    }
    EXPECT_EQ(drawings, 1);

    const TRecordedText* note = dev_.TextAt(1950, 2872, TTextAlign::Right);
    ASSERT_NE(note, nullptr);
    EXPECT_EQ(note->Text, LoadText(493));
}

TEST_F(DescriptionPageTest, TypeKeyExampleWithLeaders)
{
    for (int series : {1, 2, 3}) {
        SCOPED_TRACE(series);
        Draw(series);
        const QString prefix = series == 3 ? "VX-E " : series == 2 ? "VX-K " : "VX ";
        const QString size = series == 3 ? "366" : "30";
        const TRecordedText* example = dev_.TextAt(300, 1948);
        ASSERT_NE(example, nullptr);
        EXPECT_EQ(example->Text, prefix + size + " / 350");
        EXPECT_FALSE(example->Bold);

        QFont font;
        font.setFamily(example->Family);
        font.setPixelSize(34);
        const QFontMetricsF fm(font);
        auto width = [&](const QString& s) { return static_cast<int>(std::lround(fm.horizontalAdvance(s))); };
        const int x1 = width(prefix + size + " / 350") + 100;

        const TRecordedText* width32 = dev_.TextAt(250 + x1, 2032);
        ASSERT_NE(width32, nullptr);
        EXPECT_EQ(width32->Text, LoadText(92) + " (C = 350 mm)");
        const TRecordedText* size34 = dev_.TextAt(250 + x1, 2116);
        ASSERT_NE(size34, nullptr);
        EXPECT_EQ(size34->Text, LoadText(180) + " (" + prefix + size + ")");

        // Leaders run from the caption to the explained part, then up below the example.
        const int x2Width = width(prefix + size + " / ") + 50 + width("350") / 2;
        const int x2Size = width(prefix) + 50 + width(size) / 2;
        EXPECT_NE(dev_.HRule(250 + x1 - 10, 250 + x2Width, 2053), nullptr);
        EXPECT_NE(dev_.VRule(250 + x2Width, 2053, 1990), nullptr);
        EXPECT_NE(dev_.HRule(250 + x1 - 10, 250 + x2Size, 2137), nullptr);
        EXPECT_NE(dev_.VRule(250 + x2Size, 2137, 1990), nullptr);
        // The leaders point at "350" and "30" inside the example.
        EXPECT_GT(250 + x2Width, example->Left + width(prefix + size + " / "));
        EXPECT_LT(250 + x2Width, example->Right);
        EXPECT_GT(250 + x2Size, example->Left + width(prefix));
        EXPECT_LT(250 + x2Size, example->Left + width(prefix + size));
    }
}

TEST_F(DescriptionPageTest, ExampleNeedsLineThirty)
{
    DrawLines(1, Lines(29));
    EXPECT_EQ(dev_.FindText("VX 30 / 350"), nullptr);
    for (const auto& l : dev_.Lines)
        EXPECT_FALSE(l.Line.y1() == l.Line.y2() && std::abs(l.Line.y1() - 2053) < 1);
    EXPECT_EQ(dev_.FindText(LoadText(92) + " (C = 350 mm)"), nullptr);

    DrawLines(1, Lines(31));  // the example, but no captions yet
    EXPECT_NE(dev_.FindText("VX 30 / 350"), nullptr);
    EXPECT_EQ(dev_.FindText(LoadText(92) + " (C = 350 mm)"), nullptr);

    // Lines 28 to 37 are empty in a description, as the example is drawn over them.
    QStringList lines = Lines(40);
    for (int i = 28; i <= 37; ++i) lines[i - 1].clear();
    DrawLines(1, lines);
    EXPECT_NE(dev_.FindText(LoadText(180) + " (VX 30)"), nullptr);
    // Line 38 goes one row up, to row 52; line 39 keeps its own row 54.
    ASSERT_NE(dev_.TextAt(250, 2284), nullptr);
    EXPECT_EQ(dev_.TextAt(250, 2284)->Text, "L38");
    EXPECT_TRUE(dev_.TextAt(250, 2284)->Bold);
    ASSERT_NE(dev_.TextAt(250, 2368), nullptr);
    EXPECT_EQ(dev_.TextAt(250, 2368)->Text, "L39");
    EXPECT_FALSE(dev_.TextAt(250, 2368)->Bold);
    EXPECT_EQ(dev_.TextAt(250, 2326), nullptr);
}

TEST_F(DescriptionPageTest, SizeTablesComeFromTheDimensionTable)
{
    // Every size of the series has its row, and the row holds the dimensions the datasheet and
    // the pre-selection show for the device: length A, height B, face height D, and depth E.
    for (int series : {1, 2}) {
        Draw(series);
        for (int size : SeriesSizes(series)) {
            const QString type = QString::fromStdString(TypeEntryText(series, size));
            const TRecordedText* t = dev_.FindText(type);
            ASSERT_NE(t, nullptr) << type.toStdString();
            int a = 0, b = 0, d = 0;
            ASSERT_TRUE(DeviceDimensions(size, a, b, d));
            QStringList row;
            auto sameRow = dev_.TextsAtTop(t->Top, 1.0);
            std::sort(sameRow.begin(), sameRow.end(),
                      [](const TRecordedText* x, const TRecordedText* y) { return x->Left < y->Left; });
            bool started = false;
            for (const TRecordedText* r : sameRow) {
                if (r == t) started = true;
                else if (started && row.size() < 4) row << r->Text;
            }
            const QString e = size == 366 ? "194" : "246";
            EXPECT_EQ(row, QStringList({QString::number(a), QString::number(b), QString::number(d), e}))
                << type.toStdString();
        }
    }
    EXPECT_NE(dev_.FindText("VX-K 366"), nullptr);
    EXPECT_EQ(dev_.FindText("VX Kombi 62"), nullptr);  // double units only for VX
    EXPECT_EQ(dev_.FindText("VX 16"), nullptr);
}

// Every language, both papers, both series: the page keeps its tables above the footer rule,
// no texts overlap, every table text stays inside its cell and every line inside the frame.
class DescriptionLayoutTest : public ::testing::TestWithParam<std::tuple<int, int, int>> {
protected:
    void SetUp() override { EnsureApplication(); }
    void TearDown() override { UseLanguage(2); }
};

TEST_P(DescriptionLayoutTest, FitsThePaper)
{
    const auto [language, paper, series] = GetParam();
    UseLanguage(language);
    TRecordingDevice dev(PaperSizeOf(paper));
    RecordPageOnPaper(dev, series == 2 ? &SeriesTwoPage : &SeriesOnePage, nullptr, paper);
    ASSERT_GT(dev.Texts.size(), 60u);
    const QStringList faults = PageLayoutFaults(dev, paper);
    EXPECT_TRUE(faults.isEmpty()) << faults.join("\n").toStdString();
}

INSTANTIATE_TEST_SUITE_P(LanguagesPapersSeries, DescriptionLayoutTest,
                         ::testing::Combine(::testing::ValuesIn(PageLanguages),
                                            ::testing::Values(PaperA4, PaperLetter),
                                            ::testing::Values(1, 2)));

TEST_F(DescriptionPageTest, SizeTableOfVXE)
{
    Draw(3);
    const TRecordedText* row = dev_.FindText("VX-E 366");
    ASSERT_NE(row, nullptr);
    EXPECT_NE(dev_.FindText("178"), nullptr);
    EXPECT_NE(dev_.FindText("194"), nullptr);
    EXPECT_EQ(dev_.FindText("VX-K 18"), nullptr);
    EXPECT_EQ(dev_.FindText("VX Kombi 62"), nullptr);
    EXPECT_EQ(dev_.TextAt(250, 772)->Text, LoadTextLines(4322)[0]);
}

TEST_F(DescriptionPageTest, OtherSeriesShowAsVX)
{
    auto texts = [&](int series) {
        Draw(series);
        QStringList all;
        for (const auto& t : dev_.Texts)
            all << QStringLiteral("%1@%2,%3").arg(t.Text).arg(t.Left).arg(t.Top);
        return all;
    };
    const QStringList vx = texts(1);
    EXPECT_EQ(texts(0), vx);
    EXPECT_EQ(texts(4), vx);
    EXPECT_NE(texts(2), vx);
    EXPECT_NE(texts(3), vx);
}

TEST_F(DescriptionPageTest, LanguageChoosesTheText)
{
    for (int language : {1, 3, 7, 8, 9}) {
        UseLanguage(language);
        Draw(1);
        const QStringList own = LoadTextLines(4300 + language);
        ASSERT_FALSE(own.isEmpty()) << language;
        // Scripts drawn with a fallback font arrive as several runs on the same row, each with
        // the ascent of its own font.
        auto row = dev_.TextsAtTop(772, 15);
        std::sort(row.begin(), row.end(),
                  [](const TRecordedText* a, const TRecordedText* b) { return a->Left < b->Left; });
        ASSERT_FALSE(row.empty()) << language;
        EXPECT_DOUBLE_EQ(row.front()->Left, 250) << language;
        QString heading;
        for (const TRecordedText* t : row) heading += t->Text;
        EXPECT_EQ(heading, own[0]) << language;
        EXPECT_EQ(dev_.TextAt(250, 604)->Text, LoadText(160)) << language;
    }
}

}  // namespace
