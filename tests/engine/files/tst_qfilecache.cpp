#include "qcstringcodec.h"
#include "qfilecache.h"
#include "qfilelock.h"

#include "scratchdir.h"

#include <QtTest>

#include <unistd.h>

namespace
{

const QString cacheFile = QStringLiteral("tovel_cache.dat");

// A file of the records as a cache without a stamp saves them.
QByteArray records(const QByteArray &lines)
{
    return QFileCache::stampedRecords(QString(), lines);
}

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
    void recordsComeBackExactlyAsStored_data();
    void recordsComeBackExactlyAsStored();
    void onlyCompleteRecordsAreRead();
    void linesAreReadAsASaveWouldWriteThem_data();
    void linesAreReadAsASaveWouldWriteThem();
    void savedInPlaceWhenNoTemporaryFileCanBeMade();
    void missingFileWarnsEmptyFileDoesNot();
    void longRecordsSurviveAndKeepTheirNeighbours();
    void recordsWithLineEndsStayOutOfTheFile();
    void saveReplacesTheFileWhole();
    void entriesAreServedUnderTheirStampOnly_data();
    void entriesAreServedUnderTheirStampOnly();
    void anEmptyCacheWritesNoStamp();
    void filesThatDoNotAddUpStartAfresh_data();
    void filesThatDoNotAddUpStartAfresh();
    void aSaveRemovesTemporaryFilesOfDeadSaves();

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
    QCOMPARE(readFile(cacheFile), records("2+2\nANS.push(2+2);\n"));
    {
        // a key with a blank at its end is used within the run but never
        // written: it would come back as the key "2"
        QFileCache cache(cacheFile, 1024);
        cache.insert(QStringLiteral(" 2"), QStringLiteral("ANS.push(2);"));
        QCOMPARE(cache.value(QStringLiteral(" 2")), QStringLiteral("ANS.push(2);"));
    }
    QFileCache reloaded(cacheFile, 1024);
    QCOMPARE(reloaded.value(QStringLiteral("2+2")), QStringLiteral("ANS.push(2+2);"));
    QCOMPARE(reloaded.value(QStringLiteral(" 2")), QString());
    QCOMPARE(reloaded.value(QStringLiteral("2")), QString());
}

void FileCacheTest::readingRules()
{
    // line ends of either kind; records that a save would not have written
    // (white space at an end, an empty value) are skipped whole, and so is
    // a last line without its line end
    writeFile(cacheFile, records("a\r\nA;\r\n  c \r\n\tC;\r\nempty\n\nb\nB;\nlonely\nLONELY"));
    QFileCache cache(cacheFile, 1024);
    QCOMPARE(cache.value(QStringLiteral("a")), QStringLiteral("A;"));
    QCOMPARE(cache.value(QStringLiteral("c")), QString());
    QCOMPARE(cache.value(QStringLiteral("  c ")), QString());
    QCOMPARE(cache.value(QStringLiteral("empty")), QString());
    QCOMPARE(cache.value(QStringLiteral("b")), QStringLiteral("B;"));
    QCOMPARE(cache.value(QStringLiteral("lonely")), QString());
}

void FileCacheTest::recordsComeBackExactlyAsStored_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("stored");
    QTest::newRow("plain") << "2+2"
                           << "ANS.push(2+2);" << true;
    QTest::newRow("cyrillic") << QString::fromUtf8("\"\xd0\xb0\"")
                              << QString::fromUtf8("ANS.push(\"\xd0\xb0\");") << true;
    QTest::newRow("inner tab and no-break space") << QString::fromUtf8("1\t+\xc2\xa0"
                                                                       "1")
                                                  << "ANS.push(1\t+1);" << true;
    QTest::newRow("byte order mark in front")
        << QString::fromUtf8("\xef\xbb\xbfx") << "ANS.push(x);" << true;
    QTest::newRow("tab in front of the key") << "\tend"
                                             << "ANS.push(\tend);" << false;
    QTest::newRow("no-break space behind the key")
        << QString::fromUtf8("end\xc2\xa0") << "ANS.push(end);" << false;
    QTest::newRow("line separator behind the value")
        << "x" << QString::fromUtf8("ANS.push(x);\xe2\x80\xa8") << false;
    QTest::newRow("carriage return inside") << "a\rb"
                                            << "ANS.push(a);" << true;
    QTest::newRow("lone surrogate") << QString(QChar(0xD800)) << "ANS.push(1);" << false;
    QTest::newRow("empty value") << "x"
                                 << "" << false;
}

