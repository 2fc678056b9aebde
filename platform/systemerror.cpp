#include "systemerror.h"

#include <cerrno>
#include <cstring>

namespace Platform {
namespace {

struct Reason {
    int errorNumber;
    const char *text;
};

constexpr Reason kReasons[] = {
    {ENOSPC, "Brak miejsca na dysku"},
    {EDQUOT, "Przekroczony przydział miejsca na dysku"},
    {EFBIG, "Plik jest za duży"},
    {EROFS, "Nośnik jest tylko do odczytu"},
    {EACCES, "Brak uprawnień"},
    {EPERM, "Operacja niedozwolona"},
    {ENOENT, "Nie ma takiego pliku ani katalogu"},
    {ENOTDIR, "Część ścieżki nie jest katalogiem"},
    {EISDIR, "To jest katalog"},
    {EEXIST, "Plik już istnieje"},
    {ENAMETOOLONG, "Za długa nazwa pliku"},
    {ELOOP, "Za dużo dowiązań symbolicznych"},
    {EIO, "Błąd wejścia/wyjścia"},
    {ENOMEM, "Brak pamięci"},
    {EMFILE, "Za dużo otwartych plików"},
    {ENFILE, "Za dużo otwartych plików w systemie"},
    {EBUSY, "Urządzenie lub zasób jest zajęty"},
    {ETXTBSY, "Plik programu jest w użyciu"},
    {EXDEV, "Plików nie można przenosić między dyskami"},
    {EINVAL, "Nieprawidłowy argument"},
};

} // namespace

QString systemErrorText(int errorNumber)
{
    for (const Reason &reason : kReasons) {
        if (reason.errorNumber == errorNumber)
            return QString::fromUtf8(reason.text);
    }
    return QString::fromLocal8Bit(std::strerror(errorNumber));
}

} // namespace Platform
