#pragma once

#include "editordocument.h"
#include "zazavaconfig.h"

#include <disksearch/dataeditorhost.h>

#include <QMainWindow>

#include <array>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QShortcut;
class QSplitter;
class QStatusBar;
class TDock;
class TMRUFileList;
class TToolbar;
class TToolbarButton;
class TEditorDirTree;
class TFileDrag;
class TFileList;
class THListBox;
class TInEdit;
class T_frmMP3;
class T_frmZnajdz;

// The data editor's main window: a folder tree and a file list of the data
// file's drive on the left, the programs of the category with their fields
// on the right. Programs are added from the file list, renamed and
// described in place, edited in the field boxes, deleted, and the whole
// data file is written back.
class T_Form1 : public QMainWindow, public DataEditorHost
{
    Q_OBJECT
public:
    // configPath: "Zazava.cfg" (ZazavaConfig::path() in the program).
    explicit T_Form1(const QString &configPath, QWidget *parent = nullptr);
    ~T_Form1() override;

    EditorDocument &document() { return m_document; }

    // Components, named as the window's users know them.
    TDock *Doki;
    TToolbar *Pasek;
    QLineEdit *edtNazwaKat;
    QLineEdit *edtOpisKategorii;
    TToolbarButton *btnNew;
    TToolbarButton *btnOpen;
    TToolbarButton *btnSave;
    // Down: only some fields of a program already listed are updated.
    TToolbarButton *btnPopraw;
    TToolbarButton *btnSkanuj;
    QSplitter *splitPion;
    QSplitter *splitNazwy;
    TEditorDirTree *Dirs;
    TFileList *Files;
    QLineEdit *edtPlik;
    THListBox *lstNazwy;
    THListBox *lstOpis;
    TInEdit *InEdit1; // over lstOpis
    TInEdit *InEdit2; // over lstNazwy
    QComboBox *edtKat_KOPI;
    QComboBox *edtKat_PRG;
    QComboBox *edtSetup;
    QComboBox *edtZrzut;
    QComboBox *edtNumer;
    QComboBox *edtSystem;
    QComboBox *edtAmbitnyOpis;
    QComboBox *edtRozmiar;
    QComboBox *edtInfo;
    QLabel *lblSystem;
    QLabel *lblKatalog;
    QWidget *pnlOpcjonalne;
    QStatusBar *StatusBar1;
    TFileDrag *FileDrag1;
    // The disk search and the music scan, made with the window and only
    // hidden when closed.
    T_frmZnajdz *frmZnajdz;
    T_frmMP3 *frmMP3;

    QAction *mnuNowy;
    QAction *mnuOtworz;
    QAction *mnuZapisz;
    QAction *mnuZapiszJako;
    // The recent data files, in the submenu "Otwórz ponownie" in front of
    // "Zapisz".
    TMRUFileList *MRU;
    QAction *mnuZakoncz;
    QAction *mnuPasek;
    QAction *mnuOpcjonalne;
    QAction *mnuOdswiez;
    QAction *mnuSkanuj;
    QAction *mnuNotatnik;
    QAction *mnuSkanujMP3;
    QAction *mnuNazwaKategorii;
    QAction *mnuOpisKategorii;
    QAction *mnuSpisKatalog;
    QAction *mnuSpisOpis;
    QAction *mnuSpisNumer;
    QAction *mnuPomoc;
    QAction *mnuInformacja;
    QAction *mnuZmienNazwe;
    QAction *mnuUsun;

    // Commands, callable as the menus call them.
    void LoadINI(const QString &fileName);
    void NowyClick();
    void OtworzClick();
    void ZapiszClick();
    void ZapiszJakoClick();
    void NazwaKategoriiClick();
    void OpisKategoriiClick();
    void NotatnikClick();
    void SpisClick(EditorDocument::Field field, const QString &suffix);
    void ZmienNazweClick();
    void UsunClick();
    void OdswiezClick();
    // F5: the disk search from the folder selected in the tree.
    void SkanujClick();
    void SkanujMP3Click();

    // The file list's commands on its selected entry.
    void DodajNowyClick();
    void DodajSetup(const QString &name);
    void DodajJakoPole(EditorDocument::Field field);
    void OpisKategoriClick();
    void UtworzDizClick();
    void OtworzPlikClick();
    void OtworzJakoTekstClick();

    // Adds the program of folder with setupName as SETUP; what came of it
    // (after the messages of a refusal).
    EditorDocument::AddOutcome DodajNowyPRG(const QString &folder, const QString &setupName);

    // What the search dialogs ask of the window.
    EditorDocument::AddOutcome addFoundProgram(const QString &folder, const QString &fileName) override;
    bool mayWriteDataFile(const QString &dataFile) override;
    void dataFileWritten(const QString &dataFile) override;
    // Makes row the current program and shows it everywhere.
    void selectProgram(int row);
    // The in-place editors over the name and description lists.
    void editNameInPlace(int row);
    void editDescriptionInPlace(int row);
    void UsunDisk1Click();
    void setSystem(const QString &system);
    // The folder the file list shows, with a trailing "/".
    QString fileListFolder() const;
    // The file list's selected entry as a full path; empty without one.
    QString selectedFile() const;
    // Writes the data file; asks for a name when there is none. False when
    // nothing was written.
    bool saveCurrent();
    // The file list's context menu, filled for its selection.
    QMenu *buildFilesMenu();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct FieldBox
    {
        QComboBox *box;
        EditorDocument::Field field;
    };

    void buildActions();
    void buildMenus();
    void buildToolbar();
    TToolbarButton *addToolbarButton(const QString &caption, const QString &hint, QAction *command);
    void buildRecentFiles();
    void buildCentre();
    void keepPaneWidths();
    QComboBox *makeFieldBox();
    QWidget *makeFieldsPanel();
    void applyConfig();
    void storeConfig();
    void showDocument();
    void showNewDocument();
    void showCurrent();
    void updateCaption();
    void fieldEntered(const FieldBox &fieldBox);
    void folderChosen(const QString &path);
    void showSelectedFile();
    void filesDoubleClick(int row);
    void showLabelMenu(QLabel *label, const QPoint &globalPos);
    bool needsFile();
    bool confirmDiscard(const QString &question);
    bool placeInEdit(TInEdit *edit, THListBox *list, int row);
    void inEditGoingOff(TInEdit *edit, int reason, const QString &value, bool &allowExit);
    bool inPlaceEditing() const;
    void updateNameMenu();
    QString askDataFileName(const QString &caption);
    void error(const QString &message);
    void buildSearchDialogs();
    bool isOpenDataFile(const QString &path) const;

    QString m_configPath;
    ZazavaConfig m_config;
    EditorDocument m_document;
    std::array<FieldBox, 9> m_fields{};
    QShortcut *m_stopSearches = nullptr;
    int m_inEditRow = -1;
    bool m_showing = false;
};
