#include "tests/support/fake_platform.h"

#include "model/errors.h"

#include "model/media/tag_library.h"
#include "ui/pictures/picture_loader.h"

namespace harvoline::testing {

std::optional<QString> FakePlatform::OpenFileDialog(const FileDialogRequest& request) {
    Dialogs.push_back(request);
    if (WhileDialogOpen) {
        WhileDialogOpen();
    }
    if (DialogAnswers.empty()) {
        return std::nullopt;
    }
    const bool cancelled = !DialogAnswers.front().has_value();
    const QString path = DialogAnswers.front().value_or(QString());
    DialogAnswers.pop_front();
    if (cancelled) {
        return std::nullopt;
    }
    return path;
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
    if (range <= 0) {
        return 0;
    }
    if (RandomValues.empty()) {
        // Unscripted draws still spread over the range, the same in every run.
        RandomState = RandomState * 1103515245u + 12345u;
        return static_cast<int>((RandomState >> 16) % static_cast<unsigned>(range));
    }
    const int value = RandomValues.front() % range;
    RandomValues.pop_front();
    return value;
}

// Pictures are decoded for real, so a broken file fails as it would in the program.
QImage FakePlatform::LoadPicture(const QString& path) {
    PicturesLoaded << path;
    return LoadPictureFile(path);
}

std::unique_ptr<VideoView> FakePlatform::CreateVideoView(QWidget*, const QRect&) {
    if (Video.FailToCreate) {
        throw HarvolineError(QStringLiteral("No video player"));
    }
    return std::make_unique<FakeVideoView>(Video, Now);
}

std::unique_ptr<TagLibrary> FakePlatform::CreateTagLibrary() {
    ++TagLibrariesCreated;
    return TagLibraryAvailable ? std::make_unique<TagLibrary>() : nullptr;
}

} // namespace harvoline::testing
