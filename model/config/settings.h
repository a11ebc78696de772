#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>

namespace harvoline {

constexpr int SettingsDefaultLineCount = 11;
constexpr int FirstHighscoreLine = 11;
inline const QString DefaultCoverIntervalLine = QStringLiteral("Guess a cover every 10 songs");

// All decimal digits of the text read as one number, other characters skipped; wraps
// in 32-bit two's complement.
std::int32_t DigitsValue(const QString& text);

// The eleven default lines, built from the language table in use.
QStringList DefaultSettings(const QStringList& language);

struct PlayerLine {
    QString PicturePath;
    QString Name;
};

// Reads a player line: "<label>: <picture path>; <name>".
PlayerLine ParsePlayerLine(const QString& line);

// A player line as written when a picture is chosen: "<label><seat>: <picture path>; <name>".
QString PlayerSettingsLine(const QString& label, int seat, const QString& picturePath,
                           const QString& name);

// The line with its name replaced: everything up to the first "; " stays, so the picture
// path survives; a line without "; " keeps nothing but the new name after a blank.
QString RenamedPlayerLine(const QString& line, const QString& name);

// The settings lines with access that raises HarvolineError for a line that does not exist.
// A line stored holds no line break: the file's meaning is the position of its lines.
class SettingsLines {
  public:
    const QString& Line(int index) const;
    void SetLine(int index, const QString& text);
    void Insert(int index, const QString& text);
    void Append(const QString& text);
    int Count() const { return static_cast<int>(Lines.size()); }
    const QStringList& All() const { return Lines; }
    void Replace(const QStringList& lines) { Lines = lines; }

  private:
    void Check(int index, qsizetype end) const;
    QStringList Lines;
};

} // namespace harvoline
