#include "UPageCommand.h"

#include <QApplication>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "UCommands.h"
#include "UJsonCases.h"
#include "app/UGlobal.h"
#include "app/URessourcen.h"
#include "app/UVersion.h"
#include "series/URateCase.h"
#include "print/UTools.h"
#include "ui/UMollierBild.h"

int ParseLanguage(const std::string& text) {
    for (int code = 1; code <= 9; ++code) {
        if (!IsAvailableLanguage(code)) continue;
        if (text == std::to_string(code) || QString::fromStdString(text) == LanguageTableCode(code))
            return code;
    }
    return 0;
}

namespace {

// A resolution in dots per inch within the offered range.
bool ParseDpi(const std::string& text, int& dpi) {
    if (text.empty() || text.size() > 4 || text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    dpi = std::stoi(text);
    return dpi >= kPictureDpiMin && dpi <= kPictureDpiMax;
}

}  // namespace

std::optional<std::string> ParsePageOptions(const std::vector<std::string>& args,
                                            const std::string& usage, TPageOptions& o) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == "--pdf" && hasValue) {
            o.Pdf = args[++i];
        } else if (a == "--lang" && hasValue) {
            const std::string v = args[++i];
            o.Language = ParseLanguage(v);
            if (!o.Language)
                return "unknown language " + v + " (de, en, fr, pl, zh, ru or 1, 2, 3, 7, 8, 9)";
        } else if (a == "--paper" && hasValue) {
            const std::string v = args[++i];
            if (v != "a4" && v != "letter") return "--paper takes a4 or letter, not " + v;
            o.Paper = v == "a4" ? PaperA4 : PaperLetter;
        } else if (o.TakesUnits && a == "--units" && hasValue) {
            const std::string v = args[++i];
            if (v != "si" && v != "us") return "--units takes si or us, not " + v;
            o.SI = v == "si";
        } else if (o.TakesCarrier && a == "--carrier") {
            o.Carrier = true;
        } else if (o.TakesSeries && a == "--series" && hasValue) {
            const std::string v = args[++i];
            if (v != "1" && v != "2" && v != "3")
                return "--series takes 1 (VX), 2 (VX-K) or 3 (VX-E), not " + v;
            o.Series = v[0] - '0';
        } else if (o.TakesPictures && a == "--svg" && hasValue) {
            o.Svg = args[++i];
        } else if (o.TakesPictures && a == "--png" && hasValue) {
            o.Png = args[++i];
        } else if (o.TakesPictures && a == "--dpi" && hasValue) {
            const std::string v = args[++i];
            if (!ParseDpi(v, o.Dpi))
                return "--dpi takes a whole number from " + std::to_string(kPictureDpiMin) + " to " +
                       std::to_string(kPictureDpiMax) + ", not " + v;
        } else if (!o.TakesFile || (a.size() > 1 && a[0] == '-')) {
            return "unexpected argument " + a + "; " + usage;
        } else if (o.Path.empty()) {
            o.Path = a;
        } else {
            return "more than one input file given (" + o.Path + ", " + a + ")";
        }
    }
    if (o.TakesSeries && !o.Series) return std::string("--series 1|2|3 is required");
    if (!o.Paper) o.Paper = DefaultPaperFor(o.SI);
    if (o.TakesPictures) {
        if (o.Pdf.empty() && o.Svg.empty() && o.Png.empty())
            return "--pdf OUT.pdf, --svg OUT.svg or --png OUT.png is required; " + usage;
        if (o.Dpi != 0 && o.Png.empty()) return std::string("--dpi applies to --png only");
        return std::nullopt;
    }
    if (o.Pdf.empty()) return "--pdf OUT.pdf is required; " + usage;
    return std::nullopt;
}

std::optional<std::string> ReadSelectionInput(const std::string& path, const std::string& page,
                                              TSelection& selection) {
    const TCaseInput in = OpenCaseInput(path);
    if (!in.File) return in.Error;
    TCommandInput given;
    if (auto problem = ReadCommandInput(in.File.get(), path, given)) return problem;
    if (given.Project) {
        selection = std::move(*given.Project);
        selection.Calculate();
        return std::nullopt;
    }
    TJsonCaseReader reader;
    std::vector<TRateInput> cases;
    const bool valid = reader.Read(given.Cases, [&](std::size_t index, TRateInput&& input, std::string&& error) {
        if (index >= 2) return std::optional<std::string>(page + " shows at most two cases (winter, summer)");
        if (!error.empty()) return std::optional<std::string>(std::move(error));
        cases.push_back(std::move(input));
        return std::optional<std::string>{};
    });
    if (!valid) return reader.Error();
    if (cases.empty()) return std::string("no case given");
    selection = SelectionOfCases(cases);
    return std::nullopt;
}

TPageSession::TPageSession(int language) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // The windows read and write settings; a folder of their own keeps the user's file untouched.
    if (settingsHome_.isValid())
        setenv("XDG_CONFIG_HOME", settingsHome_.path().toLocal8Bit().constData(), 1);
    static int argc = 1;
    static char name[] = "vxrate";
    static char* argv[] = {name, nullptr};
    app_ = std::make_unique<QApplication>(argc, argv);
    ProductIndex = 4;
    InitResources();
    // The pages are those of VX, so they carry VX's version, not one derived from "vxrate".
    InitVersionText(QStringLiteral("VX"));
    Language = static_cast<std::uint8_t>(language);
    ApplyLanguageFonts();
}

TPageSession::~TPageSession() { ReleaseResources(); }
