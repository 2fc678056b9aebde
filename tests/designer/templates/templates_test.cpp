#include "designerfixture.h"

#include <lists/horlistbox.h>
#include <mainwindow/generatorwindow.h>
#include <templates/templatedialog.h>
#include <templates/templatemessages.h>
#include <templates/templatestore.h>

#include <registry.h>

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTabWidget>

#include <testsupport.h>

#include <functional>
#include <memory>
#include <vector>

#include <unistd.h>

using Platform::MessageAnswer;
using namespace Templates;

namespace {

const QString kTemplate = QStringLiteral("[CDROM]\nCD_TITLE=Z szablonu\n[WINDOW]\nBACKGROUND=obrazy\\tlo.bmp\n");

QStringList namesOf(const QList<Template> &templates)
{
    QStringList names;
    for (const Template &entry : templates)
        names.append(entry.name + (entry.shipped ? QStringLiteral("*") : QStringLiteral("")));
    return names;
}

QImage picture(QColor color, QSize size = QSize(40, 30))
{
    QImage image(size, QImage::Format_RGB888);
    image.fill(color);
    return image;
}

QStringList linesOf(const THCheckListBox &list)
{
    QStringList lines;
    for (int i = 0; i < list.count(); ++i)
        lines.append(list.item(i)->text() + (list.checked(i) ? QStringLiteral(" +") : QStringLiteral(" -")));
    return lines;
}

} // namespace

class TemplatesTest : public DesignerFixture
{
protected:
    QString userFolder() const { return context.DataDir + QStringLiteral("Szablony/"); }
    QString shippedFolder() const { return context.GeneratorDir + QStringLiteral("SZABLONY/"); }

    // A template folder with its project file below a "Szablony" folder.
    QString makeTemplate(const QString &folder, const QString &name, const QString &text = kTemplate) const
    {
        const QString file = folder + name + u'/' + name + QStringLiteral(".SBL");
        TestSupport::writeFile(file, stored(text));
        return file;
    }

    std::unique_ptr<TfrmSzablon> chooser()
    {
        TemplateChooserSetup setup;
        setup.userDir = context.DataDir;
        setup.programDir = context.GeneratorDir;
        setup.driveRoot = context.DriveRoot;
        setup.configured = configured;
        setup.saveQuestion = [this] {
            ++saveQuestions;
            return saveAnswer;
        };
        setup.openProject = [this](const QString &fileName) { opened.append(fileName); };
        setup.clipboardImage = [this] { return clipboard; };
        return std::make_unique<TfrmSzablon>(nullptr, setup);
    }

    void select(TfrmSzablon &dialog, const QString &name) const
    {
        const QList<QListWidgetItem *> items = dialog.ListaNazw->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1);
        dialog.ListaNazw->setCurrentItem(items.first());
    }

    QStringList messageTexts() const
    {
        QStringList texts;
        for (const auto &message : dialogs.messages)
            texts.append(message.text);
        return texts;
    }

    ProjectFiles::ConfiguredFiles configured;
    int saveQuestions = 0;
    bool saveAnswer = true;
    QStringList opened;
    QImage clipboard;
};

