#ifndef QELIDEDLABEL_H
#define QELIDEDLABEL_H

#include <QLabel>

// A one-line label that draws its text to the width it is given, ending in
// "…" where the text is wider; the tool tip then holds it whole. Its
// minimum width is that of the ellipsis, so that a long text never widens
// the layout that holds it.
class QElidedLabel : public QLabel
{
    Q_OBJECT

public:
    QElidedLabel(const QString &text, QWidget *parent);

    QSize minimumSizeHint() const override;
    // The text as drawn at the label's present width.
    QString drawnText() const;

protected:
    void paintEvent(QPaintEvent *event) override;
};

#endif
