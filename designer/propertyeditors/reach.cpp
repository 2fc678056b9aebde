#include "propertyeditors/reach.h"

#include <buttons/menubutton.h>
#include <menuobjects/menuobjects.h>
#include <projectfile/projectformat.h>

#include <QLabel>

namespace {

bool isKey(const QWidget *widget)
{
    return qobject_cast<const TMenuButton *>(widget) != nullptr;
}

void appendOnce(QList<QWidget *> &list, QWidget *widget)
{
    if (widget && !list.contains(widget))
        list.append(widget);
}

} // namespace

namespace EditReach {

QList<QWidget *> selectionFirst(const QList<QWidget *> &selected, QWidget *current)
{
    QList<QWidget *> reached;
    for (QWidget *widget : selected)
        appendOnce(reached, widget);
    if (reached.isEmpty())
        appendOnce(reached, current);
    return reached;
}

QList<QWidget *> keys(const QList<QWidget *> &selected, QWidget *current, bool clickSelects)
{
    QList<QWidget *> reached;
    for (QWidget *widget : selected) {
        if (isKey(widget))
            appendOnce(reached, widget);
    }
    if (!clickSelects && isKey(current))
        appendOnce(reached, current);
    return reached;
}

QList<QWidget *> wordWrap(const QList<QWidget *> &selected, QWidget *current, bool clickSelects)
{
    QList<QWidget *> reached = keys(selected, current, clickSelects);
    const bool titleCurrent =
        qobject_cast<QLabel *>(current) && MenuObjects::tagOf(current) == ProjectFormat::TitleId;
    if (!titleCurrent)
        return reached;
    for (QWidget *widget : selected) {
        if (qobject_cast<QLabel *>(widget))
            appendOnce(reached, widget);
    }
    if (!clickSelects)
        appendOnce(reached, current);
    return reached;
}

} // namespace EditReach
