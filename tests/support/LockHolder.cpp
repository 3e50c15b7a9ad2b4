#include "foundation/ShareLock.h"

#include <QCoreApplication>

#include <cstdio>

// Another workstation for the tests of the export's lock, in a process of its own:
//     lock_holder PATH USER HOST
// takes the lock of PATH as USER on HOST, says "preso" (or "non preso") and holds it until its standard input
// closes or it is killed.
int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    if (argc != 4)
        return 2;
    ShareLock lock(QString::fromLocal8Bit(argv[1]));
    ShareLock::Holder me = ShareLock::Holder::thisProcess(QDateTime(QDate(2011, 6, 14), QTime(9, 15)));
    me.user = QString::fromLocal8Bit(argv[2]);
    me.host = QString::fromLocal8Bit(argv[3]);
    const bool taken = lock.tryLock(me) == ShareLock::State::Taken;
    std::puts(taken ? "preso" : "non preso");
    std::fflush(stdout);
    if (!taken)
        return 1;
    char byte = 0;
    while (std::fread(&byte, 1, 1, stdin) == 1) {
    }
    return 0;
}
