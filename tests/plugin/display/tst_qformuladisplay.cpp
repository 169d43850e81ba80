#include "displaydriver.h"
#include "fakeengine.h"
#include "panelfixture.h"
#include "qanswerline.h"
#include "qformula.h"
#include "qformuladisplay.h"
#include "qformulafield.h"
#include "templates.h"

#include <QClipboard>
#include <QComboBox>
#include <QtTest>

#include <memory>

// The display inside the panel of the panel library, on a fake engine: what
// it sends for Ans, what its answer line says, where Tab goes, what Ctrl+C
// copies and what happens to an engine whose panel goes.
class FormulaDisplayTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void answerInLineTemplate_data();
    void answerInLineTemplate();
    void answerAsValue_data();
    void answerAsValue();
    void busyLine_data();
    void busyLine();
    void longAnswerElided();
    void deletedWhileRunning_data();
    void deletedWhileRunning();
    void tabOrder_data();
    void tabOrder();
    void returnFromEveryStop_data();
    void returnFromEveryStop();
    void copyAnswer_data();
    void copyAnswer();
    void emptyFieldStartsNothing();
};

namespace
{
QAnswerLine *answerLine(const DisplayDriver &driver)
{
    return qobject_cast<QAnswerLine *>(driver.answerLine());
}

// The name of a stop of the Tab order, as a user sees it.
QString stopName(const QWidget *widget)
{
    if (!widget)
        return QStringLiteral("none");
    if (qobject_cast<const QFormulaField *>(widget))
        return QStringLiteral("formula");
    if (const auto *button = qobject_cast<const QPushButton *>(widget))
        return button->text();
    if (qobject_cast<const QComboBox *>(widget))
        return QStringLiteral("Angle");
    if (const auto *spin = qobject_cast<const QSpinBox *>(widget))
        return spin->maximum() == 15 ? QStringLiteral("Prec") : QStringLiteral("Base");
    return QString::fromLatin1(widget->metaObject()->className());
}
} // namespace

void FormulaDisplayTest::initTestCase()
{
    Q_INIT_RESOURCE(brismadata);
}

// Line templates can hold "Ans" in letter cases that typing never gives,
// since typed letters become lower case.
void FormulaDisplayTest::answerInLineTemplate_data()
{
    QTest::addColumn<QString>("lineTemplate");
    QTest::addColumn<QString>("sent");

    QTest::newRow("ANS") << "ANS+%1"
                         << "(3)+1";
    QTest::newRow("aNs") << "aNs*%1"
                         << "(3)*1";
    QTest::newRow("Ans at the start of a word") << "%1Answer"
                                                << "1Answer";
    QTest::newRow("engine's ANS array") << "ANS[0]+%1"
                                        << "(3)[0]+1";
}

void FormulaDisplayTest::answerInLineTemplate()
{
    QFETCH(QString, lineTemplate);
    QFETCH(QString, sent);

    FakeEngine engine;
    engine.answer("3\n");
    auto inputTemplate = templates::input();
    inputTemplate->lineTemplate = lineTemplate;
    QFormulaDisplay display;
    display.setInputFormula(new QFormula(*inputTemplate));
    display.show();
    QVERIFY(QTest::qWaitForWindowActive(&display));
    display.setFocus();
    DisplayDriver driver(&display);
    QVERIFY(driver.solve());
    QCOMPARE(driver.answer(), QStringLiteral("3\n"));
    DisplayDriver::type(QStringLiteral("1"));
    QVERIFY(driver.pressReturn());
    QCOMPARE(engine.arguments().last(), sent);
}

// The word Ans is the last answer as one value: a number in brackets, any
// other answer as its text, simplified.
void FormulaDisplayTest::answerAsValue_data()
{
    QTest::addColumn<QByteArray>("out");
    QTest::addColumn<QByteArray>("err");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("sent");

    const QByteArray none;
    QTest::newRow("2Ans after -3") << QByteArray("-3\n") << none << "2Ans"
                                   << "2(-3)";
    QTest::newRow("10-Ans after -3") << QByteArray("-3\n") << none << "10-Ans"
                                     << "10-(-3)";
    QTest::newRow("2Ans after 1e-20") << QByteArray("1e-20\n") << none << "2Ans"
                                      << "2(1e-20)";
    QTest::newRow("decimal fraction") << QByteArray("0.5\n") << none << "Ans/2"
                                      << "(((0.5))/(2))";
    QTest::newRow("infinity") << QByteArray("-Infinity\n") << none << "1/Ans"
                              << "((1)/((-Infinity)))";
    QTest::newRow("answer is no Ans") << QByteArray("3\n") << none << "answer"
                                      << "answer";
    QTest::newRow("name ending in ans") << QByteArray("3\n") << none << "xans+1"
                                        << "xans+1";
    QTest::newRow("name with digits before ans") << QByteArray("3\n") << none << "x2ans"
                                                 << "x2ans";
    QTest::newRow("name beginning with ans") << QByteArray("3\n") << none << "ans2+ans_"
                                             << "ans2+ans_";
    QTest::newRow("Ans in a call") << QByteArray("4\n") << none << "cos(ans)"
                                   << "cos((4))";
    QTest::newRow("error text as text") << none << QByteArray("Syntax error\n") << "Ans+1"
                                        << "Syntax error+1";
    QTest::newRow("two lines as text") << QByteArray("1\n2\n") << none << "Ans"
                                       << "1 2";
    QTest::newRow("empty answer") << QByteArray("\n") << none << "Ans+1"
                                  << "+1";
}

