#ifndef QFORMULASPEECH_H
#define QFORMULASPEECH_H

#include "qformularecord.h"

#include <QString>
#include <QVector>

class QFormula;
class QFormulaField;

// A formula read aloud as one line of text, "1 over 2 plus square root of
// 16", in the words of the formula word table. A field is named by its path
// from the root formula: the field's index in the root, then for each
// formula nested on the way the item's index in its field and the field's
// index in that formula. Every place the cursor can stand, a field and a
// position in it, has its offset in the text. A degree that a shorter
// reading leaves unsaid ("square root of 16", "sine squared of x") is read
// out while the cursor stands in it: "root of degree empty of 16".
class QFormulaSpeech
{
public:
    using FieldPath = QVector<int>;

    explicit QFormulaSpeech(const QFormulaRecord &formula, const FieldPath &cursor = FieldPath());
    // The edited formula as it stands, with the field its cursor is in.
    static QFormulaSpeech ofFormula(const QFormula *root);

    QString text() const { return spoken; }
    // The offset of a cursor position in the text; -1 for a place that is
    // not in the formula.
    int offsetOf(const FieldPath &field, int position) const;
    // The cursor position whose offset is the greatest not above offset
    // (the first one for a smaller offset); false for a formula without any.
    bool placeAt(int offset, FieldPath *field, int *position) const;
    // What the field is called: "numerator", "argument of sine".
    QString fieldName(const FieldPath &field) const;

    // The field of a formula tree at a path, or none.
    static QFormulaField *fieldAt(const QFormula *root, const FieldPath &path);
    // The path of the field that the root's focus proxies lead to, the one
    // that typing goes to, and that field.
    static QFormulaField *cursorField(const QFormula *root, FieldPath *path);
    // The path of a field of the root's tree; false for a field outside it.
    static bool pathOf(const QFormula *root, const QFormulaField *field, FieldPath *path);

private:
    struct Stop {
        FieldPath field;
        int position;
        int offset;
    };
    struct Field {
        FieldPath path;
        QString name;
    };

    void readFormula(const QFormulaRecord &formula, const FieldPath &path);
    void readPattern(const QString &pattern, const QFormulaRecord &formula, const QString &word,
                     const FieldPath &path);
    void readField(const QVector<QFormulaRecord> &items, const FieldPath &path);
    int readGlyphs(const QVector<QFormulaRecord> &items, int from, const FieldPath &path);
    void separate();
    void addStop(const FieldPath &field, int position);

    FieldPath cursor;
    QString spoken;
    QVector<Stop> stops;
    QVector<Field> fields;
};

#endif
