#pragma once
// Output of rated cases: every record field by name plus the check, the ErP mark and the device
// figures, as a JSON object, as the cells of a CSV row, or as a readable table for a person.
//
// The fields are listed once, in RatedCaseFields; the JSON and CSV writers format what it hands
// them. Text is written straight into a string (no document tree), numbers in their shortest form
// that reads back to the same double.
#include <cstddef>
#include <string>
#include <vector>

#include "series/URateCase.h"

// Receives the fields of a rated case in output order.
class TFieldSink {
public:
    virtual ~TFieldSink() = default;
    virtual void Number(const char* name, double value) = 0;
    virtual void Integer(const char* name, long long value) = 0;
    virtual void Boolean(const char* name, bool value) = 0;
    virtual void Text(const char* name, const std::string& value) = 0;
    // EffRel1 and EffRel2: four efficiencies each.
    virtual void Numbers(const char* name, const double* values, std::size_t count) = 0;
    // Messages: the codes of the operating-point check.
    virtual void Codes(const char* name, const std::vector<int>& codes) = 0;
};

// Every record field in record order, then Messages, WarningsOnly, RecommendedPressureDrop,
// ErpMark, Length, Height, FaceHeight, Weight, TypeKey and FrostLimitTemp (degC, null for none).
void RatedCaseFields(const TRatedCase& rated, TFieldSink& sink);

// Appends a number as JSON writes it: the shortest text that reads back to the same double
// (integral values with ".0"), "null" for a value that is not a finite number.
void AppendJsonNumber(std::string& out, double value);
// Appends a string as a quoted JSON string.
void AppendJsonString(std::string& out, const std::string& value);

// Appends the rated case as one JSON object on one line (no line break).
void AppendRatedCaseJson(std::string& out, const TRatedCase& rated);
// Appends {"Error":message} for a case that could not be rated.
void AppendErrorJson(std::string& out, const std::string& message);

// Readable table of one case; caseIndex < 0 omits the case heading.
std::string RatedCaseTable(const TRatedCase& rated, long caseIndex);
