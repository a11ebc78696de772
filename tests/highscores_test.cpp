#include "model/game/highscores.h"

#include <gtest/gtest.h>

using namespace harvoline;

TEST(Highscores, UnscramblingGivesTheLineBack) {
    QString every;
    for (char16_t c = 1; c < 300; ++c) {
        every += QChar(c);
    }
    for (const QString& line : {QStringLiteral("Name1: 012; 0:04:37"), every, QString()}) {
        const QString scrambled = ScrambleLine(line, +1);
        EXPECT_EQ(scrambled.size(), line.size());
        EXPECT_EQ(ScrambleLine(scrambled, -1), line);
    }
    EXPECT_NE(ScrambleLine(QStringLiteral("Name1: 012; 0:04:37"), +1),
              QStringLiteral("Name1: 012; 0:04:37"));
    // Characters outside 32..122 are kept and take no number from the generator.
    EXPECT_EQ(ScrambleLine(QStringLiteral("{a"), +1).mid(1),
              ScrambleLine(QStringLiteral("a"), +1));
}
