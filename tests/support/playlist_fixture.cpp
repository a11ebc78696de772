#include "tests/support/playlist_fixture.h"

#include "tests/support/tag_files.h"

#include <QDir>

namespace harvoline::testing {

PlaylistTest::PlaylistTest() { QDir(Folder.path()).mkdir("songs"); }

void PlaylistTest::WriteSong(const QString& name, const QString& title,
                             const QString& artist) const {
    Id3v1Fields fields;
    fields.Title = title.toLatin1();
    fields.Artist = artist.toLatin1();
    WriteFile(SongFolder() + name, SilentMp3() + Id3v1Record(fields));
}

QStringList PlaylistTest::WriteSongs(int count) const {
    QStringList names;
    for (int i = 1; i <= count; ++i) {
        const QString name = QString("s%1.mp3").arg(i);
        WriteSong(name, QString("Title %1").arg(i), QString("Artist %1").arg(i));
        names << name;
    }
    return names;
}

QString PlaylistTest::WritePlaylist(const QStringList& lines, const QByteArray& before) const {
    const QString path = SongFolder() + "list.m3u";
    WriteFile(path, before + lines.join("\r\n").toUtf8() + "\r\n");
    return path;
}

TfrmMain& PlaylistTest::OpenWith(const QString& playlist) {
    TfrmMain& w = StartWindow();
    Platform.DialogAnswers.push_back(playlist);
    w.OpenPlaylist();
    return w;
}

} // namespace harvoline::testing
