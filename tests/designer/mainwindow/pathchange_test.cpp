#include "mainwindowfixture.h"

#include "pathchange/pathdialog.h"
#include "project/designermessages.h"
#include "surface/menusurface.h"
#include "undo/designundo.h"
#include "objects/designedits.h"

#include <menuobjects/menuobjects.h>
#include <testsupport.h>

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <unistd.h>

using Platform::MessageAnswer;

namespace {

// "Zmień ścieżki dostępu" as the author uses it: the first folder of the
// file changed to newFolder with "Zmieniaj", then "Zamknij".
void changeFirstFolder(TfrmGenerator &window, const QString &newFolder)
{
    bool shown = false;
    QTimer::singleShot(0, [&shown, newFolder] {
        if (auto *dialog = dynamic_cast<TfrmSciezki *>(QApplication::activeModalWidget())) {
            shown = true;
            dialog->edtKatalog->setText(newFolder);
            dialog->klwZmianiaj->click();
            dialog->klwZamknij->click();
        }
    });
    window.mnuZmienSciezki->trigger();
    EXPECT_TRUE(shown);
}

} // namespace

TEST_F(MainWindowFixture, PathChangeStopsAtCancelAndOpensTheProjectAgainAfterYes)
{
    writeText(QStringLiteral("MENU.KLV"), kOneKeyProject);
    windowWith(QStringLiteral("MENU.KLV"));
    ASSERT_TRUE(window->mnuZmienSciezki->isEnabled());
    const QByteArray before = readBytes(QStringLiteral("MENU.KLV"));
    const QPointer<TfrmMenu> surface = window->context().Surface;
    DesignEdits::setBounds(window->context(), surfaceObject(*window, 1001), QRect(QPoint(50, 20), surfaceObject(*window, 1001)->size()));
    window->context().ProjectModified = true;

    dialogs.answers = {MessageAnswer::Cancel};
    changeFirstFolder(*window, QStringLiteral("Programy"));
    EXPECT_EQ(readBytes(QStringLiteral("MENU.KLV")), before);
    EXPECT_EQ(window->context().Surface, surface);
    EXPECT_EQ(surfaceObject(*window, 1001)->pos(), QPoint(50, 20));
    EXPECT_TRUE(window->context().ProjectModified);

    dialogs.answers = {MessageAnswer::Yes};
    changeFirstFolder(*window, QStringLiteral("Programy"));
    EXPECT_TRUE(surface.isNull()); // opened again
    const Platform::ProfileFile saved(path(QStringLiteral("MENU.KLV")));
    EXPECT_EQ(saved.readString(QStringLiteral("DATA"), QStringLiteral("1001"), {}), u"Programy\\gry.rv3");
    EXPECT_EQ(saved.readString(QStringLiteral("LEFT"), QStringLiteral("1001"), {}), u"50");
    EXPECT_EQ(surfaceObject(*window, 1001)->pos(), QPoint(50, 20));
    EXPECT_FALSE(window->context().ProjectModified);
    EXPECT_EQ(window->undoHistory().steps().count(), 1);
}

TEST_F(MainWindowFixture, APathChangeThatCannotBeWrittenIsShownAndNothingIsOpenedAgain)
{
    writeText(QStringLiteral("MENU.KLV"), kOneKeyProject);
    windowWith(QStringLiteral("MENU.KLV"));
    const QString file = path(QStringLiteral("MENU.KLV"));
    QFile::setPermissions(file, QFile::ReadOwner);
    if (::access(QFile::encodeName(file).constData(), W_OK) == 0) {
        QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
        GTEST_SKIP() << "permissions do not stop the superuser";
    }
    const QByteArray before = readBytes(QStringLiteral("MENU.KLV"));
    const QPointer<TfrmMenu> surface = window->context().Surface;
    changeFirstFolder(*window, QStringLiteral("Programy"));
    QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);

    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages.first().text.startsWith(DesignerMessages::saveFailed(file, {})))
        << dialogs.messages.first().text.toStdString();
    EXPECT_EQ(readBytes(QStringLiteral("MENU.KLV")), before);
    EXPECT_EQ(window->context().Surface, surface);
}

// A save that failed (a full disk) leaves the design's text pending in the
// open project file. Whatever the author does after declining the changes,
// that text must never reach the disk once the disk has room again.
TEST_F(MainWindowFixture, ChangesDeclinedAfterAFailedSaveAreNeverWritten)
{
    struct Case {
        const char *name;
        std::function<void()> declineAndGoOn;
        QString expected; // the project file afterwards
    };
    QString kept = kOneKeyProject;
    kept.replace(QStringLiteral("dane\\gry.rv3"), QStringLiteral("Programy\\gry.rv3"));
    const std::vector<Case> cases{
        {"the path change", [this] { changeFirstFolder(*window, QStringLiteral("Programy")); }, kept},
        {"another project opened",
         [this] {
             dialogs.pathAnswers = {path(QStringLiteral("OTHER.KLV"))};
             window->mnuOtworz->trigger();
         },
         kOneKeyProject},
        {"the designer closed", [this] { EXPECT_TRUE(closeWindow()); }, kOneKeyProject},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        writeText(QStringLiteral("MENU.KLV"), kOneKeyProject);
        writeText(QStringLiteral("OTHER.KLV"), kOneKeyProject);
        writeText(QStringLiteral("EXPECTED.KLV"), c.expected);
        const QByteArray expected = readBytes(QStringLiteral("EXPECTED.KLV"));
        windowWith(QStringLiteral("MENU.KLV"));
        DesignEdits::setBounds(window->context(), surfaceObject(*window, 1001), QRect(QPoint(50, 20), surfaceObject(*window, 1001)->size()));
        window->context().ProjectModified = true;
        dialogs.messages.clear();
        {
            TestSupport::FileSizeLimit fullDisk(64);
            window->mnuZapisz->trigger();
        }
        ASSERT_EQ(dialogs.messages.size(), 1); // the failed save is told
        ASSERT_TRUE(window->context().ProjectModified);

        dialogs.answers = {MessageAnswer::No};
        c.declineAndGoOn();
        EXPECT_EQ(readBytes(QStringLiteral("MENU.KLV")), expected);
        window.reset();
        EXPECT_EQ(readBytes(QStringLiteral("MENU.KLV")), expected);
    }
}
