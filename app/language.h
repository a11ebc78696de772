#pragma once

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

} // namespace harvoline
