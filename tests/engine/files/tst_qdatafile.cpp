// Opening and reading data files: regular files only, never blocking, never
// more than the bound.

#include "qdatafile.h"

#include "scratchdir.h"

#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

class DataFileTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { dir.reset(new ScratchDir); }
    void cleanup() { dir.reset(); }
    void opensRegularFilesAndLinksToThem();
    void refusesWhatIsNoRegularFile_data();
    void refusesWhatIsNoRegularFile();
    void readsNoMoreThanTheBound();

private:
    QScopedPointer<ScratchDir> dir;
};

void DataFileTest::opensRegularFilesAndLinksToThem()
{
    writeFile(QStringLiteral("plain"), "text\n");
    QVERIFY(QFile::link(QStringLiteral("plain"), QStringLiteral("link")));
    for (const QString &name : {QStringLiteral("plain"), QStringLiteral("link")}) {
        QFile file(name);
        QVERIFY(QDataFile::open(file, QIODevice::ReadOnly));
        QCOMPARE(QDataFile::readAll(file), QByteArray("text\n"));
    }
    QFile missing(QStringLiteral("missing"));
    QVERIFY(!QDataFile::open(missing, QIODevice::ReadOnly));
    QFile truncated(QStringLiteral("plain"));
    QVERIFY(QDataFile::open(truncated, QIODevice::WriteOnly | QIODevice::Truncate));
    truncated.write("new");
    truncated.close();
    QCOMPARE(readFile(QStringLiteral("plain")), QByteArray("new"));
}

void DataFileTest::refusesWhatIsNoRegularFile_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("FIFO without a writer") << "fifo";
    QTest::newRow("link to /dev/zero") << "zero";
    QTest::newRow("directory") << "directory";
}

void DataFileTest::refusesWhatIsNoRegularFile()
{
    QFETCH(QString, kind);
    const QString name = QStringLiteral("data");
    if (kind == QLatin1String("fifo"))
        QCOMPARE(mkfifo("data", 0600), 0);
    else if (kind == QLatin1String("zero"))
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), name));
    else
        QVERIFY(QDir().mkdir(name));
    for (const QIODevice::OpenMode mode :
         {QIODevice::OpenMode(QIODevice::ReadOnly), QIODevice::WriteOnly | QIODevice::Truncate}) {
        QFile file(name);
        QVERIFY(!QDataFile::open(file, mode));
        QVERIFY(!file.isOpen());
    }
}

void DataFileTest::readsNoMoreThanTheBound()
{
    writeFile(QStringLiteral("big"), QByteArray(QDataFile::readLimit + 10, 'x'));
    QFile file(QStringLiteral("big"));
    QVERIFY(QDataFile::open(file, QIODevice::ReadOnly));
    QCOMPARE(QDataFile::readAll(file).size(), int(QDataFile::readLimit));
}

QTEST_GUILESS_MAIN(DataFileTest)
#include "tst_qdatafile.moc"
