// A save that fails (a full disk) changes nothing: neither the file on disk
// nor what a later write of the open project carries there, nor which file
// the project is bound to.
#include "mainwindowfixture.h"

#include "inspector/objectinspector.h"
#include "objects/designedits.h"
#include "project/designermessages.h"
#include "surface/menusurface.h"

#include <checkbox/bitcheckbox.h>
#include <menuobjects/menuobjects.h>
#include <profilefile.h>
#include <testsupport.h>

#include <QAction>
#include <QApplication>
#include <QFileInfo>

using Platform::MessageAnswer;

namespace {

// The author drags key 1001 elsewhere: an edit and its undo step.
void moveKey(TfrmGenerator &window)
{
    QWidget *key = surfaceObject(window, 1001);
    DesignEdits::setBounds(window.context(), key, QRect(QPoint(50, 20), key->size()));
    window.context().ProjectModified = true;
    window.context().undo().SaveUndo(QStringLiteral("Przesunięcie"));
}

} // namespace

// The second-window tick writes its one key at once, and so does the undo
// of the tick; neither may carry the design of a save that failed before.
TEST_F(MainWindowFixture, AWriteAfterAFailedSaveCarriesOnlyItsOwnKey)
{
    struct Case {
        const char *name;
        bool undone;
    };
    for (const Case &c : {Case{"the tick", false}, Case{"the tick undone", true}}) {
        SCOPED_TRACE(c.name);
        writeText(QStringLiteral("MENU.KLV"), kOneKeyProject);
        windowWith(QStringLiteral("MENU.KLV"));
        moveKey(*window);
        dialogs.messages.clear();
        {
            TestSupport::FileSizeLimit fullDisk(64);
            window->mnuZapisz->trigger();
        }
        ASSERT_EQ(dialogs.messages.size(), 1); // the failed save is told

        TfrmObiekty &inspector = window->palette();
        inspector.showProperties(surfaceObject(*window, 1001));
        ASSERT_FALSE(inspector.chkUseNextIni->checked());
        inspector.chkUseNextIni->click();
        if (c.undone)
            window->mnuCofnij->trigger();
        EXPECT_EQ(dialogs.messages.size(), 1); // both writes went through
        dialogs.answers = {MessageAnswer::No};
        EXPECT_TRUE(closeWindow());
        window.reset();

        writeText(QStringLiteral("EXPECTED.KLV"), kOneKeyProject);
        Platform::ProfileFile expected(path(QStringLiteral("EXPECTED.KLV")));
        expected.writeString(QStringLiteral("NEXT_WINDOW"), QStringLiteral("1001"), QStringLiteral("1"));
        if (c.undone)
            expected.deleteKey(QStringLiteral("NEXT_WINDOW"), QStringLiteral("1001"));
        ASSERT_TRUE(expected.flush());
        EXPECT_EQ(readBytes(QStringLiteral("MENU.KLV")), readBytes(QStringLiteral("EXPECTED.KLV")));
    }
}

// "Zapisz jako" that cannot write the new file leaves the project bound to
// its old one, still modified: the title, the next save and the closing
// question all concern the old file, and the new name is left as it was.
TEST_F(MainWindowFixture, AFailedSaveAsLeavesTheProjectWhereItWas)
{
    struct Case {
        const char *name;
        QByteArray copyBefore; // KOPIA.KLV before the save as; null for none
    };
    for (const Case &c : {Case{"a new file", {}}, Case{"a file replaced", "[stary]\r\nklucz=1\r\n"}}) {
        SCOPED_TRACE(c.name);
        const QString copy = path(QStringLiteral("KOPIA.KLV"));
        QFile::remove(copy);
        if (!c.copyBefore.isNull())
            TestSupport::writeFile(copy, c.copyBefore);
        writeText(QStringLiteral("DEMO.KLV"), kOneKeyProject);
        windowWith(QStringLiteral("DEMO.KLV"));
        const QByteArray before = readBytes(QStringLiteral("DEMO.KLV"));
        moveKey(*window);
        dialogs.messages.clear();
        dialogs.pathAnswers = {copy};
        {
            // Room for a copy of the old file, none for the design.
            TestSupport::FileSizeLimit fullDisk(before.size());
            window->mnuZapiszJako->trigger();
        }
        ASSERT_EQ(dialogs.messages.size(), 1);
        EXPECT_TRUE(dialogs.messages.first().text.contains(QStringLiteral("KOPIA.KLV")))
            << dialogs.messages.first().text.toStdString();
        EXPECT_EQ(QFileInfo::exists(copy), !c.copyBefore.isNull());
        if (!c.copyBefore.isNull()) {
            EXPECT_EQ(TestSupport::readFile(copy), c.copyBefore);
        }
        EXPECT_EQ(window->context().ProjectIni->fileName(), path(QStringLiteral("DEMO.KLV")));
        EXPECT_TRUE(window->windowTitle().contains(QStringLiteral("DEMO.KLV")))
            << window->windowTitle().toStdString();
        EXPECT_TRUE(window->context().ProjectModified);

        // Closing asks first; Cancel stays.
        dialogs.messages.clear();
        dialogs.answers = {MessageAnswer::Cancel};
        EXPECT_FALSE(closeWindow());
        EXPECT_EQ(dialogs.messages.size(), 1);

        window->mnuZapisz->trigger();
        const Platform::ProfileFile saved(path(QStringLiteral("DEMO.KLV")));
        EXPECT_EQ(saved.readString(QStringLiteral("LEFT"), QStringLiteral("1001"), {}), u"50");
        EXPECT_EQ(QFileInfo::exists(copy), !c.copyBefore.isNull());
        EXPECT_FALSE(window->context().ProjectModified);
        window.reset();
    }
}
