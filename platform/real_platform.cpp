#include "platform/real_platform.h"

#include "model/media/tag_library.h"
#include "platform/vlc_player.h"
#include "platform/vlc_video_view.h"
#include "ui/pictures/picture_loader.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QThread>
#include <QUrl>
#include <chrono>

namespace harvoline {

namespace {

QString WithSeparator(const QString& folder) {
    return folder.endsWith(u'/') ? folder : folder + u'/';
}

// Message texts come from files (language entries, names, paths) and are shown as they
// are: as rich text a language file could make the box load any local file as a picture.
QMessageBox::StandardButton ShowBox(QWidget* owner, QMessageBox::Icon icon, const QString& text,
                                    QMessageBox::StandardButtons buttons) {
    QMessageBox box(icon, QCoreApplication::applicationName(), text, buttons, owner);
    box.setTextFormat(Qt::PlainText);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

} // namespace

RealPlatform::RealPlatform() {
    Clock.start();
}

QString QtFileFilter(const QString& filter) {
    const QStringList parts = filter.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(u';', u' ');
        const QString& description = parts[i];
        filters << (description.contains(u'(' + patterns + u')')
                        ? description
                        : description + QStringLiteral(" (") + patterns + u')');
    }
    return filters.join(QStringLiteral(";;"));
}

std::optional<QString> RealPlatform::OpenFileDialog(const FileDialogRequest& request) {
    QString start = request.InitialFolder;
    if (!request.FileName.isEmpty()) {
        start = QDir(start).filePath(request.FileName);
    }
    const QString path =
        QFileDialog::getOpenFileName(Owner, request.Title, start, QtFileFilter(request.Filter));
    if (path.isEmpty()) {
        return std::nullopt;
    }
    return path;
}

void RealPlatform::ShowInformation(const QString& text) {
    ShowBox(Owner, QMessageBox::Information, text, QMessageBox::Ok);
}

bool RealPlatform::AskYesNo(const QString& text) {
    return ShowBox(Owner, QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

void RealPlatform::ShowMessage(const QString& text) {
    ShowBox(Owner, QMessageBox::NoIcon, text, QMessageBox::Ok);
}

void RealPlatform::ShowError(const QString& text) {
    ShowBox(Owner, QMessageBox::Critical, text, QMessageBox::Ok);
}

void RealPlatform::ShellOpen(const QString& path) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

QString RealPlatform::ExecutableFolder() {
    return WithSeparator(QCoreApplication::applicationDirPath());
}

QString RealPlatform::CurrentFolder() {
    return WithSeparator(QDir::currentPath());
}

std::int64_t RealPlatform::NowMs() {
    return Clock.elapsed();
}

void RealPlatform::Wait(int ms) {
    QThread::msleep(static_cast<unsigned long>(ms));
}

void RealPlatform::Randomize() {
    Generator.seed(static_cast<std::mt19937::result_type>(
        std::chrono::high_resolution_clock::now().time_since_epoch().count()));
}

int RealPlatform::Random(int range) {
    if (range <= 0) {
        return 0;
    }
    return std::uniform_int_distribution<int>(0, range - 1)(Generator);
}

QImage RealPlatform::LoadPicture(const QString& path) {
    return LoadPictureFile(path);
}

AudioPlayer& RealPlatform::Audio() {
    if (Player == nullptr) {
        Player = std::make_unique<VlcAudioPlayer>(VlcEngine::Shared());
    }
    return *Player;
}

std::unique_ptr<VideoView> RealPlatform::CreateVideoView(QWidget* parent, const QRect& geometry) {
    return std::make_unique<VlcVideoView>(VlcEngine::Shared(), parent, geometry);
}

bool RealPlatform::VideoInstalled() {
    return VlcVideoAvailable(VlcEngine::Shared());
}

std::unique_ptr<TagLibrary> RealPlatform::CreateTagLibrary() {
    return std::make_unique<TagLibrary>();
}

} // namespace harvoline
