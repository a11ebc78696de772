// harvoline-check PLAYLIST.m3u [--json]: tells before the party what the game will make of a
// playlist (see README). Exit status: 0 when the game has songs enough, 1 when not, 2 when
// the arguments are wrong or the playlist cannot be read.
#include "app/file_places.h"
#include "app/language.h"
#include "media/tag_library.h"
#include "platform/errors.h"
#include "platform/vlc_player.h"
#include "tools/check/check_report.h"
#include "tools/check/playlist_check.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

using namespace harvoline;

namespace {

enum ExitStatus { SongsEnough = 0, TooFewSongs = 1, CannotCheck = 2 };

// Where the game beside this checker keeps its settings.
QString OwnFolder() {
    return ProgramFilePlaces(QCoreApplication::applicationDirPath() + u'/').OwnFolder();
}

ExitStatus Check(const QString& playlist, bool json, QTextStream& out, QTextStream& err) {
    // The songs are started to see that they play, so nothing may sound.
    VlcEngine& engine = VlcEngine::Shared({QStringLiteral("--aout=adummy")});
    if (engine.Instance() == nullptr) {
        err << "libvlc could not be started, so no song can be tried.\n";
        return CannotCheck;
    }
    VlcAudioPlayer player(engine);
    TagLibrary tags;
    const QStringList language = DefaultLanguageTable();
    try {
        const PlaylistCheck check =
            CheckPlaylist(playlist, SkipMsOfSettingsIn(OwnFolder()), tags, player);
        if (json) {
            out << ReportJson(check, language);
        } else {
            out << ReportText(check, language);
        }
        return check.UsableSongs() >= MinimumPlaylistSongs ? SongsEnough : TooFewSongs;
    } catch (const HarvolineError& error) {
        err << error.what() << '\n';
        return CannotCheck;
    }
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Tells which songs of a playlist the game can use."));
    parser.addPositionalArgument(QStringLiteral("playlist"),
                                 QStringLiteral("The M3U playlist to check."));
    const QCommandLineOption json(QStringLiteral("json"),
                                  QStringLiteral("Print the facts as one JSON document."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help."));
    parser.addOptions({json, help});
    const bool parsed = parser.parse(QCoreApplication::arguments());
    if (parsed && parser.isSet(help)) {
        out << parser.helpText();
        return SongsEnough;
    }
    if (!parsed || parser.positionalArguments().size() != 1) {
        if (!parsed) {
            err << parser.errorText() << '\n';
        }
        err << parser.helpText();
        return CannotCheck;
    }
    return Check(parser.positionalArguments().constFirst(), parser.isSet(json), out, err);
}
