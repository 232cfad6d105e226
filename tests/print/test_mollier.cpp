// Geometry of the moist-air chart: ranges, mapping, grid and process lines, checked numerically.
#include "print/UMollier.h"
#include "thermo/UThermo.h"
#include "thermo/UZahlformat.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>

namespace {

std::vector<const TChartLine*> LinesOf(const TChartLayer& layer, TChartLineKind kind)
{
    std::vector<const TChartLine*> out;
    for (const TChartLine& l : layer.lines)
        if (l.kind == kind)
            out.push_back(&l);
    return out;
}

const TChartText* TextWithNumber(const TChartLayer& layer, int number)
{
    for (const TChartText& t : layer.texts)
        for (const TTextPart& p : t.parts)
            if (p.textNumber == number)
                return &t;
    return nullptr;
}

// Distance of p from the polyline.
double DistanceToPolyline(TChartPoint p, const std::vector<TChartPoint>& pts)
{
    double best = 1e300;
    for (size_t i = 0; i + 1 < pts.size(); ++i) {
        const double dx = pts[i + 1].x - pts[i].x, dy = pts[i + 1].y - pts[i].y;
        const double len2 = dx * dx + dy * dy;
        double s = len2 > 0 ? ((p.x - pts[i].x) * dx + (p.y - pts[i].y) * dy) / len2 : 0;
        s = std::clamp(s, 0.0, 1.0);
        best = std::min(best, std::hypot(p.x - pts[i].x - s * dx, p.y - pts[i].y - s * dy));
    }
    return best;
}

TEST(ChartRanges, TablesInBothUnitSystems)
{
    struct Row {
        bool si;
        int hi, ti;
        double xMax, tMax, tMin, dx, dh, dt, dtL;
    };
    const Row rows[] = {
        {true, 0, 1, 20, 80, -20, 2, 5, 2, 10},
        {true, 4, 4, 60, 140, -20, 5, 20, 2, 10},
        {true, 2, 0, 40, 60, -20, 5, 10, 2, 10},
        {false, 0, 0, 20, 60, -160.0 / 9, 10 / 7.0, 2, 25.0 / 9, 100.0 / 9},       // 140 gr/lb, 140 degF
        {false, 3, 2, 360 / 7.0, 104.444444444444, -160.0 / 9, 20 / 7.0, 5, 25.0 / 9, 100.0 / 9},
        {false, 9, -3, 440 / 7.0, 60, -160.0 / 9, 20 / 7.0, 10, 25.0 / 9, 100.0 / 9}, // clamped items
    };
    for (const Row& r : rows) {
        const TChartRanges c = ChartRanges(r.si, r.hi, r.ti);
        EXPECT_EQ(c.xMin, 0.0);
        EXPECT_NEAR(c.xMax, r.xMax, 1e-9) << r.si << r.hi;
        EXPECT_NEAR(c.tMax, r.tMax, 1e-9) << r.si << r.ti;
        EXPECT_NEAR(c.tMin, r.tMin, 1e-9);
        EXPECT_NEAR(c.dx, r.dx, 1e-12);
        EXPECT_NEAR(c.dh, r.dh, 1e-12);
        EXPECT_NEAR(c.dt, r.dt, 1e-12);
        EXPECT_NEAR(c.dtL, r.dtL, 1e-12);
    }
    EXPECT_EQ(HumidityRangeMax(false, 1), 220);
    EXPECT_EQ(TemperatureRangeMax(true, 3), 120);
}

TEST(ChartRanges, RaisingNeverLowers)
{
    struct Row {
        double x, t;
        int hiIn, tiIn, hiOut, tiOut;
    };
    const Row rows[] = {
        {19.9, 79.9, 0, 1, 0, 1}, // everything inside the user's choice
        {20.0, 60.0, 0, 0, 0, 0}, // on the border: still inside
        {35, 50, 0, 1, 2, 1},     // 35 g/kg needs the 40 g/kg range
        {55, 130, 1, 0, 4, 4},
        {21, 61, 0, 0, 1, 1},
        {5, 5, 3, 3, 3, 3},       // never lowered
    };
    for (const Row& r : rows) {
        int hi = r.hiIn, ti = r.tiIn;
        RaiseChartRanges(r.x, r.t, hi, ti);
        EXPECT_EQ(hi, r.hiOut) << r.x;
        EXPECT_EQ(ti, r.tiOut) << r.t;
    }
}

TEST(ChartMapping, HandCalculatedScales)
{
    // SI, 0..20 g/kg, -20..80 degC, 1013 mbar. Enthalpy(80, 20) = 80.56 + 2649.8 * 0.02 = 133.556,
    // so Ymax = round(133.556 - 50.02) = 84 and Ymin = round(-20.14) = -20;
    // sy = round(2000 / 104 * 4 / 3) = round(25.64) = 26; fh = round(2000 * 18 / 600) = 60;
    // u = round(1.5 * 2000 / 600) = 5.
    const TChartRanges r = ChartRanges(true, 0, 1);
    const TChartMapping m = ChartMapping(r, 1013, false);
    EXPECT_EQ(m.yMin, -20);
    EXPECT_EQ(m.yMax, 84);
    EXPECT_EQ(m.sy, 26);
    EXPECT_EQ(m.L, 2000);
    EXPECT_EQ(m.m, 600);
    EXPECT_EQ(m.fh, 60);
    EXPECT_EQ(m.u, 5);
    EXPECT_DOUBLE_EQ(m.extent, 2600);
    EXPECT_DOUBLE_EQ(m.originX, -300);
    EXPECT_DOUBLE_EQ(m.originY, 26 * 84 + 360);

    // Carrier: sy = round(0.55 * 26) = 14, fh = round(2000 * 18 / 800) = 45, u = round(3.75) = 4.
    const TChartMapping c = ChartMapping(r, 1013, true);
    EXPECT_EQ(c.sy, 14);
    EXPECT_EQ(c.m, 800);
    EXPECT_EQ(c.fh, 45);
    EXPECT_EQ(c.u, 4);
    EXPECT_DOUBLE_EQ(c.extent, 2450);
    EXPECT_DOUBLE_EQ(c.originX, 14 * -20 - 225);
    EXPECT_DOUBLE_EQ(c.originY, 2000 + 270);
}

TEST(ChartMapping, StatePointsAtTheirCoordinates)
{
    const TChartRanges r = ChartRanges(true, 0, 1);
    const TChartMapping m = ChartMapping(r, 1013, false);
    const TChartMapping c = ChartMapping(r, 1013, true);
    struct Row {
        double t, x;
    };
    for (const Row& s : {Row{20, 7.26}, Row{-5, 2.2}, Row{35, 15}, Row{0, 0}}) {
        // Y is the enthalpy without the latent part: 1.007 t + 1.86 t x / 1000 when unsaturated.
        const double Y = 1.007 * s.t + 1.86 * s.t * s.x / 1000;
        const double a = std::nearbyint(100 * s.x);
        const TChartPoint pm = m.Frame(s.t, s.x);
        EXPECT_NEAR(pm.x, (a + 300) * 600 / 2600, 1e-9) << s.t;
        EXPECT_NEAR(pm.y, (2544 - std::nearbyint(26 * Y)) * 600 / 2600, 1e-9) << s.t;
        // Carrier exchanges the axes and compresses the Y axis to 55 % (sy 14 instead of 26).
        const TChartPoint pc = c.Frame(s.t, s.x);
        EXPECT_NEAR(pc.x, (std::nearbyint(14 * Y) + 505) * 800 / 2450, 1e-9) << s.t;
        EXPECT_NEAR(pc.y, (2270 - a) * 800 / 2450, 1e-9) << s.t;
    }
}

TEST(ChartProcesses, SegmentsAndPointsFollowThePoints)
{
    const TChartRanges r = ChartRanges(true, 0, 1);
    const TChartMapping m = ChartMapping(r, 1013, false);
    const TProcessLine winter2{{22, 6.5, kStream2Colour, kStream2Colour, TChartPen::Solid},
                               {4, 6.5, kStream2Colour, kStream2Colour, TChartPen::Solid}};
    const TProcessLine summer1{{32, 12, kStream1Colour, kStream1Colour, TChartPen::Dot},
                               {26, 12, kStream1Colour, kStream1Colour, TChartPen::Dot},
                               {24, 11, kStream1Colour, kStream1Colour, TChartPen::Solid}};
    const TChartLayer layer = BuildChartProcesses({winter2, summer1}, m);
    ASSERT_EQ(layer.lines.size(), 1u + 2u);
    ASSERT_EQ(layer.dots.size(), 2u + 3u);
    const double k = 600.0 / 2600;
    EXPECT_NEAR(layer.lines[0].width, 3 * 5 * k, 1e-12);
    EXPECT_EQ(layer.lines[1].pen, TChartPen::Dot);
    EXPECT_EQ(layer.lines[2].pen, TChartPen::Dot); // the segment takes the style of its first point
    EXPECT_EQ(layer.lines[2].colour, kStream1Colour);
    const TProcessPoint* all[] = {&winter2[0], &winter2[1], &summer1[0], &summer1[1], &summer1[2]};
    for (size_t i = 0; i < 5; ++i) {
        const TChartPoint p = m.Frame(all[i]->t, all[i]->x);
        EXPECT_NEAR(layer.dots[i].centre.x, p.x, 1e-12);
        EXPECT_NEAR(layer.dots[i].centre.y, p.y, 1e-12);
        EXPECT_NEAR(layer.dots[i].radius, 3 * 5 * k, 1e-12);
        EXPECT_EQ(layer.dots[i].outline, kBlack);
        EXPECT_EQ(layer.dots[i].fill, all[i]->brush);
    }
    EXPECT_NEAR(layer.lines[1].points[1].x, layer.dots[3].centre.x, 1e-12);

    // Cleared lines (no results): invisible points without outline.
    const TProcessLine cleared{{0, 0, kWhite, kWhite, TChartPen::Clear}, {0, 0, kWhite, kWhite, TChartPen::Clear}};
    const TChartLayer empty = BuildChartProcesses({cleared}, m);
    ASSERT_EQ(empty.dots.size(), 2u);
    EXPECT_EQ(empty.dots[0].outline, kWhite);
    EXPECT_EQ(empty.lines[0].pen, TChartPen::Clear);
    EXPECT_TRUE(BuildChartProcesses({}, m).lines.empty());
}

TEST(ChartGrid, SaturationLinePassesThroughSaturationStates)
{
    for (bool carrier : {false, true})
        for (double P : {800.0, 1013.0}) {
            TChartSettings s;
            s.carrier = carrier;
            s.pressure = P;
            const TChart chart = BuildChart(s, {});
            const TChartLine* sat = nullptr;
            for (const TChartLine* l : LinesOf(chart.grid, TChartLineKind::RelHumLine))
                if (l->value == 100)
                    sat = l;
            ASSERT_NE(sat, nullptr);
            EXPECT_GT(sat->width, 0); // thick
            // Half a frame unit: points are rounded to whole logical units (0.23 frame units).
            for (double t = -20; HumidityRatio(t, 100, P) <= 20; t += 3.5)
                EXPECT_LT(DistanceToPolyline(chart.map.Frame(t, HumidityRatio(t, 100, P)), sat->points), 0.5)
                    << t << " " << P << " " << carrier;
        }
}

TEST(ChartGrid, IsothermsAndIsenthalpsForTheRanges)
{
    TChartSettings s; // SI, 0..20 g/kg, -20..80 degC
    const TChart chart = BuildChart(s, {});
    const auto iso = LinesOf(chart.grid, TChartLineKind::Isotherm);
    ASSERT_EQ(iso.size(), 51u); // -20, -18, ..., 80
    int thick = 0;
    for (const TChartLine* l : iso)
        thick += l->width > 0;
    EXPECT_EQ(thick, 11); // -20, -10, ..., 80

    // Isenthalps: multiples of 5 kJ/kg, every end point on its line Y = h - 2.501 x.
    const auto isen = LinesOf(chart.grid, TChartLineKind::Isenthalp);
    std::set<long> values;
    for (const TChartLine* l : isen) {
        EXPECT_NEAR(std::remainder(l->value, 5), 0, 1e-9);
        values.insert(std::lround(l->value));
        const TChartPoint a = l->points.front(), b = l->points.back();
        // In the frame the line falls by 2.501 sy per 100 units along x (Mollier, y downwards).
        EXPECT_NEAR((b.y - a.y) / (b.x - a.x), 2.501 * chart.map.sy / chart.map.sx, 1e-9);
    }
    EXPECT_EQ(values.size(), isen.size());
    for (long h : {0L, 25L, 50L, 100L})
        EXPECT_TRUE(values.count(h)) << h;
    EXPECT_FALSE(values.count(135)); // above Enthalpy(80, 20) = 133.6
    // Axis title along the isenthalps: rotated by the isenthalp's angle, down the line.
    const TChartText* title = TextWithNumber(chart.grid, 210);
    ASSERT_NE(title, nullptr);
    EXPECT_NEAR(title->angle, -std::nearbyint(std::atan(2.501 * 26 / 100) * 1800 / M_PI) / 10, 1e-12);
}

TEST(ChartGrid, LabelsInUkUsUnits)
{
    TChartSettings s;
    s.si = false;
    s.humidityItem = 2; // 0..280 gr/lb in steps of 20: above 25 g/kg, so every other label
    s.temperatureItem = 0; // 0..140 degF
    const TChart chart = BuildChart(s, {});
    std::vector<std::string> humidity, temperature;
    for (const TChartText& t : chart.grid.texts) {
        if (t.parts.size() != 1 || t.parts[0].textNumber != 0 || t.colour != kChartBlue)
            continue;
        // Humidity labels sit under the axis (Top aligned, centred), isotherm labels at the left.
        if (t.hAlign == THAlign::Centre && t.vAlign == TVAlign::Top)
            humidity.push_back(t.Literal());
        if (t.hAlign == THAlign::Right && t.vAlign == TVAlign::Middle)
            temperature.push_back(t.Literal());
    }
    EXPECT_EQ(humidity, (std::vector<std::string>{"0", "40", "80", "120", "160", "200", "240", "280"}));
    EXPECT_EQ(temperature,
              (std::vector<std::string>{"0", "20", "40", "60", "80", "100", "120", "140"}));
    EXPECT_EQ(LinesOf(chart.grid, TChartLineKind::Isotherm).size(), 29u); // 0, 5, ..., 140 degF
    EXPECT_EQ(LinesOf(chart.grid, TChartLineKind::HumidityLine).size(), 15u);
    const TChartText* title = TextWithNumber(chart.grid, 157);
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->Literal(), " 1.00 atm"); // 1012 mbar
    EXPECT_NE(TextWithNumber(chart.grid, 412), nullptr);
    EXPECT_EQ(TextWithNumber(chart.grid, 411), nullptr);
}

