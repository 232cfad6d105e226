// Checks of the embedded artwork: every picture the windows and pages load exists in the size
// and shape its place on screen or paper expects, the vector drawings stay within what the
// Qt SVG renderer draws, and every dimension sketch carries the letters of its dimension list.
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace {

int argcStore = 1;
char appName[] = "test_artwork";
char* argvStore[] = {appName, nullptr};

class ArtworkEnv : public ::testing::Environment {
public:
    void SetUp() override
    {
        if (!QGuiApplication::instance())
            app_ = new QGuiApplication(argcStore, argvStore);
    }
    void TearDown() override { delete app_; }

private:
    QGuiApplication* app_ = nullptr;
};

const auto* const env = ::testing::AddGlobalTestEnvironment(new ArtworkEnv);

// Raster pictures: the size they are shown at (about window, title strip, toolbars) and whether
// they must be transparent because they are drawn over another picture or a button face.
struct RasterCase {
    const char* path;
    int width;
    int height;
    bool alpha;
};

const RasterCase rasterCases[] = {
    {":/img/4101.jpg", 500, 220, false},  // start picture, 3 px inside the 506 x 226 panel
    {":/img/4202.jpg", 175, 40, false},   {":/img/4203.jpg", 175, 40, false},
    {":/img/4401.jpg", 62, 62, false},    {":/img/198.jpg", 62, 62, false},
    {":/img/4299.jpg", 260, 130, false},  // pre-selection dialog: shown unscaled in its 260 x 200 place
    {":/img/200.jpg", 89, 50, false},     {":/img/196.png", 45, 50, true},
    {":/img/1900.jpg", 220, 14, false},   {":/img/2900.jpg", 220, 14, false},
    {":/img/3900.jpg", 220, 14, false},   {":/img/7900.jpg", 220, 14, false},
    {":/img/8900.jpg", 220, 14, false},   {":/img/9900.jpg", 220, 14, false},
    {":/img/9990.bmp", 16, 16, true},     {":/glyphs/BUTTON_CLOSE.png", 16, 16, true},
    {":/glyphs/BUTTON_FIRST.png", 16, 16, true}, {":/glyphs/BUTTON_LAST.png", 16, 16, true},
    {":/glyphs/BUTTON_NEXT.png", 16, 16, true},  {":/glyphs/BUTTON_NOTES.png", 16, 16, true},
    {":/glyphs/BUTTON_PAGE.png", 16, 16, true},  {":/glyphs/BUTTON_PREVIOUS.png", 16, 16, true},
    {":/glyphs/BUTTON_PRINT.png", 16, 16, true}, {":/glyphs/BUTTON_HIDE.png", 9, 9, true},
    {":/glyphs/BUTTON_SHOW.png", 9, 9, true},    {":/glyphs/BUTTON_PICTURE.png", 16, 16, true},
};

TEST(Artwork, RasterPicturesHaveTheirDisplaySize)
{
    for (const RasterCase& c : rasterCases) {
        SCOPED_TRACE(c.path);
        const QImage img(QString::fromLatin1(c.path));
        ASSERT_FALSE(img.isNull());
        EXPECT_EQ(img.width(), c.width);
        EXPECT_EQ(img.height(), c.height);
        if (!c.alpha)
            continue;
        // A transparent glyph must still show something and must let the button face through.
        ASSERT_TRUE(img.hasAlphaChannel());
        int opaque = 0, clear = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) {
                const int a = qAlpha(img.pixel(x, y));
                opaque += a > 200;
                clear += a == 0;
            }
        EXPECT_GT(opaque, img.width() * img.height() / 10);
        EXPECT_GT(clear, 0);
    }
}

// The datasheet mark is stretched into a square box; a picture of another shape would be distorted.
TEST(Artwork, TestMarkOfTheDatasheetIsSquare)
{
    const QImage img(QStringLiteral(":/img/195.jpg"));
    ASSERT_FALSE(img.isNull());
    EXPECT_EQ(img.width(), img.height());
    EXPECT_GE(img.width(), 260);  // 8.8 mm printed at 750 dpi and more
}

// Vector drawings are stretched into fixed page rectangles (0.1 mm): the drawing's own aspect
// ratio must be that of its rectangle.
struct VectorCase {
    const char* path;
    double boxWidth;
    double boxHeight;
};

const VectorCase vectorCases[] = {
    {":/img/101.svg", 156, 156},  {":/img/201.svg", 165, 88},   {":/img/203.svg", 258, 88},
    {":/img/4305.svg", 687, 550}, {":/img/4300.svg", 438, 350}, {":/img/4320.svg", 438, 350},
    {":/img/4321.svg", 438, 350}, {":/img/4370.svg", 438, 350}, {":/img/4390.svg", 438, 350},
    {":/img/4391.svg", 438, 350}, {":/img/4400.svg", 438, 350}, {":/img/4420.svg", 438, 350},
    {":/img/4421.svg", 438, 350}, {":/img/4470.svg", 438, 350}, {":/img/4490.svg", 438, 350},
    {":/img/4491.svg", 438, 350},
};

