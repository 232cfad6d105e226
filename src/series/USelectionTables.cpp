#include "series/USelectionTables.h"

#include <cmath>

#include "series/UFrostGrenze.h"
#include "thermo/UUmrechnung.h"
#include "thermo/UZahlformat.h"

namespace {

// Quantities of the unit conversion used by the tables.
constexpr int QFlow = 1, QTemp = 2, QHum = 3, QDp = 4, QVel = 5, QMass = 8, QEnth = 11;

class TTableWriter {
public:
    TTableWriter(const TSelection& s, bool si) : s_(s), si_(si) {}

    // Value in the display unit of the unit system, fixed-point.
    std::string Shown(int quantity, int siCode, int usCode, double v, int decimals) const {
        return FormatFixed(ConvertUnit(quantity, siCode, PickUnit(!si_, siCode, usCode), v), decimals);
    }

    void Inlet(TTable& t) const {
        const int titles[InletRowCount] = {0, 16, 33, 9, 17, 12, 13, 14, 51, 25};
        t.resize(InletRowCount);
        for (int r = 0; r < InletRowCount; ++r) t[r].TitleTextNo = titles[r];
        t[InletRowHeading].TitleBold = true;
        t[InletRowStdVolume].Unit = si_ ? "m³/h" : "scfm";
        t[InletRowMass].Unit = si_ ? "kg/h" : "lb/h";
        t[InletRowOpVolume].Unit = si_ ? "m³/h" : "acfm";
        t[InletRowTemp].Unit = TempUnit();
        t[InletRowRelHum].Unit = "%";
        t[InletRowX].Unit = HumUnit();
        t[InletRowWetBulb].Unit = TempUnit();
        t[InletRowEnthalpy].Unit = si_ ? "kJ/kg" : "BTU/lb";
        for (int c = 0; c < s_.CaseCount(); ++c) {
            const TDatenVX& r = s_.Cases[c];
            const TAirPoint points[2] = {
                {r.SVol11, r.MassMoist11, r.OVol11, r.Temp11, r.RelHum11, r.X11, r.WetBulb11, r.Enthalpy11},
                {r.SVol21, r.MassMoist21, r.OVol21, r.Temp21, r.RelHum21, r.X21, r.WetBulb21, r.Enthalpy21}};
            for (int st = 0; st < 2; ++st) {
                const TAirPoint& p = points[st];
                const int i = ValueIndex(c, st);
                t[InletRowStdVolume].Values[i] = Shown(QFlow, 1, 2, p.SVol, 0);
                t[InletRowMass].Values[i] = Shown(QMass, 16, 17, p.Mass, 0);
                t[InletRowOpVolume].Values[i] = Shown(QFlow, 1, 2, p.OVol, 0);
                State(t, InletRowTemp, i, p);
            }
        }
    }

    void Velocity(TTable& t) const {
        t.resize(VelocityRowCount);
        t[0].TitleTextNo = 49;
        t[1].TitleTextNo = 22;
        t[2].TitleTextNo = 22;
        t[2].TitleSuffixTextNo = 24;
        t[0].Unit = si_ ? "m/s" : "fpm";
        t[1].Unit = t[2].Unit = si_ ? "Pa" : "in.WG";
        const int dpRec = s_.RecommendedDp();
        const double dpLimit = std::nearbyint(1.5 * dpRec);
        // A pressure drop far beyond the recommended maximum is not shown.
        auto dpText = [&](double v) {
            return dpRec > 0 && v > dpLimit ? std::string() : Shown(QDp, 7, 8, v, si_ ? 0 : 2);
        };
        for (int c = 0; c < s_.CaseCount(); ++c) {
            const TDatenVX& r = s_.Cases[c];
            const double vel[2] = {r.FaceVelocity1, r.FaceVelocity2};
            const double dp[2] = {r.PressureDrop1, r.PressureDrop2};
            const double dps[2] = {r.PressureDropStd1, r.PressureDropStd2};
            for (int st = 0; st < 2; ++st) {
                const int i = ValueIndex(c, st);
                t[0].Values[i] = Shown(QVel, 9, 10, vel[st], si_ ? 2 : 0);
                t[1].Values[i] = dpText(dp[st]);
                t[2].Values[i] = dpText(dps[st]);
            }
        }
    }

