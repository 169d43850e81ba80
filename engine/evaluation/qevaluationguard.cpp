#include "qevaluationguard.h"

#include <QCoreApplication>
#include <QScriptContext>
#include <QScriptEngine>
#include <QScriptValueIterator>

namespace
{

// How many of the names that held no string are looked at before each
// statement: each statement costs that many look-ups at most, however many
// names the line has.
const int namesInTurn = 4;

bool isNameCharacter(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('$');
}

} // namespace

QEvaluationGuard::QEvaluationGuard(QScriptEngine *engine) : QScriptEngineAgent(engine)
{
    // evaluated before the guard is installed, so it is no script it sees
    lengthOf = engine->evaluate(QStringLiteral("(function(text){return text.length;})"));
    engine->setAgent(this);
}

void QEvaluationGuard::scriptLoad(qint64, const QString &program, const QString &, int)
{
    for (int i = 0; i < program.size(); ++i) {
        if (!isNameCharacter(program.at(i)))
            continue;
        int end = i + 1;
        while (end < program.size() && isNameCharacter(program.at(end)))
            ++end;
        const QString name = program.mid(i, end - i);
        if (!program.at(i).isDigit() && !known.contains(name)) {
            known.insert(name);
            names << engine()->toStringHandle(name);
            holdsString << false;
        }
        i = end - 1;
    }
}

void QEvaluationGuard::positionChange(qint64, int, int)
{
    if (measuring || stopped())
        return;
    if (deadline.hasExpired()) {
        stop(deadlineText);
        return;
    }

    const QScriptValueList scopes = engine()->currentContext()->scopeChain();
    for (int i = 0; i < stringNames.size(); ++i) {
        if (!checkName(stringNames.at(i), scopes))
            return;
    }
    for (int i = 0; i < qMin(namesInTurn, names.size()); ++i) {
        nextInTurn = (nextInTurn + 1) % names.size();
        if (!holdsString.at(nextInTurn) && !checkName(nextInTurn, scopes))
            return;
    }
}

bool QEvaluationGuard::checkName(int index, const QScriptValueList &scopes)
{
    const QScriptValue value = valueOf(names.at(index), scopes);
    if (!value.isString())
        return true;
    if (!holdsString.at(index)) {
        holdsString[index] = true;
        stringNames << index;
    }
    if (!isTooLong(value))
        return true;
    stop(longStringText());
    return false;
}

void QEvaluationGuard::stopAt(const QDeadlineTimer &when, const QString &text)
{
    deadline = when;
    deadlineText = text;
}

void QEvaluationGuard::stop(const QString &text)
{
    stopText = text;
    engine()->abortEvaluation();
    // the engine heeds an abort in its cycles only: a run of calls ends at
    // its next call of a global function, once those are taken away
    for (QScriptValueIterator global(engine()->globalObject()); global.hasNext();) {
        global.next();
        if (global.value().isFunction())
            global.setValue(QScriptValue());
    }
}

bool QEvaluationGuard::isTooLong(const QScriptValue &value)
{
    if (!value.isString())
        return false;
    // the length from the script engine's own count: turning the string
    // into text would build all of it
    measuring = true;
    const double length = lengthOf.call(QScriptValue(), QScriptValueList{value}).toNumber();
    measuring = false;
    return length > maxLength;
}

QString QEvaluationGuard::longStringText()
{
    return QStringLiteral("Error: ") +
           QCoreApplication::translate("QObject", "A string grew longer than %1 characters")
               .arg(maxLength);
}

// The variable's value in the scope of the running statement, or an
// invalid value for a name that is no variable there.
QScriptValue QEvaluationGuard::valueOf(const QScriptString &name, const QScriptValueList &scopes)
{
    for (const QScriptValue &scope : scopes) {
        const QScriptValue value = scope.property(name, QScriptValue::ResolveLocal);
        if (value.isValid())
            return value;
    }
    return QScriptValue();
}
