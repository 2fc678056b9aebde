#include "datmain.h"
#include "editormessages.h"

#include <buttons/toolbarbutton.h>
#include <dialogs.h>
#include <dock/toolbar.h>
#include <mru/mrufilelist.h>
#include <dirtree/dirtree.h>
#include <shell/filedrag.h>
#include <filelist/filelistview.h>
#include <lists/horlistbox.h>
#include <inlineedit/inedit.h>
#include <inputbox/inputbox.h>
#include <launcher.h>
#include <paths.h>
#include <safefile.h>
#include <cp1250.h>
#include <disksearch/znajdz.h>
#include <musicscan/musicscan.h>

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QShortcut>
#include <QSplitter>
#include <QStatusBar>
#include <QVBoxLayout>

using DataFile::Program;
namespace Msg = EditorMessages;

namespace {

// The open and save dialogs' filter, in the dialogs' own form.
const QString kDataFilter = QStringLiteral("Plik danych (*.RV3 *.rv3);;Plik danych (*.RV3 *.RV2 *.rv3 *.rv2);;"
                                           "Wszystkie pliki (*)");
const QString kTextFilter = QStringLiteral("Plik tekstowe (*.TXT *.txt);;Wszystkie pliki (*)");
const QString kColumnsKey = QStringLiteral("\\Software\\ZELTRIN Software\\Dodorurav\\2.0\\Dane\\Pliki");

const QStringList &systemNames()
{
    static const QStringList names{
        QStringLiteral("Windows 95"),
        QStringLiteral("Windows 95 & Windows NT 4.0"),
        QStringLiteral("Windows 3.xx"),
        QStringLiteral("Windows 3.xx + Win32"),
        QStringLiteral("Windows 98"),
        QStringLiteral("Windows 98 & Windows NT 5.0"),
        QStringLiteral("DOS"),
    };
    return names;
}

const QStringList &setupNames()
{
    static const QStringList names{QStringLiteral("setup.exe"), QStringLiteral("install.exe"),
                                   QStringLiteral("setup32.exe")};
    return names;
}

bool isInside(const QString &path, const QString &folder)
{
    return folder == QStringLiteral("/") || path == folder || path.startsWith(folder);
}

} // namespace

T_Form1::T_Form1(const QString &configPath, QWidget *parent)
    : QMainWindow(parent)
    , m_configPath(configPath)
{
    setObjectName(QStringLiteral("_Form1"));
    buildActions();
    buildMenus();
    buildToolbar();
    buildCentre();
    buildRecentFiles();
    StatusBar1 = statusBar();
    FileDrag1 = new TFileDrag(this);
    FileDrag1->OnDrop = [this](QObject *) {
        if (FileDrag1->fileCount() > 0)
            LoadINI(FileDrag1->nameWithPath().first());
    };
    m_config = ZazavaConfig::read(m_configPath);
    applyConfig();
    buildSearchDialogs();
    MRU->loaded();
    updateCaption();
    showDocument();
}

T_Form1::~T_Form1() = default;

// ------------------------------------------------------------------ building

void T_Form1::buildActions()
{
    auto make = [this](const QString &text, const QKeySequence &key, auto slot) {
        auto *action = new QAction(text, this);
        if (!key.isEmpty())
            action->setShortcut(key);
        connect(action, &QAction::triggered, this, slot);
        addAction(action);
        return action;
    };
    mnuNowy = make(QStringLiteral("&Nowy"), QKeySequence(Qt::CTRL | Qt::Key_N), [this] { NowyClick(); });
    mnuOtworz = make(QStringLiteral("&Otwórz"), QKeySequence(Qt::CTRL | Qt::Key_O), [this] { OtworzClick(); });
    mnuZapisz = make(QStringLiteral("Z&apisz"), QKeySequence(Qt::CTRL | Qt::Key_S), [this] { ZapiszClick(); });
    mnuZapiszJako = make(QStringLiteral("Za&pisz jako ... "), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S),
                         [this] { ZapiszJakoClick(); });
    mnuZakoncz = make(QStringLiteral("&Zakończ"), QKeySequence(Qt::ALT | Qt::Key_F4), [this] { close(); });
    mnuPasek = make(QStringLiteral("&Pasek narzędziowy"), {}, [this](bool on) {
        Pasek->setVisible(on);
        m_config.toolbar = on;
    });
    mnuPasek->setCheckable(true);
    mnuOpcjonalne = make(QStringLiteral("Pola opcjonalne"), {}, [this](bool on) {
        pnlOpcjonalne->setVisible(on);
        m_config.optional = on;
    });
    mnuOpcjonalne->setCheckable(true);
    mnuOdswiez = make(QStringLiteral("Odśwież drzewo"), QKeySequence(Qt::CTRL | Qt::Key_R), [this] { OdswiezClick(); });
    mnuNotatnik = make(QStringLiteral("Edycja w notatniku"), QKeySequence(Qt::Key_F4), [this] { NotatnikClick(); });
    mnuSkanuj = make(QStringLiteral("&Skanuj katalog"), QKeySequence(Qt::Key_F5), [this] { SkanujClick(); });
    mnuSkanujMP3 = make(QStringLiteral("Skanowanie dla MP3/VQF"), {}, [this] { SkanujMP3Click(); });
    mnuNazwaKategorii = make(QStringLiteral("Nazwa kategorii"), QKeySequence(Qt::Key_F2),
                             [this] { NazwaKategoriiClick(); });
    mnuOpisKategorii = make(QStringLiteral("Opis kategorii"), QKeySequence(Qt::Key_F3),
                            [this] { OpisKategoriiClick(); });
    mnuSpisKatalog = make(QStringLiteral("Nazwa + katalog"), {},
                          [this] { SpisClick(&Program::katalog, QStringLiteral(" - Spis katalogów")); });
    mnuSpisOpis = make(QStringLiteral("Nazwa + opis"), {},
                       [this] { SpisClick(&Program::opis, QStringLiteral(" - Spis opisów")); });
    mnuSpisNumer = make(QStringLiteral("Nazwa + numer seryjny"), {},
                        [this] { SpisClick(&Program::numer, QStringLiteral(" - Spis numerów")); });
    // No help file is shipped for this platform.
    mnuPomoc = make(QStringLiteral("&Tematy pomocy"), QKeySequence(Qt::Key_F1), [] {});
    mnuPomoc->setEnabled(false);
    mnuInformacja = make(QStringLiteral("&Informacja o ..."), {}, [this] {
        Platform::Dialogs::instance().about(this, Msg::formCaption(), Msg::applicationTitle());
    });
    mnuZmienNazwe = make(QStringLiteral("&Zmień nazwę"), QKeySequence(Qt::Key_F6), [this] { ZmienNazweClick(); });
    mnuUsun = new QAction(QStringLiteral("&Usuń"), this);
    mnuUsun->setShortcut(QKeySequence(Qt::Key_Delete));
    mnuUsun->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(mnuUsun, &QAction::triggered, this, [this] { UsunClick(); });
}

