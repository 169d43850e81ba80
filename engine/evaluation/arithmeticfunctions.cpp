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
// needs it, on values that are not both numbers, and kept on the function
// of that operation: most lines never need it.
QScriptValue scriptOperation(QScriptValue function, QScriptEngine *engine,
                             const Operation &operation, const QScriptValue &a,
                             const QScriptValue &b)
{
    QScriptValue fallback = function.property(fallbackName);
    if (!fallback.isFunction()) {
        fallback = engine->evaluate(QStringLiteral("(function(a,b){return a%1b;})")
                                        .arg(QLatin1String(operation.scriptOperator)));
        function.setProperty(fallbackName, fallback,
                             QScriptValue::ReadOnly | QScriptValue::Undeletable |
                                 QScriptValue::SkipInEnumeration);
    }
    return fallback.call(QScriptValue(), {a, b});
}

// The operation whose function the value is, or null.
const Operation *operationOf(const QScriptValue &value, QScriptEngine *engine)
{
    if (!value.isFunction())
        return nullptr;
    const QScriptValue global = engine->globalObject();
    for (const Operation &operation : operations) {
        if (value.strictlyEquals(global.property(QLatin1String(operation.name))))
            return &operation;
    }
    return nullptr;
}

// A chain f(a,b,c) is f(f(a,b),c), and one of these functions among the
// operands, f(a,b,g,c), applies from there on: g(f(a,b),c). The operator
// table writes a+b+c and a+b-c so.
QScriptValue operate(QScriptContext *context, QScriptEngine *engine, void *data)
{
    const Operation *operation = static_cast<const Operation *>(data);
    QScriptValue function; // the operation's own, where not the callee
    // each QScriptContext::argument would build the arguments object anew
    const QScriptValue arguments = context->argumentsObject();
    const int count = qMax(2, context->argumentCount());
    QScriptValue result = arguments.property(0);
    for (int i = 1; i < count; ++i) {
        const QScriptValue operand = arguments.property(quint32(i));
        const Operation *next = i + 1 < count ? operationOf(operand, engine) : nullptr;
        if (next) {
            operation = next;
            function = operand;
        } else if (result.isNumber() && operand.isNumber()) {
            result = QScriptValue(operation->exact(result.toNumber(), operand.toNumber()));
        } else {
            result = scriptOperation(function.isValid() ? function : context->callee(), engine,
                                     *operation, result, operand);
        }
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
