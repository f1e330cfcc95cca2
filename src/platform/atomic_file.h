#pragma once

#include <QByteArray>
#include <QString>

namespace pelto::platform {

// Outcome of reading a whole data file.
enum class ReadStatus {
    Ok,          // the bytes are in data
    Missing,     // there is no such file
    Unreadable,  // it exists but could not be read (permissions, a folder, an I/O error)
    TooLarge,    // it is larger than the caller's limit; nothing was read
};

struct ReadResult {
    ReadStatus status = ReadStatus::Missing;
    QByteArray data;
};

// Reads a whole file, refusing files above maxBytes so that a runaway file cannot exhaust memory.
ReadResult readWholeFile(const QString& path, qint64 maxBytes = 64 * 1024 * 1024);

// Replaces the file with data through a temporary file in the same folder and a rename, so that
// a crash or a full disk leaves either the old or the new content, never a truncated file.
// Creates missing parent folders. Returns false (and leaves the old file in place) on failure.
bool writeFileAtomically(const QString& path, const QByteArray& data);

}  // namespace pelto::platform
