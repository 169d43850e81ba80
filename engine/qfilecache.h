#ifndef QFILECACHE_H
#define QFILECACHE_H

#include <QCache>
#include <QString>

// A cost-limited map from texts to texts that lives in a file between runs.
// An entry costs its key's and value's lengths plus 2; when the limit is
// reached the least recently used entries go first.
class QFileCache
{
public:
    QFileCache(const QString &fileName, int maxCost);
    ~QFileCache();

    QString value(const QString &key);
    void insert(const QString &key, const QString &value);
    void save();

    // True when the record would come back from the file exactly as it is.
    static bool isStorable(const QString &key, const QString &value);

private:
    void load();

    QString fileName;
    int maxCost;
    QCache<QString, QString> entries;
};

#endif
