// vxrate preselect run as a separate process: its rows are the proposals the pre-selection logic
// yields for the same record, the table shows those rows, and bad input exits with status 2.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "calc/UDaten.h"
#include "series/URateCase.h"
#include "series/UVXSerie.h"
#include "series/UVorauswahl.h"
#include "test_preselect_common.h"
#include "thermo/UZahlformat.h"

// Parsed keeping the key order of the output.
using json = nlohmann::ordered_json;
using preselect_test::CaseJson;
using preselect_test::RunResult;
using preselect_test::TempDir;

namespace {

// The case vxrate uses for keys that the input leaves out.
TDatenVX DefaultRecord() { return DefaultRateInput().Record; }

// The command's sequence done here: refresh, calculate, proposal loop on the same record.
std::vector<TProposal> ProposalsHere(TDatenVX r)
{
    r.Refresh();
    r.Calculate();
    return BuildProposals(r);
}

TDatenVX Flows(double svol1, double svol2, int series = SeriesVX)
{
    TDatenVX r = DefaultRecord();
    r.SVol11 = svol1;
    r.SVol21 = svol2;
    r.Series = static_cast<std::uint8_t>(series);
    r.SizeCode = SeriesSizes(series)[0];
    return r;
}

struct Case {
    const char* Name;
    std::function<TDatenVX()> Record;
};

const Case kCases[] = {
    {"equal flows 2500", [] { return Flows(2500, 2500); }},
    {"large flows reach the double packages", [] { return Flows(8000, 8000); }},
    {"unequal flows", [] { return Flows(3000, 2200); }},
    {"second series", [] { return Flows(800, 800, SeriesVXK); }},
    {"third series", [] { return Flows(1500, 1500, SeriesVXE); }},
    {"operating volume flows, humidity ratio given",
     [] {
         TDatenVX r = Flows(0, 0);
         r.FlowMode = 1;
         r.OVol11 = 2000;
         r.OVol21 = 1800;
         r.HumidityMode = 1;
         r.X11 = 2.0;
         r.X21 = 7.0;
         return r;
     }},
    {"low pressure, summer, doubled pressure drop",
     [] {
         TDatenVX r = Flows(2500, 2500);
         r.Pressure = 850;
         r.Temp11 = 32;
         r.RelHum11 = 45;
         r.Temp21 = 26;
         r.RelHum21 = 50;
         r.DpMultiplier = 2;
         return r;
     }},
};

// The text after the size key in a table line, split at blanks.
std::vector<std::string> Words(const std::string& s)
{
    std::vector<std::string> words;
    std::istringstream in(s);
    for (std::string w; in >> w;) words.push_back(w);
    return words;
}

std::vector<std::string> Lines(const std::string& s)
{
    std::vector<std::string> lines;
    std::istringstream in(s);
    for (std::string l; std::getline(in, l);) lines.push_back(l);
    return lines;
}

}  // namespace

TEST(Preselect, RowsAreTheProposalsOfTheSameRecord)
{
    TempDir dir;
    std::size_t casesWithRows = 0;
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.Name);
        const TDatenVX record = c.Record();
        const std::vector<TProposal> expected = ProposalsHere(record);
        casesWithRows += expected.empty() ? 0 : 1;
        const RunResult run = dir.Run("preselect", CaseJson(record).dump());
        ASSERT_EQ(run.Status, 0) << run.Err;
        EXPECT_EQ(run.Err, "");
        const json rows = json::parse(run.Out);
        preselect_test::ExpectRowsEqual(rows, expected);
        // Only sizes of the case's series are proposed.
        for (const TProposal& p : expected)
            EXPECT_EQ(p.Key.rfind(p.SizeCode > 2000 ? "VX Kombi " : SeriesKey(record.Series), 0),
                      0u)
                << p.Key;
    }
    // The comparison means little if the cases list nothing.
    EXPECT_GE(casesWithRows, 5u);
}

