#include <datafile/datafile.h>
#include <cp1250.h>
#include <paths.h>
#include <profilefile.h>
#include <safefile.h>
#include <testsupport.h>

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <limits>

#include <unistd.h>

using namespace DataFile;

// Readable failure output.
namespace DataFile {
void PrintTo(const Header &header, std::ostream *out)
{
    *out << "{title \"" << header.title.toStdString() << "\", description \""
         << header.description.toStdString() << "\"}";
}
void PrintTo(const Program &program, std::ostream *out)
{
    *out << "[" << program.name.toStdString() << "]";
    for (const QString *value : {&program.setup, &program.opis, &program.katalog, &program.kopia, &program.numer,
                                 &program.system, &program.rozmiar, &program.info, &program.ambitny,
                                 &program.zrzut})
        *out << " \"" << value->toStdString() << "\"";
}
void PrintTo(const Category &category, std::ostream *out)
{
    PrintTo(Header{category.title, category.description}, out);
    for (const Program &program : category.programs)
        PrintTo(program, out);
}
} // namespace DataFile

namespace {

// Two programs with Polish letters; the second has empty values and a size
// that starts with a blank.
Category polishCategory()
{
    Category category;
    category.title = QStringLiteral("Gry i łamigłówki");
    category.description = QStringLiteral("Opisy\\gry.txt");
    Program turtle;
    turtle.name = QStringLiteral("Żółw");
    turtle.setup = QStringLiteral("PROGS\\ŻÓŁW\\setup.exe");
    turtle.opis = QStringLiteral("Gra o żółwiu");
    turtle.katalog = QStringLiteral("PROGS\\ŻÓŁW\\");
    turtle.kopia = QStringLiteral("ŻÓŁW");
    turtle.system = QStringLiteral("Windows 95");
    turtle.rozmiar = QStringLiteral("1,953 KB");
    turtle.info = QStringLiteral("Zeltrin Software");
    turtle.zrzut = QStringLiteral("PROGS\\ŻÓŁW\\ekran.bmp");
    Program cribSheet;
    cribSheet.name = QStringLiteral("Ściąga");
    cribSheet.rozmiar = QStringLiteral(" KB");
    category.programs = {turtle, cribSheet};
    return category;
}

// polishCategory() as written: Windows-1250, CRLF.
const QByteArray polishCategoryBytes =
    "TITLE=Gry i \xB3" "amig\xB3\xF3" "wki\r\n"
    "DESC=Opisy\\gry.txt\r\n"
    "\r\n"
    "[\xAF\xF3\xB3w]\r\n"
    "SETUP=PROGS\\\xAF\xD3\xA3W\\setup.exe\r\n"
    "OPIS=Gra o \xBF\xF3\xB3wiu\r\n"
    "KATALOG=PROGS\\\xAF\xD3\xA3W\\\r\n"
    "KOPIA=\xAF\xD3\xA3W\r\n"
    "NUMER=\r\n"
    "SYSTEM=Windows 95\r\n"
    "ROZMIAR=1,953 KB\r\n"
    "INFO=Zeltrin Software\r\n"
    "AMBITNY=\r\n"
    "ZRZUT=PROGS\\\xAF\xD3\xA3W\\ekran.bmp\r\n"
    "[\x8C" "ci\xB9" "ga]\r\n"
    "SETUP=\r\n"
    "OPIS=\r\n"
    "KATALOG=\r\n"
    "KOPIA=\r\n"
    "NUMER=\r\n"
    "SYSTEM=\r\n"
    "ROZMIAR=\" KB\"\r\n"
    "INFO=\r\n"
    "AMBITNY=\r\n"
    "ZRZUT=\r\n";

// A literal with the NUL bytes in it.
template<size_t N>
QByteArray withNuls(const char (&text)[N])
{
    return QByteArray(text, N - 1);
}

Program namedProgram(const QString &name)
{
    Program program;
    program.name = name;
    return program;
}

QStringList programNames(const Category &category)
{
    QStringList names;
    for (const Program &program : category.programs)
        names.append(program.name);
    return names;
}

class DataFileTest : public ::testing::Test
{
protected:
    QString path(const QString &name = QStringLiteral("KATEGORIA.RV3")) const { return dir.filePath(name); }
    QString fileWith(const QByteArray &bytes) const { return TestSupport::writeFile(path(), bytes); }
    Category readBack(const QByteArray &bytes) const
    {
        const ReadResult result = read(fileWith(bytes));
        EXPECT_TRUE(result.ok()) << result.message.toStdString();
        return result.category;
    }

