#include "displaydriver.h"
#include "fakeengine.h"
#include "qformula.h"
#include "qformuladisplay.h"
#include "templates.h"

#include <QtTest>

#include <memory>

// What only a display of its own can show: input formulas whose line
// templates hold "Ans" in letter cases that typing never gives, since typed
// letters become lower case. Everything a user does is tested on the loaded
// plug-in's panel.
class FormulaDisplayTest : public QObject
{
    Q_OBJECT

private slots:
    void answerInLineTemplate_data();
    void answerInLineTemplate();
};

// "Ans" is replaced in any letter case, so the engine's own ANS cannot be
// named from the display.
void FormulaDisplayTest::answerInLineTemplate_data()
{
    QTest::addColumn<QString>("lineTemplate");
    QTest::addColumn<QString>("sent");

    QTest::newRow("ANS") << "ANS+%1"
                         << "3+1";
    QTest::newRow("aNs") << "aNs*%1"
                         << "3*1";
    QTest::newRow("Ans inside a word") << "%1Answer"
                                       << "13wer";
    QTest::newRow("engine's ANS array") << "ANS[0]+%1"
                                        << "3[0]+1";
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

QTEST_MAIN(FormulaDisplayTest)
#include "tst_qformuladisplay.moc"
