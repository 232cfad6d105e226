#pragma once
// Checking a long input of cases on several threads before anything is rated: the text is cut
// between two cases into pieces, and the pieces are read at the same time. Each check tells only
// whether the whole input is fine; a problem, or an input that cannot be cut, is left to the
// reading of the whole text, which finds the first problem and tells it.
#include <cstdio>

// True when `in` (a file that can be read at any position) holds one JSON array of cases, every
// piece of which reads without a problem, and, when valueProblemsCount is set, without a case
// whose values have a problem. False when a piece has a problem, and also when the text cannot be
// cut (too short to be worth it, not an array, or not well-formed at the top level): reading it
// whole then tells the problem exactly. Leaves the position of `in` where it was.
bool CheckCasesInPieces(std::FILE* in, unsigned pieces, bool valueProblemsCount);

// True when every line of the JSON Lines text in `in` (a file that can be read at any position)
// is blank or one case object without a problem, as ReadJsonLines reads them. False when a line
// has a problem, and when the text is too short to be worth cutting. Leaves the position of `in`
// where it was.
bool CheckCaseLinesInPieces(std::FILE* in, unsigned pieces);
