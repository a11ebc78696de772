#include "model/config/game_config.h"
#include "model/config/language.h"
#include "model/media/playlist_rules.h"
#include "tests/support/fake_media.h"
#include "tests/support/fake_platform.h"
#include "tests/support/picture_files.h"
#include "tests/support/tag_files.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace harvoline;
using namespace harvoline::testing;

namespace {

// About 3.1 s of sound: playable from the default start at 2000 ms.
constexpr int LongFrames = 120;
// About 0.2 s: shorter than the default start.
constexpr int ShortFrames = 8;

struct CheckRun {
    int ExitCode = -1;
    QString Output;
    QString Errors;

    QJsonObject Json() const { return QJsonDocument::fromJson(Output.toUtf8()).object(); }
    QJsonObject JsonEntry(const QString& entry) const {
        for (const QJsonValue& item : Json()["entries"].toArray()) {
            if (item["entry"] == entry) {
                return item.toObject();
            }
        }
        return {};
    }
};

// Runs a copy of the checker in a folder of its own, so only a settings file the test
// puts beside it counts.
class PlaylistChecker : public ::testing::Test {
  protected:
    PlaylistChecker() {
        QDir(Folder.path()).mkpath("bin");
        QDir(Folder.path()).mkpath("songs");
        QFile::copy(HARVOLINE_CHECK_BINARY, Checker());
    }

    QString Checker() const { return Folder.filePath("bin/harvoline-check"); }
    QString Fifo() const {
        const QString path = Folder.filePath("pipe.m3u");
        ::mkfifo(QFile::encodeName(path).constData(), 0600);
        return path;
    }
    QString SongPath(const QString& name) const { return Folder.filePath("songs/" + name); }

    void WriteSong(const QString& name, const QString& title, const QString& artist,
                   int frames = LongFrames) const {
        WriteBytes(SongPath(name), SilentMp3(frames) + Id3v1Record({.Title = title.toLatin1(),
                                                                    .Artist = artist.toLatin1()}));
    }

    // Songs s1.mp3 .. sN.mp3 titled "Title i" by "Artist i".
    QStringList WriteSongs(int count) const {
        QStringList names;
        for (int i = 1; i <= count; ++i) {
            names << QString("s%1.mp3").arg(i);
            WriteSong(names.last(), QString("Title %1").arg(i), QString("Artist %1").arg(i));
        }
        return names;
    }

    QString WritePlaylist(const QStringList& lines) const {
        const QString path = SongPath("list.m3u");
        WriteBytes(path, lines.join("\r\n").toUtf8() + "\r\n");
        return path;
    }

    CheckRun Run(const QStringList& arguments) const {
        QProcess process;
        process.setWorkingDirectory(Folder.path());
        process.start(Checker(), arguments);
        CheckRun run;
        if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit) {
            ADD_FAILURE() << "the checker did not finish: " << process.errorString().toStdString();
            return run;
        }
        run.ExitCode = process.exitCode();
        run.Output = QString::fromUtf8(process.readAllStandardOutput());
        run.Errors = QString::fromUtf8(process.readAllStandardError());
        return run;
    }

    QTemporaryDir Folder;
};

} // namespace

