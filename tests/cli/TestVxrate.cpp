// vxrate run as a separate process: the JSON contract of "rate", array input, the table and the
// error exits. Expected numbers come from the same core rated in this process.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <random>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "calc/UDaten.h"
#include "calc/UGroessen.h"
#include "series/UVXAuswertung.h"
#include "series/UVXGrenzen.h"
#include "series/UVXSerie.h"

namespace fs = std::filesystem;
using nlohmann::json;

namespace {

struct RunResult {
    int Status = -1;
    std::string Out;
    std::string Err;
};

std::string ReadAll(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class Vxrate : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir_ = fs::temp_directory_path() /
               ("vxrate-test-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    fs::path Write(const std::string& name, const std::string& text)
    {
        const fs::path p = dir_ / name;
        std::ofstream(p, std::ios::binary) << text;
        return p;
    }

    // Runs vxrate with the arguments and the given standard input.
    RunResult Run(const std::string& args, const std::string& input = "")
    {
        const fs::path in = Write("stdin.txt", input);
        const fs::path out = dir_ / "stdout.txt";
        const fs::path err = dir_ / "stderr.txt";
        const std::string cmd = std::string("'") + VXRATE_EXE + "' " + args + " < '" +
                                in.string() + "' > '" + out.string() + "' 2> '" + err.string() +
                                "'";
        const int raw = std::system(cmd.c_str());
        RunResult r;
        r.Status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        r.Out = ReadAll(out);
        r.Err = ReadAll(err);
        return r;
    }

    fs::path dir_;
};

// The default case of the contract, written out field by field.
TDatenVX DefaultRecord()
{
    TDatenVX r;
    r.Pressure = 1013.0;
    r.SVol11 = 200.0;
    r.Temp11 = -5.0;
    r.RelHum11 = 90.0;
    r.SVol21 = 200.0;
    r.Temp21 = 22.0;
    r.RelHum21 = 40.0;
    r.Series = 1;
    r.SizeCode = 30;
    r.PackageWidth = 250;
    r.BypassVelocity = 15.0;
    return r;
}

struct Expected {
    TDatenVX Record;
    TCheckResult Check;
};

// The window's calculation request on a record: refresh, check, calculate, classify.
Expected RateHere(TDatenVX r, int bypass)
{
    r.Refresh();
    const TCheckResult check = CheckRecord(r, bypass);
    r.Calculate();
    r.EvaluateEnergyEfficiency();
    return {r, check};
}

// Record fields in record order, as the output must name them.
std::vector<std::string> RecordFieldNames()
{
    std::vector<std::string> names = {"Status", "HumidityMode", "FlowMode", "Pressure"};
    const char* group[] = {"SVol",    "OVol",     "Temp",    "RelHum",  "X",          "DewPoint",
                           "WetBulb", "Enthalpy", "Density", "MassDry", "MassVapour", "MassMoist"};
    for (const char* p : {"11", "12"})
        for (const char* g : group) names.push_back(std::string(g) + p);
    for (const char* n : {"PressureDrop1", "PressureDropStd1", "FaceVelocity1", "ChannelVelocity1",
                          "FlowAtOutlet", "SVolSupplyOutlet"})
        names.push_back(n);
    for (const char* p : {"21", "22"})
        for (const char* g : group) names.push_back(std::string(g) + p);
    for (const char* n :
         {"PressureDrop2", "PressureDropStd2", "FaceVelocity2", "ChannelVelocity2", "DpMultiplier",
          "SizeCode", "PackageWidth", "BypassWidth", "BypassVelocity", "TempEff1", "TempEff2",
          "HumEff1", "HumEff2", "TempEffWet1", "TempEffWet2", "HeatDry1", "HeatDry2", "Heat1",
          "Heat2", "Latent1", "Latent2", "Total1", "Total2", "EffRel1", "EffRel2", "Water1",
          "Condensate2", "CondensationState", "FreezeRisk", "EnergyEfficiency",
          "EfficiencyClass", "EfficiencyClassNo", "EnergyEfficiencyText", "ErpEfficiency", "Kind",
          "Series"})
        names.push_back(n);
    return names;
}

// Compares the output object with a record rated in this process, number by number exactly:
// the output must carry every double in a form that reads back to the same value.
void ExpectMatches(const json& o, const Expected& e, int bypass)
{
    const TDatenVX& r = e.Record;
    const json& expectedDoubles = json{
        {"Pressure", r.Pressure},         {"SVol11", r.SVol11},
        {"OVol11", r.OVol11},             {"Temp11", r.Temp11},
        {"RelHum11", r.RelHum11},         {"X11", r.X11},
        {"Enthalpy11", r.Enthalpy11},     {"MassMoist11", r.MassMoist11},
        {"Temp12", r.Temp12},             {"RelHum12", r.RelHum12},
        {"X12", r.X12},                   {"WetBulb12", r.WetBulb12},
        {"Temp21", r.Temp21},             {"MassDry21", r.MassDry21},
        {"Temp22", r.Temp22},             {"X22", r.X22},
        {"Density22", r.Density22},       {"PressureDrop1", r.PressureDrop1},
        {"PressureDropStd2", r.PressureDropStd2}, {"FaceVelocity2", r.FaceVelocity2},
        {"BypassVelocity", r.BypassVelocity},     {"TempEff1", r.TempEff1},
        {"TempEffWet2", r.TempEffWet2},   {"HeatDry1", r.HeatDry1},
        {"Heat2", r.Heat2},               {"Latent2", r.Latent2},
        {"Total1", r.Total1},             {"Water1", r.Water1},
        {"Condensate2", r.Condensate2},   {"EnergyEfficiency", r.EnergyEfficiency},
        {"ErpEfficiency", r.ErpEfficiency}, {"HumEff1", r.HumEff1},
    };
    for (const auto& [key, value] : expectedDoubles.items()) {
        ASSERT_TRUE(o.contains(key)) << key;
        EXPECT_EQ(o[key].get<double>(), value.get<double>()) << key;
    }
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(o["EffRel1"][i].get<double>(), r.EffRel1[i]);
        EXPECT_EQ(o["EffRel2"][i].get<double>(), r.EffRel2[i]);
    }
    EXPECT_EQ(o["SizeCode"], r.SizeCode);
    EXPECT_EQ(o["PackageWidth"], r.PackageWidth);
    EXPECT_EQ(o["BypassWidth"], r.BypassWidth);
    EXPECT_EQ(o["Series"], r.Series);
    EXPECT_EQ(o["CondensationState"], r.CondensationState);
    EXPECT_EQ(o["FreezeRisk"], r.FreezeRisk);
    EXPECT_EQ(o["EfficiencyClass"], r.EfficiencyClass);
    EXPECT_EQ(o["EfficiencyClassNo"], r.EfficiencyClassNo);
    EXPECT_EQ(o["EnergyEfficiencyText"], r.EnergyEfficiencyText);
    EXPECT_EQ(o["Kind"], "VX");

    EXPECT_EQ(o["Messages"].get<std::vector<int>>(), e.Check.List());
    EXPECT_EQ(o["WarningsOnly"], e.Check.WarningsOnly);
    EXPECT_EQ(o["RecommendedPressureDrop"], RecommendedPressureDrop(r.SizeCode, r.Series));
    EXPECT_EQ(o["ErpMark"], ErpMark(r.ErpEfficiency));
    int length = 0, height = 0, face = 0;
    DeviceDimensions(r.SizeCode, length, height, face);
    EXPECT_EQ(o["Length"], length);
    EXPECT_EQ(o["Height"], height);
    EXPECT_EQ(o["FaceHeight"], face);
    double weight = PackageWeight(r.SizeCode, r.PackageWidth, r.Series);
    if (bypass != BypassNone) weight += BypassWeight(r.SizeCode, r.BypassWidth);
    EXPECT_NEAR(o["Weight"].get<double>(), weight, 1e-12);
}

TEST_F(Vxrate, DefaultCaseAnswersTheContract)
{
    const RunResult run = Run("rate", "{}");
    ASSERT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(run.Err, "");
    const json o = json::parse(run.Out);
    ASSERT_TRUE(o.is_object());

    // Every record field by name, in record order, then the evaluation fields.
    std::vector<std::string> names;
    for (const auto& [key, value] : o.items())
        names.push_back(key);
    std::vector<std::string> expected = RecordFieldNames();
    for (const char* n : {"Messages", "WarningsOnly", "RecommendedPressureDrop", "ErpMark",
                          "Length", "Height", "FaceHeight", "Weight", "TypeKey"})
        expected.push_back(n);
    std::vector<std::string> sortedNames = names, sortedExpected = expected;
    std::sort(sortedNames.begin(), sortedNames.end());
    std::sort(sortedExpected.begin(), sortedExpected.end());
    EXPECT_EQ(sortedNames, sortedExpected);
    // Record order shows in the text itself.
    EXPECT_LT(run.Out.find("\"Status\""), run.Out.find("\"SVol11\""));
    EXPECT_LT(run.Out.find("\"SVolSupplyOutlet\""), run.Out.find("\"SVol21\""));
    EXPECT_LT(run.Out.find("\"Series\""), run.Out.find("\"Messages\""));

    ExpectMatches(o, RateHere(DefaultRecord(), BypassNone), BypassNone);
    EXPECT_EQ(o["Pressure"].get<double>(), 1013.0);
    EXPECT_EQ(o["RecommendedPressureDrop"], 182);
    EXPECT_EQ(o["Length"], 496);
    EXPECT_EQ(o["FaceHeight"], 163);
    EXPECT_EQ(o["DpMultiplier"], 1);
    EXPECT_EQ(run.Out.find("null"), std::string::npos);
}

TEST_F(Vxrate, InputKeysReachTheRecord)
{
    struct Case {
        const char* input;
        std::function<void(TDatenVX&)> apply;
        int bypass;
    } cases[] = {
        {R"({"HumidityMode":1,"X11":3.5,"X21":8.0,"Temp21":24})",
         [](TDatenVX& r) { r.HumidityMode = 1; r.X11 = 3.5; r.X21 = 8.0; r.Temp21 = 24; },
         BypassNone},
        {R"({"HumidityMode":7,"WetBulb11":-6,"WetBulb21":15.5})",
         [](TDatenVX& r) { r.HumidityMode = 7; r.WetBulb11 = -6; r.WetBulb21 = 15.5; },
         BypassNone},
        {R"({"FlowMode":3,"MassMoist11":1500,"MassMoist21":1400,"Pressure":950})",
         [](TDatenVX& r) { r.FlowMode = 3; r.MassMoist11 = 1500; r.MassMoist21 = 1400;
                           r.Pressure = 950; },
         BypassNone},
        {R"({"FlowMode":1,"OVol11":800,"OVol21":820,"DpMultiplier":2})",
         [](TDatenVX& r) { r.FlowMode = 1; r.OVol11 = 800; r.OVol21 = 820; r.DpMultiplier = 2; },
         BypassNone},
        {R"({"Series":2,"SizeCode":45,"PackageWidth":600,"SVol11":2500,"SVol21":2500,
             "Bypass":20,"BypassVelocity":4})",
         [](TDatenVX& r) { r.Series = 2; r.SizeCode = 45; r.PackageWidth = 600; r.SVol11 = 2500;
                           r.SVol21 = 2500; r.BypassVelocity = 4; },
         BypassSide},
        {R"({"SizeCode":2080,"PackageWidth":1200,"SVol11":9000,"SVol21":9000,"Bypass":21,
             "BypassVelocity":8,"Temp11":-15,"RelHum21":60})",
         [](TDatenVX& r) { r.SizeCode = 2080; r.PackageWidth = 1200; r.SVol11 = 9000;
                           r.SVol21 = 9000; r.BypassVelocity = 8; r.Temp11 = -15;
                           r.RelHum21 = 60; },
         BypassMiddle},
        {R"({"Series":3,"SizeCode":366,"PackageWidth":300,"SVol11":600,"SVol21":600,
             "Temp11":30,"RelHum11":60,"Temp21":24,"RelHum21":50})",
         [](TDatenVX& r) { r.Series = 3; r.SizeCode = 366; r.PackageWidth = 300; r.SVol11 = 600;
                           r.SVol21 = 600; r.Temp11 = 30; r.RelHum11 = 60; r.Temp21 = 24;
                           r.RelHum21 = 50; },
         BypassNone},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.input);
        const RunResult run = Run("rate", c.input);
        ASSERT_EQ(run.Status, 0) << run.Err;
        TDatenVX r = DefaultRecord();
        c.apply(r);
        ExpectMatches(json::parse(run.Out), RateHere(r, c.bypass), c.bypass);
    }
}

