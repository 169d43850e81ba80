// The operator table: how its file is read and how its entries rewrite
// statements.

#include "qscriptprocessor.h"

#include "scratchdir.h"

#include <QtTest>

namespace
{

const QByteArray sampleTable = "!\tfactorial(%1)\n^\tpow(%1,%2)\n";

QString applied(const QByteArray &table, QString statement)
{
    writeFile(QStringLiteral("tovel_operators.conf"), table);
    QScriptProcessor processor;
    processor.applyOperators(statement);
    return statement;
}

} // namespace

class OperatorsTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void apply_data();
    void apply();
    void missingTableWarnsOncePerProcessor();

private:
    QScopedPointer<ScratchDir> dir;
};

void OperatorsTest::init()
{
    dir.reset(new ScratchDir);
    writeFile(QStringLiteral("tovel_cache.dat"), QByteArray());
}

void OperatorsTest::cleanup()
{
    dir.reset();
}

void OperatorsTest::apply_data()
{
    QTest::addColumn<QByteArray>("table");
    QTest::addColumn<QString>("statement");
    QTest::addColumn<QString>("result");
    QTest::newRow("postfix on a number") << sampleTable << "5!"
                                         << "factorial(5)";
    QTest::newRow("postfix on a group") << sampleTable << "(1+2)!"
                                        << "factorial((1+2))";
    QTest::newRow("postfix on a call") << sampleTable << "f(2)!"
                                       << "factorial(f(2))";
    QTest::newRow("infix") << sampleTable << "2^10"
                           << "pow(2,10)";
    QTest::newRow("infix with a point") << sampleTable << "2.5^2"
                                        << "pow(2.5,2)";
    QTest::newRow("right group") << sampleTable << "2^(3+4)*5"
                                 << "pow(2,(3+4))*5";
    QTest::newRow("chained") << sampleTable << "2^3^2"
                             << "pow(pow(2,3),2)";
    QTest::newRow("inside a call") << sampleTable << "sqrt(2^3)"
                                   << "sqrt(pow(2,3))";
    QTest::newRow("sign ends the right operand") << sampleTable << "2^-1"
                                                 << "pow(2,)-1";
    QTest::newRow("inside the answer wrapper") << sampleTable << "ANS.push(5!+1);"
                                               << "ANS.push(factorial(5)+1);";
    QTest::newRow("operand holding a placeholder text") << sampleTable << "(7%2)^3"
                                                        << "pow((7%2),3)";
    QTest::newRow("plain substitution in one sweep") << QByteArray("a\taa\n") << "a+a"
                                                     << "aa+aa";
    QTest::newRow("all entries of a name apply in order") << QByteArray("x\ty\ny\tz\n") << "x"
                                                          << "z";
    QTest::newRow("blanks and end blanks removed")
        << QByteArray(" ^ \t pow( %1 , %2 ) \r\n") << "2^3"
        << "pow(2,3)";
    QTest::newRow("comment, no tab, empty template and blank lines are skipped")
        << QByteArray("// x\ty\nx\n\n\t\t\nx\t\tz\n  \n") << "x"
        << "x";
    QTest::newRow("text after a second tab is ignored") << QByteArray("x\ty\tz\n") << "x"
                                                        << "y";
    QTest::newRow("a line over the read limit is read in pieces") << QByteArray(500, ' ') + "x\ty\n"
                                                                  << "x"
                                                                  << "y";
    QTest::newRow("template holding its own name ends") << QByteArray("!\t(%1)!\n") << "5!+2!"
                                                        << "(5)!+(2)!";
    QTest::newRow("infix template holding its own name ends")
        << QByteArray("^\t%1^^%2\n") << "2^3^4"
        << "2^^3^^4";
}

void OperatorsTest::apply()
{
    QFETCH(QByteArray, table);
    QFETCH(QString, statement);
    QTEST(applied(table, statement), "result");
}

void OperatorsTest::missingTableWarnsOncePerProcessor()
{
    static QStringList warnings;
    warnings.clear();
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &text) {
        if (type == QtWarningMsg)
            warnings << text;
    });
    {
        QScriptProcessor processor;
        QString statement = QStringLiteral("2^3");
        processor.applyOperators(statement);
        QCOMPARE(statement, QStringLiteral("2^3"));
    }
    qInstallMessageHandler(nullptr);
    QVERIFY(
        warnings.contains(QStringLiteral("QScriptProcessor: Unable to read tovel_operators.conf")));
    QCOMPARE(
        warnings.count(QStringLiteral("QScriptProcessor: Unable to read tovel_operators.conf")), 1);
}

QTEST_GUILESS_MAIN(OperatorsTest)
#include "tst_operators.moc"