    QTemporaryDir dir;
};

} // namespace

TEST_F(DataFileTest, WritesHeaderAndTenKeysPerProgramInWindows1250WithCrLf)
{
    const Result result = write(path(), polishCategory());
    ASSERT_TRUE(result.ok()) << result.message.toStdString();
    EXPECT_EQ(TestSupport::readFile(path()), polishCategoryBytes);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("KATEGORIA.RV3")})
        << "no temporary file is left behind";
}

TEST_F(DataFileTest, ReadsBackWhatWasWritten)
{
    const ReadResult result = read(fileWith(polishCategoryBytes));
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result.category, polishCategory());
    EXPECT_EQ(readHeader(path()), (Header{polishCategory().title, polishCategory().description}));
}

TEST_F(DataFileTest, ValuesThatTheProfileRulesWouldAlterReadBackUnchanged)
{
    const QStringList values = {
        QStringLiteral(" KB"), QStringLiteral("trailing blank "), QStringLiteral("\"quoted\""),
        QStringLiteral("'single'"), QStringLiteral("\"half"), QStringLiteral("a=b=c"),
        QStringLiteral(";not a comment"), QStringLiteral("[not a section]"), QStringLiteral("\t tab "),
        QStringLiteral("\" \""),
    };
    Category category;
    category.title = QStringLiteral(" Tytuł z odstępem ");
    category.description = QStringLiteral("=DESC");
    for (const QString &value : values) {
        Program program = namedProgram(QStringLiteral("Program %1").arg(category.programs.size()));
        program.opis = program.numer = program.zrzut = value;
        category.programs.append(program);
    }
    ASSERT_TRUE(write(path(), category).ok());
    const ReadResult result = read(path());
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result.category, category);
}

TEST_F(DataFileTest, LineBreaksInValuesBecomeBlanks)
{
    Category category;
    category.title = QStringLiteral("Gry\r\nTITLE=inne");
    category.programs = {namedProgram(QStringLiteral("Gra"))};
    category.programs[0].opis = QStringLiteral("pierwsza\nKATALOG=C:\\");
    ASSERT_TRUE(write(path(), category).ok());
    const Category back = read(path()).category;
    EXPECT_EQ(back.title, QStringLiteral("Gry  TITLE=inne"));
    EXPECT_EQ(back.programs.value(0).opis, QStringLiteral("pierwsza KATALOG=C:\\"));
    EXPECT_EQ(back.programs.value(0).katalog, QString());
}

TEST_F(DataFileTest, SavingFewerProgramsLeavesNoneOfTheOld)
{
    Category category;
    for (int i = 0; i < 10; ++i)
        category.programs.append(namedProgram(QStringLiteral("Program %1").arg(i)));
    ASSERT_TRUE(write(path(), category).ok());
    category.programs.remove(2, 3);
    category.title = QStringLiteral("Nowy");
    ASSERT_TRUE(write(path(), category).ok());
    EXPECT_EQ(read(path()).category, category);
    EXPECT_EQ(TestSupport::readFile(path()).count('['), 7);
}

