#include "editorwindow.h"
#include "qformulachar.h"

#include <QtTest>

class FormulaFieldTest : public QObject
{
    Q_OBJECT

private slots:
    void keys_data();
    void keys();
    void mouse_data();
    void mouse();
    void clearRestartsAtTheBeginning();
    void cursorPainting_data();
    void cursorPainting();
    void blinkAndOutline();
};

namespace
{

QTestEventList typed(const QString &text, std::initializer_list<Qt::Key> keys = {})
{
    QTestEventList events;
    events.addKeyClicks(text);
    for (Qt::Key key : keys)
        events.addKeyClick(key);
    return events;
}

QTestEventList withShift(QTestEventList events, Qt::Key key, int times)
{
    for (int i = 0; i < times; ++i)
        events.addKeyClick(key, Qt::ShiftModifier);
    return events;
}

// A window whose root field is the only field, optionally with automatic
// brackets, and has the focus.
struct FieldWindow {
    explicit FieldWindow(bool autoBrakes) { window.rootField()->autoBrakes = autoBrakes; }
    EditorWindow window;
    QFormulaField *field() const { return window.rootField(); }
};

} // namespace

void FormulaFieldTest::keys_data()
{
    QTest::addColumn<bool>("autoBrakes");
    QTest::addColumn<QTestEventList>("events");
    QTest::addColumn<QString>("content");
    QTest::addColumn<int>("cursor");
    QTest::addColumn<int>("anchor");

    QTest::newRow("upper case typed as lower case") << false << typed("A") << "a" << 1 << 1;
    QTest::newRow("operator wraps the argument") << true << typed("x+1") << "(x+1)" << 4 << 4;
    QTest::newRow("lone opening bracket") << true << typed("(") << "(" << 1 << 1;
    QTest::newRow("lone closing bracket") << true << typed(")") << ")" << 1 << 1;
    QTest::newRow("digit after bracket and letter") << true << typed("(x1") << "(x1" << 3 << 3;
    QTest::newRow("word and digit stay unbracketed") << true << typed("sin2") << "sin2" << 4 << 4;
    QTest::newRow("no automatic brackets") << false << typed("x+1") << "x+1" << 3 << 3;

    // QTestEventList owns its events and has no deep assignment, so each
    // list is built once and only copied.
    QTestEventList selectTwo = withShift(typed("abc", {Qt::Key_Home}), Qt::Key_Right, 2);
    QTest::newRow("shift right twice selects two") << false << selectTwo << "abc" << 2 << 0;
    selectTwo.addKeyClicks("z");
    QTest::newRow("printable key replaces the selection") << false << selectTwo << "zc" << 1 << 1;
    QTest::newRow("shift left selects backwards")
        << false << withShift(typed("abc"), Qt::Key_Left, 1) << "abc" << 2 << 3;
    QTestEventList backspace =
        withShift(typed("abcd", {Qt::Key_Home, Qt::Key_Right}), Qt::Key_Right, 2);
    backspace.addKeyClick(Qt::Key_Backspace);
    QTest::newRow("backspace removes the selection") << false << backspace << "ad" << 1 << 1;
    QTestEventList del = withShift(typed("abcd", {Qt::Key_Home}), Qt::Key_Right, 3);
    del.addKeyClick(Qt::Key_Delete);
    QTest::newRow("delete removes the selection") << false << del << "d" << 0 << 0;

    QTest::newRow("backspace removes before the cursor")
        << false << typed("abc", {Qt::Key_Left, Qt::Key_Backspace}) << "ac" << 1 << 1;
    QTest::newRow("delete removes after the cursor")
        << false << typed("abc", {Qt::Key_Home, Qt::Key_Delete}) << "bc" << 0 << 0;
    QTest::newRow("backspace at the start")
        << false << typed("ab", {Qt::Key_Home, Qt::Key_Backspace}) << "ab" << 0 << 0;
    QTest::newRow("delete at the end") << false << typed("ab", {Qt::Key_Delete}) << "ab" << 2 << 2;
    QTest::newRow("home then end")
        << false << typed("ab", {Qt::Key_Home, Qt::Key_End}) << "ab" << 2 << 2;
    QTest::newRow("left at the start stays")
        << false << typed("ab", {Qt::Key_Home, Qt::Key_Left}) << "ab" << 0 << 0;
    QTest::newRow("right at the end stays")
        << false << typed("ab", {Qt::Key_Right}) << "ab" << 2 << 2;
    QTest::newRow("up goes to the start") << false << typed("ab", {Qt::Key_Up}) << "ab" << 0 << 0;
    QTest::newRow("down goes to the start")
        << false << typed("ab", {Qt::Key_Down}) << "ab" << 0 << 0;
    QTest::newRow("other keys do nothing")
        << false << typed("ab", {Qt::Key_Escape, Qt::Key_F5}) << "ab" << 2 << 2;
}

void FormulaFieldTest::keys()
{
    QFETCH(bool, autoBrakes);
    QFETCH(QTestEventList, events);
    QFETCH(QString, content);
    QFETCH(int, cursor);
    QFETCH(int, anchor);

    FieldWindow editor(autoBrakes);
    QVERIFY(editor.window.open());
    editor.field()->setFocus();
    events.simulate(editor.field());
    QCOMPARE(editor.field()->toLine(false), content);
    QCOMPARE(editor.field()->itemCount(), content.size());
    QCOMPARE(editor.field()->cursorPosition(), cursor);
    QCOMPARE(editor.field()->anchorPosition(), anchor);
    QCOMPARE(EditorWindow::focusedField(), editor.field());
}

