#include "tests/support/playlist_fixture.h"

#include "tests/support/tag_files.h"

#include <QDir>
#include <QTest>

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

TfrmMain& PlaylistTest::StartGame(int songs) {
    TfrmMain& w = StartWindow();
    Platform.DialogAnswers.push_back(WritePlaylist(WriteSongs(songs)));
    w.Start->click();
    return w;
}

void PlaylistTest::WriteCovers(const QStringList& names) const {
    QDir(Folder.path()).mkpath("cover");
    for (const QString& name : names) {
        WritePicture(ExePath("cover/" + name));
    }
}

void PlaylistTest::WriteCovers(int count) const {
    QStringList names;
    for (int i = 1; i <= count; ++i) {
        names << QString("Artist %1 - Title %1.jpg").arg(i);
    }
    WriteCovers(names);
}

void PlaylistTest::WriteVideos(const QStringList& names) const {
    QDir(Folder.path()).mkpath("video");
    for (const QString& name : names) {
        WriteFile(ExePath("video/" + name), "not really a video");
    }
}

int PlaylistTest::RightChoice(TfrmMain& w) {
    return static_cast<int>(w.AnswerList.All().indexOf(w.CorrectAnswer)) + 1;
}

int PlaylistTest::WrongChoice(TfrmMain& w) {
    for (int k = 1; k <= w.AnswerList.Count(); ++k) {
        if (k != RightChoice(w) && IsEnabledFlag(w.AnswerButton[k])) {
            return k;
        }
    }
    return 0;
}

void PlaylistTest::Press(TfrmMain& w, Qt::Key key) {
    QTest::keyClick(&w, key);
}

Qt::Key PlaylistTest::BuzzKey(int seat) {
    static const Qt::Key keys[] = {Qt::Key_unknown, Qt::Key_Q, Qt::Key_Y, Qt::Key_M, Qt::Key_P};
    return keys[seat];
}

} // namespace harvoline::testing
