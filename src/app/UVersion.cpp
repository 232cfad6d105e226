#include "app/UVersion.h"

#include "app/UGlobal.h"
#include "app/UHersteller.h"
#include "app/UIniDatei.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>

namespace {

bool versionInitialised = false;

TUrlOpener& Opener()
{
    static TUrlOpener opener = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    return opener;
}

}  // namespace

QString VersionPrefixFor(const QString& programFileName)
{
    if (programFileName.startsWith(u'V'))
        return QStringLiteral("4.4, ");
    if (programFileName.startsWith(u'Z'))
        return QStringLiteral("4.2, ");
    return QStringLiteral("4.6, ");
}

void InitVersionText(const QString& programFilePath)
{
    if (versionInitialised)
        return;
    versionInitialised = true;
    const QString prefix = VersionPrefixFor(QFileInfo(programFilePath).fileName());
    VersionText = prefix + QStringLiteral("11/2016");
    VersionTextShort = prefix + QStringLiteral("11/16");
    EuroventCertified = true;
}

void InitVersionText()
{
    QString path;
    if (QCoreApplication::instance())
        path = QCoreApplication::applicationFilePath();
    InitVersionText(path);
}

std::uint8_t DefaultLanguageFor(QLocale::Language language)
{
    switch (language) {
    case QLocale::German: return LangGerman;
    case QLocale::French: return LangFrench;
    case QLocale::Polish: return LangPolish;
    case QLocale::Chinese: return LangChinese;
    case QLocale::Russian: return LangRussian;
    default: return LangEnglish;
    }
}

std::uint8_t DefaultLanguage()
{
    return DefaultLanguageFor(QLocale::system().language());
}

std::uint8_t ReadLanguageSetting(const QString& fileName, const QString& section, const QString& key,
                                 QLocale::Language systemLanguage)
{
    const TIniDatei ini(fileName, QStringLiteral("#"));
    int value = ini.ReadInteger(section, key, 0) & 0xFF;
    if (!IsAvailableLanguage(value) || value == 0)
        value = DefaultLanguageFor(systemLanguage);
    return static_cast<std::uint8_t>(IsAvailableLanguage(value) ? value : int(LangEnglish));
}

std::uint8_t ReadLanguageSetting(const QString& fileName, const QString& section, const QString& key)
{
    return ReadLanguageSetting(fileName, section, key, QLocale::system().language());
}

QString WriteLanguageSetting(int code)
{
    TIniDatei ini(IniFileName, QStringLiteral("#"));
    if (ini.ValueExists(QStringLiteral("Global"), QStringLiteral("Language"))
        && ini.ReadInteger(QStringLiteral("Global"), QStringLiteral("Language"), 0) == code)
        return QString();
    if (const QString problem = ini.ReadProblem(); !problem.isEmpty())
        return problem;
    return ini.WriteInteger(QStringLiteral("Global"), QStringLiteral("Language"), code) ? QString()
                                                                                      : ini.LastError();
}

QUrl SupportMailUrl(const QString& subjectTitle)
{
    const QString subject =
        QStringLiteral("Tarvometrix Software: ") + subjectTitle + QStringLiteral(", Version ") + VersionText;
    const QByteArray encoded = "mailto:" + QByteArray(Maker::SupportEmail) + "?subject="
                               + QUrl::toPercentEncoding(subject);
    return QUrl::fromEncoded(encoded, QUrl::StrictMode);
}

void SendSupportMail(const QString& subjectTitle)
{
    OpenUrl(SupportMailUrl(subjectTitle));
}

QUrl WebSiteUrl()
{
    return QUrl(QString::fromUtf8(Maker::WebUrl));
}

void OpenWebSite()
{
    OpenUrl(WebSiteUrl());
}

TUrlOpener SetUrlOpener(TUrlOpener opener)
{
    TUrlOpener previous = std::move(Opener());
    Opener() = std::move(opener);
    return previous;
}

void OpenUrl(const QUrl& url)
{
    if (Opener())
        Opener()(url);
}
