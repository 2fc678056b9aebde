#include "mru/mrufilelist.h"

#include "testdoubles.h"
#include "testsupport.h"

#include <registry.h>

#include <QMenu>
#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace {

const QString kKey = QStringLiteral("\\Software\\Zeltrin Software\\Dodorurav\\2.1");

class MRUFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        Platform::Registry::setStorageFile(dir.filePath(QStringLiteral("registry.ini")));
        Platform::Dialogs::setInstance(&dialogs);
        fileMenu = new QMenu(QStringLiteral("&Plik"), &form);
        fileMenu->addAction(QStringLiteral("&Otwórz"));
        placeholder = fileMenu->addSeparator();
        fileMenu->addAction(QStringLiteral("&Zapisz"));
    }

    void TearDown() override
    {
        Platform::Dialogs::setInstance(nullptr);
        Platform::Registry::setStorageFile({});
    }

    // The designer's settings.
    std::unique_ptr<TMRUFileList> makeList()
    {
        auto list = std::make_unique<TMRUFileList>(&form);
        list->setAutoSave(false);
        list->setRemoveOnClick(false);
        list->setUseSubmenu(true);
        list->setSeparator(false);
        list->setSubmenuName(QStringLiteral("&Otwórz ponownie"));
        list->setAutoSaveName(kKey);
        list->setFileMenu(placeholder);
        return list;
    }

    QString existing(const QString &name)
    {
        return TestSupport::writeFile(dir.filePath(name), "x");
    }

    QStringList storedNames()
    {
        Platform::Registry registry;
        if (!registry.openKey(kKey + QStringLiteral("\\Historia"), false))
            return {};
        QStringList names = registry.valueNames();
        names.sort();
        return names;
    }

    QStringList entryCaptions(const TMRUFileList &list)
    {
        QStringList captions;
        for (TMRUMenuItem *item : list.menuItems()) {
            if (item->position() > 0)
                captions.append(item->text());
        }
        return captions;
    }

    QTemporaryDir dir;
    TestSupport::RecordingDialogs dialogs;
    QWidget form;
    QMenu *fileMenu = nullptr;
    QAction *placeholder = nullptr;
};

QStringList names(int count)
{
    QStringList result;
    for (int i = 0; i < count; ++i)
        result.append(QStringLiteral("/cd/projekt%1.klv").arg(i));
    return result;
}

TEST_F(MRUFixture, AListOfTwelveComesBackInItsOrder)
{
    // The stand-in lists value names as text: F0, F1, F10, F11, F2, ...
    auto list = makeList();
    list->setMaximum(12);
    const QStringList files = names(12);
    for (qsizetype i = files.size(); i-- > 0;)
        list->AddFile(files.at(i));
    ASSERT_EQ(list->files(), files);
    ASSERT_TRUE(list->SaveToRegistry());

    auto reloaded = makeList();
    reloaded->setMaximum(12);
    ASSERT_TRUE(reloaded->LoadFromRegistry());
    EXPECT_EQ(reloaded->files(), files);
}

TEST_F(MRUFixture, SavingAShorterListLeavesNoOlderValues)
{
    auto list = makeList();
    for (const QString &name : names(5))
        list->AddFile(name);
    list->SaveToRegistry();
    EXPECT_EQ(storedNames().size(), 5);

    list->setMaximum(3);
    list->SaveToRegistry();
    EXPECT_EQ(storedNames(), (QStringList{QStringLiteral("F0"), QStringLiteral("F1"), QStringLiteral("F2")}));
}

TEST_F(MRUFixture, ReadingStopsAtAGapAndSkipsEmptyAndRepeatedNames)
{
    {
        Platform::Registry registry;
        ASSERT_TRUE(registry.openKey(kKey + QStringLiteral("\\Historia"), true));
        registry.writeString(QStringLiteral("F0"), QStringLiteral("/cd/a.klv"));
        registry.writeString(QStringLiteral("F1"), QString());
        registry.writeString(QStringLiteral("F2"), QStringLiteral("/cd/a.klv"));
        registry.writeString(QStringLiteral("F3"), QStringLiteral("/cd/A.klv"));
        registry.writeString(QStringLiteral("F5"), QStringLiteral("/cd/after-the-gap.klv"));
        registry.writeString(QStringLiteral("Other"), QStringLiteral("/cd/not-an-entry.klv"));
        registry.closeKey();
    }
    auto list = makeList();
    ASSERT_TRUE(list->LoadFromRegistry());
    EXPECT_EQ(list->files(), (QStringList{QStringLiteral("/cd/a.klv"), QStringLiteral("/cd/A.klv")}));
}

