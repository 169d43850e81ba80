#ifndef QFORMULARECORD_H
#define QFORMULARECORD_H

#include <QString>
#include <QVector>

class QFormula;

// A formula tree written down without its widgets: the name of each
// formula's catalogue template and, for each of its fields, the glyphs and
// nested formulas it holds, in order. Its text form is one line:
// "[name|field|field]", where a field is its glyphs followed by nested
// formulas in brackets of their own, and "\" escapes "[", "]", "|", "\" and
// control characters; the root field "1+" holding a fraction of 1 over 2 is
// "[Поле для ввода|1+[Дробь|1|2]]".
class QFormulaRecord
{
public:
    // Nested formulas deeper than this are not read: no formula a person
    // builds comes near it, and a damaged text cannot exhaust the stack.
    static const int deepest = 64;

    static QFormulaRecord glyph(const QString &text);
    static QFormulaRecord ofFormula(const QFormula *formula);
    // The record of a whole text, or false when the text is not one.
    static bool fromText(const QString &text, QFormulaRecord *record);
    QString toText() const;

    bool operator==(const QFormulaRecord &other) const;
    bool operator!=(const QFormulaRecord &other) const { return !(*this == other); }

    // Escapes "[", "]", "|", "\" and control characters, and back.
    static QString escaped(const QString &text);
    static QString unescaped(const QString &text);

    // The template's name of a formula, the text of a glyph.
    QString name;
    bool isGlyph = false;
    // Per field, its items in order; a glyph has none.
    QVector<QVector<QFormulaRecord>> fields;
};

#endif
