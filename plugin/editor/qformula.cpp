#include "qformula.h"

#include "qformuladebug.h"
#include "qformulafield.h"
#include "qformulagraphitem.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMouseEvent>

#include <numeric>

namespace
{

// Exponents of exponents shrink no further than this, so they stay legible.
const qreal smallestPointSize = 7;

// One walker over a formula's grid in search of the next field. It steps
// along its direction, and where it meets the border it stays in the border
// cell and turns: clockwise when it started at an edge facing its direction
// (atEdge), counter-clockwise otherwise.
struct GridWalk {
    GridWalk(int rows, int cols, int y, int x, FocusDirection direction)
        : rows(rows), cols(cols), y(y), x(x), direction(direction),
          atEdge((x == 0 && direction == FocusDirection::Up) ||
                 (y == 0 && direction == FocusDirection::Right) ||
                 (x == cols - 1 && direction == FocusDirection::Down) ||
                 (y == rows - 1 && direction == FocusDirection::Left))
    {
    }

    void step()
    {
        switch (direction) {
        case FocusDirection::Left:
            if (--x < 0) {
                x = 0;
                direction = atEdge ? FocusDirection::Up : FocusDirection::Down;
            }
            break;
        case FocusDirection::Right:
            if (++x >= cols) {
                x = cols - 1;
                direction = atEdge ? FocusDirection::Down : FocusDirection::Up;
            }
            break;
        case FocusDirection::Up:
            if (--y < 0) {
                y = 0;
                direction = atEdge ? FocusDirection::Right : FocusDirection::Left;
            }
            break;
        case FocusDirection::Down:
            if (++y >= rows) {
                y = rows - 1;
                direction = atEdge ? FocusDirection::Left : FocusDirection::Right;
            }
            break;
        }
    }

    const int rows;
    const int cols;
    int y;
    int x;
    FocusDirection direction;
    const bool atEdge;
};

} // namespace

QFormula::QFormula(QWidget *parent) : QWidget(parent), gridLayout(new QGridLayout(this))
{
    setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Maximum);
    gridLayout->setContentsMargins(1, 1, 1, 1);
    gridLayout->setSpacing(0);
}

QFormula::QFormula(const QFormula &formulaTemplate) : QFormula()
{
    setObjectName(formulaTemplate.objectName());
    setParent(formulaTemplate.parentWidget());
    lineTemplate = formulaTemplate.lineTemplate;
    appendText = formulaTemplate.appendText;
    for (const QFormulaField *field : formulaTemplate.fields)
        addField(field->fontSizeMult, field->row, field->column, field->toLine(false),
                 field->defValue, field->autoBrakes);
    for (const QFormulaGraphItem *item : formulaTemplate.graphItems)
        for (const QLineF &line : item->lines)
            addLine(line, item->row, item->column, item->sizeRatio);
}

void QFormula::addField(float fontSizeMult, int row, int column, const QString &value,
                        const QString &defValue, bool autoBrakes)
{
    auto *field = new QFormulaField(this);
    fields.append(field);
    field->setObjectName(cellName("field", row, column));
    field->fontSizeMult = fontSizeMult;
    scaleFieldFont(field);
    field->defValue = defValue;
    field->setText(value);
    field->row = row;
    field->column = column;
    field->autoBrakes = autoBrakes;
    gridLayout->addWidget(field, row, column, 1, 1, Qt::AlignCenter);
    // A field that the line template leaves out, such as the "!" beside the
    // factorial's operand, is a caption: typing there would change nothing
    // that is calculated, so it takes neither the focus nor typing.
    if (namesField(fields.size() - 1))
        setFocusProxy(field);
    else
        field->setFocusPolicy(Qt::NoFocus);
    connect(field, &QFormulaField::returnPressed, this, &QFormula::returnPressed);
    connect(field, &QFormulaField::contentChanged, this, &QFormula::contentChanged);
    connect(field, &QFormulaField::cursorMoved, this, &QFormula::cursorMoved);
}

