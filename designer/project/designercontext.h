#pragma once

#include "project/designerservices.h"

#include <mru/mrufilelist.h>
#include <profilefile.h>
#include <projectfile/menudesign.h>

#include <QLabel>
#include <QLineEdit>
#include <QPoint>
#include <QPointer>
#include <QSet>
#include <QString>

#include <array>
#include <map>
#include <memory>

class DesignerPlayers;
class TfrmMenu;
class TImage;
class TMenuButton;
class TTranspList;

// The objects of the open design that the save writes and that the creators
// may add only once: one reference per function key and per single object.
// They empty themselves when an object is deleted. BACK is the surface's
// own background and always there.
struct DesignObjectRefs {
    std::array<QPointer<TMenuButton>, 12> functionKeys;
    QPointer<TTranspList> list;
    QPointer<QLineEdit> serial;
    QPointer<QLineEdit> system;
    QPointer<QLineEdit> info;
    QPointer<QLineEdit> rozmiar;
    QPointer<TImage> tools;
    QPointer<TTranspList> description;
    QPointer<QLabel> title;

    QPointer<TMenuButton> &functionKey(int id);
    // The single object or function key of an id; nullptr when absent.
    QWidget *object(int id) const;
    QPointer<QLineEdit> *field(int id);
    void clear();
};

// The files of a key that the design keeps with the key itself.
struct KeyFiles {
    QString glyphFile;
    QString dataFile;
    QString nextWindowFile;
};

// The state of the designer that its windows share: the open project and
// its design, the surface with its objects, and the
// services of the windows around it. The main window owns one.
class DesignerContext
{
public:
    DesignerContext();
    ~DesignerContext();
    DesignerContext(const DesignerContext &) = delete;
    DesignerContext &operator=(const DesignerContext &) = delete;

    // Folders: DriveRoot completes every stored path; GeneratorDir is the
    // program's folder (files it only reads); DataDir is where the designer
    // writes its own files (templates, temporary files).
    QString DriveRoot;
    QString GeneratorDir;
    QString DataDir;
    // Projects already told that they lie in no CD folder (absolute paths).
    QSet<QString> CdFolderOffered;
    // Dodorurav.cfg [PLIKI] MPEGDLL: the MP3 decoder library as a full path.
    QString MpegDllPath;
    // The main window's sound players; a load lets the MP3 plug-in go.
    DesignerPlayers *Players = nullptr;
    // Click selects an object (Dodorurav.cfg [OPCJE] Klamra).
    bool ClickSelects = true;
    // The height of the main window; the surface opens below it.
    int MainWindowHeight = 0;

    // The open project: absent until the first one is opened.
    std::unique_ptr<Platform::ProfileFile> ProjectIni;
    bool ProjectModified = false;
    // The open design: the window, every object on it and the settings.
    // Edits change it and then the widget that shows the object; the save
    // writes it and an undo step keeps a copy.
    ProjectFormat::MenuDesign Design;
    // The files of ids that have no key: those a deleted key leaves behind
    // and those the project file names for ids without a key. A new key of
    // such an id takes them; a save forgets them, so that a key made after
    // it starts without.
    std::map<int, KeyFiles> KeyFilesLeft;

    QPointer<TfrmMenu> Surface;
    // The recent projects of the main window; every opened file goes on top.
    QPointer<TMRUFileList> MRU;
    DesignObjectRefs Objects;
    QPointer<QWidget> CurrentObject;
    // Where the next object goes, in the surface's client coordinates.
    QPoint ClickPoint;

    // The main window's caption ("Dodorurav KALVORA -> " + file).
    QString MainCaption;
    // The application title that follows CD_TITLE: the name the desktop
    // shows for the program, after the caption of each window.
    const QString &applicationTitle() const { return m_applicationTitle; }
    void setApplicationTitle(const QString &title);

    // The windows around the surface; stand-ins until they are set.
    ObjectPalette *palette() const { return m_palette; }
    ObjectInspector &inspector() const { return *m_inspector; }
    UndoHistory &undo() const { return *m_undo; }
    SelectionFrame &selection() const { return *m_selection; }
    void setPalette(ObjectPalette *palette) { m_palette = palette; }
    void setInspector(ObjectInspector *inspector);
    void setUndo(UndoHistory *undo);
    void setSelection(SelectionFrame *selection);

    // Edits of the settings and the key files mark the project modified,
    // once a load has connected them: the load's own changes do not.
    void connectChangeEvents() { m_marksEdits = true; }
    void disconnectChangeEvents() { m_marksEdits = false; }
    void markEdited();

private:
    QString m_applicationTitle;
    bool m_marksEdits = false;
    ObjectPalette *m_palette = nullptr;
    ObjectInspector *m_inspector = nullptr;
    UndoHistory *m_undo = nullptr;
    SelectionFrame *m_selection = nullptr;
    std::unique_ptr<ObjectInspector> m_noInspector;
    std::unique_ptr<UndoHistory> m_noUndo;
    std::unique_ptr<SelectionFrame> m_noSelection;
};

// Frees the design surface; the surface's own code knows how, the context
// only holds it.
void deleteSurface(QPointer<TfrmMenu> &surface);

// Messages carry the designer's title as their caption.
inline const QString DesignerCaption = QStringLiteral("Dodorurav 2.1");
