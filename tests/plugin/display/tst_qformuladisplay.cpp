#include "displaydriver.h"
#include "fakeengine.h"
#include "panelfixture.h"
#include "qanswerline.h"
#include "qformula.h"
#include "qformuladisplay.h"
#include "qformulafield.h"
#include "qformulahistory.h"
#include "templates.h"

#include <QClipboard>
#include <QComboBox>
#include <QScreen>
#include <QToolTip>
#include <QtTest>

#include <memory>

// The display inside the panel of the panel library, on a fake engine: what
// it sends for Ans, what its answer line says and keeps, where Tab and the
// focus go, what Ctrl+C copies, what the hexadecimal keys type and what
// happens to an engine whose panel goes.
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
    void noPreviousAnswer_data();
    void noPreviousAnswer();
    void answerFromHistory_data();
    void answerFromHistory();
    void answerKeptWhole_data();
    void answerKeptWhole();
    void copyNeverStatus_data();
    void copyNeverStatus();
    void staleAnswer_data();
    void staleAnswer();
    void engineNeverAnswers();
    void focusReturns_data();
    void focusReturns();
    void hexKeys_data();
    void hexKeys();
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
    QFormulaDisplay display;
    display.setInputFormula(new QFormula(*inputTemplate));
    display.show();
    QVERIFY(QTest::qWaitForWindowActive(&display));
    display.setFocus();
    DisplayDriver driver(&display);
    DisplayDriver::type(QStringLiteral("3"));
    QVERIFY(driver.solve());
    QCOMPARE(driver.answer(), QStringLiteral("3\n"));
    inputTemplate->lineTemplate = lineTemplate;
    display.setInputFormula(new QFormula(*inputTemplate));
    display.setFocus();
    DisplayDriver::type(QStringLiteral("1"));
    QVERIFY(driver.pressReturn());
    QCOMPARE(engine.arguments().last(), sent);
}

// The word Ans is the last answer's last value: a number, infinities and
// not-a-number included, in brackets, any other answer as a string literal;
// an error leaves the answer before it. Ans inside a string literal is text.
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
    QTest::newRow("infinity") << QByteArray("-inf\n") << none << "Ans^2"
                              << "pow((-inf),2)";
    QTest::newRow("not-a-number") << QByteArray("nan\n") << none << "Ans+1"
                                  << "(nan)+1";
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
    QTest::newRow("error leaves the answer before it")
        << none << QByteArray("Syntax error\n") << "Ans+1"
        << "(7)+1";
    QTest::newRow("last value of several lines") << QByteArray("1\n2\n3\n") << none << "2Ans"
                                                 << "2(3)";
    QTest::newRow("text as a string literal") << QByteArray("ff\n") << none << "Ans"
                                              << "\"ff\"";
    QTest::newRow("quotes in a text escaped") << QByteArray("a\"b\\c\n") << none << "Ans"
                                              << "\"a\\\"b\\\\c\"";
    QTest::newRow("Ans in a string literal stays") << QByteArray("3\n") << none << "\"Ans is \"+Ans"
                                                   << "\"Ans is \"+(3)";
    QTest::newRow("Ans in single quotes stays") << QByteArray("3\n") << none << "'ans'+Ans"
                                                << "'ans'+(3)";
    // The engine's own text for a third: three times it gives 1 once the
    // engine writes numbers so that they read back as the same number.
    QTest::newRow("a third times three") << QByteArray("0.333333333333333\n") << none << "Ans*3"
                                         << "(0.333333333333333)*3";
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
    engine.answer("7\n");
    DisplayDriver::type(QStringLiteral("7"));
    QVERIFY(panel.driver.solve());
    panel.driver.click(QStringLiteral("CE"));
    engine.answer(out, err);
    DisplayDriver::type(QStringLiteral("1"));
    QVERIFY(panel.driver.solve());
    panel.driver.click(QStringLiteral("CE"));
    engine.answer("5\n");
    DisplayDriver::type(typed);
    QVERIFY(panel.driver.pressReturn());
    QCOMPARE(engine.arguments(), QStringList({"7", "1", sent}));
}

// A running calculation says so in the muted colour; stopped, it says that
// it was stopped, and Ans is still the answer before it. Escape keeps the
// formula, "CE" clears it.
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
    // Escape stops the calculation and keeps the formula; "CE" clears it.
    QCOMPARE(panel.editedLine(), byEscape ? QStringLiteral("1") : QString());
    if (byEscape)
        panel.driver.click(QStringLiteral("CE"));
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
    QCOMPARE(line->toolTip().remove(QLatin1Char('\n')), whole);
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

