#include "designerfixture.h"

#include <objects/designedits.h>
#include <designreading.h>
#include <buttons/menubutton.h>
#include <menuobjects/imagewidget.h>
#include <objects/objectstyle.h>
#include <transplist/transplist.h>

#include <cp1250.h>
#include <profilefile.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>

#include <testsupport.h>

using namespace ProjectFormat;

namespace {

QString sourceDemoProject()
{
    return QStringLiteral(KALVORA_SOURCE_DIR "/demo/cd/ORVANTA.INI");
}

// A 1-bit mask of the given size, all inside.
QByteArray maskBytes(int width, int height)
{
    const int rowBytes = ((width + 31) / 32) * 4;
    QByteArray data;
    const auto put16 = [&data](int v) { data.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF)); };
    const auto put32 = [&](int v) { put16(v & 0xFFFF); put16((v >> 16) & 0xFFFF); };
    data.append("BM");
    put32(62 + rowBytes * height);
    put32(0);
    put32(62);
    put32(40);
    put32(width);
    put32(height);
    put16(1);
    put16(1);
    put32(0);
    put32(rowBytes * height);
    put32(0);
    put32(0);
    put32(2);
    put32(0);
    put32(0);
    put32(0x00FFFFFF);
    data.append(QByteArray(rowBytes * height, '\0'));
    return data;
}

} // namespace

using ProjectReader = DesignerFixture;

TEST_F(ProjectReader, AFileWithNoSectionGivesABlackWindowFilledByItsBackground)
{
    loadEmpty();
    EXPECT_EQ(surface().size(), QSize(640, 480));
    EXPECT_EQ(DesignStyle::colorOf(&surface(), 0), Platform::clBlack);
    EXPECT_EQ(surface().Image1->geometry(), QRect(0, 0, 640, 480));
    EXPECT_TRUE(surface().components().isEmpty());
    EXPECT_EQ(context.CurrentObject, surface().Image1);
    EXPECT_FALSE(context.ProjectModified);
    EXPECT_EQ(undo.steps, QStringList{QStringLiteral("Projekt otwarty")});
    EXPECT_EQ(context.MainCaption, QStringLiteral("Dodorurav KALVORA -> ") + drivePath(QStringLiteral("NOWY.KLV")));
}

TEST_F(ProjectReader, BadColoursAndKeysThatAreNoNumbersDoNotStopTheLoad)
{
    writeText(QStringLiteral("P.KLV"), QStringLiteral("[WINDOW]\nCOLOR=niebieski\nLIST=#zzz\n"
                                                      "[NAMES]\nabc=Zła\n1001=Dobra\n"
                                                      "[FONT_COLOR]\n1001=ciemny\n"
                                                      "[OBJECTS]\nLIST=1\n"));
    load(QStringLiteral("P.KLV"));
    EXPECT_EQ(DesignStyle::colorOf(&surface(), 0), Platform::clBlack);
    ASSERT_TRUE(context.Objects.list);
    EXPECT_EQ(context.Objects.list->color(), Platform::clYellow);
    const QList<QWidget *> objects = surface().components();
    ASSERT_EQ(objects.size(), 2);
    auto *key = qobject_cast<TMenuButton *>(objects[0]);
    ASSERT_TRUE(key);
    EXPECT_EQ(key->caption(), u"Dobra");
    EXPECT_EQ(DesignStyle::fontColorOf(key), Platform::clBtnText);
}

TEST_F(ProjectReader, MaskProblemsAreReportedAndLeaveARectangle)
{
    writePicture(QStringLiteral("MENU/KOLOR.BMP"), 200, 100, Qt::red);
    TestSupport::writeFile(drivePath(QStringLiteral("MENU/DOBRA.BMP")), maskBytes(300, 200));
    const struct {
        const char *mask;
        const char *messageStart;
        QSize size;
    } cases[] = {
        {"MENU\\KOLOR.BMP", "Niewłaściwy format pliku BMP (maski): ", {320, 240}},
        {"MENU\\BRAK.BMP", "Plik:\n", {320, 240}},
        {"menu\\dobra.bmp", nullptr, {300, 200}},
    };
    for (const auto &row : cases) {
        SCOPED_TRACE(row.mask);
        dialogs.messages.clear();
        writeText(QStringLiteral("P.KLV"), QStringLiteral("[WINDOW]\nWIDTH=320\nHEIGHT=240\n[BONUS]\nMASKA=")
                                               + QString::fromUtf8(row.mask) + u'\n');
        load(QStringLiteral("P.KLV"));
        EXPECT_EQ(surface().size(), row.size);
        EXPECT_EQ(surface().Image1->size(), row.size);
        if (!row.messageStart) {
            EXPECT_TRUE(dialogs.messages.isEmpty());
            continue;
        }
        ASSERT_EQ(dialogs.messages.size(), 1);
        EXPECT_TRUE(dialogs.messages[0].text.startsWith(QString::fromUtf8(row.messageStart)));
        EXPECT_TRUE(dialogs.messages[0].text.contains(drivePath() + QString::fromUtf8(row.mask)));
    }
}

