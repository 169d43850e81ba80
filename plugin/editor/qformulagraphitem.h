#ifndef QFORMULAGRAPHITEM_H
#define QFORMULAGRAPHITEM_H

#include <QLineF>
#include <QPen>
#include <QVector>
#include <QWidget>

// The strokes of one cell of a formula's grid: a fraction bar, the parts of a
// root sign, the bars of an absolute value. Stroke ends are fractions of the
// widget's width and height, so the strokes scale with the cell. A sizeRatio
// below 1 makes the width follow the height, above 1 the height follow the
// width; 0 and 1 leave both free.
class QFormulaGraphItem : public QWidget
{
public:
    explicit QFormulaGraphItem(QWidget *parent);

    QVector<QLineF> lines;
    float sizeRatio = 0;
    int row = 0;
    int column = 0;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QPen pen;
    float minWidth;
    float minHeight;
};

#endif
