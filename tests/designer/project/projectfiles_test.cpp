#include "designerfixture.h"

#include <project/projectfiles.h>
#include <projectfile/projectformat.h>

#include <profilefile.h>

#include <QFile>

#include <testsupport.h>

using namespace ProjectFiles;

namespace {

// A project naming a file under every path-valued key, some there in
// another letter case, some missing, one through a link off the drive.
const QString kProject = QStringLiteral(
    "[DATA]\n1001=Dane\\GRY.RV3\n1002=\n1003=dane\\brak.rv3\n1001=Dane\\Inne.rv3\n"
    "[GLYPH]\n1001=obrazy\\klawisz.bmp\n10001=Poza\\tajne.bmp\n"
    "[WINDOW]\nBACKGROUND=Obrazy\\Tlo.bmp\nTOOLS_BACKGROUND=\n"
    "[BONUS]\nMASKA=obrazy\\maska.bmp\n"
    "[CDROM]\nCD_DESCRIPTION=teksty\\opis.txt\n"
    "[SOUND]\nBACKGROUND=Dzwieki\\Muzyka.Mp3\nON_UP=dzwieki\\klik.wav\nON_DOWN=\nON_MOVE=dzwieki\\ruch.wav\n"
    "[Ekran]\nAVI=*.AVI\nBMP=obrazy\\ekran.bmp\n");

// "section key stored +" for a file that is there, "-" for one that is not.
QStringList linesOf(const QList<NamedFile> &files)
{
    QStringList lines;
    for (const NamedFile &file : files)
        lines.append(file.section + u' ' + file.key + u' ' + file.stored + (file.exists ? QStringLiteral(" +") : QStringLiteral(" -")));
    return lines;
}

} // namespace

class ProjectFilesTest : public DesignerFixture
{
protected:
    void SetUp() override
    {
        DesignerFixture::SetUp();
        for (const char *name : {"Dane/gry.rv3", "Obrazy/Klawisz.BMP", "Obrazy/tlo.bmp", "Obrazy/Maska.bmp",
                                 "dzwieki/muzyka.mp3", "dzwieki/KLIK.WAV", "Obrazy/EKRAN.bmp", "kalvor/MPEGDLL.DLL",
                                 "kalvor/orvanta"})
            TestSupport::writeFile(drivePath(QLatin1String(name)), "x");
        // Below the drive only through a link: names nothing.
        TestSupport::writeFile(outside.path() + QStringLiteral("/tajne.bmp"), "x");
        QFile::link(outside.path(), drivePath(QStringLiteral("Poza")));
        QDir().mkpath(drivePath(QStringLiteral("teksty/opis.txt"))); // a folder, not a file
        writeText(QStringLiteral("projekt/MENU.KLV"), kProject);
    }
    ConfiguredFiles configured() const
    {
        return {drivePath(QStringLiteral("kalvor/MPEGDLL.DLL")), drivePath(QStringLiteral("kalvor/orvanta")), {},
                drivePath(QStringLiteral("kalvor/peldix"))};
    }
    QTemporaryDir outside;

    QList<NamedFile> list(FileList which, const ConfiguredFiles &programs) const
    {
        const Platform::ProfileFile project(drivePath(QStringLiteral("projekt/MENU.KLV")));
        return filesNamed(project, drivePath(), programs, which);
    }
};