TEST_F(DataFileTest, HeaderLines)
{
    struct Case {
        const char *name;
        QByteArray bytes;
        Header expected;
    };
    const Case cases[] = {
        {"first of each wins", "TITLE=Gry\r\nDESC=Opisy\\gry.txt\r\n\r\n[A]\r\nTITLE=Inne\r\nDESC=Inny\r\n",
         {QStringLiteral("Gry"), QStringLiteral("Opisy\\gry.txt")}},
        {"any letter case, any order", "desc=Opis\r\nTitle=Gry\r\n", {QStringLiteral("Gry"), QStringLiteral("Opis")}},
        {"only LF line ends", "TITLE=Gry\nDESC=Opis\n", {QStringLiteral("Gry"), QStringLiteral("Opis")}},
        {"name is the text before the first =", "TITLE==x=\r\nDESCRIPTION=no\r\n", {QStringLiteral("=x="), {}}},
        {"blanks around the name make another name", " TITLE=no\r\nTITLE =no\r\n", {}},
        {"value kept as it stands", "TITLE= \"Gry\" \r\n", {QStringLiteral(" \"Gry\" "), {}}},
        {"no header, as the music scan writes", "[Song]\r\nSETUP=MUZYKA\\Song.mp3\r\n", {}},
        {"no last line end", "DESC=Opis", {{}, QStringLiteral("Opis")}},
        {"Windows-1250 text", "TITLE=\xA3\xF3" "d\x9F\r\n", {QStringLiteral("Łódź"), {}}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const Category category = readBack(c.bytes);
        EXPECT_EQ((Header{category.title, category.description}), c.expected);
        EXPECT_EQ(readHeader(path()), c.expected);
    }
}

TEST_F(DataFileTest, FileWithoutSectionsHasNoPrograms)
{
    const Category category = readBack("TITLE=Pusta\r\nDESC=\r\n\r\n");
    EXPECT_EQ(category.title, QStringLiteral("Pusta"));
    EXPECT_TRUE(category.programs.isEmpty());
    EXPECT_TRUE(readBack("").programs.isEmpty());
}

TEST_F(DataFileTest, MissingOrUnreadableFileIsAReadError)
{
    for (const QString &missing : {path(QStringLiteral("BRAK.RV3")), dir.path()}) {
        const ReadResult result = read(missing);
        EXPECT_FALSE(result.ok());
        EXPECT_EQ(result.message, QStringLiteral("Wystąpił błąd odczytu!"));
        EXPECT_EQ(result.category, Category());
        EXPECT_EQ(readHeader(missing), Header());
    }
}

TEST_F(DataFileTest, DuplicateSectionsGiveOneProgramWithTheFirstValues)
{
    const Category category = readBack("[Gra]\r\nSETUP=pierwszy.exe\r\n"
                                       "[Edytor]\r\nSETUP=edytor.exe\r\n"
                                       "[GRA]\r\nSETUP=drugi.exe\r\nNUMER=123\r\n"
                                       "[Gra]\r\nSETUP=trzeci.exe\r\n");
    EXPECT_EQ(programNames(category), (QStringList{QStringLiteral("Gra"), QStringLiteral("Edytor")}));
    EXPECT_EQ(category.programs[0].setup, QStringLiteral("pierwszy.exe"));
    EXPECT_EQ(category.programs[0].numer, QString());
}

// The data file is read in one pass; the runtime reads the same file through
// the profile file. Both must see the same programs and values.
void expectReadAsTheProfileFileReads(const QString &path)
{
    const ReadResult result = read(path);
    ASSERT_TRUE(result.ok());
    const Platform::ProfileFile ini(path);
    QStringList names;
    for (const Program &program : result.category.programs)
        names.append(program.name);
    EXPECT_EQ(names, ini.sectionNames());
    const QStringList keys = {Keys::Setup, Keys::Opis, Keys::Katalog, Keys::Kopia, Keys::Numer,
                              Keys::System, Keys::Rozmiar, Keys::Info, Keys::Ambitny, Keys::Zrzut};
    for (const Program &program : result.category.programs) {
        const QStringList values = {program.setup, program.opis, program.katalog, program.kopia, program.numer,
                                    program.system, program.rozmiar, program.info, program.ambitny,
                                    program.zrzut};
        for (int i = 0; i < keys.size(); ++i)
            EXPECT_EQ(values[i], ini.readString(program.name, keys[i], {})) << program.name.toStdString() << "/"
                                                                            << keys[i].toStdString();
    }
}

TEST_F(DataFileTest, ReadsAsTheProfileFileReads)
{
    const QByteArray bytes = Platform::toCp1250(QStringLiteral("SETUP=przed.exe\r\n; komentarz\r\n"
                             "[Gra]\r\n;SETUP=ukryty.exe\r\n SETUP = ' spacje ' \r\nSETUP=drugi.exe\r\n=pusty\r\n"
                             "bez znaku\r\nOPIS=\"cytat\"\r\n"
                             "  [ Z]nawiasem] ]  \r\nNUMER=1\r\n"
                             "[gRA]\r\nINFO=powtórka\r\n"
                             "[Łódź]\nKATALOG=ŁÓDŹ\\\nkatalog=inny\n[ŁÓDŹ]\nZRZUT=x.bmp\n"));
    const QString path = TestSupport::writeFile(dir.filePath(QStringLiteral("PROFIL.RV3")), bytes);
    expectReadAsTheProfileFileReads(path);
    EXPECT_EQ(read(path).category.programs.size(), 3);
}

// A long file whose first block holds a single program, so the room taken
// after it is far too small; names repeat in other letter case far apart, and
// values repeat from program to program, change, and go missing.
TEST_F(DataFileTest, ManyProgramsReadAsTheProfileFileReads)
{
    QString text = QStringLiteral("[Wstęp]\r\nOPIS=") + QString(Platform::FileBlockSize, u'o') + QStringLiteral("\r\n");
    for (int i = 0; i < 3000; ++i) {
        const bool repeat = i % 7 == 6;
        text += repeat ? QStringLiteral("[PROGRAM ŻÓŁW %1]\r\n").arg(i - 3) : QStringLiteral("[Program żółw %1]\r\n").arg(i);
        text += QStringLiteral("SETUP=setup%1.exe\r\n").arg(i);
        if (i % 5 != 4)
            text += QStringLiteral("SYSTEM=Windows %1\r\n").arg(i / 10);
        text += QStringLiteral("INFO=Zeltrin\r\n");
    }
    const QString path = TestSupport::writeFile(dir.filePath(QStringLiteral("DUZY.RV3")), Platform::toCp1250(text));
    expectReadAsTheProfileFileReads(path);
    const Category category = read(path).category;
    EXPECT_EQ(category.programs.size(), 1 + 3000 - 3000 / 7);
    EXPECT_EQ(category.findProgram(QStringLiteral("program żółw 3"))->setup, QStringLiteral("setup3.exe"));
}

// Files are read a block at a time: a line cut by the end of a block reads
// as any other wherever the cut falls (between "\r" and "\n" too), as do a
// line longer than a block and a last line without a line end.
TEST_F(DataFileTest, LinesCutByTheEndOfABlockReadWhole)
{
    const qsizetype block = Platform::FileBlockSize;
    const QByteArray longValue(2 * block - 40, 'o');
    const QByteArray head = "TITLE=Gry\r\n;";
    const QByteArray tail = "[Gra]\r\nSETUP=setup.exe\r\nDESC=opis.txt\r\nOPIS=" + longValue + "\r\nZRZUT=ekran.bmp";
    Program expected = namedProgram(QStringLiteral("Gra"));
    expected.setup = QStringLiteral("setup.exe");
    expected.opis = QString::fromLatin1(longValue);
    expected.zrzut = QStringLiteral("ekran.bmp");
    for (qsizetype cut = 1; cut <= 45; ++cut) {
        SCOPED_TRACE(cut);
        // The first block ends cut bytes into the tail.
        const QByteArray padding(block - head.size() - 2 - cut, 'x');
        const QString file = fileWith(head + padding + "\r\n" + tail);
        const ReadResult result = read(file);
        ASSERT_TRUE(result.ok());
        EXPECT_EQ(result.category.title, QStringLiteral("Gry"));
        EXPECT_EQ(result.category.description, QStringLiteral("opis.txt"));
        ASSERT_EQ(result.category.programs.size(), 1);
        EXPECT_EQ(result.category.programs[0], expected);
        EXPECT_EQ(readHeader(file), (Header{QStringLiteral("Gry"), QStringLiteral("opis.txt")}));
    }
}

TEST_F(DataFileTest, KeysMatchInAnyCaseAndOrderAndMissingOnesReadEmpty)
{
    const Category category = readBack("[Stary]\nzrzut=a.bmp\nRozmiar=12 KB\n  opis  =  Opis  \nSetup=\n"
                                       "NIEZNANY=x\nKatalog=STARY\\\nKATALOG=drugi\\\n");
    ASSERT_EQ(category.programs.size(), 1);
    Program expected = namedProgram(QStringLiteral("Stary"));
    expected.zrzut = QStringLiteral("a.bmp");
    expected.rozmiar = QStringLiteral("12 KB");
    expected.opis = QStringLiteral("Opis");
    expected.katalog = QStringLiteral("STARY\\");
    EXPECT_EQ(category.programs[0], expected);
    EXPECT_EQ(category.findProgram(QStringLiteral("STARY")), &category.programs[0]);
    EXPECT_EQ(category.findProgram(QStringLiteral("Nowy")), nullptr);
}

TEST_F(DataFileTest, BadInputNeverCrashes)
{
    QByteArray noise(4096, '\0');
    QRandomGenerator random(1250);
    for (char &byte : noise)
        byte = char(random.bounded(256));
    const QByteArray inputs[] = {
        noise,
        QByteArray(1000, '\0'),
        QByteArray(100000, '['),
        QByteArray(100000, '='),
        "[]\r\n[\r\n]\r\n[ ]\r\n=\r\n==\r\n\r\r\r\n",
        withNuls("TITLE=\0DESC=\0[A\0]\r\nSETUP=\0x\r\n\0\0"),
        "\xEF\xBB\xBFTITLE=bom\r\n[A]\r\nOPIS=\x81\x83\x88\x90\x98\r\n",
    };
    for (const QByteArray &bytes : inputs) {
        const ReadResult result = read(fileWith(bytes));
        EXPECT_TRUE(result.ok());
        readHeader(path());
    }

    // Every truncation of a good file: the programs whose header line is
    // complete, in order.
    const Category full = polishCategory();
    for (qsizetype length = 0; length <= polishCategoryBytes.size(); ++length) {
        const Category category = readBack(polishCategoryBytes.left(length));
        ASSERT_LE(category.programs.size(), full.programs.size());
        for (qsizetype i = 0; i < category.programs.size(); ++i)
            EXPECT_EQ(category.programs[i].name, full.programs[i].name) << "length " << length;
        EXPECT_TRUE(full.title.startsWith(category.title)) << "length " << length;
    }
}

TEST_F(DataFileTest, NamesThatWouldNotReadBackAreRefusedAndTheOldFileStays)
{
    struct Case {
        QStringList names;
        QString message;
    };
    const Case cases[] = {
        {{QStringLiteral("Gra]2")},
         QStringLiteral("Nazwa programu \"Gra]2\" nie może zawierać znaku \"]\" - zmień nazwę i spróbuj ponownie!")},
        {{QStringLiteral("Gra"), QStringLiteral(" Edytor")},
         QStringLiteral("Nazwa programu \" Edytor\" nie może zaczynać się ani kończyć spacją - zmień nazwę i "
                        "spróbuj ponownie!")},
        {{QStringLiteral("Edytor ")},
         QStringLiteral("Nazwa programu \"Edytor \" nie może zaczynać się ani kończyć spacją - zmień nazwę i "
                        "spróbuj ponownie!")},
        {{QStringLiteral("Gra"), QStringLiteral("Edytor"), QStringLiteral("GRA")},
         QStringLiteral("Nie można zapisać dwóch programów o nazwach różniących się tylko wielkością liter "
                        "(\"Gra\" i \"GRA\") - zmień jedną z nazw i spróbuj ponownie!")},
        {{QStringLiteral("Żółw"), QStringLiteral("ŻÓŁW")},
         QStringLiteral("Nie można zapisać dwóch programów o nazwach różniących się tylko wielkością liter "
                        "(\"Żółw\" i \"ŻÓŁW\") - zmień jedną z nazw i spróbuj ponownie!")},
        {{QStringLiteral("Gra"), QStringLiteral("Gra")},
         QStringLiteral("Nie można zapisać dwóch programów o identycznych nazwach (\"Gra\") - zmień jedną z "
                        "nazw i spróbuj ponownie!")},
        {{QString()},
         QStringLiteral("Program bez nazwy nie może zostać zapisany - wpisz nazwę i spróbuj ponownie!")},
        {{QStringLiteral("Dwa\nwiersze")},
         QStringLiteral("Nazwa programu \"Dwa\nwiersze\" zawiera znaki, których nie można zapisać w pliku "
                        "danych - zmień nazwę i spróbuj ponownie!")},
        {{QStringLiteral("Gra 漢字")},
         QStringLiteral("Nazwa programu \"Gra 漢字\" zawiera znaki, których nie można zapisać w pliku danych - "
                        "zmień nazwę i spróbuj ponownie!")},
    };
    const QString file = fileWith(polishCategoryBytes);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.names.join(u'|').toStdString());
        Category category;
        for (const QString &name : c.names)
            category.programs.append(namedProgram(name));
        EXPECT_EQ(write(file, category).message, c.message);
        EXPECT_EQ(TestSupport::readFile(file), polishCategoryBytes);
    }
}

