#ifndef QDATAFILE_H
#define QDATAFILE_H

#include <QByteArray>
#include <QFile>
#include <QString>

// Opening, reading and writing the engine's files: the operator table, the
// cache, the library modules and the log. Only regular files are opened,
// and never in a way that blocks (a FIFO without a writer would hang the
// open, a device such as /dev/zero the read), and no read takes more than
// its bound. What the engine writes is never written through a symbolic
// link, is created readable and writable by the user only, and is never
// created anywhere but under the name it was given.
class QDataFile
{
public:
    // The most any one data file is read: far above what a table, a cache
    // or a module holds.
    static constexpr qint64 readLimit = 1 << 20;

    // Opens fileName for mode when it is a regular file (a link to one
    // counts); false, with the file closed, for anything else.
    static bool open(QFile &file, QIODevice::OpenMode mode);
    // At most readLimit bytes from the file's current position.
    static QByteArray readAll(QFile &file);

    // The descriptor of fileName opened with the access flags (O_RDONLY,
    // O_WRONLY or O_RDWR, and O_APPEND) when it is a regular file and no
    // symbolic link; when create is set and the name is free, a new file of
    // mode 0600, and created tells so. -1 for anything else.
    static int openOwn(const QString &fileName, int flags, bool create, bool *created = nullptr);
    // Writes all the bytes at the handle's position (its end, when it
    // appends); false on any failure.
    static bool write(int handle, const QByteArray &bytes);
    // Writes the content into a new file beside fileName and puts it in
    // fileName's place once it is written and closed without error, so that
    // a full disk or a failed write leaves the old file as it was. A
    // directory that takes no new file has the file rewritten in place, under
    // an exclusive lock, once its room is reserved.
    static bool replace(const QString &fileName, const QByteArray &content);
};

#endif
