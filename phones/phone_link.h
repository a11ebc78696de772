#pragma once

#include "phones/phone_clock.h"

#include <QJsonObject>
#include <QObject>
#include <QTimer>
#include <cstdint>
#include <deque>

class QWebSocket;

namespace harvoline {

// One phone's WebSocket. Whatever arrives is hostile until checked: a message over
// MaxMessageBytes, one that is not a JSON object of a known type, binary data or more than
// MaxMessagesPerSecond close the socket. The link pings the phone to learn its clock and
// answers the pongs itself; the other messages go on with the moment they arrived.
class PhoneLink : public QObject {
    Q_OBJECT

  public:
    static constexpr int MaxMessageBytes = 1024;
    static constexpr int MaxMessagesPerSecond = 20;
    // Phone times are milliseconds since the page loaded; anything beyond a year is a lie.
    static constexpr double LatestPhoneMs = 365.0 * 24 * 3600 * 1000;

    PhoneLink(int id, QWebSocket* socket, QObject* parent = nullptr);
    ~PhoneLink() override;

    int Id() const { return Number; }
    const PhoneClock& Clock() const { return ClockSamples; }
    // A phone time from a message, in microseconds; -1 when it is missing or out of range.
    static std::int64_t PhoneUs(const QJsonObject& message, const char* field);

    void Send(const QJsonObject& message);
    // Closes the socket for breaking the rules.
    void Refuse();

  signals:
    void MessageReceived(PhoneLink* link, const QJsonObject& message, qint64 arrivedUs);
    void Closed(PhoneLink* link);

  private:
    void Receive(const QString& text);
    bool WithinRate(std::int64_t nowUs);
    void Ping();
    void TakePong(const QJsonObject& message, std::int64_t arrivedUs);

    int Number;
    QWebSocket* Socket;
    PhoneClock ClockSamples;
    QTimer PingTimer;
    int PingsSent = 0;
    std::deque<std::int64_t> Recent;
    std::deque<std::int64_t> Unanswered;
    bool Gone = false;
};

} // namespace harvoline
