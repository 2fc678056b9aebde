#include "menufixture.h"
#include "modal.h"

#include <dialogs/copydialog.h>

#include <buttons/menubutton.h>
#include <menuwindow/subwindow.h>

#include <dirtree/dirtree.h>

#include <testsupport.h>

#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

namespace {

const QString kMenu = QStringLiteral("[NAMES]\n1001=Gry\n[DATA]\n1001=DANE\\GRY.RV3\n"
                                     "[FUNCTIONS]\n10002=1\n[OBJECTS]\nLIST=1\n");

class CopyTest : public MenuFixture
{
protected:
    void SetUp() override
    {
        MenuFixture::SetUp();
        writeProject(kMenu);
        writeCdText(QStringLiteral("DANE/GRY.RV3"),
                    QStringLiteral("TITLE=Gry\n[Szachy]\nKATALOG=GRY\\SZACHY\\\nKOPIA=Szachy 2\n"
                                   "[Warcaby]\nKATALOG=GRY\\WARCABY\\#3\nKOPIA=\n[Saper]\nKATALOG=GRY\\SAPER\\\n"));
    }

    QString home() const { return dir.path() + QStringLiteral("/home"); }

    std::unique_ptr<T_frmKopia> dialogFor(const QString &program)
    {
        TForm1 &menu = window ? *window : build();
        menu.ODCZYTKATEGORI(menu.controls().categoryKeys.first());
        menu.choice().CurrentProgram = program;
        QDir().mkpath(home());
        return std::make_unique<T_frmKopia>(&menu, *context, menu.choice(), home(), home(), Platform::clBlack,
                                            Platform::clBlack);
    }
};

} // namespace

TEST(CopyTargets, ProposedChosenAndEdited)
{
    const QString home = QStringLiteral("/home/ola");
    EXPECT_EQ(T_frmKopia::proposedTarget(home, QStringLiteral("Szachy"), QStringLiteral("Gra")),
              QStringLiteral("/home/ola/Szachy"));
    EXPECT_EQ(T_frmKopia::proposedTarget(home, QString(), QStringLiteral("Gra")), QStringLiteral("/home/ola/CDROM/"));
    EXPECT_EQ(T_frmKopia::proposedTarget(home, std::nullopt, QStringLiteral("Gra")),
              QStringLiteral("/home/ola/CDROM/Gra"));
    EXPECT_EQ(T_frmKopia::proposedTarget(QStringLiteral("/"), QStringLiteral("Gra"), {}), QStringLiteral("/Gra"));

    // The tree's folders end in "/" but need not; "?" is no folder.
    EXPECT_EQ(T_frmKopia::chosenTarget(QStringLiteral("/mnt/usb/"), true, QStringLiteral("Gra")),
              QStringLiteral("/mnt/usb/Gra"));
    EXPECT_EQ(T_frmKopia::chosenTarget(QStringLiteral("/mnt/usb"), true, QStringLiteral("Gra")),
              QStringLiteral("/mnt/usb/Gra"));
    EXPECT_EQ(T_frmKopia::chosenTarget(QStringLiteral("/mnt/usb/"), false, QStringLiteral("Gra")),
              QStringLiteral("/mnt/usb/"));
    EXPECT_EQ(T_frmKopia::chosenTarget(QStringLiteral("?"), true, QStringLiteral("Gra")), std::nullopt);

    const std::pair<QString, std::optional<QString>> edited[] = {
        {QStringLiteral("/home/ola/Gra/"), QStringLiteral("/home/ola/Gra")},
        {QStringLiteral("/home/ola/Gra"), QStringLiteral("/home/ola/Gra")},
        {QStringLiteral("/"), QStringLiteral("/")},
        {QStringLiteral("Gra"), std::nullopt},
        {QStringLiteral("?Gra"), std::nullopt},
        {QStringLiteral("  "), std::nullopt},
    };
    for (const auto &[text, target] : edited)
        EXPECT_EQ(T_frmKopia::targetFolder(text), target) << text.toStdString();
}

TEST_F(CopyTest, ProposesATargetFromKopiaOrTheName)
{
    const std::pair<QString, QString> proposals[] = {
        {QStringLiteral("Szachy"), home() + QStringLiteral("/Szachy 2")},
        {QStringLiteral("Warcaby"), home() + QStringLiteral("/CDROM/")},
        {QStringLiteral("Saper"), home() + QStringLiteral("/CDROM/Saper")},
    };
    for (const auto &[program, target] : proposals) {
        const auto dialog = dialogFor(program);
        EXPECT_EQ(dialog->lblNazwa->text(), program);
        EXPECT_EQ(dialog->edtKatalog->text(), target);
        EXPECT_TRUE(dialog->chkPodkatalog->isChecked());
    }
}

TEST_F(CopyTest, AFolderChosenInTheTreeTakesTheSubfolder)
{
    QDir().mkpath(home() + QStringLiteral("/Dysk"));
    const auto dialog = dialogFor(QStringLiteral("Szachy"));
    dialog->dirtree1->OpenPath(home() + QStringLiteral("/Dysk"));
    EXPECT_EQ(dialog->edtKatalog->text(), home() + QStringLiteral("/Dysk/Szachy 2"));
    dialog->chkPodkatalog->setChecked(false);
    dialog->dirtree1->OpenPath(home());
    EXPECT_EQ(dialog->edtKatalog->text(), home() + u'/');
}

