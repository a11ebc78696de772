#include "model/media/tag_library.h"

#include "model/config/text_file.h"
#include "model/config/regular_file.h"

#include <QFile>
#include <taglib/attachedpictureframe.h>
#include <taglib/fileref.h>
#include <taglib/flacfile.h>
#include <taglib/id3v2tag.h>
#include <taglib/mp4file.h>
#include <taglib/mpegfile.h>
#include <taglib/xiphcomment.h>

namespace harvoline {

namespace {

QString FromTag(const TagLib::String& text) {
    const TagLib::ByteVector utf8 = text.data(TagLib::String::UTF8);
    return QString::fromUtf8(utf8.data(), utf8.size());
}

QByteArray FromTag(const TagLib::ByteVector& bytes) {
    return QByteArray(bytes.data(), bytes.size());
}

// ID3v2 texts in "ISO-8859-1" come from Windows programs in the Windows code page, as
// ID3v1 records do: "’" and "€" lie where ISO-8859-1 has invisible control codes.
class WindowsLatin1 : public TagLib::ID3v2::Latin1StringHandler {
  public:
    TagLib::String parse(const TagLib::ByteVector& data) const override {
        const QByteArray utf8 = DecodeCp1252(QByteArrayView(data.data(), data.size())).toUtf8();
        return TagLib::String(utf8.toStdString(), TagLib::String::UTF8);
    }
};

EmbeddedPicture PictureOf(const TagLib::ByteVector& data) {
    QByteArray bytes = FromTag(data);
    const PictureKind kind = PictureKindOf(bytes);
    return {kind, std::move(bytes)};
}

QHash<QByteArray, QString> Id3v2Frames(const TagLib::ID3v2::Tag& tag) {
    QHash<QByteArray, QString> frames;
    for (const auto& [id, list] : tag.frameListMap()) {
        // The frame map can hold ids whose list is empty.
        if (!list.isEmpty()) {
            frames.insert(FromTag(id), FromTag(list.front()->toString()));
        }
    }
    return frames;
}

EmbeddedPicture FirstId3v2Picture(const TagLib::ID3v2::Tag& tag) {
    const TagLib::ID3v2::FrameListMap& frames = tag.frameListMap();
    const auto pictures = frames.find("APIC");
    if (pictures == frames.end() || pictures->second.isEmpty()) {
        return {};
    }
    const auto* frame =
        dynamic_cast<const TagLib::ID3v2::AttachedPictureFrame*>(pictures->second.front());
    return frame != nullptr ? PictureOf(frame->picture()) : EmbeddedPicture{};
}

// The texts of a format's own tag, under the ids of the ID3v2 frames that hold them.
QHash<QByteArray, QString> NativeFrames(const TagLib::Tag& tag) {
    QHash<QByteArray, QString> frames;
    const auto add = [&frames](const char* id, const QString& text) {
        if (!text.isEmpty()) {
            frames.insert(id, text);
        }
    };
    add("TIT2", FromTag(tag.title()));
    add("TPE1", FromTag(tag.artist()));
    add("TALB", FromTag(tag.album()));
    add("TDRC", tag.year() != 0 ? QString::number(tag.year()) : QString());
    return frames;
}

EmbeddedPicture FirstNativePicture(TagLib::File& file) {
    if (auto* flac = dynamic_cast<TagLib::FLAC::File*>(&file)) {
        const TagLib::List<TagLib::FLAC::Picture*> pictures = flac->pictureList();
        return pictures.isEmpty() ? EmbeddedPicture{} : PictureOf(pictures.front()->data());
    }
    if (auto* mp4 = dynamic_cast<TagLib::MP4::File*>(&file)) {
        const TagLib::MP4::CoverArtList covers = mp4->tag()->item("covr").toCoverArtList();
        return covers.isEmpty() ? EmbeddedPicture{} : PictureOf(covers.front().data());
    }
    if (auto* xiph = dynamic_cast<TagLib::Ogg::XiphComment*>(file.tag())) {
        const TagLib::List<TagLib::FLAC::Picture*> pictures = xiph->pictureList();
        return pictures.isEmpty() ? EmbeddedPicture{} : PictureOf(pictures.front()->data());
    }
    return {};
}

} // namespace

PictureKind PictureKindOf(QByteArrayView data) {
    if (data.startsWith("\xFF\xD8\xFF")) {
        return PictureKind::Jpeg;
    }
    if (data.startsWith("\x89PNG\r\n\x1A\n")) {
        return PictureKind::Png;
    }
    if (data.startsWith("BM")) {
        return PictureKind::Bmp;
    }
    if (data.startsWith("GIF87a") || data.startsWith("GIF89a")) {
        return PictureKind::Gif;
    }
    return PictureKind::None;
}

QString PictureExtension(PictureKind kind) {
    switch (kind) {
    case PictureKind::Jpeg:
        return QStringLiteral("jpg");
    case PictureKind::Png:
        return QStringLiteral("png");
    case PictureKind::Bmp:
        return QStringLiteral("bmp");
    case PictureKind::Gif:
        return QStringLiteral("gif");
    case PictureKind::None:
        break;
    }
    return {};
}

TagLibrary::TagLibrary() {
    // TagLib keeps the handler for every tag it reads from now on.
    static const WindowsLatin1 handler;
    TagLib::ID3v2::Tag::setLatin1StringHandler(&handler);
}

void TagLibrary::Load(const QString& path) {
    Frames.clear();
    CommentText.clear();
    Picture = {};
    // TagLib opens a named pipe like a file and would wait for a writer.
    if (!UnreadableReason(path).isEmpty()) {
        return;
    }
    const QByteArray fileName = QFile::encodeName(path);
    const TagLib::FileRef ref(fileName.constData(), false);
    if (ref.isNull()) {
        return;
    }
    TagLib::File& file = *ref.file();
    if (auto* mp3 = dynamic_cast<TagLib::MPEG::File*>(&file)) {
        // An MP3 file answers from its ID3v2 tag alone; its ID3v1 record is read directly.
        if (mp3->hasID3v2Tag()) {
            const TagLib::ID3v2::Tag& tag = *mp3->ID3v2Tag();
            Frames = Id3v2Frames(tag);
            CommentText = FromTag(tag.comment());
            Picture = FirstId3v2Picture(tag);
        }
        return;
    }
    if (const TagLib::Tag* tag = file.tag()) {
        Frames = NativeFrames(*tag);
        CommentText = FromTag(tag->comment());
        Picture = FirstNativePicture(file);
    }
}

QString TagLibrary::FrameText(QByteArrayView frameId) const {
    const auto found = Frames.constFind(frameId.toByteArray());
    if (found != Frames.cend()) {
        return *found;
    }
    // TagLib reads an ID3v2.3 year frame TYER as the ID3v2.4 frame TDRC.
    return frameId == "TYER" ? Frames.value("TDRC") : QString();
}

} // namespace harvoline
