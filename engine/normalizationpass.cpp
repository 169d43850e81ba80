#include "normalizationpass.h"

namespace
{

// A number or closing bracket followed by a name, a number or a bracket
// multiplies: 2x, 2(x), (1)x, (1)2, (1)(2).
bool multipliesImplicitly(QChar left, QChar right)
{
    if (left.isDigit())
        return right.isLetter() || right == QLatin1Char('(');
    if (left == QLatin1Char(')'))
        return right.isLetter() || right.isDigit() || right == QLatin1Char('(');
    return false;
}

// The inserted "*" never starts a pair, so every pair is one of the
// statement's own; the statement is written anew in one sweep.
void insertMultiplications(QString &statement)
{
    QString multiplied;
    multiplied.reserve(statement.size() + statement.size() / 2);
    for (int i = 0; i < statement.size(); ++i) {
        multiplied += statement.at(i);
        if (i + 1 < statement.size() && multipliesImplicitly(statement.at(i), statement.at(i + 1)))
            multiplied += QLatin1Char('*');
    }
    statement = multiplied;
}

void foldOutsideLiterals(QString &statement)
{
    QString folded;
    folded.reserve(statement.size());
    bool inLiteral = false;
    for (int i = 0; i < statement.size(); ++i) {
        const QChar c = statement.at(i);
        if (c == QLatin1Char('"') && (i == 0 || statement.at(i - 1) != QLatin1Char('\\'))) {
            inLiteral = !inLiteral;
            folded += c;
        } else if (inLiteral) {
            folded += c;
        } else if (c != QLatin1Char(' ')) {
            folded += c.toLower();
        }
    }
    statement = folded;
}

} // namespace

void NormalizationPass::apply(QString &statement)
{
    insertMultiplications(statement);
    foldOutsideLiterals(statement);
}
