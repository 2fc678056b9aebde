#include "outside/outsidefixture.h"

#include <objects/designedits.h>
#include <designreading.h>
#include <surface/designobjects.h>
#include <propertyeditors/onebitmask.h>
#include <propertyeditors/pickedpaths.h>
#include <propertyeditors/propertyeditors.h>

#include <buttons/menubutton.h>
#include <datafile/datafile.h>
#include <menuobjects/imagewidget.h>
#include <shaper/controlshaper.h>
#include <shaper/maskbitmap.h>

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QThread>

#include <unistd.h>

namespace {

const QString kConvertQuestion = QStringLiteral(
    "Wybrana bitmapa nie jest w odpowiednim formacie - 1BIT!\n\nCzy chcesz przekonwertować ją do 1BIT?\n"
    "(wyjściowa bitmapa zostanie zachowana z rozszerzeniem .OLD)");

} // namespace

TEST(PickedPaths, FilesOutsideTheDriveAreRefused)
{
    QTemporaryDir drive;
    QTemporaryDir elsewhere;
    const QString root = drive.path() + u'/';
    QDir().mkpath(drive.path() + QStringLiteral("/MENU"));
    TestSupport::writeFile(drive.path() + QStringLiteral("/MENU/TLO.BMP"), "x");
    TestSupport::writeFile(elsewhere.path() + QStringLiteral("/OBCY.BMP"), "x");
    ASSERT_EQ(::symlink(QFile::encodeName(elsewhere.path()).constData(),
                        QFile::encodeName(drive.path() + QStringLiteral("/WYJSCIE")).constData()),
              0);

    const struct {
        const char *name;
        QString chosen;
        QString stored; // empty: refused
    } chosen[] = {
        {"below the root", drive.path() + QStringLiteral("/MENU/TLO.BMP"), QStringLiteral("MENU\\TLO.BMP")},
        {"with dots on the way", drive.path() + QStringLiteral("/MENU/../MENU/TLO.BMP"), QStringLiteral("MENU\\TLO.BMP")},
        {"another folder", elsewhere.path() + QStringLiteral("/OBCY.BMP"), {}},
        {"a sibling whose name starts like the root", drive.path() + QStringLiteral("x/TLO.BMP"), {}},
        {"a link out of the root", drive.path() + QStringLiteral("/WYJSCIE/OBCY.BMP"), {}},
    };
    for (const auto &c : chosen) {
        SCOPED_TRACE(c.name);
        const PickedPaths::Stored stored = PickedPaths::fromChosenFile(root, c.chosen);
        EXPECT_EQ(stored.path, c.stored);
        EXPECT_EQ(stored.ok(), !c.stored.isEmpty());
        if (!stored.ok()) {
            EXPECT_TRUE(stored.error.contains(c.chosen));
        }
    }

    const struct {
        const char *name;
        QString typed;
        bool accepted;
    } typed[] = {
        {"empty", {}, true},
        {"below the root", QStringLiteral("MENU\\TLO.BMP"), true},
        {"a file not there yet", QStringLiteral("MENU\\NOWY.BMP"), true},
        {"with a drive", QStringLiteral("D:\\MENU\\TLO.BMP"), true},
        {"dots that stay inside", QStringLiteral("MENU\\..\\MENU\\TLO.BMP"), true},
        {"dots that climb out", QStringLiteral("..\\OBCY.BMP"), false},
        {"dots that climb out later", QStringLiteral("MENU\\..\\..\\etc\\passwd"), false},
        {"a link out of the root", QStringLiteral("WYJSCIE\\OBCY.BMP"), false},
    };
    for (const auto &c : typed) {
        SCOPED_TRACE(c.name);
        const PickedPaths::Stored stored = PickedPaths::fromTypedPath(root, c.typed);
        EXPECT_EQ(stored.ok(), c.accepted);
        EXPECT_EQ(stored.path, c.accepted ? c.typed : QString());
    }
}

class FilePickers : public OutsideFixture
{
protected:
    void SetUp() override
    {
        OutsideFixture::SetUp();
        loadEmpty(QStringLiteral("MENU/PROJEKT.KLV"));
        key = creators.DodajKlawisz();
        editors.setOutsidePrograms(&programs);
        undo.steps.clear();
        context.ProjectModified = false;
    }

