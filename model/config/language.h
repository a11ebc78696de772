#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace harvoline {

// Entries 0 to 32 are the interface texts; a language file may add a help text from
// entry 33 on.
constexpr int LanguageEntryCount = 33;

QStringList DefaultLanguageTable();
QString DefaultHelpText();

// The help text a table carries: from its first non-empty entry at 33 or above to its
// last, each followed by LF; empty when it carries none.
QString HelpTextOf(const QStringList& table);

// The locale the system shows messages in, as the C library picks it: LC_ALL, else
// LC_MESSAGES, else LANG.
QString MessagesLocale(const QProcessEnvironment& environment);

// The name of the language file shipped for the language a locale such as "fr_FR.UTF-8"
// names; empty for German, whose texts are built in, and for languages without a file.
QString ShippedLanguageFileName(const QString& locale);

} // namespace harvoline
