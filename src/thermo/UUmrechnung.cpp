#include "thermo/UUmrechnung.h"

#include <iterator>

namespace {

// A derived unit of a quantity: derived = base / div * mul + add, and back
// base = (derived - add) / mul * div. The factors are the program's stored decimal values.
struct TDerivedUnit {
    int quantity;
    int code;
    double div;
    double mul;
    double add;
};

constexpr TQuantityUnits kQuantities[] = {
    {1, 1, 1, 2},     // air volume flow
    {2, 3, 3, 4},     // temperature
    {3, 5, 5, 6},     // humidity ratio
    {4, 7, 7, 8},     // pressure drop
    {5, 9, 9, 10},    // air velocity
    {6, 11, 12, 13},  // heat output (held internally in kW)
    {7, 14, 14, 15},  // barometric air pressure
    {8, 16, 16, 17},  // mass flow
    {9, 18, 18, 19},  // weight
    {10, 20, 20, 22}, // length
    {11, 24, 24, 25}, // specific enthalpy
    {12, 0, 0, 0},    // no conversion
    {13, 28, 28, 29}, // density
    {14, 12, 12, 32}, // electrical power (kW base; shown as W or kW in SI)
};

constexpr TDerivedUnit kDerived[] = {
    {1, 2, 1.0, 0.5886, 0.0},      // cfm = m3/h x 0.5886
    {2, 4, 100.0, 180.0, 32.0},    // degF = degC x 180/100 + 32
    {3, 6, 1.0, 7.0, 0.0},         // gr/lb = g/kg x 7
    {4, 8, 249.08, 1.0, 0.0},      // in. WG = Pa / 249.08
    {5, 10, 1.0, 196.85, 0.0},     // fpm = m/s x 196.85
    {6, 12, 1000.0, 1.0, 0.0},     // kW = W / 1000
    {6, 13, 1000.0, 3412.0, 0.0},  // BTU/h = W / 1000 x 3412
    {7, 15, 1013.0, 1.0, 0.0},     // atm = mbar / 1013
    {8, 17, 1.0, 2.2046, 0.0},     // lb/h = kg/h x 2.2046
    {9, 19, 1.0, 2.2046, 0.0},     // lb = kg x 2.2046
    {10, 21, 1.0, 1000.0, 0.0},    // mm = m x 1000
    {10, 22, 1.0, 3.2808, 0.0},    // ft = m x 3.2808
    {10, 23, 0.0254, 1.0, 0.0},    // in = m / 0.0254
    {11, 25, 2.3244, 1.0, 7.71},   // BTU/lb = kJ/kg / 2.3244 + 7.71
    {13, 29, 16.0185, 1.0, 0.0},   // lb/ft3 = kg/m3 / 16.0185
    {14, 11, 1.0, 1000.0, 0.0},    // W = kW x 1000
    {14, 32, 0.7457, 1.0, 0.0},    // HP = kW / 0.7457
};

const TDerivedUnit* FindDerived(int quantity, int code)
{
    for (const TDerivedUnit& d : kDerived)
        if (d.quantity == quantity && d.code == code)
            return &d;
    return nullptr;
}

constexpr TUnitLabel kLabels[] = {
    {"", 0},
    {"m\u00b3/h", 410}, {"cfm", 0},     {"\u00b0C", 411},  {"\u00b0F", 412},   {"g/kg", 0},
    {"gr/lb", 0},       {"Pa", 0},      {"in. WG", 0},     {"m/s", 0},         {"fpm", 0},
    {"W", 0},           {"kW", 0},      {"BTU/h", 0},      {"mbar", 0},        {"atm", 0},
    {"kg/h", 0},        {"lb/h", 0},    {"kg", 0},         {"lb", 0},          {"m", 0},
    {"mm", 0},          {"ft", 0},      {"in", 0},         {"kJ/kg", 0},       {"BTU/lb", 0},
    {"", 0},            {"", 0},        {"kg/m\u00b3", 0}, {"lb/ft\u00b3", 0}, {"", 0},
    {"", 0},            {"HP", 0},
};

} // namespace

const TQuantityUnits* QuantityUnits(int quantity)
{
    if (quantity < 1 || quantity > static_cast<int>(std::size(kQuantities)))
        return nullptr;
    return &kQuantities[quantity - 1];
}

double ConvertUnit(int quantity, int from, int to, double value)
{
    const TQuantityUnits* q = QuantityUnits(quantity);
    if (!q || q->baseCode == 0)
        return value;
    // Step 1: into the base unit; the base code and unlisted codes pass unchanged.
    double base = value;
    if (const TDerivedUnit* d = FindDerived(quantity, from))
        base = (value - d->add) / d->mul * d->div;
    // Step 2: from the base unit into the target; an unlisted target returns the input.
    if (to == q->baseCode)
        return base;
    if (const TDerivedUnit* d = FindDerived(quantity, to))
        return base / d->div * d->mul + d->add;
    return value;
}

int PickUnit(bool ukUs, int siCode, int ukUsCode)
{
    return ukUs ? ukUsCode : siCode;
}

TUnitLabel UnitLabel(int code)
{
    if (code < 1 || code >= static_cast<int>(std::size(kLabels)))
        return {"", 0};
    return kLabels[code];
}