void T_Form1::buildMenus()
{
    QMenu *plik = menuBar()->addMenu(QStringLiteral("&Plik"));
    plik->addAction(mnuNowy);
    plik->addAction(mnuOtworz);
    plik->addAction(mnuZapisz);
    plik->addAction(mnuZapiszJako);
    QMenu *spis = plik->addMenu(QStringLiteral("Spis programów"));
    spis->addAction(mnuSpisKatalog);
    spis->addAction(mnuSpisOpis);
    spis->addAction(mnuSpisNumer);
    plik->addSeparator();
    plik->addAction(mnuZakoncz);

    QMenu *widok = menuBar()->addMenu(QStringLiteral("&Widok"));
    widok->addAction(mnuPasek);
    widok->addAction(mnuOpcjonalne);
    widok->addAction(mnuOdswiez);

    QMenu *narzedzia = menuBar()->addMenu(QStringLiteral("&Narzędzia"));
    narzedzia->addAction(mnuNazwaKategorii);
    narzedzia->addAction(mnuOpisKategorii);
    narzedzia->addSeparator();
    narzedzia->addAction(mnuNotatnik);
    narzedzia->addAction(mnuSkanuj);
    narzedzia->addAction(mnuSkanujMP3);

    QMenu *pomoc = menuBar()->addMenu(QStringLiteral("Pomo&c"));
    pomoc->addAction(mnuPomoc);
    pomoc->addAction(mnuInformacja);
}

TToolbarButton *T_Form1::addToolbarButton(const QString &caption, const QString &hint, QAction *command)
{
    auto *button = new TToolbarButton(Pasek);
    button->setCaption(caption);
    button->setHint(hint);
    button->setShowHint(true);
    button->resize(qMax(23, button->fontMetrics().horizontalAdvance(caption) + 14), 22);
    if (command) {
        button->setEnabled(command->isEnabled());
        button->OnClick = [command](QObject *) { command->trigger(); };
        connect(command, &QAction::changed, button, [button, command] { button->setEnabled(command->isEnabled()); });
    }
    return button;
}

void T_Form1::buildToolbar()
{
    // The dock lies on the central widget above the panels (buildCentre).
    Doki = new TDock(this);
    Doki->setObjectName(QStringLiteral("Doki"));
    Pasek = new TToolbar(this);
    Pasek->setObjectName(QStringLiteral("Pasek"));
    btnNew = addToolbarButton(QStringLiteral("Nowy"), QStringLiteral("Nowy"), mnuNowy);
    btnOpen = addToolbarButton(QStringLiteral("Otwórz"), QStringLiteral("Otwórz"), mnuOtworz);
    btnSave = addToolbarButton(QStringLiteral("Zapisz"), QStringLiteral("Zapisz"), mnuZapisz);
    new TToolbarSep(Pasek);
    btnPopraw = addToolbarButton(QStringLiteral("Poprawki"),
                                 QStringLiteral("Jeśli wciśnięty to aktualizacji ulegają tylko niektóre pola"), nullptr);
    // A switch: down until pressed again.
    btnPopraw->setGroupIndex(1);
    btnPopraw->setAllowAllUp(true);
    btnSkanuj = addToolbarButton(QStringLiteral("Skanuj"), QStringLiteral("Skanuj katalog"), mnuSkanuj);
    new TToolbarSep(Pasek);
    edtNazwaKat = new QLineEdit(Pasek);
    edtNazwaKat->setReadOnly(true);
    edtNazwaKat->setToolTip(QStringLiteral("Nazwa kategorii"));
    edtNazwaKat->resize(160, 22);
    edtNazwaKat->installEventFilter(this);
    edtOpisKategorii = new QLineEdit(Pasek);
    edtOpisKategorii->setReadOnly(true);
    edtOpisKategorii->setToolTip(QStringLiteral("Opis kategorii"));
    edtOpisKategorii->resize(280, 22);
    edtOpisKategorii->installEventFilter(this);
    Pasek->setDockedTo(Doki);
    // Closed by its square while floating: the menu item and Zazava.cfg
    // follow.
    Pasek->OnClose = [this](QObject *) {
        mnuPasek->setChecked(false);
        m_config.toolbar = false;
    };
}

