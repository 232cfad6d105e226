#include "print/UMollier.h"

#include "thermo/UMath.h"
#include "thermo/UThermo.h"
#include "thermo/UUmrechnung.h"
#include "thermo/UZahlformat.h"

#include <algorithm>
#include <cmath>

const double kRelHumLines[25] = {0.01, 0.02, 0.05, 0.1, 0.2, 0.3, 0.4, 0.5, 1,  2,  3,  4, 5,
                                 7,    10,   15,   20,  30,  40,  50,  60, 70, 80, 90, 100};

namespace {

// Range tables by item: largest temperature, largest humidity, humidity step and enthalpy step.
constexpr int kTMaxSI[kChartRangeItems] = {60, 80, 100, 120, 140};
constexpr int kTMaxUS[kChartRangeItems] = {140, 180, 220, 260, 300};   // degF
constexpr int kXMaxSI[kChartRangeItems] = {20, 30, 40, 50, 60};
constexpr int kXMaxUS[kChartRangeItems] = {140, 220, 280, 360, 440};  // gr/lb
constexpr int kDxSI[kChartRangeItems] = {2, 2, 5, 5, 5};
constexpr int kDxUS[kChartRangeItems] = {10, 10, 20, 20, 20};
constexpr int kDhSI[kChartRangeItems] = {5, 10, 10, 10, 20};             // kJ/kg
constexpr int kDhUS[kChartRangeItems] = {2, 5, 5, 5, 10};                // BTU/lb

int ClampItem(int item)
{
    return std::clamp(item, 0, kChartRangeItems - 1);
}

double R(double v)
{
    return std::nearbyint(v);
}

double PointSegmentDistance(TChartPoint p, TChartPoint a, TChartPoint b)
{
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double len2 = dx * dx + dy * dy;
    const double s = len2 > 0 ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / len2, 0.0, 1.0) : 0;
    return std::hypot(p.x - a.x - s * dx, p.y - a.y - s * dy);
}

double Cross(TChartPoint o, TChartPoint a, TChartPoint b)
{
    return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
}

// Distance between the segments a-b and c-d; 0 where they cross.
double SegmentDistance(TChartPoint a, TChartPoint b, TChartPoint c, TChartPoint d)
{
    const double d1 = Cross(a, b, c), d2 = Cross(a, b, d), d3 = Cross(c, d, a), d4 = Cross(c, d, b);
    if (((d1 > 0 && d2 < 0) || (d1 < 0 && d2 > 0)) && ((d3 > 0 && d4 < 0) || (d3 < 0 && d4 > 0)))
        return 0;
    return std::min({PointSegmentDistance(a, c, d), PointSegmentDistance(b, c, d),
                     PointSegmentDistance(c, a, b), PointSegmentDistance(d, a, b)});
}

// Builds the layers in logical units and converts to the frame as it goes.
class TGridBuilder {
public:
    TGridBuilder(const TChartSettings& s, const TChartRanges& r, const TChartMapping& map,
                 const std::vector<TProcessLine>& lines)
        : s_(s), r_(r), map_(map), th_(0.9 * map.fh), k_(map.Scale())
    {
        for (const TProcessLine& line : lines) {
            try {
                for (size_t j = 0; j + 1 < line.size(); ++j)
                    if (line[j].style != TChartPen::Clear)
                        processes_.push_back({map.Logical(line[j].t, line[j].x),
                                              map.Logical(line[j + 1].t, line[j + 1].x)});
            } catch (const MathFault&) {
            }
        }
    }

    TChartLayer Build()
    {
        Title();
        HumidityAxis();
        Isenthalps();
        Isotherms();
        RelHumLines();
        return std::move(layer_);
    }

private:
    const TChartSettings& s_;
    const TChartRanges& r_;
    const TChartMapping& map_;
    const double th_; // label text height, logical
    const double k_;  // frame units per logical unit
    TChartLayer layer_;
    std::vector<std::pair<TChartPoint, TChartPoint>> processes_; // visible segments, logical

