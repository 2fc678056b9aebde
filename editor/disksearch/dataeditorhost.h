#pragma once

#include <mainwindow/editordocument.h>

#include <QString>

// What the search dialogs ask of the editor's main window: adding a found
// program to the open data file, and the turn of a data file that the music
// scan writes while the editor may have it open.
class DataEditorHost
{
public:
    virtual ~DataEditorHost() = default;

    // Adds the program of folder (absolute) with fileName as SETUP, with
    // the editor's own messages for a refusal.
    virtual EditorDocument::AddOutcome addFoundProgram(const QString &folder, const QString &fileName) = 0;
    // Before dataFile is written from outside: when it is the open file with
    // unsaved changes, the editor asks about them. False: the user
    // cancelled, nothing may be written.
    virtual bool mayWriteDataFile(const QString &dataFile) = 0;
    // After dataFile was written: the editor reads it again when it is the
    // open file.
    virtual void dataFileWritten(const QString &dataFile) = 0;
};