void T_Form1::buildRecentFiles()
{
    MRU = new TMRUFileList(this);
    MRU->setObjectName(QStringLiteral("MRU"));
    MRU->setRemoveOnClick(false);
    MRU->setUseSubmenu(true);
    MRU->setSubmenuName(QStringLiteral("Otwórz ponownie"));
    MRU->setAutoSaveName(QStringLiteral("\\Software\\ZELTRIN Software\\Dodorurav\\2.0\\Dane"));
    MRU->setAutoSaveKey(QStringLiteral("Historia"));
    MRU->setSeparator(false);
    MRU->setFileMenu(mnuZapisz);
    MRU->OnMRUItemClick = [this](QObject *, const QString &fileName) { LoadINI(fileName); };
}

QComboBox *T_Form1::makeFieldBox()
{
    auto *box = new QComboBox(this);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    // Else Enter on a text that another program has would make that
    // program the current one before the text is stored.
    box->setDuplicatesEnabled(true);
    box->setMinimumContentsLength(10);
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    return box;
}

QWidget *T_Form1::makeFieldsPanel()
{
    auto *panel = new QWidget(this);
    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(4, 4, 4, 4);
    edtKat_KOPI = makeFieldBox();
    edtKat_PRG = makeFieldBox();
    edtSetup = makeFieldBox();
    edtZrzut = makeFieldBox();
    edtNumer = makeFieldBox();
    edtSystem = makeFieldBox();
    edtAmbitnyOpis = makeFieldBox();
    edtRozmiar = makeFieldBox();
    edtInfo = makeFieldBox();
    m_fields = {{{edtKat_KOPI, &Program::kopia},
                 {edtKat_PRG, &Program::katalog},
                 {edtSetup, &Program::setup},
                 {edtZrzut, &Program::zrzut},
                 {edtNumer, &Program::numer},
                 {edtSystem, &Program::system},
                 {edtAmbitnyOpis, &Program::ambitny},
                 {edtRozmiar, &Program::rozmiar},
                 {edtInfo, &Program::info}}};
    for (const FieldBox &fieldBox : m_fields) {
        connect(fieldBox.box->lineEdit(), &QLineEdit::returnPressed, this, [this, fieldBox] { fieldEntered(fieldBox); });
        connect(fieldBox.box, &QComboBox::activated, this, [this](int row) { selectProgram(row); });
    }

    auto *always = new QFormLayout;
    lblKatalog = new QLabel(QStringLiteral("Katalog z programem"), panel);
    lblKatalog->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(lblKatalog, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { showLabelMenu(lblKatalog, lblKatalog->mapToGlobal(pos)); });
    always->addRow(QStringLiteral("Katalog kopi na dysku twardym"), edtKat_KOPI);
    always->addRow(lblKatalog, edtKat_PRG);
    always->addRow(QStringLiteral("Plik programu instalacyjnego:"), edtSetup);
    always->addRow(QStringLiteral(" Zrzut ekranowy:"), edtZrzut);
    layout->addLayout(always);

    pnlOpcjonalne = new QWidget(panel);
    auto *optional = new QFormLayout(pnlOpcjonalne);
    optional->setContentsMargins(0, 0, 0, 0);
    lblSystem = new QLabel(QStringLiteral("System"), pnlOpcjonalne);
    lblSystem->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(lblSystem, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { showLabelMenu(lblSystem, lblSystem->mapToGlobal(pos)); });
    optional->addRow(QStringLiteral("Numer Seryjny"), edtNumer);
    optional->addRow(lblSystem, edtSystem);
    optional->addRow(QStringLiteral("Plik dodatkowego opisu"), edtAmbitnyOpis);
    optional->addRow(QStringLiteral("Rozmiar programu instalacyjnego:"), edtRozmiar);
    optional->addRow(QStringLiteral("Krótka informacja np. autor lub prodecent programu:"), edtInfo);
    layout->addWidget(pnlOpcjonalne);
    layout->addStretch();
    return panel;
}