TEST(ChartGrid, RelativeHumidityLinesAndLabels)
{
    EXPECT_EQ(FirstRelHumLine(80), 13);
    EXPECT_EQ(FirstRelHumLine(100.9), 13);
    EXPECT_EQ(FirstRelHumLine(101), 11);
    EXPECT_EQ(FirstRelHumLine(160), 9);
    EXPECT_EQ(FirstRelHumLine(161), 8);
    EXPECT_EQ(FirstRelHumLine(200), 8);
    EXPECT_EQ(FirstRelHumLine(201), 3);
    EXPECT_EQ(FirstRelHumLine(400), 3);
    EXPECT_EQ(FirstRelHumLine(401), 1);

    TChartSettings s;
    s.temperatureItem = 3; // up to 120 degC: from line 11 (3 %)
    DecimalSeparator = U',';
    const TChart chart = BuildChart(s, {});
    DecimalSeparator = U'.';
    const auto rh = LinesOf(chart.grid, TChartLineKind::RelHumLine);
    ASSERT_EQ(rh.size(), 15u);
    EXPECT_EQ(rh.front()->value, 3);
    std::set<std::string> labels;
    // Relative-humidity labels sit beside the right end or above the top end of their lines.
    for (const TChartText& t : chart.grid.texts)
        if (t.parts.size() == 1 && t.colour == kChartBlue &&
            ((t.hAlign == THAlign::Left && t.vAlign == TVAlign::Middle) ||
             (t.hAlign == THAlign::Centre && t.vAlign == TVAlign::Bottom)))
            labels.insert(t.Literal());
    for (const char* shown : {"3", "5", "10", "50", "80", "100"})
        EXPECT_TRUE(labels.count(shown)) << shown;
    for (const char* hidden : {"70", "90"})
        EXPECT_FALSE(labels.count(hidden)) << hidden;
    // Each line stays inside the humidity range and rises in temperature.
    for (const TChartLine* l : rh)
        for (const TChartPoint& p : l->points)
            EXPECT_LE(p.x, chart.map.ToFrame(chart.map.LogicalXY(20, 0)).x + 1e-9) << l->value;
}

