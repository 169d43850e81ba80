#include "qelidedlabel.h"

#include <QPainter>
#include <QStyle>

QElidedLabel::QElidedLabel(const QString &text, QWidget *parent) : QLabel(text, parent)
{
    setToolTip(text);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
}

QSize QElidedLabel::minimumSizeHint() const
{
    return QSize(fontMetrics().horizontalAdvance(QChar(0x2026)),
                 QLabel::minimumSizeHint().height());
}

QString QElidedLabel::drawnText() const
{
    return fontMetrics().elidedText(text(), Qt::ElideRight, contentsRect().width());
}

void QElidedLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    style()->drawItemText(&painter, contentsRect(), Qt::AlignLeft | Qt::AlignVCenter, palette(),
                          isEnabled(), drawnText(), foregroundRole());
}
