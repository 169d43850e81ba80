#include "arithmeticfunctions.h"

#include "decimalarithmetic.h"

#include <QScriptContext>
#include <QScriptEngine>

#include <algorithm>
#include <iterator>

namespace
{

struct Operation {
    const char *name;
    double (*exact)(double, double);
    const char *scriptOperator; // what the script does with other values
};

const Operation operations[] = {
    {"DecSum", DecimalArithmetic::sum, "+"},
    {"DecDiff", DecimalArithmetic::difference, "-"},
    {"DecProd", DecimalArithmetic::product, "*"},
    {"DecQuot", DecimalArithmetic::quotient, "/"},
};

const QString fallbackName = QStringLiteral("scriptOperation");

// The script's own operator as a function, made at the first call that
// needs it, on values that are not both numbers: most lines never need it.
QScriptValue scriptOperation(QScriptContext *context, QScriptEngine *engine,
                             const Operation &operation, const QScriptValue &a,
                             const QScriptValue &b)
{
    QScriptValue callee = context->callee();
    QScriptValue function = callee.property(fallbackName);
    if (!function.isFunction()) {
        function = engine->evaluate(QStringLiteral("(function(a,b){return a%1b;})")
                                        .arg(QLatin1String(operation.scriptOperator)));
        callee.setProperty(fallbackName, function,
                           QScriptValue::ReadOnly | QScriptValue::Undeletable |
                               QScriptValue::SkipInEnumeration);
    }
    return function.call(QScriptValue(), {a, b});
}

// A chain f(a,b,c) is f(f(a,b),c): the operator table writes a+b+c so.
QScriptValue operate(QScriptContext *context, QScriptEngine *engine, void *data)
{
    const Operation &operation = *static_cast<const Operation *>(data);
    // each QScriptContext::argument would build the arguments object anew
    const QScriptValue arguments = context->argumentsObject();
    const int count = qMax(2, context->argumentCount());
    QScriptValue result = arguments.property(0);
    for (int i = 1; i < count; ++i) {
        const QScriptValue operand = arguments.property(quint32(i));
        if (result.isNumber() && operand.isNumber())
            result = QScriptValue(operation.exact(result.toNumber(), operand.toNumber()));
        else
            result = scriptOperation(context, engine, operation, result, operand);
    }
    return result;
}

} // namespace

bool ArithmeticFunctions::takesChains(const QString &pattern)
{
    const QString callee = pattern.chopped(qMin(7, pattern.size()));
    return pattern.endsWith(QLatin1String("(%1,%2)")) &&
           std::any_of(
               std::begin(operations), std::end(operations),
               [&](const Operation &operation) { return callee == QLatin1String(operation.name); });
}

void ArithmeticFunctions::install(QScriptEngine &engine)
{
    QScriptValue global = engine.globalObject();
    for (const Operation &operation : operations) {
        QScriptValue function = engine.newFunction(operate, const_cast<Operation *>(&operation));
        global.setProperty(QLatin1String(operation.name), function,
                           QScriptValue::ReadOnly | QScriptValue::Undeletable |
                               QScriptValue::SkipInEnumeration);
    }
}
