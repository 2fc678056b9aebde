#pragma once

#include "config/generatorconfig.h"
#include "mainwindow/hinttexts.h"
#include "project/designercontext.h"
#include "document/designerproject.h"
#include "project/designerservices.h"
#include "sound/soundplayers.h"

#include <QMainWindow>
#include <QPointer>
#include <QStringList>

#include <functional>
#include <memory>

class OutsidePrograms;
class PropertyEditors;
class QAction;
class QLabel;
class QMenu;
class TDock;
class TMRUFileList;
class TToolbar;
class TFileDrag;
class TMenuButton;
class TfrmObiekty;
class TStretchSelection;
class TDesignUndo;
class TfrmUndo;
class TToolbarButton;
class TfrmAsystent;
struct TemplateChooserSetup;

// What the designer is started with.
struct GeneratorSetup {
    QString programPath;   // the designer's program file
    QStringList arguments; // the command line after the program
    QString configPath;    // "Dodorurav.cfg"
    QString dataDir;       // where the designer writes its own files
    // Registers the project, template and data file classes with the
    // desktop at start (the real program does; tests mostly do not).
    bool registerFileClasses = false;
};

// The designer's main window: a strip along the top of the screen holding
// the menu and the dock with the toolbar "Podstawowy". It owns the designer's shared
// state and opens, saves and closes projects; the design surface, the
// object palette and the hint window stand around it. Its shortcuts work
// from every window of the designer.
class TfrmGenerator : public QMainWindow
{
    Q_OBJECT

public:
    explicit TfrmGenerator(const GeneratorSetup &setup, QWidget *parent = nullptr);
    ~TfrmGenerator() override;

    DesignerContext &context() { return m_context; }
    DesignerProject &project() { return m_project; }
    GeneratorConfig &config() { return m_config; }
    Platform::ProfileFile &GeneratorCfg() { return *m_cfg; }
    TStretchSelection &selection() { return *m_selection; }
    TDesignUndo &undoHistory() { return *m_undo; }
    TfrmUndo *undoWindow() const;
    TfrmObiekty &palette() { return *m_palette; }
    HintTexts &hintTexts() { return m_hintTexts; }
    OutsidePrograms &outsidePrograms() { return *m_outside; }
    DesignerPlayers &players() { return m_players; }
    TfrmAsystent *asystent() const;

    QMenu *mnuPlik, *mnuEdycja, *mnuWidok, *mnuProjekt, *mnuAutostartMenu, *mnuDzwiekMenu, *mnuNarzedzia,
        *mnuPomoc;
    QAction *mnuNowy, *mnuSzablon, *mnuOtworz, *mnuZapisz, *mnuZapiszJako, *mnuExportuj, *mnuZapiszJakoSzablon,
        *mnuZakoncz;
    // The recent projects go in front of this item, in the submenu
    // "&Otwórz ponownie".
    QAction *mnu4MRU;
    TMRUFileList *MRU;
    QAction *mnuCofnij, *mnuPonow, *mnuHistoria, *mnuRozmiarBMP;
    QAction *mnuObiekty, *mnuMenadzer, *mnuOdswiez, *mnuPasek;
    QAction *mnuGeneruj, *mnuTestuj, *mnuOpcjeMenu, *mnuTestujDane, *mnuWymagane, *mnuZrodlo, *mnuZmienSciezki;
    QAction *mnuAutostart, *mnuTestujAutostart;
    QAction *mnuDzwiek;
    QAction *mnuZazavaDanych, *mnuZazavaBMP, *mnuKonfiguracja;
    QAction *mnuTematy, *mnuPodpowiedzi, *mnuInformacja;

    TDock *Doki;
    TToolbar *pasekPodstawowy;
    TToolbarButton *speedNowy, *speedSzablon, *speedOtworz, *speedZapisz, *speedCofnij, *speedPonow,
        *speedGeneruj, *speedTestuj, *speedNotatnik, *speedAutoStart, *speedDzwiek, *speedDane, *speedZazavaBMP;
    TMenuButton *speedUseKlamra;
    // The open project's CD folder, at the right of the menu bar.
    QLabel *lblKatalogPlyty = nullptr;
    TFileDrag *FileDrag1;

