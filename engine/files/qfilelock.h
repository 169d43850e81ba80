#ifndef QFILELOCK_H
#define QFILELOCK_H

#include <QtGlobal>

// Byte-range locks on an open file, the one kind of lock every run of the
// engine takes: open-file-description locks, which belong to the open file
// rather than to the process, so that two holders in one process exclude
// each other as two processes do. A lock that someone else keeps is waited
// for a short time only: the run then goes on without the locked file
// rather than hang.
class QFileLock
{
public:
    enum Type { Shared, Exclusive, Unlocked };

    // The longest wait for a lock, in milliseconds: far above what any run
    // holds a lock for.
    static const int waitLimit = 3000;

    // Takes, changes or drops the lock on length bytes from start (length 0:
    // to the end of the file, however long). lock() waits up to waitLimit;
    // tryLock() not at all.
    static bool lock(int handle, Type type, qint64 start = 0, qint64 length = 0);
    static bool tryLock(int handle, Type type, qint64 start = 0, qint64 length = 0);
};

#endif
