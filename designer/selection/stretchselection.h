#pragma once

#include "project/designerservices.h"

#include <QPointer>

#include <memory>

class DesignerContext;
class QAction;
class QMenu;
class QWidget;
#include <stretch/stretchhandle.h>

// The selection of the design surface through the selection frame `Klamra`,
// and the commands on the selected objects: moving or sizing them is an
// edit of the project, Esc empties the selection, Delete frees the
// selected objects (the background only loses its picture), Shift+release
// over one of several selected objects lets it go, and the frame's pop-up
// menu sizes keys to their glyphs and the window to its background.
class TStretchSelection : public SelectionFrame
{
public:
    // owner: the window the frame goes back to while nothing is selected.
    TStretchSelection(DesignerContext &context, QWidget *owner);
    ~TStretchSelection() override;
    TStretchSelection(const TStretchSelection &) = delete;
    TStretchSelection &operator=(const TStretchSelection &) = delete;

    TStretchHandle *Klamra() const { return m_klamra; }

    void attach(QWidget *control) override;
    void detachAll() override;
    int selectedCount() const override;
    QWidget *selected(int index) const override;
    void refit() override;

    // The frame's pop-up menu.
    QMenu *PopupMenu1;
    QAction *mnuAlign;          // "Wyrównaj"
    QAction *klawiszDoBMP;      // "Klawisza = Bitmapa"
    QAction *RozmiaroknaBMP1;   // "Rozmiar okna = rozmiar BMP"

    // Handlers of the frame.
    void KlamraClick(QObject *sender);
    void KlamraMouseUp(QObject *sender, Qt::KeyboardModifiers shift, int x, int y);
    void KlamraMoved(QObject *sender);
    void KlamraKeyDown(QObject *sender, int &key, Qt::KeyboardModifiers shift);
    void PopupMenu1Popup();

    // Esc: empties the selection.
    void clearSelection();
    // Delete: frees the selected objects; one undo step.
    void deleteSelection();

    // Commands, each one undo step when it changed the design.
    void klawiszDoBMPClick(QObject *sender);
    void RozmiaroknaBMP1Click(QObject *sender);
    void mnuOdswiezMenuClick(QObject *sender);

private:
    void edited(const QString &step);

    DesignerContext &m_context;
    QPointer<TStretchHandle> m_klamra;
    std::unique_ptr<QMenu> m_popup;
};