TEST_F(Vxrate, BypassChangesMessagesAndWeight)
{
    const std::string base = R"("SizeCode":45,"PackageWidth":600,"SVol11":2500,"SVol21":2500)";
    const json none = json::parse(Run("rate", "{" + base + R"(,"BypassVelocity":4})").Out);
    const json side = json::parse(Run("rate", "{" + base + R"(,"BypassVelocity":4,"Bypass":20})").Out);
    // The bypass velocity is checked only with a bypass fitted.
    const auto noneCodes = none["Messages"].get<std::vector<int>>();
    const auto sideCodes = side["Messages"].get<std::vector<int>>();
    EXPECT_EQ(std::count(noneCodes.begin(), noneCodes.end(), 12), 0);
    EXPECT_EQ(std::count(sideCodes.begin(), sideCodes.end(), 12), 1);
    EXPECT_NEAR(side["Weight"].get<double>() - none["Weight"].get<double>(),
                BypassWeight(45, side["BypassWidth"].get<int>()), 1e-9);
}

TEST_F(Vxrate, ArrayInputGivesAnArrayInOrder)
{
    const RunResult run =
        Run("rate", R"([{}, {"Temp11": -20}, {"SizeCode": 45, "PackageWidth": 400}])");
    ASSERT_EQ(run.Status, 0) << run.Err;
    const json out = json::parse(run.Out);
    ASSERT_TRUE(out.is_array());
    ASSERT_EQ(out.size(), 3u);
    EXPECT_EQ(out[0]["Temp11"].get<double>(), -5.0);
    EXPECT_EQ(out[1]["Temp11"].get<double>(), -20.0);
    EXPECT_EQ(out[2]["SizeCode"], 45);
    TDatenVX second = DefaultRecord();
    second.Temp11 = -20;
    ExpectMatches(out[1], RateHere(second, BypassNone), BypassNone);

    const RunResult empty = Run("rate", " [ ] ");
    ASSERT_EQ(empty.Status, 0) << empty.Err;
    EXPECT_EQ(json::parse(empty.Out), json::array());

    // A one-element array stays an array.
    EXPECT_TRUE(json::parse(Run("rate", "[{}]").Out).is_array());
}

