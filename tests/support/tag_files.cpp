#include "tests/support/tag_files.h"

#include <QFile>
#include <gtest/gtest.h>
#include <taglib/attachedpictureframe.h>
#include <taglib/commentsframe.h>
#include <taglib/fileref.h>
#include <taglib/flacfile.h>
#include <taglib/id3v2tag.h>
#include <taglib/mp4file.h>
#include <taglib/mpegfile.h>
#include <taglib/textidentificationframe.h>
#include <taglib/xiphcomment.h>

namespace harvoline {

void PrintTo(const SongTag& tag, std::ostream* os) {
    *os << "{Marker \"" << tag.Marker.toStdString() << "\", Title \"" << tag.Title.toStdString()
        << "\", Artist \"" << tag.Artist.toStdString() << "\", Album \"" << tag.Album.toStdString()
        << "\", Year \"" << tag.Year.toStdString() << "\", Comment \"" << tag.Comment.toStdString()
        << "\", Genre " << int{tag.Genre} << '}';
}

} // namespace harvoline

namespace harvoline::testing {

namespace {

void PutLittleEndian(QByteArray& out, std::uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.append(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

void PutBigEndian(QByteArray& out, std::uint64_t value, int bytes) {
    for (int i = bytes - 1; i >= 0; --i) {
        out.append(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

std::uint32_t OggChecksum(const QByteArray& page) {
    std::uint32_t crc = 0;
    for (const char c : page) {
        crc ^= static_cast<std::uint32_t>(static_cast<unsigned char>(c)) << 24;
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc & 0x80000000U) != 0 ? (crc << 1) ^ 0x04C11DB7U : crc << 1;
        }
    }
    return crc;
}

enum OggFlag : char { FirstPage = 0x02, LastPage = 0x04 };

QByteArray OggPage(const std::vector<QByteArray>& packets, char flags, std::uint32_t sequence) {
    QByteArray lacing;
    QByteArray body;
    for (const QByteArray& packet : packets) {
        qsizetype left = packet.size();
        for (; left >= 255; left -= 255) {
            lacing.append(static_cast<char>(255));
        }
        lacing.append(static_cast<char>(left));
        body += packet;
    }
    QByteArray page("OggS");
    page.append('\0');
    page.append(flags);
    PutLittleEndian(page, 0, 8); // granule position
    PutLittleEndian(page, 0x48415256, 4);
    PutLittleEndian(page, sequence, 4);
    PutLittleEndian(page, 0, 4); // checksum, filled in below
    page.append(static_cast<char>(lacing.size()));
    page += lacing + body;
    QByteArray checksum;
    PutLittleEndian(checksum, OggChecksum(page), 4);
    page.replace(22, 4, checksum);
    return page;
}

QByteArray Box(const char* type, const QByteArray& content) {
    QByteArray box;
    PutBigEndian(box, static_cast<std::uint64_t>(content.size()) + 8, 4);
    return box + type + content;
}

TagLib::String ToTagString(const QString& text, TagLib::String::Type encoding) {
    if (encoding == TagLib::String::Latin1) {
        return TagLib::String(text.toLatin1().toStdString(), TagLib::String::Latin1);
    }
    return TagLib::String(text.toUtf8().toStdString(), TagLib::String::UTF8);
}

TagLib::String ToTagString(const QString& text) {
    return ToTagString(text, TagLib::String::UTF8);
}

TagLib::ByteVector ToByteVector(const QByteArray& bytes) {
    return TagLib::ByteVector(bytes.constData(), static_cast<unsigned int>(bytes.size()));
}

TagLib::MP4::CoverArt::Format CoverFormat(const QString& mimeType) {
    if (mimeType == u"image/png") {
        return TagLib::MP4::CoverArt::PNG;
    }
    if (mimeType == u"image/bmp") {
        return TagLib::MP4::CoverArt::BMP;
    }
    if (mimeType == u"image/gif") {
        return TagLib::MP4::CoverArt::GIF;
    }
    return TagLib::MP4::CoverArt::JPEG;
}

TagLib::FLAC::Picture* FlacPicture(const TagPicture& picture) {
    auto* block = new TagLib::FLAC::Picture;
    block->setType(TagLib::FLAC::Picture::FrontCover);
    block->setMimeType(ToTagString(picture.MimeType));
    block->setData(ToByteVector(picture.Data));
    return block;
}

} // namespace

QByteArray SilentMp3(int frames) {
    // MPEG-1 Layer III, 128 kbit/s, 44.1 kHz, mono: 417 bytes a frame; zero side
    // information decodes as silence.
    QByteArray frame(417, '\0');
    frame[0] = static_cast<char>(0xFF);
    frame[1] = static_cast<char>(0xFB);
    frame[2] = static_cast<char>(0x90);
    frame[3] = static_cast<char>(0xC0);
    return frame.repeated(frames);
}

QByteArray BareFlac() {
    QByteArray flac("fLaC");
    flac.append(static_cast<char>(0x80)); // last metadata block, STREAMINFO
    PutBigEndian(flac, 34, 3);
    PutBigEndian(flac, 4096, 2); // smallest and largest block size
    PutBigEndian(flac, 4096, 2);
    PutBigEndian(flac, 0, 3); // frame sizes unknown
    PutBigEndian(flac, 0, 3);
    // 44.1 kHz, 2 channels, 16 bits a sample, no samples.
    PutBigEndian(
        flac, (std::uint64_t{44100} << 44) | (std::uint64_t{1} << 41) | (std::uint64_t{15} << 36),
        8);
    flac.append(QByteArray(16, '\0')); // MD5 of no audio
    return flac;
}

QByteArray BareOggVorbis() {
    QByteArray identification("\x01vorbis", 7);
    PutLittleEndian(identification, 0, 4);     // version
    identification.append('\x02');             // channels
    PutLittleEndian(identification, 44100, 4); // sample rate
    PutLittleEndian(identification, 0, 4);     // bit rates: maximum, nominal, minimum
    PutLittleEndian(identification, 128000, 4);
    PutLittleEndian(identification, 0, 4);
    identification.append('\xB8'); // block sizes 256 and 2048
    identification.append('\x01'); // framing
    QByteArray comment("\x03vorbis", 7);
    PutLittleEndian(comment, 0, 4); // empty vendor
    PutLittleEndian(comment, 0, 4); // no comments
    comment.append('\x01');
    const QByteArray setup("\x05vorbis\x00", 8);
    // TagLib only takes a header packet as complete when another page follows it.
    return OggPage({identification}, FirstPage, 0) + OggPage({comment, setup}, 0, 1) +
           OggPage({QByteArray(1, '\0')}, LastPage, 2);
}

QByteArray BareOpus() {
    QByteArray head("OpusHead");
    head.append('\x01');             // version
    head.append('\x02');             // channels
    PutLittleEndian(head, 312, 2);   // pre-skip
    PutLittleEndian(head, 48000, 4); // input sample rate
    PutLittleEndian(head, 0, 2);     // gain
    head.append('\0');               // channel mapping family
    QByteArray tags("OpusTags");
    PutLittleEndian(tags, 0, 4); // empty vendor
    PutLittleEndian(tags, 0, 4); // no comments
    const QByteArray silence("\xF8\xFF\xFE", 3);
    return OggPage({head}, FirstPage, 0) + OggPage({tags}, 0, 1) + OggPage({silence}, LastPage, 2);
}

QByteArray BareM4a() {
    QByteArray fileType("M4A ");
    PutBigEndian(fileType, 0, 4);
    fileType += "M4A isommp42";
    QByteArray movieHeader;
    PutBigEndian(movieHeader, 0, 4);       // version and flags
    PutBigEndian(movieHeader, 0, 8);       // creation and modification time
    PutBigEndian(movieHeader, 1000, 4);    // time scale
    PutBigEndian(movieHeader, 0, 4);       // duration
    PutBigEndian(movieHeader, 0x10000, 4); // rate 1.0
    PutBigEndian(movieHeader, 0x100, 2);   // volume 1.0
    movieHeader.append(QByteArray(10, '\0'));
    for (const std::uint64_t m : {0x10000, 0, 0, 0, 0x10000, 0, 0, 0, 0x40000000}) {
        PutBigEndian(movieHeader, m, 4); // identity matrix
    }
    movieHeader.append(QByteArray(24, '\0'));
    PutBigEndian(movieHeader, 1, 4); // next track id
    return Box("ftyp", fileType) + Box("moov", Box("mvhd", movieHeader)) + Box("mdat", {});
}

QByteArray Id3v1Record(const Id3v1Fields& fields) {
    QByteArray record;
    const auto put = [&](const QByteArray& field, int width) {
        record += field.left(width).leftJustified(width, fields.Padding);
    };
    put(fields.Marker, 3);
    put(fields.Title, 30);
    put(fields.Artist, 30);
    put(fields.Album, 30);
    put(fields.Year, 4);
    put(fields.Comment, 30);
    record.append(static_cast<char>(fields.Genre));
    return record;
}

void WriteId3v2(const QString& path, const TagTexts& texts, int version,
                TagLib::String::Type encoding, const std::vector<TagPicture>& pictures) {
    TagLib::MPEG::File file(QFile::encodeName(path).constData(), false);
    ASSERT_TRUE(file.isValid()) << path.toStdString();
    TagLib::ID3v2::Tag* tag = file.ID3v2Tag(true);
    const auto addText = [&](const char* id, const QString& text) {
        if (text.isEmpty()) {
            return;
        }
        auto* frame = new TagLib::ID3v2::TextIdentificationFrame(id, encoding);
        frame->setText(ToTagString(text, encoding));
        tag->addFrame(frame);
    };
    addText("TIT2", texts.Title);
    addText("TPE1", texts.Artist);
    addText("TALB", texts.Album);
    addText("TDRC", texts.Year); // saved as TYER in version 3
    if (!texts.Comment.isEmpty()) {
        auto* comment = new TagLib::ID3v2::CommentsFrame(encoding);
        comment->setLanguage("eng");
        comment->setText(ToTagString(texts.Comment, encoding));
        tag->addFrame(comment);
    }
    for (const TagPicture& picture : pictures) {
        auto* frame = new TagLib::ID3v2::AttachedPictureFrame;
        frame->setType(TagLib::ID3v2::AttachedPictureFrame::FrontCover);
        frame->setMimeType(ToTagString(picture.MimeType));
        frame->setPicture(ToByteVector(picture.Data));
        tag->addFrame(frame);
    }
    const auto id3Version = version == 3 ? TagLib::ID3v2::v3 : TagLib::ID3v2::v4;
    EXPECT_TRUE(file.save(TagLib::MPEG::File::ID3v2, TagLib::File::StripNone, id3Version,
                          TagLib::File::DoNotDuplicate));
}

void WriteOwnTag(const QString& path, const TagTexts& texts,
                 const std::vector<TagPicture>& pictures) {
    TagLib::FileRef ref(QFile::encodeName(path).constData(), false);
    ASSERT_FALSE(ref.isNull()) << path.toStdString();
    TagLib::Tag* tag = ref.tag();
    tag->setTitle(ToTagString(texts.Title));
    tag->setArtist(ToTagString(texts.Artist));
    tag->setAlbum(ToTagString(texts.Album));
    tag->setYear(texts.Year.toUInt());
    tag->setComment(ToTagString(texts.Comment));
    TagLib::File* file = ref.file();
    if (auto* flac = dynamic_cast<TagLib::FLAC::File*>(file)) {
        for (const TagPicture& picture : pictures) {
            flac->addPicture(FlacPicture(picture));
        }
    } else if (auto* mp4 = dynamic_cast<TagLib::MP4::File*>(file)) {
        TagLib::MP4::CoverArtList covers;
        for (const TagPicture& picture : pictures) {
            covers.append(
                TagLib::MP4::CoverArt(CoverFormat(picture.MimeType), ToByteVector(picture.Data)));
        }
        if (!covers.isEmpty()) {
            mp4->tag()->setItem("covr", covers);
        }
    } else if (auto* xiph = dynamic_cast<TagLib::Ogg::XiphComment*>(tag)) {
        for (const TagPicture& picture : pictures) {
            xiph->addPicture(FlacPicture(picture));
        }
    } else {
        ADD_FAILURE() << "no picture support for " << path.toStdString();
    }
    EXPECT_TRUE(ref.save()) << path.toStdString();
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(bytes);
}

void AppendBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::Append)) << path.toStdString();
    file.write(bytes);
}

} // namespace harvoline::testing
