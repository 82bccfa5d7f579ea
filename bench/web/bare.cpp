// The baseline for tools/web/bench.sh: the least a Qt Widgets program draws in
// the page, one plain window of the game's size, built the same way as the game.
#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Finestra vuota"));
    window.setFixedSize(680, 575);
    window.show();
    return QApplication::exec();
}
