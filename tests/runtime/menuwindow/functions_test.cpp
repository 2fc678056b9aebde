#include "menufixture.h"

#include <archive/archivewindowhook.h>

#include <buttons/menubutton.h>
#include <transplist/transplist.h>

#include <texts/runtimetexts.h>

#include <QLabel>

#include <functional>
#include <QPlainTextEdit>

using namespace ProjectFormat;
using Platform::MessageAnswer;
using Platform::MessageButtons;
using Platform::MessageIcon;

namespace {

const QString kProject = QStringLiteral(
    "[CDROM]\nCD_TITLE=Płyta\n"
    "[NAMES]\n1001=Gry\n"
    "[DATA]\n1001=DANE\\GRY.RV3\n"
    "[FUNCTIONS]\n10001=1\n10003=1\n10004=1\n10008=1\n"
    "[OBJECTS]\nLIST=1\nDESCRIPTION=1\n");

const QString kGames = QStringLiteral(
    "TITLE=Gry\nDESC=\n\n"
    "[Istnieje]\nSETUP=GRY\\GRA.TXT\nAMBITNY=GRY\\OPIS.TXT\nKATALOG=GRY\\\n"
    "[Z ukośnikiem]\nSETUP=\\GRY\\GRA.TXT\n"
    "[Brak]\nSETUP=GRY\\BRAK.EXE\n"
    "[Archiwum]\nSETUP=GRY\\PACZKA.zip\n"
    "[Rar]\nSETUP=GRY\\PACZKA.RAR\n"
    "[Ucieczka]\nSETUP=..\\..\\..\\GRY\\GRA.TXT\n");

class FunctionTest : public MenuFixture
{
protected:
    void SetUp() override
    {
        MenuFixture::SetUp();
        writeCdText(QStringLiteral("DANE/GRY.RV3"), kGames);
        for (const char *name : {"GRY/GRA.TXT", "GRY/OPIS.TXT", "GRY/PACZKA.zip", "GRY/PACZKA.RAR"})
            writeCdBytes(QLatin1String(name), "x");
    }
    TForm1 &buildWithProgram(const QString &program, const QString &extra = {})
    {
        writeProject(kProject + extra);
        TForm1 &menu = build();
        menu.ODCZYTKATEGORI(menu.controls().categoryKeys.at(0));
        if (!program.isEmpty()) {
            menu.controls().programList->setItemIndex(int(menu.controls().programList->items().indexOf(program)));
            menu.LISTA_PRG(menu.controls().programList);
        }
        return menu;
    }
    bool minimized() const { return window->windowState() & Qt::WindowMinimized; }
    QString lastMessage() const { return dialogs.messages.isEmpty() ? QString() : dialogs.messages.last().text; }
};

} // namespace

TEST_F(FunctionTest, StartOpensTheSetupFileAndMinimises)
{
    for (const char *program : {"Istnieje", "Z ukośnikiem"}) {
        launcher.opened.clear();
        TForm1 &menu = buildWithProgram(QString::fromUtf8(program));
        menu.START_PRG(menu.controls().functionButton(StartId));
        EXPECT_EQ(launcher.opened, QStringList({cdPath(QStringLiteral("GRY/GRA.TXT"))})) << program;
        EXPECT_TRUE(dialogs.messages.isEmpty()) << program;
        EXPECT_TRUE(minimized()) << program;
    }
}

TEST_F(FunctionTest, StartWithoutMinimiseOnRun)
{
    writeCdBytes(QStringLiteral("../settings/KALVOR.RUN"), "[ZELTRIN CDROM]\r\nMINONRUN=0\r\n");
    TForm1 &menu = buildWithProgram(QStringLiteral("Istnieje"));
    menu.START_PRG(nullptr);
    EXPECT_EQ(launcher.opened.size(), 1);
    EXPECT_FALSE(minimized());
}

TEST_F(FunctionTest, StartOfAMissingFileSaysSo)
{
    TForm1 &menu = buildWithProgram(QStringLiteral("Brak"));
    menu.START_PRG(nullptr);
    EXPECT_TRUE(launcher.opened.isEmpty());
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(lastMessage(), QStringLiteral("Plik nie istnieje!\n") + cdPath(QStringLiteral("GRY/BRAK.EXE")));
    EXPECT_EQ(dialogs.messages[0].caption, QStringLiteral("Płyta"));
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Warning);
}

