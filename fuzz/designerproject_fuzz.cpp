// Arbitrary bytes as a project opened in the designer: the load builds a
// surface whatever the values, and once saved, a load and a save give the
// same file again.
#include <project/designercontext.h>
#include <document/designerproject.h>
#include <surface/menusurface.h>

#include <dialogs.h>
#include <safefile.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include <fcntl.h>
#include <unistd.h>

namespace {

// Straight through the system: a file object costs more than the read.
QByteArray readAll(const QString &path)
{
    return Platform::readRegularFile(path, Platform::SizeLimits::Profile).bytes;
}

bool writeInput(const QByteArray &path, const uint8_t *data, size_t size)
{
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    const bool written = Platform::writeAll(fd, reinterpret_cast<const char *>(data), qsizetype(size));
    return ::close(fd) == 0 && written;
}

} // namespace

// Qt keeps the fonts it loaded until the process ends, past the leak check
// at exit.
extern "C" const char *__lsan_default_suppressions()
{
    return "leak:libQt6Gui.so\nleak:libfreetype.so\nleak:libharfbuzz.so\nleak:libfontconfig.so\n";
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static int argc = 1;
    static char name[] = "designerproject_fuzz";
    static char *argv[] = {name, nullptr};
    static const bool offscreen = qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt's own event loop wakes with one flag however many events are
    // posted, where GLib's writes to its descriptor for each.
    static const bool ownLoop = qputenv("QT_NO_GLIB", "1");
    static QApplication app(argc, argv);
    static Platform::SilentDialogs dialogs;
    // In memory where the system has a folder for it: every save syncs its
    // file, which on a disk would cost more than all the rest of an input.
    static QTemporaryDir dir(QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm/kalvora-fuzz-XXXXXX")
                                                                       : QDir::tempPath() + QStringLiteral("/kalvora-fuzz-XXXXXX"));
    // The folder is a CD's: the project's drive root is found at once,
    // where else each load would list every folder up to "/".
    static const bool cdFolder = QFile(dir.filePath(QStringLiteral("AUTORUN.INF"))).open(QIODevice::WriteOnly);
    (void)offscreen;
    (void)ownLoop;
    (void)cdFolder;
    Platform::Dialogs::setInstance(&dialogs);
    // Nothing of one input outlives the next. No event loop runs here, so
    // what the last input left for one (the expose and close events of the
    // surfaces it showed, objects to delete) is handled now; else it piles
    // up, input after input.
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    static const QString project = dir.filePath(QStringLiteral("PROJEKT.KLV"));
    static const QByteArray projectName = QFile::encodeName(project);
    if (!writeInput(projectName, data, size))
        return 0;
    DesignerContext context;
    context.DriveRoot = dir.path() + u'/';
    context.DataDir = dir.filePath(QStringLiteral("data/"));
    DesignerProject designer(context);
    designer.LoadINI(project);
    if (!context.Surface || !context.ProjectIni)
        std::abort();
    // The first save turns the input into the designer's own form; from
    // then on a load and a save change nothing.
    if (!designer.Zapisz())
        return 0;
    const QByteArray first = readAll(project);
    designer.LoadINI(project);
    if (!designer.Zapisz() || readAll(project) != first)
        std::abort();
    return 0;
}
