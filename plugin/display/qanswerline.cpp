#include "qanswerline.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>

namespace
{
// The room QLineEdit keeps on either side of its text.
const int sideMargin = 2;
} // namespace

QAnswerLine::QAnswerLine(QWidget *parent) : QLineEdit(parent)
{
    setReadOnly(true);
    setFocusPolicy(Qt::NoFocus);
    setAlignment(Qt::AlignRight);
}

void QAnswerLine::showAnswer(const QString &text)
{
    present(text, false);
}

void QAnswerLine::showStatus(const QString &text)
{
    present(text, true);
}

void QAnswerLine::markStale()
{
    muted = true;
    update();
}

void QAnswerLine::announce(const QString &text)
{
    setAccessibleDescription(text);
    emit announced(text);
}

QString QAnswerLine::drawnText() const
{
    return fontMetrics().elidedText(text().simplified(), Qt::ElideRight, textRect().width());
}

void QAnswerLine::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &panel, &painter, this);
    QFont font = painter.font();
    font.setItalic(muted);
    painter.setFont(font);
    painter.setPen(palette().color(muted ? QPalette::PlaceholderText : QPalette::Text));
    painter.drawText(textRect(), int(alignment() | Qt::AlignVCenter), drawnText());
}

QRect QAnswerLine::textRect() const
{
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    const QRect contents = style()->subElementRect(QStyle::SE_LineEditContents, &panel, this);
    return contents.marginsRemoved(textMargins()).adjusted(sideMargin, 0, -sideMargin, 0);
}

void QAnswerLine::present(const QString &text, bool asStatus)
{
    muted = asStatus;
    setText(text);
    setCursorPosition(0);
    setToolTip(text.trimmed());
    update();
}
