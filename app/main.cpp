#include "forms/toolkittexts.h"
#include "game/tavola.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("mcm-mcd"));
    forms::useItalianToolkitTexts();
    Tavola tavola;
    tavola.Show();
    return QApplication::exec();
}
