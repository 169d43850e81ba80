#include "editorwindow.h"
#include "qformulachar.h"
#include "qformulakeyboard.h"
#include "qformulaprovider.h"
#include "settledlayout.h"

#include <QPushButton>
#include <QRandomGenerator>
#include <QtTest>

#include <algorithm>

// What is drawn is what is calculated: the line the formula sends equals the
// line a reader rebuilds from the picture, over random key and click
// sequences on the shipped catalogue's keys, and in the examples that once
// went wrong.
class DrawnLineTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void randomEditing_data();
    void randomEditing();
    void examples_data();
    void examples();

private:
    QPushButton *key(const QString &name) const;

    QFormulaKeyboard keyboard;
    QFormulaProvider provider;
    QList<QPushButton *> keys;
    // The keys of functions whose argument brackets itself.
    QList<QPushButton *> functionKeys;
};

namespace
{

// A field's reading: what the field's function takes, and what is drawn
// after the brackets that enclose it, which a reader takes as standing after
// the formula.
struct Reading {
    QString line;
    QString after;
};

QString readFormula(const QFormula *formula);

// A field read as drawn: its items from left to right. A field with
// automatic brackets gives its formula what its first bracket pair encloses,
// when its brackets pair up at all.
Reading readField(const QFormulaField *field)
{
    QList<QWidget *> items;
    for (QWidget *child : field->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly))
        if (child->isVisible())
            items.append(child);
    std::sort(items.begin(), items.end(),
              [](const QWidget *a, const QWidget *b) { return a->x() < b->x(); });
    QStringList texts;
    int closing = -1;
    int depth = 0;
    bool paired = true;
    for (int i = 0; i < items.size(); ++i) {
        const QWidget *item = items.at(i);
        if (const auto *glyph = dynamic_cast<const QFormulaChar *>(item)) {
            texts.append(glyph->toLine());
            depth += glyph->text() == QLatin1String("(") ? 1 : 0;
            if (glyph->text() == QLatin1String(")") && --depth == 0 && closing < 0)
                closing = i;
            paired = paired && depth >= 0;
        } else {
            texts.append(readFormula(qobject_cast<const QFormula *>(item)));
        }
    }
    const bool opensFirst = !texts.isEmpty() && texts.first() == QLatin1String("(");
    if (!field->autoBrakes || !opensFirst || closing < 0 || !paired || depth != 0)
        return {texts.join(QString()), QString()};
    return {texts.mid(0, closing + 1).join(QString()), texts.mid(closing + 1).join(QString())};
}

// The formula's template filled in one sweep with its fields' readings, as
// the formula fills it; what its fields draw after their brackets follows.
QString readFormula(const QFormula *formula)
{
    const QString &pattern = formula->lineTemplate;
    QString line;
    QString after;
    for (int i = 0; i < pattern.size(); ++i) {
        const int k = i + 1 < pattern.size() ? pattern.at(i + 1).digitValue() : -1;
        if (pattern.at(i) != QLatin1Char('%') || k < 1 || k > formula->fieldCount()) {
            line += pattern.at(i);
            continue;
        }
        const QFormulaField *field = formula->field(k - 1);
        const Reading reading = readField(field);
        line += reading.line.isEmpty() ? field->defValue : reading.line;
        after += reading.after;
        ++i;
    }
    return line + after;
}

// The field of the tree whose items are drawn over each other, if any.
const QFormulaField *overlapping(const QFormula *root)
{
    for (const QFormulaField *field : root->findChildren<QFormulaField *>()) {
        QList<QRect> bounds;
        for (const QWidget *child :
             field->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly))
            if (child->isVisible())
                bounds.append(child->geometry());
        std::sort(bounds.begin(), bounds.end(),
                  [](const QRect &a, const QRect &b) { return a.x() < b.x(); });
        for (int i = 1; i < bounds.size(); ++i)
            if (bounds.at(i).x() <= bounds.at(i - 1).right())
                return field;
    }
    return nullptr;
}

enum class Step { Type, Key, Click, Drag, KeyButton };

} // namespace

void DrawnLineTest::initTestCase()
{
    Q_INIT_RESOURCE(brismadata);
    QFile catalogue(QStringLiteral(":brisma/data/formulaItems.xml"));
    QVERIFY(provider.load(&catalogue, &keyboard) > 0);
    keys = keyboard.findChildren<QPushButton *>(QRegularExpression(QStringLiteral("^key - ")));
    QVERIFY(keys.size() > 40);
    for (int i = 0; i < provider.count(); ++i) {
        const QFormula *formula = provider.formulaTemplate(i);
        for (int k = 0; k < formula->fieldCount(); ++k)
            if (formula->field(k)->autoBrakes && key(formula->objectName()))
                functionKeys.append(key(formula->objectName()));
    }
    QVERIFY(!functionKeys.isEmpty());
}

