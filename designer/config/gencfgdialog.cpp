#include "gencfgdialog.h"

#include "project/designercontext.h"

#include <browse/browsefolder.h>
#include <buttons/menubutton.h>
#include <checkbox/bitcheckbox.h>
#include <dialogs.h>

#include <QCoreApplication>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

// Each [PLIKI] field with its label, browse button and the button's tag
// (which field a chosen file goes to).
struct FileRow {
    GeneratorFile file;
    const char *label;
    QLineEdit *TfrmGen_CFG::*edit;
    const char *editName;
    TMenuButton *TfrmGen_CFG::*button;
    const char *buttonName;
    int tag;
    const char *hint;
};

#define FILE_ROW(file, label, edit, button, tag, hint) \
    {GeneratorFile::file, label, &TfrmGen_CFG::edit, #edit, &TfrmGen_CFG::button, #button, tag, hint}

const FileRow FileRows[GeneratorFileCount] = {
    FILE_ROW(Menu, "Plik menu:", edtMENU, BrowseMENU, 0, "Zlokalizuj plik wykonywalny menu"),
    FILE_ROW(ZazavaRv3, "Zazava RV3:", edtZazavaRV3, BrowseDane, 1, "Zlokalizuj plik zazavaa danych"),
    FILE_ROW(MenuFolder, "Katalog menu:", edtDirForMenu, BrowseDIRCD, 2, "Wybierz katalog"),
    FILE_ROW(MpegDll, "Biblioteka MP3:", edtDLL, BrowseDLL, 3, "Zlokalizuj bibliotekę MPEGDLL.DLL"),
    FILE_ROW(Copier, "Plik kopiarki:", edtKopia, BrowseKopiarka, 4, "Zlokalizuj kopiarkę"),
    FILE_ROW(Autostart, "Plik autostartu:", edtAutostart, BrowseAutoStart, 5, "Zlokalizuj plik autostartu"),
    FILE_ROW(BitmapEditor, "Zazava bitmap:", edtPixanto, BrowsePixanto, 6, ""),
    FILE_ROW(Unzip, "Obługa ZIP:", edtUnZip, BrowseUnzip, 7, ""),
    FILE_ROW(Unrar, "Obługa RAR:", edtUnRAR, BrowseRAR, 9, ""),
    FILE_ROW(ZipSfx, "ZIP do EXE:", edtZipdoEXE, BrowseZIpdoEXE, 8, ""),
};

#undef FILE_ROW

const int FolderTag = 2;

TBitCheckBox *checkBox(const QString &name, const QString &caption, QWidget *parent)
{
    auto *box = new TBitCheckBox(parent);
    box->setObjectName(name);
    box->setCaption(caption);
    box->setMinimumHeight(17);
    return box;
}

TMenuButton *menuButton(const QString &name, const QString &caption, QWidget *parent)
{
    auto *button = new TMenuButton(parent);
    button->setObjectName(name);
    button->setCaption(caption);
    return button;
}

// A stored folder never ends with a separator; generation adds it.
QString withoutTrailingSeparator(QString path)
{
    while (path.size() > 1 && (path.endsWith(u'/') || path.endsWith(u'\\')))
        path.chop(1);
    return path;
}

} // namespace

const QString TfrmGen_CFG::BrowseFilter =
    QStringLiteral("Pliki wymagane (*.exe *.dll *.bin *.EXE *.DLL *.BIN);;Wszystkie pliki (*)");

TfrmGen_CFG::TfrmGen_CFG(Platform::ProfileFile &cfg, GeneratorConfig &current, const GeneratorConfig &defaults,
                         const QString &designerProgram, QWidget *parent)
    : QDialog(parent)
    , m_cfg(cfg)
    , m_current(current)
    , m_defaults(defaults)
    , m_designerProgram(designerProgram)
{
    setObjectName(QStringLiteral("frmGen_CFG"));
    setWindowTitle(QStringLiteral("Konfiguracja generatora"));

    PageControl1 = new QTabWidget(this);
    tabPliki = createFilesPage();
    tabPreferencje = createPreferencesPage();
    PageControl1->addTab(tabPliki, QStringLiteral("Wymagane pliki"));
    PageControl1->addTab(tabPreferencje, QStringLiteral("Preferencje"));

    BitBtn1 = new QPushButton(QStringLiteral("&OK"), this);
    BitBtn1->setDefault(true);
    btnAnuluj = new QPushButton(QStringLiteral("&Anuluj"), this);
    connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(BitBtn1); });
    connect(btnAnuluj, &QPushButton::clicked, this, &QDialog::reject);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BitBtn1);
    buttons->addWidget(btnAnuluj);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(PageControl1);
    layout->addLayout(buttons);
    resize(460, 380);

    FormCreate();
}

