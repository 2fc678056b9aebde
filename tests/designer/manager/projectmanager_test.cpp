#include "managerfixture.h"

#include "../../runtime/dialogs/modal.h"

#include <manager/projectmanager.h>
#include <lists/horlistbox.h>
#include <undo/designundo.h>

#include <profilefile.h>

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>

namespace {

struct Line
{
    QString text;
    bool ticked;
    bool operator==(const Line &) const = default;
};

QList<Line> linesOf(const THCheckListBox &list)
{
    QList<Line> lines;
    for (int i = 0; i < list.count(); ++i)
        lines.append({list.item(i)->text(), list.checked(i)});
    return lines;
}

void PrintTo(const Line &line, std::ostream *out)
{
    *out << line.text.toStdString() << (line.ticked ? " [x]" : " [ ]");
}

} // namespace

class ProjectManager : public ManagerFixture
{
protected:
    void SetUp() override
    {
        ManagerFixture::SetUp();
        writeText(QStringLiteral("projekt/MENU.KLV"),
                  QStringLiteral("[DATA]\n1001=dane\\gry.rv3\n1002=\n1003=DANE\\BRAK.RV3\n"
                                 "[GLYPH]\n1001=obrazy\\GRY.BMP\n1002=\n"
                                 "[WINDOW]\nBACKGROUND=obrazy\\tlo.bmp\nTOOLS_BACKGROUND=\n"
                                 "[NEXT_WINDOW_INI]\n1001=okna\\drugie.ini\n1002=okna\\brak.ini\n"));
        writeText(QStringLiteral("okna/DRUGIE.INI"),
                  QStringLiteral("[DATA]\n1001=dane\\drugie.rv3\n[GLYPH]\n1001=obrazy\\drugie.bmp\n"
                                 "1002=obrazy\\brak.bmp\n[BONUS]\nMASKA=obrazy\\maska2.bmp\n"));
        writeText(QStringLiteral("dane/GRY.RV3"), QStringLiteral("TITLE=Gry\n"));
        writeText(QStringLiteral("dane/DRUGIE.RV3"), QStringLiteral("TITLE=Drugie\n"));
        for (const char *picture : {"obrazy/gry.bmp", "obrazy/tlo.bmp", "obrazy/drugie.bmp"})
            writePicture(QString::fromLatin1(picture));
        writePicture(QStringLiteral("obrazy/maska2.bmp"), QImage::Format_Mono);
        dataEditor = TestSupport::writeFile(path(QStringLiteral("bin/zazava")), "#!/bin/sh\n");
        bitmapEditor = TestSupport::writeFile(path(QStringLiteral("bin/pixanto")), "#!/bin/sh\n");
        writeText(QStringLiteral("KALVOR/Dodorurav.cfg"),
                  QStringLiteral("[PLIKI]\nZAZAVA_RV3=%1\nZAZAVA_BMP=%2\n").arg(dataEditor, bitmapEditor));
        openWindow(QStringLiteral("projekt/MENU.KLV"));
    }

    // Runs act on a new project manager opened by F6's command; the
    // manager is closed after it unless act closed it. True when it was
    // closed with OK.
    bool withManager(const std::function<void(TfrmMenadzer &)> &act)
    {
        bool accepted = false;
        whenModal<TfrmMenadzer>([&](TfrmMenadzer &manager) {
            QObject::connect(&manager, &QDialog::accepted, [&accepted] { accepted = true; });
            act(manager);
            if (manager.isVisible())
                manager.reject();
        });
        window->mnuMenadzer->trigger();
        return accepted;
    }

    QString dataEditor, bitmapEditor;
};

