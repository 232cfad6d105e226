// vxrate rate [FILE] [--table]: rates one case object, an array of case objects, or the cases of a
// project file (winter, and summer when both are shown) as an array.
//
// The input is read twice: the first pass checks every case, so that bad input is reported
// before anything is written; the second pass rates the cases one by one and writes each result
// as soon as it is known. Standard input is spooled to a temporary file for the two passes, so
// memory stays flat however many cases the input holds.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "UCommands.h"
#include "UJsonCases.h"
#include "series/URateCase.h"
#include "URateOutput.h"

namespace {

int Fail(int status, const std::string& message)
{
    std::fprintf(stderr, "vxrate rate: %s\n", message.c_str());
    return status;
}

// Copies standard input into an anonymous temporary file that can be read twice.
TFile SpoolStdin()
{
    TFile spool(std::tmpfile());
    if (!spool) return nullptr;
    std::vector<char> buffer(1 << 16);
    std::size_t n;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), stdin)) > 0)
        if (std::fwrite(buffer.data(), 1, n, spool.get()) != n) return nullptr;
    if (std::ferror(stdin) || std::fflush(spool.get()) != 0) return nullptr;
    std::rewind(spool.get());
    return spool;
}

int RunRate(const std::vector<std::string>& args)
{
    bool table = false;
    std::string path;
    if (auto problem = ParseFileAndTable(args, path, table)) return Fail(ExitBadInput, *problem);

    TFile in;
    if (path.empty() || path == "-") {
        in = SpoolStdin();
        if (!in) return Fail(ExitFailure, std::string("cannot buffer standard input: ") +
                                              std::strerror(errno));
    } else {
        in.reset(std::fopen(path.c_str(), "rb"));
        if (!in) return Fail(ExitBadInput, "cannot open " + path + ": " + std::strerror(errno));
    }

    // Pass 1: every case must be valid before anything is written. A project file is one object
    // with the key "format"; its cases are rated as an array of winter (and summer) would be.
    TCommandInput input;
    if (auto problem = ReadCommandInput(in.get(), path, input)) return Fail(ExitBadInput, *problem);
    const std::optional<TSelection>& project = input.Project;
    TJsonCaseReader reader;
    if (!project) {
        const bool valid = reader.Read(input.Cases, [](std::size_t index, nlohmann::json&& object) {
            TRateInput scratch = DefaultRateInput();
            return ReadRateInput(object, index, scratch);
        });
        if (!valid) return Fail(ExitBadInput, reader.Error());
    }
    const bool isArray = reader.IsArray() || project;

    // Pass 2: rate and write case by case.
    static char outBuffer[1 << 16];
    std::setvbuf(stdout, outBuffer, _IOFBF, sizeof outBuffer);
    if (!table && isArray) std::fputs("[", stdout);
    std::size_t count = 0;
    auto write = [&](const TRateInput& rateInput) {
        const std::size_t index = count++;
        const TRatedCase result = RateCase(rateInput);
        std::string text;
        if (table) {
            if (index > 0) text += '\n';
            text += RatedCaseTable(result, isArray ? static_cast<long>(index) : -1L);
        } else {
            text = index > 0 ? ",\n" : isArray ? "\n" : "";
            text += RatedCaseJson(result).dump();
        }
        std::fwrite(text.data(), 1, text.size(), stdout);
    };
    if (project) {
        for (const TRateInput& rateInput : SelectionCases(*project)) write(rateInput);
    } else {
        std::rewind(input.Cases);
        const bool rated = reader.Read(input.Cases, [&](std::size_t index, nlohmann::json&& object) {
            TRateInput rateInput = DefaultRateInput();
            if (auto problem = ReadRateInput(object, index, rateInput)) return problem;
            write(rateInput);
            return std::optional<std::string>{};
        });
        if (!rated) return Fail(ExitFailure, "input changed while it was read: " + reader.Error());
    }
    if (!table) std::fputs(isArray ? (count ? "\n]\n" : "]\n") : "\n", stdout);
    if (table && isArray && count == 0) std::fputs("No cases.\n", stdout);
    if (std::fflush(stdout) != 0 || std::ferror(stdout))
        return Fail(ExitFailure, std::string("cannot write the output: ") + std::strerror(errno));
    return ExitOk;
}

}  // namespace

VXRATE_COMMAND("rate", "rate [FILE] [--table]",
               "rates the case(s) in FILE or on standard input (JSON object or array, or a project file)",
               RunRate);
