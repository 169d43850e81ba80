#ifndef QFORMULA_H
#define QFORMULA_H

#include "focusdirection.h"

#include <QLineF>
#include <QVector>
#include <QWidget>

class QFormulaField;
class QFormulaGraphItem;
class QGridLayout;

// One formula set in two dimensions: a small grid whose cells hold editable
// fields and drawn strokes. Fields hold glyphs and further formulas, so an
// edited formula is a tree, which toLine() writes out as one line through the
// lineTemplate of each formula ("%1", "%2", ... stand for its fields).
class QFormula : public QWidget
{
    Q_OBJECT

public:
    explicit QFormula(QWidget *parent = nullptr);
    // An independent copy of a template, its fields typed with the template
    // fields' linear text.
    QFormula(const QFormula &formulaTemplate);

    void addField(float fontSizeMult, int row, int column, const QString &value,
                  const QString &defValue, bool autoBrakes);
    void addLine(QLineF line, int row, int column, float sizeRatio);
    QString toLine() const;
    void insertFormula(QFormula *formulaTemplate);
    QFormulaField *neighbourField(QFormulaField *from, FocusDirection &direction);
    // Lines the formula up with the items beside it in its field.
    void centreOnAxis();

    // The font of a field whose size is factor times the formula's font, no
    // smaller than a legible size.
    static QFont scaledFont(const QFont &font, float factor);

    int fieldCount() const { return fields.size(); }
    QFormulaField *field(int index) const { return fields.at(index); }
    int graphItemCount() const { return graphItems.size(); }
    QFormulaGraphItem *graphItem(int index) const { return graphItems.at(index); }

    QString lineTemplate;
    QString appendText;

public slots:
    void clear();

signals:
    void returnPressed();
    // Passed on from the fields and everything nested in them.
    void contentChanged();
    void cursorMoved();

protected:
    bool event(QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    QString cellName(const char *kind, int row, int column) const;
    bool namesField(int index) const;
    QFormulaField *fieldAt(int row, int column) const;
    int axisRow() const;
    QFormulaGraphItem *graphItemAt(int row, int column) const;
    QFormulaField *nearestField(const QPoint &pos) const;
    void leaveThroughHolder(FocusDirection direction);
    void scaleFieldFonts();
    void scaleFieldFont(QFormulaField *field);

    QVector<QFormulaField *> fields;
    QVector<QFormulaGraphItem *> graphItems;
    QGridLayout *gridLayout;
};

#endif
