#pragma once

#include "model/game/game_services.h"

#include <QImage>
#include <QRect>
#include <QString>
#include <memory>

class QWidget;

namespace harvoline {

class GamepadPlatform;
class HidPlatform;
class VideoView;

// Everything the program needs from the outside world: what the game asks for, and what
// the window and the buzzer receivers need besides. The program runs with the real
// implementation; tests hand the game and its window a recording fake.
class Platform : public GameServices {
  public:
    // Loads a picture, choosing the format by the file's extension; raises
    // HarvolineError when the file cannot be read or decoded.
    virtual QImage LoadPicture(const QString& path) = 0;

    // A video view as a child of the parent window, hidden; raises HarvolineError when
    // none can be made.
    virtual std::unique_ptr<VideoView> CreateVideoView(QWidget* parent, const QRect& geometry) = 0;

    // The window that owns dialogs and message boxes.
    virtual void SetOwner(QWidget* owner) = 0;

    // The HID devices: buzzer receivers.
    virtual HidPlatform& Hid() = 0;

    // The gamepads: players' buzzers and the quiz master's Start.
    virtual GamepadPlatform& Gamepads() = 0;
};

} // namespace harvoline
