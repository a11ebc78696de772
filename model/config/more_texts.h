#pragma once

#include <QHash>
#include <QString>

namespace harvoline {

// A text that the positional language files have no entry for, with its built-in German and
// English wording. Each part of the game declares its own, e.g.
//   inline constexpr MoreText BigScreenText{"big-screen", "Großer Bildschirm", "Big screen"};
struct MoreText {
    const char* Name;
    const char* German;
    const char* English;
};

// The newer texts of the language in use. A language file's entries have fixed places, the
// help text running to its end, so newer texts come from a companion file beside it: the
// same name with ".texts" for ".ini" (French.ini, French.texts), one "name=text" per line,
// "\n" in a text for a line break, lines starting with "#" ignored. A text the companion
// lacks shows in English; with the built-in German texts no file is read and the German
// wording shows.
class MoreTexts {
  public:
    // The companion of the language file; an empty path for the built-in German texts.
    // A missing or unreadable companion leaves the built-in texts.
    void Load(const QString& languageFile);
    QString Text(const MoreText& text) const;

    static QString CompanionPath(const QString& languageFile);

  private:
    bool German = true;
    QHash<QString, QString> Texts;
};

} // namespace harvoline
