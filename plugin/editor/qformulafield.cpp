#include "qformulafield.h"

#include "qformula.h"
#include "qformulachar.h"
#include "qformuladebug.h"
#include "qformulaedit.h"
#include "qtemplatecatalogue.h"

#include <QApplication>
#include <QDebug>
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace
{
const int blinkInterval = 500;
const QChar quote(QLatin1Char('"'));

bool isGlyphText(const QWidget *item, const QString &text)
{
    const auto *glyph = dynamic_cast<const QFormulaChar *>(item);
    return glyph && glyph->text() == text;
}

// Whether the items are one bracketed group: an opening bracket first whose
// closing bracket is the last item.
bool isOneBracketedGroup(const QVector<QWidget *> &items)
{
    if (items.size() < 2 || !isGlyphText(items.first(), QStringLiteral("(")))
        return false;
    int depth = 0;
    for (int i = 0; i < items.size(); ++i) {
        depth += isGlyphText(items.at(i), QStringLiteral("(")) ? 1 : 0;
        depth -= isGlyphText(items.at(i), QStringLiteral(")")) ? 1 : 0;
        if (depth == 0)
            return i == items.size() - 1;
    }
    return false;
}

// The index after the bracket that closes the one at open, or to.
int afterClosingBracket(const QString &text, int open, int to)
{
    int depth = 0;
    for (int i = open; i < to; ++i) {
        depth += text.at(i) == QLatin1Char('(') ? 1 : 0;
        if (text.at(i) == QLatin1Char(')') && --depth == 0)
            return i + 1;
    }
    return to;
}

bool isOperandCharacter(QChar ch)
{
    return ch.isLetterOrNumber() || ch == QLatin1Char('.') || ch == QLatin1Char('_');
}

// Where the operand that follows from on ends, read by precedence: signs,
// then a bracketed group, or a number or name with the brackets of a call,
// then any powers of it.
int operandEnd(const QString &text, int from, int to)
{
    int end = from;
    while (end < to && (text.at(end) == QLatin1Char('-') || text.at(end) == QLatin1Char('+')))
        ++end;
    if (end < to && text.at(end) == QLatin1Char('(')) {
        end = afterClosingBracket(text, end, to);
    } else {
        while (end < to && isOperandCharacter(text.at(end)))
            ++end;
        if (end < to && end > from && text.at(end) == QLatin1Char('('))
            end = afterClosingBracket(text, end, to);
    }
    while (end < to && text.at(end) == QLatin1Char('^'))
        end = operandEnd(text, end + 1, to);
    return end;
}

// Where the text pasted after a typed template ends: at the closing bar of
// "|", the closing bracket of "sqrt(", else with the operand.
int builtContentEnd(const QString &text, int from, int to, QChar trigger)
{
    if (trigger == QLatin1Char('('))
        return afterClosingBracket(text, from - 1, to) - 1;
    if (trigger != QLatin1Char('|'))
        return operandEnd(text, from, to);
    int depth = 0;
    for (int i = from; i < to; ++i) {
        depth += text.at(i) == QLatin1Char('(') ? 1 : text.at(i) == QLatin1Char(')') ? -1 : 0;
        if (depth == 0 && text.at(i) == trigger)
            return i;
    }
    return to;
}
} // namespace

QFormulaField::QFormulaField(QWidget *parent) : QFrame(parent), layout(new QHBoxLayout(this))
{
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    setFocusPolicy(Qt::ClickFocus);
}

void QFormulaField::clear()
{
    while (itemCount() > 0)
        removeAt(0);
    cursorPos = 0;
    anchorPos = 0;
}

void QFormulaField::setText(const QString &text)
{
    clear();
    insertText(text, false);
}

void QFormulaField::insertText(const QString &text, bool autoBracket)
{
    removeSelection();
    for (const QChar ch : text) {
        // Inside double quotes the engine keeps the letter case, and so do we.
        const QString glyphText(insideQuotes(cursorPos) ? ch : ch.toLower());
        auto *glyph = new QFormulaChar(glyphText, this);
        glyph->setObjectName(glyphText);
        glyph->setFont(font());
        layout->insertWidget(cursorPos, glyph);
        anchorPos = ++cursorPos;
    }
    if (!text.isEmpty())
        emit contentChanged();
    if (outlineState == NoOutline && text.isEmpty())
        outlineState = EmptyOutline;
    if (autoBracket)
        bracketContent();
}

void QFormulaField::bracketContent()
{
    if (!autoBrakes)
        return;
    fitOwnBrackets();
    if (isBracketed() || isPlainOperand() || !bracketsPair())
        return;
    wrapInBrackets();
}

// The content is bracketed when brackets enclose all of it: the field's own,
// or an opening bracket typed first whose closing bracket is the last item or
// is still to be typed. "(x+1)+2" is not bracketed: drawn after a function's
// caption it would read as the function of x+1 plus 2.
bool QFormulaField::isBracketed() const
{
    const int count = itemCount();
    if (count < 2)
        return false;
    if (ownBrackets)
        return true;
    if (!glyphIs(0, QStringLiteral("(")))
        return false;
    const int close = matchingBracket(0);
    return close < 0 || close == count - 1;
}

