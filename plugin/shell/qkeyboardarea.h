#ifndef QKEYBOARDAREA_H
#define QKEYBOARDAREA_H

#include <QScrollArea>

class QFormulaKeyboard;

// The window onto the screen keyboard: it asks for the room the keyboard's
// shown groups take, and where the panel gives it less, draws the keys
// smaller, down to a size at which their labels stay readable; only below
// that does it scroll them, so that the panel fits a small screen.
class QKeyboardArea : public QScrollArea
{
    Q_OBJECT

public:
    QKeyboardArea(QFormulaKeyboard *keyboard, QWidget *parent);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fitKeys();

    QFormulaKeyboard *keyboard;
};

#endif
