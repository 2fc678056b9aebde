#pragma once

// Every text of the data file reader and writer that the user may see, in
// one place. Forms show them as they stand.

#include <QString>

namespace DataFile::Messages {

inline QString readError()
{
    return QStringLiteral("Wystąpił błąd odczytu!");
}

inline QString writeError(const QString &fileName)
{
    return QStringLiteral("Wystąpił błąd zapisu pliku:\n\"%1\"").arg(fileName);
}

// The same with the system's reason, on a line of its own.
inline QString writeError(const QString &fileName, const QString &reason)
{
    return writeError(fileName) + u'\n' + reason;
}

// OPIS of a program whose folder has no File_ID.DIZ, as the data editor
// writes it; the designer's checker takes it, in any letter case, for a
// sound value.
inline QString noDizInformation()
{
    return QStringLiteral("Informacje z pliku File_ID.DIZ nie są dostępne");
}

inline QString emptyProgramName()
{
    return QStringLiteral("Program bez nazwy nie może zostać zapisany - wpisz nazwę i spróbuj ponownie!");
}

inline QString programNameWithBracket(const QString &name)
{
    return QStringLiteral("Nazwa programu \"%1\" nie może zawierać znaku \"]\" - zmień nazwę i spróbuj ponownie!")
        .arg(name);
}

inline QString programNameWithEdgeBlanks(const QString &name)
{
    return QStringLiteral("Nazwa programu \"%1\" nie może zaczynać się ani kończyć spacją - zmień nazwę i "
                          "spróbuj ponownie!")
        .arg(name);
}

inline QString programNameWithBadCharacters(const QString &name)
{
    return QStringLiteral("Nazwa programu \"%1\" zawiera znaki, których nie można zapisać w pliku danych - "
                          "zmień nazwę i spróbuj ponownie!")
        .arg(name);
}

inline QString duplicateProgramNames(const QString &first, const QString &second)
{
    if (first == second) {
        return QStringLiteral("Nie można zapisać dwóch programów o identycznych nazwach (\"%1\") - zmień jedną "
                              "z nazw i spróbuj ponownie!")
            .arg(first);
    }
    return QStringLiteral("Nie można zapisać dwóch programów o nazwach różniących się tylko wielkością liter "
                          "(\"%1\" i \"%2\") - zmień jedną z nazw i spróbuj ponownie!")
        .arg(first, second);
}

} // namespace DataFile::Messages
