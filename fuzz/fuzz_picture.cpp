// The picture decoder on any bytes: libjpeg with its error handler, and Qt's readers with
// our checks for cut files.
#include "model/errors.h"
#include "ui/pictures/picture_loader.h"

#include <cstdlib>

namespace {

// The first byte chooses the format the rest is decoded as.
const char* const Formats[] = {"jpg", "png", "bmp", "gif"};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    const QByteArray bytes(reinterpret_cast<const char*>(data + 1),
                           static_cast<qsizetype>(size - 1));
    try {
        const QImage picture = harvoline::DecodePicture(
            bytes, QString::fromLatin1(Formats[data[0] % std::size(Formats)]));
        if (picture.isNull()) {
            std::abort(); // a picture comes back whole, or not at all
        }
    } catch (const harvoline::HarvolineError&) {
    }
    return 0;
}
