#include "editorwindow.h"
#include "qformulagraphitem.h"
#include "qformularecord.h"
#include "qformulaundostack.h"
#include "settledlayout.h"

#include <QFontMetrics>
#include <QPointer>
#include <QSignalSpy>
#include <QtTest>

#include <map>

class FormulaTest : public QObject
{
    Q_OBJECT

private slots:
    void linearisation();
    void copies();
    void insertion();
    void backspaceDeletesEmptyNestedFormula();
    void fontScalesWithDepth();
    void fontScalesWithoutExplicitFont_data();
    void fontScalesWithoutExplicitFont();
    void nestedFormulasKeepPreferredSize_data();
    void nestedFormulasKeepPreferredSize();
    void clear();
    void undoKeepsItsLimit();
    void typingRunsAreOneStep();
};

namespace
{

// A state told apart by its number.
QFormulaUndoStack::State numbered(int k)
{
    return {QFormulaRecord::glyph(QString::number(k)), {k}};
}

bool isPointSize(const QWidget *widget, qreal size)
{
    return qAbs(widget->font().pointSizeF() - size) < 1e-4;
}

// Whether every formula nested in the tree, and every field in it, is at
// least as high as it prefers to be.
bool nothingSquashed(const QFormula *root)
{
    for (const QFormula *nested : root->findChildren<QFormula *>()) {
        if (nested->height() < nested->sizeHint().height())
            return false;
        for (int i = 0; i < nested->fieldCount(); ++i)
            if (nested->field(i)->height() < nested->field(i)->sizeHint().height())
                return false;
    }
    return true;
}

} // namespace

// Formulas are typed in the way a user types them: keys insert templates,
// the arrow keys move between fields.
void FormulaTest::linearisation()
{
    auto sine = templates::sine();
    auto fraction = templates::fraction();
    auto power = templates::power();
    auto pi = templates::text(QStringLiteral("Пи"), QStringLiteral("π"));
    auto phi = templates::text(QStringLiteral("Фи"), QStringLiteral("φ"));
    EditorWindow editor;
    QVERIFY(editor.open());
    auto retype = [&editor]() {
        editor.root->clear();
        editor.rootField()->setFocus();
    };
    QCOMPARE(editor.root->toLine(), QString());

    editor.rootField()->setFocus();
    editor.insert(sine.get());
    EditorWindow::type(QStringLiteral("x+1"));
    QCOMPARE(editor.root->toLine(), QStringLiteral("pow(sin((x+1)),1)"));
    retype();
    editor.insert(fraction.get());
    EditorWindow::press(Qt::Key_Up);
    EditorWindow::type(QStringLiteral("1"));
    QCOMPARE(editor.root->toLine(), QStringLiteral("((1)/())"));
    retype();
    EditorWindow::type(QStringLiteral("2*"));
    editor.insert(power.get());
    EditorWindow::type(QStringLiteral("3"));
    EditorWindow::press(Qt::Key_Up);
    EditorWindow::type(QStringLiteral("2"));
    QCOMPARE(editor.root->toLine(), QStringLiteral("2*pow(3,2)"));
    retype();
    editor.root->insertFormula(pi.get());
    editor.root->insertFormula(phi.get());
    QCOMPARE(editor.root->toLine(), QStringLiteral("piphi"));

    // A field's own text is never filled in again, so "%2" typed in stays.
    QFormula placeholders;
    placeholders.lineTemplate = QStringLiteral("%1+%2");
    placeholders.addField(1, 0, 0, QStringLiteral("%2"), QString(), false);
    placeholders.addField(1, 0, 1, QStringLiteral("5"), QString(), false);
    QCOMPARE(placeholders.toLine(), QStringLiteral("%2+5"));
}

