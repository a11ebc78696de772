// The code names things for what they are: no identifier and no comment carries a name of
// the design the game was first built in. Texts in quotes are left alone: players read
// them in their language, and tests compare them.
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

const char* const SourceFolders[] = {"app",   "bench",    "demo",  "fuzz",  "hid",
                                     "model", "platform", "tests", "tools", "ui"};

// An old name counts where a word of an identifier ends with it, so that a longer English
// word that merely begins with the same letters, as libvlc's MediaPlayerPlaying does, is no
// match.
const char* const OldNames[] = {
    "Rahmen",         "Titel",     "Anzahl",       "Zeit",     "Punkte",   "Schatten",
    "Hilfe",          "Spieler",   "Gitter",       "PlayerP",  "MiniDeck", "Beenden1",
    "Einzelspieler1", "Sprachen1", "Timer[1-6]",   "TfrmMain", "TJv[A-Z]", "TPanel",
    "TLabel",         "TImage",    "FormActivate", "BuzzIn",
};

// The text with every string and character literal emptied, raw strings included.
QString WithoutLiterals(const QString& text) {
    const auto endOf = [&text](qsizetype at) { return at < 0 ? text.size() : at; };
    QString kept;
    kept.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        const bool wordBefore = i > 0 && (text[i - 1].isLetterOrNumber() || text[i - 1] == u'_');
        if (c == u'R' && !wordBefore && text.mid(i + 1, 1) == u"\"") {
            const qsizetype open = endOf(text.indexOf(u'(', i + 2));
            const QString close = u')' + text.mid(i + 2, open - i - 2) + u'"';
            i = endOf(text.indexOf(close, open)) + close.size() - 1;
            kept += QStringLiteral("\"\"");
        } else if (c == u'/' && text.mid(i + 1, 1) == u"/") {
            const qsizetype lineEnd = endOf(text.indexOf(u'\n', i));
            kept += text.mid(i, lineEnd - i);
            i = lineEnd - 1;
        } else if (c == u'"' || (c == u'\'' && !(i > 0 && text[i - 1].isDigit()))) {
            // A digit separator such as 100'000 opens no character literal.
            qsizetype at = i + 1;
            while (at < text.size() && text[at] != c) {
                at += text[at] == u'\\' ? 2 : 1;
            }
            i = at;
            kept += c;
            kept += c;
        } else {
            kept += c;
        }
    }
    return kept;
}

} // namespace

TEST(SourceNames, TheLiteralScannerKeepsCodeAndCommentsOnly) {
    EXPECT_EQ(WithoutLiterals(R"(a("Punkte: 3") + 'x' + b // Zeit "q")"),
              R"(a("") + '' + b // Zeit "q")");
    EXPECT_EQ(WithoutLiterals("f(R\"(Titel \" )\", Gitter)"), "f(\"\", Gitter)");
    EXPECT_EQ(WithoutLiterals("\"a\\\"Hilfe\" c"), "\"\" c");
}

TEST(SourceNames, NoIdentifierOrCommentCarriesAnOldDesignName) {
    QStringList patterns;
    for (const char* name : OldNames) {
        patterns << QString::fromLatin1(name);
    }
    const QRegularExpression oldName(
        QStringLiteral("[A-Za-z0-9_]*(%1)(?![a-z])[A-Za-z0-9_]*").arg(patterns.join(u'|')));
    int files = 0;
    for (const char* folder : SourceFolders) {
        QDirIterator it(QStringLiteral(HARVOLINE_SOURCE_DIR "/") + folder, {"*.h", "*.cpp"},
                        QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
            ++files;
            const QString code = WithoutLiterals(QString::fromUtf8(file.readAll()));
            for (const QRegularExpressionMatch& match : oldName.globalMatch(code)) {
                ADD_FAILURE() << path.toStdString() << ": " << match.captured(0).toStdString();
            }
        }
    }
    EXPECT_GT(files, 100);
}
