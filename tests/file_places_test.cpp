#include "model/config/file_places.h"
#include "model/config/language.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <optional>

using namespace harvoline;

namespace {

class FilePlacesTest : public ::testing::Test {
  protected:
    QString Path(const QString& relative) const { return Root.filePath(relative); }
    QString Folder(const QString& relative) const {
        EXPECT_TRUE(QDir().mkpath(Path(relative)));
        return Path(relative) + u'/';
    }
    void Touch(const QString& relative) const {
        QFile file(Path(relative));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly)) << relative.toStdString();
    }
    // The executable of an installation under usr/, with the user's home in home/.
    FilePlaces Installed() const { return Installed(HomeOnly()); }
    FilePlaces Installed(const QProcessEnvironment& environment) const {
        Folder("usr/share/harvoline");
        return FilePlaces(Folder("usr/bin"), environment);
    }
    QProcessEnvironment HomeOnly() const {
        QProcessEnvironment environment;
        environment.insert("HOME", Path("home"));
        return environment;
    }

    QTemporaryDir Root;
};

} // namespace

TEST_F(FilePlacesTest, TheLayoutAroundTheExecutableDecidesWhetherItIsInstalled) {
    struct Case {
        const char* Executable;
        const char* ShippedData; // made beside it when given
        bool Installed;
    };
    const Case cases[] = {
        {"build", nullptr, false},
        {"copy/bin", nullptr, false},
        {"games/app", "games/share/harvoline", false},
        {"opt/harvoline/bin", "opt/harvoline/share/other", false},
        {"usr/bin", "usr/share/harvoline", true},
        {"home/me/.local/bin", "home/me/.local/share/harvoline", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Executable);
        if (c.ShippedData != nullptr) {
            Folder(c.ShippedData);
        }
        const QString executable = Folder(c.Executable);
        const FilePlaces places(executable, HomeOnly());
        EXPECT_EQ(places.Installed(), c.Installed);
        if (c.Installed) {
            EXPECT_EQ(places.ShippedFolder(), Path(c.ShippedData) + u'/');
            EXPECT_EQ(places.OwnFolder(), Path("home/.config/harvoline/"));
        } else {
            // Everything stays beside the executable, as it always has.
            EXPECT_EQ(places.OwnFolder(), executable);
            EXPECT_EQ(places.ShippedFolder(), executable);
            EXPECT_EQ(places.DataFolders("cover"), QStringList{executable + "cover/"});
        }
    }
}

TEST_F(FilePlacesTest, AnInstallationUsesTheXdgFoldersElseThoseUnderHome) {
    struct Case {
        std::optional<QString> ConfigHome;
        std::optional<QString> DataHome;
        QString Own;
        QString UserVideos;
    };
    const Case cases[] = {
        {std::nullopt, std::nullopt, "home/.config/harvoline/",
         "home/.local/share/harvoline/video/"},
        {"xdg/config", "xdg/data", "xdg/config/harvoline/", "xdg/data/harvoline/video/"},
        {"", "", "home/.config/harvoline/", "home/.local/share/harvoline/video/"},
    };
    for (const Case& c : cases) {
        QProcessEnvironment environment = HomeOnly();
        if (c.ConfigHome) {
            environment.insert("XDG_CONFIG_HOME",
                               c.ConfigHome->isEmpty() ? "" : Path(*c.ConfigHome));
        }
        if (c.DataHome) {
            environment.insert("XDG_DATA_HOME", c.DataHome->isEmpty() ? "" : Path(*c.DataHome));
        }
        const FilePlaces places = Installed(environment);
        EXPECT_EQ(places.OwnFolder(), Path(c.Own));
        EXPECT_EQ(places.DataFolders("video"),
                  QStringList({Path(c.UserVideos), Path("usr/share/harvoline/video/")}));
    }
    // A relative XDG folder is no folder at all, so the one under HOME is taken.
    QProcessEnvironment relative = HomeOnly();
    relative.insert("XDG_CONFIG_HOME", "config");
    EXPECT_EQ(Installed(relative).OwnFolder(), Path("home/.config/harvoline/"));
}

