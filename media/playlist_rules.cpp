#include "media/playlist_rules.h"

#include "media/answer_list.h"
#include "platform/audio_player.h"
#include "platform/errors.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace harvoline {

namespace {

bool IsFile(const QString& path) { return QFileInfo(path).isFile(); }

bool HasUsableTag(const SongTag& tag) {
    return tag.Marker == QStringLiteral("TAG") && !HasNoLetter(tag.Title + tag.Artist);
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
    const QString besidePlaylist = playlistFolder + entry;
    if (IsFile(besidePlaylist)) {
        return besidePlaylist;
    }
    if (entry.contains(u'\\')) {
        const QString unixPath = playlistFolder + QString(entry).replace(u'\\', u'/');
        if (IsFile(unixPath)) {
            return unixPath;
        }
    }
    return entry.isEmpty() ? entry : QDir(currentFolder).filePath(entry);
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
