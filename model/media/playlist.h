#pragma once

#include "model/media/song_tag.h"

#include <QString>
#include <QStringList>
#include <array>

namespace harvoline {

class GameConfig;
class GameServices;
class TagLibrary;

// How a draw from the playlist went: the position of a usable song, or -1. RanOut tells that
// the draw dropped so many unusable songs that fewer than a round needs are left.
struct SongDraw {
    int Position = -1;
    bool RanOut = false;
};

// The songs of the open playlist, and the draws that pick a round's song and its wrong
// answers. Songs that cannot be used leave the list when they are drawn, each with its line
// in the error log.
class Playlist {
  public:
    Playlist(GameServices& services, GameConfig& config, TagLibrary* tags);

    const QStringList& Entries() const { return Songs; }
    void SetEntries(const QStringList& entries) { Songs = entries; }
    int Size() const { return static_cast<int>(Songs.size()); }
    // Entries are looked for here first.
    void SetFolder(const QString& folder) { Folder = folder; }
    // Where an entry's file is: beside the playlist, else as written.
    QString PathOf(const QString& entry) const;
    // The tag of the song drawn last; empty after a draw that found none.
    const SongTag& LastTag() const { return Tag; }

    // Draws a usable song; the positions pointed at are excluded, and follow their songs
    // when entries before them are removed. The last entry is never drawn.
    SongDraw Draw(const std::array<int*, 3>& attached);
    void RemoveAt(int position);

  private:
    GameServices& Services;
    GameConfig& Config;
    TagLibrary* Tags;
    QStringList Songs;
    QString Folder;
    SongTag Tag;
};

} // namespace harvoline
