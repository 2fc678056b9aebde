#pragma once

#include "project/projectfiles.h"

#include <QDialog>
#include <QList>
#include <QString>

class QPushButton;
class THCheckListBox;

namespace Platform {
class ProfileFile;
}

// One line of the required files: what is shown and whether the file is
// there.
struct RequiredLine
{
    QString text;
    bool exists = false;
};

// The files the project needs, in the order they are listed: its stored
// paths below driveRoot (names found without regard to case, empty values
// left out) and, with MP3 music, the MP3 library configured at mpegDll.
QList<RequiredLine> requiredLines(const Platform::ProfileFile &project, const QString &driveRoot,
                                  const QString &mpegDll);

// "Wymagane pliki konfiguracji": the lines, each ticked when its file is
// there; the ticks only show that and are not the author's to change.
class TfrmWymagane : public QDialog
{
public:
    TfrmWymagane(const QList<RequiredLine> &lines, QWidget *parent = nullptr);

    THCheckListBox *Lista;
    QPushButton *klwOk;

protected:
    void showEvent(QShowEvent *event) override;
};

// The list for the project file on disk.
void runRequiredFiles(QWidget *parent, const QString &projectFile, const QString &driveRoot, const QString &mpegDll);
