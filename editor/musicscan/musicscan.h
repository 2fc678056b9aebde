#pragma once

#include <disksearch/searchdialog.h>

#include "musicentries.h"

class DataEditorHost;

// The music scan: the disk search with music masks, whose hits become data
// file entries, either into one data file the user names ("Zapisz", the
// selected rows) or into one data file per folder ("&Pełny Automat", every
// row).
class T_frmMP3 : public TSearchDialog
{
    Q_OBJECT
public:
    explicit T_frmMP3(DataEditorHost &host, QWidget *parent = nullptr);

    TFileList *listaMP3;
    QLineEdit *edtRV3;
    QPushButton *klwAuto;
    QLineEdit *edtKatRV3;
    QPushButton *klwBrowseRV3DIR;
    QPushButton *klOK;
    QPushButton *klwFullAuto;

    void klOKClick();
    void klwFullAutoClick();
    void klwBrowseRV3DIRClick();

protected:
    void searchEnded() override;

private:
    QList<MusicEntries::Row> rowsOf(const QList<int> &rows) const;
    // The folder for the data files, made when missing, with a trailing
    // "/"; empty (after the message) when it cannot be used.
    QString dataFolder();
    // What became of one data file.
    struct Written
    {
        enum Status { Done, Failed, Cancelled }; // Cancelled: the editor's question was cancelled
        Status status = Done;
        QString message;          // for the user, when it failed
        QString reason;           // why, in a few words that name the file
        bool byTheSystem = false; // a write the system refused (else a refusal of ours)
    };
    // Writes one data file, with the editor's turn when it has it open.
    // Shows nothing; the caller tells.
    Written writeDataFile(const QString &dataFile, const QList<MusicEntries::Row> &rows, int &skipped);
    void selectionChanged();
    void warn(const QString &text, bool error = false);

    DataEditorHost &m_host;
};