TEST_F(Vxrate, FileArgumentReadsLikeStandardInput)
{
    const std::string input = R"([{"PackageWidth": 300}, {"Series": 2}])";
    const fs::path file = Write("cases.json", input);
    const RunResult fromFile = Run("rate '" + file.string() + "'");
    const RunResult fromStdin = Run("rate", input);
    ASSERT_EQ(fromFile.Status, 0) << fromFile.Err;
    EXPECT_EQ(fromFile.Out, fromStdin.Out);
    EXPECT_EQ(Run("rate -", input).Out, fromStdin.Out);
}

// Random cases over the whole input range, zero and extreme values included (fixed seed, bounded
// count): every case is rated and nothing non-finite reaches the output.
TEST_F(Vxrate, RandomInputsRateWithoutNonFiniteOutput)
{
    std::mt19937 rng(20261208);
    auto pick = [&](double lo, double hi) {
        const double r = std::uniform_real_distribution<double>(0, 1)(rng);
        if (r < 0.1) return 0.0;
        if (r < 0.15) {
            const double extremes[] = {1e-9, -1e-9, 1e9, -1e9, 1e300, -1e300};
            return extremes[std::uniform_int_distribution<int>(0, 5)(rng)];
        }
        return std::uniform_real_distribution<double>(lo, hi)(rng);
    };
    auto any = [&](std::initializer_list<int> values) {
        std::vector<int> v(values);
        return v[std::uniform_int_distribution<std::size_t>(0, v.size() - 1)(rng)];
    };
    json cases = json::array();
    for (int i = 0; i < 400; ++i) {
        json c;
        c["Pressure"] = pick(500, 1200);
        c["HumidityMode"] = any({0, 1, 7, 2, 12});
        c["FlowMode"] = any({0, 1, 2, 3});
        for (const char* p : {"11", "21"}) {
            for (const char* f : {"SVol", "OVol", "MassDry", "MassMoist"})
                c[std::string(f) + p] = pick(-100, 50000);
            c[std::string("Temp") + p] = pick(-80, 150);
            c[std::string("RelHum") + p] = pick(-10, 120);
            c[std::string("X") + p] = pick(-5, 100);
            c[std::string("WetBulb") + p] = pick(-80, 100);
        }
        c["Series"] = any({1, 2, 3});
        c["SizeCode"] = any({16, 30, 95, 110, 366, 2062, 2110, 0, 17, -5, 2000});
        c["PackageWidth"] = any({0, 1, -10, 99, 100, 250, 1001, 5000});
        c["BypassVelocity"] = pick(-5, 40);
        c["DpMultiplier"] = any({0, 1, 2, 255});
        c["Bypass"] = any({10, 20, 21});
        cases.push_back(c);
    }
    const RunResult run = Run("rate", cases.dump());
    ASSERT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(run.Out.find("null"), std::string::npos);
    const json out = json::parse(run.Out);
    ASSERT_EQ(out.size(), cases.size());
    for (const auto& o : out) {
        EXPECT_TRUE(std::isfinite(o["Weight"].get<double>()));
        EXPECT_EQ(o["WarningsOnly"].get<bool>(),
                  std::none_of(o["Messages"].begin(), o["Messages"].end(),
                               [](const json& c) { return IsErrorCode(c.get<int>()); }));
    }
}

