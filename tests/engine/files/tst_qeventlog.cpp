#include "qeventlog.h"

#include "scratchdir.h"

#include <QtTest>

namespace
{

// Entries carry the time of writing; tests compare them with "TIME" in its place.
QString withoutTime(QString entry)
{
    return entry.replace(QRegularExpression(QStringLiteral("\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d")),
                         QStringLiteral("TIME"));
}

} // namespace

class EventLogTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void formatEntry_data();
    void formatEntry();
    void firstRunWritesHeaderAndRenamesAtExit();
    void secondRunContinuesTheLog();
    void leftOverActiveFileIsReported();
    void runsAtOnceReportNoCrashAndEndInOneLog_data();
    void runsAtOnceReportNoCrashAndEndInOneLog();
    void deadRunIsToldFromItsLockFile();
    void aRunFollowsTheActiveFileThatAnotherRunArchived();
    void rotationAboveTheSizeLimit_data();
    void rotationAboveTheSizeLimit();
    void nothingButDebugAndKnownLevels();

private:
    QScopedPointer<ScratchDir> dir;
};

void EventLogTest::init()
{
    dir.reset(new ScratchDir);
}

void EventLogTest::cleanup()
{
    dir.reset();
}

void EventLogTest::formatEntry_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("level");
    QTest::addColumn<QString>("entry");
    QTest::newRow("debug stream label") << "Result:  \"3\" "
                                        << ""
                                        << "\nTIME\t[Result] \"3\"";
    QTest::newRow("warning with a class name")
        << "QScriptProcessor: Unable to read tovel_operators.conf"
        << "BUG:"
        << "\nTIME\t[QScriptProcessor] BUG: Unable to read tovel_operators.conf";
    QTest::newRow("printf style") << "con input: 2+2"
                                  << ""
                                  << "\nTIME\t[con input] 2+2";
    QTest::newRow("no label") << "Incorrect termination detected!"
                              << ""
                              << "\nTIME\tIncorrect termination detected!";
    QTest::newRow("only the first colon counts") << "a: b: c"
                                                 << ""
                                                 << "\nTIME\t[a] b: c";
    QTest::newRow("colon at the start") << ": x"
                                        << ""
                                        << "\nTIME\t: x";
    QTest::newRow("quoted text loses its quotes") << "\"all quoted\""
                                                  << ""
                                                  << "\nTIME\tall quoted";
    QTest::newRow("level before the time without brackets") << "no label here"
                                                            << "CRITICAL:"
                                                            << "\n CRITICAL:TIME\tno label here";
    QTest::newRow("white space simplified") << "  a:\n b \t c  "
                                            << ""
                                            << "\nTIME\t[a] b c";
    QTest::newRow("empty") << ""
                           << ""
                           << "\n";
}

void EventLogTest::formatEntry()
{
    QFETCH(QString, text);
    QFETCH(QString, level);
    QTEST(withoutTime(QEventLog::formatEntry(text, level)), "entry");
}

void EventLogTest::firstRunWritesHeaderAndRenamesAtExit()
{
    {
        QEventLog log(QStringLiteral("tovel.log"));
        QVERIFY(QFile::exists(QStringLiteral("_tovel.log")));
        log.message(QtDebugMsg, QStringLiteral("con input: 2+2"));
    }
    QVERIFY(!QFile::exists(QStringLiteral("_tovel.log")));
    QVERIFY(!QFile::exists(QStringLiteral("_tovel.log.lock")));
    const QString text = withoutTime(QString::fromLatin1(readFile(QStringLiteral("tovel.log"))));
    const QString rule = QString(31, QLatin1Char('#'));
    QVERIFY2(text.startsWith(rule + "\n##   EVENT LOG\n##   Application: "), qPrintable(text));
    QVERIFY(text.contains("\n##   Started: TIME\n" + rule + "\n\n\nTIME\t[con input] 2+2"));
    QVERIFY(text.endsWith("2+2"));
}

void EventLogTest::secondRunContinuesTheLog()
{
    writeFile(QStringLiteral("tovel.log"), "old entry");
    {
        QEventLog log(QStringLiteral("tovel.log"));
        QVERIFY(!QFile::exists(QStringLiteral("tovel.log")));
        log.message(QtDebugMsg, QStringLiteral("new"));
    }
    QCOMPARE(withoutTime(QString::fromLatin1(readFile(QStringLiteral("tovel.log")))),
             QStringLiteral("old entry\n\nTIME\tnew"));
}

void EventLogTest::leftOverActiveFileIsReported()
{
    writeFile(QStringLiteral("_tovel.log"), "crashed run");
    writeFile(QStringLiteral("tovel.log"), "older run");
    {
        QEventLog log(QStringLiteral("tovel.log"));
    }
    // the rename at exit meets the older log (left by runs at once before
    // the lock): the older log takes the newer entries and one log is left
    QVERIFY(!QFile::exists(QStringLiteral("_tovel.log")));
    QCOMPARE(withoutTime(QString::fromLatin1(readFile(QStringLiteral("tovel.log")))),
             QStringLiteral("older run\ncrashed run\nTIME\tIncorrect termination detected!\n"));
    {
        QEventLog log(QStringLiteral("tovel.log"));
    }
    QCOMPARE(readFile(QStringLiteral("tovel.log")).count("Incorrect termination"), 1);
}

