// Generation of a CD folder from a project naming 2,000 files (about 1 GB)
// beside "cp -r" of the same files, in the same run.
#include <support/benchsupport.h>

#include <generation/generationengine.h>
#include <profilefile.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <unistd.h>

namespace {

constexpr int kFiles = 2000;
constexpr qint64 kFileSize = 512 * 1024;

struct Workspace {
    QTemporaryDir dir{QDir::currentPath() + QStringLiteral("/bench-generation-XXXXXX")};
    QString root() const { return dir.path() + u'/'; }
    QString project() const { return root() + QStringLiteral("work/proj.KLV"); }

    Workspace()
    {
        QDir().mkpath(root() + QStringLiteral("work/files"));
        QFile(root() + QStringLiteral("AUTORUN.INF")).open(QIODevice::WriteOnly);
        QByteArray text = "[DATA]\r\n";
        QByteArray glyphs = "[GLYPH]\r\n";
        QByteArray block(kFileSize, 'x');
        for (int i = 0; i < kFiles; ++i) {
            // Half data files, half pictures: two of the three copy groups.
            const bool data = i % 2 == 0;
            const QByteArray name = "f" + QByteArray::number(i) + (data ? ".RV3" : ".BMP");
            block[0] = char(i);
            QFile file(root() + QStringLiteral("work/files/") + QString::fromLatin1(name));
            file.open(QIODevice::WriteOnly);
            file.write(block);
            (data ? text : glyphs) += QByteArray::number(1001 + i) + "=work\\files\\" + name + "\r\n";
        }
        QFile project(this->project());
        project.open(QIODevice::WriteOnly);
        project.write(text + glyphs);
    }
};

// Each run starts with nothing left to write back from the one before, so
// neither copy pays for the other's.
void settle()
{
    ::sync();
}

Workspace &workspace()
{
    static Workspace space;
    return space;
}

void BM_Generation(benchmark::State &state)
{
    Workspace &space = workspace();
    const Platform::ProfileFile project(space.project());
    const GeneratorConfig settings;
    const Generation::Folders folders{space.root() + QStringLiteral("cd/MENU/"),
                                      space.root() + QStringLiteral("cd/MENU/Multimedia/"),
                                      space.root() + QStringLiteral("cd/MENU/Dane/")};
    for (auto _ : state) {
        state.PauseTiming();
        QDir(space.root() + QStringLiteral("cd")).removeRecursively();
        settle();
        state.ResumeTiming();
        const auto sources = Generation::listSources(project, space.project(), space.root(), settings);
        const auto plan = Generation::makePlan(sources, folders, space.root(), space.project());
        const auto report = Generation::execute(plan, project, settings, {});
        if (!report.ok())
            state.SkipWithError("generation failed");
    }
}

void BM_CpR(benchmark::State &state)
{
    Workspace &space = workspace();
    for (auto _ : state) {
        state.PauseTiming();
        QDir(space.root() + QStringLiteral("copy")).removeRecursively();
        settle();
        state.ResumeTiming();
        const int code = QProcess::execute(QStringLiteral("cp"), {QStringLiteral("-r"), space.root() + QStringLiteral("work"),
                                                                  space.root() + QStringLiteral("copy")});
        if (code != 0)
            state.SkipWithError("cp -r failed");
    }
}

} // namespace

BENCHMARK(BM_CpR)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_Generation)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

int main(int argc, char **argv)
{
    using Pair = BenchSupport::RatioReporter::Pair;
    BenchSupport::RatioReporter reporter(
        std::vector<Pair>{Pair{"BM_Generation/iterations:3/real_time", "BM_CpR/iterations:3/real_time"}});
    return BenchSupport::runWithApplication(argc, argv, &reporter);
}