    // Logical point from a position along the humidity axis (a) and across it (b): Mollier puts
    // the humidity horizontally, Carrier vertically.
    TChartPoint AB(double a, double b) const
    {
        return map_.carrier ? TChartPoint{b, a} : TChartPoint{a, b};
    }
    TChartPoint XY(double x, double Yv) const { return map_.LogicalXY(x, Yv); }

    void Line(TChartLineKind kind, const std::vector<TChartPoint>& logical, TRgb colour,
              bool thick, double value)
    {
        TChartLine line;
        line.kind = kind;
        line.colour = colour;
        line.width = thick ? map_.u * k_ : 0.0;
        line.value = value;
        for (const TChartPoint& p : logical)
            line.points.push_back(map_.ToFrame(p));
        layer_.lines.push_back(std::move(line));
    }

    void Text(std::vector<TTextPart> parts, TChartPoint logical, THAlign h, TVAlign v,
              double height, TRgb colour, double angle = 0)
    {
        TChartText t;
        t.parts = std::move(parts);
        t.at = map_.ToFrame(logical);
        t.hAlign = h;
        t.vAlign = v;
        t.height = height * k_;
        t.angle = angle;
        t.colour = colour;
        layer_.texts.push_back(std::move(t));
    }

    void Label(const std::string& text, TChartPoint logical, THAlign h, TVAlign v, TRgb colour)
    {
        Text({{0, text}}, logical, h, v, th_, colour);
    }

    void Title()
    {
        const double top = (map_.carrier ? map_.sx * r_.xMax : map_.sy * map_.yMax) + 4.2 * map_.fh; // clear of the frame top
        const double left = map_.carrier ? map_.sy * map_.yMin : map_.sx * r_.xMin;
        Text(ChartTitle(map_.carrier, s_.si, map_.P), {left, top}, THAlign::Left, TVAlign::Top, map_.fh,
             kBlack);
    }

    void HumidityAxis()
    {
        Line(TChartLineKind::Axis, {XY(r_.xMin, r_.tMin), XY(r_.xMax, r_.tMin)},
             kChartBlue, true, r_.tMin);
        const int n = static_cast<int>(R((r_.xMax - r_.xMin) / r_.dx));
        const double axis = map_.sy * r_.tMin; // across-axis position of the humidity axis
        for (int i = 0; i <= n; ++i) {
            const double x = r_.xMin + i * r_.dx;
            const double along = map_.sx * x;
            try {
                const TChartPoint top = XY(x, map_.Y(r_.tMax, x));
                Line(TChartLineKind::HumidityLine, {AB(along, axis - 0.5 * th_), top}, kChartBlue, true, x);
            } catch (const MathFault&) {
                continue;
            }
            if (!s_.si && r_.xMax > 25 && i % 2 == 1)
                continue;
            const std::string label = FormatFixed(R(s_.si ? x : x * 7), 0);
            if (map_.carrier)
                Label(label, AB(along, axis - 0.7 * th_), THAlign::Right, TVAlign::Middle, kChartBlue);
            else
                Label(label, AB(along, axis - 0.7 * th_), THAlign::Centre, TVAlign::Top, kChartBlue);
        }
        std::vector<TTextPart> title{{209, ""}, {0, s_.si ? " [g/kg]" : " [gr/lb]"}};
        const double mid = map_.sx * (r_.xMin + r_.xMax) / 2;
        if (map_.carrier)
            Text(std::move(title), AB(mid, axis - 3.5 * th_), THAlign::Centre, TVAlign::Middle, th_,
                 kChartBlue, -90);
        else
            Text(std::move(title), AB(mid, axis - 2.0 * th_), THAlign::Centre, TVAlign::Top, th_,
                 kChartBlue);
    }

