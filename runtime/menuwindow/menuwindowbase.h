#pragma once

#include "functions.h"
#include "menuview.h"
#include "menuwindowkind.h"

#include <projectfile/menudesign.h>
#include <projectfile/projectformat.h>
#include <sound/backgroundmusic.h>
#include <sound/clicksounds.h>

#include <QHash>
#include <QList>
#include <QPointer>
#include <QWidget>

#include <array>
#include <memory>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QTimer;
class RuntimeContext;
class CoolHints;
class EventHook;
class TControlShaper;
class TImage;
class TMenuButton;
class TTranspList;

// A menu window of the runtime. It has no fixed layout: its look and every
// object on it come from a project file, read when the window is created.
// The menu window (TForm1) and the second-level window (TForm2) are this
// with their own kind.
class TMenuWindowBase : public QWidget, public MenuView, private MenuFunctionHost
{
    Q_OBJECT
public:
    ~TMenuWindowBase() override;

    RuntimeContext &context() const override { return m_context; }
    const MenuWindowKind &kind() const override { return m_kind; }
    // The category and program chosen on this window.
    ProgramChoice &choice() override { return m_choice; }
    const ProgramChoice &choice() const { return m_choice; }

    QWidget &widget() override { return *this; }
    // The objects built from the project.
    const MenuControls &controls() const override { return m_controls; }
    TImage *background() const { return Image1; }
    TControlShaper *shaper() const { return MASKA; }
    CoolHints *hints() const { return m_hints; }
    // The background music, shared by the menu and the second-level window.
    BackgroundMusic &music() const override { return *m_music; }
    ClickSounds &clickSounds() const { return *m_clickSounds; }

    // Click event of the category keys (also run by AUTOLOAD).
    void ODCZYTKATEGORI(QObject *sender) override;
    // Click event of the program list.
    void LISTA_PRG(QObject *sender) override;
    // Mouse-move event of the category keys.
    void OdczytOpisuKategori(QObject *sender);
    // Click event of a function button: runs the function of its id.
    void runFunction(QObject *sender) { m_functions.run(sender); }

    // The functions of the buttons 10001..10012.
    void START_PRG(QObject *sender) { m_functions.START_PRG(sender); }
    void KOPIUJ_PRG(QObject *sender) { m_functions.KOPIUJ_PRG(sender); }
    void OPIS_PRG(QObject *sender) { m_functions.OPIS_PRG(sender); }
    void EXPLORE_PRG(QObject *sender) { m_functions.EXPLORE_PRG(sender); }
    void ABOUT_PRG(QObject *sender) { m_functions.ABOUT_PRG(sender); }
    void ZAMKNIJ(QObject *sender) { m_functions.ZAMKNIJ(sender); }
    void SZUKAJ_PRG(QObject *sender) { m_functions.SZUKAJ_PRG(sender); }
    void EDYCJA_PRG(QObject *sender) { m_functions.EDYCJA_PRG(sender); }
    void MIN_PRG(QObject *sender) { m_functions.MIN_PRG(sender); }
    void GrajMuzyke(QObject *sender) { m_functions.GrajMuzyke(sender); }
    void ZRZUTY_PRG(QObject *sender) { m_functions.ZRZUTY_PRG(sender); }
    void OPCJEMENU(QObject *sender) { m_functions.OPCJEMENU(sender); }

    // Click sounds of the keys: release, press and hover.
    void PlayUp(QObject *sender);
    void PlayDown(QObject *sender);
    void PlayMove(QObject *sender);
    // The music loop, once a second.
    void Timer1Timer();

    // The window's key handler; sees every key of the window first. True
    // when the key was used.
    bool FormKeyDown(int key, Qt::KeyboardModifiers shift) { return m_functions.keyDown(key, shift); }

protected:
    TMenuWindowBase(RuntimeContext &context, const MenuWindowKind &kind, QWidget *parent = nullptr);

