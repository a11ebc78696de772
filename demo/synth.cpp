#include "demo/synth.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <span>

namespace harvoline::demo {
namespace {

constexpr double TwoPi = 2 * std::numbers::pi;
constexpr double TailSeconds = 1.5;

// Same numbers on every platform, unlike the standard distributions.
class Random {
  public:
    explicit Random(std::uint64_t seed) : State(seed) {}
    std::uint32_t Next() {
        std::uint64_t z = (State += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return static_cast<std::uint32_t>((z ^ (z >> 31)) >> 32);
    }
    int Below(int n) { return static_cast<int>(Next() % static_cast<std::uint32_t>(n)); }
    double Noise() { return Next() / 2147483648.0 - 1.0; }

  private:
    std::uint64_t State;
};

enum class Voice { Lead, Pad, Bass, Kick, Snare, Hat };

struct Note {
    double start;  // seconds
    double length; // seconds
    double frequency;
    double gain;
    Voice voice;
};

double Frequency(double midi) {
    return 440.0 * std::pow(2.0, (midi - 69) / 12);
}

// Attack, hold for the note's length, then an exponential release.
double Envelope(double t, double length, double attack, double release) {
    const double rise = std::min(1.0, t / attack);
    return t < length ? rise : rise * std::exp(-(t - length) / release);
}

// The sum of weights[k - 1] * sin(k * phase) over the harmonics below Nyquist, with one sine
// and one cosine in all: sin((k + 1) x) = 2 cos(x) sin(k x) - sin((k - 1) x).
double Partials(double phase, double frequency, std::span<const double> weights) {
    const double twoCos = 2 * std::cos(phase);
    double previous = 0, current = std::sin(phase), sum = 0;
    for (std::size_t k = 1; k <= weights.size() && k * frequency < SampleRate / 2.2; ++k) {
        sum += weights[k - 1] * current;
        const double next = twoCos * current - previous;
        previous = current;
        current = next;
    }
    return sum;
}

constexpr std::array<double, 6> Sawtooth = {1, 1 / 2.0, 1 / 3.0, 1 / 4.0, 1 / 5.0, 1 / 6.0};

double LeadSample(Lead lead, double f, double t, double length) {
    const double x = TwoPi * f * t;
    switch (lead) {
    case Lead::Bell:
        return std::sin(x + 2.0 * std::exp(-t / 0.6) * std::sin(3.5 * x)) * std::exp(-t / 1.1);
    case Lead::EPiano:
        return std::sin(x + 1.3 * std::exp(-t / 0.3) * std::sin(x)) * std::exp(-t / 0.9) *
               Envelope(t, length, 0.004, 0.12);
    case Lead::Organ:
        return 0.6 * Partials(x, f, std::array{1.0, 0.45, 0.27, 0.19}) *
               Envelope(t, length, 0.012, 0.08);
    case Lead::Flute: {
        const double vibrato = 0.03 * std::min(1.0, t / 0.4) * std::sin(TwoPi * 5.2 * t);
        return (std::sin(x + vibrato * TwoPi) + 0.15 * std::sin(2 * x)) *
               Envelope(t, length, 0.07, 0.15);
    }
    case Lead::Chip:
        return 0.5 * Partials(x, f, std::array{1.0, 0.0, 1 / 3.0, 0.0, 1 / 5.0, 0.0, 1 / 7.0}) *
               (0.6 + 0.4 * std::exp(-t / 0.15)) * Envelope(t, length, 0.004, 0.05);
    case Lead::Marimba:
        return (std::sin(x) + 0.35 * std::sin(4 * x) * std::exp(-t / 0.04)) * std::exp(-t / 0.3);
    case Lead::Pluck: {
        // The higher the harmonic, the sooner it dies away.
        const double decay = std::exp(-t * 1.6);
        std::array<double, 8> weights;
        double power = 1;
        for (std::size_t k = 0; k < weights.size(); ++k) {
            power *= decay;
            weights[k] = power / static_cast<double>(k + 1);
        }
        return Partials(x, f, weights) * Envelope(t, length, 0.002, 0.1);
    }
    case Lead::Saw:
        return 0.35 * (Partials(x, f, Sawtooth) + Partials(x * 1.004, f, Sawtooth)) *
               Envelope(t, length, 0.03, 0.2);
    }
    return 0;
}

// How long a note keeps sounding after its written length ends.
double Tail(const Note& note, Lead lead) {
    switch (note.voice) {
    case Voice::Lead:
        return lead == Lead::Bell ? 3.0 : lead == Lead::Marimba ? 1.2 : 0.8;
    case Voice::Pad:
        return 1.5;
    default:
        return 0.4;
    }
}

void Play(std::vector<double>& mix, const Note& note, Lead lead, Random& random) {
    const auto first = static_cast<std::size_t>(note.start * SampleRate);
    const auto count = static_cast<std::size_t>((note.length + Tail(note, lead)) * SampleRate);
    const double f = note.frequency;
    double previousNoise = 0;
    for (std::size_t i = 0; i < count && first + i < mix.size(); ++i) {
        const double t = static_cast<double>(i) / SampleRate;
        double value = 0;
        switch (note.voice) {
        case Voice::Lead:
            value = LeadSample(lead, f, t, note.length);
            break;
        case Voice::Pad:
            value = Partials(TwoPi * f * t, f, std::array{1.0, 0.3, 0.1}) *
                    Envelope(t, note.length, 0.35, 0.6);
            break;
        case Voice::Bass:
            value = Partials(TwoPi * f * t, f, std::array{1.0, 0.4 * std::exp(-t / 0.15)}) *
                    std::exp(-t / 0.8) * Envelope(t, note.length, 0.005, 0.05);
            break;
        case Voice::Kick: {
            // The pitch falls from 140 Hz to 50 Hz; the phase is its integral.
            const double phase = TwoPi * (50 * t + 90 * 0.04 * (1 - std::exp(-t / 0.04)));
            value = std::sin(phase) * std::exp(-t / 0.16);
            break;
        }
        case Voice::Snare:
            value = (0.7 * random.Noise() * std::exp(-t / 0.08) +
                     0.5 * std::sin(TwoPi * 185 * t) * std::exp(-t / 0.05));
            break;
        case Voice::Hat: {
            const double noise = random.Noise();
            value = (noise - previousNoise) * std::exp(-t / 0.025);
            previousNoise = noise;
            break;
        }
        }
        mix[first + i] += note.gain * value;
    }
}

struct Step {
    int eighths;
    int move; // in scale degrees
};

// A two-bar phrase: note lengths in eighths filling the bars, each with a melodic step.
std::vector<Step> Motif(int eighthsPerBar, Random& random) {
    static constexpr int Lengths[] = {1, 1, 2, 2, 2, 3, 4};
    static constexpr int Moves[] = {-3, -2, -1, -1, 0, 1, 1, 2, 2, 4};
    std::vector<Step> motif;
    const int total = 2 * eighthsPerBar;
    for (int at = 0; at < total;) {
        int length = std::min(Lengths[random.Below(std::size(Lengths))], total - at);
        if (total - at - length == 1) {
            ++length; // no lone eighth at the end of the phrase
        }
        motif.push_back({length, Moves[random.Below(std::size(Moves))]});
        at += length;
    }
    return motif;
}

class Composer {
  public:
    explicit Composer(const Tune& tune) : T(tune), Eighth(30.0 / tune.bpm) {}

