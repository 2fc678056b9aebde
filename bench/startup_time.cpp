// Time from starting a program to its first window being mapped on the X
// display: the runtime on the demo CD and on a generated project with 300
// category keys and every function button, beside a minimal Qt program that
// shows one empty window. Needs an X display (Xvfb will do).
#include <cp1250.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QThread>
#include <QTemporaryDir>

#include <X11/Xlib.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kRuns = 15;

// Milliseconds from the start of program to the mapping of a top-level
// window; -1 when nothing was mapped within ten seconds.
double timeToFirstWindow(Display *display, const QString &program)
{
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, True); // forget older events
    QProcess process;
    QElapsedTimer clock;
    clock.start();
    process.start(program, {});
    double elapsed = -1;
    while (clock.elapsed() < 10000) {
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify && elapsed < 0)
                elapsed = double(clock.nsecsElapsed()) / 1e6;
        }
        if (elapsed >= 0)
            break;
        QThread::usleep(200);
    }
    process.kill();
    process.waitForFinished();
    return elapsed;
}

double median(const QString &program, Display *display)
{
    std::vector<double> times;
    for (int i = 0; i < kRuns; ++i)
        times.push_back(timeToFirstWindow(display, program));
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// A copy of the runtime in a CD folder whose project has 300 category keys.
QString makeLargeCd(const QTemporaryDir &dir)
{
    QString text = QStringLiteral("[WINDOW]\r\nWIDTH=1000\r\nHEIGHT=700\r\n[NAMES]\r\n");
    QString left = QStringLiteral("[LEFT]\r\n"), top = QStringLiteral("[TOP]\r\n");
    QString width = QStringLiteral("[WIDTH]\r\n"), height = QStringLiteral("[HEIGHT]\r\n");
    for (int i = 0; i < 300; ++i) {
        const int id = 1001 + i;
        text += QStringLiteral("%1=Kategoria %2\r\n").arg(id).arg(i + 1);
        left += QStringLiteral("%1=%2\r\n").arg(id).arg((i % 10) * 100);
        top += QStringLiteral("%1=%2\r\n").arg(id).arg((i / 10) * 22);
        width += QStringLiteral("%1=98\r\n").arg(id);
        height += QStringLiteral("%1=20\r\n").arg(id);
    }
    text += QStringLiteral("[FUNCTIONS]\r\n");
    for (int id = 10001; id <= 10012; ++id)
        text += QStringLiteral("%1=1\r\n").arg(id);
    text += QStringLiteral("[OBJECTS]\r\nLIST=1\r\nSERIAL=1\r\nSYSTEM=1\r\nTOOLS=1\r\nDESCRIPTION=1\r\nTITLE=1\r\n"
                           "INFO=1\r\nROZMIAR=1\r\n");
    text += left + top + width + height;
    QFile(dir.filePath(QStringLiteral("AUTORUN.INF"))).open(QIODevice::WriteOnly);
    QFile project(dir.filePath(QStringLiteral("ORVANTA.INI")));
    project.open(QIODevice::WriteOnly);
    project.write(Platform::toCp1250(text));
    const QString program = dir.filePath(QStringLiteral("orvanta"));
    QFile::copy(QStringLiteral(ORVANTA_PROGRAM), program);
    return program;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "startup_time needs an X display (try xvfb-run)\n");
        return 1;
    }
    QTemporaryDir largeCd;
    const double minimal = median(QStringLiteral(MINIMAL_PROGRAM), display);
    const double demo = median(QStringLiteral(DEMO_CD_DIR "/orvanta"), display);
    const double large = median(makeLargeCd(largeCd), display);
    std::printf("median of %d starts, from start to the window being mapped:\n", kRuns);
    std::printf("  minimal Qt window   %7.1f ms\n", minimal);
    std::printf("  demo menu           %7.1f ms   ratio %.2f\n", demo, demo / minimal);
    std::printf("  300 keys, 12 funcs  %7.1f ms   ratio %.2f\n", large, large / minimal);
    XCloseDisplay(display);
    return 0;
}
