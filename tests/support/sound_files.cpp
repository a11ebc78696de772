#include "tests/support/sound_files.h"

#include <QDataStream>
#include <QFile>
#include <QProcess>
#include <cmath>

namespace harvoline::testing {

void WriteToneWav(const QString& path, int milliseconds, int frequency) {
    constexpr int Rate = 22050;
    const quint32 samples = static_cast<quint32>(static_cast<qint64>(Rate) * milliseconds / 1000);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return;
    }
    QDataStream out(&file);
    out.setByteOrder(QDataStream::LittleEndian);
    out.writeRawData("RIFF", 4);
    out << quint32(36 + samples * 2);
    out.writeRawData("WAVEfmt ", 8);
    out << quint32(16) << quint16(1) << quint16(1) << quint32(Rate) << quint32(Rate * 2)
        << quint16(2) << quint16(16);
    out.writeRawData("data", 4);
    out << quint32(samples * 2);
    for (quint32 i = 0; i < samples; ++i) {
        out << static_cast<qint16>(8000 * std::sin(2 * M_PI * frequency * i / Rate));
    }
}

bool WriteVbrMp3WithoutXing(const QString& path, int milliseconds) {
    QProcess ffmpeg;
    ffmpeg.start(QStringLiteral("ffmpeg"),
                 {"-hide_banner", "-loglevel", "error", "-y", "-f", "lavfi", "-i",
                  QStringLiteral("sine=f=440:r=22050:d=%1").arg(milliseconds / 1000.0), "-c:a",
                  "libmp3lame", "-q:a", "2", "-write_xing", "0", path});
    return ffmpeg.waitForFinished(30000) && ffmpeg.exitStatus() == QProcess::NormalExit &&
           ffmpeg.exitCode() == 0;
}

} // namespace harvoline::testing
