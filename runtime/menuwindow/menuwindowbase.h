#pragma once

#include "menuview.h"

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

    static const MenuWindowKind &menu();
    static const MenuWindowKind &subWindow();
};

// A menu window of the runtime. It has no fixed layout: its look and every
// object on it come from a project file, read when the window is created.
// The menu window (TForm1) and the second-level window (TForm2) are this
// with their own kind.
class TMenuWindowBase : public QWidget, public MenuView
{
    Q_OBJECT
public:
    ~TMenuWindowBase() override;

    RuntimeContext &context() const { return m_context; }
    const MenuWindowKind &kind() const { return m_kind; }
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
    BackgroundMusic &music() const { return *m_music; }
    ClickSounds &clickSounds() const { return *m_clickSounds; }

    // Click event of the category keys (also run by AUTOLOAD).
    void ODCZYTKATEGORI(QObject *sender) override;
    // Click event of the program list.
    void LISTA_PRG(QObject *sender) override;
    // Mouse-move event of the category keys.
    void OdczytOpisuKategori(QObject *sender);
    // Click event of a function button: runs the function of its id.
    void runFunction(QObject *sender);

    // The functions of the buttons 10001..10012.
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

    // Click sounds of the keys: release, press and hover.
    void PlayUp(QObject *sender);
    void PlayDown(QObject *sender);
    void PlayMove(QObject *sender);
    // The music loop, once a second.
    void Timer1Timer();

    // The window's key handler; sees every key of the window first. True
    // when the key was used.
    bool FormKeyDown(int key, Qt::KeyboardModifiers shift);

protected:
    TMenuWindowBase(RuntimeContext &context, const MenuWindowKind &kind, QWidget *parent = nullptr);

    // Builds the window from project(); run by the window's own constructor
    // once project() and the shared sound objects are set.
    void FormCreate();
    // The project file this window is built from.
    virtual const Platform::ProfileFile &project() const = 0;
    // Function 10006.
    virtual void closeByButton() = 0;
    // Esc answered with Yes.
    virtual void quitConfirmed() = 0;
    // A category key with [NEXT_WINDOW] was clicked.
    virtual void openSubWindow(int id);
    // A category click on the hidden window shows it.
    virtual void showForCategoryClick();
    // The title and description shown before any category is clicked.
    virtual void showStartDescription();
    // Minimises the application.
    virtual void minimizeApplication();
    // The menu window, this one or the one that opened this, with its
    // second-level window.
    virtual MenuWindows &menuWindows() = 0;

    ProjectFormat::ProjectValues values() const;
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
    void styleButton(TMenuButton *button, int id);
    void attachClickSounds(TMenuButton *button);
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

    // Button functions.
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

    // Font of a widget from the font keys of its object.
    void applyFont(QWidget *widget, const QString &objectKey, Platform::TColor defaultColor);
    void enableWindowDragging(QWidget *widget);
    bool dragWindow(QObject *watched, QEvent *event);
    bool previewKey(QObject *watched, QEvent *event);

    Platform::TColor windowColor(const QString &key) const;

    RuntimeContext &m_context;
    const MenuWindowKind &m_kind;
    ProgramChoice m_choice;
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