QPushButton *DrawnLineTest::key(const QString &name) const
{
    return keyboard.findChild<QPushButton *>(QStringLiteral("key - ") + name);
}

void DrawnLineTest::randomEditing_data()
{
    QTest::addColumn<quint32>("seed");
    for (quint32 seed = 1; seed <= 60; ++seed)
        QTest::addRow("sequence %u", seed) << seed;
}

// Each sequence starts from an empty formula and mixes typing, editing keys,
// selections, clicks at random points and screen keys, half of them keys of
// functions whose argument brackets itself; after every step the
// line sent equals the line read from the picture.
void DrawnLineTest::randomEditing()
{
    QFETCH(quint32, seed);
    QRandomGenerator random(seed);
    // Room for the widest formula a sequence makes, as the display's view
    // gives it: a narrower window would squeeze the formula.
    EditorWindow editor;
    editor.resize(2400, 1200);
    QVERIFY(editor.open());
    connect(&keyboard, &QFormulaKeyboard::keyClicked, editor.root, &QFormula::insertFormula);
    editor.rootField()->setFocus();
    const QString typed = QStringLiteral("x2+-*/().");
    const QVector<QPair<Qt::Key, Qt::KeyboardModifiers>> editingKeys{
        {Qt::Key_Left, Qt::NoModifier},      {Qt::Key_Right, Qt::NoModifier},
        {Qt::Key_Up, Qt::NoModifier},        {Qt::Key_Down, Qt::NoModifier},
        {Qt::Key_Home, Qt::NoModifier},      {Qt::Key_End, Qt::NoModifier},
        {Qt::Key_Backspace, Qt::NoModifier}, {Qt::Key_Delete, Qt::NoModifier},
        {Qt::Key_Left, Qt::ShiftModifier},   {Qt::Key_Right, Qt::ShiftModifier},
        {Qt::Key_Home, Qt::ShiftModifier},   {Qt::Key_End, Qt::ShiftModifier},
        {Qt::Key_A, Qt::ControlModifier}};
    const auto randomPoint = [&random, &editor]() {
        return QPoint(random.bounded(editor.root->width()), random.bounded(editor.root->height()));
    };
    const auto widgetAt = [&editor](const QPoint &point) {
        QWidget *target = editor.root->childAt(point);
        return target ? target : editor.root;
    };
    QStringList done;
    for (int i = 0; i < 40; ++i) {
        const auto step = Step(random.bounded(5));
        if (step == Step::Type) {
            const QChar ch = typed.at(random.bounded(typed.size()));
            done.append(ch);
            EditorWindow::type(ch);
        } else if (step == Step::Key) {
            const auto key = editingKeys.at(random.bounded(editingKeys.size()));
            done.append(QKeySequence(key.first | int(key.second)).toString());
            EditorWindow::press(key.first, key.second);
        } else if (step == Step::KeyButton) {
            const QList<QPushButton *> &from = random.bounded(2) ? functionKeys : keys;
            QPushButton *button = from.at(random.bounded(from.size()));
            done.append(QLatin1Char('{') + button->objectName().mid(6) + QLatin1Char('}'));
            button->click();
        } else {
            const QPoint from = randomPoint();
            QWidget *target = widgetAt(from);
            done.append(QStringLiteral("click (%1, %2)").arg(from.x()).arg(from.y()));
            QTest::mousePress(target, Qt::LeftButton, Qt::NoModifier,
                              target->mapFrom(editor.root, from));
            const QPoint to = step == Step::Drag ? randomPoint() : from;
            if (step == Step::Drag) {
                done.last() += QStringLiteral(" dragged to (%1, %2)").arg(to.x()).arg(to.y());
                QMouseEvent drag(QEvent::MouseMove, target->mapFrom(editor.root, to), Qt::NoButton,
                                 Qt::LeftButton, Qt::NoModifier);
                QApplication::sendEvent(target, &drag);
            }
            QTest::mouseRelease(target, Qt::LeftButton, Qt::NoModifier,
                                target->mapFrom(editor.root, to));
        }
        QVERIFY(settleLayout(&editor));
        const QString drawn = readFormula(editor.root);
        const QString steps = done.join(QLatin1Char(' '));
        QVERIFY2(drawn == editor.root->toLine(),
                 qPrintable(QStringLiteral("drawn %1, sent %2 after %3")
                                .arg(drawn, editor.root->toLine(), steps)));
        const QFormulaField *overlap = overlapping(editor.root);
        QVERIFY2(!overlap,
                 qPrintable(QStringLiteral("items drawn over each other in %1 after %2")
                                .arg(overlap ? overlap->objectName() : QString(), steps)));
        QVERIFY2(EditorWindow::focusedField(),
                 qPrintable(QStringLiteral("no field has the focus after ") + steps));
    }
}

