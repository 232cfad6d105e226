// The datasheet as PDF: one A4 page with the author, embedded fonts, a file
// qpdf accepts, and the type key, air states and efficiencies at their places
// exactly as the product window shows them. Also vxrate's datasheet command.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <nlohmann/json.hpp>

#include "../pdf/PdfTools.h"
#include "DatasheetFixture.h"
#include "app/URessourcen.h"
#include "pdf/UPdfEngine.h"
#include "print/UPdfExport.h"
#include "series/UProjekt.h"
#include "series/URateCase.h"
#include "thermo/UZahlformat.h"
#include "ui/DatenGrids.h"
#include "ui/UPageLists.h"

namespace {

struct TWord {
  double xMin, yMin, xMax, yMax;
  QString text;
};

// Words of page 1 with their boxes in points (pdftotext -bbox).
std::vector<TWord> Words(const QString& pdf) {
  const QString out = RunTool("pdftotext", {"-bbox", "-f", "1", "-l", "1", pdf, "-"}).Output;
  static const QRegularExpression re(
      QStringLiteral("<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*)</word>"));
  std::vector<TWord> words;
  for (auto it = re.globalMatch(out); it.hasNext();) {
    const auto m = it.next();
    QString t = m.captured(5);
    t.replace("&amp;", "&").replace("&lt;", "<").replace("&gt;", ">").replace("&quot;", "\"");
    words.push_back({m.captured(1).toDouble(), m.captured(2).toDouble(), m.captured(3).toDouble(),
                     m.captured(4).toDouble(), t});
  }
  return words;
}

double Pt(double tenthMm) { return tenthMm / 254.0 * 72.0; }

// The words on the text line whose top is at y (0.1 mm).
QStringList LineAt(const std::vector<TWord>& words, double y) {
  QStringList line;
  for (const TWord& w : words)
    if (w.yMin > Pt(y) - 2 && w.yMin < Pt(y) + Pt(42) - 2) line << w.text;
  return line;
}

// True when a word ending at x (0.1 mm, right-aligned text) on the line at y
// reads last.
bool RightAlignedAt(const std::vector<TWord>& words, double x, double y, const QString& last) {
  for (const TWord& w : words)
    if (std::abs(w.xMax - Pt(x)) < 2.0 && w.yMin > Pt(y) - 2 && w.yMin < Pt(y) + Pt(42) - 2 &&
        w.text == last)
      return true;
  return false;
}

QString Shown(const TDatenGrid* g, int col, int row) {
  return TDatenGrid::LookOf(g->Cell(col, row)).text.trimmed();
}

class DatasheetPdfTest : public ::testing::Test {
protected:
  void SetUp() override {
    UseLanguage(2);
    ASSERT_TRUE(dir_.isValid());
  }
  QTemporaryDir dir_;
};

TEST_F(DatasheetPdfTest, ExportedPageCarriesTheWindowsFiguresAsText) {
  DatasheetWindow win;
  win.Setup(1, 20, true);
  win.Calculate();
  TFormVX& w = *win.w;
  ASSERT_TRUE(w.ResultsValid());
  const QString file = dir_.filePath("datasheet.pdf");
  ExportPagesToPdf(&w, w.DatasheetPages, file, false);

  const TToolResult info = RunTool("pdfinfo", {file});
  ASSERT_EQ(info.ExitCode, 0);
  EXPECT_EQ(PdfInfoField(info.Output, "Pages"), "1");
  EXPECT_EQ(PdfInfoField(info.Output, "Author"), "Tarvometrix GmbH");
  EXPECT_TRUE(PdfInfoField(info.Output, "Page size").contains("(A4)"));
  const TToolResult fonts = RunTool("pdffonts", {file});
  const QStringList rows = fonts.Output.split('\n', Qt::SkipEmptyParts).mid(2);
  ASSERT_FALSE(rows.isEmpty());
  for (const QString& row : rows) {
    const QStringList f = row.split(' ', Qt::SkipEmptyParts);
    ASSERT_GE(f.size(), 7);
    EXPECT_EQ(f[f.size() - 5], "yes") << row.toStdString();
  }
  EXPECT_EQ(RunTool("qpdf", {"--check", file}).ExitCode, 0);

  const auto words = Words(file);
  ASSERT_FALSE(words.empty());
  // Type key on its line.
  EXPECT_EQ(LineAt(words, 772).join(' '), w.Label_Bauform->text().simplified());
  // Air states and velocities: every value cell of both cases, right-aligned
  // at its column, reads as the window's cell.
  const int xs[] = {250 + 880, 250 + 1100, 250 + 1350, 250 + 1570};
  const int cols[] = {1, 3, 5, 7};
  struct Block {
    const TDatenGrid* grid;
    std::vector<std::pair<int, int>> rowY;
  } blocks[] = {
      {w.Tabelle_Lufteintritt, {{1, 909}, {2, 951}, {4, 1005}, {5, 1047}, {6, 1089}, {7, 1131}, {9, 1173}}},
      {w.Tabelle_Luftaustritt, {{1, 1232}, {2, 1274}, {3, 1316}, {4, 1358}, {6, 1400}}},
      {w.Tabelle_w_dp, {{0, 1453}, {1, 1495}, {2, 1537}}},
      {w.Tabelle_Prozessdaten,
       {{0, 1611}, {1, 1653}, {2, 1695}, {3, 1737}, {4, 1801}, {5, 1843}, {6, 1885}, {7, 1927}, {8, 1969}}},
  };
  int checked = 0;
  for (const Block& b : blocks)
    for (auto [row, y] : b.rowY)
      for (int i = 0; i < 4; ++i) {
        const QString cell = Shown(b.grid, cols[i], row);
        if (cell.isEmpty()) continue;
        const QString last = cell.split(' ', Qt::SkipEmptyParts).last();
        EXPECT_TRUE(RightAlignedAt(words, xs[i], y, last))
            << "cell '" << cell.toStdString() << "' (row " << row << ", col " << cols[i] << ") not at "
            << xs[i] << "," << y;
        ++checked;
      }
  EXPECT_GT(checked, 60);
}

TEST_F(DatasheetPdfTest, ChineseAndRussianPagesKeepTheirTexts) {
  for (int language : {8, 9}) {
    UseLanguage(language);
    DatasheetWindow win;
    win.Setup(1, 10, false);
    win.Calculate();
    const QString file = dir_.filePath(QStringLiteral("lang%1.pdf").arg(language));
    ExportPagesToPdf(win.w.get(), win.w->DatasheetPages, file, false);
    const QString text = RunTool("pdftotext", {file, "-"}).Output.simplified();
    EXPECT_TRUE(text.contains(LoadText(66).simplified())) << language;
    EXPECT_TRUE(text.contains(LoadText(134).simplified())) << language;
  }
  UseLanguage(2);
}

// vxrate is built beside the tests; its path comes from the build.
class VxrateDatasheetTest : public DatasheetPdfTest {
protected:
  TToolResult Vxrate(const QStringList& args) { return RunTool(QStringLiteral(VXRATE_PATH), args); }
  QString Input(const QString& name, const QByteArray& json) {
    const QString path = dir_.filePath(name);
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(json);
    return path;
  }
};

TEST_F(VxrateDatasheetTest, WritesTheDatasheetInTheChosenUnitsAndLanguage) {
  EnsureGuiApplication();
  const QString in = Input("case.json", R"({"SizeCode": 45, "PackageWidth": 600, "SVol11": 1000,
      "SVol21": 1000, "Temp11": -10, "Temp21": 22, "RelHum11": 90, "RelHum21": 40, "Bypass": 20})");
  struct Row {
    QStringList extra;
    QString expect;     // a text the page must carry
    QString notExpect;  // and one it must not
  } rows[] = {
      {{}, "mbar", "atm"},
      {{"--units", "us"}, "atm", "mbar"},
      {{"--units", "si", "--lang", "de"}, LoadText(134, 1), LoadText(134, 2)},
      {{"--lang", "ru"}, LoadText(66, 9), LoadText(66, 2)},
  };
  int n = 0;
  for (const Row& r : rows) {
    const QString out = dir_.filePath(QStringLiteral("v%1.pdf").arg(n++));
    const TToolResult res = Vxrate(QStringList{"datasheet", in, "--pdf", out} + r.extra);
    ASSERT_EQ(res.ExitCode, 0) << res.Output.toStdString();
    const QString text = RunTool("pdftotext", {out, "-"}).Output.simplified();
    EXPECT_TRUE(text.contains(r.expect)) << r.expect.toStdString();
    EXPECT_FALSE(text.contains(r.notExpect)) << r.notExpect.toStdString();
    EXPECT_TRUE(text.contains("VX 45 / 600")) << text.left(400).toStdString();
  }
}

