#include "tests/support/fake_platform.h"

#include "platform/errors.h"

#include <QImageReader>

namespace harvoline::testing {

std::optional<QString> FakePlatform::OpenFileDialog(const FileDialogRequest& request) {
    Dialogs.push_back(request);
    if (DialogAnswers.empty()) {
        return std::nullopt;
    }
    std::optional<QString> answer = DialogAnswers.front();
    DialogAnswers.pop_front();
    return answer;
}

bool FakePlatform::AskYesNo(const QString& text) {
    Questions << text;
    if (YesNoAnswers.empty()) {
        return false;
    }
    const bool answer = YesNoAnswers.front();
    YesNoAnswers.pop_front();
    return answer;
}

void FakePlatform::Wait(int ms) {
    Waits.push_back(ms);
    Now += ms;
}

int FakePlatform::Random(int range) {
    if (RandomValues.empty() || range <= 0) {
        return 0;
    }
    const int value = RandomValues.front() % range;
    RandomValues.pop_front();
    return value;
}

// Pictures are decoded for real, so a broken file fails as it would in the program.
QImage FakePlatform::LoadPicture(const QString& path) {
    PicturesLoaded << path;
    QImageReader reader(path);
    reader.setDecideFormatFromContent(false);
    QImage picture = reader.read();
    if (picture.isNull()) {
        throw HarvolineError(QStringLiteral("Cannot load the picture %1").arg(path));
    }
    return picture;
}

} // namespace harvoline::testing
