// The design surface is the live preview of the runtime's window: built from
// one project file, both show every object at the same place with the same
// text, font and glyph cells. Where they differ by design it is said here:
// the designer shows each field at the height of its sample text.
#include "menufixture.h"

#include <project/designercontext.h>
#include <document/designerproject.h>
#include <surface/menusurface.h>

#include <buttons/menubutton.h>
#include <menuobjects/imagewidget.h>
#include <menuobjects/menuobjects.h>
#include <transplist/transplist.h>

#include <projectfile/projectformat.h>

#include <QLabel>
#include <QLineEdit>

using namespace ProjectFormat;

namespace {

const char *const kProject = "[WINDOW]\nWIDTH=700\nHEIGHT=500\nTOOLS_ALIGN=3\n"
                             "[CDROM]\nCD_TITLE=Płyta próbna\n"
                             "[NAMES]\n1001=Gry\n1002=Narzędzia\n"
                             "[GLYPH]\n1001=MENU\\GRY.BMP\n10001=MENU\\START.BMP\n"
                             "[NUMGLYPHS]\n1001=4\n10001=2\n"
                             "[FUNCTIONS]\n10001=1\n10006=1\n"
                             "[FUNCTIONS_CAPTION]\n10001=Start\n10006=Koniec\n"
                             "[OBJECTS]\nLIST=1\nSERIAL=1\nSYSTEM=1\nTOOLS=1\nDESCRIPTION=1\nTITLE=1\n"
                             "[FONT_NAME]\n1001=Arial\nLIST=Courier New\nTITLE=Arial\n"
                             "[FONT_SIZE]\n1001=12\n10006=9\nSERIAL=10\nTITLE=16\n"
                             "[FONT_STYLE]\n1002=bu\nDESCRIPTION=I\nTITLE=BI\n"
                             "[LEFT]\n1001=20\n1002=20\n10001=300\n10006=400\nLIST=150\nSERIAL=150\nSYSTEM=150\n"
                             "DESCRIPTION=400\nTITLE=150\nTOOLS=0\n"
                             "[TOP]\n1001=40\n1002=90\n10001=420\n10006=420\nLIST=80\nSERIAL=30\nSYSTEM=10\n"
                             "DESCRIPTION=80\nTITLE=5\nTOOLS=0\n"
                             "[WIDTH]\n1001=100\n1002=100\n10001=80\n10006=80\nLIST=200\nSERIAL=120\nSYSTEM=120\n"
                             "DESCRIPTION=250\nTITLE=300\nTOOLS=700\n"
                             "[HEIGHT]\n1001=40\n1002=40\n10001=30\n10006=30\nLIST=250\nSERIAL=18\nSYSTEM=18\n"
                             "DESCRIPTION=250\nTITLE=30\nTOOLS=40\n";

} // namespace

class SameLook : public MenuFixture
{
protected:
    void TearDown() override
    {
        delete designer.Surface.data();
        MenuFixture::TearDown();
    }

    void buildBoth()
    {
        writeProject(QString::fromUtf8(kProject));
        writePicture(QStringLiteral("MENU/GRY.BMP"), 128, 32, Qt::red);
        writePicture(QStringLiteral("MENU/START.BMP"), 48, 24, Qt::green);
        build();
        designer.DriveRoot = cdPath();
        designer.DataDir = dir.path() + QStringLiteral("/designer/");
        DesignerProject(designer).LoadINI(cdPath(QStringLiteral("ORVANTA.INI")));
    }

    QWidget *designed(int id) const
    {
        for (QWidget *object : designer.Surface->components()) {
            if (MenuObjects::tagOf(object) == id)
                return object;
        }
        return nullptr;
    }

    QWidget *shown(int id) const
    {
        switch (id) {
        case ListId: return window->controls().programList;
        case SerialId: return window->controls().serialField;
        case SystemId: return window->controls().systemField;
        case ToolsId: return window->controls().toolsStrip;
        case DescriptionId: return window->controls().descriptionList;
        case TitleId: return window->controls().titleLabel;
        default: break;
        }
        if (isFunctionId(id))
            return window->controls().functionButton(id);
        for (TMenuButton *key : window->controls().categoryKeys) {
            if (MenuObjects::tagOf(key) == id)
                return key;
        }
        return nullptr;
    }

    DesignerContext designer;
};

TEST_F(SameLook, EveryObjectKindStandsAndReadsAlikeInBothWindows)
{
    buildBoth();
    EXPECT_TRUE(dialogs.messages.isEmpty());
    EXPECT_EQ(designer.Surface->size(), window->size());
    const struct {
        const char *kind;
        int id;
        bool sampleHeight; // the designer's fields take their sample's height
    } rows[] = {
        {"category key with a glyph", 1001, false},
        {"category key", 1002, false},
        {"function key with a glyph", StartId, false},
        {"function key", CloseId, false},
        {"program list", ListId, false},
        {"serial field", SerialId, true},
        {"system field", SystemId, true},
        {"toolbar strip", ToolsId, false},
        {"description", DescriptionId, false},
        {"title", TitleId, false},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.kind);
        QWidget *design = designed(row.id);
        QWidget *runtime = shown(row.id);
        ASSERT_TRUE(design);
        ASSERT_TRUE(runtime);
        const QRect a = design->geometry();
        const QRect b = runtime->geometry();
        EXPECT_EQ(a.topLeft(), b.topLeft());
        EXPECT_EQ(a.width(), b.width());
        if (!row.sampleHeight) {
            EXPECT_EQ(a.height(), b.height());
        }
        EXPECT_EQ(design->font().family(), runtime->font().family());
        EXPECT_EQ(design->font().pointSize(), runtime->font().pointSize());
        EXPECT_EQ(MenuObjects::fontStylesOf(design->font()), MenuObjects::fontStylesOf(runtime->font()));
        if (const auto *key = qobject_cast<const TMenuButton *>(design)) {
            const auto *runtimeKey = qobject_cast<const TMenuButton *>(runtime);
            ASSERT_TRUE(runtimeKey);
            EXPECT_EQ(key->caption(), runtimeKey->caption());
            EXPECT_EQ(key->numGlyphs(), runtimeKey->numGlyphs());
            EXPECT_EQ(key->glyph().size(), runtimeKey->glyph().size());
            EXPECT_EQ(key->glyph().isNull(), row.id != 1001 && row.id != StartId);
            EXPECT_EQ(key->wordWrap(), runtimeKey->wordWrap());
        }
        if (const auto *label = qobject_cast<const QLabel *>(design)) {
            EXPECT_EQ(label->text(), static_cast<const QLabel *>(runtime)->text());
        }
    }
}
