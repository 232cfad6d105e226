#include "series/UProjekt.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <limits>
#include <set>
#include <utility>
#include <vector>

#include "series/URateCase.h"
#include "series/UVXSerie.h"

using nlohmann::json;
using nlohmann::ordered_json;

namespace {

constexpr std::array<const char*, 2> CaseNames = {"winter", "summer"};
// A project is a few kilobytes; anything far larger is not one and is not read into memory.
constexpr std::uintmax_t MaxProjectBytes = 16u << 20;

// The input keys a case is typed in under the input modes, beside the input each one holds.
std::vector<std::pair<TAirInput, std::string>> TypedKeys(std::uint8_t flowMode, std::uint8_t humidityMode) {
    const std::string flow = flowMode == FlowInputOperatingVolume ? "OVol"
                             : flowMode == FlowInputMoistMass     ? "MassMoist"
                                                                  : "SVol";
    const std::string humidity = humidityMode == HumidityInputRatio     ? "X"
                                 : humidityMode == HumidityInputWetBulb ? "WetBulb"
                                                                        : "RelHum";
    return {{TAirInput::Flow11, flow + "11"},
            {TAirInput::Temp11, "Temp11"},
            {TAirInput::Humidity11, humidity + "11"},
            {TAirInput::Flow21, flow + "21"},
            {TAirInput::Temp21, "Temp21"},
            {TAirInput::Humidity21, humidity + "21"}};
}

const char* BypassModeName(TBypassMode mode) {
    return mode == TBypassMode::Width ? "width" : "velocity";
}

// ---- Reading --------------------------------------------------------------------------------------

// A bad value: the object and key it was found at and what is wrong.
using TProblem = std::optional<std::string>;

TProblem Bad(const std::string& where, const std::string& key, const std::string& what) {
    return where + ", key \"" + key + "\": " + what;
}

// Every key of `object` must be one of `known`.
TProblem CheckKeys(const json& object, const std::string& where, std::initializer_list<const char*> known) {
    for (const auto& item : object.items()) {
        bool found = false;
        for (const char* k : known) found = found || item.key() == k;
        if (!found) return Bad(where, item.key(), "unknown key");
    }
    return std::nullopt;
}

// The object at `key` of the document, or nullptr when the document has none.
TProblem Section(const json& document, const char* key, const json*& section) {
    const auto it = document.find(key);
    section = it == document.end() ? nullptr : &*it;
    if (section && !section->is_object())
        return Bad("project", key, std::string("expected an object, got ") + section->type_name());
    return std::nullopt;
}

TProblem ReadBool(const json& object, const std::string& where, const char* key, bool& out) {
    const auto it = object.find(key);
    if (it == object.end()) return std::nullopt;
    if (!it->is_boolean())
        return Bad(where, key, std::string("expected true or false, got ") + it->type_name());
    out = it->get<bool>();
    return std::nullopt;
}

// An array of at most lines.size() texts; the lines it does not give stay empty.
TProblem ReadLines(const json& object, const std::string& where, const char* key,
                   std::vector<std::string>& lines) {
    const auto it = object.find(key);
    if (it == object.end()) return std::nullopt;
    if (!it->is_array()) return Bad(where, key, std::string("expected an array, got ") + it->type_name());
    if (it->size() > lines.size())
        return Bad(where, key,
                   "holds " + std::to_string(it->size()) + " lines, at most " + std::to_string(lines.size()) +
                       " are kept");
    std::vector<std::string> read(lines.size());
    for (std::size_t i = 0; i < it->size(); ++i) {
        if (!(*it)[i].is_string()) return Bad(where, key, "line " + std::to_string(i) + " is not a text");
        read[i] = (*it)[i].get<std::string>();
    }
    lines = std::move(read);
    return std::nullopt;
}

TProblem ReadShared(const json& shared, TSelection& s) {
    TRateInput in;
    in.Record.Pressure = s.Pressure;
    in.Record.HumidityMode = s.HumidityMode;
    in.Record.FlowMode = s.FlowMode;
    if (auto problem = ReadInputKeys(shared, "shared", InputKeysShared, in)) return problem;
    const std::uint8_t h = in.Record.HumidityMode, f = in.Record.FlowMode;
    // A project holds the input modes the window offers.
    if (h != HumidityInputRelative && h != HumidityInputRatio && h != HumidityInputWetBulb)
        return Bad("shared", "HumidityMode", std::to_string(h) + " is not an input mode (0, 1, 7)");
    if (f != FlowInputStandardVolume && f != FlowInputOperatingVolume && f != FlowInputMoistMass)
        return Bad("shared", "FlowMode", std::to_string(f) + " is not an input mode (0, 1, 3)");
    s.Pressure = in.Record.Pressure;
    s.HumidityMode = h;
    s.FlowMode = f;
    return std::nullopt;
}

TProblem ReadDevice(const json& device, TSelection& s) {
    TDevice& d = s.Device;
    // The bypass mode and the typed width are project keys; the rest are vxrate's device keys.
    json caseKeys = device;
    if (const auto it = device.find("BypassMode"); it != device.end()) {
        if (*it == BypassModeName(TBypassMode::Velocity))
            d.BypassMode = TBypassMode::Velocity;
        else if (*it == BypassModeName(TBypassMode::Width))
            d.BypassMode = TBypassMode::Width;
        else
            return Bad("device", "BypassMode", it->dump() + " is neither \"velocity\" nor \"width\"");
        caseKeys.erase("BypassMode");
    }
    if (const auto it = device.find("BypassWidth"); it != device.end()) {
        if (!it->is_number_integer() || it->get<std::int64_t>() < 0 ||
            it->get<std::int64_t>() > std::numeric_limits<std::int32_t>::max())
            return Bad("device", "BypassWidth", "expected a width in mm, got " + it->dump());
        d.BypassWidth = it->get<int>();
        caseKeys.erase("BypassWidth");
    }
    TRateInput in;
    PutDevice(d, in.Record);
    in.Bypass = d.Bypass;
    if (auto problem = ReadInputKeys(caseKeys, "device", InputKeysDevice, in)) return problem;
    const TDatenVX& r = in.Record;
    if (SizeIndexOf(r.Series, r.SizeCode) < 0)
        return Bad("device", "SizeCode",
                   std::to_string(r.SizeCode) + " is not a size of the " + SeriesKey(r.Series) + " series");
    if (r.PackageWidth <= 0) return Bad("device", "PackageWidth", "expected a width above 0 mm");
    // The record knows no bypass mode: the mode and the typed width stay as read.
    TDevice read = DeviceOf(r, in.Bypass);
    read.BypassMode = d.BypassMode;
    read.BypassWidth = d.BypassWidth;
    d = read;
    return std::nullopt;
}

// Reads every part of the document into s, which starts as a new selection.
TProblem ReadParts(const json& document, TSelection& s) {
    if (auto problem = CheckKeys(document, "project",
                                 {"format", "version", "shared", "calculationStandard", "seasons", "device",
                                  "winter", "summer", "header", "notes"}))
        return problem;
    const json* section = nullptr;

    if (auto problem = Section(document, "shared", section)) return problem;
    if (section)
        if (auto problem = ReadShared(*section, s)) return problem;

    if (auto problem = Section(document, "calculationStandard", section)) return problem;
    if (section) {
        const std::string where = "calculationStandard";
        if (auto p = CheckKeys(*section, where, {"AmericanMethod", "EnergyClasses", "FlowAtOutlet"}))
            return p;
        if (auto p = ReadBool(*section, where, "AmericanMethod", s.AmericanMethod)) return p;
        if (auto p = ReadBool(*section, where, "EnergyClasses", s.EnergyClasses)) return p;
        if (auto p = ReadBool(*section, where, "FlowAtOutlet", s.FlowAtOutlet)) return p;
    }

    if (auto problem = Section(document, "seasons", section)) return problem;
    if (section) {
        if (auto p = CheckKeys(*section, "seasons", {"Seasons", "TwoCases"})) return p;
        if (auto p = ReadBool(*section, "seasons", "Seasons", s.Seasons)) return p;
        if (auto p = ReadBool(*section, "seasons", "TwoCases", s.TwoCases)) return p;
        // The summer case is shown only where it is offered.
        s.TwoCases = s.TwoCases && s.Seasons;
    }

    if (auto problem = Section(document, "device", section)) return problem;
    if (section)
        if (auto problem = ReadDevice(*section, s)) return problem;

    for (std::size_t c = 0; c < CaseNames.size(); ++c) {
        if (auto problem = Section(document, CaseNames[c], section)) return problem;
        if (!section) continue;
        TRateInput in;
        in.Record = s.Cases[c];
        if (auto problem = ReadInputKeys(*section, CaseNames[c], InputKeysAir, in)) return problem;
        s.Cases[c] = in.Record;
    }

    if (auto problem = Section(document, "header", section)) return problem;
    if (section) {
        if (auto p = CheckKeys(*section, "header", {"print", "lines"})) return p;
        if (auto p = ReadBool(*section, "header", "print", s.PrintHeader)) return p;
        if (auto p = ReadLines(*section, "header", "lines", s.HeaderLines)) return p;
    }

    if (auto problem = Section(document, "notes", section)) return problem;
    if (section) {
        if (auto p = CheckKeys(*section, "notes", {"datasheet", "chart"})) return p;
        if (auto p = ReadLines(*section, "notes", "datasheet", s.NotesData)) return p;
        if (auto p = ReadLines(*section, "notes", "chart", s.NotesChart)) return p;
    }
    return std::nullopt;
}

std::optional<TProjectError> ReadProject(const json& document, TSelection& target) {
    using F = TProjectFault;
    if (!document.is_object())
        return TProjectError{F::Foreign, std::string("a JSON ") + document.type_name() + ", not an object"};
    const auto format = document.find("format");
    if (format == document.end()) return TProjectError{F::Foreign, "it has no key \"format\""};
    if (*format != ProjectFormatName) return TProjectError{F::Foreign, "format " + format->dump()};
    const auto version = document.find("version");
    if (version == document.end() || !version->is_number_integer())
        return TProjectError{F::BadValue, "project, key \"version\": expected a whole number"};
    // Positive numbers are read as unsigned, so a version below 1 is a signed number.
    if (version->is_number_unsigned() && version->get<std::uint64_t>() > ProjectFormatVersion)
        return TProjectError{F::NewerVersion, version->dump()};
    if (!version->is_number_unsigned() || version->get<std::uint64_t>() < 1)
        return TProjectError{F::BadValue, "project, key \"version\": " + version->dump() + " is no version"};

    TSelection read;
    if (auto problem = ReadParts(document, read)) return TProjectError{F::BadValue, *problem};
    read.Update();
    target = std::move(read);
    return std::nullopt;
}

}  // namespace