void FormulaFieldTest::mouse_data()
{
    // Points are given as a glyph index and the half of the glyph.
    QTest::addColumn<QTestEventList>("keys");
    QTest::addColumn<int>("pressGlyph");
    QTest::addColumn<bool>("pressRight");
    QTest::addColumn<int>("releaseGlyph");
    QTest::addColumn<bool>("releaseRight");
    QTest::addColumn<int>("cursor");
    QTest::addColumn<int>("anchor");

    QTest::newRow("left half of the third glyph")
        << QTestEventList() << 2 << false << 2 << false << 2 << 2;
    QTest::newRow("right half of the third glyph")
        << QTestEventList() << 2 << true << 2 << true << 3 << 3;
    QTest::newRow("drag selects from the press")
        << QTestEventList() << 0 << false << 3 << true << 4 << 0;
    const QTestEventList selectAll = withShift(typed(QString(), {Qt::Key_Home}), Qt::Key_Right, 5);
    QTest::newRow("click inside the selection collapses it")
        << selectAll << 1 << true << 1 << true << 2 << 2;
    QTest::newRow("drag inside the selection moves nothing until release")
        << selectAll << 1 << true << 3 << false << 3 << 3;
}

void FormulaFieldTest::mouse()
{
    QFETCH(QTestEventList, keys);
    QFETCH(int, pressGlyph);
    QFETCH(bool, pressRight);
    QFETCH(int, releaseGlyph);
    QFETCH(bool, releaseRight);
    QFETCH(int, cursor);
    QFETCH(int, anchor);

    FieldWindow editor(false);
    QVERIFY(editor.window.open());
    QFormulaField *field = editor.field();
    field->setFocus();
    QTest::keyClicks(field, QStringLiteral("abcde"));
    keys.simulate(field);
    QTRY_VERIFY(field->itemWidget(4)->isVisible() &&
                field->itemWidget(4)->x() > field->itemWidget(3)->x());
    auto pointOn = [field](int glyph, bool right) {
        const QRect bounds = field->itemWidget(glyph)->geometry();
        return QPoint(right ? bounds.right() - 1 : bounds.left() + 1, bounds.center().y());
    };
    const QPoint release = pointOn(releaseGlyph, releaseRight);
    QTest::mousePress(field, Qt::LeftButton, Qt::NoModifier, pointOn(pressGlyph, pressRight));
    QMouseEvent move(QEvent::MouseMove, release, Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(field, &move);
    QTest::mouseRelease(field, Qt::LeftButton, Qt::NoModifier, release);
    QCOMPARE(field->cursorPosition(), cursor);
    QCOMPARE(field->anchorPosition(), anchor);
    QCOMPARE(field->indexAt(QPoint(-5, -5)), -1);
}

void FormulaFieldTest::clearRestartsAtTheBeginning()
{
    FieldWindow editor(false);
    QVERIFY(editor.window.open());
    editor.field()->setFocus();
    EditorWindow::type(QStringLiteral("abc"));
    editor.field()->clear();
    QCOMPARE(editor.field()->itemCount(), 0);
    QCOMPARE(editor.field()->cursorPosition(), 0);
    EditorWindow::type(QStringLiteral("x"));
    QCOMPARE(editor.field()->toLine(false), QStringLiteral("x"));
}

void FormulaFieldTest::cursorPainting_data()
{
    QTest::addColumn<float>("fontSizeMult");
    QTest::addColumn<int>("cursorWidth");

    QTest::newRow("full size field") << 1.0f << 2;
    QTest::newRow("exponent field") << 0.7f << 1;
}

// An empty focused field draws its cursor in the text colour in the middle,
// two pixels wide at full size and one in an exponent.
void FormulaFieldTest::cursorPainting()
{
    QFETCH(float, fontSizeMult);
    QFETCH(int, cursorWidth);

    FieldWindow editor(false);
    QFormulaField *field = editor.field();
    field->fontSizeMult = fontSizeMult;
    field->setMinimumSize(20, 20);
    QPalette palette = field->palette();
    palette.setColor(QPalette::Text, Qt::red);
    field->setPalette(palette);
    QVERIFY(editor.window.open());
    field->setFocus();
    QVERIFY(field->isCursorVisible());

    const QImage image = field->grab().toImage();
    const int y = image.height() / 2;
    int inkedLeft = -1;
    int inked = 0;
    for (int x = 0; x < image.width(); ++x) {
        if (image.pixelColor(x, y) == QColor(Qt::red)) {
            inkedLeft = inked++ ? inkedLeft : x;
        }
    }
    QCOMPARE(inked, cursorWidth);
    QCOMPARE(inkedLeft + cursorWidth, field->width() / 2 + 1);
}

void FormulaFieldTest::blinkAndOutline()
{
    auto sine = templates::sine();
    QFormula copy(*sine);
    QCOMPARE(copy.field(0)->outline(), 0);
    QCOMPARE(copy.field(1)->outline(), 1);

    FieldWindow editor(false);
    QVERIFY(editor.window.open());
    QFormulaField *field = editor.field();
    field->setFocus();
    QCOMPARE(field->outline(), 2);
    QVERIFY(field->isCursorVisible());
    QTRY_VERIFY_WITH_TIMEOUT(!field->isCursorVisible(), 1500);
    QTRY_VERIFY_WITH_TIMEOUT(field->isCursorVisible(), 1500);

    field->clearFocus();
    QVERIFY(!field->isCursorVisible());
    QCOMPARE(field->outline(), 1);
    field->setFocus();
    EditorWindow::type(QStringLiteral("1"));
    field->clearFocus();
    QCOMPARE(field->outline(), 0);
}

QTEST_MAIN(FormulaFieldTest)
#include "tst_qformulafield.moc"
