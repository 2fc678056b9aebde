#include "undofixture.h"

#include <alignment/aligndialog.h>
#include <designreading.h>
#include <document/surfacedesign.h>
#include <inspector/objectinspector.h>
#include <objects/designedits.h>
#include <propertyeditors/propertyeditors.h>

#include <buttons/menubutton.h>
#include <buttons/toolbarbutton.h>
#include <menuobjects/imagewidget.h>

#include <profilefile.h>
#include <projectfile/menudesign.h>

#include <QComboBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSpinBox>
#include <QApplication>

#include <functional>
#include <memory>

using namespace ProjectFormat;
using Row = InspectorModel::Row;

namespace {

class DesignEditsTest : public UndoFixture
{
protected:
    void SetUp() override
    {
        UndoFixture::SetUp();
        inspector = std::make_unique<TfrmObiekty>(context);
        context.setInspector(inspector.get());
    }
    void TearDown() override
    {
        context.setInspector(nullptr);
        inspector.reset();
        UndoFixture::TearDown();
    }

    MenuDesign savedFile() const
    {
        return MenuDesign::read(Platform::ProfileFile(drivePath(QStringLiteral("projekt/MENU.KLV"))));
    }
    void makeCurrent(int id)
    {
        context.CurrentObject = object(id);
        selection.detachAll();
        selection.attach(object(id));
    }

    std::unique_ptr<TfrmObiekty> inspector;
    PropertyEditors editors{context};
};

} // namespace

// Whatever changes an object, the inspector, the property editors, the
// selection frame and its commands or the surface, changes its entry in the
// open design; the widgets show that design, and the save writes it.
TEST_F(DesignEditsTest, EveryWayOfEditingChangesTheDesignAndTheSaveWritesIt)
{
    const struct {
        const char *edit;
        std::function<void()> change;
        std::function<bool(const MenuDesign &)> holds;
    } rows[] = {
        {"the inspector's caption",
         [&] {
             makeCurrent(1001);
             inspector->commitText(Row::Tekst, QStringLiteral("Nowe gry"));
         },
         [](const MenuDesign &d) { return d.key(1001)->caption == u"Nowe gry"; }},
        {"the inspector's width of two selected keys",
         [&] {
             makeCurrent(1001);
             selection.attach(object(1002));
             inspector->commitNumber(Row::Szer, 120);
         },
         [](const MenuDesign &d) {
             return d.key(1001)->bounds.width() == 120 && d.key(1002)->bounds.width() == 120
                    && d.key(1003)->bounds.width() == 80;
         }},
        {"the inspector's window width: the background follows",
         [&] {
             context.CurrentObject = context.Surface;
             inspector->commitNumber(Row::Szer, 500);
         },
         [](const MenuDesign &d) { return d.windowSize == QSize(500, 300) && d.backgroundBounds.width() == 500; }},
        {"the inspector's word wrap of the title",
         [&] {
             makeCurrent(TitleId);
             inspector->commitChoice(Row::ZawijanieTekstu, 0, {});
         },
         [](const MenuDesign &d) { return d.title->wordWrap; }},
        {"the property editors' font of the list",
         [&] {
             makeCurrent(ListId);
             editors.cmbFontClick({QStringLiteral("Courier New"), 14, true, false, true});
         },
         [](const MenuDesign &d) {
             return d.list->font.name == u"Courier New" && d.list->font.size == 14
                    && d.list->font.styles == (FontBold | FontUnderline);
         }},
        {"the property editors' border of a key",
         [&] {
             makeCurrent(1003);
             editors.edtBorderClick(1);
         },
         [](const MenuDesign &d) { return d.key(1003)->newBorder && !d.key(1003)->noBorder; }},
        {"the property editors' hint of a key",
         [&] {
             makeCurrent(1002);
             editors.edtHintKeyDown(QStringLiteral("Narzędzia, #2"));
         },
         [](const MenuDesign &d) { return d.key(1002)->hint == u"Narzędzia, #2"; }},
        {"an arrow on the selection frame",
         [&] {
             selection.attach(object(1001));
             pressOnFrame(Qt::Key_Right);
         },
         [](const MenuDesign &d) { return d.key(1001)->bounds.topLeft() == QPoint(11, 10); }},
        {"a key sized to its glyph",
         [&] {
             selection.attach(object(1002));
             selection.klawiszDoBMP->trigger();
         },
         [](const MenuDesign &d) { return d.key(1002)->bounds.size() == QSize(98, 34); }},
        {"the alignment of two keys",
         [&] {
             selection.attach(object(1001));
             selection.attach(object(10001));
             Alignment::Choices choices;
             choices.edge = Alignment::Edge::Left;
             alignSelection(context, selection, choices);
         },
         [](const MenuDesign &d) { return d.key(10001)->bounds.left() == d.key(1001)->bounds.left(); }},
        {"a key deleted on the selection frame",
         [&] {
             selection.attach(object(1003));
             pressOnFrame(Qt::Key_Delete);
         },
         [](const MenuDesign &d) { return !d.key(1003) && d.key(1002); }},
        {"the window sized by its frame: the background follows",
         [&] {
             context.Surface->resize(520, 310); // as the window system does
             QApplication::processEvents();
         },
         [](const MenuDesign &d) {
             return d.windowSize == QSize(520, 310) && d.backgroundBounds == QRect(0, 0, 520, 310);
         }},
        {"the background freed from the window by a double click",
         [&] {
             QMouseEvent click(QEvent::MouseButtonDblClick, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton,
                               Qt::LeftButton, Qt::NoModifier);
             QApplication::sendEvent(context.Surface->Image1, &click);
             pressOnFrame(Qt::Key_Right);
         },
         [](const MenuDesign &d) { return !d.backgroundAligned && d.backgroundBounds == QRect(1, 0, 400, 300); }},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.edit);
        loadProject();
        const MenuDesign loaded = context.Design;
        ASSERT_FALSE(row.holds(loaded));
        row.change();
        EXPECT_TRUE(row.holds(context.Design));
        EXPECT_EQ(DesignReading::designOfSurface(context), designOf(context));
        ASSERT_TRUE(project.Zapisz());
        EXPECT_TRUE(row.holds(savedFile()));
        selection.detachAll();
    }
}