// A copy is independent of its template; a formula nested in a field of the
// original arrives in the copy as the glyphs of its linear text.
void FormulaTest::copies()
{
    auto sine = templates::sine();
    QFormula copy(*sine);
    QCOMPARE(copy.field(0)->toLine(false), QStringLiteral("sin"));
    QCOMPARE(copy.field(0)->itemClassName(0), QStringLiteral("QLabel"));
    QCOMPARE(copy.field(2)->objectName(), QStringLiteral("field [1; 2] of \"Синус\""));
    QVERIFY(copy.field(2)->autoBrakes);
    copy.field(2)->setText(QStringLiteral("y"));
    QCOMPARE(sine->field(2)->itemCount(), 0);

    // The two strokes of the root sign's slanted cell share one item.
    QFormula rootSign;
    rootSign.setObjectName(QStringLiteral("Корень"));
    rootSign.addLine(QLineF(0, 0.1, 0.5, 1), 1, 1, 0.3f);
    rootSign.addLine(QLineF(0.9, 0, 0.5, 1), 1, 1, 0);
    QFormula rootCopy(rootSign);
    QCOMPARE(rootCopy.graphItemCount(), 1);
    QCOMPARE(rootCopy.graphItem(0)->objectName(), QStringLiteral("item [1; 1] of \"Корень\""));
    QCOMPARE(rootCopy.graphItem(0)->lines.size(), 2);
    QCOMPARE(rootCopy.graphItem(0)->sizeRatio, 0.3f);

    EditorWindow editor;
    QVERIFY(editor.open());
    editor.rootField()->setFocus();
    auto fraction = templates::fraction();
    editor.insert(fraction.get());
    QFormula flattened(*editor.root);
    QCOMPARE(flattened.field(0)->itemCount(), 7);
    QCOMPARE(flattened.field(0)->toLine(false), QStringLiteral("(()/())"));
}

// A key click walks down the chain of focus proxies to the focused field;
// the copy goes in after the cursor and takes the focus in its last field.
// A template without fields only types its text, without brackets. Return
// in the innermost field reaches the root formula.
void FormulaTest::insertion()
{
    EditorWindow editor;
    QVERIFY(editor.open());
    editor.rootField()->setFocus();
    auto sine = templates::sine();
    QTest::ignoreMessage(QtDebugMsg, "passing formula to \"Поле для ввода\" ");
    QTest::ignoreMessage(QtDebugMsg,
                         "inserting formula to \"field [0; 0] of \"Поле для ввода\"\" ");
    QFormula *outer = editor.insert(sine.get());
    QCOMPARE(editor.rootField()->cursorPosition(), 0);
    QCOMPARE(editor.rootField()->outline(), 0);
    QFormulaField *argument = outer->field(2);
    QCOMPARE(EditorWindow::focusedField(), argument);

    auto bracket = templates::text(QStringLiteral("Открывающая скобка"), QStringLiteral("("));
    const int widgets = QApplication::allWidgets().size();
    editor.root->insertFormula(bracket.get());
    QCOMPARE(argument->toLine(false), QStringLiteral("("));
    QCOMPARE(EditorWindow::focusedField(), argument);
    QTRY_COMPARE(QApplication::allWidgets().size(), widgets + 1);

    argument->setText(QStringLiteral("x"));
    auto fraction = templates::fraction();
    QTest::ignoreMessage(QtDebugMsg, "passing formula to \"Поле для ввода\" ");
    QTest::ignoreMessage(QtDebugMsg, "passing formula to \"field [0; 0] of \"Поле для ввода\"\" ");
    QTest::ignoreMessage(QtDebugMsg, "passing formula to \"Синус\" ");
    QTest::ignoreMessage(QtDebugMsg, "inserting formula to \"field [1; 2] of \"Синус\"\" ");
    QFormula *inner = editor.insert(fraction.get());
    QCOMPARE(argument->toLine(false), QStringLiteral("(x(()/()))"));
    QCOMPARE(argument->cursorPosition(), 2);
    QCOMPARE(EditorWindow::focusedField(), inner->field(1));

    QSignalSpy returns(editor.root, &QFormula::returnPressed);
    EditorWindow::press(Qt::Key_Return);
    QCOMPARE(returns.count(), 1);
}

