#include "editorwindow.h"

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QClipboard>
#include <QSignalSpy>
#include <QtTest>

class FormulaFieldTest : public QObject
{
    Q_OBJECT

private slots:
    void keys_data();
    void keys();
    void mouse_data();
    void mouse();
    void clipboard_data();
    void clipboard();
    void windowShortcuts_data();
    void windowShortcuts();
    void blinkAndOutline();
};

namespace
{

QTestEventList typed(const QString &text, std::initializer_list<Qt::Key> keys = {},
                     Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTestEventList events;
    events.addKeyClicks(text);
    for (Qt::Key key : keys)
        events.addKeyClick(key, modifiers);
    return events;
}

} // namespace

void FormulaFieldTest::keys_data()
{
    QTest::addColumn<bool>("autoBrakes");
    QTest::addColumn<QTestEventList>("setup");
    QTest::addColumn<QTestEventList>("events");
    QTest::addColumn<QString>("content");
    QTest::addColumn<int>("cursor");
    QTest::addColumn<int>("anchor");

    const QTestEventList none;
    const QTestEventList abcAtStart = typed("abc", {Qt::Key_Home});
    const std::initializer_list<Qt::Key> twoRight = {Qt::Key_Right, Qt::Key_Right};
    QTest::newRow("upper case") << false << none << typed("A") << "a" << 1 << 1;
    QTest::newRow("operator wraps") << true << none << typed("x+1") << "(x+1)" << 4 << 4;
    QTest::newRow("lone bracket") << true << none << typed("(") << "(" << 1 << 1;
    QTest::newRow("after bracket") << true << none << typed("(x1") << "(x1" << 3 << 3;
    QTest::newRow("word and digit") << true << none << typed("sin2") << "sin2" << 4 << 4;
    QTest::newRow("shift right twice")
        << false << abcAtStart << typed("", twoRight, Qt::ShiftModifier) << "abc" << 2 << 0;
    QTestEventList twoSelected = abcAtStart;
    for (Qt::Key key : twoRight)
        twoSelected.addKeyClick(key, Qt::ShiftModifier);
    QTest::newRow("typing replaces selection")
        << false << twoSelected << typed("z") << "zc" << 1 << 1;
    QTest::newRow("shift left") << false << typed("abc")
                                << typed("", {Qt::Key_Left}, Qt::ShiftModifier) << "abc" << 2 << 3;
    QTest::newRow("backspace") << false << abcAtStart
                               << typed("", {Qt::Key_Right, Qt::Key_Backspace}) << "bc" << 0 << 0;
    QTest::newRow("delete") << false << abcAtStart << typed("", {Qt::Key_Delete}) << "bc" << 0 << 0;
    QTest::newRow("backspace at start")
        << false << abcAtStart << typed("", {Qt::Key_Backspace}) << "abc" << 0 << 0;
    QTest::newRow("shift home selects to the start")
        << false << typed("abc") << typed("", {Qt::Key_Home}, Qt::ShiftModifier) << "abc" << 0 << 3;
    QTest::newRow("shift end selects to the end")
        << false << abcAtStart << typed("", {Qt::Key_End}, Qt::ShiftModifier) << "abc" << 3 << 0;
    QTest::newRow("ctrl a selects all")
        << false << abcAtStart << typed("", {Qt::Key_A}, Qt::ControlModifier) << "abc" << 3 << 0;
    QTest::newRow("shift left at the start stays")
        << false << abcAtStart << typed("", {Qt::Key_Left}, Qt::ShiftModifier) << "abc" << 0 << 0;
    QTestEventList allSelected = typed("abc", {Qt::Key_A}, Qt::ControlModifier);
    QTest::newRow("typing replaces all") << false << allSelected << typed("z") << "z" << 1 << 1;
    QTest::newRow("delete removes the selection")
        << false << allSelected << typed("", {Qt::Key_Delete}) << "" << 0 << 0;
    // A field's own brackets enclose what it holds; the cursor stays inside.
    QTest::newRow("end stays before the own bracket")
        << true << typed("x+1", {Qt::Key_Home}) << typed("", {Qt::Key_End}) << "(x+1)" << 4 << 4;
    QTest::newRow("home stays after the own bracket")
        << true << typed("x+1") << typed("", {Qt::Key_Home}) << "(x+1)" << 1 << 1;
    QTest::newRow("right never passes the own bracket")
        << true << typed("x+1") << typed("", {Qt::Key_Right}) << "(x+1)" << 4 << 4;
    QTest::newRow("backspace keeps the own bracket")
        << true << typed("x+1", {Qt::Key_Home}) << typed("", {Qt::Key_Backspace}) << "(x+1)" << 1
        << 1;
    QTest::newRow("delete keeps the own bracket")
        << true << typed("x+1") << typed("", {Qt::Key_Delete}) << "(x+1)" << 4 << 4;
    QTest::newRow("ctrl a selects inside the own brackets")
        << true << typed("x+1") << typed("", {Qt::Key_A}, Qt::ControlModifier) << "(x+1)" << 4 << 1;
    QTest::newRow("brackets that enclose nothing go")
        << true << typed("x+") << typed("", {Qt::Key_Backspace, Qt::Key_Backspace}) << "" << 0 << 0;
    QTest::newRow("own brackets go when a bracket inside would close them")
        << true << typed("x+", {Qt::Key_Home}) << typed(")") << ")x+" << 1 << 1;
    QTest::newRow("a closing bracket typed first is never wrapped")
        << true << none << typed(")+1") << ")+1" << 3 << 3;
    QTest::newRow("typing after a typed pair brackets everything")
        << true << none << typed("(x)+1") << "((x)+1)" << 6 << 6;
}

