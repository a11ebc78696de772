// harvoline-check PLAYLIST.m3u [--json]: tells before the party what the game will make of a
// playlist (see README). Exit status: 0 when the game has songs enough, 1 when not, 2 when
// the arguments are wrong or the playlist cannot be read.
#include "model/config/game_config.h"
#include "model/errors.h"
#include "model/media/tag_library.h"
#include "platform/real_platform.h"
#include "platform/vlc_player.h"
#include "tools/check/check_report.h"
#include "tools/check/playlist_check.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTextStream>

using namespace harvoline;

namespace {

enum ExitStatus { SongsEnough = 0, TooFewSongs = 1, CannotCheck = 2 };

// The game's own platform, but what it would show in a message box goes to the error
// stream.
class ConsolePlatform : public RealPlatform {
  public:
    explicit ConsolePlatform(QTextStream& err) : Err(err) {}
    void ShowInformation(const QString& text) override { Err << text << '\n'; }
    void ShowMessage(const QString& text) override { Err << text << '\n'; }
    void ShowError(const QString& text) override { Err << text << '\n'; }

  private:
    QTextStream& Err;
};

ExitStatus Check(const QString& playlist, bool json, QTextStream& out, QTextStream& err) {
    // The songs are started to see that they play, so nothing may sound.
    VlcEngine& engine = VlcEngine::Shared({QStringLiteral("--aout=adummy")});
    if (engine.Instance() == nullptr) {
        err << "libvlc could not be started, so no song can be tried.\n";
        return CannotCheck;
    }
    VlcAudioPlayer player(engine);
    TagLibrary tags;
    // The game's settings beside the program, read as the game reads them: the songs start
    // where the game starts them, and the reasons are in the game's language.
    ConsolePlatform platform(err);
    GameConfig config(platform);
    config.ReadSettings();
    const QStringList& language = config.Language();
    try {
        const PlaylistCheck check = CheckPlaylist(playlist, config.SkipMs(), tags, player);
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
    // A message box the settings might ask for needs no screen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
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
    const bool parsed = parser.parse(QApplication::arguments());
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
