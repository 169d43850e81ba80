#include "qelidedformula.h"

#include <QEvent>
#include <QLabel>

QElidedFormula::QElidedFormula(QWidget *formula, QWidget *parent)
    : QWidget(parent), formula(formula), mark(new QLabel(QString(QChar(0x2026)), this))
{
    formula->setParent(this);
    formula->move(0, 0);
    formula->installEventFilter(this);
    mark->setObjectName(QStringLiteral("elisionMark"));
    // drawn over the formula's end, on the list's own background
    mark->setAutoFillBackground(true);
    mark->setBackgroundRole(QPalette::Base);
    mark->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    placeMark();
}

QSize QElidedFormula::sizeHint() const
{
    return formula->sizeHint();
}

QSize QElidedFormula::minimumSizeHint() const
{
    return QSize(mark->sizeHint().width(), formula->sizeHint().height());
}

bool QElidedFormula::isElided() const
{
    return !mark->isHidden();
}

// The formula keeps its own size as it changes.
bool QElidedFormula::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == formula && event->type() == QEvent::LayoutRequest) {
        formula->resize(formula->sizeHint());
        updateGeometry();
        placeMark();
    }
    return QWidget::eventFilter(watched, event);
}

void QElidedFormula::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    placeMark();
}

void QElidedFormula::placeMark()
{
    formula->resize(formula->sizeHint());
    const int markWidth = mark->sizeHint().width();
    mark->setGeometry(width() - markWidth, 0, markWidth, height());
    mark->setVisible(formula->width() > width());
    mark->raise();
}
