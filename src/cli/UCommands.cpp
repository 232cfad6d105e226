#include "UCommands.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <map>
#include <sstream>

#include "series/UProjekt.h"

namespace {

// Function-local so that registrations from static initialisers in any file find it constructed.
std::map<std::string, TCommand>& Registry()
{
    static std::map<std::string, TCommand> registry;
    return registry;
}

// The words of `text` in lines of at most `width` characters, each indented by `indent` spaces.
std::string Wrapped(const std::string& text, std::size_t indent, std::size_t width)
{
    std::string lines, line(indent, ' ');
    std::istringstream words(text);
    for (std::string word; words >> word;) {
        if (line.size() > indent && line.size() + 1 + word.size() > width) {
            lines += line + "\n";
            line.assign(indent, ' ');
        }
        line += (line.size() > indent ? " " : "") + word;
    }
    return lines + line + "\n";
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
    // Synopsis on one line, the summary below it in a column that fits a terminal.
    std::string text = "Usage: vxrate COMMAND [ARGUMENTS]\n\nCommands:\n";
    for (const auto& c : Commands()) text += "  " + c.Synopsis + "\n" + Wrapped(c.Summary, 22, 79);
    text += "  help, --help        shows this text\n"
            "  --version           shows the version\n";
    return text;
}

std::string HelpText()
{
    return "Rates VX counterflow plate heat exchangers for the air states of a ventilation unit,\n"
           "proposes sizes and writes the datasheet, the chart and the product description as\n"
           "PDF, as the VX program does.\n\n" +
           UsageText() +
           R"(
Input keys:
  Pressure                  barometric pressure, mbar
  FlowMode                  flow that is given: 0 SVol, 1 OVol, 2 MassDry, 3 MassMoist
  HumidityMode              humidity given with Temp: 0 RelHum, 1 X, 7 WetBulb
  SVol11, SVol21            standard volume flow, m3/h
  OVol11, OVol21            operating volume flow, m3/h
  MassDry11, MassDry21      dry-air mass flow, kg/h
  MassMoist11, MassMoist21  moist-air mass flow, kg/h
  Temp11, Temp21            inlet temperature, degC
  RelHum11, RelHum21        relative humidity, %
  X11, X21                  humidity ratio, g/kg
  WetBulb11, WetBulb21      wet-bulb temperature, degC
  Series                    1 VX (aluminium), 2 VX-K (PET), 3 VX-E (moisture transfer)
  SizeCode                  size, for example 30 or 2080 (Kombi 80)
  PackageWidth              package width, mm
  Bypass                    10 none, 20 side, 21 middle
  BypassVelocity            bypass air velocity, m/s
  DpMultiplier              factor on all pressure drops, 0 to 255

A case is a JSON object; rate takes one case or an array of cases, the page commands
one case (winter) or an array of two (winter, summer). Keys ending in 11 describe the
outdoor air entering, 21 the extract air entering. Every key is optional and replaces
the value of the default case: 1013 mbar, 200 m3/h at -5 degC and 90 % against
200 m3/h at 22 degC and 40 %, VX 30 / 250 without bypass. The JSON output of rate holds
every record field by name plus Messages, WarningsOnly, RecommendedPressureDrop,
ErpMark, Length, Height, FaceHeight, Weight and TypeKey.

Exit status:
  0  success
  1  any other failure, such as an output file that cannot be written
  2  bad usage or bad input; one line on standard error names the key and the case

Options:
  FILE           JSON input; standard input when FILE is absent or "-"
  --table        prints a table for a person instead of JSON
  --pdf OUT.pdf  PDF file the page is written to (required by the page commands)
  --lang CODE    language of the page: de, en, fr, pl, ru, zh or 1, 2, 3, 7, 8, 9
  --units si|us  units of the page: SI or UK/US (default si)
  --carrier      draws the Carrier chart instead of the Mollier chart
  --series 1|2   series of the description page: 1 VX, 2 VX-K

Examples:
  $ echo '{"SVol11": 3000, "SVol21": 3000, "SizeCode": 60}' | vxrate rate --table
  $ vxrate rate cases.json > results.json
  $ vxrate preselect case.json --table
  $ vxrate datasheet case.json --pdf sheet.pdf --lang de --units si
  $ vxrate chart case.json --pdf chart.pdf --carrier
  $ vxrate description --series 2 --pdf vx-k.pdf --lang fr
)";
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

    // A case object never has the key "format"; only a text that could be a project is parsed whole.
    const bool maybeProject = text.find("\"format\"") != std::string::npos;
    const nlohmann::json document =
        maybeProject ? nlohmann::json::parse(text, nullptr, false) : nlohmann::json();
    if (maybeProject && !document.is_discarded() && IsProjectDocument(document)) {
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
