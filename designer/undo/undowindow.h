#pragma once

#include <QWidget>

#include <functional>

class QAction;
class QMenu;
class THListBox;

namespace Platform {
class ProfileFile;
}

// "Cofanie czynności": the tool window that lists the undo steps by name.
// Choosing a step restores it; its pop-up menu reloads the project from
// disk, clears the history, keeps the window on top and closes it. It
// remembers its place in the designer's settings ([UNDO] W, H, T, L and
// OnTop); closing only hides it.
class TfrmUndo : public QWidget
{
    Q_OBJECT

public:
    // mainWindowHeight: where it stands below the main window by default.
    TfrmUndo(Platform::ProfileFile &cfg, int mainWindowHeight, QWidget *parent = nullptr);

    THListBox *ListaUndo;
    QMenu *PopupMenu1;
    QAction *mnuCofnij;        // "&Cofnij"
    QAction *mnuOstatnioZach;  // "&Odśwież z dysku"
    QAction *mnuWyczysc;       // "&Wyczyść historię"
    QAction *mnuOnTop;         // "&Zawsze na wierzchu"
    QAction *mnuZamknij;       // "Za&mknij"

    // The names of the steps, and the chosen one (-1: none).
    void showSteps(const QStringList &names, int selected);
    bool staysOnTop() const;

    // A step was chosen (its index).
    std::function<void(int index)> OnRestore;
    std::function<void()> OnReload;
    std::function<void()> OnClear;

    static inline const QString Section = QStringLiteral("UNDO");

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void mnuCofnijClick();
    void place(int mainWindowHeight);
    void setStaysOnTop(bool onTop);

    Platform::ProfileFile &m_cfg;
};
