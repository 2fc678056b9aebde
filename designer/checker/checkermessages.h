#pragma once

#include <QString>

// Every text of the data-file checker that the user may see.
namespace CheckerMessages {

inline QString caption()
{
    return QStringLiteral("Testowanie plików danych");
}

inline QString note()
{
    return QStringLiteral("Uwaga!! Program sprawdza tylko i wyłącznie czy pliki do których odwołują się wpisy w "
                          "pliku danych rzeczywiście istnieją");
}

inline QString filesHint()
{
    return QStringLiteral("Lista programów do testu\nKlawisz testuj, testuje aktualnie wybrany!");
}

inline QString errorsLabel()
{
    return QStringLiteral("Błędy zawarte są w następujących pozycjach:");
}

inline QString errorsHint()
{
    return QStringLiteral("Lista programów z błędnymi danymi");
}

inline QString fieldHint()
{
    return QStringLiteral("jeśli pole nie jest puste to zawiera błędny wpis");
}

inline QString descriptionFieldHint()
{
    return QStringLiteral("jeśli pole nie jest puste to zawiera błędny wpis\njednak równie dobrze może zawierać po "
                          "prostu \nopis programu");
}

inline QString soundFile()
{
    return QStringLiteral("PLIK CAŁKOWICIE POPRAWNY");
}

inline QString cannotRead(const QString &fileName)
{
    return QStringLiteral("Brak dostępu do wybranego pliku: \"%1\"!").arg(fileName);
}

// What the checker does not do to a data file that a link leads out of
// the CD folder: such a file is one the CD would not hold.
enum class OffTheDriveAction { Check, Edit };

inline QString offTheDrive(const QString &stored, const QString &root, OffTheDriveAction action)
{
    const QString verb = action == OffTheDriveAction::Check ? QStringLiteral("sprawdzić") : QStringLiteral("edytować");
    return QStringLiteral("Plik danych \"%1\" prowadzi przez dowiązanie poza katalog płyty (\"%2\") - nie można "
                          "go %3!")
        .arg(stored, root, verb);
}

inline QString cannotEdit()
{
    return QStringLiteral("Brak możliwości edycji wybranego pliku");
}

inline QString browseCaption()
{
    return QStringLiteral("Wybierz plik(i) dodatkowe do testu");
}

inline QString browseFilter()
{
    return QStringLiteral("Pliki danych (*.RV3 *.rv3);;Wszystkie pliki (*)");
}

} // namespace CheckerMessages
