#include "tests/support/picture_files.h"
#include "tests/support/tag_files.h"
#include "tests/support/window_fixture.h"

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

TEST_F(EmbeddedPictureTest, TheTagLibraryIsSetUpWithTheWindow) {
    TfrmMain& w = StartWindow();
    EXPECT_TRUE(w.TagLibraryReady());
    EXPECT_EQ(Platform.TagLibrariesCreated, 1);
}

TEST_F(EmbeddedPictureTest, ShowsAPictureOfEachKind) {
    TfrmMain& w = StartWindow();
    for (const char* format : {"JPG", "PNG", "BMP", "GIF"}) {
        SCOPED_TRACE(format);
        w.ShowEmbeddedPicture(Song(QString::fromLatin1(format), {{QStringLiteral("image/whatever"),
                                                                  PictureBytes(format, Qt::blue)}}),
                              w.MiniCover);
        EXPECT_TRUE(IsShown(w.MiniCover));
        const QImage picture = w.MiniCover->Picture();
        ASSERT_EQ(picture.size(), QSize(24, 16));
        const QColor centre = picture.pixelColor(12, 8);
        EXPECT_LT(centre.red(), 16);
        EXPECT_GT(centre.blue(), 240);
        ExpectNoTemporaryPictures();
    }
}

TEST_F(EmbeddedPictureTest, LeavesTheImageHiddenAndEmptyWhenThereIsNothingToShow) {
    TfrmMain& w = StartWindow();
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
        w.ShowEmbeddedPicture(Song(QStringLiteral("cover"), {{QStringLiteral("image/jpeg"), jpeg}}),
                              w.MiniCover);
        ASSERT_TRUE(IsShown(w.MiniCover));
        w.ShowEmbeddedPicture(c.Path, w.MiniCover);
        EXPECT_FALSE(IsShown(w.MiniCover));
        EXPECT_TRUE(w.MiniCover->Picture().isNull());
        ExpectNoTemporaryPictures();
    }
    EXPECT_TRUE(Platform.Errors.isEmpty());
}

TEST_F(EmbeddedPictureTest, WithoutTheTagLibraryNoPictureShows) {
    Platform.TagLibraryAvailable = false;
    TfrmMain& w = StartWindow();
    EXPECT_FALSE(w.TagLibraryReady());
    w.MiniCover->SetPicture(QImage(8, 8, QImage::Format_RGB32));
    w.MiniCover->show();
    w.ShowEmbeddedPicture(
        Song(QStringLiteral("cover"), {{QStringLiteral("image/png"), PictureBytes("PNG")}}),
        w.MiniCover);
    EXPECT_FALSE(IsShown(w.MiniCover));
    EXPECT_TRUE(w.MiniCover->Picture().isNull());
}
