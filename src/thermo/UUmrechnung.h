#pragma once
// Conversion of displayed quantities between SI and UK/US units.
// Quantity numbers 1..14 and unit codes as in the program's unit table.

// The value expressed in unit code `to`.
double ConvertUnit(int quantity, int from, int to, double value);
// The unit code to display: the UK/US code when the program-wide switch is on, else the SI code.
int PickUnit(bool ukUs, int siCode, int ukUsCode);