    void Outlet(TTable& t) const {
        const int titles[OutletRowCount] = {0, 17, 12, 13, 14, 51, 25};
        t.resize(OutletRowCount);
        for (int r = 0; r < OutletRowCount; ++r) t[r].TitleTextNo = titles[r];
        t[1].Unit = si_ ? "m³/h" : "acfm";
        t[2].Unit = TempUnit();
        t[3].Unit = "%";
        t[4].Unit = HumUnit();
        t[5].Unit = TempUnit();
        t[6].Unit = si_ ? "kJ/kg" : "BTU/lb";
        if (!s_.ResultsValid()) return;
        for (int c = 0; c < s_.CaseCount(); ++c) {
            const TDatenVX& r = s_.Cases[c];
            const TAirPoint points[2] = {
                {0, 0, r.OVol12, r.Temp12, r.RelHum12, r.X12, r.WetBulb12, r.Enthalpy12},
                {0, 0, r.OVol22, r.Temp22, r.RelHum22, r.X22, r.WetBulb22, r.Enthalpy22}};
            for (int st = 0; st < 2; ++st) {
                const int i = ValueIndex(c, st);
                t[1].Values[i] = Shown(QFlow, 1, 2, points[st].OVol, 0);
                State(t, 2, i, points[st]);
            }
        }
    }

    void Process(TTable& t) const {
        const auto rows = ProcessDataRows(s_.Device.Series, s_.AmericanMethod, s_.EnergyClasses);
        t.resize(ProcessRowCount);
        for (int row = 0; row < ProcessRowCount; ++row) {
            const TProcessRow& pr = rows[row];
            t[row].TitleTextNo = pr.TitleByWindow ? 46 : pr.TitleTextNo;
            if (!pr.TitleByWindow) t[row].TitleSuffix = pr.TitleSuffix;
            t[row].Unit = si_ ? pr.UnitSI : pr.UnitUS;
        }
        t.resize(FrostLimitRow + 1);
        TTableRow& frost = t[FrostLimitRow];
        frost.TitleTextNo = FrostLimitTextNo;
        frost.Unit = TempUnit();
        if (!s_.ResultsValid()) return;
        if (const std::optional<double> limit = s_.FrostLimit())
            frost.Values[ValueIndex(0, 0)] = Shown(QTemp, 3, 4, *limit, 1);
        else
            frost.ValueTextNo[ValueIndex(0, 0)] = FrostLimitNoneTextNo;
        for (int c = 0; c < s_.CaseCount(); ++c) {
            const auto vals = ProcessDataValues(s_.Cases[c], s_.AmericanMethod, s_.EnergyClasses);
            for (int row = 0; row < ProcessRowCount; ++row) {
                const TProcessCell* cells[2] = {&vals[row].Stream1, &vals[row].Stream2};
                for (int st = 0; st < 2; ++st) {
                    t[row].Values[ValueIndex(c, st)] = Cell(rows[row], *cells[st]);
                    t[row].ValueTextNo[ValueIndex(c, st)] = cells[st]->TextNo;
                }
            }
        }
    }

private:
    struct TAirPoint {
        double SVol, Mass, OVol, Temp, RelHum, X, WetBulb, Enthalpy;
    };

    std::string TempUnit() const { return si_ ? "°C" : "°F"; }
    std::string HumUnit() const { return si_ ? "g/kg" : "gr/lb"; }

    // The five state rows from temperature to enthalpy, starting at row `first`.
    void State(TTable& t, int first, int i, const TAirPoint& p) const {
        t[first].Values[i] = Shown(QTemp, 3, 4, p.Temp, 1);
        t[first + 1].Values[i] = FormatFixed(p.RelHum, 1);
        t[first + 2].Values[i] = Shown(QHum, 5, 6, p.X, si_ ? 2 : 1);
        t[first + 3].Values[i] = Shown(QTemp, 3, 4, p.WetBulb, 1);
        t[first + 4].Values[i] = Shown(QEnth, 24, 25, p.Enthalpy, 1);
    }

    std::string Cell(const TProcessRow& row, const TProcessCell& cell) const {
        if (!cell.Present) return std::string();
        if (cell.IsText) return cell.Text;
        const double v = ProcessDisplayValue(row, cell.Value, si_);
        const int d = si_ ? row.DecimalsSI : row.DecimalsUS;
        return row.Thousands ? FormatNumber(v, d) : FormatFixed(v, d);
    }

    const TSelection& s_;
    const bool si_;
};

}  // namespace

std::string HintLine(const TSelection& s, const TSelectionTables& tables, const THintTexts& texts) {
    const THint hint = s.Hint();
    std::string line = HintText(hint, texts.Condensation, texts.Freezing);
    const TTableRow& frost = tables.Process.at(FrostLimitRow);
    const std::string& limit = frost.Values[ValueIndex(0, 0)];
    if (!s.ResultsValid() || s.Cases[0].FreezeRisk == 0 || limit.empty()) return line;
    if (!hint.Condensation) line = texts.Freezing;
    return line + " (" + texts.FrostLimit + ": " + limit + " " + frost.Unit + ")";
}

TSelectionTables BuildTables(const TSelection& selection, bool si) {
    const TTableWriter w(selection, si);
    TSelectionTables t;
    w.Inlet(t.Inlet);
    w.Velocity(t.Velocity);
    w.Outlet(t.Outlet);
    w.Process(t.Process);
    return t;
}
