#include "calc/UGroessen.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "thermo/UMath.h"

namespace {

struct DimRow {
    int size, length, height, faceHeight;
};

const DimRow kDimensions[] = {
    {16, 380, 155, 81},       {18, 397, 172, 93},       {25, 454, 230, 134},
    {30, 496, 271, 163},      {35, 537, 312, 193},      {40, 578, 344, 222},
    {45, 619, 394, 249},      {62, 758, 533, 347},      {80, 899, 674, 447},
    {95, 1040, 815, 547},     {110, 1182, 957, 647},    {366, 366, 366, 178},
    {2030, 792, 570, 371},    {2035, 876, 652, 430},    {2045, 1037, 813, 544},
    {2062, 1314, 1089, 740},  {2080, 1600, 1376, 942},  {2095, 1887, 1662, 1144},
    {2110, 2165, 1945, 1344},
};

// Face height (mm) of a size, 0 for a code without a row.
double FaceHeight(int size) {
    int l = 0, h = 0, f = 0;
    return DeviceDimensions(size, l, h, f) ? f : 0.0;
}

// Rounds to the nearest integer (halves to even); a value outside the 32-bit range is a fault.
int RoundToInt(double v) {
    const double r = std::nearbyint(Finite(v));
    if (r < std::numeric_limits<std::int32_t>::min() || r > std::numeric_limits<std::int32_t>::max())
        throw MathFault("integer range");
    return static_cast<int>(r);
}

int TruncToInt(double v) {
    const double r = std::trunc(Finite(v));
    if (r < std::numeric_limits<std::int32_t>::min() || r > std::numeric_limits<std::int32_t>::max())
        throw MathFault("integer range");
    return static_cast<int>(r);
}

int CeilToInt(double v) { return TruncToInt(std::ceil(Finite(v))); }

// Per-size data of the plate package: plate area ap, end-plate area ae (m2) and profile length c
// (mm). Sizes without a row have no plates and an end plate of the plate's area.
struct PlateRow {
    int size;
    double ap, ae, c;
};

const PlateRow kPlates[] = {
    {16, 0.04957, 0.05381, 377}, {18, 0.05634, 0.06037, 394},
    {25, 0.0825, 0.0895, 333},   {30, 0.1034, 0.1108, 362},
    {35, 0.1233, 0.1337, 391},   {40, 0.0, 0.0, 0},
    {45, 0.1758, 0.1847, 449},   {62, 0.27, 0.2836, 548},
    {80, 0.406, 0.327, 661},     {95, 0.55, 0.394, 761},
    {110, 0.713, 0.46, 861},     {366, 0.1025, 0.1025, 366},
};

double SinglePackageWeight(int size, double W, int series) {
    const int s = SectionCount(W);
    const double L = W / s;
    const int M = PlateCount(L);
    double ap = 0.0, ae = 0.0, c = 0.0;
    bool found = false;
    for (const PlateRow& p : kPlates) {
        if (p.size == size) {
            ap = p.ap;
            ae = p.ae;
            c = p.c;
            found = true;
        }
    }
    if (!found) ae = ap;
    double plates;
    if (series == 2)
        plates = M * ap * 0.14 / 1000.0 * 1380.0;  // 0.14 mm PET film
    else if (series == 3)
        plates = ap * (2.0 * M / 2.4) * 0.12;
    else
        plates = M * ap * 0.1 / 1000.0 * 2700.0;  // 0.1 mm aluminium
    const double q = (L + 50.0) * 0.54 / 1000.0 / 1000.0 * 2700.0 +
                     (L + 50.0) * 0.07 / 1000.0 / 1000.0 * 2700.0 + ae * 2.0 / 1000.0 * 2700.0 +
                     plates;
    return (L / 100.0 * 384.0 / 1000.0 + (4.0 * c + 2172.0) / 100.0 * 3.73 / 1000.0 + q) * s;
}

double Sq(double v) { return v * v; }

struct KombiRow {
    int size;
    double a, e, k;
};

const KombiRow kKombi[] = {
    {2030, 205, 5, 0.944}, {2035, 325, 5, 0.944},  {2045, 290, 5, 0.944},
    {2062, 390, 5, 0.944}, {2080, 500, 14, 1.15},  {2095, 600, 14, 1.344},
    {2110, 700, 14, 1.55},
};

}  // namespace

bool DeviceDimensions(int size, int& length, int& height, int& faceHeight) {
    for (const DimRow& d : kDimensions) {
        if (d.size == size) {
            length = d.length;
            height = d.height;
            faceHeight = d.faceHeight;
            return true;
        }
    }
    return false;
}

int SectionCount(double W) { return CeilToInt(W / 500.0); }

int PlateCount(double L) { return CeilToInt((L - 2.0) / 2.1); }

