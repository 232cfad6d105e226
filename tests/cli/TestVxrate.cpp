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

#include <sys/stat.h>

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
                          "Length", "Height", "FaceHeight", "Weight", "TypeKey", "FrostLimitTemp"})
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

TEST_F(Vxrate, FrostLimitAgreesWithTheFlagOfTheRatedCases)
{
    const RunResult first = Run("rate", R"([{}, {"Series": 3, "SizeCode": 366, "PackageWidth": 500,
                                              "RelHum21": 70}, {"Series": 2, "RelHum21": 5}])");
    ASSERT_EQ(first.Status, 0) << first.Err;
    const json out = json::parse(first.Out);
    EXPECT_TRUE(out[2]["FrostLimitTemp"].is_null()); // extract air too dry to separate water
    for (int i = 0; i < 2; ++i) {
        ASSERT_TRUE(out[i]["FrostLimitTemp"].is_number()) << i;
        const double limit = out[i]["FrostLimitTemp"].get<double>();
        EXPECT_LT(limit, 10.0);
        // The same cases entered at the limit and 0.1 K above it.
        json atAndAbove = json::array();
        for (double t : {limit, limit + 0.1}) {
            const json& c = out[i];
            atAndAbove.push_back({{"Temp11", t}, {"Series", c["Series"]}, {"SizeCode", c["SizeCode"]},
                                  {"PackageWidth", c["PackageWidth"]}, {"RelHum21", c["RelHum21"]}});
        }
        const RunResult second = Run("rate", atAndAbove.dump());
        ASSERT_EQ(second.Status, 0) << second.Err;
        const json rated = json::parse(second.Out);
        EXPECT_EQ(rated[0]["FreezeRisk"], 1) << limit;
        EXPECT_EQ(rated[1]["FreezeRisk"], 0) << limit + 0.1;
        EXPECT_EQ(rated[0]["FrostLimitTemp"], limit); // independent of the entered temperature
    }
    EXPECT_NE(Run("rate --table", R"([{}, {"Series": 2, "RelHum21": 5}])").Out.find("Frost limit             none"),
              std::string::npos);
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

