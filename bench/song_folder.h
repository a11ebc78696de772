#pragma once

#include "tests/support/tag_files.h"

#include <QStringList>
#include <QTemporaryDir>

namespace harvoline::testing {

// A temporary folder for the window's own files, holding the songs s1.mp3 .. sN.mp3:
// playable files whose ID3v1 records name them "Title i" by "Artist i".
class SongFolder {
  public:
    explicit SongFolder(int count) {
        for (int i = 1; i <= count; ++i) {
            const QString name = QStringLiteral("s%1.mp3").arg(i);
            WriteBytes(Path() + name,
                       SilentMp3() + Id3v1Record({.Title = "Title " + QByteArray::number(i),
                                                  .Artist = "Artist " + QByteArray::number(i)}));
            Songs << name;
        }
    }

    QString Path() const { return Folder.path() + u'/'; }

    // Writes list.m3u with these lines and returns its path.
    QString WritePlaylist(const QStringList& lines) const {
        const QString path = Path() + QStringLiteral("list.m3u");
        WriteBytes(path, lines.join(QStringLiteral("\r\n")).toUtf8() + "\r\n");
        return path;
    }

    QStringList Songs;

  private:
    QTemporaryDir Folder;
};

} // namespace harvoline::testing
