#include "qformulaview.h"

#include "qformula.h"
#include "qformulafield.h"

#include <QApplication>
#include <QEvent>
#include <QLayout>
#include <QMouseEvent>
#include <QScreen>
#include <QScrollBar>

namespace
{
// The size of the font of exponents and indices, as the catalogue sets it.
const float exponentScale = 0.7f;
// Width of the view at least, in characters of the formula's font.
const int smallestWidth = 8;
// Room kept beside the cursor when the view scrolls to it.
const int cursorMargin = 24;
} // namespace

QFormulaView::QFormulaView(QWidget *parent) : QScrollArea(parent)
{
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setFocusPolicy(Qt::NoFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    viewport()->setAutoFillBackground(false);
    connect(qApp, &QApplication::focusChanged, this, &QFormulaView::followFormula,
            Qt::QueuedConnection);
}

void QFormulaView::setFormula(QWidget *formula)
{
    if (QWidget *old = takeWidget())
        old->removeEventFilter(this);
    setWidget(formula);
    formula->setAutoFillBackground(false);
    formula->installEventFilter(this);
    setFocusProxy(formula);
    updateGeometry();
    QMetaObject::invokeMethod(this, &QFormulaView::followFormula, Qt::QueuedConnection);
}

void QFormulaView::setReservedLevels(int levels)
{
    reservedLevels = levels;
    updateGeometry();
}

// The formula's width never asks for a wider panel.
QSize QFormulaView::sizeHint() const
{
    return minimumSizeHint();
}

QSize QFormulaView::minimumSizeHint() const
{
    const QFontMetrics metrics(widget() ? widget()->font() : font());
    return QSize(smallestWidth * metrics.averageCharWidth(), fittingHeight());
}

// A press outside the formula is handed to it at the nearest point of its
// own: its field takes it there.
void QFormulaView::mousePressEvent(QMouseEvent *event)
{
    QWidget *formula = widget();
    const QPoint pos = formula ? formula->mapFrom(viewport(), event->pos()) : QPoint();
    if (!formula || formula->rect().contains(pos)) {
        QScrollArea::mousePressEvent(event);
        return;
    }
    const QPoint nearest(qBound(0, pos.x(), formula->width() - 1),
                         qBound(0, pos.y(), formula->height() - 1));
    QMouseEvent press(event->type(), nearest, event->button(), event->buttons(),
                      event->modifiers());
    QCoreApplication::sendEvent(formula, &press);
}

// Typing that moves the cursor without changing the formula's size, Home and
// End for instance, reaches the view as the key's release that the field
// leaves unhandled.
bool QFormulaView::event(QEvent *event)
{
    if (event->type() == QEvent::KeyRelease)
        QMetaObject::invokeMethod(this, &QFormulaView::followFormula, Qt::QueuedConnection);
    return QScrollArea::event(event);
}

bool QFormulaView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == widget() && event->type() == QEvent::LayoutRequest)
        QMetaObject::invokeMethod(this, &QFormulaView::followFormula, Qt::QueuedConnection);
    return QScrollArea::eventFilter(watched, event);
}

// Once the formula's new size is known, the view takes the height it needs,
// gives the formula its whole size (its fields would let it be squeezed into
// the view) and brings the cursor into view.
void QFormulaView::followFormula()
{
    if (!widget())
        return;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    widget()->setMinimumSize(widget()->sizeHint());
    updateGeometry();
    QEvent refit(QEvent::LayoutRequest);
    QCoreApplication::sendEvent(this, &refit);
    showCursor();
}

// The room kept is that of a line of the formula's font below the reserved
// levels of exponents or indices, each a line of their smaller font inside
// the frame of the formula that holds it: with five levels, five roots one
// inside the other fit, whatever the font, as the frames stay in pixels
// when fonts change.
int QFormulaView::fittingHeight() const
{
    if (!widget())
        return 0;
    const QFont font = widget()->font();
    const QMargins margins =
        widget()->layout() ? widget()->layout()->contentsMargins() : QMargins();
    const int frame = margins.top() + margins.bottom();
    const int level = QFontMetrics(QFormula::scaledFont(font, exponentScale)).height() + frame;
    const int reserved = QFontMetrics(font).height() + frame + reservedLevels * level;
    const QScreen *screen = this->screen();
    const int tallest = screen ? screen->availableGeometry().height() / 3 : reserved;
    int needed = widget()->sizeHint().height();
    if (widget()->sizeHint().width() > viewport()->width())
        needed += horizontalScrollBar()->sizeHint().height();
    return qBound(reserved, needed, qMax(reserved, tallest));
}

void QFormulaView::showCursor()
{
    const auto *field = qobject_cast<QFormulaField *>(QApplication::focusWidget());
    if (!field || !widget()->isAncestorOf(field))
        return;
    const QPoint cursor = field->mapTo(
        widget(), QPoint(field->cursorX(field->cursorPosition(), 0), field->height() / 2));
    ensureVisible(cursor.x(), cursor.y(), cursorMargin, field->height() / 2);
}
