// vxrate's chart command: the chart page as PDF in both chart forms and unit systems, the chart as
// SVG and PNG picture, and its refusals (usage, bad input, a case the operating-point check stops).
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include "../pdf/PdfTools.h"

namespace {

class VxrateChartTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnsureGuiApplication();
        ASSERT_TRUE(dir_.isValid());
    }
    TToolResult Vxrate(const QStringList& args) { return RunTool(QStringLiteral(VXRATE_PATH), args); }
    QString Input(const QByteArray& json)
    {
        const QString path = dir_.filePath("case.json");
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(json);
        return path;
    }
    QString Text(const QString& pdf) { return RunTool("pdftotext", {"-layout", pdf, "-"}).Output; }
    QTemporaryDir dir_;
};

TEST_F(VxrateChartTest, ChartFormsUnitsAndLanguages)
{
    const QString in = Input(R"([{"Temp11": -10, "RelHum11": 90},
                                 {"Temp11": 32, "RelHum11": 40, "Temp21": 24, "RelHum21": 50}])");
    struct Row {
        QStringList options;
        QStringList expected;
    };
    const Row rows[] = {
        {{}, {"Mollier-diagram for p = 1013 mbar", "Moisture content [g/kg]", "Relative Humidity [%]"}},
        {{"--carrier", "--units", "us"}, {"Psychrometric chart for p = 1.00 atm", "[gr/lb]", "[°F]"}},
        {{"--lang", "de"}, {"Mollier-h,x-Diagramm für p = 1013 mbar", "Wassergehalt [g/kg]"}},
    };
    for (const Row& r : rows) {
        const QString pdf = dir_.filePath("chart.pdf");
        QFile::remove(pdf);
        const TToolResult run = Vxrate(QStringList{"chart", in, "--pdf", pdf} + r.options);
        ASSERT_EQ(run.ExitCode, 0) << run.Output.toStdString();
        EXPECT_EQ(PdfInfoField(RunTool("pdfinfo", {pdf}).Output, "Pages"), "1");
        const QString text = Text(pdf);
        for (const QString& e : r.expected)
            EXPECT_TRUE(text.contains(e)) << e.toStdString() << " in " << r.options.join(' ').toStdString();
    }
}

TEST_F(VxrateChartTest, RefusesWithoutWritingAFile)
{
    const QString pdf = dir_.filePath("none.pdf");
    struct Row {
        QByteArray json;
        QStringList args;
        int exitCode;
    };
    const Row rows[] = {
        {R"({})", {"--units", "metric"}, 2},
        {R"({"Temp11": "cold"})", {}, 2},
        {R"([{}, {}, {}])", {}, 2},          // at most two cases
        {R"({"Temp11": -60})", {}, 1},       // stopped by the operating-point check
    };
    for (const Row& r : rows) {
        const TToolResult run = Vxrate(QStringList{"chart", Input(r.json), "--pdf", pdf} + r.args);
        EXPECT_EQ(run.ExitCode, r.exitCode) << r.json.toStdString();
        EXPECT_FALSE(QFile::exists(pdf)) << r.json.toStdString();
    }
    EXPECT_EQ(Vxrate({"chart", Input("{}")}).ExitCode, 2); // no --pdf
}

// The texts of an SVG document's title and text elements; fails the test when it is not XML.
QStringList SvgTexts(const QString& path)
{
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
    QXmlStreamReader xml(&f);
    QStringList texts;
    while (!xml.atEnd())
        if (xml.readNext() == QXmlStreamReader::StartElement &&
            (xml.name() == u"title" || xml.name() == u"text"))
            texts << xml.readElementText(QXmlStreamReader::IncludeChildElements);
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return texts;
}

TEST_F(VxrateChartTest, ChartAsSvgAndPng)
{
    const QString in = Input(R"({"Temp11": -10, "RelHum11": 90})");
    const QString svg = dir_.filePath("chart.svg"), png = dir_.filePath("chart.png");
    TToolResult run = Vxrate({"chart", in, "--svg", svg, "--png", png, "--dpi", "200", "--lang", "fr"});
    ASSERT_EQ(run.ExitCode, 0) << run.Output.toStdString();
    // Title element and the drawn title are the chart's title, as text, in the chosen language.
    const QStringList texts = SvgTexts(svg);
    ASSERT_FALSE(texts.isEmpty());
    EXPECT_TRUE(texts.front().startsWith("Diagramme de Mollier")) << texts.front().toStdString();
    EXPECT_TRUE(texts.contains(texts.front())) << "title drawn as text";
    EXPECT_GT(texts.size(), 40); // axis labels, line values and titles stay text
    // 150 x 200 mm at 200 dpi.
    const QImage image(png);
    EXPECT_EQ(image.size(), QSize(1181, 1575));
    EXPECT_NEAR(image.dotsPerMeterX(), 200 / 0.0254, 1);

    QFile::remove(png);
    run = Vxrate({"chart", in, "--png", png, "--carrier"});
    ASSERT_EQ(run.ExitCode, 0) << run.Output.toStdString();
    EXPECT_EQ(QImage(png).size(), QSize(886, 1181)); // 150 dpi unless asked otherwise

    const QString none = dir_.filePath("none.png");
    for (const QStringList& bad : {QStringList{"--png", none, "--dpi", "20"},
                                   QStringList{"--png", none, "--dpi", "150dpi"},
                                   QStringList{"--svg", svg, "--dpi", "150"}}) {
        run = Vxrate(QStringList{"chart", in} + bad);
        EXPECT_EQ(run.ExitCode, 2) << bad.join(' ').toStdString();
        EXPECT_TRUE(run.Output.contains("--dpi")) << run.Output.toStdString();
    }
    EXPECT_FALSE(QFile::exists(none));
    // A folder where the picture should go: the system's reason, no success reported.
    run = Vxrate({"chart", in, "--svg", dir_.path()});
    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_TRUE(run.Output.contains(dir_.path())) << run.Output.toStdString();
}
} // namespace
