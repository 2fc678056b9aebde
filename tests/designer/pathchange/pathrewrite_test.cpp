#include "designerfixture.h"

#include <pathchange/pathmessages.h>
#include <pathchange/pathrewrite.h>
#include <propertyeditors/editormessages.h>

#include <profilefile.h>

#include <QDir>

using namespace PathRewrite;

namespace {

// A value of 304 characters: more than the 260 a value was once cut to.
const QString kLong = QString(295, u'x');

// Every kind of value a folder change meets: paths in the folder in other
// letter cases and with "/", the folder again inside a path, a folder that
// only ends or begins like it, a path in the root, captions and titles.
const QString kProject = QStringLiteral("[NAMES]\n1001=Dane\\Gry\n"
                                        "[DATA]\n1001=Dane\\Gry.RV3\n1002=dane\\Dane\\Narzędzia.rv3\n"
                                        "1003=Stare\\Dane\\muz.rv3\n1004=Daneczki\\x.rv3\n1005=\n1006=Gry.rv3\n"
                                        "1001=Dane\\Inne.rv3\n"
                                        "[GLYPH]\n1001=DANE/Żółw.bmp\n"
                                        "[CDROM]\nCD_TITLE=Dane\\tytuł\nCD_DESCRIPTION=dane\\opis.txt\n"
                                        "[NEXT_WINDOW_INI]\n1002=dane\\okno.klv\n"
                                        "[INFOCD]\nPLIK=dane\\info.txt\n"
                                        "[SOUND]\nBACKGROUND=obrazy\\muzyka.mp3\n"
                                        "[WINDOW]\nBACKGROUND=dane\\")
                         + kLong + QStringLiteral(".bmp\n");

} // namespace

class PathRewriteTest : public DesignerFixture
{
};

TEST_F(PathRewriteTest, OnlyPathsThatBeginWithTheOldFolderChangeAndKeepTheRestOfTheirLetters)
{
    const struct {
        const char *oldFolder;
        const char *newFolder;
        QString expected; // the whole file
    } cases[] = {
        {"dane", "Programy",
         QStringLiteral("[NAMES]\n1001=Dane\\Gry\n"
                        "[DATA]\n1001=Programy\\Gry.RV3\n1002=Programy\\Dane\\Narzędzia.rv3\n"
                        "1003=Stare\\Dane\\muz.rv3\n1004=Daneczki\\x.rv3\n1005=\n1006=Gry.rv3\n"
                        "1001=Dane\\Inne.rv3\n"
                        "[GLYPH]\n1001=Programy\\Żółw.bmp\n"
                        "[CDROM]\nCD_TITLE=Dane\\tytuł\nCD_DESCRIPTION=Programy\\opis.txt\n"
                        "[NEXT_WINDOW_INI]\n1002=Programy\\okno.klv\n"
                        "[INFOCD]\nPLIK=Programy\\info.txt\n"
                        "[SOUND]\nBACKGROUND=obrazy\\muzyka.mp3\n"
                        "[WINDOW]\nBACKGROUND=Programy\\")
             + kLong + QStringLiteral(".bmp\n")},
        // Confirmed without a new folder: the files lie in the root.
        {"Dane\\", "",
         QStringLiteral("[NAMES]\n1001=Dane\\Gry\n"
                        "[DATA]\n1001=Gry.RV3\n1002=Dane\\Narzędzia.rv3\n"
                        "1003=Stare\\Dane\\muz.rv3\n1004=Daneczki\\x.rv3\n1005=\n1006=Gry.rv3\n"
                        "1001=Dane\\Inne.rv3\n"
                        "[GLYPH]\n1001=Żółw.bmp\n"
                        "[CDROM]\nCD_TITLE=Dane\\tytuł\nCD_DESCRIPTION=opis.txt\n"
                        "[NEXT_WINDOW_INI]\n1002=okno.klv\n"
                        "[INFOCD]\nPLIK=info.txt\n"
                        "[SOUND]\nBACKGROUND=obrazy\\muzyka.mp3\n"
                        "[WINDOW]\nBACKGROUND=")
             + kLong + QStringLiteral(".bmp\n")},
        // A folder inside the old one, typed with "/": each path once.
        {"Stare/Dane", " Stare/Dane/Nowe ",
         QString(kProject).replace(QStringLiteral("1003=Stare\\Dane\\muz"), QStringLiteral("1003=Stare\\Dane\\Nowe\\muz"))},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.oldFolder);
        writeText(QStringLiteral("projekt/MENU.KLV"), kProject);
        const Outcome outcome = changeFolder(drivePath(QStringLiteral("projekt/MENU.KLV")), drivePath(),
                                             storedFolder(QString::fromUtf8(c.oldFolder)),
                                             storedFolder(QString::fromUtf8(c.newFolder)));
        EXPECT_TRUE(outcome.ok()) << outcome.error.toStdString();
        EXPECT_EQ(QString::fromLatin1(readBytes(QStringLiteral("projekt/MENU.KLV"))).toStdString(),
                  QString::fromLatin1(stored(c.expected)).toStdString());
    }
}

