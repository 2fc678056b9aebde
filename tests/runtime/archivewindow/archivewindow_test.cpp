// The archive window over the real unzip plug-in: the listing, a double
// click opening one entry, extraction through the folder dialog, Esc while
// the plug-in works and the conversion into a self-extracting program.

#include "testdoubles.h"
#include "testsupport.h"
#include "rarbuilder.h"
#include "zipbuilder.h"
#include "archive/archivewindow.h"
#include "archive/archivetexts.h"
#include "buttons/menubutton.h"
#include "dirtree/dirtree.h"

#include <QApplication>
#include <QButtonGroup>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

class ArchiveWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        QDir(dir.path()).mkpath("program");
        QDir(dir.path()).mkpath("cd");
        ASSERT_TRUE(QFile::link(REAL_PLUGIN, dir.filePath("program/unzdll.dll")));
        ASSERT_TRUE(QFile::link(RAR_PLUGIN, dir.filePath("program/unrar.dll")));
        ASSERT_TRUE(QFile::copy(SFX_STUB, dir.filePath("program/zipsfx.bin")));
        archive = TestSupport::writeFile(
            dir.filePath("cd/SETUP.ZIP"),
            ZipBuilder::build({{"b.txt", "bee"},
                               {"sub/deep/a.txt", "deep text", 0, 20, 0, 0, 0x52216000},
                               {"C.TXT", "sea and sun"}}));
    }

    std::unique_ptr<TfrmZip> open(const QString &programDir = {})
    {
        auto window = std::make_unique<TfrmZip>(
            nullptr, ArchiveWindowSettings{archive, programDir.isEmpty() ? dir.filePath("program") : programDir,
                                           QStringLiteral("Tytuł CD")});
        return window;
    }

    QStringList names(TfrmZip &window) const
    {
        QStringList result;
        for (int row = 1; row < window.StringGrid1->RowCount(); ++row)
            result.append(window.StringGrid1->Cells(0, row));
        return result;
    }

    // Answers the extraction dialog once it shows.
    static void answerExtract(TfrmZip &window, const QString &folder, bool selected)
    {
        QTimer::singleShot(0, &window, [&window, folder, selected] {
            window.Extract->edtKatalog->setText(folder);
            window.Extract->RadioGroup3->button(selected ? 1 : 0)->setChecked(true);
            window.Extract->OKButClick(nullptr);
        });
    }

    QStringList messageTexts() const
    {
        QStringList texts;
        for (const auto &m : dialogs.messages)
            texts.append(m.text);
        return texts;
    }

    QTemporaryDir dir;
    QString archive;
    TestSupport::RecordingDialogs dialogs;
    TestSupport::RecordingLauncher launcher;
    TestSupport::FakeVolumeSource volumes;
};

} // namespace

TEST_F(ArchiveWindowTest, ListsEntriesSortedByNameWithSizesAndDates)
{
    auto window = open();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Obsługa archiwów"));
    EXPECT_EQ(window->StringGrid1->Cells(3, 0), QStringLiteral("Data Czas"));
    EXPECT_EQ(names(*window), (QStringList{"b.txt", "C.TXT", "sub\\deep\\a.txt"}));
    EXPECT_EQ(window->lblFileCount->text(), QStringLiteral("3"));
    EXPECT_EQ(window->ZipFName->text(), archive);
    EXPECT_EQ(window->StringGrid1->Cells(2, 3), QStringLiteral("9"));
    EXPECT_EQ(window->StringGrid1->Cells(3, 3), QStringLiteral("01.01.2021  12:00"));
    EXPECT_EQ(window->StringGrid1->Cells(3, 1), QStringLiteral("01.01.2020  12:00"));
    EXPECT_EQ(window->StringGrid1->Row(), 1);
}

TEST_F(ArchiveWindowTest, EveryHeaderClickFlipsTheDirectionWhateverTheButton)
{
    auto window = open();
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    QHeaderView *header = window->StringGrid1->horizontalHeader();
    const auto click = [&](int col, Qt::MouseButton button) {
        QTest::mouseClick(header->viewport(), button, {},
                          QPoint(header->sectionViewportPosition(col) + 10, header->height() / 2));
    };
    click(2, Qt::LeftButton);
    // The first click flips the window's ascending start.
    EXPECT_EQ(names(*window), (QStringList{"C.TXT", "sub\\deep\\a.txt", "b.txt"}));
    click(2, Qt::LeftButton);
    EXPECT_EQ(window->StringGrid1->Cells(2, 1), QStringLiteral("3"));
    // A right click flips as well: the window's direction holds, not the
    // grid's own descending right click.
    click(2, Qt::RightButton);
    EXPECT_EQ(window->StringGrid1->Cells(2, 1), QStringLiteral("11"));
    click(2, Qt::RightButton);
    EXPECT_EQ(window->StringGrid1->Cells(2, 1), QStringLiteral("3"));
}

