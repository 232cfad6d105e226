#pragma once
// Replacing a file the program writes (settings, PDF, project files, pictures) so that nothing is
// lost: the new contents go to a temporary file in the target's folder, are written in full,
// flushed to the disk (fsync) and checked, and only then renamed over the target. On any failure
// the temporary file is removed and the old file stays byte-identical.
//
// Only a regular file, or a name that does not exist yet, is replaced. A folder, a device, a named
// pipe, a socket, or a link to one of them is refused before anything is written. A link to a
// regular file replaces the file it points to (the link stays a link); a link to nothing is refused.
// A replaced file keeps its permission bits.
//
// Reasons are the operating system's own words ("No space left on device", "File too large",
// "Permission denied"); messages name the file: "Cannot write <file>: <reason>".
#include <QByteArray>
#include <QString>

#include <optional>

// Why a file could not be written.
struct TFileFault {
    QString Path;    // the file as the caller named it
    QString Reason;  // without the file name
    QString Message() const;
};

// Whether path may be replaced by a regular file; nothing is written.
std::optional<TFileFault> ReplaceableTargetFault(const QString& path);
// Replaces path with data as described above.
std::optional<TFileFault> ReplaceFile(const QString& path, const QByteArray& data);

// The same two as one message naming the file, nullopt on success.
std::optional<QString> CheckReplaceableTarget(const QString& path);
std::optional<QString> WriteFileAtomically(const QString& path, const QByteArray& data);
