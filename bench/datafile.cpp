// Cost of reading a data file, per program. Run at several sizes so that the
// fitted complexity shows whether reading stays linear in the file size.
#include <datafile/datafile.h>

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

QString makeDataFile(const QTemporaryDir &dir, int programCount)
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
    const QString path = dir.filePath(QStringLiteral("DUZY.RV3"));
    const DataFile::Result result = DataFile::write(path, category);
    if (!result.ok())
        qFatal("%s", qPrintable(result.message));
    return path;
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
    state.SetItemsProcessed(state.iterations() * programCount);
    state.SetComplexityN(programCount);
    // Seconds per program, shown by the library with a unit prefix.
    state.counters["per_program"] = benchmark::Counter(double(state.iterations()) * programCount,
                                                       benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_ReadDataFile)->Arg(1000)->Arg(10000)->Arg(100000)->Complexity(benchmark::oN)
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
