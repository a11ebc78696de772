#include "model/game/highscores.h"

#include "model/game/round_rules.h"

#include <cstdint>

namespace harvoline {

namespace {

class LineGenerator {
  public:
    explicit LineGenerator(std::uint32_t seed) : State(seed) {}

    int Draw(std::uint32_t bound) {
        State = State * 134775813u + 1u;
        return static_cast<int>((static_cast<std::uint64_t>(State) * bound) >> 32);
    }

  private:
    std::uint32_t State;
};

} // namespace

QString ScrambleLine(const QString& text, int direction) {
    LineGenerator generator(6853);
    QString result = text;
    for (QChar& c : result) {
        const int code = c.unicode();
        if (code < 32 || code > 122) {
            continue;
        }
        int shifted = code + direction * generator.Draw(90);
        if (shifted < 32 || shifted > 122) {
            shifted -= direction * 91;
        }
        c = QChar(static_cast<char16_t>(shifted));
    }
    return result;
}

QString HighscoreLine(const QString& name, int score, const QString& bestTime) {
    return name + QStringLiteral(": ") + PadNumber(score, 3) + QStringLiteral("; ") + bestTime;
}

QString HighscoreKey(const QString& line) {
    const qsizetype gap = line.indexOf(QStringLiteral(": "));
    return gap >= 0 ? line.mid(gap + 2) : line;
}

int InsertHighscore(SettingsLines& settings, const QString& line, const QStringList& defaults) {
    while (settings.Count() < FirstHighscoreLine) {
        settings.Append(defaults.value(settings.Count()));
    }
    const QString key = HighscoreKey(line);
    int index = FirstHighscoreLine;
    while (index < settings.Count() && HighscoreKey(ScrambleLine(settings.Line(index), -1)) > key) {
        ++index;
    }
    settings.Insert(index, ScrambleLine(line, +1));
    return index - FirstHighscoreLine + 1;
}

} // namespace harvoline
