#include "phones/request_head.h"

#include <QList>

namespace harvoline {

namespace {

bool ParseRequestLine(const QByteArray& line, RequestHead& head) {
    const QList<QByteArray> parts = line.split(' ');
    if (parts.size() != 3 || !parts[2].startsWith("HTTP/1.") || !parts[1].startsWith('/')) {
        return false;
    }
    head.Method = parts[0];
    const qsizetype question = parts[1].indexOf('?');
    head.Path = question < 0 ? parts[1] : parts[1].left(question);
    head.Query = question < 0 ? QByteArray() : parts[1].mid(question + 1);
    return true;
}

} // namespace

bool RequestHead::WantsWebSocket() const {
    return Header("upgrade").trimmed().toLower() == "websocket";
}

QByteArray RequestHead::QueryValue(const QByteArray& name) const {
    for (const QByteArray& pair : Query.split('&')) {
        const qsizetype equals = pair.indexOf('=');
        if (equals > 0 && pair.left(equals) == name) {
            return pair.mid(equals + 1);
        }
    }
    return {};
}

bool RequestHead::HasBody() const {
    const QByteArray length = Header("content-length").trimmed();
    return Headers.contains("transfer-encoding") || (!length.isEmpty() && length != "0");
}

RequestHead RequestHead::Parse(const QByteArray& received) {
    RequestHead head;
    const qsizetype end = received.indexOf("\r\n\r\n");
    if (end < 0 || end + 4 > MaxBytes) {
        head.Read = end < 0 && received.size() <= MaxBytes ? State::Incomplete : State::TooLarge;
        return head;
    }
    const QList<QByteArray> lines = received.left(end).split('\n');
    head.Read = State::Malformed;
    if (!ParseRequestLine(lines.front().trimmed(), head)) {
        return head;
    }
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const qsizetype colon = lines[i].indexOf(':');
        if (colon <= 0) {
            return head;
        }
        head.Headers.insert(lines[i].left(colon).trimmed().toLower(),
                            lines[i].mid(colon + 1).trimmed());
    }
    head.Read = State::Complete;
    return head;
}

} // namespace harvoline
