#pragma once

#include "checker/checkermessages.h"
#include "checker/datafilechecker.h"

#include <QDialog>

class DesignerContext;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// "Testowanie plików danych": the project's data files (and files added
// by hand), the check of the chosen one, the faulty programs and the faulty
// values of the chosen program. The check itself is DataFileChecker's.
class TfrmTestRV3 : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmTestRV3(DesignerContext &context, QWidget *parent = nullptr);

    QComboBox *cmbPliki, *cmbErrors;
    QLineEdit *edtSetup, *edtKatalog, *edtOpis, *edtAmbitny, *edtZrzut, *edtOpisKat;
    QPushButton *klwTestuj, *klwBrowse, *klwEdycjaRV3, *klwOk;
    QLabel *lblUwaga;

    void DodajPliki(QObject *sender);
    void klwTestujClick(QObject *sender);
    void Odczyt_Error(QObject *sender);
    void klwEdycjaRV3Click(QObject *sender);

    // The report of the file checked last.
    const DataFileChecker::Report &report() const { return m_report; }

private:
    void FormCreate();
    QLineEdit *readOut(const QString &name, const QString &hint);
    // A project's data file that a link leads off the drive is listed, never
    // read: tells why it is not checked or edited; false for other files.
    bool refusedOffTheDrive(const QString &fileName, CheckerMessages::OffTheDriveAction action);
    static constexpr int OffTheDrive = 1; // the item data of such a file
    // The read-out field of a program key, null for other keys.
    QLineEdit *fieldOf(const QString &key) const;

    DesignerContext &m_context;
    DataFileChecker::Report m_report;
};

// Opens the checker modally over parent.
void runDataFileChecker(QWidget *parent, DesignerContext &context);
