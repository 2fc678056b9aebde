#include "../../runtime/dialogs/modal.h"

#include <about/aboutbox.h>
#include <buttons/menubutton.h>

#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

TEST(AboutBox, ShowsThePictureAndClosesWithOk)
{
    const struct {
        const char *name;
        std::function<void(TfrmAbout &)> close;
    } cases[] = {
        {"the button", [](TfrmAbout &about) { about.MenuButton1->click(); }},
        {"Enter", [](TfrmAbout &about) { QTest::keyClick(&about, Qt::Key_Return); }},
        {"Esc", [](TfrmAbout &about) { QTest::keyClick(&about, Qt::Key_Escape); }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        bool shown = false;
        whenModal<TfrmAbout>([&](TfrmAbout &about) {
            shown = true;
            EXPECT_EQ(about.windowTitle(), QStringLiteral("Dodorurav 2.1 - Informacje"));
            EXPECT_FALSE(about.Image1->pixmap().isNull());
            c.close(about);
            if (about.isVisible())
                about.reject();
        });
        TfrmAbout about;
        EXPECT_EQ(about.exec(), QDialog::Accepted);
        EXPECT_TRUE(shown);
    }
}
