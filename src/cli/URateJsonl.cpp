#include "URateJsonl.h"

#include <optional>
#include <string>

#include "UJsonCases.h"

namespace {

// The case of one line, or the reason it is none.
TInputCase ParseLine(const std::string& text, std::size_t index, std::size_t line)
{
    TInputCase c;
    c.Index = index;
    c.Line = line;
    c.Input = DefaultRateInput();
    TJsonCaseReader reader;
    const bool read =
        reader.ReadObject(text, index, [&](std::size_t, TRateInput&& input, std::string&& error) {
            c.Input = std::move(input);
            if (!error.empty()) c.Error = LineTag(line) + error;
            return std::nullopt;
        });
    if (!read) c.Error = LineTag(line) + reader.Error();
    return c;
}

}  // namespace

bool ReadJsonLines(std::FILE* in, const TInputCaseFn& onCase)
{
    TLineReader lines(in);
    std::string text;
    std::size_t index = 0;
    while (lines.Next(text)) {
        if (text.find_first_not_of(" \t") == std::string::npos) continue;
        if (!onCase(ParseLine(text, index++, lines.LineNo()))) return false;
    }
    return !lines.Failed();
}
