#pragma once
// Checking a long array of cases on several threads: the text is cut between two cases into
// pieces, and the pieces are read at the same time, each as TJsonCaseReader reads an array.
#include <cstdio>

// True when `in` (a file that can be read at any position) holds one JSON array of cases, every
// piece of which reads without a problem, and, when valueProblemsCount is set, without a case
// whose values have a problem. False when a piece has a problem, and also when the text cannot be
// cut (too short to be worth it, not an array, or not well-formed at the top level): reading it
// whole then tells the problem exactly. Leaves the position of `in` where it was.
bool CheckCasesInPieces(std::FILE* in, unsigned pieces, bool valueProblemsCount);
