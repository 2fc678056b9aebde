// Arbitrary bytes as a project opened in the designer: the load builds a
// surface whatever the values, and once saved, a load and a save give the
// same file again.
#include <project/designercontext.h>
#include <document/designerproject.h>
#include <surface/menusurface.h>

#include <dialogs.h>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

// Every message is answered at once; every dialog is cancelled.
class SilentDialogs : public Platform::Dialogs
{
public:
    Platform::MessageAnswer message(QWidget *, const QString &, const QString &, Platform::MessageButtons,
                                    Platform::MessageIcon) override
    {
        return Platform::MessageAnswer::Ok;
    }
    bool chooseFont(QWidget *, QFont &, QColor &) override { return false; }
    void about(QWidget *, const QString &, const QString &) override {}
    QString openFile(QWidget *, const QString &, const QString &, const QString &) override { return {}; }
    QString saveFile(QWidget *, const QString &, const QString &, const QString &) override { return {}; }
    QString chooseFolder(QWidget *, const QString &, const QString &) override { return {}; }
    bool chooseColor(QWidget *, QColor &) override { return false; }
    bool inputText(QWidget *, const QString &, const QString &, QString &) override { return false; }
};

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static int argc = 1;
    static char name[] = "designerproject_fuzz";
    static char *argv[] = {name, nullptr};
    static const bool offscreen = qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(argc, argv);
    static SilentDialogs dialogs;
    static QTemporaryDir dir;
    (void)offscreen;
    Platform::Dialogs::setInstance(&dialogs);

    const QString project = dir.filePath(QStringLiteral("PROJEKT.KLV"));
    {
        QFile file(project);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        file.write(reinterpret_cast<const char *>(data), qint64(size));
    }
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
    designer.LoadINI(project);
    if (!designer.Zapisz())
        return 0;
    const QByteArray first = readAll(project);
    designer.LoadINI(project);
    if (!designer.Zapisz() || readAll(project) != first)
        std::abort();
    return 0;
}
