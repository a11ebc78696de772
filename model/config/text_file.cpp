#include "model/config/text_file.h"

#include "model/errors.h"
#include "model/config/regular_file.h"

#include <QSaveFile>
#include <QStringDecoder>
#include <algorithm>
#include <vector>

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

namespace {

// The lines of a text, by view into it: a byte text or a UTF-16 one.
template <typename View> std::vector<View> LineViews(View text) {
    std::vector<View> lines;
    qsizetype start = 0;
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = text[i];
        if (!IsLineEnd(c)) {
            continue;
        }
        lines.push_back(text.sliced(start, i - start));
        if (c == u'\r' && i + 1 < size && text[i + 1] == u'\n') {
            ++i;
        }
        start = i + 1;
    }
    if (start < size) {
        lines.push_back(text.sliced(start));
    }
    return lines;
}

template <typename View> View UpToNul(View text) {
    const qsizetype nul = text.indexOf(u'\0');
    return nul >= 0 ? text.first(nul) : text;
}

QStringList Utf16Lines(QByteArrayView bytes, QStringConverter::Encoding encoding) {
    QStringDecoder decoder(encoding);
    const QString text = decoder(bytes);
    QStringList lines;
    for (const QStringView line : LineViews(UpToNul(QStringView(text)))) {
        lines.append(line.toString());
    }
    return lines;
}

QString DecodeLine(QByteArrayView line) {
    if (!line.isValidUtf8()) {
        return DecodeCp1252(line);
    }
    // A byte-order mark stays in the text, as the Windows code page would show its bytes.
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
    return utf8(line);
}

} // namespace

QStringList DecodeLines(const QByteArray& bytes) {
    if (bytes.startsWith("\xFF\xFE")) {
        return Utf16Lines(bytes, QStringConverter::Utf16LE);
    }
    if (bytes.startsWith("\xFE\xFF")) {
        return Utf16Lines(bytes, QStringConverter::Utf16BE);
    }
    QStringList lines;
    for (const QByteArrayView line : LineViews(UpToNul(QByteArrayView(bytes)))) {
        lines.append(DecodeLine(line));
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
    try {
        return DecodeLines(RegularFile(path).ReadAll(TextFileLimitBytes));
    } catch (const HarvolineError& error) {
        throw UnreadableFileError(
            QStringLiteral("Cannot read %1: %2").arg(path, QString::fromUtf8(error.what())));
    }
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