void T_Form1::buildCentre()
{
    splitPion = new QSplitter(Qt::Horizontal, this);
    auto *left = new QSplitter(Qt::Vertical, splitPion);
    Dirs = new TEditorDirTree(left);
    Dirs->OnAddDir = [this](QObject *, const QString &path, bool &doAdd) {
        // Only the data file's drive: its root, the folders on the way to it
        // and the folders below it.
        const QString root = m_document.driveRoot();
        doAdd = isInside(path, root) || root.startsWith(path);
    };
    Dirs->OnChange = [this](QObject *, QTreeWidgetItem *) {
        const QString path = Dirs->GetSelectedDir();
        if (path != QStringLiteral("?"))
            folderChosen(path);
    };
    auto *filesPanel = new QWidget(left);
    auto *filesLayout = new QVBoxLayout(filesPanel);
    filesLayout->setContentsMargins(0, 0, 0, 0);
    Files = new TFileList(filesPanel);
    Files->SaveSettings.AutoSave = true;
    Files->SaveSettings.RegistryKey = kColumnsKey;
    Files->loadColumnSettings();
    Files->OnSelectionChange = [this](QObject *) { showSelectedFile(); };
    Files->OnDblClick = [this](QObject *, int row) { filesDoubleClick(row); };
    Files->OnContextMenu = [this](QObject *, const QPoint &at) {
        QMenu *menu = buildFilesMenu();
        menu->exec(at);
        menu->deleteLater();
    };
    edtPlik = new QLineEdit(filesPanel);
    edtPlik->setReadOnly(true);
    filesLayout->addWidget(Files);
    filesLayout->addWidget(edtPlik);

    auto *right = new QWidget(splitPion);
    auto *rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    splitNazwy = new QSplitter(Qt::Horizontal, right);
    lstNazwy = new THListBox(splitNazwy);
    lstOpis = new THListBox(splitNazwy);
    InEdit1 = new TInEdit(lstOpis->viewport());
    InEdit2 = new TInEdit(lstNazwy->viewport());
    for (TInEdit *edit : {InEdit1, InEdit2}) {
        edit->hide();
        edit->OnGoingOff = [this, edit](QObject *, int reason, const QString &value, bool &allowExit) {
            inEditGoingOff(edit, reason, value, allowExit);
        };
    }
    for (THListBox *list : {lstNazwy, lstOpis}) {
        connect(list, &QListWidget::currentRowChanged, this, [this](int row) {
            if (!m_showing && row >= 0)
                selectProgram(row);
        });
        list->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(list, &QWidget::customContextMenuRequested, this, [this, list](const QPoint &pos) {
            updateNameMenu();
            QMenu menu;
            menu.addAction(mnuZmienNazwe);
            menu.addAction(mnuUsun);
            menu.exec(list->viewport()->mapToGlobal(pos));
        });
        list->addAction(mnuUsun);
    }
    connect(lstNazwy, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem *item) { editNameInPlace(lstNazwy->row(item)); });
    connect(lstOpis, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem *item) { editDescriptionInPlace(lstOpis->row(item)); });
    keepPaneWidths();
    rightLayout->addWidget(splitNazwy, 1);
    rightLayout->addWidget(makeFieldsPanel());
    auto *centre = new QWidget(this);
    auto *centreLayout = new QVBoxLayout(centre);
    centreLayout->setContentsMargins(0, 0, 0, 0);
    centreLayout->setSpacing(0);
    centreLayout->addWidget(Doki);
    centreLayout->addWidget(splitPion, 1);
    setCentralWidget(centre);
}

// The stored widths are the left panel's and the name list's: they keep
// them while the window is laid out or resized, and the parts to their right
// take what is left. A width changes only when its splitter is dragged; a
// window too narrow for all its parts squeezes the left ones only while it is
// that narrow, so that is not what is stored.
void T_Form1::keepPaneWidths()
{
    splitPion->setStretchFactor(1, 1);
    splitNazwy->setStretchFactor(1, 1);
    const auto keepDragged = [this](QSplitter *splitter, int ZazavaConfig::*width) {
        connect(splitter, &QSplitter::splitterMoved, this, [this, splitter, width] {
            if (const int dragged = splitter->sizes().first(); dragged > 0)
                m_config.*width = dragged;
        });
    };
    keepDragged(splitPion, &ZazavaConfig::pion);
    keepDragged(splitNazwy, &ZazavaConfig::pion1);
}

void T_Form1::buildSearchDialogs()
{
    frmZnajdz = new T_frmZnajdz(*this, m_configPath, this);
    frmMP3 = new T_frmMP3(*this, this);
    // Esc stops the walks, here and in the search windows (tool windows of
    // this one, whose keys reach its shortcuts); only while one runs, so the
    // in-place editors keep their own Esc.
    m_stopSearches = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    m_stopSearches->setEnabled(false);
    connect(m_stopSearches, &QShortcut::activated, this, [this] {
        frmZnajdz->stopSearch();
        frmMP3->stopSearch();
    });
    for (TSearchDialog *dialog : {static_cast<TSearchDialog *>(frmZnajdz), static_cast<TSearchDialog *>(frmMP3)}) {
        connect(dialog, &TSearchDialog::searchingChanged, this, [this] {
            m_stopSearches->setEnabled(frmZnajdz->isSearching() || frmMP3->isSearching());
        });
    }
}

// ------------------------------------------------------------ configuration

void T_Form1::applyConfig()
{
    resize(m_config.width, m_config.height);
    move(m_config.left, m_config.top);
    splitPion->setSizes({m_config.pion, std::max(1, m_config.width - m_config.pion)});
    splitNazwy->setSizes({m_config.pion1, std::max(1, m_config.width - m_config.pion - m_config.pion1)});
    Pasek->setVisible(m_config.toolbar);
    mnuPasek->setChecked(m_config.toolbar);
    pnlOpcjonalne->setVisible(m_config.optional);
    mnuOpcjonalne->setChecked(m_config.optional);
}

void T_Form1::storeConfig()
{
    const bool maximised = isMaximized();
    if (!maximised) {
        m_config.width = width();
        m_config.height = height();
        m_config.top = y();
        m_config.left = x();
    }
    m_config.write(m_configPath, maximised);
}

// ------------------------------------------------------------------ showing

void T_Form1::updateCaption()
{
    const QString name = m_document.fileName();
    setWindowTitle(name.isEmpty() ? Msg::formCaption()
                                  : Msg::formCaption() + QStringLiteral(" - ") + name);
}

