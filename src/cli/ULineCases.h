#pragma once
// What the line-based case readers (JSON Lines, CSV) share: a case as read and checked from its
// lines, and reading lines of any length from a file.
#include <cstddef>
#include <cstdio>
#include <functional>
#include <string>

#include "series/URateCase.h"

// One case of a line-based input.
struct TInputCase {
    std::size_t Index = 0;  // among the cases, from 0
    std::size_t Line = 0;   // the line the case starts on, from 1
    TRateInput Input;       // the case's inputs over the default case, when Error is empty
    std::string Error;      // why the case cannot be rated, starting "line N: "
};

// Called for every case in input order; returns false to stop reading.
using TInputCaseFn = std::function<bool(TInputCase&&)>;

// Reads a file line by line; lines may be of any length. A line break is "\n" or "\r\n".
class TLineReader {
public:
    explicit TLineReader(std::FILE* in) : in_(in) {}
    // The next line without its line break; false at the end of the input.
    bool Next(std::string& line);
    // Number of the line Next returned last, from 1.
    std::size_t LineNo() const { return lineNo_; }
    // True when reading stopped on a read error rather than at the end.
    bool Failed() const { return std::ferror(in_) != 0; }

private:
    std::FILE* in_;
    std::size_t lineNo_ = 0;
};

// "line N: " for messages about a line.
std::string LineTag(std::size_t line);

// True for a line of nothing but spaces and tabs; the line readers skip it.
bool IsBlankLine(const std::string& line);
