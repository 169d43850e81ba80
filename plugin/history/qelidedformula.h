#ifndef QELIDEDFORMULA_H
#define QELIDEDFORMULA_H

#include <QWidget>

class QLabel;

// Holds a formula drawn at its own size and shows as much of it as its
// width gives room for; a formula wider than that is cut at the edge,
// where "…" marks that it goes on. Its minimum width is that of the "…",
// so that a wide formula never widens the list that holds it.
class QElidedFormula : public QWidget
{
    Q_OBJECT

public:
    QElidedFormula(QWidget *formula, QWidget *parent);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool isElided() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void placeMark();

    QWidget *formula;
    QLabel *mark;
};

#endif
