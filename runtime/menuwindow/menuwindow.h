#pragma once

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

// The menu window of the runtime. It has no fixed layout: its look and every
// object on it come from the project copy, read when the window is created.
class TForm1 : public QWidget
{
    Q_OBJECT
public:
    explicit TForm1(RuntimeContext &context, QWidget *parent = nullptr);
    ~TForm1() override;

    RuntimeContext &context() const { return m_context; }

    // The objects built from the project; null where the project has none.
    TMenuButton *functionButton(int id) const;
    const QList<TMenuButton *> &categoryKeys() const { return m_categoryKeys; }
    TTranspList *programList() const { return m_programList; }
    TTranspList *descriptionList() const { return m_descriptionList; }
    QPlainTextEdit *descriptionMemo() const { return m_descriptionMemo; }
    QLineEdit *serialField() const { return m_serialField; }
    QLineEdit *systemField() const { return m_systemField; }
    QLineEdit *infoField() const { return m_infoField; }
    QLineEdit *sizeField() const { return m_sizeField; }
    TImage *toolsStrip() const { return m_toolsStrip; }
    QLabel *titleLabel() const { return m_titleLabel; }
    TImage *background() const { return Image1; }
    TControlShaper *shaper() const { return MASKA; }
    CoolHints *hints() const { return m_hints; }
    // The background music, shared with the second-level window.
    BackgroundMusic &music() const { return *m_music; }

    // Click event of the category keys (also run by AUTOLOAD).
    void ODCZYTKATEGORI(QObject *sender);
    // Click event of the program list.
    void LISTA_PRG(QObject *sender);
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
    void closeEvent(QCloseEvent *event) override;

private:
    void FormCreate();
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
    void createSingleObjects();
    void createProgramList();
    QLineEdit *createField(int id, const QString &flagKey);
    void createToolsStrip();
    void createDescription();
    void createTitle();
    void applyStyles();
    void styleButton(TMenuButton *button, int id);
    void attachClickSounds(TMenuButton *button);
    void showCdDescription();
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
    void clearDescription();
    void showCategoryTitle(const QString &title);
    // Fields show the chosen program's values; a field with no value hides,
    // when visibleByValue or its flag is set.
    void showProgramFields(bool visibleByValue);
    void openSubWindow(int id);
    void loadDescription(const QString &storedOrText);
    void showDescription(bool fromFirstLine);
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
    bool showArchiveWindow(Archive kind);
    void launchOrComplain(const QString &path);
    void showCannotOpen(const QString &path);
    void exclamation(const QString &text);
    void minimizeApplication();
    void showInfoWindow();
    void showKeyboardHelp();
    void changeFontSize(QWidget *widget, int step);
    void chooseFonts(bool listsAndDescription);

    TMenuButton *createKey(int id, const QString &caption);
    void loadGlyph(TMenuButton *button, int id);
    // Font of a widget from the font keys of its object.
    void applyFont(QWidget *widget, const QString &objectKey, Platform::TColor defaultColor);
    void enableWindowDragging(QWidget *widget);
    bool dragWindow(QObject *watched, QEvent *event);
    bool previewKey(QObject *watched, QEvent *event);

    ProjectFormat::ProjectValues values() const;
    bool windowFlag(const QString &key) const;
    Platform::TColor windowColor(const QString &key) const;

    RuntimeContext &m_context;

    TImage *Image1 = nullptr;
    QTimer *Timer1 = nullptr;
    TControlShaper *MASKA = nullptr;

    QList<TMenuButton *> m_categoryKeys;
    std::array<TMenuButton *, 12> m_functionButtons{};
    TTranspList *m_programList = nullptr;
    QLineEdit *m_serialField = nullptr;
    QLineEdit *m_systemField = nullptr;
    QLineEdit *m_infoField = nullptr;
    QLineEdit *m_sizeField = nullptr;
    TImage *m_toolsStrip = nullptr;
    QPlainTextEdit *m_descriptionMemo = nullptr;
    TTranspList *m_descriptionList = nullptr;
    QLabel *m_titleLabel = nullptr;

    // The Down state of the category key at its last click: no hover
    // while it is true.
    bool m_categoryDown = false;
    // The key whose hover was handled last.
    QObject *m_lastHovered = this;

    CoolHints *m_hints = nullptr;
    std::unique_ptr<BackgroundMusic> m_music;
    std::unique_ptr<ClickSounds> m_clickSounds;
    EventHook *m_dragHook = nullptr;
    EventHook *m_keyHook = nullptr;

    // Window dragging from the background, strip, description and title.
    bool m_dragging = false;
    QPoint m_dragStartPointer;
    QPoint m_dragStartWindow;
};
