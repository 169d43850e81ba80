#include "editorwindow.h"

#include <QLineEdit>
#include <QtTest>

#include <functional>

class FocusTest : public QObject
{
    Q_OBJECT

private slots:
    void moves_data();
    void moves();
    void rootFieldKeepsFocus_data();
    void rootFieldKeepsFocus();
    void leavingNestedFractionToTheRight();
    void unheldFormulaKeepsFocus();
};

namespace
{

const int atEnd = -1;
const int holder = -1;

// Two fields in the inner cells of a 3 by 4 grid.
std::unique_ptr<QFormula> innerFields()
{
    auto formula = templates::make(QStringLiteral("inner"), QStringLiteral("%1%2"));
    formula->addField(1, 1, 1, QString(), QString(), false);
    formula->addField(1, 1, 2, QString(), QString(), false);
    formula->addLine(QLineF(0, 0, 1, 1), 0, 0, 0);
    formula->addLine(QLineF(0, 0, 1, 1), 2, 3, 0);
    return formula;
}

void putCursor(QFormulaField *field, int pos)
{
    field->setCursorPosition(pos == atEnd ? field->itemCount() : pos, false, false);
}

} // namespace

void FocusTest::moves_data()
{
    QTest::addColumn<QString>("formula");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("startPos");
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<int>("target");
    QTest::addColumn<int>("targetCursor");

    // Fields hold "ab", the sine's caption "sin"; cursors start at 1. The
    // holding field holds "1", the formula, "2": the formula is its item 1.
    // Reading order: the sine's caption, exponent, argument; a power's base,
    // exponent.
    const int caption = 0, exponent = 1, argument = 2;
    QTest::newRow("argument left at 0 goes to the exponent, the field before it")
        << "sine" << argument << 0 << Qt::Key_Left << exponent << 2;
    QTest::newRow("argument up") << "sine" << argument << 1 << Qt::Key_Up << exponent << 1;
    QTest::newRow("argument right at end is just after the sine")
        << "sine" << argument << atEnd << Qt::Key_Right << holder << 2;
    QTest::newRow("argument down has nowhere to go")
        << "sine" << argument << 1 << Qt::Key_Down << argument << 1;
    QTest::newRow("exponent down") << "sine" << exponent << 1 << Qt::Key_Down << argument << 1;
    QTest::newRow("exponent right at end")
        << "sine" << exponent << atEnd << Qt::Key_Right << argument << 0;
    QTest::newRow("exponent up has nowhere to go")
        << "sine" << exponent << 1 << Qt::Key_Up << exponent << 1;
    QTest::newRow("caption right at end")
        << "sine" << caption << atEnd << Qt::Key_Right << exponent << 0;
    QTest::newRow("caption left at 0 is just before the sine")
        << "sine" << caption << 0 << Qt::Key_Left << holder << 1;
    QTest::newRow("caption up") << "sine" << caption << 1 << Qt::Key_Up << exponent << 1;
    QTest::newRow("exponent left at 0") << "sine" << exponent << 0 << Qt::Key_Left << caption << 3;
    QTest::newRow("numerator down") << "fraction" << 0 << 1 << Qt::Key_Down << 1 << 1;
    QTest::newRow("denominator up") << "fraction" << 1 << 1 << Qt::Key_Up << 0 << 1;
    QTest::newRow("numerator right at end") << "fraction" << 0 << atEnd << Qt::Key_Right << 1 << 0;
    QTest::newRow("denominator left at 0") << "fraction" << 1 << 0 << Qt::Key_Left << 0 << 2;
    QTest::newRow("denominator right at end")
        << "fraction" << 1 << atEnd << Qt::Key_Right << holder << 2;
    QTest::newRow("numerator left at 0") << "fraction" << 0 << 0 << Qt::Key_Left << holder << 1;
    QTest::newRow("right before a fraction enters its numerator")
        << "fraction" << holder << 1 << Qt::Key_Right << 0 << 0;
    QTest::newRow("left after a fraction enters its denominator")
        << "fraction" << holder << 2 << Qt::Key_Left << 1 << 2;
    QTest::newRow("power base up") << "power" << 1 << 1 << Qt::Key_Up << 0 << 1;
    QTest::newRow("power exponent down") << "power" << 0 << 1 << Qt::Key_Down << 1 << 1;
    QTest::newRow("power base right at end") << "power" << 1 << atEnd << Qt::Key_Right << 0 << 0;
    QTest::newRow("absolute value left at 0 leaves it")
        << "absolute value" << 0 << 0 << Qt::Key_Left << holder << 1;
    QTest::newRow("absolute value right at end leaves it")
        << "absolute value" << 0 << atEnd << Qt::Key_Right << holder << 2;
    QTest::newRow("absolute value up has nowhere to go")
        << "absolute value" << 0 << 1 << Qt::Key_Up << 0 << 1;
    QTest::newRow("inner right") << "inner" << 0 << atEnd << Qt::Key_Right << 1 << 0;
    QTest::newRow("inner left") << "inner" << 1 << 0 << Qt::Key_Left << 0 << 2;
    QTest::newRow("inner left ends") << "inner" << 0 << 0 << Qt::Key_Left << holder << 1;
    QTest::newRow("inner right ends") << "inner" << 1 << atEnd << Qt::Key_Right << holder << 2;
    QTest::newRow("inner up stays") << "inner" << 0 << 1 << Qt::Key_Up << 0 << 1;
}