// A project opened in the window and the same file through vxrate give the same page text.
TEST_F(VxrateDatasheetTest, AProjectPrintsTheSamePageInTheWindowAndInVxrate) {
  const QString project = QStringLiteral(VX_EXAMPLES_DIR "/vx45-side-bypass.vxsel");
  const QString fromVxrate = dir_.filePath("vxrate.pdf");
  const TToolResult res = Vxrate({"datasheet", project, "--pdf", fromVxrate});
  ASSERT_EQ(res.ExitCode, 0) << res.Output.toStdString();

  DatasheetWindow win;
  TFormVX& w = *win.w;
  w.SetUnitSystem(true);
  ASSERT_TRUE(w.OpenProjectFile(project)) << win.Messages.join("\n").toStdString();
  ASSERT_TRUE(w.ResultsValid());
  const QString fromWindow = dir_.filePath("window.pdf");
  ExportPagesToPdf(&w, w.DatasheetPages, fromWindow, false);

  const QString text = RunTool("pdftotext", {fromWindow, "-"}).Output;
  EXPECT_TRUE(text.contains("School extension, north wing")) << text.toStdString();
  EXPECT_TRUE(text.contains("Bypass for free cooling in summer nights.")) << text.toStdString();
  EXPECT_EQ(RunTool("pdftotext", {fromVxrate, "-"}).Output, text);
}

