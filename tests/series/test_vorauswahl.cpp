// Size pre-selection logic: proposal loop, filters, column texts, sorting and key splitting.
#include <gtest/gtest.h>

#include <cmath>

#include "calc/UDaten.h"
#include "calc/UGroessen.h"
#include "series/UVXGrenzen.h"
#include "series/UVXSerie.h"
#include "series/UVorauswahl.h"
#include "thermo/UZahlformat.h"

namespace {

TDatenVX WinterRecord(int series, double svol) {
    TDatenVX r;
    r.Pressure = 1013.0;
    r.SVol11 = r.SVol21 = svol;
    r.Temp11 = -5.0;
    r.RelHum11 = 90.0;
    r.Temp21 = 22.0;
    r.RelHum21 = 40.0;
    r.Series = static_cast<std::uint8_t>(series);
    r.SizeCode = SeriesSizes(series)[0];
    r.PackageWidth = 300;
    r.Refresh();
    r.Calculate();
    return r;
}

struct Search {
    bool ok = false;
    double t12 = 0, rel = 0, wet = 0, dp = 0, fv = 0;
    int width = 0;
};

Search SearchOn(TDatenVX r, int size, double target) {
    Search s;
    SizeWidthForEfficiency(r, size, target, s.ok, s.t12, s.rel, s.wet, s.dp, s.fv, s.width);
    return s;
}

}  // namespace

TEST(Preselection, FilterBoundaries) {
    struct Row {
        bool ok;
        int width;
        double dp;
        int recommended;
        bool listed;
    };
    const Row rows[] = {
        {true, 99, 50, 200, false},    {true, 100, 50, 200, true},  {true, 2000, 50, 200, true},
        {true, 2001, 50, 200, false},  {true, 500, 200, 200, false}, {true, 500, 199.99, 200, true},
        {false, 500, 50, 200, false},  {true, 0, 0, 200, false},
    };
    for (const Row& r : rows)
        EXPECT_EQ(ProposalAccepted(r.ok, r.width, r.dp, r.recommended), r.listed)
            << r.width << " " << r.dp;
}

TEST(Preselection, RowsFollowTargetsAndSizeListAndMatchTheSearch) {
    const TDatenVX base = WinterRecord(1, 2500.0);
    TDatenVX r = base;
    int calls = 0;
    const auto rows = BuildProposals(r, [&] { ++calls; });
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(calls, static_cast<int>(rows.size()));

    const auto sizes = SeriesSizes(1);
    size_t next = 0;
    for (double target : PreselectionTargets) {
        for (int size : sizes) {
            const Search s = SearchOn(base, size, target);
            const bool listed =
                ProposalAccepted(s.ok, s.width, s.dp, RecommendedPressureDrop(size, 1));
            if (!listed) continue;
            ASSERT_LT(next, rows.size());
            const TProposal& p = rows[next++];
            SCOPED_TRACE(p.Key);
            EXPECT_EQ(p.Target, target);
            EXPECT_EQ(p.SizeCode, size);
            EXPECT_EQ(p.C, s.width);
            EXPECT_EQ(p.Key, p.SizeKey + " / " + std::to_string(s.width));
            EXPECT_EQ(p.VMax, s.fv);
            EXPECT_EQ(p.DpMax, s.dp);
            EXPECT_EQ(p.WetEff, s.wet);
            EXPECT_EQ(p.WetEffRel, s.rel);
            EXPECT_EQ(p.T12, s.t12);
            int l = 0, h = 0, f = 0;
            ASSERT_TRUE(DeviceDimensions(size, l, h, f));
            EXPECT_EQ(p.A, l);
            EXPECT_EQ(p.B, h);
            EXPECT_EQ(p.D, f);
            EXPECT_EQ(p.E, 246);
        }
    }
    EXPECT_EQ(next, rows.size());
}

