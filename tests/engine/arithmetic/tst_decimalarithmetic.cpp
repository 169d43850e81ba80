// The exact decimal arithmetic: results against the exact decimal results
// rounded once, computed by an independent reference (decimalrows.py).

#include "decimalarithmetic.h"

#include <QFile>
#include <QtTest>

#include <cmath>
#include <cstring>

namespace
{

double operate(char operation, double a, double b)
{
    switch (operation) {
    case '+':
        return DecimalArithmetic::sum(a, b);
    case '-':
        return DecimalArithmetic::difference(a, b);
    case '*':
        return DecimalArithmetic::product(a, b);
    default:
        return DecimalArithmetic::quotient(a, b);
    }
}

double number(const QByteArray &text)
{
    if (text == "inf")
        return INFINITY;
    if (text == "-inf")
        return -INFINITY;
    if (text == "nan")
        return NAN;
    return text.toDouble();
}

// The same double, the sign of a zero and not-a-number included.
bool same(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0 || (std::isnan(a) && std::isnan(b));
}

} // namespace

class DecimalArithmeticTest : public QObject
{
    Q_OBJECT

private slots:
    void operations_data();
    void operations();
    void referenceRows();
};

void DecimalArithmeticTest::operations_data()
{
    QTest::addColumn<char>("operation");
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("b");
    QTest::addColumn<double>("result");
    QTest::newRow("a sum of amounts") << '+' << 692.56 << 82.8 << 775.36;
    QTest::newRow("tenths") << '+' << 0.1 << 0.2 << 0.3;
    QTest::newRow("a difference of amounts") << '-' << 100.0 << 99.99 << 0.01;
    QTest::newRow("a difference of near amounts") << '-' << 86251.76 << 86250.82 << 0.94;
    QTest::newRow("a product of an amount") << '*' << 4.35 << 100.0 << 435.0;
    QTest::newRow("a quotient of decimals") << '/' << 0.3 << 0.1 << 3.0;
    QTest::newRow("a quotient that does not end") << '/' << 1.0 << 3.0 << 1.0 / 3.0;
    QTest::newRow("a difference of equals is +0") << '-' << -0.1 << -0.1 << 0.0;
    QTest::newRow("zeros keep their sign") << '+' << -0.0 << -0.0 << -0.0;
    QTest::newRow("a tiny sum far below the other") << '+' << 1e22 << 1e-22 << 1e22;
    QTest::newRow("a difference far below the other") << '-' << 1e22 << 3e-300 << 1e22;
    QTest::newRow("beyond the greatest double") << '*' << 1e300 << 1e10 << double(INFINITY);
    QTest::newRow("below the least double") << '*' << -1e-300 << 1e-30 << -0.0;
    QTest::newRow("half the least double rounds up") << '/' << 5e-324 << 2.0 << 5e-324;
    QTest::newRow("division by zero") << '/' << 1.0 << 0.0 << double(INFINITY);
    QTest::newRow("zero by zero") << '/' << 0.0 << 0.0 << double(NAN);
    QTest::newRow("infinities") << '-' << double(INFINITY) << double(INFINITY) << double(NAN);
    QTest::newRow("whole numbers past 2^53 as printed")
        << '+' << 9007199254740992.0 << 1.0 << 9007199254740992.0;
}

void DecimalArithmeticTest::operations()
{
    QFETCH(char, operation);
    QFETCH(double, a);
    QFETCH(double, b);
    QFETCH(double, result);
    const double found = operate(operation, a, b);
    QVERIFY2(same(found, result), qPrintable(QString::number(found, 'g', 17)));
}

void DecimalArithmeticTest::referenceRows()
{
    QFile file(QStringLiteral(ROWS_FILE));
    QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
    int count = 0;
    while (!file.atEnd()) {
        const QByteArray line = file.readLine().trimmed();
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        const QList<QByteArray> fields = line.split(' ');
        QCOMPARE(fields.size(), 4);
        const double found =
            operate(fields.at(0).at(0), number(fields.at(1)), number(fields.at(2)));
        if (!same(found, number(fields.at(3))))
            QFAIL(qPrintable(QStringLiteral("%1 gives %2")
                                 .arg(QString::fromLatin1(line), QString::number(found, 'g', 17))));
        ++count;
    }
    QVERIFY(count > 1000);
}

QTEST_GUILESS_MAIN(DecimalArithmeticTest)
#include "tst_decimalarithmetic.moc"