TfrmGen_CFG::~TfrmGen_CFG() = default;

QWidget *TfrmGen_CFG::createFilesPage()
{
    auto *page = new QWidget;
    auto *grid = new QGridLayout(page);
    int row = 0;
    for (const FileRow &file : FileRows) {
        auto *edit = new QLineEdit(page);
        auto *button = menuButton(QString::fromLatin1(file.buttonName), QStringLiteral("..."), page);
        button->setProperty("Tag", file.tag);
        button->setFixedSize(23, 21);
        if (*file.hint) {
            button->setHint(QString::fromUtf8(file.hint));
            button->setShowHint(true);
        }
        button->OnClick = [this](QObject *sender) {
            if (sender->property("Tag").toInt() == FolderTag)
                BrowseDIRCDClick(sender);
            else
                Browse(sender);
        };
        edit->setObjectName(QString::fromLatin1(file.editName));
        this->*file.edit = edit;
        this->*file.button = button;
        m_fileEdits[size_t(file.file)] = edit;
        grid->addWidget(new QLabel(QString::fromUtf8(file.label), page), row, 0);
        grid->addWidget(edit, row, 1);
        grid->addWidget(button, row, 2);
        ++row;
    }
    grid->setRowStretch(row, 1);
    return page;
}

QWidget *TfrmGen_CFG::createPreferencesPage()
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(createSelectionGroup());
    layout->addWidget(createLinksGroup());
    layout->addWidget(createOtherGroup());
    layout->addStretch();
    return page;
}

QGroupBox *TfrmGen_CFG::createSelectionGroup()
{
    auto *group = new QGroupBox(QStringLiteral("Zaznaczanie obiektów"));
    auto *grid = new QGridLayout(group);
    klwKlamraColor = menuButton(QStringLiteral("klwKlamraColor"), QStringLiteral("Zaznaczony jeden obiekt:"), group);
    klwKlamraColorII =
        menuButton(QStringLiteral("klwKlamraColorII"), QStringLiteral("Zaznaczone kilka obiektów:"), group);
    Panel1 = new QFrame(group);
    Panel2 = new QFrame(group);
    for (QFrame *panel : {Panel1, Panel2}) {
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        panel->setFixedSize(41, 21);
        panel->setAutoFillBackground(true);
    }
    for (TMenuButton *button : {klwKlamraColor, klwKlamraColorII}) {
        button->setFixedSize(170, 23);
        button->OnClick = [this](QObject *sender) { klwKlamraColorClick(sender); };
    }
    chkZaznacza = checkBox(QStringLiteral("chkZaznacza"), QStringLiteral("kliknięcie zaznacza obiekt"), group);
    grid->addWidget(klwKlamraColor, 0, 0);
    grid->addWidget(Panel1, 0, 1);
    grid->addWidget(klwKlamraColorII, 1, 0);
    grid->addWidget(Panel2, 1, 1);
    grid->addWidget(chkZaznacza, 2, 0, 1, 2);
    grid->setColumnStretch(2, 1);
    return group;
}

QGroupBox *TfrmGen_CFG::createLinksGroup()
{
    auto *group = new QGroupBox(QStringLiteral("Skróty do programu "));
    auto *layout = new QVBoxLayout(group);
    chkPulpit = checkBox(QStringLiteral("chkPulpit"), QStringLiteral("skrót na pulpicie"), group);
    chkStart = checkBox(QStringLiteral("chkStart"), QStringLiteral("skrót w menu start"), group);
    chkAll = checkBox(QStringLiteral("chkAll"), QStringLiteral("do wszystkich elementów w menu start"), group);
    for (TBitCheckBox *box : {chkPulpit, chkStart, chkAll})
        layout->addWidget(box);
    return group;
}

QGroupBox *TfrmGen_CFG::createOtherGroup()
{
    auto *group = new QGroupBox(QStringLiteral("Inne ustawienia"));
    auto *grid = new QGridLayout(group);
    spinMaxUndo = new QSpinBox(group);
    spinMaxUndo->setObjectName(QStringLiteral("spinMaxUndo"));
    spinMaxUndo->setRange(MinUndoLimit, MaxUndoLimit);
    chkMinOnTest = checkBox(QStringLiteral("chkMinOnTest"), QStringLiteral("minimalizuj w czasie testowania"), group);
    grid->addWidget(new QLabel(QStringLiteral("limit dla cofanych czynności:"), group), 0, 0);
    grid->addWidget(spinMaxUndo, 0, 1);
    grid->addWidget(chkMinOnTest, 1, 0, 1, 2);
    grid->setColumnStretch(2, 1);
    return group;
}