TEST_F(ArchiveWindowTest, DoubleClickOpensOnlyAnEntryReallyWritten)
{
    archive = TestSupport::writeFile(dir.filePath("cd/SETUP.ZIP"),
                                     ZipBuilder::build({{"sub/deep/a.txt", "deep text"}, {"../evil.txt", "evil"}}));
    auto window = open();
    struct Case {
        const char *name;
        bool onHeader;
        const char *entry;
        bool opens;
    } cases[] = {
        {"an entry in folders", false, "sub\\deep\\a.txt", true},
        {"a press on the header", true, "sub\\deep\\a.txt", false},
        {"a name leading out", false, "..\\evil.txt", false},
    };
    for (const Case &c : cases) {
        launcher.opened.clear();
        int row = 0;
        int col = 0;
        ASSERT_TRUE(window->StringGrid1->FindText(QString::fromUtf8(c.entry), col, row)) << c.name;
        window->StringGrid1->SelectCellAt(0, row);
        window->StringGrid1->OnMouseDown(window->StringGrid1, Qt::LeftButton, 0, c.onHeader ? 0 : row);
        window->StringGrid1DblClick(window->StringGrid1);
        if (c.opens) {
            ASSERT_EQ(launcher.opened.size(), 1) << c.name;
            EXPECT_EQ(launcher.opened[0], QDir(window->openFolder()).canonicalPath() + "/sub/deep/a.txt");
            EXPECT_EQ(TestSupport::readFile(launcher.opened[0]), "deep text");
            EXPECT_FALSE(launcher.opened[0].startsWith(dir.path())) << "a private folder, not the CD";
        } else {
            EXPECT_TRUE(launcher.opened.isEmpty()) << c.name;
        }
    }
    EXPECT_FALSE(QFile::exists(QDir(window->openFolder()).filePath("../evil.txt")));

    launcher.fail = true;
    window->StringGrid1->SelectCellAt(0, 2);
    window->StringGrid1->OnMouseDown(window->StringGrid1, Qt::LeftButton, 0, 2);
    window->StringGrid1DblClick(window->StringGrid1);
    ASSERT_FALSE(dialogs.messages.isEmpty());
    EXPECT_TRUE(dialogs.messages.last().text.startsWith(QStringLiteral("Nie udało się uruchomić: ")));
    EXPECT_EQ(dialogs.messages.last().caption, QStringLiteral("Tytuł CD"));
    QDir(window->openFolder()).removeRecursively();
}

TEST_F(ArchiveWindowTest, ExtractionCountsWhatWasWrittenAndWantsASelection)
{
    auto window = open();
    const QString target = dir.filePath("out/new");

    window->StringGrid1->clearSelection();
    answerExtract(*window, target, true);
    window->ExtractButClick(nullptr);
    EXPECT_EQ(messageTexts(), QStringList{QStringLiteral("Brak zaznaczonych plików!")});
    EXPECT_TRUE(QDir(target).isEmpty());

    dialogs.messages.clear();
    window->StringGrid1->SelectCellAt(0, 3);
    answerExtract(*window, target, true);
    window->ExtractButClick(nullptr);
    EXPECT_EQ(messageTexts(), QStringList{QStringLiteral("Liczba plików rozpakowanych: 1")});
    EXPECT_EQ(TestSupport::readFile(target + "/sub/deep/a.txt"), "deep text");

    dialogs.messages.clear();
    answerExtract(*window, target, false);
    window->ExtractButClick(nullptr);
    EXPECT_EQ(messageTexts(), QStringList{QStringLiteral("Liczba plików rozpakowanych: 3")});
    EXPECT_EQ(TestSupport::readFile(target + "/C.TXT"), "sea and sun");
    EXPECT_FALSE(window->ProgressBar1->isVisible());
}

TEST_F(ArchiveWindowTest, AFolderThatCannotBeMadeKeepsTheDialogOpen)
{
    auto window = open();
    TestSupport::writeFile(dir.filePath("plainfile"), "x");
    window->Extract->show();
    window->Extract->edtKatalog->setText(dir.filePath("plainfile/below"));
    window->Extract->OKButClick(nullptr);
    EXPECT_TRUE(window->Extract->isVisible());
    EXPECT_TRUE(window->Extract->LeftWithoutOk);
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].text, "Nie udało się utworzyć katalogu: " + dir.filePath("plainfile/below"));
    window->Extract->CancelButClick(nullptr);
}