    // One cycle through the chords starting at the given time, the melody following the motif.
    void Cycle(double start, const std::vector<Step>& motif, std::vector<Note>& notes) {
        const int eighthsPerBar = 2 * T.beatsPerBar;
        const double bar = eighthsPerBar * Eighth;
        for (std::size_t b = 0; b < T.chords.size(); ++b) {
            Accompany(start + b * bar, T.chords[b], bar, notes);
        }
        for (std::size_t b = 0; b < T.chords.size(); b += 2) {
            int at = 0;
            for (const Step& step : motif) {
                const std::size_t barOf = b + at / eighthsPerBar;
                int next = Melody + step.move;
                if (next < 2 || next > 12) {
                    next = Melody - step.move;
                }
                if (at % 2 == 0) {
                    next = Snap(next, T.chords[barOf], step.move);
                }
                Melody = next;
                const double gain = at % eighthsPerBar == 0 ? 0.34 : 0.27;
                notes.push_back({start + (b * eighthsPerBar + at) * Eighth,
                                 step.eighths * Eighth * 0.92, Pitch(Melody), gain, Voice::Lead});
                at += step.eighths;
            }
        }
    }

    // A bar of the tonic chord with the melody landing on the tonic.
    void Close(double start, std::vector<Note>& notes) const {
        const double bar = 2 * T.beatsPerBar * Eighth;
        Accompany(start, 0, bar, notes);
        notes.push_back({start, bar, Pitch(7), 0.34, Voice::Lead});
    }

  private:
    double Pitch(int degree) const {
        const int octave = degree >= 0 ? degree / 7 : -((6 - degree) / 7);
        const int inScale = degree - 7 * octave;
        return Frequency(T.root + 12 * octave + T.scale[inScale]);
    }

