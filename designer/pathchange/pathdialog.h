#pragma once

#include <QDialog>

#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TBrowseFolder;
class TMenuButton;

struct PathChangeSetup
{
    QString projectFile; // the open project
    QString driveRoot;   // its stored paths start here
    // The save question; false when the change must not go on.
    std::function<bool()> saveQuestion;
    // Opens the project file again with its undo history started over.
    std::function<void(const QString &fileName)> reopen;
};

// "Zmienianie ścieżek dostępu w pliku": one folder of the open project's
// stored paths replaced by another, then the project opened again.
class TfrmSciezki : public QDialog
{
public:
    TfrmSciezki(PathChangeSetup setup, QWidget *parent = nullptr);

    QLabel *lblNazwaINI;
    QComboBox *cmbSciezki; // the folders found in the file; one may be typed
    QLineEdit *edtKatalog;
    TMenuButton *klwBrowse;
    QPushButton *klwZmianiaj, *klwZamknij;
    TBrowseFolder *BrowseFld;

    void BrowseIt(QObject *sender);
    void klwZmianiajClick(QObject *sender);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void buildForm();
    void FormCreate();
    void tell(const QString &text);

    PathChangeSetup m_setup;
};

void runPathChange(QWidget *parent, PathChangeSetup setup);
