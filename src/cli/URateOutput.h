#pragma once
// Output of rated cases: a JSON object with every record field by name plus the check, the ErP
// mark and the device figures, or a readable table for a person.
#include <string>

#include <nlohmann/json.hpp>

#include "URateCase.h"

// Every record field in record order, then Messages, WarningsOnly, RecommendedPressureDrop,
// ErpMark, Length, Height, FaceHeight, Weight, TypeKey and FrostLimitTemp (degC, null for none).
nlohmann::ordered_json RatedCaseJson(const TRatedCase& rated);

// Readable table of one case; caseIndex < 0 omits the case heading.
std::string RatedCaseTable(const TRatedCase& rated, long caseIndex);
