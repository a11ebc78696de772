#include "model/config/language.h"

#include <QRegularExpression>
#include <array>
#include <utility>

namespace harvoline {

QStringList DefaultLanguageTable() {
    return {
        QStringLiteral("Harvoline"),
        QStringLiteral("Name"),
        QStringLiteral("Punkte"),
        QStringLiteral("Playlist"),
        QStringLiteral("Weiter"),
        QStringLiteral("Start"),
        QStringLiteral("Zeit ist um!"),
        QStringLiteral("Lieder in der Playlist"),
        QStringLiteral("Playlist beendet"),
        QStringLiteral("Datei nicht gefunden."),
        QStringLiteral("Lied hat keinen lesbaren ID3v1-Tag."),
        QStringLiteral("Einzelspielermodus beenden?"),
        QStringLiteral("Highscores:"),
        QStringLiteral("Einzelspielermodus neu starten?"),
        QStringLiteral(
            "Alle Lieder ohne ID3v1-Tag wurden in der Playlist NoID3v1.m3u gespeichert:"),
        QStringLiteral("Bild (*.jpg *.jpeg *.jpe *.jfif *.png *.bmp *.gif *.ico *.cur *.pbm *.pgm "
                       "*.ppm *.xbm *.xpm)|"
                       "*.jpg;*.jpeg;*.jpe;*.jfif;*.png;*.bmp;*.gif;*.ico;*.cur;*.pbm;*.pgm;*.ppm;*"
                       ".xbm;*.xpm"),
        QStringLiteral("Bild öffnen"),
        QStringLiteral("Playlist (*.m3u)|*.m3u"),
        QStringLiteral("Playlist öffnen"),
        QStringLiteral("Sprache (*.ini)|*.ini"),
        QStringLiteral("Sprache öffnen"),
        QStringLiteral("Doppelklick für eigenes Bild (170x230 Pixel)"),
        QStringLiteral("Doppelklick für eigenen Namen (Leerer Name löscht den Spieler)"),
        QStringLiteral("Doppelklick auf Titel vergrößert das Fenster"),
        QStringLiteral("Klick aufs Icon öffnet ein Menü"),
        QStringLiteral("&Beenden"),
        QStringLiteral("&Playlist laden"),
        QStringLiteral("&Einzelspieler"),
        QStringLiteral("&Sprachen"),
        QStringLiteral("&ID3-Tags prüfen"),
        QStringLiteral("&Kurzhilfe"),
        QStringLiteral("&Highscores"),
        QStringLiteral("bitte deinen Buzzer drücken"),
    };
}

QString DefaultHelpText() {
    const QStringList lines = {
        QStringLiteral("Mit Klick auf den Startknopf oder Auswahl des Menüpunkts Playlist öffnet "
                       "man M3U-Playlists. "),
        QStringLiteral("Wer den Titel kennt, drückt seinen Spieler-Buchstaben. Anschließend kann "
                       "er lösen. Je schneller man ist, desto "),
        QStringLiteral("mehr Punkte gibt's. Die Bestzeit wird pro Spieler festgehalten. Falsche "
                       "Antworten geben Minuspunkte und man "),
        QStringLiteral("darf diese Runde nicht mehr mittippen."),
        QStringLiteral("Im Einzelspielermodus wird gegen die Zeit gespielt (75 s) und der "
                       "Highscore gespeichert."),
        QStringLiteral("Spielernamen ändern durch Doppelklick auf Namen. Spieler können "
                       "ausgeblendet werden, indem der Name "),
        QStringLiteral("gelöscht wird. Spieler werden durch Doppelklick auf das Hintergrundbild "
                       "wieder eingeblendet."),
        QStringLiteral("Doppelklick auf das Bild öffnet eigene Bilder (170x230 Pixel!). "
                       "Doppelklick auf \"HARVOLINE\" vergrößert das "),
        QStringLiteral("Fenster."),
    };
    return lines.join(QStringLiteral("\r\n"));
}

QString HelpTextOf(const QStringList& table) {
    qsizetype first = LanguageEntryCount;
    while (first < table.size() && table[first].isEmpty()) {
        ++first;
    }
    QString help;
    for (qsizetype i = first; i < table.size(); ++i) {
        help += table[i] + u'\n';
    }
    return help;
}

QString MessagesLocale(const QProcessEnvironment& environment) {
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const QString locale = environment.value(QString::fromLatin1(variable));
        if (!locale.isEmpty()) {
            return locale;
        }
    }
    return {};
}

QString ShippedLanguageFileName(const QString& locale) {
    static const std::array<std::pair<const char*, const char*>, 5> files = {{
        {"en", "English.ini"},
        {"fr", "French.ini"},
        {"es", "Spanish.ini"},
        {"it", "Italian.ini"},
        {"nl", "Dutch.ini"},
    }};
    // language[_territory][.codeset][@modifier]
    static const QRegularExpression languagePart(QStringLiteral("^([a-z]{2,3})(?:[_.@]|$)"));
    const QString language = languagePart.match(locale).captured(1);
    for (const auto& [code, file] : files) {
        if (language == QLatin1String(code)) {
            return QString::fromLatin1(file);
        }
    }
    return {};
}

} // namespace harvoline