TEST_F(ProjectReader, MissingPicturesAreReportedAndTheLoadGoesOn)
{
    writeText(QStringLiteral("P.KLV"), QStringLiteral("[WINDOW]\nBACKGROUND=MENU\\TLO.BMP\nTOOLS_BACKGROUND=MENU\\PASEK.BMP\n"
                                                      "[NAMES]\n1001=A\n[GLYPH]\n1001=MENU\\A.BMP\n"
                                                      "[OBJECTS]\nTOOLS=1\n"));
    load(QStringLiteral("P.KLV"));
    QStringList texts;
    for (const auto &message : dialogs.messages)
        texts.append(message.text);
    ASSERT_EQ(texts.size(), 3);
    EXPECT_EQ(texts[0], QStringLiteral("Brak bitmapy stanowiącej tło okna:\n") + drivePath() + QStringLiteral("MENU\\TLO.BMP"));
    EXPECT_TRUE(texts[1].startsWith(QStringLiteral("Plik bitmapy ") + drivePath() + QStringLiteral("MENU\\A.BMP nie istnieje.")));
    EXPECT_EQ(texts[2], u"Brak bitmapy stanowiącej tło paska narzędziowego:\n\"MENU\\PASEK.BMP\"");
    EXPECT_EQ(surface().components().size(), 2);
    EXPECT_FALSE(context.ProjectModified);
}

// A project's stored paths are relative to the drive it lies on: the
// nearest folder above it with an "AUTORUN.INF", else "/".
TEST_F(ProjectReader, AProjectBringsTheDriveRootOfItsOwnFolder)
{
    QTemporaryDir other;
    TestSupport::writeFile(other.path() + QStringLiteral("/autorun.inf"), {});
    QImage picture(40, 30, QImage::Format_RGB888);
    picture.fill(Qt::red);
    picture.save(other.path() + QStringLiteral("/TLO.BMP"), "BMP");
    TestSupport::writeFile(other.path() + QStringLiteral("/PROJEKT/P.KLV"),
                           "[NAMES]\r\n1001=A\r\n[WINDOW]\r\nBACKGROUND=TLO.BMP\r\n");
    project.LoadINI(other.path() + QStringLiteral("/PROJEKT/P.KLV"));
    EXPECT_EQ(context.DriveRoot, other.path() + u'/');
    EXPECT_TRUE(dialogs.messages.isEmpty()) << "the background is found on the project's own drive";
    EXPECT_EQ(surface().components().size(), 1);

    QTemporaryDir bare;
    TestSupport::writeFile(bare.path() + QStringLiteral("/P.KLV"), "[NAMES]\r\n1001=A\r\n");
    project.LoadINI(bare.path() + QStringLiteral("/P.KLV"));
    EXPECT_EQ(context.DriveRoot, QStringLiteral("/"));
}

TEST_F(ProjectReader, ATitleWithoutCdTitleShowsTheDefaultNotThePreviousProjects)
{
    writeText(QStringLiteral("A.KLV"), QStringLiteral("[CDROM]\nCD_TITLE=Alfa\n[OBJECTS]\nTITLE=1\n"));
    writeText(QStringLiteral("B.KLV"), QStringLiteral("[OBJECTS]\nTITLE=1\n"));
    load(QStringLiteral("A.KLV"));
    ASSERT_TRUE(context.Objects.title);
    EXPECT_EQ(context.Objects.title->text(), u"Alfa");
    load(QStringLiteral("B.KLV"));
    ASSERT_TRUE(context.Objects.title);
    EXPECT_EQ(context.Objects.title->text(), u"ZELTRIN KALVORA 4.0");
    EXPECT_EQ(DesignStyle::fontColorOf(context.Objects.title), Platform::clGreen);
}

