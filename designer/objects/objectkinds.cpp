#include "objectkinds.h"

#include <projectfile/projectformat.h>

using namespace ProjectFormat;

namespace PaletteKinds {

const std::array<Entry, 21> &entries()
{
    static const std::array<Entry, 21> table = {{
        {"klwKategorii", "Klawisz kategorii", CategoryKey},
        {"klwStart", "Start", StartId},
        {"klwEksploruj", "Eksploruj", ExploreId},
        {"klwAmbitny", "Opis", DescriptionEditId},
        {"klwKopiuj", "Kopiuj", CopyId},
        {"klwAbout", "Informacja", AboutId},
        {"klwEdycja", "Edycja", DescriptionToggleId},
        {"klwMuzyka", "Muzyka", MusicId},
        {"klwKoniec", "Koniec/Wróć", CloseId},
        {"klwSzukaj", "Szukaj", SearchId},
        {"klwZrzuty", "Zrzuty", ScreenshotId},
        {"klwLista", "Lista programów", ListId},
        {"klwOpisProgramow", "Opis programów", DescriptionId},
        {"klwNumer", "Numer seryjny", SerialId},
        {"klwSystem", "Wymagany system", SystemId},
        {"klwPRGInfo", "Informacje o programie", InfoId},
        {"klwRozmiar", "Rozmiar programu", RozmiarId},
        {"klwPasek", "Pasek \"narzędzi\"", ToolsId},
        {"klwTytul", "Tytuł aplikacji/Nazwa kategorii", TitleId},
        {"klwMin", "Minimalizuj", MinimizeId},
        {"klwOpcje", "Opcje", OptionsId},
    }};
    return table;
}

} // namespace PaletteKinds
