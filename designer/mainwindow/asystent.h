#pragma once

#include <QWidget>

#include <functional>

class QAction;
class QFrame;
class QMenu;
class QPlainTextEdit;

namespace Platform {
class ProfileFile;
}

// "Podpowiedzi": a small tool window over the others that shows the help
// text of whatever the mouse points at. It remembers where it stood in the
// designer's settings ([ASYSTENT] W, H, T, L).
class TfrmAsystent : public QWidget
{
    Q_OBJECT

public:
    // mainWindowHeight: where it goes below the main window by default.
    TfrmAsystent(Platform::ProfileFile &cfg, int mainWindowHeight, QWidget *parent = nullptr);

    QFrame *Panel1;
    QPlainTextEdit *Memo1;
    QMenu *PopupMenu1;
    QAction *mnuNaWierzchu; // "Zawsze na &wierchu"
    QAction *mnuZamknij;    // "&Zamknij"

    void showText(const QString &text);
    QString text() const;
    bool staysOnTop() const;

    // After the window closed and wrote its place; the owner unticks its
    // menu item and lets the window go.
    std::function<void()> OnClosed;

    static inline const QString Section = QStringLiteral("ASYSTENT");

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void place(int mainWindowHeight);
    void setStaysOnTop(bool onTop);

    Platform::ProfileFile &m_cfg;
};
