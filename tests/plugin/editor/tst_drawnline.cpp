#include "editorwindow.h"
#include "qformulachar.h"
#include "qformulagraphitem.h"
#include "qformulakeyboard.h"
#include "qformulaprovider.h"
#include "settledlayout.h"

#include <QClipboard>
#include <QPushButton>
#include <QRandomGenerator>
#include <QtTest>

#include <algorithm>

// What is drawn is what is calculated: the line the formula sends equals the
// line a reader rebuilds from the picture, over random key, click and undo
// sequences on the shipped catalogue's keys, and in the examples that once
// went wrong. Undoing n steps gives back the formula of n steps before.
class DrawnLineTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void randomEditing_data();
    void randomEditing();
    void examples_data();
    void examples();
    void productSigns_data();
    void productSigns();
    void wholePartOnTheBar();
    void emptyFields_data();
    void emptyFields();

private:
    QPushButton *key(const QString &name) const;
    // Plays the steps of an example in the editor.
    void play(EditorWindow &editor, const QStringList &steps) const;

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

// The function that a function raised to -1 stands for, as a reader of
// print takes sin⁻¹ x.
QString inverseRead(const QString &function)
{
    const QStringList pairs{"sin", "arcsin", "cos", "arccos", "tg", "arctg", "ctg", "arcctg"};
    const int at = int(pairs.indexOf(function));
    return at < 0 ? QString() : pairs.at(at ^ 1);
}

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
    const QString inverse =
        formula->fieldCount() > 1 && readField(formula->field(1)).line == QLatin1String("-1")
            ? inverseRead(readField(formula->field(0)).line)
            : QString();
    const bool inverted = !inverse.isEmpty() && !formula->inverseLine.isEmpty();
    const QString &pattern = inverted ? formula->inverseLine : formula->lineTemplate;
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
        line += inverted && k == 1       ? inverse
                : reading.line.isEmpty() ? field->defValue
                                         : reading.line;
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

