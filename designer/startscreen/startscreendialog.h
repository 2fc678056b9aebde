#pragma once

#include <QDialog>
#include <QPointer>

#include <optional>

class DesignerContext;
class QLabel;
class QLineEdit;
class QMediaPlayer;
class QPushButton;
class QScrollArea;
class QSpinBox;
class QVideoWidget;
class TBitCheckBox;

// "Ustawienia ekranu startowego": the animation and the picture the
// autostart program shows before the menu, their sizes, and a preview of
// each beside the fields. The rules of what OK stores are
// StartScreenSettings'.
class TfrmSetEkran : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmSetEkran(DesignerContext &context, QWidget *parent = nullptr);
    ~TfrmSetEkran() override;

    QLineEdit *edtAVI, *edtBMP;
    QPushButton *BrowseAVI, *BrowseBMP;
    QSpinBox *edtWysAVI, *edtSzerAVI, *edtWysBMP, *edtSzerBMP;
    TBitCheckBox *Preview;
    QScrollArea *ScrollBox1;
    QLabel *imgPreview;
    // The media player's two buttons.
    QPushButton *MPPlay, *MPStop;
    QPushButton *klwOk, *klwAnuluj;

    void BrowseAVIClick(QObject *sender);
    void BrowseBMPClick(QObject *sender);
    void edtAVIClick(QObject *sender);
    void edtBMPClick(QObject *sender);
    void MPClick(QObject *sender);
    void PreviewClick(QObject *sender);
    void klwOKClick(QObject *sender);

    // The media player once an animation was opened; null before.
    QMediaPlayer *MP() const { return m_player; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormCreate();
    QWidget *buildFields();
    QWidget *buildPreview();
    QString fullPath(const QString &stored) const;
    std::optional<QString> chosenFile(const QString &field, const QString &filter);
    // Opens the animation at a stored path in the preview; false when the
    // system cannot open it at all (a failure found while it is decoded is
    // reported later when reportErrors).
    bool openAnimation(const QString &stored, bool reportErrors);
    void closeAnimation();
    bool showPicture(const QString &stored);
    void hidePicture();
    void warn(const QString &text);

    DesignerContext &m_context;
    QWidget *m_previewColumn = nullptr; // the scroll box and the player's buttons
    QWidget *m_previewArea = nullptr;
    QMediaPlayer *m_player = nullptr; // a child of the dialog
    QVideoWidget *m_video = nullptr;
    QString m_reportFailureOf; // the animation whose decoding failure is shown
    int m_narrowWidth = 0;
};

// Opens the dialog modally over parent.
void runStartScreenDialog(QWidget *parent, DesignerContext &context);
