#pragma once

#include <fileopengine.h>

#include <QObject>
#include <QString>
#include <QStringList>

// Copies, moves, renames or deletes lists of files with a progress window
// and the usual questions (replace, create folder, delete), asked through
// the platform's dialogs.
class TFileOperation : public QObject
{
public:
    explicit TFileOperation(QObject *owner = nullptr);

    QStringList about() const;
    void setAbout(const QStringList &) {}
    // Writing true runs Execute; reads false.
    bool active() const { return false; }
    void setActive(bool value);
    // Names or masks, one per entry: ";" is a legal character in a name.
    QStringList filesFrom() const { return m_filesFrom; }
    void setFilesFrom(const QStringList &value) { m_filesFrom = value; }
    QStringList filesTo() const { return m_filesTo; }
    void setFilesTo(const QStringList &value) { m_filesTo = value; }
    TFileOpFlags flags() const { return m_flags; }
    void setFlags(TFileOpFlags value) { m_flags = value; }
    TFileOp operation() const { return m_operation; }
    void setOperation(TFileOp value) { m_operation = value; }
    // Set by Execute: the user cancelled a question or the progress.
    bool operationAborted() const { return m_operationAborted; }
    void setOperationAborted(bool) {}
    QString progressTitle() const { return m_progressTitle; }
    void setProgressTitle(const QString &value) { m_progressTitle = value; }

    // True when every file was handled and nothing was cancelled. Failures
    // are also shown to the user in one message.
    bool execute();
    // What became of each file of the last Execute.
    const QList<FileOpItem> &results() const { return m_results; }

private:
    QWidget *ownerWindow() const;
    void reportFailures() const;

    QStringList m_filesFrom;
    QStringList m_filesTo;
    TFileOpFlags m_flags;
    TFileOp m_operation = foCopy;
    bool m_operationAborted = false;
    QString m_progressTitle;
    QList<FileOpItem> m_results;
};
