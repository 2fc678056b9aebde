#pragma once

// The CD folder of a project: the folder that holds "AUTORUN.INF" and that
// the project's stored paths start from. Everything the CD shows must lie in
// it; burning the folder makes the CD.

#include <QString>
#include <QStringList>

class DesignerContext;
class QWidget;

namespace CdFolder {

// The CD folder of the open project for the author to read: the folder, or
// a note that there is none.
QString describe(const QString &driveRoot);

// Whether stored paths of a project under driveRoot start from a CD folder.
bool isCdFolder(const QString &driveRoot);

// The folder proposed to become the CD folder of projectFile: the nearest
// folder holding the project and every file in namedFiles (absolute paths),
// yet never "/" nor home itself: then the folder just below home on the way
// to the project, or the project's own folder outside home.
QString proposal(const QString &projectFile, const QStringList &namedFiles, const QString &home);

// The existing files the project names, its paths resolved from "/".
QStringList filesNamedFromTop(const QString &projectFile);

} // namespace CdFolder

// Tells the author, once per project file, that projectFile lies in no CD
// folder, and offers to make one (the proposal, or a folder chosen). A CD
// folder made becomes the context's drive root. True when the project now
// lies in a CD folder.
bool offerCdFolder(QWidget *parent, DesignerContext &context, const QString &projectFile);
