#pragma once
// Helpers of the preselect tests: running the built vxrate as a process and comparing its rows
// with proposals computed in the test process.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "calc/UDaten.h"
#include "series/UVorauswahl.h"

namespace preselect_test {

struct RunResult {
    int Status = -1;
    std::string Out;
    std::string Err;
};

inline std::string ReadAll(const std::filesystem::path& p)
{
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// A private folder per test for input and output files.
class TempDir {
public:
    TempDir()
    {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir_ = std::filesystem::temp_directory_path() /
               ("vxrate-preselect-" + std::to_string(::getpid()) + "-" + info->name());
        std::filesystem::create_directories(dir_);
    }
    ~TempDir() { std::filesystem::remove_all(dir_); }
    const std::filesystem::path& Path() const { return dir_; }

    std::filesystem::path Write(const std::string& name, const std::string& text) const
    {
        const auto p = dir_ / name;
        std::ofstream(p, std::ios::binary) << text;
        return p;
    }

    // Runs vxrate with the arguments (already quoted for the shell) and the standard input.
    RunResult Run(const std::string& args, const std::string& input = "") const
    {
        const auto in = Write("stdin.txt", input);
        const auto out = dir_ / "stdout.txt";
        const auto err = dir_ / "stderr.txt";
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

private:
    std::filesystem::path dir_;
};

// Every input field of the record as a case object.
inline nlohmann::json CaseJson(const TDatenVX& r)
{
    return nlohmann::json{{"Pressure", r.Pressure},       {"HumidityMode", int(r.HumidityMode)},
                {"FlowMode", int(r.FlowMode)},  {"SVol11", r.SVol11},
                {"OVol11", r.OVol11},           {"MassDry11", r.MassDry11},
                {"MassMoist11", r.MassMoist11}, {"Temp11", r.Temp11},
                {"RelHum11", r.RelHum11},       {"X11", r.X11},
                {"WetBulb11", r.WetBulb11},     {"SVol21", r.SVol21},
                {"OVol21", r.OVol21},           {"MassDry21", r.MassDry21},
                {"MassMoist21", r.MassMoist21}, {"Temp21", r.Temp21},
                {"RelHum21", r.RelHum21},       {"X21", r.X21},
                {"WetBulb21", r.WetBulb21},     {"Series", int(r.Series)},
                {"SizeCode", int(r.SizeCode)},  {"PackageWidth", int(r.PackageWidth)},
                {"BypassVelocity", r.BypassVelocity}, {"DpMultiplier", int(r.DpMultiplier)}};
}

// Asserts that the JSON rows written by vxrate are the proposals, in the same order, with every
// key of a row in output order and nothing else.
inline void ExpectRowsEqual(const nlohmann::ordered_json& rows, const std::vector<TProposal>& expected)
{
    ASSERT_TRUE(rows.is_array());
    ASSERT_EQ(rows.size(), expected.size());
    const std::vector<std::string> keys = {"Target", "Key",    "SizeCode", "A",         "B",
                                           "C",      "D",      "E",        "VMax",      "DpMax",
                                           "WetEff", "WetEffRel", "T12"};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE("row " + std::to_string(i));
        const nlohmann::ordered_json& row = rows[i];
        const TProposal& p = expected[i];
        std::vector<std::string> names;
        for (const auto& item : row.items()) names.push_back(item.key());
        EXPECT_EQ(names, keys);
        EXPECT_EQ(row.value("Key", ""), p.Key);
        EXPECT_EQ(row.value("SizeCode", -1), p.SizeCode);
        EXPECT_EQ(row.value("A", -1), p.A);
        EXPECT_EQ(row.value("B", -1), p.B);
        EXPECT_EQ(row.value("C", -1), p.C);
        EXPECT_EQ(row.value("D", -1), p.D);
        EXPECT_EQ(row.value("E", -1), p.E);
        // Numbers travel as shortest round-trip texts, so they come back bit for bit.
        EXPECT_EQ(row.value("Target", -1.0), p.Target);
        EXPECT_EQ(row.value("VMax", -1.0), p.VMax);
        EXPECT_EQ(row.value("DpMax", -1.0), p.DpMax);
        EXPECT_EQ(row.value("WetEff", -1.0), p.WetEff);
        EXPECT_EQ(row.value("WetEffRel", -1.0), p.WetEffRel);
        EXPECT_EQ(row.value("T12", -1.0), p.T12);
    }
}

}  // namespace preselect_test
