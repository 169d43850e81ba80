#ifndef QFORMULAEDIT_H
#define QFORMULAEDIT_H

#include "qformulaundostack.h"

class QFormula;
class QWidget;

// One edit of a formula tree, from its start to the end of the scope: when
// the tree changed meanwhile, its root keeps the step for undo and tells
// that its content changed. Edits inside an edit are part of it.
class QFormulaEdit
{
public:
    // Any widget of the tree: a formula or a field.
    explicit QFormulaEdit(QWidget *member, bool typing = false);
    ~QFormulaEdit();
    QFormulaEdit(const QFormulaEdit &) = delete;
    QFormulaEdit &operator=(const QFormulaEdit &) = delete;

    // Whether the edit types characters, which run on in one step.
    void setTyping(bool typing) { this->typing = typing; }

private:
    QFormula *root;
    QFormulaUndoStack::State before;
    bool outermost;
    bool typing;
};

#endif
