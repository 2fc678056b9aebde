#pragma once

#include <disksearch/dataeditorhost.h>
#include <disksearch/searchdialog.h>

#include <QDir>
#include <QFile>
#include <QTest>

namespace SearchFixture {

// A tree wide enough that a walk of it is still going on right after it
// starts: folders "fNNNN", each with a "setup.exe".
inline void makeWideTree(const QString &root, int folders)
{
    for (int i = 0; i < folders; ++i) {
        const QString folder = root + QStringLiteral("/f%1").arg(i, 5, 10, QChar(u'0'));
        QDir().mkpath(folder);
        QFile file(folder + QStringLiteral("/setup.exe"));
        file.open(QIODevice::WriteOnly);
    }
}

inline bool waitForIdle(const TSearchDialog &dialog, int milliseconds = 20000)
{
    return QTest::qWaitFor([&dialog] { return !dialog.isSearching(); }, milliseconds);
}

// A host that adds nothing and lets every file be written.
class StubHost : public DataEditorHost
{
public:
    EditorDocument::AddOutcome addFoundProgram(const QString &folder, const QString &fileName) override
    {
        added << folder + fileName;
        return outcome;
    }
    bool mayWriteDataFile(const QString &) override { return true; }
    void dataFileWritten(const QString &dataFile) override { written << dataFile; }

    EditorDocument::AddOutcome outcome = EditorDocument::AddOutcome::Refused;
    QStringList added;
    QStringList written;
};

} // namespace SearchFixture
