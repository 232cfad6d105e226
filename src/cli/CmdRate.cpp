// vxrate rate [FILE] [--table] [--jsonl | --csv] [--jobs N] [--keep-going]: rates the cases of a
// JSON text (one object or an array), of JSON Lines or of CSV, and writes the results in the same
// format (or as a table) in input order. A project file is rated as the array of its winter case
// and, when both are shown, its summer case.
//
// Without --keep-going the input is read twice: the first pass checks every case, so that bad
// input is reported before anything is written; the second pass rates and writes. Standard input
// and pipes are read once into a temporary file for the two passes (OpenCaseInput), so memory
// stays flat however many cases the input holds. With --keep-going a bad case gives an error object or row in its place and the exit
// status 1 at the end; JSON Lines and CSV are then read once, as a stream.
//
// The cases are rated on --jobs threads (default: every core); the output keeps the input order.
#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "UCommands.h"
#include "UJsonCases.h"
#include "UJsonPieces.h"
#include "ULineCases.h"
#include "UOrderedJobs.h"
#include "series/URateCase.h"
#include "URateCsv.h"
#include "URateJsonl.h"
#include "URateOutput.h"

namespace {

enum class TFormat { Json, JsonLines, Csv };

struct TRateOptions {
    std::string Path;  // empty or "-": standard input
    TFormat Format = TFormat::Json;
    bool Table = false;
    bool KeepGoing = false;
    unsigned Jobs = 0;  // 0: every core
};

// A case ready for rating, or the reason it cannot be rated.
struct TBatchCase {
    std::size_t Index = 0;
    TRateInput Input;
    std::string Error;
};

int Fail(int status, const std::string& message)
{
    std::fprintf(stderr, "vxrate rate: %s\n", message.c_str());
    return status;
}

std::optional<std::string> ParseRateOptions(const std::vector<std::string>& args, TRateOptions& o)
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--table") {
            o.Table = true;
        } else if (a == "--jsonl" || a == "--csv") {
            const TFormat f = a == "--csv" ? TFormat::Csv : TFormat::JsonLines;
            if (o.Format != TFormat::Json && o.Format != f)
                return std::string("--jsonl and --csv exclude each other");
            o.Format = f;
        } else if (a == "--keep-going") {
            o.KeepGoing = true;
        } else if (a == "--jobs") {
            const std::string v = i + 1 < args.size() ? args[++i] : "";
            unsigned n = 0;
            const auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), n);
            if (ec != std::errc() || end != v.data() + v.size() || n == 0 || n > 256)
                return "--jobs takes a number of threads from 1 to 256, not \"" + v + "\"";
            o.Jobs = n;
        } else if (a.size() > 1 && a[0] == '-') {
            return "unknown option " + a;
        } else if (o.Path.empty()) {
            o.Path = a;
        } else {
            return "more than one input file given (" + o.Path + ", " + a + ")";
        }
    }
    if (o.Jobs == 0) o.Jobs = std::max(1u, std::thread::hardware_concurrency());
    return std::nullopt;
}

// Reads the cases of `in` in the chosen format and hands each one, validated, to onCase (which
// returns false to stop). Returns the problem that ends the reading: malformed JSON, an unusable
// CSV header, a read error, or the first bad case when stopAtBadCase is set.
using TBatchCaseFn = std::function<bool(TBatchCase&&)>;
std::optional<std::string> ReadCases(std::FILE* in, TFormat format, bool stopAtBadCase,
                                     const TBatchCaseFn& onCase, bool& isArray)
{
    std::optional<std::string> problem;
    // Hands on one case, or ends the reading at a bad one when stopAtBadCase is set.
    auto handle = [&](std::size_t index, TRateInput&& input, std::string&& error) {
        if (!error.empty() && stopAtBadCase) {
            problem = error;
            return false;
        }
        return onCase(TBatchCase{index, std::move(input), std::move(error)});
    };
    auto lineCase = [&](TInputCase&& c) {
        return handle(c.Index, std::move(c.Input), std::move(c.Error));
    };

    switch (format) {
    case TFormat::Json: {
        TJsonCaseReader reader;
        const bool read =
            reader.Read(in, [&](std::size_t index, TRateInput&& input, std::string&& error) {
                return handle(index, std::move(input), std::move(error))
                           ? std::nullopt
                           : std::optional<std::string>("stopped");
            });
        isArray = reader.IsArray();
        if (!read && !problem) problem = reader.Error();
        break;
    }
    case TFormat::JsonLines:
        isArray = true;
        if (!ReadJsonLines(in, lineCase) && !problem) problem = "cannot read the input";
        break;
    case TFormat::Csv: {
        isArray = true;
        std::string error;
        if (!ReadCsvCases(in, lineCase, error) && !problem)
            problem = error.empty() ? "cannot read the input" : error;
        break;
    }
    }
    return problem;
}