// Steps: "{Name}" clicks the screen key Name, "<Key>" presses a key,
// "[after Name]" and "[before Name]" click just right or left of the formula
// Name, "[caption Name]" on the left of its caption that takes no typing; anything else is typed.
void DrawnLineTest::examples_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("sent");

    QTest::newRow("sine squared plus cosine squared, leaving the sine by Right")
        << QStringList{"{Синус}", "pi", "{/}",       "6",  "<Up>", "2", "<Right>", "<End>",
                       "<Right>", "+",  "{Косинус}", "pi", "{/}",  "6", "<Up>",    "2"}
        << "pow(sin((pi/6)),2)+pow(cos((pi/6)),2)";
    QTest::newRow("a third Right stays after the sine")
        << QStringList{"{Синус}", "pi",    "{/}",     "6",       "<Up>", "2",
                       "<Right>", "<End>", "<Right>", "<Right>", "+1"}
        << "pow(sin((pi/6)),2)+1";
    QTest::newRow("Right at the end of the bracketed argument leaves it")
        << QStringList{"{Синус}", "x+1", "<Right>", "*2"} << "pow(sin((x+1)),1)*2";
    QTest::newRow("End in the argument stays inside its brackets")
        << QStringList{"{Синус}", "x+1", "<Home>", "<End>", "2"} << "pow(sin((x+12)),1)";
    QTest::newRow("Left at the start of the bracketed argument leaves it for the caption")
        << QStringList{"{Синус}", "x+1", "<Home>", "<Left>", "<Left>", "h"} << "pow(sinh((x+1)),1)";
    QTest::newRow("typing after a typed bracket pair brackets the whole argument")
        << QStringList{"{Синус}", "(x)", "+1", "<Right>", "*3"} << "pow(sin(((x)+1)),1)*3";
    QTest::newRow("a click right of the root leaves it")
        << QStringList{"(1+", "{Корень}", "5", "[after Корень]", ")/2"} << "((1+pow(5,1/(2)))/(2))";
    QTest::newRow("a click left of a fraction goes before it")
        << QStringList{"1+", "{Дробь}", "2", "[before Дробь]", "3"} << "1+3(()/(2))";
    QTest::newRow("a click on the factorial's sign goes beside the factorial")
        << QStringList{"3*", "{Факториал}", "5", "[caption Факториал]", "2"} << "3*factorial(5)2";
}

void DrawnLineTest::examples()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, sent);

    EditorWindow editor;
    editor.resize(600, 300);
    QVERIFY(editor.open());
    connect(&keyboard, &QFormulaKeyboard::keyClicked, editor.root, &QFormula::insertFormula);
    editor.rootField()->setFocus();
    const QMap<QString, Qt::Key> named{{"<Up>", Qt::Key_Up},     {"<Down>", Qt::Key_Down},
                                       {"<Left>", Qt::Key_Left}, {"<Right>", Qt::Key_Right},
                                       {"<Home>", Qt::Key_Home}, {"<End>", Qt::Key_End}};
    for (const QString &step : steps) {
        QVERIFY(settleLayout(&editor));
        if (named.contains(step)) {
            EditorWindow::press(named.value(step));
        } else if (step.startsWith(QLatin1Char('{'))) {
            QPushButton *button = key(step.mid(1, step.size() - 2));
            QVERIFY2(button, qPrintable(step));
            button->click();
        } else if (step.startsWith(QLatin1Char('['))) {
            const QStringList words = step.mid(1, step.size() - 2).split(QLatin1Char(' '));
            auto *formula = editor.root->findChild<QFormula *>(words.at(1));
            QVERIFY2(formula, qPrintable(step));
            // Just beside the formula, or on the left of its caption.
            const QString &where = words.at(0);
            const QWidget *onto = formula;
            for (int i = 0; where == QLatin1String("caption") && i < formula->fieldCount(); ++i)
                if (formula->field(i)->focusPolicy() == Qt::NoFocus)
                    onto = formula->field(i);
            const QRect bounds = onto->rect();
            const int x = where == QLatin1String("after")    ? bounds.right() + 2
                          : where == QLatin1String("before") ? bounds.left() - 2
                                                             : bounds.left() + 1;
            const QPoint point = onto->mapTo(editor.root, QPoint(x, bounds.top() + 1));
            QWidget *target = editor.root->childAt(point);
            target = target ? target : editor.root;
            QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier,
                              target->mapFrom(editor.root, point));
        } else {
            EditorWindow::type(step);
        }
    }
    QVERIFY(settleLayout(&editor));
    QCOMPARE(editor.root->toLine(), sent);
    QCOMPARE(readFormula(editor.root), sent);
}

QTEST_MAIN(DrawnLineTest)
#include "tst_drawnline.moc"
