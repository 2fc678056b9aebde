#pragma once

// Every text of the data editor's main window that the user may see, in
// one place.

#include <datafile/datafilemessages.h>

#include <QString>

namespace EditorMessages {

inline QString formCaption()
{
    return QStringLiteral("Zazava RV3 1.1");
}

inline QString applicationTitle()
{
    return QStringLiteral("Zazava RV3 1.1 - Dodorurav 2.0");
}

inline QString noDataFile()
{
    return QStringLiteral("Plik danych nie istnieje! Musisz zachować lub otwórzyć plik danych!");
}

inline QString duplicateName()
{
    return QStringLiteral("Nie można umieścić dwóch programów o identycznych nazwach - zmień istniejącą nazwę i "
                          "spróbuj ponownie!");
}

inline QString saveChanges()
{
    return QStringLiteral("Czy chcesz zachować zmiany?");
}

inline QString saveChangesInFile(const QString &fileName)
{
    return QStringLiteral("Czy chcesz zachować zmiany w pliku: \r\"%1\"").arg(fileName);
}

inline QString selectFolderFirst()
{
    return QStringLiteral("Musisz najpierw zaznaczyć katalog w drzewie");
}

inline QString dizExists()
{
    return QStringLiteral("Plik File_ID.DIZ już istnieje i zostanie otworzony w Notatniku.");
}

inline QString noDizInformation()
{
    return DataFile::Messages::noDizInformation();
}

// A file outside the data file's drive root has no stored path that a
// reader on the CD could rebuild.
inline QString outsideDriveRoot(const QString &path, const QString &root)
{
    return QStringLiteral("Plik \"%1\" leży poza katalogiem głównym płyty (\"%2\") - nie można zapisać do niego "
                          "ścieżki w pliku danych!")
        .arg(path, root);
}

inline QString createError(const QString &fileName)
{
    return QStringLiteral("Nie można utworzyć pliku:\n\"%1\"").arg(fileName);
}

inline QString startError(const QString &what)
{
    return QStringLiteral("Nie można uruchomić:\n\"%1\"").arg(what);
}

inline QString categoryNameCaption() { return QStringLiteral("Nazwa kategorii"); }
inline QString categoryNamePrompt() { return QStringLiteral("Wpisz nazwę kategorii:"); }
inline QString categoryDescCaption() { return QStringLiteral("Opis kategorii"); }
inline QString categoryDescPrompt()
{
    return QStringLiteral("Wpisz opis lub ścieżkę dostępu do pliku z opisem kategorii:");
}
inline QString indexDialogCaption() { return QStringLiteral("Spis programów zapisz w pliku"); }

} // namespace EditorMessages
