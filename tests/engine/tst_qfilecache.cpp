#include "qfilecache.h"

#include "scratchdir.h"

#include <QtTest>

namespace
{

const QString cacheFile = QStringLiteral("tovel_cache.dat");

// Keys of one entry each, so that every entry costs exactly cost.
QString keyOf(int i, int length)
{
    return QString::number(i).rightJustified(length, QLatin1Char('k'));
}

} // namespace

class FileCacheTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void costLimitEvictsLeastRecentlyUsed();
    void entriesDearerThanTheLimitAreNeverStored();
    void fileRoundTrip();
    void readingRules();
    void missingFileWarnsEmptyFileDoesNot();
    void longRecordsSurviveAndKeepTheirNeighbours();
    void recordsWithLineEndsStayOutOfTheFile();
    void saveReplacesTheFileWhole();

private:
    QScopedPointer<ScratchDir> dir;
};

void FileCacheTest::init()
{
    dir.reset(new ScratchDir);
    writeFile(cacheFile, QByteArray());
}

void FileCacheTest::cleanup()
{
    dir.reset();
}

void FileCacheTest::costLimitEvictsLeastRecentlyUsed()
{
    QFileCache cache(cacheFile, 1024);
    // 46 entries of cost 10 + 10 + 2 fill 1012 of 1024
    for (int i = 0; i < 46; ++i)
        cache.insert(keyOf(i, 10), QStringLiteral("value-%1").arg(i, 4, 10, QLatin1Char('0')));
    QCOMPARE(cache.value(keyOf(0, 10)), QStringLiteral("value-0000")); // now the most recent
    cache.insert(keyOf(46, 10), QStringLiteral("value-0046"));
    QCOMPARE(cache.value(keyOf(1, 10)), QString());
    QCOMPARE(cache.value(keyOf(0, 10)), QStringLiteral("value-0000"));
    QCOMPARE(cache.value(keyOf(2, 10)), QStringLiteral("value-0002"));
    QCOMPARE(cache.value(keyOf(46, 10)), QStringLiteral("value-0046"));

    cache.insert(keyOf(2, 10), QStringLiteral("replaced"));
    QCOMPARE(cache.value(keyOf(2, 10)), QStringLiteral("replaced"));
}

void FileCacheTest::entriesDearerThanTheLimitAreNeverStored()
{
    {
        QFileCache cache(cacheFile, 1024);
        cache.insert(QString(500, QLatin1Char('a')), QString(522, QLatin1Char('b'))); // cost 1024
        cache.insert(QString(500, QLatin1Char('c')), QString(523, QLatin1Char('d'))); // cost 1025
        QCOMPARE(cache.value(QString(500, QLatin1Char('a'))).size(), 522);
        QCOMPARE(cache.value(QString(500, QLatin1Char('c'))), QString());
    }
    QFileCache reloaded(cacheFile, 1024);
    QCOMPARE(reloaded.value(QString(500, QLatin1Char('a'))).size(), 522);
}

void FileCacheTest::fileRoundTrip()
{
    {
        QFileCache cache(cacheFile, 1024);
        cache.insert(QStringLiteral("2+2"), QStringLiteral("ANS.push(2+2);"));
    }
    QCOMPARE(readFile(cacheFile), QByteArray("2+2\nANS.push(2+2);\n"));
    {
        QFileCache cache(cacheFile, 1024);
        cache.insert(QStringLiteral(" 2"), QStringLiteral("ANS.push(2);"));
        QCOMPARE(cache.value(QStringLiteral(" 2")), QStringLiteral("ANS.push(2);"));
    }
    QFileCache reloaded(cacheFile, 1024);
    QCOMPARE(reloaded.value(QStringLiteral("2+2")), QStringLiteral("ANS.push(2+2);"));
    QCOMPARE(reloaded.value(QStringLiteral(" 2")), QString());
    QCOMPARE(reloaded.value(QStringLiteral("2")), QStringLiteral("ANS.push(2);"));
}

void FileCacheTest::readingRules()
{
    writeFile(cacheFile, "  a \r\n\tA;\r\nempty\n\nb\nB;\nlonely");
    QFileCache cache(cacheFile, 1024);
    QCOMPARE(cache.value(QStringLiteral("a")), QStringLiteral("A;"));
    QCOMPARE(cache.value(QStringLiteral("empty")), QString());
    QCOMPARE(cache.value(QStringLiteral("b")), QStringLiteral("B;"));
    QCOMPARE(cache.value(QStringLiteral("lonely")), QString());
}

void FileCacheTest::missingFileWarnsEmptyFileDoesNot()
{
    {
        QFileCache cache(cacheFile, 1024); // empty: no warning, or the test fails
    }
    QFile::remove(cacheFile);
    QTest::ignoreMessage(QtWarningMsg, "QFileCache: Unable to read tovel_cache.dat");
    {
        QFileCache cache(cacheFile, 1024);
    }
    QVERIFY(QFile::exists(cacheFile));
}

void FileCacheTest::longRecordsSurviveAndKeepTheirNeighbours()
{
    const QString longKey = QString(520, QLatin1Char('x'));
    const QString longValue = QStringLiteral("ANS.push(%1);").arg(QString(400, QLatin1Char('y')));
    {
        QFileCache cache(cacheFile, 1024);
        cache.insert(QStringLiteral("1"), QStringLiteral("ANS.push(1);"));
        cache.insert(longKey, longValue);
        cache.insert(QStringLiteral("2"), QStringLiteral("ANS.push(2);"));
    }
    QFileCache reloaded(cacheFile, 1024);
    QCOMPARE(reloaded.value(longKey), longValue);
    QCOMPARE(reloaded.value(QStringLiteral("1")), QStringLiteral("ANS.push(1);"));
    QCOMPARE(reloaded.value(QStringLiteral("2")), QStringLiteral("ANS.push(2);"));
}

void FileCacheTest::recordsWithLineEndsStayOutOfTheFile()
{
    {
        QFileCache cache(cacheFile, 1024);
        cache.insert(QStringLiteral("1"), QStringLiteral("ANS.push(1);"));
        cache.insert(QStringLiteral("\"a\nb\""), QStringLiteral("ANS.push(\"a\nb\");"));
        cache.insert(QString::fromLatin1("x\0y", 3), QStringLiteral("ANS.push(x);"));
        cache.insert(QStringLiteral("2"), QStringLiteral("ANS.push(2);"));
    }
    QCOMPARE(readFile(cacheFile).count('\n'), 4);
    QFileCache reloaded(cacheFile, 1024);
    QCOMPARE(reloaded.value(QStringLiteral("1")), QStringLiteral("ANS.push(1);"));
    QCOMPARE(reloaded.value(QStringLiteral("2")), QStringLiteral("ANS.push(2);"));
    QCOMPARE(reloaded.value(QStringLiteral("b\"")), QString());
}

void FileCacheTest::saveReplacesTheFileWhole()
{
    writeFile(cacheFile, "old\nANS.push(old);\n");
    QFile reader(cacheFile);
    QVERIFY(reader.open(QIODevice::ReadOnly));
    {
        QFileCache cache(cacheFile, 1024);
        cache.insert(QStringLiteral("new"), QStringLiteral("ANS.push(new);"));
    }
    // a reader that opened the file before the save still reads it whole
    QCOMPARE(reader.readAll(), QByteArray("old\nANS.push(old);\n"));
    QVERIFY(readFile(cacheFile).contains("new\nANS.push(new);\n"));
}

QTEST_GUILESS_MAIN(FileCacheTest)
#include "tst_qfilecache.moc"
