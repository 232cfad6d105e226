#include "app/UGlobal.h"

#include <QSvgRenderer>

namespace {
TLanguageSet MakeAvailableLanguages()
{
    TLanguageSet set;
    for (int code : {LangGerman, LangEnglish, LangFrench, LangPolish, LangChinese, LangRussian})
        set.set(static_cast<std::size_t>(code));
    return set;
}
}  // namespace

std::uint8_t ProductIndex = 0;
std::uint8_t Language = LangEnglish;
const TLanguageSet AvailableLanguages = MakeAvailableLanguages();

bool IsAvailableLanguage(int code)
{
    return code >= 0 && code < 256 && AvailableLanguages.test(static_cast<std::size_t>(code));
}

const QString IniFileName = QStringLiteral("Tarvometrix.ini");
const QString GlobalSection = QStringLiteral("GLOBAL");
QString ProductSection;

QString VersionText = QStringLiteral("11/2016");
QString VersionTextShort = QStringLiteral("11/16");

bool EuroventCertified = false;
bool AhriCertified = false;
bool TuevCertified = false;
bool PricesEnabled = false;

QFont DialogFont;
QFont ChartFont;
int FontCharset = 1;
int TextCodePage = 1254;
bool UnicodeTexts = true;

std::unique_ptr<QSvgRenderer> LogoMetafile;
