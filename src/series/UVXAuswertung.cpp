#include "series/UVXAuswertung.h"

#include <cmath>

#include "calc/UDaten.h"
#include "series/UVXSerie.h"
#include "thermo/UUmrechnung.h"

namespace {

// Unit quantities and codes of the rows (see the unit table).
constexpr int QHeat = 6, QHumidity = 3, QMass = 8, QNone = 12;

TProcessCell Number(double v)
{
    TProcessCell c;
    c.Present = true;
    c.Value = v;
    return c;
}

TProcessCell Text(std::string t)
{
    TProcessCell c;
    c.Present = true;
    c.IsText = true;
    c.Text = std::move(t);
    return c;
}

// A number cell that stays empty for zero (no moisture moved, no condensate).
TProcessCell NonZero(double v) { return v != 0.0 ? Number(v) : TProcessCell{}; }

TProcessRow Percent(int title)
{
    TProcessRow r;
    r.TitleTextNo = title;
    r.Quantity = QNone;
    r.DecimalsSI = r.DecimalsUS = 1;
    r.UnitSI.assign(1, '%');
    r.UnitUS = r.UnitSI;
    return r;
}

TProcessRow Heat(int title, bool withUnit = true)
{
    TProcessRow r;
    r.TitleTextNo = title;
    r.Quantity = QHeat;
    r.SICode = 12;
    r.USCode = 13;
    r.DecimalsSI = 2;
    r.DecimalsUS = 0;
    r.Thousands = true;
    if (withUnit) {
        r.UnitSI = "kW";
        r.UnitUS = "BTU/h";
    }
    return r;
}

}  // namespace

std::array<TProcessRow, ProcessRowCount> ProcessDataRows(int series, bool american,
                                                         bool energyClasses)
{
    const bool e = series == SeriesVXE;
    std::array<TProcessRow, ProcessRowCount> rows;

    rows[0] = Percent(e ? (american ? 436 : 19) : (american ? 441 : 47));
    rows[1] = Percent(e ? (american ? 437 : 20) : (american ? 442 : 48));

    rows[2].Quantity = QNone;
    rows[3].Quantity = QNone;
    rows[3].DecimalsSI = rows[3].DecimalsUS = 1;
    if (energyClasses) {
        rows[2].TitleTextNo = 560;
        rows[3].TitleTextNo = e ? 19 : 47;
        rows[3].TitleSuffix = " ErP Lot 6";
    }

    rows[4] = Heat(e ? 45 : 28);
    rows[5] = Heat(e ? 44 : 29);
    rows[6] = Heat(e ? 27 : 0, e);

    rows[7].TitleTextNo = e ? 40 : 41;
    rows[7].Quantity = QHumidity;
    rows[7].SICode = 5;
    rows[7].USCode = 6;
    rows[7].DecimalsSI = rows[7].DecimalsUS = 2;
    rows[7].UnitSI = "g/kg";
    rows[7].UnitUS = "gr/lb";

    rows[8].TitleByWindow = true;
    rows[8].Quantity = QMass;
    rows[8].SICode = 16;
    rows[8].USCode = 17;
    rows[8].DecimalsSI = rows[8].DecimalsUS = 2;
    rows[8].UnitSI = "kg/h";
    rows[8].UnitUS = "lb/h";
    return rows;
}

std::array<TProcessValues, ProcessRowCount> ProcessDataValues(const TDatenREK& r, bool american,
                                                              bool energyClasses)
{
    const bool e = r.Series == SeriesVXE;
    std::array<TProcessValues, ProcessRowCount> v;

    // Enthalpy series: the (wet) temperature efficiency and the humidity efficiency; the others:
    // the dry and the wet temperature efficiency.
    if (e) {
        v[0].Stream1 = Number(american ? r.EffRel1[1] : r.TempEffWet1);
        v[1].Stream1 = Number(american ? r.EffRel1[2] : r.HumEff1);
    } else {
        v[0].Stream1 = Number(american ? r.EffRel1[0] : r.TempEff1);
        v[1].Stream1 = Number(american ? r.EffRel1[1] : r.TempEffWet1);
    }

    if (energyClasses) {
        v[2].Stream1 = Text(r.EnergyEfficiencyText);
        v[3].Stream1 = Number(r.ErpEfficiency);
        const std::string mark = ErpMark(r.ErpEfficiency);
        if (!mark.empty()) {
            v[3].Stream2 = Text(mark);
            v[3].Stream2.TextNo = ErpMarkTextNo(r.ErpEfficiency);
        }
    }

    if (e) {
        v[4] = {Number(r.Heat1), Number(r.Heat2)};
        v[5] = {Number(r.Latent1), Number(r.Latent2)};
        v[6] = {Number(r.Total1), Number(r.Total2)};
    } else {
        v[4] = {Number(r.HeatDry1), Number(r.HeatDry2)};
        v[5] = {Number(r.Heat1), Number(r.Heat2)};
    }

    v[7] = {NonZero(r.X12 - r.X11), NonZero(r.X22 - r.X21)};
    v[8] = {NonZero(-r.Water1), NonZero(-r.Condensate2)};
    return v;
}

double ProcessDisplayValue(const TProcessRow& row, double value, bool si)
{
    if (row.Quantity == QNone || si) return value;
    return ConvertUnit(row.Quantity, row.SICode, row.USCode, value);
}

std::string ErpMark(double erpEfficiency)
{
    const double rounded = std::nearbyint(erpEfficiency * 10.0) / 10.0;
    if (rounded >= 73.0) return "(2018 ready)";
    if (rounded >= 67.0) return "(2016 ready)";
    return "";
}

int ErpMarkTextNo(double erpEfficiency)
{
    const std::string mark = ErpMark(erpEfficiency);
    if (mark.empty()) return 0;
    return mark == "(2018 ready)" ? 613 : 614;
}

THint HintFor(const TDatenREK& r)
{
    THint h;
    h.Condensation = r.CondensationState != 0;
    // The freezing risk stands on its own: a record can carry condensate at the freezing limit
    // without a condensation state.
    h.Freezing = r.FreezeRisk != 0;
    return h;
}

std::string HintText(const THint& hint, const std::string& condensationText,
                     const std::string& freezingText)
{
    if (!hint.Condensation) return hint.Freezing ? freezingText : "";
    std::string text = condensationText;
    text += '!';
    if (hint.Freezing) {
        text += " - ";
        text += freezingText;
    }
    return text;
}

int HintWidth(double textWidth) { return static_cast<int>(std::nearbyint(1.2 * textWidth)); }

int HintLeft(int width, bool bothCases) { return 245 + (bothCases ? 79 : 0) - width / 2; }
