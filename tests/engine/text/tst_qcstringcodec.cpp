// The code-page helper: one decoder and encoder for the whole run, and
// conversions that never leak into each other.

#include "qcstringcodec.h"

#include <QTextCodec>
#include <QtTest>

class CStringCodecTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { QCStringCodec::setCodec("UTF-8"); }
    void cleanupTestCase() { QCStringCodec::setCodec(static_cast<QTextCodec *>(nullptr)); }
    void modesSpeakTheLocaleEncoding();
    void roundTrip_data();
    void roundTrip();
    void textEndsAtTheFirstNul();
    void anUnfinishedSequenceStaysInItsConversion();
    void aTrailingHighSurrogateStaysInItsConversion();
    void withoutCodecLatin1Applies();
    void asciiGoesThroughACodecThatChangesIt_data();
    void asciiGoesThroughACodecThatChangesIt();
};

void CStringCodecTest::modesSpeakTheLocaleEncoding()
{
#ifndef Q_OS_WIN
    QCStringCodec::setCodecForMode(QCStringCodec::InteractiveMode);
    QCOMPARE(QCStringCodec::codec(), QTextCodec::codecForLocale());
    QCStringCodec::setCodecForMode(QCStringCodec::ArgumentMode);
    QCOMPARE(QCStringCodec::codec(), QTextCodec::codecForLocale());
#endif
}

void CStringCodecTest::roundTrip_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("ascii") << QByteArray("2+2");
    QTest::newRow("cyrillic") << QByteArray("\xd0\xbf\xd1\x80\xd0\xb8");
    // a byte order mark is text like any other, in the first conversion too
    QTest::newRow("leading byte order mark") << QByteArray("\xef\xbb\xbfx");
    QTest::newRow("no-break space") << QByteArray("1\xc2\xa0+1");
}

void CStringCodecTest::roundTrip()
{
    QFETCH(QByteArray, bytes);
    for (int twice = 0; twice < 2; ++twice)
        QCOMPARE(QCStringCodec::fromUnicode(QCStringCodec::toUnicode(bytes)), bytes);
}

void CStringCodecTest::textEndsAtTheFirstNul()
{
    QCOMPARE(QCStringCodec::toUnicode(QByteArray("ab\0cd", 5)), QStringLiteral("ab"));
}

void CStringCodecTest::anUnfinishedSequenceStaysInItsConversion()
{
    const QString cut = QCStringCodec::toUnicode("a\xd0");
    QCOMPARE(cut, QStringLiteral("a") + QChar(QChar::ReplacementCharacter));
    QCOMPARE(QCStringCodec::toUnicode("\xb0z"),
             QChar(QChar::ReplacementCharacter) + QStringLiteral("z"));
    QCOMPARE(QCStringCodec::toUnicode("\xd0\xb0"), QString(QChar(0x430)));
}

void CStringCodecTest::aTrailingHighSurrogateStaysInItsConversion()
{
    QCOMPARE(QCStringCodec::fromUnicode(QStringLiteral("a") + QChar(0xD83D)), QByteArray("a?"));
    QCOMPARE(QCStringCodec::fromUnicode(QStringLiteral("b")), QByteArray("b"));
}

void CStringCodecTest::withoutCodecLatin1Applies()
{
    QCStringCodec::setCodec(static_cast<QTextCodec *>(nullptr));
    QCOMPARE(QCStringCodec::toUnicode("\xe9"), QString(QChar(0xe9)));
    QCOMPARE(QCStringCodec::fromUnicode(QString(QChar(0xe9))), QByteArray("\xe9"));
}

void CStringCodecTest::asciiGoesThroughACodecThatChangesIt_data()
{
    QTest::addColumn<QByteArray>("codec");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("UTF-8 keeps ascii")
        << QByteArray("UTF-8") << QStringLiteral("x=1") << QByteArray("x=1");
    QTest::newRow("KOI8-R keeps ascii")
        << QByteArray("KOI8-R") << QStringLiteral("x=1") << QByteArray("x=1");
    QTest::newRow("UTF-16LE writes two bytes a character")
        << QByteArray("UTF-16LE") << QStringLiteral("x") << QByteArray("x\0", 2);
    // its control characters 0x1a to 0x1c and 0x7f are read as other characters
    QTest::newRow("IBM 866 reads some ascii bytes as other characters")
        << QByteArray("IBM 866") << QString(QChar(0x1c)) << QByteArray("\x1a");
    QTest::newRow("EBCDIC writes other bytes")
        << QByteArray("IBM037") << QStringLiteral("A1") << QByteArray("\xc1\xf1");
}

void CStringCodecTest::asciiGoesThroughACodecThatChangesIt()
{
    QFETCH(QByteArray, codec);
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    if (!QTextCodec::codecForName(codec))
        QSKIP("the toolkit lacks this codec");
    QCStringCodec::setCodec(codec.constData());
    QCOMPARE(QCStringCodec::fromUnicode(text), bytes);
    if (!bytes.contains('\0'))
        QCOMPARE(QCStringCodec::toUnicode(bytes), text);
}

QTEST_GUILESS_MAIN(CStringCodecTest)
#include "tst_qcstringcodec.moc"