// Keys left out take the values "rate" uses, the file argument reads like standard input, and
// the starting size and width of the case do not change the proposals.
TEST(Preselect, DefaultsFileArgumentAndStartingDevice)
{
    TempDir dir;
    const std::vector<TProposal> expected = ProposalsHere(Flows(2500, 2500));
    ASSERT_FALSE(expected.empty());

    const std::string input = R"({"SVol11": 2500, "SVol21": 2500})";
    const RunResult fromStdin = dir.Run("preselect", input);
    ASSERT_EQ(fromStdin.Status, 0) << fromStdin.Err;
    preselect_test::ExpectRowsEqual(json::parse(fromStdin.Out), expected);

    const auto file = dir.Write("case.json", input);
    const RunResult fromFile = dir.Run("preselect '" + file.string() + "'");
    ASSERT_EQ(fromFile.Status, 0) << fromFile.Err;
    EXPECT_EQ(fromFile.Out, fromStdin.Out);

    const RunResult otherStart = dir.Run(
        "preselect", R"({"SVol11": 2500, "SVol21": 2500, "SizeCode": 80, "PackageWidth": 1200})");
    ASSERT_EQ(otherStart.Status, 0) << otherStart.Err;
    EXPECT_EQ(otherStart.Out, fromStdin.Out);
}

TEST(Preselect, TableShowsEveryRowWithItsColumns)
{
    TempDir dir;
    const TDatenVX record = Flows(8000, 8000);
    const std::vector<TProposal> expected = ProposalsHere(record);
    ASSERT_GT(expected.size(), 3u);
    const RunResult run = dir.Run("preselect --table", CaseJson(record).dump());
    ASSERT_EQ(run.Status, 0) << run.Err;
    const auto lines = Lines(run.Out);
    // Heading, captions, units, rule, then one line per row.
    ASSERT_EQ(lines.size(), expected.size() + 4);
    EXPECT_NE(lines[0].find(std::to_string(expected.size())), std::string::npos) << lines[0];
    EXPECT_NE(lines[1].find("dp max"), std::string::npos);
    EXPECT_NE(lines[2].find("m/s"), std::string::npos);
    EXPECT_EQ(lines[3].find_first_not_of('-'), std::string::npos);
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const TProposal& p = expected[i];
        const std::string& line = lines[i + 4];
        SCOPED_TRACE(line);
        const auto at = line.find(p.Key);
        ASSERT_NE(at, std::string::npos);
        EXPECT_EQ(Words(line.substr(0, at)), std::vector<std::string>{FormatFixed(p.Target, 0)});
        const std::vector<std::string> columns = {
            std::to_string(p.A),       std::to_string(p.B),         std::to_string(p.C),
            std::to_string(p.D),       std::to_string(p.E),         FormatFixed(p.VMax, 2),
            FormatFixed(p.DpMax, 0),   FormatFixed(p.WetEff, 1),    FormatFixed(p.WetEffRel, 1),
            FormatFixed(p.T12, 1)};
        EXPECT_EQ(Words(line.substr(at + p.Key.size())), columns);
    }
}

// Flows so small that every width found lies below the range, or so large that every width lies
// above it: an empty list in both forms.
TEST(Preselect, NoProposals)
{
    TempDir dir;
    for (double flow : {5.0, 200000.0}) {
        SCOPED_TRACE(flow);
        const TDatenVX record = Flows(flow, flow);
        ASSERT_TRUE(ProposalsHere(record).empty());
        const RunResult run = dir.Run("preselect", CaseJson(record).dump());
        EXPECT_EQ(run.Status, 0) << run.Err;
        EXPECT_EQ(json::parse(run.Out), json::array());
        const RunResult table = dir.Run("preselect --table", CaseJson(record).dump());
        EXPECT_EQ(table.Status, 0) << table.Err;
        EXPECT_EQ(Lines(table.Out).size(), 2u) << table.Out;
    }
}

