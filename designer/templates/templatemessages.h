#pragma once

#include <QString>

// The texts of the template chooser, word for word. Line breaks are "\n".
namespace TemplateMessages {

inline QString caption() { return QStringLiteral("Wybierz szablon menu"); }
inline QString saveCaption() { return QStringLiteral("Zapisz jako"); }
inline QString noPreview() { return QStringLiteral("Brak zrzutu ekranowego!"); }
inline QString projectFilter() { return QStringLiteral("Pliki konfiguracji (*.KLV *.klv)"); }
inline QString deleteQuestion() { return QStringLiteral("Czy na pewno chcesz skasować wybrany szablon ?"); }
inline QString noBitmap() { return QStringLiteral("Niestety w schowku nie ma danych w formacie BMP!"); }

inline QString previewQuestion()
{
    return QStringLiteral("Czy chcesz zachować zrzut ekranowy dla wybranego szablonu?\nUwaga!!!\n"
                          "Jeśli istnieje już zrzut dla danego szablonu to zostanie on zastąpiony!");
}

// Lines of the file list in place of a missing program or library.
inline QString noMp3Library() { return QStringLiteral("Brak biblioteki dla odtwarzania MP3: MPEGDLL.DLL!"); }
inline QString noRuntime() { return QStringLiteral("Brak pliku wykonywalnego menu: ORVANTA.EXE!"); }
inline QString noCopier() { return QStringLiteral("Brak programu kopiującego: KOPIA.EXE!"); }
inline QString noAutostart() { return QStringLiteral("Brak programu autostartu: PELDIX.EXE!"); }

inline QString templateGone(const QString &name)
{
    return QStringLiteral("Szablon \"") + name + QStringLiteral("\" już nie istnieje!");
}

inline QString noTemplateFile(const QString &file)
{
    return QStringLiteral("Brak pliku szablonu:\n") + file;
}

inline QString copyOntoTemplate(const QString &file)
{
    return QStringLiteral("Nowy projekt nie może zastąpić pliku szablonu:\n") + file;
}

inline QString copyFailed(const QString &file, const QString &reason)
{
    return QStringLiteral("Nie można utworzyć projektu z szablonu:\n") + file + u'\n' + reason;
}

inline QString fileExists(const QString &file)
{
    return QStringLiteral("Plik \"") + file + QStringLiteral("\" już istnieje. Czy zastąpić go?");
}

inline QString deleteFailed(const QString &path, const QString &reason)
{
    return QStringLiteral("Nie można skasować szablonu:\n") + path + u'\n' + reason;
}

inline QString shippedTemplate(const QString &name)
{
    return QStringLiteral("Szablon \"") + name + QStringLiteral("\" należy do programu i nie może być zmieniony.");
}

inline QString previewFailed(const QString &file, const QString &reason)
{
    return QStringLiteral("Nie można zapisać zrzutu ekranowego:\n") + file + u'\n' + reason;
}

} // namespace TemplateMessages
