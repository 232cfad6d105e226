#pragma once
// What the page commands (datasheet, chart, description) share: the language option, reading the
// winter and summer case, and the set-up that lets the program's own windows and page procedures
// draw without a screen and without the user's settings.
#include <QTemporaryDir>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "URateCase.h"

class QApplication;

// A language given as its number (1, 2, 3, 7, 8, 9) or its table code ("de", "en", ...); 0 if
// neither names an offered language.
int ParseLanguage(const std::string& text);

// Reads one case object (winter) or an array of one or two (winter, summer) from the file at
// `path`, or from standard input when `path` is empty or "-". `page` names the page in the message
// for a third case. Returns the problem, if any.
std::optional<std::string> ReadSeasonCases(const std::string& path, const std::string& page,
                                           std::vector<TRateInput>& cases);

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