void FileCacheTest::recordsComeBackExactlyAsStored()
{
    QCStringCodec::setCodec("UTF-8");
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(bool, stored);
    {
        QFileCache cache(cacheFile, 1024);
        cache.insert(QStringLiteral("k"), QStringLiteral("v;"));
        cache.insert(key, value);
    }
    QFileCache reloaded(cacheFile, 1024);
    QCOMPARE(reloaded.value(key), stored ? value : QString());
    QCOMPARE(reloaded.value(QStringLiteral("k")), QStringLiteral("v;"));
    // no record comes back under another key
    QCOMPARE(reloaded.value(key.trimmed()), stored ? value : QString());
    QCOMPARE(readFile(cacheFile).count('\n'), stored ? 6 : 4); // and the stamp's record
    QCStringCodec::setCodec(static_cast<QTextCodec *>(nullptr));
}

void FileCacheTest::linesAreReadAsASaveWouldWriteThem_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::newRow("record as saved") << QByteArray("k\nv;\n") << "k"
                                     << "v;";
    QTest::newRow("lines ended by CR LF") << QByteArray("k\r\nv;\r\n") << "k"
                                          << "v;";
    QTest::newRow("invalid byte read as a replacement character")
        << QByteArray("k\xff\nv;\n") << QStringLiteral("k") + QChar(QChar::ReplacementCharacter)
        << "v;";
    QTest::newRow("blank in front of the key") << QByteArray(" k\nv;\n") << " k" << QString();
    QTest::newRow("blank behind the value") << QByteArray("k\nv; \n") << "k" << QString();
}

void FileCacheTest::linesAreReadAsASaveWouldWriteThem()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QCStringCodec::setCodec("UTF-8");
    writeFile(cacheFile, records(file));
    QFileCache cache(cacheFile, 1024);
    QCOMPARE(cache.value(key), value);
    QCStringCodec::setCodec(static_cast<QTextCodec *>(nullptr));
}

void FileCacheTest::onlyCompleteRecordsAreRead()
{
    writeFile(cacheFile, records("k1\nv1;\n" + QByteArray(9000, 'x') + "\nlong;\nk2\n" +
                                 QByteArray(9000, 'y') + "\nk3\nv3;\nk4\nv4;"));
    QFileCache cache(cacheFile, 1024);
    QCOMPARE(cache.value(QStringLiteral("k1")), QStringLiteral("v1;"));
    QCOMPARE(cache.value(QString(9000, QLatin1Char('x'))), QString());
    QCOMPARE(cache.value(QStringLiteral("k2")), QString());
    QCOMPARE(cache.value(QStringLiteral("k3")), QStringLiteral("v3;"));
    QCOMPARE(cache.value(QStringLiteral("k4")), QString()); // cut short
}

void FileCacheTest::savedInPlaceWhenNoTemporaryFileCanBeMade()
{
    if (geteuid() == 0)
        QSKIP("root makes files in any directory; tst_tovel runs this as another user");
    writeFile(cacheFile, records("old\nANS.push(old);\n"));
    QFile(dir->path()).setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    {
        QFileCache cache(cacheFile, 1024);
        cache.insert(QStringLiteral("new"), QStringLiteral("ANS.push(new);"));
    }
    QFile(dir->path())
        .setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QFileCache reloaded(cacheFile, 1024);
    QCOMPARE(reloaded.value(QStringLiteral("new")), QStringLiteral("ANS.push(new);"));
    QCOMPARE(reloaded.value(QStringLiteral("old")), QStringLiteral("ANS.push(old);"));
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
    QCOMPARE(readFile(cacheFile).count('\n'), 6);
    QFileCache reloaded(cacheFile, 1024);
    QCOMPARE(reloaded.value(QStringLiteral("1")), QStringLiteral("ANS.push(1);"));
    QCOMPARE(reloaded.value(QStringLiteral("2")), QStringLiteral("ANS.push(2);"));
    QCOMPARE(reloaded.value(QStringLiteral("b\"")), QString());
}

void FileCacheTest::saveReplacesTheFileWhole()
{
    writeFile(cacheFile, records("old\nANS.push(old);\n"));
    QFile reader(cacheFile);
    QVERIFY(reader.open(QIODevice::ReadOnly));
    {
        QFileCache cache(cacheFile, 1024);
        cache.insert(QStringLiteral("new"), QStringLiteral("ANS.push(new);"));
    }
    // a reader that opened the file before the save still reads it whole
    QCOMPARE(reader.readAll(), records("old\nANS.push(old);\n"));
    QVERIFY(readFile(cacheFile).contains("new\nANS.push(new);\n"));
}

void FileCacheTest::entriesAreServedUnderTheirStampOnly_data()
{
    QTest::addColumn<QString>("written");
    QTest::addColumn<QString>("read");
    QTest::addColumn<bool>("served");
    QTest::newRow("the same stamp") << "rules 2, table a"
                                    << "rules 2, table a" << true;
    QTest::newRow("another table") << "rules 2, table a"
                                   << "rules 2, table b" << false;
    QTest::newRow("other rules") << "rules 2, table a"
                                 << "rules 3, table a" << false;
    QTest::newRow("a file without a stamp, the earlier version's") << ""
                                                                   << "rules 2, table a" << false;
    QTest::newRow("a stamped file read without a stamp") << "rules 2, table a"
                                                         << "" << false;
    QTest::newRow("no stamp on either side") << ""
                                             << "" << true;
}

