#pragma once

#include <mainwindow/generatorwindow.h>

#include <cp1250.h>
#include <registry.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <testdoubles.h>
#include <testsupport.h>

#include <gtest/gtest.h>

#include <memory>

inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

// A drive with the designer's folder and settings in it, and the main
// window on the drive's project.
class ManagerFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        Platform::Registry::setStorageFile(path(QStringLiteral("registry.ini")));
        writeText(QStringLiteral("AUTORUN.INF"), QStringLiteral("[autorun]\n"));
        QDir().mkpath(path(QStringLiteral("KALVOR")));
    }

    void TearDown() override
    {
        window.reset();
        Platform::Registry::setStorageFile({});
    }

    QString path(const QString &name = {}) const { return dir.path() + u'/' + name; }

    // Windows-1250 with CRLF line ends.
    QString writeText(const QString &name, const QString &text) const
    {
        QString crlf = text;
        crlf.replace(u'\n', QStringLiteral("\r\n"));
        return TestSupport::writeFile(path(name), Platform::toCp1250(crlf));
    }

    // A mask is a 1-bit picture.
    void writePicture(const QString &name, QImage::Format format = QImage::Format_RGB888) const
    {
        QDir().mkpath(QFileInfo(path(name)).absolutePath());
        QImage picture(8, 8, format);
        picture.fill(0);
        picture.save(path(name), "BMP");
    }

    TfrmGenerator &openWindow(const QString &projectName)
    {
        GeneratorSetup setup;
        setup.programPath = path(QStringLiteral("KALVOR/dodorurav"));
        setup.arguments = {path(projectName)};
        setup.configPath = path(QStringLiteral("KALVOR/Dodorurav.cfg"));
        setup.dataDir = path(QStringLiteral("userdata/"));
        window = std::make_unique<TfrmGenerator>(setup);
        window->FormActivate();
        QApplication::processEvents();
        return *window;
    }

    TestSupport::RecordingDialogs dialogs;
    TestSupport::RecordingLauncher launcher;
    QTemporaryDir dir;
    std::unique_ptr<TfrmGenerator> window;
};
