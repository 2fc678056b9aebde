// The designer's check of a data file of 10,000 programs, each with five
// stored paths (50,000 values in 100 folders, half of them missing), beside
// the bare cost of the same work done naively: reading the file and one
// stat() of each value's exact path. The ratio printed at the end is the
// check's time over that yardstick's, both measured in this run and
// compared by their best of five.
#include <support/benchsupport.h>

#include <checker/datafilechecker.h>
#include <datafile/datafile.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <sys/stat.h>

namespace {

constexpr int kPrograms = 10000;
constexpr int kFolders = 100;

// A drive with the data file and every second file it names.
struct Drive {
    QTemporaryDir dir{QDir::currentPath() + QStringLiteral("/bench-checker-XXXXXX")};
    QString root() const { return dir.path() + u'/'; }
    QString dataFile() const { return root() + QStringLiteral("DANE/DUZY.RV3"); }

    Drive()
    {
        QDir().mkpath(root() + QStringLiteral("DANE"));
        QFile(root() + QStringLiteral("AUTORUN.INF")).open(QIODevice::WriteOnly);
        DataFile::Category category;
        category.title = QStringLiteral("Wielka kategoria");
        category.description = QStringLiteral("OPISY\\KATEGORIA.TXT");
        for (int i = 0; i < kPrograms; ++i)
            category.programs.append(program(i));
        if (!DataFile::write(dataFile(), category).ok())
            qFatal("the data file could not be written");
    }

    // Half of the values of each kind name what is there.
    DataFile::Program program(int i)
    {
        const QString folder = QStringLiteral("PROGS\\P%1\\").arg(i % kFolders, 3, 10, QLatin1Char('0'));
        QDir().mkpath(root() + QString(folder).replace(u'\\', u'/'));
        const bool even = i % 2 == 0;
        DataFile::Program program;
        program.name = QStringLiteral("Program %1").arg(i);
        program.setup = file(folder + QStringLiteral("setup%1.exe").arg(i), even);
        program.katalog = even ? folder : folder + QStringLiteral("BRAK%1\\").arg(i);
        program.opis = file(folder + QStringLiteral("opis%1.txt").arg(i), !even);
        program.ambitny = file(folder + QStringLiteral("dodatek%1.txt").arg(i), even);
        program.zrzut = file(folder + QStringLiteral("ekran%1.bmp").arg(i), !even);
        program.system = QStringLiteral("Windows 95");
        return program;
    }

    QString file(const QString &stored, bool made)
    {
        if (made)
            QFile(root() + QString(stored).replace(u'\\', u'/')).open(QIODevice::WriteOnly);
        return stored;
    }
};

Drive &drive()
{
    static Drive made;
    return made;
}

void BM_CheckDataFile(benchmark::State &state)
{
    const Drive &d = drive();
    for (auto _ : state) {
        const DataFileChecker::Outcome outcome = DataFileChecker::check(d.dataFile(), d.root());
        if (outcome.report.programs.size() != kPrograms)
            state.SkipWithError("every program has a missing value");
        benchmark::DoNotOptimize(outcome);
    }
}

// The yardstick: the file read, then each value's exact path looked at once.
void BM_ReadAndStat(benchmark::State &state)
{
    const Drive &d = drive();
    const QString root = d.root();
    for (auto _ : state) {
        const DataFile::ReadResult read = DataFile::read(d.dataFile());
        int missing = 0;
        for (const DataFile::Program &program : read.category.programs) {
            for (const DataFile::PathValuedKey &key : DataFile::pathValuedKeys()) {
                const QString value = DataFile::valueOf(program, key.key);
                struct stat status {};
                const QByteArray name = QFile::encodeName(root + QString(value).replace(u'\\', u'/'));
                missing += ::stat(name.constData(), &status) != 0;
            }
        }
        if (missing != kPrograms * 5 / 2)
            state.SkipWithError("not half of the values are missing");
        benchmark::DoNotOptimize(missing);
    }
}

BENCHMARK(BM_CheckDataFile)->Unit(benchmark::kMillisecond)->Apply(BenchSupport::bestOfFive);
BENCHMARK(BM_ReadAndStat)->Unit(benchmark::kMillisecond)->Apply(BenchSupport::bestOfFive);

} // namespace

int main(int argc, char **argv)
{
    BenchSupport::RatioReporter reporter({BenchSupport::RatioReporter::Pair{"BM_CheckDataFile", "BM_ReadAndStat"}});
    return BenchSupport::runWithApplication(argc, argv, &reporter);
}
