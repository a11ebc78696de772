#include "model/media/playlist.h"

#include "model/config/game_config.h"
#include "model/media/ordered_removals.h"
#include "model/media/playlist_rules.h"

namespace harvoline {

namespace {

// The positions pointed at follow their songs when the entry at the position is removed.
void FollowRemoval(int position, const std::array<int*, 3>& attached) {
    for (int* song : attached) {
        if (song != nullptr && *song > position) {
            --*song;
        }
    }
}

} // namespace

Playlist::Playlist(GameServices& services, GameConfig& config, TagLibrary* tags)
    : Services(services), Config(config), Tags(tags) {}

QString Playlist::PathOf(const QString& entry) const {
    return SongPathOf(Folder, entry, Services.CurrentFolder());
}

void Playlist::RemoveAt(int position) {
    Songs.removeAt(position);
}

SongDraw Playlist::Draw(const std::array<int*, 3>& attached) {
    Tag = SongTag{};
    if (Size() < MinimumPlaylistSongs) {
        return {};
    }
    auto excluded = [&](int position) {
        for (const int* song : attached) {
            if (song != nullptr && *song == position) {
                return true;
            }
        }
        return false;
    };
    // A playlist of many missing songs loses them here one by one.
    OrderedRemovals songs(Songs);
    for (;;) {
        int position = 0;
        do {
            position = Services.Random(static_cast<int>(songs.Size()) - 1);
        } while (excluded(position));

        const QString path = PathOf(songs.At(position));
        // A song file the system refuses to read is a lost song, not a stopped game.
        const QString reason = SongProblemReason(ReadSongTag(path, Tags, Tag), Config.Language());
        if (!reason.isEmpty()) {
            songs.RemoveAt(position);
            FollowRemoval(position, attached);
            Config.ErrorLog().append(path + QStringLiteral(" --> ") + reason);
        }
        const bool ranOut = songs.Size() < MinimumPlaylistSongs;
        if (ranOut || reason.isEmpty()) {
            songs.Apply();
            return {ranOut ? -1 : position, ranOut};
        }
    }
}

} // namespace harvoline
