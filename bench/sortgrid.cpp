// The sortable grid with an archive listing of 50,000 rows: filling it,
// sorting by each kind of column (names, sizes, dates) in both directions,
// and showing it, against std::stable_sort of the bare names as yardstick.
#include <support/benchsupport.h>

#include <sortgrid/sortgrid.h>

#include <QApplication>
#include <QRandomGenerator>

#include <benchmark/benchmark.h>

#include <algorithm>

namespace {

constexpr int kRows = 50000;

struct Listing {
    QStringList names, sizes, dates;
};

const Listing &listing()
{
    static const Listing rows = [] {
        Listing made;
        QRandomGenerator random(50000);
        const QDateTime start(QDate(1995, 1, 1), QTime(0, 0), Qt::UTC);
        for (int i = 0; i < kRows; ++i) {
            made.names.append(QStringLiteral("katalog%1\\plik%2.txt").arg(random.bounded(300)).arg(random.bounded(1000000)));
            made.sizes.append(QString::number(random.bounded(100000000)));
            made.dates.append(SortGrid::formatDateTime(start.addSecs(random.bounded(900000000))));
        }
        return made;
    }();
    return rows;
}

void fill(TSortGrid &grid)
{
    const Listing &rows = listing();
    grid.setColCount(3);
    grid.setRowCount(kRows + 1);
    for (int i = 0; i < kRows; ++i) {
        grid.setCells(0, i + 1, rows.names[i]);
        grid.setCells(1, i + 1, rows.sizes[i]);
        grid.setCells(2, i + 1, rows.dates[i]);
    }
}

void BM_Fill(benchmark::State &state)
{
    for (auto _ : state) {
        TSortGrid grid;
        fill(grid);
        benchmark::DoNotOptimize(grid.RowCount());
    }
}

void BM_SortColumn(benchmark::State &state)
{
    TSortGrid grid;
    fill(grid);
    grid.resize(600, 400);
    grid.show();
    SortGrid::TSortOptions options;
    for (auto _ : state) {
        options.Direction = options.Direction == SortGrid::SortDirection::Ascending ? SortGrid::SortDirection::Descending
                                                                                     : SortGrid::SortDirection::Ascending;
        grid.SortByColumn(int(state.range(0)), options);
        QApplication::processEvents();
    }
}

void BM_StableSortOfNames(benchmark::State &state)
{
    for (auto _ : state) {
        QStringList names = listing().names;
        std::stable_sort(names.begin(), names.end());
        benchmark::DoNotOptimize(names.data());
    }
}

} // namespace

BENCHMARK(BM_Fill)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortColumn)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StableSortOfNames)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    BenchSupport::RatioReporter reporter({BenchSupport::RatioReporter::Pair{"BM_SortColumn/0", "BM_StableSortOfNames"}});
    return BenchSupport::runWithApplication(argc, argv, &reporter);
}
