#include "model/config/regular_file.h"

#include "model/errors.h"

#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace harvoline {

namespace {

[[noreturn]] void Refuse(const QString& reason) {
    throw HarvolineError(reason);
}

[[noreturn]] void RefuseWithSystemReason() {
    Refuse(errno == ENOENT ? QStringLiteral("the file does not exist") : qt_error_string(errno));
}

} // namespace

RegularFile::RegularFile(const QString& path) {
    // Without O_NONBLOCK, opening a named pipe waits for a writer before fstat could tell.
    Fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (Fd < 0) {
        RefuseWithSystemReason();
    }
    struct stat status {};
    if (::fstat(Fd, &status) != 0) {
        const int error = errno;
        ::close(Fd);
        errno = error;
        RefuseWithSystemReason();
    }
    if (!S_ISREG(status.st_mode)) {
        ::close(Fd);
        Refuse(QStringLiteral("not a regular file"));
    }
    Bytes = status.st_size;
}

RegularFile::~RegularFile() {
    ::close(Fd);
}

QByteArray RegularFile::ReadAll(qint64 limitBytes) const {
    if (Bytes > limitBytes) {
        Refuse(QStringLiteral("the file is larger than %1").arg(SizeText(limitBytes)));
    }
    return ReadAt(0, Bytes);
}

QByteArray RegularFile::ReadAt(qint64 offset, qint64 length) const {
    QByteArray bytes(std::max<qint64>(0, std::min(length, Bytes - offset)), Qt::Uninitialized);
    qint64 done = 0;
    while (done < bytes.size()) {
        const ssize_t got = ::pread(Fd, bytes.data() + done,
                                    static_cast<size_t>(bytes.size() - done), offset + done);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            RefuseWithSystemReason();
        }
        if (got == 0) { // the file shrank meanwhile
            bytes.truncate(done);
            break;
        }
        done += got;
    }
    return bytes;
}

QString UnreadableReason(const QString& path) {
    try {
        const RegularFile file(path);
        return {};
    } catch (const HarvolineError& error) {
        return QString::fromUtf8(error.what());
    }
}

QString SizeText(qint64 bytes) {
    constexpr qint64 Megabyte = 1024 * 1024;
    return bytes % Megabyte == 0 ? QStringLiteral("%1 MB").arg(bytes / Megabyte)
                                 : QStringLiteral("%1 bytes").arg(bytes);
}

} // namespace harvoline
