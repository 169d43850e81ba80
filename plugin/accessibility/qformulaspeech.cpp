#include "qformulaspeech.h"

#include "qformula.h"
#include "qformulafield.h"
#include "qformulawords.h"

namespace
{
// Letters, digits and the decimal point run together into one word, as
// written: "16", "1.5", "x".
bool isWordCharacter(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('.') || c == QLatin1Char('_');
}

bool isWordGlyph(const QFormulaRecord &item)
{
    return item.isGlyph && item.name.size() == 1 && isWordCharacter(item.name.at(0)) &&
           item.name != QStringLiteral("π") && item.name != QStringLiteral("φ");
}

// The text of the glyphs from index on, up to the first nested formula.
QString glyphText(const QVector<QFormulaRecord> &items, int from)
{
    QString text;
    for (int i = from; i < items.size() && items.at(i).isGlyph; ++i)
        text += items.at(i).name;
    return text;
}

// Whether a field holds more than one term and is not bracketed already:
// "2 plus 3", not "23", "-2" nor "(2+3)".
bool isCompound(const QVector<QFormulaRecord> &items)
{
    const bool hasSign =
        !items.isEmpty() && items.first().isGlyph &&
        (items.first().name == QLatin1String("-") || items.first().name == QLatin1String("+"));
    bool allWord = true;
    for (int i = hasSign ? 1 : 0; i < items.size(); ++i)
        allWord = allWord && isWordGlyph(items.at(i));
    const bool bracketed = items.size() >= 2 && items.first().isGlyph &&
                           items.first().name == QLatin1String("(") && items.last().isGlyph &&
                           items.last().name == QLatin1String(")");
    return items.size() > 1 && !allWord && !bracketed;
}

QString bracketWord(const char *bracket)
{
    QString word;
    QFormulaWords::operatorAt(QLatin1String(bracket), 0, &word);
    return word;
}

// The pattern of a template: a variant when its degree field holds nothing,
// 2 or 3 ("square root of x", "x squared").
const char *patternOf(const QFormulaWords::Reading &entry, const QFormulaRecord &formula)
{
    const int degree = entry.degreeField - 1;
    if (degree < 0 || degree >= formula.fields.size())
        return entry.pattern;
    const QString text = glyphText(formula.fields.at(degree), 0);
    if (text.size() != formula.fields.at(degree).size())
        return entry.pattern;
    const char *variant = text.isEmpty()               ? entry.plain
                          : text == QLatin1String("2") ? entry.squared
                          : text == QLatin1String("3") ? entry.cubed
                                                       : nullptr;
    return variant ? variant : entry.pattern;
}
} // namespace

QFormulaSpeech::QFormulaSpeech(const QFormulaRecord &formula, const FieldPath &cursor)
    : cursor(cursor)
{
    readFormula(formula, FieldPath());
}

QFormulaSpeech QFormulaSpeech::ofFormula(const QFormula *root)
{
    FieldPath path;
    cursorField(root, &path);
    return QFormulaSpeech(QFormulaRecord::ofFormula(root), path);
}

int QFormulaSpeech::offsetOf(const FieldPath &field, int position) const
{
    for (const Stop &stop : stops)
        if (stop.field == field && stop.position == position)
            return stop.offset;
    return -1;
}

bool QFormulaSpeech::placeAt(int offset, FieldPath *field, int *position) const
{
    const Stop *best = nullptr;
    for (const Stop &stop : stops) {
        const bool fits = stop.offset <= offset;
        if (!best || (fits && (best->offset > offset || stop.offset > best->offset)) ||
            (!fits && best->offset > offset && stop.offset < best->offset))
            best = &stop;
    }
    if (!best)
        return false;
    *field = best->field;
    *position = best->position;
    return true;
}

QString QFormulaSpeech::fieldName(const FieldPath &field) const
{
    for (const Field &entry : fields)
        if (entry.path == field)
            return entry.name;
    return QString();
}

QFormulaField *QFormulaSpeech::fieldAt(const QFormula *root, const FieldPath &path)
{
    if (path.size() % 2 == 0)
        return nullptr;
    const QFormula *formula = root;
    for (int i = 0;; i += 2) {
        if (!formula || path.at(i) < 0 || path.at(i) >= formula->fieldCount())
            return nullptr;
        QFormulaField *field = formula->field(path.at(i));
        if (i + 1 == path.size())
            return field;
        formula = qobject_cast<QFormula *>(field->itemWidget(path.at(i + 1)));
    }
}

// The focus proxies lead from the root to the field last used: the formula
// to one of its fields, a field that holds the focused formula to that.
QFormulaField *QFormulaSpeech::cursorField(const QFormula *root, FieldPath *path)
{
    QFormulaField *field = qobject_cast<QFormulaField *>(root->focusProxy());
    while (field) {
        auto *nested = qobject_cast<QFormula *>(field->focusProxy());
        auto *inner = nested ? qobject_cast<QFormulaField *>(nested->focusProxy()) : nullptr;
        if (!inner)
            break;
        field = inner;
    }
    if (!field || !pathOf(root, field, path))
        return nullptr;
    return field;
}

