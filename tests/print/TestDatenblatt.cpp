// The datasheet page drawn from a real, calculated product window: every block
// at its page coordinates, printing the window's table cells as they stand.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>

#include "DatasheetFixture.h"
#include "app/URessourcen.h"
#include "print/UPageFrame.h"
#include "print/UTools.h"
#include "series/UVXSerie.h"
#include "thermo/UZahlformat.h"
#include "ui/DatenGrids.h"
#include "ui/UQvControls.h"
#include "ui/UPageLists.h"

namespace {

constexpr int L = 250;

// A cell as the page prints it: the shown text without leading blanks.
QString Shown(const TDatenGrid* g, int col, int row) {
  QString t = TDatenGrid::LookOf(g->Cell(col, row)).text;
  while (!t.isEmpty() && t.front().isSpace()) t.remove(0, 1);
  return t;
}

struct Row {
  const char* name;
  bool si;
  bool twoCases;
  int bypass;
  bool hclass;
  bool wbdb;
  int series;
  bool american;
  int sketch;
};

const Row kRows[] = {
    {"SI_OneCase_NoBypass", true, false, 10, true, false, 1, false, 4300},
    {"SI_TwoCases_SideBypass_WB", true, true, 20, false, true, 1, false, 4320},
    {"US_OneCase_MiddleBypass_WB", false, false, 21, true, true, 1, false, 4391},
    {"US_TwoCases_NoBypass_Series2", false, true, 10, false, false, 2, false, 4370},
    {"SI_OneCase_Series2_Middle_AHRI", true, false, 21, true, false, 2, true, 4321},
};

class DatasheetTest : public ::testing::TestWithParam<Row> {
protected:
  void SetUp() override {
    UseLanguage(2);
    win_ = std::make_unique<DatasheetWindow>();
    const Row& r = GetParam();
    TFormVX& w = *win_->w;
    win_->Setup(r.series, r.bypass, r.twoCases);
    w.Selection.EnergyClasses = r.hclass;
    w.WetBulbOnDatasheet = r.wbdb;
    w.Selection.AmericanMethod = r.american;
    win_->Calculate();
    w.SetUnitSystem(r.si);
    ASSERT_TRUE(w.ResultsValid()) << win_->Messages.join('\n').toStdString();
    ASSERT_EQ(w.Selection.Device.Bypass, r.bypass);
    ASSERT_EQ(w.WinterRecord->Series, r.series);
    ASSERT_EQ((w.Selection.TwoCases ? 2 : 1), r.twoCases ? 2 : 1);
    win_->Record();
  }
  void TearDown() override { win_.reset(); }

  const TRecordingDevice& Dev() const { return win_->dev; }
  TFormVX& W() { return *win_->w; }

  // The text at (x, y) must read expected; an empty expected text draws nothing.
  void ExpectText(double x, double y, TTextAlign a, const QString& expected, const char* what) {
    const TRecordedText* t = Dev().TextAt(x, y, a);
    if (expected.isEmpty()) {
      EXPECT_TRUE(t == nullptr || t->Text.isEmpty()) << what << " at " << x << "," << y;
      return;
    }
    ASSERT_NE(t, nullptr) << what << " '" << expected.toStdString() << "' not at " << x << "," << y;
    EXPECT_EQ(t->Text, expected) << what;
  }

  std::vector<int> ValueX() const {
    if (GetParam().twoCases) return {L + 880, L + 1100, L + 1350, L + 1570};
    return {L + 1050, L + 1400};
  }
  int UnitX() const { return L + (GetParam().twoCases ? 1600 : 1430); }

