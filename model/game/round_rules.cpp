#include "model/game/round_rules.h"

#include <algorithm>

namespace harvoline {

QString PadNumber(int value, int width) {
    QString text = QString::number(value);
    if (text.size() < width) {
        text.prepend(QString(width - text.size(), u'0'));
    }
    return text;
}

QString ClockText(int ms) {
    // Whatever position a player reports, no part of the clock is ever negative.
    ms = std::max(ms, 0);
    return QString::number(ms / 60000) + u':' + PadNumber((ms % 60000) / 1000, 2) + u':' +
           PadNumber((ms % 1000) / 10, 2);
}

RoundKind NextRoundKind(int roundCounter, int coverInterval, int coverCount, int videoCount,
                        bool videosAvailable) {
    constexpr int MinimumCovers = 6;
    if (roundCounter >= coverInterval && coverCount >= MinimumCovers) {
        return RoundKind::Cover;
    }
    if (roundCounter == coverInterval - coverInterval / 2 && videoCount > 0 && videosAvailable) {
        return RoundKind::Video;
    }
    return RoundKind::Song;
}

QString FirstHalf(const QString& answer) {
    const qsizetype separator = answer.indexOf(QStringLiteral(" - "));
    return separator < 0 ? QString() : answer.left(separator);
}

} // namespace harvoline
