#include "ULineCases.h"

bool TLineReader::Next(std::string& line)
{
    line.clear();
    char buffer[4096];
    bool any = false;
    while (std::fgets(buffer, sizeof buffer, in_)) {
        any = true;
        line += buffer;
        if (!line.empty() && line.back() == '\n') break;
    }
    if (!any) return false;
    ++lineNo_;
    if (!line.empty() && line.back() == '\n') line.pop_back();
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return true;
}

std::string LineTag(std::size_t line) { return "line " + std::to_string(line) + ": "; }

bool IsBlankLine(const std::string& line) { return line.find_first_not_of(" \t") == std::string::npos; }
