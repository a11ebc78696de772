// Cover rounds and video rounds.
#include "app/main_window.h"
#include "model/media/answer_text.h"
#include "model/media/playlist_rules.h"
#include "model/media/audio_player.h"

#include <QDir>

namespace harvoline {

namespace {

constexpr int MinimumCovers = 6;
constexpr int TileCount = 64;
// How long a video may take to report playing after the wait that follows play; a film
// that is slow to open still gets its round.
constexpr int VideoStartBoundMs = 5000;

// Plain files only; sorted by name so every system offers them in the same order.
QStringList FilesIn(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
}

// The extension is cut off the end only: "A.jpg - B.jpg" is "A.jpg - B".
QString WithoutExtension(const QString& name) {
    const int dot = static_cast<int>(name.lastIndexOf(u'.'));
    return dot < 0 ? name : name.left(dot);
}

// Videos are named artist first; answers name the title first.
QString TitleFirst(const QString& answer) {
    static const QString separator = QStringLiteral(" - ");
    const int at = static_cast<int>(answer.indexOf(separator));
    if (at < 0) {
        return answer;
    }
    return answer.mid(at + separator.size()).left(999) + separator + answer.left(at);
}

} // namespace

void TfrmMain::AddHelpNote(const QString& note) {
    HelpNotes += note;
    Hilfe->SetCaption(Hilfe->Caption() + note);
}

void TfrmMain::ScanCovers() {
    CoverFolder = Places.DataFolder(QStringLiteral("cover"));
    CoverList = FilesIn(CoverFolder);
    if (CoverList.size() < MinimumCovers) {
        AddHelpNote(QStringLiteral("Not enough covers in ") + CoverFolder + QStringLiteral(". "));
    }
}

void TfrmMain::DetectVideoSupport() {
    VlcFound = Os.VideoInstalled();
    VideosAvailable = false;
    QString note = QStringLiteral("\n");
    if (VlcFound) {
        note += QStringLiteral("VLC found. ");
        VideoFolder = Places.DataFolder(QStringLiteral("video"));
        VideoList = FilesIn(VideoFolder);
        if (VideoList.isEmpty()) {
            note += QStringLiteral("No videos in ") + VideoFolder + QStringLiteral(". ");
        } else {
            VideosAvailable = true;
        }
    } else {
        note += QStringLiteral("VLC not found. ");
    }
    AddHelpNote(note);
    FreeVideoView();
}

int TfrmMain::DrawCover(int e1, int e2, int e3) {
    if (CoverList.size() < MinimumCovers) {
        return -1;
    }
    int position = 0;
    do {
        // The last cover is never drawn.
        position = Os.Random(static_cast<int>(CoverList.size()) - 1);
    } while (position == e1 || position == e2 || position == e3);
    return position;
}

int TfrmMain::DrawVideo() {
    if (VideoList.isEmpty()) {
        return -1;
    }
    return Os.Random(static_cast<int>(VideoList.size()) - 1);
}

bool TfrmMain::StartCoverRound() {
    // The round's state changes only once its picture is on the panel.
    QImage picture;
    for (;;) {
        CurrentIndex = DrawCover();
        if (CurrentIndex < 0) {
            return false;
        }
        const QString path = CoverFolder + CoverList[CurrentIndex];
        try {
            picture = Os.LoadPicture(path);
            break;
        } catch (const HarvolineError&) {
            // Dropped, so the same file cannot cost a round again a few rounds later.
            ErrorLog.append(path + QStringLiteral(" --> read error"));
            CoverList.removeAt(CurrentIndex);
        }
    }
    RoundCounter = 0;
    // A cover round is never clocked as a video round.
    VideoRoundActive = false;
    Cover->SetPicture(picture);
    CoverPanel->show();
    for (int n = 1; n <= TileCount; ++n) {
        Tile[n]->show();
    }
    const QString name = CoverList[CurrentIndex];
    CorrectAnswer = AnswerFromFileName(WithoutExtension(name), ErrorLog);
    AnswerList.Clear();
    AnswerList.Add(CorrectAnswer);
    const int wrong1 = DrawCover(CurrentIndex);
    const int wrong2 = DrawCover(CurrentIndex, wrong1);
    const int wrong3 = DrawCover(CurrentIndex, wrong1, wrong2);
    for (const int wrong : {wrong1, wrong2, wrong3}) {
        AnswerList.Add(WithoutExtension(CoverList[wrong]));
    }
    CoverList.removeAt(CurrentIndex);

    Timer5Tag = 0;
    Timer5->start();
    RoundClock = 0;
    Timer2->setInterval(10);
    Timer2->start();
    ClearAnswerLines();
    return true;
}

void TfrmMain::Timer5Timer() {
    if (Timer5Tag < TileCount) {
        // Tile 64 is only reached by stepping on from an open tile.
        int n = Os.Random(TileCount - 1) + 1;
        for (int step = 0; step < TileCount && !IsShown(Tile[n]); ++step) {
            n = n % TileCount + 1;
        }
        if (IsShown(Tile[n])) {
            Tile[n]->hide();
            ++Timer5Tag;
        } else {
            // Every tile is open already.
            Timer5Tag = TileCount;
        }
    }
    if (Timer5Tag >= TileCount) {
        Timer5->stop();
    }
}

bool TfrmMain::StartVideoRound() {
    ++RoundCounter;
    CurrentIndex = DrawVideo();
    if (CurrentIndex < 0) {
        ClearAnswerLines();
        return true;
    }
    Timer1->stop();
    Timer2->stop();
    Timer6->stop();
    try {
        AudioPlayer& player = Os.Audio();
        if (!player.FileName().isEmpty()) {
            player.Stop();
        }
    } catch (const std::exception&) {
    }
    const QString name = VideoList[CurrentIndex];
    // Each step runs even after an earlier one failed.
    const bool loaded = LoadVideo(name);
    const bool played = PlayVideo(name);
    const bool finished = FinishVideoStart();
    ClearAnswerLines();
    return loaded && played && finished;
}

bool TfrmMain::LoadVideo(const QString& name) {
    try {
        CreateVideoView();
        VideoRoundActive = true;
        CorrectAnswer = TitleFirst(AnswerFromFileName(WithoutExtension(name), ErrorLog));
        AnswerList.Clear();
        AnswerList.Add(CorrectAnswer);
        VideoView->AddTarget(VideoFolder + name, QStringLiteral(":no-video-title-show"));
        Os.Wait(1000);
        VideoView->SetVisible(true);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

bool TfrmMain::PlayVideo(const QString& name) {
    try {
        if (VideoView == nullptr) {
            throw HarvolineError(QStringLiteral("No video view"));
        }
        VideoView->Play();
        Os.Wait(2000);
        return true;
    } catch (const std::exception&) {
        ErrorLog.append(name + QStringLiteral(" --> Video error"));
        return false;
    }
}

bool TfrmMain::FinishVideoStart() {
    // Taken out first: a video that fails to start must not come back.
    VideoList.removeAt(CurrentIndex);
    try {
        if (VideoView == nullptr) {
            throw HarvolineError(QStringLiteral("No video view"));
        }
        if (!WaitUntil([this] { return VideoView->Playing(); }, VideoStartBoundMs)) {
            Os.ShowMessage(QStringLiteral("Error while loading video"));
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
        AnswerList.Add(AnswerOfTag(CurrentSongTag));
    }
    if (!PlaylistRunning) {
        // The draws ran the playlist out and ended it: the video went with it, as a song
        // round's song does.
        AnswerList.Clear();
        return true;
    }
    Timer1->start();
    RoundClock = 0;
    Timer2->setInterval(10);
    Timer2->start();
    return true;
}

} // namespace harvoline
