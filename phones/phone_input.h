#pragma once

#include "model/input/seat_input.h"
#include "phones/phone_seats.h"
#include "phones/phone_server.h"

#include <QHash>
#include <QJsonObject>
#include <QTimer>

namespace harvoline {

class PhoneLink;
class QuizGame;

// Phones as buzzers: each phone takes a free seat and then buzzes and answers for that seat
// only, with the moment its screen was touched moved onto the press clock. Every phone is
// told its seat's state, score, name and colour, and the answer colours while it answers;
// never an answer's text.
class PhoneInput : public SeatInput {
    Q_OBJECT

  public:
    static constexpr const char* AddressOption = "phone-address";
    static constexpr const char* PortOption = "phone-port";
    static constexpr const char* WindowOption = "phone-decision-window-ms";
    static constexpr int DefaultPort = 47619;
    static constexpr int DefaultWindowMs = 80;

    explicit PhoneInput(QuizGame& game, QObject* parent = nullptr);
    ~PhoneInput() override;

    // Listens at the address the options name, else the local network's; false when there
    // is none or nothing can listen there.
    bool SwitchOn();
    bool SwitchOn(const QHostAddress& address, quint16 port);
    // Keeps the address phones join at in the options and listens there.
    bool ChooseAddress(const QString& address);
    // Stops listening, closes every phone and frees every seat.
    void SwitchOff();
    bool On() const { return Server.Listening(); }
    QString JoinUrl() const { return Server.JoinUrl(); }
    QString HostAndPort() const { return Server.HostAndPort(); }
    QString Address() const { return Server.Address().toString(); }

    bool SeatTaken(int seat) const { return Seats.Reserved(seat); }
    bool PhoneLinked(int seat) const { return Seats.PhoneAt(seat) != 0; }
    void FreeSeat(int seat);
    void SetJoiningLocked(bool locked);
    bool JoiningLocked() const { return Seats.JoiningLocked(); }
    // The decision window the phones need: the option's while a phone holds a seat, else 0.
    int DecisionWindowMs() const;

  signals:
    void SeatsChanged();

  private:
    void Greet(PhoneLink* link);
    void Forget(PhoneLink* link);
    void Receive(PhoneLink* link, const QJsonObject& message, qint64 arrivedUs);
    void Join(PhoneLink* link, const QJsonObject& message);
    void Reclaim(PhoneLink* link, const QJsonObject& message);
    void Press(PhoneLink* link, const QJsonObject& message, qint64 arrivedUs);
    void Seated(PhoneLink* link, int seat, const QString& secret);
    void TellSeatLost(int phone);
    void ShowSeats();
    void SendStates();
    void SendTexts(PhoneLink* link) const;
    QJsonObject StateFor(int seat) const;
    QString SeatState(int seat) const;

    QuizGame& Game;
    PhoneServer Server;
    PhoneSeats Seats;
    QHash<int, PhoneLink*> Links;
    QTimer StatesDue;
};

} // namespace harvoline
