#pragma once

#include <QtGlobal>
#include <cstdint>
#include <optional>
#include <vector>

namespace harvoline {

class RegularFile;

// Where the frames of an MPEG audio file (MP3) lie. Without a Xing or VBRI header, libvlc
// takes a VBR file's length from the bit rate of its first frames, which can be a third of
// the truth, and seeks in the file by that guess. The frames themselves tell the true
// length and the byte at which to begin for a given time.
class Mp3Frames {
  public:
    // Nothing when the file, after any ID3v2 tags, does not go on with MPEG audio frames.
    static std::optional<Mp3Frames> Scan(const RegularFile& file);

    std::int64_t LengthMs() const { return TimeOfFrame(static_cast<qint64>(Offsets.size())); }

    struct Start {
        qint64 Offset; // of the frame in the file
        std::int64_t Ms;
    };
    // The first frame that begins at or after the time; nothing when none does.
    std::optional<Start> StartAt(std::int64_t ms) const;
    // Just past the last frame: what follows (an ID3v1 record, say) is no sound.
    qint64 End() const { return EndOffset; }

  private:
    std::int64_t TimeOfFrame(qint64 frame) const;

    std::vector<qint64> Offsets;
    qint64 EndOffset = 0;
    std::int64_t SamplesPerFrame = 0;
    std::int64_t SampleRate = 0;
};

} // namespace harvoline
