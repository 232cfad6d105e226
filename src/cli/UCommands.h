#pragma once
// Subcommands of vxrate. Each subcommand lives in its own source file and registers itself with
// one line at the end of that file:
//
//     VXRATE_COMMAND("rate", "rate [FILE] [--table]", "rates the cases in FILE or on stdin", RunRate);
//
// The entry point looks the first argument up in this registry and hands the remaining arguments
// to the command. A command returns the process exit status: 0 success, 2 bad usage or bad input,
// 1 any other failure.
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "series/USelection.h"

using TCommandFn = int (*)(const std::vector<std::string>& args);

struct TCommand {
    std::string Name;     // first argument that selects the command
    std::string Synopsis; // arguments, as shown in the usage text
    std::string Summary;  // one line of explanation
    TCommandFn Run = nullptr;
};

// Adds a command; returns true so that it can initialise a static flag.
bool RegisterCommand(TCommand command);
// Registered commands, sorted by name.
std::vector<TCommand> Commands();
// The command of that name, or nullptr.
const TCommand* FindCommand(const std::string& name);
// Usage text listing every command.
std::string UsageText();
// The usage text followed by the options, the input keys, the exit statuses and examples; shown
// by "vxrate --help" and turned into the manual page when the package is built.
std::string HelpText();

// An input file, closed when it goes out of scope.
struct TFileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using TFile = std::unique_ptr<std::FILE, TFileCloser>;

// Reads the arguments "[FILE] [--table]" of the rating commands. Returns the problem, if any.
std::optional<std::string> ParseFileAndTable(const std::vector<std::string>& args,
                                             std::string& path, bool& table);

// A command's input told apart: a project file (one JSON object with the key "format"), or case
// objects for the case reader.
struct TCommandInput {
    std::optional<TSelection> Project;  // the project, when the input is one
    std::FILE* Cases = nullptr;         // otherwise the case text from its first byte
    TFile Copy;                         // the case text, when a single object was read to tell
};
// Reads from `in` as far as needed to tell: one character of an array, a single object in full. A
// project that cannot be read gives a message naming the input (`path`, or standard input when it
// is empty or "-") and the reason.
std::optional<std::string> ReadCommandInput(std::FILE* in, const std::string& path, TCommandInput& out);

// Exit statuses shared by the commands.
constexpr int ExitOk = 0;
constexpr int ExitFailure = 1;
constexpr int ExitBadInput = 2;

#define VXRATE_CONCAT2(a, b) a##b
#define VXRATE_CONCAT(a, b) VXRATE_CONCAT2(a, b)
#define VXRATE_COMMAND(name, synopsis, summary, fn)                                            \
    [[maybe_unused]] static const bool VXRATE_CONCAT(vxrate_registered_, __LINE__) =            \
        RegisterCommand(TCommand{name, synopsis, summary, fn})
