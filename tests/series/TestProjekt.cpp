// Project files: a selection saved and read back is the same selection to the last bit; a file
// that is not JSON, ends too early, is of another format, of a newer version or holds a bad value
// is refused with its reason and leaves the open selection as it was; the examples open.
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

#include "series/UProjekt.h"

namespace {

constexpr TAirInput AllInputs[] = {TAirInput::Flow11, TAirInput::Flow21,     TAirInput::Temp11,
                                   TAirInput::Temp21, TAirInput::Humidity11, TAirInput::Humidity21};

// A selection that differs from a new one in every input, with values that have no short
// decimal form.
TSelection UnusualSelection() {
    TSelection s;
    s.SetPressure(987.6543210987654);
    s.SetSeasons(true);
    s.SetTwoCases(true);
    s.SetCalculationStandard(true, true, true);
    s.SetFlowMode(FlowInputOperatingVolume);
    s.SetHumidityMode(HumidityInputRatio);
    TDevice d;
    d.Series = SeriesVX;
    d.SizeCode = 95;
    d.PackageWidth = 1045;
    d.Bypass = BypassMiddle;
    d.BypassMode = TBypassMode::Width;
    d.BypassWidth = 260;
    d.DpMultiplier = 2;
    s.SetDevice(d);
    const double values[] = {3000.0 / 7.0, 4000.1, -12.345678901234567, 21.1, 0.1 + 0.2, 7.77e-3};
    for (int c = 0; c < 2; ++c)
        for (int i = 0; i < 6; ++i) s.SetAirInput(c, AllInputs[i], values[i] + c);
    s.PrintHeader = true;
    s.HeaderLines = {"Projekt:", "Schulgebäude Nord",       "Anlage:", "RLT 2 \"Klassen\"",
                     "Planer:",  "Büro für Gebäudetechnik", "Datum:",  "18.03.2024"};
    s.NotesData = {"Größe nach Rücksprache", "换热器", ""};
    s.NotesChart = {"", "Sommer gepunktet", "Line\twith tab"};
    return s;
}

std::uint64_t Bits(double v) {
    return std::bit_cast<std::uint64_t>(v);
}

TEST(Projekt, RoundTripKeepsEveryInputToTheLastBit) {
    const TSelection saved = UnusualSelection();
    TSelection read;
    const auto error = ReadProjectText(ProjectText(saved), read);
    ASSERT_FALSE(error) << error->Message();

    EXPECT_EQ(Bits(read.Pressure), Bits(saved.Pressure));
    EXPECT_EQ(read.HumidityMode, saved.HumidityMode);
    EXPECT_EQ(read.FlowMode, saved.FlowMode);
    EXPECT_EQ(read.AmericanMethod, saved.AmericanMethod);
    EXPECT_EQ(read.EnergyClasses, saved.EnergyClasses);
    EXPECT_EQ(read.FlowAtOutlet, saved.FlowAtOutlet);
    EXPECT_EQ(read.Seasons, saved.Seasons);
    EXPECT_EQ(read.TwoCases, saved.TwoCases);
    for (int c = 0; c < 2; ++c)
        for (TAirInput input : AllInputs)
            EXPECT_EQ(Bits(read.AirInput(c, input)), Bits(saved.AirInput(c, input)))
                << "case " << c << ", input " << static_cast<int>(input);
    EXPECT_EQ(read.Device, saved.Device);
    EXPECT_EQ(read.TypeKey("Type"), saved.TypeKey("Type"));
    EXPECT_EQ(read.PrintHeader, saved.PrintHeader);
    EXPECT_EQ(read.HeaderLines, saved.HeaderLines);
    EXPECT_EQ(read.NotesData, saved.NotesData);
    EXPECT_EQ(read.NotesChart, saved.NotesChart);
    // The completed inlet states follow from the inputs alone.
    EXPECT_EQ(Bits(read.Cases[1].RelHum21), Bits(saved.Cases[1].RelHum21));
    EXPECT_EQ(Bits(read.Cases[0].SVol11), Bits(saved.Cases[0].SVol11));
    // Saving again gives the same document.
    EXPECT_EQ(ProjectText(read), ProjectText(saved));
}

TEST(Projekt, WritesOnlyTheTypedFieldsAndNoDisplayPreferences) {
    const std::string text = ProjectText(UnusualSelection());
    const auto doc = nlohmann::json::parse(text);
    EXPECT_EQ(doc["format"], "vx-selection");
    EXPECT_EQ(doc["version"], 1);
    std::vector<std::string> keys;
    for (const auto& item : doc["winter"].items()) keys.push_back(item.key());
    EXPECT_EQ(keys, (std::vector<std::string>{"OVol11", "OVol21", "Temp11", "Temp21", "X11", "X21"}));
    for (const char* preference : {"Language", "SI", "Units", "DecimalSeparator"})
        EXPECT_EQ(text.find(preference), std::string::npos) << preference;
}

struct BadFile {
    const char* Name;
    std::string Text;
    TProjectFault Fault;
    const char* InMessage;
};

TEST(Projekt, BadFilesGiveTheirReasonAndChangeNothing) {
    const std::string good = ProjectText(UnusualSelection());
    std::string future = good;
    future.replace(future.find("\"version\": 1"), 12, "\"version\": 2");
    std::string badSize = good;
    badSize.replace(badSize.find("\"SizeCode\": 95"), 14, "\"SizeCode\": 96");
    std::string badFlow = good;
    badFlow.replace(badFlow.find("\"OVol11\": "), 10, "\"OVol11\": \"x\", \"y\": ");
    const BadFile files[] = {
        {"corrupt", "{\"format\": \"vx-selection\", \"version\": 1, ]", TProjectFault::NotJson, "not JSON"},
        {"truncated", good.substr(0, good.size() / 2), TProjectFault::Truncated, "incomplete"},
        {"empty", "", TProjectFault::Truncated, "incomplete"},
        {"foreign", R"({"format": "drawing", "version": 1})", TProjectFault::Foreign, "\"drawing\""},
        {"case file", R"({"SVol11": 3000})", TProjectFault::Foreign, "format"},
        {"array", "[1, 2]", TProjectFault::Foreign, "not a VX project"},
        {"future", future, TProjectFault::NewerVersion, "newer VX (format version 2"},
        {"size", badSize, TProjectFault::BadValue, "device, key \"SizeCode\": 96"},
        {"flow", badFlow, TProjectFault::BadValue, "winter, key \"OVol11\": expected a number"},
        {"twice", R"({"format": "vx-selection", "version": 1, "winter": {"Temp11": 1, "Temp11": 2}})",
         TProjectFault::BadValue, "\"Temp11\" appears twice"},
        {"misplaced", R"({"format": "vx-selection", "version": 1, "winter": {"SizeCode": 30}})",
         TProjectFault::BadValue, "winter, key \"SizeCode\": not a key of this object"},
        {"mode", R"({"format": "vx-selection", "version": 1, "shared": {"HumidityMode": 4}})",
         TProjectFault::BadValue, "shared, key \"HumidityMode\""},
    };
    for (const BadFile& f : files) {
        TSelection open = UnusualSelection();
        const std::string before = ProjectText(open);
        const auto error = ReadProjectText(f.Text, open);
        ASSERT_TRUE(error) << f.Name;
        EXPECT_EQ(error->Fault, f.Fault) << f.Name << ": " << error->Message();
        EXPECT_NE(error->Message().find(f.InMessage), std::string::npos)
            << f.Name << ": " << error->Message();
        EXPECT_EQ(ProjectText(open), before) << f.Name;
    }
}

TEST(Projekt, FilesThatCannotBeReadAreRefusedUnchanged) {
    const auto dir = std::filesystem::temp_directory_path() / ("vx-projekt-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    TSelection open = UnusualSelection();
    const std::string before = ProjectText(open);
    for (const auto& path : {dir / "missing.vxsel", dir}) {
        const auto error = ReadProjectFile(path.string(), open);
        ASSERT_TRUE(error) << path;
        EXPECT_EQ(error->Fault, TProjectFault::Unreadable) << error->Message();
    }
    EXPECT_EQ(ProjectText(open), before);
    std::filesystem::remove_all(dir);
}

TEST(Projekt, ExamplesOpenAndRate) {
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(VX_EXAMPLES_DIR)) {
        if (entry.path().extension() != ".vxsel") continue;
        TSelection s;
        const auto error = ReadProjectFile(entry.path().string(), s);
        ASSERT_FALSE(error) << entry.path() << ": " << error->Message();
        EXPECT_TRUE(s.Calculate()) << entry.path() << " rates without an error message";
        ++count;
    }
    EXPECT_GE(count, 2);
}

}  // namespace
