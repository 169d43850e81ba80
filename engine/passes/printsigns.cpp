#include "printsigns.h"

#include "operatorpass.h"
#include "stringliterals.h"

#include <algorithm>
#include <vector>

namespace
{

const QChar squareRoot(0x221A);
const QChar cubeRoot(0x221B);

// The value of a superscript digit, or -1.
int superscriptValue(QChar c)
{
    switch (c.unicode()) {
    case 0x2070:
        return 0;
    case 0x00B9:
        return 1;
    case 0x00B2:
        return 2;
    case 0x00B3:
        return 3;
    default:
        return c.unicode() >= 0x2074 && c.unicode() <= 0x2079 ? c.unicode() - 0x2070 : -1;
    }
}

bool isOperandCharacter(const QString &text, int i)
{
    const QChar c = text.at(i);
    return c.isLetter() || c.isDigit() || c == QLatin1Char('.') || c == QLatin1Char('_') ||
           c == QLatin1Char('$') || OperatorPass::isExponentSign(text.constData(), i);
}

// Where the operand that ends the text starts: a number, a name, a call, a
// bracketed group, with the factorials after it (3!²); the text's size when
// there is none.
int operandStart(const QString &text)
{
    int depth = 0;
    int i = text.size();
    for (; i > 0; --i) {
        const QChar c = text.at(i - 1);
        if (c == QLatin1Char(')')) {
            ++depth;
        } else if (c == QLatin1Char('(')) {
            if (--depth < 0)
                break;
        } else if (depth == 0 && !isOperandCharacter(text, i - 1) &&
                   !(c == QLatin1Char('!') && i >= 2 &&
                     (isOperandCharacter(text, i - 2) || text.at(i - 2) == QLatin1Char(')') ||
                      text.at(i - 2) == QLatin1Char('!')))) {
            break;
        }
    }
    return i;
}

// The end of the operand that starts at index from, one sign in front
// allowed, with the factorials after it: the mirror of operandStart.
int operandEnd(const QString &text, int from)
{
    int i = from;
    if (i < text.size() && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-')))
        ++i;
    const int start = i;
    int depth = 0;
    for (; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('(')) {
            ++depth;
        } else if (c == QLatin1Char(')')) {
            if (--depth < 0)
                break;
        } else if (depth == 0 && !isOperandCharacter(text, i) &&
                   !(c == QLatin1Char('!') && i > start &&
                     (i + 1 >= text.size() || text.at(i + 1) != QLatin1Char('=')))) {
            break;
        }
    }
    return i > start ? i : from;
}

// Rewrites the statement in one sweep outside string literals; at each
// character that step takes, it may change the text written so far and
// returns the last index it has dealt with, or -1 to leave the character
// to the sweep.
template <typename Step> void sweep(QString &statement, Step step)
{
    QString out;
    out.reserve(statement.size() + 16);
    for (int i = 0; i < statement.size(); ++i) {
        if (StringLiterals::isQuote(statement.at(i))) {
            const int end = StringLiterals::literalEnd(statement, i);
            out += statement.midRef(i, end - i);
            i = end - 1;
            continue;
        }
        const int done = step(statement, i, out);
        if (done < 0)
            out += statement.at(i);
        else
            i = done;
    }
    statement = out;
}

// 2²³ gives pow(2,23); a run without an operand before it stays.
int readSuperscripts(const QString &statement, int i, QString &out)
{
    if (superscriptValue(statement.at(i)) < 0)
        return -1;
    const int start = operandStart(out);
    if (start == out.size())
        return -1;
    QString exponent;
    int end = i;
    for (; end < statement.size() && superscriptValue(statement.at(end)) >= 0; ++end)
        exponent += QString::number(superscriptValue(statement.at(end)));
    out = out.left(start) + QStringLiteral("pow(") + out.midRef(start) + QLatin1Char(',') +
          exponent + QLatin1Char(')');
    return end - 1;
}

// The end of the operand of the root at index i, one sign in front
// allowed, run on over the powers after it; i + 1 when no power follows.
int rootPowersEnd(const QString &statement, int i)
{
    int end = operandEnd(statement, i + 1);
    bool powered = false;
    while (end > i + 1 && end < statement.size() && statement.at(end) == QLatin1Char('^')) {
        const int next = operandEnd(statement, end + 1);
        if (next == end + 1)
            break;
        end = next;
        powered = true;
    }
    return powered ? end : i + 1;
}

// √x^2 gives √(x^2): the operand of a root runs on over the powers after
// it. The brackets of all roots are found first and put in together.
void readRootPowers(QString &statement)
{
    std::vector<int> opening;
    std::vector<int> closing;
    StringLiterals::walkOutside(statement, [&](int i) {
        if (statement.at(i) == squareRoot || statement.at(i) == cubeRoot) {
            const int end = rootPowersEnd(statement, i);
            if (end > i + 1) {
                opening.push_back(i + 1);
                closing.push_back(end);
            }
        }
        return i;
    });
    if (opening.empty())
        return;
    std::sort(closing.begin(), closing.end());
    QString out;
    out.reserve(statement.size() + 2 * int(opening.size()));
    size_t open = 0;
    size_t close = 0;
    for (int k = 0; k <= statement.size(); ++k) {
        for (; close < closing.size() && closing[close] == k; ++close)
            out += QLatin1Char(')');
        for (; open < opening.size() && opening[open] == k; ++open)
            out += QLatin1Char('(');
        if (k < statement.size())
            out += statement.at(k);
    }
    statement = out;
}

// True when a right operand, or "=" of "%=", starts here.
bool startsRightOperand(QChar c)
{
    return c.isLetterOrNumber() || QStringLiteral("(.+-=!\"'[_$").contains(c) || c == squareRoot ||
           c == cubeRoot;
}

// 50% gives (50/100), 200*10% 200*(10/100); 7%3 stays the remainder.
int readPercent(const QString &statement, int i, QString &out)
{
    if (statement.at(i) != QLatin1Char('%') ||
        (i + 1 < statement.size() && startsRightOperand(statement.at(i + 1))))
        return -1;
    const int start = operandStart(out);
    if (start == out.size())
        return -1;
    out = out.left(start) + QLatin1Char('(') + out.midRef(start) + QStringLiteral("/100)");
    return i;
}

} // namespace

bool PrintSigns::isSuperscriptDigit(QChar c)
{
    return superscriptValue(c) >= 0;
}

void PrintSigns::apply(QString &statement)
{
    // most statements hold none of these signs
    const bool holdsSigns = std::any_of(statement.cbegin(), statement.cend(), [](QChar c) {
        return superscriptValue(c) >= 0 || c == squareRoot || c == cubeRoot ||
               c == QLatin1Char('%');
    });
    if (!holdsSigns)
        return;
    sweep(statement, readSuperscripts);
    readRootPowers(statement);
    sweep(statement, readPercent);
}
