#include "platform/vlc_video_view.h"

#include "model/errors.h"
#include "model/config/regular_file.h"
#include "platform/vlc_player.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <dlfcn.h>
#include <vlc/vlc.h>

namespace harvoline {

VlcVideoView::VlcVideoView(VlcEngine& engine, QWidget* parent, const QRect& geometry)
    : Engine(engine), Window(new QWidget(parent)) {
    Window->setObjectName(QStringLiteral("VideoView"));
    Window->setGeometry(geometry);
    Window->setAttribute(Qt::WA_NativeWindow);
    Window->setAutoFillBackground(true);
    QPalette black = Window->palette();
    black.setColor(QPalette::Window, Qt::black);
    Window->setPalette(black);
    Window->hide();
    if (engine.Instance() == nullptr) {
        throw HarvolineError(QStringLiteral("The video player could not be started"));
    }
    Player = libvlc_media_player_new(engine.Instance());
    if (Player == nullptr) {
        throw HarvolineError(QStringLiteral("The video player could not be started"));
    }
    libvlc_media_player_set_xwindow(Player, static_cast<std::uint32_t>(Window->winId()));
}

VlcVideoView::~VlcVideoView() {
    if (Player != nullptr) {
        libvlc_media_player_stop(Player);
        libvlc_media_player_release(Player);
    }
    delete Window;
}

void VlcVideoView::SetVisible(bool visible) {
    Window->setVisible(visible);
    if (visible) {
        Window->raise(); // the film plays above the player panels it overlaps
    }
}

void VlcVideoView::AddTarget(const QString& path, const QString& options) {
    const QString refused = UnreadableReason(path);
    if (!refused.isEmpty()) {
        throw HarvolineError(QStringLiteral("Cannot open %1: %2").arg(path, refused));
    }
    const QFileInfo info(path);
    libvlc_media_t* media = libvlc_media_new_path(
        Engine.Instance(), QFile::encodeName(info.absoluteFilePath()).constData());
    if (media == nullptr) {
        throw HarvolineError(QStringLiteral("Cannot open %1").arg(path));
    }
    if (!options.isEmpty()) {
        libvlc_media_add_option(media, options.toUtf8().constData());
    }
    libvlc_media_player_set_media(Player, media);
    libvlc_media_release(media);
}

void VlcVideoView::Play() {
    if (libvlc_media_player_play(Player) != 0) {
        throw HarvolineError(QStringLiteral("The video cannot be played"));
    }
}

void VlcVideoView::Pause() { libvlc_media_player_set_pause(Player, 1); }

void VlcVideoView::Stop() { libvlc_media_player_stop(Player); }

void VlcVideoView::PlaylistClear() { libvlc_media_player_set_media(Player, nullptr); }

bool VlcVideoView::Playing() { return libvlc_media_player_is_playing(Player) != 0; }

float VlcVideoView::Position() {
    // libvlc leaves the position near the end once a video has ended.
    switch (libvlc_media_player_get_state(Player)) {
    case libvlc_Ended:
    case libvlc_Stopped:
    case libvlc_NothingSpecial:
    case libvlc_Error:
        return 0.0f;
    default:
        return libvlc_media_player_get_position(Player);
    }
}

bool VlcVideoAvailable(VlcEngine& engine) {
    if (engine.Instance() == nullptr) {
        return false;
    }
    Dl_info library{};
    if (dladdr(reinterpret_cast<void*>(&libvlc_new), &library) == 0 || library.dli_fname == nullptr) {
        return false;
    }
    const QDir outputs(QFileInfo(QFile::decodeName(library.dli_fname)).absolutePath() +
                       QStringLiteral("/vlc/plugins/video_output"));
    return !outputs.entryList({QStringLiteral("*.so")}, QDir::Files).isEmpty();
}

} // namespace harvoline
