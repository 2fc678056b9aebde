// Generation of a CD folder from a project naming 2,000 files (about 1 GB)
// beside "cp -r" of the same files, in the same run, with their ratio. The
// generation paints its progress in a window, as the dialog does.
#include <support/benchsupport.h>

#include <generation/generationengine.h>
#include <profilefile.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QProcess>
#include <QTemporaryDir>
#include <QVBoxLayout>

#include <benchmark/benchmark.h>

#include <chrono>

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

Workspace &workspace()
{
    static Workspace space;
    return space;
}

// Both copies start from the same state: every earlier output deleted and
// nothing left to write back. Deleting a 2,000-file tree just before making
// one can slow the file creation that follows, so each timed copy comes after
// exactly the same clean-up, whichever side made the files deleted.
void freshStart(const Workspace &space)
{
    QDir(space.root() + QStringLiteral("cd")).removeRecursively();
    QDir(space.root() + QStringLiteral("copy")).removeRecursively();
    ::sync();
}

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double timeCpR(const Workspace &space, benchmark::State &state)
{
    const auto start = Clock::now();
    const int code = QProcess::execute(QStringLiteral("cp"), {QStringLiteral("-r"), space.root() + QStringLiteral("work"),
                                                              space.root() + QStringLiteral("copy")});
    const double seconds = secondsSince(start);
    if (code != 0)
        state.SkipWithError("cp -r failed");
    return seconds;
}

// The dialog's progress: a title and a bar, painted when the pacer says so.
class ProgressWindow
{
public:
    ProgressWindow()
    {
        auto *layout = new QVBoxLayout(&m_window);
        layout->addWidget(m_title);
        layout->addWidget(m_bar);
        m_window.show();
    }
    bool show(const QString &title, int done, int total, const QString &name)
    {
        if (m_pacer.due(title)) {
            m_title->setText(title);
            m_bar->setRange(0, total);
            m_bar->setValue(done);
            m_bar->setFormat(name);
            QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        }
        return true;
    }

private:
    QWidget m_window;
    QLabel *m_title = new QLabel(&m_window);
    QProgressBar *m_bar = new QProgressBar(&m_window);
    Generation::ProgressPacer m_pacer;
};

double timeGeneration(const Workspace &space, benchmark::State &state)
{
    ProgressWindow progress;
    const Platform::ProfileFile project(space.project());
    const GeneratorConfig settings;
    const Generation::Folders folders{space.root() + QStringLiteral("cd/MENU/"),
                                      space.root() + QStringLiteral("cd/MENU/Multimedia/"),
                                      space.root() + QStringLiteral("cd/MENU/Dane/")};
    const auto start = Clock::now();
    const auto sources = Generation::listSources(project, space.project(), space.root(), settings);
    const auto plan = Generation::makePlan(sources, folders, space.root(), space.project());
    const auto report = Generation::execute(plan, project, settings, {},
                                            [&progress](const QString &title, int done, int total, const QString &name) {
                                                return progress.show(title, done, total, name);
                                            });
    const double seconds = secondsSince(start);
    if (!report.ok())
        state.SkipWithError("generation failed");
    return seconds;
}

// The generation and "cp -r" alternate within each iteration, and which goes
// first alternates between iterations, so load from other processes and the
// state of the file system fall on both alike. The iteration time is the
// generation's; the counters give both means and their ratio.
void BM_GenerationBesideCpR(benchmark::State &state)
{
    Workspace &space = workspace();
    double cpSeconds = 0;
    double generationSeconds = 0;
    bool cpFirst = true;
    for (auto _ : state) {
        double generation = 0;
        for (int turn = 0; turn < 2; ++turn) {
            freshStart(space);
            if ((turn == 0) == cpFirst)
                cpSeconds += timeCpR(space, state);
            else
                generation = timeGeneration(space, state);
        }
        generationSeconds += generation;
        state.SetIterationTime(generation);
        cpFirst = !cpFirst;
    }
    freshStart(space);
    const double runs = double(state.iterations());
    state.counters["cp_r_ms"] = cpSeconds * 1000 / runs;
    state.counters["generation_ms"] = generationSeconds * 1000 / runs;
    state.counters["ratio"] = cpSeconds > 0 ? generationSeconds / cpSeconds : 0;
}

} // namespace

BENCHMARK(BM_GenerationBesideCpR)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(4);

int main(int argc, char **argv)
{
    return BenchSupport::runWithApplication(argc, argv);
}