std::string TProjectError::Message() const {
    switch (Fault) {
        case TProjectFault::Unreadable:
            return "cannot be read: " + Detail;
        case TProjectFault::NotJson:
            return "is not a VX project: it is not JSON text (" + Detail + ")";
        case TProjectFault::Truncated:
            return "is incomplete: the text ends before the project does (" + Detail + ")";
        case TProjectFault::Foreign:
            return "is not a VX project (" + Detail + ")";
        case TProjectFault::NewerVersion:
            return "was saved by a newer VX (format version " + Detail + "; this VX reads up to " +
                   std::to_string(ProjectFormatVersion) + ")";
        case TProjectFault::BadValue:
            break;
    }
    return "holds an invalid value: " + Detail;
}

std::string ProjectText(const TSelection& s) {
    ordered_json doc;
    doc["format"] = ProjectFormatName;
    doc["version"] = ProjectFormatVersion;
    doc["shared"] = {{"Pressure", s.Pressure}, {"HumidityMode", s.HumidityMode}, {"FlowMode", s.FlowMode}};
    doc["calculationStandard"] = {{"AmericanMethod", s.AmericanMethod},
                                  {"EnergyClasses", s.EnergyClasses},
                                  {"FlowAtOutlet", s.FlowAtOutlet}};
    doc["seasons"] = {{"Seasons", s.Seasons}, {"TwoCases", s.TwoCases}};
    const TDevice& d = s.Device;
    doc["device"] = {{"Series", d.Series},
                     {"SizeCode", d.SizeCode},
                     {"PackageWidth", d.PackageWidth},
                     {"Bypass", d.Bypass},
                     {"BypassMode", BypassModeName(d.BypassMode)},
                     {"BypassVelocity", d.BypassVelocity},
                     {"BypassWidth", d.BypassWidth},
                     {"DpMultiplier", d.DpMultiplier}};
    for (std::size_t c = 0; c < CaseNames.size(); ++c) {
        ordered_json inlet = ordered_json::object();
        for (const auto& [input, key] : TypedKeys(s.FlowMode, s.HumidityMode))
            inlet[key] = s.AirInput(static_cast<int>(c), input);
        doc[CaseNames[c]] = inlet;
    }
    doc["header"] = {{"print", s.PrintHeader}, {"lines", s.HeaderLines}};
    doc["notes"] = {{"datasheet", s.NotesData}, {"chart", s.NotesChart}};
    // Texts the program wrote are UTF-8; a stray byte is replaced rather than losing the file.
    return doc.dump(2, ' ', false, json::error_handler_t::replace) + "\n";
}

