#pragma once

#include <QElapsedTimer>
#include <QJsonObject>
#include <QList>
#include <QObject>
#include <QWebSocket>
#include <functional>

namespace harvoline::testing {

// A phone as the game sees one: a WebSocket client that keeps what it receives and answers
// the game's pings with its own clock. Every wait is bounded.
class TestPhone : public QObject {
  public:
    static constexpr int WaitMs = 5000;

    explicit TestPhone(const QString& origin);

    bool Open(const QUrl& url);
    void Send(const QJsonObject& message);
    void SendText(const QString& text) { Socket.sendTextMessage(text); }
    // The next message of the type received since the last one found, which the condition
    // holds for; empty when none comes in time.
    QJsonObject WaitFor(const QString& type,
                        const std::function<bool(const QJsonObject&)>& holds = {});
    // The last message of the type received so far.
    QJsonObject Last(const QString& type) const;
    bool WaitClosed();
    bool Connected() const { return Socket.state() == QAbstractSocket::ConnectedState; }
    void Close() { Socket.abort(); }
    // The phone's own clock: milliseconds since it was made, shifted.
    double PhoneMs() const { return Clock.nsecsElapsed() / 1e6 + ClockShiftMs; }

    double ClockShiftMs = 0;
    // Off for a long run: nothing received is kept.
    bool KeepReceived = true;
    QList<QJsonObject> Received;

  private:
    void Take(const QString& text);

    QWebSocket Socket;
    QElapsedTimer Clock;
    qsizetype Seen = 0;
};

// Sends the bytes to the port on 127.0.0.1 and gives what came back before the server closed
// the socket; "(open)" is appended when it did not close it in time.
QByteArray HttpExchange(quint16 port, const QByteArray& request);

} // namespace harvoline::testing