TEST_F(PathRewriteTest, ARefusedChangeLeavesTheFileAsItWas)
{
    QDir().mkpath(drivePath(QStringLiteral("dane")));
    QTemporaryDir outside;
    QFile::link(outside.path(), drivePath(QStringLiteral("poza")));
    const struct {
        const char *oldFolder;
        const char *newFolder;
        QString message;
    } cases[] = {
        {"", "Programy", PathMessages::noOldFolder()},
        {"dane", "..\\..\\x", EditorMessages::outsideDrive(QStringLiteral("..\\..\\x\\"), QDir::toNativeSeparators(drivePath()))},
        {"dane", "Programy/../../x", EditorMessages::outsideDrive(QStringLiteral("Programy\\..\\..\\x\\"), QDir::toNativeSeparators(drivePath()))},
        {"dane", "Poza\\obrazy", EditorMessages::outsideDrive(QStringLiteral("Poza\\obrazy\\"), QDir::toNativeSeparators(drivePath()))},
    };
    writeText(QStringLiteral("projekt/MENU.KLV"), kProject);
    const QByteArray before = readBytes(QStringLiteral("projekt/MENU.KLV"));
    for (const auto &c : cases) {
        SCOPED_TRACE(c.newFolder);
        const Outcome outcome = changeFolder(drivePath(QStringLiteral("projekt/MENU.KLV")), drivePath(),
                                             storedFolder(QString::fromUtf8(c.oldFolder)),
                                             storedFolder(QString::fromUtf8(c.newFolder)));
        EXPECT_EQ(outcome.error.toStdString(), c.message.toStdString());
        EXPECT_EQ(readBytes(QStringLiteral("projekt/MENU.KLV")), before);
    }
}

TEST_F(PathRewriteTest, TheFoldersComeFromThePathsInTheirOrderEachOnce)
{
    writeText(QStringLiteral("projekt/MENU.KLV"),
              QStringLiteral("[EKRAN]\nBMP=ekran\\a.bmp\nAVI=film\\a.avi\n"
                             "[CDROM]\nCD_DESCRIPTION=teksty\\opis.txt\nCD_TITLE=Tytuły\\x\n"
                             "[SOUND]\nBACKGROUND=dzwieki\\m.mp3\nON_UP=klik\\u.wav\n"
                             "[WINDOW]\nTOOLS_BACKGROUND=pasek\\p.bmp\nBACKGROUND=OBRAZY\\tlo.bmp\n"
                             "[BONUS]\nMASKA=maski\\m.bmp\n"
                             "[GLYPH]\n1001=obrazy\\a.bmp\n1002=Obrazy\\Klawisze\\b.bmp\n"
                             "[DATA]\n1001=dane\\a.rv3\n1002=\n1003=b.rv3\n"
                             "[NEXT_WINDOW_INI]\n1001=okna\\o.klv\n1002=dane\\o.klv\n"));
    const Platform::ProfileFile project(drivePath(QStringLiteral("projekt/MENU.KLV")));
    EXPECT_EQ(foldersIn(project), (QStringList{QStringLiteral("okna\\"), QStringLiteral("dane\\"),
                                               QStringLiteral("obrazy\\"), QStringLiteral("Obrazy\\Klawisze\\"),
                                               QStringLiteral("pasek\\"), QStringLiteral("dzwieki\\"),
                                               QStringLiteral("teksty\\"), QStringLiteral("film\\"),
                                               QStringLiteral("ekran\\")}));
}

TEST(PathRewriteForms, ATypedFolderGetsItsStoredForm)
{
    const struct {
        const char *typed;
        const char *folder;
    } cases[] = {{"Programy", "Programy\\"}, {"Programy\\", "Programy\\"}, {"a/b/", "a\\b\\"},
                 {" grafika ", "grafika\\"}, {"", ""},                     {"  ", ""}};
    for (const auto &c : cases)
        EXPECT_EQ(storedFolder(QString::fromUtf8(c.typed)), QString::fromUtf8(c.folder)) << c.typed;
}