bool QFormulaField::isPlainOperand() const
{
    for (int i = 0; i < itemCount(); ++i) {
        const QFormulaChar *glyph = glyphAt(i);
        if (!glyph || glyph->text().isEmpty() || !glyph->text().at(0).isLetterOrNumber())
            return false;
    }
    return true;
}

void QFormulaField::wrapInBrackets()
{
    const int pos = cursorPos;
    placeCursor(0);
    insertText(QStringLiteral("("), false);
    placeCursor(itemCount());
    insertText(QStringLiteral(")"), false);
    placeCursor(pos + 1);
    ownBrackets = true;
}

void QFormulaField::removeSelection()
{
    if (itemCount() == 0 || !hasSelection())
        return;
    const int lo = qMin(cursorPos, anchorPos);
    const int hi = qMax(cursorPos, anchorPos);
    for (int i = lo; i < hi; ++i)
        removeAt(lo);
    placeCursor(lo);
    fitOwnBrackets();
}

void QFormulaField::removeAt(int index)
{
    if (index < 0 || index >= itemCount())
        return;
    if (index == 0 || index == itemCount() - 1)
        ownBrackets = false;
    QLayoutItem *item = layout->takeAt(index);
    QWidget *widget = item->widget();
    delete item;
    qDebug() << "delete" << widget;
    if (widget == focusProxy())
        releaseRemovedProxy(widget);
    widget->deleteLater();
    update();
    emit contentChanged();
}

// The cursor stays between the field's own brackets: a position on their far
// side leaves the field when leaveAtEdge is set, and is taken as the nearest
// position inside them otherwise. Positions outside the items change nothing.
void QFormulaField::setCursorPosition(int pos, bool leaveAtEdge, bool keepAnchor)
{
    const bool inside = pos >= contentStart() && pos <= contentEnd();
    if (!inside && leaveAtEdge) {
        const bool beforeStart = pos < contentStart();
        placeCursor(beforeStart ? contentStart() : contentEnd());
        moveFocusOut(beforeStart ? FocusDirection::Left : FocusDirection::Right);
        return;
    }
    if (pos < 0 || pos > itemCount())
        return;
    cursorPos = qBound(contentStart(), pos, contentEnd());
    if (!keepAnchor)
        anchorPos = cursorPos;
    if (focusProxy()) {
        takeFocusFromProxy();
    } else if (hasFocus()) {
        cursorVisible = true;
        repaint();
    }
    if (hasSelection())
        copySelection(QClipboard::Selection);
    emit cursorMoved();
}

QString QFormulaField::itemClassName(int index) const
{
    const QWidget *widget = itemWidget(index);
    return widget ? QString::fromLatin1(widget->metaObject()->className()) : QString();
}

int QFormulaField::cursorX(int index, int penWidth) const
{
    const int count = itemCount();
    if (count == 0)
        return width() / 2;
    if (index >= count)
        return width() - layout->contentsMargins().right() - penWidth;
    if (index <= 0)
        return layout->contentsMargins().left() + penWidth;
    return itemWidget(index)->geometry().left();
}

// The insertion index at a point, by its x alone: the index of the item
// there, or the one after it when the point lies on the item's right half.
// Beside all items, above or below a short one, it is the index of the
// nearest gap, so that a click in free space lands before or after the item
// drawn at its side.
int QFormulaField::indexAt(const QPoint &pos) const
{
    int index = 0;
    while (index < itemCount()) {
        const QRect bounds = itemWidget(index)->geometry();
        if (pos.x() <= (bounds.left() + bounds.right()) / 2)
            break;
        ++index;
    }
    return index;
}

QString QFormulaField::toLine(bool useDefault) const
{
    const QString line = lineOf(0, itemCount());
    return line.isEmpty() && useDefault ? defValue : line;
}

void QFormulaField::selectAll()
{
    anchorPos = contentStart();
    setCursorPosition(contentEnd(), false, true);
}

QString QFormulaField::selectedLine() const
{
    return lineOf(qMin(cursorPos, anchorPos), qMax(cursorPos, anchorPos));
}

QFormulaField *QFormulaField::typeText(const QString &text, bool buildFormulas)
{
    QFormulaField *field = this;
    for (const QChar ch : text)
        if (ch.isPrint())
            field = field->typeCharacter(ch, buildFormulas);
    return field;
}

QFormulaField *QFormulaField::pasteText(const QString &text)
{
    const QString line = text.section(QLatin1Char('\n'), 0, 0);
    removeSelection();
    return pasteRange(line, 0, line.size());
}

