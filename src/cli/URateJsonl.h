#pragma once
// JSON Lines input: one case object per line, read one line at a time, so memory stays flat for
// any number of lines. Blank lines are skipped.
#include <cstdio>

#include "ULineCases.h"

// Reads every line of `in` and hands each case to onCase; a line that is not one JSON object, or
// that names a key twice, comes as a case with an error. Returns false when onCase stopped the
// reading or the input could not be read.
bool ReadJsonLines(std::FILE* in, const TInputCaseFn& onCase);

// The case of one non-blank line (without its line break), numbered `index`, from line `line`.
TInputCase ReadCaseLine(const std::string& text, std::size_t index, std::size_t line);
