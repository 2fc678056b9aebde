#include <paths.h>
#include <startup/runtimecontext.h>

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// An environment variable set (or, null, unset) while it lives.
class ScopedVariable
{
public:
    ScopedVariable(const char *name, const QByteArray &value)
        : m_name(name)
        , m_had(qEnvironmentVariableIsSet(name))
        , m_saved(qgetenv(name))
    {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    }
    ~ScopedVariable()
    {
        if (m_had)
            qputenv(m_name, m_saved);
        else
            qunsetenv(m_name);
    }

private:
    const char *m_name;
    bool m_had;
    QByteArray m_saved;
};

} // namespace

TEST(DriveRootVariable, TheRuntimeTakesTheDesignersRootWhenItIsAFolder)
{
    QTemporaryDir dir;
    const ScopedVariable settings("XDG_CONFIG_HOME", QFile::encodeName(dir.path() + QStringLiteral("/config")));
    const QString folder = QDir(dir.path()).absolutePath();
    const QString ownRoot = Platform::driveRootOf(QCoreApplication::applicationFilePath());
    const struct {
        const char *name;
        QByteArray value; // null: unset
        QString root;     // empty: the runtime's own
    } cases[] = {
        {"unset", QByteArray(), {}},
        {"empty", QByteArray(""), {}},
        {"missing folder", QFile::encodeName(folder + QStringLiteral("/gone")), {}},
        {"a file", QFile::encodeName(QCoreApplication::applicationFilePath()), {}},
        {"folder", QFile::encodeName(folder), folder + u'/'},
        {"folder with a slash", QFile::encodeName(folder + u'/'), folder + u'/'},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const ScopedVariable variable(Platform::DriveRootVariable, c.value);
        EXPECT_EQ(Platform::driveRootFromEnvironment(), c.root);
        EXPECT_EQ(RuntimeContext::forThisProgram()->DriveRoot, c.root.isEmpty() ? ownRoot : c.root);
    }
}