    // A 24-bit background: white, with a red block.
    void writeBackground(const QString &name)
    {
        QImage picture(30, 20, QImage::Format_RGB888);
        picture.fill(Qt::white);
        QPainter(&picture).fillRect(QRect(5, 5, 10, 8), Qt::red);
        QDir().mkpath(QFileInfo(drivePath(name)).absolutePath());
        ASSERT_TRUE(picture.save(drivePath(name), "BMP"));
    }

    void expectNothingChanged()
    {
        EXPECT_TRUE(undo.steps.isEmpty());
        EXPECT_FALSE(context.ProjectModified);
    }

    DesignObjectCreators creators{context};
    PropertyEditors editors{context};
    TMenuButton *key = nullptr;
    QTemporaryDir elsewhere;
};

TEST_F(FilePickers, AChosenGlyphIsStoredRelativeToTheDrive)
{
    writePicture(QStringLiteral("obrazy/gry.bmp"), 16, 16, Qt::green);
    context.CurrentObject = key;
    dialogs.pathAnswers = {drivePath(QStringLiteral("obrazy/gry.bmp"))};

    EXPECT_EQ(editors.edtBitmapaButtonClick({}), QStringLiteral("obrazy\\gry.bmp"));
    EXPECT_EQ(DesignEdits::keyFile(context, 1001, DesignEdits::KeyFile::Glyph), u"obrazy\\gry.bmp");
    EXPECT_FALSE(key->glyph().isNull());
    EXPECT_EQ(undo.steps, QStringList{QStringLiteral("Zmiana bitmapy")});
}

