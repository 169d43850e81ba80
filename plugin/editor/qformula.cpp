#include "qformula.h"

#include "inversefunction.h"
#include "qformuladebug.h"
#include "qformulaedit.h"
#include "qformulafield.h"
#include "qformulagraphitem.h"
#include "qformularecord.h"
#include "qtemplatecatalogue.h"

#include <QApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <numeric>

namespace
{

// Exponents of exponents shrink no further than this, so they stay legible.
const qreal smallestPointSize = 7;
// The sign drawn between the factors of an implicit product.
const QChar productSign(0x00B7);

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
    infix = formulaTemplate.infix;
    prefix = formulaTemplate.prefix;
    inverseLine = formulaTemplate.inverseLine;
    catalogue = formulaTemplate.catalogue;
    for (const QFormulaField *field : formulaTemplate.fields) {
        addField(field->fontSizeMult, field->row, field->column, field->toLine(false),
                 field->defValue, field->autoBrakes, field->rowSpan);
        fields.last()->operand = field->operand;
    }
    for (const QFormulaGraphItem *item : formulaTemplate.graphItems)
        for (const QLineF &line : item->lines)
            addLine(line, item->row, item->column, item->sizeRatio);
}

QFormula::~QFormula() = default;

void QFormula::addField(float fontSizeMult, int row, int column, const QString &value,
                        const QString &defValue, bool autoBrakes, int rowSpan)
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
    field->rowSpan = qMax(1, rowSpan);
    field->caption = !value.isEmpty();
    gridLayout->addWidget(field, row, column, field->rowSpan, 1, Qt::AlignCenter);
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

QString QFormula::toLine() const
{
    const QString inverse = inverseName();
    return inverse.isEmpty() ? filledTemplate(lineTemplate, QString())
                             : filledTemplate(inverseLine, inverse);
}

// The template is filled in one sweep, so that a field's own text is never
// filled in again: "7%2" typed into a numerator stays "7%2". A placeholder is
// "%" and one digit; one that names no field stays as it is. A first field
// given stands in for the text of field 1.
QString QFormula::filledTemplate(const QString &pattern, const QString &firstField) const
{
    QString line;
    for (int i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern.at(i);
        const int k = i + 1 < pattern.size() ? pattern.at(i + 1).digitValue() : -1;
        if (c == QLatin1Char('%') && k >= 1 && k <= fields.size()) {
            line += k == 1 && !firstField.isEmpty() ? firstField : fields.at(k - 1)->toLine(true);
            ++i;
        } else {
            line += c;
        }
    }
    return line;
}

// A function raised to -1 is its inverse, as print writes sin⁻¹ x for
// arcsin x: the inverse of the function that field 1 names, when the
// formula has a way to write it.
QString QFormula::inverseName() const
{
    if (inverseLine.isEmpty() || fields.size() < 2 ||
        fields.at(1)->toLine(false) != QLatin1String("-1"))
        return QString();
    return inverseFunction(fields.at(0)->toLine(false));
}

void QFormula::insertFormula(QFormula *formulaTemplate)
{
    debugInsertionStep("passing formula to", this);
    if (auto *target = qobject_cast<QFormulaField *>(focusProxy()))
        target->insertFormula(formulaTemplate);
}

void QFormula::clear()
{
    QFormulaEdit edit(this);
    for (QFormulaField *field : qAsConst(fields))
        field->clear();
}

void QFormula::undo()
{
    if (const QFormulaUndoStack::State *state = rootFormula()->undoStack().undo())
        rootFormula()->restore(*state);
}

void QFormula::redo()
{
    if (const QFormulaUndoStack::State *state = rootFormula()->undoStack().redo())
        rootFormula()->restore(*state);
}

QVector<QFormulaField *> QFormula::readingOrder() const
{
    QVector<QFormulaField *> order;
    for (QFormulaField *field : fields)
        if (field->focusPolicy() != Qt::NoFocus)
            order.append(field);
    std::stable_sort(order.begin(), order.end(),
                     [](const QFormulaField *a, const QFormulaField *b) {
                         return a->column != b->column ? a->column < b->column : a->row < b->row;
                     });
    return order;
}

