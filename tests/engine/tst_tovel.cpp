// The engine as a program: its streams, exit codes and the files it leaves.

#include "toveltree.h"

#include <QtTest>

class TovelTest : public QObject
{
    Q_OBJECT

private slots:
    void argumentModeLogsIntoItsTree();
    void logSwitchLeavesNoTrace();
    void longResultsAreShortenedInTheLogOnly_data();
    void longResultsAreShortenedInTheLogOnly();
    void interactiveLinesAreIndependent();
    void interactiveEndsAtEndOfInput();
    void runAfterACrashReportsIt();
};

void TovelTest::argumentModeLogsIntoItsTree()
{
    const TovelTree tree;
    const TovelTree::Run run = tree.run({QStringLiteral("\\log:1"), QStringLiteral("2*3")});
    QCOMPARE(run.out, QByteArray("6\n"));
    QCOMPARE(run.err, QByteArray());
    QCOMPARE(run.exitCode, 0);
    QVERIFY(!QFile::exists(tree.path(QStringLiteral("_tovel.log"))));
    const QByteArray log = tree.readFile(QStringLiteral("tovel.log"));
    QVERIFY(log.startsWith("###############################\n##   EVENT LOG\n"));
    QVERIFY(log.contains("\t[arg input] \"2*3\"\n"));
    QVERIFY(log.contains("\t[script] \"ANS.push(2*3);\"\n"));
    QVERIFY(log.endsWith("\t[Result] \"6\""));

    const TovelTree::Run failed = tree.run({QStringLiteral("nope")});
    QCOMPARE(failed.out, QByteArray());
    QCOMPARE(failed.err, QByteArray("Error: undefined variable or function: nope\n"));
    QCOMPARE(failed.exitCode, 1);
    QVERIFY(tree.readFile(QStringLiteral("tovel.log"))
                .endsWith("\t[Error] \"Error: undefined variable or function: nope\""));
}

void TovelTest::logSwitchLeavesNoTrace()
{
    const TovelTree tree;
    const TovelTree::Run run = tree.run({QStringLiteral("\\log:0"), QStringLiteral("2*3")});
    QCOMPARE(run.out, QByteArray("6\n"));
    QCOMPARE(run.err, QByteArray());
    const QStringList logs = QDir(tree.path(QString()))
                                 .entryList({QStringLiteral("*tovel.log*")}, QDir::Files);
    QCOMPARE(logs, QStringList());
}

void TovelTest::longResultsAreShortenedInTheLogOnly_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QByteArray>("logged");
    // ten answers of one digit and one of two make 30 characters with the line feeds
    QTest::newRow("thirty characters logged whole")
        << "1;2;3;4;5;6;7;8;9;0;11;2;3;4;5" << QByteArray("[Result] \"1 2 3 4 5 6 7 8 9 0 11 2 3 4 5\"");
    QTest::newRow("thirty-one characters cut")
        << "1;2;3;4;5;6;7;8;9;0;11;2;3;4;56"
        << QByteArray("[Result] \"1 2 3 4 5 6 7 8 9 0 11 2 3 4 5... (15 items)\"");
}

void TovelTest::longResultsAreShortenedInTheLogOnly()
{
    QFETCH(QString, line);
    QFETCH(QByteArray, logged);
    const TovelTree tree;
    const TovelTree::Run run = tree.run({line});
    QCOMPARE(run.out, line.toLatin1().replace(';', '\n') + '\n');
    QVERIFY(tree.readFile(QStringLiteral("tovel.log")).endsWith(logged));
}

void TovelTest::interactiveLinesAreIndependent()
{
    const TovelTree tree;
    const TovelTree::Run run = tree.run({}, "1+1\n 0\n00\nx=5\nx\n0\n7\n");
    QCOMPARE(run.out, QByteArray("tovel> 2\ntovel> 0\ntovel> 0\ntovel> \ntovel> tovel> "));
    QCOMPARE(run.err, QByteArray("Error: undefined variable or function: x\n"));
    QCOMPARE(run.exitCode, 0);
    const QByteArray log = tree.readFile(QStringLiteral("tovel.log"));
    QVERIFY(log.contains("\t[con input] 1+1\n"));
    QVERIFY(!log.contains("[con input] 7"));
}

void TovelTest::interactiveEndsAtEndOfInput()
{
    const TovelTree tree;
    const TovelTree::Run run = tree.run({}, "3*3\n2+");
    QCOMPARE(run.out, QByteArray("tovel> 9\ntovel> tovel> "));
    QCOMPARE(run.err, QByteArray("Syntax error\n"));
    QCOMPARE(run.exitCode, 0);
}

void TovelTest::runAfterACrashReportsIt()
{
    const TovelTree tree;
    tree.writeFile(QStringLiteral("_tovel.log"), "left over");
    QCOMPARE(tree.run({QStringLiteral("1")}).exitCode, 0);
    const QByteArray log = tree.readFile(QStringLiteral("tovel.log"));
    QVERIFY(log.startsWith("left over\n"));
    QVERIFY(log.contains("\tIncorrect termination detected!\n"));
}

QTEST_GUILESS_MAIN(TovelTest)
#include "tst_tovel.moc"
