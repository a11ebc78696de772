#include "model/game/report_errors.h"
#include "tests/support/game_fixture.h"
#include "tests/support/tag_files.h"
#include "tests/support/time_limits.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QUrl>
#include <algorithm>
#include <numeric>
#include <sys/stat.h>
#include <vector>

using namespace harvoline;
using namespace harvoline::testing;

namespace {

class PlaylistTest : public GameTest {
  protected:
    QStringList LogReasons(const QuizGame& game) const {
        QStringList reasons;
        for (const QString& line : game.Config().ErrorLog()) {
            reasons << line.section(" --> ", 1);
        }
        return reasons;
    }
};

} // namespace

TEST_F(PlaylistTest, OpensPlaysOneRoundAndRemembersThePlaylist) {
    const QString list = WritePlaylist(WriteSongs(8));
    QuizGame& game = OpenWith(list);

    ASSERT_EQ(Platform.Dialogs.size(), 1u);
    EXPECT_EQ(Platform.Dialogs[0].Title, "Playlist öffnen");
    EXPECT_EQ(Platform.Dialogs[0].InitialFolder, ExePath("demo"));
    EXPECT_EQ(game.Config().Settings().Line(0), "Playlist: " + list);
    EXPECT_EQ(game.Songs().PathOf("s1.mp3"), SongFolder() + "s1.mp3");
    EXPECT_TRUE(game.StartMeansNext());
    EXPECT_EQ(game.Songs().Entries().size(), 7);
    EXPECT_EQ(game.RoundsSinceLastCover(), 1);
    ASSERT_EQ(Platform.Player.Played.size(), 1);
    EXPECT_EQ(Platform.Player.LastStart, 2000);
    EXPECT_TRUE(Platform.Waits.size() >= 1 && Platform.Waits[0] == 500);
    EXPECT_EQ(game.Choices().Count(), 4);
    EXPECT_TRUE(game.Choices().All().contains(game.RightAnswer()));
    QStringList sorted = game.Choices().All();
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(game.Choices().All(), sorted);
    EXPECT_FALSE(game.Songs().Entries().contains(QFileInfo(Platform.Player.Played[0]).fileName()));
    EXPECT_TRUE(game.Timers().ClueTimer.isActive());
    EXPECT_TRUE(game.Timers().RoundClockTimer.isActive());
    EXPECT_FALSE(game.FreshPlaylist());
    EXPECT_TRUE(game.PlaylistRunning());
    EXPECT_TRUE(game.Config().ErrorLog().isEmpty());

    // The next dialog opens where the last playlist was.
    Platform.DialogAnswers.push_back(std::nullopt);
    game.OpenPlaylist();
    EXPECT_EQ(Platform.Dialogs[1].InitialFolder, QFileInfo(list).path());
    EXPECT_EQ(Platform.Dialogs[1].FileName, "list.m3u");
    EXPECT_EQ(game.Songs().Entries().size(), 7);
}

