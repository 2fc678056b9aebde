#pragma once

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QWidget>

#include <functional>

// Accepts local files dropped onto its owner window and lists them. Drops
// that carry no local file (web links and the like) are not taken.
class TFileDrag : public QObject
{
public:
    using NotifyEvent = std::function<void(QObject *sender)>;

    // With an owner that is no widget, dropping stays off.
    explicit TFileDrag(QObject *owner);
    ~TFileDrag() override;

    const QStringList &nameWithPath() const { return m_nameWithPath; }
    const QStringList &nameOnly() const { return m_nameOnly; }
    // The part after the last "." of each name; empty without one.
    const QStringList &extension() const { return m_extension; }
    int fileCount() const { return int(m_nameWithPath.size()); }
    bool enableDrop() const { return m_enableDrop; }
    void setEnableDrop(bool value);

    NotifyEvent OnDrop;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void takeDrop(const QStringList &paths);

    QPointer<QWidget> m_owner;
    bool m_ownerAcceptedDrops = false;
    bool m_enableDrop = true;
    QStringList m_nameWithPath;
    QStringList m_nameOnly;
    QStringList m_extension;
};
