// The page commands in vxrate: handed over, with all their arguments, standard input and output,
// to vxrate-pages, which replaces this process. vxrate-pages is looked for next to vxrate (the
// build tree) and then in VXRATE_PAGES_DIR relative to vxrate's folder (the installed tree).
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "UCommands.h"
#include "UPageCommands.h"

namespace fs = std::filesystem;

namespace {

// Where vxrate-pages may be, in the order tried.
std::vector<fs::path> PagesCandidates()
{
    std::error_code ec;
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    if (ec) return {};
    const fs::path dir = self.parent_path();
    return {dir / "vxrate-pages", (dir / VXRATE_PAGES_DIR / "vxrate-pages").lexically_normal()};
}

int RunPages(const char* name, const std::vector<std::string>& args)
{
    std::vector<std::string> words = {"vxrate", name};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& w : words) argv.push_back(w.data());
    argv.push_back(nullptr);

    std::fflush(stdout);
    std::string tried;
    int error = ENOENT;
    for (const fs::path& p : PagesCandidates()) {
        ::execv(p.c_str(), argv.data());
        // Only returns on failure; a missing candidate is not the error worth reporting.
        if (errno != ENOENT || error == ENOENT) error = errno;
        tried += (tried.empty() ? "" : ", ") + p.string();
    }
    std::fprintf(stderr, "vxrate %s: cannot start vxrate-pages (%s): %s\n", name,
                 tried.empty() ? "own location unknown" : tried.c_str(), std::strerror(error));
    return ExitFailure;
}

template <const TCommandText& Command>
int Forward(const std::vector<std::string>& args)
{
    return RunPages(Command.Name, args);
}

}  // namespace

VXRATE_COMMAND(DatasheetCommand.Name, DatasheetCommand.Synopsis, DatasheetCommand.Summary,
               Forward<DatasheetCommand>);
VXRATE_COMMAND(ChartCommand.Name, ChartCommand.Synopsis, ChartCommand.Summary,
               Forward<ChartCommand>);
VXRATE_COMMAND(DescriptionCommand.Name, DescriptionCommand.Synopsis, DescriptionCommand.Summary,
               Forward<DescriptionCommand>);