void FormulaDisplayTest::answerAsValue()
{
    QFETCH(QByteArray, out);
    QFETCH(QByteArray, err);
    QFETCH(QString, typed);
    QFETCH(QString, sent);

    FakeEngine engine;
    PanelFixture panel;
    QVERIFY(panel.open());
    engine.answer(out, err);
    DisplayDriver::type(QStringLiteral("1"));
    QVERIFY(panel.driver.solve());
    DisplayDriver::press(Qt::Key_Escape);
    engine.answer("5\n");
    DisplayDriver::type(typed);
    QVERIFY(panel.driver.pressReturn());
    QCOMPARE(engine.arguments(), QStringList({"1", sent}));
}

// A running calculation says so in the muted colour; stopped, it says that
// it was stopped, and Ans is still the answer before it.
void FormulaDisplayTest::busyLine_data()
{
    QTest::addColumn<bool>("byEscape");
    QTest::newRow("stopped by CE") << false;
    QTest::newRow("stopped by Escape") << true;
}

void FormulaDisplayTest::busyLine()
{
    QFETCH(bool, byEscape);

    FakeEngine engine;
    engine.answer("3\n");
    PanelFixture panel;
    QVERIFY(panel.open());
    DisplayDriver::type(QStringLiteral("1"));
    QVERIFY(panel.driver.solve());
    QVERIFY(!answerLine(panel.driver)->isMuted());
    engine.runEndlessly();
    panel.driver.click(QStringLiteral("="));
    QVERIFY(answerLine(panel.driver)->isMuted());
    QTRY_COMPARE(panel.driver.answer(), QStringLiteral("Calculating…"));
    if (byEscape)
        DisplayDriver::press(Qt::Key_Escape);
    else
        panel.driver.click(QStringLiteral("CE"));
    QCOMPARE(panel.driver.answer(), QStringLiteral("Calculation stopped"));
    QVERIFY(answerLine(panel.driver)->isMuted());
    QTRY_COMPARE(panel.driver.engine()->state(), QProcess::NotRunning);
    QCOMPARE(panel.driver.answer(), QStringLiteral("Calculation stopped"));

    engine.answer("6\n");
    DisplayDriver::type(QStringLiteral("2Ans"));
    QVERIFY(panel.driver.pressReturn());
    QCOMPARE(engine.arguments().last(), QStringLiteral("2(3)"));
    QCOMPARE(panel.driver.answer(), QStringLiteral("6\n"));
    QVERIFY(!answerLine(panel.driver)->isMuted());
}

// An answer wider than the line ends in "…" where it is drawn; the tool tip
// and the text hold it whole.
void FormulaDisplayTest::longAnswerElided()
{
    FakeEngine engine;
    const QByteArray digits =
        QByteArray("93326215443944152681699238856266700490715968264381").repeated(3);
    engine.answer(digits + '\n');
    PanelFixture panel;
    QVERIFY(panel.open());
    QVERIFY(panel.driver.solve());
    const QString whole = QString::fromLatin1(digits);
    QAnswerLine *line = answerLine(panel.driver);
    QVERIFY2(line->drawnText().endsWith(QChar(0x2026)), qPrintable(line->drawnText()));
    QVERIFY(whole.startsWith(line->drawnText().chopped(1)));
    QCOMPARE(line->toolTip(), whole);
    QCOMPARE(line->text(), whole + QLatin1Char('\n'));

    engine.answer("42\n");
    QVERIFY(panel.driver.solve());
    QCOMPARE(line->drawnText(), QStringLiteral("42"));
}

// A panel deleted while its engine runs stops the engine, as "CE" does,
// waits for it and reports nothing to its parts already gone.
void FormulaDisplayTest::deletedWhileRunning_data()
{
    QTest::addColumn<bool>("deaf");
    QTest::newRow("engine ends on the request") << false;
    QTest::newRow("engine deaf to the request is killed") << true;
}

void FormulaDisplayTest::deletedWhileRunning()
{
    QFETCH(bool, deaf);

    FakeEngine engine;
    engine.runEndlessly(deaf);
    PanelFixture panel;
    QVERIFY(panel.open());
    DisplayDriver::type(QStringLiteral("9"));
    panel.driver.click(QStringLiteral("="));
    QTRY_VERIFY(!engine.arguments().isEmpty());
    const qint64 child = panel.driver.engine()->processId();
    QVERIFY(child > 0);
    panel.panel.reset();
    QVERIFY(!QFile::exists(QStringLiteral("/proc/%1").arg(child)));
    QCOMPARE(engine.endedOnRequest(), !deaf);
}

