#include "tests/support/picture_files.h"
#include "tests/support/tag_files.h"
#include "tests/support/window_fixture.h"
#include "ui/mini_cover_view.h"
#include "ui/widgets/picture_box.h"

#include <QDir>

using namespace harvoline;
using namespace harvoline::testing;

namespace {

class EmbeddedPictureTest : public WindowTest {
  protected:
    QString Song(const QString& name, const std::vector<TagPicture>& pictures) const {
        const QString path = ExePath(name + QStringLiteral(".mp3"));
        WriteBytes(path, SilentMp3());
        WriteId3v2(path, {QStringLiteral("Title"), QStringLiteral("Artist")}, 3,
                   TagLib::String::UTF16, pictures);
        return path;
    }

    // No picture file may be left in the current folder, neither the process's nor the
    // one the game is given.
    static QStringList TemporaryPictures(const QString& folder) {
        return QDir(folder).entryList({QStringLiteral("~temp*")}, QDir::Files | QDir::Hidden);
    }

    void ExpectNoTemporaryPictures() const {
        EXPECT_TRUE(TemporaryPictures(QDir::currentPath()).isEmpty());
        EXPECT_TRUE(TemporaryPictures(Platform.WorkFolder).isEmpty());
    }
};

} // namespace

TEST_F(EmbeddedPictureTest, TheTagLibraryIsSetUpOnceWithTheGame) {
    StartWindow();
    EXPECT_EQ(Platform.TagLibrariesCreated, 1);
}

TEST_F(EmbeddedPictureTest, ShowsAPictureOfEachKind) {
    MainWindow& w = StartWindow();
    for (const char* format : {"JPG", "PNG", "BMP", "GIF"}) {
        SCOPED_TRACE(format);
        Game().ShowSongPicture(
            Song(QString::fromLatin1(format),
                 {{QStringLiteral("image/whatever"), PictureBytes(format, Qt::blue)}}));
        EXPECT_TRUE(IsShown(w.MiniCover->MiniCover));
        const QImage picture = w.MiniCover->MiniCover->Picture();
        ASSERT_EQ(picture.size(), QSize(24, 16));
        const QColor centre = picture.pixelColor(12, 8);
        EXPECT_LT(centre.red(), 16);
        EXPECT_GT(centre.blue(), 240);
        ExpectNoTemporaryPictures();
    }
}

TEST_F(EmbeddedPictureTest, LeavesTheImageHiddenAndEmptyWhenThereIsNothingToShow) {
    MainWindow& w = StartWindow();
    const QByteArray jpeg = PictureBytes("JPG");
    struct Case {
        const char* Name;
        QString Path;
    };
    const Case cases[] = {
        {"no picture", Song(QStringLiteral("no picture"), {})},
        {"a damaged picture", Song(QStringLiteral("damaged"),
                                   {{QStringLiteral("image/jpeg"), jpeg.left(jpeg.size() / 2)}})},
        {"a picture of another format",
         Song(QStringLiteral("webp"), {{QStringLiteral("image/webp"), "RIFF....WEBPVP8 "}})},
        {"a missing song", ExePath(QStringLiteral("missing.mp3"))},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        Game().ShowSongPicture(
            Song(QStringLiteral("cover"), {{QStringLiteral("image/jpeg"), jpeg}}));
        ASSERT_TRUE(IsShown(w.MiniCover->MiniCover));
        Game().ShowSongPicture(c.Path);
        EXPECT_FALSE(IsShown(w.MiniCover->MiniCover));
        EXPECT_TRUE(w.MiniCover->MiniCover->Picture().isNull());
        ExpectNoTemporaryPictures();
    }
    EXPECT_TRUE(Platform.Errors.isEmpty());
}

TEST_F(EmbeddedPictureTest, WithoutTheTagLibraryNoPictureShows) {
    Platform.TagLibraryAvailable = false;
    MainWindow& w = StartWindow();
    PictureBox* miniCover = w.MiniCover->MiniCover;
    miniCover->SetPicture(QImage(8, 8, QImage::Format_RGB32));
    miniCover->show();
    Game().ShowSongPicture(
        Song(QStringLiteral("cover"), {{QStringLiteral("image/png"), PictureBytes("PNG")}}));
    EXPECT_FALSE(IsShown(miniCover));
    EXPECT_TRUE(miniCover->Picture().isNull());
}
