#pragma once

#include <QString>

#include <array>

class DesignerContext;
namespace ProjectFormat {
class MenuDesign;
}

// The options of the designed menu as a whole, as the project's settings
// hold them: its identity and titles, how its window looks and how its keys
// and lists behave. Colours are kept as the colour texts they are stored as,
// so a colour nobody chose is written back as it was read.
struct MenuOptions {
    // The twelve check boxes of "Prezencja", each stored as "1" or "0".
    struct Flag {
        const char *control; // the check box
        const char *caption;
        const char *setting;
    };
    static const std::array<Flag, 12> &flagTable();
    enum FlagIndex { NoBorder, NoSysMenu, Hand, ListOnClick, OneProg, DescOnMove, Serial, System, PrgInfo, Size,
                     AlwaysDown, AutoLoad };

    QString cdromId;       // CDROM_ID
    QString caption;       // CD_CAPTION
    QString title;         // CD_TITLE
    QString description;   // CD_DESCRIPTION: a short text or a stored path
    std::array<bool, 12> flags{};
    QString hintColor;     // HintKolor
    QString hintTextColor; // HintTextKolor
    bool hintOval = false; // HintOval
    QString dialogFontColor; // KOPIA_FONT_COLOR

    // A flag is ticked when its value is exactly "1"; the hint is an
    // ellipse unless HintOval is "0".
    static MenuOptions read(const ProjectFormat::MenuDesign &design);
    void write(ProjectFormat::MenuDesign &design) const;

    // Confirms the options: stores them and applies them to the design
    // surface (title, captions, frame and system menu with the shape
    // re-applied, the category keys' group, the program list), then
    // records one undo step.
    void apply(DesignerContext &context) const;
};
