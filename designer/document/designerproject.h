#pragma once

#include <QString>

class DesignerContext;
class QObject;

namespace Platform {
class ProfileFile;
}

// The open project on disk: writes the design into its project file (save,
// save as, save as template, the [INFOCD] export) and rebuilds the design
// surface from a project file (LoadINI).
class DesignerProject
{
public:
    explicit DesignerProject(DesignerContext &context);

    // Writes the open design into its file; false (after a message) when
    // the file could not be written. Does nothing without a surface.
    bool Zapisz();
    void mnuZapiszjakoClick(QObject *sender);
    void mnuZapiszJakoSzablonClick(QObject *sender);
    void Exportujinfocdromu1Click(QObject *sender);

    // Opens a project file and rebuilds the design from it.
    void LoadINI(const QString &fileName);

    // Gives the design surface the outline of the mask a stored path names
    // (none: the plain window), as a test run will show it.
    void applyMaskFile(const QString &stored);

    // Where templates are kept: DataDir + "Szablony/".
    QString templatesDir() const;

private:
    // Where the stored paths written are taken from: as the project stores
    // them, or rebuilt from the CD folder as the save does.
    enum class PathsFrom { AsStored, CdFolder };
    // The whole design into file, in the order other readers rely on.
    void writeDesign(Platform::ProfileFile &file, PathsFrom paths);
    void dropStaleEntries();
    bool flushOrComplain(Platform::ProfileFile &file);
    // The open project's file as the disk has it.
    QString projectFileText() const;
    // The open project's file with the design written over it, under
    // another name; false (after a message) when it could not be written.
    bool writeCopyTo(const QString &target, PathsFrom paths);

    // Steps of the load.
    void createSurface();
    void placeSurface();
    void paintBackground();
    void applyMask();
    void readFilesLeft();
    void showCdDescription();
    void applyTitles();
    void paintTools();

    DesignerContext &m_context;
};