// Replays the setup, then the events, in the root field; the focus must stay.
void FormulaFieldTest::keys()
{
    QFETCH(bool, autoBrakes);
    QFETCH(QTestEventList, setup);
    QFETCH(QTestEventList, events);
    QFETCH(QString, content);
    QFETCH(int, cursor);
    QFETCH(int, anchor);

    EditorWindow editor;
    QFormulaField *field = editor.rootField();
    field->autoBrakes = autoBrakes;
    QVERIFY(editor.open());
    field->setFocus();
    setup.simulate(field);
    events.simulate(field);
    QCOMPARE(field->toLine(false), content);
    QCOMPARE(field->itemCount(), content.size());
    QCOMPARE(field->cursorPosition(), cursor);
    QCOMPARE(field->anchorPosition(), anchor);
    QCOMPARE(EditorWindow::focusedField(), field);
}

void FormulaFieldTest::mouse_data()
{
    // Points are glyph indexes; a set flag picks the glyph's right half.
    QTest::addColumn<QTestEventList>("setup");
    QTest::addColumn<int>("press");
    QTest::addColumn<bool>("pressRight");
    QTest::addColumn<int>("release");
    QTest::addColumn<bool>("releaseRight");
    QTest::addColumn<int>("cursor");
    QTest::addColumn<int>("anchor");
    QTest::addColumn<int>("buttonCode");

    const int left = Qt::LeftButton;
    QTest::newRow("left half of third")
        << QTestEventList() << 2 << false << 2 << false << 2 << 2 << left;
    QTest::newRow("right half of third")
        << QTestEventList() << 2 << true << 2 << true << 3 << 3 << left;
    QTest::newRow("drag") << QTestEventList() << 0 << false << 3 << true << 4 << 0 << left;
    QTest::newRow("middle drag places the cursor only")
        << QTestEventList() << 1 << false << 3 << true << 1 << 1 << int(Qt::MiddleButton);
    QTestEventList selected = typed("", {Qt::Key_Home});
    for (int i = 0; i < 5; ++i)
        selected.addKeyClick(Qt::Key_Right, Qt::ShiftModifier);
    QTest::newRow("click in selection") << selected << 1 << true << 3 << false << 3 << 3 << left;
    QTest::newRow("middle click in selection places the cursor")
        << selected << 1 << true << 1 << true << 2 << 2 << int(Qt::MiddleButton);
}

