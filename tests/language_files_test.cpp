#include "model/config/language.h"
#include "model/config/text_file.h"
#include "tests/support/window_fixture.h"
#include "ui/buzzer_setup_view.h"
#include "ui/help_view.h"
#include "ui/seat_view.h"
#include "ui/start_hints.h"
#include "ui/status_row_view.h"
#include "ui/widgets/caption_label.h"
#include "ui/widgets/filled_panel.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QPushButton>
#include <QSet>
#include <QStringDecoder>
#include <QStyle>

using namespace harvoline;
using namespace harvoline::testing;

namespace {

QString ShippedFolder() {
    return QStringLiteral(HARVOLINE_SOURCE_DIR "/languages/");
}

QStringList ShippedFiles() {
    return QDir(ShippedFolder()).entryList({QStringLiteral("*.ini")}, QDir::Files, QDir::Name);
}

// The text, wrapped at the area's width, stays inside the area.
bool FitsIn(const QWidget* control, const QRect& area, const QString& text) {
    return area.contains(
        control->fontMetrics().boundingRect(area, Qt::AlignCenter | Qt::TextWordWrap, text));
}

// The caption fits between the button's frame and margins.
bool FitsOn(const QPushButton* button, const QString& caption) {
    const QStyle* style = button->style();
    const int margins = style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button) +
                        2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, button);
    return button->fontMetrics().horizontalAdvance(QString(caption).remove(u'&')) + margins <=
           button->width();
}

} // namespace

TEST(ShippedLanguages, AreCompleteAndKeepWhatTheGameReliesOn) {
    const QStringList files = ShippedFiles();
    for (const char* name :
         {"English.ini", "French.ini", "Spanish.ini", "Italian.ini", "Dutch.ini"}) {
        EXPECT_TRUE(files.contains(name)) << name;
    }
    for (const QString& name : files) {
        SCOPED_TRACE(name.toStdString());
        QFile file(ShippedFolder() + name);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        QStringDecoder utf8(QStringDecoder::Utf8);
        const QString text = utf8.decode(file.readAll());
        EXPECT_FALSE(utf8.hasError()) << "read the same on every system only as UTF-8";

        const QStringList table = ReadTextLines(ShippedFolder() + name);
        ASSERT_GE(table.size(), LanguageEntryCount);
        for (int i = 0; i < LanguageEntryCount; ++i) {
            EXPECT_FALSE(table[i].trimmed().isEmpty()) << "entry " << i;
        }
        EXPECT_FALSE(HelpTextOf(table).isEmpty());
        // The playlist line of the settings is read back from its 11th character on.
        EXPECT_EQ((table[3] + ": ").size(), 10) << table[3].toStdString();
        // The Start button tells a running game by its caption.
        EXPECT_NE(table[4], table[5]);
        // The picture dialog offers every format the picture loader reads.
        const QString pictures = DefaultLanguageTable()[15];
        EXPECT_TRUE(table[15].endsWith(pictures.mid(pictures.indexOf(u'|'))));
        EXPECT_TRUE(table[17].endsWith("|*.m3u"));
        EXPECT_TRUE(table[19].endsWith("|*.ini"));

        QSet<QChar> accelerators;
        for (int i : {25, 26, 27, 28, 30, 31}) {
            ASSERT_EQ(table[i].count(u'&'), 1) << "entry " << i;
            accelerators.insert(table[i][table[i].indexOf(u'&') + 1].toLower());
        }
        EXPECT_EQ(accelerators.size(), 6) << "each menu item has a letter of its own";
    }
}

using ShippedLanguageFit = WindowTest;

TEST_F(ShippedLanguageFit, TextsFitTheirControlsAtTheDesignSize) {
    MainWindow& w = StartWindow();
    ASSERT_EQ(w.size(), QSize(800, 566));
    Game().Songs().SetEntries(QStringList(100, QStringLiteral("song.mp3")));
    for (const QString& name : ShippedFiles()) {
        SCOPED_TRACE(name.toStdString());
        // The language's default names, as a first start in it gives them.
        for (int seat = 1; seat <= 4; ++seat) {
            Game().RenameSeat(seat,
                              ReadTextLines(ShippedFolder() + name)[1] + QString::number(seat));
        }
        Platform.DialogAnswers.push_back(ShippedFolder() + name);
        w.LanguageAction->trigger();
        ASSERT_EQ(Game().Config().Settings().Line(6), ShippedFolder() + name);

        for (int entry : {4, 5}) {
            EXPECT_TRUE(FitsOn(w.StartButton, Game().Config().Text(entry)))
                << Game().Config().Text(entry).toStdString();
        }
        EXPECT_TRUE(FitsOn(w.BuzzerSetup->SkipBuzzerSetupButton, Game().Config().Text(25)));
        EXPECT_LT(w.StatusRow->PointsLabel->geometry().right(), w.StatusRow->AnswerTimeTrack->x());
        EXPECT_FALSE(w.StatusRow->SongCountLabel->geometry().intersects(w.TitleLabel->geometry()));
        for (const FilledPanel* hint : {w.Hints->TitleHint, w.Hints->MenuHint}) {
            EXPECT_TRUE(FitsIn(hint, hint->rect(), hint->Caption()))
                << hint->Caption().toStdString();
        }
        for (const CaptionLabel* hint : {w.Hints->PictureHintText, w.Hints->NameHintText}) {
            EXPECT_TRUE(FitsIn(hint, hint->contentsRect(), hint->Caption()))
                << hint->Caption().toStdString();
        }
        for (int seat = 1; seat <= 4; ++seat) {
            const CaptionLabel* seatName = w.Seats[seat]->Name;
            EXPECT_LE(seatName->fontMetrics().horizontalAdvance(seatName->text()),
                      seatName->width());
        }
        const CaptionLabel* setupPrompt = w.BuzzerSetup->BuzzerSetupPrompt;
        const QRect prompt = setupPrompt->fontMetrics().boundingRect(
            setupPrompt->contentsRect(), int(setupPrompt->alignment()) | Qt::TextWordWrap,
            setupPrompt->text());
        EXPECT_TRUE(setupPrompt->contentsRect().contains(prompt))
            << setupPrompt->text().toStdString();
        EXPECT_FALSE(prompt.intersects(w.BuzzerSetup->SkipBuzzerSetupButton->geometry()));

        w.OpenHelp();
        const CaptionLabel* help = w.Help->HelpText;
        EXPECT_GE(help->height(), help->heightForWidth(help->width()));
        EXPECT_LT(help->geometry().bottom(), w.Help->CloseHelpButton->y());
        w.CloseTextPage();
    }
}