TEST_F(ArchiveWindowTest, EscWhileThePlugInWorksStopsItAndKeepsTheWindow)
{
    auto window = open(SLOW_PLUGIN_DIR);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    QTimer::singleShot(150, window.get(), [&] {
        QTest::keyClick(window.get(), Qt::Key_Escape);
        window->close();
    });
    answerExtract(*window, dir.filePath("out"), false);
    window->ExtractButClick(nullptr);
    EXPECT_TRUE(window->isVisible());
    ASSERT_FALSE(dialogs.messages.isEmpty());
    const QString count = dialogs.messages.last().text;
    ASSERT_TRUE(count.startsWith(ArchiveTexts::ExtractedCount));
    EXPECT_LT(count.mid(ArchiveTexts::ExtractedCount.size()).toInt(), 100);
    QTest::keyClick(window.get(), Qt::Key_Escape);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(ArchiveWindowTest, ConversionWritesTheProgramAtTheTypedPathAndKeepsTheArchive)
{
    const QByteArray original = TestSupport::readFile(archive);
    struct Case {
        const char *name;
        QString program;
    } cases[] = {
        {"beside the archive", dir.filePath("cd/SETUP.exe")},
        {"another name elsewhere", dir.filePath("out/instaluj")},
    };
    QDir(dir.path()).mkpath("out");
    auto window = open();
    for (const Case &c : cases) {
        dialogs.messages.clear();
        QTimer::singleShot(0, window.get(), [&] {
            window->MakeSFX->edtSFXFileName->setText(c.program);
            window->MakeSFX->ExecButClick(nullptr);
        });
        window->ConvertButClick(nullptr);
        EXPECT_EQ(messageTexts(), QStringList{ArchiveTexts::ConvertDone + c.program}) << c.name;
        const QByteArray program = TestSupport::readFile(c.program);
        EXPECT_TRUE(program.startsWith(TestSupport::readFile(SFX_STUB))) << c.name;
        EXPECT_EQ(TestSupport::readFile(archive), original) << c.name;
        EXPECT_EQ(window->ZipTool1->ZipFilename(), archive) << c.name;
        EXPECT_EQ(window->ZipTool1->Count(), 3) << c.name;
    }
    EXPECT_EQ(QDir(dir.filePath("cd")).entryList(QDir::Files, QDir::Name), (QStringList{"SETUP.ZIP", "SETUP.exe"}));

    dialogs.messages.clear();
    QTimer::singleShot(0, window.get(), [&] {
        window->MakeSFX->edtSFXFileName->setText(dir.filePath("missing/x.exe"));
        window->MakeSFX->ExecButClick(nullptr);
        window->MakeSFX->CancelButClick(nullptr);
    });
    window->ConvertButClick(nullptr);
    EXPECT_EQ(messageTexts(), QStringList{ArchiveTexts::CopyFailed});
}

TEST_F(ArchiveWindowTest, RarArchivesListExtractAndOpenTheirOwnEntries)
{
    archive = TestSupport::writeFile(dir.filePath("cd/SETUP.rar"),
                                     RarBuilder::rar4({{"sub\\deep\\a.txt", "deep text"},
                                                       {"b.txt", "bee"},
                                                       {"c.txt", "sea", false, false, false, RarBuilder::NameForm::Utf8, 2,
                                                        0x20, 0x52216000}}));
    auto window = open();
    EXPECT_FALSE(window->ConvertBut->isEnabled());
    EXPECT_EQ(names(*window), (QStringList{"b.txt", "c.txt", "sub\\deep\\a.txt"}));
    EXPECT_EQ(window->lblFileCount->text(), QStringLiteral("3"));
    EXPECT_EQ(window->StringGrid1->Cells(2, 1), QStringLiteral("3"));
    EXPECT_EQ(window->StringGrid1->Cells(3, 2), QStringLiteral("01.01.2021  12:00"));

    window->StringGrid1->SelectCellAt(0, 3);
    window->StringGrid1->OnMouseDown(window->StringGrid1, Qt::LeftButton, 0, 3);
    window->StringGrid1DblClick(window->StringGrid1);
    ASSERT_EQ(launcher.opened.size(), 1);
    EXPECT_EQ(TestSupport::readFile(launcher.opened[0]), "deep text");
    QDir(window->openFolder()).removeRecursively();

    // Two extractions in one window: the second writes only its own entry.
    const QString first = dir.filePath("first"), second = dir.filePath("second");
    answerExtract(*window, first, false);
    window->ExtractButClick(nullptr);
    EXPECT_EQ(messageTexts().last(), QStringLiteral("Liczba plików rozpakowanych: 3 pliki."));
    EXPECT_EQ(TestSupport::readFile(first + "/c.txt"), "sea");
    window->StringGrid1->SelectCellAt(0, 1);
    answerExtract(*window, second, true);
    window->ExtractButClick(nullptr);
    EXPECT_EQ(messageTexts().last(), QStringLiteral("Liczba plików rozpakowanych: 1 plik."));
    EXPECT_EQ(QDir(second).entryList(QDir::Files), QStringList{"b.txt"});
}

TEST_F(ArchiveWindowTest, TheProposedFolderIsTheLastChosenElseHomeNeverTheDisc)
{
    const QString chosen = dir.filePath("wybrany");
    {
        auto window = open();
        window->Extract->edtKatalog->setText(chosen);
        window->Extract->OKButClick(nullptr);
    }
    {
        auto window = open();
        EXPECT_EQ(window->Extract->edtKatalog->text(), chosen);
        EXPECT_EQ(window->Extract->Dirs->InitialDirectory(), chosen);
    }
    ASSERT_TRUE(QDir(chosen).removeRecursively());
    auto window = open();
    EXPECT_EQ(window->Extract->edtKatalog->text(), QDir::homePath());
    EXPECT_FALSE(window->Extract->edtKatalog->text().startsWith(dir.filePath("cd")));
}
