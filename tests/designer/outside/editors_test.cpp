#include "outsidefixture.h"

#include <QDir>

namespace {

const QString kDataEditorMissing = QStringLiteral(
    "Brak pliku wykonywalnego zazavaa danych!\n\nSprawdź czy wpisy w konfiguracji generatora są poprawne!");
const QString kBitmapEditorMissing = QStringLiteral(
    "Brak pliku wykonywalnego zazavaa bitmap!\n\nSprawdź czy wpisy w konfiguracji generatora są poprawne!");
const QString kBitmapEditorFailed = QStringLiteral(
    "Nie można uruchomić zazavaa bitmap!\n\nSprawdź czy wpisy w konfiguracji generatora są poprawne!");

// PATH for the length of a test.
class ScopedPath
{
public:
    explicit ScopedPath(const QString &path)
        : m_saved(qgetenv("PATH"))
    {
        qputenv("PATH", QFile::encodeName(path));
    }
    ~ScopedPath() { qputenv("PATH", m_saved); }

private:
    QByteArray m_saved;
};

} // namespace

class Editors : public OutsideFixture
{
protected:
    TestSupport::RecordingLauncher launcher;
};

TEST_F(Editors, StartWithoutArgumentsOnlyAProgramThatIsThere)
{
    const QString beside = standIn(drivePath(QStringLiteral("KALVOR/pixanto")));
    standIn(drivePath(QStringLiteral("KALVOR/zazava")));
    const QString elsewhere = standIn(drivePath(QStringLiteral("tools/my editor")));
    const QString onPath = standIn(drivePath(QStringLiteral("bin/pixanto")));
    const QString dataOnPath = standIn(drivePath(QStringLiteral("bin/zazava")));
    const ScopedPath path(drivePath(QStringLiteral("bin")));

    const struct {
        const char *name;
        bool bitmap;
        QString setting;   // none: no key
        bool removeDefault; // the program beside the designer is gone
        QString started;   // empty: the message
    } cases[] = {
        {"bitmap editor configured", true, elsewhere, false, elsewhere},
        {"bitmap editor missing", true, drivePath(QStringLiteral("tools/gone")), false, {}},
        {"bitmap editor empty", true, QStringLiteral(""), false, {}},
        {"bitmap editor on PATH by name", true, QStringLiteral("pixanto"), false, onPath},
        {"bitmap editor default beside the designer", true, QString(), false, beside},
        {"bitmap editor default on PATH", true, QString(), true, onPath},
        {"data editor configured", false, elsewhere, false, elsewhere},
        {"data editor missing", false, drivePath(QStringLiteral("tools/gone")), false, {}},
        {"data editor default on PATH", false, QString(), true, dataOnPath},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        launcher.started.clear();
        launcher.startedArguments.clear();
        dialogs.messages.clear();
        const QString key = c.bitmap ? QStringLiteral("ZAZAVA_BMP") : QStringLiteral("ZAZAVA_RV3");
        configure(c.setting.isNull() ? QStringLiteral("[PLIKI]\n") : QStringLiteral("[PLIKI]\n%1=%2\n").arg(key, c.setting));
        const QString defaultProgram = drivePath(c.bitmap ? QStringLiteral("KALVOR/pixanto") : QStringLiteral("KALVOR/zazava"));
        if (c.removeDefault)
            QFile::rename(defaultProgram, defaultProgram + QStringLiteral(".away"));

        const bool started = c.bitmap ? programs.startBitmapEditor() : programs.startDataEditor();

        if (c.removeDefault)
            QFile::rename(defaultProgram + QStringLiteral(".away"), defaultProgram);
        EXPECT_EQ(started, !c.started.isEmpty());
        if (c.started.isEmpty()) {
            EXPECT_TRUE(launcher.started.isEmpty());
            ASSERT_EQ(dialogs.messages.size(), 1);
            EXPECT_EQ(dialogs.messages[0].text, c.bitmap ? kBitmapEditorMissing : kDataEditorMissing);
            EXPECT_EQ(dialogs.messages[0].caption, QStringLiteral("Dodorurav 2.1"));
            EXPECT_EQ(dialogs.messages[0].icon, Platform::MessageIcon::Warning);
        } else {
            EXPECT_EQ(launcher.started, QStringList{c.started});
            EXPECT_EQ(launcher.startedArguments, QList<QStringList>{QStringList{}});
            EXPECT_TRUE(dialogs.messages.isEmpty());
        }
    }
}

TEST_F(Editors, AStartThatFailsGivesTheMessage)
{
    configure(QStringLiteral("[PLIKI]\nZAZAVA_BMP=%1\n").arg(standIn(drivePath(QStringLiteral("tools/pixanto")))));
    launcher.fail = true;
    EXPECT_FALSE(programs.startBitmapEditor());
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].text, kBitmapEditorMissing);
}

TEST_F(Editors, ABitmapOpensByItsFullPathAsOneArgument)
{
    const QString editor = standIn(drivePath(QStringLiteral("tools/pixanto")));
    configure(QStringLiteral("[PLIKI]\nZAZAVA_BMP=%1\n").arg(editor));
    writePicture(QStringLiteral("MENU/-tło gry.bmp"), 4, 4, Qt::red);

    EXPECT_TRUE(programs.editBitmap(QStringLiteral("\\menu\\-TŁO GRY.BMP")));
    EXPECT_EQ(launcher.started.size(), 1);
    EXPECT_EQ(launcher.startedArguments,
              QList<QStringList>{QStringList{drivePath(QStringLiteral("MENU/-tło gry.bmp"))}});
    EXPECT_TRUE(dialogs.messages.isEmpty());

    launcher.started.clear();
    configure(QStringLiteral("[PLIKI]\nZAZAVA_BMP=%1\n").arg(drivePath(QStringLiteral("tools/gone"))));
    EXPECT_FALSE(programs.editBitmap(QStringLiteral("MENU\\-tło gry.bmp")));
    EXPECT_TRUE(launcher.started.isEmpty());
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].text, kBitmapEditorFailed);
}

TEST_F(Editors, TheProjectSourceOpensInTheTextEditor)
{
    EXPECT_FALSE(programs.editProjectSource());
    EXPECT_TRUE(launcher.openedAsText.isEmpty());
    writeText(QStringLiteral("MENU/PROJEKT.KLV"), QStringLiteral("[ZELTRIN]\n"));
    load(QStringLiteral("MENU/PROJEKT.KLV"));
    EXPECT_TRUE(programs.editProjectSource());
    EXPECT_EQ(launcher.openedAsText, QStringList{drivePath(QStringLiteral("MENU/PROJEKT.KLV"))});
}
