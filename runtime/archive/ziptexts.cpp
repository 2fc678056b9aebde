#include "ziptexts.h"

#include <QHash>

namespace ZipTexts {

QString text(int id)
{
    static const QHash<int, QString> texts = {
        {10102, QStringLiteral("Błąd - nie wybrano pliku Zip, lub plik już nie istnieje!")},
        {10103, QStringLiteral("Wymagana pamięć nie jest dostępna")},
        {10105, QStringLiteral("Kopiowanie: ")},
        {10201, QStringLiteral("Błąd przeszukiwania archiwum Zip!")},
        {10202, QStringLiteral("Nieznany błąd w funkcji List()")},
        {10203, QStringLiteral("Ostrzeżenie - Błąd w strukturze zip!")},
        {10204, QStringLiteral("Ostrzeżenie - Błędy na końcu archiwum Zip!")},
        {10501, QStringLiteral("Błąd krytyczny w UnzDLL.DLL: wyjątek przerywający")},
        {10701, QStringLiteral("UNZDLL biblioteka załadowana!")},
        {10702, QStringLiteral("UnzDllExec brak funkcji w bibliotece UNZDLL.DLL!")},
        {10703, QStringLiteral("GetUnzDllVersion brak funkcji w bibliotece UNZDLL.DLL!")},
        {10704, QStringLiteral("Nie odnaleziono pliku UNZDLL.DLL!")},
        {10801, QStringLiteral("Błąd - Całkowity rozmiar trzech właściwości tekstowych przekracza 245!")},
        {10802, QStringLiteral("Błąd - Nie odnaleziono pliku ZIPSFX.BIN!")},
        {10803, QStringLiteral("Błąd: wyjściowy plik nie jest archiwum Zip")},
        {11001, QStringLiteral("Plik wyjściowy nie istnieje")},
        {11002, QStringLiteral("Nie udało się otworzyć archiwum Zip")},
        {11003, QStringLiteral("Niewłaściwy dysk: %s")},
        {11004, QStringLiteral("Dysk nie jest określony: %s")},
        {11007, QStringLiteral("Operacja anulowana przez użytkownika")},
        {11008, QStringLiteral("Błąd przeszukiwania w pliku wyjściowym")},
        {11009, QStringLiteral("Utworzenie pliku docelowego nie powiodło się")},
        {11011, QStringLiteral("Błąd odczytu końca katalogu podstawowego (EOC)")},
        {11012, QStringLiteral("Błąd odczytu nagłówka lokalnego")},
        {11013, QStringLiteral("Błąd odczytu nagłówka podstawowego")},
        {11014, QStringLiteral("Sygnatura nagłówka lokalnego jest niewłaściwa")},
        {11015, QStringLiteral("Sygnatura nagłówka podstawowego jest niewłaściwa")},
        {11016, QStringLiteral("Błąd odczytu lokalnej nazwy pliku")},
        {11017, QStringLiteral("Błąd odczytu podstawowej nazwy pliku")},
        {11018, QStringLiteral("Błąd odczytu dodatkowego pola lokalnego")},
        {11019, QStringLiteral("Błąd odczytu podstawowego pola lokalnego")},
        {11021, QStringLiteral("Błąd odczytu skompresowanych danych")},
        {11022, QStringLiteral("Błąd odczytu komentarza pliku")},
        {11023, QStringLiteral("Błąd odczytu komentarza archiwum")},
        {11024, QStringLiteral("Nieznany błąd w funkcji ReadSpan() lub WriteSpan()")},
        {11025, QStringLiteral("Praca z pomijaniem zapytań w czasie rozbijania archiwum na części nie jest zaimplementowana")},
        {11026, QStringLiteral("Nagłówek lokalny nie odnaleziony w strukturze wewnętrznej")},
        {11027, QStringLiteral("Nie udało się utworzyć pliku tymczasowego")},
        {11028, QStringLiteral("Błąd zapisu nagłówka lokalnego")},
        {11029, QStringLiteral("Błąd zapisu nagłówka podstawowego")},
        {11030, QStringLiteral("Błąd zapisu końca katalogu podstawowego")},
        {11031, QStringLiteral("Błąd odczytu rozszerzonej sygnatury lokalnej")},
        {11033, QStringLiteral("Proszę włożyć ostatni dysk")},
        {11034, QStringLiteral("Proszę włożyć dysk %.1d z %.1d")},
        {11035, QStringLiteral("\ndo napędu: %s")},
        {11036, QStringLiteral("Ten plik nie jest właściwym archiwum Zip")},
        {11037, QStringLiteral("To jest pierwszy dysk z zestawu kopii zapasowej,\nproszę włożyć ostatni dysk z tego zestawu")},
        {11038, QStringLiteral("To jest %d dysk w zestawie kopii zapasowej,\nproszę włożyć ostatni dysk z tego zestawu")},
        {11042, QStringLiteral("Błąd kopiowania pliku struktury CEH")},
        {11043, QStringLiteral("Błąd przeszukiwania w czasie pomijania struktury EOC")},
        {11044, QStringLiteral("Błąd kopiowania komentarza archiwum Zip")},
        {11045, QStringLiteral("To jest pierwszy plik z zestawu kopii zapasowej,\nproszę wybrać ostatni plik z tego zestawu")},
        {11101, QStringLiteral("Archiwa Zip64 nie są obsługiwane")},
        {11102, QStringLiteral("Archiwa wieloczęściowe nie są obsługiwane")},
        {TargetFolderMissing, QStringLiteral("Folder docelowy nie istnieje lub nie jest ścieżką bezwzględną: ")},
        {LibraryTooOld, QStringLiteral("Nieobsługiwana wersja biblioteki UNZDLL.DLL")},
        {OffsetsTooLarge, QStringLiteral("Archiwum jest zbyt duże, aby zamienić je w program samorozpakowujący")},
        {OverlappingEntries, QStringLiteral("Pozycje archiwum wieloczęściowego zachodzą na siebie")},
        {TooManyParts, QStringLiteral("Archiwum wieloczęściowe ma więcej niż 999 części")},
        {PartNameTooShort, QStringLiteral("Nazwa części archiwum wieloczęściowego ma mniej niż trzy znaki")},
    };
    const auto found = texts.constFind(id);
    if (found != texts.constEnd())
        return *found;
    return QStringLiteral("Message table probably not bound to executable\nMissing String ID is: ") + QString::number(id);
}

} // namespace ZipTexts
