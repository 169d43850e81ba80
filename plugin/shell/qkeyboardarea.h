#ifndef QKEYBOARDAREA_H
#define QKEYBOARDAREA_H

#include <QScrollArea>

// The window onto the screen keyboard: it asks for the room the keyboard's
// shown groups take, and scrolls them where the panel gives it less, so
// that the panel fits a small screen.
class QKeyboardArea : public QScrollArea
{
    Q_OBJECT

public:
    explicit QKeyboardArea(QWidget *keyboard, QWidget *parent);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};

#endif
