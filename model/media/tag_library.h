#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QString>

namespace harvoline {

enum class PictureKind { None = 0, Jpeg = 1, Png = 2, Bmp = 3, Gif = 4 };

struct EmbeddedPicture {
    PictureKind Kind = PictureKind::None;
    QByteArray Data;
};

// The kind of picture the bytes hold, told by their signature.
PictureKind PictureKindOf(QByteArrayView data);
// The file extension of a kind, without the dot: "jpg", "png", "bmp", "gif"; empty for none.
QString PictureExtension(PictureKind kind);

// Reads song tags through TagLib. Load describes one file at a time: the ID3v2 tag of an
// MP3 file, or the native tag of a FLAC, Ogg Vorbis, Opus or MP4 file. A file that cannot
// be read, or has no such tag, gives empty texts and no picture.
class TagLibrary {
  public:
    TagLibrary();

    void Load(const QString& path);

    // The text of an ID3v2 frame such as "TIT2"; empty when the tag has none. For other
    // formats, the title, artist, album and year answer to their ID3v2 frame ids.
    QString FrameText(QByteArrayView frameId) const;
    QString Comment() const { return CommentText; }
    // The tag's first picture.
    const EmbeddedPicture& AlbumPicture() const { return Picture; }

  private:
    QHash<QByteArray, QString> Frames;
    QString CommentText;
    EmbeddedPicture Picture;
};

} // namespace harvoline