TEST_F(PlaylistChecker, ListsEachEntryWithTheAnswerOrTheGamesReason) {
    QStringList lines = {"#EXTM3U", "", "#EXTINF:3,Artist 1 - Title 1"};
    lines += WriteSongs(6);
    WriteBytes(SongPath("untagged.mp3"), SilentMp3(LongFrames));
    WriteSong("short.mp3", "Short", "Song", ShortFrames);
    lines += {"missing.mp3", "untagged.mp3", "short.mp3"};

    const CheckRun run = Run({WritePlaylist(lines)});

    EXPECT_EQ(run.ExitCode, 0) << run.Errors.toStdString();
    const QString& out = run.Output;
    auto hasLine = [&out](const QString& pattern) {
        return QRegularExpression("^" + pattern + "$", QRegularExpression::MultilineOption)
            .match(out)
            .hasMatch();
    };
    EXPECT_TRUE(hasLine(R"(ok  s1\.mp3 +Title 1 - Artist 1)")) << out.toStdString();
    EXPECT_TRUE(hasLine(R"(ok  s6\.mp3 +Title 6 - Artist 6)")) << out.toStdString();
    EXPECT_TRUE(hasLine(R"(--  missing\.mp3 +Datei nicht gefunden\.)")) << out.toStdString();
    EXPECT_TRUE(hasLine(R"(--  untagged\.mp3 +Lied hat keinen lesbaren ID3v1-Tag\.)"))
        << out.toStdString();
    EXPECT_TRUE(hasLine(R"(--  short\.mp3 +read error)")) << out.toStdString();
    EXPECT_FALSE(out.contains("#EXT"));
    // The unusable last entry still counts for the game: seven, so one round.
    EXPECT_TRUE(hasLine(R"(6 of 9 songs usable, at least 1 round)")) << out.toStdString();
}

