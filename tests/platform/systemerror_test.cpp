#include <safefile.h>
#include <systemerror.h>

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <sys/resource.h>

using namespace Platform;

TEST(SystemError, ReasonsReadPolish)
{
    const struct {
        int errorNumber;
        const char *text;
    } cases[] = {
        {ENOSPC, "Brak miejsca na dysku"},
        {EACCES, "Brak uprawnień"},
        {ENOENT, "Nie ma takiego pliku ani katalogu"},
        {EROFS, "Nośnik jest tylko do odczytu"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(systemErrorText(c.errorNumber), QString::fromUtf8(c.text));
    // What the table does not know stays the system's own text.
    EXPECT_FALSE(systemErrorText(ENOTSOCK).isEmpty());
}

// A write the system cuts short (here by a file-size limit, as a full disk
// does) reports the system's reason, not Qt's "Writing canceled by
// application", and leaves the old file.
TEST(SystemError, AFailedWholeFileWriteGivesTheSystemsReason)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("plik.txt"));
    ASSERT_TRUE(writeWholeFile(path, "stary").ok());

    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const WriteResult written = writeWholeFile(path, QByteArray(100000, 'x'));
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    ASSERT_FALSE(written.ok());
    EXPECT_TRUE(written.error.contains(QStringLiteral("Plik jest za duży"))) << written.error.toStdString();
    EXPECT_FALSE(written.error.contains(QStringLiteral("canceled")));
    EXPECT_EQ(readRegularFile(path, 100).bytes, QByteArray("stary"));
}
