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
           + QStringLiteral(" nie istnieje. Należy skopiować plik do katalogu głównego dysku"
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

} // namespace DesignerMessages
