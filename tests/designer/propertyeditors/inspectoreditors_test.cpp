#include "outside/outsidefixture.h"

#include <objects/designedits.h>
#include <inspector/objectinspector.h>
#include <propertyeditors/inspectoreditors.h>
#include <propertyeditors/propertyeditors.h>

#include <buttons/menubutton.h>
#include <lists/linkedit.h>
#include <menuobjects/menuobjects.h>

#include <QComboBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QTest>

#include <memory>

using InspectorModel::Row;

// The inspector's rows with the property editors behind them.
class InspectorEditors : public OutsideFixture
{
protected:
    void SetUp() override
    {
        OutsideFixture::SetUp();
        inspector = std::make_unique<TfrmObiekty>(context);
        context.setInspector(inspector.get());
        editors.setOutsidePrograms(&programs);
        installPropertyEditors(*inspector, editors);
        inspector->show();
        writeText(QStringLiteral("P.KLV"), QStringLiteral("[NAMES]\n1001=Gry\n1002=Nauka\n"));
        load(QStringLiteral("P.KLV"));
        undo.steps.clear();
        context.ProjectModified = false;
    }
    void TearDown() override
    {
        OutsideFixture::TearDown();
        context.setInspector(nullptr);
        inspector.reset();
    }

    TMenuButton *key(int id) const
    {
        for (QWidget *object : surface().components()) {
            if (MenuObjects::tagOf(object) == id)
                return qobject_cast<TMenuButton *>(object);
        }
        return nullptr;
    }
    void show(QWidget *object)
    {
        context.selection().detachAll();
        context.selection().attach(object);
        inspector->OdczytWlasciwosci(object);
    }

    std::unique_ptr<TfrmObiekty> inspector;
    PropertyEditors editors{context};
};

TEST_F(InspectorEditors, EnterAndClicksReachTheSelectedKeys)
{
    show(key(1001));
    context.selection().attach(key(1002));
    inspector->edtTekst->setText(QStringLiteral("Zabawy"));
    QTest::keyClick(inspector->edtTekst, Qt::Key_Return);
    EXPECT_EQ(key(1001)->caption(), u"Zabawy");
    EXPECT_EQ(key(1002)->caption(), u"Zabawy");
    // The object list names the keys by their new captions.
    EXPECT_GE(inspector->cmbObiekty->findText(QStringLiteral("Kategoria - Zabawy  [ID: 1001]")), 0);

    inspector->edtSzer->setValue(140);
    QTest::keyClick(inspector->edtSzer, Qt::Key_Return);
    EXPECT_EQ(key(1001)->width(), 140);
    EXPECT_EQ(key(1002)->width(), 140);

    inspector->edtBorder->activated(2);
    EXPECT_TRUE(key(1002)->noBorder());
    EXPECT_EQ(undo.steps, (QStringList{QStringLiteral("Edycja tekstu klawisza"), QStringLiteral("Zmiana rozmiarów"),
                                       QStringLiteral("Zmiana obramowania klawisza")}));
    EXPECT_TRUE(context.ProjectModified);
}

TEST_F(InspectorEditors, AnyKeyInTheGlyphCountReachesTheCurrentKeyWhileClicksDoNotSelect)
{
    show(key(1001));
    context.selection().detachAll();
    QTest::keyClick(inspector->edtNumGlyphs, Qt::Key_Up);
    EXPECT_EQ(key(1001)->numGlyphs(), 1);
    EXPECT_TRUE(undo.steps.isEmpty());

    context.ClickSelects = false;
    QTest::keyClick(inspector->edtNumGlyphs, Qt::Key_Up);
    EXPECT_EQ(key(1001)->numGlyphs(), inspector->edtNumGlyphs->value());
    EXPECT_GT(key(1001)->numGlyphs(), 1);
}

TEST_F(InspectorEditors, FileButtonsStoreTheDrivePathAndTheBmpButtonStartsTheEditor)
{
    TestSupport::RecordingLauncher launcher;
    const QString editor = standIn(drivePath(QStringLiteral("tools/pixanto")));
    configure(QStringLiteral("[PLIKI]\nZAZAVA_BMP=%1\n").arg(editor));
    writePicture(QStringLiteral("obrazy/gry 1.bmp"), 8, 8, Qt::red);
    show(key(1001));

    dialogs.pathAnswers = {drivePath(QStringLiteral("obrazy/gry 1.bmp"))};
    inspector->commits.file(Row::Bitmapa);
    EXPECT_EQ(inspector->edtBitmapa->text(), u"obrazy\\gry 1.bmp");
    EXPECT_EQ(DesignEdits::keyFile(context, 1001, DesignEdits::KeyFile::Glyph), u"obrazy\\gry 1.bmp");

    inspector->MenuButton1->click();
    EXPECT_EQ(launcher.startedArguments, QList<QStringList>{{drivePath(QStringLiteral("obrazy/gry 1.bmp"))}});

    // A file from elsewhere is refused and the field keeps its text.
    QTemporaryDir elsewhere;
    dialogs.pathAnswers = {elsewhere.path() + QStringLiteral("/obcy.bmp")};
    inspector->commits.file(Row::Bitmapa);
    EXPECT_EQ(inspector->edtBitmapa->text(), u"obrazy\\gry 1.bmp");
    ASSERT_EQ(dialogs.messages.size(), 1);
}
