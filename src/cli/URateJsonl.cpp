#include "URateJsonl.h"

#include <optional>
#include <string>

#include "UJsonCases.h"

TInputCase ReadCaseLine(const std::string& text, std::size_t index, std::size_t line)
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

bool ReadJsonLines(std::FILE* in, const TInputCaseFn& onCase)
{
    TLineReader lines(in);
    std::string text;
    std::size_t index = 0;
    while (lines.Next(text)) {
        if (IsBlankLine(text)) continue;
        if (!onCase(ReadCaseLine(text, index++, lines.LineNo()))) return false;
    }
    return !lines.Failed();
}
