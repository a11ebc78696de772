#include "tests/support/window_fixture.h"

#include "model/config/language.h"
#include "model/config/settings.h"
#include "model/config/text_file.h"
#include "platform/real_platform.h"
#include "tests/support/picture_files.h"
#include "ui/buzzer_setup_view.h"
#include "ui/help_view.h"
#include "ui/pictures/picture_loader.h"
#include "ui/seat_view.h"
#include "ui/start_hints.h"
#include "ui/status_row_view.h"
#include "ui/widgets/caption_label.h"
#include "ui/widgets/filled_panel.h"
#include "ui/widgets/picture_box.h"

#include <QAction>
#include <QBuffer>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextDocument>
#include <sys/stat.h>

using namespace harvoline;
using namespace harvoline::testing;

namespace {

QString EnglishFile() {
    return QStringLiteral(HARVOLINE_SOURCE_DIR "/languages/English.ini");
}

} // namespace

using Language = WindowTest;

TEST_F(Language, GermanDefaultsAreThe33EntriesWithTheirUmlauts) {
    const QStringList table = DefaultLanguageTable();
    ASSERT_EQ(table.size(), 33);
    for (int i : {16, 18, 20, 21, 22, 23, 24, 29, 32}) {
        EXPECT_TRUE(table[i].contains(QRegularExpression("[öüß]"))) << i;
    }
    EXPECT_EQ(table[14],
              "Alle Lieder ohne ID3v1-Tag wurden in der Playlist NoID3v1.m3u gespeichert:");
    EXPECT_EQ(table[32], "bitte deinen Buzzer drücken");
}

TEST_F(Language, ChosenFileIsAppliedAndRemembered) {
    // A seat whose name was left empty takes the language's default name.
    QStringList settings = DefaultSettings(DefaultLanguageTable());
    settings[3] = "Name3: Name3.jpg; ";
    WriteSettingsFile(settings);
    MainWindow& w = StartWindow();
    ASSERT_EQ(w.Seats[3]->Name->Caption(), "");
    const QString help = w.Help->HelpText->Caption();
    Platform.DialogAnswers.push_back(EnglishFile());
    w.LanguageAction->trigger();

    ASSERT_EQ(Platform.Dialogs.size(), 1u);
    EXPECT_EQ(Platform.Dialogs[0].Title, "Sprache öffnen");
    EXPECT_EQ(Platform.Dialogs[0].Filter, "Sprache (*.ini)|*.ini");
    EXPECT_EQ(Game().Config().Settings().Line(6), EnglishFile());
    EXPECT_EQ(w.QuitAction->text(), "E&xit");
    EXPECT_EQ(w.LoadPlaylistAction->text(), "&Load playlist");
    EXPECT_EQ(w.StartButton->text(), "Start");
    EXPECT_EQ(w.StatusRow->PointsLabel->Caption(), "Points: 3");
    EXPECT_EQ(w.Hints->TitleHint->Caption(), Game().Config().Text(23));
    EXPECT_EQ(w.Hints->PictureHintText->Caption(), Game().Config().Text(21));
    EXPECT_EQ(w.Seats[1]->Name->toolTip(), Qt::convertFromPlainText(Game().Config().Text(22)));
    EXPECT_EQ(Game().Config().PlaylistDialog().Title, "Open playlist");
    // The file's own filter, as it is written.
    EXPECT_EQ(Game().Config().PictureDialog().Filter, ReadTextLines(EnglishFile())[15]);
    EXPECT_EQ(w.BuzzerSetup->SkipBuzzerSetupButton->text(), "E&xit");
    EXPECT_EQ(w.BuzzerSetup->BuzzerSetupPrompt->Caption(),
              "Buzzer!\nName1, please press your buzzer");
    EXPECT_EQ(w.Seats[3]->Name->Caption(), "Name3");
    EXPECT_EQ(w.Seats[2]->Name->Caption(), "Name2");
    EXPECT_NE(w.Help->HelpText->Caption(), help);
    EXPECT_TRUE(w.Help->HelpText->Caption().startsWith("Click the Start button"));
    // The start-up's notes on covers and videos stay below the new help text.
    EXPECT_FALSE(Game().Notes().isEmpty());
    EXPECT_TRUE(w.Help->HelpText->Caption().endsWith("\n" + Game().Notes()));
    EXPECT_TRUE(help.endsWith(Game().Notes()));
    EXPECT_EQ(w.StatusRow->SongCountLabel->Caption(), "0 songs in the playlist");

    // Remembered for the next start.
    CloseWindow();
    MainWindow& next = StartWindow();
    EXPECT_EQ(next.StatusRow->PointsLabel->Caption(), "Points: 3");
    EXPECT_EQ(Game().Config().Settings().Line(6), EnglishFile());
}

