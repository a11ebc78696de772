#include "model/config/more_texts.h"

#include "model/config/text_file.h"

#include <QDir>
#include <QFileInfo>

namespace harvoline {

QString MoreTexts::CompanionPath(const QString& languageFile) {
    const QFileInfo file(languageFile);
    return file.dir().filePath(file.completeBaseName() + QStringLiteral(".texts"));
}

void MoreTexts::Load(const QString& languageFile) {
    German = languageFile.isEmpty();
    Texts.clear();
    if (German) {
        return;
    }
    const QString path = CompanionPath(languageFile);
    if (!QFileInfo::exists(path)) {
        return;
    }
    QStringList lines;
    try {
        lines = ReadTextLines(path);
    } catch (const std::exception&) {
        return;
    }
    for (const QString& line : lines) {
        const qsizetype equals = line.indexOf(u'=');
        if (line.startsWith(u'#') || equals <= 0) {
            continue;
        }
        const QString text = line.mid(equals + 1).trimmed().replace(QStringLiteral("\\n"), "\n");
        if (!text.isEmpty()) {
            Texts.insert(line.left(equals).trimmed(), text);
        }
    }
}

QString MoreTexts::Text(const MoreText& text) const {
    if (German) {
        return QString::fromUtf8(text.German);
    }
    return Texts.value(QString::fromUtf8(text.Name), QString::fromUtf8(text.English));
}

} // namespace harvoline
