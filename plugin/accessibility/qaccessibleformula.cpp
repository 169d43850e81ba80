#include "qaccessibleformula.h"

#include "qformula.h"
#include "qformulaannouncer.h"
#include "qformulafield.h"
#include "qformulawords.h"

#include <QAbstractButton>
#include <QApplication>

QAccessibleFormula::QAccessibleFormula(QFormula *formula)
    : QAccessibleWidget(formula, QAccessible::EditableText)
{
    if (!formula->findChild<QFormulaAnnouncer *>(QString(), Qt::FindDirectChildrenOnly))
        new QFormulaAnnouncer(formula);
}

bool QAccessibleFormula::isEditedRoot(const QObject *object)
{
    const auto *formula = qobject_cast<const QFormula *>(object);
    if (!formula || qobject_cast<QFormulaField *>(formula->parentWidget()) ||
        qobject_cast<QAbstractButton *>(formula->parentWidget()))
        return false;
    for (int i = 0; i < formula->fieldCount(); ++i)
        if (formula->field(i)->focusPolicy() != Qt::NoFocus)
            return true;
    return false;
}

QFormula *QAccessibleFormula::editedRootOf(QObject *object)
{
    for (; object; object = object->parent())
        if (isEditedRoot(object))
            return static_cast<QFormula *>(object);
    return nullptr;
}

void *QAccessibleFormula::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface *>(this);
    if (type == QAccessible::EditableTextInterface)
        return static_cast<QAccessibleEditableTextInterface *>(this);
    return QAccessibleWidget::interface_cast(type);
}

int QAccessibleFormula::childCount() const
{
    return 0;
}

QAccessibleInterface *QAccessibleFormula::child(int) const
{
    return nullptr;
}

int QAccessibleFormula::indexOfChild(const QAccessibleInterface *) const
{
    return -1;
}

QAccessibleInterface *QAccessibleFormula::childAt(int, int) const
{
    return nullptr;
}

QString QAccessibleFormula::text(QAccessible::Text type) const
{
    switch (type) {
    case QAccessible::Name:
        return QFormulaWords::translated(QT_TRANSLATE_NOOP("QFormulaWords", "Formula"));
    case QAccessible::Description: {
        const auto *announcer =
            formula()->findChild<QFormulaAnnouncer *>(QString(), Qt::FindDirectChildrenOnly);
        if (announcer && !announcer->announcement().isEmpty())
            return announcer->announcement();
        QFormulaSpeech::FieldPath path;
        QFormulaSpeech::cursorField(formula(), &path);
        return speech().fieldName(path);
    }
    case QAccessible::Value:
        return speech().text();
    default:
        return QAccessibleWidget::text(type);
    }
}

QAccessible::State QAccessibleFormula::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    const QWidget *focused = QApplication::focusWidget();
    state.focusable = true;
    state.focused = focused && formula()->isAncestorOf(focused);
    state.editable = true;
    state.selectableText = true;
    state.multiLine = false;
    return state;
}

QStringList QAccessibleFormula::actionNames() const
{
    return {QAccessibleActionInterface::setFocusAction()};
}

void QAccessibleFormula::doAction(const QString &actionName)
{
    if (actionName != QAccessibleActionInterface::setFocusAction())
        return;
    formula()->activateWindow();
    formula()->setFocus(Qt::OtherFocusReason);
}

void QAccessibleFormula::selection(int selectionIndex, int *startOffset, int *endOffset) const
{
    *startOffset = *endOffset = 0;
    QFormulaSpeech::FieldPath path;
    const QFormulaField *field = QFormulaSpeech::cursorField(formula(), &path);
    if (selectionIndex != 0 || !field || field->cursorPosition() == field->anchorPosition())
        return;
    const QFormulaSpeech spoken = speech();
    const int cursor = spoken.offsetOf(path, field->cursorPosition());
    const int anchor = spoken.offsetOf(path, field->anchorPosition());
    *startOffset = qMin(cursor, anchor);
    *endOffset = qMax(cursor, anchor);
}

int QAccessibleFormula::selectionCount() const
{
    int start = 0;
    int end = 0;
    selection(0, &start, &end);
    return start == end ? 0 : 1;
}

void QAccessibleFormula::addSelection(int startOffset, int endOffset)
{
    select(startOffset, endOffset);
}

void QAccessibleFormula::removeSelection(int)
{
    setCursorPosition(cursorPosition());
}

