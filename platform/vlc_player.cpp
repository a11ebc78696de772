#include "platform/vlc_player.h"

#include "platform/errors.h"

#include <QFileInfo>
#include <thread>
#include <vector>
#include <vlc/vlc.h>

namespace harvoline {

namespace {

// Longest wait for libvlc to read a file's length.
constexpr auto ParseTimeout = std::chrono::milliseconds(3000);
// A clock further than this from libvlc's own position follows libvlc again.
constexpr std::int64_t ResyncThresholdMs = 1000;

} // namespace

VlcEngine::VlcEngine(const QStringList& options) {
    QStringList all = {QStringLiteral("--quiet"), QStringLiteral("--no-video-title-show")};
    all += options;
    std::vector<QByteArray> bytes;
    std::vector<const char*> argv;
    for (const QString& option : all) {
        bytes.push_back(option.toUtf8());
    }
    for (const QByteArray& option : bytes) {
        argv.push_back(option.constData());
    }
    Vlc = libvlc_new(static_cast<int>(argv.size()), argv.data());
}

VlcEngine& VlcEngine::Shared(const QStringList& options) {
    static VlcEngine* const engine = new VlcEngine(options);
    return *engine;
}

VlcAudioPlayer::VlcAudioPlayer(VlcEngine& engine) : Engine(engine) {
    if (Engine.Instance() != nullptr) {
        Player = libvlc_media_player_new(Engine.Instance());
    }
    if (Player != nullptr) {
        libvlc_event_attach(libvlc_media_player_event_manager(Player),
                            libvlc_MediaPlayerEncounteredError, &VlcAudioPlayer::OnError, this);
    }
}

VlcAudioPlayer::~VlcAudioPlayer() {
    Close();
    if (Player != nullptr) {
        libvlc_event_detach(libvlc_media_player_event_manager(Player),
                            libvlc_MediaPlayerEncounteredError, &VlcAudioPlayer::OnError, this);
        libvlc_media_player_release(Player);
    }
}

void VlcAudioPlayer::OnError(const libvlc_event_t*, void* self) {
    static_cast<VlcAudioPlayer*>(self)->Failed = true;
}

void VlcAudioPlayer::Open(const QString& path) {
    Close();
    File = path;
    AnchorPosition = 0;
    StartPosition = -1;
    if (Player == nullptr) {
        throw HarvolineError(QStringLiteral("Cannot open %1: no audio output").arg(path));
    }
    const QFileInfo info(path);
    if (!info.isFile() || !info.isReadable()) {
        throw HarvolineError(QStringLiteral("Cannot open %1: not a readable file").arg(path));
    }
    Media = libvlc_media_new_path(Engine.Instance(), QFile::encodeName(path).constData());
    if (Media == nullptr) {
        throw HarvolineError(QStringLiteral("Cannot open %1").arg(path));
    }
    libvlc_media_parse_with_options(Media, libvlc_media_parse_local,
                                    static_cast<int>(ParseTimeout.count()));
    const auto deadline = Clock::now() + ParseTimeout + std::chrono::milliseconds(500);
    libvlc_media_parsed_status_t status = libvlc_media_get_parsed_status(Media);
    while (status != libvlc_media_parsed_status_done &&
           status != libvlc_media_parsed_status_failed &&
           status != libvlc_media_parsed_status_timeout && Clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        status = libvlc_media_get_parsed_status(Media);
    }
    Duration = libvlc_media_get_duration(Media);
    if (status != libvlc_media_parsed_status_done || Duration <= 0) {
        Close();
        throw HarvolineError(QStringLiteral("Cannot open %1: not a playable file").arg(path));
    }
    libvlc_media_player_set_media(Player, Media);
}

void VlcAudioPlayer::Close() {
    if (Media == nullptr) {
        return;
    }
    libvlc_media_player_stop(Player);
    libvlc_media_player_set_media(Player, nullptr);
    libvlc_media_release(Media);
    Media = nullptr;
    Running = false;
    Failed = false;
}

void VlcAudioPlayer::Play() {
    if (Media == nullptr) {
        throw HarvolineError(QStringLiteral("Cannot play: no file is open"));
    }
    const libvlc_state_t state = libvlc_media_player_get_state(Player);
    if (StartPosition >= 0) {
        const std::int64_t from = StartPosition;
        StartPosition = -1;
        if (from >= Duration) {
            throw HarvolineError(
                QStringLiteral("Cannot play %1: it is shorter than the start position").arg(File));
        }
        if (state != libvlc_NothingSpecial && state != libvlc_Stopped) {
            libvlc_media_player_stop(Player);
        }
        const QByteArray option = ":start-time=" + QByteArray::number(from / 1000.0, 'f', 3);
        libvlc_media_add_option(Media, option.constData());
        Failed = false;
        if (libvlc_media_player_play(Player) != 0) {
            throw HarvolineError(QStringLiteral("Cannot play %1").arg(File));
        }
        StartClock(from);
    } else if (state == libvlc_Paused) {
        libvlc_media_player_set_pause(Player, 0);
        StartClock(AnchorPosition);
    } else if (state == libvlc_Ended || state == libvlc_Stopped || state == libvlc_NothingSpecial) {
        // After its end libvlc plays again only once stopped.
        libvlc_media_player_stop(Player);
        if (libvlc_media_player_play(Player) != 0) {
            throw HarvolineError(QStringLiteral("Cannot play %1").arg(File));
        }
        StartClock(0);
    }
    if (Failed) {
        throw HarvolineError(QStringLiteral("Cannot play %1").arg(File));
    }
}

void VlcAudioPlayer::Pause() {
    if (Media != nullptr && libvlc_media_player_get_state(Player) == libvlc_Playing) {
        FreezeClock();
        libvlc_media_player_set_pause(Player, 1);
    }
}

void VlcAudioPlayer::Stop() {
    if (Media != nullptr) {
        FreezeClock();
        libvlc_media_player_stop(Player);
    }
}

bool VlcAudioPlayer::IsPlaying() {
    // Pausing and stopping take effect in libvlc a moment later than asked.
    return Media != nullptr && Running && !Failed &&
           libvlc_media_player_get_state(Player) == libvlc_Playing;
}

void VlcAudioPlayer::StartClock(std::int64_t from) {
    AnchorPosition = from;
    AnchorTime = Clock::now();
    Running = true;
}

void VlcAudioPlayer::FreezeClock() {
    if (Running) {
        AnchorPosition = PositionMs();
        Running = false;
    }
}

std::int64_t VlcAudioPlayer::PositionMs() {
    if (!Running || Media == nullptr) {
        return AnchorPosition;
    }
    const libvlc_state_t state = libvlc_media_player_get_state(Player);
    if (state == libvlc_Ended || state == libvlc_Error) {
        Running = false;
        AnchorPosition = Duration;
        return AnchorPosition;
    }
    const auto elapsed =
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - AnchorTime).count();
    std::int64_t position = AnchorPosition + elapsed;
    const std::int64_t reported = libvlc_media_player_get_time(Player);
    if (state == libvlc_Playing && reported > 0 &&
        std::abs(reported - position) > ResyncThresholdMs) {
        StartClock(reported);
        position = reported;
    }
    return std::min(position, Duration);
}

} // namespace harvoline
