// Calls End from inside an open message box; nothing after it may run.
#include "forms/widgets/host.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QTimer::singleShot(0, [] {
        std::puts("before");
        forms::End();
    });
    forms::MsgBox(QStringLiteral("aperta"));
    std::puts("after");
    return 3;
}
