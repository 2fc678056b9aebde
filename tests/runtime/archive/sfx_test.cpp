// Conversion of a zip archive into a self-extracting program: the header
// bytes, where the stub is found, and a program that unzip accepts and the
// stand-in stub extracts.

#include "archive/sfxheader.h"
#include "testsupport.h"
#include "zipbuilder.h"
#include "zipdirectory.h"
#include "archive/ziptool.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class SfxTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        m_oldConfig = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir.filePath("config")));
        tool.Unattended = true;
        tool.HowToDelete = TZipTool::htdFinal;
        tool.SFXPath = SFX_STUB;
        tool.OnMessage = [this](QObject *, int, const QString &text) { messages.append(text); };
    }
    void TearDown() override { qputenv("XDG_CONFIG_HOME", m_oldConfig); }

    QString writeZip(const QString &name, const QByteArray &bytes) { return TestSupport::writeFile(dir.filePath(name), bytes); }

    static ZipFormat::Directory directoryOf(const QString &path)
    {
        const ZipFormat::FileSource source(QFile::encodeName(path).toStdString());
        return ZipFormat::readDirectory(source);
    }

    static int run(const QString &program, const QStringList &arguments, QByteArray *output = nullptr)
    {
        QProcess process;
        process.start(program, arguments);
        if (!process.waitForFinished(60000))
            return -1;
        if (output)
            *output = process.readAllStandardOutput();
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }

    QTemporaryDir dir;
    TZipTool tool;
    QStringList messages;

private:
    QByteArray m_oldConfig;
};

QByteArray headerBytes(unsigned char flags, const QByteArray &texts, int caption, int folder, int command)
{
    QByteArray header(SfxHeader::Size, '\0');
    header[0] = 'M';
    header[1] = 'P';
    header[2] = 'U';
    header[3] = char(flags);
    header[4] = char(caption);
    header[5] = char(folder);
    header[6] = char(command);
    header.replace(7, texts.size(), texts);
    return header;
}

} // namespace

TEST_F(SfxTest, HeaderFlagsAndTextsAsGoldenBytes)
{
    struct Case {
        const char *what;
        int options;
        TZipTool::OverWriteMode mode;
        unsigned char flags;
    };
    const Case cases[] = {
        {"defaults", TZipTool::SFXCheckSize, TZipTool::OvrConfirm, 0x00},
        {"no size check", 0, TZipTool::OvrConfirm, 0x20},
        {"ask command line", TZipTool::SFXCheckSize | TZipTool::SFXAskCmdLine, TZipTool::OvrConfirm, 0x01},
        {"ask files", TZipTool::SFXCheckSize | TZipTool::SFXAskFiles, TZipTool::OvrConfirm, 0x02},
        {"hide overwrite box", TZipTool::SFXCheckSize | TZipTool::SFXHideOverWriteBox, TZipTool::OvrConfirm, 0x04},
        {"overwrite always", TZipTool::SFXCheckSize, TZipTool::OvrAlways, 0x08},
        {"overwrite never", TZipTool::SFXCheckSize, TZipTool::OvrNever, 0x10},
        {"auto run", TZipTool::SFXCheckSize | TZipTool::SFXAutoRun, TZipTool::OvrConfirm, 0x40},
        {"everything", TZipTool::SFXAskCmdLine | TZipTool::SFXAskFiles | TZipTool::SFXHideOverWriteBox | TZipTool::SFXAutoRun,
         TZipTool::OvrNever, 0x77},
    };
    const qint64 stubLength = QFileInfo(SFX_STUB).size();
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        tool.setZipFilename(writeZip("a.zip", ZipBuilder::build({{"a.txt", "a"}})));
        tool.SFXOptions = c.options;
        tool.SFXOverWriteMode = c.mode;
        tool.SFXCaption = QString::fromUtf8("Zażółć");
        tool.SFXDefaultDir = "><";
        tool.SFXCommandLine = "setup.exe|/q";
        ASSERT_EQ(tool.ConvertZipToSfx(), 0);
        const QByteArray program = TestSupport::readFile(dir.filePath("a.exe"));
        EXPECT_EQ(program.mid(stubLength, SfxHeader::Size),
                  headerBytes(c.flags, QString::fromUtf8("Zażółć><setup.exe|/q").toUtf8(), 10, 2, 12));
    }
}