TEST_F(FilePickers, AFileOutsideTheDriveOrAPictureThatDoesNotLoadChangesNothing)
{
    writeBackground(QStringLiteral("obrazy/tlo.bmp"));
    TestSupport::writeFile(drivePath(QStringLiteral("obrazy/zepsuty.bmp")), "BM not a picture");
    TestSupport::writeFile(elsewhere.path() + QStringLiteral("/obcy.bmp"),
                           TestSupport::readFile(drivePath(QStringLiteral("obrazy/tlo.bmp"))));
    DesignEdits::setSetting(context, QStringLiteral("Tlo"), QStringLiteral("obrazy\\tlo.bmp"));
    DesignEdits::setSetting(context, QStringLiteral("Maska"), QStringLiteral("obrazy\\tlo.bmp"));
    DesignEdits::setKeyFile(context, 1001, DesignEdits::KeyFile::Glyph, QStringLiteral("obrazy\\tlo.bmp"));
    const QStringList settingsBefore = DesignReading::settingLines(context.Design);
    const QStringList glyphsBefore = DesignReading::keyFileLines(context.Design, &ProjectFormat::DesignKey::glyphFile);
    const QString outside = elsewhere.path() + QStringLiteral("/obcy.bmp");
    const QString broken = drivePath(QStringLiteral("obrazy/zepsuty.bmp"));
    context.ProjectModified = false;

    const struct {
        const char *name;
        QWidget *current;
        std::function<bool()> commit;
        QString named; // the message names it
    } cases[] = {
        {"glyph outside", key, [&] { return bool(editors.edtBitmapaButtonClick({})); }, outside},
        {"background outside", surface().Image1, [&] { return bool(editors.edtBitmapaButtonClick({})); }, outside},
        {"mask outside", surface().Image1, [&] { return bool(editors.edtMaskaButtonClick({})); }, outside},
        {"data file outside", key, [&] { return bool(editors.edtDaneButtonClick({})); }, outside},
        {"glyph that does not load", key, [&] { return bool(editors.edtBitmapaButtonClick({})); }, broken},
        {"mask that does not load", surface().Image1, [&] { return bool(editors.edtMaskaButtonClick({})); }, broken},
        {"typed glyph out of the drive", key,
         [&] { return editors.edtBitmapaKeyDown(QStringLiteral("..\\..\\obcy.bmp")); }, QStringLiteral("obcy.bmp")},
        {"typed mask out of the drive", surface().Image1,
         [&] { return editors.edtMaskaKeyDown(QStringLiteral("obrazy\\..\\..\\x.bmp")); }, QStringLiteral("x.bmp")},
        {"tiling a picture that does not load", surface().Image1,
         [&] { return editors.edtTypUlozeniaClick(1, QStringLiteral("obrazy\\zepsuty.bmp")); }, QStringLiteral("zepsuty")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        dialogs.messages.clear();
        dialogs.pathAnswers = {QString(c.name).contains(QStringLiteral("outside")) ? outside : broken};
        context.CurrentObject = c.current;

        EXPECT_FALSE(c.commit());

        ASSERT_EQ(dialogs.messages.size(), 1);
        EXPECT_TRUE(dialogs.messages[0].text.contains(c.named)) << dialogs.messages[0].text.toStdString();
        EXPECT_EQ(DesignReading::settingLines(context.Design), settingsBefore);
        EXPECT_EQ(DesignReading::keyFileLines(context.Design, &ProjectFormat::DesignKey::glyphFile), glyphsBefore);
        EXPECT_TRUE(DesignReading::keyFileLines(context.Design, &ProjectFormat::DesignKey::dataFile).isEmpty());
        expectNothingChanged();
    }
}

TEST_F(FilePickers, TilingAPictureOfNoWidthEndsWithAMessage)
{
    // A bitmap header that claims a width of 0.
    QByteArray header(54, '\0');
    header[0] = 'B';
    header[1] = 'M';
    header[10] = 54;
    header[14] = 40;
    header[22] = 10; // height
    header[26] = 1;
    header[28] = 24;
    TestSupport::writeFile(drivePath(QStringLiteral("obrazy/pusty.bmp")), header);
    for (int item : {0, 1}) {
        dialogs.messages.clear();
        context.CurrentObject = surface().Image1;
        EXPECT_FALSE(editors.edtTypUlozeniaClick(item, QStringLiteral("obrazy\\pusty.bmp")));
        EXPECT_EQ(dialogs.messages.size(), 1);
        EXPECT_TRUE(context.Design.setting(QStringLiteral("TILE")) != u"1");
    }
    expectNothingChanged();
}

TEST_F(FilePickers, TilingRecordsItsChoiceAndDrawsThePicture)
{
    writePicture(QStringLiteral("obrazy/kafel.bmp"), 4, 4, Qt::blue);
    context.CurrentObject = surface().Image1;
    EXPECT_TRUE(editors.edtTypUlozeniaClick(1, QStringLiteral("OBRAZY\\KAFEL.BMP")));
    EXPECT_EQ(context.Design.setting(QStringLiteral("TILE")), u"1");
    EXPECT_EQ(surface().Image1->canvas().pixelColor(9, 9), QColor(Qt::blue));
    EXPECT_TRUE(editors.edtTypUlozeniaClick(0, QStringLiteral("OBRAZY\\KAFEL.BMP")));
    EXPECT_EQ(context.Design.setting(QStringLiteral("TILE")), u"0");
}

TEST_F(FilePickers, ATwentyFourBitMaskIsConvertedOnlyOnYes)
{
    writeBackground(QStringLiteral("obrazy/TLO.BMP"));
    const QByteArray original = readBytes(QStringLiteral("obrazy/TLO.BMP"));
    context.CurrentObject = surface().Image1;
    for (auto answer : {Platform::MessageAnswer::No, Platform::MessageAnswer::Cancel}) {
        dialogs.pathAnswers = {drivePath(QStringLiteral("obrazy/TLO.BMP"))};
        dialogs.answers = {answer};
        EXPECT_EQ(editors.edtMaskaButtonClick({}), std::nullopt);
        EXPECT_EQ(readBytes(QStringLiteral("obrazy/TLO.BMP")), original);
        EXPECT_FALSE(QFile::exists(drivePath(QStringLiteral("obrazy/TLO.OLD"))));
        EXPECT_TRUE(context.Design.setting(QStringLiteral("Maska")).isEmpty());
    }
    expectNothingChanged();

    dialogs.messages.clear();
    dialogs.pathAnswers = {drivePath(QStringLiteral("obrazy/TLO.BMP"))};
    dialogs.answers = {Platform::MessageAnswer::Yes};
    EXPECT_EQ(editors.edtMaskaButtonClick({}), QStringLiteral("obrazy\\TLO.BMP"));

    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].text, kConvertQuestion);
    EXPECT_EQ(dialogs.messages[0].caption, u"Dodorurav 2.1");
    EXPECT_EQ(dialogs.messages[0].buttons, Platform::MessageButtons::YesNoCancel);
    EXPECT_EQ(dialogs.messages[0].icon, Platform::MessageIcon::Warning);
    EXPECT_EQ(readBytes(QStringLiteral("obrazy/TLO.OLD")), original);
    const QByteArray mask = readBytes(QStringLiteral("obrazy/TLO.BMP"));
    const std::optional<MaskHeader> header = readMaskHeader(mask);
    ASSERT_TRUE(header);
    EXPECT_TRUE((maskRegion(mask, *header) ^ QRegion(5, 5, 10, 8)).isEmpty());
    EXPECT_EQ(context.Design.setting(QStringLiteral("Maska")), u"obrazy\\TLO.BMP");
    EXPECT_EQ(undo.steps, QStringList{QStringLiteral("Zmiana maski okna")});
    // The surface takes the outline at once: the mask's black is the window.
    EXPECT_TRUE(surface().MASKA->shapeActive());
    EXPECT_TRUE((surface().mask() ^ QRegion(5, 5, 10, 8)).isEmpty());

    // The mask is 1 bit now: chosen again, it is taken as it is.
    dialogs.messages.clear();
    dialogs.pathAnswers = {drivePath(QStringLiteral("obrazy/TLO.BMP"))};
    EXPECT_EQ(editors.edtMaskaButtonClick({}), QStringLiteral("obrazy\\TLO.BMP"));
    EXPECT_TRUE(dialogs.messages.isEmpty());
    EXPECT_EQ(readBytes(QStringLiteral("obrazy/TLO.BMP")), mask);
    EXPECT_EQ(readBytes(QStringLiteral("obrazy/TLO.OLD")), original);

    // No mask: the plain window again.
    EXPECT_TRUE(editors.edtMaskaKeyDown({}));
    EXPECT_FALSE(surface().MASKA->shapeActive());
    EXPECT_TRUE(surface().mask().isEmpty());
}

