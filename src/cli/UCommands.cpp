#include "UCommands.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <map>

#include "series/UProjekt.h"

namespace {

// Function-local so that registrations from static initialisers in any file find it constructed.
std::map<std::string, TCommand>& Registry()
{
    static std::map<std::string, TCommand> registry;
    return registry;
}

}  // namespace

bool RegisterCommand(TCommand command)
{
    const std::string name = command.Name;
    Registry()[name] = std::move(command);
    return true;
}

std::vector<TCommand> Commands()
{
    std::vector<TCommand> list;
    for (const auto& [name, command] : Registry()) list.push_back(command);
    return list;
}

const TCommand* FindCommand(const std::string& name)
{
    const auto it = Registry().find(name);
    return it == Registry().end() ? nullptr : &it->second;
}

std::string UsageText()
{
    std::string text = "Usage: vxrate COMMAND [ARGUMENTS]\n\nCommands:\n";
    std::size_t width = 0;
    for (const auto& c : Commands()) width = std::max(width, c.Synopsis.size());
    for (const auto& c : Commands()) {
        text += "  " + c.Synopsis + std::string(width - c.Synopsis.size() + 2, ' ') + c.Summary +
                "\n";
    }
    text += "\n  vxrate help             shows this text\n";
    return text;
}

std::optional<std::string> ParseFileAndTable(const std::vector<std::string>& args,
                                             std::string& path, bool& table)
{
    for (const auto& a : args) {
        if (a == "--table") table = true;
        else if (a.size() > 1 && a[0] == '-') return "unknown option " + a;
        else if (path.empty()) path = a;
        else return "more than one input file given (" + path + ", " + a + ")";
    }
    return std::nullopt;
}

std::optional<std::string> ReadCommandInput(std::FILE* in, const std::string& path, TCommandInput& out)
{
    const std::string name = path.empty() || path == "-" ? std::string("standard input") : path;
    // Only an object can be a project; anything else goes to the case reader as it is.
    const long start = std::ftell(in);
    std::string text;
    int c;
    while ((c = std::fgetc(in)) == ' ' || c == '\t' || c == '\n' || c == '\r') text.push_back(char(c));
    if (c != '{') {
        if (start >= 0) std::fseek(in, start, SEEK_SET);
        else if (c != EOF) std::ungetc(c, in);
        out.Cases = in;
        return std::nullopt;
    }
    text.push_back('{');
    char buffer[1 << 16];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, in)) > 0;) text.append(buffer, n);
    if (std::ferror(in)) return "cannot read " + name + ": " + std::strerror(errno);

    const nlohmann::json document = nlohmann::json::parse(text, nullptr, false);
    if (!document.is_discarded() && IsProjectDocument(document)) {
        TSelection project;
        if (const auto error = ReadProjectText(text, project)) return name + " " + error->Message();
        out.Project = std::move(project);
        return std::nullopt;
    }
    out.Copy.reset(std::tmpfile());
    if (!out.Copy || std::fwrite(text.data(), 1, text.size(), out.Copy.get()) != text.size() ||
        std::fflush(out.Copy.get()) != 0)
        return std::string("cannot buffer the input: ") + std::strerror(errno);
    std::rewind(out.Copy.get());
    out.Cases = out.Copy.get();
    return std::nullopt;
}
