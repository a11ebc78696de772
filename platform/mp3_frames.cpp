#include "platform/mp3_frames.h"

#include "model/config/regular_file.h"

#include <QByteArray>

namespace harvoline {

namespace {

// Junk allowed between the tags and the first frame.
constexpr qint64 FirstFrameSearchBytes = 64 * 1024;
// Frames that must follow each other before bytes count as the start of the sound, and
// after damage, as where it goes on.
constexpr int FramesToStart = 3;
constexpr int FramesToResume = 2;

// The file read a window at a time, front to back.
class FileBytes {
  public:
    explicit FileBytes(const RegularFile& file) : File(file) {}

    qint64 Size() const { return File.Size(); }
    // -1 past the end.
    int At(qint64 offset) {
        if (offset < Start || offset >= Start + Window.size()) {
            if (offset >= File.Size()) {
                return -1;
            }
            Start = offset;
            Window = File.ReadAt(offset, WindowBytes);
        }
        return static_cast<unsigned char>(Window[offset - Start]);
    }
    // Where the next 0xFF from the offset on lies, or -1.
    qint64 NextSync(qint64 offset) {
        for (; offset < File.Size(); ++offset) {
            At(offset);
            const qsizetype found = Window.indexOf('\xFF', offset - Start);
            if (found >= 0) {
                return Start + found;
            }
            offset = Start + Window.size() - 1;
        }
        return -1;
    }

  private:
    static constexpr qint64 WindowBytes = 1024 * 1024;
    const RegularFile& File;
    qint64 Start = 0;
    QByteArray Window;
};

struct FrameHeader {
    int Stream = 0; // version, layer and sample rate: alike in every frame of a file
    int SampleRate = 0;
    int Samples = 0;
    int Bytes = 0;
};

std::optional<FrameHeader> HeaderAt(FileBytes& bytes, qint64 offset) {
    const int b0 = bytes.At(offset);
    const int b1 = bytes.At(offset + 1);
    const int b2 = bytes.At(offset + 2);
    if (b0 != 0xFF || b1 < 0xE0 || b2 < 0) {
        return std::nullopt;
    }
    const int version = (b1 >> 3) & 3; // 0 MPEG 2.5, 1 reserved, 2 MPEG 2, 3 MPEG 1
    const int layer = 4 - ((b1 >> 1) & 3);
    const int bitRateIndex = b2 >> 4;
    const int rateIndex = (b2 >> 2) & 3;
    if (version == 1 || layer == 4 || bitRateIndex == 0 || bitRateIndex == 15 || rateIndex == 3) {
        return std::nullopt;
    }
    const bool mpeg1 = version == 3;
    static constexpr int KbitPerSecond[5][14] = {
        {32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448}, // MPEG 1, layer I
        {32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384},    // MPEG 1, layer II
        {32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320},     // MPEG 1, layer III
        {32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256},    // MPEG 2, layer I
        {8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160},         // MPEG 2, II and III
    };
    const int table = mpeg1 ? layer - 1 : (layer == 1 ? 3 : 4);
    const int bitRate = KbitPerSecond[table][bitRateIndex - 1] * 1000;
    static constexpr int Mpeg1Rates[3] = {44100, 48000, 32000};
    const int sampleRate = Mpeg1Rates[rateIndex] >> (mpeg1 ? 0 : version == 2 ? 1 : 2);
    const int padding = (b2 >> 1) & 1;
    FrameHeader header;
    header.Stream = ((b1 & 0x1E) << 8) | rateIndex;
    header.SampleRate = sampleRate;
    header.Samples = layer == 1 ? 384 : (layer == 3 && !mpeg1 ? 576 : 1152);
    header.Bytes = layer == 1 ? (12 * bitRate / sampleRate + padding) * 4
                              : header.Samples / 8 * bitRate / sampleRate + padding;
    return header;
}

// Whether the given number of whole frames of one stream follow each other from the
// offset on.
bool FramesFollow(FileBytes& bytes, qint64 offset, int count) {
    int stream = -1;
    for (int i = 0; i < count; ++i) {
        const std::optional<FrameHeader> header = HeaderAt(bytes, offset);
        if (!header || (stream >= 0 && header->Stream != stream) ||
            offset + header->Bytes > bytes.Size()) {
            return false;
        }
        stream = header->Stream;
        offset += header->Bytes;
    }
    return true;
}

// Where such frames begin, at or after the offset and before the limit; -1 for nowhere.
qint64 FindFrames(FileBytes& bytes, qint64 offset, qint64 limit, int count) {
    for (offset = bytes.NextSync(offset); offset >= 0 && offset < limit;
         offset = bytes.NextSync(offset + 1)) {
        if (FramesFollow(bytes, offset, count)) {
            return offset;
        }
    }
    return -1;
}

qint64 AfterId3v2Tags(FileBytes& bytes) {
    qint64 offset = 0;
    while (bytes.At(offset) == 'I' && bytes.At(offset + 1) == 'D' && bytes.At(offset + 2) == '3') {
        qint64 size = 0;
        for (int i = 6; i < 10; ++i) { // seven bits a byte
            size = size << 7 | (bytes.At(offset + i) & 0x7F);
        }
        const bool footer = (bytes.At(offset + 5) & 0x10) != 0;
        offset += 10 + size + (footer ? 10 : 0);
    }
    return offset;
}

} // namespace

std::optional<Mp3Frames> Mp3Frames::Scan(const RegularFile& file) {
    FileBytes bytes(file);
    const qint64 tagEnd = AfterId3v2Tags(bytes);
    qint64 offset = FindFrames(bytes, tagEnd, tagEnd + FirstFrameSearchBytes, FramesToStart);
    if (offset < 0) {
        return std::nullopt;
    }
    Mp3Frames frames;
    const FrameHeader first = *HeaderAt(bytes, offset);
    frames.SamplesPerFrame = first.Samples;
    frames.SampleRate = first.SampleRate;
    while (offset >= 0) {
        const std::optional<FrameHeader> header = HeaderAt(bytes, offset);
        if (header && header->Stream == first.Stream && offset + header->Bytes <= bytes.Size()) {
            frames.Offsets.push_back(offset);
            offset += header->Bytes;
            frames.EndOffset = offset;
        } else {
            // A damaged stretch, or the end with its tags: the sound goes on where frames
            // follow each other again, if anywhere.
            offset = FindFrames(bytes, offset + 1, bytes.Size(), FramesToResume);
        }
    }
    return frames;
}

std::int64_t Mp3Frames::TimeOfFrame(qint64 frame) const {
    return frame * SamplesPerFrame * 1000 / SampleRate;
}

std::optional<Mp3Frames::Start> Mp3Frames::StartAt(std::int64_t ms) const {
    // The first frame whose time is not before ms.
    const std::int64_t perFrame = SamplesPerFrame * 1000;
    const qint64 frame = std::max<std::int64_t>(0, (ms * SampleRate + perFrame - 1) / perFrame);
    if (frame >= static_cast<qint64>(Offsets.size())) {
        return std::nullopt;
    }
    return Start{Offsets[static_cast<std::size_t>(frame)], TimeOfFrame(frame)};
}

} // namespace harvoline
