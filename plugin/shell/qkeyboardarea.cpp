#include "qkeyboardarea.h"

#include <QEvent>
#include <QLayout>
#include <QStyle>

namespace
{
// The least room the area keeps: a key and a scroll bar each way.
const int leastKeyExtent = 48;
} // namespace

QKeyboardArea::QKeyboardArea(QWidget *keyboard, QWidget *parent) : QScrollArea(parent)
{
    setObjectName(QStringLiteral("keyboardArea"));
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::NoFocus);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // The keyboard takes the size of its shown groups.
    keyboard->layout()->setSizeConstraint(QLayout::SetFixedSize);
    setWidget(keyboard);
    // The panel's background shows through.
    keyboard->setAutoFillBackground(false);
    viewport()->setAutoFillBackground(false);
    keyboard->installEventFilter(this);
}

QSize QKeyboardArea::sizeHint() const
{
    return widget()->sizeHint();
}

QSize QKeyboardArea::minimumSizeHint() const
{
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    return QSize(leastKeyExtent + bar, leastKeyExtent + bar);
}

// A group shown or hidden changes the room asked for.
bool QKeyboardArea::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == widget() && event->type() == QEvent::Resize)
        updateGeometry();
    return QScrollArea::eventFilter(watched, event);
}
