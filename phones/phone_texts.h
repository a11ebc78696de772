#pragma once

#include "model/config/more_texts.h"

#include <array>

namespace harvoline {

// The phone page's, sent to it by name.
struct PageText {
    const char* Key;
    MoreText Text;
};

inline constexpr std::array<PageText, 12> PhonePageTexts{{
    {"pick", {"phone-pick", "Wähle deinen Platz", "Pick your seat"}},
    {"buzz", {"phone-buzz", "BUZZ!", "BUZZ!"}},
    {"open", {"phone-open", "Jetzt buzzern!", "Buzz now!"}},
    {"other", {"phone-other", "Jemand anderes antwortet", "Someone else answers"}},
    {"you", {"phone-you", "Du antwortest!", "Your answer!"}},
    {"locked",
     {"phone-locked", "Gesperrt bis zur nächsten Runde", "Locked out until the next round"}},
    {"over", {"phone-over", "Warte auf die nächste Runde", "Wait for the next round"}},
    {"score", {"phone-score", "Punkte", "Score"}},
    {"reconnecting", {"phone-reconnecting", "Verbinde neu …", "Reconnecting…"}},
    {"taken", {"phone-taken", "Dieser Platz ist schon besetzt.", "That seat is taken."}},
    {"closed", {"phone-closed", "Keine neuen Handys mehr.", "No new phones can join."}},
    {"none", {"phone-none", "Kein Platz frei.", "No free seat."}},
}};

} // namespace harvoline
