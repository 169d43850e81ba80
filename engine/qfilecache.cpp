#include "qfilecache.h"

#include "qcstringcodec.h"
#include "qdatafile.h"

#include <QFile>
#include <QSaveFile>
#include <QtGlobal>

#ifdef Q_OS_UNIX
#include <sys/file.h>

#include <cerrno>
#endif

namespace
{

// The longest line of a record, in bytes with its line end: far above what
// a record within the cost limit takes in any code page.
const qint64 lineLimit = 8192;

// Takes a shared or exclusive lock on an open file until it is closed, so
// that no reader meets a file that another run is writing in place.
void lockFile(QFile &file, bool exclusive)
{
#ifdef Q_OS_UNIX
    while (flock(file.handle(), exclusive ? LOCK_EX : LOCK_SH) != 0 && errno == EINTR) {
    }
#else
    Q_UNUSED(file);
    Q_UNUSED(exclusive);
#endif
}

enum LineState { CompleteLine, BrokenLine, NoLine };

// One line of the file as the loader reads it, its line end (a line feed,
// or a carriage return and a line feed) taken off: broken when it has no
// line end (cut short) or is longer than the limit.
LineState readRecordLine(QFile &file, QString &text, QByteArray &line)
{
    bool overlong = false;
    line = QDataFile::readLine(file, lineLimit, &overlong);
    if (line.isEmpty())
        return NoLine;
    if (overlong || !line.endsWith('\n'))
        return BrokenLine;
    line.chop(1);
    if (line.endsWith('\r'))
        line.chop(1);
    if (line.contains('\0'))
        return BrokenLine;
    text = QCStringCodec::toUnicode(line);
    return CompleteLine;
}

// The bytes that a save writes for a text, or a null array when the text
// would not come back from the file exactly as it went in: a text must not
// be empty, must be one line, hold no NUL byte and nothing the code page
// cannot write, have no white space at either end (which the file's earlier
// readers trimmed, so that the record came back under another key) and be
// no longer than a line may be.
QByteArray storedBytes(const QString &text)
{
    if (text.isEmpty() || text.trimmed() != text)
        return QByteArray();
    const QByteArray bytes = QCStringCodec::fromUnicode(text);
    if (bytes.contains('\n') || bytes.contains('\0') || bytes.size() >= lineLimit - 2 ||
        QCStringCodec::toUnicode(bytes) != text)
        return QByteArray();
    return bytes;
}

// A text read from a complete line of the file is storable. When the text
// gives back the line's bytes, it reads back as itself, for it was read from
// them: the check spares the second conversion.
bool storableAsRead(const QString &text, const QByteArray &line)
{
    if (QCStringCodec::fromUnicode(text) != line)
        return !storedBytes(text).isNull();
    return !text.isEmpty() && text.trimmed() == text && line.size() < lineLimit - 2;
}

} // namespace

QFileCache::QFileCache(const QString &fileName, int maxCost)
    : fileName(fileName), maxCost(maxCost), entries(maxCost)
{
    load();
}

QFileCache::~QFileCache()
{
    save();
}

QString QFileCache::value(const QString &key)
{
    const QString *value = entries.object(key);
    return value ? *value : QString();
}

void QFileCache::insert(const QString &key, const QString &value)
{
    // QCache drops an entry dearer than the limit itself and evicts the least
    // recently used ones to make room
    entries.insert(key, new QString(value), key.size() + value.size() + 2);
}

bool QFileCache::isStorable(const QString &key, const QString &value)
{
    return !storedBytes(key).isNull() && !storedBytes(value).isNull();
}

void QFileCache::load()
{
    QFile file(fileName);
    if (!QDataFile::open(file, QIODevice::ReadOnly)) {
        qWarning("QFileCache: Unable to read %s", fileName.toLocal8Bit().constData());
        return;
    }
    lockFile(file, false);
    // Only complete records count: both lines ended by a line feed, neither
    // overlong, both as a save would have written them. A record that fails
    // is skipped whole, so that the pairing of the records after it holds.
    for (;;) {
        QString key;
        QString value;
        QByteArray keyLine;
        QByteArray valueLine;
        const LineState keyState = readRecordLine(file, key, keyLine);
        if (keyState == NoLine)
            break;
        const LineState valueState = readRecordLine(file, value, valueLine);
        if (valueState == NoLine)
            break;
        if (keyState == CompleteLine && valueState == CompleteLine &&
            storableAsRead(key, keyLine) && storableAsRead(value, valueLine))
            insert(key, value);
    }
}

void QFileCache::save()
{
    QByteArray content;
    const QList<QString> keys = entries.keys();
    for (const QString &key : keys) {
        // each text is converted once, to be checked and written
        const QByteArray keyBytes = storedBytes(key);
        const QByteArray textBytes = storedBytes(value(key));
        if (!keyBytes.isNull() && !textBytes.isNull())
            content += keyBytes + '\n' + textBytes + '\n';
    }
    // The new file replaces the old one whole, so a reader never meets a
    // half-written file, even when this run dies while saving.
    QSaveFile file(fileName);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(content);
        file.commit();
        return;
    }
    // No temporary file can be made beside it (a directory the user may
    // not write): the file is written in place, under a lock that readers
    // wait for; a run that dies meanwhile leaves complete records only.
    QFile inPlace(fileName);
    if (!QDataFile::open(inPlace, QIODevice::WriteOnly))
        return;
    lockFile(inPlace, true);
    if (inPlace.resize(0))
        inPlace.write(content);
}
