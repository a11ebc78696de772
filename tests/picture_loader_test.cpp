#include "model/errors.h"
#include "tests/support/picture_files.h"
#include "tests/support/tag_files.h"
#include "ui/pictures/picture_loader.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace harvoline;
using namespace harvoline::testing;

namespace {

// Left half red, right half blue: shows both colours and which way round the picture is.
QImage TwoColours() {
    QImage picture(32, 16, QImage::Format_RGB32);
    picture.fill(Qt::red);
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 16; x < picture.width(); ++x) {
            picture.setPixelColor(x, y, Qt::blue);
        }
    }
    return picture;
}

QByteArray Saved(const char* format) {
    return EncodePicture(TwoColours(), format);
}

// The colours of a JPEG come back close, not exact.
bool Near(const QColor& actual, const QColor& expected) {
    return std::abs(actual.red() - expected.red()) <= 12 &&
           std::abs(actual.green() - expected.green()) <= 12 &&
           std::abs(actual.blue() - expected.blue()) <= 12;
}

QByteArray FirstHalf(const QByteArray& bytes) {
    return bytes.left(bytes.size() / 2);
}

// A JPEG whose frame header claims 60000 by 60000 pixels.
QByteArray HugeJpeg() {
    QByteArray bytes = EncodeJpeg(TwoColours(), JpegKind::Baseline);
    const qsizetype frame = bytes.indexOf("\xFF\xC0");
    bytes.replace(frame + 5, 4, QByteArray("\xEA\x60\xEA\x60", 4));
    return bytes;
}

// A progressive JPEG whose last scan is repeated until it has that many scans: libjpeg
// only warns about such a progression and decodes every scan.
QByteArray ProgressiveJpegWithScans(int scans) {
    const QByteArray bytes = EncodeJpeg(TwoColours(), JpegKind::Progressive);
    const qsizetype lastScan = bytes.lastIndexOf("\xFF\xDA");
    const qsizetype end = bytes.lastIndexOf("\xFF\xD9");
    const auto written = static_cast<int>(bytes.count("\xFF\xDA"));
    return bytes.left(end) + bytes.mid(lastScan, end - lastScan).repeated(scans - written) +
           bytes.mid(end);
}

class PictureLoader : public ::testing::Test {
  protected:
    QString Write(const QString& name, const QByteArray& bytes) {
        const QString path = Folder.filePath(name);
        WriteBytes(path, bytes);
        return path;
    }

    QTemporaryDir Folder;
};

} // namespace

TEST_F(PictureLoader, DecodesEachFormatByItsExtension) {
    const QColor greyRed = QColor::fromRgb(qGray(255, 0, 0), qGray(255, 0, 0), qGray(255, 0, 0));
    const QColor greyBlue = QColor::fromRgb(qGray(0, 0, 255), qGray(0, 0, 255), qGray(0, 0, 255));
    struct Case {
        const char* Name;
        QByteArray Bytes;
        QColor Left;
        QColor Right;
    };
    const Case cases[] = {
        {"baseline.jpg", EncodeJpeg(TwoColours(), JpegKind::Baseline), Qt::red, Qt::blue},
        {"progressive.jpeg", EncodeJpeg(TwoColours(), JpegKind::Progressive), Qt::red, Qt::blue},
        {"greyscale.jpg", EncodeJpeg(TwoColours(), JpegKind::Greyscale), greyRed, greyBlue},
        {"cmyk.jpg", EncodeJpeg(TwoColours(), JpegKind::Cmyk), Qt::red, Qt::blue},
        {"upper case.JPG", EncodeJpeg(TwoColours(), JpegKind::Baseline), Qt::red, Qt::blue},
        {"picture.png", Saved("PNG"), Qt::red, Qt::blue},
        {"picture.bmp", Saved("BMP"), Qt::red, Qt::blue},
        {"picture.gif", Saved("GIF"), Qt::red, Qt::blue},
        {"no trailer.gif", Saved("GIF").chopped(1), Qt::red, Qt::blue},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        const QImage picture = LoadPictureFile(Write(c.Name, c.Bytes));
        ASSERT_EQ(picture.size(), QSize(32, 16));
        EXPECT_TRUE(Near(picture.pixelColor(4, 8), c.Left))
            << picture.pixelColor(4, 8).name().toStdString();
        EXPECT_TRUE(Near(picture.pixelColor(28, 8), c.Right))
            << picture.pixelColor(28, 8).name().toStdString();
    }
}

