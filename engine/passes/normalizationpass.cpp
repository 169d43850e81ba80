#include "normalizationpass.h"

#include "numerals.h"
#include "printsigns.h"
#include "stringliterals.h"

namespace
{

const QChar squareRoot(0x221A);
const QChar cubeRoot(0x221B);
const QChar minusSign(0x2212);
const QChar piSign(0x03C0);

bool isAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// A character of a script name: superscript digits are none, 3² is a power.
bool isNameCharacter(QChar c)
{
    return c.isLetter() || c.isDigit() || c == QLatin1Char('_') || c == QLatin1Char('$');
}

bool isSign(QChar c)
{
    return c == QLatin1Char('+') || c == QLatin1Char('-') || c == minusSign;
}

bool isRoot(QChar c)
{
    return c == squareRoot || c == cubeRoot;
}

// A factor ends here: a closing bracket, a power written in superscript
// digits after its base, or π.
bool endsFactor(QChar c)
{
    return c == QLatin1Char(')') || PrintSigns::isSuperscriptDigit(c) || c == piSign;
}

// A factor starts here: a name, an opening bracket or a root sign.
bool startsFactor(QChar c)
{
    return c.isLetter() || c == QLatin1Char('(') || isRoot(c);
}

// True when the character at index i ends an operand: a name, a number, a
// factor's end, or a postfix "!" (the factorial, not the start of "!="),
// which is one when the character before it ends an operand, as
// endedBefore tells.
bool endsOperand(const QString &text, int i, bool endedBefore)
{
    const QChar c = text.at(i);
    if (c == QLatin1Char('!'))
        return endedBefore && (i + 1 >= text.size() || text.at(i + 1) != QLatin1Char('='));
    return isNameCharacter(c) || endsFactor(c);
}

// The factors at index i and i + 1 multiply: 2x, 2(x), (1)x, (1)2, (1)(2),
// 2√3, 3²x, x√4, π(2), ππ, xπ, 3!(2), 3!x; ended tells whether the
// character at i ends an operand.
bool multipliesImplicitly(const QString &text, int i, bool ended)
{
    const QChar left = text.at(i);
    const QChar right = text.at(i + 1);
    if (left.isDigit())
        return startsFactor(right);
    if (endsFactor(left) || (left == QLatin1Char('!') && ended))
        return startsFactor(right) || right.isDigit();
    return isNameCharacter(left) && (isRoot(right) || right == piSign);
}

// The inserted "*" never starts a pair, so every pair is one of the
// statement's own; the statement is written anew in one sweep. String
// literals are copied as they stand. A numeral (1e-10, 2.5E3, 0x1F) is one
// number and is copied whole, as the script engine is to read it; digits
// that follow a letter belong to a name (x2), and there an "e" multiplies.
void insertMultiplications(QString &statement)
{
    QString multiplied;
    multiplied.reserve(statement.size() + statement.size() / 2);
    bool ended = false; // the character before ends an operand
    for (int i = 0; i < statement.size(); ++i) {
        const QChar c = statement.at(i);
        if (StringLiterals::isQuote(c)) {
            ended = false;
            const int end = StringLiterals::literalEnd(statement, i);
            multiplied += statement.midRef(i, end - i);
            i = end - 1;
            continue;
        }
        const QChar before = i > 0 ? statement.at(i - 1) : QChar();
        const bool startsNumeral =
            isAsciiDigit(c) || (c == QLatin1Char('.') && i + 1 < statement.size() &&
                                isAsciiDigit(statement.at(i + 1)));
        if (startsNumeral && !isNameCharacter(before) && before != QLatin1Char('.')) {
            const int length = Numerals::length(statement, i);
            const QString numeral = statement.mid(i, length);
            // the digits after a decimal comma stay as typed, for its error
            const bool afterComma =
                before == QLatin1Char(',') && i >= 2 && isAsciiDigit(statement.at(i - 2));
            multiplied += afterComma ? numeral : Numerals::scriptText(numeral);
            i += length - 1;
            ended = true;
            if (i + 1 < statement.size() && startsFactor(statement.at(i + 1)))
                multiplied += QLatin1Char('*');
            continue;
        }
        multiplied += c;
        ended = endsOperand(statement, i, ended);
        if (i + 1 < statement.size() && multipliesImplicitly(statement, i, ended))
            multiplied += QLatin1Char('*');
    }
    statement = multiplied;
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

bool startsOperand(QChar c)
{
    return isNameCharacter(c) || c == QLatin1Char('(') || c == QLatin1Char('.') || isRoot(c);
}

// An expression starts after this character: where ECMAScript reads "--x"
// as a decrement (f(--i), x=--i). After an operand or an operator of the
// notation (4!--x, 2^--x, √--x) the run is a sign.
bool startsExpression(QChar c)
{
    return QStringLiteral("(,;=[{?:&|").contains(c);
}

// True for "++" or "--" that ECMAScript reads as an increment or decrement
// of a name: after a name and before no operand (i++ in a cycle head), or
// before a name where an expression starts (--i).
bool isStep(const QString &signs, const QString &before, QChar after)
{
    if (signs != QLatin1String("++") && signs != QLatin1String("--"))
        return false;
    if (endsWithName(before))
        return after.isNull() || !startsOperand(after);
    return after.isLetter() && (before.isEmpty() || startsExpression(before.back()));
}

// A run of two signs or more is the one sign it amounts to: --1 is +1, 2+-3
// is 2-3, 1e--5 is 1e+5. A minus of print counts as a minus here; alone it
// is left to the operator table. Increments and decrements of names keep
// their reading.
QString collapsedSigns(const QString &signs, const QString &before, QChar after)
{
    if (isStep(signs, before, after))
        return signs;
    const int minuses = signs.count(QLatin1Char('-')) + signs.count(minusSign);
    return QString(QLatin1Char(minuses % 2 ? '-' : '+'));
}

// The next character after index i that is no blank, or null.
QChar nextNonBlank(const QString &text, int i)
{
    while (++i < text.size()) {
        if (text.at(i) != QLatin1Char(' '))
            return text.at(i);
    }
    return QChar();
}

// Lower case and no blanks outside string literals, and runs of signs
// outside them collapsed. A blank between "!" and "=" stays one blank, so
// that 4! == 5 compares a factorial instead of making "!==".
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
    for (int i = 0; i < statement.size(); ++i) {
        const QChar c = statement.at(i);
        if (StringLiterals::isQuote(c)) {
            flushSigns(i, c);
            const int end = StringLiterals::literalEnd(statement, i);
            folded += statement.midRef(i, end - i);
            i = end - 1;
        } else if (isSign(c)) {
            if (signs++ == 0)
                runStart = i;
        } else if (c == QLatin1Char(' ')) {
            if (signs == 0 && folded.endsWith(QLatin1Char('!')) &&
                nextNonBlank(statement, i) == QLatin1Char('='))
                folded += c;
        } else {
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
    PrintSigns::apply(statement);
}
