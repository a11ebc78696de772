#pragma once

#include <cstdint>
#include <vector>

namespace harvoline::demo {

constexpr int SampleRate = 22050;

enum class Lead { Bell, EPiano, Organ, Flute, Chip, Marimba, Pluck, Saw };

// A tune the synthesizer composes: a chord progression, one chord per bar, repeated until
// the tune is long enough, with a melody made up from the seed, then a closing tonic bar.
struct Tune {
    int bpm = 120;
    int beatsPerBar = 4;
    int root = 60;           // MIDI note of the tonic
    std::vector<int> scale;  // seven semitone offsets from the tonic
    std::vector<int> chords; // zero-based scale degrees, one chord per bar, an even count
    Lead lead = Lead::Bell;
    int drums = 0; // 0 none, 1 light, 2 full
    std::uint32_t seed = 1;
};

// Seconds the tune lasts when it is made to last at least minSeconds.
double Length(const Tune& tune, double minSeconds);

// Mono 16-bit samples at SampleRate, Length(tune, minSeconds) long.
std::vector<std::int16_t> Render(const Tune& tune, double minSeconds);

} // namespace harvoline::demo
