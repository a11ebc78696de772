#pragma once

#include <QString>

namespace harvoline::testing {

// Writes a 16-bit mono PCM WAV file holding a sine tone of the given length.
void WriteToneWav(const QString& path, int milliseconds, int frequency = 440);

} // namespace harvoline::testing
