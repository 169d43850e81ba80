#include "qformulaedit.h"

#include "qformula.h"

namespace
{
// Edits in progress; one GUI thread edits formulas.
int openEdits = 0;

// The root formula of the tree the widget belongs to, if any.
QFormula *rootOf(QWidget *member)
{
    auto *formula = qobject_cast<QFormula *>(member);
    if (!formula && member)
        formula = qobject_cast<QFormula *>(member->parentWidget());
    return formula ? formula->rootFormula() : nullptr;
}
} // namespace

QFormulaEdit::QFormulaEdit(QWidget *member, bool typing)
    : root(rootOf(member)), outermost(openEdits == 0), typing(typing)
{
    ++openEdits;
    if (outermost && root)
        before = root->state();
}

QFormulaEdit::~QFormulaEdit()
{
    --openEdits;
    if (!outermost || !root)
        return;
    const QFormulaUndoStack::State after = root->state();
    if (after.record == before.record)
        return;
    root->undoStack().push(before, after, typing);
    emit root->contentChanged();
}
