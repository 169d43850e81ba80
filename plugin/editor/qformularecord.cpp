#include "qformularecord.h"

#include "qformula.h"
#include "qformulafield.h"

#include <QLabel>

namespace
{
const QChar escape(QLatin1Char('\\'));
const QChar open(QLatin1Char('['));
const QChar close(QLatin1Char(']'));
const QChar separator(QLatin1Char('|'));
// Control characters written as a letter after the escape.
const QString controls = QStringLiteral("\n\t\r");
const QString controlNames = QStringLiteral("ntr");

bool isSpecial(QChar c)
{
    return c == escape || c == open || c == close || c == separator;
}

// Reads one record of the text from pos on; pos then stands after it.
class Reader
{
public:
    explicit Reader(const QString &text) : text(text) {}

    bool formula(QFormulaRecord *record, int depth)
    {
        if (depth > QFormulaRecord::deepest || !take(open))
            return false;
        record->name = plainText();
        while (take(separator)) {
            record->fields.append(QVector<QFormulaRecord>());
            if (!field(&record->fields.last(), depth))
                return false;
        }
        return take(close);
    }

    bool atEnd() const { return pos == text.size(); }

    // One character, unescaped; false for an escape at the end.
    bool character(QChar *c)
    {
        if (text.at(pos) != escape) {
            *c = text.at(pos++);
            return true;
        }
        if (pos + 1 == text.size())
            return false;
        const QChar escaped = text.at(pos + 1);
        const int control = controlNames.indexOf(escaped);
        *c = control >= 0 ? controls.at(control) : escaped;
        pos += 2;
        return true;
    }

private:
    bool field(QVector<QFormulaRecord> *items, int depth)
    {
        while (!atEnd() && text.at(pos) != separator && text.at(pos) != close) {
            if (text.at(pos) == open) {
                items->append(QFormulaRecord());
                if (!formula(&items->last(), depth + 1))
                    return false;
            } else {
                QChar c;
                if (!character(&c))
                    return false;
                items->append(QFormulaRecord::glyph(QString(c)));
            }
        }
        return true;
    }

    QString plainText()
    {
        QString name;
        QChar c;
        while (!atEnd() && text.at(pos) != separator && text.at(pos) != close &&
               text.at(pos) != open && character(&c))
            name += c;
        return name;
    }

    bool take(QChar c)
    {
        if (atEnd() || text.at(pos) != c)
            return false;
        ++pos;
        return true;
    }

    const QString &text;
    int pos = 0;
};

QVector<QFormulaRecord> fieldItems(const QFormulaField *field)
{
    // The field's own brackets are not part of what was typed: the field
    // puts them back when it is filled again.
    const int own = field->hasOwnBrackets() ? 1 : 0;
    QVector<QFormulaRecord> items;
    for (int i = own; i < field->itemCount() - own; ++i) {
        const QWidget *item = field->itemWidget(i);
        if (const auto *nested = qobject_cast<const QFormula *>(item))
            items.append(QFormulaRecord::ofFormula(nested));
        else if (const auto *glyph = qobject_cast<const QLabel *>(item))
            items.append(QFormulaRecord::glyph(glyph->text()));
    }
    return items;
}
} // namespace

QFormulaRecord QFormulaRecord::glyph(const QString &text)
{
    QFormulaRecord record;
    record.name = text;
    record.isGlyph = true;
    return record;
}

QFormulaRecord QFormulaRecord::ofFormula(const QFormula *formula)
{
    QFormulaRecord record;
    record.name = formula->objectName();
    for (int i = 0; i < formula->fieldCount(); ++i)
        record.fields.append(fieldItems(formula->field(i)));
    return record;
}

bool QFormulaRecord::fromText(const QString &text, QFormulaRecord *record)
{
    Reader reader(text);
    QFormulaRecord read;
    if (!reader.formula(&read, 0) || !reader.atEnd())
        return false;
    *record = read;
    return true;
}

QString QFormulaRecord::toText() const
{
    if (isGlyph)
        return escaped(name);
    QString text = open + escaped(name);
    for (const QVector<QFormulaRecord> &field : fields) {
        text += separator;
        for (const QFormulaRecord &item : field)
            text += item.toText();
    }
    return text + close;
}

bool QFormulaRecord::operator==(const QFormulaRecord &other) const
{
    return name == other.name && isGlyph == other.isGlyph && fields == other.fields;
}

QString QFormulaRecord::escaped(const QString &text)
{
    QString result;
    for (const QChar c : text) {
        const int control = controls.indexOf(c);
        if (control >= 0)
            result += QString(escape) + controlNames.at(control);
        else if (isSpecial(c))
            result += QString(escape) + c;
        else
            result += c;
    }
    return result;
}

QString QFormulaRecord::unescaped(const QString &text)
{
    QString result;
    Reader reader(text);
    QChar c;
    while (!reader.atEnd() && reader.character(&c))
        result += c;
    return result;
}
