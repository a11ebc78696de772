#pragma once

#include <QHostAddress>
#include <QList>
#include <QString>

namespace harvoline {

// The interface of the default route in a routing table as /proc/net/route shows it, the one
// with the lowest metric; loopback, container and virtual bridges never count. Empty when
// there is none.
QString DefaultRouteInterface(const QString& routeTable);
bool IsBridgeOrLoopback(const QString& interfaceName);

// The computer's address on the local network: the first IPv4 address of the default
// route's interface, else of any other interface that is up and no bridge. Null when there
// is none.
QHostAddress LanAddress();
// Every address phones might reach the computer at: the local network's first, then the
// IPv4 addresses of the other interfaces that are up and no bridge.
QList<QHostAddress> CandidateAddresses();

} // namespace harvoline
