#include "undofixture.h"

#include <menuobjects/menuobjects.h>

#include <QApplication>
#include <QKeyEvent>

namespace {

const char *const kProject = R"([CDROM]
CD_TITLE=Tytuł
[WINDOW]
WIDTH=400
HEIGHT=300
COLOR=clNavy
BACKGROUND=obrazy\tło #1,a.bmp
[NAMES]
1001=Gry
1002=Narzędzia
1003=Muzyka
[DATA]
1001=dane\gry.rv3
1002=dane\narz.rv3
1003=dane\muz.rv3
[GLYPH]
1002=obrazy\klawisz.bmp
[NEXT_WINDOW]
1002=1
[NEXT_WINDOW_INI]
1002=okna\drugie.klv
[FUNCTIONS]
10001=1
10010=1
[FUNCTIONS_CAPTION]
10001=Start
10010=Muzyka
[FUNCTIONS_HINT]
1001=Gry, zabawy
[OBJECTS]
LIST=1
TITLE=1
[FONT_NAME]
1001=Arial
[FONT_STYLE]
1001=B
[LEFT]
1001=10
1002=10
1003=10
10001=200
10010=200
LIST=100
TITLE=100
[TOP]
1001=10
1002=60
1003=110
10001=10
10010=60
LIST=100
TITLE=250
[WIDTH]
1001=80
1002=80
1003=80
10001=70
10010=70
LIST=150
TITLE=200
[HEIGHT]
1001=40
1002=40
1003=40
10001=30
10010=30
LIST=120
TITLE=30
)";

} // namespace

void UndoFixture::SetUp()
{
    DesignerFixture::SetUp();
    context.setUndo(&history);
    context.setSelection(&selection);
}

void UndoFixture::TearDown()
{
    selection.detachAll();
    DesignerFixture::TearDown();
    context.setSelection(nullptr);
    context.setUndo(nullptr);
}

void UndoFixture::loadProject()
{
    writePicture(QStringLiteral("obrazy/tło #1,a.bmp"), 400, 300, Qt::darkGreen);
    writePicture(QStringLiteral("obrazy/klawisz.bmp"), 96, 32, Qt::red);
    writeText(QStringLiteral("projekt/MENU.KLV"), QString::fromUtf8(kProject));
    history.startOver();
    load(QStringLiteral("projekt/MENU.KLV"));
}

QByteArray UndoFixture::saved()
{
    EXPECT_TRUE(project.Zapisz());
    return readBytes(QStringLiteral("projekt/MENU.KLV"));
}

QWidget *UndoFixture::object(int id) const
{
    for (QWidget *candidate : context.Surface->components()) {
        if (MenuObjects::tagOf(candidate) == id)
            return candidate;
    }
    return nullptr;
}

void UndoFixture::pressOnFrame(int key)
{
    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(selection.Klamra(), &event);
}
