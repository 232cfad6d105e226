#pragma once
// The value texts of the product window's four result tables for a selection, formatted once with
// the separators in force and the chosen unit system. The window fills its grids from them and
// the datasheet prints the same rows, so both always show the same texts. Row numbers are those
// of the window's grids.
#include <array>
#include <string>
#include <vector>

#include "series/USelection.h"

struct TTableRow {
    int TitleTextNo = 0;          // 0: no title
    int TitleSuffixTextNo = 0;    // when not 0: " (" + that text + ")" follows the title
    std::string TitleSuffix;      // appended after that
    bool TitleBold = false;
    std::string Unit;             // unit cell
    // Value cells: winter stream 1, winter stream 2, summer stream 1, summer stream 2.
    std::array<std::string, 4> Values;
    // When not 0: the language text shown for that value cell (its Values entry is the English).
    std::array<int, 4> ValueTextNo{};
};
using TTable = std::vector<TTableRow>;

// Rows of the inlet table.
enum TInletRow {
    InletRowStdVolume = 1,
    InletRowMass = 2,
    InletRowHeading = 3,
    InletRowOpVolume = 4,
    InletRowTemp = 5,
    InletRowRelHum = 6,
    InletRowX = 7,
    InletRowWetBulb = 8,
    InletRowEnthalpy = 9,
    InletRowCount = 10
};
constexpr int VelocityRowCount = 3;
constexpr int OutletRowCount = 7;

struct TSelectionTables {
    TTable Inlet;     // flows and inlet states, always shown
    TTable Velocity;  // face velocity and pressure drops, always shown
    TTable Outlet;    // outlet states, values only while the results are valid
    TTable Process;   // process data, values only while the results are valid
};

TSelectionTables BuildTables(const TSelection& selection, bool si);

// Text of a value cell: index of the case (0 winter, 1 summer) and stream (0, 1).
inline int ValueIndex(int caseIndex, int stream) { return 2 * caseIndex + stream; }
