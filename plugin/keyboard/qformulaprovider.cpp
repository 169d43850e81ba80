#include "qformulaprovider.h"

#include "qformula.h"
#include "qformulafield.h"
#include "qformulakeyboard.h"
#include "qformularecord.h"

#include <QDebug>
#include <QFileInfo>
#include <QIODevice>
#include <QPixmap>

QT_WARNING_DISABLE_DEPRECATED

namespace
{

// The catalogue's reading rules: a missing attribute reads as empty text,
// text that is not a number as 0, a flag is true when it is a non-zero number.
int intValue(const QXmlAttributes &atts, const char *name)
{
    return atts.value(QLatin1String(name)).toInt();
}

float floatValue(const QXmlAttributes &atts, const char *name)
{
    return atts.value(QLatin1String(name)).toFloat();
}

QString textValue(const QXmlAttributes &atts, const char *name)
{
    return atts.value(QLatin1String(name));
}

// A formula's grid is small; a cell far outside it is a broken catalogue, and
// laying it out would only waste memory.
const int maxCellIndex = 63;

bool validCell(int row, int column)
{
    return row >= 0 && column >= 0 && row <= maxCellIndex && column <= maxCellIndex;
}

// Only a regular file (or resource) is read: a device or a pipe named by a
// broken catalogue could hang the load.
QPixmap *loadPalette(const QString &path)
{
    return QFileInfo(path).isFile() ? new QPixmap(path) : new QPixmap;
}

// Messages are written the way a debug stream writes a string: between
// double quotes, without escaping the (possibly translated) text.
void reportLoadError(const char *text)
{
    qCritical().noquote() << QLatin1Char('"') + QObject::tr(text).arg(QStringLiteral("brisma")) +
                                 QLatin1Char('"');
}

} // namespace

QFormulaProvider::QFormulaProvider() = default;

QFormulaProvider::~QFormulaProvider()
{
    qDeleteAll(templates);
    templates.clear();
    keyFaces.clear();
    delete palette;
}

int QFormulaProvider::load(QIODevice *device, QFormulaKeyboard *keyboard)
{
    if (!device->open(QIODevice::ReadOnly)) {
        reportLoadError(QT_TRANSLATE_NOOP("QObject", "%1: Error opening formula data file"));
        return count();
    }
    QXmlInputSource source(device);
    QXmlSimpleReader reader;
    this->keyboard = keyboard;
    reader.setContentHandler(this);
    reader.parse(&source);
    delete palette;
    palette = nullptr;
    if (templates.isEmpty())
        reportLoadError(QT_TRANSLATE_NOOP("QObject", "%1: Error while loading formula data"));
    return count();
}

bool QFormulaProvider::startElement(const QString &, const QString &, const QString &qName,
                                    const QXmlAttributes &atts)
{
    if (qName == QLatin1String("formulaitems")) {
        delete palette;
        palette = loadPalette(textValue(atts, "palette"));
    } else if (qName == QLatin1String("group")) {
        if (keyboard)
            keyboard->addGroup(intValue(atts, "num"), textValue(atts, "name"),
                               intValue(atts, "showDefault") != 0);
    } else if (qName == QLatin1String("item")) {
        addItem(intValue(atts, "group"), textValue(atts, "name"), textValue(atts, "lineTemplate"),
                textValue(atts, "appendText"), intValue(atts, "paletteX"),
                intValue(atts, "paletteY"), intValue(atts, "paletteW"), intValue(atts, "paletteH"),
                intValue(atts, "keybX"), intValue(atts, "keybY"), textValue(atts, "title"));
        readItemTriggers(atts);
    } else if (qName == QLatin1String("field")) {
        readField(atts);
    } else if (qName == QLatin1String("line")) {
        readLine(atts);
    }
    return true;
}

// Without a palette (a catalogue with no root element), or with its key cell
// outside any sensible grid, the item still gives a template, but no key.
void QFormulaProvider::addItem(int group, const QString &name, const QString &lineTemplate,
                               const QString &appendText, int paletteX, int paletteY, int paletteW,
                               int paletteH, int keybX, int keybY, const QString &title)
{
    auto *templ = new QFormula;
    templates.append(templ);
    templateCatalogue.add(templ);
    templ->setObjectName(name.isEmpty() ? appendText : name);
    templ->setToolTip(title);
    templ->lineTemplate = lineTemplate;
    templ->appendText = appendText;
    const QRect face(paletteX, paletteY, paletteW, paletteH);
    keyFaces.append(group >= 0 ? face : QRect());
    if (!palette || !keyboard || !validCell(keybY, keybX))
        return;
    const QPixmap image = palette->copy(face.intersected(palette->rect()));
    keyboard->addKey(group, image, keybY, keybX, templ);
}

int QFormulaProvider::count() const
{
    return templates.size();
}

QFormula *QFormulaProvider::createFormula(int index) const
{
    if (index < 0 || index >= templates.size())
        return nullptr;
    return new QFormula(*templates.at(index));
}

QFormula *QFormulaProvider::createFormula(const QFormulaRecord &record) const
{
    return templateCatalogue.build(record);
}

bool QFormulaProvider::describes(const QFormulaRecord &record) const
{
    return templateCatalogue.describes(record);
}

// What typing builds the template, and how it is written as an inverse.
void QFormulaProvider::readItemTriggers(const QXmlAttributes &atts)
{
    QFormula *formulaTemplate = templates.last();
    formulaTemplate->infix = textValue(atts, "infix");
    formulaTemplate->prefix = textValue(atts, "prefix");
    formulaTemplate->inverseLine = textValue(atts, "inverseLine");
}

// Fields and lines belong to the last item read; before the first item there
// is none, and they are skipped, as are those outside any sensible grid.
void QFormulaProvider::readField(const QXmlAttributes &atts)
{
    const int row = intValue(atts, "row");
    const int column = intValue(atts, "column");
    if (templates.isEmpty() || !validCell(row, column))
        return;
    QFormula *formulaTemplate = templates.last();
    formulaTemplate->addField(floatValue(atts, "fontSizeMult"), row, column,
                              textValue(atts, "value"), textValue(atts, "defValue"),
                              intValue(atts, "autoBrakes") != 0,
                              qBound(1, intValue(atts, "rowSpan"), maxCellIndex + 1));
    formulaTemplate->field(formulaTemplate->fieldCount() - 1)->operand =
        intValue(atts, "operand") != 0;
}

void QFormulaProvider::readLine(const QXmlAttributes &atts)
{
    const QStringList coords =
        textValue(atts, "relativeCoords").split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const int row = intValue(atts, "row");
    const int column = intValue(atts, "column");
    if (templates.isEmpty() || coords.size() < 4 || !validCell(row, column))
        return;
    const QLineF line(coords.at(0).toFloat(), coords.at(1).toFloat(), coords.at(2).toFloat(),
                      coords.at(3).toFloat());
    templates.last()->addLine(line, row, column, floatValue(atts, "sizeRatio"));
}
