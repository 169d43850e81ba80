#include "displaydriver.h"
#include "fakeengine.h"
#include "qformula.h"
#include "qformuladisplay.h"
#include "templates.h"
#include "toveltree.h"

#include <QTextCodec>
#include <QtTest>

#include <memory>

class FormulaDisplayTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void previousAnswer_data();
    void previousAnswer();
    void engineOutput_data();
    void engineOutput();
    void longOutputInPieces();
    void oneEngineAtATime();
    void clearKeepsAnswer();
    void clearStopsEndlessEngine();
    void controlsChangeNothing();
    void realEngine_data();
    void realEngine();
};

namespace
{

// A display holding a copy of the given template as its input formula, shown
// and with the keyboard focus in that formula.
class DisplayWindow
{
public:
    explicit DisplayWindow(std::unique_ptr<QFormula> inputTemplate = templates::input())
        : inputTemplate(std::move(inputTemplate)), driver(&display)
    {
        display.setInputFormula(new QFormula(*this->inputTemplate));
        display.resize(500, 250);
    }

    bool open()
    {
        display.show();
        if (!QTest::qWaitForWindowActive(&display))
            return false;
        display.setFocus();
        return true;
    }

    std::unique_ptr<QFormula> inputTemplate;
    QFormulaDisplay display;
    DisplayDriver driver;
};

std::unique_ptr<QFormula> inputWithLine(const QString &lineTemplate)
{
    auto formula = templates::input();
    formula->lineTemplate = lineTemplate;
    return formula;
}

} // namespace

// The engine's bytes are decoded as the locale's; the test fixes the locale's
// encoding, so that it never depends on the machine's.
void FormulaDisplayTest::initTestCase()
{
    QTextCodec::setCodecForLocale(QTextCodec::codecForName("UTF-8"));
}

// The answer line's text, simplified, takes the place of "Ans" in any letter
// case, also inside a longer word; the engine's own ANS cannot be named.
void FormulaDisplayTest::previousAnswer_data()
{
    QTest::addColumn<QByteArray>("previous");
    QTest::addColumn<QString>("lineTemplate");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("sent");

    const QString field = QStringLiteral("%1");
    QTest::newRow("Ans*2 after 3") << QByteArray("3\n") << field << "Ans*2"
                                   << "3*2";
    QTest::newRow("ans typed in any case") << QByteArray("3\n") << field << "aNs+ANS"
                                           << "3+3";
    QTest::newRow("ANS in a line template") << QByteArray("3\n") << "ANS+%1"
                                            << "1"
                                            << "3+1";
    QTest::newRow("aNs in a line template") << QByteArray("3\n") << "aNs%1"
                                            << ""
                                            << "3";
    QTest::newRow("inside a word") << QByteArray("3\n") << field << "answer"
                                   << "3wer";
    QTest::newRow("engine's ANS array") << QByteArray("3\n") << "ANS[0]%1"
                                        << ""
                                        << "3[0]";
    QTest::newRow("empty answer line") << QByteArray() << field << "Ans+1"
                                       << "+1";
    QTest::newRow("answer of two lines") << QByteArray("1\n2\n") << field << "Ans"
                                         << "1 2";
    QTest::newRow("blanks around the answer") << QByteArray("  4 \n") << field << "Ans"
                                              << "4";
}

void FormulaDisplayTest::previousAnswer()
{
    QFETCH(QByteArray, previous);
    QFETCH(QString, lineTemplate);
    QFETCH(QString, typed);
    QFETCH(QString, sent);

    FakeEngine engine;
    DisplayWindow window(inputWithLine(lineTemplate));
    QVERIFY(window.open());
    engine.answer(previous);
    QVERIFY(window.driver.solve());
    QCOMPARE(window.driver.answer(), QString::fromUtf8(previous));

    engine.answer("5\n");
    DisplayDriver::type(typed);
    QVERIFY(window.driver.pressReturn());
    QCOMPARE(engine.arguments().size(), 2);
    QCOMPARE(engine.arguments().last(), sent);
}

