#include "qformulahistory.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTextStream>

#include <algorithm>

namespace
{
// A larger file is no history this panel wrote.
const qint64 largestFile = 16 * 1024 * 1024;
const QChar tab(QLatin1Char('\t'));
const QString errorMark = QStringLiteral("error");
} // namespace

const QString QFormulaHistory::header = QStringLiteral("brisma history 1");

QFormulaHistory::QFormulaHistory(QObject *parent) : QObject(parent) {}

QString QFormulaHistory::fileBeside(const QString &settingsFile)
{
    const QFileInfo settings(settingsFile);
    return settings.dir().filePath(settings.completeBaseName() + QStringLiteral(".history"));
}

void QFormulaHistory::load(const QString &name)
{
    fileName = name;
    entries.clear();
    currentIndex = -1;
    QFile file(name);
    ownsFile = !file.exists();
    if (!ownsFile && file.size() <= largestFile && file.open(QIODevice::ReadOnly)) {
        QTextStream stream(&file);
        stream.setCodec("UTF-8");
        ownsFile = stream.readLine() == header;
        Entry entry;
        while (ownsFile && !stream.atEnd())
            if (readLine(stream.readLine(), &entry))
                entries.append(entry);
    }
    if (entries.size() > kept)
        entries.remove(0, entries.size() - kept);
    emit entriesChanged();
}

void QFormulaHistory::keepOnly(const std::function<bool(const Entry &)> &test)
{
    const auto end = std::stable_partition(entries.begin(), entries.end(), test);
    if (end == entries.end())
        return;
    entries.erase(end, entries.end());
    emit entriesChanged();
}

void QFormulaHistory::add(const QFormulaRecord &formula, const QString &answer, bool failed)
{
    if (!isKept() && !fileName.isEmpty() && !told) {
        told = true;
        emit notKept();
    }
    entries.append({formula, answer, failed});
    if (entries.size() > kept)
        entries.removeFirst();
    currentIndex = -1;
    save();
    emit entryAdded();
}

void QFormulaHistory::setCurrent(int index)
{
    currentIndex = index >= 0 && index < entries.size() ? index : -1;
    emit currentChanged(currentIndex);
}

void QFormulaHistory::clear()
{
    entries.clear();
    currentIndex = -1;
    save();
    emit entriesChanged();
}

bool QFormulaHistory::readLine(const QString &line, Entry *entry)
{
    const int split = line.indexOf(tab);
    if (split < 0 || !QFormulaRecord::fromText(line.left(split), &entry->formula))
        return false;
    const QStringList answer = line.mid(split + 1).split(tab);
    entry->answer = QFormulaRecord::unescaped(answer.first());
    entry->failed = answer.value(1) == errorMark;
    return true;
}

// A file that cannot be written keeps what it held.
void QFormulaHistory::save()
{
    if (!ownsFile || fileName.isEmpty())
        return;
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return;
    QTextStream stream(&file);
    stream.setCodec("UTF-8");
    stream << header << '\n';
    for (const Entry &entry : qAsConst(entries))
        stream << entry.formula.toText() << tab << QFormulaRecord::escaped(entry.answer)
               << (entry.failed ? tab + errorMark : QString()) << '\n';
    stream.flush();
    file.commit();
}