// A template typed in the text gets what the text gives it (the operand
// after "/", "^" and "√", what stands up to the closing bar or bracket of
// "|" and "sqrt("), without brackets round the whole of it, and the text
// goes on after the template.
QFormulaField *QFormulaField::pasteRange(const QString &text, int from, int to)
{
    QFormulaField *field = this;
    for (int i = from; i < to;) {
        const QChar ch = text.at(i);
        if (!ch.isPrint()) {
            ++i;
            continue;
        }
        const QFormula *holder = field->formula();
        const QTemplateCatalogue::Typed typed =
            holder && holder->catalogue && !field->insideQuotes(field->cursorPos)
                ? holder->catalogue->typedTemplate(field->glyphsBefore(field->cursorPos), ch)
                : QTemplateCatalogue::Typed();
        if (!typed.formulaTemplate) {
            field = field->typeCharacter(ch, false);
            ++i;
            continue;
        }
        QFormulaField *inner =
            field->buildTyped(typed.formulaTemplate, typed.infix, typed.glyphsBefore);
        QFormula *built = inner->formula();
        int start = i + 1;
        int end = builtContentEnd(text, start, to, ch);
        i = ch == QLatin1Char('(') || ch == QLatin1Char('|') ? qMin(end + 1, to) : end;
        if (end - start >= 2 && text.at(start) == QLatin1Char('(') &&
            afterClosingBracket(text, start, end) == end) {
            ++start;
            --end;
        }
        inner->pasteRange(text, start, end);
        field = built->holderField();
        field->focusAt(field->indexOfItem(built) + 1);
    }
    return field;
}

bool QFormulaField::insideQuotes(int pos) const
{
    int quotes = 0;
    for (int i = 0; i < pos && i < itemCount(); ++i)
        quotes += glyphIs(i, quote) ? 1 : 0;
    return quotes % 2 == 1;
}

bool QFormulaField::holdsDigitAt(int index) const
{
    const QFormulaChar *glyph = glyphAt(index);
    return glyph && !glyph->text().isEmpty() &&
           (glyph->text().at(0).isDigit() || glyph->text() == QLatin1String("."));
}

int QFormulaField::indexOfItem(const QWidget *item) const
{
    return layout->indexOf(const_cast<QWidget *>(item));
}

void QFormulaField::unwrapFormula(QFormula *nested, bool cursorAfter)
{
    const int index = indexOfItem(nested);
    if (index < 0)
        return;
    QVector<QWidget *> items;
    for (QFormulaField *field : nested->readingOrder())
        if (!field->caption)
            items += field->takeItems(field->contentStart(), field->contentEnd());
    placeCursor(index);
    removeAt(index);
    putItems(items);
    if (!cursorAfter)
        placeCursor(index);
    bracketContent();
    focusAt(cursorPos);
}

// Passes the template down the chain of focus proxies to the field that has
// the focus, and inserts a copy of it there in front of the cursor.
void QFormulaField::insertFormula(QFormula *formulaTemplate)
{
    if (auto *nested = qobject_cast<QFormula *>(focusProxy())) {
        debugInsertionStep("passing formula to", this);
        nested->insertFormula(formulaTemplate);
        return;
    }
    debugInsertionStep("inserting formula to", this);
    QFormulaEdit edit(this);
    auto *copy = new QFormula(*formulaTemplate);
    if (copy->fieldCount() == 0) {
        copy->deleteLater();
        typeText(formulaTemplate->appendText, false)->setFocus(Qt::OtherFocusReason);
        return;
    }
    // A selection goes into the formula's operand field.
    if (hasSelection()) {
        delete copy;
        const int lo = qMin(cursorPos, anchorPos);
        buildAround(formulaTemplate, takeItems(lo, qMax(cursorPos, anchorPos)));
        return;
    }
    insertText(copy->appendText, true);
    holdFormula(copy);
    copy->setFocus(Qt::OtherFocusReason);
    bracketContent();
}

void QFormulaField::holdFormula(QFormula *nested)
{
    nested->setParent(this);
    nested->setFont(font());
    // Centred, a nested formula keeps its preferred height: without an
    // alignment the box layout would cap the whole field at the height of
    // its shortest nested formula and squash the taller ones.
    layout->insertWidget(cursorPos, nested, 0, Qt::AlignVCenter);
    nested->show();
    outlineState = NoOutline;
    connect(nested, &QFormula::returnPressed, this, &QFormulaField::returnPressed);
    connect(nested, &QFormula::contentChanged, this, &QFormulaField::contentChanged);
    connect(nested, &QFormula::cursorMoved, this, &QFormulaField::cursorMoved);
    emit contentChanged();
}

void QFormulaField::moveFocusOut(FocusDirection direction)
{
    if (direction == FocusDirection::Up || direction == FocusDirection::Down) {
        moveVertically(direction);
        return;
    }
    const bool toRight = direction == FocusDirection::Right;
    const QVector<QFormulaField *> order =
        formula() ? formula()->readingOrder() : QVector<QFormulaField *>();
    const int at = int(order.indexOf(this));
    const int next = toRight ? at + 1 : at - 1;
    if (at < 0 || next < 0 || next >= order.size()) {
        leaveFormula(toRight);
        return;
    }
    QFormulaField *target = order.at(next);
    target->focusAt(toRight ? target->contentStart() : target->contentEnd());
}