TEST_F(FilePlacesTest, TheUsersDataFolderTakesOverOnceItHoldsAFile) {
    const FilePlaces places = Installed();
    const QString user = Path("home/.local/share/harvoline/cover/");
    const QString shipped = Path("usr/share/harvoline/cover/");
    // Neither holds a file: the user is told about their own folder.
    EXPECT_EQ(places.DataFolder("cover"), user);
    Folder("usr/share/harvoline/cover");
    Touch("usr/share/harvoline/cover/A - a.jpg");
    EXPECT_EQ(places.DataFolder("cover"), shipped);
    Folder("home/.local/share/harvoline/cover/empty subfolder");
    EXPECT_EQ(places.DataFolder("cover"), shipped);
    Touch("home/.local/share/harvoline/cover/B - b.jpg");
    EXPECT_EQ(places.DataFolder("cover"), user);
}

TEST_F(FilePlacesTest, DataFilesAreLookedForInTheUsersFolderFirst) {
    const FilePlaces places = Installed();
    EXPECT_EQ(places.DataFile("languages", "French.ini"), "");
    Folder("usr/share/harvoline/languages");
    Touch("usr/share/harvoline/languages/French.ini");
    EXPECT_EQ(places.DataFile("languages", "French.ini"),
              Path("usr/share/harvoline/languages/French.ini"));
    Folder("home/.local/share/harvoline/languages");
    Touch("home/.local/share/harvoline/languages/French.ini");
    EXPECT_EQ(places.DataFile("languages", "French.ini"),
              Path("home/.local/share/harvoline/languages/French.ini"));
}

TEST_F(FilePlacesTest, OnlyAnInstallationMakesItsOwnFolder) {
    const FilePlaces installed = Installed();
    installed.MakeOwnFolder();
    EXPECT_TRUE(QDir(Path("home/.config/harvoline")).exists());

    const FilePlaces folder(Path("gone") + u'/', HomeOnly());
    folder.MakeOwnFolder();
    EXPECT_FALSE(QDir(Path("gone")).exists());
}

TEST(SystemLanguage, TheLocaleOfMessagesNamesTheShippedFile) {
    struct Case {
        const char* LcAll;
        const char* LcMessages;
        const char* Lang;
        const char* File;
    };
    const Case cases[] = {
        {"", "", "fr_FR.UTF-8", "French.ini"},
        {"", "", "es_MX.UTF-8", "Spanish.ini"},
        {"", "", "it_CH", "Italian.ini"},
        {"", "", "nl_BE@euro", "Dutch.ini"},
        {"", "", "en_GB.UTF-8", "English.ini"},
        {"", "", "fr", "French.ini"},
        // German is built in; others have no file.
        {"", "", "de_DE.UTF-8", ""},
        {"", "", "pt_BR.UTF-8", ""},
        {"", "", "C", ""},
        {"", "", "C.UTF-8", ""},
        {"", "", "POSIX", ""},
        {"", "", "", ""},
        {"", "", "frr_DE.UTF-8", ""},
        // As the C library does: LC_ALL over LC_MESSAGES over LANG.
        {"", "it_IT.UTF-8", "fr_FR.UTF-8", "Italian.ini"},
        {"nl_NL.UTF-8", "it_IT.UTF-8", "fr_FR.UTF-8", "Dutch.ini"},
        {"de_DE.UTF-8", "", "fr_FR.UTF-8", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.LcAll) + "/" + c.LcMessages + "/" + c.Lang);
        QProcessEnvironment environment;
        environment.insert("LC_ALL", c.LcAll);
        environment.insert("LC_MESSAGES", c.LcMessages);
        environment.insert("LANG", c.Lang);
        EXPECT_EQ(ShippedLanguageFileName(MessagesLocale(environment)), c.File);
    }
}
