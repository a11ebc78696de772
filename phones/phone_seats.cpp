#include "phones/phone_seats.h"

#include <QRandomGenerator>

namespace harvoline {

namespace {

QString NewSecret() {
    std::array<quint32, 4> words{};
    QRandomGenerator::system()->fillRange(words.data(), words.size());
    QString secret;
    for (quint32 word : words) {
        secret += QStringLiteral("%1").arg(word, 8, 16, QLatin1Char('0'));
    }
    return secret;
}

} // namespace

PhoneSeats::Outcome PhoneSeats::Take(int seat, int phone, QString& secret) {
    if (seat < 1 || seat > 4) {
        return Outcome::NoSuchSeat;
    }
    if (Locked) {
        return Outcome::JoiningLocked;
    }
    if (Reserved(seat)) {
        return Outcome::Taken;
    }
    Free(SeatOf(phone));
    Holders[seat] = {phone, NewSecret()};
    secret = Holders[seat].Secret;
    return Outcome::Seated;
}

int PhoneSeats::Reclaim(const QString& secret, int phone, int& displaced) {
    displaced = 0;
    if (secret.isEmpty()) {
        return 0;
    }
    for (int seat = 1; seat <= 4; ++seat) {
        if (Holders[seat].Secret == secret) {
            const int held = SeatOf(phone);
            if (held != seat) {
                Free(held);
            }
            if (Holders[seat].Phone != phone) {
                displaced = Holders[seat].Phone;
            }
            Holders[seat].Phone = phone;
            return seat;
        }
    }
    return 0;
}

void PhoneSeats::Leave(int phone) {
    if (const int seat = SeatOf(phone)) {
        Holders[seat].Phone = 0;
    }
}

int PhoneSeats::Free(int seat) {
    if (seat < 1 || seat > 4) {
        return 0;
    }
    const int phone = Holders[seat].Phone;
    Holders[seat] = {};
    return phone;
}

void PhoneSeats::Clear() {
    Holders.fill({});
}

int PhoneSeats::SeatOf(int phone) const {
    if (phone == 0) {
        return 0;
    }
    for (int seat = 1; seat <= 4; ++seat) {
        if (Holders[seat].Phone == phone) {
            return seat;
        }
    }
    return 0;
}

bool PhoneSeats::AnyReserved() const {
    for (int seat = 1; seat <= 4; ++seat) {
        if (Reserved(seat)) {
            return true;
        }
    }
    return false;
}

} // namespace harvoline
