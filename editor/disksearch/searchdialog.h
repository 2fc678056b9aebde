#pragma once

#include "searchworker.h"

#include <QDialog>

class QComboBox;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QStatusBar;
class QVBoxLayout;
class TBrowseFolder;
class TFileList;

// What the disk search and the music scan share: the mask box, the start
// folder, "&Znajdź" and "&Anuluj", the folder being read, the count and
// the list of hits. The walk runs on the dialog's worker; this window only
// shows it. A tool window of its owner, so the owner's messages are never
// hidden behind it; closing only hides it and stops the walk.
class TSearchDialog : public QDialog
{
    Q_OBJECT
public:
    // builtInMasks: the first entries of the mask box; the first one is
    // its starting text.
    TSearchDialog(const QStringList &builtInMasks, QWidget *parent = nullptr);
    ~TSearchDialog() override;

    QWidget *panelEdycji;
    QComboBox *Combo;
    QLineEdit *edtRozpocznij;
    QPushButton *klwBrowse;
    QPushButton *klwZnajdz;
    QPushButton *klwAnuluj;
    QLabel *lblAktualnykatalog;
    QStatusBar *PasekStanu;
    TBrowseFolder *BrowseFolder;

    void klwZnajdzClick();
    void klwAnulujClick();
    void klwBrowseClick();

    bool isSearching() const { return m_worker->isRunning(); }
    // Stops the walk (Esc here or in the owner); finished state follows.
    void stopSearch();
    SearchWorker *worker() const { return m_worker; }
    // The list of hits (listaZnalezione or listaMP3).
    TFileList *hitList() const { return m_hits; }
    // The mask lists after the built-in ones, in the box's order.
    QStringList userMasks() const;
    // "&Otwórz" on the selected hit.
    void openHit();

signals:
    void searchingChanged(bool searching);

protected:
    // Further rows above the list and buttons beside "&Anuluj".
    QGridLayout *extraRows() const { return m_extraRows; }
    QVBoxLayout *buttonColumn() const { return m_buttons; }
    // The hit list's context menu, filled by the dialog.
    virtual void fillHitMenu(QMenu &menu);
    virtual void searchEnded() {}
    // Before the window hides (the walk is stopped after it).
    virtual void closing() {}

    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void reject() override;

private:
    void setSearching(bool searching);
    void showProgress(const SearchWorker::Progress &batch);
    void ended();

    int m_builtInCount;
    TFileList *m_hits;
    SearchWorker *m_worker;
    QGridLayout *m_extraRows;
    QVBoxLayout *m_buttons;
    bool m_placed = false;
};