    void Isenthalps()
    {
        const double hLo = Enthalpy(r_.tMin, r_.xMin, map_.P);
        const double hHi = Enthalpy(r_.tMax, r_.xMax, map_.P);
        const double hLoD = s_.si ? hLo : ConvertUnit(11, 24, 25, hLo);
        const double hHiD = s_.si ? hHi : ConvertUnit(11, 24, 25, hHi);
        const int kFirst = static_cast<int>(std::ceil(hLoD / r_.dh));
        const int kLast = static_cast<int>(std::trunc(hHiD / r_.dh));
        const double cpa = SpecificHeatDryAir(r_.tMax), cpv = SpecificHeatVapour(r_.tMax);
        double labelSum = 0;
        int labelCount = 0;
        struct TDrawn {
            double hD;
            TChartPoint from, to; // logical
        };
        std::vector<TDrawn> drawn;
        for (int k = kFirst; k <= kLast; ++k) {
            const double hD = k * r_.dh;
            const double h = s_.si ? hD : ConvertUnit(11, 25, 24, hD);
            try {
                const double xSat = SatHumidityOnIsenthalp(h, map_.P);
                if (xSat < r_.xMin)
                    continue;
                double xStart = r_.xMin;
                if ((h - 2.501 * r_.xMin) / (cpa + cpv * r_.xMin / 1000) > r_.tMax)
                    xStart = (h - cpa * r_.tMax) * 1000 / (cpv * r_.tMax + 2501);
                const double xEnd = std::min(xSat, r_.xMax);
                const double yEnd = h - 2.501 * xEnd;
                if (yEnd < r_.tMin || xStart >= xEnd)
                    continue;
                const TChartPoint start = XY(xStart, h - 2.501 * xStart), end = XY(xEnd, yEnd);
                Line(TChartLineKind::Isenthalp, {start, end}, kChartGrey, false, h);
                drawn.push_back({hD, start, end});
                if (xEnd < r_.xMax && (yEnd - r_.tMin) * map_.sy >= th_) {
                    const std::string label = FormatFixed(hD, 0);
                    if (map_.carrier)
                        Label(label, {end.x - 0.3 * th_, end.y + 0.2 * th_}, THAlign::Right,
                              TVAlign::Bottom, kChartGrey);
                    else
                        Label(label, {end.x + 0.3 * th_, end.y - 0.2 * th_}, THAlign::Left, TVAlign::Top,
                              kChartGrey);
                    labelSum += hD;
                    ++labelCount;
                }
            } catch (const MathFault&) {
            }
        }
        if (labelCount == 0)
            return;
        // Axis title along an isenthalp near the mean of the labelled values, the nearest one
        // whose middle stays clear of the process lines.
        const double hMean = std::floor(labelSum / labelCount / r_.dh) * r_.dh;
        const TDrawn* best = nullptr;
        double bestClearance = -1;
        std::stable_sort(drawn.begin(), drawn.end(), [hMean](const TDrawn& a, const TDrawn& b) {
            return std::fabs(a.hD - hMean) < std::fabs(b.hD - hMean);
        });
        for (const TDrawn& line : drawn) {
            const double clearance = TitleClearance(line.from, line.to);
            if (clearance > bestClearance) {
                best = &line;
                bestClearance = clearance;
            }
            if (clearance >= 1.5 * th_)
                break;
        }
        if (!best)
            return;
        // Tenths of a degree, as the line's slope gives them; the text runs down the line.
        const double slope = map_.carrier ? map_.sx / (2.501 * map_.sy) : 2.501 * map_.sy / map_.sx;
        const double a = R(std::atan(slope) * 1800 / M_PI) / 10;
        const double rad = -a * M_PI / 180;
        // Midpoint in logical units, lifted a quarter text height off the line.
        TChartPoint mid{(best->from.x + best->to.x) / 2, (best->from.y + best->to.y) / 2};
        mid.x += -std::sin(rad) * 0.25 * th_;
        mid.y += std::cos(rad) * 0.25 * th_;
        Text({{210, ""}, {0, s_.si ? " [kJ/kg]" : " [BTU/lb]"}}, mid, THAlign::Centre,
             TVAlign::Bottom, th_, kChartGrey, -a);
    }

