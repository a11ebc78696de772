#pragma once

#include <cstdint>
#include <deque>

namespace harvoline {

// A phone's clock as seen from the game's press clock. The game pings the phone, the phone
// answers with its own time; the half of the round trip is the best guess of when the phone
// read its clock, and the samples with the shortest round trips guess best. A press the
// phone reports in its own time is moved onto the game's clock by that offset.
class PhoneClock {
  public:
    static constexpr int KeptSamples = 16;
    static constexpr int BestSamples = 3;

    // A ping sent at sentUs (game's clock) was answered with the phone's time phoneUs and
    // came back at receivedUs.
    void AddSample(std::int64_t sentUs, std::int64_t phoneUs, std::int64_t receivedUs);
    bool Known() const { return !Samples.empty(); }
    std::int64_t BestRoundTripUs() const;
    // Game clock minus phone clock, from the samples with the shortest round trips.
    std::int64_t OffsetUs() const;
    // When a press the phone timed at phoneUs happened on the game's clock. It cannot have
    // happened after it arrived, nor earlier than the fastest the link ever carried a
    // message there and back: a page that lies about its time gains nothing beyond that.
    // 0 while no sample is known: the arrival is the best guess then.
    std::int64_t PressedAtUs(std::int64_t phoneUs, std::int64_t arrivedUs) const;

  private:
    struct Sample {
        std::int64_t RoundTripUs;
        std::int64_t OffsetUs;
    };
    std::deque<Sample> Samples;
};

} // namespace harvoline
