#include "menuwindow.h"

#include "startup/runtimecontext.h"

#include <QApplication>
#include <QCloseEvent>

using namespace ProjectFormat;

TForm1::TForm1(RuntimeContext &context, QWidget *parent)
    : TMenuWindowBase(context, MenuWindowKind::menu(), parent)
{
    const UserOptions &options = context.Options;
    const auto output = Platform::Audio::Output::fromEnvironment();
    m_ownMusic = std::make_unique<BackgroundMusic>(!options.NOSOUND && !options.NoMusic, output);
    m_ownClickSounds = std::make_unique<ClickSounds>(output);
    m_music = m_ownMusic.get();
    m_clickSounds = m_ownClickSounds.get();
    FormCreate();
}

TForm1::~TForm1()
{
    // The second-level windows use the menu's music, sounds and hints.
    for (const QPointer<TForm2> &window : std::as_const(m_subWindows))
        delete window.data();
}

const Platform::ProfileFile &TForm1::project() const
{
    return *context().MenuIni;
}

void TForm1::closeByButton()
{
    // The music player is closed first; then the program ends without
    // asking.
    music().close();
    QCoreApplication::exit(0);
}

void TForm1::quitConfirmed()
{
    close();
}

void TForm1::endProgram()
{
    close();
    QCoreApplication::quit();
}

void TForm1::openSubWindow(int id)
{
    // One second-level window at a time, each with its own project file.
    discardSubWindow();
    const QString key = QString::number(id);
    auto subProject = std::make_unique<Platform::ProfileFile>(values().path(Sections::NextWindowIni, key));
    m_subWindow = new TForm2(*this, std::move(subProject), key);
    m_subWindows.removeAll(nullptr);
    m_subWindows.append(m_subWindow);
    m_subWindow->show();
    hide();
}

void TForm1::showForCategoryClick()
{
    show();
    if (m_subWindow)
        m_subWindow->hide();
}

void TForm1::returnFromSubWindow(TMenuWindowBase *window)
{
    if (window != m_subWindow)
        return;
    m_subWindow = nullptr;
    move(window->pos());
    show();
}

MenuView *TForm1::subWindowOpenedBy(int openingTag)
{
    if (!m_subWindow || m_subWindow->openingKey().toInt() != openingTag)
        return nullptr;
    return m_subWindow.data();
}

void TForm1::discardSubWindow()
{
    if (!m_subWindow)
        return;
    TForm2 *window = m_subWindow;
    m_subWindow = nullptr;
    window->close();
}

void TForm1::closeEvent(QCloseEvent *event)
{
    // The music player is closed; closing is always allowed.
    discardSubWindow();
    music().close();
    event->accept();
}
