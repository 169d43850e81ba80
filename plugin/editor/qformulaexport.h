#ifndef QFORMULAEXPORT_H
#define QFORMULAEXPORT_H

#include "qformularecord.h"

#include <QString>
#include <QVector>

class QMimeData;

// Writes a formula, or the items of a part of a field, in the forms other
// programs read: plain text as a person writes it (√9, 2/3, sin²(x), |-2|,
// ff₁₆, with an ASCII minus and none of the engine's function calls),
// LaTeX (\sqrt{9}, \frac{2}{3}) and MathML presentation markup. Every
// template of the catalogue with fields has its own form; a template this
// class does not know is written as its fields side by side.
class QFormulaExport
{
public:
    enum Format { PlainText, Latex, MathML };

    static const QString latexType;
    static const QString mathMLType;

    // The items of a field in one of the forms; MathML as a whole <math>
    // element.
    static QString write(const QVector<QFormulaRecord> &items, Format format);
    // All three forms, for the clipboard.
    static QMimeData *mimeData(const QVector<QFormulaRecord> &items);

    // Helpers of the plain text form, shared with the reader of LaTeX.
    // A text set high or low: in superscript or subscript characters where
    // it has them all, or else after "^" or "_" as an operand.
    static QString raised(const QString &text);
    static QString lowered(const QString &text);
    // A fraction and a root of the given texts.
    static QString fraction(const QString &numerator, const QString &denominator);
    static QString root(const QString &index, const QString &radicand);
    // The text as the base of a power: an operand, and a root in brackets.
    static QString base(const QString &text);
    // The text, in brackets unless it is one operand already.
    static QString operand(const QString &text);
    // The text, in brackets unless they enclose it whole already.
    static QString bracketed(const QString &text);
    // Whether the text holds an operator outside brackets and bars.
    static bool isCompound(const QString &text);
};

#endif
