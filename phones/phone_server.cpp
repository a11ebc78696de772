#include "phones/phone_server.h"

#include "phones/phone_link.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTcpSocket>
#include <QTimer>
#include <QWebSocket>
#include <array>

namespace harvoline {

namespace {

struct PageFile {
    const char* Path;
    const char* Resource;
    const char* Type;
};

constexpr std::array<PageFile, 3> PageFiles{{
    {"/", ":/phone/index.html", "text/html; charset=utf-8"},
    {"/phone.css", ":/phone/phone.css", "text/css; charset=utf-8"},
    {"/phone.js", ":/phone/phone.js", "text/javascript; charset=utf-8"},
}};

QByteArray NewToken() {
    std::array<quint32, 4> words{};
    QRandomGenerator::system()->fillRange(words.data(), words.size());
    return QByteArray(reinterpret_cast<const char*>(words.data()), sizeof(words)).toHex();
}

} // namespace

PhoneServer::PhoneServer(QObject* parent)
    : QObject(parent), Sockets(QStringLiteral("Harvoline"), QWebSocketServer::NonSecureMode) {
    Server.setMaxPendingConnections(MaxWaitingSockets);
    connect(&Server, &QTcpServer::newConnection, this, &PhoneServer::Accept);
    connect(&Sockets, &QWebSocketServer::newConnection, this, &PhoneServer::Link);
}

PhoneServer::~PhoneServer() {
    Close();
}

bool PhoneServer::Listen(const QHostAddress& address, quint16 port) {
    Close();
    if (!Server.listen(address, port) && (port == 0 || !Server.listen(address, 0))) {
        return false;
    }
    Key = NewToken();
    return true;
}

void PhoneServer::Close() {
    Server.close();
    for (QTcpSocket* socket : std::exchange(Waiting, {})) {
        socket->abort();
        socket->deleteLater();
    }
    for (PhoneLink* link : std::exchange(Links, {})) {
        link->disconnect(this);
        link->Refuse();
        emit Unlinked(link);
        link->deleteLater();
    }
    Key.clear();
}

// Browsers leave out the port 80 and put an IPv6 address in brackets.
QString PhoneServer::HostAndPort() const {
    const QHostAddress address = Server.serverAddress();
    const QString host = address.protocol() == QAbstractSocket::IPv6Protocol
                             ? QStringLiteral("[%1]").arg(address.toString())
                             : address.toString();
    return Server.serverPort() == 80 ? host
                                     : QStringLiteral("%1:%2").arg(host).arg(Server.serverPort());
}

QString PhoneServer::JoinUrl() const {
    return QStringLiteral("http://%1/?k=%2").arg(HostAndPort(), QString::fromLatin1(Key));
}

void PhoneServer::Accept() {
    while (QTcpSocket* socket = Server.nextPendingConnection()) {
        socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        if (Waiting.size() >= MaxWaitingSockets) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        Waiting.insert(socket);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { ReadHead(socket); });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
            if (Waiting.remove(socket)) {
                socket->deleteLater();
            }
        });
        QTimer::singleShot(HeadTimeoutMs, socket, [this, socket] {
            if (Waiting.contains(socket)) {
                Refuse(socket, "408 Request Timeout");
            }
        });
    }
}

// The head stays in the socket until it is whole, so the WebSocket server reads it again.
void PhoneServer::ReadHead(QTcpSocket* socket) {
    if (!Waiting.contains(socket)) {
        return;
    }
    const RequestHead head = RequestHead::Parse(socket->peek(RequestHead::MaxBytes + 1));
    switch (head.Read) {
    case RequestHead::State::Incomplete:
        return;
    case RequestHead::State::TooLarge:
        Refuse(socket, "431 Request Header Fields Too Large");
        return;
    case RequestHead::State::Malformed:
        Refuse(socket, "400 Bad Request");
        return;
    case RequestHead::State::Complete:
        Answer(socket, head);
        return;
    }
}

void PhoneServer::Answer(QTcpSocket* socket, const RequestHead& head) {
    const QByteArray origin = "http://" + HostAndPort().toLatin1();
    if (head.Method != "GET" || head.HasBody()) {
        Refuse(socket, "405 Method Not Allowed");
    } else if (head.Header("host") != HostAndPort().toLatin1()) {
        Refuse(socket, "421 Misdirected Request");
    } else if (!head.WantsWebSocket()) {
        ServeFile(socket, head.Path);
    } else if (head.Path != "/ws" || !RightToken(head) || head.Header("origin") != origin) {
        Refuse(socket, "403 Forbidden");
    } else if (Links.size() >= MaxPhones) {
        Refuse(socket, "503 Service Unavailable");
    } else {
        HandOver(socket);
    }
}

bool PhoneServer::RightToken(const RequestHead& head) const {
    return !Key.isEmpty() && head.QueryValue("k") == Key;
}

void PhoneServer::HandOver(QTcpSocket* socket) {
    Waiting.remove(socket);
    socket->disconnect(this);
    Sockets.handleConnection(socket);
}

void PhoneServer::ServeFile(QTcpSocket* socket, const QByteArray& path) {
    for (const PageFile& file : PageFiles) {
        QFile resource(QString::fromLatin1(file.Resource));
        if (path == file.Path && resource.open(QIODevice::ReadOnly)) {
            Reply(socket, "200 OK",
                  "Content-Type: " + QByteArray(file.Type) +
                      "\r\nCache-Control: no-store\r\nX-Content-Type-Options: nosniff\r\n",
                  resource.readAll());
            return;
        }
    }
    Refuse(socket, "404 Not Found");
}

void PhoneServer::Refuse(QTcpSocket* socket, const QByteArray& status) {
    Reply(socket, status, {}, {});
}

// Every answer is the last on its socket.
void PhoneServer::Reply(QTcpSocket* socket, const QByteArray& status, const QByteArray& headers,
                        const QByteArray& body) {
    Waiting.remove(socket);
    socket->disconnect(this);
    socket->write("HTTP/1.1 " + status + "\r\n" + headers + "Content-Length: " +
                  QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
    connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    socket->disconnectFromHost();
    if (socket->state() == QAbstractSocket::UnconnectedState) {
        socket->deleteLater();
    }
}

void PhoneServer::Link() {
    while (QWebSocket* socket = Sockets.nextPendingConnection()) {
        if (Links.size() >= MaxPhones || !Server.isListening()) {
            socket->close(QWebSocketProtocol::CloseCodePolicyViolated);
            socket->deleteLater();
            continue;
        }
        auto* link = new PhoneLink(NextId++, socket, this);
        Links.insert(link);
        connect(link, &PhoneLink::Closed, this, [this](PhoneLink* gone) {
            if (Links.remove(gone)) {
                emit Unlinked(gone);
                gone->deleteLater();
            }
        });
        emit Linked(link);
    }
}

} // namespace harvoline
