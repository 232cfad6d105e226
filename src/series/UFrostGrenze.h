#pragma once
// Frost limit of a rating case: the highest outdoor-air temperature at which the rating sets the
// freeze-risk flag, found on the record's own rating so it always agrees with the flag shown.
#include <optional>

class TDatenVX;

// Where the frost limit is shown: the row below the process data rows 0..8, titled with language
// text 695 ("Frost limit"); a case without one shows text 696 ("none"). The pre-heat dialog offers
// the first temperature above the limit with text 698.
constexpr int FrostLimitRow = 9;
constexpr int FrostLimitTextNo = 695;
constexpr int FrostLimitNoneTextNo = 696;
constexpr int FrostLimitPreHeatTextNo = 698;
// Step of the search and of the offered pre-heat temperature above the limit, K.
constexpr double FrostLimitStep = 0.1;

// Upper end of the searched range, degC; the lower end is the series' lowest input temperature.
constexpr double FrostLimitSearchTop = 10.0;

// True when the case rated with the outdoor air at temp11 (degC) sets FreezeRisk. The outdoor
// relative humidity, the extract air, the flows as entered and the device stay those of the record
// (an inlet entered by humidity ratio or wet-bulb temperature keeps its relative humidity).
bool FreezesAt(const TDatenVX& record, double temp11);

// Frost limit (degC, a multiple of 0.1 K) of a case, searched between the lowest input
// temperature of the record's series and +10 degC by bisection to 0.1 K: the flag is set at the
// limit and not 0.1 K above it. The flag grows as the outdoor air gets colder, so no limit (an
// empty result) means the flag is set nowhere in the range; +10 means it is set at the top already.
// The record must have been refreshed, so that both inlets carry their relative humidity.
std::optional<double> FrostLimit(const TDatenVX& record);
