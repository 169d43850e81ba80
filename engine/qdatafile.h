#ifndef QDATAFILE_H
#define QDATAFILE_H

#include <QByteArray>
#include <QFile>
#include <QString>

// Opening and reading the engine's data files: the operator table, the
// cache and the library modules. Only regular files are opened, and never in
// a way that blocks (a FIFO without a writer would hang the open, a device
// such as /dev/zero the read), and no read takes more than its bound.
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
    // One line up to and with its line feed, of at most limit bytes; the
    // rest of a longer line is read and dropped, and overlong tells so.
    // Reading stops at readLimit bytes from the start of the file: the
    // empty result means the end.
    static QByteArray readLine(QFile &file, qint64 limit, bool *overlong = nullptr);
};

#endif