enum class Step { Type, Key, Click, Drag, KeyButton, Undo };

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
    editor.root->catalogue = &provider.catalogue();
    connect(&keyboard, &QFormulaKeyboard::keyClicked, editor.root, &QFormula::insertFormula);
    editor.rootField()->setFocus();
    const QString typed = QStringLiteral("x2+-*/().^|√\"A");
    const QVector<QPair<Qt::Key, Qt::KeyboardModifiers>> editingKeys{
        {Qt::Key_Left, Qt::NoModifier},      {Qt::Key_Right, Qt::NoModifier},
        {Qt::Key_Up, Qt::NoModifier},        {Qt::Key_Down, Qt::NoModifier},
        {Qt::Key_Home, Qt::NoModifier},      {Qt::Key_End, Qt::NoModifier},
        {Qt::Key_Backspace, Qt::NoModifier}, {Qt::Key_Delete, Qt::NoModifier},
        {Qt::Key_Left, Qt::ShiftModifier},   {Qt::Key_Right, Qt::ShiftModifier},
        {Qt::Key_Home, Qt::ShiftModifier},   {Qt::Key_End, Qt::ShiftModifier},
        {Qt::Key_A, Qt::ControlModifier},    {Qt::Key_Tab, Qt::NoModifier}};
    const auto randomPoint = [&random, &editor]() {
        return QPoint(random.bounded(editor.root->width()), random.bounded(editor.root->height()));
    };
    const auto widgetAt = [&editor](const QPoint &point) {
        QWidget *target = editor.root->childAt(point);
        return target ? target : editor.root;
    };
    // The formula after each step that can be undone: states.at(k) is the
    // one k steps from the start.
    QVector<QFormulaRecord> states{QFormulaRecord::ofFormula(editor.root)};
    const QFormulaUndoStack &steps = editor.root->undoStack();
    QStringList done;
    for (int i = 0; i < 40; ++i) {
        const auto step = Step(random.bounded(6));
        if (step == Step::Undo) {
            const bool undo = random.bounded(3) > 0;
            done.append(undo ? QStringLiteral("Undo") : QStringLiteral("Redo"));
            EditorWindow::press(Qt::Key_Z, undo ? Qt::ControlModifier
                                                : Qt::ControlModifier | Qt::ShiftModifier);
        } else if (step == Step::Type) {
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
        const QString sequence = done.join(QLatin1Char(' '));
        QVERIFY2(drawn == editor.root->toLine(),
                 qPrintable(QStringLiteral("drawn %1, sent %2 after %3")
                                .arg(drawn, editor.root->toLine(), sequence)));
        const QFormulaField *overlap = overlapping(editor.root);
        QVERIFY2(!overlap,
                 qPrintable(QStringLiteral("items drawn over each other in %1 after %2")
                                .arg(overlap ? overlap->objectName() : QString(), sequence)));
        QVERIFY2(EditorWindow::focusedField(),
                 qPrintable(QStringLiteral("no field has the focus after ") + sequence));
        const QFormulaRecord now = QFormulaRecord::ofFormula(editor.root);
        if (step == Step::Undo) {
            QVERIFY2(steps.index() < states.size(),
                     qPrintable(QStringLiteral("more steps than edits after ") + sequence));
            QVERIFY2(
                now == states.at(steps.index()),
                qPrintable(QStringLiteral("went to %1, not %2 after %3")
                               .arg(now.toText(), states.at(steps.index()).toText(), sequence)));
        } else if (steps.index() >= states.size() || now != states.at(steps.index())) {
            // An edit: the steps that were undone before it are gone.
            states.resize(steps.index() + 1);
            states.last() = now;
        }
    }
    // Undone all the way, step by step, it goes back through every state.
    for (int k = steps.index() - 1; k >= 0; --k) {
        EditorWindow::press(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(QFormulaRecord::ofFormula(editor.root).toText(), states.at(k).toText());
    }
}

// Steps: "{Name}" clicks the screen key Name, "<Key>" presses a key,
// "[after Name]" and "[before Name]" click just right or left of the formula
// Name, "[caption Name]" on the left of its caption that takes no typing,
// "[paste text]" pastes the text, "[clear]" clears the formula as "CE" does;
// anything else is typed.
void DrawnLineTest::play(EditorWindow &editor, const QStringList &steps) const
{
    const QMap<QString, QPair<Qt::Key, Qt::KeyboardModifiers>> named{
        {"<Up>", {Qt::Key_Up, Qt::NoModifier}},
        {"<Down>", {Qt::Key_Down, Qt::NoModifier}},
        {"<Left>", {Qt::Key_Left, Qt::NoModifier}},
        {"<Right>", {Qt::Key_Right, Qt::NoModifier}},
        {"<Home>", {Qt::Key_Home, Qt::NoModifier}},
        {"<End>", {Qt::Key_End, Qt::NoModifier}},
        {"<Backspace>", {Qt::Key_Backspace, Qt::NoModifier}},
        {"<Delete>", {Qt::Key_Delete, Qt::NoModifier}},
        {"<Tab>", {Qt::Key_Tab, Qt::NoModifier}},
        {"<Shift+Home>", {Qt::Key_Home, Qt::ShiftModifier}},
        {"<Undo>", {Qt::Key_Z, Qt::ControlModifier}},
        {"<Redo>", {Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier}},
        {"<Ctrl+Y>", {Qt::Key_Y, Qt::ControlModifier}}};
    for (const QString &step : steps) {
        QVERIFY(settleLayout(&editor));
        if (named.contains(step)) {
            EditorWindow::press(named.value(step).first, named.value(step).second);
        } else if (step.startsWith(QLatin1Char('{'))) {
            QPushButton *button = key(step.mid(1, step.size() - 2));
            QVERIFY2(button, qPrintable(step));
            button->click();
        } else if (step == QLatin1String("[clear]")) {
            editor.root->clear();
        } else if (step.startsWith(QLatin1String("[paste "))) {
            QGuiApplication::clipboard()->setText(step.mid(7, step.size() - 8));
            EditorWindow::press(Qt::Key_V, Qt::ControlModifier);
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
}

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
    QTest::newRow("Left at the start of the argument and of the exponent reaches the caption")
        << QStringList{"{Синус}", "x+1", "<Home>", "<Left>", "<Left>", "h"} << "pow(sinh((x+1)),1)";
    QTest::newRow("typing after a typed bracket pair brackets the whole argument")
        << QStringList{"{Синус}", "(x)", "+1", "<Right>", "*3"} << "pow(sin(((x)+1)),1)*3";
    QTest::newRow("a click right of the root leaves it")
        << QStringList{"(1+", "{Корень}", "5", "[after Корень]", ")/2"} << "((1+pow(5,1/(2)))/(2))";
    QTest::newRow("a click left of a fraction goes before it")
        << QStringList{"1+", "{Дробь}", "2", "[before Дробь]", "3"} << "1+3(()/(2))";
    QTest::newRow("a click on the factorial's sign goes beside the factorial")
        << QStringList{"3*", "{Факториал}", "5", "[caption Факториал]", "2"} << "3*factorial(5)2";

    // Templates that once calculated another formula than they draw.
    QTest::newRow("a logarithm in a product is one factor")
        << QStringList{"1", "{/}", "{Логарифм}", "8", "<Down>", "2"} << "1/log(8,2)";
    QTest::newRow("a logarithm as an exponent")
        << QStringList{"2^", "{Логарифм}", "8", "<Down>", "2"} << "pow(2,log(8,2))";
    QTest::newRow("a negative mixed fraction")
        << QStringList{"{Дробь с целой частью}", "4", "<Up>", "3", "<Left>", "<Left>", "-2"}
        << "((-2)+((-2)<0?-(3):(3))/(4))";
    QTest::newRow("a mixed fraction with a sum below")
        << QStringList{"{Дробь с целой частью}", "1+1", "<Up>", "1", "<Left>", "<Left>", "2"}
        << "((2)+((2)<0?-(1):(1))/(1+1))";
    QTest::newRow("a number before a fraction is a product")
        << QStringList{"2", "{Дробь}", "2", "<Up>", "1"} << "2((1)/(2))";
    QTest::newRow("a sum as the base of a power is bracketed")
        << QStringList{"{Степень}", "1+1", "<Up>", "2"} << "pow((1+1),2)";
    QTest::newRow("a negative base is bracketed")
        << QStringList{"{Степень}", "-2", "<Up>", "2"} << "pow((-2),2)";
    QTest::newRow("a product as the base is bracketed")
        << QStringList{"{Степень}", "2*3", "<Up>", "2"} << "pow((2*3),2)";
    QTest::newRow("the factorial of a sum is bracketed")
        << QStringList{"{Факториал}", "1+2"} << "factorial((1+2))";
    QTest::newRow("the factorial of a power is bracketed")
        << QStringList{"{Факториал}", "2^3"} << "factorial((pow(2,3)))";
    QTest::newRow("the exponential of a sum is bracketed")
        << QStringList{"{Экспонента}", "0+1"} << "exp((0+1))";
    QTest::newRow("a closing bracket with none open in the field closes outside")
        << QStringList{"2*(", "{Косинус}", "0)+1"} << "2*(pow(cos(0),1))+1";
    QTest::newRow("sine to the power -1 is the arcsine")
        << QStringList{"{Синус}", "x", "<Up>", "-1"} << "arcsin(x)";
    QTest::newRow("arccosine to the power -1 is the cosine")
        << QStringList{"{Арккосинус}", "x", "<Up>", "-1"} << "cos(x)";
    QTest::newRow("cotangent to the power -2 stays a power")
        << QStringList{"{Котангенс}", "x", "<Up>", "-2"} << "pow(ctg(x),-2)";
    QTest::newRow("letters inside double quotes keep their case")
        << QStringList{"\"Hello\"+X"} << "\"Hello\"+x";

    // Moving the cursor.
    QTest::newRow("Left leaves a fraction just before it, not at the start")
        << QStringList{"25", "{Дробь}", "3", "<Up>", "4", "<Left>", "<Left>", "7"}
        << "257((4)/(3))";
    QTest::newRow("the absolute value is left by Right")
        << QStringList{"|-3", "<Right>", "|-5"} << "abs(-3)abs(-5)";
    QTest::newRow("Up at the top of a fraction goes up in the power around it")
        << QStringList{"{Степень}", "{Дробь}", "2", "<Up>", "1", "<Up>", "3"}
        << "pow((((1)/(2))),3)";
    QTest::newRow("Right before a formula goes into its first field")
        << QStringList{"1/2", "<Right>", "<Home>", "<Right>", "3"} << "((31)/(2))";
    QTest::newRow("Tab goes to the next field to fill")
        << QStringList{"{Степень}", "2", "<Tab>", "3"} << "pow(2,3)";

    // Typing builds the formula.
    QTest::newRow("typing stays in the denominator") << QStringList{"1/2+3"} << "((1)/(2+3))";
    QTest::newRow("Right leaves the denominator")
        << QStringList{"1/2", "<Right>", "+3"} << "((1)/(2))+3";
    QTest::newRow("/ after a number") << QStringList{"12/3"} << "((12)/(3))";
    QTest::newRow("/ after a name") << QStringList{"x/2"} << "((x)/(2))";
    QTest::newRow("/ after a bracketed group") << QStringList{"(1+2)/3"} << "((1+2)/(3))";
    QTest::newRow("/ after a nested formula")
        << QStringList{"{Корень}", "5", "<Right>", "/2"} << "((pow(5,1/(2)))/(2))";
    QTest::newRow("/ after a call") << QStringList{"f(x)/2"} << "((f(x))/(2))";
    QTest::newRow("/ after a sum takes the last term") << QStringList{"1+2/3"} << "1+((2)/(3))";
    QTest::newRow("/ after a comparison") << QStringList{"1<2/3"} << "1<((2)/(3))";
    QTest::newRow("/ with nothing before starts in the numerator")
        << QStringList{"/3"} << "((3)/())";
    QTest::newRow("^ after a number") << QStringList{"2^10"} << "pow(2,10)";
    QTest::newRow("^ after a name") << QStringList{"x^2"} << "pow(x,2)";
    QTest::newRow("^ after a bracketed group") << QStringList{"(1+2)^2"} << "pow((1+2),2)";
    QTest::newRow("^ after a nested formula")
        << QStringList{"{Корень}", "5", "<Right>", "^2"} << "pow((pow(5,1/(2))),2)";
    QTest::newRow("^ after a call") << QStringList{"f(x)^2"} << "pow((f(x)),2)";
    QTest::newRow("^ after a sum takes the last term") << QStringList{"1+2^3"} << "1+pow(2,3)";
    QTest::newRow("^ with nothing before starts in the base") << QStringList{"^3"} << "pow(3,)";
    QTest::newRow("Right leaves the exponent")
        << QStringList{"2^10", "<Right>", "+1"} << "pow(2,10)+1";
    QTest::newRow("√ makes a root") << QStringList{"1+√2"} << "1+pow(2,1/(2))";
    QTest::newRow("sqrt( makes a root that ) closes")
        << QStringList{"sqrt(2)+1"} << "pow(2,1/(2))+1";
    QTest::newRow("a bar makes an absolute value that a bar closes")
        << QStringList{"|x|+1"} << "abs(x)+1";
    QTest::newRow("a key with a selection takes it in")
        << QStringList{"2+3", "<Shift+Home>", "{Корень}"} << "pow(2+3,1/(2))";
    QTest::newRow("/ over a selection takes it as numerator")
        << QStringList{"2+3", "<Shift+Home>", "/4"} << "((2+3)/(4))";
    QTest::newRow("the / key types a plain division") << QStringList{"1", "{/}", "2+3"} << "1/2+3";
    QTest::newRow("pasting reads by precedence")
        << QStringList{"[paste 1/2+2^10]"} << "((1)/(2))+pow(2,10)";
    QTest::newRow("pasting a bracketed numerator")
        << QStringList{"[paste (1+2)/3]"} << "((1+2)/(3))";
    QTest::newRow("pasting a power in a denominator")
        << QStringList{"[paste 1/2^3*4]"} << "((1)/(pow(2,3)))*4";
    QTest::newRow("pasting a root and an absolute value")
        << QStringList{"[paste sqrt(2)+|-3|]"} << "pow(2,1/(2))+abs(-3)";
    QTest::newRow("pasted ÷ and × stay operators") << QStringList{"[paste 6÷2×3]"} << "6÷2×3";

    // Backspace and Delete through the structure.
    QTest::newRow("Backspace after a fraction goes to the end of its denominator")
        << QStringList{"1/2", "<Right>", "<Backspace>", "3"} << "((1)/(23))";
    QTest::newRow("a second Backspace deletes inside")
        << QStringList{"1/2", "<Right>", "<Backspace>", "<Backspace>", "3"} << "((1)/(3))";
    QTest::newRow("Backspace at the start of the denominator goes to the numerator")
        << QStringList{"1/2", "<Home>", "<Backspace>", "3"} << "((13)/(2))";
    QTest::newRow("Backspace at the start of the first field keeps what the fields held")
        << QStringList{"1/2", "<Up>", "<Home>", "<Backspace>", "x"} << "x12";
    QTest::newRow("Backspace in an empty fraction removes it")
        << QStringList{"5", "{Дробь}", "<Backspace>", "+"} << "5+";
    QTest::newRow("Backspace after an empty root removes it at once")
        << QStringList{"7", "{Корень}", "<Right>", "<Backspace>", "8"} << "78";
    QTest::newRow("Delete before a fraction goes to the start of its numerator")
        << QStringList{"1/2", "<Right>", "<Home>", "<Delete>", "x"} << "((x1)/(2))";
    QTest::newRow("Delete at the end of the last field keeps what the fields held")
        << QStringList{"1/2", "<Delete>", "x"} << "12x";
    QTest::newRow("Delete at the end of the numerator goes to the denominator")
        << QStringList{"1/2", "<Up>", "<Delete>", "x"} << "((1)/(x2))";

    // Undo and redo.
    QTest::newRow("a typing run is one step") << QStringList{"12+3", "<Undo>", "4"} << "4";
    QTest::newRow("typing after a move is a step of its own")
        << QStringList{"12", "<Left>", "3", "<Undo>", "4"} << "142";
    QTest::newRow("undo puts the cursor back into its field")
        << QStringList{"{Дробь}", "2", "<Up>", "3", "<Undo>", "4"} << "((4)/(2))";
    QTest::newRow("an inserted template is undone")
        << QStringList{"1+", "{Дробь}", "<Undo>", "x"} << "1+x";
    QTest::newRow("a deletion is undone")
        << QStringList{"123", "<Backspace>", "<Backspace>", "<Undo>", "<Undo>"} << "123";
    QTest::newRow("a paste is undone") << QStringList{"5", "[paste 1/2]", "<Undo>"} << "5";
    QTest::newRow("clearing is undone") << QStringList{"1/2", "[clear]", "<Undo>"} << "((1)/(2))";
    QTest::newRow("redo with Ctrl+Shift+Z")
        << QStringList{"12", "<Left>", "3", "<Undo>", "<Redo>"} << "132";
    QTest::newRow("redo with Ctrl+Y")
        << QStringList{"1/2", "<Right>", "+", "<Undo>", "<Ctrl+Y>", "3"} << "((1)/(2))+3";
    QTest::newRow("undo after a move keeps the moved cursor out of it")
        << QStringList{"1/2", "<Right>", "+", "<Undo>", "5"} << "((1)/(2))5";
}

void DrawnLineTest::examples()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, sent);

    EditorWindow editor;
    editor.resize(600, 300);
    editor.root->catalogue = &provider.catalogue();
    QVERIFY(editor.open());
    connect(&keyboard, &QFormulaKeyboard::keyClicked, editor.root, &QFormula::insertFormula);
    editor.rootField()->setFocus();
    play(editor, steps);
    QCOMPARE(editor.root->toLine(), sent);
    QCOMPARE(readFormula(editor.root), sent);
}