// The field marked as the operand, else the field that the focus goes to
// when the formula is inserted, its last one.
QFormulaField *QFormula::operandField() const
{
    for (QFormulaField *field : fields)
        if (field->operand)
            return field;
    return qobject_cast<QFormulaField *>(focusProxy());
}

QFormulaField *QFormula::nextToFill(const QFormulaField *after) const
{
    const QVector<QFormulaField *> order = readingOrder();
    for (int i = int(order.indexOf(const_cast<QFormulaField *>(after))) + 1; i < order.size(); ++i)
        if (order.at(i)->itemCount() == 0)
            return order.at(i);
    return nullptr;
}

// The nearest field whose rows lie wholly above (or below) the given
// field's rows, the nearest column first: a whole part beside a fraction
// has none, a numerator has the denominator.
QFormulaField *QFormula::stackedField(const QFormulaField *from, FocusDirection direction) const
{
    const bool up = direction == FocusDirection::Up;
    QFormulaField *nearest = nullptr;
    int nearestDistance = 0;
    for (QFormulaField *field : readingOrder()) {
        const int gap = up ? from->row - (field->row + field->rowSpan - 1)
                           : field->row - (from->row + from->rowSpan - 1);
        if (field == from || gap <= 0)
            continue;
        // Of two fields as near, the one on the right: an exponent stands
        // over the argument of its function, not over its caption.
        const int columnGap = field->column - from->column;
        const int distance =
            2 * (gap * gridLayout->columnCount() + qAbs(columnGap)) + (columnGap < 0 ? 1 : 0);
        if (!nearest || distance < nearestDistance) {
            nearest = field;
            nearestDistance = distance;
        }
    }
    return nearest;
}

QFormulaField *QFormula::holderField() const
{
    return qobject_cast<QFormulaField *>(parentWidget());
}

QFormula *QFormula::rootFormula()
{
    QFormula *root = this;
    while (QFormulaField *holder = root->holderField())
        root = holder->formula();
    return root;
}

QVector<QFormulaField *> QFormula::treeFields() const
{
    QVector<QFormulaField *> tree;
    for (QFormulaField *field : readingOrder()) {
        tree.append(field);
        for (int i = 0; i < field->itemCount(); ++i)
            if (const auto *nested = qobject_cast<const QFormula *>(field->itemWidget(i)))
                tree += nested->treeFields();
    }
    return tree;
}

QFormulaField *QFormula::firstEmptyField() const
{
    for (QFormulaField *field : treeFields())
        if (field->formula() != this && field->itemCount() == 0 && field->defValue.isEmpty())
            return field;
    return nullptr;
}

bool QFormula::isEmpty() const
{
    const QVector<QFormulaField *> order = readingOrder();
    return std::all_of(order.cbegin(), order.cend(), [](const QFormulaField *field) {
        return field->caption || field->itemCount() == 0;
    });
}

bool QFormula::leadsWithOperand() const
{
    return columnLeadsWithOperand(0);
}

bool QFormula::endsWithOperand() const
{
    return columnLeadsWithOperand(gridLayout->columnCount() - 1);
}

bool QFormula::columnLeadsWithOperand(int column) const
{
    return std::any_of(fields.cbegin(), fields.cend(), [column](const QFormulaField *field) {
        return field->column == column && field->fontSizeMult >= 1 && !field->caption &&
               field->focusPolicy() != Qt::NoFocus;
    });
}

QFormulaUndoStack &QFormula::undoStack()
{
    if (!undoSteps)
        undoSteps = std::make_unique<QFormulaUndoStack>();
    return *undoSteps;
}

// The cursor is that of the focused field of the tree, or the end of the
// first field when the focus is elsewhere.
QFormulaUndoStack::State QFormula::state() const
{
    QFormulaUndoStack::State state{QFormulaRecord::ofFormula(this), {}};
    auto *focused = qobject_cast<QFormulaField *>(QApplication::focusWidget());
    if (!focused || !isAncestorOf(focused))
        return state;
    state.cursor.prepend(focused->cursorPosition());
    for (QFormulaField *field = focused; field;) {
        QFormula *formula = field->formula();
        state.cursor.prepend(int(formula->fields.indexOf(field)));
        field = formula == this ? nullptr : formula->holderField();
        if (field)
            state.cursor.prepend(field->indexOfItem(formula));
    }
    return state;
}