// Whatever the engine prints, answer or error, becomes the answer line's
// text with its line end, up to the first zero byte, in the locale's
// encoding; pieces of one answer are shown together.
void FormulaDisplayTest::engineOutput_data()
{
    QTest::addColumn<QByteArray>("out");
    QTest::addColumn<QByteArray>("err");
    QTest::addColumn<QByteArray>("errEnd");
    QTest::addColumn<QString>("shown");

    QTest::newRow("answer") << QByteArray("3\n") << QByteArray() << QByteArray() << "3\n";
    QTest::newRow("error text") << QByteArray() << QByteArray("Syntax error\n") << QByteArray()
                                << "Syntax error\n";
    QTest::newRow("error and its line end apart")
        << QByteArray() << QByteArray("Syntax error") << QByteArray("\n") << "Syntax error\n";
    QTest::newRow("Cyrillic error") << QByteArray() << QString("Синтаксическая ошибка\n").toUtf8()
                                    << QByteArray() << "Синтаксическая ошибка\n";
    QTest::newRow("text ends at a zero byte") << QByteArray("12\0"
                                                            "34\n",
                                                            6)
                                              << QByteArray() << QByteArray() << "12";
    QTest::newRow("empty answer") << QByteArray("\n") << QByteArray() << QByteArray() << "\n";
}

void FormulaDisplayTest::engineOutput()
{
    QFETCH(QByteArray, out);
    QFETCH(QByteArray, err);
    QFETCH(QByteArray, errEnd);
    QFETCH(QString, shown);

    FakeEngine engine;
    DisplayWindow window;
    QVERIFY(window.open());
    engine.answer("earlier\n");
    QVERIFY(window.driver.solve());
    engine.answer(out, err, errEnd);
    QTest::ignoreMessage(QtDebugMsg, "brisma: starting tovel with args: 7");
    DisplayDriver::type(QStringLiteral("7"));
    QVERIFY(window.driver.solve());
    QCOMPARE(window.driver.answer(), shown);
    QCOMPARE(engine.arguments().last(), QStringLiteral("7"));
}

// Output over 1000 bytes is never shown whole: each notice shows at most
// 1000 bytes, the first one the first 1000.
void FormulaDisplayTest::longOutputInPieces()
{
    FakeEngine engine;
    DisplayWindow window;
    QVERIFY(window.open());
    const QByteArray first(1000, 'a');
    engine.answer(first + QByteArray(1500, 'b') + '\n');
    QSignalSpy shown(window.driver.answerLine(), &QLineEdit::textChanged);
    QVERIFY(window.driver.solve());
    QVERIFY(!shown.isEmpty());
    QCOMPARE(shown.first().first().toString(), QString::fromLatin1(first));
    for (const QList<QVariant> &change : qAsConst(shown))
        QVERIFY(change.first().toString().size() <= 1000);
}

// "=" pressed again while the engine still runs starts nothing.
void FormulaDisplayTest::oneEngineAtATime()
{
    FakeEngine engine;
    engine.runEndlessly();
    DisplayWindow window;
    QVERIFY(window.open());
    DisplayDriver::type(QStringLiteral("1"));
    window.driver.click(QStringLiteral("="));
    QTRY_COMPARE(engine.arguments().size(), 1);
    QTRY_COMPARE(window.driver.engine()->state(), QProcess::Running);
    window.driver.click(QStringLiteral("="));
    window.driver.click(QStringLiteral("CE"));
    QCOMPARE(window.driver.engine()->state(), QProcess::NotRunning);
    QCOMPARE(engine.arguments().size(), 1);
}

void FormulaDisplayTest::clearKeepsAnswer()
{
    FakeEngine engine;
    engine.answer("3\n");
    DisplayWindow window;
    QVERIFY(window.open());
    DisplayDriver::type(QStringLiteral("1+2"));
    QVERIFY(window.driver.pressReturn());
    window.driver.click(QStringLiteral("CE"));
    QCOMPARE(window.driver.answer(), QStringLiteral("3\n"));
    QVERIFY(window.driver.solve());
    QCOMPARE(engine.arguments().last(), QString());
}

