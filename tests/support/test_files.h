#pragma once

#include <QColor>
#include <QStringList>
#include <QTemporaryDir>

namespace harvoline::testing {

// A folder of its own for one test, standing for the program's folder: songs and playlists
// in songs/, covers in cover/, videos in video/, and the settings file.
class TestFiles {
  public:
    TestFiles();

    QString ExeFolder() const { return Folder.path() + QStringLiteral("/"); }
    QString ExePath(const QString& name) const { return ExeFolder() + name; }
    QString SongFolder() const { return ExeFolder() + QStringLiteral("songs/"); }

    void WriteFile(const QString& path, const QByteArray& bytes) const;
    QByteArray ReadFile(const QString& path) const;
    // Writes a small valid JPEG picture.
    void WritePicture(const QString& path, const QColor& colour = Qt::red) const;
    void WriteSettingsFile(const QStringList& lines) const;
    QStringList SettingsFileLines() const;

    // A playable song file whose ID3v1 record names it.
    void WriteSong(const QString& name, const QString& title, const QString& artist) const;
    // Songs s1.mp3 .. sN.mp3 titled "Title i" by "Artist i".
    QStringList WriteSongs(int count) const;
    QString WritePlaylist(const QStringList& lines, const QByteArray& before = {}) const;
    // Pictures named as covers are, in the cover folder.
    void WriteCovers(const QStringList& names) const;
    // Covers "Artist i - Title i.jpg".
    void WriteCovers(int count) const;
    // Files named as videos are, in the video folder; the fake view never reads them.
    void WriteVideos(const QStringList& names) const;

    QTemporaryDir Folder;
};

} // namespace harvoline::testing