TEST(ChartProcesses, EveryPointLiesOnTheGridAndTheEnthalpyTitleStaysClear)
{
    // The coldest outdoor air VX allows (-30 degC) and a warm, humid extract air, for every
    // temperature range, both forms and both unit systems: the floor comes down to the
    // processes, every state point lies inside the plot rectangle spanned by the axes, and the
    // enthalpy axis title keeps clear of the process lines.
    for (double tCold : {-28.0, -30.0, -19.0})
        for (bool carrier : {false, true})
            for (bool si : {true, false})
                for (int ti = 0; ti < kChartRangeItems; ++ti) {
                    const TProcessLine outdoor{{tCold, 0.2, kStream1Colour, kStream1Colour, TChartPen::Solid},
                                               {15, 0.2, kStream1Colour, kStream1Colour, TChartPen::Solid}};
                    const TProcessLine extract{{22, 9, kStream2Colour, kStream2Colour, TChartPen::Solid},
                                               {-5, 2.5, kStream2Colour, kStream2Colour, TChartPen::Solid}};
                    TChartSettings s{carrier, si, 1013, 0, ti};
                    const TChart c = BuildChart(s, {outdoor, extract});
                    const std::string at = std::to_string(tCold) + (carrier ? " carrier" : " mollier") +
                                           (si ? " si " : " us ") + std::to_string(ti);
                    EXPECT_LE(c.ranges.tMin, tCold - (si ? 2 : 5 / 1.8) + 1e-9) << at;
                    EXPECT_GE(c.ranges.tMin, tCold - (si ? 12 : 25 / 1.8)) << at; // one step, no more
                    const TChartPoint a = c.map.ToFrame(c.map.LogicalXY(c.ranges.xMin, c.map.yMin));
                    const TChartPoint b = c.map.ToFrame(c.map.LogicalXY(c.ranges.xMax, c.map.yMax));
                    ASSERT_EQ(c.processes.dots.size(), 4u) << at;
                    for (const TChartDot& d : c.processes.dots) {
                        EXPECT_GE(d.centre.x, std::min(a.x, b.x)) << at;
                        EXPECT_LE(d.centre.x, std::max(a.x, b.x)) << at;
                        EXPECT_GE(d.centre.y, std::min(a.y, b.y)) << at;
                        EXPECT_LE(d.centre.y, std::max(a.y, b.y)) << at;
                    }
                    // The title's anchor lies a quarter text height beside its isenthalp; no process
                    // segment comes within a text height of it.
                    const TChartText* title = TextWithNumber(c.grid, 210);
                    ASSERT_NE(title, nullptr) << at;
                    for (const TChartLine& l : c.processes.lines)
                        EXPECT_GT(DistanceToPolyline(title->at, l.points), title->height) << at;
                }
    // A process line drawn right through where the title sits without processes moves it.
    for (bool carrier : {false, true})
        for (bool si : {true, false}) {
            TChartSettings s{carrier, si, 1013, 0, 1};
            const TChart empty = BuildChart(s, {});
            const TChartText* before = TextWithNumber(empty.grid, 210);
            ASSERT_NE(before, nullptr);
            const TChartMapping& m = empty.map;
            const double lx = before->at.x / m.Scale() + m.originX, ly = m.originY - before->at.y / m.Scale();
            const double x = (carrier ? ly : lx) / m.sx, Yv = (carrier ? lx : ly) / m.sy;
            const double t = Yv / (1.006 + 1.86 * x / 1000);
            const TProcessLine through{{t - 8, x, kStream2Colour, kStream2Colour, TChartPen::Solid},
                                       {t + 8, x, kStream2Colour, kStream2Colour, TChartPen::Solid}};
            const TChart c = BuildChart(s, {through});
            ASSERT_LT(DistanceToPolyline(before->at, c.processes.lines.at(0).points), before->height);
            const TChartText* after = TextWithNumber(c.grid, 210);
            ASSERT_NE(after, nullptr);
            EXPECT_GT(DistanceToPolyline(after->at, c.processes.lines.at(0).points), after->height)
                << carrier << si;
        }
    // Without processes the floor stays at -20 degC or 0 degF.
    EXPECT_DOUBLE_EQ(BuildChart(TChartSettings{}, {}).ranges.tMin, -20);
    TChartSettings us;
    us.si = false;
    EXPECT_NEAR(BuildChart(us, {}).ranges.tMin, -160.0 / 9, 1e-12);
}