void TfrmGen_CFG::FormCreate()
{
    PageControl1->setCurrentWidget(tabPliki);
    setPanelColor(Panel1, m_current.handleColor);
    setPanelColor(Panel2, m_current.handleColorII);
    chkZaznacza->setChecked(m_current.clickSelects);
    chkMinOnTest->setChecked(m_current.minimizeOnTest);
    spinMaxUndo->setValue(m_current.maxUndo);
    const GeneratorConfig stored = readGeneratorConfig(m_cfg, m_defaults);
    for (int i = 0; i < GeneratorFileCount; ++i)
        m_fileEdits[size_t(i)]->setText(stored.files[size_t(i)]);
    const ProgramLinkChoice links = existingProgramLinks();
    chkPulpit->setChecked(links.onDesktop);
    chkStart->setChecked(links.inStartMenu);
    chkAll->setChecked(links.allInStartMenu);
}

void TfrmGen_CFG::setPanelColor(QFrame *panel, Platform::TColor color)
{
    panel->setProperty("TColor", color);
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, Platform::toQColor(color));
    panel->setPalette(palette);
}

Platform::TColor TfrmGen_CFG::panelColor(const QFrame *panel) const
{
    return panel->property("TColor").toInt();
}

void TfrmGen_CFG::klwKlamraColorClick(QObject *sender)
{
    QFrame *panel = sender == klwKlamraColorII ? Panel2 : Panel1;
    QColor color = Platform::toQColor(panelColor(panel));
    if (Platform::Dialogs::instance().chooseColor(this, color))
        setPanelColor(panel, Platform::fromQColor(color));
}

QLineEdit *TfrmGen_CFG::editOfTag(int tag) const
{
    for (const FileRow &file : FileRows) {
        if (file.tag == tag)
            return this->*file.edit;
    }
    return nullptr;
}

void TfrmGen_CFG::Browse(QObject *sender)
{
    QLineEdit *edit = editOfTag(sender->property("Tag").toInt());
    if (!edit)
        return;
    const QString start = edit->text().isEmpty() ? QString() : QFileInfo(edit->text()).absolutePath();
    const QString chosen =
        Platform::Dialogs::instance().openFile(this, QStringLiteral("Otwórz"), start, BrowseFilter);
    if (!chosen.isEmpty())
        edit->setText(chosen);
}

void TfrmGen_CFG::BrowseDIRCDClick(QObject *)
{
    TBrowseFolder browser(this);
    browser.Title = QStringLiteral("Domyślny katalog dla menu:");
    browser.Flags = 0;
    browser.Directory = edtDirForMenu->text();
    if (browser.Execute())
        edtDirForMenu->setText(withoutTrailingSeparator(browser.Directory));
}

ProgramLinkChoice TfrmGen_CFG::linkChoice() const
{
    return {chkPulpit->checked(), chkStart->checked(), chkAll->checked()};
}

void TfrmGen_CFG::BitBtn1Click(QObject *)
{
    m_current.handleColor = panelColor(Panel1);
    m_current.handleColorII = panelColor(Panel2);
    m_current.clickSelects = chkZaznacza->checked();
    m_current.minimizeOnTest = chkMinOnTest->checked();
    m_current.maxUndo = spinMaxUndo->value();

    GeneratorConfig typed = m_current;
    for (int i = 0; i < GeneratorFileCount; ++i)
        typed.files[size_t(i)] = m_fileEdits[size_t(i)]->text();
    writeDialogOptions(m_cfg, typed);
    writeGeneratorFiles(m_cfg, typed);
    if (!m_cfg.flush()) {
        Platform::showMessage(this, m_cfg.errorString(), DesignerCaption, Platform::MessageButtons::Ok,
                              Platform::MessageIcon::Error);
    }
    // The links lead where the file now says.
    const ShellLinkResult links =
        applyProgramLinks(linkChoice(), m_designerProgram, readGeneratorConfig(m_cfg, m_defaults));
    if (!links.ok()) {
        Platform::showMessage(this, links.error, DesignerCaption, Platform::MessageButtons::Ok,
                              Platform::MessageIcon::Error);
    }
    accept();
}

bool showGeneratorConfigDialog(QWidget *parent, Platform::ProfileFile &cfg, GeneratorConfig &current)
{
    TfrmGen_CFG dialog(cfg, current, defaultGeneratorConfig(), QCoreApplication::applicationFilePath(), parent);
    return dialog.exec() == QDialog::Accepted;
}
