#include "normalizationpass.h"

namespace
{

const QChar squared(0x00B2);
const QChar cubed(0x00B3);
const QChar squareRoot(0x221A);
const QChar cubeRoot(0x221B);
const QChar minusSign(0x2212);

bool isAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool isNumeralCharacter(QChar c)
{
    return isAsciiDigit(c) || c == QLatin1Char('.');
}

bool isNameCharacter(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('$');
}

bool isSign(QChar c)
{
    return c == QLatin1Char('+') || c == QLatin1Char('-') || c == minusSign;
}

// A factor ends here: a closing bracket, or the sign of a square or cube
// written after its base.
bool endsFactor(QChar c)
{
    return c == QLatin1Char(')') || c == squared || c == cubed;
}

// A factor starts here: a name, an opening bracket or a root sign.
bool startsFactor(QChar c)
{
    return c.isLetter() || c == QLatin1Char('(') || c == squareRoot || c == cubeRoot;
}

// A number or the end of a factor followed by a name, a number, a bracket or
// a root sign multiplies: 2x, 2(x), (1)x, (1)2, (1)(2), 2√3, 3²x.
bool multipliesImplicitly(QChar left, QChar right)
{
    if (left.isDigit())
        return startsFactor(right);
    if (endsFactor(left))
        return startsFactor(right) || right.isDigit();
    return false;
}

// The length of the exponent that starts at index i of a numeral: "e" or
// "E", an optional sign (the minus of print too, which the operator table
// makes a minus) and at least one digit; 0 when there is none.
int exponentLength(const QString &text, int i)
{
    if (i >= text.size() || (text.at(i) != QLatin1Char('e') && text.at(i) != QLatin1Char('E')))
        return 0;
    int end = i + 1;
    if (end < text.size() && isSign(text.at(end)))
        ++end;
    const int digits = end;
    while (end < text.size() && isAsciiDigit(text.at(end)))
        ++end;
    return end > digits ? end - i : 0;
}

// The inserted "*" never starts a pair, so every pair is one of the
// statement's own; the statement is written anew in one sweep. A numeral
// with an exponent (1e-10, 2.5E3) is one number and is copied whole; digits
// that follow a letter belong to a name (x2), and there an "e" multiplies.
void insertMultiplications(QString &statement)
{
    QString multiplied;
    multiplied.reserve(statement.size() + statement.size() / 2);
    bool inNumeral = false;
    for (int i = 0; i < statement.size(); ++i) {
        const QChar c = statement.at(i);
        if (!isNumeralCharacter(c))
            inNumeral = false;
        else if (i == 0 || !isNumeralCharacter(statement.at(i - 1)))
            inNumeral = i == 0 || !isNameCharacter(statement.at(i - 1));
        multiplied += c;
        const int exponent = inNumeral && i + 1 < statement.size() &&
                                     statement.at(i + 1).toLower() == QLatin1Char('e')
                                 ? exponentLength(statement, i + 1)
                                 : 0;
        if (exponent > 0) {
            multiplied += statement.midRef(i + 1, exponent);
            i += exponent;
            inNumeral = false;
        }
        if (i + 1 < statement.size() && multipliesImplicitly(statement.at(i), statement.at(i + 1)))
            multiplied += QLatin1Char('*');
    }
    statement = multiplied;
}

bool endsOperand(QChar c)
{
    return isNameCharacter(c) || c == QLatin1Char(')') || c == QLatin1Char('.');
}

bool startsOperand(QChar c)
{
    return isNameCharacter(c) || c == QLatin1Char('(') || c == QLatin1Char('.');
}

// True when the text ends with a name: a run of name characters that does
// not start with a digit (x, a1, but not 12 or 1e5).
bool endsWithName(const QString &text)
{
    int start = text.size();
    while (start > 0 && isNameCharacter(text.at(start - 1)))
        --start;
    return start < text.size() && !text.at(start).isDigit();
}

// True for "++" or "--" that ECMAScript reads as an increment or decrement
// of a name: after a name and before no operand (i++ in a cycle head), or
// before a name and after no operand (--i).
bool isStep(const QString &signs, const QString &before, QChar after)
{
    if (signs != QLatin1String("++") && signs != QLatin1String("--"))
        return false;
    if (endsWithName(before))
        return after.isNull() || !startsOperand(after);
    return after.isLetter() && (before.isEmpty() || !endsOperand(before.back()));
}

// A run of two signs or more is the one sign it amounts to: --1 is +1, 2+-3 is 2-3. A
// minus of print counts as a minus here; alone it is left to the operator
// table. Increments and decrements of names keep their reading.
QString collapsedSigns(const QString &signs, const QString &before, QChar after)
{
    if (isStep(signs, before, after))
        return signs;
    const int minuses = signs.count(QLatin1Char('-')) + signs.count(minusSign);
    return QString(QLatin1Char(minuses % 2 ? '-' : '+'));
}

// Lower case and no blanks outside string literals, and runs of signs
// outside them collapsed.
void foldOutsideLiterals(QString &statement)
{
    QString folded;
    folded.reserve(statement.size());
    // the pending run of signs: its count and where it starts; blanks
    // between its signs go
    int signs = 0;
    int runStart = 0;
    const auto flushSigns = [&](int end, QChar after) {
        if (signs == 1)
            folded += statement.at(runStart);
        else if (signs > 1)
            folded += collapsedSigns(
                statement.mid(runStart, end - runStart).remove(QLatin1Char(' ')), folded, after);
        signs = 0;
    };
    bool inLiteral = false;
    for (int i = 0; i < statement.size(); ++i) {
        const QChar c = statement.at(i);
        if (c == QLatin1Char('"') && (i == 0 || statement.at(i - 1) != QLatin1Char('\\'))) {
            flushSigns(i, c);
            inLiteral = !inLiteral;
            folded += c;
        } else if (inLiteral) {
            folded += c;
        } else if (isSign(c)) {
            if (signs++ == 0)
                runStart = i;
        } else if (c != QLatin1Char(' ')) {
            const QChar lower = c.toLower();
            if (signs > 0)
                flushSigns(i, lower);
            folded += lower;
        }
    }
    flushSigns(statement.size(), QChar());
    statement = folded;
}

} // namespace

void NormalizationPass::apply(QString &statement)
{
    insertMultiplications(statement);
    foldOutsideLiterals(statement);
}