TEST(ChartGrid, EveryRangeFitsThePicture)
{
    // All 5 x 5 ranges, both forms and units, low and high pressure: every line point and text
    // anchor lies inside the 600 x 800 picture (a small margin for the isotherm overhang).
    for (bool carrier : {false, true})
        for (bool si : {true, false})
            for (double P : {600.0, 1013.0, 1100.0})
                for (int hi = 0; hi < kChartRangeItems; ++hi)
                    for (int ti = 0; ti < kChartRangeItems; ++ti) {
                        TChartSettings s{carrier, si, P, hi, ti};
                        const TChart c = BuildChart(s, {});
                        ASSERT_FALSE(c.grid.lines.empty());
                        auto inside = [](TChartPoint p) {
                            return std::isfinite(p.x) && std::isfinite(p.y) && p.x >= -2 &&
                                   p.x <= kChartFrameWidth + 2 && p.y >= -2 && p.y <= kChartFrameHeight + 2;
                        };
                        for (const TChartLine& l : c.grid.lines)
                            for (const TChartPoint& p : l.points)
                                ASSERT_TRUE(inside(p)) << carrier << si << P << hi << ti << " line "
                                                       << int(l.kind) << " " << l.value << " at "
                                                       << p.x << "," << p.y;
                        for (const TChartText& t : c.grid.texts)
                            ASSERT_TRUE(inside(t.at)) << carrier << si << P << hi << ti << " text "
                                                      << t.Literal();
                    }
}
} // namespace

