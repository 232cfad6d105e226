#pragma once
// Conversion of displayed quantities between SI and UK/US units.
// Quantity numbers 1..14 and unit codes as in the program's unit table.

// The value expressed in unit code `to`.
double ConvertUnit(int quantity, int from, int to, double value);
// The unit code to display: the UK/US code when the program-wide switch is on, else the SI code.
int PickUnit(bool ukUs, int siCode, int ukUsCode);

// One row of the quantity table: the base unit of the conversion formulas and the display codes.
struct TQuantityUnits {
    int quantity;   // 1..14
    int baseCode;   // reference of the conversion formulas (0: no conversion)
    int siCode;     // code shown in the SI system
    int ukUsCode;   // code shown in the UK/US system
};

// The quantity table row, or nullptr for a quantity outside 1..14.
const TQuantityUnits* QuantityUnits(int quantity);

// Label of a unit code. Codes 1, 3 and 4 ("m3/h", "degC", "degF") are language texts; for them
// `textNumber` receives 410, 411 or 412 and the returned label is the English wording. For every
// other code `textNumber` is 0. Unknown codes give an empty label.
struct TUnitLabel {
    const char* label; // UTF-8
    int textNumber;
};
TUnitLabel UnitLabel(int code);
