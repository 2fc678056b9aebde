#include "znajdz.h"
#include "dataeditorhost.h"
#include "searchmessages.h"

#include <filelist/filelistview.h>
#include <mainwindow/zazavaconfig.h>

#include <QComboBox>
#include <QDir>
#include <QMenu>

T_frmZnajdz::T_frmZnajdz(DataEditorHost &host, const QString &configPath, QWidget *parent)
    : TSearchDialog(SearchMessages::builtInMasks(), parent)
    , listaZnalezione(hitList())
    , m_host(host)
    , m_configPath(configPath)
{
    setObjectName(QStringLiteral("_frmZnajdz"));
    Combo->addItems(ZazavaConfig::readFilters(m_configPath));
    Combo->setCurrentIndex(0);
    listaZnalezione->OnDblClick = [this](QObject *, int) { DodajDoDanychClick(); };
}

void T_frmZnajdz::fillHitMenu(QMenu &menu)
{
    QAction *add = menu.addAction(QStringLiteral("&Dodaj do danych"), this, [this] { DodajDoDanychClick(); });
    add->setEnabled(listaZnalezione->selectedRow() >= 0);
    QFont bold = add->font();
    bold.setBold(true);
    add->setFont(bold);
    menu.setDefaultAction(add);
    TSearchDialog::fillHitMenu(menu);
}

void T_frmZnajdz::DodajDoDanychClick()
{
    const int row = listaZnalezione->selectedRow();
    if (row < 0)
        return;
    const FileEntry entry = listaZnalezione->model()->entry(row);
    const EditorDocument::AddOutcome outcome =
        m_host.addFoundProgram(QDir::fromNativeSeparators(entry.location), entry.caption);
    if (outcome == EditorDocument::AddOutcome::Added || outcome == EditorDocument::AddOutcome::Updated)
        listaZnalezione->removeRow(row);
}

void T_frmZnajdz::closing()
{
    ZazavaConfig::writeFilters(m_configPath, userMasks());
}