int BypassWidthFor(int size, double v, double V) {
    try {
        const double h = FaceHeight(size);
        const double w = Div(Div(V, 3.6 * v), h / 1000.0) + 7.0;
        if (w >= 50.0) return RoundToInt(w);
        return 50;
    } catch (const MathFault&) {
        return 100;
    }
}

double BypassVelocityFor(int size, int width, double V) {
    const double h = FaceHeight(size);
    return Div(V / 3.6, (width - 7.0) * h / 1000.0);
}

double PackageWeight(int size, double W, int series) {
    // No package, no weight; this also keeps the section arithmetic away from zero.
    if (!(W > 0.0) || !std::isfinite(W)) return 0.0;
    try {
        if (size > 2000) {
            for (const KombiRow& k : kKombi) {
                if (k.size == size) {
                    return 2.0 * SinglePackageWeight(size - 2000, W, series) +
                           2.0 * ConnectionWeight(k.a, W, 0.15, k.e) + 2.0 * 1.5 * 2.7 * k.k * k.k;
                }
            }
            return 2.0 * SinglePackageWeight(size - 2000, W, series);
        }
        return SinglePackageWeight(size, W, series);
    } catch (const MathFault&) {
        return 0.0;
    }
}

double ConnectionWeight(double a, double W, double d, double e) {
    if (!(W > 0.0) || !std::isfinite(W) || !(d + e != 0.0)) return 0.0;
    const double l = (a == 390.0 || a == 500.0) ? std::ceil(W / 800.0) : std::ceil(W / 900.0);
    const double o = W / l;
    const double r = std::nearbyint((a >= 500.0 ? (o - 40.0) : (o - 4.0)) / (d + e));
    const bool big = a >= 400.0;
    const double t = big ? Sq((a + 54.0) / 1000.0) * 2.7 * 1.5
                         : Sq((a + 22.0) / 1000.0) * 2.7;
    const double u = big ? (o + 41.0) * 0.048 / 1000.0 * 2.7 * 1.5
                         : (o + 42.0) * 0.032 / 1000.0 * 2.7;
    const double area = (a == 390.0) ? 0.166 : a * (a + 15.0) / 1e6;
    const double v = area * 2.7 * d;
    const double w = big ? Sq(a / 1000.0) * 2.0 * 0.4 + o / 1000.0 * 4.0 * 0.3
                         : Sq(a / 1000.0) * 2.0 * 0.54 + o / 1000.0 * 4.0 * 0.15;
    return (2.0 * t + 4.0 * u + r * v + w) * l;
}

double BypassWeight(int size, double w) {
    static const struct {
        int size;
        double b;
    } kFlap[] = {{16, 0.05381}, {18, 0.06037}, {25, 0.0895},  {30, 0.1108},  {35, 0.1337},
                 {40, 0.0},     {45, 0.1847},  {62, 0.2836},  {80, 0.327},   {95, 0.394},
                 {110, 0.46},   {366, 0.1021}, {2062, 1.2072}, {2080, 1.654}, {2095, 2.228},
                 {2110, 2.88}};
    double b = 0.0;
    for (const auto& f : kFlap)
        if (f.size == size) b = f.b;
    return w / 100.0 * 348.0 / 1000.0 + w * 0.52 / 1000.0 / 1000.0 * 2700.0 +
           (w + 42.0) * 0.08 / 1000.0 / 1000.0 * 2700.0 + b * 1.0 / 1000.0 * 2700.0;
}

void SizeWidthForEfficiency(TDatenREK& record, int size, double target, bool& ok, double& temp12,
                            double& relWetEff, double& wetEff, double& maxPressureDrop,
                            double& maxFaceVelocity, int& width) {
    ok = false;
    try {
        const double vmax = std::max(record.OVol11, record.OVol21);
        // Start with the width for a face velocity of 1 m/s.
        double w = Finite(Div(vmax / 3600.0, FaceHeight(size)) * 1e6);
        record.PackageWidth = TruncToInt(w);
        record.SizeCode = size;
        record.Calculate();
        for (int i = 0; i < 50 && std::fabs(record.TempEff1 - target) > 0.04; ++i) {
            w = Finite(Div(target, record.TempEffWet1) * w);
            record.PackageWidth = CeilToInt(w);
            record.Calculate();
        }
        record.PackageWidth = TruncToInt(std::ceil(w / 5.0) * 5.0);
        record.Calculate();
        width = record.PackageWidth;
        maxFaceVelocity = std::max(record.FaceVelocity1, record.FaceVelocity2);
        maxPressureDrop = std::max(record.PressureDrop1, record.PressureDrop2);
        wetEff = record.TempEffWet1;
        relWetEff = record.EffRel1[1];
        temp12 = record.Temp12;
        ok = true;
    } catch (...) {
    }
}
