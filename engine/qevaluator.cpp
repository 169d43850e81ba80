#include "qevaluator.h"

#include <QCoreApplication>

namespace
{

const QString undefinedName = QStringLiteral("ReferenceError: Can't find variable: ");

} // namespace

QEvaluator::QEvaluator()
{
    engine.installTranslatorFunctions(QScriptValue());
}

void QEvaluator::process(const QString &line)
{
    const QString program = processor.buildProgram(line.split(QLatin1Char(';')));
    result = engine.evaluate(program, QString(), 1);
    failed = engine.hasUncaughtException();
}

QString QEvaluator::resultText(int format, int precision) const
{
    if (failed)
        return result.isError() ? errorText(result.toString()) : result.toString();
    if (!result.isArray())
        return result.toString();
    QStringList answers;
    const int count = result.property(0).toInt32();
    for (int i = 1; i <= count; ++i) {
        const QScriptValue answer = result.property(quint32(i));
        answers << (answer.isNumber() ? formatNumber(answer.toNumber(), format, precision)
                                      : answer.toString());
    }
    return answers.join(QLatin1Char('\n'));
}

int QEvaluator::answerCount() const
{
    if (failed)
        return 0;
    if (!result.isArray())
        return 1;
    return result.property(0).toInt32();
}

QString QEvaluator::errorText(const QString &message)
{
    if (message.startsWith(undefinedName))
        return QCoreApplication::translate("QObject", "Error: undefined variable or function: %1")
            .arg(message.mid(undefinedName.size()));
    if (message == QLatin1String("SyntaxError: Parse error"))
        return QCoreApplication::translate("QObject", "Syntax error");
    if (message == QLatin1String("RangeError: Maximum call stack size exceeded."))
        return QCoreApplication::translate("QObject", "Maximum call stack size exceeded");
    return message;
}

QString QEvaluator::formatNumber(double number, int format, int precision)
{
    switch (format) {
    case FixedNotation:
        return trimZeros(QString::number(number, 'f', precision));
    case ExponentialNotation:
        return trimZeros(QString::number(number, 'e', precision));
    default:
        return QString();
    }
}

QString QEvaluator::trimZeros(const QString &number)
{
    const int point = number.indexOf(QLatin1Char('.'));
    if (point < 0)
        return number;
    int exponent = number.indexOf(QLatin1Char('e'));
    if (exponent < 0)
        exponent = number.size();
    int cut = exponent;
    while (cut > point && number.at(cut - 1) == QLatin1Char('0'))
        --cut;
    if (cut == point + 1)
        --cut;
    return number.left(cut) + number.mid(exponent);
}
