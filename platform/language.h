#pragma once

#include <QString>

namespace Platform {

// Loads Qt's own Polish texts, so the file, folder, colour and font dialogs
// and the standard buttons speak the programs' language whatever the
// desktop's is. False when the translations are not installed.
bool loadPolishTranslations();

// The Polish form of a noun for a count: one for 1 ("plik"), few for
// 2-4, 22-24, ... but not 12-14 ("pliki"), many for the rest ("plików").
QString pluralForm(qint64 count, const QString &one, const QString &few, const QString &many);

// The count and its noun: "1 plik", "2 pliki", "5 plików".
QString countOf(qint64 count, const QString &one, const QString &few, const QString &many);

} // namespace Platform