TEST_F(FilePickers, AConversionThatCannotKeepTheOriginalChangesNeitherFile)
{
    writeBackground(QStringLiteral("obrazy/TLO.BMP"));
    TestSupport::writeFile(drivePath(QStringLiteral("obrazy/TLO.OLD")), "older");
    const QByteArray original = readBytes(QStringLiteral("obrazy/TLO.BMP"));
    context.CurrentObject = surface().Image1;
    dialogs.pathAnswers = {drivePath(QStringLiteral("obrazy/TLO.BMP"))};
    dialogs.answers = {Platform::MessageAnswer::Yes};

    EXPECT_EQ(editors.edtMaskaButtonClick({}), std::nullopt);

    EXPECT_EQ(readBytes(QStringLiteral("obrazy/TLO.BMP")), original);
    EXPECT_EQ(readBytes(QStringLiteral("obrazy/TLO.OLD")), QByteArray("older"));
    ASSERT_EQ(dialogs.messages.size(), 2);
    EXPECT_TRUE(dialogs.messages[1].text.contains(drivePath(QStringLiteral("obrazy/TLO.OLD"))));
    EXPECT_TRUE(context.Design.setting(QStringLiteral("Maska")).isEmpty());
    expectNothingChanged();
}

TEST_F(FilePickers, DataFilesOfACategoryKeyFromTheDialogOrTyped)
{
    writeText(QStringLiteral("dane/gry.rv3"), QStringLiteral("TITLE=Gry\n"));
    context.CurrentObject = key;
    DesignEdits::setKeyFile(context, 1001, DesignEdits::KeyFile::Data, QStringLiteral("dane\\stare.rv3"));

    dialogs.pathAnswers = {drivePath(QStringLiteral("dane/gry.rv3"))};
    EXPECT_EQ(editors.edtDaneButtonClick(QStringLiteral("dane\\stare.rv3")), QStringLiteral("dane\\gry.rv3"));
    EXPECT_EQ(DesignEdits::keyFile(context, 1001, DesignEdits::KeyFile::Data), u"dane\\gry.rv3");
    // The dialog takes a name that does not exist yet.
    dialogs.pathAnswers = {drivePath(QStringLiteral("dane/nowe.RV3"))};
    EXPECT_EQ(editors.edtDaneButtonClick({}), QStringLiteral("dane\\nowe.RV3"));

    dialogs.pathAnswers = {drivePath(QStringLiteral("MENU/PROJEKT.KLV"))};
    EXPECT_EQ(editors.edtNextINIButtonClick({}), QStringLiteral("MENU\\PROJEKT.KLV"));
    EXPECT_EQ(DesignEdits::keyFile(context, 1001, DesignEdits::KeyFile::NextWindow), u"MENU\\PROJEKT.KLV");
    EXPECT_EQ(undo.steps, (QStringList{QStringLiteral("Zmiana pliku danych"), QStringLiteral("Zmiana pliku danych"),
                                       QStringLiteral("Zmiana drugiego okna")}));

    // Only category keys have data files.
    undo.steps.clear();
    context.CurrentObject = creators.DodajKlawisz_Start();
    dialogs.pathAnswers = {drivePath(QStringLiteral("dane/gry.rv3"))};
    EXPECT_EQ(editors.edtDaneButtonClick({}), std::nullopt);
    EXPECT_EQ(editors.edtDaneKeyDown(QStringLiteral("dane\\gry.rv3")), std::nullopt);
    EXPECT_TRUE(DesignEdits::keyFile(context, 10001, DesignEdits::KeyFile::Data).isEmpty());
    EXPECT_TRUE(undo.steps.isEmpty());
}

