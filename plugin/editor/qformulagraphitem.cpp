#include "qformulagraphitem.h"

#include <QPainter>
#include <QResizeEvent>

#include <algorithm>

namespace
{
// Size changes up to this many pixels leave the tied side alone, so that the
// small changes its own fixing causes do not fix it again.
const int deadBand = 2;
// A bar is drawn in the middle of a band this many pen widths thick, so that
// it stays clear of the dotted outline of the field beside it.
const int barBand = 3;
} // namespace

QFormulaGraphItem::QFormulaGraphItem(QWidget *parent)
    : QWidget(parent), pen(Qt::black, 2), minWidth(barBand * pen.widthF()),
      minHeight(barBand * pen.widthF())
{
}

void QFormulaGraphItem::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(pen);
    painter.setRenderHint(QPainter::Antialiasing);
    const double w = width();
    const double h = height();
    for (const QLineF &line : qAsConst(lines))
        painter.drawLine(int(line.x1() * w), int(line.y1() * h), int(line.x2() * w),
                         int(line.y2() * h));
}

void QFormulaGraphItem::resizeEvent(QResizeEvent *event)
{
    const QSize size = event->size();
    const QSize oldSize = event->oldSize();
    if (sizeRatio == 0 || sizeRatio == 1)
        return;
    const QSize before(minimumSize());
    if (sizeRatio < 1) {
        if (qAbs(size.height() - oldSize.height()) > deadBand)
            setFixedWidth(int(std::max(minWidth, sizeRatio * size.height())));
    } else if (qAbs(size.width() - oldSize.width()) > deadBand) {
        setFixedHeight(int(std::max(minHeight, size.width() / sizeRatio)));
    }
    // The formula is in the middle of laying out its cells and would miss
    // the new side: it lays them out again once done.
    if (minimumSize() != before)
        QMetaObject::invokeMethod(this, &QWidget::updateGeometry, Qt::QueuedConnection);
}
