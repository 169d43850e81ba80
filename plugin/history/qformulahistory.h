#ifndef QFORMULAHISTORY_H
#define QFORMULAHISTORY_H

#include "qformularecord.h"

#include <QObject>
#include <QVector>

#include <functional>

// The formulas the panel calculated, each with its answer, oldest first,
// the last 100 of them. The history is kept in a text file: its first line
// "brisma history 1", then one line per entry, the formula's record, a tab
// and the answer, escaped as records escape text, and for an error a tab
// and "error". Lines that cannot be read are passed over. A file that is not
// such a history, or that cannot be read, is left as it is: the history then
// lives only as long as the panel, and says so when its first entry comes.
class QFormulaHistory : public QObject
{
    Q_OBJECT

public:
    struct Entry {
        QFormulaRecord formula;
        QString answer;
        // The answer is the engine's error text.
        bool failed = false;
    };

    static const int kept = 100;
    static const QString header;

    explicit QFormulaHistory(QObject *parent = nullptr);

    // The history file that belongs to a settings file: beside it, named
    // after it with the suffix ".history".
    static QString fileBeside(const QString &settingsFile);
    void load(const QString &fileName);
    // Drops the entries that fail the test, without writing the file.
    void keepOnly(const std::function<bool(const Entry &)> &test);

    int count() const { return entries.size(); }
    const Entry &entry(int index) const { return entries.at(index); }
    void add(const QFormulaRecord &formula, const QString &answer, bool failed = false);
    // Whether the entries go into the history file.
    bool isKept() const { return ownsFile && !fileName.isEmpty(); }
    // The entry shown in the editor, or -1 while none is.
    int current() const { return currentIndex; }
    void setCurrent(int index);

public slots:
    void clear();

signals:
    // An entry was added at the end, and the oldest dropped if there were
    // too many.
    void entryAdded();
    // Anything else changed.
    void entriesChanged();
    void currentChanged(int index);
    // The first entry of a history whose file is another program's came.
    void notKept();

private:
    static bool readLine(const QString &line, Entry *entry);
    void save();

    QString fileName;
    bool ownsFile = false;
    // The user was told that the entries are not kept.
    bool told = false;
    QVector<Entry> entries;
    int currentIndex = -1;
};

#endif
