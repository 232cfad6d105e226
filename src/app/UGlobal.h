#pragma once
// Process-wide values every window reads: the product served, the interface language and the
// languages offered, the version texts, the certification flags, the fonts and the maker's logo.
// The program runs on one thread; none of these is guarded.
#include <QFont>
#include <QString>
#include <bitset>
#include <cstdint>
#include <memory>

class QSvgRenderer;

// Language codes. 5 is not used; 4 (Spanish) and 6 (Czech) have no text table in this build.
enum : std::uint8_t {
    LangGerman = 1,
    LangEnglish = 2,
    LangFrench = 3,
    LangSpanish = 4,
    LangCzech = 6,
    LangPolish = 7,
    LangChinese = 8,
    LangRussian = 9,
};

using TLanguageSet = std::bitset<256>;

// Product served by this program; 0 at load, set to 4 first thing at start.
extern std::uint8_t ProductIndex;
// Active interface language (code above).
extern std::uint8_t Language;
// Languages this build offers: {1, 2, 3, 7, 8, 9}. Never changes.
extern const TLanguageSet AvailableLanguages;
bool IsAvailableLanguage(int code);

// Name of the settings file and its two sections.
extern const QString IniFileName;       // "Tarvometrix.ini"
extern const QString GlobalSection;     // "GLOBAL"
extern QString ProductSection;          // set to "VX" by the product window

// Version texts; InitVersionText puts the version prefix in front of them.
extern QString VersionText;       // "11/2016" before, "4.4, 11/2016" after
extern QString VersionTextShort;  // "11/16" before, "4.4, 11/16" after

// Certification flags deciding which logos are shown (about window, pages).
extern bool EuroventCertified;
extern bool AhriCertified;
extern bool TuevCertified;
// Prices are not available in this program.
extern bool PricesEnabled;

// Interface font and chart font; names, sizes and character sets set by ApplyLanguageFonts.
extern QFont DialogFont;
extern QFont ChartFont;
// Character set value of both fonts and the code page of the language texts (program-wide values;
// the texts themselves stay Unicode).
extern int FontCharset;
extern int TextCodePage;
// Language texts are read as Unicode.
extern bool UnicodeTexts;

// The maker's logo (resource 101) drawn on printed pages; loaded once by InitResources.
extern std::unique_ptr<QSvgRenderer> LogoMetafile;
