#include "app/text_file.h"

#include "platform/errors.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <algorithm>

namespace harvoline {

namespace {

// Windows-1252 differs from Latin-1 only in 0x80..0x9F; its five unused codes map to
// the C1 controls as Windows itself does.
constexpr char16_t Cp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

} // namespace

QString DecodeCp1252(QByteArrayView bytes) {
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        *out++ = (b >= 0x80 && b < 0xA0) ? QChar(Cp1252High[b - 0x80]) : QChar(b);
    }
    return text;
}

QString DecodeText(const QByteArray& bytes) {
    QByteArray content = bytes;
    const qsizetype nul = content.indexOf('\0');
    if (nul >= 0) {
        content.truncate(nul);
    }
    QStringDecoder utf8(QStringConverter::Utf8,
                        QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
    QString text = utf8(content);
    if (!utf8.hasError()) {
        return text;
    }
    return DecodeCp1252(content);
}

QStringList SplitLines(const QString& text) {
    QStringList lines;
    qsizetype start = 0;
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = text[i];
        if (!IsLineEnd(c)) {
            continue;
        }
        lines.append(text.mid(start, i - start));
        if (c == u'\r' && i + 1 < size && text[i + 1] == u'\n') {
            ++i;
        }
        start = i + 1;
    }
    if (start < size) {
        lines.append(text.mid(start));
    }
    return lines;
}

bool IsLineEnd(QChar c) {
    return c == u'\r' || c == u'\n';
}

namespace {

bool EndsLineOrText(QChar c) {
    return IsLineEnd(c) || c == u'\0';
}

} // namespace

bool IsOneLine(const QString& text) {
    return std::none_of(text.begin(), text.end(), EndsLineOrText);
}

QString OneLine(const QString& text) {
    QString line;
    bool gap = false;
    for (const QChar c : text) {
        if (EndsLineOrText(c)) {
            gap = !line.isEmpty();
        } else {
            if (gap) {
                line += u' ';
                gap = false;
            }
            line += c;
        }
    }
    return line;
}

QStringList ReadTextLines(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw HarvolineError(QStringLiteral("Cannot open %1: %2").arg(path, file.errorString()));
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        throw HarvolineError(QStringLiteral("Cannot read %1: %2").arg(path, file.errorString()));
    }
    return SplitLines(DecodeText(bytes));
}

void WriteTextLines(const QString& path, const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += line.toUtf8();
        bytes += "\r\n";
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        throw HarvolineError(
            QStringLiteral("Cannot write %1: %2").arg(path, file.errorString()));
    }
}

} // namespace harvoline