// Ans with no answer of this panel: the last answer of the history, so that
// a restart carries it on; with none at all the answer line says so and
// nothing is calculated.
void FormulaDisplayTest::noPreviousAnswer_data()
{
    QTest::addColumn<QByteArray>("out");
    QTest::addColumn<QByteArray>("err");

    QTest::newRow("nothing calculated") << QByteArray() << QByteArray();
    QTest::newRow("only an error before") << QByteArray() << QByteArray("Syntax error\n");
    QTest::newRow("only an empty answer before") << QByteArray("\n") << QByteArray();
}

void FormulaDisplayTest::noPreviousAnswer()
{
    QFETCH(QByteArray, out);
    QFETCH(QByteArray, err);

    FakeEngine engine;
    PanelFixture panel;
    QVERIFY(panel.open());
    QStringList sent;
    if (!out.isEmpty() || !err.isEmpty()) {
        engine.answer(out, err);
        DisplayDriver::type(QStringLiteral("x"));
        QVERIFY(panel.driver.solve());
        panel.driver.click(QStringLiteral("CE"));
        sent.append(QStringLiteral("x"));
    }
    engine.answer("5\n");
    for (const char *typed : {"2Ans", "Ans+1", "Ans*5"}) {
        DisplayDriver::type(QString::fromLatin1(typed));
        DisplayDriver::press(Qt::Key_Return);
        QCOMPARE(panel.driver.answer(), QStringLiteral("There is no previous answer"));
        QVERIFY(answerLine(panel.driver)->isMuted());
        QCOMPARE(panel.driver.engine()->state(), QProcess::NotRunning);
        QCOMPARE(panel.editedLine(), QString::fromLatin1(typed).toLower());
        panel.driver.click(QStringLiteral("CE"));
    }
    QCOMPARE(engine.arguments(), sent);
}

void FormulaDisplayTest::answerFromHistory_data()
{
    QTest::addColumn<QByteArrayList>("answers");
    QTest::addColumn<QString>("sent");

    QTest::newRow("last answer") << QByteArrayList{"4\n", "5\n"} << "2(5)";
    QTest::newRow("last of several lines") << QByteArrayList{"1\n2\n"} << "2(2)";
    QTest::newRow("error passed over") << QByteArrayList{"4\n", "!Syntax error\n"} << "2(4)";
}

void FormulaDisplayTest::answerFromHistory()
{
    QFETCH(QByteArrayList, answers);
    QFETCH(QString, sent);

    FakeEngine engine;
    QTemporaryDir settings;
    {
        PanelFixture earlier(settings.path());
        QVERIFY(earlier.open());
        for (const QByteArray &answer : answers) {
            if (answer.startsWith('!'))
                engine.answer(QByteArray(), answer.mid(1));
            else
                engine.answer(answer);
            DisplayDriver::type(QStringLiteral("1"));
            QVERIFY(earlier.driver.solve());
            earlier.driver.click(QStringLiteral("CE"));
        }
    }
    PanelFixture later(settings.path());
    QVERIFY(later.open());
    engine.answer("9\n");
    DisplayDriver::type(QStringLiteral("2Ans"));
    QVERIFY(later.driver.pressReturn());
    QCOMPARE(engine.arguments().last(), sent);
}

// The answer is kept whole, however long, in the answer line, what is
// copied and the history; only the line and the list draw it elided, and an
// answer that fits is drawn whole. The tool tip breaks it into lines that
// fit the screen.
void FormulaDisplayTest::answerKeptWhole_data()
{
    QTest::addColumn<int>("length");

    QTest::newRow("999 characters") << 999;
    QTest::newRow("exactly 1000 characters") << 1000;
    QTest::newRow("1001 characters") << 1001;
    QTest::newRow("a megabyte") << 1024 * 1024 + 1;
    QTest::newRow("short") << 6;
}

