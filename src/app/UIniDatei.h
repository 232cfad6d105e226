#pragma once
// The settings file: a text file of lines "[Section]" and "Key=Value" read and written with the
// rules of the Windows profile-file functions.
//
// - Section and key names are compared case-insensitively ("GLOBAL" and "Global" are one section);
//   the first matching section and the first matching key win.
// - CRLF and LF line ends are both read; a rewrite keeps the line end the file already uses.
// - Names and values are trimmed of surrounding blanks; values are taken as they stand (no quoting)
//   and at most 2047 characters of a value are read.
// - Files in UTF-8 (with or without byte-order mark) or 8-bit are read and written as they are; a
//   UTF-16 file with byte-order mark (as Windows editors write it) is read and written back in
//   UTF-16 of its byte order.
// - Nothing is cached: every read opens the file, every write reads it, changes the one line and
//   replaces the whole file with the program's safe file replacement (USafeFile.h: temporary file
//   in the same folder, flushed and checked, then renamed), so a failed write leaves the previous
//   file byte-identical. Lines the class does not understand are kept byte for byte. A file that
//   exists but cannot be read (or is larger than 4 MiB) is never overwritten.
// - A batch (TBatch) collects the writes of one save in memory and replaces the file once at its
//   end: the save is then all or nothing, and costs one disk flush instead of one per key.
// - Errors never throw: reads give the default, writes report false and LastError() says why.
#include <QChar>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class TIniDatei {
public:
    // Maximum number of characters a value read returns.
    static constexpr int MaxValueLength = 2047;

    // folder "#" selects the user's settings folder ($XDG_CONFIG_HOME/Tarvometrix/); any other
    // folder is used as given and should end with a path separator. A missing folder is created
    // with all its parents; the file itself is created by the first write.
    TIniDatei(const QString& fileName, const QString& folder);
    ~TIniDatei();
    TIniDatei(TIniDatei&&) noexcept;
    TIniDatei& operator=(TIniDatei&&) noexcept;

    // Writes between BeginUpdate and the matching EndUpdate go to memory (reads see them);
    // the outermost EndUpdate replaces the file once and reports whether that worked.
    void BeginUpdate();
    bool EndUpdate();
    class TBatch {
    public:
        explicit TBatch(TIniDatei& ini) : ini_(ini) { ini_.BeginUpdate(); }
        ~TBatch() { ini_.EndUpdate(); }
        TBatch(const TBatch&) = delete;
        TBatch& operator=(const TBatch&) = delete;
    private:
        TIniDatei& ini_;
    };

    // Why the last failed write failed, as a sentence for the user naming the file and the
    // reason ("No space left on device"); empty after a successful write.
    const QString& LastError() const { return lastError_; }
    // Why the file as it is on disk is not read (and never written): not a regular file, larger
    // than 4 MiB, or unreadable. Empty for a readable or a missing file.
    QString ReadProblem() const;

    // The user's settings folder, ending with a separator.
    static QString SettingsFolder();

    // Full path of the file.
    const QString& FileName() const { return path_; }

    QString ReadString(const QString& section, const QString& key, const QString& def) const;
    bool WriteString(const QString& section, const QString& key, const QString& value);

    // Decimal digits with an optional sign, or "0x" followed by up to eight hex digits (taken as a
    // 32-bit two's-complement value). Anything else, or a value outside 32 bits, gives def.
    int ReadInteger(const QString& section, const QString& key, int def) const;
    bool WriteInteger(const QString& section, const QString& key, int value);

    // Stored as 1 and 0; read as an integer, any non-zero value is true.
    bool ReadBool(const QString& section, const QString& key, bool def) const;
    bool WriteBool(const QString& section, const QString& key, bool value);

    // Reals are written in the shortest general form with at most 15 significant digits and the
    // program-wide decimal separator in force, never grouped. Reading accepts only that separator;
    // unreadable text, infinities and NaN give def. A non-finite value is not written.
    double ReadFloat(const QString& section, const QString& key, double def) const;
    bool WriteFloat(const QString& section, const QString& key, double value);

    // One character; an empty stored value gives def.
    QChar ReadChar(const QString& section, const QString& key, QChar def) const;
    bool WriteChar(const QString& section, const QString& key, QChar ch);

    bool SectionExists(const QString& section) const;
    bool ValueExists(const QString& section, const QString& key) const;
    // Keys of the first matching section in file order.
    QStringList ReadSection(const QString& section) const;
    // Removes every section of that name with all its lines.
    bool EraseSection(const QString& section);
    bool DeleteKey(const QString& section, const QString& key);

    // Integer text as this class reads it.
    static bool TextToInteger(const QString& text, int& out);

private:
    struct TPending;
    bool Failed(const QString& message);
    bool Stored(const std::optional<QString>& fault);

    QString path_;
    QString lastError_;
    std::unique_ptr<TPending> pending_;
    int updateDepth_ = 0;
};
