#include "mainwindowfixture.h"

#include "pathchange/pathdialog.h"
#include "project/designermessages.h"
#include "surface/menusurface.h"
#include "undo/designundo.h"
#include "objects/designedits.h"

#include <menuobjects/menuobjects.h>

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <unistd.h>

using Platform::MessageAnswer;

namespace {

const QString kProject = QStringLiteral("[NAMES]\n1001=Gry\n[DATA]\n1001=dane\\gry.rv3\n"
                                        "[LEFT]\n1001=10\n[TOP]\n1001=10\n[WIDTH]\n1001=80\n[HEIGHT]\n1001=40\n");

QWidget *key1001(TfrmGenerator &window)
{
    for (QWidget *object : window.context().Surface->components()) {
        if (MenuObjects::tagOf(object) == 1001)
            return object;
    }
    return nullptr;
}

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
    writeText(QStringLiteral("MENU.KLV"), kProject);
    windowWith(QStringLiteral("MENU.KLV"));
    ASSERT_TRUE(window->mnuZmienSciezki->isEnabled());
    const QByteArray before = readBytes(QStringLiteral("MENU.KLV"));
    const QPointer<TfrmMenu> surface = window->context().Surface;
    DesignEdits::setBounds(window->context(), key1001(*window), QRect(QPoint(50, 20), key1001(*window)->size()));
    window->context().ProjectModified = true;

    dialogs.answers = {MessageAnswer::Cancel};
    changeFirstFolder(*window, QStringLiteral("Programy"));
    EXPECT_EQ(readBytes(QStringLiteral("MENU.KLV")), before);
    EXPECT_EQ(window->context().Surface, surface);
    EXPECT_EQ(key1001(*window)->pos(), QPoint(50, 20));
    EXPECT_TRUE(window->context().ProjectModified);

    dialogs.answers = {MessageAnswer::Yes};
    changeFirstFolder(*window, QStringLiteral("Programy"));
    EXPECT_TRUE(surface.isNull()); // opened again
    const Platform::ProfileFile saved(path(QStringLiteral("MENU.KLV")));
    EXPECT_EQ(saved.readString(QStringLiteral("DATA"), QStringLiteral("1001"), {}), u"Programy\\gry.rv3");
    EXPECT_EQ(saved.readString(QStringLiteral("LEFT"), QStringLiteral("1001"), {}), u"50");
    EXPECT_EQ(key1001(*window)->pos(), QPoint(50, 20));
    EXPECT_FALSE(window->context().ProjectModified);
    EXPECT_EQ(window->undoHistory().steps().count(), 1);
}

TEST_F(MainWindowFixture, APathChangeThatCannotBeWrittenIsShownAndNothingIsOpenedAgain)
{
    writeText(QStringLiteral("MENU.KLV"), kProject);
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
