#include "dirtree/dirtree.h"

#include "testdoubles.h"
#include "testsupport.h"

#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

namespace {

using Platform::Volume;
using Platform::VolumeKind;

QStringList childNames(const QTreeWidgetItem *node)
{
    QStringList names;
    for (int i = 0; i < node->childCount(); ++i)
        names << node->child(i)->text(0);
    return names;
}

QStringList rootPaths(const QTreeWidget &tree)
{
    QStringList paths;
    for (int i = 0; i < tree.topLevelItemCount(); ++i)
        paths << TDirTree::pathOf(tree.topLevelItem(i));
    return paths;
}

// Five volumes made of temporary folders, one of each kind.
class DirTreeTest : public testing::Test
{
protected:
    void SetUp() override
    {
        base = QDir(dir.path()).canonicalPath() + u'/';
        for (const char *folder : {"dysk/Gry/Przygodowe", "dysk/GRY", "dysk/zeta", "dysk/alfa", "dysk/Beta",
                                   "dysk/.ukryty/w", "dysk/.Trash-1000/files", "dysk/Puste", "cd/Dane",
                                   "siec/Wspolne", "ram/tmp", "usb/Zdjecia"})
            QDir().mkpath(base + QString::fromUtf8(folder));
        QDir().mkpath(base + QStringLiteral("dysk/Ąbecadło"));
        QFile::link(base + QStringLiteral("dysk/Gry"), base + QStringLiteral("dysk/Skrot"));
        QFile::link(base + QStringLiteral("dysk"), base + QStringLiteral("dysk/Gry/Przygodowe/petla"));
        volumes.list = {
            {base + "cd/", "PLYTA", "cd-1", VolumeKind::CdRom},
            {base + "dysk/", "DANE", "dysk-1", VolumeKind::Fixed},
            {base + "ram/", "", "ram-1", VolumeKind::RamDisk},
            {base + "siec/", "", "siec-1", VolumeKind::Remote},
            {base + "usb/", "PENDRIVE", "usb-1", VolumeKind::Removable},
        };
        tree.setVolumeSource(&volumes);
        tree.OnAddDir = [this](QObject *, const QString &path, bool &) { asked << path; };
        tree.OnChange = [this](QObject *, QTreeWidgetItem *) { ++changes; };
        tree.OnClick = [this](QObject *) { ++clicks; };
        tree.resize(320, 400);
    }

    QTreeWidgetItem *root(const char *name) const
    {
        for (int i = 0; i < tree.topLevelItemCount(); ++i) {
            if (TDirTree::pathOf(tree.topLevelItem(i)) == base + QString::fromUtf8(name) + u'/')
                return tree.topLevelItem(i);
        }
        return nullptr;
    }

