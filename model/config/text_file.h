#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

namespace harvoline {

// The lines of a text file of the program. A line ends at CR LF, a lone CR or a lone LF,
// and a NUL ends the text. Each line is UTF-8 when its bytes are valid UTF-8 and
// Windows-1252 otherwise: a playlist or settings file that one program wrote in UTF-8 and
// another added to in the Windows code page keeps every line readable. A file that starts
// with a UTF-16 byte-order mark (Windows Notepad's "Unicode") is UTF-16, its mark not part
// of the text; a UTF-8 byte-order mark stays as the character it decodes to.
QStringList DecodeLines(const QByteArray& bytes);
// Decodes single-byte text as Windows-1252.
QString DecodeCp1252(QByteArrayView bytes);

// The characters a line ends at when a text file is read.
bool IsLineEnd(QChar c);
// True when the text, written as a line, reads back as that one line: it holds no line end
// and no NUL, which ends the text.
bool IsOneLine(const QString& text);
// The text's pieces between line ends and NULs, joined by a blank.
QString OneLine(const QString& text);

// Reads a regular file of at most TextFileLimitBytes. Raises UnreadableFileError naming
// the file and saying why it cannot be read.
QStringList ReadTextLines(const QString& path);

// Writes the lines as UTF-8, each ending with CR LF, through a temporary file that then
// replaces the target, so the old file survives a failed write. Raises HarvolineError
// naming the file and the reason.
void WriteTextLines(const QString& path, const QStringList& lines);

} // namespace harvoline
