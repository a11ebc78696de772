#include "model/config/options_file.h"

#include "model/config/regular_file.h"
#include "model/config/text_file.h"

#include <QDir>
#include <QFileInfo>

namespace harvoline {

void OptionsFile::Read(const QString& path) {
    Path = path;
    Lines.clear();
    Unreadable = false;
    if (!QFileInfo::exists(path)) {
        return;
    }
    try {
        Lines = ReadTextLines(path);
    } catch (const UnreadableFileError&) {
        Unreadable = true;
        throw;
    }
}

int OptionsFile::LineOf(const QString& name) const {
    for (int i = 0; i < Lines.size(); ++i) {
        const qsizetype equals = Lines[i].indexOf(u'=');
        if (equals > 0 && Lines[i].left(equals).trimmed() == name) {
            return i;
        }
    }
    return -1;
}

QString OptionsFile::Value(const QString& name) const {
    const int line = LineOf(name);
    return line < 0 ? QString() : Lines[line].mid(Lines[line].indexOf(u'=') + 1).trimmed();
}

bool OptionsFile::Flag(const QString& name, bool fallback) const {
    const QString value = Value(name).toLower();
    if (value == QStringLiteral("on")) {
        return true;
    }
    if (value == QStringLiteral("off")) {
        return false;
    }
    return fallback;
}

int OptionsFile::Number(const QString& name, int fallback, int lowest, int highest) const {
    bool ok = false;
    const int value = Value(name).toInt(&ok);
    return ok && value >= lowest && value <= highest ? value : fallback;
}

void OptionsFile::Set(const QString& name, const QString& value) {
    const QString line = name + u'=' + OneLine(value);
    const int index = LineOf(name);
    if (index < 0) {
        Lines.append(line);
    } else {
        Lines[index] = line;
    }
    // An options file that could not be read is left as it is rather than replaced.
    if (Unreadable || Path.isEmpty()) {
        return;
    }
    QDir().mkpath(QFileInfo(Path).absolutePath());
    WriteTextLines(Path, Lines);
}

void OptionsFile::SetFlag(const QString& name, bool on) {
    Set(name, on ? QStringLiteral("on") : QStringLiteral("off"));
}

void OptionsFile::SetNumber(const QString& name, int value) {
    Set(name, QString::number(value));
}

} // namespace harvoline
