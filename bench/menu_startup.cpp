// Time from creating a window to its being shown: the runtime's menu window
// built from the demo project and from a large generated project, beside a
// plain empty window, in the same run. The process start and the
// application object cost the same for all three and are left out.
#include <menuwindow/menuwindow.h>
#include <startup/runtimecontext.h>

#include <cp1250.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QWidget>
#include <QWindow>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>

namespace {

void waitUntilExposed(QWidget &window)
{
    window.show();
    while (!window.windowHandle() || !window.windowHandle()->isExposed())
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    QApplication::processEvents(); // the first paint
}

// A project with 300 category keys and every function button.
QString makeLargeProject(const QTemporaryDir &dir)
{
    QString text = QStringLiteral("[WINDOW]\r\nWIDTH=1000\r\nHEIGHT=700\r\n[NAMES]\r\n");
    QString places;
    for (int i = 0; i < 300; ++i) {
        const int id = 1001 + i;
        text += QStringLiteral("%1=Kategoria %2\r\n").arg(id).arg(i + 1);
        places += QStringLiteral("%1=%2\r\n").arg(id);
    }
    text += QStringLiteral("[FUNCTIONS]\r\n");
    for (int id = 10001; id <= 10012; ++id)
        text += QStringLiteral("%1=1\r\n").arg(id);
    text += QStringLiteral("[OBJECTS]\r\nLIST=1\r\nSERIAL=1\r\nSYSTEM=1\r\nTOOLS=1\r\nDESCRIPTION=1\r\nTITLE=1\r\n"
                           "INFO=1\r\nROZMIAR=1\r\n");
    QString left = QStringLiteral("[LEFT]\r\n"), top = QStringLiteral("[TOP]\r\n");
    QString width = QStringLiteral("[WIDTH]\r\n"), height = QStringLiteral("[HEIGHT]\r\n");
    for (int i = 0; i < 300; ++i) {
        const int id = 1001 + i;
        left += QStringLiteral("%1=%2\r\n").arg(id).arg((i % 10) * 100);
        top += QStringLiteral("%1=%2\r\n").arg(id).arg((i / 10) * 22);
        width += QStringLiteral("%1=98\r\n").arg(id);
        height += QStringLiteral("%1=20\r\n").arg(id);
    }
    text += left + top + width + height;
    QDir().mkpath(dir.filePath(QStringLiteral("cd")));
    QFile(dir.filePath(QStringLiteral("cd/AUTORUN.INF"))).open(QIODevice::WriteOnly);
    QFile project(dir.filePath(QStringLiteral("cd/ORVANTA.INI")));
    project.open(QIODevice::WriteOnly);
    project.write(Platform::toCp1250(text));
    return dir.filePath(QStringLiteral("cd/orvanta"));
}

void showMenu(benchmark::State &state, const QString &programPath)
{
    QTemporaryDir settings;
    for (auto _ : state) {
        RuntimeContext context(programPath, settings.path());
        TForm1 menu(context);
        waitUntilExposed(menu);
    }
}

void BM_EmptyWindow(benchmark::State &state)
{
    for (auto _ : state) {
        QWidget window;
        window.resize(640, 480);
        waitUntilExposed(window);
    }
}
BENCHMARK(BM_EmptyWindow)->Unit(benchmark::kMillisecond);

void BM_DemoMenu(benchmark::State &state)
{
    showMenu(state, QStringLiteral(DEMO_CD_DIR "/orvanta"));
}
BENCHMARK(BM_DemoMenu)->Unit(benchmark::kMillisecond);

void BM_LargeMenu(benchmark::State &state)
{
    QTemporaryDir dir;
    showMenu(state, makeLargeProject(dir));
}
BENCHMARK(BM_LargeMenu)->Unit(benchmark::kMillisecond);

// Prints the usual table and then each menu's time as a multiple of the
// empty window's.
class RatioReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs)
            m_times[run.benchmark_name()] = run.GetAdjustedRealTime();
    }
    void Finalize() override
    {
        ConsoleReporter::Finalize();
        const double empty = m_times["BM_EmptyWindow"];
        if (empty <= 0)
            return;
        for (const char *name : {"BM_DemoMenu", "BM_LargeMenu"}) {
            if (m_times.count(name))
                std::printf("%s / BM_EmptyWindow = %.2f\n", name, m_times[name] / empty);
        }
    }

private:
    std::map<std::string, double> m_times;
};

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