void EventLogTest::runsAtOnceReportNoCrashAndEndInOneLog_data()
{
    QTest::addColumn<bool>("firstEndsFirst");
    QTest::newRow("the first run ends first") << true;
    QTest::newRow("the second run ends first") << false;
}

void EventLogTest::runsAtOnceReportNoCrashAndEndInOneLog()
{
    QFETCH(bool, firstEndsFirst);
    writeFile(QStringLiteral("tovel.log"), "old entry");
    QScopedPointer<QEventLog> first(new QEventLog(QStringLiteral("tovel.log")));
    first->message(QtDebugMsg, QStringLiteral("one"));
    QScopedPointer<QEventLog> second(new QEventLog(QStringLiteral("tovel.log")));
    second->message(QtDebugMsg, QStringLiteral("two"));
    (firstEndsFirst ? first : second).reset();
    // the other run still lives: its active file stays
    QVERIFY(QFile::exists(QStringLiteral("_tovel.log")));
    QVERIFY(!QFile::exists(QStringLiteral("tovel.log")));
    (firstEndsFirst ? second : first)->message(QtDebugMsg, QStringLiteral("three"));
    (firstEndsFirst ? second : first).reset();
    QCOMPARE(QDir().entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("tovel.log")});
    QCOMPARE(withoutTime(QString::fromLatin1(readFile(QStringLiteral("tovel.log")))),
             QStringLiteral("old entry\n\nTIME\tone\n\nTIME\ttwo\nTIME\tthree"));
    {
        QEventLog next(QStringLiteral("tovel.log"));
    }
    QVERIFY(!readFile(QStringLiteral("tovel.log")).contains("Incorrect termination"));
}

void EventLogTest::deadRunIsToldFromItsLockFile()
{
    // a run that died leaves its active file and the lock file, but holds
    // no lock any more
    writeFile(QStringLiteral("_tovel.log"), "died");
    writeFile(QStringLiteral("_tovel.log.lock"), QByteArray());
    {
        QEventLog log(QStringLiteral("tovel.log"));
    }
    QCOMPARE(QDir().entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("tovel.log")});
    QVERIFY(readFile(QStringLiteral("tovel.log")).contains("Incorrect termination detected!"));
}

void EventLogTest::aRunFollowsTheActiveFileThatAnotherRunArchived()
{
    QScopedPointer<QEventLog> first(new QEventLog(QStringLiteral("tovel.log")));
    first->message(QtDebugMsg, QStringLiteral("one"));
    QFile active(QStringLiteral("_tovel.log"));
    QVERIFY(active.open(QIODevice::Append));
    active.write(QByteArray(262144, 'x'));
    active.close();
    QEventLog second(QStringLiteral("tovel.log")); // archives the active file
    first->message(QtDebugMsg, QStringLiteral("two"));
    QVERIFY(!readFile(QStringLiteral("tovel.log.1")).contains("two"));
    QVERIFY(readFile(QStringLiteral("_tovel.log")).endsWith("\ttwo"));
}

void EventLogTest::rotationAboveTheSizeLimit_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("archives");
    QTest::addColumn<bool>("rotated");
    QTest::newRow("at the limit") << 262144 - 1 << 2 << false; // the start-up entry adds one byte
    QTest::newRow("one byte over") << 262144 << 2 << true;
    QTest::newRow("ten archives shift") << 300000 << 10 << true;
}

void EventLogTest::rotationAboveTheSizeLimit()
{
    QFETCH(int, size);
    QFETCH(int, archives);
    QFETCH(bool, rotated);
    writeFile(QStringLiteral("tovel.log"), QByteArray(size, 'x'));
    for (int i = 1; i <= archives; ++i)
        writeFile(QStringLiteral("tovel.log.%1").arg(i), QByteArray::number(i));
    {
        QEventLog log(QStringLiteral("tovel.log"));
        log.message(QtDebugMsg, QStringLiteral("after"));
    }
    const int shift = rotated ? 1 : 0;
    for (int i = 1; i <= archives; ++i)
        QCOMPARE(readFile(QStringLiteral("tovel.log.%1").arg(i + shift)), QByteArray::number(i));
    const QByteArray current = readFile(QStringLiteral("tovel.log"));
    if (rotated) {
        QCOMPARE(readFile(QStringLiteral("tovel.log.1")).size(), size + 1);
        QVERIFY(current.startsWith("####"));
    } else {
        QCOMPARE(current.size(), size + 1 + 1 + 14 + 1 + 5);
    }
}

void EventLogTest::nothingButDebugAndKnownLevels()
{
    {
        QEventLog log(QStringLiteral("tovel.log"));
        log.message(QtInfoMsg, QStringLiteral("info is dropped"));
        log.message(QtWarningMsg, QStringLiteral("w: warned"));
    }
    const QString text = QString::fromLatin1(readFile(QStringLiteral("tovel.log")));
    QVERIFY(!text.contains(QStringLiteral("info")));
    QVERIFY(text.contains(QStringLiteral("[w] BUG: warned")));
}

QTEST_GUILESS_MAIN(EventLogTest)
#include "tst_qeventlog.moc"