namespace {
TEST(ChartGrid, AbsurdPressuresGiveNoNonFiniteCoordinates)
{
    const TProcessLine line{{20, 5, kStream1Colour, kStream1Colour, TChartPen::Solid},
                            {1e300, -1e300, kStream1Colour, kStream1Colour, TChartPen::Solid}};
    for (double P : {0.0, -5.0, 1e-9, 1e9, std::nan(""), HUGE_VAL})
        for (bool carrier : {false, true}) {
            TChartSettings s;
            s.carrier = carrier;
            s.pressure = P;
            TChart c;
            ASSERT_NO_THROW(c = BuildChart(s, {line})) << P;
            for (const TChartLayer* layer : {&c.grid, &c.processes}) {
                for (const TChartLine& l : layer->lines)
                    for (const TChartPoint& p : l.points)
                        ASSERT_TRUE(std::isfinite(p.x) && std::isfinite(p.y)) << P << " " << int(l.kind);
                for (const TChartText& t : layer->texts)
                    ASSERT_TRUE(std::isfinite(t.at.x) && std::isfinite(t.at.y) && std::isfinite(t.height)) << P;
                for (const TChartDot& d : layer->dots)
                    ASSERT_TRUE(std::isfinite(d.centre.x) && std::isfinite(d.centre.y)) << P;
            }
        }
}
} // namespace
