#ifndef QFILECACHE_H
#define QFILECACHE_H

#include <QByteArray>
#include <QHash>
#include <QString>

#include <list>

// A cost-limited map from texts to texts that lives in a file between runs.
// An entry costs its key's and value's lengths plus 2; when the limit is
// reached the least recently used entries go first. The file holds the
// entries from the least to the most recently used, so that a later run
// loads them in the order of their use.
//
// The stamp tells what the entries were made under. The file's first record
// holds it, under a key line of a tab and a text that no entry has, with the
// checksum of the records after it. Entries are taken from a file only when
// its stamp is the cache's own and its records add up to the checksum;
// otherwise, and for a file without that record, the cache starts afresh.
class QFileCache
{
public:
    QFileCache(const QString &fileName, int maxCost, const QString &stamp = QString());
    ~QFileCache();

    QString value(const QString &key);
    void insert(const QString &key, const QString &value);
    // Rewrites the file, unless it holds already what it would be given.
    void save();

    // The file's content for the records under the stamp: the stamp's
    // record first; empty without records, or for a stamp that a file cannot
    // hold as it is.
    static QByteArray stampedRecords(const QString &stamp, const QByteArray &records);
    // True when the record would come back from the file exactly as it is.
    static bool isStorable(const QString &key, const QString &value);

private:
    struct Entry {
        QString key;
        QString value;
        int cost;
    };
    using Entries = std::list<Entry>;

    void load();
    void remove(Entries::iterator entry);

    QString fileName;
    int maxCost;
    QString stamp;
    Entries entries; // the least recently used first
    QHash<QString, Entries::iterator> index;
    int totalCost = 0;
    QByteArray loaded; // the file's content as this run read it
};

#endif
