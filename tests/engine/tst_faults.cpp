// Fault tests of the engine as a program: runs killed while they save their
// cache, and runs at once in one tree.

#include "toveltree.h"

#include <QRegularExpression>
#include <QtTest>

#include <memory>
#include <vector>

namespace
{

// The statement of line i of run r, distinct across runs, and its answer.
QString statement(int run, int line)
{
    return QStringLiteral("%1*1000+%2").arg(run).arg(line);
}

QByteArray answer(int run, int line)
{
    return QByteArray::number(run * 1000 + line);
}

QByteArray promptInput(int run, int lines)
{
    QByteArray input;
    for (int i = 1; i <= lines; ++i)
        input += statement(run, i).toLatin1() + '\n';
    return input + "0\n";
}

QByteArray promptOutput(int run, int lines)
{
    QByteArray output;
    for (int i = 1; i <= lines; ++i)
        output += "tovel> " + answer(run, i) + '\n';
    return output + "tovel> ";
}

// Every record of the cache is whole: pairs of lines, each value the
// translation of its key.
void verifyCompleteRecords(const QByteArray &cache)
{
    QVERIFY(cache.isEmpty() || cache.endsWith('\n'));
    const QList<QByteArray> lines = cache.split('\n');
    QVERIFY((lines.size() - 1) % 2 == 0);
    for (int i = 0; i + 1 < lines.size() - 1; i += 2) {
        QVERIFY2(lines.at(i + 1) == "ANS.push(" + lines.at(i) + ");",
                 (lines.at(i) + " / " + lines.at(i + 1)).constData());
    }
}

// Every line of the log belongs to a header or is one whole entry.
void verifyCompleteEntries(const QByteArray &log)
{
    const QRegularExpression entry(QStringLiteral("^\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d\\t\\S"));
    for (const QByteArray &line : log.split('\n')) {
        if (line.isEmpty() || line.startsWith("##"))
            continue;
        QVERIFY2(entry.match(QString::fromLatin1(line)).hasMatch(), line.constData());
    }
}

// The input comes from a file, so that every run reads it at once (input
// written through QProcess reaches a child only while that one is waited for).
std::unique_ptr<QProcess> startEngine(const TovelTree &tree, const QByteArray &input, int run)
{
    const QString inputFile = QStringLiteral("input%1.txt").arg(run);
    tree.writeFile(inputFile, input);
    std::unique_ptr<QProcess> process(new QProcess);
    process->setStandardInputFile(tree.path(inputFile));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LANG"), QStringLiteral("C"));
    environment.remove(QStringLiteral("LC_ALL"));
    process->setProcessEnvironment(environment);
    process->start(tree.binary(), QStringList());
    return process;
}

} // namespace

class FaultsTest : public QObject
{
    Q_OBJECT

private slots:
    void killedWhileSavingTheCache();
    void eightRunsAtOnce();
};

// Each line's evaluator saves the cache right after its answer is written:
// a kill on reading the answer lands in or near that save, line after line.
void FaultsTest::killedWhileSavingTheCache()
{
    const TovelTree tree;
    const int lines = 12;
    for (int round = 0; round < 12; ++round) {
        std::unique_ptr<QProcess> process = startEngine(tree, promptInput(round % 3, lines), 0);
        const QByteArray killAt = answer(round % 3, 1 + round % lines) + '\n';
        QByteArray output;
        while (!output.contains(killAt) && process->waitForReadyRead(30000))
            output += process->readAllStandardOutput();
        QVERIFY2(output.contains(killAt), output.constData());
        process->kill();
        QVERIFY(process->waitForFinished(30000));
        verifyCompleteRecords(tree.readFile(QStringLiteral("tovel_cache.dat")));
        if (QTest::currentTestFailed())
            return;
    }
    for (int run = 0; run < 3; ++run) {
        const TovelTree::Run after = tree.run({}, promptInput(run, lines));
        QCOMPARE(after.out, promptOutput(run, lines));
        QCOMPARE(after.err, QByteArray());
    }
    verifyCompleteRecords(tree.readFile(QStringLiteral("tovel_cache.dat")));
}

void FaultsTest::eightRunsAtOnce()
{
    const TovelTree tree;
    const int lines = 50;
    std::vector<std::unique_ptr<QProcess>> runs;
    for (int run = 0; run < 8; ++run)
        runs.push_back(startEngine(tree, promptInput(run, lines), run));
    for (int run = 0; run < 8; ++run) {
        QProcess &process = *runs[size_t(run)];
        QVERIFY(process.waitForFinished(120000));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), 0);
        QCOMPARE(process.readAllStandardOutput(), promptOutput(run, lines));
        const QByteArray errors = process.readAllStandardError();
        QVERIFY2(errors.isEmpty(), errors.constData());
    }
    verifyCompleteRecords(tree.readFile(QStringLiteral("tovel_cache.dat")));
    const QByteArray log = tree.readFile(QStringLiteral("tovel.log"));
    verifyCompleteEntries(log);
    QCOMPARE(log.count("[con input]"), 8 * lines);
    QVERIFY(!log.contains("Incorrect termination"));
    const QStringList left = QDir(tree.path(QString())).entryList(QDir::Files | QDir::Hidden);
    QVERIFY2(left.contains(QStringLiteral("tovel.log")), qPrintable(left.join(' ')));
    QVERIFY2(!left.contains(QStringLiteral("_tovel.log")), qPrintable(left.join(' ')));
    QVERIFY2(!left.contains(QStringLiteral("_tovel.log.lock")), qPrintable(left.join(' ')));

    QCOMPARE(tree.run({QStringLiteral("1")}).out, QByteArray("1\n"));
    QVERIFY(!tree.readFile(QStringLiteral("tovel.log")).contains("Incorrect termination"));
}

QTEST_GUILESS_MAIN(FaultsTest)
#include "tst_faults.moc"
