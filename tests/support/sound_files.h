#pragma once

#include <QString>

namespace harvoline::testing {

// Writes a 16-bit mono PCM WAV file holding a sine tone of the given length.
void WriteToneWav(const QString& path, int milliseconds, int frequency = 440);

// Writes a VBR MP3 file of a sine tone (22.05 kHz, mono) through ffmpeg, without the Xing
// header that would tell a player its length: libvlc guesses it from the first frames,
// for a tone at about a fifth of the truth. False when ffmpeg fails.
bool WriteVbrMp3WithoutXing(const QString& path, int milliseconds);

} // namespace harvoline::testing
