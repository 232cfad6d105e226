#pragma once
// Project files: the inputs of a selection saved as a versioned JSON document (extension .vxsel)
// and read back. The winter and summer objects use the case keys of vxrate; the document also
// holds the shared inputs, the calculation standard, the seasons, the device, the header and both
// notes lists. Display preferences (language, unit system, separators) are the user's settings
// and are not part of a project. docs/project-format.md describes the format.
#include <optional>
#include <string>

#include <nlohmann/json.hpp>

#include "series/USelection.h"

constexpr const char* ProjectFormatName = "vx-selection";  // value of the key "format"
constexpr int ProjectFormatVersion = 1;                    // highest version this program reads
constexpr const char* ProjectExtension = "vxsel";

// Why a project could not be read.
enum class TProjectFault {
    Unreadable,    // the file cannot be opened or read, or is no regular file
    NotJson,       // the text is not JSON
    Truncated,     // the text ends before the JSON document is complete (also an empty file)
    Foreign,       // valid JSON, but not a VX project (another format, or a vxrate case file)
    NewerVersion,  // a VX project of a format version newer than this program reads
    BadValue,      // a VX project with a missing, unknown or invalid value
};

struct TProjectError {
    TProjectFault Fault = TProjectFault::BadValue;
    // What exactly: the system's reason, the parser's position, the format or version found, or
    // the object and key of a bad value ("device, key \"SizeCode\": ...").
    std::string Detail;
    // The reason in one English sentence part, without the file name.
    std::string Message() const;
};

// The project document of a selection's inputs, as saved. Numbers are written so that reading
// gives back the same doubles to the last bit.
std::string ProjectText(const TSelection& selection);

// True when a JSON value is meant as a project rather than a vxrate case object: an object with
// the key "format".
bool IsProjectDocument(const nlohmann::json& document);

// Reads a project into `target`. On any error `target` stays as it was; on success it holds the
// project's inputs with its derived figures refreshed (results not yet calculated).
std::optional<TProjectError> ReadProjectText(const std::string& text, TSelection& target);
std::optional<TProjectError> ReadProjectFile(const std::string& path, TSelection& target);
