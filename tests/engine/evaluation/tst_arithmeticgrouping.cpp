// The shipped table's arithmetic keeps the script's grouping: on whole
// numbers and halves, where the exact decimal arithmetic and the binary one
// agree, random expressions give through the engine what the script engine
// gives for the same text.

#include "qevaluator.h"

#include "scratchdir.h"

#include <QRandomGenerator>
#include <QScriptEngine>
#include <QtTest>

#include <cmath>

namespace
{

// The script's precedence of the binary operators the generator writes.
int precedence(QChar operation)
{
    return operation == QLatin1Char('+') || operation == QLatin1Char('-') ? 1 : 2;
}

// A random expression and its value under the script's rules. Every value
// along the way stays a multiple of 1/64 below 2^30, an exact double whose
// shortest text is exact, so that binary and decimal arithmetic agree.
struct Expression {
    QString text;
    double value = 0;
    int precedence = 3; // of the operator at its top; 3 for an operand
    bool startsWithSign = false;
};

bool isTame(double value)
{
    return std::isfinite(value) && std::fabs(value) < 1073741824.0 &&
           value * 64 == std::floor(value * 64);
}

class Generator
{
public:
    explicit Generator(quint32 seed) : random(seed) {}

    Expression expression(int depth)
    {
        for (;;) {
            const Expression made = attempt(depth);
            if (isTame(made.value))
                return made;
        }
    }

private:
    Expression attempt(int depth)
    {
        const int choice = depth == 0 ? 0 : random.bounded(10);
        if (choice < 2)
            return number();
        if (choice == 2)
            return negated(expression(depth - 1));
        if (choice == 3)
            return bracketed(expression(depth - 1));
        const QChar operation = QStringLiteral("+-*/%").at(random.bounded(5));
        Expression left = expression(depth - 1);
        Expression right = operation == QLatin1Char('/') ? divisor() : expression(depth - 1);
        if (operation == QLatin1Char('%') && right.value == 0)
            right = number(1);
        return combined(left, operation, right);
    }

    Expression number(int least = 0)
    {
        Expression made;
        made.value = random.bounded(least, 100);
        made.text = QString::number(made.value);
        return made;
    }

    // a power of two, written plainly or as a product (8/2*2 is (8/2)*2)
    Expression divisor()
    {
        Expression made;
        made.value = std::ldexp(1.0, random.bounded(4));
        made.text = QString::number(made.value);
        return made;
    }

    Expression negated(const Expression &operand)
    {
        Expression made;
        const Expression inner =
            operand.precedence < 3 || operand.startsWithSign ? bracketed(operand) : operand;
        made.text = QLatin1Char('-') + inner.text;
        made.value = -operand.value;
        made.startsWithSign = true;
        return made;
    }

    static Expression bracketed(const Expression &operand)
    {
        Expression made = operand;
        made.text = QLatin1Char('(') + operand.text + QLatin1Char(')');
        made.precedence = 3;
        made.startsWithSign = false;
        return made;
    }

    // Brackets only where the script needs them: a left operand that binds
    // less tightly, a right operand that binds no more tightly; a right
    // operand's sign after + or - is bracketed, since the notation reads a
    // run of signs as one.
    Expression combined(Expression left, QChar operation, Expression right)
    {
        const int level = precedence(operation);
        if (left.precedence < level)
            left = bracketed(left);
        if (right.precedence <= level ||
            (right.startsWithSign && level == 1 && random.bounded(4) != 0))
            right = bracketed(right);
        if (right.startsWithSign && level == 1)
            right = bracketed(right);
        Expression made;
        made.text = left.text + operation + right.text;
        made.precedence = level;
        made.startsWithSign = left.startsWithSign;
        switch (operation.toLatin1()) {
        case '+':
            made.value = left.value + right.value;
            break;
        case '-':
            made.value = left.value - right.value;
            break;
        case '*':
            made.value = left.value * right.value;
            break;
        case '/':
            made.value = left.value / right.value;
            break;
        default:
            made.value = std::fmod(left.value, right.value);
        }
        return made;
    }

    QRandomGenerator random;
};

// The text the engine prints for a value of the plain script engine.
QString printed(const QScriptValue &value)
{
    return value.isNumber() ? QEvaluator::formatNumber(value.toNumber(), 0, 15) : value.toString();
}

} // namespace

class ArithmeticGroupingTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void randomExpressions_data();
    void randomExpressions();

private:
    ScratchDir dir;
};

void ArithmeticGroupingTest::initTestCase()
{
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    QVERIFY(QFile::copy(QStringLiteral(TOVEL_LIBRARY "/tovel_operators.conf"),
                        QStringLiteral("tovel_operators.conf")));
    writeFile(QStringLiteral("tovel_cache.dat"), QByteArray());
}

void ArithmeticGroupingTest::randomExpressions_data()
{
    QTest::addColumn<int>("form");
    QTest::newRow("expressions") << 0;
    QTest::newRow("comparisons") << 1;
    QTest::newRow("choices") << 2;
}

// Lines of 25 statements each, 3000 expressions in all per form.
void ArithmeticGroupingTest::randomExpressions()
{
    QFETCH(int, form);
    Generator generator(quint32(77 + form));
    QScriptEngine plain;
    for (int line = 0; line < 120; ++line) {
        QStringList statements;
        QStringList expected;
        for (int i = 0; i < 25; ++i) {
            QString text = generator.expression(4).text;
            if (form == 1)
                text += QStringLiteral("<") + generator.expression(3).text;
            else if (form == 2) {
                // ")=" would make the statement a definition
                const QString left = generator.expression(2).text;
                text = QStringLiteral("%1%2%3?%4:%5")
                           .arg(left, left.endsWith(QLatin1Char(')')) ? "<=" : "==",
                                generator.expression(1).text, generator.expression(3).text,
                                generator.expression(3).text);
            }
            statements << text;
            expected << printed(plain.evaluate(text));
        }
        QEvaluator evaluator;
        evaluator.process(statements.join(QLatin1Char(';')));
        QVERIFY2(!evaluator.isError(), qPrintable(statements.join(QLatin1Char(';'))));
        const QStringList answers = evaluator.resultText(0, 15).split(QLatin1Char('\n'));
        QCOMPARE(answers.size(), statements.size());
        for (int i = 0; i < statements.size(); ++i) {
            if (answers.at(i) != expected.at(i))
                QFAIL(qPrintable(QStringLiteral("%1 gives %2, the script %3")
                                     .arg(statements.at(i), answers.at(i), expected.at(i))));
        }
    }
}

QTEST_GUILESS_MAIN(ArithmeticGroupingTest)
#include "tst_arithmeticgrouping.moc"
