#pragma once
// Evaluation of a calculated record for display: the rows of the process data table (titles,
// values, quantities, decimals, unit cells), the ErP Lot 6 mark and the condensation/freezing
// hint. Texts appear as language-text numbers; the window and the datasheet only format and show.
#include <array>
#include <string>

class TDatenREK;

// Number of rows of the process data table.
constexpr int ProcessRowCount = 9;

// Layout of one process data row for a series and the window settings.
struct TProcessRow {
    int TitleTextNo = 0;       // 0: empty title
    std::string TitleSuffix;   // appended to the title text (" ErP Lot 6")
    bool TitleByWindow = false;  // the product window sets this title itself
    int Quantity = 12;         // unit quantity for the conversion; 12 converts nothing
    int SICode = 0;            // internal (and SI display) unit code
    int USCode = 0;            // UK/US display unit code
    int DecimalsSI = 1;
    int DecimalsUS = 1;
    bool Thousands = false;    // written with thousands separators
    std::string UnitSI;        // unit cell text in SI
    std::string UnitUS;        // unit cell text in UK/US
};

// Rows 0..8. american: efficiencies referred to the smaller mass flow; energyClasses: the two
// regulatory rows (2 and 3) are shown.
std::array<TProcessRow, ProcessRowCount> ProcessDataRows(int series, bool american,
                                                         bool energyClasses);

// One value cell: empty, a number in the row's internal unit, or a text.
struct TProcessCell {
    bool Present = false;
    bool IsText = false;
    double Value = 0.0;
    std::string Text;  // English wording
    int TextNo = 0;    // when not 0: the language text that stands for Text
};

struct TProcessValues {
    TProcessCell Stream1;
    TProcessCell Stream2;
};

// The value cells of rows 0..8 for a calculated record.
std::array<TProcessValues, ProcessRowCount> ProcessDataValues(const TDatenREK& record,
                                                              bool american, bool energyClasses);

// A number cell converted into the display unit of the row.
double ProcessDisplayValue(const TProcessRow& row, double value, bool si);

// ErP Lot 6 mark of a temperature efficiency (%): "(2018 ready)" from 73, "(2016 ready)" from 67,
// else empty; the value is rounded to one decimal (halves to even) first.
std::string ErpMark(double erpEfficiency);
// Language text of the mark: 613 "(2018 ready)", 614 "(2016 ready)", 0 for none.
int ErpMarkTextNo(double erpEfficiency);

// Condensation/freezing hint of the winter record: language text 42 ("Condensation") + "!", and
// with a freezing risk " - " + language text 43; a freezing risk without a condensation state
// shows text 43 alone.
constexpr int HintTextCondensation = 42;
constexpr int HintTextFreezing = 43;
struct THint {
    bool Condensation = false;
    bool Freezing = false;
};
THint HintFor(const TDatenREK& record);
// The hint line from the two language texts; empty when there is neither condensation nor a
// freezing risk.
std::string HintText(const THint& hint, const std::string& condensationText,
                     const std::string& freezingText);
// Width of the hint control for a measured text width: 1.2 x, rounded.
int HintWidth(double textWidth);
// Left edge that centres the hint control on x = 245 (one case) or 324 (two cases).
int HintLeft(int width, bool bothCases);
