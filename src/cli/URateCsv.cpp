#include "URateCsv.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <vector>

#include "URateOutput.h"

using nlohmann::json;

namespace {

// ---- Reading ----

std::string Trim(const std::string& s)
{
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

// Splits one record into cells. A quoted cell may hold line breaks; then further lines are read
// from `lines`. Returns the problem, if any.
std::string SplitRecord(std::string text, TLineReader& lines, std::vector<std::string>& cells)
{
    cells.clear();
    std::string cell;
    bool quoted = false;     // inside quotes
    bool wasQuoted = false;  // the current cell started with a quote
    std::size_t i = 0;
    for (;;) {
        if (i == text.size()) {
            if (!quoted) break;
            std::string more;
            if (!lines.Next(more)) return "a quoted cell is not closed";
            cell += '\n';
            text = std::move(more);
            i = 0;
            continue;
        }
        const char c = text[i++];
        if (quoted) {
            if (c != '"') {
                cell += c;
            } else if (i < text.size() && text[i] == '"') {
                cell += '"';
                ++i;
            } else {
                quoted = false;
            }
        } else if (c == ',') {
            cells.push_back(wasQuoted ? cell : Trim(cell));
            cell.clear();
            wasQuoted = false;
        } else if (c == '"' && Trim(cell).empty() && !wasQuoted) {
            quoted = wasQuoted = true;
            cell.clear();
        } else if (wasQuoted) {
            if (c != ' ' && c != '\t') return "text after a quoted cell";
        } else {
            cell += c;
        }
    }
    cells.push_back(wasQuoted ? cell : Trim(cell));
    return {};
}

// True when s is a number as JSON writes it: optional minus, digits, optional fraction with a
// decimal point, optional exponent.
bool IsNumberText(const std::string& s, bool& integral)
{
    std::size_t i = 0;
    const auto digits = [&] {
        const std::size_t start = i;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i;
        return i > start;
    };
    if (i < s.size() && s[i] == '-') ++i;
    if (!digits()) return false;
    integral = true;
    if (i < s.size() && s[i] == '.') {
        ++i;
        if (!digits()) return false;
        integral = false;
    }
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
        if (!digits()) return false;
        integral = false;
    }
    return i == s.size();
}

// The JSON value of a cell: an integer or a double read exactly, otherwise the text itself.
json CellValue(const std::string& cell)
{
    bool integral = false;
    if (!IsNumberText(cell, integral)) return json(cell);
    const char* first = cell.data();
    const char* last = first + cell.size();
    if (integral) {
        std::int64_t i = 0;
        if (std::from_chars(first, last, i).ec == std::errc()) return json(i);
    }
    double d = 0.0;
    if (std::from_chars(first, last, d).ec == std::errc()) return json(d);
    // Out of the range of a double: overflow gives infinity (refused by the case validation as
    // out of range), underflow zero, as reading the same number from JSON does.
    return json(std::strtod(cell.c_str(), nullptr));
}

}  // namespace

bool ReadCsvCases(std::FILE* in, const TInputCaseFn& onCase, std::string& error)
{
    TLineReader lines(in);
    std::string text;
    std::vector<std::string> header, cells;
    while (lines.Next(text) && IsBlankLine(text)) {}
    if (lines.LineNo() == 0 || IsBlankLine(text)) {
        error = lines.Failed() ? "cannot read the input" : "no header row";
        return false;
    }
    // A spreadsheet may save the file with a byte-order mark.
    if (text.rfind("\xEF\xBB\xBF", 0) == 0) text.erase(0, 3);
    const std::size_t headerLine = lines.LineNo();
    if (std::string problem = SplitRecord(text, lines, header); !problem.empty()) {
        error = LineTag(headerLine) + problem;
        return false;
    }
    std::set<std::string> names;
    for (const std::string& name : header) {
        if (name.empty()) {
            error = LineTag(headerLine) + "a column without a name in the header";
            return false;
        }
        if (!names.insert(name).second) {
            error = LineTag(headerLine) + "column \"" + name + "\" appears twice";
            return false;
        }
    }

    std::size_t index = 0;
    while (lines.Next(text)) {
        if (IsBlankLine(text)) continue;
        TInputCase c;
        c.Index = index++;
        c.Line = lines.LineNo();
        if (std::string problem = SplitRecord(text, lines, cells); !problem.empty()) {
            c.Error = LineTag(c.Line) + problem;
        } else if (cells.size() != header.size()) {
            c.Error = LineTag(c.Line) + std::to_string(cells.size()) + " cells, the header has " +
                      std::to_string(header.size());
        } else {
            json object = json::object();
            for (std::size_t k = 0; k < cells.size(); ++k)
                if (!cells[k].empty()) object[header[k]] = CellValue(cells[k]);
            c.Input = DefaultRateInput();
            if (auto bad = ReadRateInput(object, c.Index, c.Input)) c.Error = LineTag(c.Line) + *bad;
        }
        if (!onCase(std::move(c))) return false;
    }
    return !lines.Failed();
}

