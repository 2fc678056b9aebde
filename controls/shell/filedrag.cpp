#include "shell/filedrag.h"

#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

namespace {

QStringList localFiles(const QMimeData *data)
{
    QStringList paths;
    if (!data)
        return paths;
    for (const QUrl &url : data->urls()) {
        if (url.isLocalFile())
            paths.append(url.toLocalFile());
    }
    return paths;
}

} // namespace

TFileDrag::TFileDrag(QObject *owner)
    : QObject(owner)
    , m_owner(qobject_cast<QWidget *>(owner))
{
    if (!m_owner) {
        m_enableDrop = false;
        return;
    }
    m_ownerAcceptedDrops = m_owner->acceptDrops();
    m_owner->installEventFilter(this);
    m_owner->setAcceptDrops(m_enableDrop);
}

TFileDrag::~TFileDrag()
{
    if (!m_owner)
        return;
    m_owner->removeEventFilter(this);
    m_owner->setAcceptDrops(m_ownerAcceptedDrops);
}

void TFileDrag::setEnableDrop(bool value)
{
    m_enableDrop = value && m_owner;
    if (m_owner)
        m_owner->setAcceptDrops(m_enableDrop);
}

bool TFileDrag::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_owner || !m_enableDrop)
        return false;
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto *drag = static_cast<QDragMoveEvent *>(event);
        if (localFiles(drag->mimeData()).isEmpty())
            drag->ignore();
        else
            drag->acceptProposedAction();
        return true;
    }
    case QEvent::Drop: {
        auto *drop = static_cast<QDropEvent *>(event);
        const QStringList paths = localFiles(drop->mimeData());
        if (paths.isEmpty()) {
            drop->ignore();
            return true;
        }
        drop->acceptProposedAction();
        takeDrop(paths);
        return true;
    }
    default:
        return false;
    }
}

void TFileDrag::takeDrop(const QStringList &paths)
{
    m_nameWithPath.clear();
    m_nameOnly.clear();
    m_extension.clear();
    for (const QString &path : paths) {
        const QString name = QFileInfo(path).fileName();
        const qsizetype dot = name.lastIndexOf(u'.');
        m_nameWithPath.append(path);
        m_nameOnly.append(name);
        m_extension.append(dot < 0 ? QString() : name.mid(dot + 1));
    }
    if (OnDrop)
        OnDrop(this);
}
