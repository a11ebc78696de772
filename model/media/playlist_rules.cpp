#include "model/media/playlist_rules.h"

#include "model/media/answer_list.h"
#include "model/media/audio_player.h"
#include "model/errors.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>
#include <algorithm>
#include <optional>

namespace harvoline {

namespace {

bool IsFile(const QString& path) { return QFileInfo(path).isFile(); }

bool HasUsableTag(const SongTag& tag) {
    return tag.Marker == QStringLiteral("TAG") && !HasNoLetter(tag.Title + tag.Artist);
}

QString AsWritten(const QString& entry, const QString& currentFolder) {
    return entry.isEmpty() ? entry : QDir(currentFolder).filePath(entry);
}

// The song file an entry names, if it exists: beside the playlist (also with a Windows
// playlist's backslashes), else as written, where a file:// address (as Linux music
// players export playlists) names a local path with its special characters
// percent-encoded.
std::optional<QString> FoundSong(const QString& playlistFolder, const QString& entry,
                                 const QString& currentFolder) {
    if (entry.startsWith(QStringLiteral("file://"), Qt::CaseInsensitive)) {
        const QString local = QUrl(entry).toLocalFile();
        return IsFile(local) ? std::optional(local) : std::nullopt;
    }
    QStringList candidates = {playlistFolder + entry};
    if (entry.contains(u'\\')) {
        candidates << playlistFolder + QString(entry).replace(u'\\', u'/');
    }
    candidates << AsWritten(entry, currentFolder);
    for (const QString& candidate : candidates) {
        if (IsFile(candidate)) {
            return candidate;
        }
    }
    return std::nullopt;
}

} // namespace

QStringList PlayableEntries(const QStringList& lines) {
    QStringList entries;
    for (const QString& line : lines) {
        if (!HasNoLetter(line) && !line.startsWith(u'#')) {
            entries.append(line);
        }
    }
    return entries;
}

QString SongPathOf(const QString& playlistFolder, const QString& entry,
                   const QString& currentFolder) {
    if (const std::optional<QString> found = FoundSong(playlistFolder, entry, currentFolder)) {
        return *found;
    }
    // Some players write blanks around the names.
    const QString trimmed = entry.trimmed();
    if (trimmed != entry && !trimmed.isEmpty()) {
        if (const std::optional<QString> found =
                FoundSong(playlistFolder, trimmed, currentFolder)) {
            return *found;
        }
    }
    return AsWritten(entry, currentFolder);
}

SongProblem ReadSongTag(const QString& path, TagLibrary* tags, SongTag& record) {
    record = SongTag{};
    if (!IsFile(path)) {
        return SongProblem::Missing;
    }
    try {
        ReadId3v1(path, record);
        if (tags != nullptr && !HasUsableTag(record)) {
            ReadId3v2(*tags, path, record);
        }
    } catch (const HarvolineError&) {
        record = SongTag{};
        return SongProblem::Unreadable;
    }
    if (!HasUsableTag(record)) {
        record = SongTag{};
        return SongProblem::NoTag;
    }
    return SongProblem::None;
}

QString AnswerOfTag(const SongTag& tag) {
    return (tag.Title + QStringLiteral(" - ") + tag.Artist).left(63);
}

QString SongProblemReason(SongProblem problem, const QStringList& language) {
    switch (problem) {
    case SongProblem::None:
        break;
    case SongProblem::Missing:
        return language.value(9);
    case SongProblem::NoTag:
        return language.value(10);
    case SongProblem::Unreadable:
        return QStringLiteral("read error");
    }
    return {};
}

bool CanPlaySong(AudioPlayer& player, const QString& path, std::int64_t startMs) {
    bool plays = true;
    try {
        player.Open(path);
        player.SetStartPosition(startMs);
        player.Play();
        player.Stop();
    } catch (const HarvolineError&) {
        plays = false;
    }
    player.Close();
    return plays;
}

int LeastSongRounds(int usableSongs, bool lastEntryUsable) {
    const int counted = usableSongs + (lastEntryUsable ? 0 : 1);
    return std::max(0, counted - MinimumPlaylistSongs);
}

} // namespace harvoline
