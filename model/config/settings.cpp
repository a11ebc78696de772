#include "model/config/settings.h"

#include "model/config/text_file.h"
#include "model/errors.h"

namespace harvoline {

std::int32_t DigitsValue(const QString& text) {
    std::uint32_t value = 0;
    for (const QChar c : text) {
        if (c >= u'0' && c <= u'9') {
            value = value * 10u + static_cast<std::uint32_t>(c.unicode() - u'0');
        }
    }
    return static_cast<std::int32_t>(value);
}

QStringList DefaultSettings(const QStringList& language) {
    const QString name = language.value(1);
    QStringList lines{QString()};
    for (int n = 1; n <= 4; ++n) {
        // The picture is named after the name label too, so that its hint, which shows
        // while the path holds the label, comes back at the next start in any language.
        const QString defaultName = name + QString::number(n);
        lines.append(
            PlayerSettingsLine(name, n, defaultName + QStringLiteral(".jpg"), defaultName));
    }
    lines << QString() << QString() << DefaultCoverIntervalLine
          << QStringLiteral("Skip 2000 milliseconds at song start") << QString()
          << language.value(12);
    return lines;
}

PlayerLine ParsePlayerLine(const QString& line) {
    const qsizetype colon = line.indexOf(u':');
    const qsizetype start = colon >= 0 ? colon + 2 : 1;
    const qsizetype semicolon = line.indexOf(u';');
    PlayerLine player;
    if (semicolon > start) {
        player.PicturePath = line.mid(start, semicolon - start);
    }
    player.Name = line.mid(semicolon >= 0 ? semicolon + 2 : 1, 98);
    return player;
}

QString PlayerSettingsLine(const QString& label, int seat, const QString& picturePath,
                           const QString& name) {
    return label + QString::number(seat) + QStringLiteral(": ") + picturePath +
           QStringLiteral("; ") + name;
}

QString RenamedPlayerLine(const QString& line, const QString& name) {
    const qsizetype gap = line.indexOf(QStringLiteral("; "));
    return (gap >= 0 ? line.left(gap + 1) : QString()) + u' ' + name;
}

void SettingsLines::Check(int index, qsizetype end) const {
    if (index < 0 || index >= end) {
        throw HarvolineError(QStringLiteral("List index out of bounds (%1)").arg(index));
    }
}

const QString& SettingsLines::Line(int index) const {
    Check(index, Lines.size());
    return Lines[index];
}

void SettingsLines::SetLine(int index, const QString& text) {
    Check(index, Lines.size());
    Lines[index] = OneLine(text);
}

void SettingsLines::Insert(int index, const QString& text) {
    Check(index, Lines.size() + 1);
    Lines.insert(index, OneLine(text));
}

void SettingsLines::Append(const QString& text) {
    Lines.append(OneLine(text));
}

} // namespace harvoline
