#pragma once

#include <QString>

// The designer's messages, word for word. Line breaks are "\n", which the
// message boxes break at.
namespace DesignerMessages {

inline QString noFreeCategoryId()
{
    return QStringLiteral("Nie można dodać klawisza kategorii: wszystkie numery od 1001 do 9999 są zajęte.");
}

inline QString noKeyGlyph(const QString &file)
{
    return QStringLiteral("Brak dostępu do bitmapy klawisza!\n") + file;
}

inline QString missingGlyphFile(const QString &file)
{
    return QStringLiteral("Plik bitmapy ") + file
           + QStringLiteral(" nie istnieje. Należy skopiować plik do katalogu głównego dysku "
                            "lub do katalogu uwzględnionego w pliku ini w następujący sposób:\n"
                            "[BITMAPY]\n100x=katalog\\plik.bmp");
}

inline QString noBackground(const QString &file)
{
    return QStringLiteral("Brak bitmapy stanowiącej tło okna:\n") + file;
}

inline QString badMaskFormat(const QString &file)
{
    return QStringLiteral("Niewłaściwy format pliku BMP (maski): \n") + file
           + QStringLiteral("\n- musi dwukolorowa czarno-biała (1 BIT)");
}

inline QString missingMask(const QString &file)
{
    return QStringLiteral("Plik:\n") + file
           + QStringLiteral("\ndo którego odnosi się wpis w projekcie menu, nie istnieje!");
}

inline QString noToolsBackground(const QString &value)
{
    return QStringLiteral("Brak bitmapy stanowiącej tło paska narzędziowego:\n\"") + value + u'"';
}

inline QString exportNeedsDescription()
{
    return QStringLiteral("Eksportuj jako INFOCD działa tylko wtedy, gdy projekt posiada obiekt:\n"
                          "OPIS PROGRAMÓW !!!");
}

inline QString exportNeedsProjectFile(const QString &file)
{
    return QStringLiteral("Eksportować można tylko do pliku projektu (*.KLV, *.INI, *.SBL):\n") + file;
}

inline QString saveFailed(const QString &file, const QString &reason)
{
    return QStringLiteral("Nie można zapisać pliku:\n") + file + u'\n' + reason;
}

inline QString cannotCreate(const QString &file)
{
    return QStringLiteral("Nie można utworzyć pliku:\n") + file;
}

inline QString templatePrompt() { return QStringLiteral("Wprowadź nazwę dla nowego szablonu:"); }
inline QString templateProposal() { return QStringLiteral("Nowy Szablon"); }

inline QString badTemplateName(const QString &name)
{
    return QStringLiteral("Niewłaściwa nazwa szablonu: \"") + name
           + QStringLiteral("\"\nNazwa nie może być pusta ani zawierać \"..\", \"\\\" lub \"/\".");
}

inline QString templateExists(const QString &name)
{
    return QStringLiteral("Szablon \"") + name + QStringLiteral("\" już istnieje. Czy zastąpić go?");
}

// A link (or a file) of that name in the templates folder is not
// written through.
inline QString templateNotAFolder(const QString &name, const QString &templatesFolder)
{
    return QStringLiteral("Szablonu \"") + name + QStringLiteral("\" nie zapisano: w folderze szablonów\n")
           + templatesFolder + QStringLiteral("\npod tą nazwą jest dowiązanie lub plik, a nie folder.");
}

inline QString templateFileIsALink(const QString &file)
{
    return QStringLiteral("Szablonu nie zapisano: plik\n") + file
           + QStringLiteral("\njest dowiązaniem, a szablon zapisuje się tylko w folderze szablonów.");
}

inline QString projectFilter()
{
    return QStringLiteral("Pliki konfiguracji menu (*.KLV *.klv);;Pliki szablonu menu (*.SBL *.sbl);;"
                          "Wszystkie pliki (*)");
}

inline QString infoCdFilter()
{
    return QStringLiteral("Pliki konfiguracji menu (*.KLV, *.INI) (*.INI *.ini *.KLV *.klv);;"
                          "Pliki szablonu menu (*.SBL *.sbl);;Wszystkie pliki (*)");
}

inline QString infoCdDialogCaption() { return QStringLiteral("Wybierz istniejący(!) plik projektu..."); }

inline QString noCdFolder(const QString &project, const QString &proposal)
{
    return QStringLiteral("Projekt %1\nnie leży w katalogu płyty (folderze z plikiem AUTORUN.INF).\n"
                          "Ścieżki plików zapisuje się względem katalogu płyty, a bez niego - od \"/\", "
                          "i na płycie nie zadziałają.\n\n"
                          "Czy uczynić katalogiem płyty folder:\n%2\n\n"
                          "Tak - utwórz w nim AUTORUN.INF\nNie - wybierz inny folder\n"
                          "Anuluj - pracuj bez katalogu płyty")
        .arg(project, proposal);
}

inline QString chooseCdFolderCaption()
{
    return QStringLiteral("Katalog płyty (musi zawierać projekt):");
}

inline QString cdFolderMustHoldProject(const QString &folder, const QString &project)
{
    return QStringLiteral("Folder %1 nie zawiera projektu %2 - nie może być jego katalogiem płyty.").arg(folder, project);
}

inline QString cannotMakeCdFolder(const QString &folder, const QString &reason)
{
    return QStringLiteral("Nie można utworzyć pliku AUTORUN.INF w folderze %1:\n%2").arg(folder, reason);
}

inline QString cdFolderShown(const QString &folder)
{
    return QStringLiteral("Katalog płyty: %1").arg(folder);
}

inline QString noCdFolderShown()
{
    return QStringLiteral("Katalog płyty: brak (ścieżki od \"/\")");
}

} // namespace DesignerMessages
