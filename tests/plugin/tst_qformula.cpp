#include "editorwindow.h"
#include "qformulagraphitem.h"

#include <QPointer>
#include <QSignalSpy>
#include <QtTest>

class FormulaTest : public QObject
{
    Q_OBJECT

private slots:
    void workedExamples();
    void placeholders_data();
    void placeholders();
    void copies();
    void linesShareTheirCell();
    void insertionMessages();
    void textKeyTypesOnly();
    void insertionWrapsArgument();
    void backspaceDeletesNestedFormula();
    void returnFromEveryDepth();
    void fontScalesWithDepth();
    void clearKeepsStructure();
};

namespace
{
bool isPointSize(const QWidget *widget, qreal size)
{
    return qAbs(widget->font().pointSizeF() - size) < 1e-4;
}
} // namespace

void FormulaTest::workedExamples()
{
    {
        EditorWindow editor;
        QVERIFY(editor.open());
        QCOMPARE(editor.root->toLine(), QString());
        editor.rootField()->setFocus();
        auto sine = templates::sine();
        editor.insert(sine.get());
        EditorWindow::type(QStringLiteral("x+1"));
        QCOMPARE(editor.root->toLine(), QStringLiteral("pow(sin((x+1)),1)"));
    }
    {
        EditorWindow editor;
        QVERIFY(editor.open());
        editor.rootField()->setFocus();
        auto fraction = templates::fraction();
        editor.insert(fraction.get());
        EditorWindow::press(Qt::Key_Up);
        EditorWindow::type(QStringLiteral("1"));
        QCOMPARE(editor.root->toLine(), QStringLiteral("((1)/(0))"));
    }
    {
        EditorWindow editor;
        QVERIFY(editor.open());
        editor.rootField()->setFocus();
        EditorWindow::type(QStringLiteral("2*"));
        auto power = templates::power();
        editor.insert(power.get());
        EditorWindow::type(QStringLiteral("3"));
        EditorWindow::press(Qt::Key_Up);
        EditorWindow::type(QStringLiteral("2"));
        QCOMPARE(editor.root->toLine(), QStringLiteral("2*pow(3,2)"));
    }
    {
        EditorWindow editor;
        QVERIFY(editor.open());
        editor.rootField()->setFocus();
        auto pi = templates::text(QStringLiteral("Пи"), QStringLiteral("π"));
        editor.insert(pi.get());
        QCOMPARE(editor.root->toLine(), QStringLiteral("pi"));
    }
}

void FormulaTest::placeholders_data()
{
    QTest::addColumn<QString>("lineTemplate");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<QString>("line");

    QTest::newRow("placeholder typed into a field") << "%1+%2"
                                                    << "%2"
                                                    << "5"
                                                    << "5+5";
    QTest::newRow("every occurrence") << "%1*%1-%2"
                                      << "a"
                                      << "b"
                                      << "a*a-b";
    QTest::newRow("default of an empty field") << "%1/%2"
                                               << ""
                                               << "x"
                                               << "1/x";
    QTest::newRow("placeholder without field") << "%1%3"
                                               << "a"
                                               << "b"
                                               << "a%3";
    QTest::newRow("phi and pi") << "%1%2"
                                << "2φ"
                                << "π"
                                << "2phipi";
}

void FormulaTest::placeholders()
{
    QFETCH(QString, lineTemplate);
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(QString, line);

    QFormula formula;
    formula.lineTemplate = lineTemplate;
    formula.addField(1, 0, 0, first, QStringLiteral("1"), false);
    formula.addField(1, 0, 1, second, QStringLiteral("2"), false);
    QCOMPARE(formula.toLine(), line);
}

