#include "generatorwindow.h"

#include "alignment/aligndialog.h"
#include "checker/testrv3dialog.h"
#include "generation/generationdialog.h"
#include "project/cdfolder.h"
#include "manager/projectmanager.h"
#include "mainwindow/asystent.h"
#include "menuoptions/menuoptionsdialog.h"
#include "outside/outsideprograms.h"
#include "pathchange/pathdialog.h"
#include "pathchange/requiredfiles.h"
#include "propertyeditors/inspectoreditors.h"
#include "propertyeditors/propertyeditors.h"
#include "mainwindow/mainwindowmessages.h"
#include "selection/stretchselection.h"
#include "sound/sounddialog.h"
#include "startscreen/startscreendialog.h"
#include "inspector/objectinspector.h"
#include "surface/menusurface.h"
#include "undo/designundo.h"
#include "undo/undowindow.h"

#include <buttons/menubutton.h>
#include <buttons/toolbarbutton.h>
#include <dock/toolbar.h>
#include <mru/mrufilelist.h>
#include <shell/filedrag.h>

#include <fileclasses.h>
#include <paths.h>

#include <QAction>
#include <QLabel>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>

namespace {
const char *const kHintKey = HintTexts::KeyProperty;
} // namespace

TfrmGenerator::TfrmGenerator(const GeneratorSetup &setup, QWidget *parent)
    : QMainWindow(parent)
    , m_palette(std::make_unique<TfrmObiekty>(m_context))
    , m_arguments(setup.arguments)
{
    setObjectName(QStringLiteral("frmGenerator"));
    setWindowTitle(MainWindowMessages::applicationTitle());
    setCentralWidget(new QWidget(this));
    m_context.Players = &m_players;
    m_selection = std::make_unique<TStretchSelection>(m_context, m_palette.get());
    m_context.setSelection(m_selection.get());
    m_context.setPalette(m_palette.get());
    m_context.setInspector(m_palette.get());
    m_palette->OnClose = [this] { paletteClosed(); };
    m_palette->OnHint = [this](const QString &key) { Asystuj(key); };

    buildMenus();
    buildToolbar();
    buildRecentFiles();
    FileDrag1 = new TFileDrag(this);
    FileDrag1->OnDrop = [this](QObject *sender) { FileDrag1Drop(sender); };
    FormCreate(setup);
    m_palette->setConfig(m_cfg.get());
    m_outside = std::make_unique<OutsidePrograms>(m_context, m_project);
    m_outside->setMainWindow(this);
    m_outside->setConfigPath(setup.configPath);
    connectOutsideCommands();
    connectSettingsDialogs();
    createUndo();
    m_editors = std::make_unique<PropertyEditors>(m_context);
    m_editors->setOutsidePrograms(m_outside.get());
    m_editors->setDialogParent(m_palette.get());
    installPropertyEditors(*m_palette, *m_editors);
}

void TfrmGenerator::createUndo()
{
    m_undo = std::make_unique<TDesignUndo>(m_context, m_config.maxUndo);
    m_context.setUndo(m_undo.get());
    // Made at start, hidden until asked for.
    m_undoWindow = new TfrmUndo(*m_cfg, m_context.MainWindowHeight);
    m_undoWindow->OnReload = [this] { reloadFromDisk(); };
    m_undo->OnStateChanged = [this] { undoStateChanged(); };
    m_undo->setWindow(m_undoWindow);
    plugIn(mnuCofnij, [this] { m_undo->mnuCofnijClick(); }, true);
    plugIn(mnuPonow, [this] { m_undo->mnuPonowClick(); }, true);
    plugIn(mnuHistoria, [this] { mnuHistoriaClick(mnuHistoria); }, false);
    plugIn(mnuRozmiarBMP, [this] { m_selection->RozmiaroknaBMP1Click(mnuRozmiarBMP); }, true);
    plugIn(mnuOdswiez, [this] { m_selection->mnuOdswiezMenuClick(mnuOdswiez); }, true);
    undoStateChanged();
}