void QFormula::restore(const QFormulaUndoStack::State &state)
{
    if (!catalogue || !catalogue->describes(state.record))
        return;
    catalogue->fill(this, state.record);
    const QVector<int> &path = state.cursor;
    QFormula *formula = this;
    QFormulaField *field = nullptr;
    for (int i = 0; i + 1 < path.size() && formula; i += 2) {
        field = path.at(i) < formula->fieldCount() ? formula->field(path.at(i)) : nullptr;
        if (!field)
            break;
        formula = i + 2 < path.size() - 1
                      ? qobject_cast<QFormula *>(field->itemWidget(path.at(i + 1)))
                      : nullptr;
    }
    if (field) {
        field->setCursorPosition(path.last(), false, false);
        field->setFocus(Qt::OtherFocusReason);
    }
    emit contentChanged();
}

bool QFormula::replaceContent(const QFormulaRecord &record)
{
    if (!catalogue || !catalogue->describes(record))
        return false;
    QFormulaEdit edit(this);
    catalogue->fill(this, record);
    return true;
}

bool QFormula::namesField(int index) const
{
    return lineTemplate.contains(QLatin1Char('%') + QString::number(index + 1));
}

void QFormula::paintEvent(QPaintEvent *)
{
    if (!productBefore && !productAfter)
        return;
    QPainter painter(this);
    const QFormulaField *holder = holderField();
    painter.setFont(holder ? holder->font() : font());
    painter.setPen(palette().color(QPalette::Text));
    const int signWidth = QFontMetrics(painter.font()).horizontalAdvance(productSign);
    if (productBefore)
        painter.drawText(QRect(0, 0, signWidth, height()), Qt::AlignCenter, productSign);
    if (productAfter)
        painter.drawText(QRect(width() - signWidth, 0, signWidth, height()), Qt::AlignCenter,
                         productSign);
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
// no padding, which would only deepen the formulas around it. Beside a number
// it keeps room at that side for the sign of the product.
void QFormula::centreOnAxis()
{
    if (fields.isEmpty())
        return;
    const QFormulaField *holder = holderField();
    const int margins = 1;
    findProductNeighbours();
    if (!holder || holder->itemCount() < 2) {
        gridLayout->setContentsMargins(margins, margins, margins, margins);
        return;
    }
    QVector<int> rowHeights(gridLayout->rowCount());
    for (int i = 0; i < gridLayout->count(); ++i) {
        QLayoutItem *item = gridLayout->itemAt(i);
        int row, column, rowSpan, columnSpan;
        gridLayout->getItemPosition(i, &row, &column, &rowSpan, &columnSpan);
        if (!item->isEmpty() && rowSpan == 1)
            rowHeights[row] = qMax(rowHeights[row], item->sizeHint().height());
    }
    const int axis = axisRow();
    const int above = std::accumulate(rowHeights.cbegin(), rowHeights.cbegin() + axis, 0);
    const int below = std::accumulate(rowHeights.cbegin() + axis + 1, rowHeights.cend(), 0);
    const int sign = QFontMetrics(holder->font()).horizontalAdvance(productSign);
    const QMargins centred(margins + (productBefore ? sign : 0), margins + qMax(0, below - above),
                           margins + (productAfter ? sign : 0), margins + qMax(0, above - below));
    if (gridLayout->contentsMargins() != centred)
        gridLayout->setContentsMargins(centred);
}

// A product is shown where a digit, or a formula that ends in a field,
// stands right before this formula and its first column is a field; and
// where a digit follows its last column's field.
void QFormula::findProductNeighbours()
{
    const QFormulaField *holder = holderField();
    const int index = holder ? holder->indexOfItem(this) : -1;
    const bool before = productBefore;
    const bool after = productAfter;
    const auto *previous =
        index > 0 ? qobject_cast<const QFormula *>(holder->itemWidget(index - 1)) : nullptr;
    productBefore = index > 0 && leadsWithOperand() &&
                    (holder->holdsDigitAt(index - 1) || (previous && previous->endsWithOperand()));
    productAfter = index >= 0 && endsWithOperand() && holder->holdsDigitAt(index + 1);
    if (before != productBefore || after != productAfter)
        update();
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
