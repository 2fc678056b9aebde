#include "subwindow.h"

#include "menuwindow/menuwindow.h"
#include "startup/runtimecontext.h"

#include <datafile/datafile.h>

#include <QCloseEvent>

using namespace ProjectFormat;

TForm2::TForm2(TForm1 &menu, std::unique_ptr<Platform::ProfileFile> project, const QString &openingKey)
    : TMenuWindowBase(menu.context(), MenuWindowKind::subWindow(), m_ownChoice)
    , m_menu(menu)
    , m_project(std::move(project))
    , m_openingKey(openingKey)
{
    // Freed from the event loop once closed, never inside the handler of
    // its own key or button.
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlags(menu.windowFlags());
    m_hints = menu.hints();
    m_music = &menu.music();
    m_clickSounds = &menu.clickSounds();
    FormCreate();
    move(menu.pos());
}

TForm2::~TForm2() = default;

void TForm2::closeByButton()
{
    close();
}

void TForm2::quitConfirmed()
{
    m_menu.endProgram();
}

void TForm2::showForCategoryClick()
{
    // Its keys are clicked only while it is shown; AUTOLOAD runs before.
}

void TForm2::showStartDescription()
{
    // Those of the menu's category that opened this window.
    const ProjectValues menuProject = context().menuValues();
    const QString dataFile = menuProject.text(Sections::Data, m_openingKey, {});
    const DataFile::Header header = DataFile::readHeader(menuProject.resolve(dataFile));
    showCategoryTitle(header.title);
    loadDescription(header.description);
    showDescription(true);
}

void TForm2::closeEvent(QCloseEvent *event)
{
    m_menu.returnFromSubWindow(this);
    event->accept();
}
