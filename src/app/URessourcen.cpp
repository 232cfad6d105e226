#include "app/URessourcen.h"

#include "app/UGlobal.h"

#include <QApplication>
#include <QFile>
#include <QFont>
#include <QHash>
#include <QLibraryInfo>
#include <QStringDecoder>
#include <QSvgRenderer>
#include <QToolTip>
#include <QTranslator>

#include <map>

EResourceNotFound::EResourceNotFound(const QString& what)
    : std::runtime_error(("resource not found: " + what).toStdString())
{
}

namespace {

using TTextTable = QHash<int, QString>;

// Resolves the escapes of a table line: "\n" line break, "\t" tab, "\\" backslash.
QString Unescape(const QString& raw)
{
    QString out;
    out.reserve(raw.size());
    for (qsizetype i = 0; i < raw.size(); ++i) {
        const QChar c = raw[i];
        if (c == u'\\' && i + 1 < raw.size()) {
            const QChar n = raw[i + 1];
            if (n == u'n') { out += u'\n'; ++i; continue; }
            if (n == u't') { out += u'\t'; ++i; continue; }
            if (n == u'\\') { out += u'\\'; ++i; continue; }
        }
        out += c;
    }
    return out;
}

TTextTable ParseTable(const QByteArray& data)
{
    TTextTable table;
    QString text = QString::fromUtf8(data);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    const QStringList lines = text.split(u'\n');
    for (QString line : lines) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        const qsizetype tab = line.indexOf(u'\t');
        if (tab <= 0)
            continue;  // blank lines, comments and anything without a number
        bool ok = false;
        const int k = line.left(tab).trimmed().toInt(&ok);
        if (!ok || k < 1 || k > 999)
            continue;
        if (!table.contains(k))
            table.insert(k, Unescape(line.mid(tab + 1)));
    }
    return table;
}

const TTextTable& Table(int language)
{
    static std::map<int, TTextTable> tables;
    auto it = tables.find(language);
    if (it != tables.end())
        return it->second;
    TTextTable table;
    const QString code = LanguageTableCode(language);
    if (!code.isEmpty()) {
        QFile file(QStringLiteral(":/lang/%1.tsv").arg(code));
        if (file.open(QIODevice::ReadOnly))
            table = ParseTable(file.readAll());
    }
    return tables.emplace(language, std::move(table)).first->second;
}

QString FindPicture(int id, std::initializer_list<const char*> extensions)
{
    for (const char* ext : extensions) {
        const QString path = QStringLiteral(":/img/%1.%2").arg(id).arg(QLatin1String(ext));
        if (QFile::exists(path))
            return path;
    }
    return QString();
}

QImage LoadPicture(int id, std::initializer_list<const char*> extensions)
{
    const QString path = FindPicture(id, extensions);
    if (path.isEmpty())
        throw EResourceNotFound(QString::number(id));
    QImage image(path);
    if (image.isNull())
        throw EResourceNotFound(path);
    return image;
}