// A copy is independent of its template; a formula nested in a template
// field arrives in the copy as the glyphs of its linear text.
void FormulaTest::copies()
{
    auto sine = templates::sine();
    QFormula copy(*sine);
    QCOMPARE(copy.objectName(), sine->objectName());
    QCOMPARE(copy.lineTemplate, sine->lineTemplate);
    QCOMPARE(copy.fieldCount(), 3);
    QCOMPARE(copy.field(0)->itemCount(), 3);
    QCOMPARE(copy.field(0)->itemClassName(0), QStringLiteral("QLabel"));
    QCOMPARE(copy.field(0)->toLine(false), QStringLiteral("sin"));
    QCOMPARE(copy.field(2)->objectName(), QStringLiteral("field [1; 2] of \"Синус\""));
    QCOMPARE(copy.field(2)->defValue, QStringLiteral("0"));
    QVERIFY(copy.field(2)->autoBrakes);
    QCOMPARE(copy.field(1)->fontSizeMult, 0.7f);
    copy.field(2)->setText(QStringLiteral("y"));
    QCOMPARE(sine->field(2)->itemCount(), 0);

    EditorWindow editor;
    QVERIFY(editor.open());
    editor.rootField()->setFocus();
    auto fraction = templates::fraction();
    editor.insert(fraction.get());
    auto pi = templates::text(QStringLiteral("Пи"), QStringLiteral("π"));
    editor.insert(pi.get());
    QFormula flattened(*editor.root);
    QCOMPARE(flattened.field(0)->toLine(false), QStringLiteral("((0)/(pi))"));
    QCOMPARE(flattened.field(0)->itemCount(), 10);
    QCOMPARE(flattened.field(0)->itemClassName(8), QStringLiteral("QLabel"));
}

void FormulaTest::linesShareTheirCell()
{
    auto root = templates::root();
    QFormula copy(*root);
    for (const QFormula *formula : {root.get(), &copy}) {
        QCOMPARE(formula->graphItemCount(), 4);
        const QFormulaGraphItem *slant = formula->graphItem(1);
        QCOMPARE(slant->objectName(), QStringLiteral("item [1; 1] of \"Корень\""));
        QCOMPARE(slant->lines.size(), 2);
        QCOMPARE(slant->lines.at(1), QLineF(0.9, 0, 0.5, 1));
        QCOMPARE(slant->sizeRatio, 0.3f);
        QCOMPARE(formula->graphItem(0)->sizeRatio, 0.0f);
    }
    root->addLine(QLineF(0, 0, 1, 1), 1, 1, 0.5f);
    QCOMPARE(root->graphItemCount(), 4);
    QCOMPARE(root->graphItem(1)->sizeRatio, 0.5f);
}

// A key click walks down the chain of focus proxies to the focused field;
// the copy goes in after the cursor and takes the focus in its last field.
void FormulaTest::insertionMessages()
{
    EditorWindow editor;
    QVERIFY(editor.open());
    editor.rootField()->setFocus();
    auto fraction = templates::fraction();
    QTest::ignoreMessage(QtDebugMsg, "passing formula to \"Поле для ввода\" ");
    QTest::ignoreMessage(QtDebugMsg,
                         "inserting formula to \"field [0; 0] of \"Поле для ввода\"\" ");
    QFormula *outer = editor.insert(fraction.get());
    QVERIFY(outer);
    QCOMPARE(editor.rootField()->cursorPosition(), 0);
    QCOMPARE(editor.rootField()->outline(), 0);
    QCOMPARE(EditorWindow::focusedField(), outer->field(1));

    QTest::ignoreMessage(QtDebugMsg, "passing formula to \"Поле для ввода\" ");
    QTest::ignoreMessage(QtDebugMsg, "passing formula to \"field [0; 0] of \"Поле для ввода\"\" ");
    QTest::ignoreMessage(QtDebugMsg, "passing formula to \"Дробь\" ");
    QTest::ignoreMessage(QtDebugMsg, "inserting formula to \"field [2; 0] of \"Дробь\"\" ");
    QFormula *inner = editor.insert(fraction.get());
    QCOMPARE(inner->parentWidget(), outer->field(1));
    QCOMPARE(EditorWindow::focusedField(), inner->field(1));
    QCOMPARE(editor.root->toLine(), QStringLiteral("((0)/(((0)/(0))))"));
}