    // Smallest distance of the process lines from the part of an isenthalp that its title covers
    // (about seven text heights either side of the middle), logical units.
    double TitleClearance(TChartPoint from, TChartPoint to) const
    {
        const double len = std::hypot(to.x - from.x, to.y - from.y);
        const double half = std::min(0.5, len > 0 ? 7 * th_ / len : 0.5);
        const TChartPoint a{from.x + (0.5 - half) * (to.x - from.x), from.y + (0.5 - half) * (to.y - from.y)};
        const TChartPoint b{from.x + (0.5 + half) * (to.x - from.x), from.y + (0.5 + half) * (to.y - from.y)};
        double d = 1e300;
        for (const auto& seg : processes_)
            d = std::min(d, SegmentDistance(a, b, seg.first, seg.second));
        return d;
    }

    void Isotherms()
    {
        const int n = static_cast<int>(std::trunc((r_.tMax - r_.tMin) / r_.dt + 1e-9));
        const double labelStep = s_.si ? 10 : 20;
        for (int j = 0; j <= n; ++j) {
            const double t = r_.tMin + j * r_.dt;
            try {
                const double xSat = HumidityRatio(t, 100, map_.P);
                // Above 100 degC, or above the boiling point of a low air pressure, the air never
                // saturates and the isotherm crosses the whole chart.
                const bool unsaturable = t >= 100 || SaturationPressure(t) >= 100 * map_.P;
                if (!(xSat >= r_.xMin || unsaturable))
                    continue;
                const double tD = s_.si ? t : ConvertUnit(2, 3, 4, t);
                const double q = tD / labelStep;
                const bool thick = std::fabs(q - R(q)) < 0.1;
                const double xs = unsaturable ? r_.xMax : std::min(xSat, r_.xMax);
                const double x0 = r_.xMin - 0.2;
                std::vector<TChartPoint> pts{map_.Logical(t, x0), map_.Logical(t, xs)};
                if (!unsaturable && xs < r_.xMax) {
                    // Fog isotherm, as long as it stays above the bottom of the chart.
                    const double xf = std::min(xs + 0.5, r_.xMax);
                    const double ys = map_.Y(t, xs), yf = map_.Y(t, xf);
                    if (yf >= r_.tMin) {
                        pts.push_back(map_.Logical(t, xf));
                    } else if (ys > r_.tMin) {
                        const double xc = xs + (xf - xs) * (ys - r_.tMin) / (ys - yf);
                        pts.push_back(XY(xc, r_.tMin));
                    }
                }
                Line(TChartLineKind::Isotherm, pts, kChartBlue, thick, t);
                if (thick) {
                    const std::string label = FormatFixed(R(tD), 0);
                    const TChartPoint p = pts.front();
                    if (map_.carrier)
                        Label(label, {p.x, p.y - 0.3 * th_}, THAlign::Centre, TVAlign::Top, kChartBlue);
                    else
                        Label(label, {p.x - 0.3 * th_, p.y}, THAlign::Right, TVAlign::Middle, kChartBlue);
                }
            } catch (const MathFault&) {
            }
        }
        std::vector<TTextPart> title{{211, ""}, {0, " ["}, {s_.si ? 411 : 412, ""}, {0, "]"}};
        if (map_.carrier)
            Text(std::move(title),
                 {map_.sy * (map_.yMin + map_.yMax) / 2.0, map_.sx * (r_.xMin - 0.2) - 1.8 * th_},
                 THAlign::Centre, TVAlign::Top, th_, kChartBlue);
        else
            Text(std::move(title), {map_.sx * r_.xMin - 4.5 * map_.fh, map_.sy * map_.yMax + 2.1 * map_.fh},
                 THAlign::Left, TVAlign::Bottom, th_, kChartBlue);
    }

    struct TPendingLabel {
        double phi;
        std::string text;
        TChartPoint at; // logical
        THAlign h;
        TVAlign v;
    };

    // Rough box of a label in logical units (digits are about 0.6 text heights wide).
    std::pair<TChartPoint, TChartPoint> LabelBox(const TPendingLabel& l) const
    {
        const double w = 0.6 * th_ * static_cast<double>(l.text.size());
        const double x0 = l.h == THAlign::Left ? l.at.x : l.h == THAlign::Centre ? l.at.x - w / 2 : l.at.x - w;
        const double y0 = l.v == TVAlign::Bottom ? l.at.y : l.v == TVAlign::Middle ? l.at.y - th_ / 2 : l.at.y - th_;
        return {{x0, y0}, {x0 + w, y0 + th_}};
    }

