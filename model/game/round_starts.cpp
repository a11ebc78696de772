// Opening a playlist and ending it, and the start of song, cover and video rounds.
#include "model/game/quiz_game.h"

#include "model/config/text_file.h"
#include "model/errors.h"
#include "model/game/game_screen.h"
#include "model/game/game_services.h"
#include "model/media/answer_text.h"
#include "model/media/audio_player.h"
#include "model/media/media_folder.h"
#include "model/media/playlist_rules.h"
#include "model/media/video_view.h"

#include <QFileInfo>

namespace harvoline {

namespace {

// How long a song may take to sound once asked to play; libvlc takes a few milliseconds.
constexpr int SongStartBoundMs = 4000;
// How long a video may take to report playing after the wait that follows play; a film
// that is slow to open still gets its round.
constexpr int VideoStartBoundMs = 5000;
// How often a wait looks again.
constexpr int WaitStepMs = 10;

} // namespace

bool QuizGame::OpenPlaylist() {
    FileDialogRequest request = Settings.PlaylistDialog();
    const QString last = Settings.Settings().Line(0).mid(10);
    if (last.isEmpty()) {
        // A new user starts in the demo folder.
        request.InitialFolder = Settings.Places().ShippedFolder() + QStringLiteral("demo");
    } else {
        const QFileInfo lastFile(last);
        request.InitialFolder = lastFile.path();
        request.FileName = lastFile.fileName();
    }
    const std::optional<QString> chosen = Settings.ChooseFile(request);
    if (!chosen) {
        return false;
    }
    const QStringList lines = ReadTextLines(*chosen);
    const QFileInfo playlist(*chosen);
    SongDeck.SetEntries(PlayableEntries(lines));
    Fresh = true;
    Settings.Settings().SetLine(0, Settings.Text(3) + QStringLiteral(": ") +
                                       playlist.absoluteFilePath());

    if (SongDeck.Size() >= MinimumPlaylistSongs) {
        NextOnStart = true;
        SongDeck.SetFolder(playlist.absolutePath() + u'/');
        emit SongCountChanged();
        for (int seat = 1; seat <= 4; ++seat) {
            ResetScore(seat);
        }
        Running = true;
        emit PhaseChanged();
        StartSongRound();
    } else {
        Services.ShowInformation(QString::number(SongDeck.Size()) + u' ' + Settings.Text(7));
        Fresh = false;
        EndPlaylist();
    }
    MiniCoverOnScreen = false;
    HideMasks();
    TimerSet.MaskTimer.stop();
    return true;
}

int QuizGame::DrawSong(int e1, int e2, int e3) {
    return DrawTrackedSong({&e1, &e2, &e3});
}

int QuizGame::DrawTrackedSong(const std::array<int*, 3>& attached) {
    const SongDraw draw = SongDeck.Draw(attached);
    if (draw.Position >= 0 || draw.RanOut) {
        emit SongCountChanged();
    }
    if (draw.RanOut) {
        EndPlaylist();
    }
    return draw.Position;
}

void QuizGame::TakeAnswerFromTag() {
    Right = AnswerOfTag(SongDeck.LastTag());
    Answers.Clear();
    Answers.Add(Right);
}

void QuizGame::StartSongRound() {
    // A song that fails to start is dropped and the round starts again with another.
    while (!TryStartSongRound()) {
    }
}

bool QuizGame::TryStartSongRound() {
    ++RoundsSinceCover;
    int wrong1 = -1;
    int wrong2 = -1;
    CurrentIndex = -1;
    CurrentIndex = DrawTrackedSong({&CurrentIndex, &wrong1, &wrong2});
    if (CurrentIndex < 0) {
        ClearAnswerLines();
        return true;
    }
    AudioPlayer& player = Services.Audio();
    if (!player.FileName().isEmpty()) {
        player.Stop();
    }
    FreeVideoView();
    VideoRound = false;
    TakeAnswerFromTag();
    player.Close();

    const QString unreadable = SongProblemReason(SongProblem::Unreadable, Settings.Language());
    QString path = SongDeck.PathOf(SongDeck.Entries()[CurrentIndex]);
    for (;;) {
        try {
            player.Open(path);
            break;
        } catch (const HarvolineError&) {
            Settings.ErrorLog().append(path + QStringLiteral(" --> ") + unreadable);
            SongDeck.RemoveAt(CurrentIndex);
            Answers.Clear();
            CurrentIndex = -1;
            const bool couldDraw = SongDeck.Size() >= MinimumPlaylistSongs;
            CurrentIndex = DrawTrackedSong({&CurrentIndex, &wrong1, &wrong2});
            if (CurrentIndex < 0) {
                // A draw that ran out of songs has ended the playlist already.
                if (!couldDraw) {
                    EndPlaylist();
                }
                return true;
            }
            TakeAnswerFromTag();
            path = SongDeck.PathOf(SongDeck.Entries()[CurrentIndex]);
        }
    }

    const std::array<int*, 3> round = {&CurrentIndex, &wrong1, &wrong2};
    wrong1 = DrawTrackedSong(round);
    if (wrong1 >= 0) {
        Answers.Add(AnswerOfTag(SongDeck.LastTag()));
        wrong2 = DrawTrackedSong(round);
    }
    if (wrong2 >= 0) {
        Answers.Add(AnswerOfTag(SongDeck.LastTag()));
        const int wrong3 = DrawTrackedSong(round);
        if (wrong3 >= 0) {
            Answers.Add(AnswerOfTag(SongDeck.LastTag()));
        }
    }
    if (SongDeck.Size() < MinimumPlaylistSongs) {
        // The wrong answers ran the playlist out and ended it: no song plays behind its
        // end message.
        player.Close();
        Answers.Clear();
        ClearAnswerLines();
        return true;
    }
    SongDeck.RemoveAt(CurrentIndex);
    // The count shows the songs still to come, this round's song no longer among them.
    emit SongCountChanged();

    player.SetStartPosition(Settings.SkipMs());
    Services.Wait(500);
    try {
        player.Play();
    } catch (const HarvolineError&) {
        Settings.ErrorLog().append(path + QStringLiteral(" --> ") + unreadable);
        return false;
    }
    Fresh = false;
    WaitUntil([&player] { return player.IsPlaying(); }, SongStartBoundMs);
    TimerSet.ClueTimer.start();
    TimerSet.RoundClockTimer.start();
    ClearAnswerLines();
    return true;
}

bool QuizGame::WaitUntil(const std::function<bool()>& done, int boundMs) {
    const std::int64_t deadline = Services.NowMs() + boundMs;
    while (!done()) {
        if (Services.NowMs() >= deadline) {
            return false;
        }
        Services.Wait(WaitStepMs);
    }
    return true;
}

void QuizGame::EndPlaylist() {
    ++PlaylistEnds;
    // Stopped before the message, whose wait would let the timers tick on.
    StopRounds();
    Services.ShowInformation(Fresh ? Settings.Text(7) + QStringLiteral(": ") + Settings.Text(9) +
                                         QStringLiteral(". ") + Settings.Text(8)
                                   : Settings.Text(8));
    // A playlist that never began has no standings; a single-player game goes on with the
    // next playlist until its time is up.
    if (!Fresh && !Single.SinglePlayer) {
        emit PlaylistEnded();
    }
}

void QuizGame::StopRounds() {
    Running = false;
    NextOnStart = false;
    Services.Audio().Stop();
    FreeVideoView();
    for (QTimer* timer : {&TimerSet.ClueTimer, &TimerSet.RoundClockTimer, &TimerSet.AnswerTimer,
                          &TimerSet.TileTimer, &TimerSet.MaskTimer}) {
        timer->stop();
    }
    SetPhase(RoundPhase::Closed);
}

void QuizGame::CreateVideoView() {
    VideoPlayer = Screen->CreateVideoView();
    VideoPlayer->SetVisible(false);
}

void QuizGame::FreeVideoView() {
    if (VideoPlayer == nullptr) {
        return;
    }
    VideoPlayer->SetVisible(false);
    try {
        VideoPlayer->Stop();
    } catch (const HarvolineError&) {
    }
    VideoPlayer->PlaylistClear();
    VideoPlayer.reset();
}

bool QuizGame::StartCoverRound() {
    // The round's state changes only once its picture is on the panel.
    for (;;) {
        CurrentIndex = CoverPictures.Draw();
        if (CurrentIndex < 0) {
            return false;
        }
        const QString path = CoverPictures.Folder() + CoverPictures.Names()[CurrentIndex];
        try {
            Screen->ShowCover(path);
            break;
        } catch (const HarvolineError&) {
            // Dropped, so the same file cannot cost a round again a few rounds later.
            Settings.ErrorLog().append(path + QStringLiteral(" --> read error"));
            CoverPictures.RemoveAt(CurrentIndex);
        }
    }
    RoundsSinceCover = 0;
    // A cover round is never clocked as a video round.
    VideoRound = false;
    CoverOnScreen = true;
    Tiles.fill(true);
    emit CoverChanged();
    const QString name = CoverPictures.Names()[CurrentIndex];
    Right = AnswerFromFileName(WithoutExtension(name), Settings.ErrorLog());
    Answers.Clear();
    Answers.Add(Right);
    const int wrong1 = CoverPictures.Draw(CurrentIndex);
    const int wrong2 = CoverPictures.Draw(CurrentIndex, wrong1);
    const int wrong3 = CoverPictures.Draw(CurrentIndex, wrong1, wrong2);
    for (const int wrong : {wrong1, wrong2, wrong3}) {
        Answers.Add(WithoutExtension(CoverPictures.Names()[wrong]));
    }
    CoverPictures.RemoveAt(CurrentIndex);

    OpenedTiles = 0;
    TimerSet.TileTimer.start();
    RoundClock = 0;
    TimerSet.RoundClockTimer.setInterval(10);
    TimerSet.RoundClockTimer.start();
    ClearAnswerLines();
    return true;
}

bool QuizGame::StartVideoRound() {
    ++RoundsSinceCover;
    CurrentIndex = MusicVideos.Draw();
    if (CurrentIndex < 0) {
        ClearAnswerLines();
        return true;
    }
    TimerSet.ClueTimer.stop();
    TimerSet.RoundClockTimer.stop();
    TimerSet.MaskTimer.stop();
    try {
        AudioPlayer& player = Services.Audio();
        if (!player.FileName().isEmpty()) {
            player.Stop();
        }
    } catch (const std::exception&) {
    }
    const QString name = MusicVideos.Names()[CurrentIndex];
    // Each step runs even after an earlier one failed.
    const bool loaded = LoadVideo(name);
    const bool played = PlayVideo(name);
    const bool finished = FinishVideoStart();
    ClearAnswerLines();
    return loaded && played && finished;
}

bool QuizGame::LoadVideo(const QString& name) {
    try {
        CreateVideoView();
        VideoRound = true;
        Right = TitleFirst(AnswerFromFileName(WithoutExtension(name), Settings.ErrorLog()));
        Answers.Clear();
        Answers.Add(Right);
        VideoPlayer->AddTarget(MusicVideos.Folder() + name, QStringLiteral(":no-video-title-show"));
        Services.Wait(1000);
        VideoPlayer->SetVisible(true);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

bool QuizGame::PlayVideo(const QString& name) {
    try {
        if (VideoPlayer == nullptr) {
            throw HarvolineError(QStringLiteral("No video view"));
        }
        VideoPlayer->Play();
        Services.Wait(2000);
        return true;
    } catch (const std::exception&) {
        Settings.ErrorLog().append(name + QStringLiteral(" --> Video error"));
        return false;
    }
}

bool QuizGame::FinishVideoStart() {
    // Taken out first: a video that fails to start must not come back.
    MusicVideos.RemoveAt(CurrentIndex);
    try {
        if (VideoPlayer == nullptr) {
            throw HarvolineError(QStringLiteral("No video view"));
        }
        if (!WaitUntil([this] { return VideoPlayer->Playing(); }, VideoStartBoundMs)) {
            Services.ShowMessage(QStringLiteral("Error while loading video"));
        }
    } catch (const std::exception&) {
        return false;
    }
    std::array<int, 3> wrong = {-1, -1, -1};
    const std::array<int*, 3> drawn = {&wrong[0], &wrong[1], &wrong[2]};
    for (int& position : wrong) {
        position = DrawTrackedSong(drawn);
        if (position < 0) {
            break;
        }
        Answers.Add(AnswerOfTag(SongDeck.LastTag()));
    }
    if (!Running) {
        // The draws ran the playlist out and ended it: the video went with it, as a song
        // round's song does.
        Answers.Clear();
        return true;
    }
    TimerSet.ClueTimer.start();
    RoundClock = 0;
    TimerSet.RoundClockTimer.setInterval(10);
    TimerSet.RoundClockTimer.start();
    return true;
}

} // namespace harvoline
