// Fault tests of the engine as a program: runs killed while they save their
// cache, runs at once in one tree, files planted by others, a full disk and
// runs stopped by signals.

#include "toveltree.h"

#include <QRegularExpression>
#include <QtTest>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

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
void verifyCompleteRecords(const QByteArray &file)
{
    QVERIFY(file.isEmpty() || file.endsWith('\n'));
    const QByteArray cache = cacheRecords(file);
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
    void plantedFilesAreNeverWrittenThrough_data();
    void plantedFilesAreNeverWrittenThrough();
    void aLogLockHeldByOthersCostsTheLogOnly();
    void aFailedWriteLeavesTheCacheAsItWas();
    void theCacheKeepsTheOrderOfUseBetweenRuns();
    void stopSignalsEndTheRunCleanly_data();
    void stopSignalsEndTheRunCleanly();
    void ctrlCAtThePromptStopsOnlyTheLine();
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

void FaultsTest::plantedFilesAreNeverWrittenThrough_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind");
    QTest::newRow("cache as a link") << "tovel_cache.dat"
                                     << "link";
    QTest::newRow("active log as a link") << "_tovel.log"
                                          << "link";
    QTest::newRow("log as a link") << "tovel.log"
                                   << "link";
    QTest::newRow("lock file as a link to nowhere") << "_tovel.log.lock"
                                                    << "dangling";
    QTest::newRow("active log as a FIFO") << "_tovel.log"
                                          << "fifo";
}

void FaultsTest::plantedFilesAreNeverWrittenThrough()
{
    QFETCH(QString, name);
    QFETCH(QString, kind);
    const TovelTree tree;
    QTemporaryDir elsewhere;
    const QString victim = elsewhere.filePath(QStringLiteral("private"));
    if (kind != QLatin1String("dangling"))
        writeFile(victim, "private notes\n");
    QFile::remove(tree.path(name));
    if (kind == QLatin1String("fifo"))
        QCOMPARE(mkfifo(QFile::encodeName(tree.path(name)).constData(), 0600), 0);
    else
        QVERIFY(QFile::link(victim, tree.path(name)));
    for (int run = 0; run < 2; ++run) {
        const TovelTree::Run same = tree.run({QStringLiteral("1+2")});
        QCOMPARE(same.out, QByteArray("3\n"));
        QCOMPARE(same.err, QByteArray());
    }
    QCOMPARE(QFile::exists(victim), kind != QLatin1String("dangling"));
    QCOMPARE(readFile(victim), kind == QLatin1String("dangling") ? "" : "private notes\n");
    // what the engine wrote holds nothing of the victim and is the user's alone
    for (const QString &made : {QStringLiteral("tovel_cache.dat"), QStringLiteral("tovel.log")}) {
        const QFileInfo file(tree.path(made));
        if (file.isFile() && !file.isSymLink()) {
            QVERIFY(!tree.readFile(made).contains("private notes"));
            QCOMPARE(file.permissions() & 0x0077, 0);
        }
    }
}

void FaultsTest::aLogLockHeldByOthersCostsTheLogOnly()
{
    const TovelTree tree;
    const int lock = ::open(QFile::encodeName(tree.path(QStringLiteral("_tovel.log.lock"))),
                            O_RDWR | O_CREAT, 0644);
    struct flock all = {};
    all.l_type = F_RDLCK;
    QCOMPARE(fcntl(lock, F_OFD_SETLK, &all), 0);
    const TovelTree::Run held = tree.run({QStringLiteral("2*3")});
    ::close(lock);
    QCOMPARE(held.out, QByteArray("6\n"));
    QCOMPARE(held.err, QByteArray());
    QCOMPARE(held.exitCode, 0);
}

void FaultsTest::aFailedWriteLeavesTheCacheAsItWas()
{
    // no file of the run may grow past 64 bytes, as on a full disk
    TovelTree tree;
    const QByteArray old = "old\nANS.push(old);\n";
    tree.writeFile(QStringLiteral("tovel_cache.dat"), old);
    tree.fileSizeLimit = 64;
    const TovelTree::Run full =
        tree.run({QStringLiteral("\\log:0"), QStringLiteral("1+1;2+2;3+3;4+4;5+5")});
    QCOMPARE(full.out, QByteArray("2\n4\n6\n8\n10\n"));
    QCOMPARE(tree.readFile(QStringLiteral("tovel_cache.dat")), old);
    QCOMPARE(QDir(tree.path(QString())).entryList({QStringLiteral("tovel_cache.dat*")}).size(), 1);
}

