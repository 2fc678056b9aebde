#include "alignment/aligndialog.h"

#include "objects/designedits.h"
#include "project/designercontext.h"
#include "selection/stretchselection.h"

#include <checkbox/bitcheckbox.h>
#include <stretch/stretchhandle.h>

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>

TfrmAlign::TfrmAlign(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAlign"));
    setWindowTitle(QStringLiteral("Wyrównaj obiekty"));
    Polozenie = radioGroup(QStringLiteral("Położenie"),
                           {QStringLiteral("Lewymi krawędziami"), QStringLiteral("Prawymi krawędziami"),
                            QStringLiteral("Górnymi krawędziami"), QStringLiteral("Dolnymi krawędziami"),
                            QStringLiteral("Bez zmian")},
                           1, PolozenieItems);
    Rozmiary = radioGroup(QStringLiteral("Rozmiary"),
                          {QStringLiteral("Do najszerszego"), QStringLiteral("Do najwyższego"),
                           QStringLiteral("Do najwęższego"), QStringLiteral("Do najniższego"),
                           QStringLiteral("Bez zmian")},
                          1, RozmiaryItems);
    Rozklad = radioGroup(QStringLiteral("Takie same odległości"),
                         {QStringLiteral("pionowo"), QStringLiteral("poziomo"), QStringLiteral("bez zmian")}, 3,
                         RozkladItems);
    grpOkno = new QGroupBox(QStringLiteral("Położenie w oknie"));
    chkVertCenter = new TBitCheckBox;
    chkVertCenter->setObjectName(QStringLiteral("chkVertCenter"));
    chkVertCenter->setCaption(QStringLiteral("wyśrodkuj pionowo"));
    chkHorCenter = new TBitCheckBox;
    chkHorCenter->setObjectName(QStringLiteral("chkHorCenter"));
    chkHorCenter->setCaption(QStringLiteral("wyśrodkuj poziomo"));
    for (TBitCheckBox *box : {chkVertCenter, chkHorCenter})
        box->setMinimumSize(box->fontMetrics().horizontalAdvance(box->caption()) + 30, 17);
    auto *centring = new QHBoxLayout(grpOkno);
    centring->addWidget(chkVertCenter);
    centring->addWidget(chkHorCenter);

    klwOk = new QPushButton(QStringLiteral("&OK"));
    klwOk->setObjectName(QStringLiteral("klwOk"));
    klwOk->setDefault(true);
    klwAnuluj = new QPushButton(QStringLiteral("&Anuluj"));
    klwAnuluj->setObjectName(QStringLiteral("klwAnuluj"));
    connect(klwOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(klwAnuluj, &QPushButton::clicked, this, &QDialog::reject);

    auto *groups = new QHBoxLayout;
    groups->addWidget(Polozenie);
    groups->addWidget(Rozmiary);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(klwOk);
    buttons->addWidget(klwAnuluj);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(groups);
    layout->addWidget(Rozklad);
    layout->addWidget(grpOkno);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    setMinimumSize(326, 286);
}

QGroupBox *TfrmAlign::radioGroup(const QString &caption, const QStringList &items, int columns,
                                 QButtonGroup *&buttons)
{
    auto *group = new QGroupBox(caption);
    auto *grid = new QGridLayout(group);
    buttons = new QButtonGroup(group);
    for (int i = 0; i < items.size(); ++i) {
        auto *item = new QRadioButton(items[i]);
        buttons->addButton(item, i);
        grid->addWidget(item, i / columns, i % columns);
    }
    // "Bez zmian" until the author picks another.
    buttons->button(int(items.size()) - 1)->setChecked(true);
    return group;
}

void TfrmAlign::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (const QScreen *screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
}

Alignment::Choices TfrmAlign::choices() const
{
    Alignment::Choices choices;
    choices.edge = Alignment::Edge(PolozenieItems->checkedId());
    choices.size = Alignment::Size(RozmiaryItems->checkedId());
    choices.spacing = Alignment::Spacing(RozkladItems->checkedId());
    choices.centreVertically = chkVertCenter->checked();
    choices.centreHorizontally = chkHorCenter->checked();
    return choices;
}

AlignCommand::AlignCommand(DesignerContext &context, TStretchSelection &selection, QWidget *dialogParent)
    : QObject(dialogParent)
    , m_context(context)
    , m_selection(selection)
    , m_dialogParent(dialogParent)
{
}

TfrmAlign &AlignCommand::dialog()
{
    if (!m_dialog)
        m_dialog = new TfrmAlign(m_dialogParent);
    return *m_dialog;
}

void AlignCommand::run()
{
    if (m_selection.selectedCount() == 0)
        return;
    if (dialog().exec() == QDialog::Accepted)
        alignSelection(m_context, m_selection, m_dialog->choices());
}

void alignSelection(DesignerContext &context, TStretchSelection &selection, const Alignment::Choices &choices)
{
    TStretchHandle *frame = selection.Klamra();
    if (!frame || frame->selectedCount() == 0)
        return;
    const QList<QWidget *> controls = frame->selectedControls();
    QList<QRect> bounds;
    for (const QWidget *control : controls)
        bounds.append(control->geometry());
    // Positions live in the surface's client area: its size, not the
    // window's outer one, is what the objects are centred in.
    const QSize clientArea = controls.first()->parentWidget()->size();
    const Alignment::Result aligned = Alignment::align(bounds, choices, clientArea);
    frame->detachAll();
    for (qsizetype i = 0; i < controls.size(); ++i)
        DesignEdits::setBounds(context, controls[i], aligned.bounds[i]);
    for (const int index : aligned.order)
        frame->attach(controls[index]);
    context.ProjectModified = true;
    context.inspector().showProperties(context.CurrentObject);
    context.undo().SaveUndo(QStringLiteral("Wyrównywanie obiektów"));
}