TEST_F(SfxTest, TextsFillTheHeaderUpTo249Bytes)
{
    const SfxHeader::Settings full{0, QString(200, 'c'), QString(40, 'd'), QString(9, 'e')};
    const std::optional<QByteArray> header = SfxHeader::build(full);
    ASSERT_TRUE(header.has_value());
    EXPECT_EQ(*header, headerBytes(0, QByteArray(200, 'c') + QByteArray(40, 'd') + QByteArray(9, 'e'), 200, 40, 9));
    // One Polish letter more is two bytes more.
    EXPECT_FALSE(SfxHeader::build({0, QString(200, 'c') + QString::fromUtf8("ż"), QString(40, 'd'), QString(8, 'e')}));

    tool.setZipFilename(writeZip("a.zip", ZipBuilder::build({{"a.txt", "a"}})));
    tool.SFXCaption = QString(200, 'c');
    tool.SFXDefaultDir = QString(41, 'd');
    tool.SFXCommandLine = QString(9, 'e');
    EXPECT_EQ(tool.ConvertZipToSfx(), -9);
    EXPECT_EQ(messages.last(), QStringLiteral("Błąd - Całkowity rozmiar trzech właściwości tekstowych przekracza 245!"
                                              "\r\nSFXCaption + SFXDefaultDir + SFXCommandLine = 250"));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("a.exe")));
    EXPECT_TRUE(QFileInfo::exists(dir.filePath("a.zip")));
}

TEST_F(SfxTest, ConvertedArchivePassesUnzipAndTheStubExtractsIt)
{
    QDir(dir.path()).mkpath("src/sub");
    TestSupport::writeFile(dir.filePath("src/readme.txt"), "read me\r\n");
    TestSupport::writeFile(dir.filePath("src/sub/data.bin"), QByteArray(70000, '\x5A'));
    QProcess zip;
    zip.setWorkingDirectory(dir.filePath("src"));
    zip.start("zip", {"-q", "-r", "-z", dir.filePath("Setup.ZIP"), "."});
    zip.write("packed\n.\n");
    zip.closeWriteChannel();
    ASSERT_TRUE(zip.waitForFinished());
    ASSERT_EQ(zip.exitCode(), 0);

    tool.setZipFilename(dir.filePath("Setup.ZIP"));
    const ZipFormat::Directory before = directoryOf(dir.filePath("Setup.ZIP"));
    tool.SFXCaption = "Instalacja";
    ASSERT_EQ(tool.ConvertZipToSfx(), 0);
    const QString program = dir.filePath("Setup.exe");
    EXPECT_EQ(tool.ZipFilename(), program);
    EXPECT_EQ(tool.Count(), int(before.entries.size()));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("Setup.ZIP")));
    EXPECT_TRUE(QFileInfo(program).isExecutable());

    const ZipFormat::Directory after = directoryOf(program);
    ASSERT_EQ(after.entries.size(), before.entries.size());
    EXPECT_TRUE(after.warnings.empty());
    const qint64 front = QFileInfo(SFX_STUB).size() + SfxHeader::Size;
    for (std::size_t i = 0; i < after.entries.size(); ++i)
        EXPECT_EQ(after.entries[i].localHeaderOffset(), before.entries[i].localHeaderOffset() + front);
    EXPECT_EQ(after.end.comment, "packed");
    EXPECT_EQ(tool.ZipComment(), QStringLiteral("packed"));

    EXPECT_EQ(run("unzip", {"-tq", program}), 0);
    QDir(dir.path()).mkpath("out");
    QByteArray printed;
    ASSERT_EQ(run(program, {dir.filePath("out")}, &printed), 0);
    EXPECT_TRUE(printed.contains("caption=Instalacja\n"));
    EXPECT_TRUE(printed.contains("flags=0x00\n"));
    EXPECT_EQ(TestSupport::readFile(dir.filePath("out/readme.txt")), "read me\r\n");
    EXPECT_EQ(TestSupport::readFile(dir.filePath("out/sub/data.bin")), QByteArray(70000, '\x5A'));
}

