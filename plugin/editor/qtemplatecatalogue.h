#ifndef QTEMPLATECATALOGUE_H
#define QTEMPLATECATALOGUE_H

#include <QString>
#include <QVector>

class QFormula;
class QFormulaRecord;

// The template formulas that formulas are built from, known by name: a
// formula written down as a record is built again from them, and typed text
// that a template is typed as ("/" for a fraction) builds that template.
// The catalogue does not own its templates; whoever fills it keeps them, and
// every formula copied from one of them refers back to the catalogue.
class QTemplateCatalogue
{
public:
    // A template that the text just typed builds: the template, whether it
    // takes the operand before the cursor, and how many glyphs before the
    // cursor belong to the typed text (the "sqrt" of "sqrt(").
    struct Typed {
        const QFormula *formulaTemplate = nullptr;
        bool infix = false;
        int glyphsBefore = 0;
    };

    void add(QFormula *formulaTemplate);
    const QFormula *templateNamed(const QString &name) const;
    // The template that typing ch after the text before builds, if any.
    Typed typedTemplate(const QString &before, QChar ch) const;
    // Whether build can make the formula the record describes: every
    // template it names is here, with as many fields as the record gives.
    bool describes(const QFormulaRecord &record) const;
    // A new formula, without parent, as the record describes it.
    QFormula *build(const QFormulaRecord &record) const;
    // Empties the formula's fields and fills them as the record describes.
    void fill(QFormula *formula, const QFormulaRecord &record) const;

private:
    QVector<QFormula *> templates;
};

#endif
