#pragma once

#include <QString>
#include <QStringList>

namespace harvoline {

// The game's settings that Harvoline.ini has no line for. That file's meaning lies in the
// position of its lines, so newer settings live in a file of their own beside it, one
// "name=value" per line. A missing file, a missing name or a value that does not fit gives
// the built-in default; lines this version does not know stay as they are.
class OptionsFile {
  public:
    static constexpr const char* FileName = "HarvolineOptions.ini";

    // Reads the file; a missing file holds nothing. Raises UnreadableFileError naming the
    // file and the reason; the options then stay empty and the file is never written over.
    void Read(const QString& path);

    // The value, or an empty text when the file has none.
    QString Value(const QString& name) const;
    bool Flag(const QString& name, bool fallback) const;
    // The fallback when the value is no whole number from lowest to highest.
    int Number(const QString& name, int fallback, int lowest, int highest) const;

    // Each change is written at once, so nothing is lost when the game ends abruptly.
    // Raises HarvolineError when the file cannot be written.
    void Set(const QString& name, const QString& value);
    void SetFlag(const QString& name, bool on);
    void SetNumber(const QString& name, int value);

  private:
    int LineOf(const QString& name) const;

    QString Path;
    QStringList Lines;
    bool Unreadable = false;
};

} // namespace harvoline