    void RelHumLines()
    {
        const int first = FirstRelHumLine(r_.tMax);
        std::vector<TPendingLabel> labels;
        for (int n = first; n <= 25; ++n) {
            const double phi = kRelHumLines[n - 1];
            try {
                std::vector<TChartPoint> pts;
                double t0 = r_.tMin, x0 = HumidityRatio(r_.tMin, phi, map_.P);
                if (x0 < r_.xMin) {
                    x0 = r_.xMin;
                    t0 = TempFromHumidityAndRh(r_.xMin, map_.P, phi);
                }
                pts.push_back(map_.Logical(t0, x0));
                bool atRight = false;
                for (double t = R(t0) + 1; t <= R(r_.tMax); t += 1) {
                    const double x = HumidityRatio(t, phi, map_.P);
                    // Beyond the right edge; a negative ratio means the vapour pressure passed the
                    // air pressure, which lies beyond any right edge as well.
                    if (x > r_.xMax || x < 0) {
                        pts.push_back(map_.Logical(TempFromHumidityAndRh(r_.xMax, map_.P, phi), r_.xMax));
                        atRight = true;
                        break;
                    }
                    pts.push_back(map_.Logical(t, x));
                }
                Line(TChartLineKind::RelHumLine, pts, kChartBlue, n == 20 || n == 25, phi);
                if (phi == 70 || phi == 90)
                    continue;
                if (r_.tMax > 200 &&
                    (phi == 4 || phi == 7 || phi == 15 || phi == 30 || phi == 40 || phi == 60 || phi == 80))
                    continue;
                const TChartPoint e = pts.back();
                // Lines leaving through the right edge (Mollier) or the top (Carrier) are
                // labelled across the humidity axis end, the others beyond the top isotherm.
                if (atRight != map_.carrier)
                    labels.push_back({phi, FormatGeneral(phi), {e.x + 0.3 * th_, e.y}, THAlign::Left, TVAlign::Middle});
                else
                    labels.push_back({phi, FormatGeneral(phi), {e.x, e.y + 0.3 * th_}, THAlign::Centre, TVAlign::Bottom});
            } catch (const MathFault&) {
            }
        }
        // Where the line ends crowd together, a label that would overlap one already placed is
        // left out; the saturation line and the 50 % line are placed first.
        std::stable_sort(labels.begin(), labels.end(), [](const TPendingLabel& a, const TPendingLabel& b) {
            auto rank = [](double phi) { return phi == 100 ? 0 : phi == 50 ? 1 : 2; };
            return rank(a.phi) < rank(b.phi);
        });
        std::vector<std::pair<TChartPoint, TChartPoint>> placed;
        const double gap = 0.15 * th_;
        for (const TPendingLabel& l : labels) {
            const auto box = LabelBox(l);
            bool free = true;
            for (const auto& o : placed)
                free = free && (box.second.x + gap <= o.first.x || o.second.x + gap <= box.first.x ||
                                box.second.y + gap <= o.first.y || o.second.y + gap <= box.first.y);
            if (!free)
                continue;
            placed.push_back(box);
            Label(l.text, l.at, l.h, l.v, kChartBlue);
        }
        const double top = (map_.carrier ? map_.sx * r_.xMax : map_.sy * map_.yMax) + 2.1 * map_.fh;
        const double right = map_.carrier ? map_.sy * map_.yMax : map_.sx * r_.xMax + 4.5 * map_.fh;
        Text({{13, ""}, {0, " [%]"}}, {right, top}, THAlign::Right, TVAlign::Bottom, th_, kChartBlue);
    }
};

} // namespace

