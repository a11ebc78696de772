#pragma once

#include "model/media/playlist_rules.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

namespace harvoline {

class AudioPlayer;
class TagLibrary;

// What the game makes of one playlist entry.
struct EntryCheck {
    QString Entry; // the line as written
    QString Path;  // where the game looks for its file
    SongProblem Problem = SongProblem::None;
    QString Answer; // the right answer the song gives, when it can be used
    bool HasCover = false;

    bool Usable() const { return Problem == SongProblem::None; }
};

// Usable entries whose answers are the same ignoring case: a round holding two of them
// offers fewer choices.
struct AnswerCollision {
    QString Answer;
    QStringList Entries;
};

struct PlaylistCheck {
    QString Playlist;
    std::int64_t SkipMs = 0;
    std::vector<EntryCheck> Entries;

    int UsableSongs() const;
    int Rounds() const;
    std::vector<AnswerCollision> Collisions() const;
    QStringList EntriesWithoutCover() const;
};

// Reads the playlist and tries each song the way the game does, with its folder rules
// and the current folder. Raises HarvolineError when the playlist cannot be read.
PlaylistCheck CheckPlaylist(const QString& playlistPath, std::int64_t skipMs, TagLibrary& tags,
                            AudioPlayer& player);

} // namespace harvoline
