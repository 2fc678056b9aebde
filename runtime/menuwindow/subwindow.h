#pragma once

#include "menuwindowbase.h"
#include "subwindowhost.h"

#include "startup/runtimecontext.h"

#include <profilefile.h>

#include <memory>

// The second-level menu window: opened by a category key of the menu window
// in its place, built from its own project file by the same code, and closed
// by Backspace, its close function or its close box, which bring the menu
// back where this window stood. It keeps its own program choice and uses
// the menu's sounds, music and hints.
class TForm2 : public TMenuWindowBase
{
    Q_OBJECT
public:
    // project: the file named by [NEXT_WINDOW_INI] of openingKey, the menu's
    // category key that opens this window.
    TForm2(SubWindowHost &menu, std::unique_ptr<Platform::ProfileFile> project, const QString &openingKey);
    ~TForm2() override;

    QString openingKey() const { return m_openingKey; }

    // The handlers under this window's own names.
    void ODCZYTKATEGORI_2(QObject *sender) { ODCZYTKATEGORI(sender); }
    void LISTA_2_PRG(QObject *sender) { LISTA_PRG(sender); }
    void OdczytOpisuKategorii(QObject *sender) { OdczytOpisuKategori(sender); }
    void START_2_PRG(QObject *sender) { START_PRG(sender); }
    void Kopiuj_2_PRG(QObject *sender) { KOPIUJ_PRG(sender); }
    void OPIS_2_PRG(QObject *sender) { OPIS_PRG(sender); }
    void EXPLORE_2_PRG(QObject *sender) { EXPLORE_PRG(sender); }
    void ABOUT_2_PRG(QObject *sender) { ABOUT_PRG(sender); }
    void SZUKAJ_2_PRG(QObject *sender) { SZUKAJ_PRG(sender); }
    void EDYCJA_2_PRG(QObject *sender) { EDYCJA_PRG(sender); }
    void ZAMKNIJ_2(QObject *sender) { ZAMKNIJ(sender); }
    void ZRZUTY_2_PRG(QObject *sender) { ZRZUTY_PRG(sender); }

protected:
    const Platform::ProfileFile &project() const override { return *m_project; }
    void closeByButton() override;
    void quitConfirmed() override;
    void showForCategoryClick() override;
    void showStartDescription() override;
    MenuWindows &menuWindows() override { return m_menu.menuWindows(); }
    void closeEvent(QCloseEvent *event) override;

private:
    SubWindowHost &m_menu;
    std::unique_ptr<Platform::ProfileFile> m_project;
    QString m_openingKey;
};
