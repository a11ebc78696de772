#pragma once

#include "phones/request_head.h"

#include <QHostAddress>
#include <QObject>
#include <QSet>
#include <QTcpServer>
#include <QWebSocketServer>

class QTcpSocket;

namespace harvoline {

class PhoneLink;

// One port for the phone page and its WebSocket, at one address. A GET for one of the
// page's files is answered and the socket closed; a WebSocket upgrade with the token of this
// switch-on, from the page's own origin, becomes a phone's link. Everything else is refused
// and the socket closed: a foreign Host or Origin, a wrong or missing token, other methods
// and files, a body, a head over RequestHead::MaxBytes, a seventeenth phone.
class PhoneServer : public QObject {
    Q_OBJECT

  public:
    static constexpr int MaxPhones = 16;
    // Sockets still sending their request head; more are closed at once.
    static constexpr int MaxWaitingSockets = 32;
    static constexpr int HeadTimeoutMs = 5000;

    explicit PhoneServer(QObject* parent = nullptr);
    ~PhoneServer() override;

    // Listens at the address, on the port or any free one when it is 0 or taken, with a new
    // token. False when nothing can listen there.
    bool Listen(const QHostAddress& address, quint16 port);
    // Stops listening and closes every socket.
    void Close();
    bool Listening() const { return Server.isListening(); }
    QString HostAndPort() const;
    QHostAddress Address() const { return Server.serverAddress(); }
    QString JoinUrl() const;
    const QByteArray& Token() const { return Key; }
    int PhoneCount() const { return static_cast<int>(Links.size()); }

  signals:
    void Linked(PhoneLink* link);
    void Unlinked(PhoneLink* link);

  private:
    void Accept();
    void ReadHead(QTcpSocket* socket);
    void Answer(QTcpSocket* socket, const RequestHead& head);
    void HandOver(QTcpSocket* socket);
    void ServeFile(QTcpSocket* socket, const QByteArray& path);
    void Refuse(QTcpSocket* socket, const QByteArray& status);
    void Reply(QTcpSocket* socket, const QByteArray& status, const QByteArray& headers,
               const QByteArray& body);
    void Link();
    bool RightToken(const RequestHead& head) const;

    QTcpServer Server;
    QWebSocketServer Sockets;
    QByteArray Key;
    QSet<QTcpSocket*> Waiting;
    QSet<PhoneLink*> Links;
    int NextId = 1;
};

} // namespace harvoline