void FormulaTest::backspaceDeletesEmptyNestedFormula()
{
    EditorWindow editor;
    QVERIFY(editor.open());
    QFormulaField *field = editor.rootField();
    field->setFocus();
    EditorWindow::type(QStringLiteral("12"));
    field->setCursorPosition(1, false, false);
    auto fraction = templates::fraction();
    QPointer<QFormula> nested = editor.insert(fraction.get());
    field->setCursorPosition(2, false, false);
    EditorWindow::press(Qt::Key_Backspace);
    QCOMPARE(field->toLine(false), QStringLiteral("12"));
    QCOMPARE(field->cursorPosition(), 1);
    QTRY_VERIFY(nested.isNull());
}

// A nested formula takes the font of its field, so the factors multiply,
// down to a legible 7 points.
void FormulaTest::fontScalesWithDepth()
{
    EditorWindow editor;
    editor.root->setFont(QFont(QStringLiteral("DejaVu Sans"), 10));
    QVERIFY(editor.open());
    editor.rootField()->setFocus();
    auto power = templates::power();
    QFormula *outer = editor.insert(power.get());
    QVERIFY(isPointSize(outer->field(1), 10.0));
    QVERIFY(isPointSize(outer->field(0), 7.0));
    EditorWindow::press(Qt::Key_Up);
    QFormula *inner = editor.insert(power.get());
    QVERIFY(isPointSize(inner->field(0), 7.0));
    EditorWindow::press(Qt::Key_Up);
    EditorWindow::type(QStringLiteral("2"));
    QVERIFY(isPointSize(inner->field(0)->itemWidget(0), 7.0));

    editor.root->setFont(QFont(QStringLiteral("DejaVu Sans"), 20));
    QVERIFY(isPointSize(inner->field(0)->itemWidget(0), 9.8));
}

// The fields of a formula are scaled whether or not anybody gave the tree an
// explicit font: exponents are smaller, empty fields keep room for a glyph.
void FormulaTest::fontScalesWithoutExplicitFont_data()
{
    QTest::addColumn<bool>("explicitFont");
    QTest::newRow("explicit root font") << true;
    QTest::newRow("inherited root font") << false;
}

void FormulaTest::fontScalesWithoutExplicitFont()
{
    QFETCH(bool, explicitFont);
    EditorWindow editor(explicitFont);
    QVERIFY(editor.open());
    editor.rootField()->setFocus();
    auto power = templates::power();
    QFormula *nested = editor.insert(power.get());
    const qreal rootSize = editor.root->font().pointSizeF();
    QVERIFY(isPointSize(nested->field(1), rootSize));
    QVERIFY(isPointSize(nested->field(0), rootSize * 0.7));
    const int lineHeight = QFontMetrics(nested->field(0)->font()).height();
    QCOMPARE(nested->field(0)->minimumHeight(), lineHeight);
    QVERIFY(nested->field(0)->height() >= lineHeight);
}

// A formula nested in a field keeps its preferred size beside shorter ones
// in the same field: a fraction with a root of x squared in its numerator,
// and a shorter formula or glyph inserted after it.
void FormulaTest::nestedFormulasKeepPreferredSize_data()
{
    QTest::addColumn<QString>("neighbour");
    QTest::newRow("absolute value after the fraction") << QStringLiteral("Модуль");
    QTest::newRow("power after the fraction") << QStringLiteral("Степень");
    QTest::newRow("digit after the fraction") << QStringLiteral("7");
}

