#include "tests/support/fake_media.h"

#include "model/errors.h"

namespace harvoline::testing {

QString FakeAudioPlayer::FileName() const {
    if (FailFileName) {
        throw HarvolineError(QStringLiteral("The player does not answer"));
    }
    return File;
}

void FakeAudioPlayer::Open(const QString& path) {
    File = path;
    Playing = false;
    FileOpen = false;
    Opened << path;
    if (FailToOpen.contains(path)) {
        throw HarvolineError(QStringLiteral("Cannot open %1").arg(path));
    }
    FileOpen = true;
}

void FakeAudioPlayer::Close() {
    FileOpen = false;
    Playing = false;
}

void FakeAudioPlayer::Play() {
    if (!FileOpen) {
        throw HarvolineError(QStringLiteral("Cannot play: no file is open"));
    }
    if (FailToPlay.contains(File)) {
        throw HarvolineError(QStringLiteral("Cannot play %1").arg(File));
    }
    if (Start >= 0) {
        Played << File;
        LastStart = Start;
        Position = Start;
        Start = -1;
        StartedAt = Now();
    } else {
        ++Resumes;
    }
    Playing = true;
}

bool FakeAudioPlayer::IsPlaying() {
    return Playing && Now() >= StartedAt + StartsAfterMs;
}

void FakeAudioPlayer::Pause() {
    ++Pauses;
    Playing = false;
}

void FakeAudioPlayer::Stop() {
    ++Stops;
    Playing = false;
}

FakeVideoView::FakeVideoView(FakeVideoScript& script, const std::int64_t& now)
    : Script(script), Now(now) {
    ++Script.Created;
    ++Script.Alive;
}

FakeVideoView::~FakeVideoView() { --Script.Alive; }

void FakeVideoView::SetVisible(bool visible) {
    Script.Calls << (visible ? QStringLiteral("show") : QStringLiteral("hide"));
}

void FakeVideoView::AddTarget(const QString& path, const QString& options) {
    Script.Calls << QStringLiteral("load %1 %2").arg(path, options);
    if (Script.FailToLoad) {
        throw HarvolineError(QStringLiteral("Cannot load %1").arg(path));
    }
}

bool FakeVideoView::Playing() {
    return Script.ReportsPlaying && Now >= PlayedAt + Script.StartsAfterMs;
}

void FakeVideoView::Play() {
    Script.Calls << QStringLiteral("play");
    PlayedAt = Now;
    if (Script.FailToPlay) {
        throw HarvolineError(QStringLiteral("Cannot play the video"));
    }
}

} // namespace harvoline::testing