TEST_F(PictureLoader, RefusesDamagedAndUnknownFilesSayingWhy) {
    const QByteArray garbage = QByteArray("just some text, no picture at all").repeated(8);
    struct Case {
        const char* Name;
        QByteArray Bytes;
        const char* Reason;
    };
    const Case cases[] = {
        {"truncated.jpg", FirstHalf(EncodeJpeg(TwoColours(), JpegKind::Baseline)),
         "Premature end of JPEG file"},
        {"truncated progressive.jpg", FirstHalf(EncodeJpeg(TwoColours(), JpegKind::Progressive)),
         "Premature end of JPEG file"},
        {"truncated.png", FirstHalf(Saved("PNG")), "not a readable PNG picture"},
        {"truncated.bmp", FirstHalf(Saved("BMP")), "not a readable BMP picture (cut short)"},
        {"truncated.gif", FirstHalf(Saved("GIF")), "not a readable GIF picture (cut short)"},
        {"garbage.jpg", garbage, "Not a JPEG file"},
        {"garbage.png", garbage, "not a readable PNG picture"},
        {"garbage.bmp", garbage, "not a readable BMP picture"},
        {"garbage.gif", garbage, "not a readable GIF picture"},
        {"empty.jpg", QByteArray(), "Empty input file"},
        {"png named.jpg", Saved("PNG"), "Not a JPEG file"},
        {"huge.jpg", HugeJpeg(), "too large (60000x60000)"},
        {"picture.txt", Saved("PNG"), "unknown picture format \"txt\""},
        {"no extension", Saved("PNG"), "unknown picture format \"\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        const QString path = Write(c.Name, c.Bytes);
        try {
            LoadPictureFile(path);
            ADD_FAILURE() << "loaded";
        } catch (const HarvolineError& error) {
            const std::string text = error.what();
            EXPECT_EQ(text.rfind(("Cannot load the picture " + path + ": ").toStdString(), 0), 0u)
                << text;
            EXPECT_NE(text.find(c.Reason), std::string::npos) << text;
        }
    }
}

TEST_F(PictureLoader, RefusesWhatIsNoFileWithoutWaiting) {
    const QString folder = Folder.filePath(QStringLiteral("folder.jpg"));
    QDir().mkdir(folder);
    const QString pipe = Folder.filePath(QStringLiteral("pipe.jpg"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    struct Case {
        QString Path;
        const char* Reason;
    };
    const Case cases[] = {
        {Folder.filePath(QStringLiteral("missing.jpg")), "the file does not exist"},
        {folder, "not a regular file"},
        {pipe, "not a regular file"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Path.toStdString());
        EXPECT_THROW(
            try { LoadPictureFile(c.Path); } catch (const HarvolineError& error) {
                EXPECT_NE(std::string(error.what()).find(c.Reason), std::string::npos)
                    << error.what();
                throw;
            },
            HarvolineError);
    }
}

TEST(DecodePicture, TakesTheFormatNameInAnyCase) {
    EXPECT_EQ(DecodePicture(Saved("PNG"), QStringLiteral("PNG")).size(), QSize(32, 16));
    EXPECT_EQ(
        DecodePicture(EncodeJpeg(TwoColours(), JpegKind::Baseline), QStringLiteral("Jpeg")).size(),
        QSize(32, 16));
}

TEST_F(PictureLoader, RefusesAProgressiveJpegOfFarMoreScansThanEncodersWrite) {
    EXPECT_EQ(LoadPictureFile(Write("100 scans.jpg", ProgressiveJpegWithScans(100))).size(),
              QSize(32, 16));
    const QString crafted = Write("5000 scans.jpg", ProgressiveJpegWithScans(5000));
    try {
        LoadPictureFile(crafted);
        ADD_FAILURE() << "loaded";
    } catch (const HarvolineError& error) {
        EXPECT_NE(std::string(error.what()).find("more than 100 scans"), std::string::npos)
            << error.what();
    }
}
