// Cost of reading a data file, per program, at several sizes, beside the
// cost of only building the same programs in memory. The times shown are
// per program; the ratios printed at the end tell how each grows from 1,000
// to 100,000 programs, so a reader that stays linear grows no faster than
// the bare building of its result (whose strings outgrow the caches). Each
// is run five times and compared by its best run.
#include <support/benchsupport.h>
#include <datafile/datafile.h>

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

DataFile::Category makeCategory(int programCount)
{
    DataFile::Category category;
    category.title = QStringLiteral("Programy użytkowe");
    category.description = QStringLiteral("OPISY\\UZYTKOWE.TXT");
    category.programs.reserve(programCount);
    for (int i = 0; i < programCount; ++i) {
        const QString folder = QStringLiteral("PROGS\\PROGRAM%1\\").arg(i);
        DataFile::Program program;
        program.name = QStringLiteral("Program nr %1 – żółć").arg(i);
        program.setup = folder + QStringLiteral("setup.exe");
        program.opis = folder + QStringLiteral("File_ID.DIZ");
        program.katalog = folder;
        program.kopia = QStringLiteral("PROGRAM%1").arg(i);
        program.numer = QStringLiteral("SN-%1").arg(i * 7919);
        program.system = QStringLiteral("Windows 95 & Windows NT 4.0");
        program.rozmiar = DataFile::formatSize(qint64(i) * 4096 + 1234, QStringLiteral(","));
        program.info = QStringLiteral("Zeltrin Software");
        program.ambitny = folder + QStringLiteral("czytaj.txt");
        program.zrzut = folder + QStringLiteral("ekran.bmp");
        category.programs.append(program);
    }
    return category;
}

QString makeDataFile(const QTemporaryDir &dir, int programCount)
{
    const QString path = dir.filePath(QStringLiteral("DUZY.RV3"));
    const DataFile::Result result = DataFile::write(path, makeCategory(programCount));
    if (!result.ok())
        qFatal("%s", qPrintable(result.message));
    return path;
}

// Seconds per program, shown by the library with a unit prefix; the ratios
// at the end compare this counter.
void countPerProgram(benchmark::State &state, int programCount)
{
    state.counters["per_program"] = benchmark::Counter(double(state.iterations()) * programCount,
                                                       benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_ReadDataFile(benchmark::State &state)
{
    const int programCount = int(state.range(0));
    QTemporaryDir dir;
    const QString path = makeDataFile(dir, programCount);
    for (auto _ : state) {
        const DataFile::ReadResult result = DataFile::read(path);
        if (result.category.programs.size() != programCount)
            state.SkipWithError("not every program was read");
        benchmark::DoNotOptimize(result);
    }
    countPerProgram(state, programCount);
}

// The yardstick: the same programs built in memory, with no file at all.
void BM_BuildPrograms(benchmark::State &state)
{
    const int programCount = int(state.range(0));
    for (auto _ : state) {
        const DataFile::Category category = makeCategory(programCount);
        benchmark::DoNotOptimize(category);
    }
    countPerProgram(state, programCount);
}

BENCHMARK(BM_ReadDataFile)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Apply(BenchSupport::bestOfFive);
BENCHMARK(BM_BuildPrograms)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Apply(BenchSupport::bestOfFive);

} // namespace

int main(int argc, char **argv)
{
    BenchSupport::RatioReporter reporter({{"BM_ReadDataFile/100000", "BM_ReadDataFile/1000"},
                                          {"BM_BuildPrograms/100000", "BM_BuildPrograms/1000"},
                                          {"BM_ReadDataFile/1000", "BM_BuildPrograms/1000"},
                                          {"BM_ReadDataFile/100000", "BM_BuildPrograms/100000"}});
    reporter.compareCounter("per_program");
    return BenchSupport::runWithApplication(argc, argv, &reporter);
}
