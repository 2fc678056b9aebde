// The runtime's category click: read a data file and fill the program list
// with its programs. Printed per program, for several sizes, with the fitted
// growth (it must be linear).
#include "support/benchsupport.h"

#include <datafile/datafile.h>
#include <transplist/transplist.h>

#include <profilefile.h>

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

QString makeDataFile(const QTemporaryDir &dir, int programs)
{
    DataFile::Category category;
    category.title = QStringLiteral("Gry");
    category.description = QStringLiteral("Opis");
    for (int i = 0; i < programs; ++i) {
        DataFile::Program program;
        // Not in order, so the list really sorts.
        program.name = QStringLiteral("Program %1 żółw").arg((i * 7919) % programs, 6, 10, QLatin1Char('0'));
        program.setup = QStringLiteral("PROGRAMY\\P%1\\SETUP.EXE").arg(i);
        program.opis = QStringLiteral("OPISY\\P%1.TXT").arg(i);
        program.katalog = QStringLiteral("PROGRAMY\\P%1\\").arg(i);
        program.rozmiar = QStringLiteral("1 234 KB");
        category.programs.append(program);
    }
    const QString path = dir.filePath(QStringLiteral("big.rv3"));
    DataFile::write(path, category);
    return path;
}

void BM_ReadAndFillProgramList(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = makeDataFile(dir, int(state.range(0)));
    TTranspList list;
    list.setSorted(true);
    list.resize(150, 300);
    for (auto _ : state) {
        const Platform::ProfileFile categoryIni(path);
        list.clearItems();
        list.setItems(categoryIni.sectionNames());
        benchmark::DoNotOptimize(list.items().size());
    }
    state.SetComplexityN(state.range(0));
    state.counters["per_program"] = benchmark::Counter(double(state.iterations()) * double(state.range(0)),
                                                       benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_ReadAndFillProgramList)
    ->Arg(1000)->Arg(10000)->Arg(40000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

} // namespace

int main(int argc, char **argv)
{
    return BenchSupport::runWithApplication(argc, argv);
}
