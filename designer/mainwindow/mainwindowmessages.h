#pragma once

#include <QString>

// The main window's own messages and texts.
namespace MainWindowMessages {

inline QString applicationTitle() { return QStringLiteral("Dodorurav 2.1 - KALVORA"); }
inline QString saveQuestion() { return QStringLiteral("Czy chcesz zachować zmiany?"); }
inline QString newProjectCaption() { return QStringLiteral("Nowy projekt"); }
inline QString openProjectCaption() { return QStringLiteral("Otwórz projekt"); }

inline QString openFilter()
{
    return QStringLiteral("Pliki konfiguracji menu (*.KLV *.klv);;Pliki szablonu menu (*.SBL *.sbl);;"
                          "Wszystkie pliki (*)");
}

// A dropped file that is no project: it is neither opened nor written.
inline QString notAProject(const QString &file)
{
    return QStringLiteral("Tego pliku nie można otworzyć jako projektu menu (*.KLV, *.SBL, *.INI):\n") + file;
}

inline QString noHelp(const QString &file, const QString &reason)
{
    return QStringLiteral("Nie można otworzyć pliku pomocy:\n") + file + u'\n' + reason;
}

inline QString cannotOpenSource(const QString &file, const QString &reason)
{
    return QStringLiteral("Nie można otworzyć pliku:\n") + file + u'\n' + reason;
}

} // namespace MainWindowMessages
