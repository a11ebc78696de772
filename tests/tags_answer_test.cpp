#include "model/media/answer_text.h"

#include <gtest/gtest.h>

using namespace harvoline;

TEST(AnswerFromFileName, SplitsNamesWithoutTheSeparatorAndLogsThem) {
    const QString longTail(300, u'x');
    struct Case {
        QString Name;
        QString Answer;
    };
    const Case cases[] = {
        {"Alpha_Beta", "Alpha - Beta"},
        {"Alpha Beta Gamma", "Alpha - Beta Gamma"},
        {"Alpha-99 Beta", "Alpha - 99 Beta"},
        {"A_B_C", "A - B_C"},
        {"Alphabet", "Alp - habet"},
        {"Alphabetic", "Alph - abetic"},
        {"Beta_Gamma-Delta", "Beta - Gamma-Delta"},
        {"Alpha-", "Alpha - "},
        {"ABC", "A - BC"},
        {"AB", " - AB"},
        {"A", " - A"},
        {"", " - "},
        {"A-" + longTail, "A - " + longTail.left(255)},
        {"A " + longTail, "A - " + longTail.left(255)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name.toStdString());
        QStringList errorLog{QStringLiteral("earlier line")};
        EXPECT_EQ(AnswerFromFileName(c.Name, errorLog), c.Answer);
        EXPECT_EQ(errorLog,
                  QStringList({QStringLiteral("earlier line"),
                               c.Name + QStringLiteral(" --> Missing \" - \" in filename")}));
    }
}

TEST(AnswerFromFileName, KeepsANameWithTheSeparatorAndLogsNothing) {
    for (const QString& name :
         {QStringLiteral("Alpha - Beta"), QStringLiteral("A_B - C_D"), QStringLiteral(" - ")}) {
        QStringList errorLog;
        EXPECT_EQ(AnswerFromFileName(name, errorLog), name);
        EXPECT_TRUE(errorLog.isEmpty());
    }
}
