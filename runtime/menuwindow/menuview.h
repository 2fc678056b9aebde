#pragma once

#include "programchoice.h"

#include <QList>

#include <array>

class QLabel;
class QLineEdit;
class QObject;
class QPlainTextEdit;
class QWidget;
class TImage;
class TMenuButton;
class TTranspList;

// The controls a menu window builds from its project, which the other parts
// of the runtime reach; null (or none) where the project has no such object.
struct MenuControls {
    QList<TMenuButton *> categoryKeys;
    // Buttons 10001..10012 by id.
    std::array<TMenuButton *, 12> functionButtons{};
    TTranspList *programList = nullptr;
    // The description: a hidden memo holds the text, the list shows it.
    QPlainTextEdit *descriptionMemo = nullptr;
    TTranspList *descriptionList = nullptr;
    QLineEdit *serialField = nullptr;
    QLineEdit *systemField = nullptr;
    QLineEdit *infoField = nullptr;
    QLineEdit *sizeField = nullptr;
    TImage *toolsStrip = nullptr;
    QLabel *titleLabel = nullptr;

    // The function button of id; null for an id outside 10001..10012.
    TMenuButton *functionButton(int id) const;
};

// One menu window as the button functions and the search see it: the
// window, the controls built from its project, the program chosen on it,
// and the handlers of its category keys and program list.
class MenuView
{
public:
    virtual QWidget &widget() = 0;
    virtual const MenuControls &controls() const = 0;
    virtual ProgramChoice &choice() = 0;
    // Click event of the category keys.
    virtual void ODCZYTKATEGORI(QObject *sender) = 0;
    // Click event of the program list.
    virtual void LISTA_PRG(QObject *sender) = 0;

protected:
    ~MenuView() = default;
};

// The menu window with the second-level window it may have open: where the
// search leads to a found program.
class MenuWindows
{
public:
    virtual MenuView &menuView() = 0;
    // The open second-level window when the menu's category key openingTag
    // opened it; null otherwise.
    virtual MenuView *subWindowOpenedBy(int openingTag) = 0;

protected:
    ~MenuWindows() = default;
};