void QFormulaField::focusAt(int pos)
{
    setCursorPosition(qBound(0, pos, itemCount()), false, false);
    setFocus(Qt::OtherFocusReason);
}

int QFormulaField::itemCount() const
{
    return layout->count();
}

QWidget *QFormulaField::itemWidget(int index) const
{
    QLayoutItem *item = index >= 0 ? layout->itemAt(index) : nullptr;
    return item ? item->widget() : nullptr;
}

// The field's editing keys reach it before the window's shortcuts. Items
// came or went: the formulas held here line up anew with the items beside
// them.
bool QFormulaField::event(QEvent *event)
{
    if (event->type() == QEvent::ShortcutOverride && handlesKey(static_cast<QKeyEvent *>(event))) {
        event->accept();
        return true;
    }
    if (event->type() == QEvent::LayoutRequest)
        for (int i = 0; i < itemCount(); ++i)
            if (auto *nested = qobject_cast<QFormula *>(itemWidget(i)))
                nested->centreOnAxis();
    return QFrame::event(event);
}

void QFormulaField::timerEvent(QTimerEvent *event)
{
    if (event->timerId() != blinkTimerId) {
        QFrame::timerEvent(event);
        return;
    }
    cursorVisible = !cursorVisible;
    repaint();
}

// A caption takes no clicks: they go to the field around its formula. A left
// press places the cursor or starts a selection, a middle press pastes the
// selection clipboard there. A press that reaches the field from a formula
// nested in it, or from the view, brings the focus here.
void QFormulaField::mousePressEvent(QMouseEvent *event)
{
    if (focusPolicy() == Qt::NoFocus) {
        event->ignore();
        return;
    }
    const int index = indexAt(event->pos());
    pressedInSelection = event->button() == Qt::LeftButton && index >= qMin(cursorPos, anchorPos) &&
                         index <= qMax(cursorPos, anchorPos);
    if (!pressedInSelection)
        setCursorPosition(index, false, false);
    if (!focusProxy() && QApplication::focusWidget() != this)
        setFocus(Qt::MouseFocusReason);
    if (event->button() == Qt::MiddleButton)
        paste(QClipboard::Selection);
}

void QFormulaField::mouseReleaseEvent(QMouseEvent *event)
{
    if (focusPolicy() == Qt::NoFocus) {
        event->ignore();
        return;
    }
    if (event->button() == Qt::LeftButton && pressedInSelection)
        setCursorPosition(indexAt(event->pos()), false, false);
}

void QFormulaField::mouseMoveEvent(QMouseEvent *event)
{
    if (focusPolicy() == Qt::NoFocus) {
        event->ignore();
        return;
    }
    if ((event->buttons() & Qt::LeftButton) && !pressedInSelection)
        setCursorPosition(indexAt(event->pos()), false, true);
}

void QFormulaField::keyPressEvent(QKeyEvent *event)
{
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    if (event->matches(QKeySequence::Undo)) {
        formula()->undo();
    } else if (event->matches(QKeySequence::Redo) || (ctrl && event->key() == Qt::Key_Y)) {
        formula()->redo();
    } else {
        const QString text = event->text();
        const bool typing = !text.isEmpty() && text.at(0).isPrint() &&
                            !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
        QFormulaEdit edit(this, typing);
        editByKey(event);
    }
    if (auto *focused = qobject_cast<QFormulaField *>(QApplication::focusWidget()))
        emit focused->cursorMoved();
}

void QFormulaField::editByKey(QKeyEvent *event)
{
    if (editSelection(event))
        return;
    const QString text = event->text();
    if (!text.isEmpty() && text.at(0).isPrint()) {
        typeText(text);
        return;
    }
    const bool shift = event->modifiers() == Qt::ShiftModifier;
    switch (event->key()) {
    case Qt::Key_Backspace:
        backspace();
        break;
    case Qt::Key_Delete:
        deleteForward();
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        emit returnPressed();
        break;
    case Qt::Key_Home:
        setCursorPosition(0, false, shift);
        break;
    case Qt::Key_End:
        setCursorPosition(itemCount(), false, shift);
        break;
    // Selecting stays in the field; moving goes into the formulas beside
    // the cursor and on past either end.
    case Qt::Key_Left:
        if (shift)
            setCursorPosition(cursorPos - 1, false, true);
        else
            moveLeft();
        break;
    case Qt::Key_Right:
        if (shift)
            setCursorPosition(cursorPos + 1, false, true);
        else
            moveRight();
        break;
    case Qt::Key_Up:
        moveFocusOut(FocusDirection::Up);
        break;
    case Qt::Key_Down:
        moveFocusOut(FocusDirection::Down);
        break;
    default:
        break;
    }
}

