#include "phones/phone_input.h"

#include "model/game/colours.h"
#include "model/game/quiz_game.h"
#include "phones/lan_address.h"
#include "phones/phone_link.h"
#include "phones/phone_texts.h"

#include <QJsonArray>

namespace harvoline {

namespace {

QJsonArray AnswerColours() {
    QJsonArray colours;
    for (int choice = 1; choice <= 4; ++choice) {
        colours.append(HtmlColour(ChoiceColours[choice]));
    }
    return colours;
}

} // namespace

PhoneInput::PhoneInput(QuizGame& game, QObject* parent) : SeatInput(parent), Game(game) {
    StatesDue.setSingleShot(true);
    StatesDue.setInterval(0);
    connect(&StatesDue, &QTimer::timeout, this, &PhoneInput::SendStates);
    connect(&Server, &PhoneServer::Linked, this, &PhoneInput::Greet);
    connect(&Server, &PhoneServer::Unlinked, this, &PhoneInput::Forget);
    for (auto changed : {&QuizGame::PhaseChanged, &QuizGame::RoundColoursDrawn}) {
        connect(&Game, changed, this, &PhoneInput::ShowSeats);
    }
    connect(&Game, &QuizGame::SeatChanged, this, &PhoneInput::ShowSeats);
    connect(&Game, &QuizGame::LanguageChanged, this, [this] {
        for (PhoneLink* link : std::as_const(Links)) {
            SendTexts(link);
        }
    });
}

// The server closes its links as it goes; nobody is told any more.
PhoneInput::~PhoneInput() {
    blockSignals(true);
    Server.disconnect(this);
}

bool PhoneInput::SwitchOn() {
    const OptionsFile& options = Game.Config().Options();
    const QHostAddress chosen(options.Value(QLatin1String(AddressOption)));
    const QHostAddress address = chosen.isNull() ? LanAddress() : chosen;
    const int port = options.Number(QLatin1String(PortOption), DefaultPort, 0, 65535);
    return !address.isNull() && SwitchOn(address, static_cast<quint16>(port));
}

bool PhoneInput::SwitchOn(const QHostAddress& address, quint16 port) {
    SwitchOff();
    const bool on = Server.Listen(address, port);
    emit SeatsChanged();
    return on;
}

bool PhoneInput::ChooseAddress(const QString& address) {
    Game.Config().Options().Set(QLatin1String(AddressOption), address);
    return SwitchOn();
}

void PhoneInput::SwitchOff() {
    Server.Close();
    Seats.Clear();
    Seats.SetJoiningLocked(false);
    emit SeatsChanged();
}

void PhoneInput::FreeSeat(int seat) {
    TellSeatLost(Seats.Free(seat));
    ShowSeats();
}

void PhoneInput::SetJoiningLocked(bool locked) {
    Seats.SetJoiningLocked(locked);
    ShowSeats();
}

int PhoneInput::DecisionWindowMs() const {
    return Seats.AnyReserved() ? Game.Config().Options().Number(QLatin1String(WindowOption),
                                                                DefaultWindowMs, 0, 150)
                               : 0;
}

void PhoneInput::Greet(PhoneLink* link) {
    Links.insert(link->Id(), link);
    connect(link, &PhoneLink::MessageReceived, this, &PhoneInput::Receive);
    SendTexts(link);
    link->Send(StateFor(0));
}

void PhoneInput::Forget(PhoneLink* link) {
    Links.remove(link->Id());
    if (Seats.SeatOf(link->Id()) != 0) {
        Seats.Leave(link->Id());
        ShowSeats();
    }
}

void PhoneInput::Receive(PhoneLink* link, const QJsonObject& message, qint64 arrivedUs) {
    const QString type = message.value(QLatin1String("t")).toString();
    if (type == QLatin1String("join")) {
        Join(link, message);
    } else if (type == QLatin1String("reclaim")) {
        Reclaim(link, message);
    } else {
        Press(link, message, arrivedUs);
    }
}

void PhoneInput::Join(PhoneLink* link, const QJsonObject& message) {
    const int seat = message.value(QLatin1String("seat")).toInt();
    QString secret;
    const PhoneSeats::Outcome outcome = seat >= 1 && seat <= 4 && !Game.TakesPart(seat)
                                            ? PhoneSeats::Outcome::NoSuchSeat
                                            : Seats.Take(seat, link->Id(), secret);
    if (outcome == PhoneSeats::Outcome::Seated) {
        Seated(link, seat, secret);
        return;
    }
    const char* why = outcome == PhoneSeats::Outcome::JoiningLocked ? "closed"
                      : outcome == PhoneSeats::Outcome::Taken       ? "taken"
                                                                    : "none";
    link->Send({{"t", "refused"}, {"why", why}});
}

void PhoneInput::Reclaim(PhoneLink* link, const QJsonObject& message) {
    const QString secret = message.value(QLatin1String("secret")).toString();
    int displaced = 0;
    const int seat = Seats.Reclaim(secret, link->Id(), displaced);
    if (seat == 0) {
        link->Send({{"t", "refused"}, {"why", "gone"}});
        return;
    }
    TellSeatLost(displaced);
    Seated(link, seat, secret);
}

void PhoneInput::Seated(PhoneLink* link, int seat, const QString& secret) {
    link->Send({{"t", "seated"}, {"seat", seat}, {"secret", secret}});
    ShowSeats();
}

void PhoneInput::TellSeatLost(int phone) {
    if (PhoneLink* link = Links.value(phone)) {
        link->Send({{"t", "freed"}});
    }
}

// Only for the phone's own seat; the session judges whether the seat may act now.
void PhoneInput::Press(PhoneLink* link, const QJsonObject& message, qint64 arrivedUs) {
    const int seat = Seats.SeatOf(link->Id());
    const bool buzz = message.value(QLatin1String("t")).toString() == QLatin1String("buzz");
    const int choice = message.value(QLatin1String("n")).toInt();
    if (seat == 0 || (!buzz && (choice < 1 || choice > 4))) {
        return;
    }
    const std::int64_t phoneUs = PhoneLink::PhoneUs(message, "at");
    SeatCommand command;
    command.Source = CommandSource::Phone;
    command.Seat = seat;
    command.Action = buzz ? SeatAction::Buzz : SeatAction::Choose;
    command.Choice = buzz ? 0 : choice;
    command.PressedAtUs = phoneUs < 0 ? 0 : link->Clock().PressedAtUs(phoneUs, arrivedUs);
    emit CommandGiven(command);
}

void PhoneInput::ShowSeats() {
    StatesDue.start();
    emit SeatsChanged();
}

void PhoneInput::SendStates() {
    for (PhoneLink* link : std::as_const(Links)) {
        link->Send(StateFor(Seats.SeatOf(link->Id())));
    }
}

void PhoneInput::SendTexts(PhoneLink* link) const {
    QJsonObject texts{{"t", "texts"}};
    for (const PageText& text : PhonePageTexts) {
        texts.insert(QLatin1String(text.Key), Game.Config().Text(text.Text));
    }
    link->Send(texts);
}

QJsonObject PhoneInput::StateFor(int seat) const {
    QJsonArray seats;
    for (int which = 1; which <= 4; ++which) {
        if (Game.TakesPart(which)) {
            seats.append(QJsonObject{{"n", which},
                                     {"name", Game.SeatAt(which).Name},
                                     {"colour", HtmlColour(SeatColours[which])},
                                     {"free", !Seats.Reserved(which) && !Seats.JoiningLocked()}});
        }
    }
    QJsonObject state{{"t", "state"}, {"seat", seat}, {"seats", seats}};
    if (seat != 0) {
        state.insert("name", Game.SeatAt(seat).Name);
        state.insert("colour", HtmlColour(SeatColours[seat]));
        state.insert("score", Game.Score(seat));
        state.insert("state", SeatState(seat));
        if (Game.Phase() == RoundPhase::Answering && Game.AnsweringSeat() == seat) {
            state.insert("answers", AnswerColours());
        }
    }
    return state;
}

QString PhoneInput::SeatState(int seat) const {
    switch (Game.Phase()) {
    case RoundPhase::Open:
        return Game.IsLockedOut(seat) ? QStringLiteral("locked") : QStringLiteral("open");
    case RoundPhase::Answering:
        return Game.AnsweringSeat() == seat ? QStringLiteral("you") : QStringLiteral("other");
    case RoundPhase::Closed:
        break;
    }
    return QStringLiteral("over");
}

} // namespace harvoline
