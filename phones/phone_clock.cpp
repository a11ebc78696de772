#include "phones/phone_clock.h"

#include <algorithm>
#include <vector>

namespace harvoline {

void PhoneClock::AddSample(std::int64_t sentUs, std::int64_t phoneUs, std::int64_t receivedUs) {
    const std::int64_t roundTrip = receivedUs - sentUs;
    if (roundTrip < 0) {
        return;
    }
    Samples.push_back({roundTrip, sentUs + roundTrip / 2 - phoneUs});
    if (Samples.size() > KeptSamples) {
        Samples.pop_front();
    }
}

std::int64_t PhoneClock::BestRoundTripUs() const {
    return std::min_element(
               Samples.begin(), Samples.end(),
               [](const Sample& a, const Sample& b) { return a.RoundTripUs < b.RoundTripUs; })
        ->RoundTripUs;
}

std::int64_t PhoneClock::OffsetUs() const {
    std::vector<Sample> best(Samples.begin(), Samples.end());
    std::sort(best.begin(), best.end(),
              [](const Sample& a, const Sample& b) { return a.RoundTripUs < b.RoundTripUs; });
    best.resize(std::min<std::size_t>(best.size(), BestSamples));
    std::int64_t sum = 0;
    for (const Sample& sample : best) {
        sum += sample.OffsetUs;
    }
    return sum / static_cast<std::int64_t>(best.size());
}

std::int64_t PhoneClock::PressedAtUs(std::int64_t phoneUs, std::int64_t arrivedUs) const {
    if (!Known()) {
        return 0;
    }
    return std::clamp(phoneUs + OffsetUs(), arrivedUs - BestRoundTripUs(), arrivedUs);
}

} // namespace harvoline