// Random cases over the whole accepted input range, its bounds included, with zero and extreme
// values where no range applies (fixed seed, bounded count): every case is rated and nothing
// non-finite reaches the output.
TEST_F(Vxrate, RandomInputsRateWithoutNonFiniteOutput)
{
    std::mt19937 rng(20261208);
    auto unit = [&] { return std::uniform_real_distribution<double>(0, 1)(rng); };
    auto pick = [&](double lo, double hi) {
        const double r = unit();
        if (r < 0.1) return 0.0;
        if (r < 0.15) {
            const double extremes[] = {1e-9, -1e-9, 1e9, -1e9, 1e300, -1e300};
            return extremes[std::uniform_int_distribution<int>(0, 5)(rng)];
        }
        return std::uniform_real_distribution<double>(lo, hi)(rng);
    };
    auto within = [&](const TInputRange& range) {
        const double r = unit();
        if (r < 0.1) return range.Min;
        if (r < 0.2) return range.Max;
        return std::uniform_real_distribution<double>(range.Min, range.Max)(rng);
    };
    auto any = [&](std::initializer_list<int> values) {
        std::vector<int> v(values);
        return v[std::uniform_int_distribution<std::size_t>(0, v.size() - 1)(rng)];
    };
    json cases = json::array();
    for (int i = 0; i < 400; ++i) {
        json c;
        c["Pressure"] = within(AirPressureInput);
        c["HumidityMode"] = any({0, 1, 7});
        c["FlowMode"] = any({0, 1, 3});
        for (const char* p : {"11", "21"}) {
            for (const char* f : {"SVol", "OVol", "MassDry", "MassMoist"})
                c[std::string(f) + p] =
                    unit() < 0.5 ? within(AirFlowInput) : std::uniform_real_distribution<double>(1, 50000)(rng);
            c[std::string("Temp") + p] = pick(-80, 150);
            c[std::string("RelHum") + p] = pick(-10, 120);
            c[std::string("X") + p] = pick(-5, 100);
            c[std::string("WetBulb") + p] = pick(-80, 100);
        }
        const int series = any({1, 2, 3});
        const auto sizes = SeriesSizes(series);
        c["Series"] = series;
        c["SizeCode"] = sizes[std::uniform_int_distribution<std::size_t>(0, sizes.size() - 1)(rng)];
        c["PackageWidth"] = any({1, 99, 100, 250, 1001, 5000, 9999});
        c["BypassVelocity"] = pick(-5, 40);
        c["DpMultiplier"] = any({0, 1, 2, 255});
        c["Bypass"] = any({10, 20, 21});
        cases.push_back(c);
    }
    const RunResult run = Run("rate", cases.dump());
    ASSERT_EQ(run.Status, 0) << run.Err;
    // A missing frost limit is the only null.
    std::size_t nulls = 0, noFrost = 0;
    for (std::size_t at = run.Out.find("null"); at != std::string::npos; at = run.Out.find("null", at + 1))
        ++nulls;
    for (std::size_t at = run.Out.find("\"FrostLimitTemp\":null"); at != std::string::npos;
         at = run.Out.find("\"FrostLimitTemp\":null", at + 1))
        ++noFrost;
    EXPECT_EQ(nulls, noFrost);
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
        {R"([{}, {"Series":4}])", {"case 1", "\"Series\"", "1 VX, 2 VX-K, 3 VX-E"}},
        {R"({"Series":0})", {"case 0", "\"Series\""}},
        {R"({"HumidityMode":13})", {"\"HumidityMode\"", "0 relative humidity, 1 humidity ratio, 7"}},
        {R"({"FlowMode":2})", {"\"FlowMode\"", "0 standard volume, 1 operating volume, 3 mass"}},
        {R"({"DpMultiplier":256})", {"\"DpMultiplier\"", "range"}},
        {R"({"SizeCode":2147483648})", {"\"SizeCode\"", "range"}},
        {R"({"PackageWidth":250.5})", {"\"PackageWidth\"", "whole number"}},
        {R"({"Bypass":15})", {"\"Bypass\""}},
        {R"({"Temp11":null})", {"\"Temp11\""}},
        {R"({"X11":true})", {"\"X11\""}},
        {R"({"SVol11":[200]})", {"\"SVol11\""}},
        {R"({"Temp11":1e999})", {"case 0", "number overflow"}},
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

// Values the window would not hold: exit 2, one line naming the case, the key, the value and
// what is allowed, nothing on standard output.
TEST_F(Vxrate, ValuesOutsideWhatTheWindowAcceptsAreRefused)
{
    const BadInput cases[] = {
        {R"([{}, {"Series":2,"SizeCode":2062}])",
         {"case 1", "\"SizeCode\"", "2062", "series 2", "18, 25, 30, 35, 45, 366"}},
        {R"({"SizeCode":40})", {"case 0", "\"SizeCode\"", "40", "16, 18, 25"}},
        {R"({"SizeCode":12345})", {"\"SizeCode\"", "12345", "2110"}},
        {R"({"Series":3,"SizeCode":30})", {"\"SizeCode\"", "30", "VX-E", "366"}},
        {R"({"Pressure":2000})", {"\"Pressure\"", "2000", "600 .. 1100 mbar"}},
        {R"({"Pressure":1100.5})", {"\"Pressure\"", "1100.5", "600 .. 1100 mbar"}},
        {R"({"Pressure":599.9})", {"\"Pressure\"", "599.9", "600 .. 1100 mbar"}},
        {R"({"PackageWidth":2147483647,"Bypass":20})", {"\"PackageWidth\"", "2147483647", "1 .. 9999 mm"}},
        {R"({"PackageWidth":0})", {"\"PackageWidth\"", "1 .. 9999 mm"}},
        {R"({"SVol11":0})", {"\"SVol11\"", "1 .. 999999 m3/h"}},
        {R"({"SVol21":1e6})", {"\"SVol21\"", "1000000", "1 .. 999999 m3/h"}},
        {R"({"FlowMode":1,"OVol11":-5,"OVol21":200})", {"\"OVol11\"", "-5", "m3/h"}},
        {R"({"FlowMode":3,"MassMoist11":200,"MassMoist21":1e300})", {"\"MassMoist21\"", "kg/h"}},
        {R"({"FlowMode":3,"MassMoist21":200})", {"\"MassMoist11\"", "0 is out of range", "kg/h"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.input);
        const RunResult run = Run("rate", c.input);
        EXPECT_EQ(run.Status, 2);
        EXPECT_EQ(run.Out, "");
        EXPECT_EQ(std::count(run.Err.begin(), run.Err.end(), '\n'), 1) << run.Err;
        for (const char* m : c.mentions) EXPECT_NE(run.Err.find(m), std::string::npos) << m << " in " << run.Err;
    }
    // The bounds themselves are accepted, and the operating-point check still reports the rest.
    const RunResult edge = Run("rate", R"({"Pressure":600,"SVol11":1,"SVol21":999999,"PackageWidth":9999,
                                          "SizeCode":2110,"Bypass":21,"BypassVelocity":0.001,"Temp11":-90})");
    ASSERT_EQ(edge.Status, 0) << edge.Err;
    const auto codes = json::parse(edge.Out)["Messages"].get<std::vector<int>>();
    for (int code : {MsgTempLow, MsgRatioError, MsgBypassVelocity})
        EXPECT_EQ(std::count(codes.begin(), codes.end(), code), 1) << code;
}

// Input by path from a pipe, a folder named as input, keys with control characters and a huge value
// under an unknown key; messages carry no library error ids.
TEST_F(Vxrate, InputIsReadOnceFromAnyStreamAndQuotedSafely)
{
    const std::string input = R"([{"SizeCode":45,"PackageWidth":400},{}])";
    const RunResult direct = Run("rate", input);
    ASSERT_EQ(direct.Status, 0) << direct.Err;
    const fs::path file = Write("cases.json", input);
    const fs::path fifo = dir_ / "cases.fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    // The writer waits in the background until vxrate opens the pipe.
    ASSERT_EQ(std::system(("cat '" + file.string() + "' > '" + fifo.string() + "' &").c_str()), 0);
    const RunResult fromFifo = Run("rate '" + fifo.string() + "'");
    EXPECT_EQ(fromFifo.Status, 0) << fromFifo.Err;
    EXPECT_EQ(fromFifo.Out, direct.Out);

    const RunResult folder = Run("rate '" + dir_.string() + "'");
    EXPECT_EQ(folder.Status, 2);
    EXPECT_EQ(folder.Out, "");
    EXPECT_NE(folder.Err.find("is a folder"), std::string::npos) << folder.Err;

    const RunResult control = Run("rate", std::string("{\"a\\u0000b\\u001b[2J\x7f\":1}"));
    EXPECT_EQ(control.Status, 2);
    EXPECT_NE(control.Err.find(R"("a\u0000b\u001b[2J\u007f")"), std::string::npos) << control.Err;
    const RunResult rawBytes = Run("rate", std::string("{\"Temp11\": 1, \x1b[2J}"));
    EXPECT_EQ(rawBytes.Status, 2);
    for (const RunResult* r : {&control, &rawBytes}) {
        EXPECT_EQ(std::count_if(r->Err.begin(), r->Err.end(),
                                [](unsigned char ch) { return (ch < 0x20 && ch != '\n') || ch == 0x7f; }),
                  0)
            << r->Err;
    }
    for (const char* bad : {R"({"Temp11":1e999})", R"({"Temp11":tru})", R"({"Temp11":1)"}) {
        const RunResult r = Run("rate", bad);
        EXPECT_EQ(r.Status, 2);
        EXPECT_EQ(r.Err.find("json.exception"), std::string::npos) << r.Err;
    }

    // 64 MB under an unknown key: refused at the key, long before the value could be read.
    const fs::path big = dir_ / "big.json";
    {
        std::ofstream out(big, std::ios::binary);
        out << R"({"Comment":")" << std::string(64 << 20, 'x') << R"("})";
    }
    const RunResult huge = Run("rate '" + big.string() + "'");
    EXPECT_EQ(huge.Status, 2);
    EXPECT_NE(huge.Err.find(R"(key "Comment": unknown key)"), std::string::npos) << huge.Err;
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
    const RunResult version = Run("--version");
    EXPECT_EQ(version.Status, 0);
    EXPECT_EQ(version.Out.rfind("vxrate (VX) ", 0), 0u) << version.Out;
}

// The manual page is made from the help text, so every input key it names must be one that
// "rate" reads.
TEST_F(Vxrate, HelpNamesInputKeysThatRateReads)
{
    const RunResult help = Run("--help");
    ASSERT_EQ(help.Status, 0);
    const std::size_t from = help.Out.find("\nInput keys:\n");
    ASSERT_NE(from, std::string::npos);
    std::istringstream lines(help.Out.substr(from + 13));
    std::vector<std::string> keys;
    for (std::string line; std::getline(lines, line) && !line.empty();) {
        std::istringstream names(line.substr(2, line.find("  ", 2) - 2));
        for (std::string key; names >> key;) {
            if (key.back() == ',') key.pop_back();
            keys.push_back(key);
        }
    }
    EXPECT_EQ(keys.size(), 25u);
    for (const std::string& key : keys) {
        const RunResult run = Run("rate", "{\"" + key + "\": 10}");
        EXPECT_EQ(run.Err.find("unknown key"), std::string::npos) << key << ": " << run.Err;
    }
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
    for (const char* s : {"Product description", "VX 30 / 350", "VX 110", "VX Kombi 110", "2165",
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

    // The enthalpy series: its own text, its one size, the example with that size.
    const fs::path vxe = dir_ / "vxe-fr.pdf";
    ASSERT_EQ(Run("description --series 3 --lang fr --pdf '" + vxe.string() + "'").Status, 0);
    const std::string french = PdfText(vxe);
    for (const char* s : {"VX-E 366 / 350", "VX-E 366", "178", "limite de gel"})
        EXPECT_NE(french.find(s), std::string::npos) << s;
    EXPECT_EQ(french.find("VX-K"), std::string::npos);
}

TEST_F(Vxrate, DescriptionArgumentErrors)
{
    const std::string out = " --pdf '" + (dir_ / "x.pdf").string() + "'";
    const char* bad[] = {"--series 4", "--series", "--series 1 --lang xx", "--series 1 --lang 5",
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

// A project file rates as its cases written out as case objects; the page commands print its
// header and notes; a bad project names the file and the reason.
TEST_F(Vxrate, ProjectFilesAreReadWhereCaseFilesAre)
{
    const std::string project = std::string(VX_EXAMPLES_DIR) + "/vx45-side-bypass.vxsel";
    const std::string device =
        R"("Series":1,"SizeCode":45,"PackageWidth":1000,"Bypass":20,"BypassVelocity":8.0)";
    const fs::path cases = Write("cases.json", "[{" + device + R"(,"SVol11":1500,"Temp11":-10,
        "RelHum11":90,"SVol21":1500,"Temp21":22,"RelHum21":45},{)" + device + R"(,"SVol11":1500,
        "Temp11":32,"RelHum11":40,"SVol21":1500,"Temp21":26,"RelHum21":50}])");
    for (const char* table : {"", " --table"}) {
        const RunResult fromProject = Run("rate '" + project + "'" + table);
        ASSERT_EQ(fromProject.Status, 0) << fromProject.Err;
        EXPECT_EQ(fromProject.Out, Run("rate '" + cases.string() + "'" + table).Out);
    }
    const fs::path winter = Write("winter.json", R"({"Pressure":950,"Series":2,"SizeCode":30,
        "PackageWidth":600,"SVol11":600,"Temp11":-15,"RelHum11":85,"SVol21":550,"Temp21":24,"RelHum21":35})");
    const RunResult proposals = Run("preselect '" + std::string(VX_EXAMPLES_DIR) + "/vxk-winter.vxsel'");
    ASSERT_EQ(proposals.Status, 0) << proposals.Err;
    EXPECT_EQ(proposals.Out, Run("preselect '" + winter.string() + "'").Out);

    const fs::path future = Write("future.vxsel", R"({"format":"vx-selection","version":2})");
    const RunResult refused = Run("rate '" + future.string() + "'");
    EXPECT_EQ(refused.Status, 2);
    EXPECT_EQ(refused.Out, "");
    EXPECT_NE(refused.Err.find(future.string() + " was saved by a newer VX"), std::string::npos)
        << refused.Err;

    for (const char* page : {"datasheet", "chart"}) {
        const fs::path pdf = dir_ / (std::string(page) + ".pdf");
        const RunResult run = Run(std::string(page) + " '" + project + "' --pdf '" + pdf.string() + "'");
        ASSERT_EQ(run.Status, 0) << run.Err;
        const std::string text = PdfText(pdf);
        if (text.empty()) GTEST_SKIP() << "pdftotext not available";
        EXPECT_NE(text.find("School extension, north wing"), std::string::npos) << page;
        const char* note = std::string(page) == "chart" ? "Winter design case (solid)"
                                                        : "Bypass for free cooling";
        EXPECT_NE(text.find(note), std::string::npos) << page;
    }
}

}  // namespace

// ---- Batches: reference output, formats, parallel rating, bad cases ----

namespace {

const fs::path kData = VXRATE_TEST_DATA;

// The reference cases as JSON Lines, and as CSV with a column for every key any case uses.
std::string CasesAsJsonLines(const json& cases)
{
    std::string text;
    for (const json& c : cases) text += c.dump() + "\n";
    return text;
}

std::string CasesAsCsv(const json& cases)
{
    std::vector<std::string> keys;
    for (const json& c : cases)
        for (const auto& [key, value] : c.items())
            if (std::find(keys.begin(), keys.end(), key) == keys.end()) keys.push_back(key);
    std::string text;
    for (std::size_t k = 0; k < keys.size(); ++k) text += (k ? "," : "") + keys[k];
    text += "\r\n";  // as spreadsheets write it
    for (const json& c : cases) {
        for (std::size_t k = 0; k < keys.size(); ++k)
            text += (k ? "," : "") + (c.contains(keys[k]) ? c[keys[k]].dump() : "");
        text += "\r\n";
    }
    return text;
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// Cells of a CSV row written by vxrate (no quoted cells in these rows).
std::vector<std::string> Cells(const std::string& row)
{
    std::vector<std::string> cells;
    std::string cell;
    std::istringstream in(row);
    while (std::getline(in, cell, ',')) cells.push_back(cell);
    if (!row.empty() && row.back() == ',') cells.emplace_back();
    return cells;
}

// The output of a fixed case set is kept as a file: any change to a number, the key order or the
// layout shows here, whatever the number of threads.
TEST_F(Vxrate, ReferenceOutputIsByteIdentical)
{
    const std::string expected = ReadAll(kData / "rate_expected.json");
    ASSERT_FALSE(expected.empty());
    const std::string cases = (kData / "rate_cases.json").string();
    for (const char* jobs : {"1", "2", "5"}) {
        SCOPED_TRACE(jobs);
        const RunResult run = Run("rate --jobs " + std::string(jobs) + " '" + cases + "'");
        ASSERT_EQ(run.Status, 0) << run.Err;
        EXPECT_TRUE(run.Out == expected);  // not printed: 190 kB
    }
}

TEST_F(Vxrate, JsonLinesAndCsvGiveTheSameNumbers)
{
    const json cases = json::parse(ReadAll(kData / "rate_cases.json"));
    // Keys in output order.
    const auto expected = nlohmann::ordered_json::parse(ReadAll(kData / "rate_expected.json"));

    const RunResult lines = Run("rate --jsonl --jobs 3", CasesAsJsonLines(cases));
    ASSERT_EQ(lines.Status, 0) << lines.Err;
    const std::vector<std::string> objects = Lines(lines.Out);
    ASSERT_EQ(objects.size(), expected.size());
    for (std::size_t i = 0; i < objects.size(); ++i)
        ASSERT_TRUE(objects[i] == expected[i].dump()) << "case " << i;

    const RunResult csv = Run("rate --csv --jobs 3", CasesAsCsv(cases));
    ASSERT_EQ(csv.Status, 0) << csv.Err;
    const std::vector<std::string> rows = Lines(csv.Out);
    ASSERT_EQ(rows.size(), expected.size() + 1);
    const std::vector<std::string> header = Cells(rows[0]);
    EXPECT_EQ(header.size(), expected[0].size() + 2 * 3);  // EffRel1 and EffRel2 take four columns
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const std::vector<std::string> cells = Cells(rows[i + 1]);
        ASSERT_EQ(cells.size(), header.size()) << rows[i + 1];
        for (std::size_t k = 0; k < header.size(); ++k) {
            const std::string& name = header[k];
            const auto bracket = name.find('[');
            const nlohmann::ordered_json& field =
                bracket == std::string::npos
                    ? expected[i][name]
                    : expected[i][name.substr(0, bracket)][std::stoi(name.substr(bracket + 1))];
            // JSON's null (no frost limit) is an empty cell.
            std::string text = field.is_string() ? field.get<std::string>()
                               : field.is_null() ? std::string()
                                                 : field.dump();
            if (name == "Messages") {  // codes separated by spaces
                text.clear();
                for (const auto& code : field) text += (text.empty() ? "" : " ") + code.dump();
            }
            EXPECT_EQ(cells[k], text) << name << " in row " << i;
        }
    }
}

// Bad input in JSON Lines and CSV is named by its line; blank lines count.
TEST_F(Vxrate, BadLinesAreNamedByLineNumber)
{
    struct Case {
        const char* options;
        const char* input;
        std::vector<const char*> mentions;
    } cases[] = {
        {"--jsonl", "{}\n\n{\"Temp11\": }\n", {"line 3", "JSON"}},
        {"--jsonl", "{}\n{\"Temp11\": 1, \"Temp11\": 2}\n", {"line 2", "\"Temp11\"", "twice"}},
        {"--jsonl", "{}\n[1]\n", {"line 2", "object"}},
        {"--jsonl", "{}\n{}\n{\"Series\": 9}\n", {"line 3", "case 2", "\"Series\"", "allowed"}},
        {"--csv", "Temp11,SizeCode\n-5,30\n\n-7,31.5\n", {"line 4", "\"SizeCode\"", "whole number"}},
        {"--csv", "Temp11,SizeCode\n-5,30\n\"-5,5\",30\n", {"line 3", "\"Temp11\"", "number"}},
        {"--csv", "Temp11,SizeCode\n-5,30,1\n", {"line 2", "3 cells", "header has 2"}},
        {"--csv", "Temp11,Tmp21\n-5,30\n", {"line 2", "\"Tmp21\"", "unknown"}},
        {"--csv", "Temp11,Temp11\n-5,-5\n", {"line 1", "\"Temp11\"", "twice"}},
        {"--csv", "", {"header"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.options) + " " + c.input);
        const RunResult run = Run(std::string("rate ") + c.options, c.input);
        EXPECT_EQ(run.Status, 2);
        EXPECT_EQ(run.Out, "");
        EXPECT_EQ(std::count(run.Err.begin(), run.Err.end(), '\n'), 1) << run.Err;
        for (const char* m : c.mentions) EXPECT_NE(run.Err.find(m), std::string::npos) << m;
    }
    // Quoted cells, spaces around cells, empty cells (defaults) and a byte-order mark are fine.
    const RunResult csv =
        Run("rate --csv", "\xEF\xBB\xBF" "Temp11, \"SizeCode\",PackageWidth\n -7 ,\"45\",\n");
    ASSERT_EQ(csv.Status, 0) << csv.Err;
    const json viaJson = json::parse(Run("rate", R"({"Temp11":-7,"SizeCode":45})").Out);
    const std::vector<std::string> header = Cells(Lines(csv.Out)[0]);
    const std::size_t weight = std::find(header.begin(), header.end(), "Weight") - header.begin();
    ASSERT_LT(weight, header.size());
    EXPECT_EQ(Cells(Lines(csv.Out)[1])[weight], viaJson["Weight"].dump());
}

// --keep-going puts an error in place of each bad case, rates the rest and exits 1 at the end.
TEST_F(Vxrate, KeepGoingRatesTheRest)
{
    const RunResult array = Run("rate --keep-going", R"([{}, {"Temp11":"cold"}, {"Temp11":-20}])");
    EXPECT_EQ(array.Status, 1);
    EXPECT_NE(array.Err.find("1 of 3"), std::string::npos) << array.Err;
    const json out = json::parse(array.Out);
    ASSERT_EQ(out.size(), 3u);
    EXPECT_EQ(out[0], json::parse(Run("rate", "{}").Out));
    ASSERT_TRUE(out[1].contains("Error"));
    EXPECT_NE(out[1]["Error"].get<std::string>().find("\"Temp11\""), std::string::npos);
    EXPECT_EQ(out[2]["Temp11"].get<double>(), -20.0);

    // JSON Lines: malformed lines too, streamed in one pass.
    const RunResult lines =
        Run("rate --jsonl --keep-going --jobs 2", "{}\n{\"Temp11\": \n{\"Foo\":1}\n{}\n");
    EXPECT_EQ(lines.Status, 1);
    const std::vector<std::string> objects = Lines(lines.Out);
    ASSERT_EQ(objects.size(), 4u);
    EXPECT_NE(json::parse(objects[1])["Error"].get<std::string>().find("line 2"),
              std::string::npos);
    EXPECT_NE(json::parse(objects[2])["Error"].get<std::string>().find("\"Foo\""),
              std::string::npos);
    EXPECT_EQ(objects[3], objects[0]);

    // CSV: an Error column, empty for rated rows.
    const RunResult csv = Run("rate --csv --keep-going", "Temp11\n-5\nwarm\n");
    EXPECT_EQ(csv.Status, 1);
    const std::vector<std::string> rows = Lines(csv.Out);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(Cells(rows[0]).back(), "Error");
    EXPECT_EQ(Cells(rows[1]).back(), "");
    // Empty cells, then the message, quoted since it holds a comma.
    const std::string empty(Cells(rows[0]).size() - 1, ',');
    EXPECT_EQ(rows[2].substr(0, empty.size() + 1), empty + "\"");
    EXPECT_NE(rows[2].find("line 3: case 1, key \"\"Temp11\"\""), std::string::npos) << rows[2];

    // All good: exit 0; the table shows the error in place of the case.
    EXPECT_EQ(Run("rate --keep-going", "[{}]").Status, 0);
    const RunResult table = Run("rate --table --keep-going", R"([{}, {"Series":9}])");
    EXPECT_EQ(table.Status, 1);
    EXPECT_NE(table.Out.find("Case 1   Error: case 1, key \"Series\""), std::string::npos)
        << table.Out;
}

// A long array or JSON Lines text is checked in pieces on several threads before anything is
// rated: the outcome and every message are those of reading it whole, also where strings hold
// brackets, commas and escaped quotes, lines end in CR LF or are blank, and where a case in the
// middle or the text after the array is bad.
TEST_F(Vxrate, LongInputsCheckedInPiecesGiveTheSameOutcome)
{
    // About 1.6 MB, long enough to be cut; white space makes it long without many cases.
    auto cases = [](const std::string& middle, const char* separator, const char* open,
                    const char* close) {
        std::string text = open;
        for (int i = 0; i < 6000; ++i) {
            if (i) text += separator + std::string(200, ' ') + "\n";
            text += i == 3000 ? middle
                              : R"({"SizeCode":45,"PackageWidth":400,"RelHum21":40,"Temp11":)" +
                                    std::to_string(-20 + i % 30) + "}";
        }
        return text + close;
    };
    auto array = [&](const std::string& middle, const char* after = "\n]") {
        return cases(middle, ",", "[\n", after);
    };
    auto lines = [&](const std::string& middle) { return cases(middle, "\r\n", "", "\n"); };
    const std::string good = R"({"Temp11":-3})";
    const std::string quoted = R"({"Temp11":"a],[{\"b\",}"})";
    const struct {
        const char* name;
        std::string text;
        const char* options;
    } inputs[] = {
        {"all good", array(good), ""},
        {"a string with brackets, commas and quotes", array(quoted), ""},
        {"the same, rated with the rest", array(quoted), "--keep-going"},
        {"a value out of range", array(R"({"Pressure":5000})"), ""},
        {"two cases without a comma", array(R"({"Temp11":1}{"Temp11":2})"), ""},
        {"text after the array", array(good, "\n] x"), ""},
        {"lines", lines(good), "--jsonl"},
        {"lines with a blank one", lines("  "), "--jsonl"},
        {"lines with a bad one", lines(quoted), "--jsonl"},
        {"lines with a broken one", lines(R"({"Temp11":)"), "--jsonl"},
    };
    for (const auto& input : inputs) {
        SCOPED_TRACE(input.name);
        const fs::path file = Write("long.json", input.text);
        const std::string args = std::string(input.options) + " '" + file.string() + "'";
        const RunResult whole = Run("rate --jobs 1 " + args);
        const RunResult pieces = Run("rate --jobs 3 " + args);
        EXPECT_EQ(pieces.Status, whole.Status);
        EXPECT_EQ(pieces.Err, whole.Err);
        EXPECT_TRUE(pieces.Out == whole.Out);  // megabytes: no printout on failure
    }
}

TEST_F(Vxrate, BatchOptionErrors)
{
    for (const char* args : {"--jobs 0", "--jobs", "--jobs two", "--jobs -1", "--jsonl --csv"}) {
        const RunResult run = Run(std::string("rate ") + args, "{}");
        EXPECT_EQ(run.Status, 2) << args;
        EXPECT_EQ(run.Out, "") << args;
    }
}

// vxrate links the numeric core only; the page commands run in vxrate-pages.
TEST_F(Vxrate, RatingLoadsNoGuiLibraries)
{
    const fs::path libs = dir_ / "ldd.txt";
    ASSERT_EQ(std::system(("ldd '" + std::string(VXRATE_EXE) + "' > '" + libs.string() + "'").c_str()),
              0);
    const std::string text = ReadAll(libs);
    EXPECT_NE(text.find("libc.so"), std::string::npos);
    for (const char* lib : {"Qt6", "qpdf"}) EXPECT_EQ(text.find(lib), std::string::npos) << lib;
}

}  // namespace
