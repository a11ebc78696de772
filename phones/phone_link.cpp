#include "phones/phone_link.h"

#include "model/input/press_clock.h"

#include <QJsonDocument>
#include <QWebSocket>
#include <algorithm>
#include <cmath>

namespace harvoline {

namespace {

// The first pings come quickly, so a new phone's clock is known before its first buzz.
constexpr int QuickPings = 6;
constexpr int QuickPingMs = 150;
constexpr int PingMs = 2000;
constexpr std::size_t KeptPings = 4;

bool KnownType(const QString& type) {
    static const QStringList Types = {"join", "reclaim", "buzz", "choose", "pong"};
    return Types.contains(type);
}

} // namespace

PhoneLink::PhoneLink(int id, QWebSocket* socket, QObject* parent)
    : QObject(parent), Number(id), Socket(socket) {
    Socket->setParent(this);
    Socket->setMaxAllowedIncomingMessageSize(MaxMessageBytes);
    Socket->setMaxAllowedIncomingFrameSize(MaxMessageBytes);
    connect(Socket, &QWebSocket::textMessageReceived, this, &PhoneLink::Receive);
    connect(Socket, &QWebSocket::binaryMessageReceived, this, &PhoneLink::Refuse);
    connect(Socket, &QWebSocket::disconnected, this, [this] {
        if (!Gone) {
            Gone = true;
            PingTimer.stop();
            emit Closed(this);
        }
    });
    connect(&PingTimer, &QTimer::timeout, this, &PhoneLink::Ping);
    PingTimer.start(QuickPingMs);
    Ping();
}

PhoneLink::~PhoneLink() = default;

std::int64_t PhoneLink::PhoneUs(const QJsonObject& message, const char* field) {
    const QJsonValue value = message.value(QLatin1String(field));
    const double ms = value.toDouble(-1);
    if (!value.isDouble() || !std::isfinite(ms) || ms < 0 || ms > LatestPhoneMs) {
        return -1;
    }
    return std::llround(ms * 1000);
}

void PhoneLink::Send(const QJsonObject& message) {
    if (!Gone) {
        Socket->sendTextMessage(
            QString::fromUtf8(QJsonDocument(message).toJson(QJsonDocument::Compact)));
    }
}

void PhoneLink::Refuse() {
    PingTimer.stop();
    Socket->close(QWebSocketProtocol::CloseCodePolicyViolated);
    // A phone that never answers the close does not keep its socket.
    QTimer::singleShot(1000, Socket, &QWebSocket::abort);
}

void PhoneLink::Receive(const QString& text) {
    const std::int64_t arrived = PressClockUs();
    if (Gone) {
        return;
    }
    const QByteArray bytes = text.toUtf8();
    const QJsonObject message = QJsonDocument::fromJson(bytes).object();
    const QString type = message.value(QLatin1String("t")).toString();
    if (!WithinRate(arrived) || bytes.size() > MaxMessageBytes || !KnownType(type)) {
        Refuse();
        return;
    }
    if (type == QLatin1String("pong")) {
        TakePong(message, arrived);
    } else {
        emit MessageReceived(this, message, arrived);
    }
}

bool PhoneLink::WithinRate(std::int64_t nowUs) {
    Recent.push_back(nowUs);
    if (Recent.size() <= MaxMessagesPerSecond) {
        return true;
    }
    Recent.pop_front();
    return nowUs - Recent.front() >= 1000000;
}

void PhoneLink::Ping() {
    if (++PingsSent == QuickPings) {
        PingTimer.setInterval(PingMs);
    }
    const std::int64_t now = PressClockUs();
    Unanswered.push_back(now);
    if (Unanswered.size() > KeptPings) {
        Unanswered.pop_front();
    }
    Send({{"t", "ping"}, {"s", static_cast<double>(now)}});
}

// Only a pong to a ping still unanswered counts: a phone cannot make its link look faster
// than it is.
void PhoneLink::TakePong(const QJsonObject& message, std::int64_t arrivedUs) {
    const double sent = message.value(QLatin1String("s")).toDouble(-1);
    const std::int64_t phoneUs = PhoneUs(message, "c");
    if (!(sent >= 0 && sent < 1e17) || phoneUs < 0) {
        return;
    }
    const auto ping = std::find(Unanswered.begin(), Unanswered.end(), std::llround(sent));
    if (ping == Unanswered.end()) {
        return;
    }
    ClockSamples.AddSample(*ping, phoneUs, arrivedUs);
    Unanswered.erase(ping);
}

} // namespace harvoline