void QFormulaField::focusInEvent(QFocusEvent *)
{
    linkFocusProxies();
    outlineState = FocusOutline;
    cursorVisible = true;
    blinkTimerId = startTimer(blinkInterval);
    repaint();
}

// A selection lasts while the field has the focus; a menu opened or another
// window activated meanwhile keeps it.
void QFormulaField::focusOutEvent(QFocusEvent *event)
{
    if (event->reason() != Qt::PopupFocusReason && event->reason() != Qt::ActiveWindowFocusReason)
        anchorPos = cursorPos;
    killTimer(blinkTimerId);
    blinkTimerId = 0;
    cursorVisible = false;
    outlineState = itemCount() == 0 ? EmptyOutline : NoOutline;
    repaint();
}

void QFormulaField::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const int penWidth = int(fontSizeMult * 2);
    const int cursorLeft = cursorX(cursorPos, penWidth);
    if (hasSelection())
        paintSelection(painter, cursorLeft, penWidth);
    if (cursorVisible)
        paintCursor(painter, cursorLeft, penWidth);
    paintOutline(painter);
}

void QFormulaField::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange)
        for (int i = 0; i < itemCount(); ++i)
            itemWidget(i)->setFont(font());
    QFrame::changeEvent(event);
}

// Tab goes on to the next field of the tree still to fill, Shift+Tab back
// to the one before; past the last, to the controls around the formula.
bool QFormulaField::focusNextPrevChild(bool next)
{
    const QVector<QFormulaField *> tree =
        formula() ? formula()->rootFormula()->treeFields() : QVector<QFormulaField *>();
    const int at = int(tree.indexOf(this));
    for (int i = at + (next ? 1 : -1); at >= 0 && i >= 0 && i < tree.size(); i += next ? 1 : -1) {
        if (tree.at(i)->itemCount() == 0 && !tree.at(i)->caption) {
            tree.at(i)->focusAt(0);
            return true;
        }
    }
    return QFrame::focusNextPrevChild(next);
}

QFormula *QFormulaField::formula() const
{
    return qobject_cast<QFormula *>(parentWidget());
}

QFormulaChar *QFormulaField::glyphAt(int index) const
{
    return dynamic_cast<QFormulaChar *>(itemWidget(index));
}

bool QFormulaField::glyphIs(int index, const QString &text) const
{
    const QFormulaChar *glyph = glyphAt(index);
    return glyph && glyph->text() == text;
}

// Removes the item in front of the cursor, which moves onto its place; the
// field's own brackets are never removed alone, and go once they enclose
// nothing.
void QFormulaField::removeBefore()
{
    if (cursorPos <= contentStart())
        return;
    placeCursor(cursorPos - 1);
    removeAt(cursorPos);
    fitOwnBrackets();
}

void QFormulaField::removeAfter()
{
    if (cursorPos >= contentEnd())
        return;
    removeAt(cursorPos);
    fitOwnBrackets();
}

// A typed character: kept as it stands inside quotes; a closing bracket
// that closes nothing here closes the bracket open outside the formula; the
// trigger of a template builds it; anything else becomes a glyph.
QFormulaField *QFormulaField::typeCharacter(QChar ch, bool buildFormulas)
{
    if (insideQuotes(cursorPos)) {
        insertText(QString(ch), true);
        return this;
    }
    if (ch == QLatin1Char(')') && bracketDepthBefore(cursorPos) <= 0)
        return closeBracket();
    const QFormula *holder = formula();
    if (buildFormulas && holder && holder->catalogue) {
        const QTemplateCatalogue::Typed typed =
            holder->catalogue->typedTemplate(glyphsBefore(cursorPos), ch);
        // A bar typed at the end of an absolute value closes it.
        const bool closes = typed.formulaTemplate && !typed.infix &&
                            typed.formulaTemplate->objectName() == holder->objectName() &&
                            holder->fieldCount() == 1 && cursorPos == contentEnd() &&
                            itemCount() > 0;
        if (closes) {
            leaveFormula(true);
            return holder->holderField() ? holder->holderField() : this;
        }
        if (typed.formulaTemplate)
            return buildTyped(typed.formulaTemplate, typed.infix, typed.glyphsBefore);
    }
    insertText(QString(ch), true);
    return this;
}

// The typed template takes the selection, or, typed after its operand, the
// operand before the cursor without brackets round the whole of it.
QFormulaField *QFormulaField::buildTyped(const QFormula *formulaTemplate, bool infix,
                                         int glyphsBefore)
{
    for (int i = 0; i < glyphsBefore; ++i)
        removeBefore();
    QVector<QWidget *> items;
    if (hasSelection()) {
        items = takeItems(qMin(cursorPos, anchorPos), qMax(cursorPos, anchorPos));
    } else if (infix) {
        items = takeItems(operandStart(), cursorPos);
        if (isOneBracketedGroup(items)) {
            items.takeFirst()->deleteLater();
            items.takeLast()->deleteLater();
        }
    }
    return buildAround(formulaTemplate, items);
}