// Fills the lists and the boxes' drop-down lists from the programs.
void T_Form1::showDocument()
{
    m_showing = true;
    lstNazwy->clearItems();
    lstOpis->clearItems();
    for (const FieldBox &fieldBox : m_fields)
        fieldBox.box->clear();
    for (const Program &program : m_document.programs()) {
        lstNazwy->addItem(program.name);
        lstOpis->addItem(program.opis);
        for (const FieldBox &fieldBox : m_fields)
            fieldBox.box->addItem(program.*fieldBox.field);
    }
    edtNazwaKat->setText(m_document.category().title);
    edtOpisKategorii->setText(m_document.category().description);
    m_showing = false;
    showCurrent();
}

// Selects the current program's row in both lists and all nine boxes.
void T_Form1::showCurrent()
{
    m_showing = true;
    const int row = m_document.current();
    lstNazwy->setCurrentRow(row);
    lstOpis->setCurrentRow(row);
    for (const FieldBox &fieldBox : m_fields) {
        fieldBox.box->setCurrentIndex(row);
        if (row < 0)
            fieldBox.box->setEditText(QString());
    }
    m_showing = false;
    updateNameMenu();
}

void T_Form1::selectProgram(int row)
{
    if (!m_document.hasFile()) {
        Platform::showMessage(this, Msg::noDataFile(), Msg::applicationTitle(), Platform::MessageButtons::Ok,
                              Platform::MessageIcon::Warning);
        return;
    }
    m_document.setCurrent(row);
    showCurrent();
}

void T_Form1::updateNameMenu()
{
    const bool enabled = m_document.count() > 0 && !inPlaceEditing();
    mnuZmienNazwe->setEnabled(enabled);
    mnuUsun->setEnabled(enabled);
}

void T_Form1::error(const QString &message)
{
    Platform::showMessage(this, message, Msg::formCaption(), Platform::MessageButtons::Ok,
                          Platform::MessageIcon::Error);
}

bool T_Form1::needsFile()
{
    if (m_document.hasFile())
        return true;
    Platform::showMessage(this, Msg::noDataFile(), Msg::applicationTitle(), Platform::MessageButtons::Ok,
                          Platform::MessageIcon::Warning);
    return false;
}

// --------------------------------------------------------------- file work

// True when the caller may go on: nothing unsaved, changes dropped, or
// written. A save that fails stops the caller, so nothing is lost.
bool T_Form1::confirmDiscard(const QString &question)
{
    if (!m_document.isModified())
        return true;
    switch (Platform::showMessage(this, question, Msg::formCaption(), Platform::MessageButtons::YesNoCancel,
                                  Platform::MessageIcon::Question)) {
    case Platform::MessageAnswer::Yes:
        return saveCurrent();
    case Platform::MessageAnswer::No:
        return true;
    default:
        return false;
    }
}

QString T_Form1::askDataFileName(const QString &caption)
{
    QString name = Platform::Dialogs::instance().saveFile(this, caption, m_document.fileName(), kDataFilter);
    if (!name.isEmpty() && QFileInfo(name).suffix().isEmpty())
        name += QStringLiteral(".RV3");
    return name;
}

bool T_Form1::saveCurrent()
{
    if (!m_document.hasFile()) {
        // Changes made before any file was opened (the category texts) get
        // a file of their own instead of being written nowhere.
        const QString name = askDataFileName(QStringLiteral("Zapisz jako"));
        if (name.isEmpty())
            return false;
        const DataFile::Result saved = m_document.saveAs(name);
        if (!saved.ok()) {
            error(saved.message);
            return false;
        }
        updateCaption();
        return true;
    }
    const DataFile::Result saved = m_document.save();
    if (!saved.ok()) {
        error(saved.message);
        return false;
    }
    return true;
}

void T_Form1::LoadINI(const QString &fileName)
{
    if (!confirmDiscard(Msg::saveChanges()))
        return;
    const DataFile::Result opened = m_document.open(fileName);
    if (!opened.ok()) {
        error(opened.message);
        return;
    }
    showNewDocument();
}

// A document just opened or created: its caption, programs and drive.
void T_Form1::showNewDocument()
{
    updateCaption();
    showDocument();
    MRU->AddFile(m_document.fileName());
    // The tree stays with the file: its folder, not the top of its drive.
    Dirs->Reload();
    const QString folder = QFileInfo(m_document.fileName()).absolutePath();
    if (!Dirs->OpenPath(folder))
        Dirs->OpenPath(m_document.driveRoot());
}

void T_Form1::NowyClick()
{
    const QString name = askDataFileName(QStringLiteral("Nowy"));
    if (name.isEmpty() || !confirmDiscard(Msg::saveChanges()))
        return;
    const DataFile::Result created = m_document.createEmpty(name);
    if (!created.ok()) {
        error(created.message);
        return;
    }
    showNewDocument();
}

void T_Form1::OtworzClick()
{
    const QString name =
        Platform::Dialogs::instance().openFile(this, QStringLiteral("Otwórz"), m_document.fileName(), kDataFilter);
    if (!name.isEmpty())
        LoadINI(name);
}

void T_Form1::ZapiszClick()
{
    if (m_document.hasFile() || m_document.isModified())
        saveCurrent();
}

void T_Form1::ZapiszJakoClick()
{
    const QString name = askDataFileName(QStringLiteral("Zapisz jako"));
    if (name.isEmpty())
        return;
    const DataFile::Result saved = m_document.saveAs(name);
    if (!saved.ok())
        error(saved.message);
    updateCaption();
}

void T_Form1::closeEvent(QCloseEvent *event)
{
    if (InEdit1->isVisible() || InEdit2->isVisible())
        setFocus();
    if (!confirmDiscard(Msg::saveChangesInFile(m_document.fileName()))) {
        event->ignore();
        return;
    }
    storeConfig();
    MRU->SaveToRegistry();
    // Their masks are written and their walks stopped.
    frmZnajdz->close();
    frmMP3->close();
    event->accept();
}

