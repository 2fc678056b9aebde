#pragma once

#include "manager/configurationfiles.h"

#include <QDialog>

#include <functional>
#include <memory>

class DesignerContext;
class OutsidePrograms;
class QLabel;
class QPushButton;
class QTabWidget;
class THCheckListBox;

namespace Platform {
class ProfileFile;
}

// What "Otwórz" asks of the main window.
struct ProjectOpener
{
    // Writes the project; false (after its message) when that failed.
    std::function<bool()> save;
    // The undo history started over, then the file opened as the project.
    std::function<void(const QString &fileName)> open;
};

// "Menadżer projektu": the project's configuration files (the project and
// its sub-window files), and for the one chosen its data files and
// bitmaps, each ticked when it is there. Opens a sub-window file as the
// project, or starts the data editor or the bitmap editor on a file.
class TfrmMenadzer : public QDialog
{
    Q_OBJECT

public:
    TfrmMenadzer(DesignerContext &context, OutsidePrograms &programs, ProjectOpener opener,
                 QWidget *parent = nullptr);
    ~TfrmMenadzer() override;

    QLabel *Label1;
    QTabWidget *PageControl1;
    QWidget *tabINI, *tabRV3, *tabBMP;
    THCheckListBox *ListaINI, *ListaRV3, *ListaBMP;
    QPushButton *klwOpen, *klwBMPRV3, *klwZamknij;

    void ListaINIClick(QObject *sender);
    void PageControl1Change(QObject *sender);
    void klwOpenClick(QObject *sender);
    void klwBMPRV3Click(QObject *sender);

private:
    void FormCreate();
    static void fill(THCheckListBox *list, const QList<ConfigurationFiles::Line> &lines);
    // The sub-window line chosen in ListaINI; null for the project's own.
    const ConfigurationFiles::Line *chosenSubWindow() const;
    const Platform::ProfileFile &viewed() const;
    // Asks whether to keep unsaved changes; false when the opening stops.
    bool changesKept();

    DesignerContext &m_context;
    OutsidePrograms &m_programs;
    ProjectOpener m_opener;
    QList<ConfigurationFiles::Line> m_subWindows; // ListaINI's lines after the first
    QList<ConfigurationFiles::Line> m_dataFiles, m_bitmaps;
    std::unique_ptr<Platform::ProfileFile> m_chosen; // the chosen sub-window file
};

// Opens a new project manager modally over parent.
void runProjectManager(QWidget *parent, DesignerContext &context, OutsidePrograms &programs, ProjectOpener opener);
