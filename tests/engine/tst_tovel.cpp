// The engine as a program: its streams, exit codes and the files it leaves.

#include "toveltree.h"

#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

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
    void aNulByteEndsTheTextButNotTheLine();
    void russianTextComesBackAsTyped();
    void toolkitOptionsAreTheUsersArguments();
    void runAfterACrashReportsIt();
    void missingDataFilesWarnOnEveryLine();
    void translationsAreCachedBetweenRuns();
    void operatorsAndModulesWorkTogether();
    void dataFilesThatAreNoRegularFilesReadAsMissing();
    void statementsWithBlanksAtTheirEndsDoNotPoisonTheCache();
    void aSystemInstallWritesIntoTheUsersOwnDirectory_data();
    void aSystemInstallWritesIntoTheUsersOwnDirectory();
    void closedOutputEndsTheRunCleanly();
    void carriageReturnLineFeedEndsAPromptLine();
    void thePromptAnswersAsArgumentModeDoes();
    void cachedTranslationsFollowTheOperatorTable_data();
    void cachedTranslationsFollowTheOperatorTable();
    void aComparisonCachedAsAnAssignmentIsTranslatedAnew();
    void aCacheMadeWithoutAnOperatorTableIsServed();
    void cachedErrorTextsAreServedInTheirLanguageOnly();
    void longChainsAreCalculated_data();
    void longChainsAreCalculated();
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
    const QStringList logs =
        QDir(tree.path(QString())).entryList({QStringLiteral("*tovel.log*")}, QDir::Files);
    QCOMPARE(logs, QStringList());
}

void TovelTest::longResultsAreShortenedInTheLogOnly_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QByteArray>("logged");
    // ten answers of one digit and one of two make 30 characters with the line feeds
    QTest::newRow("thirty characters logged whole")
        << "1;2;3;4;5;6;7;8;9;0;11;2;3;4;5"
        << QByteArray("[Result] \"1 2 3 4 5 6 7 8 9 0 11 2 3 4 5\"");
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

void TovelTest::aNulByteEndsTheTextButNotTheLine()
{
    const TovelTree tree;
    const TovelTree::Run run = tree.run({}, QByteArray("1+1\0+5\n2+2\n0\n", 13));
    QCOMPARE(run.out, QByteArray("tovel> 2\ntovel> 4\ntovel> "));
    QCOMPARE(run.err, QByteArray());
}

void TovelTest::russianTextComesBackAsTyped()
{
    // the console, the command line and the files speak the locale's
    // encoding: UTF-8 bytes in, the same bytes out, in both modes, with the
    // translation taken from the cache on the second run
    const QByteArray hello = "\xd0\xbf\xd1\x80\xd0\xb8\xd0\xb2\xd0\xb5\xd1\x82"; // привет
    const QString utf8 = QStringLiteral("C.UTF-8");
    const TovelTree tree;
    for (int run = 0; run < 2; ++run) {
        const TovelTree::Run argument =
            tree.run({QString::fromUtf8("\"" + hello + "\"")}, QByteArray(), utf8);
        QCOMPARE(argument.out, hello + '\n');
        QCOMPARE(argument.exitCode, 0);
        const TovelTree::Run prompt = tree.run({}, "\"" + hello + "\"\n0\n", utf8);
        QCOMPARE(prompt.out, "tovel> " + hello + "\ntovel> ");
    }
    QVERIFY(tree.readFile(QStringLiteral("tovel_cache.dat"))
                .contains("\"" + hello + "\"\nANS.push(\"" + hello + "\");\n"));
    const QByteArray log = tree.readFile(QStringLiteral("tovel.log"));
    QVERIFY(log.contains("[arg input] \"\"" + hello + "\"\""));
    QVERIFY(log.contains("[con input] \"" + hello + "\"\n"));
    QVERIFY(log.contains("[cached script] \"ANS.push(\"" + hello + "\");\""));
}