TEST(Preselect, BadInputExitsTwoWithOneMessageAndNoOutput)
{
    TempDir dir;
    struct Bad {
        std::string Args;
        std::string Input;
        std::vector<std::string> Mentions;
    };
    const Bad cases[] = {
        {"preselect", R"({"Temp1": 5})", {"\"Temp1\"", "unknown"}},
        {"preselect", R"({"Series": 4})", {"\"Series\"", "1 VX, 2 VX-K, 3 VX-E"}},
        {"preselect", R"({"PackageWidth": 250.5})", {"\"PackageWidth\"", "whole number"}},
        {"preselect", R"({"Temp11": "cold"})", {"\"Temp11\"", "number"}},
        {"preselect", R"({"Temp11": 1, "Temp11": 2})", {"twice"}},
        {"preselect", R"([{}])", {"one case object"}},
        {"preselect", R"([{}, {"Temp1": 5}])", {"one case object"}},
        {"preselect", "[]", {"one case object"}},
        {"preselect", R"("text")", {"object"}},
        {"preselect", R"({"Temp11": )", {"JSON"}},
        {"preselect", R"({} trailing)", {"JSON"}},
        {"preselect", "", {"JSON"}},
        {"preselect --table", R"({"Foo": 1})", {"\"Foo\""}},
        {"preselect --tabel", "{}", {"--tabel"}},
        {"preselect a.json b.json", "{}", {"a.json", "b.json"}},
        {"preselect '" + (dir.Path() / "missing.json").string() + "'", "{}", {"missing.json"}},
    };
    for (const Bad& c : cases) {
        SCOPED_TRACE(c.Args + " < " + c.Input);
        const RunResult run = dir.Run(c.Args, c.Input);
        EXPECT_EQ(run.Status, 2);
        EXPECT_EQ(run.Out, "");
        ASSERT_FALSE(run.Err.empty());
        EXPECT_EQ(run.Err.rfind("vxrate preselect: ", 0), 0u) << run.Err;
        EXPECT_EQ(std::count(run.Err.begin(), run.Err.end(), '\n'), 1) << run.Err;
        for (const std::string& m : c.Mentions)
            EXPECT_NE(run.Err.find(m), std::string::npos) << m << " in " << run.Err;
    }
}

// Random cases (bounded in count): over the whole input range every run succeeds and writes only
// finite numbers; typical winter cases with near-balanced flows, which do list sizes, give the
// rows of the logic for the same record.
TEST(Preselect, RandomCases)
{
    TempDir dir;
    std::mt19937 rng(20261208);
    auto uniform = [&](double lo, double hi) {
        return std::uniform_real_distribution<>(lo, hi)(rng);
    };
    std::size_t typicalRows = 0;
    for (int i = 0; i < 16; ++i) {
        const bool typical = i % 2 == 0;
        TDatenVX r = DefaultRecord();
        r.Series = static_cast<std::uint8_t>(1 + (i / 2) % 3);
        r.SizeCode = SeriesSizes(r.Series)[0];
        r.DpMultiplier = static_cast<std::uint8_t>(1 + (i / 6) % 2);
        if (typical) {
            r.Pressure = uniform(850, 1050);
            r.SVol11 = r.Series == SeriesVXK ? uniform(200, 1200) : uniform(400, 4000);
            r.SVol21 = r.SVol11 * uniform(0.9, 1.1);
            r.Temp11 = uniform(-20, 10);
            r.Temp21 = uniform(18, 26);
            r.RelHum11 = uniform(30, 100);
            r.RelHum21 = uniform(20, 60);
        } else {
            r.Pressure = uniform(700, 1100);
            r.SVol11 = uniform(-100, 30000);
            r.SVol21 = uniform(-100, 30000);
            r.Temp11 = uniform(-40, 45);
            r.Temp21 = uniform(-10, 45);
            r.RelHum11 = uniform(0, 100);
            r.RelHum21 = uniform(0, 100);
        }
        const std::string input = CaseJson(r).dump();
        SCOPED_TRACE(input);
        const RunResult run = dir.Run("preselect", input);
        ASSERT_EQ(run.Status, 0) << run.Err;
        const json rows = json::parse(run.Out);
        ASSERT_TRUE(rows.is_array());
        for (const json& row : rows) {
            for (const auto& item : row.items()) {
                if (item.key() == "Key") continue;
                ASSERT_TRUE(item.value().is_number()) << item.key() << " " << row.dump();
                EXPECT_TRUE(std::isfinite(item.value().get<double>())) << item.key();
            }
        }
        if (typical) {
            preselect_test::ExpectRowsEqual(rows, ProposalsHere(r));
            typicalRows += rows.size();
        }
    }
    EXPECT_GT(typicalRows, 10u);
}
