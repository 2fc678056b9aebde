// The second yardstick of the start-up benchmark: a Qt program that shows one
// window with one line of text, so it loads fonts as the menu must.
#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.resize(640, 480);
    auto *line = new QLabel(QStringLiteral("Menu płyty CD"), &window);
    line->move(20, 20);
    window.show();
    return app.exec();
}
