#include "model/config/language.h"
#include "model/config/settings.h"
#include "model/game/highscores.h"
#include "model/errors.h"

#include <gtest/gtest.h>
#include <limits>

using namespace harvoline;

TEST(Settings, DigitsValueReadsEveryDigitAndWraps) {
    struct Case {
        QString Text;
        std::int32_t Value;
    };
    const Case cases[] = {
        {"Guess a cover every 10 songs", 10},
        {"Skip 2000 milliseconds at song start", 2000},
        {"1 a 2", 12},
        {"every 5 songs, 2 more", 52},
        {"", 0},
        {"no digits", 0},
        {"-7", 7},
        {"2147483647", std::numeric_limits<std::int32_t>::max()},
        {"2147483648", std::numeric_limits<std::int32_t>::min()},
        {"4294967296", 0},
        {"4294967306", 10},
        {"٣", 0}, // only the ASCII digits count
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DigitsValue(c.Text), c.Value) << c.Text.toStdString();
    }
}

TEST(Settings, ParsesPlayerLines) {
    struct Case {
        QString Line;
        QString Picture;
        QString Name;
    };
    const Case cases[] = {
        {"Name1: Name1.jpg; Name1", "Name1.jpg", "Name1"},
        {"Name2: C:\\Bilder\\anna.jpg; Anna", "C:\\Bilder\\anna.jpg", "Anna"},
        {" Bob", "", "Bob"},
        {"Name3: pic.jpg; Eva; the second: part", "pic.jpg", "Eva; the second: part"},
        {"x;y", "", ""},
        {"Name4: only a path", "", "ame4: only a path"},
        {"", "", ""},
        {"Name1: p.jpg; " + QString(120, u'n'), "p.jpg", QString(98, u'n')},
    };
    for (const Case& c : cases) {
        const PlayerLine player = ParsePlayerLine(c.Line);
        EXPECT_EQ(player.PicturePath, c.Picture) << c.Line.toStdString();
        EXPECT_EQ(player.Name, c.Name) << c.Line.toStdString();
    }
}

TEST(Settings, DefaultLinesFollowTheLanguageTable) {
    const QStringList expected = {"",
                                  "Name1: Name1.jpg; Name1",
                                  "Name2: Name2.jpg; Name2",
                                  "Name3: Name3.jpg; Name3",
                                  "Name4: Name4.jpg; Name4",
                                  "",
                                  "",
                                  "Guess a cover every 10 songs",
                                  "Skip 2000 milliseconds at song start",
                                  "",
                                  "Highscores:"};
    EXPECT_EQ(DefaultSettings(DefaultLanguageTable()), expected);
    QStringList other = DefaultLanguageTable();
    other[1] = "Spieler";
    other[12] = "Bestenliste";
    const QStringList lines = DefaultSettings(other);
    // Name and picture both hold the label, so both hints show at the next start.
    EXPECT_EQ(lines[2], "Spieler2: Spieler2.jpg; Spieler2");
    EXPECT_EQ(lines[10], "Bestenliste");
}

TEST(Settings, LineAccessRaisesForMissingLines) {
    SettingsLines settings;
    settings.Replace({"a", "b"});
    EXPECT_EQ(settings.Line(1), "b");
    EXPECT_THROW(settings.Line(2), HarvolineError);
    EXPECT_THROW(settings.Line(-1), HarvolineError);
    EXPECT_THROW(settings.SetLine(2, "x"), HarvolineError);
    settings.Insert(2, "c");
    settings.Insert(0, "z");
    settings.Append("d");
    EXPECT_EQ(settings.All(), (QStringList{"z", "a", "b", "c", "d"}));
    EXPECT_THROW(settings.Insert(6, "x"), HarvolineError);
}

TEST(Settings, NoLineBreakOrNulEverReachesALine) {
    SettingsLines settings;
    settings.Replace(DefaultSettings(DefaultLanguageTable()));
    settings.SetLine(1, "Name1: a.jpg; Ann\nBob\r\nCid");
    settings.SetLine(2, QStringLiteral("Name2: b.jpg; Tom") + QChar(0) + "Tim\r");
    settings.Insert(11, "\nfirst\rsecond");
    settings.Append("last\r\n");
    InsertHighscore(settings, HighscoreLine("Eva\nLu", 7, "0:04:37"), DefaultSettings({}));
    EXPECT_EQ(settings.Count(), 14);
    EXPECT_EQ(settings.Line(1), "Name1: a.jpg; Ann Bob Cid");
    EXPECT_EQ(settings.Line(2), "Name2: b.jpg; Tom Tim");
    EXPECT_TRUE(settings.All().contains("first second"));
    EXPECT_TRUE(settings.All().contains("last"));
    for (const QString& line : settings.All()) {
        EXPECT_FALSE(line.contains(u'\n') || line.contains(u'\r') || line.contains(QChar(0)))
            << line.toStdString();
    }
}