    // Builds the window from project(); run by the window's own constructor
    // once project() and the shared sound objects are set.
    void FormCreate();
    // The project file this window is built from.
    virtual const Platform::ProfileFile &project() const = 0;
    // A category key with [NEXT_WINDOW] was clicked.
    virtual void openSubWindow(int id);
    // A category click on the hidden window shows it.
    virtual void showForCategoryClick();
    // The title and description shown before any category is clicked.
    virtual void showStartDescription();
    // Minimises the application.
    void minimizeApplication() override;

    ProjectFormat::ProjectValues values() const override;
    bool windowFlag(const QString &key) const;
    void loadDescription(const QString &storedOrText);
    void showDescription(bool fromFirstLine);
    void showCategoryTitle(const QString &title);

    // The sound objects: the menu window owns them, the second-level window
    // borrows the menu's.
    CoolHints *m_hints = nullptr;
    BackgroundMusic *m_music = nullptr;
    ClickSounds *m_clickSounds = nullptr;

private:
    MenuView &view() override { return *this; }
    void hookMinimizeAndRestore();
    void loadApplicationIcon();
    void applyHints();
    void applyBorder();
    void applyShape();
    void placeBackground();
    void paintBackground();
    // Draws the picture of a [WINDOW] key into image, tiled or stretched.
    void paintPicture(TImage *image, const QString &pictureKey, const QString &tileKey);
    void loadSoundsAndMusic();
    void createCategoryKeys();
    void createFunctionButtons();
    // The design holds the single object of id.
    bool designHolds(int id) const;
    void createSingleObjects();
    void createProgramList();
    QLineEdit *createField(int id, const QString &flagKey);
    void createToolsStrip();
    void createDescription();
    void createTitle();
    void createSingleObject(int id);
    void applyStyles();
    // What every key's style takes from the projects, read once for all
    // keys: a menu has hundreds of them.
    struct KeyStyle {
        bool handCursor = false;
        // The lower-cased extension of the menu's music file.
        QString menuMusic;
    };
    void styleButton(TMenuButton *button, int id, const KeyStyle &style);
    QString menuMusicExtension() const;
    void attachClickSounds(TMenuButton *button, const QString &menuMusic);
    void applyTitles();
    void paintToolsStrip();
    void centreOnScreen();
    void autoload();

    // Category and program choice.
    struct ProgramField {
        QLineEdit *field;
        const char *flagKey; // shown only while it holds text
        const QString &dataKey;
    };
    std::array<ProgramField, 4> programFields() const;
    void setProgramButtonsEnabled(std::initializer_list<int> ids, bool enabled);
    void setButtonEnabled(int id, bool enabled);
    void resetChoice();
    void resetField(QLineEdit *field, const QString &flagKey, MenuWindowKind::FieldReset reset);
    void clearDescription();
    // Fields show the chosen program's values; a field with no value hides,
    // when visibleByValue or its flag is set.
    void showProgramFields(bool visibleByValue);
    void chooseOnlyProgram();
    QString dataFileOf(int id) const;
    bool isExistingFile(const QString &stored) const;
    bool isExistingFolder(const QString &stored) const;

    // Font of a widget from the font keys of its object.
    void applyFont(QWidget *widget, const QString &objectKey, Platform::TColor defaultColor);
    void enableWindowDragging(QWidget *widget);
    bool dragWindow(QObject *watched, QEvent *event);
    bool previewKey(QObject *watched, QEvent *event);

    Platform::TColor windowColor(const QString &key) const;

    RuntimeContext &m_context;
    const MenuWindowKind &m_kind;
    ProgramChoice m_choice;
    MenuFunctions m_functions{*this};
    // The design the project file holds, read once when the window is built.
    ProjectFormat::MenuDesign m_design;

    TImage *Image1 = nullptr;
    QTimer *Timer1 = nullptr;
    TControlShaper *MASKA = nullptr;

    MenuControls m_controls;

    // The Down state of the category key at its last click: no hover
    // while it is true.
    bool m_categoryDown = false;
    // The key whose hover was handled last.
    QObject *m_lastHovered = this;

    EventHook *m_dragHook = nullptr;
    EventHook *m_keyHook = nullptr;

    // Window dragging from the background, strip, description and title.
    bool m_dragging = false;
    QPoint m_dragStartPointer;
    QPoint m_dragStartWindow;
};
