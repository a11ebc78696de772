#include "phones/lan_address.h"

#include <QFile>
#include <QNetworkInterface>
#include <QStringList>
#include <limits>

namespace harvoline {

namespace {

QHostAddress FirstIpv4(const QNetworkInterface& interface) {
    for (const QNetworkAddressEntry& entry : interface.addressEntries()) {
        const QHostAddress address = entry.ip();
        if (address.protocol() == QAbstractSocket::IPv4Protocol && !address.isLoopback()) {
            return address;
        }
    }
    return {};
}

bool Usable(const QNetworkInterface& interface) {
    return interface.flags().testFlag(QNetworkInterface::IsUp) &&
           interface.flags().testFlag(QNetworkInterface::IsRunning) &&
           !IsBridgeOrLoopback(interface.name());
}

} // namespace

bool IsBridgeOrLoopback(const QString& interfaceName) {
    static const QStringList Prefixes = {"lo",     "docker", "br-",     "veth",  "virbr",  "cni",
                                         "podman", "lxc",    "flannel", "vmnet", "vboxnet"};
    for (const QString& prefix : Prefixes) {
        if (interfaceName.startsWith(prefix)) {
            return true;
        }
    }
    return false;
}

QString DefaultRouteInterface(const QString& routeTable) {
    QString best;
    int bestMetric = std::numeric_limits<int>::max();
    for (const QString& line : routeTable.split(u'\n')) {
        // Iface Destination Gateway Flags RefCnt Use Metric Mask ...
        const QStringList fields = line.split(u'\t', Qt::SkipEmptyParts);
        if (fields.size() < 8 || fields[1] != QLatin1String("00000000") ||
            fields[7].trimmed() != QLatin1String("00000000") || IsBridgeOrLoopback(fields[0])) {
            continue;
        }
        bool number = false;
        const int metric = fields[6].toInt(&number);
        if (number && metric < bestMetric) {
            best = fields[0].trimmed();
            bestMetric = metric;
        }
    }
    return best;
}

QHostAddress LanAddress() {
    QFile routes(QStringLiteral("/proc/net/route"));
    if (routes.open(QIODevice::ReadOnly)) {
        const QString name = DefaultRouteInterface(QString::fromLatin1(routes.read(64 * 1024)));
        const QNetworkInterface interface = QNetworkInterface::interfaceFromName(name);
        if (!name.isEmpty() && Usable(interface) && !FirstIpv4(interface).isNull()) {
            return FirstIpv4(interface);
        }
    }
    for (const QNetworkInterface& interface : QNetworkInterface::allInterfaces()) {
        if (Usable(interface) && !FirstIpv4(interface).isNull()) {
            return FirstIpv4(interface);
        }
    }
    return {};
}

QList<QHostAddress> CandidateAddresses() {
    QList<QHostAddress> found;
    if (const QHostAddress lan = LanAddress(); !lan.isNull()) {
        found << lan;
    }
    for (const QNetworkInterface& interface : QNetworkInterface::allInterfaces()) {
        const QHostAddress address = FirstIpv4(interface);
        if (Usable(interface) && !address.isNull() && !found.contains(address)) {
            found << address;
        }
    }
    return found;
}

} // namespace harvoline