void FocusTest::moves()
{
    QFETCH(QString, formula);
    QFETCH(int, from);
    QFETCH(int, startPos);
    QFETCH(Qt::Key, key);
    QFETCH(int, target);
    QFETCH(int, targetCursor);

    EditorWindow editor;
    QVERIFY(editor.open());
    editor.rootField()->setFocus();
    EditorWindow::type(QStringLiteral("12"));
    editor.rootField()->setCursorPosition(1, false, false);
    const QMap<QString, std::function<std::unique_ptr<QFormula>()>> made{
        {"sine", templates::sine},
        {"fraction", templates::fraction},
        {"power", templates::power},
        {"absolute value", templates::absoluteValue},
        {"inner", innerFields}};
    auto formulaTemplate = made.value(formula)();
    QFormula *nested = editor.insert(formulaTemplate.get());
    for (int i = 0; i < nested->fieldCount(); ++i) {
        if (nested->field(i)->itemCount() == 0)
            nested->field(i)->setText(QStringLiteral("ab"));
        putCursor(nested->field(i), 1);
    }

    QFormulaField *start = from == holder ? editor.rootField() : nested->field(from);
    start->focusAt(startPos == atEnd ? start->itemCount() : startPos);
    EditorWindow::press(key);
    QFormulaField *expected = target == holder ? editor.rootField() : nested->field(target);
    QCOMPARE(EditorWindow::focusedField(), expected);
    QCOMPARE(expected->cursorPosition(), targetCursor);
}

void FocusTest::rootFieldKeepsFocus_data()
{
    QTest::addColumn<int>("startPos");
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<int>("cursor");

    QTest::newRow("left at 0") << 0 << Qt::Key_Left << 0;
    QTest::newRow("right at end") << atEnd << Qt::Key_Right << 2;
    QTest::newRow("up") << 1 << Qt::Key_Up << 1;
    QTest::newRow("down") << 1 << Qt::Key_Down << 1;
}

void FocusTest::rootFieldKeepsFocus()
{
    QFETCH(int, startPos);
    QFETCH(Qt::Key, key);
    QFETCH(int, cursor);

    EditorWindow editor;
    QVERIFY(editor.open());
    editor.rootField()->setFocus();
    QFormulaField *field = EditorWindow::focusedField();
    EditorWindow::type(QStringLiteral("ab"));
    putCursor(field, startPos);
    EditorWindow::press(key);
    QCOMPARE(EditorWindow::focusedField(), field);
    QCOMPARE(field->cursorPosition(), cursor);
}

// After the focus has left a nested fraction, a key inserts in the holding
// field; focus given to the holder's window goes to the field last used.
void FocusTest::leavingNestedFractionToTheRight()
{
    EditorWindow editor;
    auto *elsewhere = new QLineEdit(&editor);
    editor.layout()->addWidget(elsewhere);
    QVERIFY(editor.open());
    editor.rootField()->setFocus();
    auto fraction = templates::fraction();
    QFormula *nested = editor.insert(fraction.get());
    EditorWindow::press(Qt::Key_Right);
    QCOMPARE(EditorWindow::focusedField(), editor.rootField());
    auto pi = templates::text(QStringLiteral("Пи"), QStringLiteral("π"));
    editor.root->insertFormula(pi.get());
    QCOMPARE(editor.root->toLine(), QStringLiteral("(()/())pi"));

    nested->field(0)->setFocus();
    elsewhere->setFocus();
    editor.setFocus();
    QCOMPARE(EditorWindow::focusedField(), nested->field(0));
}

// Without a holding field the walk has nowhere to go: the focus stays.
void FocusTest::unheldFormulaKeepsFocus()
{
    auto sine = templates::sine();
    QFormula formula(*sine);
    formula.show();
    QVERIFY(QTest::qWaitForWindowActive(&formula));
    QFormulaField *argument = formula.field(2);
    argument->setFocus();
    QTest::keyClick(argument, Qt::Key_Right);
    QCOMPARE(EditorWindow::focusedField(), argument);
}

QTEST_MAIN(FocusTest)
#include "tst_focus.moc"
