#pragma once

#include <QString>

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace BenchSupport {

// The console table, then the time of each named benchmark as a multiple of
// another one's: "measured / yardstick = ratio". With a counter chosen, that
// counter is compared instead of the time (say, the time per item). A
// benchmark repeated through bestOfFive() is compared by its best repetition.
class RatioReporter : public benchmark::ConsoleReporter
{
public:
    using Pair = std::pair<std::string, std::string>; // measured, yardstick
    explicit RatioReporter(std::vector<Pair> pairs);
    void compareCounter(std::string name) { m_counter = std::move(name); }

    void ReportRuns(const std::vector<Run> &runs) override;
    void Finalize() override;

private:
    std::vector<Pair> m_pairs;
    std::string m_counter;
    std::map<std::string, double> m_times;
};

// For Apply(): runs the benchmark five times and adds the "best" (lowest) of
// the runs to its statistics. On a shared machine other work only ever adds
// time, so the best run is the steadiest figure to compare.
void bestOfFive(benchmark::internal::Benchmark *benchmark);

// Runs the registered benchmarks inside a QApplication (offscreen unless a
// platform is chosen), with an optional reporter of the caller's.
int runWithApplication(int argc, char **argv, benchmark::BenchmarkReporter *reporter = nullptr);

// A project for the runtime with 300 category keys, every function button
// and every single object, as Windows-1250 text.
QByteArray largeProject();

// Writes a CD folder (AUTORUN.INF and ORVANTA.INI) with project into dir;
// returns the path the runtime would have in it.
QString writeCd(const QString &dir, const QByteArray &project);

} // namespace BenchSupport
