#include "model/config/more_texts.h"
#include "model/config/options_file.h"
#include "model/config/text_file.h"
#include "tests/support/game_fixture.h"

#include <QDir>

using namespace harvoline;
using namespace harvoline::testing;

namespace {

constexpr MoreText Greeting{"greeting", "Hallo", "Hello"};
constexpr MoreText Farewell{"farewell", "Tschüss", "Goodbye"};

} // namespace

using CompanionFiles = GameTest;

TEST_F(CompanionFiles, OptionsHaveDefaultsAndEveryChangeIsWrittenAtOnce) {
    const QString path = ExePath(OptionsFile::FileName);
    WriteFile(path, "# kept\r\nwindow = 200\r\nbig=on\r\nfuture-option=42\r\nsize=x\r\n");
    OptionsFile& options = StartUp().Config().Options();

    EXPECT_TRUE(options.Flag("big", false));
    EXPECT_FALSE(options.Flag("missing", false));
    EXPECT_EQ(options.Number("window", 80, 0, 150), 80) << "out of range";
    EXPECT_EQ(options.Number("size", 7, 0, 10), 7) << "no number";
    EXPECT_EQ(options.Value("future-option"), "42");

    options.SetNumber("window", 120);
    options.SetFlag("new", true);
    options.Set("address", "10.0.0.2\nsecond line");
    EXPECT_EQ(ReadTextLines(path),
              (QStringList{"# kept", "window=120", "big=on", "future-option=42", "size=x", "new=on",
                           "address=10.0.0.2 second line"}));
}

TEST_F(CompanionFiles, AnOptionsFileThatCannotBeReadIsLeftAsItIs) {
    // A folder where the file should be cannot be read.
    ASSERT_TRUE(QDir().mkpath(ExePath(OptionsFile::FileName)));
    OptionsFile& options = StartUp().Config().Options();
    ASSERT_EQ(Platform.Messages.size(), 1);
    EXPECT_TRUE(Platform.Messages[0].contains(OptionsFile::FileName));
    EXPECT_TRUE(Platform.Messages[0].contains("default options"));

    options.SetFlag("big", true);
    EXPECT_TRUE(options.Flag("big", false)) << "kept for this session";
    EXPECT_TRUE(QFileInfo(ExePath(OptionsFile::FileName)).isDir());
}

TEST_F(CompanionFiles, NewerTextsComeFromTheLanguagesCompanionElseBuiltIn) {
    QuizGame& game = StartUp();
    EXPECT_EQ(game.Config().Text(Farewell), "Tschüss") << "built-in German";

    const QStringList table = ReadTextLines(HARVOLINE_SOURCE_DIR "/languages/English.ini");
    WriteFile(ExePath("Pirate.ini"), table.join("\r\n").toUtf8());
    WriteFile(ExePath("Pirate.texts"), "# a comment=no text\r\ngreeting = Ahoy\\nmatey\r\n");
    WriteFile(ExePath("Plain.ini"), table.join("\r\n").toUtf8());

    Platform.DialogAnswers.push_back(ExePath("Pirate.ini"));
    game.Config().ChooseLanguage();
    EXPECT_EQ(game.Config().Text(Greeting), "Ahoy\nmatey");
    EXPECT_EQ(game.Config().Text(Farewell), "Goodbye") << "missing from the companion";

    Platform.DialogAnswers.push_back(ExePath("Plain.ini"));
    game.Config().ChooseLanguage();
    EXPECT_EQ(game.Config().Text(Greeting), "Hello") << "no companion at all";
}

TEST(ShippedCompanions, EachLanguageHasOneAndEveryLineIsACommentOrAText) {
    const QDir folder(HARVOLINE_SOURCE_DIR "/languages");
    for (const QString& language : folder.entryList({"*.ini"}, QDir::Files)) {
        SCOPED_TRACE(language.toStdString());
        const QString companion = MoreTexts::CompanionPath(folder.filePath(language));
        ASSERT_TRUE(QFileInfo::exists(companion));
        for (const QString& line : ReadTextLines(companion)) {
            EXPECT_TRUE(line.isEmpty() || line.startsWith('#') || line.indexOf('=') > 0)
                << line.toStdString();
        }
    }
}
