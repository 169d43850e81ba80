// What the panel tells screen readers: the formula read aloud, the events
// sent for each edit and move, the answers announced, the names of keys,
// controls and history entries.

#include "fakeengine.h"
#include "panelfixture.h"
#include "qformula.h"
#include "qformulafield.h"
#include "qformularecord.h"
#include "qformulaspeech.h"

#include <QAccessible>
#include <QAccessibleEditableTextInterface>
#include <QtTest>

namespace
{
// The events the panel sent, one line each, for the edited formula, the
// answer line and the focus.
QStringList heard;

QString quoted(const QString &text)
{
    return QLatin1Char('\'') + text + QLatin1Char('\'');
}

void hear(QAccessibleEvent *event)
{
    QObject *object = event->object();
    const bool ofFormula = qobject_cast<QFormula *>(object);
    switch (event->type()) {
    case QAccessible::TextInserted:
        if (ofFormula) {
            const auto *insertion = static_cast<QAccessibleTextInsertEvent *>(event);
            heard << QStringLiteral("insert %1 at %2, caret %3")
                         .arg(quoted(insertion->textInserted()))
                         .arg(insertion->changePosition())
                         .arg(insertion->cursorPosition());
        }
        break;
    case QAccessible::TextRemoved:
        if (ofFormula) {
            const auto *removal = static_cast<QAccessibleTextRemoveEvent *>(event);
            heard << QStringLiteral("remove %1 at %2, caret %3")
                         .arg(quoted(removal->textRemoved()))
                         .arg(removal->changePosition())
                         .arg(removal->cursorPosition());
        }
        break;
    case QAccessible::TextCaretMoved:
        if (ofFormula)
            heard << QStringLiteral("caret %1")
                         .arg(static_cast<QAccessibleTextCursorEvent *>(event)->cursorPosition());
        break;
    case QAccessible::DescriptionChanged:
        heard << QStringLiteral("describe %1: %2")
                     .arg(event->accessibleInterface()->text(QAccessible::Name),
                          event->accessibleInterface()->text(QAccessible::Description));
        break;
    case QAccessible::Focus:
        heard << QStringLiteral("focus ") + event->accessibleInterface()->text(QAccessible::Name);
        break;
    default:
        break;
    }
}

QAccessibleInterface *formulaInterface(const PanelFixture &fixture)
{
    return QAccessible::queryAccessibleInterface(
        fixture.display()->findChild<QFormula *>(QString(), Qt::FindChildrenRecursively));
}

// The root formula is the first found below the display: the edited one.
QFormula *editedFormula(const PanelFixture &fixture)
{
    return fixture.display()->findChild<QFormula *>();
}

// A display without a window manager activates a window only when asked.
bool open(PanelFixture &fixture)
{
    fixture.panel->show();
    fixture.panel->activateWindow();
    if (!QTest::qWaitForWindowActive(fixture.panel.get()))
        return false;
    fixture.panel->setFocus();
    return true;
}

// Lets the panel's deferred announcements go out.
void settle()
{
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
}

// Plays a user's steps: "{Left}", "{Home}" and "{Backspace}" press those
// keys, the fixture's own steps do the rest.
void play(const PanelFixture &fixture, const QString &text)
{
    const QMap<QString, Qt::Key> keys{{QStringLiteral("{Left}"), Qt::Key_Left},
                                      {QStringLiteral("{Home}"), Qt::Key_Home},
                                      {QStringLiteral("{Backspace}"), Qt::Key_Backspace}};
    for (int i = 0; i < text.size();) {
        const int end =
            text.at(i) == QLatin1Char('{') ? text.indexOf(QLatin1Char('}'), i) + 1 : i + 1;
        const QString step = text.mid(i, end - i);
        if (keys.contains(step))
            DisplayDriver::press(keys.value(step));
        else
            fixture.play({step});
        i = end;
    }
}
} // namespace

class AccessibilityTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void readsFormula_data();
    void readsFormula();
    void announcesEdits_data();
    void announcesEdits();
    void caretFollowsCursor_data();
    void caretFollowsCursor();
    void announcesAnswers_data();
    void announcesAnswers();
    void announcesStoppedCalculation();
    void focusedOnceForFormula();
    void editsThroughText();
    void namesKeysAndControls_data();
    void namesKeysAndControls();
    void readsHistoryEntries();
};

void AccessibilityTest::initTestCase()
{
    Q_INIT_RESOURCE(brismadata);
    // Installed before any panel, so that the panel passes its events on
    // here.
    QAccessible::installUpdateHandler(&hear);
    QAccessible::setActive(true);
    qRegisterMetaType<QProcess::ExitStatus>();
}

void AccessibilityTest::init()
{
    heard.clear();
}

void AccessibilityTest::readsFormula_data()
{
    QTest::addColumn<QString>("record");
    QTest::addColumn<QString>("spoken");
    const QString root = QStringLiteral("[Поле для ввода|%1]");
    QTest::newRow("numbers and operators")
        << root.arg(QStringLiteral("12+3.5*x-1")) << "12 plus 3.5 times x minus 1";
    QTest::newRow("fraction and square root")
        << root.arg(QStringLiteral("[Дробь|1|2]+[Корень||16]"))
        << "1 over 2 plus square root of 16";
    QTest::newRow("sine squared") << root.arg(QStringLiteral("[Синус|sin|2|x]"))
                                  << "sine squared of x";
    QTest::newRow("cosine cubed") << root.arg(QStringLiteral("[Косинус|cos|3|x]"))
                                  << "cosine cubed of x";
    QTest::newRow("tangent to a power")
        << root.arg(QStringLiteral("[Тангенс|tg|n|x]")) << "tangent to the power n of x";
    QTest::newRow("sine of a bracketed sum") << root.arg(QStringLiteral("[Синус|sin||(x+1)]"))
                                             << "sine of open bracket x plus 1 close bracket";
    QTest::newRow("empty fields say so")
        << root.arg(QStringLiteral("[Дробь||]")) << "empty over empty";
    QTest::newRow("empty formula") << root.arg(QString()) << "";
    QTest::newRow("cube root") << root.arg(QStringLiteral("[Корень|3|8]")) << "cube root of 8";
    QTest::newRow("root of a degree")
        << root.arg(QStringLiteral("[Корень|5|32]")) << "root of degree 5 of 32";
    QTest::newRow("power squared") << root.arg(QStringLiteral("[Степень|2|x]")) << "x squared";
    QTest::newRow("power of a sum") << root.arg(QStringLiteral("[Степень|n+1|2]"))
                                    << "2 to the power open bracket n plus 1 close bracket";
    QTest::newRow("sums in a fraction") << root.arg(QStringLiteral("[Дробь|1+x|2]+3"))
                                        << "open bracket 1 plus x close bracket over 2 plus 3";
    QTest::newRow("root of a sum") << root.arg(QStringLiteral("[Корень||x+1]+2"))
                                   << "square root of open bracket x plus 1 close bracket plus 2";
    QTest::newRow("absolute value")
        << root.arg(QStringLiteral("[Модуль|-2]")) << "absolute value of minus 2";
    QTest::newRow("logarithm to a base")
        << root.arg(QStringLiteral("[Логарифм|log|2|8]")) << "logarithm to base 2 of 8";
    QTest::newRow("logarithm without base")
        << root.arg(QStringLiteral("[Логарифм|log||8]")) << "logarithm of 8";
    QTest::newRow("natural logarithm")
        << root.arg(QStringLiteral("[Натуральный логарифм|ln|e]")) << "natural logarithm of e";
    QTest::newRow("factorial") << root.arg(QStringLiteral("[Факториал|20|!]")) << "20 factorial";
    QTest::newRow("mixed fraction")
        << root.arg(QStringLiteral("[Дробь с целой частью|1|1|2]")) << "1 and 1 over 2";
    QTest::newRow("number in a base")
        << root.arg(QStringLiteral("[Указание системы счисления|ff|16]")) << "ff in base 16";
    QTest::newRow("operators of two characters")
        << root.arg(QStringLiteral("1<<2>=3")) << "1 shift left 2 greater than or equal to 3";
    QTest::newRow("constants") << root.arg(QStringLiteral("2π")) << "2 pi";
    QTest::newRow("fraction in an exponent")
        << root.arg(QStringLiteral("[Степень|[Дробь|1|2]|4]")) << "4 to the power 1 over 2";
    QTest::newRow("unknown template read field by field")
        << root.arg(QStringLiteral("[Неизвестная|1|2]")) << "1 2";
}