TChartRanges ChartRanges(bool si, int humidityItem, int temperatureItem)
{
    const int hi = ClampItem(humidityItem), ti = ClampItem(temperatureItem);
    TChartRanges r;
    r.xMin = 0;
    if (si) {
        r.xMax = kXMaxSI[hi];
        r.dx = kDxSI[hi];
        r.dh = kDhSI[hi];
        r.tMax = kTMaxSI[ti];
        r.tMin = -20;
        r.dt = 2;
        r.dtL = 10;
    } else {
        r.xMax = kXMaxUS[hi] / 7.0;
        r.dx = kDxUS[hi] / 7.0;
        r.dh = kDhUS[hi];
        r.tMax = (kTMaxUS[ti] - 32) / 1.8;
        r.tMin = (0 - 32) / 1.8;
        r.dt = 5 / 1.8;
        r.dtL = 20 / 1.8;
    }
    return r;
}

int HumidityRangeMax(bool si, int item)
{
    return si ? kXMaxSI[ClampItem(item)] : kXMaxUS[ClampItem(item)];
}

int TemperatureRangeMax(bool si, int item)
{
    return si ? kTMaxSI[ClampItem(item)] : kTMaxUS[ClampItem(item)];
}

void RaiseChartRanges(double xMax, double tMax, int& humidityItem, int& temperatureItem)
{
    static const double xLimits[4] = {20, 30, 40, 50};
    static const double tLimits[4] = {60, 80, 100, 120};
    for (int i = 0; i < 4; ++i) {
        if (xMax > xLimits[i] && humidityItem < i + 1)
            humidityItem = i + 1;
        if (tMax > tLimits[i] && temperatureItem < i + 1)
            temperatureItem = i + 1;
    }
}

void LowerChartFloor(TChartRanges& r, bool si, double tLowest)
{
    if (!std::isfinite(tLowest))
        return;
    // In display units: the floor is a multiple of the labelled step.
    auto display = [si](double t) { return si ? t : t * 1.8 + 32; };
    auto internal = [si](double d) { return si ? d : (d - 32) / 1.8; };
    const double step = si ? 10 : 20, isotherm = si ? 2 : 5, lowest = si ? -60 : -80;
    const double wanted = display(tLowest) - isotherm;
    if (wanted >= display(r.tMin))
        return;
    r.tMin = internal(std::max(lowest, std::floor(wanted / step) * step));
}

TChartRanges ChartRangesFor(const TChartSettings& s, const std::vector<TProcessLine>& lines)
{
    TChartRanges r = ChartRanges(s.si, s.humidityItem, s.temperatureItem);
    double tLowest = INFINITY;
    for (const TProcessLine& line : lines)
        for (const TProcessPoint& p : line)
            if (std::isfinite(p.t))
                tLowest = std::min(tLowest, p.t);
    LowerChartFloor(r, s.si, tLowest);
    return r;
}

double TChartMapping::Y(double t, double x) const
{
    return Enthalpy(t, x, P) - 2.501 * x;
}

TChartPoint TChartMapping::Logical(double t, double x) const
{
    const double a = R(sx * x), b = R(sy * Y(t, x));
    return carrier ? TChartPoint{b, a} : TChartPoint{a, b};
}

TChartPoint TChartMapping::LogicalXY(double x, double Yv) const
{
    return carrier ? TChartPoint{sy * Yv, sx * x} : TChartPoint{sx * x, sy * Yv};
}

TChartPoint TChartMapping::ToFrame(TChartPoint p) const
{
    return {(p.x - originX) * m / extent, (originY - p.y) * m / extent};
}

TChartMapping ChartMapping(const TChartRanges& r, double P, bool carrier, int fhStart)
{
    TChartMapping map;
    map.carrier = carrier;
    map.P = P;
    const double hLo = Enthalpy(r.tMin, r.xMin, P);
    const double hHi = Enthalpy(r.tMax, r.xMax, P);
    map.yMin = static_cast<int>(R(hLo - 2.501 * r.xMin));
    map.yMax = static_cast<int>(R(hHi - 2.501 * r.xMax));
    map.sy = static_cast<int>(R(Div((r.xMax - r.xMin) * map.sx, map.yMax - map.yMin) * 800 / 600));
    if (carrier)
        map.sy = static_cast<int>(R(0.55 * map.sy));
    map.L = static_cast<int>(R((r.xMax - r.xMin) * map.sx));
    map.m = carrier ? 800 : 600;
    map.fh = static_cast<int>(R(static_cast<double>(map.L) * fhStart / map.m));
    map.u = static_cast<int>(R(1.5 * map.L / map.m));
    map.extent = map.L + 10.0 * map.fh;
    if (carrier) {
        map.originX = static_cast<double>(map.sy) * map.yMin - 5.0 * map.fh;
        map.originY = map.sx * r.xMax + 6.0 * map.fh;
    } else {
        map.originX = map.sx * r.xMin - 5.0 * map.fh;
        map.originY = static_cast<double>(map.sy) * map.yMax + 6.0 * map.fh;
    }
    return map;
}