TEST_F(PlaylistTest, TheWaitForTheSongEndsAsSoonAsItSounds) {
    const struct {
        const char* Name;
        std::int64_t StartsAfterMs;
        std::int64_t WaitedMs; // after the fixed 500 ms
    } cases[] = {
        {"at once", 0, 0},
        {"after 250 ms", 250, 250},
        {"never", 1000000, 4000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        Platform.Player.StartsAfterMs = c.StartsAfterMs;
        Platform.Waits.clear();
        QuizGame& game = OpenWith(WritePlaylist(WriteSongs(8)));
        ASSERT_FALSE(Platform.Waits.empty());
        EXPECT_EQ(Platform.Waits.front(), 500);
        const std::vector<int> polls(Platform.Waits.begin() + 1, Platform.Waits.end());
        EXPECT_EQ(std::accumulate(polls.begin(), polls.end(), std::int64_t{0}), c.WaitedMs);
        EXPECT_TRUE(std::ranges::all_of(polls, [](int ms) { return ms == 10; }));
        // The round goes on whether or not the song sounds.
        EXPECT_TRUE(game.Timers().RoundClockTimer.isActive());
    }
}

TEST_F(PlaylistTest, ExactlySixSongsGiveOneRoundAndTheLastLineIsNeverDrawn) {
    const QStringList names = WriteSongs(6);
    QuizGame& game = OpenWith(WritePlaylist(names));
    EXPECT_EQ(Platform.Player.Played.size(), 1);
    EXPECT_EQ(game.Songs().Entries().size(), 5);
    EXPECT_EQ(game.DrawSong(), -1);

    // Whatever the draws, the song on the last line is neither played nor offered.
    for (int run = 0; run < 20; ++run) {
        Platform.Player = FakeAudioPlayer();
        Platform.RandomState = static_cast<unsigned>(run * 7919 + 1);
        QuizGame& again = OpenWith(WritePlaylist(WriteSongs(7)));
        EXPECT_FALSE(Platform.Player.Played[0].endsWith("s7.mp3"));
        EXPECT_FALSE(again.Choices().All().contains("Title 7 - Artist 7"));
    }
}

TEST_F(PlaylistTest, FiltersCommentsEmptyAndDigitOnlyLinesButKeepsAByteOrderMarkedHeader) {
    QStringList lines = WriteSongs(7);
    lines.insert(0, "#EXTM3U");
    lines.insert(1, "#EXTINF:123,Artist 1 - Title 1");
    lines.insert(3, "");
    lines.insert(4, "12345");
    lines.insert(5, "  #not a comment.mp3");
    lines.insert(6, "--- ---");
    QuizGame& game = StartUp();
    Platform.DialogAnswers.push_back(WritePlaylist(lines));
    Platform.RandomValues = {0, 0, 1, 2, 3};
    game.OpenPlaylist();
    // Seven songs and the line led by blanks are entries: one played, the rest left or
    // dropped when drawn.
    EXPECT_EQ(game.Songs().Entries().size() + game.Config().ErrorLog().size() + 1, 8);
    EXPECT_TRUE(game.Songs().Entries().contains("  #not a comment.mp3") ||
                LogReasons(game).contains("Datei nicht gefunden."));

    QuizGame& marked = StartUp();
    Platform.DialogAnswers.push_back(
        WritePlaylist(WriteSongs(6).mid(0, 5), "\xEF\xBB\xBF#EXTM3U\r\n"));
    marked.OpenPlaylist();
    // Six entries: the marked header counts, and is dropped as missing once drawn.
    EXPECT_TRUE(Platform.Informations.isEmpty() ||
                Platform.Informations.first() != "5 Lieder in der Playlist");
}

TEST_F(PlaylistTest, AllFilesMissingEndsWithTheLongMessageAndOneLogLineEach) {
    QStringList lines;
    for (int i = 1; i <= 8; ++i) {
        lines << QString("gone%1.mp3").arg(i);
    }
    QuizGame& game = OpenWith(WritePlaylist(lines));
    EXPECT_TRUE(Platform.Player.Played.isEmpty());
    EXPECT_EQ(Platform.Informations,
              QStringList{"Lieder in der Playlist: Datei nicht gefunden.. Playlist beendet"});
    EXPECT_EQ(game.Config().ErrorLog().size(), 3); // the draws stop once fewer than six are left
    for (const QString& line : game.Config().ErrorLog()) {
        EXPECT_TRUE(line.endsWith("gone" + line.section("gone", 1, 1).section(" ", 0, 0) +
                                  " --> Datei nicht gefunden."))
            << line.toStdString();
    }
    EXPECT_FALSE(game.StartMeansNext());
    EXPECT_FALSE(game.Timers().ClueTimer.isActive());
}

TEST_F(PlaylistTest, TooShortPlaylistShowsTheCountThenTheEnd) {
    QuizGame& game = OpenWith(WritePlaylist(WriteSongs(5)));
    EXPECT_EQ(Platform.Informations, (QStringList{"5 Lieder in der Playlist", "Playlist beendet"}));
    EXPECT_FALSE(game.StartMeansNext());
    EXPECT_TRUE(Platform.Player.Played.isEmpty());
}

TEST_F(PlaylistTest, EntriesAreFoundBesidePlaylistBeforeTheCurrentFolder) {
    QStringList names = WriteSongs(7);
    // The same name in the current folder holds a song the game must not take.
    Id3v1Fields other;
    other.Title = "Wrong place";
    other.Artist = "Nobody";
    WriteFile(ExePath("s1.mp3"), SilentMp3() + Id3v1Record(other));
    // An absolute entry is used as written.
    WriteSong("abs.mp3", "Absolute", "Path");
    names << SongFolder() + "abs.mp3";
    names << "last.mp3";
    QuizGame& game = StartUp();
    Platform.DialogAnswers.push_back(WritePlaylist(names));
    game.OpenPlaylist();
    EXPECT_EQ(game.Songs().PathOf("s1.mp3"), SongFolder() + "s1.mp3");
    EXPECT_EQ(game.Songs().PathOf(SongFolder() + "abs.mp3"), SongFolder() + "abs.mp3");
    EXPECT_EQ(game.Songs().PathOf("elsewhere.mp3"), ExePath("elsewhere.mp3"));
    for (int i = 0; i < 30; ++i) {
        const int drawn = game.DrawSong();
        ASSERT_GE(drawn, 0);
        EXPECT_NE(game.Songs().LastTag().Title, "Wrong place");
    }
}

TEST_F(PlaylistTest, SameAnswerTwiceGivesThreeChoices) {
    const QStringList names = WriteSongs(6);
    WriteSong("twin.mp3", "TITLE 1", "artist 1");
    QuizGame& game = StartUp();
    Platform.DialogAnswers.push_back(
        WritePlaylist(QStringList{"s1.mp3", "twin.mp3"} + names.mid(1) + QStringList{"s1.mp3"}));
    // Round song s1 (position 0), wrong answers twin (1), s2 (2), s3 (3).
    Platform.RandomValues = {0, 1, 2, 3};
    game.OpenPlaylist();
    EXPECT_EQ(game.RightAnswer(), "Title 1 - Artist 1");
    EXPECT_EQ(game.Choices().All(),
              (QStringList{"Title 1 - Artist 1", "Title 2 - Artist 2", "Title 3 - Artist 3"}));
}

TEST_F(PlaylistTest, OpenAndPlayFailuresAreLoggedAndAnotherSongPlays) {
    const QStringList names = WriteSongs(9);
    Platform.Player.FailToOpen.insert(SongFolder() + "s1.mp3");
    Platform.Player.FailToPlay.insert(SongFolder() + "s2.mp3");
    QuizGame& game = StartUp();
    Platform.DialogAnswers.push_back(WritePlaylist(names));
    Platform.RandomValues = {0, 0, 1, 2, 3, 0, 1, 2, 3};
    game.OpenPlaylist();
    EXPECT_EQ(game.Config().ErrorLog(), (QStringList{SongFolder() + "s1.mp3 --> read error",
                                                     SongFolder() + "s2.mp3 --> read error"}));
    ASSERT_EQ(Platform.Player.Played.size(), 1);
    EXPECT_FALSE(Platform.Player.Played[0].endsWith("s1.mp3"));
    EXPECT_FALSE(game.Songs().Entries().contains("s1.mp3"));
    EXPECT_FALSE(game.Songs().Entries().contains("s2.mp3"));
    EXPECT_EQ(game.RoundsSinceLastCover(), 2);
    EXPECT_TRUE(game.Timers().ClueTimer.isActive());
}

TEST_F(PlaylistTest, UntaggedSongsAreDroppedAndDigitOnlyTitlesAreReadAgain) {
    QStringList names = WriteSongs(6);
    WriteFile(SongFolder() + "untagged.mp3", SilentMp3());
    Id3v1Fields digits;
    digits.Title = "1234";
    digits.Artist = "99";
    WriteFile(SongFolder() + "digits.mp3", SilentMp3() + Id3v1Record(digits));
    WriteId3v2(SongFolder() + "digits.mp3", {"Real Title", "Real Artist"}, 3, TagLib::String::UTF8);
    QuizGame& game = StartUp();
    Platform.DialogAnswers.push_back(
        WritePlaylist(QStringList{"untagged.mp3", "digits.mp3"} + names));
    Platform.RandomValues = {0};
    game.OpenPlaylist();
    EXPECT_EQ(game.Config().ErrorLog(),
              QStringList{SongFolder() + "untagged.mp3 --> Lied hat keinen lesbaren ID3v1-Tag."});
    ASSERT_EQ(game.Songs().Entries().indexOf("digits.mp3"), 0);
    Platform.RandomValues = {0};
    EXPECT_EQ(game.DrawSong(), 0);
    EXPECT_EQ(game.Songs().LastTag().Title, "Real Title");
    EXPECT_EQ(game.Songs().LastTag().Artist, "Real Artist");

    // Without the tag library the digits-only song is dropped.
    Platform.TagLibraryAvailable = false;
    QuizGame& plain = StartUp();
    Platform.DialogAnswers.push_back(WritePlaylist(QStringList{"digits.mp3", "s1.mp3"} + names));
    Platform.RandomValues = {0};
    plain.OpenPlaylist();
    EXPECT_TRUE(plain.Config().ErrorLog().contains(
        SongFolder() + "digits.mp3 --> Lied hat keinen lesbaren ID3v1-Tag."));
}

TEST_F(PlaylistTest, BadEntriesAndHugePlaylistsNeitherHangNorCrash) {
    // Folders, devices, a FIFO and web addresses become log lines when drawn.
    QStringList names = WriteSongs(6);
    ASSERT_TRUE(QDir(SongFolder()).mkdir("folder.mp3"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(SongFolder() + "pipe.mp3").constData(), 0600), 0);
    const QStringList bad = {"folder.mp3", "/dev/zero", "pipe.mp3", "http://example.org/a.mp3"};
    QuizGame& game = StartUp();
    Platform.DialogAnswers.push_back(WritePlaylist(bad + names));
    Platform.RandomValues = {0, 0, 0, 0};
    game.OpenPlaylist();
    EXPECT_EQ(game.Config().ErrorLog().size(), 4);
    EXPECT_EQ(Platform.Player.Played.size(), 1);

    // 50 MB of random bytes.
    QByteArray noise(50 * 1024 * 1024, '\0');
    QRandomGenerator random(5);
    random.fillRange(reinterpret_cast<quint32*>(noise.data()), noise.size() / 4);
    WriteFile(SongFolder() + "noise.m3u", noise);
    Platform.DialogAnswers.push_back(SongFolder() + "noise.m3u");
    game.OpenPlaylist();
    EXPECT_TRUE(Platform.Errors.isEmpty());

    // 100 000 valid lines open quickly.
    QStringList many;
    for (int i = 0; i < 100000; ++i) {
        many << names[i % names.size()];
    }
    Platform.DialogAnswers.push_back(WritePlaylist(many));
    QElapsedTimer timer;
    timer.start();
    game.OpenPlaylist();
    EXPECT_LT(timer.elapsed(), 200 * TimeAllowance);
    EXPECT_EQ(game.Songs().Entries().size(), 99999);
}

TEST_F(PlaylistTest, APlaylistThatCannotBeReadIsRefusedWithTheReason) {
    const QString pipe = SongFolder() + "pipe.m3u";
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    QuizGame& game = StartUp();
    for (const QString& playlist : {pipe, QString("/dev/zero")}) {
        SCOPED_TRACE(playlist.toStdString());
        Platform.Errors.clear();
        Platform.DialogAnswers.push_back(playlist);
        ReportErrors(Platform, [&game] { game.Proceed(); });
        ASSERT_EQ(Platform.Errors.size(), 1);
        EXPECT_EQ(Platform.Errors[0], "Cannot read " + playlist + ": not a regular file");
        EXPECT_FALSE(game.StartMeansNext());
    }
}

TEST_F(PlaylistTest, AHundredThousandMissingFilesReachTheEndQuickly) {
    QStringList missing;
    for (int i = 0; i < 100000; ++i) {
        missing << QString("missing %1.mp3").arg(i);
    }
    QuizGame& game = StartUp();
    Platform.DialogAnswers.push_back(WritePlaylist(missing));
    QElapsedTimer timer;
    timer.start();
    game.OpenPlaylist();
    EXPECT_LT(timer.elapsed(), 1000 * TimeAllowance);
    EXPECT_EQ(game.Config().ErrorLog().size(), 100000 - 5);
    EXPECT_EQ(Platform.Informations.size(), 1);
    // The five left are the last five the draws did not reach, in the playlist's order.
    QStringList left = game.Songs().Entries();
    std::ranges::sort(left, [](const QString& a, const QString& b) {
        return a.section(' ', 1).toInt() < b.section(' ', 1).toInt();
    });
    EXPECT_EQ(game.Songs().Entries(), left);
    EXPECT_EQ(game.Songs().Entries().last(), "missing 99999.mp3");
}

TEST_F(PlaylistTest, DropsMissingSongsOneByOneAsTheyAreDrawn) {
    QStringList lines = WriteSongs(3);
    for (int i = 1; i <= 6; ++i) {
        lines << QString("gone%1.mp3").arg(i);
    }
    lines << "last.mp3";
    QuizGame& game = StartUp();
    Platform.DialogAnswers.push_back(WritePlaylist(lines));
    // gone1 at 3, then gone3 at 4 once gone1 is out, then gone4 at 4; s2 at 1 is taken.
    Platform.RandomValues = {3, 4, 4, 1};
    game.OpenPlaylist();
    const QStringList logged = {"gone1.mp3", "gone3.mp3", "gone4.mp3"};
    ASSERT_GE(game.Config().ErrorLog().size(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(
            game.Config().ErrorLog()[i].endsWith("/" + logged[i] + " --> Datei nicht gefunden."))
            << game.Config().ErrorLog()[i].toStdString();
    }
    EXPECT_EQ(Platform.Player.Opened.first(), SongFolder() + "s2.mp3");
}

TEST_F(PlaylistTest, FindsTheEntriesOtherPlayersWrite) {
    WriteSong("Kühl.mp3", "Kuehl", "Band");
    WriteSong("Grüße & Co.mp3", "Gruesse", "Band");
    WriteSong("blank.mp3", "Blank", "Band");
    const QString grusse =
        QUrl::fromLocalFile(SongFolder() + "Grüße & Co.mp3").toString(QUrl::FullyEncoded);
    ASSERT_TRUE(grusse.contains("%C3%BC")) << grusse.toStdString();
    const QStringList entries = {
        "Kühl.mp3",                   // UTF-8, beside a comment line in the Windows code page
        grusse,                       // a file:// address, percent-encoded
        "  blank.mp3 \t",             // blanks around the name
        "http://example.org/web.mp3", // a web address stays a missing file
    };
    const QStringList others = WriteSongs(3);
    QByteArray bytes = "#EXTM3U\r\n# Gr\xFC\xDF"
                       "e aus K\xF6ln\r\n";
    for (const QString& entry : entries + others) {
        bytes += entry.toUtf8() + "\r\n";
    }
    const QString playlist = SongFolder() + "list.m3u";
    WriteFile(playlist, bytes);
    QuizGame& game = StartUp();
    Platform.DialogAnswers.push_back(playlist);
    game.OpenPlaylist();
    EXPECT_EQ(game.Songs().PathOf(entries[0]), SongFolder() + "Kühl.mp3");
    EXPECT_EQ(game.Songs().PathOf(entries[1]), SongFolder() + "Grüße & Co.mp3");
    EXPECT_EQ(game.Songs().PathOf(entries[2]), SongFolder() + "blank.mp3");
    EXPECT_FALSE(QFileInfo::exists(game.Songs().PathOf(entries[3])));
    // Only the web address is missing when the three songs are drawn.
    game.Songs().SetEntries(entries + others);
    Platform.RandomValues = {0, 1, 2};
    EXPECT_EQ(game.DrawSong(), 0);
    EXPECT_EQ(game.Songs().LastTag().Title, "Kuehl");
    EXPECT_EQ(game.DrawSong(), 1);
    EXPECT_EQ(game.Songs().LastTag().Title, "Gruesse");
    EXPECT_EQ(game.DrawSong(), 2);
    EXPECT_EQ(game.Songs().LastTag().Title, "Blank");
}