void TfrmGenerator::undoStateChanged()
{
    mnuCofnij->setEnabled(m_undo->canUndo());
    mnuPonow->setEnabled(m_undo->canRedo());
}

TfrmGenerator::~TfrmGenerator()
{
    qApp->removeEventFilter(this);
    delete m_asystent.data();
    delete m_undoWindow.data();
    m_context.setUndo(nullptr);
    // The window goes before its dock: no more height fitting.
    Doki->OnResize = nullptr;
    Doki->OnInsertRemoveBar = nullptr;
    // The surface and its objects go before the selection frame they hold.
    delete m_context.Surface.data();
    m_context.setInspector(nullptr);
}

void TfrmGenerator::FormCreate(const GeneratorSetup &setup)
{
    move(0, 0);
    // Every hint shown anywhere in the designer reaches the hint window.
    qApp->installEventFilter(this);
    m_context.GeneratorDir = QFileInfo(setup.programPath).absolutePath() + u'/';
    // Until a project is open nothing is stored; each project brings its own.
    m_context.DriveRoot = QStringLiteral("/");
    m_context.DataDir = setup.dataDir;
    QString error;
    m_cfg = openGeneratorConfig(setup.configPath, defaultGeneratorConfig(), &error);
    m_config = readGeneratorConfig(*m_cfg, defaultGeneratorConfig());
    if (setup.registerFileClasses)
        registerClasses(setup.programPath);
    const QString hints = Platform::findEntryCaseInsensitive(m_context.GeneratorDir, QStringLiteral("HINTS.TXT"));
    m_hintTexts.load(m_context.GeneratorDir + (hints.isEmpty() ? QStringLiteral("HINTS.TXT") : hints));
    readOptions();
    MRU->loaded();
    fitHeight();
}

void TfrmGenerator::registerClasses(const QString &programPath)
{
    // A desktop that cannot take the classes costs only the file associations.
    Platform::registerFileClasses(
        Platform::kalvoraFileClasses(QFileInfo(programPath).absoluteFilePath(), m_config.file(GeneratorFile::ZazavaRv3)));
}

void TfrmGenerator::readOptions()
{
    m_context.MpegDllPath = m_config.file(GeneratorFile::MpegDll);
    m_context.ClickSelects = m_config.clickSelects;
    speedUseKlamra->setDown(m_config.clickSelects);
    if (m_config.toolbarShown)
        pasekPodstawowy->setVisible(*m_config.toolbarShown);
    toolbarVisibilityChanged();
    m_selection->Klamra()->setColor(m_config.handleColor);
    m_selection->Klamra()->setSecondaryColor(m_config.handleColorII);
}

void TfrmGenerator::writeOptions()
{
    m_config.clickSelects = m_context.ClickSelects;
    m_config.handleColor = m_selection->Klamra()->color();
    m_config.handleColorII = m_selection->Klamra()->secondaryColor();
    m_config.toolbarShown = pasekPodstawowy->isVisibleSet();
    writeCloseOptions(*m_cfg, m_config);
    m_cfg->flush(); // a settings file that cannot be written is no reason to stay open
}

QAction *TfrmGenerator::addCommand(QMenu *menu, const QString &text, const QKeySequence &shortcut)
{
    QAction *action = menu->addAction(text);
    action->setShortcut(shortcut);
    // One application's commands: the keys work from the surface and the
    // tool windows as well.
    action->setShortcutContext(Qt::ApplicationShortcut);
    m_commands.append(action);
    return action;
}

void TfrmGenerator::buildMenus()
{
    buildFileMenu();
    buildEditAndViewMenus();
    buildProjectMenus();
    buildToolsAndHelpMenus();
    for (QMenu *menu : menuBar()->findChildren<QMenu *>())
        connect(menu, &QMenu::hovered, this, [this](QAction *action) { Asystuj({}, action); });
}