// The text of one case in the output format, without the separators between cases.
std::string CaseText(const TRateOptions& o, const TBatchCase& c, bool isArray)
{
    std::string text;
    if (!c.Error.empty()) {
        if (o.Table)
            text = (isArray ? "Case " + std::to_string(c.Index) + "   " : "") + "Error: " + c.Error +
                   "\n";
        else if (o.Format == TFormat::Csv)
            AppendErrorCsv(text, c.Error);
        else
            AppendErrorJson(text, c.Error);
        return text;
    }
    const TRatedCase rated = RateCase(c.Input);
    if (o.Table)
        text = RatedCaseTable(rated, isArray ? static_cast<long>(c.Index) : -1L);
    else if (o.Format == TFormat::Csv)
        AppendRatedCaseCsv(text, rated, o.KeepGoing);
    else
        AppendRatedCaseJson(text, rated);
    return text;
}

int RunRate(const std::vector<std::string>& args)
{
    TRateOptions o;
    if (auto problem = ParseRateOptions(args, o)) return Fail(ExitBadInput, *problem);

    // JSON Lines and CSV with --keep-going are read once, straight from the input.
    const bool twoPasses = !o.KeepGoing || o.Format == TFormat::Json;
    TFile file;
    std::FILE* in = stdin;
    if (twoPasses || (!o.Path.empty() && o.Path != "-")) {
        TCaseInput opened = OpenCaseInput(o.Path);
        if (!opened.File) return Fail(opened.Status, opened.Error);
        file = std::move(opened.File);
        in = file.get();
    }

    // A JSON input may be a project file instead of cases.
    std::optional<TSelection> project;
    TCommandInput given;
    if (o.Format == TFormat::Json) {
        if (auto problem = ReadCommandInput(in, o.Path, given)) return Fail(ExitBadInput, *problem);
        project = std::move(given.Project);
        in = given.Cases;
    }
    auto readCases = [&](bool stopAtBadCase, const TBatchCaseFn& onCase,
                         bool& isArray) -> std::optional<std::string> {
        if (!project) return ReadCases(in, o.Format, stopAtBadCase, onCase, isArray);
        isArray = true;
        const std::vector<TRateInput> cases = SelectionCases(*project);
        for (std::size_t i = 0; i < cases.size(); ++i)
            if (!onCase(TBatchCase{i, cases[i], {}})) break;
        return std::nullopt;
    };

    // Pass 1: the input must be readable, and without --keep-going every case valid, before
    // anything is written.
    bool isArray = o.Format != TFormat::Json;
    if (twoPasses) {
        // A long array or JSON Lines text is first checked in pieces on the worker threads; a text
        // with a problem, or one that cannot be cut, is read whole, which finds the first problem
        // and tells it.
        const bool checked =
            !project &&
            ((o.Format == TFormat::Json && CheckCasesInPieces(in, o.Jobs, !o.KeepGoing)) ||
             (o.Format == TFormat::JsonLines && CheckCaseLinesInPieces(in, o.Jobs)));
        if (checked)
            isArray = true;
        else if (auto problem = readCases(!o.KeepGoing, [](TBatchCase&&) { return true; }, isArray))
            return Fail(ExitBadInput, *problem);
        if (in) std::rewind(in);
    }

    // Pass 2: rate on the worker threads, write in input order.
    static char outBuffer[1 << 16];
    std::setvbuf(stdout, outBuffer, _IOFBF, sizeof outBuffer);
    std::size_t written = 0, bad = 0;
    const bool json = !o.Table && o.Format == TFormat::Json;
    if (!o.Table && o.Format == TFormat::Csv)
        std::fputs(RatedCaseCsvHeader(o.KeepGoing).c_str(), stdout);
    if (json && isArray) std::fputs("[", stdout);
    std::optional<std::string> problem;
    {
        TOrderedJobs<TBatchCase> jobs(
            o.Jobs, [&](const TBatchCase& c) { return CaseText(o, c, isArray); },
            [&](std::string&& text) {
                if (json) std::fputs(written > 0 ? ",\n" : isArray ? "\n" : "", stdout);
                if (o.Table && written > 0) std::fputc('\n', stdout);
                if (o.Format == TFormat::JsonLines && !o.Table) text += '\n';
                std::fwrite(text.data(), 1, text.size(), stdout);
                ++written;
            });
        bool lineArray = false;
        problem = readCases(!o.KeepGoing,
                            [&](TBatchCase&& c) {
                                bad += !c.Error.empty();
                                jobs.Add(std::move(c));
                                return true;
                            },
                            lineArray);
        jobs.Finish();
    }
    if (json) std::fputs(isArray ? (written ? "\n]\n" : "]\n") : "\n", stdout);
    if (o.Table && isArray && written == 0) std::fputs("No cases.\n", stdout);
    if (std::fflush(stdout) != 0 || std::ferror(stdout))
        return Fail(ExitFailure, std::string("cannot write the output: ") + std::strerror(errno));
    if (problem)
        return Fail(twoPasses ? ExitFailure : ExitBadInput,
                    (twoPasses ? "input changed while it was read: " : "") + *problem);
    if (bad) return Fail(ExitFailure, std::to_string(bad) + " of " + std::to_string(written) +
                                          " cases could not be rated");
    return ExitOk;
}

}  // namespace

VXRATE_COMMAND("rate", "rate [FILE] [--table] [--jsonl | --csv] [--jobs N] [--keep-going]",
               "rates the cases in FILE or on standard input (JSON object or array, JSON Lines "
               "or CSV)",
               RunRate);