// A line that never ends keeps the engine running; "CE" stops it, the
// answer line keeps its text, and the next "=" works again.
void FormulaDisplayTest::clearStopsEndlessEngine()
{
    FakeEngine engine;
    engine.answer("3\n");
    DisplayWindow window;
    QVERIFY(window.open());
    QVERIFY(window.driver.solve());
    engine.runEndlessly();
    DisplayDriver::type(QStringLiteral("9"));
    window.driver.click(QStringLiteral("="));
    QTRY_COMPARE(engine.arguments().size(), 2);
    window.driver.click(QStringLiteral("CE"));
    QCOMPARE(window.driver.engine()->state(), QProcess::NotRunning);
    QCOMPARE(window.driver.answer(), QStringLiteral("3\n"));

    engine.answer("7\n");
    DisplayDriver::type(QStringLiteral("4"));
    QVERIFY(window.driver.solve());
    QCOMPARE(window.driver.answer(), QStringLiteral("7\n"));
    QCOMPARE(engine.arguments(), QStringList({"", "9", "4"}));
}

// Base, Prec and Angle are shown, but the engine never hears of them.
void FormulaDisplayTest::controlsChangeNothing()
{
    FakeEngine engine;
    engine.answer("3\n");
    DisplayWindow window;
    QVERIFY(window.open());
    DisplayDriver::type(QStringLiteral("1+2"));
    QVERIFY(window.driver.solve());
    const QList<QSpinBox *> spins = window.driver.spinBoxes();
    QCOMPARE(spins.size(), 2);
    spins.at(0)->setValue(16);
    spins.at(1)->setValue(2);
    window.driver.angleBox()->addItem(QStringLiteral("deg"));
    QVERIFY(window.driver.solve());
    QCOMPARE(engine.arguments(), QStringList({"1+2", "1+2"}));
}

// The built engine, first on PATH: what a user types and keys in is
// calculated, and a line that never ends can be stopped.
void FormulaDisplayTest::realEngine_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("fraction");
    QTest::addColumn<QString>("shown");

    QTest::newRow("1+2") << "1+2" << false << "3\n";
    QTest::newRow("fraction 1 over 2") << "" << true << "0.5\n";
    QTest::newRow("engine error") << "1+" << false << "Syntax error\n";
    QTest::newRow("undefined name") << "y" << false << "Error: undefined variable or function: y\n";
}

void FormulaDisplayTest::realEngine()
{
    QFETCH(QString, typed);
    QFETCH(bool, fraction);
    QFETCH(QString, shown);

    TovelTree tree(TovelTree::Shipped);
    const QByteArray oldPath = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(tree.path(QStringLiteral("bin"))) + ':' + oldPath);
    DisplayWindow window;
    QVERIFY(window.open());
    DisplayDriver::type(typed);
    if (fraction) {
        auto fractionKey = templates::fraction();
        window.display.insertFormula(fractionKey.get());
        DisplayDriver::type(QStringLiteral("2"));
        DisplayDriver::press(Qt::Key_Up);
        DisplayDriver::type(QStringLiteral("1"));
        QTest::ignoreMessage(QtDebugMsg, "brisma: starting tovel with args: ((1)/(2))");
    }
    QVERIFY(window.driver.pressReturn());
    QCOMPARE(window.driver.answer(), shown);

    window.driver.click(QStringLiteral("CE"));
    DisplayDriver::type(QStringLiteral("for(i=0,1,i=i);end"));
    window.driver.click(QStringLiteral("="));
    QTRY_COMPARE(window.driver.engine()->state(), QProcess::Running);
    window.driver.click(QStringLiteral("CE"));
    QCOMPARE(window.driver.answer(), shown);
    DisplayDriver::type(QStringLiteral("Ans"));
    QVERIFY(window.driver.solve());
    QCOMPARE(window.driver.answer().isEmpty(), false);
    qputenv("PATH", oldPath);
}

QTEST_MAIN(FormulaDisplayTest)
#include "tst_qformuladisplay.moc"