TEST_F(DataFileTest, UnusualNamesThatDoReadBackAreWritten)
{
    Category category;
    for (const char16_t *name : {u"[Gra", u"a=b", u";Gra", u"Gra [2", u"Zażółć gęślą jaźń", u"#3"})
        category.programs.append(namedProgram(QString::fromUtf16(name)));
    ASSERT_TRUE(write(path(), category).ok());
    EXPECT_EQ(read(path()).category, category);
}

TEST_F(DataFileTest, WriteErrorsAreReported)
{
    const QString intoMissingFolder = path(QStringLiteral("BRAK/KATEGORIA.RV3"));
    // The system's reason, in Polish, on the line after the message.
    const QString missing = write(intoMissingFolder, polishCategory()).message;
    EXPECT_TRUE(missing.startsWith(QStringLiteral("Wystąpił błąd zapisu pliku:\n\"%1\"\n").arg(intoMissingFolder)));
    EXPECT_TRUE(missing.contains(QStringLiteral("Nie ma takiego pliku ani katalogu"))) << missing.toStdString();
    EXPECT_FALSE(QFile::exists(intoMissingFolder));

    const QString folder = path(QStringLiteral("KATALOG.RV3"));
    ASSERT_TRUE(QDir().mkpath(folder));
    EXPECT_FALSE(write(folder, polishCategory()).ok());
    EXPECT_TRUE(QFileInfo(folder).isDir());
}