// One device in every view: for each arrangement, series and unit system, vxrate's datasheet and
// the window's datasheet of the same project print the same page, and it carries the type key,
// bypass width and weight that vxrate rate reports.
TEST_F(VxrateDatasheetTest, WindowVxrateAndRateDescribeTheSameDevice) {
  struct Case {
    const char* name;
    int series, size, width, bypass;
    TBypassMode mode;
    double flow, bypassValue;  // m3/h; bypass velocity m/s or typed width mm
    bool si;
  } cases[] = {
      {"plain", SeriesVX, 30, 250, BypassNone, TBypassMode::Velocity, 200, 15, true},
      {"side", SeriesVX, 45, 1000, BypassSide, TBypassMode::Velocity, 1500, 8, false},
      {"middle", SeriesVX, 62, 1200, BypassMiddle, TBypassMode::Velocity, 2500, 10, true},
      {"width", SeriesVX, 45, 1000, BypassSide, TBypassMode::Width, 1500, 300, true},
      {"vxk", SeriesVXK, 35, 600, BypassNone, TBypassMode::Velocity, 800, 15, false},
      {"vxe", SeriesVXE, 366, 350, BypassNone, TBypassMode::Velocity, 300, 15, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TSelection s;
    for (TDatenVX& r : s.Cases) r.SVol11 = r.SVol21 = c.flow;
    TDevice d;
    d.Series = c.series;
    d.SizeCode = c.size;
    d.PackageWidth = c.width;
    d.Bypass = c.bypass;
    d.BypassMode = c.mode;
    if (c.mode == TBypassMode::Width)
      d.BypassWidth = static_cast<int>(c.bypassValue);
    else
      d.BypassVelocity = c.bypassValue;
    s.SetDevice(d);
    const QString project = Input(QString(c.name) + ".vxsel", QByteArray::fromStdString(ProjectText(s)));

    const TToolResult rated = Vxrate({"rate", project});
    ASSERT_EQ(rated.ExitCode, 0) << rated.Output.toStdString();
    const auto out = nlohmann::json::parse(rated.Output.toStdString()).at(0);
    const QString units = c.si ? "si" : "us";
    const QString fromVxrate = dir_.filePath(QString(c.name) + "-vxrate.pdf");
    const TToolResult res = Vxrate({"datasheet", project, "--pdf", fromVxrate, "--units", units});
    ASSERT_EQ(res.ExitCode, 0) << res.Output.toStdString();

    DatasheetWindow win;
    TFormVX& w = *win.w;
    w.SetUnitSystem(c.si);
    ASSERT_TRUE(w.OpenProjectFile(project)) << win.Messages.join("\n").toStdString();
    ASSERT_TRUE(w.ResultsValid());
    const QString fromWindow = dir_.filePath(QString(c.name) + "-window.pdf");
    ExportPagesToPdf(&w, w.DatasheetPages, fromWindow, false);

    const QString text = RunTool("pdftotext", {fromWindow, "-"}).Output;
    EXPECT_EQ(RunTool("pdftotext", {fromVxrate, "-"}).Output, text);
    EXPECT_TRUE(text.contains(QString::fromStdString(out.at("TypeKey").get<std::string>()))) << text.toStdString();
    const double weight = out.at("Weight").get<double>() * (c.si ? 1.0 : 1 / 0.45359237);
    EXPECT_TRUE(text.contains(QString::fromStdString(FormatFixed(weight, 1)))) << weight;
    if (c.bypass != BypassNone) {
      EXPECT_EQ(w.Selection.ShownBypassWidth(), out.at("BypassWidth").get<int>());
      EXPECT_TRUE(text.contains(QString::number(out.at("BypassWidth").get<int>())));
    }
  }
}

TEST_F(VxrateDatasheetTest, PaperFollowsTheUnitsOrTheChoiceAndRulesStayDotted) {
  EnsureGuiApplication();
  const QString in = Input("paper.json", R"({"SizeCode": 45, "PackageWidth": 600, "SVol11": 1000,
      "SVol21": 1000})");
  struct Row {
    QStringList extra;
    QString paper;  // pdfinfo's name of the page size
  } rows[] = {{{}, "A4"}, {{"--units", "us"}, "letter"}, {{"--units", "us", "--paper", "a4"}, "A4"},
              {{"--paper", "letter"}, "letter"}};
  int n = 0;
  for (const Row& r : rows) {
    const QString out = dir_.filePath(QStringLiteral("p%1.pdf").arg(n++));
    const TToolResult res = Vxrate(QStringList{"datasheet", in, "--pdf", out} + r.extra);
    ASSERT_EQ(res.ExitCode, 0) << res.Output.toStdString();
    const QString size = PdfInfoField(RunTool("pdfinfo", {out}).Output, "Page size");
    EXPECT_TRUE(size.contains(r.paper)) << size.toStdString() << " " << r.extra.join(' ').toStdString();
  }
  // The dotted body rules keep a visible width, so their dash pattern is not lost in a point.
  const QString expanded = dir_.filePath("expanded.pdf");
  ASSERT_EQ(RunTool("qpdf", {"--qdf", "--object-streams=disable", dir_.filePath("p0.pdf"), expanded})
                .ExitCode,
            0);
  QFile f(expanded);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  const QString content = QString::fromLatin1(f.readAll());
  const QRegularExpression dotted(QStringLiteral(R"(([0-9.]+) w [^\n]*\[([0-9.]+) ([0-9.]+) \]0\s+d)"));
  int visible = 0;
  for (auto it = dotted.globalMatch(content); it.hasNext();) {
    const auto m = it.next();
    if (m.captured(1).toDouble() > 0 && m.captured(2).toDouble() > 0) ++visible;
  }
  EXPECT_GT(visible, 0);
  EXPECT_EQ(Vxrate({"datasheet", in, "--pdf", dir_.filePath("b5.pdf"), "--paper", "b5"}).ExitCode, 2);
}