// A template without fields only types its text; its copy is deleted and the
// field keeps the focus. Brackets never get automatic brackets.
void FormulaTest::textKeyTypesOnly()
{
    EditorWindow editor;
    QVERIFY(editor.open());
    editor.rootField()->setFocus();
    auto sine = templates::sine();
    QFormulaField *argument = editor.insert(sine.get())->field(2);
    auto bracket = templates::text(QStringLiteral("Открывающая скобка"), QStringLiteral("("));
    const int widgets = QApplication::allWidgets().size();
    editor.root->insertFormula(bracket.get());
    QCOMPARE(argument->toLine(false), QStringLiteral("("));
    QCOMPARE(EditorWindow::focusedField(), argument);
    QTRY_COMPARE(QApplication::allWidgets().size(), widgets + 1);
}

void FormulaTest::insertionWrapsArgument()
{
    EditorWindow editor;
    QVERIFY(editor.open());
    editor.rootField()->setFocus();
    auto sine = templates::sine();
    QFormulaField *argument = editor.insert(sine.get())->field(2);
    EditorWindow::type(QStringLiteral("x"));
    auto fraction = templates::fraction();
    editor.insert(fraction.get());
    QCOMPARE(argument->toLine(false), QStringLiteral("(x((0)/(0)))"));
    QCOMPARE(argument->cursorPosition(), 2);
    QCOMPARE(argument->itemClassName(2), QStringLiteral("QFormula"));
}

void FormulaTest::backspaceDeletesNestedFormula()
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
    QCOMPARE(EditorWindow::focusedField(), field);
    EditorWindow::press(Qt::Key_Backspace);
    QCOMPARE(field->toLine(false), QStringLiteral("12"));
    QCOMPARE(field->cursorPosition(), 1);
    QTRY_VERIFY(nested.isNull());
}

void FormulaTest::returnFromEveryDepth()
{
    EditorWindow editor;
    QVERIFY(editor.open());
    QSignalSpy spy(editor.root, &QFormula::returnPressed);
    editor.rootField()->setFocus();
    EditorWindow::press(Qt::Key_Return);
    auto fraction = templates::fraction();
    auto sine = templates::sine();
    editor.insert(fraction.get());
    EditorWindow::press(Qt::Key_Enter);
    editor.insert(sine.get());
    EditorWindow::press(Qt::Key_Return);
    QCOMPARE(spy.count(), 3);
}

// Each field's font is its formula's font times its factor, and a nested
// formula takes the font of its field, so the factors multiply with depth.
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
    QCOMPARE(EditorWindow::focusedField(), outer->field(0));
    QFormula *inner = editor.insert(power.get());
    QVERIFY(isPointSize(inner->field(1), 7.0));
    QVERIFY(isPointSize(inner->field(0), 4.9));
    EditorWindow::press(Qt::Key_Up);
    EditorWindow::type(QStringLiteral("2"));
    QVERIFY(isPointSize(inner->field(0)->itemWidget(0), 4.9));

    editor.root->setFont(QFont(QStringLiteral("DejaVu Sans"), 20));
    QVERIFY(isPointSize(inner->field(0), 9.8));
    QVERIFY(isPointSize(inner->field(0)->itemWidget(0), 9.8));
}

void FormulaTest::clearKeepsStructure()
{
    EditorWindow editor;
    QVERIFY(editor.open());
    editor.rootField()->setFocus();
    EditorWindow::type(QStringLiteral("1+"));
    auto fraction = templates::fraction();
    QFormula *nested = editor.insert(fraction.get());
    EditorWindow::type(QStringLiteral("4"));
    nested->clear();
    QCOMPARE(nested->fieldCount(), 2);
    QCOMPARE(nested->graphItemCount(), 1);
    QCOMPARE(nested->toLine(), QStringLiteral("((0)/(0))"));
    editor.root->clear();
    QCOMPARE(editor.rootField()->itemCount(), 0);
    QCOMPARE(editor.rootField()->cursorPosition(), 0);
    QCOMPARE(editor.root->toLine(), QString());
}

QTEST_MAIN(FormulaTest)
#include "tst_qformula.moc"