bool QFormulaSpeech::pathOf(const QFormula *root, const QFormulaField *field, FieldPath *path)
{
    path->clear();
    while (field) {
        const auto *formula = qobject_cast<const QFormula *>(field->parentWidget());
        int index = 0;
        while (formula && index < formula->fieldCount() && formula->field(index) != field)
            ++index;
        if (!formula || index == formula->fieldCount())
            return false;
        path->prepend(index);
        if (formula == root)
            return true;
        field = qobject_cast<const QFormulaField *>(formula->parentWidget());
        int item = 0;
        while (field && item < field->itemCount() && field->itemWidget(item) != formula)
            ++item;
        if (!field || item == field->itemCount())
            return false;
        path->prepend(item);
    }
    return false;
}

void QFormulaSpeech::readFormula(const QFormulaRecord &formula, const FieldPath &path)
{
    const QFormulaWords::Reading *entry = QFormulaWords::reading(formula.name);
    for (int k = 0; k < formula.fields.size(); ++k) {
        const char *name = entry && k < 3 ? entry->fieldNames[k] : nullptr;
        fields.append({path + FieldPath{k}, name ? QFormulaWords::translated(name) : QString()});
    }
    if (!entry) {
        // A template the table lacks is read field by field.
        QString pattern;
        for (int k = 1; k <= formula.fields.size() && k <= 9; ++k)
            pattern += QStringLiteral(" %") + QString::number(k);
        readPattern(pattern.trimmed(), formula, QString(), path);
        return;
    }
    const QString word = entry->word ? QFormulaWords::translated(entry->word) : QString();
    const FieldPath degree = path + FieldPath{entry->degreeField - 1};
    const bool inDegree = entry->degreeField > 0 && cursor.mid(0, degree.size()) == degree;
    const char *pattern = inDegree ? entry->pattern : patternOf(*entry, formula);
    readPattern(QFormulaWords::translated(pattern), formula, word, path);
}

// The pattern's text as it stands, "%0" the function's word, "%1" to "%9"
// its fields read aloud.
void QFormulaSpeech::readPattern(const QString &pattern, const QFormulaRecord &formula,
                                 const QString &word, const FieldPath &path)
{
    for (int i = 0; i < pattern.size(); ++i) {
        const int k = i + 1 < pattern.size() ? pattern.at(i + 1).digitValue() : -1;
        if (pattern.at(i) != QLatin1Char('%') || k < 0 || k > formula.fields.size()) {
            spoken += pattern.at(i);
            continue;
        }
        ++i;
        if (k == 0)
            spoken += word;
        else
            readField(formula.fields.at(k - 1), path + FieldPath{k - 1});
    }
}

// Each item is one word, apart from letters and digits that run together;
// an empty field nested in another formula says so. A field of a nested
// formula that reads as several words is read between brackets, so that
// "1 over open bracket 2 plus 3 close bracket" is not taken for 1/2+3.
void QFormulaSpeech::readField(const QVector<QFormulaRecord> &items, const FieldPath &path)
{
    if (items.isEmpty()) {
        addStop(path, 0);
        if (path.size() > 1)
            spoken += QFormulaWords::empty();
        return;
    }
    const bool enclosed = path.size() > 1 && isCompound(items);
    if (enclosed) {
        separate();
        spoken += bracketWord("(");
    }
    for (int i = 0; i < items.size();) {
        const bool joins = i > 0 && isWordGlyph(items.at(i)) && isWordGlyph(items.at(i - 1));
        if (!joins)
            separate();
        addStop(path, i);
        if (items.at(i).isGlyph) {
            i = readGlyphs(items, i, path);
        } else {
            readFormula(items.at(i), path + FieldPath{i});
            ++i;
        }
    }
    addStop(path, items.size());
    if (enclosed) {
        separate();
        spoken += bracketWord(")");
    }
}

// Reads the glyph at from, or the operator that begins there; returns the
// index after it.
int QFormulaSpeech::readGlyphs(const QVector<QFormulaRecord> &items, int from,
                               const FieldPath &path)
{
    QString word;
    const int length = isWordGlyph(items.at(from))
                           ? 0
                           : QFormulaWords::operatorAt(glyphText(items, from), 0, &word);
    if (length == 0) {
        spoken += items.at(from).name;
        return from + 1;
    }
    spoken += word;
    for (int i = from + 1; i < from + length; ++i)
        stops.append({path, i, stops.last().offset});
    return from + length;
}

void QFormulaSpeech::separate()
{
    if (!spoken.isEmpty() && !spoken.endsWith(QLatin1Char(' ')))
        spoken += QLatin1Char(' ');
}

void QFormulaSpeech::addStop(const FieldPath &field, int position)
{
    stops.append({field, position, int(spoken.size())});
}
