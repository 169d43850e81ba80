#ifndef TEMPLATES_H
#define TEMPLATES_H

#include "qformula.h"
#include "qformulafield.h"

#include <QLineF>

#include <memory>

// Template formulas of the formula catalogue, built the way the catalogue
// loader builds them: one addField or addLine per field or line of the item,
// in the catalogue's order and with its values.
namespace templates
{

inline std::unique_ptr<QFormula> make(const QString &name, const QString &lineTemplate,
                                      const QString &appendText = QString())
{
    auto formula = std::make_unique<QFormula>();
    formula->setObjectName(name);
    formula->lineTemplate = lineTemplate;
    formula->appendText = appendText;
    return formula;
}

inline std::unique_ptr<QFormula> input()
{
    auto formula = make(QStringLiteral("Поле для ввода"), QStringLiteral("%1"));
    formula->addField(1, 0, 0, QString(), QString(), false);
    return formula;
}

// Field order: caption %1, exponent %2, argument %3.
inline std::unique_ptr<QFormula> sine()
{
    auto formula = make(QStringLiteral("Синус"), QStringLiteral("pow(%1(%3),%2)"));
    formula->addField(1, 1, 0, QStringLiteral("sin"), QString(), false);
    formula->addField(0.7f, 0, 1, QString(), QStringLiteral("1"), false);
    formula->addField(1, 1, 2, QString(), QString(), true);
    return formula;
}

// Field order: exponent %1, base %2; typed as "^" after its base.
inline std::unique_ptr<QFormula> power()
{
    auto formula = make(QStringLiteral("Степень"), QStringLiteral("pow(%2,%1)"));
    formula->infix = QStringLiteral("^");
    formula->addField(0.7f, 0, 1, QString(), QString(), false);
    formula->addField(1, 1, 0, QString(), QString(), true);
    return formula;
}

inline std::unique_ptr<QFormula> absoluteValue()
{
    auto formula = make(QStringLiteral("Модуль"), QStringLiteral("abs(%1)"));
    formula->prefix = QStringLiteral("|");
    formula->addField(1, 0, 1, QString(), QString(), false);
    formula->addLine(QLineF(0.5, 0.01, 0.5, 0.99), 0, 0, 0.05f);
    formula->addLine(QLineF(0.5, 0.01, 0.5, 0.99), 0, 2, 0.05f);
    return formula;
}

// Field order: numerator %1, denominator %2; the bar lies between them.
// Typed as "/" after its numerator.
inline std::unique_ptr<QFormula> fraction()
{
    auto formula = make(QStringLiteral("Дробь"), QStringLiteral("((%1)/(%2))"));
    formula->infix = QStringLiteral("/");
    formula->addField(1, 0, 0, QString(), QString(), false);
    formula->field(0)->operand = true;
    formula->addField(1, 2, 0, QString(), QString(), false);
    formula->addLine(QLineF(0, 0.5, 1, 0.5), 1, 0, 20);
    return formula;
}

// The root sign takes two cells beside the radicand, the overline one above.
inline std::unique_ptr<QFormula> squareRoot()
{
    auto formula = make(QStringLiteral("Корень"), QStringLiteral("sqrt(%1)"));
    formula->prefix = QStringLiteral("√ sqrt(");
    formula->addField(1, 1, 2, QString(), QString(), false);
    formula->addLine(QLineF(0, 0.6, 0.5, 1), 1, 0, 0.3f);
    formula->addLine(QLineF(0.5, 1, 1, 0), 1, 1, 0.3f);
    formula->addLine(QLineF(0, 1, 1, 1), 0, 2, 0);
    return formula;
}

// A key that only types text, such as a constant or a bracket.
inline std::unique_ptr<QFormula> text(const QString &name, const QString &appendText)
{
    return make(name, QString(), appendText);
}

} // namespace templates

#endif