void TovelTest::toolkitOptionsAreTheUsersArguments()
{
    // the application object would take "-qmljsdebugger" and the argument
    // after it for itself
    const TovelTree tree;
    const TovelTree::Run run = tree.run({QStringLiteral("qmljsdebugger=2;1"),
                                         QStringLiteral("-qmljsdebugger"), QStringLiteral("*5")});
    QCOMPARE(run.out, QByteArray("-9\n"));
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

void TovelTest::missingDataFilesWarnOnEveryLine()
{
    const TovelTree tree(TovelTree::Bare);
    const QByteArray operatorWarning =
        "Bug: QScriptProcessor: Unable to read tovel_operators.conf\n";
    const TovelTree::Run first = tree.run({QStringLiteral("1+2")});
    QCOMPARE(first.out, QByteArray("3\n"));
    // a missing cache is a first run's ordinary state: noted in the log only
    QCOMPARE(first.err, operatorWarning);
    QCOMPARE(first.exitCode, 0);
    const QByteArray log = tree.readFile(QStringLiteral("tovel.log"));
    QVERIFY(log.contains("[QScriptProcessor] BUG: Unable to read tovel_operators.conf"));
    QVERIFY(log.contains("[QFileCache] BUG: Unable to read tovel_cache.dat"));

    const TovelTree::Run lines = tree.run({}, "1\n2\n0\n");
    QCOMPARE(lines.err, operatorWarning + operatorWarning);

    const TovelTree::Run silent = tree.run({QStringLiteral("\\log:0"), QStringLiteral("4")});
    QCOMPARE(silent.out, QByteArray("4\n"));
    QCOMPARE(silent.err, QByteArray());
}

void TovelTest::translationsAreCachedBetweenRuns()
{
    const TovelTree tree;
    QCOMPARE(tree.run({QStringLiteral("2+2")}).out, QByteArray("4\n"));
    QCOMPARE(cacheRecords(tree.readFile(QStringLiteral("tovel_cache.dat"))),
             QByteArray("2+2\nANS.push(2+2);\n"));
    QCOMPARE(tree.run({QStringLiteral("2+2")}).out, QByteArray("4\n"));
    const QByteArray log = tree.readFile(QStringLiteral("tovel.log"));
    QCOMPARE(log.count("\t[script] \"ANS.push(2+2);\""), 1);
    QCOMPARE(log.count("\t[cached script] \"ANS.push(2+2);\""), 1);

    // a statement holding a line end is evaluated but never stored
    QCOMPARE(tree.run({QStringLiteral("1+\n2;3")}).out, QByteArray("3\n3\n"));
    QCOMPARE(tree.run({QStringLiteral("5")}).out, QByteArray("5\n"));
    QVERIFY(tree.readFile(QStringLiteral("tovel_cache.dat")).contains("2+2\nANS.push(2+2);\n"));
    QVERIFY(!tree.readFile(QStringLiteral("tovel_cache.dat")).contains("1+"));
}

void TovelTest::operatorsAndModulesWorkTogether()
{
    const TovelTree tree;
    tree.writeFile(QStringLiteral("tovel_operators.conf"),
                   "// postfix factorial\n!\tfactorial(%1)\n");
    tree.writeFile(QStringLiteral("scripts/factorial.js"),
                   "function factorial(n){return n<2?1:n*factorial(n-1);}\n");
    for (int run = 0; run < 2; ++run) // the second run takes the cached translation
        QCOMPARE(tree.run({QStringLiteral("5!+(1+2)!")}).out, QByteArray("126\n"));
}

void TovelTest::dataFilesThatAreNoRegularFilesReadAsMissing()
{
    // a FIFO without a writer would hang the open, /dev/zero the read
    const TovelTree tree;
    QVERIFY(QDir().mkpath(tree.path(QStringLiteral("scripts"))));
    QCOMPARE(mkfifo(qPrintable(tree.path(QStringLiteral("scripts/fifo.js"))), 0600), 0);
    QVERIFY(QFile::link(QStringLiteral("/dev/zero"), tree.path(QStringLiteral("scripts/zero.js"))));
    const int timeout = 20000;
    for (const QString &name : {QStringLiteral("fifo"), QStringLiteral("zero")}) {
        const TovelTree::Run run = tree.run({name}, QByteArray(), QStringLiteral("C"), timeout);
        QCOMPARE(run.err, "Error: undefined variable or function: " + name.toLatin1() + '\n');
        QCOMPARE(run.exitCode, 1);
    }
    QFile::remove(tree.path(QStringLiteral("tovel_operators.conf")));
    QVERIFY(QFile::link(QStringLiteral("/dev/zero"),
                        tree.path(QStringLiteral("tovel_operators.conf"))));
    const TovelTree::Run run =
        tree.run({QStringLiteral("2+2")}, QByteArray(), QStringLiteral("C"), timeout);
    QCOMPARE(run.out, QByteArray("4\n"));
    QCOMPARE(run.err, QByteArray("Bug: QScriptProcessor: Unable to read tovel_operators.conf\n"));
}

void TovelTest::statementsWithBlanksAtTheirEndsDoNotPoisonTheCache()
{
    const TovelTree tree;
    tree.run({QStringLiteral("x=5;if(x>3);y=1;\tend;y")});
    for (int run = 0; run < 2; ++run)
        QCOMPARE(tree.run({QStringLiteral("x=5;if(x>3);y=1;end;y")}).out, QByteArray("1\n"));
    // a file left by an earlier version, with the record under its raw key
    tree.writeFile(QStringLiteral("tovel_cache.dat"), "\tend\nANS.push(\tend);\n");
    QCOMPARE(tree.run({QStringLiteral("if(1);2;end")}).out, QByteArray("2\n"));
}

void TovelTest::aSystemInstallWritesIntoTheUsersOwnDirectory_data()
{
    QTest::addColumn<int>("contents");
    QTest::addColumn<bool>("asNobody");
    QTest::newRow("system install") << int(TovelTree::System) << false;
    QTest::newRow("portable tree the user may not write") << int(TovelTree::Shipped) << true;
}

void TovelTest::aSystemInstallWritesIntoTheUsersOwnDirectory()
{
    QFETCH(int, contents);
    QFETCH(bool, asNobody);
    if (asNobody && geteuid() != 0)
        QSKIP("the tree is to be another user's: the test runs as root");
    TovelTree tree{TovelTree::Contents(contents)};
    if (asNobody) {
        tree.asNobody = true;
        QFile(tree.path(QString()))
            .setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                            QFileDevice::ReadOther | QFileDevice::ExeOther);
    }
    const QStringList treeFiles = QDir(tree.path(QString())).entryList(QDir::Files | QDir::Hidden);
    for (int run = 0; run < 2; ++run) {
        const TovelTree::Run same = tree.run({QStringLiteral("1+2")});
        QCOMPARE(same.out, QByteArray("3\n"));
        QCOMPARE(same.err, QByteArray());
    }
    QVERIFY(readFile(tree.userPath(QStringLiteral("tovel.log")))
                .contains("[cached script] \"ANS.push(DecSum(1,2));\""));
    QCOMPARE(QFileInfo(tree.userPath(QString())).permissions() & 0x0077, 0);
    QCOMPARE(QDir(tree.path(QString())).entryList(QDir::Files | QDir::Hidden), treeFiles);
    QCOMPARE(tree.readFile(QStringLiteral("tovel_cache.dat")), QByteArray());
    // the user's own module and table come first; the shipped ones fill in
    writeFile(tree.userPath(QStringLiteral("scripts/pi.js")), "var pi = 3;\n");
    writeFile(tree.userPath(QStringLiteral("tovel_operators.conf")), "!\t(%1*2)\n");
    QCOMPARE(tree.run({QStringLiteral("pi+5!+factorial(3)")}).out, QByteArray("19\n"));
}