// Enter commits the typed path, never drops it: one inside the CD folder is
// kept even before its file exists; one the project cannot store is refused
// with the message and the field shows the stored value again.
TEST_F(FilePickers, ATypedDataFileIsKeptOrRefusedNeverDropped)
{
    context.CurrentObject = key;
    const QString refusal = QStringLiteral("Plik leży poza dyskiem projektu");
    const struct {
        QString typed;
        QString shown;  // what the field shows afterwards
        QString stored; // the key's data file afterwards
        bool refused;
    } cases[] = {
        {QStringLiteral("Dane\\Gry nowe.RV3"), QStringLiteral("Dane\\Gry nowe.RV3"), QStringLiteral("Dane\\Gry nowe.RV3"), false},
        {QStringLiteral("  dane\\x.rv3 "), QStringLiteral("dane\\x.rv3"), QStringLiteral("dane\\x.rv3"), false},
        {drivePath(QStringLiteral("Dane/abs.RV3")), QStringLiteral("Dane\\abs.RV3"), QStringLiteral("Dane\\abs.RV3"), false},
        {QStringLiteral("..\\..\\etc\\x.RV3"), QStringLiteral("Dane\\abs.RV3"), QStringLiteral("Dane\\abs.RV3"), true},
        {QStringLiteral("/etc/x.RV3"), QStringLiteral("Dane\\abs.RV3"), QStringLiteral("Dane\\abs.RV3"), true},
        {QString(), QString(), QString(), false},
    };
    for (const auto &c : cases) {
        dialogs.messages.clear();
        EXPECT_EQ(editors.edtDaneKeyDown(c.typed), c.shown) << c.typed.toStdString();
        EXPECT_EQ(DesignEdits::keyFile(context, 1001, DesignEdits::KeyFile::Data), c.stored) << c.typed.toStdString();
        ASSERT_EQ(dialogs.messages.size(), c.refused ? 1 : 0) << c.typed.toStdString();
        if (c.refused) {
            EXPECT_TRUE(dialogs.messages[0].text.startsWith(refusal));
        }
    }
}

// RV3 on a data file that does not exist yet offers to make it, titled with
// the key's caption, and opens the editor on it.
TEST_F(FilePickers, TheDataEditorButtonMakesAMissingDataFile)
{
    TestSupport::RecordingLauncher launcher;
    const QString dataEditor = standIn(drivePath(QStringLiteral("tools/zazava")));
    configure(QStringLiteral("[PLIKI]\nZAZAVA_RV3=%1\n").arg(dataEditor));
    context.CurrentObject = key;
    key->setCaption(QStringLiteral("Gry łamigłówki"));

    dialogs.answers = {Platform::MessageAnswer::No};
    EXPECT_FALSE(editors.klwRV3Click(QStringLiteral("Dane\\gry.RV3")));
    EXPECT_FALSE(QFile::exists(drivePath(QStringLiteral("Dane/gry.RV3"))));
    EXPECT_TRUE(launcher.started.isEmpty());

    dialogs.answers = {Platform::MessageAnswer::Yes};
    EXPECT_TRUE(editors.klwRV3Click(QStringLiteral("Dane\\gry.RV3")));
    EXPECT_EQ(DataFile::readHeader(drivePath(QStringLiteral("Dane/gry.RV3"))).title, u"Gry łamigłówki");
    EXPECT_EQ(DesignEdits::keyFile(context, 1001, DesignEdits::KeyFile::Data), u"Dane\\gry.RV3");
    EXPECT_EQ(launcher.startedArguments, (QList<QStringList>{{drivePath(QStringLiteral("Dane/gry.RV3"))}}));

    // A path the project cannot store makes nothing.
    dialogs.messages.clear();
    EXPECT_FALSE(editors.klwRV3Click(QStringLiteral("..\\..\\x.RV3")));
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(launcher.started.size(), 1);
}