TEST_F(VxrateDatasheetTest, ACaseTheChecksRejectWritesNoDatasheet) {
  // 20000 m3/h through the smallest package: face velocity and pressure drop
  // far beyond the limits, so the calculation request stops with errors.
  const QString in = Input("toomuch.json", R"({"SVol11": 20000, "SVol21": 20000})");
  const QString out = dir_.filePath("rejected.pdf");
  const TToolResult res = Vxrate({"datasheet", in, "--pdf", out});
  EXPECT_EQ(res.ExitCode, 1) << res.Output.toStdString();
  EXPECT_TRUE(res.Output.contains("no datasheet written")) << res.Output.toStdString();
  EXPECT_FALSE(QFile::exists(out));
}

TEST_F(VxrateDatasheetTest, BadInputExitsWithStatusTwoAndAnUnwritablePdfWithOne) {
  const QString good = Input("good.json", "{}");
  const QString three = Input("three.json", "[{}, {}, {}]");
  const QString bad = dir_.filePath("no/such/folder/out.pdf");
  struct Row {
    QStringList args;
    QString says;
  } rows[] = {
      {{"datasheet", dir_.filePath("missing.json"), "--pdf", dir_.filePath("x.pdf")}, "missing.json"},
      {{"datasheet", three, "--pdf", dir_.filePath("x.pdf")}, "at most two cases"},
      {{"datasheet", good}, "--pdf"},
      {{"datasheet", good, "--pdf", dir_.filePath("x.pdf"), "--units", "metric"}, "--units"},
      {{"datasheet", good, "--pdf", dir_.filePath("x.pdf"), "--lang", "xx"}, "unknown language"},
  };
  for (const Row& r : rows) {
    const TToolResult res = Vxrate(r.args);
    EXPECT_EQ(res.ExitCode, 2) << r.args.join(' ').toStdString() << "\n" << res.Output.toStdString();
    EXPECT_TRUE(res.Output.contains(r.says)) << res.Output.toStdString();
  }
  EXPECT_FALSE(QFile::exists(dir_.filePath("x.pdf")));
  // A PDF that cannot be written is a failure to write, not bad input.
  const TToolResult unwritable = Vxrate({"datasheet", good, "--pdf", bad});
  EXPECT_EQ(unwritable.ExitCode, 1) << unwritable.Output.toStdString();
  EXPECT_TRUE(unwritable.Output.contains(QDir::toNativeSeparators(bad))) << unwritable.Output.toStdString();
  EXPECT_FALSE(QFile::exists(bad));
}

}  // namespace
