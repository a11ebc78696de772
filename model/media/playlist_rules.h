#pragma once

#include "model/media/song_tag.h"

#include <QString>
#include <QStringList>
#include <cstdint>

namespace harvoline {

class AudioPlayer;
class TagLibrary;

// The game goes on with a playlist only while this many entries are left in it.
constexpr int MinimumPlaylistSongs = 6;

// The entries of a playlist file's lines that name songs: no line without a letter
// (empty lines, numbers) and no comment lines. Nothing is trimmed.
QStringList PlayableEntries(const QStringList& lines);

// Where an entry's file is: beside the playlist when a file is there (also with a
// Windows playlist's backslashes), else the entry as written, taken against the
// current folder; a file:// address names its local path. An entry not found so is
// looked for again without the blanks around it. A file found nowhere gives the entry
// as written, against the current folder.
QString SongPathOf(const QString& playlistFolder, const QString& entry,
                   const QString& currentFolder);

// Why a song cannot be used, or nothing when it can.
enum class SongProblem { None, Missing, NoTag, Unreadable };

// Reads the song's tag into the record: its ID3v1 record, and through the tag library
// when there is one and the record has no marker or no letter in its title and artist.
SongProblem ReadSongTag(const QString& path, TagLibrary* tags, SongTag& record);

// The right answer a song's tag gives: title, " - ", artist, at most 63 characters.
QString AnswerOfTag(const SongTag& tag);

// The error log's reason for a song the game cannot use, in the words of the language
// table; empty for none. A file the system or the player refuses is a "read error".
QString SongProblemReason(SongProblem problem, const QStringList& language);

// Whether the player takes the song as a round starts it: it opens, and plays from the
// start position. The player is left stopped and closed.
bool CanPlaySong(AudioPlayer& player, const QString& path, std::int64_t startMs);

// The song rounds a playlist gives at the least. Each round takes a song, and the game
// ends the playlist once fewer than MinimumPlaylistSongs entries are left. The last entry
// is never drawn: it is never played, yet stays in the count whatever its song. A song
// that cannot be used leaves the count only when it is drawn, which may give more rounds.
int LeastSongRounds(int usableSongs, bool lastEntryUsable);

} // namespace harvoline