TEST_F(FilePickers, TheOutsideEditorsGetTheFullPathAsOneArgument)
{
    TestSupport::RecordingLauncher launcher;
    const QString bitmapEditor = standIn(drivePath(QStringLiteral("tools/pixanto")));
    const QString dataEditor = standIn(drivePath(QStringLiteral("tools/zazava")));
    configure(QStringLiteral("[PLIKI]\nZAZAVA_BMP=%1\nZAZAVA_RV3=%2\n").arg(bitmapEditor, dataEditor));
    const QString awkward = QStringLiteral("obrazy/tło \"nowe\" $HOME; `x`.bmp");
    writePicture(awkward, 4, 4, Qt::red);
    writeText(QStringLiteral("dane/gry $1 \"a b\".rv3"), QStringLiteral("TITLE=Gry\n"));

    EXPECT_TRUE(editors.EdytujBMP(QStringLiteral("OBRAZY\\tło \"nowe\" $HOME; `x`.bmp")));
    EXPECT_TRUE(editors.klwRV3Click(QStringLiteral("dane\\gry $1 \"a b\".rv3")));
    ASSERT_EQ(launcher.started.size(), 2);
    EXPECT_TRUE(launcher.started[0].startsWith(bitmapEditor));
    EXPECT_TRUE(launcher.started[1].startsWith(dataEditor));
    EXPECT_EQ(launcher.startedArguments,
              (QList<QStringList>{{drivePath(awkward)}, {drivePath(QStringLiteral("dane/gry $1 \"a b\".rv3"))}}));

    // An empty field starts nothing; a failed start shows the Part's message.
    launcher.started.clear();
    EXPECT_FALSE(editors.EdytujBMP({}));
    EXPECT_FALSE(editors.klwRV3Click({}));
    EXPECT_TRUE(launcher.started.isEmpty());
    launcher.fail = true;
    EXPECT_FALSE(editors.klwRV3Click(QStringLiteral("dane\\gry $1 \"a b\".rv3")));
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("Nie można uruchomić zazavaa danych!\n\nSprawdź czy wpisy w "
                                                       "konfiguracji generatora są poprawne!"));
}

TEST_F(FilePickers, ARealEditorReceivesTheAwkwardPathWhole)
{
    const QString editor = standIn(drivePath(QStringLiteral("tools/pixanto")));
    configure(QStringLiteral("[PLIKI]\nZAZAVA_BMP=%1\n").arg(editor));
    const QString awkward = QStringLiteral("obrazy/a  b \"c\" $PATH.bmp");
    writePicture(awkward, 4, 4, Qt::red);

    EXPECT_TRUE(editors.EdytujBMP(QStringLiteral("obrazy\\a  b \"c\" $PATH.bmp")));
    for (int i = 0; i < 500 && !logBeside(editor).contains(QStringLiteral("root=")); ++i)
        QThread::msleep(20);
    EXPECT_TRUE(logBeside(editor).startsWith(QStringLiteral("args=1\narg=") + drivePath(awkward) + u'\n'))
        << logBeside(editor).toStdString();
}

TEST_F(FilePickers, BmpWithoutABitmapEditorSaysSo)
{
    TestSupport::RecordingLauncher launcher;
    configure(QStringLiteral("[PLIKI]\nZAZAVA_BMP=%1\n").arg(drivePath(QStringLiteral("tools/brak-edytora"))));
    writePicture(QStringLiteral("obrazy/tlo.bmp"), 4, 4, Qt::red);
    for (const QString &field : {QStringLiteral("obrazy\\tlo.bmp"), QString()}) {
        dialogs.messages.clear();
        EXPECT_FALSE(editors.EdytujBMP(field));
        ASSERT_EQ(dialogs.messages.size(), 1) << field.toStdString();
        EXPECT_TRUE(dialogs.messages[0].text.startsWith(QStringLiteral("Brak pliku wykonywalnego zazavaa bitmap!")));
    }
    EXPECT_TRUE(launcher.started.isEmpty());
}
