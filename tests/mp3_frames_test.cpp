#include "model/errors.h"
#include "platform/mp3_frames.h"
#include "model/config/regular_file.h"
#include "tests/support/sound_files.h"
#include "tests/support/tag_files.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace harvoline;
using namespace harvoline::testing;

namespace {

// SilentMp3's frames: 1152 samples at 44.1 kHz, 417 bytes.
constexpr qint64 FrameBytes = 417;
std::int64_t MsOfFrames(std::int64_t frames) {
    return frames * 1152 * 1000 / 44100;
}

// An ID3v2.4 tag of that many bytes in all, its frames all padding.
QByteArray Id3v2Padding(int size) {
    QByteArray tag("ID3\x04\0\0", 6);
    for (int shift = 21; shift >= 0; shift -= 7) {
        tag += static_cast<char>(((size - 10) >> shift) & 0x7F);
    }
    return tag + QByteArray(size - 10, '\0');
}

class Mp3FramesTest : public ::testing::Test {
  protected:
    std::optional<Mp3Frames> Scan(const QByteArray& bytes) {
        const QString path = Folder.filePath("song.mp3");
        WriteBytes(path, bytes);
        return Mp3Frames::Scan(RegularFile(path));
    }

    QTemporaryDir Folder;
};

} // namespace

TEST_F(Mp3FramesTest, CountsTheFramesBetweenTagsAndAcrossDamage) {
    const QByteArray wav = [this] {
        const QString path = Folder.filePath("tone.wav");
        WriteToneWav(path, 500);
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }();
    struct Case {
        const char* Name;
        QByteArray Bytes;
        int Frames; // -1: not taken for an MP3 file
        qint64 First;
    };
    const Case cases[] = {
        {"frames alone", SilentMp3(100), 100, 0},
        {"an ID3v2 tag before", Id3v2Padding(2000) + SilentMp3(100), 100, 2000},
        {"an ID3v1 record after", SilentMp3(100) + Id3v1Record({.Title = "T"}), 100, 0},
        {"junk after the tag", Id3v2Padding(100) + QByteArray(300, '\xFF') + SilentMp3(100), 100,
         400},
        {"a damaged stretch", SilentMp3(60) + QByteArray(999, 'x') + SilentMp3(40), 100, 0},
        {"a last frame cut short", SilentMp3(100).chopped(100), 99, 0},
        {"two frames", SilentMp3(2), -1, 0},
        {"a WAV file", wav, -1, 0},
        {"nothing", QByteArray(), -1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        const std::optional<Mp3Frames> frames = Scan(c.Bytes);
        ASSERT_EQ(frames.has_value(), c.Frames >= 0);
        if (frames) {
            EXPECT_EQ(frames->LengthMs(), MsOfFrames(c.Frames));
            EXPECT_EQ(frames->StartAt(0)->Offset, c.First);
        }
    }
}

TEST_F(Mp3FramesTest, StartsAtTheFirstFrameFromTheTime) {
    const std::optional<Mp3Frames> frames =
        Scan(Id3v2Padding(1000) + SilentMp3(100) + Id3v1Record({.Title = "T"}));
    ASSERT_TRUE(frames);
    // 2000 ms falls inside frame 76, which begins at 1985 ms: the start is the next one.
    const std::optional<Mp3Frames::Start> start = frames->StartAt(2000);
    ASSERT_TRUE(start);
    EXPECT_EQ(start->Offset, 1000 + 77 * FrameBytes);
    EXPECT_EQ(start->Ms, MsOfFrames(77));
    EXPECT_EQ(frames->StartAt(MsOfFrames(99))->Offset, 1000 + 99 * FrameBytes);
    EXPECT_FALSE(frames->StartAt(MsOfFrames(99) + 1));
    EXPECT_EQ(frames->End(), 1000 + 100 * FrameBytes);
}

TEST_F(Mp3FramesTest, GivesTheTrueLengthOfAVbrFileWithoutXingHeader) {
    const QString path = Folder.filePath("vbr.mp3");
    ASSERT_TRUE(WriteVbrMp3WithoutXing(path, 5000));
    const std::optional<Mp3Frames> frames = Mp3Frames::Scan(RegularFile(path));
    ASSERT_TRUE(frames);
    // The encoder adds a little silence at both ends.
    EXPECT_GE(frames->LengthMs(), 5000);
    EXPECT_LT(frames->LengthMs(), 5100);
}
