#include "mainwindowfixture.h"

#include "mainwindow/asystent.h"
#include "mainwindow/hinttexts.h"

#include <buttons/menubutton.h>
#include <buttons/toolbarbutton.h>
#include <profilefile.h>

#include <QAction>
#include <QApplication>
#include <QEnterEvent>
#include <QPlainTextEdit>

namespace {

void enter(QWidget *widget)
{
    QEnterEvent event(QPointF(2, 2), QPointF(2, 2), widget->mapToGlobal(QPointF(2, 2)));
    QApplication::sendEvent(widget, &event);
}

} // namespace

TEST(HintTexts, KeysMatchWithoutCaseAndTheFirstWins)
{
    HintTexts texts;
    texts.loadText(QStringLiteral("Nowy=Tworzy nowy projekt\nRV3=Edytor danych\nnowy=drugi\nbez znaku\n=pusty\n"
                                  "KliknięcieZaznacza=Klik zaznacza"));
    const struct {
        const char *key;
        const char *text;
    } cases[] = {
        {"Nowy", "Tworzy nowy projekt"}, {"NOWY", "Tworzy nowy projekt"}, {"rv3", "Edytor danych"},
        {"KLIKNIĘCIEZAZNACZA", "Klik zaznacza"}, {"bez znaku", ""}, {"", ""}, {"Brak", ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(texts.value(QString::fromUtf8(c.key)), QString::fromUtf8(c.text)) << c.key;

    texts.load(QStringLiteral("/nonexistent/HINTS.TXT"));
    EXPECT_EQ(texts.count(), 0);
}

TEST_F(MainWindowFixture, HintWindowShowsTheTextsOfWhatThePointerIsOver)
{
    writeText(QStringLiteral("KALVOR/hints.txt"),
              QStringLiteral("Nowy=Tworzy nowy projekt\nKliknięcieZaznacza=Kliknięcie zaznacza obiekt\nZapisz=Zapisuje\n"));
    makeWindow();
    EXPECT_EQ(window->hintTexts().count(), 3);
    window->Asystuj(QStringLiteral("Nowy")); // no window: nothing happens
    EXPECT_EQ(window->asystent(), nullptr);

    window->mnuPodpowiedzi->trigger();
    ASSERT_NE(window->asystent(), nullptr);
    EXPECT_TRUE(window->mnuPodpowiedzi->isChecked());
    QPlainTextEdit *memo = window->asystent()->Memo1;
    EXPECT_TRUE(memo->isReadOnly());

    enter(window->speedNowy);
    EXPECT_EQ(memo->toPlainText(), QStringLiteral("Tworzy nowy projekt"));
    // The switch takes its own key rather than its hint.
    enter(window->speedUseKlamra);
    EXPECT_EQ(memo->toPlainText(), QStringLiteral("Kliknięcie zaznacza obiekt"));
    window->Asystuj({}, window->speedZapisz);
    EXPECT_EQ(memo->toPlainText(), QStringLiteral("Zapisuje"));
    window->Asystuj(QStringLiteral("Nieznany"));
    EXPECT_EQ(memo->toPlainText(), QString());
}

TEST_F(MainWindowFixture, HintWindowKeepsItsPlaceAndUnticksItsItemWhenClosed)
{
    writeText(QStringLiteral("config/Dodorurav.cfg"), QStringLiteral("[ASYSTENT]\nW=300\nH=150\nT=70\nL=40\n"));
    makeWindow();
    window->mnuPodpowiedzi->trigger();
    TfrmAsystent *asystent = window->asystent();
    ASSERT_NE(asystent, nullptr);
    EXPECT_EQ(asystent->size(), QSize(300, 150));
    EXPECT_EQ(asystent->pos(), QPoint(40, 70));
    EXPECT_TRUE(asystent->staysOnTop());
    asystent->mnuNaWierzchu->trigger();
    EXPECT_FALSE(asystent->staysOnTop());

    asystent->resize(320, 160);
    asystent->mnuZamknij->trigger();
    QApplication::processEvents();
    EXPECT_EQ(window->asystent(), nullptr);
    EXPECT_FALSE(window->mnuPodpowiedzi->isChecked());
    const Platform::ProfileFile cfg(configPath());
    EXPECT_EQ(cfg.readInteger(QStringLiteral("ASYSTENT"), QStringLiteral("W"), 0), 320);
    EXPECT_EQ(cfg.readInteger(QStringLiteral("ASYSTENT"), QStringLiteral("H"), 0), 160);

    // Unticking the item closes it as well.
    window->mnuPodpowiedzi->trigger();
    ASSERT_NE(window->asystent(), nullptr);
    window->mnuPodpowiedzi->trigger();
    QApplication::processEvents();
    EXPECT_EQ(window->asystent(), nullptr);
}
