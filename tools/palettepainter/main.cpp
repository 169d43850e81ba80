// Paints the key palette of the screen keyboard: one key face per keyed item
// of the formula catalogue, showing the item's formula with empty fields as
// framed squares, or its typed text.

#include "qformula.h"
#include "qformulafield.h"
#include "qformulagraphitem.h"
#include "qformulakeyboard.h"
#include "qformulaprovider.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFile>
#include <QFontMetricsF>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QTextStream>
#include <QtMath>

#include <algorithm>
#include <numeric>

namespace
{

const QColor lettering(0xe0, 0xe0, 0xe0);
const QColor keyTop(0x56, 0x56, 0x58);
const QColor keyBottom(0x3e, 0x3e, 0x40);
const QColor keyEdge(0x2a, 0x2a, 0x2c);
const QColor groupMarker(0xc8, 0xc8, 0xb4);
const QSize groupMarkerSize(13, 10);
const QString fontFamily = QStringLiteral("DejaVu Sans");

// Largest and smallest pixel size of a formula's font on a key face.
const int formulaMaxPixelSize = 16;
const int formulaMinPixelSize = 7;
const int appendTextPixelSize = 20;
// Space kept free between a key's edge and what it shows.
const QMargins faceMargins(4, 2, 4, 2);
// Thinnest extent of a cell that only holds lines, so that bars keep a gap.
const int minLineCellExtent = 4;
// Side of the square of an empty field as a share of its font's pixel size.
const double squareShareOfFont = 0.8;

struct Field {
    int row = 0;
    int column = 0;
    double sizeMult = 1;
    QString caption;
};

struct Stroke {
    QLineF line;
    int row = 0;
    int column = 0;
    double sizeRatio = 0;
};

struct Key {
    QRect face;
    QString appendText;
    QVector<Field> fields;
    QVector<Stroke> strokes;
};

Key readKey(const QFormula &item, const QRect &face)
{
    Key key;
    key.face = face;
    key.appendText = item.appendText;
    for (int i = 0; i < item.fieldCount(); ++i) {
        const QFormulaField *field = item.field(i);
        key.fields.append({field->row, field->column, field->fontSizeMult, field->toLine(false)});
    }
    for (int i = 0; i < item.graphItemCount(); ++i) {
        const QFormulaGraphItem *cell = item.graphItem(i);
        for (const QLineF &line : cell->lines)
            key.strokes.append({line, cell->row, cell->column, cell->sizeRatio});
    }
    return key;
}

// Reads the items of the catalogue that have a key, that is a group from 0
// up, with the panel's own catalogue reader, so that the faces show what the
// keys insert.
QVector<Key> readKeys(const QString &path)
{
    QFile file(path);
    QFormulaKeyboard keyboard(nullptr);
    QFormulaProvider catalogue;
    const int items = catalogue.load(&file, &keyboard);
    QVector<Key> keys;
    for (int i = 0; i < items; ++i)
        if (!catalogue.keyFace(i).isNull())
            keys.append(readKey(*catalogue.formulaTemplate(i), catalogue.keyFace(i)));
    return keys;
}

QFont formulaFont(double pixelSize)
{
    QFont font(fontFamily);
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(std::max(1, qRound(pixelSize)));
    return font;
}

// Side of the framed square that stands for an empty field.
int squareSide(const Field &field, int pixelSize)
{
    return std::max(4, qRound(pixelSize * field.sizeMult * squareShareOfFont));
}

// Room a field takes in its cell: its caption, or its square with a pixel
// around it.
QSize fieldExtent(const Field &field, int pixelSize)
{
    if (field.caption.isEmpty()) {
        const int side = squareSide(field, pixelSize) + 2;
        return QSize(side, side);
    }
    const QFontMetricsF metrics(formulaFont(pixelSize * field.sizeMult));
    return QSize(qCeil(metrics.horizontalAdvance(field.caption)) + 2, qCeil(metrics.height()));
}

// The formula's grid: the width of every column and the height of every row,
// with no space between the cells, so that lines of neighbouring cells join.
struct Grid {
    QVector<int> columnWidths;
    QVector<int> rowHeights;

    QSize size() const
    {
        return QSize(std::accumulate(columnWidths.begin(), columnWidths.end(), 0),
                     std::accumulate(rowHeights.begin(), rowHeights.end(), 0));
    }