TEST_F(SfxTest, ArchiveBehindAnUnmovedPrefixBecomesAValidProgram)
{
    const QString zip = writeZip("p.zip", ZipBuilder::build({{"a.txt", "alpha"}, {"b.txt", "bravo"}},
                                                            {.prefix = QByteArray(1000, 'P'), .trailing = "junk"}));
    tool.setZipFilename(zip);
    ASSERT_EQ(tool.Count(), 2);
    ASSERT_EQ(tool.ConvertZipToSfx(), 0);
    const ZipFormat::Directory after = directoryOf(dir.filePath("p.exe"));
    EXPECT_TRUE(after.warnings.empty());
    EXPECT_EQ(after.entries.size(), 2u);
    EXPECT_EQ(QFileInfo(dir.filePath("p.exe")).size(), QFileInfo(SFX_STUB).size() + 256 + QByteArray(1000, 'P').size()
                                                            + ZipBuilder::build({{"a.txt", "alpha"}, {"b.txt", "bravo"}}).size());
    EXPECT_EQ(run("unzip", {"-tq", dir.filePath("p.exe")}), 0);
}

TEST_F(SfxTest, ExtensionsAndRefusals)
{
    struct Case {
        const char *name;
        int result;
        const char *output;
    };
    const Case cases[] = {
        {"lower.zip", 0, "lower.exe"},
        {"Mixed.Zip", 0, "Mixed.exe"},
        {"program.exe", -9, nullptr},
        {"data.dat", -9, nullptr},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        messages.clear();
        tool.setZipFilename(writeZip(c.name, ZipBuilder::build({{"a.txt", "a"}})));
        EXPECT_EQ(tool.ConvertZipToSfx(), c.result);
        if (c.output) {
            EXPECT_TRUE(QFileInfo::exists(dir.filePath(c.output)));
            EXPECT_FALSE(QFileInfo::exists(dir.filePath(c.name)));
        } else {
            EXPECT_EQ(messages, QStringList{QStringLiteral("Błąd: wyjściowy plik nie jest archiwum Zip")});
            EXPECT_TRUE(QFileInfo::exists(dir.filePath(c.name)));
        }
    }
}

TEST_F(SfxTest, StubIsFoundCaseInsensitivelyInTheLibraryFolderOrTheUserFolder)
{
    QDir(dir.path()).mkpath("lib");
    QDir(dir.path()).mkpath("config/ZeltrinSoftware");
    tool.SFXPath = dir.filePath("missing.bin");
    tool.setZipFilename(writeZip("a.zip", ZipBuilder::build({{"a.txt", "a"}})));
    EXPECT_EQ(tool.ConvertZipToSfx(), -9);
    EXPECT_EQ(messages, QStringList{QStringLiteral("Błąd - Nie odnaleziono pliku ZIPSFX.BIN!")});

    ASSERT_TRUE(QFile::copy(SFX_STUB, dir.filePath("config/ZeltrinSoftware/ZipSfx.bin")));
    EXPECT_EQ(tool.ConvertZipToSfx(), 0);
    EXPECT_TRUE(QFileInfo::exists(dir.filePath("a.exe")));

    QFile::remove(dir.filePath("config/ZeltrinSoftware/ZipSfx.bin"));
    TestSupport::writeFile(dir.filePath("lib/zipsfx.BIN"), "#!/bin/sh\n");
    tool.setDLLDirectory(dir.filePath("lib"));
    tool.setZipFilename(writeZip("b.zip", ZipBuilder::build({{"b.txt", "b"}})));
    EXPECT_EQ(tool.ConvertZipToSfx(), 0);
    EXPECT_TRUE(TestSupport::readFile(dir.filePath("b.exe")).startsWith("#!/bin/sh\nMPU"));
}

TEST_F(SfxTest, FailedWriteKeepsTheOldProgramAndTheArchive)
{
    TestSupport::writeFile(dir.filePath("a.exe"), "old program");
    const QString zip = writeZip("a.zip", ZipBuilder::build({{"big.bin", QByteArray(200000, 'z')}}));
    tool.setZipFilename(zip);
    int result = 0;
    {
        TestSupport::FileSizeLimit limit(QFileInfo(SFX_STUB).size() + 50000);
        result = tool.ConvertZipToSfx();
    }
    EXPECT_EQ(result, -2);
    EXPECT_EQ(TestSupport::readFile(dir.filePath("a.exe")), "old program");
    EXPECT_TRUE(QFileInfo::exists(zip));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), (QStringList{"a.exe", "a.zip"}));
}
