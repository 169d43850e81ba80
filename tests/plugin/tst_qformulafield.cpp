#include "editorwindow.h"

#include <QAbstractEventDispatcher>
#include <QtTest>

class FormulaFieldTest : public QObject
{
    Q_OBJECT

private slots:
    void keys_data();
    void keys();
    void mouse_data();
    void mouse();
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

    QTest::newRow("left half of third") << QTestEventList() << 2 << false << 2 << false << 2 << 2;
    QTest::newRow("right half of third") << QTestEventList() << 2 << true << 2 << true << 3 << 3;
    QTest::newRow("drag") << QTestEventList() << 0 << false << 3 << true << 4 << 0;
    QTestEventList selected = typed("", {Qt::Key_Home});
    for (int i = 0; i < 5; ++i)
        selected.addKeyClick(Qt::Key_Right, Qt::ShiftModifier);
    QTest::newRow("click in selection") << selected << 1 << true << 3 << false << 3 << 3;
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
    QTest::mousePress(field, Qt::LeftButton, Qt::NoModifier, pointOn(press, pressRight));
    QMouseEvent drag(QEvent::MouseMove, end, Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(field, &drag);
    QTest::mouseRelease(field, Qt::LeftButton, Qt::NoModifier, end);
    QCOMPARE(field->cursorPosition(), cursor);
    QCOMPARE(field->anchorPosition(), anchor);
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
