#include "qdatafile.h"

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#include <QFileInfo>
#endif

bool QDataFile::open(QFile &file, QIODevice::OpenMode mode)
{
#ifdef Q_OS_UNIX
    int flags = O_NONBLOCK | O_CLOEXEC;
    if ((mode & QIODevice::ReadWrite) == QIODevice::ReadWrite)
        flags |= O_RDWR;
    else if (mode & QIODevice::WriteOnly)
        flags |= O_WRONLY;
    else
        flags |= O_RDONLY;
    const int fd = ::open(QFile::encodeName(file.fileName()).constData(), flags);
    if (fd < 0)
        return false;
    struct stat status;
    if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return false;
    }
    // a regular file never blocks; the flag goes so that nothing else sees it
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (mode & QIODevice::Truncate && ftruncate(fd, 0) != 0) {
        ::close(fd);
        return false;
    }
    if (!file.open(fd, mode & ~QIODevice::Truncate, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    return true;
#else
    return QFileInfo(file.fileName()).isFile() && file.open(mode);
#endif
}

namespace
{

qint64 room(const QFile &file)
{
    return qMax<qint64>(0, QDataFile::readLimit - file.pos());
}

} // namespace

QByteArray QDataFile::readAll(QFile &file)
{
    return file.read(room(file));
}

QByteArray QDataFile::readLine(QFile &file, qint64 limit, bool *overlong)
{
    // QIODevice::readLine(n) reads at most n - 1 bytes
    QByteArray line = file.readLine(qMin(limit, room(file)) + 1);
    const bool cut = line.size() == limit && !line.endsWith('\n') && !file.atEnd();
    if (cut) {
        QByteArray rest;
        do
            rest = file.readLine(qMin<qint64>(4096, room(file)) + 1);
        while (!rest.isEmpty() && !rest.endsWith('\n'));
    }
    if (overlong)
        *overlong = cut;
    return line;
}