    QRect cell(int row, int column, QPoint origin) const
    {
        const int left = std::accumulate(columnWidths.begin(), columnWidths.begin() + column, 0);
        const int top = std::accumulate(rowHeights.begin(), rowHeights.begin() + row, 0);
        return QRect(origin + QPoint(left, top), QSize(columnWidths[column], rowHeights[row]));
    }
};

void growToHold(QVector<int> &extents, int index, int extent)
{
    if (extents.size() <= index)
        extents.resize(index + 1);
    extents[index] = std::max(extents[index], extent);
}

// Sizes the grid from the fields first; then a cell of lines whose sizeRatio
// is below 1 widens its column to that share of its row's height, and one
// whose sizeRatio is above 1 heightens its row to its column's width divided
// by the ratio.
Grid layOut(const Key &key, int pixelSize)
{
    Grid grid;
    for (const Field &field : key.fields) {
        const QSize extent = fieldExtent(field, pixelSize);
        growToHold(grid.columnWidths, field.column, extent.width());
        growToHold(grid.rowHeights, field.row, extent.height());
    }
    for (const Stroke &stroke : key.strokes) {
        growToHold(grid.columnWidths, stroke.column, 0);
        growToHold(grid.rowHeights, stroke.row, 0);
    }
    for (const Stroke &stroke : key.strokes)
        if (stroke.sizeRatio > 0 && stroke.sizeRatio < 1)
            growToHold(grid.columnWidths, stroke.column,
                       std::max(minLineCellExtent,
                                qRound(grid.rowHeights[stroke.row] * stroke.sizeRatio)));
    for (const Stroke &stroke : key.strokes)
        if (stroke.sizeRatio > 1)
            growToHold(grid.rowHeights, stroke.row,
                       std::max(minLineCellExtent,
                                qRound(grid.columnWidths[stroke.column] / stroke.sizeRatio)));
    return grid;
}

// The largest font size at which the formula fits in the room, or the
// smallest size when none does.
int fittingPixelSize(const Key &key, QSize room)
{
    int pixelSize = formulaMaxPixelSize;
    while (pixelSize > formulaMinPixelSize) {
        const QSize needed = layOut(key, pixelSize).size();
        if (needed.width() <= room.width() && needed.height() <= room.height())
            break;
        --pixelSize;
    }
    return pixelSize;
}

void paintKeyGround(QPainter &painter, const QRect &face)
{
    QLinearGradient ground(face.topLeft(), face.bottomLeft());
    ground.setColorAt(0, keyTop);
    ground.setColorAt(1, keyBottom);
    QPainterPath outline;
    outline.addRoundedRect(QRectF(face).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
    painter.setPen(QPen(keyEdge, 1));
    painter.setBrush(ground);
    painter.drawPath(outline);
}

void paintField(QPainter &painter, const Field &field, const QRect &cell, int pixelSize)
{
    if (!field.caption.isEmpty()) {
        painter.setFont(formulaFont(pixelSize * field.sizeMult));
        painter.drawText(cell, Qt::AlignCenter, field.caption);
        return;
    }
    // Whole-pixel corners, drawn through pixel centres, keep the frame sharp.
    const int side = squareSide(field, pixelSize);
    const QPoint corner = cell.center() - QPoint((side - 1) / 2, (side - 1) / 2);
    painter.drawRect(QRectF(corner, QSizeF(side - 1, side - 1)).translated(0.5, 0.5));
}

// A fraction 0 of the cell lands on the centre of its first pixel and 1 on
// that of its last, so that level and upright lines stay sharp and the lines
// of neighbouring cells meet.
double pixelCentre(int start, int length, double fraction)
{
    return start + qRound(fraction * (length - 1)) + 0.5;
}

void paintStroke(QPainter &painter, const Stroke &stroke, const QRect &cell)
{
    const auto toCell = [&cell](QPointF fraction) {
        return QPointF(pixelCentre(cell.left(), cell.width(), fraction.x()),
                       pixelCentre(cell.top(), cell.height(), fraction.y()));
    };
    painter.drawLine(toCell(stroke.line.p1()), toCell(stroke.line.p2()));
}

void paintFormula(QPainter &painter, const Key &key)
{
    const QRect room = key.face.marginsRemoved(faceMargins);
    const int pixelSize = fittingPixelSize(key, room.size());
    const Grid grid = layOut(key, pixelSize);
    const QSize size = grid.size();
    const QPoint origin = room.topLeft() + QPoint((room.width() - size.width()) / 2,
                                                  (room.height() - size.height()) / 2);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(lettering, 1));
    for (const Field &field : key.fields)
        paintField(painter, field, grid.cell(field.row, field.column, origin), pixelSize);
    painter.setPen(QPen(lettering, 1.2, Qt::SolidLine, Qt::RoundCap));
    for (const Stroke &stroke : key.strokes)
        paintStroke(painter, stroke, grid.cell(stroke.row, stroke.column, origin));
}

// The typed text of a key without fields, as large as fits across the face.
void paintAppendText(QPainter &painter, const Key &key)
{
    const QRect room = key.face.marginsRemoved(faceMargins);
    int pixelSize = appendTextPixelSize;
    while (pixelSize > formulaMinPixelSize &&
           QFontMetricsF(formulaFont(pixelSize)).horizontalAdvance(key.appendText) > room.width())
        --pixelSize;
    painter.setFont(formulaFont(pixelSize));
    painter.setPen(lettering);
    painter.drawText(key.face, Qt::AlignCenter, key.appendText);
}

void paintKey(QPainter &painter, const Key &key)
{
    paintKeyGround(painter, key.face);
    if (key.fields.isEmpty())
        paintAppendText(painter, key);
    else
        paintFormula(painter, key);
}

// The palette covers every face and keeps the one-pixel gap between faces
// also along its right and bottom edges.
QSize paletteSize(const QVector<Key> &keys)
{
    QRect covered;
    for (const Key &key : keys)
        covered |= key.face;
    return QSize(covered.right() + 2, covered.bottom() + 2);
}

QImage paintPalette(const QVector<Key> &keys)
{
    QImage palette(paletteSize(keys), QImage::Format_ARGB32_Premultiplied);
    palette.fill(Qt::transparent);
    QPainter painter(&palette);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    for (const Key &key : keys)
        paintKey(painter, key);
    return palette;
}

// The marker of a hovered group header: a small triangle pointing down.
QImage paintGroupMarker()
{
    QImage marker(groupMarkerSize, QImage::Format_ARGB32_Premultiplied);
    marker.fill(Qt::transparent);
    QPainter painter(&marker);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(groupMarker);
    const QPointF corners[] = {{2, 2}, {11, 2}, {6.5, 7}};
    painter.drawPolygon(corners, 3);
    return marker;
}

int fail(const QString &message)
{
    QTextStream(stderr) << "palettepainter: " << message << '\n';
    return 1;
}

int save(const QImage &image, const QString &path, int scale)
{
    const QImage scaled = scale == 1 ? image : image.scaled(image.size() * scale);
    if (!scaled.save(path, "PNG"))
        return fail(QStringLiteral("cannot write %1").arg(path));
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Paints the key palette of the screen keyboard from the formula catalogue."));
    parser.addHelpOption();
    const QCommandLineOption markerOption(QStringLiteral("group-marker"),
                                          QStringLiteral("Paint the group header marker instead."));
    const QCommandLineOption scaleOption(
        QStringLiteral("scale"),
        QStringLiteral("Enlarge the image by a whole factor, for viewing."),
        QStringLiteral("factor"), QStringLiteral("1"));
    parser.addOptions({markerOption, scaleOption});
    parser.addPositionalArgument(
        QStringLiteral("catalogue"),
        QStringLiteral("The formula catalogue (not with --group-marker)."));
    parser.addPositionalArgument(QStringLiteral("output"), QStringLiteral("The PNG to write."));
    parser.process(app);

    const QStringList arguments = parser.positionalArguments();
    const int scale = std::max(1, parser.value(scaleOption).toInt());
    if (parser.isSet(markerOption) && arguments.size() == 1)
        return save(paintGroupMarker(), arguments[0], scale);
    if (parser.isSet(markerOption) || arguments.size() != 2)
        parser.showHelp(2);

    const QVector<Key> keys = readKeys(arguments[0]);
    if (keys.isEmpty())
        return fail(QStringLiteral("no keyed items in %1").arg(arguments[0]));
    return save(paintPalette(keys), arguments[1], scale);
}