TEST_F(PlaylistChecker, JsonHoldsTheSameFacts) {
    QStringList lines = WriteSongs(4);
    WriteBytes(SongPath("cover.mp3"), SilentMp3(LongFrames));
    WriteId3v2(SongPath("cover.mp3"), {.Title = "Pictured", .Artist = "Band"}, 3,
               TagLib::String::Latin1, {{"image/png", PictureBytes("PNG")}});
    // Not beside the playlist, so taken against the current folder.
    WriteBytes(Folder.filePath("outside.mp3"),
               SilentMp3(LongFrames) + Id3v1Record({.Title = "Outside", .Artist = "Band"}));
    lines += {"cover.mp3", "outside.mp3", "missing.mp3"};

    const CheckRun run = Run({"--json", WritePlaylist(lines)});

    EXPECT_EQ(run.ExitCode, 0) << run.Errors.toStdString();
    QJsonParseError error;
    QJsonDocument::fromJson(run.Output.toUtf8(), &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << run.Output.toStdString();
    const QJsonObject json = run.Json();
    EXPECT_EQ(json["playlist"].toString(), SongPath("list.m3u"));
    EXPECT_EQ(json["skipMs"].toInt(), 2000);
    EXPECT_EQ(json["entries"].toArray().size(), 7);
    EXPECT_EQ(json["usableSongs"].toInt(), 6);
    EXPECT_EQ(json["rounds"].toInt(), 1);
    EXPECT_EQ(json["neverDrawn"].toString(), "missing.mp3");

    const QJsonObject pictured = run.JsonEntry("cover.mp3");
    EXPECT_EQ(pictured["path"].toString(), SongPath("cover.mp3"));
    EXPECT_TRUE(pictured["usable"].toBool());
    EXPECT_EQ(pictured["answer"].toString(), "Pictured - Band");
    EXPECT_TRUE(pictured["cover"].toBool());
    EXPECT_EQ(run.JsonEntry("outside.mp3")["path"].toString(), Folder.filePath("outside.mp3"));
    EXPECT_EQ(run.JsonEntry("outside.mp3")["answer"].toString(), "Outside - Band");
    const QJsonObject missing = run.JsonEntry("missing.mp3");
    EXPECT_FALSE(missing["usable"].toBool());
    EXPECT_EQ(missing["reason"].toString(), "Datei nicht gefunden.");
    EXPECT_EQ(json["withoutCover"].toArray(),
              QJsonArray::fromStringList({"s1.mp3", "s2.mp3", "s3.mp3", "s4.mp3", "outside.mp3"}));
    EXPECT_TRUE(json["collisions"].toArray().isEmpty());
}

TEST_F(PlaylistChecker, ReportsAnswersThatCollideIgnoringCase) {
    QStringList lines = WriteSongs(5);
    WriteSong("upper.mp3", "SAME SONG", "BAND");
    WriteSong("lower.mp3", "same song", "band");
    lines += {"upper.mp3", "lower.mp3"};
    const QString playlist = WritePlaylist(lines);

    const CheckRun text = Run({playlist});
    EXPECT_TRUE(text.Output.contains("SAME SONG - BAND: upper.mp3, lower.mp3"))
        << text.Output.toStdString();

    const QJsonArray collisions = Run({playlist, "--json"}).Json()["collisions"].toArray();
    ASSERT_EQ(collisions.size(), 1);
    EXPECT_EQ(collisions[0]["entries"].toArray(),
              QJsonArray::fromStringList({"upper.mp3", "lower.mp3"}));
}

TEST_F(PlaylistChecker, ExitStatusTellsWhetherTheGameHasSongsEnough) {
    for (const auto& [songs, exitCode] : {std::pair{6, 0}, {5, 1}, {0, 1}}) {
        const CheckRun run = Run({WritePlaylist(WriteSongs(songs))});
        EXPECT_EQ(run.ExitCode, exitCode) << songs << " songs";
    }
}

TEST_F(PlaylistChecker, ExitsWithTwoWhenItCannotCheck) {
    const QString playlist = WritePlaylist(WriteSongs(6));
    const struct {
        const char* Name;
        QStringList Arguments;
    } cases[] = {
        {"no arguments", {}},
        {"a missing playlist", {Folder.filePath("nowhere.m3u")}},
        {"a folder for a playlist", {Folder.path()}},
        {"an unknown option", {"--quiet", playlist}},
        {"two playlists", {playlist, playlist}},
        // Neither waits for a writer or reads without end.
        {"a named pipe for a playlist", {Fifo()}},
        {"a device for a playlist", {"/dev/zero"}},
    };
    for (const auto& c : cases) {
        const CheckRun run = Run(c.Arguments);
        EXPECT_EQ(run.ExitCode, 2) << c.Name;
        EXPECT_TRUE(run.Output.isEmpty()) << c.Name;
        EXPECT_FALSE(run.Errors.isEmpty()) << c.Name;
    }
}

TEST_F(PlaylistChecker, SongsStartWhereTheSettingsBesideItSay) {
    QStringList lines = WriteSongs(6);
    WriteSong("short.mp3", "Short", "Song", ShortFrames);
    lines << "short.mp3";
    const QString playlist = WritePlaylist(lines);
    const QString settings = Folder.filePath("bin/Harvoline.ini");
    const struct {
        const char* Name;
        QByteArray Settings;
        int SkipMs;
        bool ShortSongPlays;
    } cases[] = {
        {"no settings file", {}, 2000, false},
        {"a file without line 8", "Playlist: x\r\n", 2000, false},
        // Without line 9 the game, too, starts with the default settings.
        {"a file without line 9", "0\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\nSkip 0 ms\r\n", 2000,
         false},
        {"line 8 says 0", "0\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\nSkip 0 ms\r\n\r\n", 0, true},
        {"line 8 says 5 s", "0\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n5000\r\n\r\n", 5000, false},
    };
    for (const auto& c : cases) {
        QFile::remove(settings);
        if (!c.Settings.isEmpty()) {
            WriteBytes(settings, c.Settings);
        }
        const CheckRun run = Run({"--json", playlist});
        EXPECT_EQ(run.Json()["skipMs"].toInt(), c.SkipMs) << c.Name;
        EXPECT_EQ(run.JsonEntry("short.mp3")["usable"].toBool(), c.ShortSongPlays) << c.Name;
    }
}

TEST_F(PlaylistChecker, TakesTheSettingsAndTheLanguageAsTheGameDoes) {
    QStringList lines = WriteSongs(6);
    WriteSong("short.mp3", "Short", "Song", ShortFrames);
    lines << "short.mp3"
          << "missing.mp3";
    const QString playlist = WritePlaylist(lines);
    WriteBytes(Folder.filePath("broken.jpg"), "no picture at all");
    QStringList german = DefaultSettings(DefaultLanguageTable());
    german[8] = "Skip 0 ms";
    QStringList english = german;
    english[6] = HARVOLINE_SOURCE_DIR "/languages/English.ini";
    QStringList brokenPicture = german;
    brokenPicture[5] = "broken.jpg"; // against the current folder, as the game takes it
    const struct {
        const char* Name;
        QStringList Settings;
        const char* Missing;
    } cases[] = {
        {"German", german, "Datei nicht gefunden."},
        {"English", english, "File not found."},
        {"a background the game cannot decode", brokenPicture, "Datei nicht gefunden."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        WriteBytes(Folder.filePath("bin/Harvoline.ini"), c.Settings.join("\r\n").toUtf8());
        FakePlatform platform;
        platform.ExeFolder = Folder.filePath("bin/");
        platform.WorkFolder = Folder.path() + '/';
        GameConfig game(platform);
        game.ReadSettings();

        const CheckRun run = Run({"--json", playlist});
        EXPECT_EQ(run.Json()["skipMs"].toInt(), game.SkipMs());
        EXPECT_EQ(run.JsonEntry("short.mp3")["usable"].toBool(), game.SkipMs() == 0);
        EXPECT_EQ(run.JsonEntry("missing.mp3")["reason"].toString(), c.Missing);
        EXPECT_EQ(run.JsonEntry("missing.mp3")["reason"].toString(), game.Text(9));
    }
}

TEST_F(PlaylistChecker, PrintsNamesAsTheyAre) {
    QStringList lines = WriteSongs(6);
    lines << "y%1 %2.mp3";
    const QString playlist = SongPath("x%1.m3u");
    WriteBytes(playlist, lines.join("\n").toUtf8());
    const CheckRun run = Run({playlist});
    EXPECT_TRUE(run.Output.startsWith("Playlist " + playlist + ", songs starting at 2000 ms\n"))
        << run.Output.toStdString();
    EXPECT_TRUE(run.Output.contains("The game never draws the last entry, y%1 %2.mp3: it is"))
        << run.Output.toStdString();
}

TEST_F(PlaylistChecker, FindsTheDemoPlaylistsMissingSong) {
    const CheckRun run = Run({"--json", HARVOLINE_DEMO_PLAYLIST});
    EXPECT_EQ(run.ExitCode, 0) << run.Errors.toStdString();
    const QJsonObject json = run.Json();
    EXPECT_GE(json["usableSongs"].toInt(), 16);
    const QJsonObject missing = run.JsonEntry("lost-and-never-found.mp3");
    EXPECT_FALSE(missing["usable"].toBool());
    EXPECT_EQ(missing["reason"].toString(), "Datei nicht gefunden.");
}

TEST(PlayingASong, OpensAndStartsItWhereARoundWould) {
    const struct {
        const char* Name;
        bool FailToOpen;
        bool FailToPlay;
        bool Plays;
    } cases[] = {
        {"a song that plays", false, false, true},
        {"a file the player cannot open", true, false, false},
        {"a start past the end", false, true, false},
    };
    for (const auto& c : cases) {
        FakeAudioPlayer player;
        if (c.FailToOpen) {
            player.FailToOpen.insert("song.mp3");
        }
        if (c.FailToPlay) {
            player.FailToPlay.insert("song.mp3");
        }
        EXPECT_EQ(CanPlaySong(player, "song.mp3", 1500), c.Plays) << c.Name;
        EXPECT_EQ(player.Opened, QStringList{"song.mp3"}) << c.Name;
        EXPECT_EQ(player.LastStart, c.Plays ? 1500 : -1) << c.Name;
        EXPECT_FALSE(player.IsPlaying()) << c.Name;
    }
}

TEST(PlaylistRounds, CountTheNeverDrawnLastEntryWhateverItHolds) {
    const struct {
        int Usable;
        bool LastUsable;
        int Rounds;
    } cases[] = {
        {0, false, 0}, {5, true, 0}, {5, false, 0},   {6, true, 0},
        {6, false, 1}, {7, true, 1}, {18, false, 13}, {18, true, 12},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LeastSongRounds(c.Usable, c.LastUsable), c.Rounds)
            << c.Usable << " usable, last " << (c.LastUsable ? "usable" : "not usable");
    }
}
