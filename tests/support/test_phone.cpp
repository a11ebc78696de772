#include "tests/support/test_phone.h"

#include <QJsonDocument>
#include <QTcpSocket>
#include <QTest>

namespace harvoline::testing {

TestPhone::TestPhone(const QString& origin) : Socket(origin) {
    Clock.start();
    connect(&Socket, &QWebSocket::textMessageReceived, this, &TestPhone::Take);
}

bool TestPhone::Open(const QUrl& url) {
    Socket.open(url);
    return QTest::qWaitFor(
               [this] {
                   return Connected() || Socket.state() == QAbstractSocket::UnconnectedState;
               },
               WaitMs) &&
           Connected();
}

void TestPhone::Send(const QJsonObject& message) {
    Socket.sendTextMessage(QString::fromUtf8(QJsonDocument(message).toJson()));
}

void TestPhone::Take(const QString& text) {
    const QJsonObject message = QJsonDocument::fromJson(text.toUtf8()).object();
    if (message.value("t") == QLatin1String("ping")) {
        Send({{"t", "pong"}, {"s", message.value("s")}, {"c", PhoneMs()}});
        return;
    }
    if (KeepReceived || message.value("t") == QLatin1String("seated")) {
        Received.append(message);
    }
}

QJsonObject TestPhone::WaitFor(const QString& type,
                               const std::function<bool(const QJsonObject&)>& holds) {
    QJsonObject found;
    // Nothing found in time leaves the message empty, which the test checks.
    (void)QTest::qWaitFor(
        [&] {
            for (; Seen < Received.size(); ++Seen) {
                const QJsonObject& message = Received[Seen];
                if (message.value("t") == type && (!holds || holds(message))) {
                    found = message;
                    ++Seen;
                    return true;
                }
            }
            return false;
        },
        WaitMs);
    return found;
}

QJsonObject TestPhone::Last(const QString& type) const {
    for (qsizetype i = Received.size() - 1; i >= 0; --i) {
        if (Received[i].value("t") == type) {
            return Received[i];
        }
    }
    return {};
}

bool TestPhone::WaitClosed() {
    return QTest::qWaitFor([this] { return Socket.state() == QAbstractSocket::UnconnectedState; },
                           WaitMs);
}

QByteArray HttpExchange(quint16 port, const QByteArray& request) {
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, port);
    if (!socket.waitForConnected(TestPhone::WaitMs)) {
        return "(no connection)";
    }
    socket.write(request);
    QByteArray received;
    const bool closed = QTest::qWaitFor(
        [&] {
            received += socket.readAll();
            return socket.state() == QAbstractSocket::UnconnectedState;
        },
        TestPhone::WaitMs);
    received += socket.readAll();
    return closed ? received : received + "(open)";
}

} // namespace harvoline::testing
