#include "qfilelock.h"

#ifdef Q_OS_UNIX
#include <QElapsedTimer>

#include <fcntl.h>
#include <signal.h>
#include <sys/time.h>

#include <cerrno>

namespace
{

#ifdef F_OFD_SETLK
const int tryCommand = F_OFD_SETLK;
const int waitCommand = F_OFD_SETLKW;
#else
const int tryCommand = F_SETLK;
const int waitCommand = F_SETLKW;
#endif

bool command(int handle, int which, QFileLock::Type type, qint64 start, qint64 length)
{
    struct flock lock = {};
    lock.l_type = type == QFileLock::Shared      ? F_RDLCK
                  : type == QFileLock::Exclusive ? F_WRLCK
                                                 : F_UNLCK;
    lock.l_whence = SEEK_SET;
    lock.l_start = off_t(start);
    lock.l_len = off_t(length);
    return fcntl(handle, which, &lock) == 0;
}

// The alarm only ends a waiting fcntl with EINTR.
void wakeUp(int) {}

// Arms a one-shot alarm that interrupts a wait, and disarms it again.
void setAlarm(int milliseconds)
{
    struct sigaction action = {};
    action.sa_handler = wakeUp; // without SA_RESTART: the wait ends
    sigemptyset(&action.sa_mask);
    if (milliseconds > 0)
        sigaction(SIGALRM, &action, nullptr);
    struct itimerval timer = {};
    timer.it_value.tv_sec = milliseconds / 1000;
    timer.it_value.tv_usec = (milliseconds % 1000) * 1000;
    setitimer(ITIMER_REAL, &timer, nullptr);
}

} // namespace

bool QFileLock::tryLock(int handle, Type type, qint64 start, qint64 length)
{
    while (!command(handle, tryCommand, type, start, length)) {
        if (errno != EINTR)
            return false;
    }
    return true;
}

bool QFileLock::lock(int handle, Type type, qint64 start, qint64 length)
{
    if (tryLock(handle, type, start, length))
        return true;
    if (errno != EAGAIN && errno != EACCES)
        return false;
    QElapsedTimer waited;
    waited.start();
    bool locked = false;
    for (qint64 left = waitLimit; left > 0 && !locked; left = waitLimit - waited.elapsed()) {
        setAlarm(int(left));
        locked = command(handle, waitCommand, type, start, length);
        setAlarm(0);
        if (!locked && errno != EINTR)
            break;
    }
    return locked;
}

#else

bool QFileLock::tryLock(int, Type, qint64, qint64)
{
    return true;
}

bool QFileLock::lock(int, Type, qint64, qint64)
{
    return true;
}

#endif
