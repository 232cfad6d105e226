#include "UCommands.h"

#include <algorithm>
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

std::optional<std::string> ReadProjectInput(const nlohmann::json& document, const std::string& path,
                                            TSelection& selection)
{
    const auto error = ReadProject(document, selection);
    if (!error) return std::nullopt;
    return (path.empty() || path == "-" ? std::string("standard input") : path) + " " + error->Message();
}
