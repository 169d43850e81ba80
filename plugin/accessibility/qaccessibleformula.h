#ifndef QACCESSIBLEFORMULA_H
#define QACCESSIBLEFORMULA_H

#include "qformulaspeech.h"

#include <QAccessibleWidget>

class QFormula;
class QFormulaField;

// The edited formula as a screen reader sees it: one editable text named
// "Formula", whose text is the formula read aloud and whose caret stands
// where the cursor of the field being edited stands. Its description names
// that field. The fields and glyphs inside are not objects of their own.
class QAccessibleFormula : public QAccessibleWidget,
                           public QAccessibleTextInterface,
                           public QAccessibleEditableTextInterface
{
public:
    explicit QAccessibleFormula(QFormula *formula);

    // Whether the formula is the root of a tree the user edits: not held in
    // a field, not a key's template, with a field that takes the focus.
    static bool isEditedRoot(const QObject *object);
    // The edited root holding the widget, or none.
    static QFormula *editedRootOf(QObject *object);

    void *interface_cast(QAccessible::InterfaceType type) override;
    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QAccessibleInterface *childAt(int x, int y) const override;
    QString text(QAccessible::Text type) const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString &actionName) override;

    // QAccessibleTextInterface
    void selection(int selectionIndex, int *startOffset, int *endOffset) const override;
    int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint &point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;
    QString attributes(int offset, int *startOffset, int *endOffset) const override;

    // QAccessibleEditableTextInterface
    void deleteText(int startOffset, int endOffset) override;
    void insertText(int offset, const QString &text) override;
    void replaceText(int startOffset, int endOffset, const QString &text) override;

private:
    QFormula *formula() const;
    QFormulaSpeech speech() const;
    // The field and position at an offset, focused with the cursor there.
    QFormulaField *placeCursor(const QFormulaSpeech &spoken, int offset,
                               QFormulaSpeech::FieldPath *path);
    // Selects from start to end when both lie in one field; the field, or
    // none when they do not.
    QFormulaField *select(int startOffset, int endOffset);
};

#endif