void FormulaDisplayTest::answerKeptWhole()
{
    QFETCH(int, length);

    FakeEngine engine;
    QByteArray digits(length, '0');
    digits[0] = '1';
    digits[length - 1] = '7';
    engine.answer(digits + '\n');
    PanelFixture panel;
    QVERIFY(panel.open());
    DisplayDriver::type(QStringLiteral("tobase(2^1000,2)"));
    QVERIFY(panel.driver.solve());
    const QString whole = QString::fromLatin1(digits);
    QAnswerLine *line = answerLine(panel.driver);
    QCOMPARE(line->text(), whole + QLatin1Char('\n'));
    QVERIFY(!line->text().contains(QChar(0x2026)));
    QCOMPARE(line->drawnText().endsWith(QChar(0x2026)), length > 100);
    QVERIFY(line->drawnText().length() < 1000);
    const int screenWidth = line->screen()->availableSize().width();
    const QStringList tipLines = line->toolTip().split(QLatin1Char('\n'));
    for (const QString &tipLine : tipLines)
        QVERIFY(QFontMetrics(QToolTip::font()).horizontalAdvance(tipLine) <= screenWidth);
    QVERIFY(whole.startsWith(tipLines.join(QString()).remove(QChar(0x2026))));
    QVERIFY(QMetaObject::invokeMethod(panel.display(), "copyAnswer"));
    QCOMPARE(QApplication::clipboard()->text(), whole);
    QFormulaHistory history;
    history.load(panel.historyFile());
    QCOMPARE(history.count(), 1);
    QCOMPARE(history.entry(0).answer, whole + QLatin1Char('\n'));
}

// Copy takes the last answer or error, never a status the answer line
// shows, and nothing when there is none.
void FormulaDisplayTest::copyNeverStatus_data()
{
    QTest::addColumn<bool>("answered");
    QTest::addColumn<bool>("stopped");
    QTest::addColumn<QString>("copied");

    QTest::newRow("while calculating") << true << false << "3";
    QTest::newRow("after the calculation stopped") << true << true << "3";
    QTest::newRow("stopped with no answer before") << false << true << "";
}

void FormulaDisplayTest::copyNeverStatus()
{
    QFETCH(bool, answered);
    QFETCH(bool, stopped);
    QFETCH(QString, copied);

    FakeEngine engine;
    engine.answer("3\n");
    PanelFixture panel;
    QVERIFY(panel.open());
    if (answered) {
        DisplayDriver::type(QStringLiteral("1+2"));
        QVERIFY(panel.driver.solve());
    }
    engine.runEndlessly();
    panel.driver.click(QStringLiteral("="));
    QTRY_COMPARE(panel.driver.answer(), QStringLiteral("Calculating…"));
    if (stopped) {
        DisplayDriver::press(Qt::Key_Escape);
        QCOMPARE(panel.driver.answer(), QStringLiteral("Calculation stopped"));
    }
    QApplication::clipboard()->setText(QStringLiteral("before"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), copied);
    panel.driver.click(QStringLiteral("CE"));
    QTRY_COMPARE(panel.driver.engine()->state(), QProcess::NotRunning);
}

// The answer line is greyed while the formula differs from the one it
// answers: edited after the answer came, or while it was calculated, and
// drawn plainly again once the formula is the same again.
void FormulaDisplayTest::staleAnswer_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<bool>("duringCalculation");
    QTest::addColumn<bool>("stale");

    QTest::newRow("nothing edited") << QStringList() << false << false;
    QTest::newRow("typed after the answer") << QStringList{"+2"} << false << true;
    QTest::newRow("edited back") << QStringList{"+2", "{Backspace}", "{Backspace}"} << false
                                 << false;
    QTest::newRow("screen key after the answer") << QStringList{"{Дробь}"} << false << true;
    QTest::newRow("typed while calculated") << QStringList{"5"} << true << true;
    QTest::newRow("cleared by CE") << QStringList{"{CE}"} << false << true;
}

void FormulaDisplayTest::staleAnswer()
{
    QFETCH(QStringList, steps);
    QFETCH(bool, duringCalculation);
    QFETCH(bool, stale);

    FakeEngine engine;
    engine.answer("4\n");
    PanelFixture panel;
    QVERIFY(panel.open());
    DisplayDriver::type(QStringLiteral("2+2"));
    if (duringCalculation)
        engine.waitForInput();
    QSignalSpy finished(panel.driver.engine(), SIGNAL(finished(int, QProcess::ExitStatus)));
    panel.driver.click(QStringLiteral("="));
    if (!duringCalculation)
        QVERIFY(finished.wait(30000));
    for (const QString &step : qAsConst(steps)) {
        if (step == QLatin1String("{Backspace}"))
            DisplayDriver::press(Qt::Key_Backspace);
        else if (step == QLatin1String("{CE}"))
            panel.driver.click(QStringLiteral("CE"));
        else
            panel.play({step});
    }
    if (duringCalculation) {
        panel.driver.engine()->write("go\n");
        QVERIFY(finished.wait(30000));
    }
    QCOMPARE(panel.driver.answer(), QStringLiteral("4\n"));
    QTRY_COMPARE(answerLine(panel.driver)->isMuted(), stale);
}

