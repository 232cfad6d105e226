// vxrate preselect [FILE] [--table]: size proposals for one case (the winter case of a project).
//
// The case is read and built exactly as "rate" builds it, refreshed and calculated; then the
// proposal loop of the pre-selection dialog runs on that same record: five target efficiencies
// times the sizes of the case's series, each with the width search, filtered by the width range
// and the recommended pressure drop. The rows come out in list order (grouped by target, sizes in
// series order), as JSON objects or as a table for a person.
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "UCommands.h"
#include "UJsonCases.h"
#include "series/URateCase.h"
#include "series/UVXSerie.h"
#include "series/UVorauswahl.h"
#include "thermo/UZahlformat.h"

namespace {

int Fail(int status, const std::string& message)
{
    std::fprintf(stderr, "vxrate preselect: %s\n", message.c_str());
    return status;
}

nlohmann::ordered_json ProposalJson(const TProposal& p)
{
    nlohmann::ordered_json j;
    j["Target"] = p.Target;
    j["Key"] = p.Key;
    j["SizeCode"] = p.SizeCode;
    j["A"] = p.A;
    j["B"] = p.B;
    j["C"] = p.C;
    j["D"] = p.D;
    j["E"] = p.E;
    j["VMax"] = p.VMax;
    j["DpMax"] = p.DpMax;
    j["WetEff"] = p.WetEff;
    j["WetEffRel"] = p.WetEffRel;
    j["T12"] = p.T12;
    return j;
}

std::string ProposalsJson(const std::vector<TProposal>& rows)
{
    if (rows.empty()) return "[]\n";
    std::string text = "[";
    for (std::size_t i = 0; i < rows.size(); ++i)
        text += (i ? ",\n" : "\n") + ProposalJson(rows[i]).dump();
    return text + "\n]\n";
}

// Number text for the table; a value that is not a finite number shows as "-".
std::string Fix(double v, int decimals)
{
    const std::string s = FormatFixed(v, decimals);
    return s.empty() ? "-" : s;
}

std::string ProposalsTable(const std::vector<TProposal>& rows, int series)
{
    const std::vector<std::string> captions = {"Target", "Size",   "A",     "B",     "C",
                                               "D",      "E",      "v max", "dp max", "phi 1",
                                               "eta 1",  "t 12"};
    const std::vector<std::string> units = {"%",  "",    "mm", "mm", "mm", "mm",
                                            "mm", "m/s", "Pa", "%",  "%",  "degC"};
    std::vector<std::vector<std::string>> cells;
    cells.reserve(rows.size());
    for (const TProposal& p : rows) {
        cells.push_back({Fix(p.Target, 0), p.Key, std::to_string(p.A), std::to_string(p.B),
                         std::to_string(p.C), std::to_string(p.D), std::to_string(p.E),
                         Fix(p.VMax, 2), Fix(p.DpMax, 0), Fix(p.WetEff, 1), Fix(p.WetEffRel, 1),
                         Fix(p.T12, 1)});
    }
    std::vector<std::size_t> width(captions.size());
    for (std::size_t c = 0; c < captions.size(); ++c) {
        width[c] = std::max(captions[c].size(), units[c].size());
        for (const auto& row : cells) width[c] = std::max(width[c], row[c].size());
    }
    // The size key reads left-aligned, every number right-aligned.
    auto line = [&](const std::vector<std::string>& texts) {
        std::string s;
        for (std::size_t c = 0; c < texts.size(); ++c) {
            const std::string pad(width[c] - texts[c].size(), ' ');
            if (c) s += "  ";
            s += c == 1 ? texts[c] + pad : pad + texts[c];
        }
        s.erase(s.find_last_not_of(' ') + 1);
        return s + "\n";
    };

    std::string t = "Size proposals, series " + SeriesKey(series) + ": " +
                    std::to_string(rows.size()) + "\n";
    if (rows.empty()) return t + "No size reaches a target efficiency within the limits.\n";
    t += line(captions);
    t += line(units);
    std::size_t total = 0;
    for (std::size_t w : width) total += w;
    t += std::string(total + 2 * (width.size() - 1), '-') + "\n";
    for (const auto& row : cells) t += line(row);
    return t;
}

int RunPreselect(const std::vector<std::string>& args)
{
    bool table = false;
    std::string path;
    if (auto problem = ParseFileAndTable(args, path, table)) return Fail(ExitBadInput, *problem);

    const TCaseInput in = OpenCaseInput(path);
    if (!in.File) return Fail(in.Status, in.Error);

    // One case object, or a project file whose winter case is taken; the whole text is read and
    // checked before anything is calculated.
    TCommandInput given;
    if (auto problem = ReadCommandInput(in.File.get(), path, given)) return Fail(ExitBadInput, *problem);
    TRateInput input = DefaultRateInput();
    if (given.Project) {
        input = SelectionCases(*given.Project).front();
    } else {
        TJsonCaseReader reader;
        const bool valid = reader.Read(given.Cases, [&](std::size_t, TRateInput&& read, std::string&& error) {
            if (reader.IsArray())
                return std::optional<std::string>("expected one case object, not an array");
            if (!error.empty()) return std::optional<std::string>(std::move(error));
            input = std::move(read);
            return std::optional<std::string>{};
        });
        if (!valid) return Fail(ExitBadInput, reader.Error());
        if (reader.IsArray() || reader.Count() != 1)
            return Fail(ExitBadInput, "expected one case object, not an array");
    }

    TDatenVX& record = input.Record;
    record.Refresh();
    record.Calculate();
    const int series = record.Series;
    const std::vector<TProposal> rows = BuildProposals(record);

    const std::string text = table ? ProposalsTable(rows, series) : ProposalsJson(rows);
    if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() ||
        std::fflush(stdout) != 0 || std::ferror(stdout))
        return Fail(ExitFailure, std::string("cannot write the output: ") + std::strerror(errno));
    return ExitOk;
}

}  // namespace

VXRATE_COMMAND("preselect", "preselect [FILE] [--table]",
               "lists sizes and widths that reach the target efficiencies for the case in FILE "
               "or on standard input (JSON object, or the winter case of a project file)",
               RunPreselect);
