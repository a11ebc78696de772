#include "tests/support/scoped_environment.h"
#include "tests/support/window_fixture.h"
#include "ui/seat_view.h"
#include "ui/status_row_view.h"
#include "ui/widgets/caption_label.h"
#include "ui/widgets/picture_box.h"

#include <QAction>

#include <QDir>
#include <QFile>

using namespace harvoline;
using namespace harvoline::testing;

namespace {

QString ShippedLanguage(const QString& name) {
    return QStringLiteral(HARVOLINE_SOURCE_DIR "/languages/") + name;
}

// The game as the package lays it out: the executable in usr/bin/, its data in
// usr/share/harvoline/, and a user whose home is home/.
class Installed : public WindowTest {
  protected:
    Installed() {
        Environment.Set("HOME", Path("home").toUtf8());
        for (const char* variable : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "LC_ALL", "LC_MESSAGES"}) {
            Environment.Set(variable, std::nullopt);
        }
        Environment.Set("LANG", "C.UTF-8");
        ShipLanguages(Path("usr/share/harvoline/languages/"));
        UseExecutableIn("usr/bin/");
    }

    QString Path(const QString& relative) const { return Folder.filePath(relative); }
    QString ConfigPath(const QString& name) const { return Path("home/.config/harvoline/") + name; }
    QString ShippedPath(const QString& relative) const {
        return Path("usr/share/harvoline/") + relative;
    }
    void UseExecutableIn(const QString& relative) {
        QDir().mkpath(Path(relative));
        Platform.ExeFolder = Path(relative);
        Platform.WorkFolder = Path("home/");
    }
    void ShipLanguages(const QString& folder) const {
        QDir().mkpath(folder);
        for (const char* name : {"English.ini", "French.ini", "Italian.ini"}) {
            QFile::copy(ShippedLanguage(name), folder + name);
        }
    }
    void WriteCovers(const QString& folder, int count) const {
        QDir().mkpath(folder);
        for (int n = 0; n < count; ++n) {
            WritePicture(folder + QStringLiteral("Artist %1 - Title.jpg").arg(n));
        }
    }
    QStringList FilesBesideTheExecutable() const {
        return QDir(Platform.ExeFolder).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
    }

    ScopedEnvironment Environment;
};

} // namespace

TEST_F(Installed, SettingsAndErrorsGoToTheUsersConfigurationFolder) {
    StartWindow();
    Game().Config().ErrorLog() << "lost.mp3 --> Datei nicht gefunden.";
    CloseWindow();
    EXPECT_GT(QFile(ConfigPath("Harvoline.ini")).size(), 0);
    EXPECT_EQ(ReadFile(ConfigPath("errors.txt")), "lost.mp3 --> Datei nicht gefunden.\r\n");
    EXPECT_EQ(Platform.ShellOpened, QStringList{ConfigPath("errors.txt")});
    EXPECT_TRUE(FilesBesideTheExecutable().isEmpty())
        << FilesBesideTheExecutable().join(", ").toStdString();
}

TEST_F(Installed, DialogsStartInTheShippedDemoAndLanguageFolders) {
    QDir().mkpath(ShippedPath("demo"));
    MainWindow& w = StartWindow();
    w.LoadPlaylistAction->trigger();
    w.LanguageAction->trigger();
    ASSERT_EQ(Platform.Dialogs.size(), 2u);
    EXPECT_EQ(Platform.Dialogs[0].InitialFolder, ShippedPath("demo"));
    EXPECT_EQ(Platform.Dialogs[1].InitialFolder, ShippedPath("languages"));

    // Languages of the user's own come first.
    ShipLanguages(Path("home/.local/share/harvoline/languages/"));
    w.LanguageAction->trigger();
    EXPECT_EQ(Platform.Dialogs[2].InitialFolder, Path("home/.local/share/harvoline/languages"));
}

TEST_F(Installed, CoversAndVideosComeFromTheUsersDataFolderBeforeTheShippedOne) {
    Platform.VideoAvailable = true;
    WriteCovers(ShippedPath("cover/"), 6);
    QDir().mkpath(ShippedPath("video"));
    WriteFile(ShippedPath("video/A - a.mp4"), "video");
    StartWindow();
    EXPECT_EQ(Game().Covers().Folder(), ShippedPath("cover/"));
    EXPECT_EQ(Game().Covers().Names().size(), 6);
    EXPECT_EQ(Game().Videos().Folder(), ShippedPath("video/"));
    CloseWindow();

    WriteCovers(Path("home/.local/share/harvoline/cover/"), 2);
    StartWindow();
    EXPECT_EQ(Game().Covers().Folder(), Path("home/.local/share/harvoline/cover/"));
    EXPECT_EQ(Game().Covers().Names().size(), 2);
    EXPECT_TRUE(Game().Notes().contains("Not enough covers in " + Game().Covers().Folder()));
    EXPECT_EQ(Game().Videos().Folder(), ShippedPath("video/"));
}