TEST_F(ProjectManager, ListsEachConfigurationWithItsOwnFiles)
{
    const struct {
        const char *name;
        int row;
        QString label;
        bool canOpen;
        QList<Line> dataFiles;
        QList<Line> bitmaps;
    } cases[] = {
        {"the open project",
         0,
         QStringLiteral("Aktualna konfiguracja: ") + path(QStringLiteral("projekt/MENU.KLV")),
         false,
         {{path(QStringLiteral("dane/GRY.RV3")), true}, {path(QStringLiteral("dane/BRAK.RV3")), false}},
         {{path(QStringLiteral("obrazy/gry.bmp")), true}, {path(QStringLiteral("obrazy/tlo.bmp")), true}}},
        {"a sub-window file",
         1,
         QStringLiteral("Wybrana konfiguracja: ") + path(QStringLiteral("okna/DRUGIE.INI")),
         true,
         {{path(QStringLiteral("dane/DRUGIE.RV3")), true}},
         {{path(QStringLiteral("obrazy/drugie.bmp")), true},
          {path(QStringLiteral("obrazy/brak.bmp")), false},
          {path(QStringLiteral("obrazy/maska2.bmp")), true}}},
        {"a missing sub-window file",
         2,
         QStringLiteral("Wybrana konfiguracja: ") + path(QStringLiteral("okna/brak.ini")),
         false,
         {},
         {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        withManager([&](TfrmMenadzer &manager) {
            EXPECT_EQ(linesOf(*manager.ListaINI),
                      QList<Line>({{QStringLiteral("otwarty plik >>> ") + path(QStringLiteral("projekt/MENU.KLV")), true},
                                   {path(QStringLiteral("okna/DRUGIE.INI")), true},
                                   {path(QStringLiteral("okna/brak.ini")), false}}));
            manager.ListaINI->setCurrentRow(c.row);
            EXPECT_EQ(manager.Label1->text(), c.label);
            EXPECT_EQ(manager.klwOpen->isEnabled(), c.canOpen);
            manager.PageControl1->setCurrentWidget(manager.tabBMP);
            EXPECT_EQ(linesOf(*manager.ListaBMP), c.bitmaps);
            manager.PageControl1->setCurrentWidget(manager.tabRV3);
            EXPECT_EQ(linesOf(*manager.ListaRV3), c.dataFiles);
            // A tick tells what is on disk; a click does not change it.
            if (manager.ListaRV3->count() > 0) {
                manager.ListaRV3->item(0)->setCheckState(Qt::Unchecked);
                EXPECT_EQ(linesOf(*manager.ListaRV3), c.dataFiles);
            }
        });
    }
}

TEST_F(ProjectManager, AProjectWithoutSubWindowsCannotOpenAnything)
{
    writeText(QStringLiteral("projekt/SAM.KLV"), QStringLiteral("[DATA]\n1001=dane\\gry.rv3\n"));
    openWindow(QStringLiteral("projekt/SAM.KLV"));
    withManager([&](TfrmMenadzer &manager) {
        EXPECT_EQ(linesOf(*manager.ListaINI),
                  QList<Line>({{QStringLiteral("otwarty plik >>> ") + path(QStringLiteral("projekt/SAM.KLV")), true}}));
        EXPECT_FALSE(manager.klwOpen->isEnabled());
        manager.klwOpen->click();
    });
    EXPECT_EQ(window->context().ProjectIni->fileName(), path(QStringLiteral("projekt/SAM.KLV")));
}

// Each editor gets the chosen file's full path as its one argument.
TEST_F(ProjectManager, BmpRv3StartsTheEditorOfThePageOnTheChosenFile)
{
    const struct {
        const char *name;
        int configuration;
        int page; // 0 configurations, 1 data files, 2 bitmaps
        int row;  // -1: none chosen
        QString program;
        QString argument;
    } cases[] = {
        {"the configuration page", 1, 0, 1, {}, {}},
        {"no data file chosen", 0, 1, -1, {}, {}},
        {"no bitmap chosen", 0, 2, -1, {}, {}},
        {"a data file of the project", 0, 1, 1, dataEditor, path(QStringLiteral("dane/BRAK.RV3"))},
        {"a bitmap of the sub-window", 1, 2, 2, bitmapEditor, path(QStringLiteral("obrazy/maska2.bmp"))},
        {"a data file of the sub-window", 1, 1, 0, dataEditor, path(QStringLiteral("dane/DRUGIE.RV3"))},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        launcher.started.clear();
        launcher.startedArguments.clear();
        dialogs.messages.clear();
        withManager([&](TfrmMenadzer &manager) {
            manager.ListaINI->setCurrentRow(c.configuration);
            manager.PageControl1->setCurrentIndex(c.page);
            THCheckListBox *list = c.page == 1 ? manager.ListaRV3 : c.page == 2 ? manager.ListaBMP : manager.ListaINI;
            if (c.row >= 0)
                list->setCurrentRow(c.row);
            else
                list->setCurrentRow(0, QItemSelectionModel::NoUpdate); // current, but not chosen
            manager.klwBMPRV3->click();
        });
        ASSERT_EQ(launcher.started.size(), c.program.isEmpty() ? 0 : 1);
        if (!c.program.isEmpty()) {
            EXPECT_TRUE(launcher.started[0].startsWith(c.program + u' '));
            EXPECT_EQ(launcher.startedArguments, QList<QStringList>({{c.argument}}));
        }
        EXPECT_TRUE(dialogs.messages.isEmpty());
    }
}

TEST_F(ProjectManager, OpenAsksAboutTheChangesThenOpensTheSubWindowFile)
{
    const struct {
        const char *name;
        bool modified;
        Platform::MessageAnswer answer;
        bool saveFails;
        bool opened;
    } cases[] = {
        {"unchanged", false, Platform::MessageAnswer::Ok, false, true},
        {"changes dropped", true, Platform::MessageAnswer::No, false, true},
        {"cancelled", true, Platform::MessageAnswer::Cancel, false, false},
        {"the save failed", true, Platform::MessageAnswer::Yes, true, false},
        {"changes saved", true, Platform::MessageAnswer::Yes, false, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        openWindow(QStringLiteral("projekt/MENU.KLV"));
        DesignerContext &context = window->context();
        window->undoHistory().SaveUndo(QStringLiteral("Krok 1"));
        window->undoHistory().SaveUndo(QStringLiteral("Krok 2"));
        ASSERT_TRUE(window->undoHistory().canUndo());
        context.ProjectModified = c.modified;
        dialogs.messages.clear();
        dialogs.answers = {c.answer};
        const QString project = path(QStringLiteral("projekt/MENU.KLV"));
        const QByteArray saved = TestSupport::readFile(project);
        if (c.saveFails) { // a folder in its place takes no file
            QFile::remove(project);
            QDir().mkpath(project);
        }
        bool stillOpen = false;

        const bool accepted = withManager([&](TfrmMenadzer &manager) {
            manager.ListaINI->setCurrentRow(1);
            manager.klwOpen->click();
            stillOpen = manager.isVisible();
        });

        ASSERT_EQ(dialogs.messages.size(), (c.modified ? 1 : 0) + (c.saveFails ? 1 : 0));
        if (c.modified) {
            EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("Czy chcesz zachować zmiany?"));
            EXPECT_EQ(dialogs.messages[0].caption, QStringLiteral("Plik konfiguracji menu został zmieniony!"));
            EXPECT_EQ(dialogs.messages[0].buttons, Platform::MessageButtons::YesNoCancel);
        }
        if (c.saveFails) {
            QDir(project).removeRecursively();
            TestSupport::writeFile(project, saved);
        }
        EXPECT_EQ(accepted, c.opened);
        EXPECT_EQ(stillOpen, !c.opened);
        EXPECT_EQ(context.ProjectIni->fileName(),
                  path(c.opened ? QStringLiteral("okna/DRUGIE.INI") : QStringLiteral("projekt/MENU.KLV")));
        EXPECT_EQ(window->undoHistory().canUndo(), !c.opened);
        if (!c.opened) {
            EXPECT_TRUE(context.ProjectModified);
        }
    }
}

// A picture that a link leads off the drive is not there, and its line
// says which value it is.
TEST_F(ProjectManager, AFileOffTheDriveIsListedAsStoredAndUnticked)
{
    QTemporaryDir elsewhere;
    writePicture(QStringLiteral("obrazy/inne.bmp"));
    QFile::copy(path(QStringLiteral("obrazy/inne.bmp")), elsewhere.filePath(QStringLiteral("obca.bmp")));
    QFile::link(elsewhere.path(), path(QStringLiteral("OBCE")));
    writeText(QStringLiteral("okna/OBCE.INI"), QStringLiteral("[GLYPH]\n1001=obce\\obca.bmp\n1002=OBRAZY\\INNE.BMP\n"));

    const Platform::ProfileFile config(path(QStringLiteral("okna/OBCE.INI")));
    const QList<ConfigurationFiles::Line> lines = ConfigurationFiles::bitmaps(config, path());

    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0].path, QStringLiteral("obce\\obca.bmp"));
    EXPECT_FALSE(lines[0].exists);
    EXPECT_EQ(lines[1].path, path(QStringLiteral("obrazy/inne.bmp")));
    EXPECT_TRUE(lines[1].exists);
}