TEST(Preselection, KeysPerSeries) {
    EXPECT_EQ(ProposalSizeKey(1, 30), "VX 30");
    EXPECT_EQ(ProposalSizeKey(1, 2080), "VX Kombi 80");
    EXPECT_EQ(ProposalSizeKey(2, 366), "VX-K 366");
    EXPECT_EQ(ProposalSizeKey(3, 366), "VX-E 366");

    TDatenVX pet = WinterRecord(2, 600.0);
    const auto rows = BuildProposals(pet);
    ASSERT_FALSE(rows.empty());
    for (const TProposal& p : rows) {
        EXPECT_EQ(p.Key.rfind("VX-K ", 0), 0u) << p.Key;
        EXPECT_EQ(p.E, p.SizeCode == 366 ? 194 : 246);
    }
    TDatenVX enthalpy = WinterRecord(3, 300.0);
    for (const TProposal& p : BuildProposals(enthalpy)) EXPECT_EQ(p.SizeKey, "VX-E 366");
}

// Widths of exactly 100 and 2000 mm are listed, the next multiples of 5 outside are not. The
// flows that reach them are found with the real search.
TEST(Preselection, WidthRangeWithRealSearches) {
    auto widthAt = [](double svol) {
        return SearchOn(WinterRecord(1, svol), 30, 80.0).width;
    };
    auto findFlow = [&](int wanted, double lo, double hi) {
        // The width grows with the flow; bisect on the flow for the wanted width.
        for (int i = 0; i < 60; ++i) {
            const double mid = (lo + hi) / 2;
            const int w = widthAt(mid);
            if (w == wanted) return mid;
            (w < wanted ? lo : hi) = mid;
        }
        return -1.0;
    };
    for (int wanted : {95, 100, 2000, 2005}) {
        const double svol = findFlow(wanted, 10.0, 20000.0);
        ASSERT_GT(svol, 0.0) << wanted;
        TDatenVX r = WinterRecord(1, svol);
        const auto rows = BuildProposals(r);
        bool found = false;
        for (const TProposal& p : rows)
            if (p.SizeCode == 30 && p.Target == 80.0) found = p.C == wanted;
        const Search s = SearchOn(WinterRecord(1, svol), 30, 80.0);
        const bool dpOk = RecommendedPressureDrop(30, 1) > s.dp;
        EXPECT_TRUE(dpOk) << wanted;
        EXPECT_EQ(found, wanted >= 100 && wanted <= 2000) << wanted;
    }
}

TEST(Preselection, ColumnTexts) {
    TProposal p;
    p.Key = "VX 30 / 350";
    p.A = 496;
    p.B = 271;
    p.C = 350;
    p.D = 163;
    p.E = 246;
    p.VMax = 1.234;
    p.DpMax = 98.6;
    p.WetEff = 81.26;
    p.WetEffRel = 83.04;
    p.T12 = 17.55;
    const auto si = ProposalColumns(p, true, false);
    const std::vector<std::string> expectedSi = {"VX 30 / 350", "496", "271",  "350", "163",
                                                 "246",         "1.23", "99",   "81.3", "17.6"};
    EXPECT_EQ(si, expectedSi);
    const auto us = ProposalColumns(p, false, true);
    // 1.234 m/s = 242.9 fpm; 98.6 Pa = 0.396 in. WG; 17.55 degC = 63.59 degF.
    const std::vector<std::string> expectedUs = {"VX 30 / 350", "496", "271",   "350", "163",
                                                 "246",         "243", "0.396", "83.0", "63.6"};
    EXPECT_EQ(us, expectedUs);

    auto text = [](int n) { return n == 180 ? std::string("Size") : n == 411 ? "°C" : "°F"; };
    const auto capSi = ProposalCaptions(true, false, text);
    ASSERT_EQ(capSi.size(), 10u);
    EXPECT_EQ(capSi[0], "Size");
    EXPECT_EQ(capSi[6], "v max [m/s]");
    EXPECT_EQ(capSi[7], "dp max [Pa]");
    EXPECT_EQ(capSi[8], "phi 1 [%]");
    EXPECT_EQ(capSi[9], "t 12 [°C]");
    const auto capUs = ProposalCaptions(false, true, text);
    EXPECT_EQ(capUs[6], "v max [fpm]");
    EXPECT_EQ(capUs[7], "dp max [in. WG]");
    EXPECT_EQ(capUs[8], "eta 1 [%]");
    EXPECT_EQ(capUs[9], "t 12 [°F]");
}