TEST_F(Language, ThePictureDialogsOfferEveryFormatThePictureLoaderReads) {
    const auto encoded = [](const QString& format) -> QByteArray {
        static const QStringList jpeg = {"jpg", "jpeg", "jpe", "jfif"};
        if (jpeg.contains(format) || format == "gif") {
            return PictureBytes(format == "gif" ? "GIF" : "JPG");
        }
        QImage picture(8, 6, QImage::Format_RGB32);
        picture.fill(Qt::red);
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        picture.save(&buffer, format == "cur" ? "ico" : format.toLatin1().constData());
        QByteArray bytes = buffer.data();
        if (format == "cur") {
            bytes[2] = 2; // a cursor is an icon file of type 2
        }
        return bytes;
    };
    const QStringList formats = {"jpg", "jpeg", "jpe", "jfif", "png", "bmp", "gif",
                                 "ico", "cur",  "pbm", "pgm",  "ppm", "xbm", "xpm"};
    const QStringList german = DefaultLanguageTable();
    const QStringList english = ReadTextLines(EnglishFile());
    for (const QString& format : formats) {
        EXPECT_FALSE(DecodePicture(encoded(format), format).isNull()) << format.toStdString();
        for (const QStringList& table : {german, english}) {
            EXPECT_TRUE(table[15].section(u'|', 1).split(u';').contains("*." + format))
                << table[15].toStdString() << " " << format.toStdString();
        }
    }
    // The dialog's text shows the patterns once.
    EXPECT_EQ(QtFileFilter(german[15]), german[15].section(u'|', 0, 0));
}

TEST_F(Language, TheEnglishHelpGivesTheSinglePlayerTimeAsPlayedAndAsLived) {
    const QString help = HelpTextOf(ReadTextLines(EnglishFile()));
    EXPECT_TRUE(help.contains("75 s of playing time")) << help.toStdString();
    EXPECT_TRUE(help.contains("about 2 minutes")) << help.toStdString();
}

TEST_F(Language, A33LineFileLeavesTheHelpTextAndA32LineFileIsRefused) {
    QStringList lines = ReadTextLines(EnglishFile()).mid(0, 33);
    WriteFile(ExePath("exact.ini"), lines.join("\r\n").toUtf8());
    WriteFile(ExePath("short.ini"), lines.mid(0, 32).join("\r\n").toUtf8());
    MainWindow& w = StartGame();
    ASSERT_EQ(w.StartButton->text(), "Weiter");
    const QString help = w.Help->HelpText->Caption();

    Platform.DialogAnswers.push_back(ExePath("exact.ini"));
    w.LanguageAction->trigger();
    EXPECT_EQ(w.windowTitle(), "Harvoline");
    EXPECT_EQ(w.StatusRow->PointsLabel->Caption(), "Points: 3");
    EXPECT_EQ(w.StartButton->text(), "Start");
    EXPECT_EQ(w.Help->HelpText->Caption(), help);

    Platform.DialogAnswers.push_back(ExePath("short.ini"));
    w.LanguageAction->trigger();
    EXPECT_EQ(w.StatusRow->PointsLabel->Caption(), "Punkte: 3");
    EXPECT_EQ(Game().Config().Language(), DefaultLanguageTable());
    EXPECT_EQ(Game().Config().Settings().Line(6), "");
    EXPECT_TRUE(Platform.Messages.isEmpty());
    EXPECT_TRUE(Platform.Errors.isEmpty());
    CloseWindow();
    EXPECT_EQ(SettingsFileLines()[6], "");
}

TEST_F(Language, HelpLinesStartAtTheFirstNonEmptyLineAfterTheTable) {
    QStringList lines = DefaultLanguageTable();
    lines << ""
          << ""
          << ""
          << "one"
          << ""
          << "three"
          << "four";
    WriteFile(ExePath("help.ini"), (lines.join("\n") + "\n").toUtf8());
    QStringList noHelp = DefaultLanguageTable();
    noHelp << ""
           << "";
    WriteFile(ExePath("nohelp.ini"), noHelp.join("\r").toUtf8());
    MainWindow& w = StartWindow();
    const QString designHelp = w.Help->HelpText->Caption();

    Platform.DialogAnswers.push_back(ExePath("nohelp.ini"));
    w.LanguageAction->trigger();
    EXPECT_EQ(w.Help->HelpText->Caption(), designHelp);

    Platform.DialogAnswers.push_back(ExePath("help.ini"));
    w.LanguageAction->trigger();
    EXPECT_EQ(w.Help->HelpText->Caption(), "one\n\nthree\nfour\n" + Game().Notes());

    // The defaults leave the last help text in place.
    Platform.DialogAnswers.push_back(ExePath("missing.ini"));
    w.LanguageAction->trigger();
    EXPECT_EQ(w.Help->HelpText->Caption(), "one\n\nthree\nfour\n" + Game().Notes());
    EXPECT_EQ(Game().Config().Settings().Line(6), "");
}