void AccessibilityTest::readsFormula()
{
    QFETCH(QString, record);
    QFETCH(QString, spoken);
    QFormulaRecord formula;
    QVERIFY(QFormulaRecord::fromText(record, &formula));
    QCOMPARE(QFormulaSpeech(formula).text(), spoken);
}

// Each row plays its setup, lets it settle, then plays its action and
// checks what the panel sent for it alone.
void AccessibilityTest::announcesEdits_data()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QString>("action");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("a digit into the empty formula")
        << ""
        << "1" << QStringList{"insert '1' at 0, caret 1"};
    QTest::newRow("a digit joins the number") << "1"
                                              << "6" << QStringList{"insert '6' at 1, caret 2"};
    QTest::newRow("an operator is a word") << "1"
                                           << "+" << QStringList{"insert ' plus' at 1, caret 6"};
    QTest::newRow("backspace removes the word")
        << "1+"
        << "{Backspace}" << QStringList{"remove ' plus' at 1, caret 1"};
    QTest::newRow("left moves the caret") << "12"
                                          << "{Left}" << QStringList{"caret 1"};
    QTest::newRow("home moves the caret") << "1+2"
                                          << "{Home}" << QStringList{"caret 0"};
    QTest::newRow("the fraction key goes into the denominator")
        << ""
        << "{Дробь}"
        << QStringList{"insert 'empty over empty' at 0, caret 11", "describe Formula: denominator"};
    QTest::newRow("up goes into the numerator")
        << "{Дробь}"
        << "{Up}" << QStringList{"caret 0", "describe Formula: numerator"};
    QTest::newRow("typing replaces the empty word")
        << "{Дробь}{Up}"
        << "1" << QStringList{"remove 'empty' at 0, caret 0", "insert '1' at 0, caret 1"};
    QTest::newRow("the sine key goes into its argument")
        << ""
        << "{Синус}"
        << QStringList{"insert 'sine of empty' at 0, caret 8",
                       "describe Formula: argument of sine"};
    QTest::newRow("up reads out the exponent")
        << "{Синус}x"
        << "{Up}"
        << QStringList{"insert 'to the power empty ' at 5, caret 18", "describe Formula: exponent"};
    QTest::newRow("a move inside one field names no field") << "{Дробь}12"
                                                            << "{Left}" << QStringList{"caret 12"};
}

void AccessibilityTest::announcesEdits()
{
    QFETCH(QString, setup);
    QFETCH(QString, action);
    QFETCH(QStringList, expected);
    PanelFixture fixture;
    QVERIFY(open(fixture));
    QVERIFY(formulaInterface(fixture));
    play(fixture, setup);
    settle();
    heard.clear();
    play(fixture, action);
    QTRY_COMPARE(heard, expected);
}

void AccessibilityTest::caretFollowsCursor_data()
{
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("spoken");
    QTest::addColumn<int>("caret");
    QTest::addColumn<QString>("field");
    QTest::newRow("end of the formula") << "1+2"
                                        << "1 plus 2" << 8 << "formula";
    QTest::newRow("before the last digit") << "1+2{Left}"
                                           << "1 plus 2" << 7 << "formula";
    QTest::newRow("before the operator") << "1+2{Left}{Left}"
                                         << "1 plus 2" << 2 << "formula";
    QTest::newRow("back in the denominator") << "{Дробь}2{Up}1{Down}"
                                             << "1 over 2" << 8 << "denominator";
    QTest::newRow("in the numerator") << "{Дробь}2{Up}1"
                                      << "1 over 2" << 1 << "numerator";
    QTest::newRow("in the root") << "3+{Корень}16"
                                 << "3 plus square root of 16" << 24 << "expression under root";
}