struct BadInput {
    const char* input;
    std::vector<const char*> mentions;  // texts the one error line must name
};

TEST_F(Vxrate, BadInputExitsTwoWithOneMessageAndNoOutput)
{
    const BadInput cases[] = {
        {R"({"Temp1":5})", {"case 0", "\"Temp1\"", "unknown"}},
        {R"([{}, {}, {"Temp11":"cold"}])", {"case 2", "\"Temp11\"", "number"}},
        {R"([{}, {"Series":4}])", {"case 1", "\"Series\"", "range"}},
        {R"({"Series":0})", {"case 0", "\"Series\""}},
        {R"({"HumidityMode":13})", {"\"HumidityMode\"", "range"}},
        {R"({"FlowMode":-1})", {"\"FlowMode\"", "range"}},
        {R"({"DpMultiplier":256})", {"\"DpMultiplier\"", "range"}},
        {R"({"SizeCode":2147483648})", {"\"SizeCode\"", "range"}},
        {R"({"PackageWidth":250.5})", {"\"PackageWidth\"", "integer"}},
        {R"({"Bypass":15})", {"\"Bypass\""}},
        {R"({"Temp11":null})", {"\"Temp11\""}},
        {R"({"X11":true})", {"\"X11\""}},
        {R"({"SVol11":[200]})", {"\"SVol11\""}},
        {R"({"Temp11":1e999})", {"case 0"}},
        {R"({"Temp11":1,"Temp11":2})", {"case 0", "\"Temp11\"", "twice"}},
        {R"([{}, 7])", {"case 1", "object"}},
        {R"("text")", {"object"}},
        {R"({"Temp11": )", {"JSON"}},
        {R"([{}, {}] trailing)", {"JSON"}},
        {"", {"JSON"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.input);
        const RunResult run = Run("rate", c.input);
        EXPECT_EQ(run.Status, 2);
        EXPECT_EQ(run.Out, "");
        ASSERT_FALSE(run.Err.empty());
        EXPECT_EQ(std::count(run.Err.begin(), run.Err.end(), '\n'), 1) << run.Err;
        for (const char* m : c.mentions) EXPECT_NE(run.Err.find(m), std::string::npos) << m;
    }
    // Also with the table: nothing on standard output.
    const RunResult table = Run("rate --table", R"([{}, {"Foo":1}])");
    EXPECT_EQ(table.Status, 2);
    EXPECT_EQ(table.Out, "");
}

TEST_F(Vxrate, UsageErrors)
{
    EXPECT_EQ(Run("").Status, 2);
    EXPECT_EQ(Run("frobnicate").Status, 2);
    EXPECT_EQ(Run("rate --tabel", "{}").Status, 2);
    EXPECT_EQ(Run("rate a.json b.json").Status, 2);
    const RunResult missing = Run("rate '" + (dir_ / "missing.json").string() + "'");
    EXPECT_EQ(missing.Status, 2);
    EXPECT_NE(missing.Err.find("missing.json"), std::string::npos);
    const RunResult help = Run("help");
    EXPECT_EQ(help.Status, 0);
    EXPECT_NE(help.Out.find("rate [FILE] [--table]"), std::string::npos);
}

TEST_F(Vxrate, TableIsReadable)
{
    const RunResult one = Run("rate --table", "{}");
    ASSERT_EQ(one.Status, 0) << one.Err;
    EXPECT_NE(one.Out.find("Type: VX 30 / 250"), std::string::npos);
    EXPECT_NE(one.Out.find("Messages: none"), std::string::npos);
    EXPECT_NE(one.Out.find("Recommended max. dp     182 Pa"), std::string::npos);
    EXPECT_EQ(one.Out.find("Case "), std::string::npos);
    EXPECT_EQ(one.Out.find("nan"), std::string::npos);
    // Every line fits a terminal.
    std::istringstream lines(one.Out);
    for (std::string line; std::getline(lines, line);) EXPECT_LE(line.size(), 100u) << line;

    const RunResult two = Run("rate --table",
                              R"([{}, {"SizeCode":2080,"PackageWidth":99,"Bypass":21,
                                  "BypassVelocity":8,"SVol11":9000,"SVol21":9000}])");
    ASSERT_EQ(two.Status, 0) << two.Err;
    EXPECT_NE(two.Out.find("Case 0"), std::string::npos);
    EXPECT_NE(two.Out.find("Case 1   Type: VX Kombi 80 / 99 -BY"), std::string::npos);
    EXPECT_NE(two.Out.find("(M)"), std::string::npos);
    EXPECT_NE(two.Out.find("9 (error)"), std::string::npos);
}

}  // namespace