void FormulaFieldTest::mouse()
{
    QFETCH(QTestEventList, setup);
    QFETCH(int, press);
    QFETCH(bool, pressRight);
    QFETCH(int, release);
    QFETCH(bool, releaseRight);
    QFETCH(int, cursor);
    QFETCH(int, anchor);
    QFETCH(int, buttonCode);
    const auto button = Qt::MouseButton(buttonCode);

    EditorWindow editor;
    QVERIFY(editor.open());
    QFormulaField *field = editor.rootField();
    field->setFocus();
    QTest::keyClicks(field, QStringLiteral("abcde"));
    setup.simulate(field);
    QTRY_VERIFY(field->itemWidget(4)->isVisible() &&
                field->itemWidget(4)->x() > field->itemWidget(3)->x());
    auto pointOn = [field](int glyph, bool right) {
        const QRect bounds = field->itemWidget(glyph)->geometry();
        return QPoint(right ? bounds.right() - 1 : bounds.left() + 1, bounds.center().y());
    };
    const QPoint end = pointOn(release, releaseRight);
    QTest::mousePress(field, button, Qt::NoModifier, pointOn(press, pressRight));
    QMouseEvent drag(QEvent::MouseMove, end, Qt::NoButton, button, Qt::NoModifier);
    QApplication::sendEvent(field, &drag);
    QTest::mouseRelease(field, button, Qt::NoModifier, end);
    QCOMPARE(field->cursorPosition(), cursor);
    QCOMPARE(field->anchorPosition(), anchor);
}

// Ctrl+C copies the selection as its line text; Ctrl+V and Shift+Insert type
// the clipboard's first line as keys would, over the selection.
void FormulaFieldTest::clipboard_data()
{
    QTest::addColumn<bool>("autoBrakes");
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QTestEventList>("events");
    QTest::addColumn<QString>("content");
    QTest::addColumn<QString>("copied");

    const QTestEventList copyAll = [] {
        QTestEventList events = typed("", {Qt::Key_A}, Qt::ControlModifier);
        events.addKeyClick(Qt::Key_C, Qt::ControlModifier);
        return events;
    }();
    QTestEventList copyTwo = typed("", {Qt::Key_Home, Qt::Key_Right});
    copyTwo.addKeyClick(Qt::Key_Right, Qt::ShiftModifier);
    copyTwo.addKeyClick(Qt::Key_Right, Qt::ShiftModifier);
    copyTwo.addKeyClick(Qt::Key_C, Qt::ControlModifier);
    QTest::newRow("ctrl c copies the selection") << false << "" << copyTwo << "2π+1"
                                                 << "pi+";
    QTest::newRow("ctrl c inside own brackets") << true << "" << copyAll << "(2π+1)"
                                                << "2pi+1";
    QTest::newRow("ctrl c without selection copies nothing")
        << false << "kept" << typed("", {Qt::Key_C}, Qt::ControlModifier) << "2π+1"
        << "kept";
    QTest::newRow("ctrl v types the first line")
        << false << "x*3\nsecond" << typed("", {Qt::Key_V}, Qt::ControlModifier) << "2π+1x*3"
        << "x*3\nsecond";
    QTest::newRow("shift insert pastes")
        << false << "7" << typed("", {Qt::Key_Insert}, Qt::ShiftModifier) << "2π+17"
        << "7";
    QTest::newRow("pasting brackets as typing does")
        << true << "-y" << typed("", {Qt::Key_V}, Qt::ControlModifier) << "(2π+1-y)"
        << "-y";
    QTestEventList pasteOverAll = typed("", {Qt::Key_A}, Qt::ControlModifier);
    pasteOverAll.addKeyClick(Qt::Key_V, Qt::ControlModifier);
    QTest::newRow("paste replaces the selection") << false << "A\tB" << pasteOverAll << "ab"
                                                  << "A\tB";
}