// A copy of the template at the cursor with the items in its operand field;
// the cursor goes to the next field to fill, or stays in the operand field
// when there is none or the items are none.
QFormulaField *QFormulaField::buildAround(const QFormula *formulaTemplate, QVector<QWidget *> items)
{
    auto *copy = new QFormula(*formulaTemplate);
    holdFormula(copy);
    QFormulaField *operand = copy->operandField();
    operand->putItems(items);
    operand->bracketContent();
    QFormulaField *next = items.isEmpty() ? nullptr : copy->nextToFill(operand);
    QFormulaField *target = next ? next : operand;
    target->focusAt(target == operand ? operand->cursorPos : 0);
    bracketContent();
    return target;
}

// The bracket goes to the nearest field around, out of formula after
// formula, that has a bracket open before the formula.
QFormulaField *QFormulaField::closeBracket()
{
    QFormulaField *field = this;
    int pos = cursorPos;
    while (field && field->bracketDepthBefore(pos) <= 0) {
        QFormula *nested = field->formula();
        field = nested ? nested->holderField() : nullptr;
        pos = field ? field->indexOfItem(nested) + 1 : 0;
    }
    // Nothing open anywhere: the bracket closes a formula typed with an
    // opening bracket ("sqrt("), else it stands here.
    if (!field && formula() && formula()->prefix.contains(QLatin1Char('('))) {
        leaveFormula(true);
        return formula()->holderField() ? formula()->holderField() : this;
    }
    if (!field)
        field = this;
    else
        field->focusAt(pos);
    field->insertText(QStringLiteral(")"), true);
    return field;
}

// The glyphs' text from the last nested formula before pos, or the start of
// the content, up to pos.
QString QFormulaField::glyphsBefore(int pos) const
{
    QString text;
    for (int i = pos - 1; i >= contentStart(); --i) {
        const QFormulaChar *glyph = glyphAt(i);
        if (!glyph)
            break;
        text.prepend(glyph->text());
    }
    return text;
}

// The start of the operand before the cursor: numbers, names, nested
// formulas and bracketed groups, back to an operator, an open bracket or
// the start of the field.
int QFormulaField::operandStart() const
{
    int start = cursorPos;
    while (start > contentStart()) {
        const QFormulaChar *glyph = glyphAt(start - 1);
        if (!glyph) {
            --start;
        } else if (glyph->text() == QLatin1String(")")) {
            const int open = matchingOpening(start - 1);
            if (open < contentStart())
                break;
            start = open;
        } else if (!glyph->text().isEmpty() && isOperandCharacter(glyph->text().at(0))) {
            --start;
        } else {
            break;
        }
    }
    return start;
}

// Takes the items from..to-1 out of the field without deleting them; the
// cursor goes where they were.
QVector<QWidget *> QFormulaField::takeItems(int from, int to)
{
    QVector<QWidget *> items;
    for (int i = from; i < to && from < itemCount(); ++i) {
        QLayoutItem *item = layout->takeAt(from);
        QWidget *widget = item->widget();
        delete item;
        if (widget == focusProxy())
            setFocusProxy(nullptr);
        disconnect(widget, nullptr, this, nullptr);
        items.append(widget);
    }
    placeCursor(from);
    fitOwnBrackets();
    update();
    return items;
}

// Puts items taken from another field in at the cursor, which moves past
// them.
void QFormulaField::putItems(const QVector<QWidget *> &items)
{
    for (QWidget *item : items) {
        if (auto *nested = qobject_cast<QFormula *>(item)) {
            holdFormula(nested);
        } else {
            item->setParent(this);
            item->setFont(font());
            layout->insertWidget(cursorPos, item);
            item->show();
        }
        placeCursor(cursorPos + 1);
    }
    if (!items.isEmpty())
        outlineState = hasFocus() ? FocusOutline : NoOutline;
}

// Left goes into the formula before the cursor, to the end of its last
// field, and on past the start of the field; Right mirrors it.
void QFormulaField::moveLeft()
{
    const auto *nested =
        cursorPos > contentStart() ? qobject_cast<QFormula *>(itemWidget(cursorPos - 1)) : nullptr;
    const QVector<QFormulaField *> order =
        nested ? nested->readingOrder() : QVector<QFormulaField *>();
    if (order.isEmpty())
        setCursorPosition(cursorPos - 1, true, false);
    else
        order.last()->focusAt(order.last()->contentEnd());
}

void QFormulaField::moveRight()
{
    const auto *nested =
        cursorPos < contentEnd() ? qobject_cast<QFormula *>(itemWidget(cursorPos)) : nullptr;
    const QVector<QFormulaField *> order =
        nested ? nested->readingOrder() : QVector<QFormulaField *>();
    if (order.isEmpty())
        setCursorPosition(cursorPos + 1, true, false);
    else
        order.first()->focusAt(order.first()->contentStart());
}

