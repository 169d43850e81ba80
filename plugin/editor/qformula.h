#ifndef QFORMULA_H
#define QFORMULA_H

#include "focusdirection.h"
#include "qformulaundostack.h"

#include <QLineF>
#include <QVector>
#include <QWidget>

#include <memory>

class QFormulaField;
class QFormulaGraphItem;
class QGridLayout;
class QTemplateCatalogue;

// One formula set in two dimensions: a small grid whose cells hold editable
// fields and drawn strokes. Fields hold glyphs and further formulas, so an
// edited formula is a tree, which toLine() writes out as one line through the
// lineTemplate of each formula ("%1", "%2", ... stand for its fields).
// The formula at the root of a tree, held in no field, keeps the tree's
// edits for undo and redo.
class QFormula : public QWidget
{
    Q_OBJECT

public:
    explicit QFormula(QWidget *parent = nullptr);
    // An independent copy of a template, its fields typed with the template
    // fields' linear text.
    QFormula(const QFormula &formulaTemplate);
    ~QFormula() override;

    void addField(float fontSizeMult, int row, int column, const QString &value,
                  const QString &defValue, bool autoBrakes, int rowSpan = 1);
    void addLine(QLineF line, int row, int column, float sizeRatio);
    QString toLine() const;
    void insertFormula(QFormula *formulaTemplate);
    // Lines the formula up with the items beside it in its field.
    void centreOnAxis();

    // The fields that take typing, in reading order: by column, and within
    // a column from the top.
    QVector<QFormulaField *> readingOrder() const;
    // The field that takes the operand or the selection the formula is
    // built around.
    QFormulaField *operandField() const;
    // The first empty field after the given one in reading order.
    QFormulaField *nextToFill(const QFormulaField *after) const;
    // The field stacked above (Up) or below (Down) the given one.
    QFormulaField *stackedField(const QFormulaField *from, FocusDirection direction) const;
    // The field that holds the formula, or none for a root formula.
    QFormulaField *holderField() const;
    QFormula *rootFormula();
    // Every field of the tree in reading order, each followed by the fields
    // of the formulas it holds.
    QVector<QFormulaField *> treeFields() const;
    // The first field of a nested formula that is empty and stands for no
    // default value: a formula with one cannot be calculated.
    QFormulaField *firstEmptyField() const;
    // Whether the fields the user fills are all empty.
    bool isEmpty() const;
    // Whether the first or last column holds a field of full size that is
    // not a caption: beside a number it would read as part of it.
    bool leadsWithOperand() const;
    bool endsWithOperand() const;

    // The root formula's edits. A state is the tree and its cursor; putting
    // one back rebuilds the tree through the templates it names.
    QFormulaUndoStack &undoStack();
    QFormulaUndoStack::State state() const;
    void restore(const QFormulaUndoStack::State &state);
    // Replaces what the fields hold by what the record describes, as one
    // step that can be undone; false when the templates cannot build it.
    bool replaceContent(const QFormulaRecord &record);

    // The font of a field whose size is factor times the formula's font, no
    // smaller than a legible size.
    static QFont scaledFont(const QFont &font, float factor);

    int fieldCount() const { return fields.size(); }
    QFormulaField *field(int index) const { return fields.at(index); }
    int graphItemCount() const { return graphItems.size(); }
    QFormulaGraphItem *graphItem(int index) const { return graphItems.at(index); }
    // Whether a "·" is drawn before or after the formula: beside a number an
    // implicit product would read as one number.
    bool showsProductBefore() const { return productBefore; }
    bool showsProductAfter() const { return productAfter; }

    QString lineTemplate;
    QString appendText;
    // What is typed to build the formula: after its operand (infix, "/"),
    // or before it (prefix, "√"); several triggers are separated by spaces.
    QString infix;
    QString prefix;
    // How the formula is written when its second field is -1, the inverse
    // function: %1 then stands for the inverse of the function in field 1.
    QString inverseLine;
    // The templates this formula and the formulas built in it come from.
    const QTemplateCatalogue *catalogue = nullptr;

public slots:
    // Empties every field; at the root, a step that can be undone.
    void clear();
    void undo();
    void redo();

signals:
    void returnPressed();
    // Passed on from the fields and everything nested in them, and sent by
    // the root after every edit, undo and redo.
    void contentChanged();
    void cursorMoved();

protected:
    bool event(QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QString cellName(const char *kind, int row, int column) const;
    bool namesField(int index) const;
    QString filledTemplate(const QString &pattern, const QString &firstField) const;
    QString inverseName() const;
    int axisRow() const;
    QFormulaGraphItem *graphItemAt(int row, int column) const;
    QFormulaField *nearestField(const QPoint &pos) const;
    bool columnLeadsWithOperand(int column) const;
    void findProductNeighbours();
    void scaleFieldFonts();
    void scaleFieldFont(QFormulaField *field);

    QVector<QFormulaField *> fields;
    QVector<QFormulaGraphItem *> graphItems;
    QGridLayout *gridLayout;
    bool productBefore = false;
    bool productAfter = false;
    std::unique_ptr<QFormulaUndoStack> undoSteps;
};

#endif
