#include "series/UVorauswahl.h"

#include <algorithm>
#include <charconv>

#include "calc/UDaten.h"
#include "calc/UGroessen.h"
#include "series/UVXGrenzen.h"
#include "series/UVXSerie.h"
#include "thermo/UUmrechnung.h"
#include "thermo/UZahlformat.h"

std::string ProposalSizeKey(int series, int sizeCode) {
    if (IsKombi(sizeCode)) return "VX Kombi " + std::to_string(sizeCode - KombiOffset);
    return SeriesKey(series) + " " + std::to_string(sizeCode);
}

bool ProposalAccepted(bool ok, int width, double dpMax, int recommendedPressureDrop) {
    return ok && width >= PreselectionMinWidth && width <= PreselectionMaxWidth &&
           recommendedPressureDrop > dpMax;
}

std::vector<TProposal> BuildProposals(TDatenREK& record, const std::function<void()>& beforeRow) {
    std::vector<TProposal> rows;
    const int series = record.Series;
    for (double target : PreselectionTargets) {
        for (int size : SeriesSizes(series)) {
            bool ok = false;
            double t12 = 0.0, rel = 0.0, wet = 0.0, dp = 0.0, fv = 0.0;
            int width = 0;
            SizeWidthForEfficiency(record, size, target, ok, t12, rel, wet, dp, fv, width);
            if (!ProposalAccepted(ok, width, dp, RecommendedPressureDrop(size, series))) continue;
            if (beforeRow) beforeRow();
            TProposal p;
            p.Target = target;
            p.SizeCode = size;
            p.SizeKey = ProposalSizeKey(series, size);
            p.Key = p.SizeKey + " / " + std::to_string(width);
            DeviceDimensions(size, p.A, p.B, p.D);
            p.C = width;
            p.E = size == 366 ? 194 : 246;
            p.VMax = fv;
            p.DpMax = dp;
            p.WetEff = wet;
            p.WetEffRel = rel;
            p.T12 = t12;
            rows.push_back(std::move(p));
        }
    }
    return rows;
}

std::vector<std::string> ProposalColumns(const TProposal& p, bool si, bool americanMethod) {
    std::vector<std::string> c;
    c.reserve(10);
    c.push_back(p.Key);
    c.push_back(std::to_string(p.A));
    c.push_back(std::to_string(p.B));
    c.push_back(std::to_string(p.C));
    c.push_back(std::to_string(p.D));
    c.push_back(std::to_string(p.E));
    if (si) {
        c.push_back(FormatFixed(p.VMax, 2));
        c.push_back(FormatFixed(p.DpMax, 0));
    } else {
        c.push_back(FormatFixed(ConvertUnit(5, 9, 10, p.VMax), 0));
        c.push_back(FormatFixed(ConvertUnit(4, 7, 8, p.DpMax), 3));
    }
    c.push_back(FormatFixed(americanMethod ? p.WetEffRel : p.WetEff, 1));
    c.push_back(FormatFixed(si ? p.T12 : ConvertUnit(2, 3, 4, p.T12), 1));
    return c;
}

std::vector<std::string> ProposalCaptions(bool si, bool americanMethod,
                                          const std::function<std::string(int)>& text) {
    return {text(180),
            "A [mm]",
            "B [mm]",
            "C [mm]",
            "D [mm]",
            "E [mm]",
            std::string("v max ") + (si ? "[m/s]" : "[fpm]"),
            std::string("dp max ") + (si ? "[Pa]" : "[in. WG]"),
            americanMethod ? "eta 1 [%]" : "phi 1 [%]",
            "t 12 [" + text(si ? 411 : 412) + "]"};
}

void TProposalSort::Click(int column) {
    if (column != Column || Column < 0)
        Direction = 1;
    else
        Direction = -Direction;
    Column = column;
}

int CompareProposalCells(const std::string& a, const std::string& b, int direction) {
    double va = 0.0, vb = 0.0;
    if (!ParseNumber(a, va)) va = 0.0;
    if (!ParseNumber(b, vb)) vb = 0.0;
    const double da = direction * va, db = direction * vb;
    if (da > db) return 1;
    if (da == db) return 0;
    return -1;
}

void SortProposalRows(std::vector<std::vector<std::string>>& rows, int column, int direction) {
    if (column < 0) return;
    const auto col = static_cast<std::size_t>(column);
    std::stable_sort(rows.begin(), rows.end(), [&](const auto& x, const auto& y) {
        if (col >= x.size() || col >= y.size()) return false;
        return CompareProposalCells(x[col], y[col], direction) < 0;
    });
}

namespace {
std::string Trim(const std::string& s) {
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    const auto last = s.find_last_not_of(" \t");
    return s.substr(first, last - first + 1);
}
}  // namespace

bool SplitProposalKey(const std::string& key, std::string& sizeKey, int& width) {
    const auto slash = key.find('/');
    if (slash == std::string::npos) return false;
    const std::string size = Trim(key.substr(0, slash));
    const std::string w = Trim(key.substr(slash + 1));
    int value = 0;
    const auto res = std::from_chars(w.data(), w.data() + w.size(), value);
    if (size.empty() || w.empty() || res.ec != std::errc() || res.ptr != w.data() + w.size())
        return false;
    sizeKey = size;
    width = value;
    return true;
}
