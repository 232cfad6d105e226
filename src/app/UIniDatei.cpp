#include "app/UIniDatei.h"

#include "app/USafeFile.h"
#include "thermo/UZahlformat.h"

#include <QByteArrayList>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QStringEncoder>

#include <cmath>
#include <limits>
#include <optional>

namespace {

// Files larger than this are not settings files; they are neither parsed nor overwritten.
constexpr qint64 MaxFileSize = 4 * 1024 * 1024;

// Decodes file bytes: UTF-8 when valid, else Latin-1 (8-bit files written by other programs).
QString Decode(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8(bytes);
    if (utf8.hasError())
        return QString::fromLatin1(bytes);
    return text;
}

// The file as lines split at LF. A line keeps a CR before its LF, so lines the class does not
// change are written back exactly as they were; parsing trims it away. Lines are held as UTF-8 (or
// the file's own 8-bit bytes); a UTF-16 file is converted on reading and back on writing.
struct TLines {
    bool exists = false;
    QString problem;        // why an existing file is not read; such a file is never rewritten
    QByteArray bom;         // byte-order mark found at the start, kept on rewrite
    std::optional<QStringConverter::Encoding> utf16;  // the file's UTF-16 byte order, if it is one
    QByteArray tail;        // "\r" for a file with CRLF line ends: added to every new line
    QByteArrayList lines;

    bool Readable() const { return problem.isEmpty(); }
    QByteArray NewLine(const QByteArray& text) const { return text + tail; }
};

QString CannotRead(const QString& path, const QString& reason)
{
    return QStringLiteral("The settings file %1 cannot be read (%2); it is kept as it is and no "
                          "setting is saved to it.")
        .arg(QDir::toNativeSeparators(path), reason);
}

TLines Load(const QString& path)
{
    TLines doc;
    QFileInfo info(path);
    doc.exists = info.exists();
    if (!doc.exists)
        return doc;
    if (!info.isFile()) {
        doc.problem = CannotRead(path, QStringLiteral("it is not a regular file"));
        return doc;
    }
    if (info.size() > MaxFileSize) {
        doc.problem = CannotRead(path, QStringLiteral("it is larger than 4 MiB"));
        return doc;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        doc.problem = CannotRead(path, file.errorString());
        return doc;
    }
    QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        doc.problem = CannotRead(path, file.errorString());
        return doc;
    }
    if (data.startsWith("\xEF\xBB\xBF")) {
        doc.bom = data.left(3);
        data.remove(0, 3);
    } else if (data.startsWith("\xFF\xFE") || data.startsWith("\xFE\xFF")) {
        doc.bom = data.left(2);
        doc.utf16 = data.startsWith("\xFF\xFE") ? QStringConverter::Utf16LE : QStringConverter::Utf16BE;
        QStringDecoder decode(*doc.utf16);
        data = QString(decode(data.mid(2))).toUtf8();
    }
    const qsizetype firstLf = data.indexOf('\n');
    if (firstLf > 0 && data.at(firstLf - 1) == '\r')
        doc.tail = "\r";
    if (data.isEmpty())
        return doc;
    doc.lines = data.split('\n');
    if (doc.lines.last().isEmpty())
        doc.lines.removeLast();  // the split after the final line end
    return doc;
}

// Replaces the file with the lines in one safe write; the reason when that fails.
std::optional<QString> Store(const QString& path, const TLines& doc)
{
    if (!doc.Readable())
        return doc.problem;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QByteArray data;
    for (const QByteArray& line : doc.lines) {
        data += line;
        data += '\n';
    }
    if (doc.utf16) {
        QStringEncoder encode(*doc.utf16);
        data = encode(QString::fromUtf8(data));
    }
    if (auto fault = ReplaceFile(path, doc.bom + data))
        return QStringLiteral("The settings could not be saved. %1").arg(fault->Message());
    return std::nullopt;
}

bool SameName(const QByteArray& raw, const QString& name)
{
    return Decode(raw).compare(name.trimmed(), Qt::CaseInsensitive) == 0;
}

// Section name of a "[Name]" line, or nothing for any other line.
std::optional<QByteArray> SectionOf(const QByteArray& line)
{
    const QByteArray t = line.trimmed();
    if (!t.startsWith('['))
        return std::nullopt;
    qsizetype end = t.indexOf(']');
    if (end < 0)
        end = t.size();
    return t.mid(1, end - 1).trimmed();
}

// Key and value of a "Key=Value" line.
bool KeyValueOf(const QByteArray& line, QByteArray& key, QByteArray& value)
{
    const qsizetype eq = line.indexOf('=');
    if (eq < 0)
        return false;
    key = line.left(eq).trimmed();
    value = line.mid(eq + 1).trimmed();
    return !key.isEmpty();
}

// Line range [first, end) of the first matching section's body; first is -1 when missing.
struct TRange {
    qsizetype header = -1;
    qsizetype first = -1;
    qsizetype end = -1;
};

