#include "qevaluator.h"

#include "scratchdir.h"

#include <QtTest>

#include <cmath>

class EvaluatorTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void trimZeros_data();
    void trimZeros();
    void formatNumber_data();
    void formatNumber();
    void printedNumbersReadBack_data();
    void printedNumbersReadBack();
    void results_data();
    void results();
    void errorText_data();
    void errorText();
    void timeLimit_data();
    void timeLimit();

private:
    ScratchDir dir;
};

void EvaluatorTest::initTestCase()
{
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
}

void EvaluatorTest::trimZeros_data()
{
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("trimmed");
    QTest::newRow("fraction kept") << "2.500000000000000"
                                   << "2.5";
    QTest::newRow("point goes with the zeros") << "7.000000000000000"
                                               << "7";
    QTest::newRow("zeros before the point stay") << "10.0"
                                                 << "10";
    QTest::newRow("exponent stays") << "1.500000e+01"
                                    << "1.5e+01";
    QTest::newRow("whole mantissa") << "2.000e-05"
                                    << "2e-05";
    QTest::newRow("no point") << "100"
                              << "100";
    QTest::newRow("non-finite") << "inf"
                                << "inf";
}

void EvaluatorTest::trimZeros()
{
    QFETCH(QString, number);
    QTEST(QEvaluator::trimZeros(number), "trimmed");
}

void EvaluatorTest::formatNumber_data()
{
    QTest::addColumn<double>("number");
    QTest::addColumn<int>("format");
    QTest::addColumn<QString>("text");
    QTest::newRow("sum of tenths") << 0.1 + 0.2 << 0 << "0.3";
    QTest::newRow("quarter") << 0.25 << 0 << "0.25";
    QTest::newRow("below the last fixed digit") << 4e-16 << 0 << "4e-16";
    QTest::newRow("negative") << -1.5 << 0 << "-1.5";
    QTest::newRow("exponential") << 15.0 << 2 << "1.5e+01";
    QTest::newRow("unknown format") << 1.0 << 1 << "";
    // at most 15 significant digits within 4 ulp, else the shortest that
    // reads back: a third has no such decimal, two thirds has
    QTest::newRow("a third in 16 digits") << 1.0 / 3 << 0 << "0.3333333333333333";
    QTest::newRow("two thirds in 15 digits") << 2.0 / 3 << 0 << "0.666666666666667";
    QTest::newRow("pi in 16 digits") << M_PI << 0 << "3.141592653589793";
    QTest::newRow("e squared without noise") << std::exp(2.0) << 0 << "7.38905609893065";
    QTest::newRow("half pi in 17 digits") << std::asin(1.0) << 0 << "1.5707963267948966";
    QTest::newRow("4 ulp from a short decimal") << 0.3 + 4 * std::ldexp(1.0, -54) << 0 << "0.3";
    QTest::newRow("5 ulp from a short decimal")
        << 0.3 + 5 * std::ldexp(1.0, -54) << 0 << "0.30000000000000027";
    QTest::newRow("whole number below 2^53 in all digits")
        << 9007199254740991.0 << 0 << "9007199254740991";
    QTest::newRow("whole number below 2^53 from 1e15 up")
        << 1234567890123456.0 << 0 << "1234567890123456";
    QTest::newRow("below 10 as before: a millionth") << 1e-6 << 0 << "0.000001";
    QTest::newRow("no noise digits from 10 up") << 100 * 1.15 << 0 << "115";
    QTest::newRow("no noise digits in a product") << 19.99 * 3 << 0 << "59.97";
    QTest::newRow("a numeral as typed") << 12345.6789 << 0 << "12345.6789";
    QTest::newRow("decimals as sixteen digits leave") << 40000 + 0.001 << 0 << "40000.001";
    QTest::newRow("shortest digits of a long fraction")
        << 123456789.123456789 << 0 << "123456789.12345679";
    QTest::newRow("within 4 ulp of 100") << 99.99999999999999 << 0 << "100";
    QTest::newRow("2^53 in 15 digits within 4 ulp")
        << 9007199254740992.0 << 0 << "9.007199254741e+15";
    QTest::newRow("last fixed power") << 1e15 << 0 << "1000000000000000";
    QTest::newRow("first power with an exponent") << 1e16 << 0 << "1e+16";
    QTest::newRow("great number in 17 digits")
        << std::pow(2.0, 70) << 0 << "1.1805916207174113e+21";
    QTest::newRow("exactly 4 ulp below counts") << 1e15 + 0.5 << 0 << "1e+15";
    QTest::newRow("fraction above 1e15 with an exponent")
        << 1e15 + 0.625 << 0 << "1.0000000000000006e+15";
    QTest::newRow("shortest digits that read back") << 6.02e23 << 0 << "6.02e+23";
    QTest::newRow("tiny number, no false zero") << 1e-20 << 0 << "1e-20";
    QTest::newRow("tiny negative number keeps its sign") << -1e-20 << 0 << "-1e-20";
    QTest::newRow("first power below fixed notation") << 1e-7 << 0 << "1e-7";
    QTest::newRow("smallest double") << 5e-324 << 0 << "5e-324";
    QTest::newRow("greatest double does not round to an infinity")
        << 1.7976931348623157e308 << 0 << "1.7976931348623157e+308";
    QTest::newRow("negative zero") << -0.0 << 0 << "0";
    QTest::newRow("infinity") << qInf() << 0 << "inf";
    QTest::newRow("negative infinity") << -qInf() << 0 << "-inf";
    QTest::newRow("not a number") << qQNaN() << 0 << "nan";
}

