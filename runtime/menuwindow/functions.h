#pragma once

#include <projectfile/projectformat.h>

#include <Qt>

class BackgroundMusic;
class MenuView;
class MenuWindows;
class QObject;
class QString;
class QWidget;
class RuntimeContext;
struct MenuControls;
struct MenuWindowKind;
struct ProgramChoice;

// What the button functions and the keys need of the window they work on.
class MenuFunctionHost
{
public:
    // The window with its controls and its program choice.
    virtual MenuView &view() = 0;
    virtual RuntimeContext &context() const = 0;
    virtual const MenuWindowKind &kind() const = 0;
    // Reads of the window's own project.
    virtual ProjectFormat::ProjectValues values() const = 0;
    // The music the window plays, shared by both windows.
    virtual BackgroundMusic &music() const = 0;
    // The menu with its second-level window: where the search leads.
    virtual MenuWindows &menuWindows() = 0;
    virtual void minimizeApplication() = 0;
    // Function 10006.
    virtual void closeByButton() = 0;
    // Esc answered with Yes.
    virtual void quitConfirmed() = 0;

protected:
    ~MenuFunctionHost() = default;
};

// The functions of the buttons 10001..10012 and the keys of a menu window.
class MenuFunctions
{
public:
    explicit MenuFunctions(MenuFunctionHost &window)
        : m_window(window)
    {
    }

    // Runs the function of the sender's id.
    void run(QObject *sender);

    void START_PRG(QObject *sender);
    void KOPIUJ_PRG(QObject *sender);
    void OPIS_PRG(QObject *sender);
    void EXPLORE_PRG(QObject *sender);
    void ABOUT_PRG(QObject *sender);
    void ZAMKNIJ(QObject *sender);
    void SZUKAJ_PRG(QObject *sender);
    void EDYCJA_PRG(QObject *sender);
    void MIN_PRG(QObject *sender);
    void GrajMuzyke(QObject *sender);
    void ZRZUTY_PRG(QObject *sender);
    void OPCJEMENU(QObject *sender);

    // A key of the window, seen before any of its controls; true when it
    // was used.
    bool keyDown(int key, Qt::KeyboardModifiers modifiers);

private:
    QWidget &window() const;
    const MenuControls &controls() const;
    ProgramChoice &choice() const;
    RuntimeContext &context() const;
    ProjectFormat::ProjectValues values() const;

    enum class Archive { Zip, Rar };
    // The shell's default action on a file; true when it started.
    bool LaunchFile(const QString &path);
    // After a failed start: offers the built-in archive window for a zip
    // or rar archive. True when it took the file over.
    bool openWithArchiveWindow(const QString &path);
    bool showArchiveWindow(Archive kind, const QString &path);
    void launchOrComplain(const QString &path);
    void showCannotOpen(const QString &path);
    void exclamation(const QString &text);
    void showInfoWindow();
    void showKeyboardHelp();
    void changeFontSize(QWidget *widget, int step);
    void chooseFonts(bool listsAndDescription);

    MenuFunctionHost &m_window;
};
