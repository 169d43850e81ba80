#include "qevaluator.h"

#include "arithmeticfunctions.h"
#include "qevaluationguard.h"
#include "qstoprequest.h"
#include "stringliterals.h"

#include <QCoreApplication>
#include <QLocale>
#include <QScriptContext>
#include <QTimer>

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

namespace
{

const QString undefinedName = QStringLiteral("ReferenceError: Can't find variable: ");
const QString thrownError = QStringLiteral("Error: ");

// The decimal exponents of the numbers written in fixed notation: from 1e-6
// up to below 10 to the power of the precision.
const int smallestFixedExponent = -6;

// The precision the driver prints with.
const int printedDigits = 15;

// Whole numbers below this in magnitude are written with all their digits.
const double exactWholeLimit = 9007199254740992.0; // 2^53

// The text of a finite number the C library writes with digits significant
// digits in exponential notation, or the shortest that reads back as it
// when digits is 0.
std::string scientificText(double number, int digits)
{
    char text[1100];
    const std::to_chars_result written =
        digits > 0 ? std::to_chars(text, text + sizeof text, number, std::chars_format::scientific,
                                   digits - 1)
                   : std::to_chars(text, text + sizeof text, number, std::chars_format::scientific);
    return std::string(text, written.ptr);
}

// -1, 0 or 1 as the decimal text, as to_chars writes it in exponential
// notation, is below, equal to or above the double: exact, with the double's
// full expansion (at most 767 significant digits) written out.
int compareDecimal(const std::string &decimal, double number)
{
    const auto parts = [](const std::string &text, std::string &digits) {
        const size_t mark = text.find('e');
        for (size_t i = 0; i < mark; ++i) {
            if (std::isdigit(static_cast<unsigned char>(text[i])))
                digits += text[i];
        }
        while (digits.size() > 1 && digits.back() == '0')
            digits.pop_back();
        return std::atoi(text.c_str() + mark + 1);
    };
    std::string digits;
    std::string exact;
    const int exponent = parts(decimal, digits);
    const int exactExponent = parts(scientificText(number, 800), exact);
    if (exponent != exactExponent)
        return exponent < exactExponent ? -1 : 1;
    const int order = digits.compare(exact);
    return order < 0 ? -1 : order > 0 ? 1 : 0;
}

// True when the decimal text lies within 4 units in the last place of the
// positive finite number, the unit being the spacing of the doubles from
// the number's binade up. The bounds x - 4u and x + 4u are doubles; the
// decimal read back as a double tells on which side of them it lies, and
// only where it reads back as a bound itself are the digits compared.
bool withinFourUnits(const std::string &decimal, double number)
{
    int binade = 0;
    std::frexp(number, &binade);
    const double unit = std::ldexp(1.0, qMax(binade - 53, -1074));
    const double low = number - 4 * unit;
    const double high = number + 4 * unit;
    const double read = std::strtod(decimal.c_str(), nullptr);
    if (read == low)
        return compareDecimal(decimal, low) >= 0;
    if (read == high)
        return qIsFinite(high) && compareDecimal(decimal, high) <= 0;
    return read > low && read < high;
}

// The digits of a positive finite number with a decimal point after the
// first and its decimal exponent: the shortest of at most digits
// significant digits within 4 units in the last place, since what lies
// beyond is rounding noise; else the shortest that reads back as the number.
// The number rounded to more digits lies no farther from it, so the counts
// that qualify are all those from the shortest one up: a binary search finds
// it.
std::string significantDigits(double number, int digits, int &exponent)
{
    std::string text = scientificText(number, digits);
    if (withinFourUnits(text, number)) {
        int low = 1; // the counts below low do not qualify
        int high = digits;
        while (low < high) {
            const int count = (low + high) / 2;
            std::string candidate = scientificText(number, count);
            if (withinFourUnits(candidate, number)) {
                high = count;
                text = std::move(candidate);
            } else {
                low = count + 1;
            }
        }
    } else {
        text = scientificText(number, 0);
    }
    const size_t mark = text.find('e');
    exponent = std::atoi(text.c_str() + mark + 1);
    return text.substr(0, mark);
}

// The digits d.ddd times 10 to the exponent in fixed notation.
QString fixedText(const std::string &mantissa, int exponent)
{
    QString digits = QString::fromStdString(mantissa).remove(QLatin1Char('.'));
    if (exponent < 0)
        return QStringLiteral("0.") + QString(-exponent - 1, QLatin1Char('0')) + digits;
    if (digits.size() <= exponent + 1)
        return digits + QString(exponent + 1 - digits.size(), QLatin1Char('0'));
    return digits.insert(exponent + 1, QLatin1Char('.'));
}

// The engine's number text: whole numbers below 2^53 with all their digits;
// others with the significant digits above, in fixed notation from 1e-6 up
// to below 10 to the power of precision, outside it with an exponent in the
// form the engine reads back (1e-20, 6.02e+23).
QString readableText(double number, int precision)
{
    if (!qIsFinite(number) || number == 0)
        return QString::number(number, 'f', 0);
    const QString sign = number < 0 ? QStringLiteral("-") : QString();
    const double magnitude = std::fabs(number);
    if (magnitude < exactWholeLimit && std::floor(magnitude) == magnitude)
        return sign + QString::number(magnitude, 'f', 0);
    int exponent = 0;
    const std::string mantissa = significantDigits(magnitude, precision, exponent);
    if (exponent >= smallestFixedExponent && exponent < precision)
        return sign + fixedText(mantissa, exponent);
    return sign + QString::fromStdString(mantissa) + QLatin1Char('e') +
           QLatin1Char(exponent < 0 ? '-' : '+') + QString::number(qAbs(exponent));
}

// NumberText(x): the engine's number text, for the numbers that the script
// library writes into its error texts. The capital letters keep it from the
// user's names, which are lower-cased.
QScriptValue numberText(QScriptContext *context, QScriptEngine *)
{
    return QEvaluator::formatNumber(context->argument(0).toNumber(), QEvaluator::FixedNotation,
                                    printedDigits);
}

} // namespace

QEvaluator::QEvaluator() : guard(new QEvaluationGuard(&engine))
{
    engine.installTranslatorFunctions(QScriptValue());
    engine.globalObject().setProperty(QStringLiteral("NumberText"),
                                      engine.newFunction(numberText, 1));
    ArithmeticFunctions::install(engine);
    engine.setProcessEventsInterval(QStopRequest::checkInterval);
}

void QEvaluator::setTimeLimit(int milliseconds)
{
    timeLimit = milliseconds;
}

void QEvaluator::process(const QString &line)
{
    // a ";" inside a string literal is the literal's
    const QString program = processor.buildProgram(StringLiterals::split(line, QLatin1Char(';')));
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
    message = errorText(text);
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
    if (message == QLatin1String("SyntaxError: Expression too deep"))
        return QCoreApplication::translate("QObject",
                                           "The expression is too long or too deeply nested");
    // an error thrown by the library or the engine's own statements
    if (message.startsWith(thrownError))
        return QCoreApplication::translate("QObject", "Error: %1")
            .arg(message.mid(thrownError.size()));
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