void TovelTest::closedOutputEndsTheRunCleanly()
{
    // the reader of the pipe is gone: no SIGPIPE death, but a clean end with
    // the cache saved, the log renamed and exit code 2
    const TovelTree tree;
    const TovelTree::Run argument = tree.runWithClosedOutput({QStringLiteral("2+2")});
    QCOMPARE(argument.exitCode, 2);
    QCOMPARE(argument.err, QByteArray());
    QCOMPARE(cacheRecords(tree.readFile(QStringLiteral("tovel_cache.dat"))),
             QByteArray("2+2\nANS.push(2+2);\n"));
    QVERIFY(!QFile::exists(tree.path(QStringLiteral("_tovel.log"))));
    QVERIFY(tree.readFile(QStringLiteral("tovel.log"))
                .endsWith("[Output error] standard output is closed"));

    const TovelTree::Run prompt = tree.runWithClosedOutput({}, "3+3\n0\n");
    QCOMPARE(prompt.exitCode, 2);
    QVERIFY(!QFile::exists(tree.path(QStringLiteral("_tovel.log"))));

    // the next run finds no crash to report
    QCOMPARE(tree.run({QStringLiteral("1")}).out, QByteArray("1\n"));
    QVERIFY(!tree.readFile(QStringLiteral("tovel.log")).contains("Incorrect termination"));
}

