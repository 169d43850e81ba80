#ifndef QFORMULAVIEW_H
#define QFORMULAVIEW_H

#include <QScrollArea>

// The window onto the edited formula inside the display. A formula wider
// than the room scrolls, always so that the cursor of the focused field is in
// view, and never widens the panel. The view keeps the height of a formula
// five levels deep (or as many as it is told) whatever the formula holds, so
// that the keys below stay in place; taller formulas make it grow, up to a
// third of the screen. A click in the free space around the formula goes to
// the formula's nearest place.
class QFormulaView : public QScrollArea
{
    Q_OBJECT

public:
    explicit QFormulaView(QWidget *parent);

    void setFormula(QWidget *formula);
    // How many levels of exponents or indices above the formula's line the
    // view keeps room for, whatever the formula holds.
    void setReservedLevels(int levels);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private slots:
    void followFormula();

private:
    int fittingHeight() const;
    void showCursor();

    int reservedLevels = 5;
};

#endif
