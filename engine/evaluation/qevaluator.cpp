#include "qevaluator.h"

#include "arithmeticfunctions.h"
#include "qevaluationguard.h"
#include "qstoprequest.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTimer>

#include <algorithm>

namespace
{

const QString undefinedName = QStringLiteral("ReferenceError: Can't find variable: ");

// The decimal exponent of the smallest numbers written in fixed notation.
const int smallestFixedExponent = -6;

int digitCount(const QString &text)
{
    return int(std::count_if(text.cbegin(), text.cend(), [](QChar c) { return c.isDigit(); }));
}

// The significant digits of a number in the toolkit's exponential notation,
// without the exponent, which goes to exponent: the shortest digits that
// read back as the number when they are no more than digits, else the
// number rounded to that many where that is a finite number.
QString significantDigits(double number, int digits, int &exponent)
{
    QString text = QString::number(number, 'e', QLocale::FloatingPointShortest);
    if (digitCount(text.left(text.indexOf(QLatin1Char('e')))) > digits) {
        // rounded up past the greatest double, the digits would read back
        // as an infinity
        const QString rounded = QString::number(number, 'e', digits - 1);
        if (qIsFinite(rounded.toDouble()))
            text = rounded;
    }
    const int mark = text.indexOf(QLatin1Char('e'));
    exponent = text.midRef(mark + 1).toInt();
    return text.left(mark);
}

// A double holds some 16 significant digits, and no more are shown: below
// 10 the number is written as the toolkit writes it with precision decimals;
// from 10 up with as many decimals as precision + 1 significant digits
// leave, and no more than the shortest text of the number needs; below 1e-6
// and from 10 to the power precision + 1 up, where fixed notation would show
// false zeros or invented digits, with an exponent in the form that the
// engine reads back (1e-20, 6.02e+23).
QString readableText(double number, int precision)
{
    if (!qIsFinite(number) || number == 0)
        return QEvaluator::trimZeros(QString::number(number, 'f', precision));
    int exponent = 0;
    const QString mantissa = significantDigits(number, precision + 1, exponent);
    if (exponent < smallestFixedExponent || exponent > precision)
        return QEvaluator::trimZeros(mantissa) + QLatin1Char('e') +
               QLatin1Char(exponent < 0 ? '-' : '+') + QString::number(qAbs(exponent));
    if (exponent < 1)
        return QEvaluator::trimZeros(QString::number(number, 'f', precision));
    const int decimals = qMax(0, digitCount(mantissa) - 1 - exponent);
    return QEvaluator::trimZeros(QString::number(number, 'f', decimals));
}

} // namespace

QEvaluator::QEvaluator() : guard(new QEvaluationGuard(&engine))
{
    engine.installTranslatorFunctions(QScriptValue());
    ArithmeticFunctions::install(engine);
    engine.setProcessEventsInterval(QStopRequest::checkInterval);
}

void QEvaluator::setTimeLimit(int milliseconds)
{
    timeLimit = milliseconds;
}

void QEvaluator::process(const QString &line)
{
    const QString program = processor.buildProgram(line.split(QLatin1Char(';')));
    QTimer timer;
    if (timeLimit > 0)
        limitTime(timer);
    failed = false;
    answers.clear();
    if (!QStopRequest::signal()) {
        QStopRequest::watch(guard);
        result = engine.evaluate(program, QString(), 1);
        QStopRequest::watch(nullptr);
    }
    // a stop request ends the line whether or not the evaluation heeded it
    if (QStopRequest::signal()) {
        engine.clearExceptions();
        failWith(QStopRequest::stoppedText());
        return;
    }
    if (guard->stopped()) {
        failWith(guard->errorText());
        return;
    }
    if (engine.hasUncaughtException()) {
        const QScriptValue thrown = engine.uncaughtException();
        engine.clearExceptions();
        fail(thrown);
        return;
    }
    takeAnswers();
}

// The guard looks at the time before each statement; a cycle without
// statements is stopped by the timer, whose events the engine looks at in
// its cycles.
void QEvaluator::limitTime(QTimer &timer)
{
    const QString text =
        QStringLiteral("Error: ") +
        QCoreApplication::translate("QObject", "Stopped after %1 ms").arg(timeLimit);
    guard->stopAt(QDeadlineTimer(timeLimit), text);
    engine.setProcessEventsInterval(qMax(1, timeLimit / 10));
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, [this, text] { guard->stop(text); });
    timer.start(timeLimit);
}

void QEvaluator::takeAnswers()
{
    isArray = result.isArray();
    const int count = isArray ? result.property(0).toInt32() : 1;
    for (int i = 1; i <= count; ++i) {
        QScriptValue value = isArray ? result.property(quint32(i)) : result;
        Answer answer;
        answer.isNumber = value.isNumber();
        if (guard->isTooLong(value)) {
            failWith(QEvaluationGuard::longStringText());
            return;
        }
        if (answer.isNumber) {
            answer.number = value.toNumber();
        } else if (!toText(value, answer.text)) {
            fail(value);
            return;
        }
        answers << answer;
    }
}

bool QEvaluator::toText(QScriptValue &value, QString &text)
{
    text = value.toString();
    if (!engine.hasUncaughtException())
        return true;
    value = engine.uncaughtException();
    engine.clearExceptions();
    return false;
}

void QEvaluator::failWith(const QString &text)
{
    failed = true;
    answers.clear();
    message = text;
}

void QEvaluator::fail(const QScriptValue &thrown)
{
    failed = true;
    answers.clear();
    // a thrown value whose own toString throws is followed a few steps
    QScriptValue value = thrown;
    QString text;
    int steps = 0;
    while (!toText(value, text)) {
        if (++steps == 8) {
            text = QStringLiteral("Error: uncaught exception");
            break;
        }
    }
    message = value.isError() ? errorText(text) : text;
}

QString QEvaluator::resultText(int format, int precision) const
{
    if (failed)
        return message;
    QStringList texts;
    for (const Answer &answer : answers)
        texts << (answer.isNumber ? formatNumber(answer.number, format, precision) : answer.text);
    return texts.join(QLatin1Char('\n'));
}

int QEvaluator::answerCount() const
{
    return failed ? 0 : answers.size();
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
    if (number == 0)
        number = 0; // a zero of either sign is written as 0
    switch (format) {
    case FixedNotation:
        return readableText(number, precision);
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
