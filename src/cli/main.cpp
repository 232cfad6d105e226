// vxrate: the command-line companion of VX. Rates counterflow plate heat exchanger cases without
// the window; further subcommands register themselves in UCommands.
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "UCommands.h"

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) {
        std::fputs(UsageText().c_str(), stderr);
        return ExitBadInput;
    }
    const std::string name = args.front();
    if (name == "help" || name == "--help" || name == "-h") {
        std::fputs(HelpText().c_str(), stdout);
        return ExitOk;
    }
    if (name == "--version") {
        std::puts("vxrate (VX) " VX_VERSION);
        return ExitOk;
    }
    const TCommand* command = FindCommand(name);
    if (!command) {
        std::fprintf(stderr, "vxrate: unknown command \"%s\"\n\n%s", name.c_str(),
                     UsageText().c_str());
        return ExitBadInput;
    }
    args.erase(args.begin());
    try {
        return command->Run(args);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "vxrate %s: %s\n", name.c_str(), e.what());
        return ExitFailure;
    }
}
