// The disk search over a tree of 200,000 files in 20,000 folders with the
// third built-in mask list (eight masks), beside "find" given the same masks
// as -iname alternatives, in the same run: the engine alone, and the dialog
// (offscreen) from "Znajdź" to its finished state with every hit listed.
// The hit counts must agree. Each is run five times and compared by its
// best run. Also the music scan's "Pełny Automat" over 5,000 rows of one
// folder (goal: under a second).
#include <support/benchsupport.h>

#include <datafile/datafile.h>
#include <dialogs.h>
#include <disksearch/dataeditorhost.h>
#include <disksearch/disksearch.h>
#include <disksearch/searchmessages.h>
#include <disksearch/znajdz.h>
#include <filelist/filelistview.h>
#include <masks/masks.h>
#include <musicscan/musicscan.h>

#include <QComboBox>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

constexpr int kFolders = 20000;
constexpr int kFilesPerFolder = 10;

// Ten names per folder; two of them (and one folder in a hundred) match the
// list.
const char *const kNames[kFilesPerFolder] = {"readme.txt", "data.bin", "Setup.EXE", "pic.bmp", "notes.doc",
                                             "archive.ZIP", "main.c", "lib.dll", "help.hlp", "icon.ico"};

QString maskText()
{
    return SearchMessages::builtInMasks().at(2);
}

// Made once, untimed, in the system's temporary folder.
struct Tree
{
    QTemporaryDir dir{QDir::tempPath() + QStringLiteral("/bench-disksearch-XXXXXX")};

    Tree()
    {
        for (int i = 0; i < kFolders; ++i) {
            // Ten top folders of a hundred groups of twenty.
            const QString folder = dir.path() + QStringLiteral("/t%1/g%2/d%3").arg(i % 10).arg(i / 200).arg(i);
            QDir().mkpath(folder);
            // A folder that matches now and then, as an unpacked installer does.
            if (i % 100 == 0)
                QDir().mkpath(folder + QStringLiteral("/setup.exe"));
            for (const char *name : kNames) {
                QFile file(folder + u'/' + QLatin1String(name));
                file.open(QIODevice::WriteOnly);
            }
        }
    }
};

Tree &tree()
{
    static Tree made;
    return made;
}

QStringList findArguments()
{
    QStringList arguments{tree().dir.path(), QStringLiteral("-mindepth"), QStringLiteral("1"), QStringLiteral("(")};
    const QStringList masks = Masks::SplitMasks(maskText(), true);
    for (int i = 0; i < masks.size(); ++i) {
        if (i > 0)
            arguments << QStringLiteral("-o");
        arguments << QStringLiteral("-iname") << masks.at(i);
    }
    return arguments << QStringLiteral(")");
}

qint64 findCount()
{
    QProcess find;
    find.start(QStringLiteral("find"), findArguments());
    find.waitForFinished(-1);
    return find.readAllStandardOutput().count('\n');
}

void BM_Find(benchmark::State &state)
{
    const QStringList arguments = findArguments();
    for (auto _ : state) {
        QProcess find;
        find.setStandardOutputFile(QProcess::nullDevice());
        find.start(QStringLiteral("find"), arguments);
        if (!find.waitForFinished(-1) || find.exitCode() != 0)
            state.SkipWithError("find failed");
    }
    state.counters["hits"] = double(findCount());
}

class CountingSink : public DiskSearch::Sink
{
public:
    void enterFolder(const QString &) override {}
    void found(DiskSearch::Hit hit) override
    {
        ++hits;
        benchmark::DoNotOptimize(hit);
    }
    qint64 hits = 0;
};

void BM_Engine(benchmark::State &state)
{
    const DiskSearch::Request request{tree().dir.path(), maskText(), DiskSearch::pseudoFileSystemFolders()};
    const std::atomic<bool> stop{false};
    qint64 hits = 0;
    for (auto _ : state) {
        CountingSink sink;
        DiskSearch::search(request, sink, stop);
        hits = sink.hits;
    }
    state.counters["hits"] = double(hits);
    if (hits != findCount())
        state.SkipWithError("the engine and find count different hits");
}

class NoHost : public DataEditorHost
{
public:
    EditorDocument::AddOutcome addFoundProgram(const QString &, const QString &) override
    {
        return EditorDocument::AddOutcome::Refused;
    }
    bool mayWriteDataFile(const QString &) override { return true; }
    void dataFileWritten(const QString &) override {}
};

void BM_Dialog(benchmark::State &state)
{
    NoHost host;
    QTemporaryDir settings;
    T_frmZnajdz dialog(host, settings.filePath(QStringLiteral("Zazava.cfg")));
    dialog.edtRozpocznij->setText(tree().dir.path());
    dialog.Combo->setCurrentIndex(2);
    dialog.show();
    QEventLoop ended;
    QObject::connect(dialog.worker(), &SearchWorker::finished, &ended, &QEventLoop::quit, Qt::QueuedConnection);
    for (auto _ : state) {
        dialog.klwZnajdzClick();
        ended.exec();
    }
    const qint64 hits = dialog.listaZnalezione->count();
    state.counters["hits"] = double(hits);
    if (hits != findCount())
        state.SkipWithError("the dialog lists another count of hits than find finds");
}


void BM_FullAutomaton5000Rows(benchmark::State &state)
{
    Platform::SilentDialogs silent;
    Platform::Dialogs::setInstance(&silent);
    QTemporaryDir work;
    const QString album = work.path() + QStringLiteral("/MUZYKA/Album/");
    QDir().mkpath(album);
    NoHost host;
    T_frmMP3 scan(host);
    QList<FileEntry> rows;
    for (int i = 0; i < 5000; ++i)
        rows << foundEntry(QStringLiteral("Utwór %1.mp3").arg(i), 4000000 + i, false, album);
    scan.listaMP3->addEntries(rows);
    scan.edtKatRV3->setText(work.path() + QStringLiteral("/DANE"));
    for (auto _ : state)
        scan.klwFullAutoClick();
    Platform::Dialogs::setInstance(nullptr);
    if (DataFile::read(work.path() + QStringLiteral("/DANE/Album.rv3")).category.programs.size() != 5001)
        state.SkipWithError("not every row was written");
}

BENCHMARK(BM_Find)->Unit(benchmark::kMillisecond)->Iterations(1)->Apply(BenchSupport::bestOfFive);
BENCHMARK(BM_Engine)->Unit(benchmark::kMillisecond)->Iterations(1)->Apply(BenchSupport::bestOfFive);
BENCHMARK(BM_Dialog)->Unit(benchmark::kMillisecond)->Iterations(1)->Apply(BenchSupport::bestOfFive);
BENCHMARK(BM_FullAutomaton5000Rows)->Unit(benchmark::kMillisecond)->Iterations(1)->Apply(BenchSupport::bestOfFive);

} // namespace

int main(int argc, char **argv)
{
    BenchSupport::RatioReporter reporter({{"BM_Engine/iterations:1", "BM_Find/iterations:1"},
                                          {"BM_Dialog/iterations:1", "BM_Find/iterations:1"}});
    return BenchSupport::runWithApplication(argc, argv, &reporter);
}
