#include "designerfixture.h"

#include <pathchange/requiredfiles.h>
#include <templates/templatemessages.h>

#include <lists/horlistbox.h>

#include <profilefile.h>

#include <QListWidgetItem>

#include <testsupport.h>

namespace {

// "text +" for a file that is there, "text -" for one that is not.
QStringList shown(const QList<RequiredLine> &lines)
{
    QStringList out;
    for (const RequiredLine &line : lines)
        out.append(line.text + (line.exists ? QStringLiteral(" +") : QStringLiteral(" -")));
    return out;
}

} // namespace

class RequiredFilesTest : public DesignerFixture
{
protected:
    void SetUp() override
    {
        DesignerFixture::SetUp();
        for (const char *name : {"Dane/GRY.rv3", "obrazy/tlo.bmp", "dzwieki/klik.wav", "dzwieki/muzyka.mp3",
                                 "KALVOR/mpegdll.dll"})
            TestSupport::writeFile(drivePath(QLatin1String(name)), "x");
    }
    QList<RequiredLine> linesFor(const QString &project, const QString &library)
    {
        writeText(QStringLiteral("projekt/MENU.KLV"), project);
        const Platform::ProfileFile file(drivePath(QStringLiteral("projekt/MENU.KLV")));
        return requiredLines(file, drivePath(), library);
    }
};

TEST_F(RequiredFilesTest, ListsEachNamedFileTickedWhenThereAndTheMp3LibraryOnlyForMp3Music)
{
    // The background is named twice: it is listed for each key.
    const QString files = QStringLiteral("[DATA]\n1001=dane\\gry.rv3\n1002=\n1003=dane\\brak.rv3\n"
                                         "[GLYPH]\n1001=Obrazy\\TLO.BMP\n"
                                         "[WINDOW]\nBACKGROUND=obrazy\\tlo.bmp\nTOOLS_BACKGROUND=\n");
    const QString clicks = QStringLiteral("ON_UP=dzwieki\\klik.wav\nON_MOVE=dzwieki\\ruch.wav\n");
    const QStringList named = {QStringLiteral("dane\\gry.rv3 +"), QStringLiteral("dane\\brak.rv3 -"),
                               QStringLiteral("Obrazy\\TLO.BMP +"), QStringLiteral("obrazy\\tlo.bmp +")};
    const QStringList sounds = {QStringLiteral("dzwieki\\klik.wav +"), QStringLiteral("dzwieki\\ruch.wav -")};
    const QString library = drivePath(QStringLiteral("KALVOR/mpegdll.dll"));
    const QString noLibrary = TemplateMessages::noMp3Library() + QStringLiteral(" -");
    const struct {
        const char *name;
        QString music;
        QString library;
        QStringList expected;
    } cases[] = {
        {"no music, no library line", {}, library, named + sounds},
        {"MIDI music, no library line", QStringLiteral("dzwieki\\m.mid"), library,
         named + QStringList{QStringLiteral("dzwieki\\m.mid -")} + sounds},
        {"MP3 music with the library", QStringLiteral("dzwieki\\MUZYKA.MP3"), library,
         named + QStringList{QStringLiteral("dzwieki\\MUZYKA.MP3 +"), library + QStringLiteral(" +")} + sounds},
        {"MP3 music, library missing", QStringLiteral("dzwieki\\muzyka.mp3"), drivePath(QStringLiteral("KALVOR/brak.dll")),
         named + QStringList{QStringLiteral("dzwieki\\muzyka.mp3 +"), noLibrary} + sounds},
        {"MP3 music, no library configured", QStringLiteral("dzwieki\\muzyka.mp3"), {},
         named + QStringList{QStringLiteral("dzwieki\\muzyka.mp3 +"), noLibrary} + sounds},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QString music = c.music.isEmpty() ? QString() : QStringLiteral("BACKGROUND=") + c.music + u'\n';
        EXPECT_EQ(shown(linesFor(files + QStringLiteral("[SOUND]\n") + music + clicks, c.library)).join(u'\n').toStdString(),
                  c.expected.join(u'\n').toStdString());
    }
}

TEST_F(RequiredFilesTest, TheTicksAreNotTheAuthorsToChange)
{
    TfrmWymagane dialog({{QStringLiteral("a.bmp"), true}, {QStringLiteral("b.bmp"), false}});
    ASSERT_EQ(dialog.Lista->count(), 2);
    dialog.Lista->item(0)->setCheckState(Qt::Unchecked);
    dialog.Lista->item(1)->setCheckState(Qt::Checked);
    EXPECT_TRUE(dialog.Lista->checked(0));
    EXPECT_FALSE(dialog.Lista->checked(1));
}