void FormulaFieldTest::clipboard()
{
    QFETCH(bool, autoBrakes);
    QFETCH(QString, clipboard);
    QFETCH(QTestEventList, events);
    QFETCH(QString, content);
    QFETCH(QString, copied);

    EditorWindow editor;
    QFormulaField *field = editor.rootField();
    field->autoBrakes = autoBrakes;
    QVERIFY(editor.open());
    field->setFocus();
    field->pasteText(QStringLiteral("2π+1"));
    QApplication::clipboard()->setText(clipboard);
    events.simulate(field);
    QCOMPARE(field->toLine(false), content.replace(QChar(0x03C0), QStringLiteral("pi")));
    QCOMPARE(QApplication::clipboard()->text(), copied);
}

// The window's Copy and Paste shortcuts leave the field the keys it takes:
// Paste always, Copy while something is selected; Copy with nothing selected
// goes to the window.
void FormulaFieldTest::windowShortcuts_data()
{
    QTest::addColumn<bool>("selected");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("copies");
    QTest::addColumn<int>("pastes");
    QTest::addColumn<QString>("content");

    QTest::newRow("copy with a selection") << true << int(Qt::Key_C) << 0 << 0 << "ab";
    QTest::newRow("copy without a selection") << false << int(Qt::Key_C) << 1 << 0 << "ab";
    QTest::newRow("paste") << false << int(Qt::Key_V) << 0 << 0 << "abz";
}

void FormulaFieldTest::windowShortcuts()
{
    QFETCH(bool, selected);
    QFETCH(int, key);
    QFETCH(int, copies);
    QFETCH(int, pastes);
    QFETCH(QString, content);

    EditorWindow editor;
    QAction copy(&editor);
    copy.setShortcuts(QKeySequence::Copy);
    QAction paste(&editor);
    paste.setShortcuts(QKeySequence::Paste);
    editor.addActions({&copy, &paste});
    QSignalSpy copied(&copy, &QAction::triggered);
    QSignalSpy pasted(&paste, &QAction::triggered);
    QVERIFY(editor.open());
    QFormulaField *field = editor.rootField();
    field->setFocus();
    QTest::keyClicks(field, QStringLiteral("ab"));
    if (selected)
        field->selectAll();
    QApplication::clipboard()->setText(QStringLiteral("z"));
    QTest::keyClick(field, Qt::Key(key), Qt::ControlModifier);
    QCOMPARE(copied.count(), copies);
    QCOMPARE(pasted.count(), pastes);
    QCOMPARE(field->toLine(false), content);
    if (selected)
        QCOMPARE(QApplication::clipboard()->text(), content);
}

void FormulaFieldTest::blinkAndOutline()
{
    auto sine = templates::sine();
    QFormula copy(*sine);
    QCOMPARE(copy.field(0)->outline(), 0);
    QCOMPARE(copy.field(1)->outline(), 1);

    EditorWindow editor;
    QVERIFY(editor.open());
    QFormulaField *field = editor.rootField();
    field->setFocus();
    QCOMPARE(field->outline(), 2);
    // The blink timer is driven by hand, so that no test waits for it.
    const QList<QAbstractEventDispatcher::TimerInfo> timers =
        QAbstractEventDispatcher::instance()->registeredTimers(field);
    QCOMPARE(timers.size(), 1);
    QCOMPARE(timers.first().interval, 500);
    QVERIFY(field->isCursorVisible());
    QTimerEvent blink(timers.first().timerId);
    QApplication::sendEvent(field, &blink);
    QVERIFY(!field->isCursorVisible());
    QApplication::sendEvent(field, &blink);
    QVERIFY(field->isCursorVisible());
    field->clearFocus();
    QVERIFY(!field->isCursorVisible());
    QVERIFY(QAbstractEventDispatcher::instance()->registeredTimers(field).isEmpty());
    QCOMPARE(field->outline(), 1);
}

QTEST_MAIN(FormulaFieldTest)
#include "tst_qformulafield.moc"
