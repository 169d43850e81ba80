#include "qformulachar.h"

#include <QPainter>
#include <QResizeEvent>

namespace
{
// Height changes up to this many pixels leave a bracket's width alone, so
// that the small changes its own refitting causes do not refit it again.
const int deadBand = 2;
} // namespace

QFormulaChar::QFormulaChar(const QString &text, QWidget *parent)
    : QLabel(text, parent), pen(Qt::black, 2, Qt::SolidLine, Qt::RoundCap),
      isBracket(!text.isEmpty() && QStringLiteral("()").contains(text))
{
}

QString QFormulaChar::toLine() const
{
    QString line = text();
    line.replace(QChar(0x03C0), QLatin1String("pi"));
    line.replace(QChar(0x03C6), QLatin1String("phi"));
    return line;
}

void QFormulaChar::paintEvent(QPaintEvent *event)
{
    if (!isBracket) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    painter.setPen(pen);
    painter.setRenderHint(QPainter::Antialiasing);
    const int w = width();
    const int h = height();
    const int half = w / 2;
    if (text() == QLatin1String("("))
        painter.drawArc(QRectF(half, 3.0, w, h - 6), 110 * 16, 140 * 16);
    else
        painter.drawArc(QRectF(-half, 3.0, w, h - 6), -70 * 16, 140 * 16);
}

void QFormulaChar::resizeEvent(QResizeEvent *event)
{
    QLabel::resizeEvent(event);
    const int height = event->size().height();
    if (!isBracket || qAbs(height - event->oldSize().height()) <= deadBand)
        return;
    const int fitted = height / 5 + 4;
    if (fitted == minimumWidth() && fitted == maximumWidth())
        return;
    setFixedWidth(fitted);
    // The field is in the middle of laying out its items and would miss the
    // new width: it lays them out again once done.
    QMetaObject::invokeMethod(this, &QWidget::updateGeometry, Qt::QueuedConnection);
}
