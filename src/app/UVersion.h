#pragma once
// Start-up helpers: the version texts, the interface language stored in the settings file and the
// two support links (e-mail to the maker, the maker's web site).
#include <QLocale>
#include <QString>
#include <QUrl>

#include <cstdint>
#include <functional>

// Version prefix by the program file's name (no folder): a name starting with 'V' is this series'
// program ("4.4, "), one starting with 'Z' the cross-flow family's ("4.2, "), anything else "4.6, ".
// The comparison is case-sensitive.
QString VersionPrefixFor(const QString& programFileName);

// Puts the prefix in front of VersionText and VersionTextShort and sets EuroventCertified. Runs
// once; later calls do nothing. Without an argument the running program's file is used.
void InitVersionText();
void InitVersionText(const QString& programFilePath);

// Interface language of a locale language: German 1, French 3, Polish 7, Chinese 8, Russian 9,
// anything else English 2.
std::uint8_t DefaultLanguageFor(QLocale::Language language);
// The same for the user's locale.
std::uint8_t DefaultLanguage();

// Language code stored in the settings file (folder "#"): the low 8 bits of the integer key;
// a code that is not offered, or no code, gives the system's language, and that, when not
// offered either, English.
std::uint8_t ReadLanguageSetting(const QString& fileName, const QString& section, const QString& key);
std::uint8_t ReadLanguageSetting(const QString& fileName, const QString& section, const QString& key,
                                 QLocale::Language systemLanguage);

// Writes "Language" into the global section at once (nothing when it already holds the code).
// Returns why the settings file could not be written, or an empty text.
QString WriteLanguageSetting(int code);

// Prepared support mail: "mailto:" + support address with the subject
// "Tarvometrix Software: <title>, Version <VersionText>", percent-encoded.
QUrl SupportMailUrl(const QString& subjectTitle);
void SendSupportMail(const QString& subjectTitle);
// The maker's web site.
QUrl WebSiteUrl();
void OpenWebSite();

// Hands a link to the desktop (browser, mail program). The result is ignored by the callers.
// The opener can be replaced, for example to watch which links a window opens; the previous one is
// returned.
using TUrlOpener = std::function<bool(const QUrl&)>;
TUrlOpener SetUrlOpener(TUrlOpener opener);
void OpenUrl(const QUrl& url);
