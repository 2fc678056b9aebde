#include "config/generatorconfig.h"

#include "userfolders.h"

#include "testsupport.h"

#include <QFileInfo>

namespace {

const GeneratorConfig Defaults = defaultGeneratorConfig(QStringLiteral("/opt/kalvora"));

TEST(GeneratorConfigDefaults, CompanionsLieBesideTheDesignerAndNoMenuFolderIsSet)
{
    const struct {
        GeneratorFile file;
        const char *key;
        const char *path;
    } table[] = {
        {GeneratorFile::Menu, "MENU", "/opt/kalvora/orvanta"},
        {GeneratorFile::ZazavaRv3, "ZAZAVA_RV3", "/opt/kalvora/zazava"},
        {GeneratorFile::MenuFolder, "KATALOG_MENU", ""},
        {GeneratorFile::MpegDll, "MPEGDLL", "/opt/kalvora/mpegdll.dll"},
        {GeneratorFile::Copier, "KOPIARKA", "/opt/kalvora/kopia"},
        {GeneratorFile::Autostart, "AUTOSTART", "/opt/kalvora/peldix"},
        {GeneratorFile::BitmapEditor, "ZAZAVA_BMP", "/opt/kalvora/pixanto"},
        {GeneratorFile::Unzip, "UNZIP", "/opt/kalvora/unzdll.dll"},
        {GeneratorFile::Unrar, "UNRAR", "/opt/kalvora/unrar.dll"},
        {GeneratorFile::ZipSfx, "ZIPSFX", "/opt/kalvora/zipsfx.bin"},
    };
    for (const auto &row : table) {
        EXPECT_EQ(GeneratorConfigNames::fileKey(row.file), QString::fromLatin1(row.key));
        EXPECT_EQ(Defaults.file(row.file), QString::fromLatin1(row.path)) << row.key;
    }
    EXPECT_TRUE(Defaults.clickSelects);
    EXPECT_TRUE(Defaults.minimizeOnTest);
    EXPECT_EQ(Defaults.maxUndo, 10);
    EXPECT_EQ(Defaults.handleColor, Platform::clBlack);
}

using GeneratorConfigFile = TemporaryUserFolders;

TEST_F(GeneratorConfigFile, MissingKeysGiveTheDefaultsAndNumbersAreBroughtIntoRange)
{
    const QString path = TestSupport::writeFile(home.path() + QStringLiteral("/Dodorurav.cfg"),
        "[opcje]\r\nKLAMRA=0\r\nKlamra_Kolor=clRed\r\nKlamra_KolorII=$00FF00\r\nMINONTEST=0\r\n"
        "[OBIEKTY]\r\nW=200\r\nH=99999\r\nT=-99999\r\n[pliki]\r\nmenu=/usr/bin/orvanta\r\n");
    const Platform::ProfileFile cfg(path);
    const GeneratorConfig config = readGeneratorConfig(cfg, Defaults);
    EXPECT_EQ(config.file(GeneratorFile::Menu), QStringLiteral("/usr/bin/orvanta"));
    for (int i = 1; i < GeneratorFileCount; ++i)
        EXPECT_EQ(config.files[size_t(i)], Defaults.files[size_t(i)]);
    EXPECT_FALSE(config.clickSelects);
    EXPECT_EQ(config.handleColor, Platform::clRed);
    EXPECT_EQ(config.handleColorII, Platform::clLime);
    EXPECT_FALSE(config.toolbarShown.has_value());
    EXPECT_FALSE(config.minimizeOnTest);
    EXPECT_EQ(config.maxUndo, 10);

    const WindowPlacement palette = readWindowPlacement(cfg, QStringLiteral("OBIEKTY"));
    EXPECT_EQ(palette.width, 200);
    EXPECT_EQ(palette.height, 8192);
    EXPECT_EQ(palette.top, -16384);
    EXPECT_FALSE(palette.left.has_value());
    EXPECT_FALSE(readWindowPlacement(cfg, QStringLiteral("UNDO")).width.has_value());
}

TEST_F(GeneratorConfigFile, UndoLimitIsClampedWhenRead)
{
    const struct {
        const char *value;
        int expected;
    } cases[] = {{"1", 2}, {"0", 2}, {"-7", 2}, {"2", 2}, {"50", 50}, {"200", 200}, {"201", 200},
                 {"$7FFFFFFF", 200}, {"dużo", 10}, {"", 10}};
    for (const auto &c : cases) {
        const QString path = TestSupport::writeFile(home.path() + QStringLiteral("/undo.cfg"),
                                                    QByteArray("[OPCJE]\r\nMAXUNDO=") + c.value + "\r\n");
        const Platform::ProfileFile cfg(path);
        EXPECT_EQ(readGeneratorConfig(cfg, Defaults).maxUndo, c.expected) << c.value;
    }
}

TEST_F(GeneratorConfigFile, AMissingFileIsMadeFromTheDefaultsAndAnExistingOneIsLeftAlone)
{
    const QString path = generatorConfigPath();
    EXPECT_EQ(path, configHome() + QStringLiteral("/ZeltrinSoftware/Dodorurav.cfg"));
    {
        const auto cfg = openGeneratorConfig(path, Defaults);
        ASSERT_TRUE(QFileInfo::exists(path));
        const GeneratorConfig read = readGeneratorConfig(*cfg, GeneratorConfig{});
        EXPECT_EQ(read.files, Defaults.files);
        EXPECT_EQ(read.maxUndo, 10);
    }
    // The file made names the runtime, so no reader finds MENU missing.
    const Platform::ProfileFile written(path);
    EXPECT_EQ(written.readString(QStringLiteral("PLIKI"), QStringLiteral("MENU"), {}),
              QStringLiteral("/opt/kalvora/orvanta"));

    TestSupport::writeFile(path, "[PLIKI]\r\nMENU=/moje/orvanta\r\n");
    const auto cfg = openGeneratorConfig(path, Defaults);
    EXPECT_EQ(TestSupport::readFile(path), "[PLIKI]\r\nMENU=/moje/orvanta\r\n");
    // The finding is case-blind, as for every stored name.
    TestSupport::writeFile(configHome() + QStringLiteral("/ZeltrinSoftware/DODORURAV.CFG"), "x");
    QFile::remove(path);
    EXPECT_EQ(generatorConfigPath(), configHome() + QStringLiteral("/ZeltrinSoftware/DODORURAV.CFG"));
}

} // namespace
