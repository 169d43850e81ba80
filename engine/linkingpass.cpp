#include "linkingpass.h"

#include "qscriptmodule.h"

#include <QSet>

namespace
{

// A function module's name becomes a call wherever it stands; a call that
// already has its brackets keeps them: pi*2 gives pi()*2, max(1,2) stays.
void makeCalls(QString &statement, const QString &name)
{
    statement.replace(name, name + QLatin1String("()"));
    statement.replace(name + QLatin1String("()("), name + QLatin1Char('('));
}

// A variable module's name directly followed by a bracket multiplies it,
// unless the name ends a longer name: e(2) gives e*(2), sine(2) stays.
// The statement is written anew in one sweep: the search resumes one
// character after each hit, which an inserted "*" never makes a new hit.
void multiplyBeforeBrackets(QString &statement, const QString &name)
{
    const QString call = name + QLatin1Char('(');
    QString multiplied;
    int copied = 0;
    for (int hit = statement.indexOf(call); hit >= 0; hit = statement.indexOf(call, hit + 1)) {
        if (hit == 0 || !statement.at(hit - 1).isLetter()) {
            multiplied += statement.midRef(copied, hit + name.size() - copied);
            multiplied += QLatin1Char('*');
            copied = hit + name.size();
        }
    }
    if (copied > 0) {
        multiplied += statement.midRef(copied);
        statement = multiplied;
    }
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