bool IsProjectDocument(const json& document) {
    return document.is_object() && document.contains("format");
}

std::optional<TProjectError> ReadProjectText(const std::string& text, TSelection& target) {
    // A key given twice in one object would silently take the last value; it is refused.
    std::vector<std::set<std::string>> keys;
    std::string duplicate;
    const json::parser_callback_t noteKeys = [&](int, json::parse_event_t event, json& parsed) {
        if (event == json::parse_event_t::object_start) keys.emplace_back();
        if (event == json::parse_event_t::object_end && !keys.empty()) keys.pop_back();
        if (event == json::parse_event_t::key && !keys.empty() && duplicate.empty() &&
            !keys.back().insert(parsed.get<std::string>()).second)
            duplicate = parsed.get<std::string>();
        return true;
    };
    json document;
    try {
        document = json::parse(text, noteKeys);
    } catch (const json::parse_error& e) {
        // The parser stops one byte past the end when the text ends too early.
        const bool truncated = e.byte > text.size();
        std::string what = e.what();
        if (const auto pos = what.find("syntax error"); pos != std::string::npos) what = what.substr(pos);
        return TProjectError{truncated ? TProjectFault::Truncated : TProjectFault::NotJson,
                             "byte " + std::to_string(e.byte) + ": " + what};
    }
    if (!duplicate.empty() && IsProjectDocument(document) && document["format"] == ProjectFormatName)
        return TProjectError{TProjectFault::BadValue,
                             "key \"" + duplicate + "\" appears twice in one object"};
    return ReadProject(document, target);
}

std::optional<TProjectError> ReadProjectFile(const std::string& path, TSelection& target) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (ec) return TProjectError{TProjectFault::Unreadable, ec.message()};
    // A pipe or a device would block or never end; only a regular file can hold a project.
    if (!fs::is_regular_file(status)) return TProjectError{TProjectFault::Unreadable, "not a regular file"};
    const std::uintmax_t size = fs::file_size(path, ec);
    if (!ec && size > MaxProjectBytes)
        return TProjectError{TProjectFault::Foreign,
                             std::to_string(size) + " bytes, far larger than a project"};
    std::ifstream in(path, std::ios::binary);
    if (!in) return TProjectError{TProjectFault::Unreadable, std::strerror(errno)};
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return TProjectError{TProjectFault::Unreadable, "read error"};
    return ReadProjectText(text, target);
}