TRange FindSection(const QByteArrayList& lines, const QString& section, qsizetype from = 0)
{
    TRange r;
    for (qsizetype i = from; i < lines.size(); ++i) {
        const auto name = SectionOf(lines[i]);
        if (!name)
            continue;
        if (r.header >= 0) {
            r.end = i;
            return r;
        }
        if (SameName(*name, section)) {
            r.header = i;
            r.first = i + 1;
        }
    }
    if (r.header >= 0)
        r.end = lines.size();
    return r;
}

qsizetype FindKey(const QByteArrayList& lines, const TRange& r, const QString& key)
{
    QByteArray k, v;
    for (qsizetype i = r.first; i >= 0 && i < r.end; ++i)
        if (KeyValueOf(lines[i], k, v) && SameName(k, key))
            return i;
    return -1;
}

std::optional<QString> Lookup(const TLines& doc, const QString& section, const QString& key)
{
    if (!doc.exists || !doc.Readable())
        return std::nullopt;
    const TRange r = FindSection(doc.lines, section);
    const qsizetype at = FindKey(doc.lines, r, key);
    if (at < 0)
        return std::nullopt;
    QByteArray k, v;
    KeyValueOf(doc.lines[at], k, v);
    return Decode(v);
}

// A value must stay on its line: line breaks and NULs would split or cut the file.
QByteArray ValueBytes(const QString& value)
{
    QString clean = value;
    for (QChar& c : clean)
        if (c == u'\r' || c == u'\n' || c == QChar(0))
            c = u' ';
    return clean.toUtf8();
}

}  // namespace

// The batch's copy of the file while a batch runs.
struct TIniDatei::TPending {
    TLines doc;
    bool dirty = false;

    // The file's lines: the batch's copy while a batch runs, else fresh from the disk.
    static TLines Current(const TIniDatei& ini) { return ini.pending_ ? ini.pending_->doc : Load(ini.path_); }

    // Replaces the file's lines (in the batch while one runs).
    static bool Commit(TIniDatei& ini, TLines doc)
    {
        if (!doc.Readable())
            return ini.Failed(doc.problem);
        if (!ini.pending_)
            return ini.Stored(Store(ini.path_, doc));
        doc.exists = true;
        ini.pending_->doc = std::move(doc);
        ini.pending_->dirty = true;
        return true;
    }
};

bool TIniDatei::Failed(const QString& message)
{
    lastError_ = message;
    return false;
}

bool TIniDatei::Stored(const std::optional<QString>& fault)
{
    if (fault)
        return Failed(*fault);
    lastError_.clear();
    return true;
}

QString TIniDatei::ReadProblem() const
{
    return Load(path_).problem;
}

TIniDatei::~TIniDatei() = default;
TIniDatei::TIniDatei(TIniDatei&&) noexcept = default;
TIniDatei& TIniDatei::operator=(TIniDatei&&) noexcept = default;

void TIniDatei::BeginUpdate()
{
    if (updateDepth_++ == 0) {
        pending_ = std::make_unique<TPending>();
        pending_->doc = Load(path_);
    }
}

bool TIniDatei::EndUpdate()
{
    if (updateDepth_ == 0 || --updateDepth_ > 0)
        return true;
    const std::unique_ptr<TPending> batch = std::move(pending_);
    return !batch->dirty || Stored(Store(path_, batch->doc));
}

TIniDatei::TIniDatei(const QString& fileName, const QString& folder)
{
    const QString dir = folder == QLatin1String("#") ? SettingsFolder() : folder;
    if (!dir.isEmpty())
        QDir().mkpath(dir);
    path_ = dir + fileName;
}

QString TIniDatei::SettingsFolder()
{
    QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (base.isEmpty())
        base = QDir::homePath() + QStringLiteral("/.config");
    return base + QStringLiteral("/Tarvometrix/");
}

QString TIniDatei::ReadString(const QString& section, const QString& key, const QString& def) const
{
    const auto value = Lookup(TPending::Current(*this), section, key);
    if (!value)
        return def;
    return value->left(MaxValueLength);
}

bool TIniDatei::WriteString(const QString& section, const QString& key, const QString& value)
{
    if (section.trimmed().isEmpty() || key.trimmed().isEmpty() || key.contains(u'='))
        return false;
    TLines doc = TPending::Current(*this);
    if (!doc.Readable())
        return Failed(doc.problem);
    const QByteArray line = key.trimmed().toUtf8() + '=' + ValueBytes(value);
    const TRange r = FindSection(doc.lines, section);
    if (r.header < 0) {
        if (!doc.lines.isEmpty() && !doc.lines.last().trimmed().isEmpty())
            doc.lines.append(doc.NewLine(QByteArray()));
        doc.lines.append(doc.NewLine('[' + section.trimmed().toUtf8() + ']'));
        doc.lines.append(doc.NewLine(line));
    } else if (const qsizetype at = FindKey(doc.lines, r, key); at >= 0) {
        doc.lines[at] = doc.NewLine(line);
    } else {
        // After the section's last non-blank line, so a blank line before the next section stays.
        qsizetype insertAt = r.end;
        while (insertAt > r.first && doc.lines[insertAt - 1].trimmed().isEmpty())
            --insertAt;
        doc.lines.insert(insertAt, doc.NewLine(line));
    }
    return TPending::Commit(*this, std::move(doc));
}