void TovelTest::carriageReturnLineFeedEndsAPromptLine()
{
    const TovelTree tree;
    const TovelTree::Run run = tree.run({}, "1+1\r\n2\n0\r\n7\r\n");
    QCOMPARE(run.out, QByteArray("tovel> 2\ntovel> 2\ntovel> "));
    QCOMPARE(run.exitCode, 0);
    const QByteArray log = tree.readFile(QStringLiteral("tovel.log"));
    QVERIFY(log.contains("\t[con input] 1+1\n"));
    const QByteArray cache = tree.readFile(QStringLiteral("tovel_cache.dat"));
    QVERIFY(cache.contains("1+1\nANS.push(1+1);\n"));
    QVERIFY(!cache.contains('\r'));
}

void TovelTest::thePromptAnswersAsArgumentModeDoes()
{
    // the lines of other calculators' notation, and answers in every printed
    // form typed again, as the panel's Ans passes them back
    const QStringList lines{QStringLiteral("100*1.15"),
                            QStringLiteral("1e-10"),
                            QStringLiteral("-pow(10,-20)"),
                            QStringLiteral("6.02e23"),
                            QStringLiteral("2^3^2"),
                            QStringLiteral("5!+(2+3)!"),
                            QString::fromUtf8("2\xe2\x88\x92"
                                              "3\xc3\x97\xe2\x88\x9a"
                                              "16"),
                            QStringLiteral("5*--5"),
                            QStringLiteral("1.180591620717411e+21"),
                            QStringLiteral("1/3"),
                            QStringLiteral("2/3"),
                            QStringLiteral("-1e-20*2")};
    const TovelTree tree(TovelTree::Shipped);
    QByteArray input;
    QByteArray expected;
    for (const QString &line : lines) {
        const TovelTree::Run argument = tree.run({line}, QByteArray(), QStringLiteral("C.UTF-8"));
        QCOMPARE(argument.exitCode, 0);
        input += line.toUtf8() + '\n';
        expected += "tovel> " + argument.out;
    }
    const TovelTree::Run prompt = tree.run({}, input + "0\n", QStringLiteral("C.UTF-8"));
    QCOMPARE(prompt.out, expected + "tovel> ");
    const QByteArray log = tree.readFile(QStringLiteral("tovel.log"));
    QCOMPARE(log.count("[Result] \"1e-10\""), 2);
    QCOMPARE(log.count("[Result] \"-1e-20\""), 2);
    QCOMPARE(log.count("[Result] \"0.3333333333333333\""), 2);
}

void TovelTest::cachedTranslationsFollowTheOperatorTable_data()
{
    QTest::addColumn<QByteArray>("firstTable");
    QTest::addColumn<QByteArray>("cache");
    QTest::addColumn<QByteArray>("secondTable");
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<bool>("served");
    const QByteArray power = "^\tMath.pow(%1,%2)\n";
    QTest::newRow("a table edited between runs")
        << power << QByteArray() << QByteArray("^\tMath.pow(%1,%2)\tright-to-left\n")
        << QByteArray("512") << false;
    QTest::newRow("a table emptied between runs")
        << power << QByteArray() << QByteArray() << QByteArray("3") << false;
    QTest::newRow("a comment added changes nothing")
        << power << QByteArray() << power + "// the power\n"
        << QByteArray("64") << true;
    QTest::newRow("a cache of the earlier version is not served")
        << QByteArray() << QByteArray("2^3^2\nANS.push(2^3^2);\n") << power << QByteArray("64")
        << false;
    // the record's change no longer adds up to the checksum in the stamp
    QTest::newRow("a record changed behind the engine's back is not served")
        << power << QByteArray("stored") << power << QByteArray("64") << false;
}

// 2^3^2 runs under one table, then under the second.
void TovelTest::cachedTranslationsFollowTheOperatorTable()
{
    QFETCH(QByteArray, firstTable);
    QFETCH(QByteArray, cache);
    QFETCH(QByteArray, secondTable);
    QFETCH(QByteArray, answer);
    QFETCH(bool, served);
    const TovelTree tree;
    const QString statement = QStringLiteral("2^3^2");
    tree.writeFile(QStringLiteral("tovel_operators.conf"), firstTable);
    if (cache.isEmpty() || cache == "stored")
        tree.run({statement});
    if (cache == "stored") {
        QByteArray file = tree.readFile(QStringLiteral("tovel_cache.dat"));
        QVERIFY(file.startsWith("\ttranslations made under\n"));
        QVERIFY(file.contains("\n2^3^2\nANS.push(Math.pow(Math.pow(2,3),2));\n"));
        tree.writeFile(QStringLiteral("tovel_cache.dat"),
                       file.replace("ANS.push(Math.pow(Math.pow(2,3),2));", "ANS.push(7);"));
    } else if (!cache.isEmpty()) {
        tree.writeFile(QStringLiteral("tovel_cache.dat"), cache);
    }
    QFile::remove(tree.path(QStringLiteral("tovel.log")));
    tree.writeFile(QStringLiteral("tovel_operators.conf"), secondTable);
    QCOMPARE(tree.run({statement}).out, answer + '\n');
    QCOMPARE(tree.readFile(QStringLiteral("tovel.log")).contains("[cached script]"), served);
}

