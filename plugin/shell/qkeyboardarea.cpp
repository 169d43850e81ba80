#include "qkeyboardarea.h"

#include "qformulakeyboard.h"

#include <QEvent>
#include <QLayout>
#include <QStyle>

namespace
{
// The least room the area keeps: a key and a scroll bar each way.
const int leastKeyExtent = 48;
// The smallest share of their pictures' size, in percent, that keys are
// drawn at.
const int leastKeyPercent = 60;

bool fitsInto(const QSize &size, const QSize &room)
{
    return size.width() <= room.width() && size.height() <= room.height();
}
} // namespace

QKeyboardArea::QKeyboardArea(QFormulaKeyboard *keyboard, QWidget *parent)
    : QScrollArea(parent), keyboard(keyboard)
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

// The keys at the size of their pictures.
QSize QKeyboardArea::sizeHint() const
{
    return keyboard->sizeAt(1);
}

QSize QKeyboardArea::minimumSizeHint() const
{
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    return QSize(leastKeyExtent + bar, leastKeyExtent + bar);
}

void QKeyboardArea::resizeEvent(QResizeEvent *event)
{
    fitKeys();
    QScrollArea::resizeEvent(event);
}

// A group shown or hidden changes the room asked for and the keys' size.
bool QKeyboardArea::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == widget() && event->type() == QEvent::Resize) {
        updateGeometry();
        fitKeys();
    }
    return QScrollArea::eventFilter(watched, event);
}

// The keys take the largest size, up to that of their pictures, at which
// the shown groups fit the area without scrolling; where even the smallest
// does not fit, they keep that.
void QKeyboardArea::fitKeys()
{
    int percent = 100;
    while (percent > leastKeyPercent && !fitsInto(keyboard->sizeAt(percent / 100.0), size()))
        --percent;
    keyboard->setKeyScale(percent / 100.0);
}