  void ExpectGridRow(const TDatenGrid* g, int row, int y, int labelX, int wetRow) {
    SCOPED_TRACE(testing::Message() << "grid row " << row << " at y " << y);
    QString label = Shown(g, 0, row);
    if (wetRow >= 0) label += " (DB/WB)";
    ExpectText(labelX, y, TTextAlign::Left, label, "label");
    ExpectText(UnitX(), y, TTextAlign::Left, Shown(g, GetParam().twoCases ? 9 : 5, row), "unit");
    const int cols[] = {1, 3, 5, 7};
    const auto xs = ValueX();
    for (size_t i = 0; i < xs.size(); ++i) {
      QString v = Shown(g, cols[i], row);
      if (wetRow >= 0) v += " / " + Shown(g, cols[i], wetRow).trimmed();
      ExpectText(xs[i], y, TTextAlign::Right, v, "value");
    }
  }

  std::unique_ptr<DatasheetWindow> win_;
};

TEST_P(DatasheetTest, HeadingsTypeKeyAndHint) {
  const Row& r = GetParam();
  const TRecordedText* key = Dev().TextAt(L, 772);
  ASSERT_NE(key, nullptr);
  EXPECT_EQ(key->Text, W().Label_Bauform->text());
  EXPECT_FALSE(key->Text.isEmpty());
  EXPECT_TRUE(key->Bold);
  const auto xs = ValueX();
  ExpectText(xs[0], 856, TTextAlign::Right, W().LB_Zuluft->text(), "supply heading");
  ExpectText(xs[1], 856, TTextAlign::Right, W().LB_Abluft->text(), "extract heading");
  if (r.twoCases) {
    ExpectText(xs[2], 856, TTextAlign::Right, W().LB_Zuluft->text(), "summer supply heading");
    ExpectText(xs[3], 856, TTextAlign::Right, W().LB_Abluft->text(), "summer extract heading");
    ExpectText(xs[0] + 50, 814, TTextAlign::Center, W().Edit_Winter->text(), "winter case");
    ExpectText(xs[2] + 50, 814, TTextAlign::Center, W().Edit_Sommer->text(), "summer case");
  } else if (W().Selection.Seasons) {
    ExpectText(xs[0] + 100, 814, TTextAlign::Center, W().Edit_Winter->text(), "winter case");
    EXPECT_EQ(Dev().TextsAtTop(814).size(), 1u);
  } else {
    EXPECT_TRUE(Dev().TextsAtTop(814).empty());
  }
  if (!W().LB_Hinweis->text().isEmpty()) {
    const TRecordedText* hint = Dev().TextAt(L + 250, 562);
    ASSERT_NE(hint, nullptr);
    EXPECT_EQ(hint->PixelSize, 28);
  }
  // Rules of the body are dotted, wide enough for their dots to show on a printer.
  for (int y : {898, 994, 1221, 1442, 2179, 2011, 2368}) {
    const TRecordedLine* rule = Dev().HRule(L, 1950, y);
    ASSERT_NE(rule, nullptr) << y;
    EXPECT_EQ(rule->Style, Qt::DotLine) << y;
    EXPECT_DOUBLE_EQ(rule->Width, kBrokenRuleWidth) << y;
  }
}

TEST_P(DatasheetTest, AirStatesAreTheWindowsCells) {
  const Row& r = GetParam();
  TFormVX& w = W();
  // The results exist: the page is not checked against empty tables.
  ASSERT_FALSE(Shown(w.Tabelle_Luftaustritt, 1, 2).isEmpty());
  ASSERT_FALSE(Shown(w.Tabelle_Prozessdaten, 1, 0).isEmpty());

  // Section titles in bold at the left edge: the inlet title as the grid holds it, the outlet
  // block headed "Outlet condition"; both end before the row labels at Left + 265.
  // A title too wide for one line continues on the next rows of the left column.
  auto title = [&](double y) {
    QStringList lines;
    for (int i = 0; i < 3; ++i)
      if (const TRecordedText* t = Dev().TextAt(L, y + i * 42)) {
        EXPECT_TRUE(t->Bold) << y;
        EXPECT_LE(t->Right, L + 265) << y;
        lines << t->Text;
      }
    return lines.join(' ');
  };
  EXPECT_EQ(title(1005), Shown(w.Tabelle_Lufteintritt, 0, 3));
  EXPECT_EQ(title(1232), LoadText(10));

  const int inlet[][2] = {{1, 909}, {2, 951}, {4, 1005}, {5, 1047}, {6, 1089}, {7, 1131}, {9, 1173}};
  for (const auto& i : inlet)
    ExpectGridRow(w.Tabelle_Lufteintritt, i[0], i[1], L + 265, r.wbdb && i[0] == 5 ? 8 : -1);
  const int outlet[][2] = {{1, 1232}, {2, 1274}, {3, 1316}, {4, 1358}, {6, 1400}};
  for (const auto& o : outlet)
    ExpectGridRow(w.Tabelle_Luftaustritt, o[0], o[1], L + 265, r.wbdb && o[0] == 2 ? 5 : -1);
  const int wdp[] = {1453, 1495, 1537};
  for (int i = 0; i < 3; ++i) ExpectGridRow(w.Tabelle_w_dp, i, wdp[i], L, -1);

  // Wet-bulb rows are not rows of their own on the page.
  if (!Shown(w.Tabelle_Lufteintritt, 0, 8).isEmpty()) {
    EXPECT_EQ(Dev().FindText(Shown(w.Tabelle_Lufteintritt, 0, 8)), nullptr);
  }
}

TEST_P(DatasheetTest, ResultsBlock) {
  const Row& r = GetParam();
  const TDatenGrid* g = W().Tabelle_Prozessdaten;
  const QString standard = r.american ? " (AHRI 1060)" : " (EN 308)";
  ExpectText(L, 1611, TTextAlign::Left, Shown(g, 0, 0) + standard, "efficiency label");
  ExpectText(L, 1653, TTextAlign::Left, Shown(g, 0, 1) + standard, "second efficiency label");
  // Under either standard every further row has the window's title, so no printed value
  // (efficiency class, ErP figure, condensate flow) stands without one.
  const int ys[] = {1611, 1653, 1695, 1737, 1801, 1843, 1885, 1927, 1969};
  for (int row = 2; row <= 8; ++row)
    ExpectText(L, ys[row], TTextAlign::Left, Shown(g, 0, row), "process label");
  const int cols[] = {1, 3, 5, 7};
  const auto xs = ValueX();
  for (int row = 0; row <= 8; ++row)
    for (size_t i = 0; i < xs.size(); ++i) {
      ExpectText(xs[i], ys[row], TTextAlign::Right, Shown(g, cols[i], row), "process value");
      if (!Shown(g, cols[i], row).isEmpty()) EXPECT_NE(Dev().TextAt(L, ys[row]), nullptr) << row;
    }

  const QString heat = r.si ? "kW" : "BTU/h";
  ExpectText(UnitX(), 1611, TTextAlign::Left, "%", "unit");
  ExpectText(UnitX(), 1653, TTextAlign::Left, "%", "unit");
  ExpectText(UnitX(), 1737, TTextAlign::Left, r.hclass ? "%" : "", "ErP unit");
  ExpectText(UnitX(), 1801, TTextAlign::Left, heat, "heat unit");
  ExpectText(UnitX(), 1843, TTextAlign::Left, heat, "heat unit");
  ExpectText(UnitX(), 1885, TTextAlign::Left, r.series == 3 ? heat : "", "third heat unit");
  ExpectText(UnitX(), 1927, TTextAlign::Left, r.si ? "g/kg" : "gr/lb", "condensate unit");
  ExpectText(UnitX(), 1969, TTextAlign::Left, r.si ? "kg/h" : "lb/h", "mass unit");
  // The frost limit of the winter case below the results.
  ExpectText(L, 2074, TTextAlign::Left, LoadText(695), "frost limit label");
  ExpectText(xs[0], 2074, TTextAlign::Right, Shown(g, 1, 9), "frost limit");
  EXPECT_FALSE(Shown(g, 1, 9).isEmpty());
  ExpectText(UnitX(), 2074, TTextAlign::Left, r.si ? "°C" : "°F", "frost limit unit");
}

TEST_P(DatasheetTest, CalculationBasisAndBypass) {
  const Row& r = GetParam();
  const TDatenVX& rec = *W().WinterRecord;
  ASSERT_DOUBLE_EQ(rec.Pressure, 1013.0);
  const TRecordedText* basis = Dev().TextAt(L, 2200);
  ASSERT_NE(basis, nullptr);
  EXPECT_EQ(basis->Text, LoadText(134));
  EXPECT_TRUE(basis->Bold);
  ExpectText(L, 2242, TTextAlign::Left, LoadText(1), "pressure label");
  // 1013 mbar is 0.9998 atm; at 1013 mbar the altitude is close to sea level.
  ExpectText(L + 500, 2242, TTextAlign::Right, r.si ? "1013" : "1.00", "pressure");
  ExpectText(L + 530, 2242, TTextAlign::Left, r.si ? "mbar" : "atm", "pressure unit");
  ExpectText(L, 2284, TTextAlign::Left, LoadText(2), "altitude label");
  const TRecordedText* alt = Dev().TextAt(L + 500, 2284, TTextAlign::Right);
  ASSERT_NE(alt, nullptr);
  EXPECT_LE(std::abs(alt->Text.toInt()), r.si ? 5 : 15) << alt->Text.toStdString();
  ExpectText(L + 530, 2284, TTextAlign::Left, r.si ? "m" : "ft", "altitude unit");

  const bool bypass = r.bypass != 10;
  ExpectText(L + 900, 2200, TTextAlign::Left, bypass ? LoadText(185) : "", "bypass title");
  ExpectText(L + 900, 2242, TTextAlign::Left, bypass ? LoadText(38) : "", "velocity label");
  ExpectText(L + 1430, 2242, TTextAlign::Left, bypass ? (r.si ? "m/s" : "fpm") : "", "velocity unit");
  ExpectText(L + 900, 2284, TTextAlign::Left, bypass ? LoadText(55) + " (C2)" : "", "width label");
  ExpectText(L + 1430, 2284, TTextAlign::Left, bypass ? "mm" : "", "width unit");
  ExpectText(L + 1400, 2284, TTextAlign::Right, bypass ? QString::number(rec.BypassWidth) : "", "bypass width");
  if (bypass) {
    ASSERT_GT(rec.BypassWidth, 0);
    const TRecordedText* v = Dev().TextAt(L + 1400, 2242, TTextAlign::Right);
    ASSERT_NE(v, nullptr);
    // The velocity in the shown unit: 1 decimal in m/s, whole fpm (1 m/s = 196.85 fpm).
    const double shown = v->Text.toDouble();
    if (r.si) {
      EXPECT_NEAR(shown, rec.BypassVelocity, 0.05);
      EXPECT_TRUE(v->Text.contains('.'));
    } else {
      EXPECT_NEAR(shown, rec.BypassVelocity * 196.850394, 0.5);
      EXPECT_FALSE(v->Text.contains('.'));
    }
  }
}

TEST_P(DatasheetTest, DimensionListWeightSketchAndMarks) {
  const Row& r = GetParam();
  TFormVX& w = W();
  const TDatenVX& rec = *w.WinterRecord;
  const bool bypass = r.bypass != 10, middle = r.bypass == 21;
  // The title stands below its rule at 2368, never on it, and above the first row.
  ExpectText(L, r.si ? 2389 : 2372, TTextAlign::Left, LoadText(53), "dimensions title");
  struct Dim {
    QString label;
    double mm, inch;
    int ySI, yUS;
  };
  std::vector<Dim> dims = {
      {"A =", double(w.Selection.Figures().Length), w.Selection.Figures().Length / 25.4, 2452, 2410},
      {"B =", double(w.Selection.Figures().Height), w.Selection.Figures().Height / 25.4, 2494, 2494},
      {bypass ? "C1 =" : "C =", double(middle ? rec.PackageWidth / 2 : rec.PackageWidth),
       middle ? rec.PackageWidth / 25.4 / 2 : rec.PackageWidth / 25.4, 2536, 2578},
      {"D =", double(w.Selection.Figures().FaceHeight), w.Selection.Figures().FaceHeight / 25.4, 2578, 2662},
  };
  if (bypass)
    dims.push_back({middle ? "2xC1+C2 =" : "C1+C2 =", double(rec.PackageWidth + rec.BypassWidth),
                    (rec.PackageWidth + rec.BypassWidth) / 25.4, 2620, 2746});
  else
    EXPECT_EQ(Dev().FindText("C1+C2 ="), nullptr);
  for (const Dim& d : dims) {
    SCOPED_TRACE(d.label.toStdString());
    ASSERT_GT(d.mm, 0);
    const int y = r.si ? d.ySI : d.yUS;
    ExpectText(L, y, TTextAlign::Left, d.label, "dimension label");
    ExpectText(L + 300, y, TTextAlign::Right, QString::number(qint64(d.mm)), "dimension");
    ExpectText(L + 330, y, TTextAlign::Left, "mm", "dimension unit");
    const TRecordedText* inch = Dev().TextAt(L + 300, y + 42, TTextAlign::Right);
    if (r.si) {
      EXPECT_TRUE(inch == nullptr || inch->Text != QString::number(d.inch, 'f', 2));
    } else {
      ASSERT_NE(inch, nullptr);
      EXPECT_EQ(inch->Text, QString::number(d.inch, 'f', 2));
      EXPECT_TRUE(inch->Italic);
      EXPECT_EQ(inch->PixelSize, 28);
      ExpectText(L + 330, y + 42, TTextAlign::Left, "in.", "inch unit");
    }
  }
  const TRecordedText* bypassInch = Dev().TextAt(L + 1400, 2326, TTextAlign::Right);
  if (!r.si && bypass) {
    ASSERT_NE(bypassInch, nullptr);
    EXPECT_EQ(bypassInch->Text, QString::number(rec.BypassWidth / 25.4, 'f', 2));
  } else {
    EXPECT_EQ(bypassInch, nullptr);
  }

  ExpectText(L + 1100, 2452, TTextAlign::Left, LoadText(64), "weight label");
  ExpectText(L + 1400, 2452, TTextAlign::Right, w.L_Gewicht->text(), "weight");
  ExpectText(L + 1430, 2452, TTextAlign::Left, r.si ? "kg" : "lb", "weight unit");

  std::vector<TRecordedPicture> marks, sketches;
  for (const auto& p : Dev().Pictures) (p.Id >= 4300 ? sketches : marks).push_back(p);
  ASSERT_EQ(sketches.size(), 1u);
  EXPECT_EQ(sketches[0].Id, r.sketch);
  EXPECT_EQ(sketches[0].Rect, QRectF(QPointF(750, 2410), QPointF(1188, 2760)));

  // Marks on series 1 only, right-aligned in the box from 556 to 644 (the
  // logo of the address block is picture 101).
  marks.erase(std::remove_if(marks.begin(), marks.end(), [](auto& p) { return p.Id == 101; }),
              marks.end());
  if (r.series == 1) {
    ASSERT_EQ(marks.size(), 3u);
    const std::pair<int, QRectF> expected[] = {
        {203, QRectF(QPointF(1350, 556), QPointF(1608, 644))},
        {201, QRectF(QPointF(1745, 556), QPointF(1910, 644))},
        {195, QRectF(QPointF(1632, 556), QPointF(1720, 644))}};
    for (size_t i = 0; i < 3; ++i) {
      EXPECT_EQ(marks[i].Id, expected[i].first);
      EXPECT_EQ(marks[i].Rect, expected[i].second);
    }
  } else {
    EXPECT_TRUE(marks.empty());
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, DatasheetTest, ::testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DatasheetMarks, AbsentMarksLetTheOthersMoveRight) {
  DatasheetWindow win;
  win.Setup(1, 10, false);
  win.Calculate();
  struct Flags {
    bool eurovent, ahri, tuev;
    std::vector<std::pair<int, int>> idLeft;
  } rows[] = {
      {true, false, true, {{203, 1535}, {195, 1817}}},
      {true, true, false, {{203, 1460}, {201, 1745}}},
      {true, false, false, {{203, 1645}}},
      {false, true, true, {{201, 1745}, {195, 1632}}},
  };
  const bool saved[] = {EuroventCertified, AhriCertified, TuevCertified};
  for (const Flags& f : rows) {
    EuroventCertified = f.eurovent;
    AhriCertified = f.ahri;
    TuevCertified = f.tuev;
    win.Record();
    std::vector<std::pair<int, int>> got;
    for (const auto& p : win.dev.Pictures)
      if (p.Id < 300 && p.Id != 101) got.push_back({p.Id, int(p.Rect.left())});
    EXPECT_EQ(got, f.idLeft);
  }
  EuroventCertified = saved[0];
  AhriCertified = saved[1];
  TuevCertified = saved[2];
}

TEST(DatasheetVXE, TitlesFrostLimitAndNoMarks) {
  UseLanguage(2);
  DatasheetWindow win;
  win.Setup(3, 10, false, {300, 300, -15, 22, 90, 70});
  win.w->Selection.EnergyClasses = true;
  win.Calculate();
  ASSERT_TRUE(win.w->ResultsValid()) << win.Messages.join('\n').toStdString();
  win.Record();
  const int left = L;
  ASSERT_NE(win.dev.FindText(LoadText(136) + ": VX-E 366 / 600"), nullptr);
  const TRecordedText* erp = win.dev.TextAt(left, 1737);
  ASSERT_NE(erp, nullptr);
  EXPECT_EQ(erp->Text, LoadText(19) + " ErP Lot 6");
  // The winter supply-air column.
  const TRecordedText* frost = win.dev.TextAt(left + 1050, 2074, TTextAlign::Right);
  ASSERT_NE(frost, nullptr);
  EXPECT_EQ(frost->Text, Shown(win.w->Tabelle_Prozessdaten, 1, 9));
  double limit = 0;
  ASSERT_TRUE(ParseNumber(frost->Text.toStdString(), limit)) << frost->Text.toStdString();
  EXPECT_NEAR(limit, *win.w->Selection.FrostLimit(), 0.05);
  for (const auto& p : win.dev.Pictures) EXPECT_TRUE(p.Id != 203 && p.Id != 201 && p.Id != 195) << p.Id;
}

TEST(DatasheetWarnings, FlowRatioWarningIsPrinted) {
  DatasheetWindow win;
  // Supply / extract 1000 / 635: a ratio of 1.57 is a warning, not an error.
  win.Setup(1, 10, false, {1000, 635, -10, 22, 90, 40});
  win.Calculate();
  ASSERT_TRUE(win.w->ResultsValid());
  const TMessageSet codes = win.w->AssembleCheckMessage().Codes;
  ASSERT_TRUE(codes.test(7));
  win.Record();
  const TRecordedText* ratio = win.dev.TextAt(L, 2116);
  ASSERT_NE(ratio, nullptr);
  EXPECT_EQ(ratio->Text, LoadText(127));
  EXPECT_EQ(win.dev.TextAt(L, 2032) != nullptr, codes.test(10) || codes.test(11));

  // Balanced flows: no warning lines.
  win.Setup(1, 10, false, kWinter);
  win.Calculate();
  win.Record();
  EXPECT_EQ(win.dev.TextAt(L, 2116), nullptr);
}

TEST(DatasheetWarnings, RussianWarningsUseTheSmallerFont) {
  EnsureApplication();
  UseLanguage(9);
  DatasheetWindow win;
  win.Setup(1, 10, false, {1000, 635, -10, 22, 90, 40});
  win.Calculate();
  win.Record();
  const TRecordedText* ratio = win.dev.TextAt(L, 2116);
  ASSERT_NE(ratio, nullptr);
  EXPECT_EQ(ratio->PixelSize, 31);
  UseLanguage(2);
}

TEST(DatasheetPageNoWindow, OtherOwnersGetTheHeaderOnly) {
  EnsureApplication();
  TRecordingDevice dev;
  QPainter p(&dev);
  DatasheetPage(nullptr, p, false);
  p.end();
  EXPECT_NE(dev.FindText("Tarvometrix " + LoadText(66)), nullptr);
  EXPECT_EQ(dev.TextAt(L, 772), nullptr);
}

TEST(DatasheetSketch, IdsFollowBypassUnitsAndSize) {
  struct R {
    int bypass;
    bool si;
    int size, id;
  } rows[] = {{10, true, 45, 4300},  {20, true, 45, 4320},  {21, true, 45, 4321},
              {10, false, 45, 4370}, {20, false, 45, 4390}, {21, false, 45, 4391},
              {10, true, 366, 4400}, {20, true, 366, 4420}, {21, false, 366, 4491}};
  for (const R& r : rows) EXPECT_EQ(DimensionSketchId(r.bypass, r.si, r.size), r.id);
}

}  // namespace

// Every language, both unit systems, both papers: a datasheet of two cases with a bypass, the
// certification marks and notes long enough to reach the marks keeps every text in its place.
class DatasheetLayoutTest : public ::testing::TestWithParam<std::tuple<int, bool, int>> {
protected:
  void TearDown() override { UseLanguage(2); }
};

TEST_P(DatasheetLayoutTest, FitsThePaper) {
  const auto [language, si, paper] = GetParam();
  EnsureApplication();
  UseLanguage(language);
  DatasheetWindow win;
  win.Setup(1, 20, true);
  win.Calculate();
  ASSERT_TRUE(win.w->ResultsValid());
  win.w->SetUnitSystem(si);
  win.w->Selection.NotesData = {"Offer for the ventilation units of the new school building, two "
                                "exchangers per unit, delivery in the third quarter",
                                "Bypass on the side", ""};
  TRecordingDevice dev(PaperSizeOf(paper));
  RecordPageOnPaper(dev, &DatasheetPage, win.w.get(), paper);
  ASSERT_GT(dev.Texts.size(), 100u);
  const QStringList faults = PageLayoutFaults(dev, paper);
  EXPECT_TRUE(faults.isEmpty()) << faults.join("\n").toStdString();
  // The notes stay left of the marks: every notes text on the marks' rows ends before them.
  const QTransform toPaper = DesignPageToPaper(PaperSizeOf(paper));
  for (const TRecordedPicture& mark : dev.Pictures) {
    if (mark.Id != 195 && mark.Id != 201 && mark.Id != 203) continue;
    for (const TRecordedText& t : dev.Texts)
      if (t.Top < mark.Rect.bottom() && t.Top + t.PixelSize * toPaper.m22() > mark.Rect.top())
        EXPECT_LE(t.Right, mark.Rect.left()) << t.Text.toStdString();
  }
}

INSTANTIATE_TEST_SUITE_P(LanguagesUnitsPapers, DatasheetLayoutTest,
                         ::testing::Combine(::testing::ValuesIn(PageLanguages), ::testing::Bool(),
                                            ::testing::Values(PaperA4, PaperLetter)));
