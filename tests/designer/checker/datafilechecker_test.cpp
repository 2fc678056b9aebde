#include "checkerfixture.h"

#include <checker/datafilechecker.h>

#include <paths.h>

using DataFile::PathKind;

class DataFileCheck : public CheckerFixture
{
};

TEST_F(DataFileCheck, EachKindOfValueIsJudgedByWhatItNames)
{
    const struct {
        PathKind kind;
        const char *value;
        bool sound;
    } cases[] = {
        {PathKind::File, "", true},
        {PathKind::Folder, "", true},
        {PathKind::FileOrText, "", true},
        {PathKind::File, "PROGS\\Gra\\Setup.exe", true},
        {PathKind::File, "progs\\GRA\\SETUP.EXE", true},
        {PathKind::File, "D:\\PROGS\\GRA\\SETUP.EXE", true},
        {PathKind::File, "..\\..\\PROGS\\Gra\\Setup.exe", true},
        {PathKind::File, "PROGS\\Gra\\missing.exe", false},
        {PathKind::File, "PROGS\\Gra\\", false},
        {PathKind::Folder, "PROGS\\GRA\\", true},
        {PathKind::Folder, "progs\\gra", true},
        {PathKind::Folder, "PROGS\\Gra\\Setup.exe", false},
        {PathKind::Folder, "PROGS\\Brak\\", false},
        {PathKind::File, "INSIDE\\setup.exe", true},
        {PathKind::Folder, "inside", true},
        {PathKind::File, "OUT\\secret.txt", false},
        {PathKind::Folder, "OUT", false},
        {PathKind::File, "SPECIAL\\FIFO", false},
        {PathKind::File, "SPECIAL\\fifolink", false},
        {PathKind::File, "SPECIAL\\zero", false},
        {PathKind::FileOrText, "OPISY\\GRA.TXT", true},
        {PathKind::FileOrText, "Informacje z pliku File_ID.DIZ nie są dostępne", true},
        {PathKind::FileOrText, "INFORMACJE z PLIKU file_id.diz NIE SĄ DOSTĘPNE", true},
        {PathKind::FileOrText, "Informacje z pliku File_ID.DIZ nie są dostępne.", false},
        {PathKind::FileOrText, "Gra dla całej rodziny", false},
        {PathKind::File, "Informacje z pliku File_ID.DIZ nie są dostępne", false},
    };
    Platform::StoredPathResolver resolver(drivePath());
    for (const auto &c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(DataFileChecker::isSound(c.kind, QString::fromUtf8(c.value), resolver), c.sound);
    }
}

