#pragma once

// The programs the designer starts: the menu runtime and the autostart
// program for a test run of the open project, the data editor, the bitmap
// editor and the desktop's text editor on the project file. Their paths
// come from the settings file ([PLIKI]) and its one table of defaults.

#include "config/generatorconfig.h"

#include <QPointer>
#include <QString>
#include <QWidget>

class DesignerContext;
class DesignerProject;

enum class TestProgram {
    Runtime,   // "&Testuj" (F9) and speedTestuj
    Autostart, // "Testuj z autostartem" (Shift+F9)
};

class OutsidePrograms
{
public:
    OutsidePrograms(DesignerContext &context, DesignerProject &project);

    // The designer's main window: minimised during a test run and the
    // parent of the messages.
    void setMainWindow(QWidget *window) { m_mainWindow = window; }
    // The settings file read by every command; empty (the default): the
    // user's "Dodorurav.cfg".
    void setConfigPath(const QString &path) { m_configPath = path; }

    // The test run: the saved project copied to "ORVANTA.INI" beside the
    // runtime, then the program started with the designer's drive root and
    // waited for while every designer window is disabled. True when the
    // program ran.
    bool testRun(TestProgram program);
    // True while a test run waits for its program.
    bool testRunning() const { return m_testRunning; }

    // "&Zazava danych" (Ctrl+D): the data editor, not waited for.
    bool startDataEditor();
    // "Zazava &BMP" (Ctrl+B): the bitmap editor without a file.
    bool startBitmapEditor();
    // The bitmap editor on a picture of the project (a stored path below
    // the drive root), as the inspector and the project manager start it.
    bool editBitmap(const QString &storedPath);
    // Whether the configured bitmap editor is there to start; when it is
    // not, the user is told so.
    bool bitmapEditorFound();
    // The data editor on a data file of the project (a stored path below
    // the drive root), as the inspector's "RV3" button starts it.
    bool editDataFile(const QString &storedPath);
    // "&Edytuj źródło": the project file in the desktop's text editor.
    bool editProjectSource();

    // The settings as the commands read them.
    GeneratorConfig config() const;
    // The program that a [PLIKI] path names: the file itself when it
    // exists, a bare name found on PATH, and for a missing default path
    // its name on PATH. Empty when there is none.
    QString locateProgram(GeneratorFile file) const;

private:
    // The one table of defaults, beside the designer's folder.
    GeneratorConfig defaults() const;
    bool projectSavedForTest();
    // The folder the runtime reads "ORVANTA.INI" from; empty when it is missing.
    QString runtimeFolder() const;
    bool copyProjectBeside(const QString &runtimeDir);
    bool runAndWait(const QString &program);
    bool startEditor(GeneratorFile file, const QString &missingMessage);
    bool editFile(GeneratorFile editor, const QString &storedPath, const QString &failedMessage);
    void warn(const QString &text) const;
    QWidget *messageParent() const;

    DesignerContext &m_context;
    DesignerProject &m_project;
    QPointer<QWidget> m_mainWindow;
    QString m_configPath;
    bool m_testRunning = false;
};