// Caches of the rules' second edition stored comparisons as assignments
// without an answer; later editions do not serve them.
void TovelTest::aComparisonCachedAsAnAssignmentIsTranslatedAnew()
{
    const TovelTree tree;
    QCOMPARE(tree.run({QStringLiteral("1==1")}).out, QByteArray("true\n"));
    QByteArray file = tree.readFile(QStringLiteral("tovel_cache.dat"));
    QVERIFY(file.contains("\nrules 5, "));
    QVERIFY(file.contains("\n1==1\nANS.push(1==1);\n"));
    file.replace("\nrules 5, ", "\nrules 2, ").replace("ANS.push(1==1);", "1==1;");
    tree.writeFile(QStringLiteral("tovel_cache.dat"), file);
    QCOMPARE(tree.run({QStringLiteral("1==1")}).out, QByteArray("true\n"));
}

void TovelTest::aCacheMadeWithoutAnOperatorTableIsServed()
{
    const TovelTree tree;
    QFile::remove(tree.path(QStringLiteral("tovel_operators.conf")));
    QCOMPARE(tree.run({QStringLiteral("2+2")}).out, QByteArray("4\n"));
    QFile::remove(tree.path(QStringLiteral("tovel.log")));
    QCOMPARE(tree.run({QStringLiteral("2+2")}).out, QByteArray("4\n"));
    QVERIFY(tree.readFile(QStringLiteral("tovel.log")).contains("[cached script]"));
}

// A malformed cycle head translates into a statement that throws the
// translated text: run in English, then in Russian, then in English again.
void TovelTest::cachedErrorTextsAreServedInTheirLanguageOnly()
{
    const TovelTree tree;
    const QStringList head{QStringLiteral("for(i=0,i<pow(2,3),i=i+1)")};
    const QByteArray english = "Error: Incorrect cycle definion\n";
    QCOMPARE(tree.run(head).err, english);
    QCOMPARE(tree.run(head, QByteArray(), QStringLiteral("ru_RU.UTF-8")).err,
             QString::fromUtf8("Ошибка: Неверная запись цикла \"for\"\n").toUtf8());
    QCOMPARE(tree.run(head).err, english);
}

void TovelTest::longChainsAreCalculated_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QByteArray>("answer");
    QTest::newRow("a sum of 20,000 terms")
        << QStringLiteral("0.1") + QStringLiteral("+0.1").repeated(19999) << QByteArray("2000");
    QTest::newRow("a difference of 20,000 terms")
        << QStringLiteral("20000") + QStringLiteral("-0.5").repeated(19999)
        << QByteArray("10000.5");
    QTest::newRow("a product of 20,000 factors")
        << QStringLiteral("1") + QStringLiteral("*1").repeated(19999) << QByteArray("1");
    QTest::newRow("20,000 changes of sign")
        << QStringLiteral("0") + QStringLiteral("+1.5-0.5").repeated(10000) << QByteArray("10000");
    QTest::newRow("20,000 changes between product and quotient")
        << QStringLiteral("1") + QStringLiteral("*3/3").repeated(10000) << QByteArray("1");
    QTest::newRow("a chain of text and numbers")
        << QStringLiteral("\"3\"+1-1+2") << QByteArray("32");
}

// A chain of signs of one level is one call of the exact arithmetic: the line is
// no deeper than the script's parser can read.
void TovelTest::longChainsAreCalculated()
{
    QFETCH(QString, line);
    QFETCH(QByteArray, answer);
    const TovelTree tree(TovelTree::Shipped);
    const TovelTree::Run run = tree.run({}, line.toUtf8() + '\n');
    QCOMPARE(run.err, QByteArray());
    QCOMPARE(run.out, "tovel> " + answer + "\ntovel> ");
}

QTEST_GUILESS_MAIN(TovelTest)
#include "tst_tovel.moc"
