#include "qfilecache.h"

#include "qcstringcodec.h"

#include <QFile>
#include <QSaveFile>
#include <QtGlobal>

namespace
{

// A record survives the file only when each of its texts comes back as it
// went in: one line, no NUL byte, nothing the code page cannot write. Gives
// the text's bytes in bytes, so that a text is converted only once to be
// checked and written.
bool storable(const QString &text, QByteArray &bytes)
{
    if (text.contains(QLatin1Char('\n')))
        return false;
    bytes = QCStringCodec::fromUnicode(text);
    return QCStringCodec::toUnicode(bytes) == text;
}

// The file's lines without their line feeds; a last line may lack its own.
QList<QByteArray> lines(const QByteArray &bytes)
{
    QList<QByteArray> pieces = bytes.split('\n');
    if (bytes.isEmpty() || bytes.endsWith('\n'))
        pieces.removeLast(); // the empty piece after the last line feed
    return pieces;
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

void QFileCache::load()
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        qWarning("QFileCache: Unable to read %s", fileName.toLocal8Bit().constData());
        return;
    }
    // Whole lines are read, so a record is never split into two; the file
    // is read at once, which costs less than a read for every line.
    const QList<QByteArray> records = lines(file.readAll());
    for (int i = 0; i + 1 < records.size(); i += 2) {
        const QString key = QCStringCodec::toUnicode(records.at(i)).trimmed();
        insert(key, QCStringCodec::toUnicode(records.at(i + 1)).trimmed());
    }
}

void QFileCache::save()
{
    // The new file replaces the old one whole, so a reader never meets a
    // half-written file, even when this run dies while saving.
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return;
    const QList<QString> keys = entries.keys();
    QByteArray keyBytes;
    QByteArray textBytes;
    for (const QString &key : keys) {
        const QString text = value(key);
        if (storable(key, keyBytes) && storable(text, textBytes))
            file.write(keyBytes + '\n' + textBytes + '\n');
    }
    file.commit();
}
