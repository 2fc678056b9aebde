#include "hints/coolhint.h"

#include "testsupport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QHelpEvent>
#include <QImage>
#include <QPushButton>
#include <QToolTip>

#include <gtest/gtest.h>

namespace {

using namespace Platform;

QFont plainFont()
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(13);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

int countColor(const QImage &image, const QColor &color)
{
    int found = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            found += image.pixelColor(x, y) == color;
    return found;
}

const QColor backdrop(200, 200, 200);

// The hint as it shows on the screen, its mask cutting it out.
QImage renderOverBackdrop(QWidget &hint)
{
    QImage image(hint.size(), QImage::Format_RGB32);
    image.fill(backdrop);
    hint.render(&image, QPoint(), QRegion(), QWidget::DrawWindowBackground | QWidget::DrawChildren);
    return image;
}

// ---- The hint window ------------------------------------------------------------

struct HintShapeCase
{
    const char *name;
    bool oval;
};

class CoolHintShape : public testing::TestWithParam<HintShapeCase>
{
};

TEST_P(CoolHintShape, TakesTheProjectColoursAndShape)
{
    const bool oval = GetParam().oval;
    TCoolHint hint;
    hint.setFont(plainFont());
    hint.setHintStyle({clNavy, clYellow, oval});
    const QRect asked = hint.calcHintRect(QStringLiteral("Start the program"), QPoint(40, 40));
    hint.activateHint(asked, QStringLiteral("Start the program"));

    const int widening = oval ? hint.fontMetrics().horizontalAdvance(QStringLiteral("WWWW")) : 0;
    EXPECT_EQ(hint.geometry(), asked.adjusted(0, 0, widening, 0));
    const QRect inside = hint.rect();
    EXPECT_TRUE(hint.mask().contains(inside.center()));
    EXPECT_EQ(hint.mask().contains(QPoint(0, 0)), !oval);
    EXPECT_EQ(hint.mask().contains(QPoint(inside.right(), inside.bottom())), !oval);
    EXPECT_EQ(hint.mask().contains(QPoint(inside.right(), inside.top() + 1)), !oval);

    const QImage image = renderOverBackdrop(hint);
    EXPECT_EQ(image.pixelColor(0, 0) == backdrop, oval);
    image.save(TestSupport::outputDir() + QStringLiteral("/hint_%1.png").arg(oval ? "oval" : "rect"));
    EXPECT_GT(countColor(image, QColor(0, 0, 128)), 0);   // background
    EXPECT_GT(countColor(image, QColor(255, 255, 0)), 0); // text
}

INSTANTIATE_TEST_SUITE_P(Shapes, CoolHintShape,
                         testing::Values(HintShapeCase{"rectangle", false}, HintShapeCase{"oval", true}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(CoolHint, ShowsAnAmpersandAsItIs)
{
    TCoolHint hint;
    hint.setFont(plainFont());
    hint.setHintStyle({clWhite, clBlack, false});
    hint.activateHint(hint.calcHintRect(QStringLiteral("&"), QPoint()), QStringLiteral("&"));
    EXPECT_GT(hint.width(), 8); // room for the character plus margins
    // Beside the frame (one pixel all round), black pixels come from the text.
    const QImage inner = hint.grab().toImage().copy(hint.rect().adjusted(1, 1, -1, -1));
    EXPECT_GT(countColor(inner, QColor(Qt::black)), 0);
}

// ---- Hints of installed windows ---------------------------------------------------

class CoolHintsTest : public testing::Test
{
protected:
    void SetUp() override
    {
        window.resize(300, 200);
        button.setGeometry(10, 10, 100, 30);
        button.setToolTip(QStringLiteral("Start"));
    }

    bool askHint(QWidget *widget)
    {
        QHelpEvent event(QEvent::ToolTip, QPoint(5, 5), widget->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(widget, &event);
        return hints.hintWindow() && hints.hintWindow()->isVisible();
    }

    QWidget window;
    QPushButton button{&window};
    CoolHints hints;
};

TEST_F(CoolHintsTest, InstalledWindowsShowTheirHintsInTheOwnWindow)
{
    hints.setStyle({clRed, clWhite, true});
    EXPECT_FALSE(askHint(&button)); // not installed yet: the platform's tool tip
    EXPECT_TRUE(QToolTip::isVisible());
    QToolTip::hideText();
    QElapsedTimer fading;
    fading.start();
    while (QToolTip::isVisible() && fading.elapsed() < 2000)
        QApplication::processEvents(QEventLoop::AllEvents, 10);

    hints.install(&window);
    ASSERT_TRUE(askHint(&button));
    EXPECT_EQ(hints.hintWindow()->text(), QStringLiteral("Start"));
    EXPECT_TRUE(hints.hintWindow()->hintStyle().oval);
    EXPECT_FALSE(QToolTip::isVisible());

    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&button, &leave);
    EXPECT_FALSE(hints.hintWindow()->isVisible());
}

TEST_F(CoolHintsTest, ChildrenAddedLaterAndWidgetsWithoutHintsUseTheirParents)
{
    hints.install(&window);
    QPushButton later(&button);
    later.setToolTip(QStringLiteral("Later"));
    ASSERT_TRUE(askHint(&later));
    EXPECT_EQ(hints.hintWindow()->text(), QStringLiteral("Later"));

    QWidget bare(&button);
    ASSERT_TRUE(askHint(&bare));
    EXPECT_EQ(hints.hintWindow()->text(), QStringLiteral("Start"));
}

TEST_F(CoolHintsTest, EveryInstalledWindowSharesTheStyle)
{
    QWidget second;
    QPushButton secondButton(&second);
    secondButton.setToolTip(QStringLiteral("Back"));
    hints.install(&window);
    hints.install(&second);
    hints.setStyle({clGreen, clBlack, true});

    ASSERT_TRUE(askHint(&secondButton));
    EXPECT_EQ(hints.hintWindow()->hintStyle().color, clGreen);
    EXPECT_FALSE(hints.hintWindow()->mask().contains(QPoint(0, 0)));
}

} // namespace
