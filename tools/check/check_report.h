#pragma once

#include <QByteArray>
#include <QString>

namespace harvoline {

struct PlaylistCheck;

// One line per entry, then the collisions, the songs without a cover and the rounds.
QString ReportText(const PlaylistCheck& check, const QStringList& language);

// The same facts as one JSON document.
QByteArray ReportJson(const PlaylistCheck& check, const QStringList& language);

} // namespace harvoline
