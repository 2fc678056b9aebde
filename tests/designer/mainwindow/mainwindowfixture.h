#pragma once

#include <mainwindow/generatorwindow.h>

#include <QTemporaryDir>

#include <testdoubles.h>

#include <gtest/gtest.h>

#include <memory>

// A project with one category key, 1001 "Gry", at (10, 10) sized 80x40.
inline const QString kOneKeyProject = QStringLiteral("[NAMES]\n1001=Gry\n[DATA]\n1001=dane\\gry.rv3\n"
                                                     "[LEFT]\n1001=10\n[TOP]\n1001=10\n[WIDTH]\n1001=80\n"
                                                     "[HEIGHT]\n1001=40\n");

// The object of the window's design surface with that id; nullptr if none.
QWidget *surfaceObject(TfrmGenerator &window, int id);

// A drive in a temporary folder with the designer's program folder and its
// settings file inside; the main window is made by each test, so the
// settings and the command line can be set first.
class MainWindowFixture : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    QString path(const QString &name = {}) const { return dir.path() + u'/' + name; }
    QString configPath() const { return path(QStringLiteral("config/Dodorurav.cfg")); }
    // Writes text (UTF-8 here) as Windows-1250 with CRLF line ends.
    QString writeText(const QString &name, const QString &text) const;
    QByteArray readBytes(const QString &name) const;

    TfrmGenerator &makeWindow(const QStringList &arguments = {});
    // Opens a project the way the command line does.
    TfrmGenerator &windowWith(const QString &projectName);
    // Closes the window as the user does; true when it went.
    bool closeWindow();

    TestSupport::RecordingDialogs dialogs;
    TestSupport::RecordingLauncher launcher;
    QTemporaryDir dir;
    std::unique_ptr<TfrmGenerator> window;
    int closings = 0;
};
