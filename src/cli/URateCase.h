#pragma once
// One rating case of vxrate: the inputs read from a JSON object, the rating sequence of the
// window's calculation request, and the results ready for output.
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "calc/UDaten.h"
#include "series/UVXGrenzen.h"
#include "series/USelection.h"
#include "series/UVXSerie.h"

// Inputs of one case: a record with the inputs written and the window's bypass code.
struct TRateInput {
    TDatenVX Record;
    int Bypass = BypassNone;
};

// The default case: 1013 mbar, both modes 0, 200 m3/h at -5 degC / 90 % against 200 m3/h at
// 22 degC / 40 %, VX 30 with a 250 mm package, no bypass at 15 m/s, pressure-drop factor 1.
TRateInput DefaultRateInput();

// Reads the keys of a case object over the defaults. Returns an error message naming the key and
// the case index for an unknown key, a value of the wrong type or a value out of range.
std::optional<std::string> ReadRateInput(const nlohmann::json& object, std::size_t caseIndex,
                                         TRateInput& input);

// Rates a case as a calculation request does (see RateCase in USelection.h).
inline TRatedCase RateCase(const TRateInput& input) { return RateCase(input.Record, input.Bypass); }

// The selection of one case (winter) or two (winter, summer) sharing the first case's site, modes
// and device, calculated as the window's calculation request does.
TSelection SelectionOfCases(const std::vector<TRateInput>& cases);