void FaultsTest::theCacheKeepsTheOrderOfUseBetweenRuns()
{
    // 48 records of cost 21 fill the cache; the next five evict the five
    // least recently used, which the run that used 1001 last left as 1002
    // to 1006
    const TovelTree tree;
    QStringList first;
    for (int i = 1001; i <= 1048; ++i)
        first << QString::number(i);
    tree.run({first.join(QLatin1Char(';'))});
    tree.run({QStringLiteral("1001")});
    const QString cache = tree.path(QStringLiteral("tovel_cache.dat"));
    struct stat before;
    QCOMPARE(stat(QFile::encodeName(cache).constData(), &before), 0);
    tree.run({QStringLiteral("1001")}); // changes nothing: the file stays
    struct stat after;
    QCOMPARE(stat(QFile::encodeName(cache).constData(), &after), 0);
    QCOMPARE(after.st_ino, before.st_ino);
    tree.run({QStringLiteral("2001;2002;2003;2004;2005")});
    const QByteArray saved = cacheRecords(readFile(cache));
    QVERIFY(saved.startsWith("1007\n"));
    QVERIFY(saved.contains("\n1001\nANS.push(1001);\n2001\n"));
    QVERIFY(!saved.contains("1002"));
}

void FaultsTest::stopSignalsEndTheRunCleanly_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("signal");
    const QStringList loop{QStringLiteral("for(i=0,1,i=i+1);end")};
    QTest::newRow("SIGTERM in argument mode") << loop << int(SIGTERM);
    QTest::newRow("SIGINT in argument mode") << loop << int(SIGINT);
    QTest::newRow("SIGTERM at the prompt") << QStringList() << int(SIGTERM);
}

void FaultsTest::stopSignalsEndTheRunCleanly()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, signal);
    const TovelTree tree;
    QProcess process;
    tree.start(process, arguments);
    const QByteArray started = arguments.isEmpty() ? "[con input] for" : "[arg input]";
    if (arguments.isEmpty())
        process.write("for(i=0,1,i=i+1);end\n");
    QTRY_VERIFY_WITH_TIMEOUT(tree.readFile(QStringLiteral("_tovel.log")).contains(started), 30000);
    for (const QString &made : {QStringLiteral("_tovel.log"), QStringLiteral("_tovel.log.lock")})
        QCOMPARE(QFileInfo(tree.path(made)).permissions() & 0x0077, 0);
    kill(pid_t(process.processId()), signal);
    QVERIFY(process.waitForFinished(30000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 128 + signal);
    QVERIFY(!QFile::exists(tree.path(QStringLiteral("_tovel.log"))));
    QVERIFY(tree.readFile(QStringLiteral("tovel.log"))
                .endsWith(signal == SIGINT ? "[Stopped] SIGINT" : "[Stopped] SIGTERM"));
    QVERIFY(tree.readFile(QStringLiteral("tovel_cache.dat")).contains("for(i=0;1;i=i+1){"));
}

void FaultsTest::ctrlCAtThePromptStopsOnlyTheLine()
{
    const TovelTree tree;
    QProcess process;
    tree.start(process, {});
    const auto interrupt = [&] { kill(pid_t(process.processId()), SIGINT); };
    QByteArray out;
    QTRY_COMPARE(out += process.readAllStandardOutput(), QByteArray("tovel> ")); // waits for a line
    interrupt();
    QTRY_COMPARE(out += process.readAllStandardOutput(), QByteArray("tovel> \ntovel> "));
    process.write("for(i=0,1,i=i+1);end\n");
    QTRY_VERIFY_WITH_TIMEOUT(
        tree.readFile(QStringLiteral("_tovel.log")).contains("[con input] for"), 30000);
    interrupt();
    process.write("2+2\n0\n");
    QVERIFY(process.waitForFinished(30000));
    QCOMPARE(process.exitCode(), 0);
    QCOMPARE(out + process.readAllStandardOutput(),
             QByteArray("tovel> \ntovel> tovel> 4\ntovel> "));
    QCOMPARE(process.readAllStandardError(), QByteArray("Calculation stopped\n"));
}

QTEST_GUILESS_MAIN(FaultsTest)
#include "tst_faults.moc"
