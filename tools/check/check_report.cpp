#include "tools/check/check_report.h"

#include "tools/check/playlist_check.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>

namespace harvoline {

namespace {

// Longer entries push their answer further right rather than widening every line.
constexpr qsizetype WidestEntryColumn = 40;

qsizetype EntryColumnWidth(const PlaylistCheck& check) {
    qsizetype width = 0;
    for (const EntryCheck& entry : check.Entries) {
        width = std::max(width, entry.Entry.size());
    }
    return std::min(width, WidestEntryColumn);
}

QString EntryLine(const EntryCheck& entry, qsizetype width, const QStringList& language) {
    return QStringLiteral("%1  %2  %3\n")
        .arg(entry.Usable() ? QStringLiteral("ok") : QStringLiteral("--"),
             entry.Entry.leftJustified(width),
             entry.Usable() ? entry.Answer : SongProblemReason(entry.Problem, language));
}

} // namespace

QString ReportText(const PlaylistCheck& check, const QStringList& language) {
    // One arg() call for all: a second one would also fill "%1" in a file's name.
    QString text = QStringLiteral("Playlist %1, songs starting at %2 ms\n\n")
                       .arg(check.Playlist, QString::number(check.SkipMs));
    const qsizetype width = EntryColumnWidth(check);
    for (const EntryCheck& entry : check.Entries) {
        text += EntryLine(entry, width, language);
    }

    const std::vector<AnswerCollision> collisions = check.Collisions();
    if (!collisions.empty()) {
        text += QStringLiteral("\nSame answer ignoring case (a round with both offers fewer "
                               "choices):\n");
        for (const AnswerCollision& collision : collisions) {
            text += QStringLiteral("  %1: %2\n")
                        .arg(collision.Answer, collision.Entries.join(QStringLiteral(", ")));
        }
    }
    const QStringList withoutCover = check.EntriesWithoutCover();
    if (!withoutCover.isEmpty()) {
        text += QStringLiteral("\nNo embedded cover:\n");
        for (const QString& entry : withoutCover) {
            text += QStringLiteral("  %1\n").arg(entry);
        }
    }
    if (!check.Entries.empty()) {
        text += QStringLiteral("\nThe game never draws the last entry, %1: it is never played,\n"
                               "but counts toward the %2 songs the game needs to go on.\n")
                    .arg(check.Entries.back().Entry, QString::number(MinimumPlaylistSongs));
    }
    const int rounds = check.Rounds();
    text += QStringLiteral("\n%1 of %2 songs usable, at least %3 %4\n")
                .arg(QString::number(check.UsableSongs()), QString::number(check.Entries.size()),
                     QString::number(rounds),
                     rounds == 1 ? QStringLiteral("round") : QStringLiteral("rounds"));
    return text;
}

QByteArray ReportJson(const PlaylistCheck& check, const QStringList& language) {
    QJsonArray entries;
    for (const EntryCheck& entry : check.Entries) {
        QJsonObject item{{"entry", entry.Entry}, {"path", entry.Path}, {"usable", entry.Usable()}};
        if (entry.Usable()) {
            item.insert("answer", entry.Answer);
            item.insert("cover", entry.HasCover);
        } else {
            item.insert("reason", SongProblemReason(entry.Problem, language));
        }
        entries.append(item);
    }
    QJsonArray collisions;
    for (const AnswerCollision& collision : check.Collisions()) {
        collisions.append(QJsonObject{{"answer", collision.Answer},
                                      {"entries", QJsonArray::fromStringList(collision.Entries)}});
    }
    QJsonObject document{
        {"playlist", check.Playlist},
        {"skipMs", static_cast<qint64>(check.SkipMs)},
        {"entries", entries},
        {"usableSongs", check.UsableSongs()},
        {"collisions", collisions},
        {"withoutCover", QJsonArray::fromStringList(check.EntriesWithoutCover())},
        {"rounds", check.Rounds()},
    };
    if (!check.Entries.empty()) {
        document.insert("neverDrawn", check.Entries.back().Entry);
    }
    return QJsonDocument(document).toJson(QJsonDocument::Indented);
}

} // namespace harvoline