    bool InChord(int degree, int chord) const {
        const int offset = ((degree - chord) % 7 + 7) % 7;
        return offset == 0 || offset == 2 || offset == 4;
    }

    // The chord tone nearest to degree, searching first in the direction it moved.
    int Snap(int degree, int chord, int move) const {
        const int first = move < 0 ? -1 : 1;
        for (int distance = 0;; ++distance) {
            if (InChord(degree + first * distance, chord)) {
                return degree + first * distance;
            }
            if (InChord(degree - first * distance, chord)) {
                return degree - first * distance;
            }
        }
    }

    // Pad chord, bass and drums for one bar.
    void Accompany(double start, int chord, double bar, std::vector<Note>& notes) const {
        for (int tone : {0, 2, 4}) {
            notes.push_back({start, bar * 0.95, Pitch(chord + tone - 7), 0.07, Voice::Pad});
        }
        const int beats = T.beatsPerBar;
        const double beat = 2 * Eighth;
        for (int b = 0; b < beats; b += beats == 4 ? 2 : 3) {
            const int degree = chord + (b == 0 ? 0 : 4) - 14;
            notes.push_back({start + b * beat, beat * (beats == 4 ? 1.9 : 2.9), Pitch(degree), 0.3,
                             Voice::Bass});
        }
        if (T.drums == 0) {
            return;
        }
        for (int e = 0; e < 2 * beats; ++e) {
            const double at = start + e * Eighth;
            if (e == 0 || (T.drums == 2 && beats == 4 && e == 4)) {
                notes.push_back({at, 0.3, 0, 0.55, Voice::Kick});
            } else if (T.drums == 2 && e % 2 == 0) {
                notes.push_back({at, 0.2, 0, beats == 4 ? 0.22 : 0.12, Voice::Snare});
            }
            if (T.drums == 2 || e % 2 == 0) {
                notes.push_back({at, 0.05, 0, e % 2 == 0 ? 0.09 : 0.05, Voice::Hat});
            }
        }
    }

    const Tune& T;
    const double Eighth;
    int Melody = 7;
};

int Cycles(const Tune& tune, double minSeconds) {
    const double bar = 60.0 * tune.beatsPerBar / tune.bpm;
    const double cycle = bar * static_cast<double>(tune.chords.size());
    return std::max(1, static_cast<int>(std::ceil((minSeconds - bar - TailSeconds) / cycle)));
}

} // namespace

double Length(const Tune& tune, double minSeconds) {
    const double bar = 60.0 * tune.beatsPerBar / tune.bpm;
    return (Cycles(tune, minSeconds) * static_cast<double>(tune.chords.size()) + 1) * bar +
           TailSeconds;
}

std::vector<std::int16_t> Render(const Tune& tune, double minSeconds) {
    Random random(tune.seed);
    const std::vector<Step> motifs[] = {Motif(2 * tune.beatsPerBar, random),
                                        Motif(2 * tune.beatsPerBar, random)};
    Composer composer(tune);
    std::vector<Note> notes;
    const double cycle =
        60.0 * tune.beatsPerBar / tune.bpm * static_cast<double>(tune.chords.size());
    const int cycles = Cycles(tune, minSeconds);
    for (int c = 0; c < cycles; ++c) {
        // A A B A ... so the tune has a hook that comes back.
        composer.Cycle(c * cycle, motifs[c % 4 == 2 ? 1 : 0], notes);
    }
    composer.Close(cycles * cycle, notes);

    std::vector<double> mix(static_cast<std::size_t>(Length(tune, minSeconds) * SampleRate));
    for (const Note& note : notes) {
        Play(mix, note, tune.lead, random);
    }

    // A dotted-quarter echo, then normalize and fade out the last moments.
    const auto delay = static_cast<std::size_t>(3 * 30.0 / tune.bpm * SampleRate);
    for (std::size_t i = delay; i < mix.size(); ++i) {
        mix[i] += 0.28 * mix[i - delay];
    }
    double peak = 1e-9;
    for (double v : mix) {
        peak = std::max(peak, std::abs(v));
    }
    const auto fade = static_cast<std::size_t>(TailSeconds * SampleRate);
    std::vector<std::int16_t> samples(mix.size());
    for (std::size_t i = 0; i < mix.size(); ++i) {
        const double left = static_cast<double>(mix.size() - i);
        const double gain = std::min(1.0, left / static_cast<double>(fade));
        samples[i] = static_cast<std::int16_t>(std::lround(mix[i] / peak * gain * 29000));
    }
    return samples;
}

} // namespace harvoline::demo