// A "·" stands between the factors of an implicit product that would read
// as one number: a digit and a fraction, a fraction and a digit, two
// fractions; not beside a function's caption or a root's sign.
void DrawnLineTest::productSigns_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<bool>("before");
    QTest::addColumn<bool>("after");

    QTest::newRow("digit, fraction") << QStringList{"2", "{Дробь}"} << true << false;
    QTest::newRow("fraction, digit") << QStringList{"2", "<Home>", "{Дробь}"} << false << true;
    QTest::newRow("digit, power") << QStringList{"2", "{Степень}"} << true << false;
    QTest::newRow("digit, mixed fraction")
        << QStringList{"2", "{Дробь с целой частью}"} << true << false;
    QTest::newRow("fraction, fraction")
        << QStringList{"1/2", "<Right>", "{Дробь}"} << true << false;
    QTest::newRow("operator, fraction") << QStringList{"2+", "{Дробь}"} << false << false;
    QTest::newRow("digit, sine") << QStringList{"2", "{Синус}"} << false << false;
    QTest::newRow("digit, root") << QStringList{"2", "{Корень}"} << false << false;
    QTest::newRow("digit, absolute value") << QStringList{"2", "{Модуль}"} << false << false;
}

void DrawnLineTest::productSigns()
{
    QFETCH(QStringList, steps);
    QFETCH(bool, before);
    QFETCH(bool, after);

    EditorWindow editor;
    editor.root->catalogue = &provider.catalogue();
    QVERIFY(editor.open());
    connect(&keyboard, &QFormulaKeyboard::keyClicked, editor.root, &QFormula::insertFormula);
    editor.rootField()->setFocus();
    play(editor, steps);
    const QList<QFormula *> nested =
        editor.rootField()->findChildren<QFormula *>(QString(), Qt::FindDirectChildrenOnly);
    QVERIFY(!nested.isEmpty());
    QFormula *last = nested.last();
    QCOMPARE(last->showsProductBefore(), before);
    QCOMPARE(last->showsProductAfter(), after);
    // The sign has room of its own beside the formula's fields.
    if (before)
        QVERIFY(last->layout()->contentsMargins().left() > 2);
}

