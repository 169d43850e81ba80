#include "qfilecache.h"

#include "qcstringcodec.h"
#include "qdatafile.h"

#include "qeventlog.h"
#include "qfilelock.h"

#include <QFile>
#include <QtGlobal>

namespace
{

// The longest line of a record, in bytes with its line end: far above what
// a record within the cost limit takes in any code page.
const qint64 lineLimit = 8192;

enum LineState { CompleteLine, BrokenLine, NoLine };

// The line of the file's bytes that starts at at, its line end (a line
// feed, or a carriage return and a line feed) taken off, and at moved past
// it: broken when it has no line end (cut short) or is longer than the limit.
LineState readRecordLine(const QByteArray &bytes, int &at, QString &text, QByteArray &line)
{
    if (at >= bytes.size())
        return NoLine;
    int end = bytes.indexOf('\n', at);
    const bool ended = end >= 0;
    if (!ended)
        end = bytes.size();
    line = bytes.mid(at, end - at);
    at = end + 1;
    if (!ended || line.size() >= lineLimit)
        return BrokenLine;
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

// The key line of the stamp's record.
const QByteArray stampKey = "\ttranslations made under";

// What the stamp's value line ends with: the checksum of the records.
const QByteArray checksumLabel = "checksum ";
const int checksumDigits = 16;

// FNV-1a over the bytes of the records after the stamp's record.
QByteArray checksumOf(const QByteArray &bytes, int from)
{
    quint64 hash = 14695981039346656037ULL;
    for (int i = from; i < bytes.size(); ++i)
        hash = (hash ^ quint8(bytes.at(i))) * 1099511628211ULL;
    return QByteArray::number(hash, 16).rightJustified(checksumDigits, '0');
}

// The stamp of the cache's file, read from its first record, with at moved
// past that record; false for a file that has no such record (one of an
// earlier version) or whose records do not add up to the record's checksum,
// as when a line was lost and each key would meet the next key's value.
bool stampOf(const QByteArray &bytes, int &at, QString &stamp)
{
    if (!bytes.startsWith(stampKey + '\n'))
        return false;
    at = stampKey.size() + 1;
    QString text;
    QByteArray line;
    if (readRecordLine(bytes, at, text, line) != CompleteLine ||
        !line.endsWith(checksumLabel + checksumOf(bytes, at)))
        return false;
    stamp = text.left(text.size() - checksumLabel.size() - checksumDigits);
    if (stamp.endsWith(QLatin1String(", ")))
        stamp.chop(2);
    return true;
}

} // namespace

QFileCache::QFileCache(const QString &fileName, int maxCost, const QString &stamp)
    : fileName(fileName), maxCost(maxCost), stamp(stamp)
{
    load();
}

QFileCache::~QFileCache()
{
    save();
}

QString QFileCache::value(const QString &key)
{
    const auto found = index.constFind(key);
    if (found == index.constEnd())
        return QString();
    entries.splice(entries.end(), entries, found.value());
    return found.value()->value;
}

void QFileCache::insert(const QString &key, const QString &value)
{
    const auto known = index.find(key);
    if (known != index.end())
        remove(known.value());
    const int cost = key.size() + value.size() + 2;
    if (cost > maxCost)
        return;
    while (totalCost + cost > maxCost)
        remove(entries.begin());
    index.insert(key, entries.insert(entries.end(), Entry{key, value, cost}));
    totalCost += cost;
}

void QFileCache::remove(Entries::iterator entry)
{
    totalCost -= entry->cost;
    index.remove(entry->key);
    entries.erase(entry);
}

bool QFileCache::isStorable(const QString &key, const QString &value)
{
    return !storedBytes(key).isNull() && !storedBytes(value).isNull();
}

void QFileCache::load()
{
    QFile file(fileName);
    if (!QDataFile::open(file, QIODevice::ReadOnly)) {
        // a first run has no file yet: that is no fault, and the note goes
        // to the log only
        if (QFile::exists(fileName))
            qWarning("QFileCache: Unable to read %s", fileName.toLocal8Bit().constData());
        else
            qCWarning(logOnly, "QFileCache: Unable to read %s", fileName.toLocal8Bit().constData());
        return;
    }
    QFileLock::lock(file.handle(), QFileLock::Shared);
    loaded = QDataFile::readAll(file);
    int at = 0;
    QString fileStamp;
    if (!stampOf(loaded, at, fileStamp) || fileStamp != stamp)
        return;
    // Only complete records count: both lines ended by a line feed, neither
    // overlong, both as a save would have written them. A record that fails
    // is skipped whole, so that the pairing of the records after it holds.
    for (;;) {
        QString key;
        QString value;
        QByteArray keyLine;
        QByteArray valueLine;
        const LineState keyState = readRecordLine(loaded, at, key, keyLine);
        if (keyState == NoLine)
            break;
        const LineState valueState = readRecordLine(loaded, at, value, valueLine);
        if (valueState == NoLine)
            break;
        if (keyState == CompleteLine && valueState == CompleteLine &&
            storableAsRead(key, keyLine) && storableAsRead(value, valueLine))
            insert(key, value);
    }
}

void QFileCache::save()
{
    QByteArray records;
    for (const Entry &entry : entries) {
        // each text is converted once, to be checked and written
        const QByteArray keyBytes = storedBytes(entry.key);
        const QByteArray textBytes = storedBytes(entry.value);
        if (!keyBytes.isNull() && !textBytes.isNull())
            records += keyBytes + '\n' + textBytes + '\n';
    }
    const QByteArray content = stampedRecords(stamp, records);
    // a line that used nothing new leaves the file alone; the new file
    // replaces the old one whole, so that a reader never meets a
    // half-written file, even when this run dies while saving
    if (content != loaded || !QFile::exists(fileName))
        QDataFile::replace(fileName, content);
}

QByteArray QFileCache::stampedRecords(const QString &stamp, const QByteArray &records)
{
    const QByteArray stampBytes = storedBytes(stamp);
    if (records.isEmpty() || (stampBytes.isNull() && !stamp.isEmpty()))
        return QByteArray();
    const QByteArray stampLine =
        stampBytes.isEmpty() ? checksumLabel : stampBytes + ", " + checksumLabel;
    QByteArray content = stampKey + '\n' + stampLine;
    content += checksumOf(records, 0) + '\n' + records;
    return content;
}
