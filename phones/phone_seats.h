#pragma once

#include <QString>
#include <array>

namespace harvoline {

// Which phone holds which of the four seats. A seat is taken by one phone at a time and
// stays reserved while its phone is away; the secret it was given takes it back after a
// reconnect. Only the quiz master frees a seat, and can stop new phones from taking one.
// Phones are told apart by a number the server gives each link.
class PhoneSeats {
  public:
    enum class Outcome { Seated, Taken, JoiningLocked, NoSuchSeat };

    // Takes a free seat for the phone, which leaves the seat it held; its secret is written
    // to secret.
    Outcome Take(int seat, int phone, QString& secret);
    // The seat whose secret this is, now held by the phone; 0 when no seat has it. Works
    // while joining is locked: the seat was this phone's before. A phone still linked to the
    // seat loses it and is written to displaced (else 0).
    int Reclaim(const QString& secret, int phone, int& displaced);
    // The phone's link is gone; its seat waits for the secret.
    void Leave(int phone);
    // The quiz master frees the seat; the phone that held it, or 0.
    int Free(int seat);
    void Clear();

    void SetJoiningLocked(bool locked) { Locked = locked; }
    bool JoiningLocked() const { return Locked; }

    // The seat the phone holds, or 0.
    int SeatOf(int phone) const;
    // The phone linked to the seat now, or 0 (also while the seat waits for its phone).
    int PhoneAt(int seat) const { return Holders.at(seat).Phone; }
    bool Reserved(int seat) const { return !Holders.at(seat).Secret.isEmpty(); }
    bool AnyReserved() const;

  private:
    struct Holder {
        int Phone = 0;
        QString Secret;
    };
    std::array<Holder, 5> Holders{};
    bool Locked = false;
};

} // namespace harvoline
