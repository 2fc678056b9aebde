#include "undowindow.h"

#include "config/toolwindows.h"

#include <lists/horlistbox.h>

#include <profilefile.h>

#include <QAction>
#include <QCloseEvent>
#include <QMenu>
#include <QVBoxLayout>

namespace {
const QSize kDefaultSize(240, 345);
} // namespace

TfrmUndo::TfrmUndo(Platform::ProfileFile &cfg, int mainWindowHeight, QWidget *parent)
    : QWidget(parent, Qt::Tool)
    , m_cfg(cfg)
{
    setObjectName(QStringLiteral("frmUndo"));
    setWindowTitle(QStringLiteral("Cofanie czynności"));

    ListaUndo = new THListBox(this);
    ListaUndo->setObjectName(QStringLiteral("ListaUndo"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(ListaUndo);
    connect(ListaUndo, &QListWidget::itemClicked, this, [this] { mnuCofnijClick(); });

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    mnuCofnij = PopupMenu1->addAction(QStringLiteral("&Cofnij"));
    connect(mnuCofnij, &QAction::triggered, this, [this] { mnuCofnijClick(); });
    mnuOstatnioZach = PopupMenu1->addAction(QStringLiteral("&Odśwież z dysku"));
    connect(mnuOstatnioZach, &QAction::triggered, this, [this] {
        if (OnReload)
            OnReload();
    });
    mnuWyczysc = PopupMenu1->addAction(QStringLiteral("&Wyczyść historię"));
    connect(mnuWyczysc, &QAction::triggered, this, [this] {
        if (OnClear)
            OnClear();
    });
    PopupMenu1->addSeparator();
    mnuOnTop = PopupMenu1->addAction(QStringLiteral("&Zawsze na wierzchu"));
    mnuOnTop->setCheckable(true);
    PopupMenu1->addSeparator();
    mnuZamknij = PopupMenu1->addAction(QStringLiteral("Za&mknij"));
    connect(mnuZamknij, &QAction::triggered, this, &QWidget::close);
    ListaUndo->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ListaUndo, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { PopupMenu1->popup(ListaUndo->viewport()->mapToGlobal(pos)); });

    const bool onTop = m_cfg.readBool(Section, QStringLiteral("OnTop"), true);
    mnuOnTop->setChecked(onTop);
    setStaysOnTop(onTop);
    connect(mnuOnTop, &QAction::toggled, this, [this](bool on) { setStaysOnTop(on); });
    place(mainWindowHeight);
}

void TfrmUndo::place(int mainWindowHeight)
{
    ToolWindows::place(*this, m_cfg, Section, kDefaultSize, mainWindowHeight);
}

void TfrmUndo::showSteps(const QStringList &names, int selected)
{
    const QSignalBlocker blocker(ListaUndo);
    ListaUndo->clearItems();
    for (const QString &name : names)
        ListaUndo->addItem(name);
    ListaUndo->setCurrentRow(selected);
    if (selected < 0)
        ListaUndo->clearSelection();
}

void TfrmUndo::mnuCofnijClick()
{
    const int row = ListaUndo->currentRow();
    if (row < 0 || !ListaUndo->item(row)->isSelected())
        return;
    if (OnRestore)
        OnRestore(row);
}

bool TfrmUndo::staysOnTop() const
{
    return ToolWindows::staysOnTop(*this);
}

void TfrmUndo::setStaysOnTop(bool onTop)
{
    ToolWindows::setStaysOnTop(*this, onTop);
}

void TfrmUndo::closeEvent(QCloseEvent *event)
{
    ToolWindows::savePlace(*this, m_cfg, Section);
    m_cfg.writeBool(Section, QStringLiteral("OnTop"), mnuOnTop->isChecked());
    m_cfg.flush(); // a settings file that cannot be written costs only the place
    event->accept();
}
