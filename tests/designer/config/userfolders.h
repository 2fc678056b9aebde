#pragma once

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QPair>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// The user's folders (home, settings, data) in a temporary home while a
// test runs.
class TemporaryUserFolders : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(home.isValid());
        for (const char *name : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME"})
            saved.append({name, qgetenv(name)});
        qputenv("HOME", QFile::encodeName(home.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(configHome()));
        qputenv("XDG_DATA_HOME", QFile::encodeName(home.path() + QStringLiteral("/data")));
    }
    void TearDown() override
    {
        for (const auto &[name, value] : saved)
            qputenv(name, value);
    }
    QString configHome() const { return home.path() + QStringLiteral("/config"); }
    QString desktop() const { return home.path() + QStringLiteral("/Desktop"); }
    QString programs() const { return home.path() + QStringLiteral("/data/applications"); }

    QTemporaryDir home;
    QList<QPair<const char *, QByteArray>> saved;
};