void QAccessibleFormula::setSelection(int, int startOffset, int endOffset)
{
    select(startOffset, endOffset);
}

int QAccessibleFormula::cursorPosition() const
{
    QFormulaSpeech::FieldPath path;
    const QFormulaField *field = QFormulaSpeech::cursorField(formula(), &path);
    return field ? qMax(0, speech().offsetOf(path, field->cursorPosition())) : 0;
}

void QAccessibleFormula::setCursorPosition(int position)
{
    QFormulaSpeech::FieldPath path;
    placeCursor(speech(), position, &path);
}

QString QAccessibleFormula::text(int startOffset, int endOffset) const
{
    const QString spoken = speech().text();
    if (startOffset < 0 || endOffset < startOffset || startOffset > spoken.size())
        return QString();
    return spoken.mid(startOffset, endOffset - startOffset);
}

int QAccessibleFormula::characterCount() const
{
    return speech().text().size();
}

// The place of the cursor that the offset reads: the height of its field at
// the cursor's x.
QRect QAccessibleFormula::characterRect(int offset) const
{
    const QFormulaSpeech spoken = speech();
    QFormulaSpeech::FieldPath path;
    int position = 0;
    if (!spoken.placeAt(offset, &path, &position))
        return QRect();
    const QFormulaField *field = QFormulaSpeech::fieldAt(formula(), path);
    if (!field)
        return QRect();
    const QPoint top = field->mapToGlobal(QPoint(field->cursorX(position, 0), 0));
    return QRect(top, QSize(1, field->height()));
}

int QAccessibleFormula::offsetAtPoint(const QPoint &point) const
{
    QWidget *under = formula()->childAt(formula()->mapFromGlobal(point));
    while (under && !qobject_cast<QFormulaField *>(under))
        under = under->parentWidget();
    auto *field = qobject_cast<QFormulaField *>(under);
    QFormulaSpeech::FieldPath path;
    if (!field || !QFormulaSpeech::pathOf(formula(), field, &path))
        return -1;
    return speech().offsetOf(path, field->indexAt(field->mapFromGlobal(point)));
}

// The view keeps the cursor in sight by itself.
void QAccessibleFormula::scrollToSubstring(int, int) {}

QString QAccessibleFormula::attributes(int, int *startOffset, int *endOffset) const
{
    *startOffset = 0;
    *endOffset = characterCount();
    return QString();
}

void QAccessibleFormula::deleteText(int startOffset, int endOffset)
{
    if (QFormulaField *field = select(startOffset, endOffset))
        field->removeSelection();
}

void QAccessibleFormula::insertText(int offset, const QString &text)
{
    QFormulaSpeech::FieldPath path;
    if (QFormulaField *field = placeCursor(speech(), offset, &path))
        field->typeText(text);
}

void QAccessibleFormula::replaceText(int startOffset, int endOffset, const QString &text)
{
    if (QFormulaField *field = select(startOffset, endOffset))
        field->typeText(text);
}

QFormula *QAccessibleFormula::formula() const
{
    return static_cast<QFormula *>(widget());
}

QFormulaSpeech QAccessibleFormula::speech() const
{
    return QFormulaSpeech::ofFormula(formula());
}

QFormulaField *QAccessibleFormula::placeCursor(const QFormulaSpeech &spoken, int offset,
                                               QFormulaSpeech::FieldPath *path)
{
    int position = 0;
    if (!spoken.placeAt(offset, path, &position))
        return nullptr;
    QFormulaField *field = QFormulaSpeech::fieldAt(formula(), *path);
    if (!field)
        return nullptr;
    field->setFocus(Qt::OtherFocusReason);
    field->setCursorPosition(position, false, false);
    return field;
}

// The selection ends after the item that the last character read belongs
// to.
QFormulaField *QAccessibleFormula::select(int startOffset, int endOffset)
{
    const QFormulaSpeech spoken = speech();
    QFormulaSpeech::FieldPath startField;
    QFormulaSpeech::FieldPath endField;
    int end = 0;
    if (endOffset > startOffset && !spoken.placeAt(endOffset - 1, &endField, &end))
        return nullptr;
    QFormulaField *field = placeCursor(spoken, startOffset, &startField);
    if (!field || endOffset <= startOffset)
        return field;
    if (startField != endField)
        return nullptr;
    field->setCursorPosition(end + 1, false, true);
    return field;
}
