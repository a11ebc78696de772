#pragma once

#include "tests/support/window_fixture.h"

namespace harvoline::testing {

// A window test with a folder of tagged songs and playlists naming them.
class PlaylistTest : public WindowTest {
  protected:
    PlaylistTest();

    QString SongFolder() const { return Folder.path() + "/songs/"; }
    // A playable song file whose ID3v1 record names it.
    void WriteSong(const QString& name, const QString& title, const QString& artist) const;
    // Songs s1.mp3 .. sN.mp3 titled "Title i" by "Artist i".
    QStringList WriteSongs(int count) const;
    QString WritePlaylist(const QStringList& lines, const QByteArray& before = {}) const;
    // Starts the window and opens the playlist through the menu's way.
    TfrmMain& OpenWith(const QString& playlist);
};

} // namespace harvoline::testing