TEST_F(ProjectFilesTest, EachListNamesItsKeysInOrderAndLooksThemUpOnTheDrive)
{
    const QStringList projectFiles = {
        QStringLiteral("DATA 1001 Dane\\GRY.RV3 +"),      QStringLiteral("DATA 1003 dane\\brak.rv3 -"),
        QStringLiteral("GLYPH 1001 obrazy\\klawisz.bmp +"), QStringLiteral("GLYPH 10001 Poza\\tajne.bmp -"),
        QStringLiteral("WINDOW BACKGROUND Obrazy\\Tlo.bmp +"),
    };
    const QString mpegDll = QStringLiteral("PLIKI MPEGDLL ") + configured().mpegDll + QStringLiteral(" +");
    const QStringList templateList = projectFiles + QStringList{
        QStringLiteral("CDROM CD_DESCRIPTION teksty\\opis.txt -"),
        QStringLiteral("SOUND BACKGROUND Dzwieki\\Muzyka.Mp3 +"),
        mpegDll,
        QStringLiteral("PLIKI MENU ") + configured().runtime + QStringLiteral(" +"),
        QStringLiteral("PLIKI KOPIARKA  -"),
        QStringLiteral("PLIKI AUTOSTART ") + configured().autostart + QStringLiteral(" -"),
        QStringLiteral("EKRAN AVI *.AVI -"),
        QStringLiteral("EKRAN BMP obrazy\\ekran.bmp +"),
    };
    const QStringList requiredList = projectFiles + QStringList{
        QStringLiteral("BONUS MASKA obrazy\\maska.bmp +"),
        QStringLiteral("CDROM CD_DESCRIPTION teksty\\opis.txt -"),
        QStringLiteral("SOUND BACKGROUND Dzwieki\\Muzyka.Mp3 +"),
        mpegDll,
        QStringLiteral("SOUND ON_UP dzwieki\\klik.wav +"),
        QStringLiteral("SOUND ON_MOVE dzwieki\\ruch.wav -"),
    };
    EXPECT_EQ(linesOf(list(FileList::Required, configured())).join(u'\n').toStdString(), requiredList.join(u'\n').toStdString());
    EXPECT_EQ(linesOf(list(FileList::Template, configured())).join(u'\n').toStdString(), templateList.join(u'\n').toStdString());

    const QList<NamedFile> files = list(FileList::Template, configured());
    EXPECT_EQ(files.first().path, drivePath(QStringLiteral("Dane/gry.rv3")));
    EXPECT_TRUE(files[3].path.isEmpty()); // through the link off the drive
}

TEST_F(ProjectFilesTest, TheMp3LibraryIsNamedOnlyForMp3Music)
{
    const struct {
        const char *music;
        bool named;
    } cases[] = {{"Dzwieki\\Muzyka.Mp3", true}, {"muzyka.MP3", true}, {"muzyka.mid", false},
                 {"", false},                 {"mp3", false}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.music);
        writeText(QStringLiteral("projekt/MENU.KLV"),
                  QStringLiteral("[SOUND]\nBACKGROUND=") + QLatin1String(c.music) + u'\n');
        for (const FileList which : {FileList::Template, FileList::Required}) {
            bool named = false;
            for (const NamedFile &file : list(which, configured()))
                named = named || file.key == QStringLiteral("MPEGDLL");
            EXPECT_EQ(named, c.named);
        }
    }
    writeText(QStringLiteral("projekt/MENU.KLV"), QStringLiteral("[SOUND]\nBACKGROUND=a.mp3\n"));
    ConfiguredFiles noLibrary = configured();
    noLibrary.mpegDll = drivePath(QStringLiteral("kalvor/brak.dll"));
    const QList<NamedFile> files = list(FileList::Required, noLibrary);
    ASSERT_FALSE(files.isEmpty());
    EXPECT_EQ(files.last().key, QStringLiteral("MPEGDLL"));
    EXPECT_FALSE(files.last().exists);
}

// The lists, the path change and the rebasing of stored paths speak of the
// same values: a key missing from either table would be left behind by one
// of them.
TEST(ProjectFilesTable, ItsProjectRowsAreThePathValuedKeysOfTheFormat)
{
    const auto name = [](const QString &section, const QString &key) {
        return (section + u' ' + key).toUpper();
    };
    QStringList rows;
    for (const PathKey &row : pathKeys()) {
        if (row.source == Source::Project)
            rows.append(name(row.section, row.key));
    }
    QStringList format;
    for (const ProjectFormat::PathValuedKey &key : ProjectFormat::pathValuedKeys())
        format.append(name(key.section, key.key));
    rows.sort();
    format.sort();
    EXPECT_EQ(rows, format);
    EXPECT_EQ(QSet<QString>(rows.begin(), rows.end()).size(), rows.size());
}