TEST_F(DataFileCheck, ListsTheFaultyProgramsWithTheirFaultyValues)
{
    const QString file = writeDataFile(
        QStringLiteral("DANE/GRY.RV3"), QStringLiteral("opisy\\gry.txt"),
        {
            {QStringLiteral("Dobra gra"),
             {QStringLiteral("SETUP=PROGS\\Gra\\Setup.exe"), QStringLiteral("KATALOG=PROGS\\Gra\\"),
              QStringLiteral("OPIS=OPISY\\gra.txt"), QStringLiteral("AMBITNY="), QStringLiteral("ZRZUT=progs\\gra\\EKRAN.BMP"),
              QStringLiteral("NUMER=nie jest ścieżką")}},
            {QStringLiteral("Zła gra"),
             {QStringLiteral("SETUP=PROGS\\Gra\\"), QStringLiteral("KATALOG=PROGS\\Gra\\Setup.exe"),
              QStringLiteral("OPIS=Gra dla całej rodziny"), QStringLiteral("AMBITNY=OUT\\secret.txt"),
              QStringLiteral("ZRZUT=PROGS\\Gra\\usuniety.bmp")}},
            {QStringLiteral("Bez zrzutu"), {QStringLiteral("ZRZUT=PROGS\\Gra\\usuniety.bmp")}},
        });

    const DataFileChecker::Outcome outcome = DataFileChecker::check(file, drivePath());

    ASSERT_TRUE(outcome.ok());
    const DataFileChecker::Report &report = outcome.report;
    EXPECT_TRUE(report.faultyDescription.isEmpty());
    ASSERT_EQ(report.programs.size(), 2);
    EXPECT_EQ(report.programs[0].name, QStringLiteral("Zła gra"));
    const QList<std::pair<QString, QString>> expected = {
        {QStringLiteral("SETUP"), QStringLiteral("PROGS\\Gra\\")},
        {QStringLiteral("KATALOG"), QStringLiteral("PROGS\\Gra\\Setup.exe")},
        {QStringLiteral("OPIS"), QStringLiteral("Gra dla całej rodziny")},
        {QStringLiteral("AMBITNY"), QStringLiteral("OUT\\secret.txt")},
        {QStringLiteral("ZRZUT"), QStringLiteral("PROGS\\Gra\\usuniety.bmp")},
    };
    ASSERT_EQ(report.programs[0].faults.size(), expected.size());
    for (qsizetype i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(report.programs[0].faults[i].key, expected[i].first);
        EXPECT_EQ(report.programs[0].faults[i].value, expected[i].second);
    }
    EXPECT_EQ(report.programs[1].name, QStringLiteral("Bez zrzutu"));
    EXPECT_EQ(report.programs[1].valueOf(QStringLiteral("zrzut")), QStringLiteral("PROGS\\Gra\\usuniety.bmp"));
    EXPECT_TRUE(report.programs[1].valueOf(QStringLiteral("SETUP")).isEmpty());
    EXPECT_EQ(report.find(QStringLiteral("BEZ ZRZUTU")), &report.programs[1]);
    EXPECT_EQ(report.find(QStringLiteral("Dobra gra")), nullptr);
    EXPECT_FALSE(report.sound());
}

// The description is the file's: a text there is reported once, for the
// file, and marks none of the programs.
TEST_F(DataFileCheck, TheDescriptionIsJudgedOncePerFile)
{
    const QList<std::pair<QString, QStringList>> soundPrograms = {
        {QStringLiteral("Gra"), {QStringLiteral("SETUP=PROGS\\Gra\\Setup.exe")}},
        {QStringLiteral("Druga"), {QStringLiteral("KATALOG=PROGS\\Gra\\")}},
    };
    const struct {
        const char *description;
        bool sound;
    } cases[] = {
        {"", true},
        {"OPISY\\GRY.TXT", true},
        {"Najlepsze gry na płycie", false},
        {"OPISY\\brak.txt", false},
        {"OPISY", false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.description);
        const QString description = QString::fromUtf8(c.description);
        const QString file = writeDataFile(QStringLiteral("DANE/GRY.RV3"), description, soundPrograms);

        const DataFileChecker::Outcome outcome = DataFileChecker::check(file, drivePath());

        ASSERT_TRUE(outcome.ok());
        EXPECT_TRUE(outcome.report.programs.isEmpty());
        EXPECT_EQ(outcome.report.faultyDescription, c.sound ? QString() : description);
        EXPECT_EQ(outcome.report.sound(), c.sound);
    }
}

TEST_F(DataFileCheck, AFileThatCannotBeReadGivesItsMessage)
{
    const QList<std::pair<const char *, QString>> cases = {
        {"missing", drivePath(QStringLiteral("DANE/BRAK.RV3"))},
        {"FIFO", drivePath(QStringLiteral("SPECIAL/fifo"))},
        {"folder", drivePath(QStringLiteral("PROGS"))},
    };
    for (const auto &[name, file] : cases) {
        SCOPED_TRACE(name);
        const DataFileChecker::Outcome outcome = DataFileChecker::check(file, drivePath());
        EXPECT_EQ(outcome.message, QStringLiteral("Brak dostępu do wybranego pliku: \"%1\"!").arg(file));
        EXPECT_TRUE(outcome.report.programs.isEmpty());
    }
}
