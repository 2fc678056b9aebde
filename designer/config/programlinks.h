#pragma once

// The designer's own links: one on the desktop, and a folder "Dodorurav 2.1"
// in the desktop's application menu with the designer alone or with all
// five programs.

#include "generatorconfig.h"

#include <shelllinks/shelllinks.h>

#include <QString>

struct ProgramLinkChoice {
    bool onDesktop = false;     // "skrót na pulpicie"
    bool inStartMenu = false;   // "skrót w menu start"
    bool allInStartMenu = false; // "do wszystkich elementów w menu start"
};

namespace ProgramLinkNames {
inline const QString Folder = QStringLiteral("Dodorurav 2.1");
inline const QString Designer = QStringLiteral("Dodorurav 2.1");
inline const QString Runtime = QStringLiteral("KALVORA 4.0");
inline const QString DataEditor = QStringLiteral("Zazava danych");
inline const QString BitmapEditor = QStringLiteral("Zazava bitmap");
inline const QString Autostart = QStringLiteral("AutoStart");
} // namespace ProgramLinkNames

// Which links exist now.
ProgramLinkChoice existingProgramLinks();

// Makes the links match choice: the five menu links (targets from config's
// [PLIKI] paths) or none, then the desktop link, then the designer's menu
// link alone. Stops at the first link that cannot be made and returns its
// reason; removing a missing link or a folder that is not empty is no error.
ShellLinkResult applyProgramLinks(const ProgramLinkChoice &choice, const QString &designerProgram,
                                  const GeneratorConfig &config);
