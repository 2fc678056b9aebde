#pragma once

#include "menuwindowbase.h"
#include "subwindow.h"
#include "subwindowhost.h"

#include <QList>
#include <QPointer>

// The menu window of the runtime, built from the project copy beside it. It
// owns the sounds and the music and opens the second-level window.
class TForm1 : public TMenuWindowBase, public SubWindowHost, public MenuWindows
{
    Q_OBJECT
public:
    explicit TForm1(RuntimeContext &context, QWidget *parent = nullptr);
    ~TForm1() override;

    // The open second-level window; null while there is none.
    TForm2 *subWindow() const { return m_subWindow; }
    // The second-level window closes: the menu comes back where it stood.
    void returnFromSubWindow(TMenuWindowBase *window) override;
    // Ends the program through the menu's close, so that the music and the
    // options are closed properly.
    void endProgram() override;
    TMenuWindowBase &hostWindow() override { return *this; }
    MenuWindows &menuWindows() override { return *this; }
    MenuView &menuView() override { return *this; }
    MenuView *subWindowOpenedBy(int openingTag) override;

protected:
    const Platform::ProfileFile &project() const override;
    void closeByButton() override;
    void quitConfirmed() override;
    void openSubWindow(int id) override;
    void showForCategoryClick() override;
    void closeEvent(QCloseEvent *event) override;

private:
    // Closes the second-level window without bringing the menu back.
    void discardSubWindow();

    std::unique_ptr<BackgroundMusic> m_ownMusic;
    std::unique_ptr<ClickSounds> m_ownClickSounds;
    QPointer<TForm2> m_subWindow;
    // Every second-level window not deleted yet: a closed one is deleted
    // from the event loop, and the menu must not outlive it unnoticed.
    QList<QPointer<TForm2>> m_subWindows;
};