void FileCacheTest::entriesAreServedUnderTheirStampOnly()
{
    QFETCH(QString, written);
    QFETCH(QString, read);
    QFETCH(bool, served);
    {
        QFileCache cache(cacheFile, 1024, written);
        cache.insert(QStringLiteral("2^3"), QStringLiteral("ANS.push(pow(2,3));"));
    }
    const QByteArray power = "2^3\nANS.push(pow(2,3));\n";
    QCOMPARE(readFile(cacheFile), QFileCache::stampedRecords(written, power));
    {
        QFileCache cache(cacheFile, 1024, read);
        QCOMPARE(cache.value(QStringLiteral("2^3")),
                 served ? QStringLiteral("ANS.push(pow(2,3));") : QString());
        cache.insert(QStringLiteral("1"), QStringLiteral("ANS.push(1);"));
    }
    // the file is made anew under the reader's stamp
    QCOMPARE(readFile(cacheFile), QFileCache::stampedRecords(read, (served ? power : QByteArray()) +
                                                                       "1\nANS.push(1);\n"));
}

void FileCacheTest::anEmptyCacheWritesNoStamp()
{
    {
        QFileCache cache(cacheFile, 1024, QStringLiteral("rules 2"));
    }
    QCOMPARE(readFile(cacheFile), QByteArray());
}

void FileCacheTest::filesThatDoNotAddUpStartAfresh_data()
{
    const QString stamp = QStringLiteral("rules 4, table a");
    const QByteArray saved =
        QFileCache::stampedRecords(stamp, "1\nANS.push(1);\n2\nANS.push(2);\n3\nANS.push(3);\n");
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<bool>("served");
    QTest::newRow("as saved") << saved << true;
    QTest::newRow("a line lost: each key would meet the next key's value")
        << QByteArray(saved).replace("\nANS.push(1);\n", "\n") << false;
    QTest::newRow("a record changed") << QByteArray(saved).replace("(2)", "(7)") << false;
    QTest::newRow("a record added") << saved + "4\nANS.push(4);\n" << false;
    QTest::newRow("the earlier format: a stamp without a checksum")
        << QByteArray("\ttranslations made under\nrules 4, table a\n1\nANS.push(1);\n") << false;
    QTest::newRow("the first format: records only") << QByteArray("1\nANS.push(1);\n") << false;
}

void FileCacheTest::filesThatDoNotAddUpStartAfresh()
{
    QFETCH(QByteArray, file);
    QFETCH(bool, served);
    writeFile(cacheFile, file);
    {
        QFileCache cache(cacheFile, 1024, QStringLiteral("rules 4, table a"));
        QCOMPARE(cache.value(QStringLiteral("1")),
                 served ? QStringLiteral("ANS.push(1);") : QString());
        QCOMPARE(cache.value(QStringLiteral("3")),
                 served ? QStringLiteral("ANS.push(3);") : QString());
        cache.insert(QStringLiteral("5"), QStringLiteral("ANS.push(5);"));
    }
    QFileCache reloaded(cacheFile, 1024, QStringLiteral("rules 4, table a"));
    QCOMPARE(reloaded.value(QStringLiteral("5")), QStringLiteral("ANS.push(5);"));
}

void FileCacheTest::aSaveRemovesTemporaryFilesOfDeadSaves()
{
    // one left by a killed save, one held by a save that still runs
    const QString left = cacheFile + QStringLiteral(".Ab12Cd");
    const QString live = cacheFile + QStringLiteral(".Zz99Yy");
    writeFile(left, "half a");
    writeFile(live, "being written");
    QFile held(live);
    QVERIFY(held.open(QIODevice::ReadWrite));
    QVERIFY(QFileLock::tryLock(held.handle(), QFileLock::Exclusive));
    writeFile(QStringLiteral("tovel_cache.dat.old"), "not a temporary file");
    {
        QFileCache cache(cacheFile, 1024);
        cache.insert(QStringLiteral("1"), QStringLiteral("ANS.push(1);"));
    }
    QVERIFY(!QFile::exists(left));
    QVERIFY(QFile::exists(live));
    QVERIFY(QFile::exists(QStringLiteral("tovel_cache.dat.old")));
    QCOMPARE(QDir().entryList(QDir::Files).size(), 3);
}

QTEST_GUILESS_MAIN(FileCacheTest)
#include "tst_qfilecache.moc"
