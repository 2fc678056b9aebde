#pragma once

#include <QList>

class QWidget;

// Which objects a committed property edit changes. The selection is what
// the selection frame holds; the current object is the one the inspector
// shows; clickSelects is the option that a click selects an object.
namespace EditReach {

// Selection first: every selected control, or the current object when
// nothing is selected.
QList<QWidget *> selectionFirst(const QList<QWidget *> &selected, QWidget *current);

// Keys: every selected key; the current object as well when it is a key
// and clicks do not select (so it is not in the selection).
QList<QWidget *> keys(const QList<QWidget *> &selected, QWidget *current, bool clickSelects);

// Word wrap: the keys as above; while the title is current, also the
// selected labels, and the title itself when clicks do not select.
QList<QWidget *> wordWrap(const QList<QWidget *> &selected, QWidget *current, bool clickSelects);

} // namespace EditReach
