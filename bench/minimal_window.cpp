// The yardstick of the start-up benchmark: a Qt program that shows one empty
// window.
#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.resize(640, 480);
    window.show();
    return app.exec();
}
