#pragma once

#include "alignment/alignment.h"

#include <QDialog>
#include <QPointer>

class DesignerContext;
class QButtonGroup;
class QGroupBox;
class QPushButton;
class TBitCheckBox;
class TStretchSelection;

// "Wyrównaj obiekty": the choices of one alignment of the selection.
class TfrmAlign : public QDialog
{
public:
    explicit TfrmAlign(QWidget *parent = nullptr);

    QGroupBox *Polozenie, *Rozmiary, *Rozklad, *grpOkno;
    // The items of the three groups; each button's id is its choice.
    QButtonGroup *PolozenieItems, *RozmiaryItems, *RozkladItems;
    TBitCheckBox *chkVertCenter, *chkHorCenter;
    QPushButton *klwOk, *klwAnuluj;

    Alignment::Choices choices() const;

protected:
    void showEvent(QShowEvent *event) override;

private:
    QGroupBox *radioGroup(const QString &caption, const QStringList &items, int columns, QButtonGroup *&buttons);
};

// "Wyrównaj" of the selection frame's pop-up menu. The dialog is made on
// first use and kept, so it shows the last choices; OK aligns the selected
// objects in one step "Wyrównywanie obiektów" and the frame follows them.
class AlignCommand : public QObject
{
public:
    AlignCommand(DesignerContext &context, TStretchSelection &selection, QWidget *dialogParent);

    void run();
    TfrmAlign &dialog();

private:
    DesignerContext &m_context;
    TStretchSelection &m_selection;
    QPointer<QWidget> m_dialogParent;
    QPointer<TfrmAlign> m_dialog;
};

// Aligns what the selection holds, marks the project modified and records
// the step; nothing without a selection.
void alignSelection(DesignerContext &context, TStretchSelection &selection, const Alignment::Choices &choices);
