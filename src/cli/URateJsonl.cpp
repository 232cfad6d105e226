#include "URateJsonl.h"

#include <set>
#include <stdexcept>
#include <string>

using nlohmann::json;

namespace {

struct TDuplicateKey : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The object of one line, or the reason it is none.
TInputCase ParseLine(const std::string& text, std::size_t index, std::size_t line)
{
    TInputCase c;
    c.Index = index;
    c.Line = line;
    std::set<std::string> keys;
    // A later value of a repeated key would silently replace the earlier one; refuse it instead.
    const json::parser_callback_t noDuplicates = [&](int depth, json::parse_event_t event,
                                                     json& parsed) {
        if (event == json::parse_event_t::key && depth == 1 &&
            !keys.insert(parsed.get<std::string>()).second)
            throw TDuplicateKey("key \"" + parsed.get<std::string>() + "\": appears twice");
        return true;
    };
    try {
        c.Object = json::parse(text, noDuplicates);
        if (!c.Object.is_object()) c.Error = LineTag(line) + "expected an object";
    } catch (const TDuplicateKey& e) {
        c.Error = LineTag(line) + e.what();
    } catch (const json::parse_error& e) {
        std::string what = e.what();
        // The library's text starts with its own error id; keep the readable part.
        const auto pos = what.find("syntax error");
        if (pos != std::string::npos) what = what.substr(pos);
        c.Error = LineTag(line) + "malformed JSON: " + what;
    }
    if (!c.Error.empty()) c.Object = json();
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