// A full disk shows as a short write: the old data file keeps its bytes and
// the editor hears of the failure.
TEST_F(DataFileTest, AFullDiskKeepsTheOldFileAndIsReported)
{
    Category big = polishCategory();
    for (int i = 0; i < 600; ++i)
        big.programs.append(namedProgram(QStringLiteral("Program %1").arg(i)));
    ASSERT_TRUE(write(path(), big).ok());
    const QByteArray before = TestSupport::readFile(path());
    ASSERT_GT(before.size(), 45'000);

    big.programs.append(namedProgram(QStringLiteral("Jeszcze jeden")));
    Result result;
    {
        TestSupport::FileSizeLimit fullDisk(45'000);
        result = write(path(), big);
    }
    EXPECT_TRUE(result.message.startsWith(QStringLiteral("Wystąpił błąd zapisu pliku:\n\"%1\"\n").arg(path())));
    EXPECT_TRUE(result.message.contains(QStringLiteral("Plik jest za duży"))) << result.message.toStdString();
    EXPECT_EQ(TestSupport::readFile(path()), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("KATEGORIA.RV3")});
}

// A FIFO would hang the reader in open(), a link to /dev/zero would make it
// read without end: neither is a data file.
TEST_F(DataFileTest, SpecialFilesAreReadErrors)
{
    for (const auto &[special, file] : TestSupport::makeSpecialFiles(path(QStringLiteral("special")))) {
        SCOPED_TRACE(special.toStdString());
        alarm(20); // a hang ends the test program
        EXPECT_EQ(read(file).message, QStringLiteral("Wystąpił błąd odczytu!"));
        EXPECT_EQ(readHeader(file), Header());
        alarm(0);
    }
}

TEST(DataFileSize, FormatsKilobytesWithGroupedDigits)
{
    struct Case {
        qint64 bytes;
        const char *separator;
        const char *expected;
    };
    const Case cases[] = {
        {0, ",", " KB"},
        {511, ",", " KB"},
        {512, ",", "1 KB"},
        {1536, ",", "2 KB"},
        {999 * 1024, ",", "999 KB"},
        {1000 * 1024, ",", "1,000 KB"},
        {1048576, ",", "1,024 KB"},
        {2000000, ",", "1,953 KB"},
        {2000000, ".", "1.953 KB"},
        {5LL * 1024 * 1024 * 1024, ",", "5,242,880 KB"},
        {std::numeric_limits<qint64>::max(), ",", "9,007,199,254,740,992 KB"},
        {-5000, ",", " KB"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(formatSize(c.bytes, QString::fromLatin1(c.separator)), QString::fromLatin1(c.expected)) << c.bytes;
    EXPECT_EQ(formatSize(2000000, QStringLiteral("\u00A0")), QStringLiteral("1\u00A0953 KB"));
}

TEST(DataFileSize, SumsAllFilesOfAllSubfoldersPastFourGigabytes)
{
    QTemporaryDir dir;
    EXPECT_EQ(totalFileSize(dir.path()), 0);
    EXPECT_EQ(formatSize(totalFileSize(dir.path()), QStringLiteral(",")), QStringLiteral(" KB"));

    TestSupport::writeFile(dir.filePath(QStringLiteral("setup.exe")), QByteArray(1000, 'x'));
    TestSupport::writeFile(dir.filePath(QStringLiteral("DISK1/a.cab")), QByteArray(500, 'x'));
    TestSupport::writeFile(dir.filePath(QStringLiteral("DISK1/SUB/.ukryty")), QByteArray(36, 'x'));
    QDir().mkpath(dir.filePath(QStringLiteral("PUSTY")));
    EXPECT_EQ(totalFileSize(dir.path()), 1536);

    // A sparse file takes no room on disk but counts with its full size.
    QFile big(dir.filePath(QStringLiteral("DISK2/big.cab")));
    QDir().mkpath(dir.filePath(QStringLiteral("DISK2")));
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    if (!big.resize(5LL * 1024 * 1024 * 1024))
        GTEST_SKIP() << "no room for a 5 GB sparse file here";
    big.close();
    EXPECT_EQ(totalFileSize(dir.path()), 5LL * 1024 * 1024 * 1024 + 1536);
}

// A program folder deeper than a path may be long (a disk search finds
// such) is counted, and so is what lies deeper than that below a folder;
// links count nothing.
TEST(DataFileSize, FoldersDeeperThanAPathMayBeLongAreCountedWhole)
{
    QTemporaryDir dir;
    const QByteArray name(60, 'd');
    const TestSupport::DeepTree tree(dir.path(), name, 80, {{2, 100}, {40, 1000}, {80, 3000}});
    ASSERT_TRUE(tree.ok());
    ASSERT_TRUE(QFile::link(tree.folder(2) + "setup.exe", tree.folder(1) + "link.exe"));
    ASSERT_TRUE(QFile::link(dir.path(), tree.folder(1) + "up"));
    ASSERT_GT(tree.folder(70).size(), 4096);
    const struct {
        int level;
        qint64 total;
    } cases[] = {{0, 4100}, {1, 4100}, {3, 4000}, {41, 3000}, {70, 3000}, {80, 3000}};
    for (const auto &c : cases)
        EXPECT_EQ(totalFileSize(tree.folder(c.level)), c.total) << c.level;
    EXPECT_EQ(totalFileSize(tree.folder(81)), 0);
}

TEST(DataFilePaths, ProgramFolderIsStoredWithoutItsDrive)
{
    QTemporaryDir dir;
    const QString writerRoot = dir.filePath(QStringLiteral("E")) + u'/';
    const QString readerRoot = dir.filePath(QStringLiteral("D")) + u'/';
    QDir().mkpath(writerRoot + QStringLiteral("PROGS/EDIT"));
    QDir().mkpath(readerRoot + QStringLiteral("progs/edit"));

    const QString stored = storedFolderPath(writerRoot, writerRoot + QStringLiteral("PROGS/EDIT/"));
    EXPECT_EQ(stored, QStringLiteral("PROGS\\EDIT\\"));
    EXPECT_EQ(storedFolderPath(writerRoot, writerRoot + QStringLiteral("PROGS/EDIT")), stored);
    EXPECT_EQ(Platform::resolveStoredPath(readerRoot, stored), readerRoot + QStringLiteral("progs/edit"));
}
