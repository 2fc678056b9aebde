#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;

// The prompt dialog with a browse button: the browse button picks a file and
// puts its drive-relative stored form into the edit.
class TfrmInput : public QDialog
{
    Q_OBJECT
public:
    TfrmInput(QWidget *parent, const QString &caption, const QString &prompt, const QString &value,
              const QString &filter, const QString &driveRoot);

    QLabel *lblPrompt;
    QLineEdit *edtDefault;
    QPushButton *klwOK;
    QPushButton *klwAnuluj;
    QPushButton *klwBrowse;

    void klwBrowseClick(QObject *sender);

private:
    QString m_filter;
    QString m_driveRoot;
};

// Asks for one line of text. With browse the dialog has a browse button
// that picks a file (filter in Qt's form) and enters it drive-relative to
// driveRoot (the program's drive root when empty). True when the user
// pressed OK; value then holds the text, else it is left alone.
bool InputBox(QWidget *parent, const QString &caption, const QString &prompt, bool browse, QString &value,
              const QString &filter = QString(), const QString &driveRoot = QString());
