#pragma once

#include <colors.h>

#include <QString>

#include <array>

// How the menu window and the second-level window differ. Both are built
// and work by the same code; this is all that tells them apart.
struct MenuWindowKind {
    // How a category click or a hover resets the program fields.
    enum class FieldReset {
        // Each field is visible exactly when its flag is not set.
        EveryField,
        // The system and serial fields hide when their flag is set and are
        // otherwise left; the info and size fields as EveryField.
        KeepSystemAndSerial,
    };

    QString objectName;
    QString shaperName;
    // The window of the CD: hints, application icon, NOBORDER and
    // NOBORDERICONS, CD_TITLE and CD_DESCRIPTION, centred on the screen.
    bool readsCdKeys = true;
    // Loads the click sounds, opens the music and runs its loop.
    bool ownsSounds = true;
    // Category keys with [NEXT_WINDOW] open the second-level window.
    bool opensSubWindow = true;
    // The order the single objects are built in; it decides which lies on
    // top.
    std::array<int, 8> singleObjectOrder{};
    // The background goes behind the toolbar strip as soon as it is built.
    bool lowersBackgroundWithStrip = true;
    // Default font colour of the system, info and size fields.
    Platform::TColor fieldFontColor = Platform::clBtnText;
    FieldReset categoryReset = FieldReset::EveryField;
    FieldReset hoverReset = FieldReset::KeepSystemAndSerial;
    // The hover draws the description from its first line.
    bool hoverRedrawsDescription = false;
    // A failed rar start offers the built-in archive window (zip always does).
    bool offersRarArchive = true;
    // Shift+F1 (and F1 without an information window) shows the key help.
    bool hasKeyboardHelp = true;
    // Backspace closes the window.
    bool backspaceCloses = false;
    // The copy dialog's folder tree opens the user's own folder; otherwise
    // it keeps the tree's own start folder.
    bool copyTreeOpensHome = true;

    static const MenuWindowKind &menu();
    static const MenuWindowKind &subWindow();
};
