#pragma once

#include <QByteArrayView>
#include <QString>
#include <cstdint>

namespace harvoline {

class TagLibrary;

// A song's tag in the field layout of an ID3v1 record. The marker is "TAG" when the
// record is valid.
struct SongTag {
    QString Marker;
    QString Title;
    QString Artist;
    QString Album;
    QString Year;
    QString Comment;
    std::uint8_t Genre = 0;

    bool operator==(const SongTag&) const = default;
};

// Removes every leading and trailing character with a code of 32 or less.
QString TrimTagText(const QString& text);

// Fills a record from the last bytes of a song file: a file that ends in fewer than 128
// bytes has no record and gives an empty one. ID3v1 has no encoding field; its bytes are
// taken as Windows-1252.
SongTag ParseId3v1(QByteArrayView fileEnd);

// Reads the ID3v1 record at the end of the file. Raises HarvolineError when the file
// cannot be opened or read, or is not a regular file.
void ReadId3v1(const QString& path, SongTag& record);

// Fills the record from the song's own tag through the tag library: ID3v2 for MP3 files,
// the format's native tag for others. The marker is "TAG" whatever the file holds.
void ReadId3v2(TagLibrary& tags, const QString& path, SongTag& record);

} // namespace harvoline