QStringList SplitLines(const QString& text)
{
    if (text.isEmpty())
        return {};
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    t.replace(u'\r', u'\n');
    QStringList lines = t.split(u'\n');
    if (lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

}  // namespace

QString ClipText(const QString& text)
{
    if (text.size() <= MaxTextLength)
        return text;
    qsizetype len = MaxTextLength;
    if (text.at(len - 1).isHighSurrogate())
        --len;
    return text.left(len);
}

QString LanguageTableCode(int language)
{
    switch (language) {
    case LangGerman: return QStringLiteral("de");
    case LangEnglish: return QStringLiteral("en");
    case LangFrench: return QStringLiteral("fr");
    case LangPolish: return QStringLiteral("pl");
    case LangChinese: return QStringLiteral("zh");
    case LangRussian: return QStringLiteral("ru");
    default: return QString();
    }
}

QString LoadText(int k, int language)
{
    return WideToCodePage(ClipText(Table(language).value(k)), TextCodePage);
}

QString LoadText(int k)
{
    return LoadText(k, Language);
}

QString FillText(const QString& pattern, const QStringList& args)
{
    QString out = pattern;
    int from = 0;
    for (const QString& arg : args) {
        const int at = out.indexOf(QLatin1String("%s"), from);
        if (at < 0)
            break;
        out.replace(at, 2, arg);
        from = at + arg.size();
    }
    return out;
}

QString LoadWideText(int id)
{
    const int language = (id - 10000) / 1000;
    const int k = (id - 10000) % 1000;
    if (id < 10000 || k == 0)
        return QString();
    return Table(language).value(k);
}

QString WideToCodePage(const QString& text, int /*codePage*/)
{
    return text;
}

QList<int> TextNumbers(int language)
{
    QList<int> numbers = Table(language).keys();
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

QStringList FontSubstitutes(const QString& family, int language)
{
    QStringList list;
    if (family.compare(QLatin1String("Tahoma"), Qt::CaseInsensitive) == 0
        || family.compare(QLatin1String("Arial"), Qt::CaseInsensitive) == 0)
        list << QStringLiteral("Liberation Sans") << QStringLiteral("DejaVu Sans");
    if (language == LangChinese)
        list << QStringLiteral("WenQuanYi Micro Hei") << QStringLiteral("Noto Sans CJK SC");
    else
        list << QStringLiteral("WenQuanYi Micro Hei");
    return list;
}

QString QtTranslationFile(int language)
{
    QString code = LanguageTableCode(language);
    if (code.isEmpty() || code == QLatin1String("en"))
        return QString();
    if (code == QLatin1String("zh"))
        code = QStringLiteral("zh_CN");
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QStringLiteral("/qtbase_") + code
           + QStringLiteral(".qm");
}

bool ApplyQtTranslations()
{
    static QTranslator* installed = nullptr;
    if (installed) {
        QCoreApplication::removeTranslator(installed);
        delete installed;
        installed = nullptr;
    }
    const QString file = QtTranslationFile(Language);
    if (file.isEmpty())
        return true;
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(file))
        return false;
    installed = translator.release();
    QCoreApplication::installTranslator(installed);
    return true;
}

void ApplyLanguageFonts()
{
    for (const char* family : {"Tahoma", "Arial"}) {
        const QString name = QLatin1String(family);
        QFont::removeSubstitutions(name);
        QFont::insertSubstitutions(name, FontSubstitutes(name, Language));
    }

    DialogFont = QFont(QStringLiteral("Tahoma"));
    DialogFont.setPixelSize(11);
    ChartFont = QFont(QStringLiteral("Arial"));
    ChartFont.setPointSize(8);

    switch (Language) {
    case LangCzech:
    case LangPolish:
        FontCharset = 238;
        TextCodePage = 1250;
        break;
    case LangChinese:
        FontCharset = 134;
        TextCodePage = 936;
        DialogFont.setPixelSize(11);
        break;
    case LangRussian:
        FontCharset = 204;
        TextCodePage = 1251;
        DialogFont.setPixelSize(11);
        break;
    default:
        FontCharset = 162;
        TextCodePage = 1254;
        break;
    }

    // Menus and tool tips follow the language's font.
    if (qobject_cast<QApplication*>(QCoreApplication::instance())) {
        QApplication::setFont(DialogFont, "QMenu");
        QApplication::setFont(DialogFont, "QMenuBar");
        QToolTip::setFont(DialogFont);
    }
}

QImage LoadJpeg(int id)
{
    return LoadPicture(id, {"jpg", "jpeg", "png"});
}

QImage LoadPng(int id)
{
    return LoadPicture(id, {"png", "jpg", "jpeg"});
}

QImage LoadBitmap(int id)
{
    return LoadPicture(id, {"bmp", "png", "jpg"});
}

QImage LoadBitmap(const QString& name)
{
    const QString path = QStringLiteral(":/glyphs/%1.png").arg(name);
    QImage image(path);
    if (image.isNull())
        throw EResourceNotFound(path);
    return image;
}

std::unique_ptr<QSvgRenderer> LoadMetafile(int id)
{
    const QString path = FindPicture(id, {"svg"});
    if (path.isEmpty())
        throw EResourceNotFound(QString::number(id));
    auto renderer = std::make_unique<QSvgRenderer>(path);
    if (!renderer->isValid())
        throw EResourceNotFound(path);
    return renderer;
}

bool PictureExists(int id)
{
    return !FindPicture(id, {"jpg", "jpeg", "png", "bmp", "svg"}).isEmpty();
}

QStringList LoadTextLines(int id)
{
    QFile file(QStringLiteral(":/text/%1.txt").arg(id));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray data = file.readAll();
    const auto encoding = QStringConverter::encodingForData(data);
    QStringDecoder decoder(encoding.value_or(QStringConverter::Utf8));
    QString text = decoder(data);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    QStringList lines;
    for (const QString& line : SplitLines(text))
        lines.append(WideToCodePage(line, TextCodePage));
    return lines;
}

QStringList LoadResourceLines(int id)
{
    for (const char* ext : {"csv", "txt"}) {
        QFile file(QStringLiteral(":/text/%1.%2").arg(id).arg(QLatin1String(ext)));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QByteArray data = file.readAll();
        QStringDecoder utf8(QStringConverter::Utf8);
        QString text = utf8(data);
        if (utf8.hasError())
            text = QString::fromLatin1(data);
        return SplitLines(text);
    }
    return {};
}

void InitResources()
{
    UnicodeTexts = true;
    try {
        LogoMetafile = LoadMetafile(101);
    } catch (const EResourceNotFound&) {
        LogoMetafile.reset();  // pages then draw no logo
    }
}

void ReleaseResources()
{
    LogoMetafile.reset();
}
