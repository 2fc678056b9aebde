#pragma once

#include <colors.h>

#include <QDialog>

class BackgroundMusic;
class RuntimeContext;
class TBitCheckBox;
class TMenuButton;

// The user's options for this CD: sounds, what an autostart does, the
// built-in archive window and minimising on a start. OK takes the options
// for this run and, with "zapisz opcje na dysk twardy" ticked, writes all
// of them into the CD's section of "KALVOR.RUN".
class TfrmOpcje : public QDialog
{
    Q_OBJECT
public:
    // The order the keys are written in.
    static const QStringList &savedKeys();

    // color, fontColor: those of the window that opens the dialog.
    TfrmOpcje(QWidget *owner, RuntimeContext &context, BackgroundMusic &music, Platform::TColor color,
              Platform::TColor fontColor);

    void chkAnimClick(QObject *sender);
    void chkExplorerClick(QObject *sender);
    void klwOkClick(QObject *sender);
    void klwAnulujClick(QObject *sender);

    TBitCheckBox *chkNoSound = nullptr;
    TBitCheckBox *chkNoMusic = nullptr;
    TBitCheckBox *chkNoClicks = nullptr;
    TBitCheckBox *chkAnim = nullptr;
    TBitCheckBox *chkMenu = nullptr;
    TBitCheckBox *chkExplorer = nullptr;
    TBitCheckBox *chkOpenZip = nullptr;
    TBitCheckBox *chkOpenRAR = nullptr;
    TBitCheckBox *chkSave = nullptr;
    TBitCheckBox *chkMinONRun = nullptr;
    TMenuButton *klwOk = nullptr;
    TMenuButton *klwAnuluj = nullptr;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    TBitCheckBox *box(const QString &name, const QString &caption, bool checked);
    void save();
    void applyMusic();

    RuntimeContext &m_context;
    BackgroundMusic &m_music;
};
