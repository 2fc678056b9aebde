#pragma once

#include <menuwindow/menuwindow.h>
#include <startup/runtimecontext.h>

#include <QByteArray>
#include <QTemporaryDir>

#include <testdoubles.h>

#include <memory>

#include <gtest/gtest.h>

// A CD folder in a temporary folder: "AUTORUN.INF" at its root, the runtime's
// project copy beside the (pretended) program, and the user's settings folder.
class MenuFixture : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    QString cdPath(const QString &name = {}) const;
    // Writes a file below the CD root; text is given in UTF-8 and stored as
    // Windows-1250 with CRLF line ends.
    QString writeCdText(const QString &name, const QString &text) const;
    void writeCdBytes(const QString &name, const QByteArray &bytes) const;
    void writeProject(const QString &text) const { writeCdText(QStringLiteral("ORVANTA.INI"), text); }
    // A 1-bit mask of the given size, all inside.
    void writeMask(const QString &name, int width, int height) const;
    // A 24-bit bitmap filled with one colour.
    void writePicture(const QString &name, int width, int height, QColor color) const;

    // Builds the menu window from the files written so far.
    TForm1 &build();

    TestSupport::RecordingDialogs dialogs;
    TestSupport::RecordingLauncher launcher;
    QTemporaryDir dir;
    std::unique_ptr<RuntimeContext> context;
    std::unique_ptr<TForm1> window;
};