void AccessibilityTest::caretFollowsCursor()
{
    QFETCH(QString, steps);
    QFETCH(QString, spoken);
    QFETCH(int, caret);
    QFETCH(QString, field);
    PanelFixture fixture;
    QVERIFY(open(fixture));
    play(fixture, steps);
    QAccessibleInterface *formula = formulaInterface(fixture);
    QVERIFY(formula && formula->textInterface());
    QCOMPARE(formula->role(), QAccessible::EditableText);
    QCOMPARE(formula->text(QAccessible::Name), QStringLiteral("Formula"));
    QCOMPARE(formula->textInterface()->text(0, formula->textInterface()->characterCount()), spoken);
    QCOMPARE(formula->textInterface()->cursorPosition(), caret);
    QCOMPARE(formula->text(QAccessible::Description), field);
}

void AccessibilityTest::announcesAnswers_data()
{
    QTest::addColumn<QByteArray>("out");
    QTest::addColumn<QByteArray>("err");
    QTest::addColumn<QString>("announced");
    QTest::newRow("an answer") << QByteArray("1.5\n") << QByteArray() << "equals 1.5";
    QTest::newRow("several answers") << QByteArray("1\n2\n") << QByteArray() << "equals 1, 2";
    QTest::newRow("an error") << QByteArray() << QByteArray("Syntax error\n") << "Syntax error";
}

// Answers come in pieces; each calculation is announced once it has ended.
void AccessibilityTest::announcesAnswers()
{
    QFETCH(QByteArray, out);
    QFETCH(QByteArray, err);
    QFETCH(QString, announced);
    FakeEngine engine;
    engine.answer(out, err);
    PanelFixture fixture;
    QVERIFY(open(fixture));
    DisplayDriver::type(QStringLiteral("3/2"));
    settle();
    heard.clear();
    QVERIFY(fixture.driver.pressReturn());
    settle();
    // The formula has the focus and passes the answer on.
    QCOMPARE(heard.join(QLatin1String(" | ")),
             QStringLiteral("describe Answer: %1 | describe Formula: %1").arg(announced));
    QAccessibleInterface *line = QAccessible::queryAccessibleInterface(fixture.driver.answerLine());
    QCOMPARE(line->text(QAccessible::Name), QStringLiteral("Answer"));
    QCOMPARE(line->text(QAccessible::Description), announced);
}

void AccessibilityTest::announcesStoppedCalculation()
{
    FakeEngine engine;
    engine.runEndlessly();
    PanelFixture fixture;
    QVERIFY(open(fixture));
    DisplayDriver::type(QStringLiteral("1"));
    settle();
    heard.clear();
    DisplayDriver::press(Qt::Key_Return);
    QTRY_COMPARE(heard.join(QLatin1String(" | ")),
                 QStringLiteral("describe Answer: Calculating… | describe Formula: Calculating…"));
    QVERIFY(fixture.driver.calculateBy([]() { DisplayDriver::press(Qt::Key_Escape); }));
    settle();
    QCOMPARE(heard.mid(2, 2), (QStringList{"describe Answer: Calculation stopped",
                                           "describe Formula: Calculation stopped"}));
}

// The focus inside the formula is the formula's; moves between its fields
// are no focus changes.
void AccessibilityTest::focusedOnceForFormula()
{
    PanelFixture fixture;
    QVERIFY(open(fixture));
    settle();
    DisplayDriver::press(Qt::Key_Tab);
    settle();
    heard.clear();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    fixture.play({QStringLiteral("{Дробь}"), QStringLiteral("{Up}")});
    settle();
    QCOMPARE(heard.filter(QStringLiteral("focus ")), QStringList{"focus Formula"});
    QAccessibleInterface *formula = formulaInterface(fixture);
    QVERIFY(formula->state().focused);
    QCOMPARE(formula->childCount(), 0);
}

