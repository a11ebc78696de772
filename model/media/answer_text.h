#pragma once

#include <QString>
#include <QStringList>

namespace harvoline {

// The answer text, two parts joined by " - ", for a cover's or video's file name whose
// extension has already been removed. A name without " - " is split by a guess and
// reported in the error log.
QString AnswerFromFileName(const QString& name, QStringList& errorLog);

// Videos are named artist first; answers name the title first: "Artist - Title" gives
// "Title - Artist". A text without " - " stays as it is.
QString TitleFirst(const QString& answer);

} // namespace harvoline