    QTemporaryDir dir;
    QString base;
    TestSupport::FakeVolumeSource volumes;
    TDirTree tree;
    QStringList asked;
    int changes = 0;
    int clicks = 0;
};

TEST_F(DirTreeTest, DriveKindsAreFilteredByDriveTypes)
{
    const struct {
        TDirTree::TDriveTypes types;
        QStringList roots;
    } cases[] = {
        {TDirTree::drtAllTypes, {"cd/", "dysk/", "ram/", "siec/", "usb/"}},
        {TDirTree::drtFixed, {"dysk/"}},
        {TDirTree::drtCDRom | TDirTree::drtRemovable, {"cd/", "usb/"}},
        {TDirTree::drtRemote | TDirTree::drtRamDisk, {"ram/", "siec/"}},
        {TDirTree::drtUnknown, {}},
    };
    for (const auto &c : cases) {
        tree.setDriveTypes(c.types);
        tree.ReadDrives();
        QStringList expected;
        for (const QString &rootName : c.roots)
            expected << base + rootName;
        EXPECT_EQ(rootPaths(tree), expected) << int(c.types);
    }
    tree.setDriveTypes(TDirTree::drtAllTypes);
    tree.ReadDrives();
    EXPECT_EQ(root("dysk")->text(0), QStringLiteral("DANE (%1dysk/)").arg(base));
    EXPECT_EQ(root("ram")->text(0), QStringLiteral("(%1ram/)").arg(base));
}

TEST_F(DirTreeTest, OnlyFixedAndRamVolumesAreProbedAtStart)
{
    tree.ReadDrives();
    for (const QString &path : std::as_const(asked)) {
        EXPECT_FALSE(path.startsWith(base + QStringLiteral("siec/")) && path != base + QStringLiteral("siec/"))
            << "remote volume probed: " << path.toStdString();
        EXPECT_FALSE(path.startsWith(base + QStringLiteral("cd/")) && path != base + QStringLiteral("cd/"));
    }
    EXPECT_TRUE(asked.contains(base + QStringLiteral("ram/tmp/")));
    for (const char *name : {"cd", "dysk", "ram", "siec", "usb"})
        EXPECT_EQ(root(name)->childIndicatorPolicy(), QTreeWidgetItem::ShowIndicator) << name;
    EXPECT_FALSE(TDirTree::childrenRead(root("dysk")));
}

TEST_F(DirTreeTest, ChildrenAreSortedAndFiltered)
{
    tree.ReadDrives();
    QTreeWidgetItem *dysk = root("dysk");
    dysk->setExpanded(true);
    ASSERT_TRUE(TDirTree::childrenRead(dysk));
    EXPECT_EQ(childNames(dysk), (QStringList{".Trash-1000", ".ukryty", "alfa", "Ąbecadło", "Beta", "GRY", "Gry",
                                             "Puste", "Skrot", "zeta"}));
    QTreeWidgetItem *trash = dysk->child(0);
    trash->setExpanded(true);
    EXPECT_EQ(trash->childCount(), 0); // the trash is shown, not what is in it
    EXPECT_EQ(trash->childIndicatorPolicy(), QTreeWidgetItem::DontShowIndicatorWhenChildless);
    EXPECT_EQ(dysk->child(7)->childIndicatorPolicy(), QTreeWidgetItem::DontShowIndicatorWhenChildless); // Puste

    // A folder link is listed but never walked into.
    QTreeWidgetItem *link = dysk->child(8);
    EXPECT_EQ(link->childIndicatorPolicy(), QTreeWidgetItem::DontShowIndicator);
    link->setExpanded(true);
    EXPECT_EQ(link->childCount(), 0);

    tree.setDirTypes(TDirTree::dtNormal);
    EXPECT_EQ(childNames(root("dysk")).size(), 0); // reloaded, not read yet
    root("dysk")->setExpanded(true);
    EXPECT_FALSE(childNames(root("dysk")).contains(QStringLiteral(".ukryty")));
}

TEST_F(DirTreeTest, OpenPathKeepsLetterCaseAndPrefersTheExactName)
{
    tree.ReadDrives();
    ASSERT_TRUE(tree.OpenPath(base + QStringLiteral("dysk/Gry/Przygodowe")));
    EXPECT_EQ(tree.GetSelectedDir(), base + QStringLiteral("dysk/Gry/Przygodowe/"));
    EXPECT_TRUE(tree.currentItem()->parent()->isExpanded());
    EXPECT_TRUE(root("dysk")->isExpanded());

    ASSERT_TRUE(tree.OpenPath(base + QStringLiteral("dysk/GRY/")));
    EXPECT_EQ(tree.GetSelectedDir(), base + QStringLiteral("dysk/GRY/"));
    ASSERT_TRUE(tree.OpenPath(base + QStringLiteral("dysk/gry/przygodowe")));
    EXPECT_EQ(tree.GetSelectedDir(), base + QStringLiteral("dysk/Gry/Przygodowe/"));
    ASSERT_TRUE(tree.OpenPath(base + QStringLiteral("DYSK/ALFA")));
    EXPECT_EQ(tree.GetSelectedDir(), base + QStringLiteral("dysk/alfa/"));
}

TEST_F(DirTreeTest, OpenPathOfMissingEmptyAndFilteredPaths)
{
    tree.ReadDrives();
    EXPECT_EQ(tree.GetSelectedDir(), QStringLiteral("?"));
    EXPECT_TRUE(tree.OpenPath(QStringLiteral("?")));
    EXPECT_EQ(tree.GetSelectedDir(), QStringLiteral("?"));
    EXPECT_FALSE(tree.OpenPath(QString()));

    const QString before = QDir::currentPath();
    QDir::setCurrent(base + QStringLiteral("usb/Zdjecia"));
    tree.OpenPath(base + QStringLiteral("dysk/nie/ma/takiego"));
    QDir::setCurrent(before);
    EXPECT_EQ(tree.GetSelectedDir(), base + QStringLiteral("usb/"));

    tree.OpenPath(base + QStringLiteral("dysk/alfa"));
    tree.OpenPath(base + QStringLiteral("dysk/.Trash-1000/files")); // below the trash: not in the tree
    EXPECT_EQ(tree.GetSelectedDir(), base + QStringLiteral("dysk/alfa/"));
}

TEST_F(DirTreeTest, NewVolumesAreInsertedInOrderAndGoneOnesRemoved)
{
    volumes.list.removeAt(2); // ram
    volumes.list.removeAt(0); // cd
    tree.ReadDrives();
    EXPECT_EQ(rootPaths(tree), (QStringList{base + "dysk/", base + "siec/", base + "usb/"}));
    QDir().mkpath(base + QStringLiteral("b-nowy"));
    QList<Volume> now = volumes.list;
    now.removeAt(2); // usb pulled out
    now.append({base + "ram/", "", "ram-1", VolumeKind::RamDisk});
    now.append({base + "b-nowy/", "", "n-1", VolumeKind::Removable});
    volumes.setVolumes(now);
    EXPECT_EQ(rootPaths(tree), (QStringList{base + "b-nowy/", base + "dysk/", base + "ram/", base + "siec/"}));
}

TEST_F(DirTreeTest, AChangedMediumResetsEveryChangedVolume)
{
    tree.ReadDrives();
    tree.OpenPath(base + QStringLiteral("usb/Zdjecia"));
    tree.OpenPath(base + QStringLiteral("cd/Dane"));
    ASSERT_EQ(root("cd")->childCount(), 1);
    ASSERT_EQ(root("usb")->childCount(), 1);
    const int changesBefore = changes;

    QList<Volume> now = volumes.list;
    now[0].serial = QStringLiteral("cd-2");
    now[0].label = QStringLiteral("INNA");
    now[4].serial = QString(); // the stick's medium is gone
    volumes.setVolumes(now);

    EXPECT_EQ(root("cd")->childCount(), 0);
    EXPECT_FALSE(TDirTree::childrenRead(root("cd")));
    EXPECT_EQ(root("cd")->text(0), QStringLiteral("INNA (%1cd/)").arg(base));
    EXPECT_EQ(root("usb")->childCount(), 0);
    EXPECT_EQ(root("usb")->childIndicatorPolicy(), QTreeWidgetItem::DontShowIndicator);
    EXPECT_EQ(root("dysk")->childIndicatorPolicy(), QTreeWidgetItem::ShowIndicator);
    EXPECT_EQ(tree.GetSelectedDir(), base + QStringLiteral("cd/"));
    EXPECT_GT(changes, changesBefore);
}

TEST_F(DirTreeTest, AClickOnAChangedVolumeResetsItWithoutClicking)
{
    tree.show();
    tree.ReadDrives();
    tree.OpenPath(base + QStringLiteral("cd/Dane"));
    const QPoint onDane = tree.visualItemRect(tree.currentItem()).center();
    const auto click = [&](QPoint at) {
        QMouseEvent press(QEvent::MouseButtonPress, at, tree.viewport()->mapToGlobal(at), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(tree.viewport(), &press);
        QMouseEvent release(QEvent::MouseButtonRelease, at, tree.viewport()->mapToGlobal(at), Qt::LeftButton,
                            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(tree.viewport(), &release);
    };
    click(onDane);
    EXPECT_EQ(clicks, 1);

    volumes.list[0].serial = QString(); // taken out, no change reported yet
    const int changesBefore = changes;
    click(onDane);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(root("cd")->childCount(), 0);
    EXPECT_EQ(tree.GetSelectedDir(), base + QStringLiteral("cd/"));
    EXPECT_EQ(changes, changesBefore + 1);
}

TEST_F(DirTreeTest, DroppedFilesAreReportedWithTheFolderAndWholeNames)
{
    tree.show();
    tree.ReadDrives();
    tree.setAcceptDropFiles(true);
    QString dropDir;
    QStringList dropped;
    tree.OnDropFiles = [&](QObject *, int, int, const QString &folder, const QStringList &files,
                           Qt::KeyboardModifiers) {
        dropDir = folder;
        dropped = files;
    };
    const QString longName = base + QString(300, u'x') + QStringLiteral(".txt");
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(longName), QUrl::fromLocalFile(base + QStringLiteral("a b.txt"))});
    const QPointF at = tree.visualItemRect(root("dysk")).center();
    // Qt hands a drop only to the widget that took the drag's entry.
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(tree.viewport(), &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(tree.viewport(), &drop);
    EXPECT_EQ(dropDir, base + QStringLiteral("dysk/"));
    EXPECT_EQ(dropped, (QStringList{longName, base + QStringLiteral("a b.txt")}));

    TEditorDirTree editorTree;
    editorTree.setVolumeSource(&volumes);
    editorTree.setAcceptDropFiles(true);
    EXPECT_FALSE(editorTree.AcceptDropFiles());
    EXPECT_TRUE(editorTree.GoBelowRecycleBin());
}

TEST_F(DirTreeTest, EditorTreeWalksIntoTheTrash)
{
    TEditorDirTree editorTree;
    editorTree.setVolumeSource(&volumes);
    editorTree.ReadDrives();
    ASSERT_TRUE(editorTree.OpenPath(base + QStringLiteral("dysk/.Trash-1000/files")));
    EXPECT_EQ(editorTree.GetSelectedDir(), base + QStringLiteral("dysk/.Trash-1000/files/"));
}

TEST_F(DirTreeTest, ReloadKeepsTheSelection)
{
    tree.ReadDrives();
    tree.OpenPath(base + QStringLiteral("dysk/Gry/Przygodowe"));
    tree.Reload();
    EXPECT_EQ(tree.GetSelectedDir(), base + QStringLiteral("dysk/Gry/Przygodowe/"));
}

// A picture for reviewers: the tree with a fixture path opened.
TEST_F(DirTreeTest, Screenshot)
{
    tree.setWindowTitle(QStringLiteral("TDirTree"));
    tree.setReadOnStart(true);
    tree.setInitialDirectory(base + QStringLiteral("dysk/Gry/Przygodowe"));
    tree.show();
    QApplication::processEvents();
    EXPECT_EQ(tree.GetSelectedDir(), base + QStringLiteral("dysk/Gry/Przygodowe/"));
    tree.setFocus();
    QApplication::processEvents();
    EXPECT_TRUE(tree.grab().save(TestSupport::outputDir() + QStringLiteral("/dirtree.png")));
}

} // namespace