void TfrmGenerator::buildFileMenu()
{
    mnuPlik = menuBar()->addMenu(QStringLiteral("&Plik"));
    mnuNowy = addCommand(mnuPlik, QStringLiteral("&Nowy"), QKeySequence(Qt::CTRL | Qt::Key_N));
    connect(mnuNowy, &QAction::triggered, this, [this] { mnuNowyClick(mnuNowy); });
    mnuSzablon = addCommand(mnuPlik, QStringLiteral("Nowy z &Szablonu"), QKeySequence(Qt::CTRL | Qt::Key_M));
    mnuOtworz = addCommand(mnuPlik, QStringLiteral("&Otwórz"), QKeySequence(Qt::CTRL | Qt::Key_O));
    connect(mnuOtworz, &QAction::triggered, this, [this] { mnuOtworzClick(mnuOtworz); });
    mnu4MRU = mnuPlik->addSeparator();
    mnuZapisz = addCommand(mnuPlik, QStringLiteral("&Zapisz"), QKeySequence(Qt::CTRL | Qt::Key_S));
    connect(mnuZapisz, &QAction::triggered, this, [this] { mnuZapiszClick(mnuZapisz); });
    mnuZapiszJako = addCommand(mnuPlik, QStringLiteral("Z&apisz jako ..."),
                               QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    connect(mnuZapiszJako, &QAction::triggered, this, [this] {
        m_project.mnuZapiszjakoClick(mnuZapiszJako);
        projectOpened();
    });
    mnuExportuj = addCommand(mnuPlik, QStringLiteral("Exportuj jako INFOCD"));
    connect(mnuExportuj, &QAction::triggered, this, [this] { m_project.Exportujinfocdromu1Click(mnuExportuj); });
    mnuZapiszJakoSzablon = addCommand(mnuPlik, QStringLiteral("Zapisz jako szablon"),
                                      QKeySequence(Qt::CTRL | Qt::Key_W));
    connect(mnuZapiszJakoSzablon, &QAction::triggered, this,
            [this] { m_project.mnuZapiszJakoSzablonClick(mnuZapiszJakoSzablon); });
    mnuPlik->addSeparator();
    // Alt+F4 closes the window it is pressed in, as everywhere on the desktop.
    mnuZakoncz = addCommand(mnuPlik, QStringLiteral("&Zakończ"), QKeySequence(Qt::ALT | Qt::Key_F4));
    mnuZakoncz->setShortcutContext(Qt::WindowShortcut);
    connect(mnuZakoncz, &QAction::triggered, this, &QWidget::close);
}

void TfrmGenerator::buildEditAndViewMenus()
{
    mnuEdycja = menuBar()->addMenu(QStringLiteral("&Edycja"));
    mnuCofnij = addCommand(mnuEdycja, QStringLiteral("&Cofnij"), QKeySequence(Qt::CTRL | Qt::Key_Z));
    mnuPonow = addCommand(mnuEdycja, QStringLiteral("&Ponów"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    mnuHistoria = addCommand(mnuEdycja, QStringLiteral("Historia czynności"), QKeySequence(Qt::CTRL | Qt::Key_H));
    mnuRozmiarBMP = addCommand(mnuEdycja, QStringLiteral("Rozmiar okna = rozmiar BMP"));

    mnuWidok = menuBar()->addMenu(QStringLiteral("&Widok"));
    mnuObiekty = addCommand(mnuWidok, QStringLiteral("&Obiekty menu"), QKeySequence(Qt::Key_F11));
    mnuObiekty->setCheckable(true);
    connect(mnuObiekty, &QAction::triggered, this, [this] { mnuObiektyClick(mnuObiekty); });
    mnuMenadzer = addCommand(mnuWidok, QStringLiteral("Menadżer projektu"), QKeySequence(Qt::Key_F6));
    mnuOdswiez = addCommand(mnuWidok, QStringLiteral("Odśwież okno menu"), QKeySequence(Qt::Key_F5));
    mnuPasek = addCommand(mnuWidok, QStringLiteral("Pasek narzędziowy"), QKeySequence(Qt::Key_F4));
    mnuPasek->setCheckable(true);
    connect(mnuPasek, &QAction::triggered, this, [this] { mnuPasekClick(mnuPasek); });
}

void TfrmGenerator::buildProjectMenus()
{
    mnuProjekt = menuBar()->addMenu(QStringLiteral("&Projekt"));
    mnuGeneruj = addCommand(mnuProjekt, QStringLiteral("&Generuj"), QKeySequence(Qt::CTRL | Qt::Key_F9));
    mnuTestuj = addCommand(mnuProjekt, QStringLiteral("&Testuj"), QKeySequence(Qt::Key_F9));
    mnuOpcjeMenu = addCommand(mnuProjekt, QStringLiteral("&Opcje menu"), QKeySequence(Qt::Key_F10));
    mnuTestujDane = addCommand(mnuProjekt, QStringLiteral("Testuj pliki danych"), QKeySequence(Qt::CTRL | Qt::Key_F));
    mnuWymagane = addCommand(mnuProjekt, QStringLiteral("Wymagane pliki projektu"));
    mnuZrodlo = addCommand(mnuProjekt, QStringLiteral("&Edytuj źródło"), QKeySequence(Qt::Key_F12));
    connect(mnuZrodlo, &QAction::triggered, this, [this] { mnuZrodloClick(mnuZrodlo); });
    mnuZmienSciezki = addCommand(mnuProjekt, QStringLiteral("Zmień ścieżki dostępu"));

    mnuAutostartMenu = menuBar()->addMenu(QStringLiteral("&Autostart"));
    mnuAutostart = addCommand(mnuAutostartMenu, QStringLiteral("&Animacja i BMP"), QKeySequence(Qt::CTRL | Qt::Key_A));
    mnuTestujAutostart = addCommand(mnuAutostartMenu, QStringLiteral("Testuj z autostartem"),
                                    QKeySequence(Qt::SHIFT | Qt::Key_F9));

    mnuDzwiekMenu = menuBar()->addMenu(QStringLiteral("&Dźwięk"));
    // Ctrl+M belongs to "Nowy z Szablonu"; a second item on it would never fire.
    mnuDzwiek = addCommand(mnuDzwiekMenu, QStringLiteral("&Muzyka i dźwięki"));
}

void TfrmGenerator::buildToolsAndHelpMenus()
{
    mnuNarzedzia = menuBar()->addMenu(QStringLiteral("&Narzędzia"));
    mnuZazavaDanych = addCommand(mnuNarzedzia, QStringLiteral("&Zazava danych"), QKeySequence(Qt::CTRL | Qt::Key_D));
    mnuZazavaBMP = addCommand(mnuNarzedzia, QStringLiteral("Zazava &BMP"), QKeySequence(Qt::CTRL | Qt::Key_B));
    mnuKonfiguracja = addCommand(mnuNarzedzia, QStringLiteral("&Konfiguracja"), QKeySequence(Qt::CTRL | Qt::Key_K));
    connect(mnuKonfiguracja, &QAction::triggered, this, [this] { mnuKonfiguracjaClick(mnuKonfiguracja); });

    mnuPomoc = menuBar()->addMenu(QStringLiteral("&Pomoc"));
    // The author always sees which folder the CD is made of.
    lblKatalogPlyty = new QLabel(menuBar());
    lblKatalogPlyty->setObjectName(QStringLiteral("lblKatalogPlyty"));
    lblKatalogPlyty->setContentsMargins(8, 0, 8, 0);
    menuBar()->setCornerWidget(lblKatalogPlyty, Qt::TopRightCorner);
    mnuTematy = addCommand(mnuPomoc, QStringLiteral("&Tematy pomocy"), QKeySequence(Qt::Key_F1));
    connect(mnuTematy, &QAction::triggered, this, [this] { mnuTematyClick(mnuTematy); });
    mnuPodpowiedzi = addCommand(mnuPomoc, QStringLiteral("&Podpowiedzi"), QKeySequence(Qt::Key_F2));
    mnuPodpowiedzi->setCheckable(true);
    connect(mnuPodpowiedzi, &QAction::triggered, this, [this] { mnuPodpowiedziClick(mnuPodpowiedzi); });
    mnuInformacja = addCommand(mnuPomoc, QStringLiteral("&Informacja o..."));
    connect(mnuInformacja, &QAction::triggered, this, [this] { mnuInformacjaClick(mnuInformacja); });
}

TToolbarButton *TfrmGenerator::addToolbarButton(const QString &name, const QString &caption, const QString &hint,
                                                QAction *command, const QString &hintKey)
{
    auto *button = new TToolbarButton(pasekPodstawowy);
    button->setObjectName(name);
    button->setCaption(caption);
    button->setHint(hint);
    button->setShowHint(true);
    button->setFlat(true);
    button->setFixedSize(qMax(28, button->fontMetrics().horizontalAdvance(caption) + 14), 26);
    button->setEnabled(command->isEnabled());
    button->OnClick = [command](QObject *) { command->trigger(); };
    connect(command, &QAction::changed, button, [button, command] { button->setEnabled(command->isEnabled()); });
    if (!hintKey.isEmpty())
        button->setProperty(kHintKey, hintKey);
    return button;
}

void TfrmGenerator::buildToolbar()
{
    // The dock fills the strip under the menu; the window is as high as both.
    // fitHeight places it: the main window's layout would move an empty
    // dock out of sight, where no floating bar could be dropped onto it.
    Doki = new TDock(this);
    Doki->setObjectName(QStringLiteral("Doki"));
    pasekPodstawowy = new TToolbar(this);
    pasekPodstawowy->setObjectName(QStringLiteral("pasekPodstawowy"));
    pasekPodstawowy->setCaption(QStringLiteral("Podstawowy"));
    speedNowy = addToolbarButton(QStringLiteral("speedNowy"), QStringLiteral("Nowy"), QStringLiteral("Nowy"), mnuNowy);
    speedSzablon = addToolbarButton(QStringLiteral("speedSzablon"), QStringLiteral("Szablon"),
                                    QStringLiteral("Wzorzec konfiguracji"), mnuSzablon);
    speedOtworz = addToolbarButton(QStringLiteral("speedOtworz"), QStringLiteral("Otwórz"), QStringLiteral("Otwórz"),
                                   mnuOtworz);
    speedZapisz = addToolbarButton(QStringLiteral("speedZapisz"), QStringLiteral("Zapisz"), QStringLiteral("Zapisz"),
                                   mnuZapisz);
    new TToolbarSep(pasekPodstawowy);
    speedCofnij = addToolbarButton(QStringLiteral("speedCofnij"), QStringLiteral("Cofnij"), QStringLiteral("Cofnij"),
                                   mnuCofnij);
    speedPonow = addToolbarButton(QStringLiteral("speedPonow"), QStringLiteral("Ponów"), QStringLiteral("Ponów"),
                                  mnuPonow);
    new TToolbarSep(pasekPodstawowy);
    speedGeneruj = addToolbarButton(QStringLiteral("speedGeneruj"), QStringLiteral("Generuj"),
                                    QStringLiteral("Generuj"), mnuGeneruj);
    speedTestuj = addToolbarButton(QStringLiteral("speedTestuj"), QStringLiteral("Testuj"),
                                   QStringLiteral("Testuj projekt"), mnuTestuj);
    speedNotatnik = addToolbarButton(QStringLiteral("speedNotatnik"), QStringLiteral("Źródło"),
                                     QStringLiteral("Edytuj źródło"), mnuZrodlo);
    speedAutoStart = addToolbarButton(QStringLiteral("speedAutoStart"), QStringLiteral("Autostart"),
                                      QStringLiteral("Autostart - konfiguracja"), mnuAutostart, QStringLiteral("Intro"));
    speedDzwiek = addToolbarButton(QStringLiteral("speedDzwiek"), QStringLiteral("Dźwięk"),
                                   QStringLiteral("Konfiguracja dźwięku"), mnuDzwiek);
    new TToolbarSep(pasekPodstawowy);
    speedDane = addToolbarButton(QStringLiteral("speedDane"), QStringLiteral("RV3"), QStringLiteral("Zazava danych"),
                                 mnuZazavaDanych, QStringLiteral("RV3"));
    speedZazavaBMP = addToolbarButton(QStringLiteral("speedZazavaBMP"), QStringLiteral("BMP"),
                                      QStringLiteral("Zazava bitmap"), mnuZazavaBMP, QStringLiteral("BMP"));
    new TToolbarSep(pasekPodstawowy);
    speedUseKlamra = new TMenuButton(pasekPodstawowy);
    speedUseKlamra->setObjectName(QStringLiteral("speedUseKlamra"));
    speedUseKlamra->setCaption(QStringLiteral("Klamra"));
    speedUseKlamra->setHint(QStringLiteral("Kliknięcie zaznacza obiekt"));
    speedUseKlamra->setShowHint(true);
    // A switch: it stays down until clicked again.
    speedUseKlamra->setGroupIndex(1);
    speedUseKlamra->setAllowAllUp(true);
    speedUseKlamra->setFixedSize(speedUseKlamra->fontMetrics().horizontalAdvance(QStringLiteral("Klamra")) + 14, 26);
    speedUseKlamra->OnClick = [this](QObject *sender) { speedUseKlamraClick(sender); };
    speedUseKlamra->setProperty(kHintKey, QStringLiteral("KliknięcieZaznacza"));
    pasekPodstawowy->setDockedTo(Doki);
    pasekPodstawowy->OnClose = [this](QObject *) { toolbarVisibilityChanged(); };
    Doki->OnInsertRemoveBar = [this](QObject *, bool, TToolbar *) { toolbarVisibilityChanged(); };
    Doki->OnResize = [this](QObject *) { fitHeight(); };
}

void TfrmGenerator::buildRecentFiles()
{
    MRU = new TMRUFileList(this);
    MRU->setObjectName(QStringLiteral("MRU"));
    MRU->setRemoveOnClick(false);
    MRU->setUseSubmenu(true);
    MRU->setSubmenuName(QStringLiteral("&Otwórz ponownie"));
    MRU->setAutoSaveName(QStringLiteral("\\Software\\Zeltrin Software\\Dodorurav\\2.1"));
    MRU->setAutoSaveKey(QStringLiteral("Historia"));
    MRU->setSeparator(false);
    MRU->setHint(QStringLiteral("Ostatnio otwarte"));
    MRU->setFileMenu(mnu4MRU);
    MRU->OnMRUItemClick = [this](QObject *, const QString &fileName) { MRUMRUItemClick(fileName); };
    m_context.MRU = MRU;
}

void TfrmGenerator::toolbarVisibilityChanged()
{
    // Only a toolbar hidden on its own unticks the item, not one hidden
    // along with the window.
    mnuPasek->setChecked(pasekPodstawowy->isVisibleSet());
    fitHeight();
}

void TfrmGenerator::fitHeight()
{
    const QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const int width = screen ? screen->availableGeometry().width() : 1024;
    const int menu = menuBar()->sizeHint().height();
    Doki->setGeometry(0, menu, width, Doki->height());
    const int height = menu + Doki->height();
    setFixedSize(width, height);
    const int frame = isVisible() ? frameGeometry().height() - geometry().height() : 0;
    m_context.MainWindowHeight = height + frame;
}

void TfrmGenerator::connectOutsideCommands()
{
    plugIn(mnuGeneruj, [this] {
        runGenerationDialog(this, m_context, m_config);
        showCdFolder();
    }, true);
    plugIn(mnuTestuj, [this] { m_outside->testRun(TestProgram::Runtime); }, false);
    plugIn(mnuTestujAutostart, [this] { m_outside->testRun(TestProgram::Autostart); }, false);
    plugIn(mnuZazavaDanych, [this] { m_outside->startDataEditor(); }, false);
    plugIn(mnuZazavaBMP, [this] { m_outside->startBitmapEditor(); }, false);
    plugIn(mnuSzablon, [this] { mnuSzablonClick(mnuSzablon); }, false);
    plugIn(mnuTestujDane, [this] { runDataFileChecker(this, m_context); }, true);
    const ProjectOpener opener{[this] { return m_project.Zapisz(); }, [this](const QString &file) { openProject(file); }};
    plugIn(mnuMenadzer, [this, opener] { runProjectManager(this, m_context, *m_outside, opener); }, true);
    plugIn(mnuWymagane, [this] {
        runRequiredFiles(this, m_context.ProjectIni->fileName(), m_context.DriveRoot, m_context.MpegDllPath);
    }, true);
    plugIn(mnuZmienSciezki, [this] {
        runPathChange(this, {m_context.ProjectIni->fileName(), m_context.DriveRoot, [this] { return saveQuestion(); },
                             [this](const QString &file) { openProject(file); }});
    }, true);
    auto *align = new AlignCommand(m_context, *m_selection, this);
    connect(m_selection->mnuAlign, &QAction::triggered, align, [align] { align->run(); });
}

void TfrmGenerator::connectSettingsDialogs()
{
    plugIn(mnuDzwiek, [this] { runSoundDialog(this, m_context, m_players); }, true);
    plugIn(mnuAutostart, [this] { runStartScreenDialog(this, m_context); }, true);
    plugIn(mnuOpcjeMenu, [this] { runMenuOptionsDialog(this, m_context); }, true);
}

QList<QAction *> TfrmGenerator::commands() const
{
    return m_commands;
}

bool TfrmGenerator::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate)
        FormActivate();
    // A desktop that keeps a new window inactive (focus stealing
    // prevention, no window manager) must not keep the project closed: the
    // first showing counts as the first activation.
    if (event->type() == QEvent::Show && m_firstActivation)
        QTimer::singleShot(0, this, &TfrmGenerator::FormActivate);
    return QMainWindow::event(event);
}

bool TfrmGenerator::eventFilter(QObject *watched, QEvent *event)
{
    // The pointer over a control with a hint shows its text; the toolbar's
    // buttons with keys of their own show those.
    if (m_asystent && event->type() == QEvent::Enter && watched->isWidgetType()) {
        const QString key = watched->property(kHintKey).toString();
        const QString hint = static_cast<QWidget *>(watched)->toolTip();
        if (!key.isEmpty())
            Asystuj(key);
        else if (!hint.isEmpty())
            AsystaHintowa(hint);
    }
    return QMainWindow::eventFilter(watched, event);
}

void TfrmGenerator::closeEvent(QCloseEvent *event)
{
    if (!saveQuestion()) {
        event->ignore();
        return;
    }
    writeOptions();
    MRU->SaveToRegistry();
    if (m_asystent)
        m_asystent->close();
    if (m_undoWindow && m_undoWindow->isVisible())
        m_undoWindow->close();
    m_palette->hide();
    if (m_context.Surface)
        m_context.Surface->hide();
    m_context.ProjectIni.reset();
    event->accept();
    if (OnClosed)
        OnClosed();
}
