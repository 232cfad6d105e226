#pragma once
// One rating case as vxrate and project files name it: the inputs read from a JSON object by
// one table of input keys, the rating sequence of the window's calculation request, and the
// conversion between cases and a selection.
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

// Input validation. Every message names the case, the key (quoted, control characters escaped),
// the value and what is allowed, e.g.
//   case 3, key "Pressure": 2000 is out of range (600 .. 1100 mbar)
// The checks accept what the product window accepts: the size must be one of the series' sizes,
// pressure, air flows and package width lie within the window's field ranges (UVXGrenzen.h), the
// modes and the bypass code are ones the window offers. Temperatures, humidities and the bypass
// velocity are only required to be finite numbers: the operating-point check rates them and reports
// them in the case's messages, as the window does.

// Refuses a key that is not an input key, before its value is read.
std::optional<std::string> CheckRateKey(const std::string& key, std::size_t caseIndex);
// Reads one key's value into input: its type and its own range.
std::optional<std::string> ReadRateValue(const std::string& key, const nlohmann::json& value,
                                         std::size_t caseIndex, TRateInput& input);
// Checks what depends on several keys once all are read: the two air flows of the flow mode in
// force against the window's range, the size code against the series' sizes.
std::optional<std::string> CheckRateInput(const TRateInput& input, std::size_t caseIndex);
// All of it over a case object, its keys over the defaults already in input.
std::optional<std::string> ReadRateInput(const nlohmann::json& object, std::size_t caseIndex,
                                         TRateInput& input);

// A key as messages quote it: in double quotes, control characters, quotes and bytes that are no
// UTF-8 escaped, so that no input can reach a terminal raw.
std::string QuotedKey(const std::string& key);

// The keys of the table fall into three groups; a project file keeps each group in its own object.
enum TInputKeyGroup : unsigned {
    InputKeysShared = 1,  // Pressure, HumidityMode, FlowMode
    InputKeysAir = 2,     // flows, temperatures and humidities of the two inlets
    InputKeysDevice = 4,  // Series, SizeCode, PackageWidth, Bypass, BypassVelocity, DpMultiplier
    InputKeysAll = 7,
};

// Reads the keys of `object` over `input`, accepting only keys of `groups` (a combination of
// TInputKeyGroup), each checked on its own as ReadRateValue does. `where` names the object in
// messages ("case 2", "winter").
std::optional<std::string> ReadInputKeys(const nlohmann::json& object, const std::string& where,
                                         unsigned groups, TRateInput& input);

// Rates a case as a calculation request does (see RateCase in USelection.h).
inline TRatedCase RateCase(const TRateInput& input) { return RateCase(input.Record, input.Bypass); }

// The selection of one case (winter) or two (winter, summer) sharing the first case's site, modes
// and device, calculated as the window's calculation request does.
TSelection SelectionOfCases(const std::vector<TRateInput>& cases);

// The active cases of a selection as rating inputs: winter, and summer when both are shown.
std::vector<TRateInput> SelectionCases(const TSelection& selection);
