#include "model/media/song_tag.h"

#include "model/config/text_file.h"
#include "model/media/tag_library.h"
#include "model/errors.h"
#include "model/config/regular_file.h"

namespace harvoline {

namespace {

constexpr qsizetype RecordSize = 128;

QString Field(QByteArrayView record, qsizetype offset, qsizetype length) {
    return TrimTagText(DecodeCp1252(record.sliced(offset, length)));
}

// Keeps at most `length` characters without splitting a surrogate pair.
QString CutTagText(const QString& text, qsizetype length) {
    if (text.size() > length && text.at(length).isLowSurrogate()) {
        --length;
    }
    return text.left(length);
}

QString TagField(const QString& text, qsizetype length) {
    return CutTagText(TrimTagText(text), length);
}

[[noreturn]] void CannotRead(const QString& path, const QString& reason) {
    throw HarvolineError(QStringLiteral("Cannot read %1: %2").arg(path, reason));
}

} // namespace

QString TrimTagText(const QString& text) {
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && text.at(start).unicode() <= 32) {
        ++start;
    }
    while (end > start && text.at(end - 1).unicode() <= 32) {
        --end;
    }
    return text.sliced(start, end - start);
}

SongTag ParseId3v1(QByteArrayView fileEnd) {
    if (fileEnd.size() < RecordSize) {
        return {};
    }
    const QByteArrayView record = fileEnd.last(RecordSize);
    SongTag tag;
    tag.Marker = DecodeCp1252(record.first(3));
    tag.Title = Field(record, 3, 30);
    tag.Artist = Field(record, 33, 30);
    tag.Album = Field(record, 63, 30);
    tag.Year = Field(record, 93, 4);
    tag.Comment = Field(record, 97, 30);
    tag.Genre = static_cast<std::uint8_t>(record.at(127));
    return tag;
}

void ReadId3v1(const QString& path, SongTag& record) {
    try {
        const RegularFile file(path);
        record = ParseId3v1(file.ReadAt(std::max<qint64>(0, file.Size() - RecordSize), RecordSize));
    } catch (const HarvolineError& error) {
        CannotRead(path, QString::fromUtf8(error.what()));
    }
}

void ReadId3v2(TagLibrary& tags, const QString& path, SongTag& record) {
    tags.Load(path);
    record.Marker = QStringLiteral("TAG");
    record.Title = TagField(tags.FrameText("TIT2"), 30);
    record.Artist = TagField(tags.FrameText("TPE1"), 30);
    record.Album = TagField(tags.FrameText("TALB"), 30);
    record.Year = TagField(tags.FrameText("TYER"), 4);
    record.Comment = TagField(tags.Comment(), 30);
    record.Genre = 0;
}

} // namespace harvoline
