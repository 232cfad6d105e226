#pragma once
// What the page commands (datasheet, chart, description) share: the language option, reading the
// selection of a case or project file, and the set-up that lets the program's own windows and page procedures
// draw without a screen and without the user's settings.
#include <QTemporaryDir>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "series/USelection.h"
#include "app/UGlobal.h"

class QApplication;

// A language given as its number (1, 2, 3, 7, 8, 9) or its table code ("de", "en", ...); 0 if
// neither names an offered language.
int ParseLanguage(const std::string& text);

// The options of the page commands. Every command takes --pdf OUT.pdf (required), --lang CODE
// and --paper a4|letter; the others only where the command's synopsis names them. A command that
// takes pictures (--svg OUT.svg, --png OUT.png, --dpi N) needs at least one of --pdf, --svg and
// --png.
struct TPageOptions {
    bool TakesFile = false, TakesUnits = false, TakesCarrier = false, TakesSeries = false;
    bool TakesPictures = false;

    std::string Path;  // input FILE; empty for standard input
    std::string Pdf;
    int Language = LangEnglish;
    bool SI = true;
    bool Carrier = false;
    int Series = 0;    // 1 VX, 2 VX-K or 3 VX-E
    int Paper = 0;     // paper code; without --paper the paper of the unit system
    std::string Svg, Png;
    int Dpi = 0;       // 0: not given
};

// Reads `args` into `options`; `usage` is quoted in the message. Returns the problem, if any.
std::optional<std::string> ParsePageOptions(const std::vector<std::string>& args,
                                            const std::string& usage, TPageOptions& options);

// Reads the selection a page shows from the file at `path`, or from standard input when `path` is
// empty or "-": a project file, or one case object (winter) or an array of one or two (winter,
// summer), calculated as the window's calculation request does. `page` names the page in the
// message for a third case. Returns the problem, if any.
std::optional<std::string> ReadSelectionInput(const std::string& path, const std::string& page,
                                              TSelection& selection);

class TPageSession {
public:
    // Starts a Qt application on the offscreen platform (unless another platform is asked for)
    // with a private settings folder, loads the resources and sets the version texts of VX and
    // the fonts of `language`.
    explicit TPageSession(int language);
    ~TPageSession();
    TPageSession(const TPageSession&) = delete;
    TPageSession& operator=(const TPageSession&) = delete;

private:
    QTemporaryDir settingsHome_;
    std::unique_ptr<QApplication> app_;
};
