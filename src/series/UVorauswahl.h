#pragma once
// Size pre-selection: for five target temperature efficiencies and every size of the record's
// series, the package width that reaches the target, kept when it fits the width range and the
// recommended pressure drop. Plain logic shared by the pre-selection dialog and vxrate; the
// dialog only shows the rows and sorts them.
#include <array>
#include <functional>
#include <string>
#include <vector>

class TDatenREK;

// Target temperature efficiencies (%), in the order the list is built.
constexpr std::array<double, 5> PreselectionTargets = {78.0, 80.0, 82.0, 84.0, 86.0};

// Accepted package widths of a proposal (mm, both inclusive).
constexpr int PreselectionMinWidth = 100;
constexpr int PreselectionMaxWidth = 2000;

// One proposal as the list shows it, values in internal units.
struct TProposal {
    double Target = 0.0;   // %
    int SizeCode = 0;
    std::string SizeKey;   // "VX 30", "VX Kombi 80", "VX-K 366"
    std::string Key;       // SizeKey + " / " + width
    int A = 0;             // device length, mm
    int B = 0;             // device height, mm
    int C = 0;             // package width found, mm
    int D = 0;             // face height, mm
    int E = 0;             // 246, 194 for size 366
    double VMax = 0.0;     // larger face velocity of the two streams, m/s
    double DpMax = 0.0;    // larger pressure drop of the two streams, Pa
    double WetEff = 0.0;   // TempEffWet1, %
    double WetEffRel = 0.0;  // second value of EffRel1 (wet, referred to the smaller flow), %
    double T12 = 0.0;      // supply air leaving temperature, degC
};

// Size key of a proposal: "VX Kombi n" for a double package, else the series prefix and the size.
std::string ProposalSizeKey(int series, int sizeCode);

// True when a width search result is listed: the search succeeded, the width lies within
// 100 .. 2000 mm and the recommended maximum pressure drop is strictly above the larger drop.
bool ProposalAccepted(bool ok, int width, double dpMax, int recommendedPressureDrop);

// Runs the width search on the record for every target and every size of record.Series and
// returns the accepted proposals, grouped by target and in size-list order. The search changes
// the record's SizeCode and PackageWidth; the caller restores them. beforeRow, when given, runs
// before each accepted row is added (the dialog lets the window process pending events there).
std::vector<TProposal> BuildProposals(TDatenREK& record,
                                      const std::function<void()>& beforeRow = {});

// Column texts (ten columns) of a proposal: SI or UK/US units, and the wet efficiency referred to
// the smaller flow when americanMethod is set. Numbers use the program's number format.
std::vector<std::string> ProposalColumns(const TProposal& p, bool si, bool americanMethod);

// Column captions; text(n) returns language text n (180 "Size", 411 degC, 412 degF).
std::vector<std::string> ProposalCaptions(bool si, bool americanMethod,
                                          const std::function<std::string(int)>& text);

// Sort state of the list: a click on the current column reverses the direction, a click on
// another column (or with no current column) sorts ascending by it.
struct TProposalSort {
    int Column = 1;
    int Direction = 1;
    void Click(int column);
};

// Compares two cell texts read as numbers (a text that is not a number reads as 0): +1 when
// direction * a > direction * b, 0 when equal, -1 otherwise.
int CompareProposalCells(const std::string& a, const std::string& b, int direction);

// Sorts rows of cell texts by a column, keeping the order of rows that compare equal; a row that
// lacks the column compares equal to every other row.
void SortProposalRows(std::vector<std::vector<std::string>>& rows, int column, int direction);

// Splits a proposal key at its first "/" into the size key and the width, blanks trimmed.
// Returns false for a key without "/" or a width that is not a whole number.
bool SplitProposalKey(const std::string& key, std::string& sizeKey, int& width);