// Tab and Shift+Tab go round the formula, "=", "CE", Base, Prec and Angle.
void FormulaDisplayTest::tabOrder_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QStringList>("stops");

    QTest::newRow("Tab") << int(Qt::Key_Tab)
                         << QStringList{"=", "CE", "Base", "Prec", "Angle", "formula", "="};
    QTest::newRow("Shift+Tab") << int(Qt::Key_Backtab)
                               << QStringList{"Angle", "Prec", "Base", "CE", "=", "formula"};
}

void FormulaDisplayTest::tabOrder()
{
    QFETCH(int, key);
    QFETCH(QStringList, stops);

    PanelFixture panel;
    QVERIFY(panel.open());
    QCOMPARE(stopName(QApplication::focusWidget()), QStringLiteral("formula"));
    QStringList visited;
    for (int i = 0; i < stops.size(); ++i) {
        DisplayDriver::press(Qt::Key(key));
        visited.append(stopName(QApplication::focusWidget()));
    }
    QCOMPARE(visited, stops);
}

// Return calculates the formula from every stop of the Tab order.
void FormulaDisplayTest::returnFromEveryStop_data()
{
    QTest::addColumn<int>("tabs");
    QTest::addColumn<QString>("stop");

    const QStringList stops{"formula", "=", "CE", "Base", "Prec", "Angle"};
    for (int i = 0; i < stops.size(); ++i)
        QTest::newRow(qPrintable(stops.at(i))) << i << stops.at(i);
}

void FormulaDisplayTest::returnFromEveryStop()
{
    QFETCH(int, tabs);
    QFETCH(QString, stop);

    FakeEngine engine;
    engine.answer("3\n");
    PanelFixture panel;
    QVERIFY(panel.open());
    DisplayDriver::type(QStringLiteral("1+2"));
    for (int i = 0; i < tabs; ++i)
        DisplayDriver::press(Qt::Key_Tab);
    QCOMPARE(stopName(QApplication::focusWidget()), stop);
    QVERIFY(panel.driver.pressReturn());
    QCOMPARE(engine.arguments(), QStringList{"1+2"});
    QCOMPARE(panel.driver.answer(), QStringLiteral("3\n"));
}

// Ctrl+C copies the whole answer, without its line end, whether it comes
// from a control of the display or from the host's menu.
void FormulaDisplayTest::copyAnswer_data()
{
    QTest::addColumn<QByteArray>("out");
    QTest::addColumn<bool>("byKey");
    QTest::addColumn<QString>("copied");

    const QByteArray longAnswer(300, '7');
    QTest::newRow("Ctrl+C on \"=\"") << QByteArray("3\n") << true << "3";
    QTest::newRow("host's Copy answer") << QByteArray("3\n") << false << "3";
    QTest::newRow("answer of two lines") << QByteArray("1\n2\n") << true << "1\n2";
    QTest::newRow("elided answer copied whole") << longAnswer + '\n'
                                                << true << QString::fromLatin1(longAnswer);
}

void FormulaDisplayTest::copyAnswer()
{
    QFETCH(QByteArray, out);
    QFETCH(bool, byKey);
    QFETCH(QString, copied);

    FakeEngine engine;
    engine.answer(out);
    PanelFixture panel;
    QVERIFY(panel.open());
    QVERIFY(panel.driver.solve());
    QApplication::clipboard()->setText(QStringLiteral("before"));
    if (byKey) {
        DisplayDriver::press(Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::ControlModifier);
    } else {
        QVERIFY(QMetaObject::invokeMethod(panel.display(), "copyAnswer"));
    }
    QCOMPARE(QApplication::clipboard()->text(), copied);
}

// A formula with a field left empty is not calculated: the answer line says
// so and the cursor goes to that field.
void FormulaDisplayTest::emptyFieldStartsNothing()
{
    FakeEngine engine;
    PanelFixture panel;
    QVERIFY(panel.open());
    DisplayDriver::type(QStringLiteral("5+√"));
    DisplayDriver::press(Qt::Key_Left);
    const auto *index = qobject_cast<QFormulaField *>(QApplication::focusWidget());
    QVERIFY(index);
    DisplayDriver::press(Qt::Key_Return);
    QCOMPARE(engine.arguments(), QStringList());
    QCOMPARE(panel.driver.answer(), QStringLiteral("Fill in the empty field"));
    const auto *focused = qobject_cast<QFormulaField *>(QApplication::focusWidget());
    QVERIFY(focused && focused != index);
    QCOMPARE(focused->itemCount(), 0);
    QCOMPARE(focused->formula()->objectName(), QStringLiteral("Корень"));
}

QTEST_MAIN(FormulaDisplayTest)
#include "tst_qformuladisplay.moc"
