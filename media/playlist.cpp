// Opening a playlist, drawing songs from it and starting a song round.
#include "app/main_window.h"
#include "model/config/text_file.h"
#include "model/media/ordered_removals.h"
#include "model/media/playlist_rules.h"
#include "model/media/audio_player.h"

#include <QFileInfo>

namespace harvoline {

namespace {

// How long a song may take to sound once asked to play; libvlc takes a few milliseconds.
constexpr int SongStartBoundMs = 4000;
// How often a wait looks again.
constexpr int WaitStepMs = 10;

} // namespace

bool TfrmMain::OpenPlaylist() {
    FileDialogRequest request = OpenSongs;
    const QString last = Settings.Line(0).mid(10);
    if (last.isEmpty()) {
        // A new user starts in the demo folder.
        request.InitialFolder = Places.ShippedFolder() + QStringLiteral("demo");
    } else {
        const QFileInfo lastFile(last);
        request.InitialFolder = lastFile.path();
        request.FileName = lastFile.fileName();
    }
    const std::optional<QString> chosen = ChooseFile(request);
    if (!chosen) {
        return false;
    }
    const QStringList lines = ReadTextLines(*chosen);
    const QFileInfo playlist(*chosen);
    SongList = PlayableEntries(lines);
    FreshPlaylist = true;
    Settings.SetLine(0, LanguageEntry(3) + QStringLiteral(": ") + playlist.absoluteFilePath());

    if (SongList.size() >= MinimumPlaylistSongs) {
        Start->setText(LanguageEntry(4));
        PlaylistFolder = playlist.absolutePath() + u'/';
        UpdateSongCount();
        for (int seat = 1; seat <= 4; ++seat) {
            S[seat]->setEnabled(true);
            PlayerPunkte[seat]->SetCaption(QStringLiteral("0"));
        }
        PlaylistRunning = true;
        StartSongRound();
    } else {
        Os.ShowInformation(QString::number(SongList.size()) + u' ' + LanguageEntry(7));
        FreshPlaylist = false;
        EndPlaylist();
    }
    MiniCover->hide();
    for (int i = 1; i <= 4; ++i) {
        MiniDeck[i]->hide();
    }
    Timer6->stop();
    return true;
}

QString TfrmMain::SongPath(const QString& entry) const {
    return SongPathOf(PlaylistFolder, entry, Os.CurrentFolder());
}

int TfrmMain::DrawSong(int e1, int e2, int e3) { return DrawTrackedSong({&e1, &e2, &e3}); }

void TfrmMain::RemoveSongAt(int position, const std::array<int*, 3>& attached) {
    SongList.removeAt(position);
    FollowRemoval(position, attached);
}

void TfrmMain::FollowRemoval(int position, const std::array<int*, 3>& attached) {
    for (int* song : attached) {
        if (song != nullptr && *song > position) {
            --*song;
        }
    }
}

int TfrmMain::DrawTrackedSong(const std::array<int*, 3>& attached) {
    CurrentSongTag = SongTag{};
    if (SongList.size() < MinimumPlaylistSongs) {
        return -1;
    }
    auto excluded = [&](int position) {
        for (const int* song : attached) {
            if (song != nullptr && *song == position) {
                return true;
            }
        }
        return false;
    };
    // A playlist of many missing songs loses them here one by one.
    OrderedRemovals songs(SongList);
    for (;;) {
        int position = 0;
        do {
            // The last entry is never drawn.
            position = Os.Random(static_cast<int>(songs.Size()) - 1);
        } while (excluded(position));

        const QString path = SongPath(songs.At(position));
        // A song file the system refuses to read is a lost song, not a stopped game.
        const QString reason =
            SongProblemReason(ReadSongTag(path, Tags.get(), CurrentSongTag), LanguageTable);
        if (!reason.isEmpty()) {
            songs.RemoveAt(position);
            FollowRemoval(position, attached);
            ErrorLog.append(path + QStringLiteral(" --> ") + reason);
        }
        const bool ended = songs.Size() < MinimumPlaylistSongs;
        if (ended || reason.isEmpty()) {
            songs.Apply();
            UpdateSongCount();
        }
        if (ended) {
            EndPlaylist();
            return -1;
        }
        if (reason.isEmpty()) {
            return position;
        }
    }
}

void TfrmMain::TakeAnswerFromTag() {
    CorrectAnswer = AnswerOfTag(CurrentSongTag);
    AnswerList.Clear();
    AnswerList.Add(CorrectAnswer);
}

void TfrmMain::StartSongRound() {
    // A song that fails to start is dropped and the round starts again with another.
    while (!TryStartSongRound()) {
    }
}

bool TfrmMain::TryStartSongRound() {
    ++RoundCounter;
    int wrong1 = -1;
    int wrong2 = -1;
    CurrentIndex = -1;
    CurrentIndex = DrawTrackedSong({&CurrentIndex, &wrong1, &wrong2});
    if (CurrentIndex < 0) {
        ClearAnswerLines();
        return true;
    }
    AudioPlayer& player = Os.Audio();
    if (!player.FileName().isEmpty()) {
        player.Stop();
    }
    FreeVideoView();
    VideoRoundActive = false;
    TakeAnswerFromTag();
    player.Close();

    QString path = SongPath(SongList[CurrentIndex]);
    for (;;) {
        try {
            player.Open(path);
            break;
        } catch (const HarvolineError&) {
            ErrorLog.append(path + QStringLiteral(" --> ") + SongProblemReason(SongProblem::Unreadable, LanguageTable));
            RemoveSongAt(CurrentIndex, {});
            AnswerList.Clear();
            CurrentIndex = -1;
            const bool couldDraw = SongList.size() >= MinimumPlaylistSongs;
            CurrentIndex = DrawTrackedSong({&CurrentIndex, &wrong1, &wrong2});
            if (CurrentIndex < 0) {
                // A draw that ran out of songs has ended the playlist already.
                if (!couldDraw) {
                    EndPlaylist();
                }
                return true;
            }
            TakeAnswerFromTag();
            path = SongPath(SongList[CurrentIndex]);
        }
    }

    const std::array<int*, 3> round = {&CurrentIndex, &wrong1, &wrong2};
    wrong1 = DrawTrackedSong(round);
    if (wrong1 >= 0) {
        AnswerList.Add(AnswerOfTag(CurrentSongTag));
        wrong2 = DrawTrackedSong(round);
    }
    if (wrong2 >= 0) {
        AnswerList.Add(AnswerOfTag(CurrentSongTag));
        const int wrong3 = DrawTrackedSong(round);
        if (wrong3 >= 0) {
            AnswerList.Add(AnswerOfTag(CurrentSongTag));
        }
    }
    if (SongList.size() < MinimumPlaylistSongs) {
        // The wrong answers ran the playlist out and ended it: no song plays behind its
        // end message.
        player.Close();
        AnswerList.Clear();
        ClearAnswerLines();
        return true;
    }
    SongList.removeAt(CurrentIndex);
    // The count shows the songs still to come, this round's song no longer among them.
    UpdateSongCount();

    player.SetStartPosition(SkipMs);
    Os.Wait(500);
    try {
        player.Play();
    } catch (const HarvolineError&) {
        ErrorLog.append(path + QStringLiteral(" --> ") + SongProblemReason(SongProblem::Unreadable, LanguageTable));
        return false;
    }
    FreshPlaylist = false;
    WaitUntil([&player] { return player.IsPlaying(); }, SongStartBoundMs);
    Timer1->start();
    Timer2->start();
    ClearAnswerLines();
    return true;
}

bool TfrmMain::WaitUntil(const std::function<bool()>& done, int boundMs) {
    const std::int64_t deadline = Os.NowMs() + boundMs;
    while (!done()) {
        if (Os.NowMs() >= deadline) {
            return false;
        }
        Os.Wait(WaitStepMs);
    }
    return true;
}

void TfrmMain::EndPlaylist() {
    ++PlaylistEnds;
    // Stopped before the message, whose wait would let the timers tick on.
    StopRounds();
    Os.ShowInformation(FreshPlaylist ? LanguageEntry(7) + QStringLiteral(": ") + LanguageEntry(9) +
                                           QStringLiteral(". ") + LanguageEntry(8)
                                     : LanguageEntry(8));
}

void TfrmMain::StopRounds() {
    PlaylistRunning = false;
    Start->setText(LanguageEntry(5));
    Os.Audio().Stop();
    FreeVideoView();
    for (QTimer* timer : {Timer1, Timer2, Timer3, Timer5, Timer6}) {
        timer->stop();
    }
    CurrentPlayer = RoundClosed;
    TimesUp->hide();
    ShowAnswerButtons(false);
    for (int seat = 1; seat <= 4; ++seat) {
        S[seat]->setEnabled(false);
    }
    UpdateStartEnabled();
}

void TfrmMain::CreateVideoView() {
    VideoView = Os.CreateVideoView(
        this, QRect((width() - 505) / 2, TimesUp->y() + TimesUp->height() + 2, 505, 321));
    VideoView->SetVisible(false);
}

void TfrmMain::FreeVideoView() {
    if (VideoView == nullptr) {
        return;
    }
    VideoView->SetVisible(false);
    try {
        VideoView->Stop();
    } catch (const HarvolineError&) {
    }
    VideoView->PlaylistClear();
    VideoView.reset();
}

} // namespace harvoline
