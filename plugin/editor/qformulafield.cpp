#include "qformulafield.h"

#include "qformula.h"
#include "qformulachar.h"
#include "qformuladebug.h"

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
        const QString glyphText(ch.toLower());
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

void QFormulaField::typeLine(const QString &text)
{
    const QString line = text.section(QLatin1Char('\n'), 0, 0);
    for (const QChar ch : line)
        if (ch.isPrint())
            insertText(QString(ch), true);
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
    auto *copy = new QFormula(*formulaTemplate);
    insertText(copy->appendText, true);
    if (copy->fieldCount() == 0) {
        copy->deleteLater();
        setFocus(Qt::OtherFocusReason);
        return;
    }
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
    outlineState = NoOutline;
    connect(nested, &QFormula::returnPressed, this, &QFormulaField::returnPressed);
    connect(nested, &QFormula::contentChanged, this, &QFormulaField::contentChanged);
    connect(nested, &QFormula::cursorMoved, this, &QFormulaField::cursorMoved);
    emit contentChanged();
}

void QFormulaField::moveFocusOut(FocusDirection direction)
{
    QFormula *holder = formula();
    if (!holder || holder->fieldCount() == 1) {
        stayInside(direction);
        return;
    }
    QFormulaField *target = holder->neighbourField(this, direction);
    if (!target || target == this)
        return;
    if (direction == FocusDirection::Left)
        target->setCursorPosition(target->itemCount(), false, false);
    else if (direction == FocusDirection::Right)
        target->setCursorPosition(0, false, false);
    target->setFocus(Qt::OtherFocusReason);
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
    if (editSelection(event))
        return;
    const QString text = event->text();
    if (!text.isEmpty() && text.at(0).isPrint()) {
        insertText(text, true);
        return;
    }
    const bool shift = event->modifiers() == Qt::ShiftModifier;
    switch (event->key()) {
    case Qt::Key_Backspace:
        if (hasSelection())
            removeSelection();
        else
            removeBefore();
        break;
    case Qt::Key_Delete:
        if (hasSelection())
            removeSelection();
        else
            removeAfter();
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
    // Selecting stays in the field; moving leaves it past either end.
    case Qt::Key_Left:
        setCursorPosition(cursorPos - 1, !shift, shift);
        break;
    case Qt::Key_Right:
        setCursorPosition(cursorPos + 1, !shift, shift);
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
    if (event->matches(QKeySequence::Paste) || event->matches(QKeySequence::SelectAll))
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
    typeLine(QGuiApplication::clipboard()->text(mode));
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

// The focus never leaves a formula with a single field by the arrow keys: it
// stays here, with the cursor at the end after Right and at 0 otherwise.
void QFormulaField::stayInside(FocusDirection direction)
{
    setFocusProxy(nullptr);
    const bool toEnd = direction == FocusDirection::Right && itemCount() > 0;
    setCursorPosition(toEnd ? itemCount() : 0, false, false);
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