TEST_F(CopyTest, RefusesTargetsItCannotMakeAndStartsNothing)
{
    TestSupport::writeFile(home() + QStringLiteral("/plik"), "x");
    const QString targets[] = {QStringLiteral("Szachy"), home() + QStringLiteral("/plik/Szachy"), QString()};
    for (const QString &target : targets) {
        SCOPED_TRACE(target.toStdString());
        const auto dialog = dialogFor(QStringLiteral("Szachy"));
        dialog->edtKatalog->setText(target);
        dialogs.messages.clear();
        dialog->klwOKClick(dialog->klwOK);
        ASSERT_EQ(dialogs.messages.size(), 1);
        EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("Nie można utworzyć wskazanego katalogu:\n\"") + target + u'"');
        EXPECT_EQ(dialogs.messages[0].icon, Platform::MessageIcon::Warning);
        EXPECT_TRUE(launcher.started.isEmpty());
        EXPECT_FALSE(QDir::current().exists(QStringLiteral("Szachy")));
    }
}

TEST_F(CopyTest, MissingCopierIsReported)
{
    const auto dialog = dialogFor(QStringLiteral("Szachy"));
    dialog->klwOKClick(dialog->klwOK);
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("Nie udało się otworzyć pliku: \"") + cdPath(QStringLiteral("KOPIA.EXE")) + u'"');
    EXPECT_NE(dialog->result(), QDialog::Accepted);
}

// The copier beside the runtime gets the program's folder as stored and the
// target, made first, each behind its mark.
TEST_F(CopyTest, TheCopierGetsBothArgumentsInOrder)
{
    const QString log = dir.path() + QStringLiteral("/kopia.log");
    writeCdBytes(QStringLiteral("kopia.exe"),
                 "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"$KOPIA_LOG.part\"\n"
                 "mv \"$KOPIA_LOG.part\" \"$KOPIA_LOG\"\n");
    QFile(cdPath(QStringLiteral("kopia.exe"))).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("KOPIA_LOG", log.toLocal8Bit());
    Platform::Launcher::setInstance(nullptr); // the real one starts the copier

    struct Case {
        QString program;
        QString katalog;
    } cases[] = {
        {QStringLiteral("Szachy"), QStringLiteral("GRY\\SZACHY\\")},
        // A folder of a music scan keeps its mark.
        {QStringLiteral("Warcaby"), QStringLiteral("GRY\\WARCABY\\#3")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.program.toStdString());
        QFile::remove(log);
        const auto dialog = dialogFor(c.program);
        const QString target = home() + QStringLiteral("/nowy/") + c.program;
        dialog->edtKatalog->setText(target + u'/');
        dialog->klwOKClick(dialog->klwOK);
        EXPECT_TRUE(dialogs.messages.isEmpty());
        EXPECT_EQ(dialog->result(), QDialog::Accepted);
        EXPECT_TRUE(QFileInfo(target).isDir());
        QElapsedTimer waited;
        waited.start();
        while (!QFile::exists(log) && waited.elapsed() < 10000)
            QTest::qWait(20);
        EXPECT_EQ(TestSupport::readFile(log),
                  (QStringLiteral("#1") + context->DriveRoot + c.katalog + QStringLiteral("\n#2") + target + u'\n')
                      .toUtf8());
    }
    Platform::Launcher::setInstance(&launcher);
    qunsetenv("KOPIA_LOG");
}

// The menu window's tree opens the user's own folder; the second window's
// keeps the tree's own start folder (the folder the runtime runs in). Both
// propose a target in the user's folder.
TEST_F(CopyTest, EachWindowsTreeOpensItsOwnStartFolder)
{
    writeProject(QStringLiteral("[NAMES]\n1001=Gry\n1002=Więcej\n[DATA]\n1001=DANE\\GRY.RV3\n"
                                "[NEXT_WINDOW]\n1002=1\n[NEXT_WINDOW_INI]\n1002=DRUGIE\\DRUGIE.INI\n"
                                "[FUNCTIONS]\n10002=1\n[OBJECTS]\nLIST=1\n"));
    writeCdText(QStringLiteral("DRUGIE/DRUGIE.INI"),
                QStringLiteral("[NAMES]\n1001=Gry\n[DATA]\n1001=DANE\\GRY.RV3\n[FUNCTIONS]\n10002=1\n"
                               "[OBJECTS]\nLIST=1\n"));
    const QString running = cdPath(QStringLiteral("MENU"));
    QDir().mkpath(running);
    QDir().mkpath(home());
    // The runtime runs in the menu folder, the user's folder is home().
    struct Place {
        QString current = QDir::currentPath();
        QByteArray home = qgetenv("HOME");
        ~Place()
        {
            QDir::setCurrent(current);
            qputenv("HOME", home);
        }
    } restored;
    QDir::setCurrent(running);
    qputenv("HOME", home().toLocal8Bit());

    TForm1 &menu = build();
    menu.show();
    const auto key = [](QWidget &window, int id) {
        return window.findChild<TMenuButton *>(QStringLiteral("klw%1").arg(id));
    };
    const auto copyFrom = [&key](TMenuWindowBase &window) {
        QString tree;
        QString target;
        whenModal<T_frmKopia>([&tree, &target](T_frmKopia &dialog) {
            tree = dialog.dirtree1->GetSelectedDir();
            target = dialog.edtKatalog->text();
            dialog.reject();
        });
        window.choice().CurrentProgram = QStringLiteral("Szachy");
        window.KOPIUJ_PRG(key(window, 10002));
        return std::pair(tree, target);
    };

    menu.ODCZYTKATEGORI(key(menu, 1001));
    EXPECT_EQ(copyFrom(menu), std::pair(home() + u'/', home() + QStringLiteral("/Szachy 2")));

    menu.ODCZYTKATEGORI(key(menu, 1002));
    ASSERT_NE(menu.subWindow(), nullptr);
    TForm2 &second = *menu.subWindow();
    second.ODCZYTKATEGORI_2(key(second, 1001));
    EXPECT_EQ(copyFrom(second), std::pair(running + u'/', home() + QStringLiteral("/Szachy 2")));
}
