#include "subwindow.h"

#include "startup/runtimecontext.h"

#include <datafile/datafile.h>

#include <QCloseEvent>

using namespace ProjectFormat;

TForm2::TForm2(SubWindowHost &menu, std::unique_ptr<Platform::ProfileFile> project, const QString &openingKey)
    : TMenuWindowBase(menu.hostWindow().context(), MenuWindowKind::subWindow())
    , m_menu(menu)
    , m_project(std::move(project))
    , m_openingKey(openingKey)
{
    // Freed from the event loop once closed, never inside the handler of
    // its own key or button.
    setAttribute(Qt::WA_DeleteOnClose);
    const TMenuWindowBase &host = menu.hostWindow();
    setWindowFlags(host.windowFlags());
    m_hints = host.hints();
    m_music = &host.music();
    m_clickSounds = &host.clickSounds();
    FormCreate();
    move(host.pos());
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
