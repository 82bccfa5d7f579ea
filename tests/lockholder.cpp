// Takes the record lock on the file given and holds it until killed.
#include "forms/files/filelock.h"

#include <QCoreApplication>
#include <QThread>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    if (argc != 2)
        return 1;
    forms::FileLock lock(QString::fromLocal8Bit(argv[1]));
    if (!lock.tryLock(5000))
        return 2;
    std::puts("held");
    std::fflush(stdout);
    QThread::sleep(60);
    return 0;
}