void T_Form1::NazwaKategoriiClick()
{
    QString title = m_document.category().title;
    if (!InputBox(this, Msg::categoryNameCaption(), Msg::categoryNamePrompt(), false, title))
        return;
    m_document.setTitle(title);
    edtNazwaKat->setText(title);
}

void T_Form1::OpisKategoriiClick()
{
    QString description = m_document.category().description;
    if (!InputBox(this, Msg::categoryDescCaption(), Msg::categoryDescPrompt(), true, description, kTextFilter,
                  m_document.driveRoot()))
        return;
    m_document.setDescription(description);
    edtOpisKategorii->setText(description);
}

void T_Form1::NotatnikClick()
{
    if (!needsFile())
        return;
    const Platform::LaunchResult started = Platform::Launcher::instance().openAsText(m_document.fileName());
    if (!started)
        error(Msg::startError(m_document.fileName()));
}

void T_Form1::SpisClick(EditorDocument::Field field, const QString &suffix)
{
    if (!needsFile())
        return;
    const QString proposed =
        QFileInfo(m_document.fileName()).absolutePath() + u'/' + m_document.category().title + suffix + QStringLiteral(".txt");
    QString name = Platform::Dialogs::instance().saveFile(this, Msg::indexDialogCaption(), proposed,
                                                          QStringLiteral("Pliki tekstowe (*.txt)"));
    if (name.isEmpty())
        return;
    if (QFileInfo(name).suffix().isEmpty())
        name += QStringLiteral(".txt");
    const Platform::WriteResult written =
        Platform::writeWholeFile(name, Platform::toCp1250(m_document.programIndex(field)));
    if (!written.ok())
        error(DataFile::Messages::writeError(name, written.error));
}

void T_Form1::OdswiezClick()
{
    Dirs->Reload();
}

void T_Form1::SkanujClick()
{
    const QString folder = Dirs->GetSelectedDir();
    if (folder.isEmpty() || folder == QStringLiteral("?")) {
        Platform::showMessage(this, Msg::selectFolderFirst(), Msg::applicationTitle(), Platform::MessageButtons::Ok,
                              Platform::MessageIcon::Warning);
        return;
    }
    frmZnajdz->edtRozpocznij->setText(QDir::toNativeSeparators(folder));
    if (!frmZnajdz->isSearching())
        frmZnajdz->Combo->setCurrentIndex(0);
    frmZnajdz->show();
    frmZnajdz->raise();
    frmZnajdz->activateWindow();
}

void T_Form1::SkanujMP3Click()
{
    frmMP3->show();
    frmMP3->raise();
    frmMP3->activateWindow();
}

// ------------------------------------------------------------ the programs

EditorDocument::AddOutcome T_Form1::DodajNowyPRG(const QString &folder, const QString &setupName)
{
    if (!needsFile())
        return EditorDocument::AddOutcome::Refused;
    const auto added = m_document.addProgram(folder, setupName, btnPopraw->down());
    switch (added.outcome) {
    case EditorDocument::AddOutcome::Nothing:
        break;
    case EditorDocument::AddOutcome::Refused:
        Platform::showMessage(this, added.message, Msg::applicationTitle(), Platform::MessageButtons::Ok,
                              Platform::MessageIcon::Warning);
        break;
    case EditorDocument::AddOutcome::Duplicate:
        Platform::showMessage(this, added.message, Msg::applicationTitle(), Platform::MessageButtons::Ok,
                              Platform::MessageIcon::Warning);
        showCurrent();
        editNameInPlace(added.index);
        break;
    case EditorDocument::AddOutcome::Added:
    case EditorDocument::AddOutcome::Updated:
        showDocument();
        break;
    }
    return added.outcome;
}

EditorDocument::AddOutcome T_Form1::addFoundProgram(const QString &folder, const QString &fileName)
{
    return DodajNowyPRG(folder, fileName);
}

bool T_Form1::isOpenDataFile(const QString &path) const
{
    if (!m_document.hasFile())
        return false;
    const QFileInfo open(m_document.fileName());
    const QFileInfo other(path);
    if (open.exists() && other.exists())
        return open.canonicalFilePath() == other.canonicalFilePath();
    return QDir::cleanPath(open.absoluteFilePath()) == QDir::cleanPath(other.absoluteFilePath());
}

bool T_Form1::mayWriteDataFile(const QString &dataFile)
{
    return !isOpenDataFile(dataFile) || confirmDiscard(Msg::saveChanges());
}

void T_Form1::dataFileWritten(const QString &dataFile)
{
    if (!isOpenDataFile(dataFile))
        return;
    const DataFile::Result opened = m_document.open(m_document.fileName());
    if (!opened.ok()) {
        error(opened.message);
        return;
    }
    updateCaption();
    showDocument();
}

void T_Form1::fieldEntered(const FieldBox &fieldBox)
{
    const int row = m_document.current();
    if (row < 0)
        return;
    const QString text = fieldBox.box->currentText();
    if (!m_document.setField(row, fieldBox.field, text))
        return;
    fieldBox.box->setItemText(row, text);
}

void T_Form1::setSystem(const QString &system)
{
    const int row = m_document.current();
    if (row < 0)
        return;
    m_document.setField(row, &Program::system, system);
    edtSystem->setItemText(row, system);
    edtSystem->setEditText(system);
}

