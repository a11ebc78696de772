#pragma once

#include "model/errors.h"

#include <QByteArray>
#include <QString>

namespace harvoline {

// Raised for a file that could not be read at all, as opposed to one read and found
// wanting.
class UnreadableFileError : public HarvolineError {
  public:
    using HarvolineError::HarvolineError;
};

// The most a playlist, language file or settings file may hold; real ones hold a few
// hundred kilobytes at most.
constexpr qint64 TextFileLimitBytes = qint64{64} * 1024 * 1024;

// A file the program reads: songs, pictures, playlists, language and settings files.
// Only a regular file is opened, and the opening never waits: a named pipe would block
// the window's thread until some writer came, and a device such as /dev/zero never ends.
// Every failure raises HarvolineError with the reason alone ("not a regular file"), which
// the caller puts after the file's name.
class RegularFile {
  public:
    explicit RegularFile(const QString& path);
    ~RegularFile();
    RegularFile(const RegularFile&) = delete;
    RegularFile& operator=(const RegularFile&) = delete;

    qint64 Size() const { return Bytes; }
    // The whole file; refused when it holds more than the limit.
    QByteArray ReadAll(qint64 limitBytes) const;
    // Up to `length` bytes from the offset, fewer at the end of the file.
    QByteArray ReadAt(qint64 offset, qint64 length) const;

  private:
    int Fd = -1;
    qint64 Bytes = 0;
};

// Why RegularFile refuses the file; empty when it opens it.
QString UnreadableReason(const QString& path);

// A size as people read it, such as "64 MB".
QString SizeText(qint64 bytes);

} // namespace harvoline
