#include "platform/real_platform.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

using namespace harvoline;

namespace {

// Shows a message box the platform's way and answers it as soon as it is up, telling in
// which format it showed its text.
Qt::TextFormat FormatOfBoxShownBy(const std::function<void()>& show) {
    Qt::TextFormat format = Qt::AutoText;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&format] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            format = box->textFormat();
            box->done(QMessageBox::Yes);
        }
    });
    answer.start(10);
    show();
    return format;
}

} // namespace

TEST(RealPlatform, MessageBoxesShowTheirTextAsWrittenNotAsMarkup) {
    RealPlatform platform;
    // An img tag in its place would make a rich-text box load that file.
    const QString text = QStringLiteral("<b>Playlist</b> beendet");
    const std::function<void()> shows[] = {
        [&] { platform.ShowInformation(text); },
        [&] { EXPECT_TRUE(platform.AskYesNo(text)); },
        [&] { platform.ShowMessage(text); },
        [&] { platform.ShowError(text); },
    };
    for (const auto& show : shows) {
        EXPECT_EQ(FormatOfBoxShownBy(show), Qt::PlainText);
    }
}
