#include "qtemplatecatalogue.h"

#include "qformula.h"
#include "qformulafield.h"
#include "qformularecord.h"

#include <QCoreApplication>
#include <QFocusEvent>

#include <memory>

namespace
{

// Whether typing ch after before completes trigger: a one-character trigger
// always, a word such as "sqrt(" when it is not the end of a longer word.
bool completes(const QString &trigger, const QString &before, QChar ch)
{
    if (trigger.isEmpty() || trigger.back() != ch)
        return false;
    const QString word = trigger.chopped(1);
    if (!word.isEmpty() && !before.endsWith(word))
        return false;
    const int start = before.size() - word.size();
    return word.isEmpty() || start == 0 || !before.at(start - 1).isLetterOrNumber();
}

} // namespace

void QTemplateCatalogue::add(QFormula *formulaTemplate)
{
    templates.append(formulaTemplate);
    formulaTemplate->catalogue = this;
}

const QFormula *QTemplateCatalogue::templateNamed(const QString &name) const
{
    for (const QFormula *formulaTemplate : templates)
        if (formulaTemplate->objectName() == name)
            return formulaTemplate;
    return nullptr;
}

QTemplateCatalogue::Typed QTemplateCatalogue::typedTemplate(const QString &before, QChar ch) const
{
    for (const QFormula *formulaTemplate : templates) {
        for (const bool infix : {true, false}) {
            const QString &triggers = infix ? formulaTemplate->infix : formulaTemplate->prefix;
            for (const QString &trigger : triggers.split(QLatin1Char(' '), Qt::SkipEmptyParts))
                if (completes(trigger, before, ch))
                    return {formulaTemplate, infix, int(trigger.size()) - 1};
        }
    }
    return {};
}

bool QTemplateCatalogue::describes(const QFormulaRecord &record) const
{
    const QFormula *formulaTemplate = templateNamed(record.name);
    if (record.isGlyph || !formulaTemplate || formulaTemplate->fieldCount() != record.fields.size())
        return false;
    for (const QVector<QFormulaRecord> &field : record.fields)
        for (const QFormulaRecord &item : field)
            if (!item.isGlyph && !describes(item))
                return false;
    return true;
}

QFormula *QTemplateCatalogue::build(const QFormulaRecord &record) const
{
    if (!describes(record))
        return nullptr;
    auto formula = std::make_unique<QFormula>(*templateNamed(record.name));
    formula->setParent(nullptr);
    fill(formula.get(), record);
    return formula.release();
}

// Each field is filled item by item: the glyphs typed as they stand, the
// nested formulas built the same way and taken in, then bracketed as typing
// them would have.
void QTemplateCatalogue::fill(QFormula *formula, const QFormulaRecord &record) const
{
    for (int i = 0; i < record.fields.size() && i < formula->fieldCount(); ++i) {
        QFormulaField *field = formula->field(i);
        field->clear();
        for (const QFormulaRecord &item : record.fields.at(i)) {
            if (item.isGlyph) {
                field->insertText(item.name, false);
                continue;
            }
            if (QFormula *nested = build(item)) {
                field->holdFormula(nested);
                field->setCursorPosition(field->cursorPosition() + 1, false, false);
            }
        }
        field->bracketContent();
        if (!field->hasFocus()) {
            // Outlined as a field is once the user has left it.
            QFocusEvent left(QEvent::FocusOut);
            QCoreApplication::sendEvent(field, &left);
        }
    }
}
