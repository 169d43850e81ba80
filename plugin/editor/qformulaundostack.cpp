#include "qformulaundostack.h"

void QFormulaUndoStack::push(const State &before, const State &after, bool typing)
{
    steps.resize(done);
    if (typing && !steps.isEmpty() && steps.last().typing && steps.last().after == before) {
        steps.last().after = after;
        return;
    }
    steps.append({before, after, typing});
    if (steps.size() > limit)
        steps.removeFirst();
    done = steps.size();
}

const QFormulaUndoStack::State *QFormulaUndoStack::undo()
{
    return canUndo() ? &steps.at(--done).before : nullptr;
}

const QFormulaUndoStack::State *QFormulaUndoStack::redo()
{
    return canRedo() ? &steps.at(done++).after : nullptr;
}