void FormulaTest::nestedFormulasKeepPreferredSize()
{
    QFETCH(QString, neighbour);
    std::map<QString, std::unique_ptr<QFormula>> keys;
    keys[QStringLiteral("Модуль")] = templates::absoluteValue();
    keys[QStringLiteral("Степень")] = templates::power();
    keys[QStringLiteral("7")] = templates::text(QStringLiteral("7"), QStringLiteral("7"));
    auto fraction = templates::fraction();
    auto squareRoot = templates::squareRoot();
    auto power = templates::power();
    EditorWindow editor;
    QVERIFY(editor.open());
    editor.rootField()->setFocus();
    editor.insert(fraction.get());
    EditorWindow::press(Qt::Key_Up);
    editor.insert(squareRoot.get());
    editor.insert(power.get());
    EditorWindow::type(QStringLiteral("x"));
    EditorWindow::press(Qt::Key_Up);
    EditorWindow::type(QStringLiteral("2"));
    QVERIFY(settleLayout(&editor));
    QVERIFY(nothingSquashed(editor.root));

    editor.rootField()->setCursorPosition(1, false, false);
    editor.root->insertFormula(keys.at(neighbour).get());
    QCOMPARE(editor.rootField()->itemCount(), 2);
    const QWidget *outer = editor.rootField()->itemWidget(0);
    const QWidget *beside = editor.rootField()->itemWidget(1);
    QVERIFY(settleLayout(&editor));
    QVERIFY(beside->isVisible() && beside->x() >= outer->geometry().right());
    QVERIFY(nothingSquashed(editor.root));
    QCOMPARE(outer->height(), outer->sizeHint().height());
}

// Clearing keeps the fields; the field whose nested formula was cleared away
// takes the focus back, so the next key inserts there.
void FormulaTest::clear()
{
    EditorWindow editor;
    QVERIFY(editor.open());
    editor.rootField()->setFocus();
    auto fraction = templates::fraction();
    QFormula *nested = editor.insert(fraction.get());
    EditorWindow::type(QStringLiteral("4"));
    nested->clear();
    QCOMPARE(nested->fieldCount(), 2);
    QCOMPARE(nested->toLine(), QStringLiteral("(()/())"));

    editor.root->clear();
    QCOMPARE(editor.rootField()->itemCount(), 0);
    QCOMPARE(EditorWindow::focusedField(), editor.rootField());
    auto pi = templates::text(QStringLiteral("Пи"), QStringLiteral("π"));
    editor.root->insertFormula(pi.get());
    QCOMPARE(editor.root->toLine(), QStringLiteral("pi"));
}

// The last steps up to the limit can be undone, the oldest go; a new step
// after undoing drops the steps undone.
void FormulaTest::undoKeepsItsLimit()
{
    QFormulaUndoStack stack;
    const int pushed = QFormulaUndoStack::limit + 50;
    for (int k = 0; k < pushed; ++k)
        stack.push(numbered(k), numbered(k + 1), false);
    QCOMPARE(stack.count(), QFormulaUndoStack::limit);
    for (int k = pushed - 1; k >= pushed - QFormulaUndoStack::limit; --k) {
        const QFormulaUndoStack::State *state = stack.undo();
        QVERIFY(state);
        QCOMPARE(*state, numbered(k));
    }
    QVERIFY(!stack.undo());
    QCOMPARE(*stack.redo(), numbered(pushed - QFormulaUndoStack::limit + 1));
    stack.push(numbered(-1), numbered(-2), false);
    QCOMPARE(stack.count(), 2);
    QVERIFY(!stack.redo());
}

// Typing that goes on where the last typing ended joins its step; typing
// elsewhere, or any other edit, is a step of its own.
void FormulaTest::typingRunsAreOneStep()
{
    QFormulaUndoStack stack;
    stack.push(numbered(0), numbered(1), true);
    stack.push(numbered(1), numbered(2), true);
    QCOMPARE(stack.count(), 1);
    stack.push(numbered(5), numbered(6), true);
    stack.push(numbered(6), numbered(7), false);
    stack.push(numbered(7), numbered(8), true);
    QCOMPARE(stack.count(), 4);
    QCOMPARE(*stack.undo(), numbered(7));
    QCOMPARE(*stack.undo(), numbered(6));
    QCOMPARE(*stack.undo(), numbered(5));
    QCOMPARE(*stack.undo(), numbered(0));
}

QTEST_MAIN(FormulaTest)
#include "tst_qformula.moc"
