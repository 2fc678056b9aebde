// Listing and extracting zip archives through the runtime's zip component
// and the unzip plug-in, beside "unzip" and "bsdtar" on the same archives in
// the same run: a directory of 50,000 entries, a 300 MB archive of random
// and text files, and one of 50,000 small files. Medians of 5 runs; every
// extraction goes into a fresh folder.
#include <support/benchsupport.h>

#include <archive/ziptool.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

constexpr int kSmallFiles = 50000;
constexpr int kBigFiles = 30;
constexpr qint64 kBigFileSize = 10 * 1024 * 1024;

bool runQuiet(const QString &program, const QStringList &arguments, const QString &folder = {})
{
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    if (!folder.isEmpty())
        process.setWorkingDirectory(folder);
    process.start(program, arguments);
    return process.waitForFinished(-1) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

struct Workspace {
    QTemporaryDir dir{QDir::currentPath() + QStringLiteral("/bench-zip-XXXXXX")};
    QString path(const QString &name) const { return dir.filePath(name); }
    QString smallZip() const { return path(QStringLiteral("small.zip")); }
    QString bigZip() const { return path(QStringLiteral("big.zip")); }

    Workspace()
    {
        QDir().mkpath(path("small"));
        for (int i = 0; i < kSmallFiles; ++i) {
            QFile file(path(QStringLiteral("small/d%1/f%2.txt").arg(i / 1000).arg(i)));
            if (i % 1000 == 0)
                QDir().mkpath(path(QStringLiteral("small/d%1").arg(i / 1000)));
            file.open(QIODevice::WriteOnly);
            file.write("file " + QByteArray::number(i) + "\n");
        }
        QDir().mkpath(path("big"));
        QByteArray text;
        while (text.size() < kBigFileSize)
            text += "Menu płyty CD, plik opisu programu numer " + QByteArray::number(text.size()) + "\r\n";
        text.truncate(kBigFileSize);
        QByteArray random(kBigFileSize, '\0');
        for (int i = 0; i < kBigFiles; ++i) {
            if (i % 2 == 0)
                QRandomGenerator::global()->fillRange(reinterpret_cast<quint32 *>(random.data()), random.size() / 4);
            QFile file(path(QStringLiteral("big/part%1.bin").arg(i)));
            file.open(QIODevice::WriteOnly);
            file.write(i % 2 == 0 ? random : text);
        }
        if (!runQuiet("zip", {"-q", "-r", smallZip(), "small"}, dir.path())
            || !runQuiet("zip", {"-q", "-r", bigZip(), "big"}, dir.path()))
            std::fprintf(stderr, "making the archives failed\n");
    }

    QString freshTarget()
    {
        const QString target = path(QStringLiteral("out"));
        QDir(target).removeRecursively();
        QDir().mkpath(target);
        return target;
    }
};

Workspace &workspace()
{
    static Workspace space;
    return space;
}

void listOurs(benchmark::State &state)
{
    Workspace &space = workspace();
    for (auto _ : state) {
        TZipTool tool;
        tool.Unattended = true;
        tool.setZipFilename(space.smallZip());
        if (tool.Count() != kSmallFiles + kSmallFiles / 1000 + 1)
            state.SkipWithError("wrong count");
    }
}

void extractOurs(benchmark::State &state, bool big)
{
    Workspace &space = workspace();
    for (auto _ : state) {
        state.PauseTiming();
        const QString target = space.freshTarget();
        state.ResumeTiming();
        TZipTool tool;
        tool.Unattended = true;
        tool.setZipFilename(big ? space.bigZip() : space.smallZip());
        tool.ExtrBaseDir = target;
        tool.ExtrOptions = TZipTool::ExtrDirNames | TZipTool::ExtrOverWrite;
        tool.ExtractZip();
        if (tool.SuccessCnt() != (big ? kBigFiles : kSmallFiles))
            state.SkipWithError("extraction failed");
    }
}

void runTool(benchmark::State &state, const QString &program, const QStringList &arguments, bool extracts)
{
    Workspace &space = workspace();
    for (auto _ : state) {
        state.PauseTiming();
        const QString target = extracts ? space.freshTarget() : QString();
        QStringList args = arguments;
        args.replaceInStrings(QStringLiteral("@SMALL"), space.smallZip());
        args.replaceInStrings(QStringLiteral("@BIG"), space.bigZip());
        args.replaceInStrings(QStringLiteral("@OUT"), target);
        state.ResumeTiming();
        if (!runQuiet(program, args))
            state.SkipWithError("tool failed");
    }
}

void BM_ListOurs(benchmark::State &state) { listOurs(state); }
void BM_ListUnzip(benchmark::State &state) { runTool(state, "unzip", {"-l", "@SMALL"}, false); }
void BM_ListBsdtar(benchmark::State &state) { runTool(state, "bsdtar", {"-tf", "@SMALL"}, false); }
void BM_ExtractBigOurs(benchmark::State &state) { extractOurs(state, true); }
void BM_ExtractBigUnzip(benchmark::State &state) { runTool(state, "unzip", {"-qo", "@BIG", "-d", "@OUT"}, true); }
void BM_ExtractBigBsdtar(benchmark::State &state) { runTool(state, "bsdtar", {"-xf", "@BIG", "-C", "@OUT"}, true); }
void BM_ExtractSmallOurs(benchmark::State &state) { extractOurs(state, false); }
void BM_ExtractSmallUnzip(benchmark::State &state) { runTool(state, "unzip", {"-qo", "@SMALL", "-d", "@OUT"}, true); }
void BM_ExtractSmallBsdtar(benchmark::State &state) { runTool(state, "bsdtar", {"-xf", "@SMALL", "-C", "@OUT"}, true); }

// Keeps the median of each benchmark's repetitions and prints the ratios.
class MedianRatios : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs) {
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
                m_medians[run.run_name.function_name] = run.GetAdjustedRealTime();
        }
    }
    void Finalize() override
    {
        ConsoleReporter::Finalize();
        for (const char *what : {"List", "ExtractBig", "ExtractSmall"}) {
            const std::string ours = std::string("BM_") + what + "Ours";
            for (const char *other : {"Unzip", "Bsdtar"}) {
                const std::string theirs = std::string("BM_") + what + other;
                if (m_medians.count(ours) && m_medians.count(theirs) && m_medians[theirs] > 0)
                    std::printf("%s / %s = %.2f\n", ours.c_str(), theirs.c_str(), m_medians[ours] / m_medians[theirs]);
            }
        }
    }

private:
    std::map<std::string, double> m_medians;
};

} // namespace

#define ZIP_BENCH(name) BENCHMARK(name)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1)->Repetitions(5)->ReportAggregatesOnly(true)
ZIP_BENCH(BM_ListOurs);
ZIP_BENCH(BM_ListUnzip);
ZIP_BENCH(BM_ListBsdtar);
ZIP_BENCH(BM_ExtractBigOurs);
ZIP_BENCH(BM_ExtractBigUnzip);
ZIP_BENCH(BM_ExtractBigBsdtar);
ZIP_BENCH(BM_ExtractSmallOurs);
ZIP_BENCH(BM_ExtractSmallUnzip);
ZIP_BENCH(BM_ExtractSmallBsdtar);

int main(int argc, char **argv)
{
    MedianRatios reporter;
    return BenchSupport::runWithApplication(argc, argv, &reporter);
}
