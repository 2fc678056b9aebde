#pragma once

#include "project/designerservices.h"

#include <QPointer>

class DesignerContext;
class QWidget;
#include <stretch/stretchhandle.h>

// The selection of the design surface through the selection frame `Klamra`:
// moving or sizing the selected objects with it is an edit of the project.
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

private:
    DesignerContext &m_context;
    QPointer<TStretchHandle> m_klamra;
};