TEST_F(FunctionTest, StartNeverLeavesTheCd)
{
    TForm1 &menu = buildWithProgram(QStringLiteral("Ucieczka"));
    menu.START_PRG(nullptr);
    EXPECT_EQ(launcher.opened, QStringList({cdPath(QStringLiteral("GRY/GRA.TXT"))}));
}

TEST_F(FunctionTest, F7WithoutAProgramNamesTheDriveRoot)
{
    TForm1 &menu = buildWithProgram({});
    ASSERT_FALSE(menu.controls().functionButton(StartId)->isEnabled());
    EXPECT_TRUE(menu.FormKeyDown(Qt::Key_F7, Qt::NoModifier)); // a disabled button does not stop its key
    EXPECT_TRUE(launcher.opened.isEmpty());
    EXPECT_EQ(lastMessage(), QStringLiteral("Plik nie istnieje!\n") + cdPath());
}

TEST_F(FunctionTest, NothingStartsBeforeACategoryIsChosen)
{
    writeProject(kProject);
    TForm1 &menu = build();
    menu.START_PRG(nullptr);
    menu.OPIS_PRG(nullptr);
    menu.EXPLORE_PRG(nullptr);
    EXPECT_TRUE(launcher.opened.isEmpty());
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(FunctionTest, FailedStartOfAnArchive)
{
    const QString zipFailure = RuntimeTexts::CannotOpenFile + u'"' + cdPath(QStringLiteral("GRY/PACZKA.zip")) + u'"';
    const QString zipQuestion = QStringLiteral("Nie udało się otworzyć archiwum ZIP w programie skojarzonym!\n"
                                               "Czy chcesz użyć modułu wewnętrznego menu ?");
    launcher.fail = true;

    // Without the unzip library beside the runtime: the failure at once.
    TForm1 &menu = buildWithProgram(QStringLiteral("Archiwum"));
    menu.START_PRG(nullptr);
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(lastMessage(), zipFailure);

    // With it: the question; No is not remembered, Yes is.
    writeCdBytes(QStringLiteral("UnzDll.DLL"), "library");
    dialogs.messages.clear();
    dialogs.answers = {MessageAnswer::No, MessageAnswer::Yes};
    menu.START_PRG(nullptr);
    menu.START_PRG(nullptr);
    menu.START_PRG(nullptr);
    QStringList questions;
    for (const auto &message : dialogs.messages) {
        if (message.buttons == MessageButtons::YesNoCancel)
            questions.append(message.text);
    }
    EXPECT_EQ(questions, QStringList({zipQuestion, zipQuestion}));
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Question);
    EXPECT_TRUE(context->Options.OpenZIP);
    EXPECT_FALSE(minimized());

    // Once the archive window is there, it takes the archive over.
    QString handedOver;
    ArchiveWindowHook::setOpener([&](QWidget *, ArchiveWindowHook::Kind kind, const QString &path) {
        handedOver = path;
        return kind == ArchiveWindowHook::Kind::Zip;
    });
    dialogs.messages.clear();
    menu.START_PRG(nullptr);
    ArchiveWindowHook::setOpener({});
    EXPECT_EQ(handedOver, cdPath(QStringLiteral("GRY/PACZKA.zip")));
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(FunctionTest, RarAsksItsOwnQuestion)
{
    launcher.fail = true;
    writeCdBytes(QStringLiteral("unrar.dll"), "library");
    TForm1 &menu = buildWithProgram(QStringLiteral("Rar"));
    dialogs.answers = {MessageAnswer::Cancel};
    menu.START_PRG(nullptr);
    ASSERT_EQ(dialogs.messages.size(), 2);
    EXPECT_TRUE(dialogs.messages[0].text.startsWith(QStringLiteral("Nie udało się otworzyć archiwum RAR")));
    EXPECT_FALSE(context->Options.OpenRAR);
}

TEST_F(FunctionTest, AdditionalInformationAndExplore)
{
    TForm1 &menu = buildWithProgram(QStringLiteral("Istnieje"));
    menu.OPIS_PRG(nullptr);
    menu.EXPLORE_PRG(nullptr);
    EXPECT_EQ(launcher.opened, QStringList({cdPath(QStringLiteral("GRY/OPIS.TXT")), cdPath(QStringLiteral("GRY"))}));
    EXPECT_TRUE(minimized());

    launcher.fail = true;
    menu.EXPLORE_PRG(nullptr);
    EXPECT_EQ(lastMessage(), RuntimeTexts::CannotOpenFile + u'"' + cdPath(QStringLiteral("GRY")) + u'"');
}

TEST_F(FunctionTest, DescriptionToggleSwapsListAndMemo)
{
    TForm1 &menu = buildWithProgram(QStringLiteral("Istnieje"));
    TMenuButton *toggle = menu.controls().functionButton(DescriptionToggleId);
    toggle->setDown(true);
    menu.EDYCJA_PRG(toggle);
    EXPECT_FALSE(menu.controls().descriptionMemo->isHidden());
    EXPECT_TRUE(menu.controls().descriptionList->isHidden());
    toggle->setDown(false);
    menu.EDYCJA_PRG(toggle);
    EXPECT_TRUE(menu.controls().descriptionMemo->isHidden());
    EXPECT_FALSE(menu.controls().descriptionList->isHidden());
}

TEST_F(FunctionTest, KeysReachTheirFunctionsOnlyWithTheirButtons)
{
    writeProject(QString(kProject).replace(QStringLiteral("10003=1\n"), QString()));
    TForm1 &menu = build();
    menu.ODCZYTKATEGORI(menu.controls().categoryKeys.at(0));
    menu.controls().programList->setItemIndex(int(menu.controls().programList->items().indexOf(QStringLiteral("Istnieje"))));
    menu.LISTA_PRG(menu.controls().programList);
    // Without button 10003, F10 does nothing; F7 starts with 10001.
    ASSERT_EQ(menu.controls().functionButton(DescriptionEditId), nullptr);
    menu.FormKeyDown(Qt::Key_F10, Qt::NoModifier);
    EXPECT_TRUE(launcher.opened.isEmpty());
    menu.FormKeyDown(Qt::Key_F7, Qt::NoModifier);
    EXPECT_EQ(launcher.opened.size(), 1);
}

TEST_F(FunctionTest, UpAndDownMoveTheSelection)
{
    TForm1 &menu = buildWithProgram(QStringLiteral("Brak"));
    menu.FormKeyDown(Qt::Key_Down, Qt::NoModifier);
    EXPECT_EQ(menu.choice().CurrentProgram, QStringLiteral("Istnieje"));
    menu.FormKeyDown(Qt::Key_Up, Qt::NoModifier);
    EXPECT_EQ(menu.choice().CurrentProgram, QStringLiteral("Brak"));
}

TEST_F(FunctionTest, FontSizeKeys)
{
    TForm1 &menu = buildWithProgram({});
    const int list = menu.controls().programList->font().pointSize();
    const int description = menu.controls().descriptionList->font().pointSize();
    menu.FormKeyDown(Qt::Key_F2, Qt::NoModifier);
    menu.FormKeyDown(Qt::Key_F2, Qt::NoModifier);
    menu.FormKeyDown(Qt::Key_F5, Qt::NoModifier);
    EXPECT_EQ(menu.controls().programList->font().pointSize(), list + 2);
    EXPECT_EQ(menu.controls().descriptionList->font().pointSize(), description - 1);
    EXPECT_EQ(menu.controls().descriptionMemo->font().pointSize(), description - 1);
}

TEST_F(FunctionTest, HelpTextAsGiven)
{
    TForm1 &menu = buildWithProgram({});
    menu.FormKeyDown(Qt::Key_F1, Qt::ShiftModifier);
    menu.FormKeyDown(Qt::Key_F1, Qt::NoModifier); // no information window: the same help
    ASSERT_EQ(dialogs.messages.size(), 2);
    const auto &help = dialogs.messages[0];
    EXPECT_EQ(help.caption, QStringLiteral("KALVORA 4.0 - Płyta"));
    EXPECT_EQ(help.icon, MessageIcon::Information);
    const QStringList lines = help.text.split(u'\n');
    ASSERT_EQ(lines.size(), 23);
    EXPECT_EQ(lines[0], QStringLiteral("Obsługa menu za pomocą klawiszy:"));
    EXPECT_EQ(lines[1], QString());
    EXPECT_EQ(lines[15], QStringLiteral("F11+Shift -awaryjne przypisanie czcionek dla listy i opisu programów,"));
    EXPECT_EQ(lines[19], QStringLiteral("Escape+Shift - minimalizacja programu."));
    EXPECT_EQ(lines[22], QStringLiteral("odpowiednie opcje w menu."));
    EXPECT_EQ(dialogs.messages[1].text, help.text);
}

TEST_F(FunctionTest, EscapeAsksBeforeClosingAndShiftEscapeMinimises)
{
    TForm1 &menu = buildWithProgram({});
    menu.show();
    dialogs.answers = {MessageAnswer::No, MessageAnswer::Yes};
    menu.FormKeyDown(Qt::Key_Escape, Qt::NoModifier);
    EXPECT_TRUE(menu.isVisible());
    EXPECT_EQ(lastMessage(), QStringLiteral("Czy chcesz zakończyć program?"));
    menu.FormKeyDown(Qt::Key_Escape, Qt::NoModifier);
    EXPECT_FALSE(menu.isVisible());

    menu.show();
    menu.FormKeyDown(Qt::Key_Escape, Qt::ShiftModifier);
    EXPECT_TRUE(minimized());
    EXPECT_EQ(dialogs.messages.size(), 2);
}

TEST_F(FunctionTest, FontDialogColourReachesItsTargets)
{
    writeProject(QString(kProject).replace(QStringLiteral("DESCRIPTION=1\n"), QStringLiteral("DESCRIPTION=1\nTITLE=1\n")));
    TForm1 &menu = build();
    ASSERT_NE(menu.controls().descriptionMemo, nullptr);
    const auto textColor = [](const QWidget *widget) { return widget->palette().color(QPalette::WindowText); };
    const struct {
        const char *target;
        bool shift;
        std::function<QColor()> colorOf;
    } cases[] = {
        {"category key", false, [&] { return textColor(menu.controls().categoryKeys.at(0)); }},
        {"function key", false, [&] { return textColor(menu.controls().functionButton(StartId)); }},
        {"title label", false, [&] { return textColor(menu.controls().titleLabel); }},
        {"program list", true, [&] { return Platform::toQColor(menu.controls().programList->fontColor()); }},
        {"description list", true, [&] { return Platform::toQColor(menu.controls().descriptionList->fontColor()); }},
        {"description memo", true, [&] { return menu.controls().descriptionMemo->palette().color(QPalette::Text); }},
    };
    for (const QColor chosen : {QColor(Qt::red), QColor(Qt::green)}) {
        dialogs.fontAnswer = QFont(QStringLiteral("DejaVu Serif"), 15);
        dialogs.colorAnswer = chosen;
        menu.FormKeyDown(Qt::Key_F11, Qt::NoModifier);
        menu.FormKeyDown(Qt::Key_F11, Qt::ShiftModifier);
        for (const auto &c : cases)
            EXPECT_EQ(c.colorOf(), chosen) << c.target;
    }
}

TEST_F(FunctionTest, FontDialogKeys)
{
    writeProject(QString(kProject).replace(QStringLiteral("DESCRIPTION=1\n"), QStringLiteral("DESCRIPTION=1\nTITLE=1\n")));
    TForm1 &menu = build();
    ASSERT_NE(menu.controls().titleLabel, nullptr);
    dialogs.fontAnswer = QFont(QStringLiteral("DejaVu Serif"), 17);
    dialogs.colorAnswer = QColor(Qt::red);
    menu.FormKeyDown(Qt::Key_F11, Qt::NoModifier);
    EXPECT_EQ(dialogs.messages.last().caption, QStringLiteral("KALVORA 4.0"));
    EXPECT_EQ(menu.controls().categoryKeys.at(0)->font().pointSize(), 17);
    EXPECT_EQ(menu.controls().titleLabel->font().pointSize(), 17);
    EXPECT_NE(menu.controls().programList->font().pointSize(), 17);

    dialogs.fontAnswer = QFont(QStringLiteral("DejaVu Serif"), 13);
    menu.FormKeyDown(Qt::Key_F11, Qt::ShiftModifier);
    EXPECT_EQ(menu.controls().programList->font().pointSize(), 13);
    EXPECT_EQ(menu.controls().descriptionList->selectedColor(), Platform::clRed);
    EXPECT_EQ(menu.controls().categoryKeys.at(0)->font().pointSize(), 17);

    dialogs.fontAnswer.reset(); // cancelled: nothing changes
    menu.FormKeyDown(Qt::Key_F11, Qt::ShiftModifier);
    EXPECT_EQ(menu.controls().programList->font().pointSize(), 13);
}
