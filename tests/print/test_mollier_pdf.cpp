// vxrate's chart command: the chart page as PDF in both chart forms and unit systems, and its
// refusals (usage, bad input, a case the operating-point check stops).
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

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
} // namespace
