#pragma once

#include "model/media/audio_player.h"
#include "model/media/video_view.h"

#include <QSet>
#include <QStringList>

namespace harvoline::testing {

// A song player that plays nothing; files named in the failure sets fail as a broken
// file would, and, like the real player, it cannot play once closed or after a failed
// open. It records what it was asked.
class FakeAudioPlayer : public AudioPlayer {
  public:
    QSet<QString> FailToOpen;
    QSet<QString> FailToPlay;
    QStringList Opened;
    QStringList Played; // each file played from its start position
    int Pauses = 0;
    int Resumes = 0;
    int Stops = 0;
    std::int64_t Position = 0;
    std::int64_t LastStart = -1;
    bool Playing = false;
    // Asking for the file name fails, as a broken player would.
    bool FailFileName = false;
    // Sound starts this long after a start from a position, on this clock when there is one.
    std::int64_t StartsAfterMs = 0;
    const std::int64_t* Clock = nullptr;

    QString FileName() const override;
    void Open(const QString& path) override;
    void Close() override;
    void SetStartPosition(std::int64_t ms) override { Start = ms; }
    void Play() override;
    void Pause() override;
    void Stop() override;
    bool IsPlaying() override;
    std::int64_t PositionMs() override { return Position; }

  private:
    std::int64_t Now() const { return Clock != nullptr ? *Clock : 0; }

    QString File;
    bool FileOpen = false;
    std::int64_t Start = -1;
    std::int64_t StartedAt = 0;
};

// What the video views made by the fake platform were asked, and how they answer.
struct FakeVideoScript {
    bool FailToCreate = false;
    bool FailToLoad = false;
    bool FailToPlay = false;
    bool ReportsPlaying = true;
    // The view reports playing this long after play, on the platform's clock.
    std::int64_t StartsAfterMs = 0;
    float Position = 0.5f;
    int Created = 0;
    int Alive = 0;
    QStringList Calls;
};

class FakeVideoView : public VideoView {
  public:
    FakeVideoView(FakeVideoScript& script, const std::int64_t& now);
    ~FakeVideoView() override;

    void SetVisible(bool visible) override;
    void AddTarget(const QString& path, const QString& options) override;
    void Play() override;
    void Pause() override { Script.Calls << QStringLiteral("pause"); }
    void Stop() override { Script.Calls << QStringLiteral("stop"); }
    void PlaylistClear() override { Script.Calls << QStringLiteral("clear"); }
    bool Playing() override;
    float Position() override { return Script.Position; }

  private:
    FakeVideoScript& Script;
    const std::int64_t& Now;
    std::int64_t PlayedAt = 0;
};

} // namespace harvoline::testing
