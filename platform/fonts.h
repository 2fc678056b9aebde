#pragma once

#include <QString>
#include <QStringList>

class QFont;

namespace Platform {

// Projects name Windows fonts. Each of them stands for the face of this
// system with the same metrics (Liberation) or, where there is none, the
// nearest DejaVu face, so texts keep their widths; a name that is neither
// in the table nor installed gets the default face instead of whatever the
// font configuration would guess.

// The face used here for a stored font name.
QString installedFamily(const QString &storedName);

// The face that names outside the table and not installed get.
QString defaultFamily();

// The Windows names of the table, for font lists that offer them.
QStringList windowsFamilies();

// Gives font the stored name (which saving writes back unchanged) and the
// face that draws it.
void setStoredFamily(QFont &font, const QString &storedName);

// Makes every font of the program that names a Windows face draw with its
// face here; called once at start.
void installFontSubstitutes();

} // namespace Platform