namespace {

// Text of a PDF file as pdftotext reads it; empty when the tool is missing.
std::string PdfText(const fs::path& pdf)
{
    const fs::path txt = pdf.string() + ".txt";
    const std::string cmd = "pdftotext -layout '" + pdf.string() + "' '" + txt.string() + "' 2>/dev/null";
    if (std::system(cmd.c_str()) != 0) return "";
    return ReadAll(txt);
}

TEST_F(Vxrate, DescriptionPageAsPdf)
{
    const fs::path vx = dir_ / "vx.pdf";
    const RunResult one = Run("description --series 1 --pdf '" + vx.string() + "'");
    ASSERT_EQ(one.Status, 0) << one.Err;
    EXPECT_EQ(one.Out, "");
    ASSERT_TRUE(fs::exists(vx));
    EXPECT_EQ(ReadAll(vx).rfind("%PDF-", 0), 0u);
    const std::string text = PdfText(vx);
    if (text.empty()) GTEST_SKIP() << "pdftotext not available";
    for (const char* s : {"Product description", "VX 30 / 350", "VX 110", "VX Kombi 110", "2170",
                          "Subject to technical modifications"})
        EXPECT_NE(text.find(s), std::string::npos) << s;
    EXPECT_EQ(text.find("VX-K 366"), std::string::npos);
    // The page is one of VX's, so its footer carries VX's version, not one derived from "vxrate".
    EXPECT_NE(text.find("4.4, 11/16"), std::string::npos);

    const fs::path vxk = dir_ / "vxk-de.pdf";
    const RunResult two = Run("description --series 2 --lang de --pdf '" + vxk.string() + "'");
    ASSERT_EQ(two.Status, 0) << two.Err;
    const std::string german = PdfText(vxk);
    for (const char* s : {"VX-K 30 / 350", "VX-K 366", "194"})
        EXPECT_NE(german.find(s), std::string::npos) << s;
    EXPECT_EQ(german.find("Kombi"), std::string::npos);
    EXPECT_EQ(german.find("Product description"), std::string::npos);  // German texts
    // The language by its number gives the same page.
    const fs::path byNumber = dir_ / "vxk-1.pdf";
    ASSERT_EQ(Run("description --series 2 --lang 1 --pdf '" + byNumber.string() + "'").Status, 0);
    EXPECT_EQ(PdfText(byNumber), german);
}

TEST_F(Vxrate, DescriptionArgumentErrors)
{
    const std::string out = " --pdf '" + (dir_ / "x.pdf").string() + "'";
    const char* bad[] = {"--series 3", "--series", "--series 1 --lang xx", "--series 1 --lang 5",
                         "--series 1 --colour red"};
    for (const char* args : bad) {
        const RunResult run = Run(std::string("description ") + args + out);
        EXPECT_EQ(run.Status, 2) << args;
        EXPECT_FALSE(run.Err.empty()) << args;
    }
    EXPECT_EQ(Run("description --series 1").Status, 2);  // no output file
    EXPECT_FALSE(fs::exists(dir_ / "x.pdf"));

    // A folder that does not exist: a clear failure, no file.
    const fs::path nowhere = dir_ / "missing-folder" / "x.pdf";
    const RunResult run = Run("description --series 1 --pdf '" + nowhere.string() + "'");
    EXPECT_EQ(run.Status, 1);
    EXPECT_NE(run.Err.find("x.pdf"), std::string::npos) << run.Err;
    EXPECT_FALSE(fs::exists(nowhere));
}

}  // namespace
