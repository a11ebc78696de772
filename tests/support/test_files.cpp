#include "tests/support/test_files.h"

#include "tests/support/tag_files.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <gtest/gtest.h>

namespace harvoline::testing {

TestFiles::TestFiles() {
    QDir(Folder.path()).mkdir(QStringLiteral("songs"));
}

void TestFiles::WriteFile(const QString& path, const QByteArray& bytes) const {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(bytes);
}

QByteArray TestFiles::ReadFile(const QString& path) const {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return file.readAll();
}

void TestFiles::WritePicture(const QString& path, const QColor& colour) const {
    QImage picture(40, 60, QImage::Format_RGB32);
    picture.fill(colour);
    EXPECT_TRUE(picture.save(path, "JPG")) << path.toStdString();
}

void TestFiles::WriteSettingsFile(const QStringList& lines) const {
    WriteFile(ExePath(QStringLiteral("Harvoline.ini")), (lines.join("\r\n") + "\r\n").toUtf8());
}

QStringList TestFiles::SettingsFileLines() const {
    QString text = QString::fromUtf8(ReadFile(ExePath(QStringLiteral("Harvoline.ini"))));
    if (text.endsWith(QStringLiteral("\r\n"))) {
        text.chop(2);
    }
    return text.split(QStringLiteral("\r\n"));
}

void TestFiles::WriteSong(const QString& name, const QString& title, const QString& artist) const {
    Id3v1Fields fields;
    fields.Title = title.toLatin1();
    fields.Artist = artist.toLatin1();
    WriteFile(SongFolder() + name, SilentMp3() + Id3v1Record(fields));
}

QStringList TestFiles::WriteSongs(int count) const {
    QStringList names;
    for (int i = 1; i <= count; ++i) {
        const QString name = QString("s%1.mp3").arg(i);
        WriteSong(name, QString("Title %1").arg(i), QString("Artist %1").arg(i));
        names << name;
    }
    return names;
}

QString TestFiles::WritePlaylist(const QStringList& lines, const QByteArray& before) const {
    const QString path = SongFolder() + "list.m3u";
    WriteFile(path, before + lines.join("\r\n").toUtf8() + "\r\n");
    return path;
}

void TestFiles::WriteCovers(const QStringList& names) const {
    QDir(Folder.path()).mkpath("cover");
    for (const QString& name : names) {
        WritePicture(ExePath("cover/" + name));
    }
}

void TestFiles::WriteCovers(int count) const {
    QStringList names;
    for (int i = 1; i <= count; ++i) {
        names << QString("Artist %1 - Title %1.jpg").arg(i);
    }
    WriteCovers(names);
}

void TestFiles::WriteVideos(const QStringList& names) const {
    QDir(Folder.path()).mkpath("video");
    for (const QString& name : names) {
        WriteFile(ExePath("video/" + name), "not really a video");
    }
}

} // namespace harvoline::testing
