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
    void focusReturnsToFieldLastUsed();
    void unheldFormulaKeepsFocus();
};

namespace
{

const int atEnd = -1;
const int holdingField = -1;

// A formula whose two fields lie in inner cells of a 3 by 4 grid, so that a
// walk along the border never meets a field.
std::unique_ptr<QFormula> innerFields()
{
    auto formula = templates::make(QStringLiteral("inner fields"), QStringLiteral("%1%2"));
    formula->addField(1, 1, 1, QString(), QStringLiteral("0"), false);
    formula->addField(1, 1, 2, QString(), QStringLiteral("0"), false);
    formula->addLine(QLineF(0, 0, 1, 1), 0, 0, 0);
    formula->addLine(QLineF(0, 0, 1, 1), 2, 3, 0);
    return formula;
}

std::unique_ptr<QFormula> movesTemplate(const QString &name)
{
    if (name == QLatin1String("sine"))
        return templates::sine();
    if (name == QLatin1String("fraction"))
        return templates::fraction();
    return innerFields();
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
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("target");
    QTest::addColumn<int>("targetCursor");

    // Fields hold "ab", except the sine's caption 0 "sin" (exponent 1,
    // argument 2); every cursor starts at 1, and the holding field holds "1",
    // the formula and "2".
    const int caption = 0, exponent = 1, argument = 2;
    QTest::newRow("argument left at 0")
        << "sine" << argument << 0 << int(Qt::Key_Left) << caption << 3;
    QTest::newRow("argument up") << "sine" << argument << 1 << int(Qt::Key_Up) << exponent << 2;
    QTest::newRow("argument right at the end")
        << "sine" << argument << atEnd << int(Qt::Key_Right) << holdingField << 3;
    QTest::newRow("argument down")
        << "sine" << argument << 1 << int(Qt::Key_Down) << holdingField << 0;
    QTest::newRow("exponent down") << "sine" << exponent << 1 << int(Qt::Key_Down) << argument << 0;
    QTest::newRow("exponent right at the end")
        << "sine" << exponent << atEnd << int(Qt::Key_Right) << argument << 1;
    QTest::newRow("exponent up") << "sine" << exponent << 1 << int(Qt::Key_Up) << holdingField << 0;
    QTest::newRow("caption right at the end")
        << "sine" << caption << atEnd << int(Qt::Key_Right) << argument << 0;
    QTest::newRow("caption left at 0")
        << "sine" << caption << 0 << int(Qt::Key_Left) << holdingField << 0;
    QTest::newRow("caption up") << "sine" << caption << 1 << int(Qt::Key_Up) << exponent << 0;
    QTest::newRow("caption down") << "sine" << caption << 1 << int(Qt::Key_Down) << holdingField
                                  << 0;
    QTest::newRow("exponent left at 0")
        << "sine" << exponent << 0 << int(Qt::Key_Left) << caption << 1;

    QTest::newRow("numerator down skips the bar")
        << "fraction" << 0 << 1 << int(Qt::Key_Down) << 1 << 1;
    QTest::newRow("denominator up skips the bar")
        << "fraction" << 1 << 1 << int(Qt::Key_Up) << 0 << 1;

    QTest::newRow("inner field left ends at the holder")
        << "inner" << 0 << 0 << int(Qt::Key_Left) << holdingField << 0;
    QTest::newRow("inner field right reaches its neighbour")
        << "inner" << 0 << atEnd << int(Qt::Key_Right) << 1 << 0;
    QTest::newRow("neighbour left reaches the inner field")
        << "inner" << 1 << 0 << int(Qt::Key_Left) << 0 << 2;
    QTest::newRow("neighbour right ends at the holder")
        << "inner" << 1 << atEnd << int(Qt::Key_Right) << holdingField << 3;
    QTest::newRow("inner field up ends at the holder")
        << "inner" << 0 << 1 << int(Qt::Key_Up) << holdingField << 0;
    QTest::newRow("neighbour down ends at the holder")
        << "inner" << 1 << 1 << int(Qt::Key_Down) << holdingField << 0;
}

void FocusTest::moves()
{
    QFETCH(QString, formula);
    QFETCH(int, from);
    QFETCH(int, startPos);
    QFETCH(int, key);
    QFETCH(int, target);
    QFETCH(int, targetCursor);

    EditorWindow editor;
    QVERIFY(editor.open());
    editor.rootField()->setFocus();
    EditorWindow::type(QStringLiteral("12"));
    editor.rootField()->setCursorPosition(1, false, false);
    auto formulaTemplate = movesTemplate(formula);
    QFormula *nested = editor.insert(formulaTemplate.get());
    for (int i = 0; i < nested->fieldCount(); ++i) {
        if (nested->field(i)->itemCount() == 0)
            nested->field(i)->setText(QStringLiteral("ab"));
        putCursor(nested->field(i), 1);
    }

    nested->field(from)->setFocus();
    putCursor(nested->field(from), startPos);
    EditorWindow::press(Qt::Key(key));
    QFormulaField *expected = target == holdingField ? editor.rootField() : nested->field(target);
    QCOMPARE(EditorWindow::focusedField(), expected);
    QCOMPARE(expected->cursorPosition(), targetCursor);
}

void FocusTest::oneFieldFormulasKeepFocus_data()
{
    QTest::addColumn<bool>("inAbsoluteValue");
    QTest::addColumn<int>("startPos");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("cursor");

    for (bool inAbsoluteValue : {false, true}) {
        const char *where = inAbsoluteValue ? "absolute value" : "root field";
        QTest::addRow("%s: left at 0", where) << inAbsoluteValue << 0 << int(Qt::Key_Left) << 0;
        QTest::addRow("%s: right at the end", where)
            << inAbsoluteValue << atEnd << int(Qt::Key_Right) << 2;
        QTest::addRow("%s: up", where) << inAbsoluteValue << 1 << int(Qt::Key_Up) << 0;
        QTest::addRow("%s: down", where) << inAbsoluteValue << 1 << int(Qt::Key_Down) << 0;
    }
}

void FocusTest::oneFieldFormulasKeepFocus()
{
    QFETCH(bool, inAbsoluteValue);
    QFETCH(int, startPos);
    QFETCH(int, key);
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
    EditorWindow::press(Qt::Key(key));
    QCOMPARE(EditorWindow::focusedField(), field);
    QCOMPARE(field->cursorPosition(), cursor);
}

// Leaving a fraction held in the root field to the right puts the root
// cursor at the end of the root field; the next key inserts there.
void FocusTest::leavingNestedFractionToTheRight()
{
    EditorWindow editor;
    QVERIFY(editor.open());
    editor.rootField()->setFocus();
    EditorWindow::type(QStringLiteral("12"));
    editor.rootField()->setCursorPosition(1, false, false);
    auto fraction = templates::fraction();
    editor.insert(fraction.get());
    EditorWindow::press(Qt::Key_Right);
    QCOMPARE(EditorWindow::focusedField(), editor.rootField());
    QCOMPARE(editor.rootField()->cursorPosition(), 3);
    QVERIFY(!editor.rootField()->focusProxy());

    auto pi = templates::text(QStringLiteral("Пи"), QStringLiteral("π"));
    editor.root->insertFormula(pi.get());
    QCOMPARE(editor.root->toLine(), QStringLiteral("1((0)/(0))2pi"));
}

void FocusTest::focusReturnsToFieldLastUsed()
{
    EditorWindow editor;
    auto *elsewhere = new QLineEdit(&editor);
    editor.layout()->addWidget(elsewhere);
    QVERIFY(editor.open());
    editor.rootField()->setFocus();
    auto fraction = templates::fraction();
    QFormula *nested = editor.insert(fraction.get());
    EditorWindow::press(Qt::Key_Up);
    QCOMPARE(EditorWindow::focusedField(), nested->field(0));

    elsewhere->setFocus();
    QCOMPARE(QApplication::focusWidget(), elsewhere);
    editor.setFocus();
    QCOMPARE(EditorWindow::focusedField(), nested->field(0));
    elsewhere->setFocus();
    nested->setFocus();
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
    QTest::keyClick(argument, Qt::Key_Down);
    QCOMPARE(EditorWindow::focusedField(), argument);
}

QTEST_MAIN(FocusTest)
#include "tst_focus.moc"