// The whole part of a mixed fraction stands on the bar, not level with the
// numerator.
void DrawnLineTest::wholePartOnTheBar()
{
    EditorWindow editor;
    QVERIFY(editor.open());
    editor.rootField()->setFocus();
    QPushButton *mixed = key(QStringLiteral("Дробь с целой частью"));
    connect(&keyboard, &QFormulaKeyboard::keyClicked, editor.root, &QFormula::insertFormula);
    mixed->click();
    play(editor, {"4", "<Up>", "3", "<Left>", "<Left>", "2"});
    auto *formula = editor.root->findChild<QFormula *>(QStringLiteral("Дробь с целой частью"));
    QVERIFY(formula);
    const QRect whole = formula->field(0)->geometry();
    const QRect bar = formula->graphItem(0)->geometry();
    QVERIFY2(qAbs(whole.center().y() - bar.center().y()) <= whole.height() / 4,
             qPrintable(QStringLiteral("whole part centred at %1, bar at %2")
                            .arg(whole.center().y())
                            .arg(bar.center().y())));
    QVERIFY(whole.top() > formula->field(1)->geometry().top());
}

// A formula with an empty field that stands for no value has that field
// found first, in reading order; defaults such as an exponent's 1 count as
// filled.
void DrawnLineTest::emptyFields_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("empty");

    QTest::newRow("an empty radicand") << QStringList{"5+√"} << "Корень 1";
    QTest::newRow("an empty denominator") << QStringList{"1/"} << "Дробь 1";
    QTest::newRow("an empty numerator first") << QStringList{"{Дробь}"} << "Дробь 0";
    QTest::newRow("a logarithm's argument") << QStringList{"{Логарифм}"} << "Логарифм 2";
    QTest::newRow("a sine's exponent has its default") << QStringList{"{Синус}", "x"} << QString();
    QTest::newRow("a nested empty field") << QStringList{"1/2+", "{Корень}"} << "Корень 1";
    QTest::newRow("nothing empty") << QStringList{"1/2"} << QString();
    QTest::newRow("an empty root field is no formula to fill") << QStringList{} << QString();
}

void DrawnLineTest::emptyFields()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, empty);

    EditorWindow editor;
    editor.root->catalogue = &provider.catalogue();
    QVERIFY(editor.open());
    connect(&keyboard, &QFormulaKeyboard::keyClicked, editor.root, &QFormula::insertFormula);
    editor.rootField()->setFocus();
    play(editor, steps);
    const QFormulaField *field = editor.root->firstEmptyField();
    if (empty.isEmpty()) {
        QVERIFY(!field);
        return;
    }
    QVERIFY(field);
    const QFormula *formula = field->formula();
    int index = 0;
    while (formula->field(index) != field)
        ++index;
    const QString found = formula->objectName() + QLatin1Char(' ') + QString::number(index);
    QCOMPARE(found, empty);
}

QTEST_MAIN(DrawnLineTest)
#include "tst_drawnline.moc"
