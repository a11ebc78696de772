#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

namespace harvoline {

// Text files of the program: read as UTF-8 when the bytes are valid UTF-8 and as
// Windows-1252 otherwise; a NUL ends the text; a line ends at CR LF, a lone CR or a lone LF.
// A byte-order mark is kept as the character it decodes to.
QString DecodeText(const QByteArray& bytes);
// Decodes single-byte text as Windows-1252.
QString DecodeCp1252(QByteArrayView bytes);
QStringList SplitLines(const QString& text);

// The characters a line ends at when a text file is read.
bool IsLineEnd(QChar c);
// True when the text, written as a line, reads back as that one line: it holds no line end
// and no NUL, which ends the text.
bool IsOneLine(const QString& text);
// The text's pieces between line ends and NULs, joined by a blank.
QString OneLine(const QString& text);

// Raises HarvolineError when the file cannot be opened or read.
QStringList ReadTextLines(const QString& path);

// Writes the lines as UTF-8, each ending with CR LF, through a temporary file that then
// replaces the target, so the old file survives a failed write. Raises HarvolineError
// naming the file and the reason.
void WriteTextLines(const QString& path, const QStringList& lines);

} // namespace harvoline