void T_Form1::UsunClick()
{
    if (inPlaceEditing() || m_document.current() < 0)
        return;
    m_document.deleteCurrent();
    showDocument();
}

void T_Form1::UsunDisk1Click()
{
    const EditorDocument::Disk1Fix fix = EditorDocument::disk1Fix(edtKat_PRG->currentText());
    if (!fix.applies)
        return;
    edtKat_PRG->setEditText(fix.katalog);
    edtKat_KOPI->setEditText(fix.kopia);
    const int row = m_document.current();
    const Program *program = m_document.currentProgram();
    if (program && program->name == QStringLiteral("DISK1")) {
        const DataFile::Result renamed = m_document.renameProgram(row, fix.kopia);
        if (!renamed.ok()) {
            Platform::showMessage(this, renamed.message, Msg::applicationTitle(), Platform::MessageButtons::Ok,
                                  Platform::MessageIcon::Warning);
            return;
        }
        lstNazwy->item(row)->setText(fix.kopia);
    }
}

void T_Form1::showLabelMenu(QLabel *label, const QPoint &globalPos)
{
    QMenu menu;
    if (label == lblSystem) {
        for (const QString &name : systemNames())
            menu.addAction(name, this, [this, name] { setSystem(name); });
    } else {
        QMenu *switchTo = menu.addMenu(QStringLiteral("Przełącz na:"));
        const QString root = m_document.driveRoot();
        QString katalog = edtKat_PRG->currentText();
        katalog.chop(1);
        const QString setupFolder = edtSetup->currentText().section(u'\\', 0, -2);
        for (const QString &stored : {katalog, setupFolder}) {
            const QString path = Platform::resolveDocumentPath(root, stored);
            QAction *action = switchTo->addAction(QDir::toNativeSeparators(root) + stored);
            action->setEnabled(!path.isEmpty() && QFileInfo(path).isDir());
            connect(action, &QAction::triggered, this, [this, path] {
                Dirs->OpenPath(path);
                folderChosen(path);
            });
        }
        QAction *disk1 = menu.addAction(QStringLiteral("Usuń \"DISK1\""), this, [this] { UsunDisk1Click(); });
        disk1->setEnabled(EditorDocument::disk1Fix(edtKat_PRG->currentText()).applies);
    }
    menu.exec(globalPos);
}

// ---------------------------------------------------------- in-place edits

bool T_Form1::inPlaceEditing() const
{
    return InEdit1->isVisible() || InEdit2->isVisible();
}

bool T_Form1::placeInEdit(TInEdit *edit, THListBox *list, int row)
{
    if (row < 0 || row >= list->count() || inPlaceEditing())
        return false;
    selectProgram(row);
    m_inEditRow = row;
    list->scrollToItem(list->item(row));
    const QRect rect = list->visualItemRect(list->item(row));
    edit->setGeometry(2, rect.top(), list->viewport()->width() - 2, rect.height() + 4);
    edit->setText(list->item(row)->text());
    edit->show();
    edit->raise();
    edit->setFocus(Qt::OtherFocusReason);
    edit->selectAll();
    updateNameMenu();
    return true;
}

void T_Form1::editNameInPlace(int row)
{
    placeInEdit(InEdit2, lstNazwy, row);
}

void T_Form1::editDescriptionInPlace(int row)
{
    placeInEdit(InEdit1, lstOpis, row);
}

void T_Form1::ZmienNazweClick()
{
    if (!m_document.hasFile() || m_document.current() < 0)
        return;
    if (lstOpis->hasFocus())
        editDescriptionInPlace(m_document.current());
    else
        editNameInPlace(m_document.current());
}

// The edit writes to the row it was opened on, whatever is selected now.
void T_Form1::inEditGoingOff(TInEdit *edit, int reason, const QString &value, bool &allowExit)
{
    const int row = m_inEditRow;
    if (reason != TInEdit::Escape && row >= 0 && row < m_document.count()) {
        if (edit == InEdit2) {
            const DataFile::Result renamed = m_document.renameProgram(row, value);
            if (!renamed.ok()) {
                Platform::showMessage(this, renamed.message, Msg::applicationTitle(), Platform::MessageButtons::Ok,
                                      Platform::MessageIcon::Warning);
                allowExit = false;
                return;
            }
            lstNazwy->item(row)->setText(value);
        } else if (m_document.setField(row, &Program::opis, value)) {
            lstOpis->item(row)->setText(value);
        }
    }
    m_inEditRow = -1;
    // The menus wait for the edit to be hidden, which follows this call.
    QMetaObject::invokeMethod(this, [this] { updateNameMenu(); }, Qt::QueuedConnection);
}

// ----------------------------------------------------------- the file list

QString T_Form1::fileListFolder() const
{
    const QStringList folders = Files->directories();
    return folders.isEmpty() ? QString() : folders.first();
}

QString T_Form1::selectedFile() const
{
    return Files->selectedPath();
}

void T_Form1::folderChosen(const QString &path)
{
    Files->setDirectory(path);
    showSelectedFile();
}

void T_Form1::showSelectedFile()
{
    const QString path = selectedFile();
    edtPlik->setText(QDir::toNativeSeparators(path.isEmpty() ? fileListFolder() : path));
}

void T_Form1::filesDoubleClick(int row)
{
    if (row < 0 || row >= Files->count())
        return;
    const FileEntry &entry = Files->model()->entry(row);
    if (!entry.isDir)
        return;
    const QString path = entry.fullPath + u'/';
    Dirs->OpenPath(path);
    folderChosen(path);
}

