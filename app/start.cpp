#include "app/start.h"

#include "forms/widgets/toolkittexts.h"
#include "game/tavola.h"

#include <QApplication>

int startGame(int argc, char *argv[], const std::function<void(Tavola &)> &beforeShow)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("mcm-mcd"));
    forms::useItalianToolkitTexts();
    Tavola tavola;
    if (beforeShow)
        beforeShow(tavola);
    tavola.Show();
    return QApplication::exec();
}