int FirstRelHumLine(double tMax)
{
    const double t = std::trunc(tMax);
    if (t <= 100)
        return 13;
    if (t <= 120)
        return 11;
    if (t <= 160)
        return 9;
    if (t <= 200)
        return 8;
    if (t <= 400)
        return 3;
    return 1;
}

std::string TChartText::Literal() const
{
    std::string s;
    for (const TTextPart& p : parts)
        s += p.literal;
    return s;
}

std::vector<TTextPart> ChartTitle(bool carrier, bool si, double pressure)
{
    const std::string value =
        si ? FormatFixed(pressure, 0) + " mbar" : FormatFixed(ConvertUnit(7, 14, 15, pressure), 2) + " atm";
    return {{carrier ? 158 : 157, ""}, {0, " " + value}};
}

TChartLayer BuildChartGrid(const TChartSettings& s, const TChartRanges& r, const TChartMapping& map,
                           const std::vector<TProcessLine>& lines)
{
    return TGridBuilder(s, r, map, lines).Build();
}

TChartLayer BuildChartProcesses(const std::vector<TProcessLine>& lines, const TChartMapping& map)
{
    TChartLayer layer;
    const double k = map.Scale();
    for (const TProcessLine& line : lines) {
        std::vector<TChartPoint> pts;
        pts.reserve(line.size());
        try {
            for (const TProcessPoint& p : line)
                pts.push_back(map.Frame(p.t, p.x));
        } catch (const MathFault&) {
            continue; // a state without a place on the chart: the line is left out
        }
        for (size_t j = 0; j + 1 < line.size(); ++j) {
            TChartLine seg;
            seg.kind = TChartLineKind::Process;
            seg.points = {pts[j], pts[j + 1]};
            seg.colour = line[j].pen;
            seg.pen = line[j].style;
            seg.width = 3.0 * map.u * k;
            layer.lines.push_back(std::move(seg));
        }
        for (size_t j = 0; j < line.size(); ++j) {
            TChartDot dot;
            dot.centre = pts[j];
            dot.radius = 3.0 * map.u * k;
            dot.fill = line[j].brush;
            // A point of an invisible (cleared) line gets no outline either.
            dot.outline = line[j].style == TChartPen::Clear ? line[j].pen : kBlack;
            layer.dots.push_back(dot);
        }
    }
    return layer;
}

TChart BuildChart(const TChartSettings& s, const std::vector<TProcessLine>& lines)
{
    TChart chart;
    chart.ranges = ChartRangesFor(s, lines);
    try {
        chart.map = ChartMapping(chart.ranges, s.pressure, s.carrier);
        chart.grid = BuildChartGrid(s, chart.ranges, chart.map, lines);
        chart.processes = BuildChartProcesses(lines, chart.map);
    } catch (const MathFault&) {
        // A pressure without a chart (no finite enthalpies) leaves the chart empty.
    }
    return chart;
}

void AddProcessLines(const TDatenVX& r, TChartPen pen, std::vector<TProcessLine>& lines) {
    auto line = [pen](double t1, double x1, double t2, double x2, TRgb colour) {
        return TProcessLine{{t1, x1, colour, colour, pen}, {t2, x2, colour, colour, pen}};
    };
    lines.push_back(line(r.Temp21, r.X21, r.Temp22, r.X22, kStream2Colour));
    lines.push_back(line(r.Temp11, r.X11, r.Temp12, r.X12, kStream1Colour));
}