void T_Form1::DodajNowyClick()
{
    const QString path = selectedFile();
    if (!path.isEmpty())
        DodajNowyPRG(fileListFolder(), QFileInfo(path).fileName());
}

void T_Form1::DodajSetup(const QString &name)
{
    const QString found = Platform::findEntryCaseInsensitive(fileListFolder(), name);
    if (!found.isEmpty())
        DodajNowyPRG(fileListFolder(), found);
}

void T_Form1::DodajJakoPole(EditorDocument::Field field)
{
    const QString path = selectedFile();
    if (path.isEmpty() || !needsFile() || m_document.current() < 0)
        return;
    QString message;
    const QString stored = m_document.storedPath(path, &message);
    if (!message.isEmpty()) {
        Platform::showMessage(this, message, Msg::applicationTitle(), Platform::MessageButtons::Ok,
                              Platform::MessageIcon::Warning);
        return;
    }
    const int row = m_document.current();
    m_document.setField(row, field, stored);
    showDocument();
}

void T_Form1::OpisKategoriClick()
{
    const QString path = selectedFile();
    if (path.isEmpty() || !needsFile())
        return;
    QString message;
    const QString stored = m_document.storedPath(path, &message);
    if (!message.isEmpty()) {
        Platform::showMessage(this, message, Msg::applicationTitle(), Platform::MessageButtons::Ok,
                              Platform::MessageIcon::Warning);
        return;
    }
    m_document.setDescription(stored);
    edtOpisKategorii->setText(stored);
}

void T_Form1::UtworzDizClick()
{
    const QString folder = fileListFolder();
    if (folder.isEmpty())
        return;
    QString name = Platform::findEntryCaseInsensitive(folder, QStringLiteral("File_ID.DIZ"));
    if (!name.isEmpty()) {
        Platform::showMessage(this, Msg::dizExists(), Msg::formCaption(), Platform::MessageButtons::Ok,
                              Platform::MessageIcon::Information);
    } else {
        name = QStringLiteral("File_ID.DIZ");
        QFile file(folder + name);
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            error(Msg::createError(folder + name));
            return;
        }
        file.close();
        Files->refresh();
    }
    if (!Platform::Launcher::instance().openAsText(folder + name))
        error(Msg::startError(folder + name));
}

void T_Form1::OtworzPlikClick()
{
    const QString path = selectedFile();
    if (!path.isEmpty() && !Platform::Launcher::instance().openDocument(path, fileListFolder()))
        error(Msg::startError(path));
}

void T_Form1::OtworzJakoTekstClick()
{
    const QString path = selectedFile();
    if (!path.isEmpty() && !Platform::Launcher::instance().openAsText(path))
        error(Msg::startError(path));
}

QMenu *T_Form1::buildFilesMenu()
{
    auto *menu = new QMenu(this);
    const bool hasFile = !selectedFile().isEmpty();
    auto add = [menu, hasFile](QMenu *to, const QString &text, bool needsSelection, auto slot) {
        QAction *action = to->addAction(text);
        action->setEnabled(!needsSelection || hasFile);
        QObject::connect(action, &QAction::triggered, menu, slot);
        return action;
    };
    QAction *dodaj = add(menu, QStringLiteral("&Dodaj nowy"), true, [this] { DodajNowyClick(); });
    QFont bold = dodaj->font();
    bold.setBold(true);
    dodaj->setFont(bold);
    menu->setDefaultAction(dodaj);
    menu->setActiveAction(dodaj);
    QMenu *setup = menu->addMenu(QStringLiteral("SETUP"));
    const QString folder = fileListFolder();
    for (const QString &name : setupNames()) {
        const bool exists = !folder.isEmpty() && !Platform::findEntryCaseInsensitive(folder, name).isEmpty();
        add(setup, name, false, [this, name] { DodajSetup(name); })->setEnabled(exists);
    }
    menu->addSeparator();
    add(menu, QStringLiteral("Dodaj jako o&pis"), true, [this] { DodajJakoPole(&Program::opis); });
    add(menu, QStringLiteral("Dod&atkowy opis"), true, [this] { DodajJakoPole(&Program::ambitny); });
    add(menu, QStringLiteral("Dodaj jako zrzut"), true, [this] { DodajJakoPole(&Program::zrzut); });
    add(menu, QStringLiteral("Opis kategori"), true, [this] { OpisKategoriClick(); });
    menu->addSeparator();
    add(menu, QStringLiteral("&Utwórz File_ID.DIZ"), false, [this] { UtworzDizClick(); })->setEnabled(!folder.isEmpty());
    add(menu, QStringLiteral("&Otwórz"), true, [this] { OtworzPlikClick(); });
    QMenu *openWith = menu->addMenu(QStringLiteral("Otwórz &z..."));
    add(openWith, QStringLiteral("&Notepad"), true, [this] { OtworzJakoTekstClick(); });
    add(openWith, QStringLiteral("&Write"), true, [this] { OtworzJakoTekstClick(); });
    QMenu *view = menu->addMenu(QStringLiteral("&Widok"));
    add(view, QStringLiteral("&Lista"), false, [this] { Files->setViewStyle(TFileListView::vsList); });
    add(view, QStringLiteral("&Szczegóły"), false, [this] { Files->setViewStyle(TFileListView::vsReport); });
    return menu;
}

bool T_Form1::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonDblClick) {
        if (watched == edtNazwaKat) {
            NazwaKategoriiClick();
            return true;
        }
        if (watched == edtOpisKategorii) {
            OpisKategoriiClick();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}
