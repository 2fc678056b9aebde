#include "benchsupport.h"

#include <cp1250.h>

#include <QApplication>
#include <QDir>
#include <QFile>

#include <algorithm>
#include <cstdio>


namespace BenchSupport {
namespace {

const std::string kBest = "best";

} // namespace

void bestOfFive(benchmark::internal::Benchmark *benchmark)
{
    const auto lowest = [](const std::vector<double> &values) {
        return values.empty() ? 0.0 : *std::min_element(values.begin(), values.end());
    };
    benchmark->Repetitions(5)->ComputeStatistics(kBest, lowest)->DisplayAggregatesOnly(true);
}

RatioReporter::RatioReporter(std::vector<Pair> pairs)
    : m_pairs(std::move(pairs))
{
}

void RatioReporter::ReportRuns(const std::vector<Run> &runs)
{
    ConsoleReporter::ReportRuns(runs);
    for (const Run &run : runs) {
        const bool best = run.run_type == Run::RT_Aggregate && run.aggregate_name == kBest;
        if (run.run_type != Run::RT_Iteration && !best)
            continue;
        benchmark::BenchmarkName name = run.run_name;
        name.repetitions.clear(); // pairs name a benchmark without "/repeats:5"
        const auto counter = run.counters.find(m_counter);
        m_times[name.str()] = counter != run.counters.end() ? double(counter->second) : run.GetAdjustedRealTime();
    }
}

void RatioReporter::Finalize()
{
    ConsoleReporter::Finalize();
    for (const auto &[measured, yardstick] : m_pairs) {
        const auto top = m_times.find(measured);
        const auto bottom = m_times.find(yardstick);
        if (top != m_times.end() && bottom != m_times.end() && bottom->second > 0)
            std::printf("%s / %s = %.2f\n", measured.c_str(), yardstick.c_str(), top->second / bottom->second);
    }
}

int runWithApplication(int argc, char **argv, benchmark::BenchmarkReporter *reporter)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (reporter)
        benchmark::RunSpecifiedBenchmarks(reporter);
    else
        benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

QByteArray largeProject()
{
    constexpr int keys = 300;
    QString names = QStringLiteral("[NAMES]\r\n");
    QString left = QStringLiteral("[LEFT]\r\n"), top = QStringLiteral("[TOP]\r\n");
    QString width = QStringLiteral("[WIDTH]\r\n"), height = QStringLiteral("[HEIGHT]\r\n");
    for (int i = 0; i < keys; ++i) {
        const int id = 1001 + i;
        names += QStringLiteral("%1=Kategoria %2\r\n").arg(id).arg(i + 1);
        left += QStringLiteral("%1=%2\r\n").arg(id).arg((i % 10) * 100);
        top += QStringLiteral("%1=%2\r\n").arg(id).arg((i / 10) * 22);
        width += QStringLiteral("%1=98\r\n").arg(id);
        height += QStringLiteral("%1=20\r\n").arg(id);
    }
    QString functions = QStringLiteral("[FUNCTIONS]\r\n");
    for (int id = 10001; id <= 10012; ++id)
        functions += QStringLiteral("%1=1\r\n").arg(id);
    const QString objects = QStringLiteral("[OBJECTS]\r\nLIST=1\r\nSERIAL=1\r\nSYSTEM=1\r\nTOOLS=1\r\n"
                                           "DESCRIPTION=1\r\nTITLE=1\r\nINFO=1\r\nROZMIAR=1\r\n");
    return Platform::toCp1250(QStringLiteral("[WINDOW]\r\nWIDTH=1000\r\nHEIGHT=700\r\n") + names + functions
                              + objects + left + top + width + height);
}

QString writeCd(const QString &dir, const QByteArray &project)
{
    QDir().mkpath(dir);
    QFile autorun(dir + QStringLiteral("/AUTORUN.INF"));
    autorun.open(QIODevice::WriteOnly);
    autorun.write("[AUTORUN]\r\nOPEN=orvanta /OPCJE\r\n");
    QFile projectFile(dir + QStringLiteral("/ORVANTA.INI"));
    projectFile.open(QIODevice::WriteOnly);
    projectFile.write(project);
    return dir + QStringLiteral("/orvanta");
}

} // namespace BenchSupport