TEST_F(Installed, ASettingsFileMovesBetweenAFolderOfItsOwnAndAnInstallationUnchanged) {
    // A folder install keeps its file beside the executable, as it always has.
    UseExecutableIn("unpacked/");
    MainWindow& folder = StartWindow();
    Platform.DialogAnswers.push_back(ShippedLanguage("English.ini"));
    folder.LanguageAction->trigger();
    Game().Config().Settings().SetLine(2, "Name2: anna.jpg; Anna");
    Game().Config().Settings().Append("a scrambled highscore line");
    CloseWindow();
    const QByteArray written = ReadFile(Platform.ExeFolder + "Harvoline.ini");
    ASSERT_FALSE(written.isEmpty());
    EXPECT_FALSE(QFile::exists(ConfigPath("Harvoline.ini")));

    UseExecutableIn("usr/bin/");
    QDir().mkpath(Path("home/.config/harvoline"));
    WriteFile(ConfigPath("Harvoline.ini"), written);
    MainWindow& installed = StartWindow();
    EXPECT_EQ(installed.StatusRow->PointsLabel->Caption(), "Points: 3");
    EXPECT_EQ(installed.Seats[2]->Name->Caption(), "Anna");
    CloseWindow();
    EXPECT_EQ(ReadFile(ConfigPath("Harvoline.ini")), written);

    UseExecutableIn("unpacked/");
    MainWindow& back = StartWindow();
    EXPECT_EQ(back.Seats[2]->Name->Caption(), "Anna");
    CloseWindow();
    EXPECT_EQ(ReadFile(Platform.ExeFolder + "Harvoline.ini"), written);
}

TEST_F(Installed, TheFirstStartSpeaksTheSystemsLanguageWhenAFileForItIsShipped) {
    struct Case {
        const char* Lang;
        const char* Points;
        QString LanguageLine;
        const char* PlayerLine;
    };
    const Case cases[] = {
        {"fr_FR.UTF-8", "Points: 3", ShippedPath("languages/French.ini"),
         "Joueur1: Joueur1.jpg; Joueur1"},
        {"de_DE.UTF-8", "Punkte: 3", "", "Name1: Name1.jpg; Name1"},
        {"C", "Punkte: 3", "", "Name1: Name1.jpg; Name1"},
        // No Spanish file in this installation.
        {"es_ES.UTF-8", "Punkte: 3", "", "Name1: Name1.jpg; Name1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Lang);
        QFile::remove(ConfigPath("Harvoline.ini"));
        Environment.Set("LANG", c.Lang);
        MainWindow& first = StartWindow();
        EXPECT_EQ(first.StatusRow->PointsLabel->Caption(), c.Points);
        EXPECT_EQ(Game().Config().Settings().Line(6), c.LanguageLine);
        EXPECT_EQ(first.Seats[1]->Name->toolTip(),
                  Qt::convertFromPlainText(Game().Config().Text(22)));
        CloseWindow();
        const QStringList lines =
            QString::fromUtf8(ReadFile(ConfigPath("Harvoline.ini"))).split("\r\n");
        ASSERT_GE(lines.size(), 7);
        EXPECT_EQ(lines[1], c.PlayerLine);
        EXPECT_EQ(lines[6], c.LanguageLine);

        // Once the file exists, its language line alone decides.
        Environment.Set("LANG", "it_IT.UTF-8");
        MainWindow& later = StartWindow();
        EXPECT_EQ(later.StatusRow->PointsLabel->Caption(), c.Points);
        EXPECT_EQ(Game().Config().Settings().Line(6), c.LanguageLine);
        // The default names and pictures still hold the language's name label, so their
        // hints stay.
        EXPECT_EQ(later.Seats[1]->Name->toolTip(),
                  Qt::convertFromPlainText(Game().Config().Text(22)));
        EXPECT_EQ(later.Seats[1]->Picture->toolTip(),
                  Qt::convertFromPlainText(Game().Config().Text(21)));
    }
}
