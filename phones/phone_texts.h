#pragma once

#include "model/config/more_texts.h"

#include <array>

namespace harvoline {

// The window's.
inline constexpr MoreText PhonesMenuText{"phones-menu", "Handys als Buzzer", "Phones as buzzers"};
inline constexpr MoreText PhonesJoinText{
    "phones-join", "Mit dem Handy scannen und mitspielen:", "Scan with your phone to play:"};
inline constexpr MoreText PhonesLockText{"phones-lock", "Keine neuen Handys", "No new phones"};
inline constexpr MoreText PhonesFreeText{"phones-free", "Platz frei", "Free seat"};
inline constexpr MoreText PhonesHideText{"phones-hide", "Ausblenden", "Hide"};
inline constexpr MoreText PhonesOrderText{"phones-order", "Buzzer-Reihenfolge:", "Buzz order:"};
inline constexpr MoreText PhonesNoAddressText{
    "phones-no-address", "Kein Netzwerk gefunden: Handys können sich nicht verbinden.",
    "No network found: phones cannot connect."};

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
