#pragma once

#include "model/media/video_view.h"

#include <QWidget>

struct libvlc_media_player_t;

namespace harvoline {

class VlcEngine;

// A video view drawn by libvlc into a native child window.
class VlcVideoView : public VideoView {
  public:
    VlcVideoView(VlcEngine& engine, QWidget* parent, const QRect& geometry);
    ~VlcVideoView() override;

    void SetVisible(bool visible) override;
    void AddTarget(const QString& path, const QString& options) override;
    void Play() override;
    void Pause() override;
    void Stop() override;
    void PlaylistClear() override;
    bool Playing() override;
    float Position() override;

    QWidget* Surface() const { return Window; }

  private:
    VlcEngine& Engine;
    QWidget* Window;
    libvlc_media_player_t* Player = nullptr;
};

// Whether videos can be shown: libvlc runs and its video output plugins are installed.
bool VlcVideoAvailable(VlcEngine& engine);

} // namespace harvoline
