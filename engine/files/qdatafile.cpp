#include "qdatafile.h"

#include "qfilelock.h"

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
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

#ifdef Q_OS_UNIX
namespace
{

bool rewriteInPlace(const QByteArray &name, const QByteArray &content)
{
    const int handle = QDataFile::openOwn(QFile::decodeName(name), O_WRONLY, false);
    if (handle < 0)
        return false;
    // the room is taken before the first byte changes: a full disk fails
    // here, with the old content whole
    const bool written = QFileLock::lock(handle, QFileLock::Exclusive) &&
                         posix_fallocate(handle, 0, qMax<off_t>(1, content.size())) == 0 &&
                         QDataFile::write(handle, content) &&
                         ftruncate(handle, content.size()) == 0;
    ::close(handle);
    return written;
}

} // namespace

int QDataFile::openOwn(const QString &fileName, int flags, bool create, bool *created)
{
    const QByteArray name = QFile::encodeName(fileName);
    const int common = flags | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;
    if (created)
        *created = false;
    // a new file is made only where the name is free: O_EXCL never follows
    // a link, so nothing is created where a dangling link points
    int handle = ::open(name.constData(), common);
    if (handle < 0 && errno == ENOENT && create) {
        handle = ::open(name.constData(), common | O_CREAT | O_EXCL, 0600);
        if (handle >= 0 && created)
            *created = true;
        else if (handle < 0 && errno == EEXIST) // made meanwhile by another run
            handle = ::open(name.constData(), common);
    }
    if (handle < 0)
        return -1;
    struct stat status;
    if (fstat(handle, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(handle);
        return -1;
    }
    fcntl(handle, F_SETFL, fcntl(handle, F_GETFL) & ~O_NONBLOCK);
    return handle;
}

bool QDataFile::write(int handle, const QByteArray &bytes)
{
    qint64 written = 0;
    while (written < bytes.size()) {
        const ssize_t step =
            ::write(handle, bytes.constData() + written, size_t(bytes.size() - written));
        if (step < 0 && errno == EINTR)
            continue;
        if (step <= 0)
            return false;
        written += step;
    }
    return true;
}

bool QDataFile::replace(const QString &fileName, const QByteArray &content)
{
    const QByteArray name = QFile::encodeName(fileName);
    QByteArray temporary = name + ".XXXXXX";
    const int handle = mkostemp(temporary.data(), O_CLOEXEC); // mode 0600
    if (handle < 0) {
        return (errno == EACCES || errno == EPERM || errno == EROFS) &&
               rewriteInPlace(name, content);
    }
    const bool written = QDataFile::write(handle, content);
    const bool closed = ::close(handle) == 0;
    // the rename replaces the name, never what a link there points to
    if (written && closed && ::rename(temporary.constData(), name.constData()) == 0)
        return true;
    ::unlink(temporary.constData());
    return false;
}
#endif
