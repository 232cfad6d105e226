#pragma once
// CSV input and output of the rate command, for spreadsheets: comma-separated cells, a decimal
// point, cells with a comma, a quote or a line break in double quotes (a quote inside doubled).
//
// Input: a header row of input keys, then one case per row. An empty cell leaves the key at its
// default; a number cell is read exactly; any other text is handed on as a string, which the
// case validation refuses naming the key. Blank lines are skipped.
//
// Output: a header row of the output field names, then one row per case with the numbers written
// exactly as in the JSON output. EffRel1 and EffRel2 take four columns each (EffRel1[0] ..
// EffRel1[3]); Messages holds the codes separated by spaces.
#include <cstdio>
#include <string>

#include "ULineCases.h"
#include "series/URateCase.h"

// Reads the header and every row of `in` and hands each row to onCase as a case read from its
// non-empty cells; a row that does not fit the header or holds a bad value comes as a case with
// an error. Returns false
// with `error` set when the header is unusable (missing, empty or repeated column names), and
// false when onCase stopped the reading or the input could not be read.
bool ReadCsvCases(std::FILE* in, const TInputCaseFn& onCase, std::string& error);

// The header row of the output, with a final Error column when withError is set; ends with "\n".
std::string RatedCaseCsvHeader(bool withError);
// Appends the row of a rated case (with an empty Error cell when withError is set), with "\n".
void AppendRatedCaseCsv(std::string& out, const TRatedCase& rated, bool withError);
// Appends the row of a case that could not be rated: empty cells and the message under Error.
void AppendErrorCsv(std::string& out, const std::string& message);