TEST_F(TemplatesTest, ListingTakesRealFoldersByNameAndTheUsersOverTheShipped)
{
    const struct {
        const char *title;
        std::function<void()> make;
        QStringList expected;
    } cases[] = {
        {"no folders", [] {}, {}},
        {"real folders only",
         [this] {
             makeTemplate(userFolder(), QStringLiteral("Zeta"));
             makeTemplate(userFolder(), QStringLiteral("alfa"));
             QDir().mkpath(userFolder() + QStringLiteral("Pusty")); // a folder without a file still counts
             QDir().mkpath(userFolder() + QStringLiteral(".ukryty"));
             QDir().mkpath(drivePath(QStringLiteral("gdzie/indziej")));
             QFile::link(drivePath(QStringLiteral("gdzie/indziej")), userFolder() + QStringLiteral("Link"));
             TestSupport::writeFile(userFolder() + QStringLiteral("luzny.txt"), "x");
         },
         {QStringLiteral("alfa"), QStringLiteral("Pusty"), QStringLiteral("Zeta")}},
        {"folders in other letter cases",
         [this] {
             makeTemplate(context.DataDir + QStringLiteral("szablony/"), QStringLiteral("Mój"));
             makeTemplate(context.GeneratorDir + QStringLiteral("SZABLONY/"), QStringLiteral("Firmowy"));
         },
         {QStringLiteral("Firmowy*"), QStringLiteral("Mój")}},
        {"the user's hides the shipped",
         [this] {
             makeTemplate(userFolder(), QStringLiteral("Demo"));
             makeTemplate(shippedFolder(), QStringLiteral("DEMO"));
             makeTemplate(shippedFolder(), QStringLiteral("Ąbc"));
             makeTemplate(shippedFolder(), QStringLiteral("Beta"));
         },
         {QStringLiteral("Ąbc*"), QStringLiteral("Beta*"), QStringLiteral("Demo")}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.title);
        QDir(context.DataDir).removeRecursively();
        QDir(context.GeneratorDir).removeRecursively();
        c.make();
        EXPECT_EQ(namesOf(listTemplates(context.DataDir, context.GeneratorDir)), c.expected);

        const auto dialog = chooser();
        EXPECT_EQ(dialog->ListaNazw->count(), c.expected.size());
        EXPECT_EQ(dialog->klwUsun->isEnabled(), !c.expected.isEmpty() && !c.expected.first().endsWith(u'*'));
        EXPECT_EQ(dialog->klwZrzut->isEnabled(), dialog->klwUsun->isEnabled());
        EXPECT_EQ(dialog->klwOk->isEnabled(), !c.expected.isEmpty());
    }
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(TemplatesTest, OkCopiesTheTemplateOverAnExistingProjectOnlyAfterTheQuestion)
{
    const QString source = makeTemplate(userFolder(), QStringLiteral("Demo"));
    const QByteArray old = "[CDROM]\r\nCD_TITLE=Stary\r\n";
    const QString target = TestSupport::writeFile(drivePath(QStringLiteral("projekt/NOWY.KLV")), old);
    const auto dialog = chooser();

    // The name without its extension: the file with it exists, so the
    // chooser asks itself.
    dialogs.pathAnswers = {drivePath(QStringLiteral("projekt/NOWY"))};
    dialogs.answers = {MessageAnswer::No};
    dialog->klwOkClick(dialog->klwOk);
    EXPECT_EQ(messageTexts(), QStringList{TemplateMessages::fileExists(target)});
    EXPECT_EQ(TestSupport::readFile(target), old);
    EXPECT_TRUE(opened.isEmpty());

    dialogs.pathAnswers = {drivePath(QStringLiteral("projekt/NOWY"))};
    dialogs.answers = {MessageAnswer::Yes};
    dialog->klwOkClick(dialog->klwOk);
    EXPECT_EQ(TestSupport::readFile(target), TestSupport::readFile(source));
    EXPECT_EQ(opened, QStringList{target});
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(saveQuestions, 2);
}

TEST_F(TemplatesTest, OkRefusesTheTemplateItselfAndFailedCopiesAndStaysOpen)
{
    const QString source = makeTemplate(userFolder(), QStringLiteral("Demo"));
    const QByteArray bytes = TestSupport::readFile(source);
    const QString hardLink = drivePath(QStringLiteral("twardy.KLV"));
    ASSERT_EQ(::link(QFile::encodeName(source).constData(), QFile::encodeName(hardLink).constData()), 0);
    QFile::link(source, drivePath(QStringLiteral("miekki.KLV")));
    TestSupport::writeFile(drivePath(QStringLiteral("plik")), "x");
    struct Case {
        QString target;
        QString messageStart;
    };
    std::vector<Case> cases = {
        {source, TemplateMessages::copyOntoTemplate(source)},
        {userFolder() + QStringLiteral("Demo/../Demo/./Demo.SBL"), TemplateMessages::copyOntoTemplate({})},
        {hardLink, TemplateMessages::copyOntoTemplate({})},
        {drivePath(QStringLiteral("miekki.KLV")), TemplateMessages::copyOntoTemplate({})},
        {drivePath(QStringLiteral("plik/NOWY.KLV")), TemplateMessages::copyFailed({}, {}).trimmed()},
        {drivePath(QStringLiteral("brak/folderu/NOWY.KLV")), TemplateMessages::copyFailed({}, {}).trimmed()},
    };
    // A folder without write permission stops everyone but root.
    if (::geteuid() != 0) {
        QDir().mkpath(drivePath(QStringLiteral("tylkodoodczytu")));
        QFile::setPermissions(drivePath(QStringLiteral("tylkodoodczytu")), QFile::ReadOwner | QFile::ExeOwner);
        cases.push_back({drivePath(QStringLiteral("tylkodoodczytu/NOWY.KLV")), TemplateMessages::copyFailed({}, {}).trimmed()});
    }
    const auto dialog = chooser();
    for (const auto &c : cases) {
        SCOPED_TRACE(c.target.toStdString());
        dialogs.messages.clear();
        dialogs.pathAnswers = {c.target};
        dialog->klwOkClick(dialog->klwOk);
        ASSERT_EQ(dialogs.messages.size(), 1);
        EXPECT_TRUE(dialogs.messages.first().text.startsWith(c.messageStart)) << dialogs.messages.first().text.toStdString();
        EXPECT_EQ(TestSupport::readFile(source), bytes);
        EXPECT_TRUE(opened.isEmpty());
        EXPECT_NE(dialog->result(), QDialog::Accepted);
    }
    EXPECT_FALSE(QFileInfo::exists(drivePath(QStringLiteral("brak"))));
}

TEST_F(TemplatesTest, OkStopsAtTheSaveQuestionAndAtACancelledFileDialog)
{
    makeTemplate(userFolder(), QStringLiteral("Demo"));
    const auto dialog = chooser();
    saveAnswer = false;
    dialogs.pathAnswers = {drivePath(QStringLiteral("NOWY.KLV"))};
    dialog->klwOkClick(dialog->klwOk);
    EXPECT_EQ(saveQuestions, 1);
    EXPECT_TRUE(dialogs.dialogs.isEmpty()); // no file was asked for
    EXPECT_FALSE(QFileInfo::exists(drivePath(QStringLiteral("NOWY.KLV"))));

    saveAnswer = true;
    dialogs.pathAnswers = {};
    dialog->klwOkClick(dialog->klwOk);
    EXPECT_EQ(dialogs.dialogs.size(), 1);
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_NE(dialog->result(), QDialog::Accepted);

    // A template gone meanwhile is told, and the list is read again.
    QDir(userFolder() + QStringLiteral("Demo")).removeRecursively();
    dialog->klwOkClick(dialog->klwOk);
    EXPECT_EQ(messageTexts(), QStringList{TemplateMessages::templateGone(QStringLiteral("Demo"))});
    EXPECT_EQ(dialog->ListaNazw->count(), 0);
    EXPECT_EQ(saveQuestions, 2);
}

TEST_F(TemplatesTest, DeletingRemovesTheFolderAndNothingALinkLeadsTo)
{
    makeTemplate(userFolder(), QStringLiteral("Demo"));
    makeTemplate(userFolder(), QStringLiteral("Inny"));
    TestSupport::writeFile(userFolder() + QStringLiteral("Demo/zrzut.bmp"), "BM");
    TestSupport::writeFile(userFolder() + QStringLiteral("Demo/pod/plik.txt"), "x");
    const QString outside = TestSupport::writeFile(drivePath(QStringLiteral("cenne/dane.txt")), "cenne");
    QFile::link(drivePath(QStringLiteral("cenne")), userFolder() + QStringLiteral("Demo/cenne"));
    QFile::link(outside, userFolder() + QStringLiteral("Demo/pod/dane.txt"));
    const auto dialog = chooser();
    select(*dialog, QStringLiteral("Demo"));

    dialogs.answers = {MessageAnswer::No};
    dialog->klwUsunClick(dialog->klwUsun);
    dialogs.answers = {MessageAnswer::Cancel};
    dialog->klwUsunClick(dialog->klwUsun);
    EXPECT_TRUE(QFileInfo::exists(userFolder() + QStringLiteral("Demo/Demo.SBL")));
    EXPECT_EQ(dialog->ListaNazw->count(), 2);

    dialogs.answers = {MessageAnswer::Yes};
    dialog->klwUsunClick(dialog->klwUsun);
    EXPECT_FALSE(QFileInfo::exists(userFolder() + QStringLiteral("Demo")));
    EXPECT_EQ(TestSupport::readFile(outside), "cenne");
    EXPECT_EQ(namesOf(dialog->templates()), QStringList{QStringLiteral("Inny")});
    EXPECT_EQ(dialogs.messages.size(), 3);
    EXPECT_EQ(dialogs.messages.first().text, TemplateMessages::deleteQuestion());
    EXPECT_EQ(dialogs.messages.first().buttons, Platform::MessageButtons::YesNoCancel);
}

TEST_F(TemplatesTest, ShippedTemplatesAreNeitherDeletedNorGivenAPreview)
{
    makeTemplate(shippedFolder(), QStringLiteral("Firmowy"));
    const auto dialog = chooser();
    EXPECT_FALSE(dialog->klwUsun->isEnabled());
    EXPECT_FALSE(dialog->klwZrzut->isEnabled());
    const Template shipped = dialog->templates().first();
    EXPECT_FALSE(remove(shipped).ok());
    EXPECT_FALSE(savePreview(shipped, picture(Qt::red)).ok());
    EXPECT_TRUE(QFileInfo::exists(shipped.folder + QStringLiteral("/Firmowy.SBL")));
    EXPECT_FALSE(QFileInfo::exists(previewFile(shipped)));
}

TEST_F(TemplatesTest, ThePreviewComesFromTheClipboardAndIsTheOneShownAfterwards)
{
    const struct {
        const char *older; // an earlier preview; none when empty
    } cases[] = {{""}, {"ZRZUT.BMP"}, {"zrzut.bmp"}, {"Zrzut.Bmp"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.older);
        QDir(userFolder()).removeRecursively();
        makeTemplate(userFolder(), QStringLiteral("Demo"));
        if (*c.older) {
            ASSERT_TRUE(picture(Qt::red).save(userFolder() + QStringLiteral("Demo/") + QLatin1String(c.older), "BMP"));
        }
        auto dialog = chooser();
        EXPECT_EQ(dialog->previewShown().isNull(), !*c.older);
        EXPECT_EQ(dialog->Panel->text(), *c.older ? QString() : TemplateMessages::noPreview());

        dialogs.messages.clear();
        clipboard = QImage();
        dialog->klwZrzutClick(dialog->klwZrzut);
        ASSERT_EQ(dialogs.messages.size(), 1);
        EXPECT_EQ(dialogs.messages.first().text, TemplateMessages::noBitmap());
        EXPECT_EQ(dialogs.messages.first().icon, Platform::MessageIcon::Warning);

        clipboard = picture(Qt::blue, QSize(640, 480));
        dialogs.answers = {MessageAnswer::No};
        dialog->klwZrzutClick(dialog->klwZrzut);
        EXPECT_EQ(dialog->previewShown().isNull(), !*c.older);

        dialogs.answers = {MessageAnswer::Yes};
        dialog->klwZrzutClick(dialog->klwZrzut);
        EXPECT_EQ(dialogs.messages.size(), 3);
        ASSERT_FALSE(dialog->previewShown().isNull());
        EXPECT_EQ(dialog->previewShown().pixelColor(5, 5), QColor(Qt::blue));

        dialog = chooser();
        ASSERT_FALSE(dialog->previewShown().isNull());
        EXPECT_EQ(dialog->previewShown().pixelColor(5, 5), QColor(Qt::blue));
        QStringList previews = QDir(userFolder() + QStringLiteral("Demo")).entryList({QStringLiteral("*.bmp")});
        previews.append(QDir(userFolder() + QStringLiteral("Demo")).entryList({QStringLiteral("*.BMP")}));
        previews.removeDuplicates();
        EXPECT_EQ(previews.size(), 1) << previews.join(u',').toStdString();
    }
}

TEST_F(TemplatesTest, TheFileListTicksWhatIsThereWithAndWithoutTheMp3Library)
{
    makeTemplate(userFolder(), QStringLiteral("Muzyczny"),
                 QStringLiteral("[DATA]\n1001=dane\\gry.rv3\n[WINDOW]\nBACKGROUND=\n"
                                "[SOUND]\nBACKGROUND=dzwieki\\muzyka.mp3\nON_UP=dzwieki\\klik.wav\n"
                                "[BONUS]\nMASKA=maska.bmp\n[Ekran]\nBMP=ekran.bmp\n"));
    TestSupport::writeFile(drivePath(QStringLiteral("Dane/Gry.RV3")), "x");
    TestSupport::writeFile(drivePath(QStringLiteral("DZWIEKI/muzyka.mp3")), "x");
    const QString library = TestSupport::writeFile(drivePath(QStringLiteral("kalvor/MPEGDLL.DLL")), "x");
    const QString runtime = TestSupport::writeFile(drivePath(QStringLiteral("kalvor/orvanta")), "x");
    const struct {
        const char *title;
        QString mpegDll;
        QString libraryLine;
    } cases[] = {
        {"with the library", library, library + QStringLiteral(" +")},
        {"library missing", drivePath(QStringLiteral("kalvor/brak.dll")), TemplateMessages::noMp3Library() + QStringLiteral(" -")},
        {"no library configured", {}, TemplateMessages::noMp3Library() + QStringLiteral(" -")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.title);
        configured = {c.mpegDll, runtime, {}, drivePath(QStringLiteral("kalvor/peldix"))};
        const auto dialog = chooser();
        dialog->Pages->setCurrentWidget(dialog->tabPliki);
        EXPECT_EQ(linesOf(*dialog->Lista),
                  (QStringList{QStringLiteral("dane\\gry.rv3 +"), QStringLiteral("dzwieki\\muzyka.mp3 +"),
                               c.libraryLine, runtime + QStringLiteral(" +"), TemplateMessages::noCopier() + QStringLiteral(" -"),
                               drivePath(QStringLiteral("kalvor/peldix")) + QStringLiteral(" -"), QStringLiteral("ekran.bmp -")}));
    }
}

// The chooser opened from the main window, with a project open there.
class TemplatesFromMainWindow : public TemplatesTest
{
protected:
    void SetUp() override
    {
        TemplatesTest::SetUp();
        Platform::Registry::setStorageFile(drivePath(QStringLiteral("registry.ini")));
        GeneratorSetup setup;
        setup.programPath = context.GeneratorDir + QStringLiteral("dodorurav");
        setup.configPath = drivePath(QStringLiteral("config/Dodorurav.cfg"));
        setup.dataDir = context.DataDir;
        window = std::make_unique<TfrmGenerator>(setup);
        writeText(QStringLiteral("projekt/STARY.KLV"), QStringLiteral("[CDROM]\nCD_TITLE=Stary\n"));
        window->MRUMRUItemClick(drivePath(QStringLiteral("projekt/STARY.KLV")));
        ASSERT_TRUE(window->context().ProjectIni);
        window->context().ProjectModified = true;
        makeTemplate(userFolder(), QStringLiteral("Demo"));
    }
    void TearDown() override
    {
        window.reset();
        Platform::Registry::setStorageFile({});
        TemplatesTest::TearDown();
    }
    QString openFileName() const { return window->context().ProjectIni->fileName(); }

    std::unique_ptr<TfrmGenerator> window;
};

TEST_F(TemplatesFromMainWindow, TheSaveQuestionComesFirstAndCancelStopsEverything)
{
    const QByteArray before = readBytes(QStringLiteral("projekt/STARY.KLV"));
    TfrmSzablon dialog(window.get(), window->templateChooserSetup());
    dialogs.answers = {MessageAnswer::Cancel};
    dialogs.pathAnswers = {drivePath(QStringLiteral("projekt/NOWY.KLV"))};
    dialog.klwOkClick(dialog.klwOk);
    EXPECT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.dialogs.isEmpty());
    EXPECT_TRUE(window->context().ProjectModified);
    EXPECT_EQ(openFileName(), drivePath(QStringLiteral("projekt/STARY.KLV")));
    EXPECT_EQ(readBytes(QStringLiteral("projekt/STARY.KLV")), before);
    EXPECT_FALSE(QFileInfo::exists(drivePath(QStringLiteral("projekt/NOWY.KLV"))));
}

TEST_F(TemplatesFromMainWindow, ANewProjectFromATemplateIsOpenedAndSavesAsTheTemplateReads)
{
    TfrmSzablon dialog(window.get(), window->templateChooserSetup());
    dialogs.answers = {MessageAnswer::No};
    dialogs.pathAnswers = {drivePath(QStringLiteral("projekt/NOWY.KLV"))};
    dialog.klwOkClick(dialog.klwOk);
    EXPECT_EQ(openFileName(), drivePath(QStringLiteral("projekt/NOWY.KLV")));
    EXPECT_FALSE(window->context().ProjectModified);
    EXPECT_EQ(window->context().Design.setting(QStringLiteral("CD_TITLE")), QStringLiteral("Z szablonu"));
}
