#pragma once
// The program's number display: fixed-point text with the process-wide decimal and thousand
// separators, and reading numbers typed with them. Every number the program shows or stores as
// text goes through these functions; none of them depends on the C or Qt locale.
#include <string>

// Process-wide separators, one Unicode character each. ThousandSeparator 0 means no grouping.
// The settings file sets both at start; the settings dialog changes them.
extern char32_t DecimalSeparator;  // default U'.'
extern char32_t ThousandSeparator; // default 0 (none)

// Fixed-point text of v with `decimals` digits after the decimal separator (0..15, clamped), no
// digit grouping. The value is first taken to 15 significant digits and then rounded half away from
// zero on its decimal digits (2.675 -> "2.68", -0.125 -> "-0.13"); a result that rounds to zero has
// no minus sign. A non-finite value gives an empty text.
std::string FormatFixed(double v, int decimals);
// As FormatFixed, with the thousand separator between groups of three integer digits
// (FormatNumber(1234567.891, 2) -> "1,234,567.89" with ',' as thousand separator).
std::string FormatNumber(double v, int decimals);
// Shortest text that reads back as the same double when it has at most 15 significant digits
// (for example "0.1", "-5.5", "1013", "1E-7"), with the decimal separator, no grouping.
std::string FormatGeneral(double v);

// Reads a number written with the process-wide decimal separator: optional blanks, an optional
// sign, digits with at most one decimal separator, an optional exponent (e or E, optional sign,
// digits), optional blanks. Thousand separators are not accepted. Returns false (and leaves
// `value` unchanged) for anything else, including an empty text and a result that is not finite.
bool ParseNumber(const std::string& text, double& value);

// UTF-8 text of one character (empty for 0).
std::string SeparatorText(char32_t c);