TEST_F(MRUFixture, AddingKeepsTheNewestFirstAndTheMaximum)
{
    const struct {
        const char *what;
        QStringList added;
        QStringList expected;
    } cases[] = {
        {"a sixth file drops the oldest", names(6),
         {names(6).at(5), names(6).at(4), names(6).at(3), names(6).at(2), names(6).at(1)}},
        {"a listed name moves to the top", {QStringLiteral("/a"), QStringLiteral("/b"), QStringLiteral("/a")},
         {QStringLiteral("/a"), QStringLiteral("/b")}},
        {"names differing in case are two files", {QStringLiteral("/cd/menu.klv"), QStringLiteral("/cd/MENU.KLV")},
         {QStringLiteral("/cd/MENU.KLV"), QStringLiteral("/cd/menu.klv")}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        auto list = makeList();
        for (const QString &name : c.added)
            list->AddFile(name);
        EXPECT_EQ(list->files(), c.expected);
        EXPECT_EQ(entryCaptions(*list).size(), c.expected.size());
    }
}

TEST_F(MRUFixture, EntriesAreNumberedInASubmenuInFrontOfTheItem)
{
    auto list = makeList();
    list->AddFile(QStringLiteral("/cd/Tom & Jerry.klv"));
    list->AddFile(QStringLiteral("/cd/menu.klv"));
    const QList<QAction *> actions = fileMenu->actions();
    ASSERT_EQ(actions.size(), 4);
    auto *submenu = qobject_cast<TMRUMenuItem *>(actions.at(1));
    ASSERT_NE(submenu, nullptr);
    EXPECT_EQ(submenu->text(), QStringLiteral("&Otwórz ponownie"));
    EXPECT_EQ(submenu->position(), 0);
    EXPECT_EQ(actions.at(2), placeholder);
    ASSERT_NE(submenu->menu(), nullptr);
    QStringList captions;
    for (QAction *entry : submenu->menu()->actions())
        captions.append(entry->text());
    // The "&" of a name is doubled so that it shows and is no accelerator.
    EXPECT_EQ(captions, (QStringList{QStringLiteral("&1 /cd/menu.klv"), QStringLiteral("&2 /cd/Tom && Jerry.klv")}));

    // Rebuilding replaces the items; it does not add to them.
    list->RebuildMenu();
    list->RebuildMenu();
    EXPECT_EQ(fileMenu->actions().size(), 4);
}

TEST_F(MRUFixture, ItemsInPlaceWithSeparatorOrAppendedToAnOwnSubmenu)
{
    auto list = makeList();
    list->setUseSubmenu(false);
    list->setSeparator(true);
    EXPECT_EQ(fileMenu->actions().size(), 3) << "an empty list makes no separator and no submenu";
    list->AddFile(QStringLiteral("/a"));
    list->AddFile(QStringLiteral("/b"));
    QList<QAction *> actions = fileMenu->actions();
    ASSERT_EQ(actions.size(), 6);
    EXPECT_TRUE(actions.at(1)->isSeparator());
    EXPECT_EQ(actions.at(2)->text(), QStringLiteral("&1 /b"));
    EXPECT_EQ(actions.at(4), placeholder);

    // An item whose submenu already has items takes the entries at its end.
    auto *reopen = new QMenu(QStringLiteral("Ostatnie"), &form);
    reopen->addAction(QStringLiteral("Wyczyść"));
    list->setFileMenu(reopen->menuAction());
    EXPECT_EQ(fileMenu->actions().size(), 3);
    actions = reopen->actions();
    ASSERT_EQ(actions.size(), 4);
    EXPECT_EQ(actions.at(0)->text(), QStringLiteral("Wyczyść"));
    EXPECT_TRUE(actions.at(1)->isSeparator());
    EXPECT_EQ(actions.at(3)->text(), QStringLiteral("&2 /a"));
}

TEST_F(MRUFixture, ClickingAnEntry)
{
    const QString first = existing(QStringLiteral("first.klv"));
    const QString second = existing(QStringLiteral("second.klv"));
    const struct {
        const char *what;
        bool removeOnClick;
        QStringList expected;
    } cases[] = {
        {"the entry moves to the top", false, {second, first}},
        {"the entry leaves the list", true, {first}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        auto list = makeList();
        list->setRemoveOnClick(c.removeOnClick);
        list->AddFile(second);
        list->AddFile(first);
        QStringList opened;
        list->OnMRUItemClick = [&opened](QObject *, const QString &fileName) { opened.append(fileName); };
        QAction *entry = list->menuItems().at(2);
        ASSERT_EQ(entry->text(), QStringLiteral("&2 ") + second);
        entry->trigger();
        EXPECT_EQ(opened, QStringList{second});
        EXPECT_EQ(list->files(), c.expected);
        EXPECT_EQ(entryCaptions(*list).first(), QStringLiteral("&1 ") + c.expected.first());
        EXPECT_TRUE(dialogs.messages.isEmpty());
    }
}

TEST_F(MRUFixture, AnEntryWhoseFileIsGoneWarnsAndLeavesTheList)
{
    const QString kept = existing(QStringLiteral("kept.klv"));
    const QString gone = existing(QStringLiteral("gone.klv"));
    auto list = makeList();
    list->AddFile(kept);
    list->AddFile(gone);
    QFile::remove(gone);
    bool clicked = false;
    list->OnMRUItemClick = [&clicked](QObject *, const QString &) { clicked = true; };
    list->entryClicked(1);
    EXPECT_FALSE(clicked);
    EXPECT_EQ(list->files(), QStringList{kept});
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages.first().text, QStringLiteral("Wybrany plik już nie istnieje, lub zmienił katalog !!!"));
    EXPECT_EQ(dialogs.messages.first().caption, QStringLiteral("BRAK PLIKU !!!"));
    EXPECT_EQ(dialogs.messages.first().icon, Platform::MessageIcon::Warning);
    EXPECT_EQ(entryCaptions(*list), QStringList{QStringLiteral("&1 ") + kept});
}

TEST_F(MRUFixture, AutoSaveLoadsWhenBuiltAndSavesWhenDestroyed)
{
    {
        auto list = makeList();
        list->setAutoSave(true);
        list->AddFile(QStringLiteral("/cd/a.klv"));
        list->AddFile(QStringLiteral("/cd/b.klv"));
    }
    EXPECT_EQ(storedNames(), (QStringList{QStringLiteral("F0"), QStringLiteral("F1")}));
    auto list = makeList();
    list->setAutoSave(true);
    list->loaded();
    EXPECT_EQ(list->files(), (QStringList{QStringLiteral("/cd/b.klv"), QStringLiteral("/cd/a.klv")}));

    // Without a key path nothing is read or written.
    list->setAutoSaveKey(QString());
    EXPECT_FALSE(list->SaveToRegistry());
    EXPECT_FALSE(list->LoadFromRegistry());
    list->setAutoSave(false);
}

} // namespace