// A calculation whose engine never answers is given up, as the host does
// before it pictures the panel: the panel says so, not that it calculates.
void FormulaDisplayTest::engineNeverAnswers()
{
    FakeEngine engine;
    engine.runEndlessly();
    PanelFixture panel;
    QVERIFY(panel.open());
    DisplayDriver::type(QStringLiteral("1"));
    panel.driver.click(QStringLiteral("="));
    QTRY_COMPARE(panel.driver.answer(), QStringLiteral("Calculating…"));
    QVERIFY(QMetaObject::invokeMethod(panel.display(), "abandon"));
    QCOMPARE(panel.driver.answer(), QStringLiteral("The engine did not answer"));
    QTRY_COMPARE(panel.driver.engine()->state(), QProcess::NotRunning);
    QCOMPARE(panel.driver.answer(), QStringLiteral("The engine did not answer"));
    QCOMPARE(panel.editedLine(), QStringLiteral("1"));
}

// After "=" or "CE", pressed with the mouse or the keyboard, and after
// Escape in Prec, typing goes into the formula.
void FormulaDisplayTest::focusReturns_data()
{
    QTest::addColumn<QString>("stop");
    QTest::addColumn<QString>("how");

    QTest::newRow("= clicked") << "="
                               << "click";
    QTest::newRow("= by Space") << "="
                                << "space";
    QTest::newRow("CE clicked") << "CE"
                                << "click";
    QTest::newRow("CE by Space") << "CE"
                                 << "space";
    QTest::newRow("Escape in Prec") << "Prec"
                                    << "escape";
    QTest::newRow("Escape in Base") << "Base"
                                    << "escape";
}

void FormulaDisplayTest::focusReturns()
{
    QFETCH(QString, stop);
    QFETCH(QString, how);

    FakeEngine engine;
    engine.answer("1\n");
    PanelFixture panel;
    QVERIFY(panel.open());
    DisplayDriver::type(QStringLiteral("1"));
    QSignalSpy finished(panel.driver.engine(), SIGNAL(finished(int, QProcess::ExitStatus)));
    if (how == QLatin1String("click")) {
        panel.driver.click(stop);
    } else {
        while (stopName(QApplication::focusWidget()) != stop)
            DisplayDriver::press(Qt::Key_Tab);
        DisplayDriver::press(how == QLatin1String("space") ? Qt::Key_Space : Qt::Key_Escape);
    }
    if (stop == QLatin1String("="))
        QVERIFY(finished.wait(30000));
    DisplayDriver::type(QStringLiteral("7"));
    QCOMPARE(stopName(QApplication::focusWidget()), QStringLiteral("formula"));
    QVERIFY(panel.editedLine().endsWith(QLatin1Char('7')));
    const QList<QSpinBox *> spins = panel.driver.spinBoxes();
    QCOMPARE(spins.at(0)->value() + spins.at(1)->value(), 10 + 8);
}

// The hexadecimal digit keys type into the numeral of a number in another
// base, and anywhere else start one in base 16.
void FormulaDisplayTest::hexKeys_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("line");

    QTest::newRow("a digit alone") << QStringList{"{A}"} << "(a)_16";
    QTest::newRow("digits one after another") << QStringList{"{F}", "{F}"} << "(ff)_16";
    QTest::newRow("decimal digits between") << QStringList{"{A}", "1", "{B}"} << "(a1b)_16";
    QTest::newRow("after an operator") << QStringList{"2*", "{C}"} << "2*(c)_16";
    QTest::newRow("into a numeral of another base")
        << QStringList{"{Указание системы счисления}", "{Left}", "{E}"} << "(e)_10";
    QTest::newRow("inside a fraction") << QStringList{"{Дробь}", "{D}"} << "(()/((d)_16))";
}

void FormulaDisplayTest::hexKeys()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, line);

    PanelFixture panel;
    QVERIFY(panel.open());
    panel.play(steps);
    QCOMPARE(panel.editedLine(), line);
}

QTEST_MAIN(FormulaDisplayTest)
#include "tst_qformuladisplay.moc"
