#include "qfilecache.h"

#include "qcstringcodec.h"

#include <QFile>
#include <QSaveFile>
#include <QtGlobal>

namespace
{

// A record survives the file only when each of its texts comes back as it
// went in: one line, no NUL byte, nothing the code page cannot write.
bool storable(const QString &text)
{
    return !text.contains(QLatin1Char('\n')) &&
           QCStringCodec::toUnicode(QCStringCodec::fromUnicode(text)) == text;
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
    // Whole lines are read, so a record is never split into two.
    QString key;
    bool pending = false;
    while (!file.atEnd()) {
        const QString line = QCStringCodec::toUnicode(file.readLine()).trimmed();
        if (pending)
            insert(key, line);
        else
            key = line;
        pending = !pending;
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
    for (const QString &key : keys) {
        const QString text = value(key);
        if (storable(key) && storable(text))
            file.write(
                QCStringCodec::fromUnicode(key + QLatin1Char('\n') + text + QLatin1Char('\n')));
    }
    file.commit();
}
