#pragma once

#include <QByteArray>
#include <QHash>

namespace harvoline {

// The head of an HTTP request as a phone's browser sends it: request line and headers, at
// most MaxBytes in all.
struct RequestHead {
    static constexpr qsizetype MaxBytes = 8 * 1024;

    enum class State { Incomplete, Complete, TooLarge, Malformed };

    State Read = State::Incomplete;
    QByteArray Method;
    QByteArray Path;
    QByteArray Query;
    // By lower-case name; a repeated header keeps its last value.
    QHash<QByteArray, QByteArray> Headers;

    QByteArray Header(const QByteArray& lowerName) const { return Headers.value(lowerName); }
    bool WantsWebSocket() const;
    // The value of one name=value pair of the query.
    QByteArray QueryValue(const QByteArray& name) const;
    // A body follows the head.
    bool HasBody() const;

    // What the bytes received so far hold.
    static RequestHead Parse(const QByteArray& received);
};

} // namespace harvoline
