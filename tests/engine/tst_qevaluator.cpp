#include "qevaluator.h"

#include "scratchdir.h"

#include <QtTest>

class EvaluatorTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void trimZeros_data();
    void trimZeros();
    void formatNumber_data();
    void formatNumber();
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
    QTest::newRow("below the last digit") << 4e-16 << 0 << "0";
    QTest::newRow("negative") << -1.5 << 0 << "-1.5";
    QTest::newRow("exponential") << 15.0 << 2 << "1.5e+01";
    QTest::newRow("unknown format") << 1.0 << 1 << "";
}

void EvaluatorTest::formatNumber()
{
    QFETCH(double, number);
    QFETCH(int, format);
    QTEST(QEvaluator::formatNumber(number, format, 15), "text");
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
