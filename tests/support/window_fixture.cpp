#include "tests/support/window_fixture.h"

#include <QFile>
#include <QImage>

namespace harvoline::testing {

WindowTest::WindowTest() {
    Platform.ExeFolder = Folder.path() + QStringLiteral("/");
    Platform.WorkFolder = Platform.ExeFolder;
}

WindowTest::~WindowTest() = default;

TfrmMain& WindowTest::StartWindow() {
    Window = std::make_unique<TfrmMain>(Platform);
    Window->show();
    return *Window;
}

void WindowTest::CloseWindow() { Window->close(); }

void WindowTest::WriteFile(const QString& path, const QByteArray& bytes) const {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(bytes);
}

QByteArray WindowTest::ReadFile(const QString& path) const {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return file.readAll();
}

void WindowTest::WritePicture(const QString& path, const QColor& colour) const {
    QImage picture(40, 60, QImage::Format_RGB32);
    picture.fill(colour);
    EXPECT_TRUE(picture.save(path, "JPG")) << path.toStdString();
}

void WindowTest::WriteSettingsFile(const QStringList& lines) const {
    WriteFile(ExePath(QStringLiteral("Harvoline.ini")), (lines.join("\r\n") + "\r\n").toUtf8());
}

QStringList WindowTest::SettingsFileLines() const {
    QString text = QString::fromUtf8(ReadFile(ExePath(QStringLiteral("Harvoline.ini"))));
    if (text.endsWith(QStringLiteral("\r\n"))) {
        text.chop(2);
    }
    return text.split(QStringLiteral("\r\n"));
}

} // namespace harvoline::testing