    // Commands.
    void mnuNowyClick(QObject *sender);
    void mnuOtworzClick(QObject *sender);
    // "Nowy z Szablonu": the template chooser, with or without a project.
    void mnuSzablonClick(QObject *sender);
    TemplateChooserSetup templateChooserSetup();
    void MRUMRUItemClick(const QString &fileName);
    void mnuZapiszClick(QObject *sender);
    void mnuObiektyClick(QObject *sender);
    void mnuPasekClick(QObject *sender);
    void mnuZrodloClick(QObject *sender);
    void mnuKonfiguracjaClick(QObject *sender);
    void mnuTematyClick(QObject *sender);
    void mnuPodpowiedziClick(QObject *sender);
    void mnuInformacjaClick(QObject *sender);
    void speedUseKlamraClick(QObject *sender);
    void mnuHistoriaClick(QObject *sender);
    // "Odśwież z dysku" of the history window: the open project again from
    // its file, after the save question.
    void reloadFromDisk();

    // Asks whether to keep the changes while the project is modified; false
    // when the command must stop (Cancel, or a save that failed).
    bool saveQuestion();
    // Opens the command line's project on the first activation only.
    void FormActivate();
    void FileDrag1Drop(QObject *sender);

    // The hint window's text for a key, or for the hint of object (a
    // control or a menu item) without one. Nothing without the window.
    void Asystuj(const QString &key, QObject *object = nullptr);
    void AsystaHintowa(const QString &hint);

    // Connects a command to what it runs and turns it on. A command that
    // needs a project does nothing while none is open.
    void plugIn(QAction *command, std::function<void()> run, bool needsProject);

    // After the window has closed for good: the designer ends.
    std::function<void()> OnClosed;

    // Every menu command, for tests and for the surface's own windows.
    QList<QAction *> commands() const;

protected:
    void closeEvent(QCloseEvent *event) override;
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QAction *addCommand(QMenu *menu, const QString &text, const QKeySequence &shortcut = {});
    void buildMenus();
    void buildFileMenu();
    void buildEditAndViewMenus();
    void buildProjectMenus();
    void buildToolsAndHelpMenus();
    void buildToolbar();
    void buildRecentFiles();
    void connectOutsideCommands();
    void connectSettingsDialogs();
    TToolbarButton *addToolbarButton(const QString &name, const QString &caption, const QString &hint,
                                     QAction *command, const QString &hintKey = {});
    void FormCreate(const GeneratorSetup &setup);
    void readOptions();
    void writeOptions();
    void registerClasses(const QString &programPath);
    void fitHeight();
    void toolbarVisibilityChanged();
    bool needsProject() const;
    // "Nowy" keeps the undo history position; the other ways in start it over.
    void openProject(const QString &fileName, bool startUndoOver = true);
    void projectOpened();
    void showCdFolder();
    void paletteClosed();
    void asystentClosed();
    void createUndo();
    void undoStateChanged();

    DesignerContext m_context;
    DesignerPlayers m_players;
    DesignerProject m_project{m_context};
    std::unique_ptr<TfrmObiekty> m_palette;
    std::unique_ptr<TStretchSelection> m_selection;
    std::unique_ptr<Platform::ProfileFile> m_cfg;
    std::unique_ptr<OutsidePrograms> m_outside;
    std::unique_ptr<PropertyEditors> m_editors;
    GeneratorConfig m_config;
    HintTexts m_hintTexts;
    QPointer<TfrmAsystent> m_asystent;
    std::unique_ptr<TDesignUndo> m_undo;
    QPointer<TfrmUndo> m_undoWindow;
    QStringList m_arguments;
    bool m_firstActivation = true;
    QList<QAction *> m_commands;
};
