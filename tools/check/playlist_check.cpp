#include "tools/check/playlist_check.h"

#include "model/config/text_file.h"
#include "model/media/tag_library.h"
#include "model/errors.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <map>

namespace harvoline {

namespace {

struct IgnoringCase {
    bool operator()(const QString& a, const QString& b) const {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    }
};

EntryCheck CheckEntry(const QString& entry, const QString& path, std::int64_t skipMs,
                      TagLibrary& tags, AudioPlayer& player) {
    EntryCheck check;
    check.Entry = entry;
    check.Path = path;
    SongTag tag;
    check.Problem = ReadSongTag(path, &tags, tag);
    if (check.Usable() && !CanPlaySong(player, path, skipMs)) {
        check.Problem = SongProblem::Unreadable;
    }
    if (check.Usable()) {
        check.Answer = AnswerOfTag(tag);
        tags.Load(path);
        check.HasCover = tags.AlbumPicture().Kind != PictureKind::None;
    }
    return check;
}

} // namespace

int PlaylistCheck::UsableSongs() const {
    return static_cast<int>(std::ranges::count_if(Entries, &EntryCheck::Usable));
}

int PlaylistCheck::Rounds() const {
    return LeastSongRounds(UsableSongs(), !Entries.empty() && Entries.back().Usable());
}

std::vector<AnswerCollision> PlaylistCheck::Collisions() const {
    std::map<QString, QStringList, IgnoringCase> entriesByAnswer;
    for (const EntryCheck& entry : Entries) {
        if (entry.Usable()) {
            entriesByAnswer[entry.Answer].append(entry.Entry);
        }
    }
    std::vector<AnswerCollision> collisions;
    for (const auto& [answer, entries] : entriesByAnswer) {
        if (entries.size() > 1) {
            collisions.push_back({answer, entries});
        }
    }
    return collisions;
}

QStringList PlaylistCheck::EntriesWithoutCover() const {
    QStringList entries;
    for (const EntryCheck& entry : Entries) {
        if (entry.Usable() && !entry.HasCover) {
            entries.append(entry.Entry);
        }
    }
    return entries;
}

PlaylistCheck CheckPlaylist(const QString& playlistPath, std::int64_t skipMs, TagLibrary& tags,
                            AudioPlayer& player) {
    const QStringList entries = PlayableEntries(ReadTextLines(playlistPath));
    const QFileInfo playlist(playlistPath);
    const QString playlistFolder = playlist.absolutePath() + u'/';
    const QString currentFolder = QDir::currentPath() + u'/';
    PlaylistCheck check{.Playlist = playlist.absoluteFilePath(), .SkipMs = skipMs, .Entries = {}};
    for (const QString& entry : entries) {
        check.Entries.push_back(CheckEntry(entry, SongPathOf(playlistFolder, entry, currentFolder),
                                           skipMs, tags, player));
    }
    return check;
}

} // namespace harvoline