// To the field stacked above or below in the innermost formula that has
// one, going out one formula at a time; where none has one, nowhere.
void QFormulaField::moveVertically(FocusDirection direction)
{
    for (const QFormulaField *field = this; field && field->formula();) {
        if (QFormulaField *target = field->formula()->stackedField(field, direction)) {
            target->focusAt(target->cursorPos);
            return;
        }
        field = field->formula()->holderField();
    }
}

// Puts the cursor just before or after the formula in the field that holds
// it; a field of the root formula keeps it.
void QFormulaField::leaveFormula(bool toRight)
{
    QFormula *nested = formula();
    QFormulaField *holder = nested ? nested->holderField() : nullptr;
    if (holder)
        holder->focusAt(holder->indexOfItem(nested) + (toRight ? 1 : 0));
}

// Backspace goes into the formula before the cursor, to the end of its last
// field; an empty one goes at once. At the start of a field it goes to the
// field before; at the start of the first, or in an empty formula, it takes
// the formula away and keeps what its fields held.
void QFormulaField::backspace()
{
    if (hasSelection()) {
        removeSelection();
        return;
    }
    QFormula *holder = formula();
    if (cursorPos > contentStart()) {
        const auto *nested = qobject_cast<QFormula *>(itemWidget(cursorPos - 1));
        if (nested && !nested->isEmpty())
            moveLeft();
        else
            removeBefore();
        return;
    }
    if (!holder || !holder->holderField())
        return;
    if (holder->isEmpty() || holder->readingOrder().first() == this)
        holder->holderField()->unwrapFormula(holder, false);
    else
        moveFocusOut(FocusDirection::Left);
}

void QFormulaField::deleteForward()
{
    if (hasSelection()) {
        removeSelection();
        return;
    }
    QFormula *holder = formula();
    if (cursorPos < contentEnd()) {
        const auto *nested = qobject_cast<QFormula *>(itemWidget(cursorPos));
        if (nested && !nested->isEmpty())
            moveRight();
        else
            removeAfter();
        return;
    }
    if (!holder || !holder->holderField())
        return;
    if (holder->isEmpty() || holder->readingOrder().last() == this)
        holder->holderField()->unwrapFormula(holder, true);
    else
        moveFocusOut(FocusDirection::Right);
}

// The field's own brackets go once they enclose nothing, or once a closing
// bracket inside would be read as closing them.
void QFormulaField::fitOwnBrackets()
{
    if (!ownBrackets || (itemCount() > 2 && !closesUnopened()))
        return;
    const int cursor = cursorPos;
    const int anchor = anchorPos;
    removeAt(itemCount() - 1);
    removeAt(0);
    cursorPos = qBound(0, cursor - 1, itemCount());
    anchorPos = qBound(0, anchor - 1, itemCount());
}

// Whether a closing bracket of the content has no opening one before it.
bool QFormulaField::closesUnopened() const
{
    return bracketDepth() < 0;
}

// Whether every bracket of the content pairs up with another. Brackets of
// its own would not enclose a content with a bracket still open, which the
// user is typing, nor one that closes a bracket it never opened.
bool QFormulaField::bracketsPair() const
{
    return bracketDepth() == 0;
}

// The depth of brackets still open at the end of the content, or -1 once a
// closing bracket has no opening one before it.
int QFormulaField::bracketDepth() const
{
    int depth = 0;
    for (int i = contentStart(); i < contentEnd() && depth >= 0; ++i) {
        if (glyphIs(i, QStringLiteral("(")))
            ++depth;
        else if (glyphIs(i, QStringLiteral(")")))
            --depth;
    }
    return depth;
}

// The depth of brackets open before pos within the content.
int QFormulaField::bracketDepthBefore(int pos) const
{
    int depth = 0;
    for (int i = contentStart(); i < pos && i < contentEnd(); ++i)
        depth += glyphIs(i, QStringLiteral("(")) ? 1 : glyphIs(i, QStringLiteral(")")) ? -1 : 0;
    return depth;
}

// The index of the bracket that opens the one at close, or -1.
int QFormulaField::matchingOpening(int close) const
{
    int depth = 0;
    for (int i = close; i >= 0; --i) {
        if (glyphIs(i, QStringLiteral(")")))
            ++depth;
        else if (glyphIs(i, QStringLiteral("(")) && --depth == 0)
            return i;
    }
    return -1;
}

int QFormulaField::contentStart() const
{
    return ownBrackets ? 1 : 0;
}

int QFormulaField::contentEnd() const
{
    return ownBrackets ? itemCount() - 1 : itemCount();
}

// The index of the bracket that closes the one at open, or -1.
int QFormulaField::matchingBracket(int open) const
{
    int depth = 0;
    for (int i = open; i < itemCount(); ++i) {
        if (glyphIs(i, QStringLiteral("(")))
            ++depth;
        else if (glyphIs(i, QStringLiteral(")")) && --depth == 0)
            return i;
    }
    return -1;
}

