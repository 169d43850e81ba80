#include "linkingpass.h"

#include "qscriptmodule.h"
#include "stringliterals.h"

#include <QHash>
#include <QSet>
#include <QVector>

#include <algorithm>
#include <set>

namespace
{

bool isIdentifierCharacter(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('$');
}

// The index after each occurrence of name outside string literals that is
// a whole identifier, not a part of a longer one.
QVector<int> nameEnds(const QString &statement, const QString &name)
{
    QVector<int> ends;
    StringLiterals::walkOutside(statement, [&](int start) {
        if (!isIdentifierCharacter(statement.at(start)))
            return start;
        int end = start + 1;
        while (end < statement.size() && isIdentifierCharacter(statement.at(end)))
            ++end;
        if (statement.midRef(start, end - start) == name)
            ends << end;
        return end - 1;
    });
    return ends;
}

// The statement with text inserted at each of the ascending positions.
QString inserted(const QString &statement, const QVector<int> &positions, const QString &text)
{
    QString result;
    result.reserve(statement.size() + positions.size() * text.size());
    int copied = 0;
    for (const int position : positions) {
        result += statement.midRef(copied, position - copied);
        result += text;
        copied = position;
    }
    result += statement.midRef(copied);
    return result;
}

bool bracketAt(const QString &statement, int index)
{
    return index < statement.size() && statement.at(index) == QLatin1Char('(');
}

// A function module's name without brackets becomes a call; a call that
// already has its brackets keeps them: pi*2 gives pi()*2, max(1,2) stays.
void makeCalls(QString &statement, const QString &name)
{
    QVector<int> calls;
    for (const int end : nameEnds(statement, name)) {
        if (!bracketAt(statement, end))
            calls << end;
    }
    statement = inserted(statement, calls, QStringLiteral("()"));
}

// A variable module's name directly followed by a bracket multiplies it:
// e(2) gives e*(2); sine(2) and e2(2) name other things.
void multiplyBeforeBrackets(QString &statement, const QString &name)
{
    QVector<int> products;
    for (const int end : nameEnds(statement, name)) {
        if (bracketAt(statement, end))
            products << end;
    }
    statement = inserted(statement, products, QStringLiteral("*"));
}

// When every module left waits for another, some of them use each other:
// following the first use still unplaced from the first module by name ends
// in such a cycle, whose first module by name goes first.
QString firstOfACycle(const QMap<QString, int> &unmetUses, const QHash<QString, QStringList> &uses)
{
    QStringList path;
    QString current = unmetUses.firstKey();
    while (!path.contains(current)) {
        path << current;
        for (const QString &used : uses.value(current)) {
            if (unmetUses.contains(used)) {
                current = used;
                break;
            }
        }
    }
    path = path.mid(path.indexOf(current));
    return *std::min_element(path.cbegin(), path.cend());
}

} // namespace

QStringList LinkingPass::words(const QString &text)
{
    QStringList found;
    QSet<QString> seen;
    QString word;
    for (const QChar c : text + QLatin1Char(' ')) {
        if (c.isLetter()) {
            word += c.toLower();
            continue;
        }
        if (!word.isEmpty() && !seen.contains(word)) {
            seen.insert(word);
            found << word;
        }
        word.clear();
    }
    return found;
}

void LinkingPass::adapt(QString &statement, const QString &name, int kind)
{
    if (kind == QScriptModule::FunctionModule)
        makeCalls(statement, name);
    else if (kind == QScriptModule::VariableModule)
        multiplyBeforeBrackets(statement, name);
}

QStringList LinkingPass::moduleOrder(const QMap<QString, QScriptModule *> &modules)
{
    QMap<QString, int> unmetUses; // the modules still to place, by name
    QHash<QString, QStringList> uses;
    QHash<QString, QStringList> users;
    std::set<QString> ready;
    for (auto entry = modules.cbegin(); entry != modules.cend(); ++entry) {
        QSet<QString> used(entry.value()->usedNames.cbegin(), entry.value()->usedNames.cend());
        used.remove(entry.key());
        uses[entry.key()] = QStringList(used.cbegin(), used.cend());
        uses[entry.key()].sort();
        for (const QString &name : qAsConst(used))
            users[name] << entry.key();
        unmetUses.insert(entry.key(), used.size());
        if (used.isEmpty())
            ready.insert(entry.key());
    }
    QStringList order;
    while (!unmetUses.isEmpty()) {
        const QString next = ready.empty() ? firstOfACycle(unmetUses, uses) : *ready.begin();
        ready.erase(next);
        unmetUses.remove(next);
        order << next;
        for (const QString &user : users.value(next)) {
            const auto unmet = unmetUses.find(user);
            if (unmet != unmetUses.end() && --unmet.value() == 0)
                ready.insert(user);
        }
    }
    return order;
}

QString LinkingPass::programPrefix(const QMap<QString, QScriptModule *> &modules)
{
    QString prefix;
    for (const QString &name : moduleOrder(modules))
        prefix += modules.value(name)->code;
    return prefix;
}
