#include "platform/vlc_player.h"

#include "model/errors.h"

#include <QFile>
#include <cstring>
#include <thread>
#include <vector>
#include <vlc/vlc.h>

namespace harvoline {

namespace {

// Longest wait for libvlc to read a file's length.
constexpr auto ParseTimeout = std::chrono::milliseconds(3000);
// Longest wait for libvlc to start playing or to refuse; it takes a few milliseconds. A
// song still silent then is taken as starting late, and the game's own wait goes on.
constexpr auto StartTimeout = std::chrono::milliseconds(2000);
// A clock further than this from libvlc's own position follows libvlc again.
constexpr std::int64_t ResyncThresholdMs = 1000;

constexpr libvlc_event_e Events[] = {libvlc_MediaPlayerPlaying, libvlc_MediaPlayerEndReached,
                                     libvlc_MediaPlayerEncounteredError};

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

// The stretch of an MP3 file from one frame to the last, as libvlc reads a stream.
struct VlcAudioPlayer::Mp3Source {
    const RegularFile& File;
    qint64 Begin;
    qint64 End;
    qint64 Position = 0;

    static int Open(void* self, void** data, std::uint64_t* size) {
        auto* source = static_cast<Mp3Source*>(self);
        source->Position = 0;
        *data = source;
        *size = static_cast<std::uint64_t>(source->End - source->Begin);
        return 0;
    }
    static ssize_t Read(void* self, unsigned char* buffer, size_t length) {
        auto* source = static_cast<Mp3Source*>(self);
        const qint64 wanted = std::min<qint64>(static_cast<qint64>(length),
                                               source->End - source->Begin - source->Position);
        try {
            const QByteArray bytes = source->File.ReadAt(source->Begin + source->Position, wanted);
            std::memcpy(buffer, bytes.constData(), static_cast<size_t>(bytes.size()));
            source->Position += bytes.size();
            return bytes.size();
        } catch (const HarvolineError&) {
            return -1;
        }
    }
    static int Seek(void* self, std::uint64_t offset) {
        static_cast<Mp3Source*>(self)->Position = static_cast<qint64>(offset);
        return 0;
    }
    static void Close(void*) {}
};

VlcAudioPlayer::VlcAudioPlayer(VlcEngine& engine) : Engine(engine) {
    if (Engine.Instance() != nullptr) {
        Player = libvlc_media_player_new(Engine.Instance());
    }
    if (Player != nullptr) {
        for (const libvlc_event_e event : Events) {
            libvlc_event_attach(libvlc_media_player_event_manager(Player), event,
                                &VlcAudioPlayer::OnEvent, this);
        }
    }
}

VlcAudioPlayer::~VlcAudioPlayer() {
    Close();
    if (Player != nullptr) {
        for (const libvlc_event_e event : Events) {
            libvlc_event_detach(libvlc_media_player_event_manager(Player), event,
                                &VlcAudioPlayer::OnEvent, this);
        }
        libvlc_media_player_release(Player);
    }
}

// Runs on one of libvlc's threads.
void VlcAudioPlayer::OnEvent(const libvlc_event_t* event, void* self) {
    auto* player = static_cast<VlcAudioPlayer*>(self);
    switch (event->type) {
    case libvlc_MediaPlayerPlaying:
        player->Report(Start::Playing);
        break;
    case libvlc_MediaPlayerEndReached:
        player->Report(Start::Ended);
        break;
    default:
        player->Failed = true;
        player->Report(Start::Failed);
        break;
    }
}

// The first report after a start is the one that counts.
void VlcAudioPlayer::Report(Start start) {
    {
        const std::lock_guard lock(StartLock);
        if (Started != Start::Waiting) {
            return;
        }
        Started = start;
    }
    StartChanged.notify_all();
}

void VlcAudioPlayer::Open(const QString& path) {
    Close();
    File = path;
    AnchorPosition = 0;
    StartPosition = -1;
    State = Phase::Ready;
    if (Player == nullptr) {
        throw HarvolineError(QStringLiteral("Cannot open %1: no audio output").arg(path));
    }
    try {
        Song = std::make_unique<RegularFile>(path);
        Frames = Mp3Frames::Scan(*Song);
    } catch (const HarvolineError& error) {
        Close();
        throw HarvolineError(
            QStringLiteral("Cannot open %1: %2").arg(path, QString::fromUtf8(error.what())));
    }
    if (!Frames) {
        CheckPlayable(path);
    }
}

// A broken or empty file would play to its end in a moment without any error; parsed, it
// shows no length.
void VlcAudioPlayer::CheckPlayable(const QString& path) {
    libvlc_media_t* media =
        libvlc_media_new_path(Engine.Instance(), QFile::encodeName(path).constData());
    if (media == nullptr) {
        Close();
        throw HarvolineError(QStringLiteral("Cannot open %1").arg(path));
    }
    libvlc_media_parse_with_options(media, libvlc_media_parse_local,
                                    static_cast<int>(ParseTimeout.count()));
    const auto deadline = Clock::now() + ParseTimeout + std::chrono::milliseconds(500);
    libvlc_media_parsed_status_t status = libvlc_media_get_parsed_status(media);
    while (status != libvlc_media_parsed_status_done &&
           status != libvlc_media_parsed_status_failed &&
           status != libvlc_media_parsed_status_timeout && Clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        status = libvlc_media_get_parsed_status(media);
    }
    const bool playable =
        status == libvlc_media_parsed_status_done && libvlc_media_get_duration(media) > 0;
    libvlc_media_release(media);
    if (!playable) {
        Close();
        throw HarvolineError(QStringLiteral("Cannot open %1: not a playable file").arg(path));
    }
}

void VlcAudioPlayer::Close() {
    if (Media != nullptr) {
        // Stopping waits for libvlc's reading to end, so the source can go.
        libvlc_media_player_stop(Player);
        libvlc_media_player_set_media(Player, nullptr);
        libvlc_media_release(Media);
        Media = nullptr;
    }
    Source.reset();
    Frames.reset();
    Song.reset();
    Running = false;
    Failed = false;
    State = Phase::Ready;
}

void VlcAudioPlayer::Play() {
    if (Song == nullptr) {
        throw HarvolineError(QStringLiteral("Cannot play: no file is open"));
    }
    if (StartPosition >= 0) {
        const std::int64_t from = StartPosition;
        StartPosition = -1;
        StartAt(from);
        return;
    }
    switch (State) {
    case Phase::Ready:
        StartAt(0);
        break;
    case Phase::Paused:
        libvlc_media_player_set_pause(Player, 0);
        StartClock(AnchorPosition);
        State = Phase::Playing;
        break;
    case Phase::Playing:
    case Phase::Over:
        // A song that has ended or was stopped stays so; it never starts again by itself.
        break;
    }
}

libvlc_media_t* VlcAudioPlayer::MediaFrom(std::int64_t ms) {
    if (Frames) {
        const std::optional<Mp3Frames::Start> start = Frames->StartAt(ms);
        if (!start) {
            CannotStartAt(ms);
        }
        Base = start->Ms;
        Source = std::make_unique<Mp3Source>(Mp3Source{*Song, start->Offset, Frames->End()});
        return libvlc_media_new_callbacks(Engine.Instance(), &Mp3Source::Open, &Mp3Source::Read,
                                          &Mp3Source::Seek, &Mp3Source::Close, Source.get());
    }
    Base = 0;
    libvlc_media_t* media =
        libvlc_media_new_path(Engine.Instance(), QFile::encodeName(File).constData());
    if (media != nullptr) {
        const QByteArray option = ":start-time=" + QByteArray::number(ms / 1000.0, 'f', 3);
        libvlc_media_add_option(media, option.constData());
    }
    return media;
}

void VlcAudioPlayer::StartAt(std::int64_t ms) {
    if (Media != nullptr) {
        libvlc_media_player_stop(Player);
        libvlc_media_release(Media);
        Media = nullptr;
    }
    Media = MediaFrom(ms);
    if (Media == nullptr) {
        throw HarvolineError(QStringLiteral("Cannot play %1").arg(File));
    }
    libvlc_media_player_set_media(Player, Media);
    {
        const std::lock_guard lock(StartLock);
        Started = Start::Waiting;
    }
    Failed = false;
    if (libvlc_media_player_play(Player) != 0) {
        throw HarvolineError(QStringLiteral("Cannot play %1").arg(File));
    }
    const Start started = WaitForStart();
    // libvlc reports playing even for a start past the end, and ends at once.
    const libvlc_time_t length = libvlc_media_player_get_length(Player);
    if (started == Start::Ended || started == Start::Failed ||
        (!Frames && started == Start::Playing && length > 0 && ms >= length)) {
        libvlc_media_player_stop(Player);
        CannotStartAt(ms);
    }
    // An MP3 file starts at a frame's beginning, anything else where asked.
    StartClock(Frames ? Base : ms);
    State = Phase::Playing;
}

VlcAudioPlayer::Start VlcAudioPlayer::WaitForStart() {
    std::unique_lock lock(StartLock);
    StartChanged.wait_for(lock, StartTimeout, [this] { return Started != Start::Waiting; });
    return Started;
}

void VlcAudioPlayer::CannotStartAt(std::int64_t ms) {
    throw HarvolineError(
        QStringLiteral("Cannot play %1 from %2 ms: it is shorter").arg(File, QString::number(ms)));
}

void VlcAudioPlayer::Pause() {
    if (State == Phase::Playing && libvlc_media_player_get_state(Player) == libvlc_Playing) {
        FreezeClock();
        libvlc_media_player_set_pause(Player, 1);
        State = Phase::Paused;
    }
}

void VlcAudioPlayer::Stop() {
    if (Media != nullptr) {
        FreezeClock();
        libvlc_media_player_stop(Player);
        State = Phase::Over;
    }
}

bool VlcAudioPlayer::IsPlaying() {
    // Pausing and stopping take effect in libvlc a moment later than asked.
    return State == Phase::Playing && Running && !Failed &&
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

// Where the clock stays once the song has ended: its length, where it is known.
std::int64_t VlcAudioPlayer::EndPosition(std::int64_t interpolated) {
    if (Frames) {
        return Frames->LengthMs();
    }
    const libvlc_time_t length = libvlc_media_player_get_length(Player);
    return length > 0 ? length : interpolated;
}

std::int64_t VlcAudioPlayer::PositionMs() {
    if (!Running || Media == nullptr) {
        return AnchorPosition;
    }
    const auto elapsed =
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - AnchorTime).count();
    std::int64_t position = AnchorPosition + elapsed;
    const libvlc_state_t state = libvlc_media_player_get_state(Player);
    if (state == libvlc_Ended || state == libvlc_Error) {
        Running = false;
        State = Phase::Over;
        AnchorPosition = EndPosition(position);
        return AnchorPosition;
    }
    const libvlc_time_t reported = libvlc_media_player_get_time(Player);
    if (state == libvlc_Playing && reported > 0 &&
        std::abs(Base + reported - position) > ResyncThresholdMs) {
        StartClock(Base + reported);
        position = Base + reported;
    }
    return Frames ? std::min(position, Frames->LengthMs()) : position;
}

} // namespace harvoline