void EvaluatorTest::formatNumber()
{
    QFETCH(double, number);
    QFETCH(int, format);
    QTEST(QEvaluator::formatNumber(number, format, 15), "text");
}

void EvaluatorTest::printedNumbersReadBack_data()
{
    QTest::addColumn<QString>("line");
    for (const char *line :
         {"1/3", "-2/3", "100*1.15", "1e-20", "-1e-20", "6.02e23", "1180591620717411303424",
          "1/1180591620717411303424", "-7e200/3", "1/7e9", "123456.789e3", "5e-324",
          "1.7976931348623157e308", "0.1+0.2"})
        QTest::newRow(line) << line;
}

// The text of every answer, typed as a line, gives the same text again.
void EvaluatorTest::printedNumbersReadBack()
{
    QFETCH(QString, line);
    QEvaluator first;
    first.process(line);
    const QString printed = first.resultText(QEvaluator::FixedNotation, 15);
    QEvaluator again;
    again.process(printed);
    QCOMPARE(again.resultText(QEvaluator::FixedNotation, 15), printed);
}

void EvaluatorTest::results_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("error");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("answers");
    QTest::newRow("worked example") << "a=3;2a+1" << false << "7" << 1;
    QTest::newRow("three answers") << "1;2;3" << false << "1\n2\n3" << 3;
    QTest::newRow("no answer") << "x=1" << false << "" << 0;
    QTest::newRow("mixed answers") << "\"a\";1/2;[1,2]" << false << "a\n0.5\n1,2" << 3;
    QTest::newRow("undefined name")
        << "zz" << true << "Error: undefined variable or function: zz" << 0;
    QTest::newRow("thrown string") << "[1].map(function(){throw\"oops\"})" << true << "oops" << 0;
    QTest::newRow("thrown undefined")
        << "[1].map(function(){throw(undefined)})" << true << "undefined" << 0;
    QTest::newRow("answer whose toString throws")
        << "o={};o[\"toString\"]=function(){throw\"bad\"};1;o" << true << "bad" << 0;
    QTest::newRow("answer nested too deep to be written")
        << QString(500, QLatin1Char('[')) + QString(500, QLatin1Char(']')) << true
        << "Maximum call stack size exceeded" << 0;
    QTest::newRow("thrown value whose toString throws it again")
        << "o={};o[\"toString\"]=function(){throw(o)};[1].map(function(){throw(o)})" << true
        << "Error: uncaught exception" << 0;
}

void EvaluatorTest::results()
{
    QFETCH(QString, line);
    QEvaluator evaluator;
    evaluator.process(line);
    QTEST(evaluator.isError(), "error");
    QTEST(evaluator.resultText(QEvaluator::FixedNotation, 15), "text");
    QTEST(evaluator.answerCount(), "answers");
}

void EvaluatorTest::errorText_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("text");
    QTest::newRow("undefined name") << "ReferenceError: Can't find variable: abc"
                                    << "Error: undefined variable or function: abc";
    QTest::newRow("parse error") << "SyntaxError: Parse error"
                                 << "Syntax error";
    QTest::newRow("stack") << "RangeError: Maximum call stack size exceeded."
                           << "Maximum call stack size exceeded";
    QTest::newRow("stack without the point stays")
        << "RangeError: Maximum call stack size exceeded"
        << "RangeError: Maximum call stack size exceeded";
    QTest::newRow("case matters") << "syntaxError: Parse error"
                                  << "syntaxError: Parse error";
    QTest::newRow("other") << "Error: M"
                           << "Error: M";
}

void EvaluatorTest::errorText()
{
    QFETCH(QString, message);
    QTEST(QEvaluator::errorText(message), "text");
}

void EvaluatorTest::timeLimit_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("text");
    const QString stopped = QStringLiteral("Error: Stopped after 100 ms");
    QTest::newRow("endless empty cycle") << "for(i=0,1,i);end" << stopped;
    QTest::newRow("calls without end in sight") << "f(n)=n<1?0:f(n-1)+f(n-1);f(99)" << stopped;
    QTest::newRow("a quick line keeps its answer") << "1+2"
                                                   << "3";
}

void EvaluatorTest::timeLimit()
{
    QFETCH(QString, line);
    QEvaluator evaluator;
    evaluator.setTimeLimit(100);
    evaluator.process(line);
    QTEST(evaluator.resultText(QEvaluator::FixedNotation, 15), "text");
}

QTEST_GUILESS_MAIN(EvaluatorTest)
#include "tst_qevaluator.moc"