// ---- Writing ----

namespace {

// Appends a cell, quoted when it holds a comma, a quote or a line break.
void AppendCell(std::string& out, const std::string& text)
{
    if (text.find_first_of(",\"\r\n") == std::string::npos) {
        out += text;
        return;
    }
    out += '"';
    for (const char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
}

// Writes the column names (header) or the cells of a rated case, each followed by a comma.
class TCsvSink : public TFieldSink {
public:
    TCsvSink(std::string& out, bool header) : out_(out), header_(header) {}

    void Number(const char* name, double value) override
    {
        if (header_) return Name(name);
        // A value that is not a finite number leaves its cell empty (JSON writes null).
        if (std::isfinite(value)) AppendJsonNumber(out_, value);
        out_ += ',';
    }
    void Integer(const char* name, long long value) override
    {
        if (header_) return Name(name);
        out_ += std::to_string(value);
        out_ += ',';
    }
    void Boolean(const char* name, bool value) override
    {
        if (header_) return Name(name);
        out_ += value ? "true," : "false,";
    }
    void Text(const char* name, const std::string& value) override
    {
        if (header_) return Name(name);
        AppendCell(out_, value);
        out_ += ',';
    }
    void Numbers(const char* name, const double* values, std::size_t count) override
    {
        for (std::size_t i = 0; i < count; ++i) {
            if (header_)
                Name((std::string(name) + "[" + std::to_string(i) + "]").c_str());
            else
                Number(name, values[i]);
        }
    }
    void Codes(const char* name, const std::vector<int>& codes) override
    {
        if (header_) return Name(name);
        for (std::size_t i = 0; i < codes.size(); ++i) {
            if (i) out_ += ' ';
            out_ += std::to_string(codes[i]);
        }
        out_ += ',';
    }

    std::size_t Columns() const { return columns_; }

private:
    void Name(const char* name)
    {
        AppendCell(out_, name);
        out_ += ',';
        ++columns_;
    }

    std::string& out_;
    bool header_;
    std::size_t columns_ = 0;
};

// Ends a row: the Error cell, or drops the comma after the last cell.
void EndRow(std::string& out, bool withError, const std::string& error)
{
    if (withError)
        AppendCell(out, error);
    else
        out.pop_back();
    out += '\n';
}

}  // namespace

std::string RatedCaseCsvHeader(bool withError)
{
    std::string out;
    TCsvSink sink(out, true);
    RatedCaseFields(TRatedCase{}, sink);
    EndRow(out, withError, "Error");
    return out;
}

void AppendRatedCaseCsv(std::string& out, const TRatedCase& rated, bool withError)
{
    TCsvSink sink(out, false);
    RatedCaseFields(rated, sink);
    EndRow(out, withError, "");
}

void AppendErrorCsv(std::string& out, const std::string& message)
{
    static const std::size_t columns = [] {
        std::string ignored;
        TCsvSink sink(ignored, true);
        RatedCaseFields(TRatedCase{}, sink);
        return sink.Columns();
    }();
    out.append(columns, ',');
    EndRow(out, true, message);
}
