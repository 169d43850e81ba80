#include "qdatafile.h"

#include "qfilelock.h"

#ifdef Q_OS_UNIX
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstring>
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

namespace
{

// The temporary files of replace() are named after the file they replace,
// a point and six characters of mkostemp's.
const int temporarySuffix = 6;

bool isTemporaryOf(const char *entry, const QByteArray &base)
{
    const size_t length = strlen(entry);
    if (length != size_t(base.size()) + 1 + temporarySuffix ||
        strncmp(entry, base.constData(), size_t(base.size())) != 0 || entry[base.size()] != '.')
        return false;
    for (const char *c = entry + base.size() + 1; *c; ++c) {
        if (!isalnum(static_cast<unsigned char>(*c)))
            return false;
    }
    return true;
}

// Removes the temporary files that runs killed while they saved the file
// left beside it. A live save holds the lock on its temporary file, so only
// a file whose lock is free is left over; and only the file that was
// locked is removed, never one put under its name meanwhile.
void removeLeftovers(const QByteArray &name, const QByteArray &own)
{
    const int slash = name.lastIndexOf('/');
    const QByteArray directory = slash < 0 ? QByteArray(".") : name.left(qMax(1, slash));
    const QByteArray base = name.mid(slash + 1);
    DIR *entries = opendir(directory.constData());
    if (!entries)
        return;
    while (const dirent *entry = readdir(entries)) {
        if (!isTemporaryOf(entry->d_name, base))
            continue;
        const QByteArray path = (slash < 0 ? QByteArray() : name.left(slash + 1)) + entry->d_name;
        if (path == own)
            continue;
        const int handle = QDataFile::openOwn(QFile::decodeName(path), O_WRONLY, false);
        if (handle < 0)
            continue;
        struct stat opened;
        struct stat named;
        if (QFileLock::tryLock(handle, QFileLock::Exclusive) && fstat(handle, &opened) == 0 &&
            lstat(path.constData(), &named) == 0 && opened.st_ino == named.st_ino &&
            opened.st_dev == named.st_dev)
            ::unlink(path.constData());
        ::close(handle);
    }
    closedir(entries);
}

// A new temporary file beside name, locked while it lives. Another save's
// clean-up may take a file in the moment before its lock: such a file is
// made again.
int lockedTemporary(const QByteArray &name, QByteArray &temporary)
{
    for (int attempt = 0; attempt < 8; ++attempt) {
        temporary = name + '.' + QByteArray(temporarySuffix, 'X');
        const int handle = mkostemp(temporary.data(), O_CLOEXEC); // mode 0600
        if (handle < 0)
            return -1;
        struct stat opened;
        struct stat named;
        if (QFileLock::tryLock(handle, QFileLock::Exclusive) && fstat(handle, &opened) == 0 &&
            lstat(temporary.constData(), &named) == 0 && opened.st_ino == named.st_ino)
            return handle;
        ::close(handle);
    }
    errno = EEXIST;
    return -1;
}

} // namespace

bool QDataFile::replace(const QString &fileName, const QByteArray &content)
{
    const QByteArray name = QFile::encodeName(fileName);
    QByteArray temporary;
    const int handle = lockedTemporary(name, temporary);
    if (handle < 0) {
        return (errno == EACCES || errno == EPERM || errno == EROFS) &&
               rewriteInPlace(name, content);
    }
    removeLeftovers(name, temporary);
    // a copy of the handle keeps the lock, which belongs to the open file,
    // from the close that reports a failed write to the rename that follows
    const int keeper = fcntl(handle, F_DUPFD_CLOEXEC, 0);
    const bool written = QDataFile::write(handle, content);
    const bool closed = ::close(handle) == 0;
    // the rename replaces the name, never what a link there points to
    const bool renamed =
        keeper >= 0 && written && closed && ::rename(temporary.constData(), name.constData()) == 0;
    if (!renamed)
        ::unlink(temporary.constData());
    if (keeper >= 0)
        ::close(keeper);
    return renamed;
}
#endif
