#pragma once

#include "model/media/song_tag.h"

#include <QByteArray>
#include <QString>
#include <ostream>
#include <taglib/tstring.h>
#include <vector>

namespace harvoline {
// Lets GoogleTest show a record that differs.
void PrintTo(const SongTag& tag, std::ostream* os);
} // namespace harvoline

namespace harvoline::testing {

// Song files without any tag, just enough of each format for TagLib (and a player) to
// take them for what their name says.
QByteArray SilentMp3(int frames = 8);
QByteArray BareFlac();
QByteArray BareOggVorbis();
QByteArray BareOpus();
QByteArray BareM4a();

// The 128-byte ID3v1 record. Each field is copied as given and filled up to its width
// with Padding.
struct Id3v1Fields {
    QByteArray Marker = "TAG";
    QByteArray Title{};
    QByteArray Artist{};
    QByteArray Album{};
    QByteArray Year{};
    QByteArray Comment{};
    unsigned char Genre = 0;
    char Padding = '\0';
};
QByteArray Id3v1Record(const Id3v1Fields& fields);

struct TagTexts {
    QString Title{};
    QString Artist{};
    QString Album{};
    QString Year{};
    QString Comment{};
};

struct TagPicture {
    QString MimeType;
    QByteArray Data;
};

// Writes an ID3v2 tag through TagLib onto an MP3 file, keeping what else the file holds.
// Version 3 stores the year as TYER, version 4 as TDRC.
void WriteId3v2(const QString& path, const TagTexts& texts, int version,
                TagLib::String::Type encoding, const std::vector<TagPicture>& pictures = {});

// Writes a FLAC, Ogg Vorbis, Opus or MP4 file's own tag through TagLib.
void WriteOwnTag(const QString& path, const TagTexts& texts,
                 const std::vector<TagPicture>& pictures = {});

void WriteBytes(const QString& path, const QByteArray& bytes);
void AppendBytes(const QString& path, const QByteArray& bytes);

} // namespace harvoline::testing