void AccessibilityTest::editsThroughText()
{
    PanelFixture fixture;
    QVERIFY(open(fixture));
    QAccessibleInterface *formula = formulaInterface(fixture);
    QAccessibleEditableTextInterface *editable = formula->editableTextInterface();
    QVERIFY(editable);
    editable->insertText(0, QStringLiteral("12+3"));
    QCOMPARE(formula->text(QAccessible::Value), QStringLiteral("12 plus 3"));
    formula->textInterface()->setCursorPosition(1);
    QCOMPARE(editedFormula(fixture)->field(0)->cursorPosition(), 1);
    editable->deleteText(0, 1);
    QCOMPARE(formula->text(QAccessible::Value), QStringLiteral("2 plus 3"));
    formula->textInterface()->setSelection(0, 0, 2);
    QCOMPARE(formula->textInterface()->selectionCount(), 1);
    editable->replaceText(0, 2, QStringLiteral("7"));
    QCOMPARE(formula->text(QAccessible::Value), QStringLiteral("7 plus 3"));
    // The word of an operator goes with its glyph.
    editable->deleteText(2, 6);
    QCOMPARE(formula->text(QAccessible::Value), QStringLiteral("73"));
}

void AccessibilityTest::namesKeysAndControls_data()
{
    QTest::addColumn<QString>("objectName");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QAccessible::Role>("role");
    QTest::newRow("fraction key") << "key - Дробь"
                                  << "Fraction" << QAccessible::Button;
    QTest::newRow("sine key") << "key - Синус"
                              << "Sine" << QAccessible::Button;
    QTest::newRow("text key") << "key - Пи"
                              << "Pi" << QAccessible::Button;
    QTest::newRow("operator key") << "key - +"
                                  << "plus" << QAccessible::Button;
    QTest::newRow("digit key") << "key - 7"
                               << "7" << QAccessible::Button;
    QTest::newRow("hexadecimal key") << "key - A"
                                     << "A" << QAccessible::Button;
    QTest::newRow("options button") << "showMenu"
                                    << "Options" << QAccessible::ButtonMenu;
}

void AccessibilityTest::namesKeysAndControls()
{
    QFETCH(QString, objectName);
    QFETCH(QString, name);
    QFETCH(QAccessible::Role, role);
    PanelFixture fixture;
    auto *widget = fixture.panel->findChild<QWidget *>(objectName);
    QVERIFY(widget);
    QAccessibleInterface *key = QAccessible::queryAccessibleInterface(widget);
    QCOMPARE(key->text(QAccessible::Name), name);
    QCOMPARE(key->role(), role);
    if (role == QAccessible::Button) {
        QVERIFY(key->actionInterface()->actionNames().contains(
            QAccessibleActionInterface::pressAction()));
        QCOMPARE(key->childCount(), 0);
    }
}

void AccessibilityTest::readsHistoryEntries()
{
    FakeEngine engine;
    engine.answer("3\n");
    PanelFixture fixture;
    QVERIFY(open(fixture));
    DisplayDriver::type(QStringLiteral("1+2"));
    QVERIFY(fixture.driver.pressReturn());
    QVERIFY(fixture.driver.pressReturn());
    auto *list = fixture.panel->findChild<QWidget *>(QStringLiteral("historyList"));
    QAccessibleInterface *history = QAccessible::queryAccessibleInterface(list);
    QCOMPARE(history->role(), QAccessible::List);
    QCOMPARE(history->text(QAccessible::Name), QStringLiteral("History"));
    const QList<QWidget *> entries = list->findChildren<QWidget *>(QStringLiteral("historyEntry"));
    QCOMPARE(entries.size(), 2);
    QAccessibleInterface *first = QAccessible::queryAccessibleInterface(entries.at(0));
    QCOMPARE(first->role(), QAccessible::ListItem);
    QCOMPARE(first->text(QAccessible::Name), QStringLiteral("1 plus 2 equals 3, 1 of 2"));
    QCOMPARE(first->childCount(), 0);
    DisplayDriver::type(QStringLiteral("9"));
    first->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(editedFormula(fixture)->toLine(), QStringLiteral("1+2"));
}

QTEST_MAIN(AccessibilityTest)
#include "tst_accessibility.moc"
