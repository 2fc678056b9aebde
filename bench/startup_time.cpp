// Time from starting a program to its first window being mapped on the X
// display: the runtime on the demo CD and on a generated project with 300
// category keys and every function button, beside two minimal Qt programs:
// one that shows an empty window, and one that shows a line of text and so
// loads fonts as the menu must. Needs an X display (Xvfb will do).
#include "support/benchsupport.h"

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

double median(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// The median start of each program. The programs take turns, run after run,
// so a machine that gets busier or quieter meanwhile weighs on all alike.
std::vector<double> medianStarts(const QStringList &programs, Display *display)
{
    std::vector<std::vector<double>> times(size_t(programs.size()));
    for (int run = 0; run < kRuns; ++run) {
        for (qsizetype i = 0; i < programs.size(); ++i)
            times[size_t(i)].push_back(timeToFirstWindow(display, programs[i]));
    }
    std::vector<double> medians;
    for (const std::vector<double> &programTimes : times)
        medians.push_back(median(programTimes));
    return medians;
}

// A copy of the runtime in a CD folder whose project has 300 category keys.
QString makeLargeCd(const QTemporaryDir &dir)
{
    const QString program = BenchSupport::writeCd(dir.path(), BenchSupport::largeProject());
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
    const std::vector<double> medians =
        medianStarts({QStringLiteral(MINIMAL_PROGRAM), QStringLiteral(TEXT_PROGRAM),
                      QStringLiteral(DEMO_CD_DIR "/orvanta"), makeLargeCd(largeCd)},
                     display);
    const double minimal = medians[0];
    const double text = medians[1];
    const double demo = medians[2];
    const double large = medians[3];
    std::printf("median of %d starts, from start to the window being mapped:\n", kRuns);
    std::printf("                      time        ratio to empty   ratio to text\n");
    std::printf("  empty Qt window     %7.1f ms\n", minimal);
    std::printf("  one line of text    %7.1f ms   %5.2f\n", text, text / minimal);
    std::printf("  demo menu           %7.1f ms   %5.2f            %5.2f\n", demo, demo / minimal, demo / text);
    std::printf("  300 keys, 12 funcs  %7.1f ms   %5.2f            %5.2f\n", large, large / minimal,
                large / text);
    XCloseDisplay(display);
    return 0;
}