// The items from..to-1 as one line: glyphs by their line text, nested
// formulas by theirs.
QString QFormulaField::lineOf(int from, int to) const
{
    QString line;
    for (int i = from; i < to; ++i) {
        if (const QFormulaChar *glyph = glyphAt(i))
            line += glyph->toLine();
        else if (const auto *nested = qobject_cast<const QFormula *>(itemWidget(i)))
            line += nested->toLine();
    }
    return line;
}

// The keys the field takes itself even where the window has a shortcut for
// them: typing and editing, Paste always, Copy while there is a selection to
// copy. Without one, Copy goes on to the window, which copies the answer.
bool QFormulaField::handlesKey(QKeyEvent *event) const
{
    if (event->matches(QKeySequence::Copy))
        return hasSelection();
    if (event->matches(QKeySequence::Paste) || event->matches(QKeySequence::SelectAll) ||
        event->matches(QKeySequence::Undo) || event->matches(QKeySequence::Redo) ||
        (event->modifiers() == Qt::ControlModifier && event->key() == Qt::Key_Y))
        return true;
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const QString text = event->text();
    if (!text.isEmpty() && text.at(0).isPrint())
        return true;
    switch (event->key()) {
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
        return true;
    default:
        return false;
    }
}

// Select all, Copy and Paste; Copy with nothing selected is left to the
// widgets around the formula.
bool QFormulaField::editSelection(QKeyEvent *event)
{
    if (event->matches(QKeySequence::SelectAll)) {
        selectAll();
    } else if (event->matches(QKeySequence::Copy)) {
        if (hasSelection())
            copySelection(QClipboard::Clipboard);
        else
            event->ignore();
    } else if (event->matches(QKeySequence::Paste)) {
        paste(QClipboard::Clipboard);
    } else {
        return false;
    }
    return true;
}

void QFormulaField::copySelection(QClipboard::Mode mode) const
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (mode == QClipboard::Clipboard || clipboard->supportsSelection())
        clipboard->setText(selectedLine(), mode);
}

void QFormulaField::paste(QClipboard::Mode mode)
{
    QFormulaEdit edit(this);
    pasteText(QGuiApplication::clipboard()->text(mode));
}

// Puts cursor and anchor at pos, dropping any selection.
void QFormulaField::placeCursor(int pos)
{
    cursorPos = pos;
    anchorPos = pos;
}

// Takes the focus back from the formula nested in this field that has it.
void QFormulaField::takeFocusFromProxy()
{
    focusProxy()->clearFocus();
    setFocusProxy(nullptr);
    setFocus(Qt::OtherFocusReason);
}

// A nested formula that is removed, by clear() for instance, must not stay
// the way to the focus: typing and insertion would go into a formula about
// to be deleted. The focus, when it was inside, comes back to this field.
void QFormulaField::releaseRemovedProxy(QWidget *removed)
{
    const bool focusInside = removed->hasFocus();
    setFocusProxy(nullptr);
    if (focusInside)
        setFocus(Qt::OtherFocusReason);
}

// Makes every widget on the way from this field up to the widget holding the
// formula tree forward the focus towards this field: the formula to the
// field, the field holding that formula to it, and so on up to the first
// widget whose parent is not part of the tree.
void QFormulaField::linkFocusProxies()
{
    QWidget *inner = parentWidget();
    if (!inner)
        return;
    inner->setFocusProxy(this);
    for (QWidget *outer = inner->parentWidget(); outer; outer = inner->parentWidget()) {
        outer->setFocusProxy(inner);
        inner = outer;
        if (!inner->parentWidget() || !inner->parentWidget()->focusProxy())
            break;
    }
}

void QFormulaField::paintSelection(QPainter &painter, int cursorLeft, int penWidth)
{
    const int anchorLeft = cursorX(anchorPos, penWidth);
    painter.setPen(QColor(Qt::transparent));
    painter.setBrush(palette().color(QPalette::HighlightedText));
    painter.drawRect(
        QRect(QPoint(cursorLeft, 0), QPoint(anchorLeft - 1, height() - 1)).normalized());
}

void QFormulaField::paintCursor(QPainter &painter, int cursorLeft, int penWidth)
{
    painter.setPen(QPen(palette().color(QPalette::Text), penWidth));
    painter.drawLine(cursorLeft, 0, cursorLeft, height());
}

void QFormulaField::paintOutline(QPainter &painter)
{
    if (outlineState == NoOutline)
        return;
    const QPalette::ColorRole role =
        outlineState == EmptyOutline ? QPalette::AlternateBase : QPalette::Highlight;
    painter.setPen(
        QPen(QBrush(palette().color(role)), 2.0, Qt::DotLine, Qt::SquareCap, Qt::BevelJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRect(QPoint(0, 0), QPoint(width() - 1, height() - 1)));
}
