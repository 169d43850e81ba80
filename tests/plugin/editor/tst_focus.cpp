#include "editorwindow.h"

#include <QLineEdit>
#include <QtTest>

class FocusTest : public QObject
{
    Q_OBJECT

private slots:
    void moves_data();
    void moves();
    void oneFieldFormulasKeepFocus_data();
    void oneFieldFormulasKeepFocus();
    void leavingNestedFractionToTheRight();
    void unheldFormulaKeepsFocus();
};

namespace
{

const int atEnd = -1;
const int holder = -1;

// Two fields in the inner cells of a 3 by 4 grid: a walk along the border
// never meets a field.
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
    // holding field holds "1", the formula, "2".
    const int caption = 0, exponent = 1, argument = 2;
    QTest::newRow("argument left at 0") << "sine" << argument << 0 << Qt::Key_Left << caption << 3;
    QTest::newRow("argument up") << "sine" << argument << 1 << Qt::Key_Up << exponent << 2;
    QTest::newRow("argument right at end")
        << "sine" << argument << atEnd << Qt::Key_Right << holder << 3;
    QTest::newRow("argument down") << "sine" << argument << 1 << Qt::Key_Down << holder << 0;
    QTest::newRow("exponent down") << "sine" << exponent << 1 << Qt::Key_Down << argument << 0;
    QTest::newRow("exponent right at end")
        << "sine" << exponent << atEnd << Qt::Key_Right << argument << 1;
    QTest::newRow("exponent up") << "sine" << exponent << 1 << Qt::Key_Up << holder << 0;
    QTest::newRow("caption right at end")
        << "sine" << caption << atEnd << Qt::Key_Right << argument << 0;
    QTest::newRow("caption left at 0") << "sine" << caption << 0 << Qt::Key_Left << holder << 0;
    QTest::newRow("caption up") << "sine" << caption << 1 << Qt::Key_Up << exponent << 0;
    QTest::newRow("caption down") << "sine" << caption << 1 << Qt::Key_Down << holder << 0;
    QTest::newRow("exponent left at 0") << "sine" << exponent << 0 << Qt::Key_Left << caption << 1;
    QTest::newRow("numerator down") << "fraction" << 0 << 1 << Qt::Key_Down << 1 << 1;
    QTest::newRow("denominator up") << "fraction" << 1 << 1 << Qt::Key_Up << 0 << 1;
    QTest::newRow("denominator right") << "fraction" << 1 << atEnd << Qt::Key_Right << holder << 3;
    QTest::newRow("inner right") << "inner" << 0 << atEnd << Qt::Key_Right << 1 << 0;
    QTest::newRow("inner left") << "inner" << 1 << 0 << Qt::Key_Left << 0 << 2;
    QTest::newRow("inner left ends") << "inner" << 0 << 0 << Qt::Key_Left << holder << 0;
    QTest::newRow("inner right ends") << "inner" << 1 << atEnd << Qt::Key_Right << holder << 3;
    QTest::newRow("inner up ends") << "inner" << 0 << 1 << Qt::Key_Up << holder << 0;
    QTest::newRow("inner down ends") << "inner" << 1 << 1 << Qt::Key_Down << holder << 0;
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
    auto formulaTemplate = formula == QLatin1String("sine")       ? templates::sine()
                           : formula == QLatin1String("fraction") ? templates::fraction()
                                                                  : innerFields();
    QFormula *nested = editor.insert(formulaTemplate.get());
    for (int i = 0; i < nested->fieldCount(); ++i) {
        if (nested->field(i)->itemCount() == 0)
            nested->field(i)->setText(QStringLiteral("ab"));
        putCursor(nested->field(i), 1);
    }

    nested->field(from)->setFocus();
    putCursor(nested->field(from), startPos);
    EditorWindow::press(key);
    QFormulaField *expected = target == holder ? editor.rootField() : nested->field(target);
    QCOMPARE(EditorWindow::focusedField(), expected);
    QCOMPARE(expected->cursorPosition(), targetCursor);
}

void FocusTest::oneFieldFormulasKeepFocus_data()
{
    QTest::addColumn<bool>("inAbsoluteValue");
    QTest::addColumn<int>("startPos");
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<int>("cursor");

    for (bool inAbsoluteValue : {false, true}) {
        const char *where = inAbsoluteValue ? "absolute value" : "root field";
        QTest::addRow("%s: left at 0", where) << inAbsoluteValue << 0 << Qt::Key_Left << 0;
        QTest::addRow("%s: right at end", where) << inAbsoluteValue << atEnd << Qt::Key_Right << 2;
        QTest::addRow("%s: up", where) << inAbsoluteValue << 1 << Qt::Key_Up << 0;
        QTest::addRow("%s: down", where) << inAbsoluteValue << 1 << Qt::Key_Down << 0;
    }
}

void FocusTest::oneFieldFormulasKeepFocus()
{
    QFETCH(bool, inAbsoluteValue);
    QFETCH(int, startPos);
    QFETCH(Qt::Key, key);
    QFETCH(int, cursor);

    EditorWindow editor;
    QVERIFY(editor.open());
    editor.rootField()->setFocus();
    auto absoluteValue = templates::absoluteValue();
    if (inAbsoluteValue)
        editor.insert(absoluteValue.get());
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
    QCOMPARE(editor.root->toLine(), QStringLiteral("((0)/(0))pi"));

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