void QFormula::addLine(QLineF line, int row, int column, float sizeRatio)
{
    QFormulaGraphItem *item = graphItemAt(row, column);
    if (!item) {
        item = new QFormulaGraphItem(this);
        item->setObjectName(cellName("item", row, column));
        item->row = row;
        item->column = column;
        graphItems.append(item);
        gridLayout->addWidget(item, row, column, 1, 1);
    }
    item->lines.append(line);
    if (sizeRatio != 0)
        item->sizeRatio = sizeRatio;
}

// The template is filled in one sweep, so that a field's own text is never
// filled in again: "7%2" typed into a numerator stays "7%2". A placeholder is
// "%" and one digit; one that names no field stays as it is.
QString QFormula::toLine() const
{
    QString line;
    for (int i = 0; i < lineTemplate.size(); ++i) {
        const QChar c = lineTemplate.at(i);
        const int k = i + 1 < lineTemplate.size() ? lineTemplate.at(i + 1).digitValue() : -1;
        if (c == QLatin1Char('%') && k >= 1 && k <= fields.size()) {
            line += fields.at(k - 1)->toLine(true);
            ++i;
        } else {
            line += c;
        }
    }
    return line;
}

void QFormula::insertFormula(QFormula *formulaTemplate)
{
    debugInsertionStep("passing formula to", this);
    if (auto *target = qobject_cast<QFormulaField *>(focusProxy()))
        target->insertFormula(formulaTemplate);
}

QFormulaField *QFormula::neighbourField(QFormulaField *from, FocusDirection &direction)
{
    const FocusDirection exitDirection = direction;
    GridWalk walk(gridLayout->rowCount(), gridLayout->columnCount(), from->row, from->column,
                  direction);
    // The walk is a fixed path through (cell, direction) states. Once it has
    // taken as many steps as there are states without meeting a field, it runs
    // round a circle that holds none (a field only in an inner cell), so it
    // ends there as if it had come back to the starting field.
    const int maxSteps = 4 * walk.rows * walk.cols;
    for (int step = 0; step < maxSteps; ++step) {
        walk.step();
        QFormulaField *target = fieldAt(walk.y, walk.x);
        if (target == from)
            break;
        if (target) {
            direction = walk.direction;
            return target;
        }
    }
    leaveThroughHolder(exitDirection);
    return from;
}

void QFormula::clear()
{
    for (QFormulaField *field : qAsConst(fields))
        field->clear();
}

bool QFormula::namesField(int index) const
{
    return lineTemplate.contains(QLatin1Char('%') + QString::number(index + 1));
}

bool QFormula::event(QEvent *event)
{
    if (event->type() == QEvent::LayoutRequest)
        centreOnAxis();
    return QWidget::event(event);
}

void QFormula::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange && !fields.isEmpty())
        scaleFieldFonts();
    QWidget::changeEvent(event);
}

// A press beside the fields of a formula held in a field goes on to that
// field, which puts its cursor before or after the formula. A formula held
// in no field, the root formula, hands the press to its field nearest to it.
void QFormula::mousePressEvent(QMouseEvent *event)
{
    QFormulaField *target =
        qobject_cast<QFormulaField *>(parentWidget()) ? nullptr : nearestField(event->pos());
    if (!target) {
        event->ignore();
        return;
    }
    QMouseEvent press(event->type(), target->mapFrom(this, event->pos()), event->button(),
                      event->buttons(), event->modifiers());
    QCoreApplication::sendEvent(target, &press);
}

QFormulaField *QFormula::nearestField(const QPoint &pos) const
{
    QFormulaField *nearest = nullptr;
    int nearestDistance = 0;
    for (QFormulaField *field : fields) {
        if (field->focusPolicy() == Qt::NoFocus)
            continue;
        const QRect bounds = field->geometry();
        const QPoint inside(qBound(bounds.left(), pos.x(), bounds.right()),
                            qBound(bounds.top(), pos.y(), bounds.bottom()));
        const int distance = (pos - inside).manhattanLength();
        if (!nearest || distance < nearestDistance) {
            nearest = field;
            nearestDistance = distance;
        }
    }
    return nearest;
}

QString QFormula::cellName(const char *kind, int row, int column) const
{
    return QStringLiteral("%1 [%2; %3] of \"%4\"")
        .arg(QLatin1String(kind), QString::number(row), QString::number(column), objectName());
}

