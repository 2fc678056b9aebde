#pragma once

#include <QDialog>

class DesignerContext;
class DesignerPlayers;
class QLineEdit;
class QPushButton;

// "Dźwięk": the background music of the designed menu and the click sounds
// of its keys, each with a browse and a play button. The values are the
// project's settings (SoundSettings); playing goes to the main window's
// players, and every way of closing stops them.
class TfrmDzwiek : public QDialog
{
    Q_OBJECT

public:
    TfrmDzwiek(DesignerContext &context, DesignerPlayers &players, QWidget *parent = nullptr);

    QLineEdit *edtMuzyka, *edtMove, *edtNacisniecie, *edtZwolnienie;
    QPushButton *klwBrowseMusic, *klwPlayMusic, *klwBrowseMove, *klwPlayMove, *klwBrowseDown, *klwPlayDown,
        *klwBrowseUp, *klwPlayUp;
    QPushButton *klwStopPlaying, *klwOk, *klwAnuluj;

    void klwBrowseMusicClick(QObject *sender);
    // The three click sounds; sender tells which.
    void klwBrowseSoundClick(QObject *sender);
    void klwPlayMusicClick(QObject *sender);
    void klwPlaySoundClick(QObject *sender);
    void klwStopPlayingClick(QObject *sender);
    void klwOkClick(QObject *sender);

    void done(int result) override;

private:
    void FormCreate();
    void addRow(class QGridLayout *grid, int row, const QString &label, QLineEdit *&field, QPushButton *&browse,
                QPushButton *&play, const QString &browseKey);
    QLineEdit *fieldOf(QObject *button) const;
    QString fullPath(const QString &stored) const;
    void warn(const QString &text);

    DesignerContext &m_context;
    DesignerPlayers &m_players;
};

// Opens "Dźwięk" modally over parent.
void runSoundDialog(QWidget *parent, DesignerContext &context, DesignerPlayers &players);