TEST(Preselection, SortStateAndOrder) {
    TProposalSort s;
    EXPECT_EQ(s.Column, 1);
    EXPECT_EQ(s.Direction, 1);
    s.Click(3);
    EXPECT_EQ(s.Direction, 1);
    s.Click(3);
    EXPECT_EQ(s.Direction, -1);
    s.Click(6);
    EXPECT_EQ(s.Column, 6);
    EXPECT_EQ(s.Direction, 1);
    s.Column = -1;
    s.Direction = -1;
    s.Click(-1);
    EXPECT_EQ(s.Direction, 1);

    std::vector<std::vector<std::string>> rows = {
        {"VX 30 / 350", "496", "", "350", "", "", "1.50"},
        {"VX 25 / 500", "454", "", "500", "", "", "0.95"},
        {"VX 35 / 120", "537", "", "120", "", "", "2.10"},
        {"VX 45"},  // a row without the sorted columns stays in place relative to the others
    };
    auto column = [&](int c) {
        std::vector<std::string> v;
        for (const auto& r : rows) v.push_back(r.size() > size_t(c) ? r[c] : "-");
        return v;
    };
    SortProposalRows(rows, 3, 1);
    EXPECT_EQ(column(3), (std::vector<std::string>{"120", "350", "500", "-"}));
    SortProposalRows(rows, 3, -1);
    EXPECT_EQ(column(3), (std::vector<std::string>{"500", "350", "120", "-"}));
    SortProposalRows(rows, 6, 1);
    EXPECT_EQ(column(6), (std::vector<std::string>{"0.95", "1.50", "2.10", "-"}));
    // Keys are not numbers: all equal, the order stays.
    const auto before = column(0);
    SortProposalRows(rows, 0, 1);
    EXPECT_EQ(column(0), before);
    SortProposalRows(rows, 0, -1);
    EXPECT_EQ(column(0), before);
}

TEST(Preselection, CellComparisonUsesTheProgramSeparator) {
    EXPECT_EQ(CompareProposalCells("2.5", "10", 1), -1);  // numeric, not text order
    EXPECT_EQ(CompareProposalCells("2.5", "10", -1), 1);
    EXPECT_EQ(CompareProposalCells("abc", "0", 1), 0);
    EXPECT_EQ(CompareProposalCells("-1", "x", 1), -1);
    const char32_t saved = DecimalSeparator;
    DecimalSeparator = U',';
    EXPECT_EQ(CompareProposalCells("1,5", "1,25", 1), 1);
    DecimalSeparator = saved;
}

TEST(Preselection, SplittingKeys) {
    struct Row {
        const char* key;
        bool ok;
        const char* size;
        int width;
    };
    const Row rows[] = {
        {"VX Kombi 80 / 1200", true, "VX Kombi 80", 1200},
        {"  VX-K 366/400  ", true, "VX-K 366", 400},
        {"VX 30 / 350 / 2", false, "", 0},
        {"VX 30", false, "", 0},
        {"", false, "", 0},
        {"VX 30 / ", false, "", 0},
        {"VX 30 / 35x", false, "", 0},
    };
    for (const Row& r : rows) {
        std::string size = "unchanged";
        int width = -1;
        EXPECT_EQ(SplitProposalKey(r.key, size, width), r.ok) << r.key;
        if (r.ok) {
            EXPECT_EQ(size, r.size);
            EXPECT_EQ(width, r.width);
        } else {
            EXPECT_EQ(size, "unchanged");
            EXPECT_EQ(width, -1);
        }
    }
}