// The field at a cell that can take the focus; a caption is passed over.
QFormulaField *QFormula::fieldAt(int row, int column) const
{
    QLayoutItem *cell = gridLayout->itemAtPosition(row, column);
    auto *field = cell ? qobject_cast<QFormulaField *>(cell->widget()) : nullptr;
    return field && field->focusPolicy() != Qt::NoFocus ? field : nullptr;
}

// The row on which the formula stands, as printed mathematics sets it: a row
// of strokes alone between rows of fields (a fraction bar), else the first
// row with a field of full size (the argument beside a sine, below its
// exponent).
int QFormula::axisRow() const
{
    const int rows = gridLayout->rowCount();
    QVector<bool> hasField(rows);
    for (const QFormulaField *field : fields)
        hasField[field->row] = true;
    const int firstFieldRow = int(hasField.indexOf(true));
    const int lastFieldRow = int(hasField.lastIndexOf(true));
    for (const QFormulaGraphItem *item : graphItems)
        if (!hasField.at(item->row) && item->row > firstFieldRow && item->row < lastFieldRow)
            return item->row;
    for (const QFormulaField *field : fields)
        if (field->fontSizeMult >= 1)
            return field->row;
    return 0;
}

// Beside other items in its field, the formula is padded above or below so
// that the middle of its axis row is its middle: the field centres it, and so
// sets it on the same line as the text beside it. Alone in its field it needs
// no padding, which would only deepen the formulas around it.
void QFormula::centreOnAxis()
{
    if (fields.isEmpty())
        return;
    const auto *holder = qobject_cast<QFormulaField *>(parentWidget());
    const int margins = 1;
    if (!holder || holder->itemCount() < 2) {
        gridLayout->setContentsMargins(margins, margins, margins, margins);
        return;
    }
    QVector<int> rowHeights(gridLayout->rowCount());
    for (int i = 0; i < gridLayout->count(); ++i) {
        QLayoutItem *item = gridLayout->itemAt(i);
        int row, column, rowSpan, columnSpan;
        gridLayout->getItemPosition(i, &row, &column, &rowSpan, &columnSpan);
        if (!item->isEmpty())
            rowHeights[row] = qMax(rowHeights[row], item->sizeHint().height());
    }
    const int axis = axisRow();
    const int above = std::accumulate(rowHeights.cbegin(), rowHeights.cbegin() + axis, 0);
    const int below = std::accumulate(rowHeights.cbegin() + axis + 1, rowHeights.cend(), 0);
    const QMargins centred(margins, margins + qMax(0, below - above), margins,
                           margins + qMax(0, above - below));
    if (gridLayout->contentsMargins() != centred)
        gridLayout->setContentsMargins(centred);
}

QFont QFormula::scaledFont(const QFont &font, float factor)
{
    QFont scaled = font;
    const qreal size = scaled.pointSizeF() * factor;
    if (size > 0)
        scaled.setPointSizeF(qMax(size, qMin(scaled.pointSizeF(), smallestPointSize)));
    return scaled;
}

QFormulaGraphItem *QFormula::graphItemAt(int row, int column) const
{
    for (QFormulaGraphItem *item : graphItems)
        if (item->row == row && item->column == column)
            return item;
    return nullptr;
}

// Leaves this formula for the field that holds it, as if the focus left that
// field in the given direction. A formula not held in a field keeps the focus.
void QFormula::leaveThroughHolder(FocusDirection direction)
{
    if (auto *holder = qobject_cast<QFormulaField *>(parentWidget()))
        holder->moveFocusOut(direction);
}

void QFormula::scaleFieldFonts()
{
    for (QFormulaField *field : qAsConst(fields))
        scaleFieldFont(field);
}

// Sets the field's font to the formula's font scaled by the field's factor;
// the field passes it on to nested formulas, so the factors multiply with
// depth, down to a legible smallest size. An empty field keeps room for one
// character. A new field is scaled at once: a formula whose font is only
// inherited may never see a font change, and its fields would stay unscaled.
void QFormula::scaleFieldFont(QFormulaField *field)
{
    const QFont scaled = scaledFont(font(), field->fontSizeMult);
    field->setFont(scaled);
    const QFontMetrics metrics(scaled);
    field->setMinimumSize(metrics.horizontalAdvance(QLatin1Char(' ')), metrics.height());
}
