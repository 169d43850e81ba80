#include "qanswerline.h"

#include <QPainter>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QToolTip>

#include <limits>

namespace
{
// The room QLineEdit keeps on either side of its text.
const int sideMargin = 2;
const QChar cutMark(0x2026);
} // namespace

QAnswerLine::QAnswerLine(QWidget *parent) : QLineEdit(parent)
{
    setReadOnly(true);
    // The whole answer is held, however long.
    setMaxLength(std::numeric_limits<int>::max());
    setFocusPolicy(Qt::NoFocus);
    setAlignment(Qt::AlignRight);
}

void QAnswerLine::showAnswer(const QString &text)
{
    present(text, false);
}

// A status is told to screen readers as it is shown.
void QAnswerLine::showStatus(const QString &text)
{
    present(text, true);
    announce(text);
}

void QAnswerLine::setStale(bool isStale)
{
    if (stale == isStale)
        return;
    stale = isStale;
    update();
}

void QAnswerLine::announce(const QString &text)
{
    setAccessibleDescription(text);
    emit announced(text);
}

// Only the characters that fit are measured, so a long answer costs what
// the screen shows of it.
QString QAnswerLine::wrappedText(const QString &text, int width, int height)
{
    const QFontMetrics metrics(QToolTip::font());
    const int lineCount = qMax(1, height / metrics.lineSpacing());
    QStringList lines;
    for (const QStringRef &paragraph : text.splitRef(QLatin1Char('\n'))) {
        QString line;
        int lineWidth = 0;
        for (const QChar c : paragraph) {
            const int advance = metrics.horizontalAdvance(c);
            if (!line.isEmpty() && lineWidth + advance > width) {
                lines.append(line);
                if (lines.size() > lineCount)
                    break;
                line.clear();
                lineWidth = 0;
            }
            line += c;
            lineWidth += advance;
        }
        if (lines.size() > lineCount)
            break;
        lines.append(line);
    }
    if (lines.size() > lineCount) {
        lines = lines.mid(0, lineCount);
        lines.last() = lines.last().left(lines.last().size() - 2) + cutMark;
    }
    return lines.join(QLatin1Char('\n'));
}

// Every character is at least a pixel wide, so no more of a long answer
// than the line is pixels wide is measured.
QString QAnswerLine::drawnText() const
{
    const int width = textRect().width();
    const QString start = text().left(qMax(width, 0) + 1).simplified();
    return fontMetrics().elidedText(start, Qt::ElideRight, width);
}

void QAnswerLine::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &panel, &painter, this);
    QFont font = painter.font();
    font.setItalic(isMuted());
    painter.setFont(font);
    painter.setPen(palette().color(isMuted() ? QPalette::PlaceholderText : QPalette::Text));
    painter.drawText(textRect(), int(alignment() | Qt::AlignVCenter), drawnText());
}

QRect QAnswerLine::textRect() const
{
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    const QRect contents = style()->subElementRect(QStyle::SE_LineEditContents, &panel, this);
    return contents.marginsRemoved(textMargins()).adjusted(sideMargin, 0, -sideMargin, 0);
}

// The tool tip takes at most four fifths of the screen each way.
void QAnswerLine::present(const QString &text, bool asStatus)
{
    status = asStatus;
    stale = false;
    setText(text);
    setCursorPosition(0);
    const QSize room = screen()->availableSize() * 4 / 5;
    setToolTip(wrappedText(text.trimmed(), room.width(), room.height()));
    update();
}