// The save and an undo step take the design: a widget moved behind its back
// is only a picture, and neither the save nor the snapshot sees it.
TEST_F(DesignEditsTest, AWidgetChangedBehindTheDesignIsNotSaved)
{
    loadProject();
    const QByteArray before = saved();
    object(1001)->setGeometry(1, 2, 3, 4);
    static_cast<TMenuButton *>(object(1002))->setCaption(QStringLiteral("Inny"));
    history.SaveUndo(QStringLiteral("Zmiana"));
    EXPECT_EQ(saved(), before);
    EXPECT_EQ(history.steps().step(history.steps().selected()).snapshot.design, designOf(context));
    EXPECT_EQ(context.Design.key(1001)->bounds, QRect(10, 10, 80, 40));
}

// The inspector's rows show the object's entry in the design.
TEST_F(DesignEditsTest, TheInspectorShowsTheEntryOfTheDesign)
{
    loadProject();
    auto *key = static_cast<TMenuButton *>(object(1002));
    DesignEdits::changeKey(context, key, [](DesignKey &entry) {
        entry.caption = QStringLiteral("Narzędzia, #3");
        entry.numGlyphs = 3;
        entry.layout = GlyphLayout::Bottom;
        entry.font.styles = FontItalic;
    });
    key->setGeometry(1, 2, 3, 4); // only a picture
    inspector->showProperties(key);
    EXPECT_EQ(inspector->edtTekst->text(), u"Narzędzia, #3");
    EXPECT_EQ(inspector->edtNumGlyphs->value(), 3);
    EXPECT_EQ(inspector->edtPolozenie->currentText(), u"Na dole");
    EXPECT_TRUE(inspector->klwItalic->down());
    EXPECT_FALSE(inspector->klwBold->down());
    EXPECT_EQ(inspector->edtLewa->value(), 10);
    EXPECT_EQ(inspector->edtSzer->value(), 80);

    DesignEdits::setColor(context, object(ListId), Platform::clAqua);
    inspector->showProperties(object(ListId));
    EXPECT_EQ(inspector->objectColor(), Platform::clAqua);
}
