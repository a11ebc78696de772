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
    // A game on a fresh playlist of tagged songs, its first round started by Start.
    TfrmMain& StartGame(int songs = 14);

    // Pictures named as covers are, in the cover folder beside the executable.
    void WriteCovers(const QStringList& names) const;
    // Covers "Artist i - Title i.jpg".
    void WriteCovers(int count) const;
    // Files named as videos are, in the video folder; the fake view never reads them.
    void WriteVideos(const QStringList& names) const;

    static int RightChoice(TfrmMain& w);
    // The first choice that is wrong and still answers.
    static int WrongChoice(TfrmMain& w);
    static void Press(TfrmMain& w, Qt::Key key);
    // Q, Y, M and P for players 1 to 4.
    static Qt::Key BuzzKey(int seat);
    static Qt::Key ChoiceKey(int choice) { return static_cast<Qt::Key>(Qt::Key_0 + choice); }
};

} // namespace harvoline::testing
