#pragma once

// The archive window: the entries of an archive the desktop could not open,
// extraction of all or the chosen entries into a folder picked in the
// folder tree, one entry opened on a double click, and for zip archives a
// self-extracting program.

#include "rartool.h"
#include "ziptool.h"

#include <dialogs.h>
#include <sortgrid/sortgrid.h>

#include <QDialog>
#include <QPixmap>
#include <QPointer>
#include <QTemporaryDir>

#include <memory>

class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class TDirTree;
class TMenuButton;
class RuntimeContext;

// What the window is handed.
struct ArchiveWindowSettings {
    QString archivePath;
    // Where the unzip plug-in and the self-extractor stub lie.
    QString programDir;
    QString applicationTitle;
};

class TExtract : public QDialog
{
    Q_OBJECT
public:
    explicit TExtract(QWidget *parent);

    TDirTree *Dirs;
    QLineEdit *edtKatalog;
    QButtonGroup *RadioGroup1; // keep folders: 0 "NIE", 1 "TAK"
    QButtonGroup *RadioGroup2; // overwrite
    QButtonGroup *RadioGroup3; // 0 "Wszystkie", 1 "Zaznaczone"
    TMenuButton *OKBut;
    TMenuButton *CancelBut;

    // What the last showing left.
    bool LeftWithoutOk = true;
    QString Target;
    bool KeepFolders = true;
    bool OverWrite = true;
    bool AllEntries = true;

    QString applicationTitle;
    std::function<void()> hideGauge;

    // The folder the dialog proposes: the last one chosen in this run, else
    // the user's home folder, never the read-only disc the menu runs from.
    static QString proposedFolder();

    void OKButClick(QObject *sender);
    void CancelButClick(QObject *sender);

protected:
    void showEvent(QShowEvent *event) override;
};

class TMakeSFX : public QDialog
{
    Q_OBJECT
public:
    TMakeSFX(QWidget *parent, const QString &archivePath);

    QLineEdit *edtSFXFileName;
    QLineEdit *CaptionEdit;
    QLineEdit *DirectoryEdit;
    QLineEdit *CommandEdit;
    QCheckBox *CmdLineCB;
    QCheckBox *FileListCB;
    QCheckBox *HideOverwriteCB;
    QButtonGroup *DfltOverWriteGrp;
    TMenuButton *ExecBut;
    TMenuButton *CancelBut;

    bool Confirmed = false;
    // The program's path as typed, made absolute.
    QString programPath() const;
    // The archive copy the conversion works on (in a private folder).
    QString WorkCopy;
    QString applicationTitle;
    TZipTool *tool = nullptr;

    void ExecButClick(QObject *sender);
    void CancelButClick(QObject *sender);

private:
    QString m_archivePath;
    // Where the archive copy is converted; removed with the dialog.
    std::unique_ptr<QTemporaryDir> m_work;
};

class TfrmZip : public QDialog
{
    Q_OBJECT
public:
    TfrmZip(QWidget *parent, const ArchiveWindowSettings &settings);
    ~TfrmZip() override;

    TSortGrid *StringGrid1;
    QLabel *ZipFName;
    QLabel *lblFileCount;
    TMenuButton *ExtractBut;
    TMenuButton *ConvertBut;
    TMenuButton *MenuButton1;
    QProgressBar *ProgressBar1;
    TZipTool *ZipTool1;
    TRAR *RAR;
    TExtract *Extract;
    TMakeSFX *MakeSFX;

    // Sorted column and options of the grid.
    int SortedColumn = 0;
    SortGrid::TSortOptions SortOptions;

    void ExtractButClick(QObject *sender);
    void ConvertButClick(QObject *sender);
    void MenuButton1Click(QObject *sender);
    void StringGrid1DblClick(QObject *sender);
    void FillGrid();

    // The private folder a double click extracts into.
    QString openFolder() const { return m_openFolder; }

    // Installs the window as the menu's archive handler.
    static void install(const RuntimeContext &context);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void reject() override;

private:
    void FormCreate();
    void ZipTool1DirUpdate(QObject *sender);
    void RARListFile(QObject *sender, const UnRar::HeaderData &listedFile);
    void RARExtract(QObject *sender, const UnRar::HeaderData &eFile, bool result);
    bool busy() const;
    void stopWork();
    void extractZip();
    void extractRar();
    QString extractZipForOpening(const QString &name);
    QString extractRarForOpening(const QString &name);
    void ZipTool1Progress(QObject *sender, TZipTool::ProgressType type, const QString &name, qint64 size);
    void StringGrid1ClickSort(QObject *sender, int col, int row, SortGrid::TSortOptions &options);
    void StringGrid1DrawCell(QObject *sender, int col, int row, const QRect &rect, int state, QPainter &painter);
    void StringGrid1MouseDown(QObject *sender, Qt::MouseButton button, int col, int row);
    void fitLabel();
    void takeColours(const QColor &window);
    void message(const QString &text, Platform::MessageIcon icon);
    QString extractForOpening(const QString &name);

    ArchiveWindowSettings m_settings;
    bool m_zip = true;
    bool m_rarBusy = false;
    int m_listedRow = 1;
    // Names the RAR plug-in reported as written by the running extraction.
    QStringList m_rarWritten;
    bool m_pressOnHeader = false;
    QString m_openFolder;
    QPixmap m_arrows[2];
};