TEST(Artwork, VectorDrawingsFitTheirPageRectangles)
{
    for (const VectorCase& c : vectorCases) {
        SCOPED_TRACE(c.path);
        QSvgRenderer r{QString::fromLatin1(c.path)};
        ASSERT_TRUE(r.isValid());
        const QRectF vb = r.viewBoxF();
        ASSERT_GT(vb.height(), 0.0);
        EXPECT_NEAR(vb.width() / vb.height(), c.boxWidth / c.boxHeight, 0.01 * c.boxWidth / c.boxHeight);
    }
}

// Renders a drawing into an image of the given width, white background.
QImage Render(const QString& path, int width)
{
    QSvgRenderer r(path);
    const QRectF vb = r.viewBoxF();
    QImage img(width, qRound(width * vb.height() / vb.width()), QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    r.render(&p);
    return img;
}

// Page drawings have a white margin: content that reaches the edge has been cut off by the
// drawing's own view box.
TEST(Artwork, PageDrawingsAreNotCutAtTheirEdges)
{
    for (const VectorCase& c : vectorCases) {
        const QString path = QString::fromLatin1(c.path);
        if (!path.contains(QRegularExpression(QStringLiteral("/4[34]\\d\\d\\.svg$"))))
            continue;
        SCOPED_TRACE(c.path);
        const QImage img = Render(path, 876);
        int ink = 0, edgeInk = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) {
                const bool dark = qGray(img.pixel(x, y)) < 160;
                ink += dark;
                if (dark && (x < 2 || y < 2 || x >= img.width() - 2 || y >= img.height() - 2))
                    ++edgeInk;
            }
        EXPECT_GT(ink, 2000);
        EXPECT_EQ(edgeInk, 0);
    }
}

// The program draws its SVG resources with Qt's renderer, which knows the SVG Tiny 1.2 profile:
// filters, masks, clip paths, style sheets and embedded pictures would be dropped silently.
TEST(Artwork, VectorDrawingsStayWithinTheTinyProfile)
{
    const std::set<QString> forbidden = {QStringLiteral("filter"), QStringLiteral("mask"),
                                         QStringLiteral("clipPath"), QStringLiteral("style"),
                                         QStringLiteral("image"), QStringLiteral("foreignObject"),
                                         QStringLiteral("pattern"), QStringLiteral("textPath")};
    const std::set<QString> fonts = {QStringLiteral("Liberation Sans"), QStringLiteral("Arial")};
    const QStringList files = QDir(QStringLiteral(":/img")).entryList({QStringLiteral("*.svg")});
    ASSERT_GE(files.size(), 16);
    for (const QString& name : files) {
        SCOPED_TRACE(name.toStdString());
        QFile f(QStringLiteral(":/img/") + name);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&f);
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            const QString tag = xml.name().toString();
            EXPECT_EQ(forbidden.count(tag), 0u) << tag.toStdString();
            const auto attrs = xml.attributes();
            EXPECT_FALSE(attrs.hasAttribute(QStringLiteral("class")));
            EXPECT_FALSE(attrs.hasAttribute(QStringLiteral("style")));
            if (attrs.hasAttribute(QStringLiteral("font-family"))) {
                EXPECT_EQ(fonts.count(attrs.value(QStringLiteral("font-family")).toString()), 1u);
            }
        }
        EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    }
}

// Texts of a drawing, in document order.
QStringList Texts(const QString& path)
{
    QStringList out;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return out;
    QXmlStreamReader xml(&f);
    while (!xml.atEnd())
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("text"))
            out << xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
    return out;
}

// Sketch numbering: 4300 + bypass (0 none, 20 side, 21 middle) + 70 for the inch list + 100 for the
// square size 366. Each sketch names the dimensions of the datasheet's list for that bypass.
TEST(Artwork, DimensionSketchesCarryTheLettersOfTheirList)
{
    const std::map<int, QStringList> lettersByBypass = {
        {0, {"A", "B", "C", "D"}},
        {20, {"A", "B", "C1", "C2", "D"}},
        {21, {"A", "B", "C1", "C1", "C2", "D"}},
    };
    for (int square : {0, 100})
        for (int inch : {0, 70})
            for (const auto& [bypass, expected] : lettersByBypass) {
                const int id = 4300 + bypass + inch + square;
                SCOPED_TRACE(id);
                QStringList texts = Texts(QStringLiteral(":/img/%1.svg").arg(id));
                ASSERT_FALSE(texts.isEmpty());
                const QString unit = texts.takeLast();
                EXPECT_EQ(unit, inch ? QStringLiteral("mm / in.") : QStringLiteral("mm"));
                texts.sort();
                EXPECT_EQ(texts.join(QLatin1Char(' ')).toStdString(), expected.join(QLatin1Char(' ')).toStdString());
            }
}

}  // namespace
