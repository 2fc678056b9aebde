#pragma once

#include "designerfixture.h"

#include <selection/stretchselection.h>
#include <undo/designundo.h>

#include <QWidget>

// The demo-like project of the undo and selection tests on a drive of its
// own, with the real selection frame and undo history in place of the
// stand-ins.
class UndoFixture : public DesignerFixture
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Loads the project (with its pictures) as an open project.
    void loadProject();
    // Saves and returns the bytes of the project file.
    QByteArray saved();
    QWidget *object(int id) const;
    // Delete pressed on the selection frame.
    void pressOnFrame(int key);

    QWidget owner;
    TStretchSelection selection{context, &owner};
    TDesignUndo history{context, 10};
};