TEST_F(Language, CancellingTheDialogChangesNothing) {
    MainWindow& w = StartWindow();
    Platform.DialogAnswers.push_back(EnglishFile());
    w.LanguageAction->trigger();
    Platform.DialogAnswers.push_back(std::nullopt);
    w.LanguageAction->trigger();
    EXPECT_EQ(w.StatusRow->PointsLabel->Caption(), "Points: 3");
    EXPECT_EQ(Game().Config().Settings().Line(6), EnglishFile());
}

TEST_F(Language, AnsiFilesAndGarbageAreReadWithoutHarm) {
    QStringList table = DefaultLanguageTable();
    table[0] = "Quiz für Jürgen";
    QByteArray ansi;
    for (const QString& line : table) {
        ansi += line.toLatin1() + "\r\n";
    }
    WriteFile(ExePath("ansi.ini"), ansi);
    QByteArray garbage;
    for (int i = 0; i < 4000; ++i) {
        garbage += static_cast<char>((i * 37 + 11) % 255 + 1);
    }
    WriteFile(ExePath("garbage.ini"), garbage);

    MainWindow& w = StartWindow();
    Platform.DialogAnswers.push_back(ExePath("ansi.ini"));
    w.LanguageAction->trigger();
    EXPECT_EQ(w.windowTitle(), "Quiz für Jürgen");
    EXPECT_EQ(Game().Config().Text(16), "Bild öffnen");

    Platform.DialogAnswers.push_back(ExePath("garbage.ini"));
    w.LanguageAction->trigger();
    EXPECT_GE(Game().Config().Language().size(), 33);
    EXPECT_TRUE(Platform.Errors.isEmpty());

    // The same garbage named in the settings at start-up.
    QStringList settings = DefaultSettings(DefaultLanguageTable());
    settings[6] = ExePath("garbage.ini");
    WriteSettingsFile(settings);
    StartWindow();
    EXPECT_GE(Game().Config().Language().size(), 33);
}

TEST_F(Language, AFileThatCannotBeReadIsRefusedWithAMessage) {
    const QString pipe = ExePath("pipe.ini");
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    // Named in the settings: the start does not wait for a writer.
    QStringList settings = DefaultSettings(DefaultLanguageTable());
    settings[6] = pipe;
    WriteSettingsFile(settings);
    MainWindow& w = StartWindow();
    ASSERT_EQ(Platform.Messages.size(), 1);
    EXPECT_TRUE(Platform.Messages[0].contains(pipe + ": not a regular file"))
        << Platform.Messages[0].toStdString();
    EXPECT_EQ(Game().Config().Language(), DefaultLanguageTable());
    EXPECT_EQ(Game().Config().Settings().Line(6), "");

    // Chosen in the menu.
    Platform.Messages.clear();
    Platform.DialogAnswers.push_back(EnglishFile());
    w.LanguageAction->trigger();
    Platform.DialogAnswers.push_back(pipe);
    w.LanguageAction->trigger();
    ASSERT_EQ(Platform.Messages.size(), 1);
    EXPECT_TRUE(Platform.Messages[0].contains(pipe + ": not a regular file"))
        << Platform.Messages[0].toStdString();
    EXPECT_EQ(Game().Config().Language(), DefaultLanguageTable());
    EXPECT_EQ(Game().Config().Settings().Line(6), "");
    EXPECT_TRUE(Platform.Errors.isEmpty());
}

TEST_F(Language, TextsFromTheFileAreShownAsWrittenNotAsMarkup) {
    QStringList lines = DefaultLanguageTable();
    lines[21] = QStringLiteral("<img src=\"/dev/zero\"> double-click");
    lines[22] = QStringLiteral("<b>not bold</b> & <i>not italic</i>");
    WriteFile(ExePath("markup.ini"), lines.join("\r\n").toUtf8());
    MainWindow& w = StartWindow();
    Platform.DialogAnswers.push_back(ExePath("markup.ini"));
    w.LanguageAction->trigger();

    const auto shown = [](const QString& toolTip) {
        QTextDocument document;
        document.setHtml(toolTip);
        return document.toPlainText();
    };
    EXPECT_EQ(shown(w.Seats[1]->Picture->toolTip()), lines[21]);
    EXPECT_EQ(shown(w.Seats[1]->Name->toolTip()), lines[22]);
    // The help and info pages, names and hints are labels.
    for (const QLabel* label : w.findChildren<QLabel*>()) {
        EXPECT_EQ(label->textFormat(), Qt::PlainText) << label->objectName().toStdString();
    }
}
