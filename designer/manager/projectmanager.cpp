#include "manager/projectmanager.h"

#include "outside/outsideprograms.h"
#include "project/designercontext.h"
#include "project/dialogbutton.h"

#include <lists/horlistbox.h>

#include <dialogs.h>
#include <profilefile.h>

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

const QString kOpenedPrefix = QStringLiteral("otwarty plik >>> ");

THCheckListBox *fileList(const QString &name, QWidget *page)
{
    auto *list = new THCheckListBox(page);
    list->setObjectName(name);
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(list);
    return list;
}

// The chosen line, -1 when none is selected (a line can be current
// without being chosen, after the list took the focus).
int selectedRow(const THCheckListBox *list)
{
    const QListWidgetItem *item = list->currentItem();
    return item && item->isSelected() ? list->row(item) : -1;
}

} // namespace

TfrmMenadzer::TfrmMenadzer(DesignerContext &context, OutsidePrograms &programs, ProjectOpener opener,
                           QWidget *parent)
    : QDialog(parent)
    , m_context(context)
    , m_programs(programs)
    , m_opener(std::move(opener))
{
    setObjectName(QStringLiteral("frmMenadzer"));
    setWindowTitle(QStringLiteral("Menadżer projektu"));
    resize(560, 360);

    Label1 = new QLabel(QStringLiteral("Wybrany:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setToolTip(QStringLiteral("Pozycja ze znaczkiem oznacza, że plik istnieje!"));
    tabINI = new QWidget(PageControl1);
    tabRV3 = new QWidget(PageControl1);
    tabBMP = new QWidget(PageControl1);
    ListaINI = fileList(QStringLiteral("ListaINI"), tabINI);
    ListaRV3 = fileList(QStringLiteral("ListaRV3"), tabRV3);
    ListaBMP = fileList(QStringLiteral("ListaBMP"), tabBMP);
    PageControl1->addTab(tabINI, QStringLiteral("Pliki konfiguracji"));
    PageControl1->addTab(tabRV3, QStringLiteral("Pliki danych"));
    PageControl1->addTab(tabBMP, QStringLiteral("Bitmapy"));

    klwOpen = dialogButton(QStringLiteral("klwOpen"), QStringLiteral("&Otwórz"), this);
    klwOpen->setEnabled(false);
    klwBMPRV3 = dialogButton(QStringLiteral("klwBMPRV3"), QStringLiteral("&BMP/RV3"), this);
    klwZamknij = dialogButton(QStringLiteral("klwZamknij"), QStringLiteral("&Zamknij"), this);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(klwOpen);
    buttons->addWidget(klwBMPRV3);
    buttons->addWidget(klwZamknij);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(PageControl1, 1);
    layout->addLayout(buttons);

    connect(klwOpen, &QPushButton::clicked, this, [this] { klwOpenClick(klwOpen); });
    connect(klwBMPRV3, &QPushButton::clicked, this, [this] { klwBMPRV3Click(klwBMPRV3); });
    connect(klwZamknij, &QPushButton::clicked, this, &QDialog::reject);
    FormCreate();
    connect(ListaINI, &QListWidget::currentRowChanged, this, [this] { ListaINIClick(ListaINI); });
    connect(PageControl1, &QTabWidget::currentChanged, this, [this] { PageControl1Change(PageControl1); });
}

TfrmMenadzer::~TfrmMenadzer() = default;

void TfrmMenadzer::FormCreate()
{
    PageControl1->setCurrentWidget(tabINI);
    if (m_context.ProjectIni) {
        const QString project = m_context.ProjectIni->fileName();
        ConfigurationFiles::Line opened{{}, kOpenedPrefix + project, QFileInfo(project).isFile()};
        m_subWindows = ConfigurationFiles::subWindowFiles(*m_context.ProjectIni, m_context.DriveRoot);
        fill(ListaINI, QList<ConfigurationFiles::Line>{opened} + m_subWindows);
    }
    ListaINI->setCurrentRow(0);
    ListaINIClick(ListaINI);
}

void TfrmMenadzer::fill(THCheckListBox *list, const QList<ConfigurationFiles::Line> &lines)
{
    list->clearItems();
    for (const ConfigurationFiles::Line &line : lines)
        list->setChecked(list->addItem(line.path), line.exists);
    // A tick tells whether the file is there; a click cannot change that.
    list->OnClickCheck = [list, lines](QObject *) {
        for (int i = 0; i < lines.size(); ++i)
            list->setChecked(i, lines[i].exists);
    };
}

const ConfigurationFiles::Line *TfrmMenadzer::chosenSubWindow() const
{
    const int row = ListaINI->currentRow();
    return row >= 1 && row <= m_subWindows.size() ? &m_subWindows[row - 1] : nullptr;
}

const Platform::ProfileFile &TfrmMenadzer::viewed() const
{
    return m_chosen ? *m_chosen : *m_context.ProjectIni;
}

void TfrmMenadzer::ListaINIClick(QObject *)
{
    const ConfigurationFiles::Line *chosen = chosenSubWindow();
    if (chosen) {
        m_chosen = std::make_unique<Platform::ProfileFile>(chosen->path);
        Label1->setText(QStringLiteral("Wybrana konfiguracja: ") + chosen->path);
    } else {
        m_chosen.reset();
        const QString project = m_context.ProjectIni ? m_context.ProjectIni->fileName() : QString();
        Label1->setText(QStringLiteral("Aktualna konfiguracja: ") + project);
    }
    klwOpen->setEnabled(chosen && chosen->exists);
}

void TfrmMenadzer::PageControl1Change(QObject *)
{
    m_dataFiles.clear();
    m_bitmaps.clear();
    if (m_chosen || m_context.ProjectIni) {
        m_dataFiles = ConfigurationFiles::dataFiles(viewed(), m_context.DriveRoot);
        m_bitmaps = ConfigurationFiles::bitmaps(viewed(), m_context.DriveRoot);
    }
    fill(ListaRV3, m_dataFiles);
    fill(ListaBMP, m_bitmaps);
}

void TfrmMenadzer::klwOpenClick(QObject *)
{
    const ConfigurationFiles::Line *chosen = chosenSubWindow();
    if (!chosen || !chosen->exists)
        return;
    const QString fileName = chosen->path;
    if (!changesKept())
        return;
    m_chosen.reset();
    m_opener.open(fileName);
    accept();
}

bool TfrmMenadzer::changesKept()
{
    if (!m_context.ProjectModified)
        return true;
    switch (Platform::showMessage(this, QStringLiteral("Czy chcesz zachować zmiany?"),
                                  QStringLiteral("Plik konfiguracji menu został zmieniony!"),
                                  Platform::MessageButtons::YesNoCancel, Platform::MessageIcon::Question)) {
    case Platform::MessageAnswer::Yes:
        // A save that failed must not let the changes go.
        return m_opener.save();
    case Platform::MessageAnswer::No:
        return true;
    default:
        return false;
    }
}

void TfrmMenadzer::klwBMPRV3Click(QObject *)
{
    const bool data = PageControl1->currentWidget() == tabRV3;
    if (!data && PageControl1->currentWidget() != tabBMP)
        return;
    const QList<ConfigurationFiles::Line> &lines = data ? m_dataFiles : m_bitmaps;
    const int row = selectedRow(data ? ListaRV3 : ListaBMP);
    // Nothing chosen: nothing to start the editor on.
    if (row < 0 || row >= lines.size())
        return;
    if (data)
        m_programs.editDataFile(lines[row].stored);
    else
        m_programs.editBitmap(lines[row].stored);
}

void runProjectManager(QWidget *parent, DesignerContext &context, OutsidePrograms &programs, ProjectOpener opener)
{
    TfrmMenadzer dialog(context, programs, std::move(opener), parent);
    dialog.exec();
}
