#include "qformulafield.h"

#include "qformula.h"
#include "qformulachar.h"
#include "qformuladebug.h"

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
    if (outlineState == NoOutline && text.isEmpty())
        outlineState = EmptyOutline;
    if (!autoBracket || !autoBrakes)
        return;
    if (text == QLatin1String("(") || text == QLatin1String(")") || isBracketed() ||
        isPlainOperand())
        return;
    wrapInBrackets();
}

bool QFormulaField::isBracketed() const
{
    const int count = itemCount();
    if (count < 2)
        return false;
    return glyphIs(0, QStringLiteral("(")) || glyphIs(count - 1, QStringLiteral(")"));
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
}

void QFormulaField::removeAt(int index)
{
    if (index < 0 || index >= itemCount())
        return;
    QLayoutItem *item = layout->takeAt(index);
    QWidget *widget = item->widget();
    delete item;
    qDebug() << "delete" << widget;
    if (widget == focusProxy())
        releaseRemovedProxy(widget);
    widget->deleteLater();
    update();
}

void QFormulaField::setCursorPosition(int pos, bool leaveAtEdge, bool keepAnchor)
{
    if (pos >= 0 && pos <= itemCount()) {
        cursorPos = pos;
        if (!keepAnchor)
            anchorPos = pos;
        if (focusProxy()) {
            takeFocusFromProxy();
        } else if (hasFocus()) {
            cursorVisible = true;
            repaint();
        }
    } else if (leaveAtEdge) {
        const bool beforeStart = pos < 0;
        placeCursor(beforeStart ? 0 : itemCount());
        moveFocusOut(beforeStart ? FocusDirection::Left : FocusDirection::Right);
    }
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

// The insertion index under a point: the index of the item there, or the one
// after it when the point lies on the item's right half; -1 beside all items.
int QFormulaField::indexAt(const QPoint &pos) const
{
    QWidget *item = childAt(pos);
    while (item && item->parentWidget() != this)
        item = item->parentWidget();
    if (!item)
        return -1;
    const QRect bounds = item->geometry();
    const bool rightHalf = pos.x() > (bounds.left() + bounds.right()) / 2;
    return layout->indexOf(item) + (rightHalf ? 1 : 0);
}

QString QFormulaField::toLine(bool useDefault) const
{
    QString line;
    for (int i = 0; i < itemCount(); ++i) {
        if (const QFormulaChar *glyph = glyphAt(i))
            line += glyph->toLine();
        else if (const auto *nested = qobject_cast<const QFormula *>(itemWidget(i)))
            line += nested->toLine();
    }
    return line.isEmpty() && useDefault ? defValue : line;
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
    if (autoBrakes && !isBracketed())
        wrapInBrackets();
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

// Items came or went: the formulas held here line up anew with the items
// beside them.
bool QFormulaField::event(QEvent *event)
{
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

void QFormulaField::mousePressEvent(QMouseEvent *event)
{
    const int index = indexAt(event->pos());
    if (index < qMin(cursorPos, anchorPos) || index > qMax(cursorPos, anchorPos)) {
        setCursorPosition(index, false, false);
        pressedInSelection = false;
    } else {
        pressedInSelection = true;
    }
}

void QFormulaField::mouseReleaseEvent(QMouseEvent *event)
{
    if (pressedInSelection)
        setCursorPosition(indexAt(event->pos()), false, false);
}

void QFormulaField::mouseMoveEvent(QMouseEvent *event)
{
    if (!pressedInSelection)
        setCursorPosition(indexAt(event->pos()), false, true);
}

void QFormulaField::keyPressEvent(QKeyEvent *event)
{
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
        else if (cursorPos > 0)
            removeBefore();
        break;
    case Qt::Key_Delete:
        if (hasSelection())
            removeSelection();
        else
            removeAt(cursorPos);
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        emit returnPressed();
        break;
    case Qt::Key_Home:
        setCursorPosition(0, false, false);
        break;
    case Qt::Key_End:
        setCursorPosition(itemCount(), false, false);
        break;
    case Qt::Key_Left:
        setCursorPosition(cursorPos - 1, true, shift);
        break;
    case Qt::Key_Right:
        setCursorPosition(cursorPos + 1, true, shift);
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

void QFormulaField::focusOutEvent(QFocusEvent *)
{
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

// Removes the item in front of the cursor, which moves onto its place.
void QFormulaField::removeBefore()
{
    placeCursor(cursorPos - 1);
    removeAt(cursorPos);
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
