#pragma once

// The windows around the design surface that later work fills in: the object
// palette and property inspector, the undo history and the selection frame. The surface and the project code speak to them
// through these interfaces; each has a stand-in that does nothing, so the
// core runs before the real windows exist.

#include <QList>
#include <QString>

class QWidget;

// The palette of object kinds: which kinds are pressed.
class ObjectPalette
{
public:
    virtual ~ObjectPalette() = default;
    // kind: an object id of a function key or single object, or
    // PaletteKinds::CategoryKey.
    virtual bool isDown(int kind) const = 0;
    // Every palette button goes up, so the next click selects.
    virtual void releaseAll() = 0;
};

// The property inspector.
class ObjectInspector
{
public:
    virtual ~ObjectInspector() = default;
    // A load shows the inspector.
    virtual void showInspector() {}
    // Shows the properties of an object (the surface window included).
    virtual void showProperties(QWidget *) {}
    // Objects came or went (a delete, an undo step): the list of objects
    // is built again.
    virtual void Odczyt_NILS() {}
    // The background and mask fields after a load.
    virtual void setPictureFields(const QString & /*background*/, const QString & /*mask*/) {}
    // The surface's client size and position while it is the current object.
    virtual void showSurfaceBounds(int /*width*/, int /*height*/, int /*top*/, int /*left*/) {}
    // The bounds of an object the window's size moved (a background that
    // fills it, a strip along an edge), when it is the object shown.
    virtual void showBounds(QWidget *) {}
};

class UndoHistory
{
public:
    virtual ~UndoHistory() = default;
    virtual void SaveUndo(const QString & /*step*/) {}
    // Opening another project: the next snapshot starts the history over
    // (UndoPosition -1).
    virtual void startOver() {}
};

// The selection frame over the objects of the surface.
class SelectionFrame
{
public:
    virtual ~SelectionFrame() = default;
    virtual void attach(QWidget *control) = 0;
    virtual void detachAll() = 0;
    virtual int selectedCount() const = 0;
    // nullptr when index is out of range.
    virtual QWidget *selected(int index) const = 0;
    // The selected controls moved or changed size by other means than the
    // frame: it is laid around them again.
    virtual void refit() {}
};
