// Language texts, fonts per language, and the program's pictures and text resources.
#include "app/UGlobal.h"
#include "app/URessourcen.h"

#include <QFile>
#include <QFontInfo>
#include <QGlyphRun>
#include <QRawFont>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QTextLayout>
#include <gtest/gtest.h>

#include <map>

namespace {

const int Languages[] = {LangGerman, LangEnglish, LangFrench, LangPolish, LangChinese, LangRussian};

// Numbers a table lacks on purpose (documented with the tables).
bool DocumentedGap(int language, int k)
{
    return language == LangPolish && k == 415;
}

QStringList Placeholders(const QString& text)
{
    static const QRegularExpression re(QStringLiteral("%[sgd]"));
    QStringList found;
    for (auto it = re.globalMatch(text); it.hasNext();)
        found << it.next().captured();
    return found;
}

class LanguageGuard : public testing::Test {
protected:
    void TearDown() override
    {
        Language = LangEnglish;
        ApplyLanguageFonts();
    }
};

TEST(TextTables, AllSixHoldTheSameNumbersWithTheSamePlaceholders)
{
    const QList<int> english = TextNumbers(LangEnglish);
    ASSERT_GT(english.size(), 100);
    for (int language : Languages) {
        const QList<int> numbers = TextNumbers(language);
        for (int k : english) {
            const QString text = LoadText(k, language);
            if (DocumentedGap(language, k)) {
                EXPECT_FALSE(numbers.contains(k)) << "language " << language << " text " << k;
                continue;
            }
            EXPECT_TRUE(numbers.contains(k)) << "language " << language << " lacks text " << k;
            EXPECT_EQ(Placeholders(text), Placeholders(LoadText(k, LangEnglish)))
                << "language " << language << " text " << k << ": " << text.toStdString();
        }
        for (int k : numbers) {
            EXPECT_TRUE(english.contains(k)) << "language " << language << " has extra text " << k;
            EXPECT_GE(k, 1);
            EXPECT_LE(k, MaxTextNumber);
            EXPECT_LE(LoadWideText(10000 + 1000 * language + k).size(), MaxTextLength) << language << " " << k;
        }
    }
}

TEST(TextTables, HoldEveryRequiredNumberAndTheEnglishWording)
{
    QFile file(QStringLiteral(":/required_texts.tsv"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    int count = 0;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts)) {
        const QStringList parts = line.split(u'\t');
        const int k = parts[0].toInt();
        ++count;
        for (int language : Languages)
            if (!DocumentedGap(language, k)) {
                EXPECT_FALSE(LoadText(k, language).isEmpty()) << "language " << language << " text " << k;
            }
        if (parts.size() > 1) {
            EXPECT_EQ(LoadText(k, LangEnglish), parts[1]) << "text " << k;
        }
    }
    EXPECT_GT(count, 50);
}

TEST(TextTables, ScriptsArriveIntact)
{
    auto countIn = [](const QString& s, char16_t lo, char16_t hi) {
        return std::count_if(s.begin(), s.end(), [=](QChar c) { return c.unicode() >= lo && c.unicode() <= hi; });
    };
    QString russian, chinese, german, polish;
    for (int k : TextNumbers(LangEnglish)) {
        russian += LoadText(k, LangRussian);
        chinese += LoadText(k, LangChinese);
        german += LoadText(k, LangGerman);
        polish += LoadText(k, LangPolish);
    }
    EXPECT_GT(countIn(russian, 0x0410, 0x044F), 500);  // Cyrillic letters
    EXPECT_GT(countIn(chinese, 0x4E00, 0x9FFF), 300);  // CJK ideographs
    EXPECT_TRUE(german.contains(u'ä') || german.contains(u'ü') || german.contains(u'ö'));
    EXPECT_TRUE(polish.contains(u'ł') || polish.contains(u'ś') || polish.contains(u'ż'));
    EXPECT_FALSE(russian.contains(QChar(0xFFFD)));
    EXPECT_FALSE(chinese.contains(QChar(0xFFFD)));
}

TEST_F(LanguageGuard, LoadTextFollowsTheActiveLanguage)
{
    const int probe = TextNumbers(LangEnglish).first();
    Language = LangPolish;
    EXPECT_TRUE(LoadText(415).isEmpty());  // no English stand-in
    EXPECT_FALSE(LoadText(415, LangEnglish).isEmpty());
    EXPECT_EQ(LoadText(probe), LoadText(probe, LangPolish));
    Language = LangRussian;
    EXPECT_EQ(LoadText(probe), LoadWideText(19000 + probe));
    EXPECT_NE(LoadText(probe), LoadText(probe, LangEnglish));
    Language = LangSpanish;  // not offered: no table, every text empty
    EXPECT_TRUE(LoadText(probe).isEmpty());
    Language = LangEnglish;
    for (int k : {0, -1, 577, 999, 100000})
        EXPECT_TRUE(LoadText(k).isEmpty()) << k;
    for (int id : {0, 5, 12000, 14001, 99999})
        EXPECT_TRUE(LoadWideText(id).isEmpty()) << id;
}

TEST(TextTables, LongTextsAreClippedWithoutBreakingACharacter)
{
    EXPECT_EQ(ClipText(QString(300, u'x')).size(), 255);
    EXPECT_EQ(ClipText(QString(255, u'x')).size(), 255);
    const QString pair = QString::fromUcs4(U"\U0001F321");  // two UTF-16 units
    const QString split = QString(254, u'x') + pair + QStringLiteral("tail");
    EXPECT_EQ(ClipText(split), QString(254, u'x'));
    EXPECT_EQ(WideToCodePage(QStringLiteral("Теплообменник"), 1251), QStringLiteral("Теплообменник"));
}

TEST_F(LanguageGuard, FontsAndCodePagesPerLanguage)
{
    struct Row { int language; int charset; int codePage; };
    const Row rows[] = {{LangGerman, 162, 1254}, {LangEnglish, 162, 1254}, {LangFrench, 162, 1254},
                        {LangSpanish, 162, 1254}, {LangCzech, 238, 1250}, {LangPolish, 238, 1250},
                        {LangChinese, 134, 936}, {LangRussian, 204, 1251}};
    for (const Row& r : rows) {
        Language = static_cast<std::uint8_t>(r.language);
        ApplyLanguageFonts();
        EXPECT_EQ(FontCharset, r.charset) << r.language;
        EXPECT_EQ(TextCodePage, r.codePage) << r.language;
        EXPECT_EQ(DialogFont.family(), QStringLiteral("Tahoma"));
        EXPECT_EQ(DialogFont.pixelSize(), 11);
        EXPECT_EQ(ChartFont.family(), QStringLiteral("Arial"));
        EXPECT_EQ(ChartFont.pointSize(), 8);
        // The names resolve to installed fonts with the metrics of the originals.
        EXPECT_EQ(QFontInfo(ChartFont).family(), QStringLiteral("Liberation Sans"));
        EXPECT_EQ(QFontInfo(DialogFont).family(), QStringLiteral("Liberation Sans"));
    }
}

// Families that draw a text in a font, and whether any character fell back to the empty glyph.
std::pair<QStringList, bool> Shape(const QString& text, const QFont& font)
{
    QTextLayout layout(text, font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    QStringList families;
    bool missing = false;
    for (const QGlyphRun& run : layout.glyphRuns()) {
        families << run.rawFont().familyName();
        for (quint32 g : run.glyphIndexes())
            missing = missing || g == 0;
    }
    return {families, missing};
}

TEST_F(LanguageGuard, ChineseAndRussianTextsRenderWithRealGlyphs)
{
    struct Row { int language; int k; const char* family; };
    for (const Row& r : {Row{LangChinese, 3, "WenQuanYi Micro Hei"}, Row{LangRussian, 3, "Liberation Sans"},
                         Row{LangPolish, 3, "Liberation Sans"}}) {
        Language = static_cast<std::uint8_t>(r.language);
        ApplyLanguageFonts();
        const auto [families, missing] = Shape(LoadText(r.k), DialogFont);
        EXPECT_FALSE(missing) << r.language;
        EXPECT_TRUE(families.contains(QLatin1String(r.family), Qt::CaseInsensitive)) << families.join(u',').toStdString();
    }
}

TEST(Pictures, EveryPictureOfTheProgramLoads)
{
    for (int id : {195, 198, 200, 1900, 2900, 3900, 7900, 8900, 9900, 4101, 4202, 4203, 4299, 4401}) {
        QImage image;
        EXPECT_NO_THROW(image = LoadJpeg(id)) << id;
        EXPECT_FALSE(image.isNull()) << id;
    }
    EXPECT_FALSE(LoadPng(196).isNull());
    EXPECT_FALSE(LoadBitmap(9990).isNull());
    for (int id : {101, 201, 203}) {
        std::unique_ptr<QSvgRenderer> drawing;
        EXPECT_NO_THROW(drawing = LoadMetafile(id)) << id;
        EXPECT_TRUE(drawing && drawing->isValid()) << id;
    }
    for (const char* name : {"BUTTON_CLOSE", "BUTTON_FIRST", "BUTTON_LAST", "BUTTON_NEXT", "BUTTON_NOTES",
                             "BUTTON_PAGE", "BUTTON_PREVIOUS", "BUTTON_PRINT"})
        EXPECT_EQ(LoadBitmap(QLatin1String(name)).size(), QSize(16, 16)) << name;
    for (const char* name : {"BUTTON_HIDE", "BUTTON_SHOW"})
        EXPECT_EQ(LoadBitmap(QLatin1String(name)).size(), QSize(9, 9)) << name;
}

TEST(Pictures, MissingPicturesRaise)
{
    EXPECT_THROW(LoadJpeg(12345), EResourceNotFound);
    EXPECT_THROW(LoadPng(12345), EResourceNotFound);
    EXPECT_THROW(LoadBitmap(12345), EResourceNotFound);
    EXPECT_THROW(LoadMetafile(12345), EResourceNotFound);
    EXPECT_THROW(LoadBitmap(QStringLiteral("BUTTON_NONE")), EResourceNotFound);
    EXPECT_FALSE(PictureExists(12345));
    EXPECT_TRUE(PictureExists(4101));
}

TEST(Pictures, LogoIsLoadedOnceAtStart)
{
    InitResources();
    ASSERT_TRUE(LogoMetafile);
    EXPECT_TRUE(LogoMetafile->isValid());
    ReleaseResources();
    EXPECT_FALSE(LogoMetafile);
}

TEST(TextResources, LinesInEveryEncodingAndLineEnd)
{
    const QStringList expected = {QStringLiteral("Gegenstrom-Plattenwärmeübertrager"),
                                  QStringLiteral("Противоточный теплообменник"), QStringLiteral("逆流板式换热器")};
    EXPECT_EQ(LoadTextLines(99001), expected);  // UTF-16 LE with BOM, CRLF
    EXPECT_EQ(LoadTextLines(99002), expected);  // UTF-16 BE with BOM, LF, no final line end
    EXPECT_EQ(LoadTextLines(99003), expected + QStringList({QString(), QStringLiteral("last")}));  // UTF-8
    EXPECT_TRUE(LoadTextLines(4304).isEmpty());  // Spanish has no description
    EXPECT_TRUE(LoadTextLines(-1).isEmpty());
    EXPECT_EQ(LoadResourceLines(99004), QStringList({QStringLiteral("Größe;Preis"), QStringLiteral("VX 300;1.234")}));
    EXPECT_TRUE(LoadResourceLines(5001).isEmpty());
}

TEST(TextResources, ProductDescriptionsLoadForEveryOfferedLanguage)
{
    for (int base : {4300, 4310, 4320})
        for (int language : Languages) {
            const QStringList lines = LoadTextLines(base + language);
            EXPECT_GT(lines.size(), 3) << base + language;
            EXPECT_FALSE(lines.join(QString()).contains(QChar(0xFFFD))) << base + language;
        }
}

}  // namespace
