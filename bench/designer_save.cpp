// The designer's save of the 300-key project, and an undo step of it (the
// snapshot taken, and going back to it), beside reading the same file, with
// their ratios.
#include <support/benchsupport.h>

#include <project/designercontext.h>
#include <document/designerproject.h>
#include <objects/designedits.h>
#include <surface/menusurface.h>
#include <undo/designundo.h>

#include <profilefile.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// The drive of the designer with the project opened on a surface.
struct OpenDesign {
    QTemporaryDir dir;
    DesignerContext context;
    TDesignUndo history{context, 10};
    DesignerProject project{context};

    QString projectPath() const { return dir.path() + QStringLiteral("/P.KLV"); }

    OpenDesign()
    {
        QFile(dir.path() + QStringLiteral("/AUTORUN.INF")).open(QIODevice::WriteOnly);
        QFile file(projectPath());
        file.open(QIODevice::WriteOnly);
        file.write(BenchSupport::largeProject());
        file.close();
        context.DriveRoot = dir.path() + u'/';
        context.DataDir = dir.path() + QStringLiteral("/data/");
        context.setUndo(&history);
        project.LoadINI(projectPath());
        project.Zapisz();
    }
    ~OpenDesign() { delete context.Surface.data(); }
};

std::unique_ptr<OpenDesign> g_design;

// Made at the first benchmark, while the application runs, and freed before
// the application goes.
OpenDesign &openDesign()
{
    if (!g_design) {
        g_design = std::make_unique<OpenDesign>();
        qAddPostRoutine([] { g_design.reset(); });
    }
    return *g_design;
}

void BM_ReadProject(benchmark::State &state)
{
    const QString path = openDesign().projectPath();
    for (auto _ : state) {
        const Platform::ProfileFile file(path);
        benchmark::DoNotOptimize(file.sectionNames().size());
    }
}
BENCHMARK(BM_ReadProject)->Unit(benchmark::kMillisecond)->Apply(BenchSupport::bestOfFive);

void BM_SaveProject(benchmark::State &state)
{
    OpenDesign &design = openDesign();
    for (auto _ : state) {
        design.context.ProjectModified = true;
        if (!design.project.Zapisz())
            state.SkipWithError("the save failed");
    }
}
BENCHMARK(BM_SaveProject)->Unit(benchmark::kMillisecond)->Apply(BenchSupport::bestOfFive);

void BM_TakeUndoStep(benchmark::State &state)
{
    OpenDesign &design = openDesign();
    for (auto _ : state)
        design.history.SaveUndo(QStringLiteral("Przesunięcie obiektu"));
}
BENCHMARK(BM_TakeUndoStep)->Unit(benchmark::kMillisecond)->Apply(BenchSupport::bestOfFive);

// Back to the step before a key was moved, the move done again between the
// timed undos.
void BM_UndoStep(benchmark::State &state)
{
    OpenDesign &design = openDesign();
    QWidget *key = design.context.Surface->components().first();
    for (auto _ : state) {
        state.PauseTiming();
        design.history.SaveUndo(QStringLiteral("Projekt otwarty"));
        DesignEdits::setBounds(design.context, key, key->geometry().translated(1, 0));
        design.history.SaveUndo(QStringLiteral("Przesunięcie obiektu"));
        state.ResumeTiming();
        design.history.mnuCofnijClick();
    }
}
BENCHMARK(BM_UndoStep)->Unit(benchmark::kMillisecond)->Apply(BenchSupport::bestOfFive);

} // namespace

int main(int argc, char **argv)
{
    BenchSupport::RatioReporter reporter({{"BM_SaveProject", "BM_ReadProject"},
                                          {"BM_TakeUndoStep", "BM_ReadProject"},
                                          {"BM_UndoStep", "BM_ReadProject"}});
    return BenchSupport::runWithApplication(argc, argv, &reporter);
}