bool TIniDatei::TextToInteger(const QString& text, int& out)
{
    const QString t = text.trimmed();
    if (t.size() > 2 && (t.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))) {
        const QString digits = t.mid(2);
        if (digits.size() > 8)
            return false;
        quint32 v = 0;
        for (QChar c : digits) {
            const char16_t u = c.unicode();
            quint32 d = 0;
            if (u >= u'0' && u <= u'9')
                d = u - u'0';
            else if (u >= u'a' && u <= u'f')
                d = u - u'a' + 10;
            else if (u >= u'A' && u <= u'F')
                d = u - u'A' + 10;
            else
                return false;
            v = v * 16 + d;
        }
        out = static_cast<qint32>(v);
        return true;
    }
    qsizetype i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == u'+' || t[i] == u'-')) {
        negative = t[i] == u'-';
        ++i;
    }
    if (i >= t.size())
        return false;
    qint64 v = 0;
    for (; i < t.size(); ++i) {
        const char16_t c = t[i].unicode();
        if (c < u'0' || c > u'9')
            return false;
        v = v * 10 + (c - u'0');
        if (v > qint64(std::numeric_limits<int>::max()) + 1)
            return false;
    }
    if (negative)
        v = -v;
    if (v > std::numeric_limits<int>::max() || v < std::numeric_limits<int>::min())
        return false;
    out = static_cast<int>(v);
    return true;
}

int TIniDatei::ReadInteger(const QString& section, const QString& key, int def) const
{
    int v = def;
    return TextToInteger(ReadString(section, key, QString()), v) ? v : def;
}

bool TIniDatei::WriteInteger(const QString& section, const QString& key, int value)
{
    return WriteString(section, key, QString::number(value));
}

bool TIniDatei::ReadBool(const QString& section, const QString& key, bool def) const
{
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

bool TIniDatei::WriteBool(const QString& section, const QString& key, bool value)
{
    return WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

double TIniDatei::ReadFloat(const QString& section, const QString& key, double def) const
{
    double v = def;
    return ParseNumber(ReadString(section, key, QString()).toStdString(), v) ? v : def;
}

bool TIniDatei::WriteFloat(const QString& section, const QString& key, double value)
{
    // A non-finite number has no text that reads back; the stored value is left as it is.
    if (!std::isfinite(value))
        return false;
    return WriteString(section, key, QString::fromStdString(FormatGeneral(value)));
}

QChar TIniDatei::ReadChar(const QString& section, const QString& key, QChar def) const
{
    const QString text = ReadString(section, key, QString(def));
    return text.isEmpty() ? def : text.at(0);
}

bool TIniDatei::WriteChar(const QString& section, const QString& key, QChar ch)
{
    return WriteString(section, key, QString(ch));
}

bool TIniDatei::SectionExists(const QString& section) const
{
    const TLines doc = TPending::Current(*this);
    return doc.Readable() && FindSection(doc.lines, section).header >= 0;
}

bool TIniDatei::ValueExists(const QString& section, const QString& key) const
{
    return Lookup(TPending::Current(*this), section, key).has_value();
}

QStringList TIniDatei::ReadSection(const QString& section) const
{
    QStringList keys;
    const TLines doc = TPending::Current(*this);
    if (!doc.Readable())
        return keys;
    const TRange r = FindSection(doc.lines, section);
    QByteArray k, v;
    for (qsizetype i = r.first; i >= 0 && i < r.end; ++i)
        if (KeyValueOf(doc.lines[i], k, v))
            keys.append(Decode(k));
    return keys;
}

bool TIniDatei::EraseSection(const QString& section)
{
    TLines doc = TPending::Current(*this);
    if (!doc.exists)
        return true;
    if (!doc.Readable())
        return Failed(doc.problem);
    bool changed = false;
    for (TRange r = FindSection(doc.lines, section); r.header >= 0; r = FindSection(doc.lines, section)) {
        doc.lines.erase(doc.lines.begin() + r.header, doc.lines.begin() + r.end);
        changed = true;
    }
    return !changed || TPending::Commit(*this, std::move(doc));
}

bool TIniDatei::DeleteKey(const QString& section, const QString& key)
{
    TLines doc = TPending::Current(*this);
    if (!doc.exists)
        return true;
    if (!doc.Readable())
        return Failed(doc.problem);
    const qsizetype at = FindKey(doc.lines, FindSection(doc.lines, section), key);
    if (at < 0)
        return true;
    doc.lines.removeAt(at);
    return TPending::Commit(*this, std::move(doc));
}
