#pragma once

#include <project/designercontext.h>
#include <document/designerproject.h>
#include <surface/menusurface.h>

#include <QByteArray>
#include <QSet>
#include <QTemporaryDir>

#include <testdoubles.h>

#include <gtest/gtest.h>

// A palette whose pressed kinds a test sets.
class TestPalette : public ObjectPalette
{
public:
    bool isDown(int kind) const override { return pressed.contains(kind); }
    void releaseAll() override
    {
        pressed.clear();
        ++releases;
    }
    QSet<int> pressed;
    int releases = 0;
};

class TestUndo : public UndoHistory
{
public:
    void SaveUndo(const QString &step) override { steps.append(step); }
    QStringList steps;
};

// A drive in a temporary folder ("AUTORUN.INF" at its root) that the
// designer works on, with its data folder inside.
class DesignerFixture : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    QString drivePath(const QString &name = {}) const;
    // Writes text (UTF-8 here) below the drive root as Windows-1250 with
    // CRLF line ends.
    QString writeText(const QString &name, const QString &text) const;
    // The bytes a text is stored as: Windows-1250 with CRLF line ends.
    static QByteArray stored(const QString &text);
    QByteArray readBytes(const QString &name) const;
    // A 24-bit picture of one colour.
    void writePicture(const QString &name, int width, int height, QColor color) const;

    // Opens a project and processes pending events.
    void load(const QString &name);
    // A new empty project opened, as "Nowy" does.
    void loadEmpty(const QString &name = QStringLiteral("NOWY.KLV"));
    TfrmMenu &surface() const { return *context.Surface; }

    TestSupport::RecordingDialogs dialogs;
    QTemporaryDir dir;
    DesignerContext context;
    TestPalette palette;
    TestUndo undo;
    DesignerProject project{context};
};