TEST_F(ProjectReader, SettingsAreReadInTheirOrderWithTheirDefaults)
{
    writeText(QStringLiteral("P.KLV"), QStringLiteral("[bonus]\nmaska=MENU\\M.BMP\n[window]\nhintoval=2\n"));
    load(QStringLiteral("P.KLV"));
    const QStringList lines = DesignReading::settingLines(context.Design);
    EXPECT_EQ(lines.first(), u"NOBORDER=0");
    EXPECT_EQ(lines.last(), u"BMP_Szer=320");
    EXPECT_EQ(context.Design.setting(QStringLiteral("MASKA")), u"MENU\\M.BMP");
    EXPECT_EQ(context.Design.setting(QStringLiteral("HintOval")), u"2");
    EXPECT_TRUE(context.Design.setting(QStringLiteral("CD_TITLE")).isEmpty());

    // Edits of the settings mark the project; the load itself does not.
    EXPECT_FALSE(context.ProjectModified);
    DesignEdits::setSetting(context, QStringLiteral("CD_TITLE"), QStringLiteral("Nowy"));
    EXPECT_TRUE(context.ProjectModified);
}

TEST_F(ProjectReader, LoadingAndProcessingEventsLeavesTheFlagClearUntilARealResize)
{
    writeText(QStringLiteral("P.KLV"), QStringLiteral("[WINDOW]\nWIDTH=300\nHEIGHT=200\nNOBORDER=1\n"));
    load(QStringLiteral("P.KLV"));
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
    EXPECT_FALSE(context.ProjectModified);
    surface().resize(300, 200);
    QApplication::processEvents();
    EXPECT_FALSE(context.ProjectModified);
    surface().resize(320, 200);
    QApplication::processEvents();
    EXPECT_TRUE(context.ProjectModified);
}

TEST_F(ProjectReader, TheDemoProjectSavesTheSameBytesEveryTime)
{
    QFile demo(sourceDemoProject());
    ASSERT_TRUE(demo.open(QIODevice::ReadOnly));
    TestSupport::writeFile(drivePath(QStringLiteral("ORVANTA.INI")), demo.readAll());
    load(QStringLiteral("ORVANTA.INI"));
    ASSERT_TRUE(project.Zapisz());
    const QByteArray first = readBytes(QStringLiteral("ORVANTA.INI"));
    load(QStringLiteral("ORVANTA.INI"));
    ASSERT_TRUE(project.Zapisz());
    EXPECT_EQ(readBytes(QStringLiteral("ORVANTA.INI")), first);

    // What the demo holds comes back: names, colours, captions.
    const Platform::ProfileFile saved(drivePath(QStringLiteral("ORVANTA.INI")));
    EXPECT_EQ(saved.readString(QStringLiteral("CDROM"), QStringLiteral("CD_CAPTION"), {}), u"Kalvora – płyta demonstracyjna");
    EXPECT_EQ(saved.readString(QStringLiteral("WINDOW"), QStringLiteral("COLOR"), {}), u"clNavy");
    EXPECT_EQ(saved.readString(QStringLiteral("WINDOW"), QStringLiteral("SERIAL"), {}), u"$00502814");
    EXPECT_EQ(saved.readString(QStringLiteral("NAMES"), QStringLiteral("1002"), {}), u"Narzędzia");
    EXPECT_EQ(saved.keyNames(QStringLiteral("NAMES")),
              (QStringList{QStringLiteral("1001"), QStringLiteral("1002"), QStringLiteral("1003"), QStringLiteral("1004"),
                           QStringLiteral("1005"), QStringLiteral("1006")}));
}

TEST_F(ProjectReader, TheDemoLayoutIsShownOnTheSurface)
{
    const QString demoCd = QStringLiteral(KALVORA_DEMO_CD);
    if (!QFileInfo(demoCd + QStringLiteral("/MENU/TLO.BMP")).isFile())
        GTEST_SKIP() << "the demo CD folder is not built";
    context.DriveRoot = demoCd + u'/';
    project.LoadINI(demoCd + QStringLiteral("/ORVANTA.INI"));
    QApplication::processEvents();
    EXPECT_TRUE(dialogs.messages.isEmpty());
    EXPECT_EQ(surface().size(), QSize(640, 480));
    // One object for every category, every function key that is on and
    // every single object that is on.
    const Platform::ProfileFile demo(demoCd + QStringLiteral("/ORVANTA.INI"));
    qsizetype expected = demo.keyNames(QStringLiteral("NAMES")).size();
    for (const QString &section : {QStringLiteral("FUNCTIONS"), QStringLiteral("OBJECTS")}) {
        for (const QString &key : demo.keyNames(section))
            expected += demo.readBool(section, key, false) ? 1 : 0;
    }
    EXPECT_EQ(surface().components().size(), expected);
    ASSERT_TRUE(context.Objects.tools);
    EXPECT_EQ(context.Objects.tools->geometry(), QRect(0, 430, 640, 50));
    const QImage shot = surface().grab().toImage();
    EXPECT_TRUE(shot.save(TestSupport::outputDir() + QStringLiteral("/designer_demo.png")));
}
