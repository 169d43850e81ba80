#ifndef QFORMULAUNDOSTACK_H
#define QFORMULAUNDOSTACK_H

#include "qformularecord.h"

#include <QVector>

// The edits of a root formula that can be undone and redone. A step holds
// the formula and its cursor (the field and the position in it) before and
// after the edit; a run of typed characters, each typed where the last one
// ended, is one step. The oldest steps go beyond the limit.
class QFormulaUndoStack
{
public:
    // What the formula and its cursor are at one moment. The cursor is the
    // way down to the field with the cursor, from the root: the field's
    // index in its formula, the index of the nested formula in that field,
    // and so on, ending with the field's index and the cursor position.
    struct State {
        QFormulaRecord record;
        QVector<int> cursor;
        bool operator==(const State &other) const
        {
            return record == other.record && cursor == other.cursor;
        }
    };

    static const int limit = 200;

    // Adds the step from before to after, dropping every step undone before
    // it; a typing step that goes on from the last typing step joins it.
    void push(const State &before, const State &after, bool typing);
    // The state to put back, or none when there is nothing to undo or redo.
    const State *undo();
    const State *redo();
    bool canUndo() const { return done > 0; }
    bool canRedo() const { return done < steps.size(); }
    int count() const { return steps.size(); }
    int index() const { return done; }

private:
    struct Step {
        State before;
        State after;
        bool typing;
    };

    QVector<Step> steps;
    int done = 0;
};

#endif
