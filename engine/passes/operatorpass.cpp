#include "operatorpass.h"

#include <QStringRef>

#include <algorithm>
#include <limits>
#include <vector>

namespace
{

// Scans the operand next to a match from index from, in the direction step
// (-1 leftwards, 1 rightwards): numbers, names, calls and whole bracketed
// groups. Returns the first index outside the operand.
int operandBoundary(const QString &statement, int from, int step)
{
    const QChar deeper = QLatin1Char(step < 0 ? ')' : '(');
    const QChar shallower = QLatin1Char(step < 0 ? '(' : ')');
    int depth = 0;
    int i = from;
    for (; i >= 0 && i < statement.size(); i += step) {
        const QChar c = statement.at(i);
        if (depth == 0 && !OperatorPass::isOperandCharacter(c) &&
            !OperatorPass::isExponentSign(statement.constData(), i))
            break;
        if (c == deeper)
            ++depth;
        else if (c == shallower && --depth < 0)
            break;
    }
    return i;
}

bool isSign(QChar c)
{
    return c == QLatin1Char('+') || c == QLatin1Char('-');
}

// The end of the right operand that starts at index from: one sign may lead
// it (2^-1); when the entry groups from right to left, the operand runs on
// over further matches and their operands (2^3^2 is 2^(3^2)).
int rightOperandEnd(const QString &statement, int from, const QString &name,
                    OperatorPass::Grouping grouping)
{
    int end = from;
    for (;;) {
        const int operand = end < statement.size() && isSign(statement.at(end)) ? end + 1 : end;
        const int after = operandBoundary(statement, operand, 1);
        end = after > operand ? after : operandBoundary(statement, end, 1);
        if (grouping == OperatorPass::LeftToRight || statement.midRef(end, name.size()) != name)
            return end;
        end += name.size();
    }
}

// The template's own text with the operands in place of "%1" and "%2",
// filled in one sweep so that an operand holding such a text, as in (7%2)^3,
// is never filled in again. Copies of the entry's name in the template's own
// text are written as the mask character: a template that holds its own name
// would otherwise put a new match behind every resume point and never end.
QString fillTemplate(const QString &pattern, const QString &left, const QString &right,
                     const QString &name, QChar mask)
{
    QString filled;
    QString literal;
    const auto flushLiteral = [&] {
        filled += literal.replace(name, mask);
        literal.clear();
    };
    for (int i = 0; i < pattern.size(); ++i) {
        const QStringRef next = pattern.midRef(i, 2);
        if (next == QLatin1String("%1") || next == QLatin1String("%2")) {
            flushLiteral();
            filled += next == QLatin1String("%1") ? left : right;
            ++i;
        } else {
            literal += pattern.at(i);
        }
    }
    flushLiteral();
    return filled;
}

// A private-use character that stands neither in the statement nor in the
// template, found in one pass over both.
QChar unusedCharacter(const QString &statement, const QString &pattern)
{
    const ushort first = 0xE000; // private use: never typed in practice
    const ushort last = 0xF8FF;
    std::vector<bool> used(last - first + 1);
    for (const QString *text : {&statement, &pattern}) {
        for (const QChar c : *text) {
            if (c.unicode() >= first && c.unicode() <= last)
                used[c.unicode() - first] = true;
        }
    }
    const auto free = std::find(used.begin(), used.end(), false);
    // a statement that holds all 6400 of them still gets a character of its
    // own from the surrogate-free range above the private use area
    return free == used.end() ? QChar(ushort(0xFFFE))
                              : QChar(ushort(first + (free - used.begin())));
}

// The literal pieces of a template around its placeholders.
struct Pieces {
    bool left = false;
    bool right = false;
    QString before;  // the text in front of the first placeholder
    QString between; // between "%1" and "%2" when both stand there
    QString after;   // behind the last placeholder
};

// Splits a template as fillTemplate reads it; false when a placeholder
// stands twice or "%2" comes before "%1".
bool splitTemplate(const QString &pattern, Pieces &pieces)
{
    QString *literal = &pieces.before;
    for (int i = 0; i < pattern.size(); ++i) {
        const QStringRef next = pattern.midRef(i, 2);
        if (next == QLatin1String("%1")) {
            if (pieces.left || pieces.right)
                return false;
            pieces.left = true;
            literal = &pieces.between;
            ++i;
        } else if (next == QLatin1String("%2")) {
            if (pieces.right)
                return false;
            pieces.right = true;
            literal = &pieces.after;
            ++i;
        } else {
            *literal += pattern.at(i);
        }
    }
    if (pieces.left && !pieces.right)
        pieces.after.swap(pieces.between);
    return pieces.left || pieces.right;
}

// True when the template, its operands taken as single operand characters,
// is one operand: balanced brackets and only operand characters outside them.
bool formsOneOperand(const QString &pattern)
{
    QString shape = pattern;
    shape.replace(QLatin1String("%1"), QLatin1String("x"));
    shape.replace(QLatin1String("%2"), QLatin1String("x"));
    int depth = 0;
    for (const QChar c : shape) {
        if (c == QLatin1Char('(')) {
            ++depth;
        } else if (c == QLatin1Char(')')) {
            if (--depth < 0)
                return false;
        } else if (depth == 0 && !OperatorPass::isOperandCharacter(c)) {
            return false;
        }
    }
    return depth == 0;
}

// The one-sweep form of applyEntryByRescan (see appliesInOneSweep).
//
// The statement is read once from the left and the result written once. A
// match's left operand is the operand that ends the result so far: the
// result keeps, for every length, where the operand ending there starts and
// which "(" is the innermost open one, so that this is one look-up. The
// template's text in front of "%1" is not put in front of the operand, which
// would move it, but noted as an insertion at its start and written when the
// result is put together. A match's right operand is read on from the
// statement like the rest (its end was found for every index in one
// backward sweep) and the template's closing text follows it. A filled
// template is one operand: later left operands cross it in one step.
//
// Rescanning gives the same: the operand scans of a match inside a right
// operand never leave its brackets, the template's own text is never matched
// and the text in front of "%1" keeps the resume point inside the copy of
// the left operand, which holds no match.
void applyEntryInOneSweep(QString &statement, QChar name, const Pieces &pieces,
                          OperatorPass::Grouping grouping)
{
    const int n = statement.size();
    const QChar *in = statement.constData();
    const QChar open = QLatin1Char('(');
    const QChar close = QLatin1Char(')');

    // the end of the operand that starts at each index
    std::vector<int> rightEnd(size_t(n) + 1, n);
    {
        std::vector<int> closing(size_t(n), -1);
        std::vector<int> opened;
        for (int j = 0; j < n; ++j) {
            if (in[j] == open) {
                opened.push_back(j);
            } else if (in[j] == close && !opened.empty()) {
                closing[size_t(opened.back())] = j;
                opened.pop_back();
            }
        }
        for (int j = n - 1; j >= 0; --j) {
            const QChar c = in[j];
            if (c == open)
                rightEnd[size_t(j)] =
                    closing[size_t(j)] < 0 ? n : rightEnd[size_t(closing[size_t(j)]) + 1];
            else if (c != close &&
                     (OperatorPass::isOperandCharacter(c) || OperatorPass::isExponentSign(in, j)))
                rightEnd[size_t(j)] = rightEnd[size_t(j) + 1];
            else
                rightEnd[size_t(j)] = j;
        }
    }
    // the end of the right operand of a match at each index, as
    // rightOperandEnd finds it
    std::vector<int> matchEnd(size_t(n) + 1, n);
    for (int j = n - 1; j >= 0; --j) {
        const bool sign = isSign(in[j]) && rightEnd[size_t(j) + 1] > j + 1;
        const int end = rightEnd[size_t(sign ? j + 1 : j)];
        matchEnd[size_t(j)] = grouping == OperatorPass::RightToLeft && end < n && in[end] == name
                                  ? matchEnd[size_t(end) + 1]
                                  : end;
    }

    QString out;
    out.reserve(n + n / 4 + 16);
    // for every length k of the result: where the operand ending at k starts,
    // and the innermost "(" open before k (-1 for none); for every index of
    // a "(", the one open before it
    std::vector<int> operandStart{0};
    std::vector<int> openBefore{-1};
    std::vector<int> enclosing;
    const auto append = [&](QChar c) {
        const int k = out.size();
        out += c;
        int start = k + 1;
        int innermost = openBefore.back();
        enclosing.push_back(innermost);
        if (c == open) {
            innermost = k;
        } else if (c == close) {
            const int m = openBefore.back();
            start = m < 0 ? 0 : operandStart[size_t(m)];
            innermost = m < 0 ? -1 : enclosing[size_t(m)];
        } else if (OperatorPass::isOperandCharacter(c) ||
                   OperatorPass::isExponentSign(out.constData(), k)) {
            start = operandStart.back();
        }
        operandStart.push_back(start);
        openBefore.push_back(innermost);
    };
    const auto appendText = [&](const QString &text) {
        for (const QChar c : text)
            append(c);
    };
    // the block from start to the end of the result is one operand
    const auto seal = [&](int start) {
        operandStart.back() = operandStart[size_t(start)];
        openBefore.back() = openBefore[size_t(start)];
    };

    struct Frame {
        int end;   // the index of the statement where the right operand ends
        int start; // the index of the result where the filled template starts
    };
    std::vector<Frame> frames;
    std::vector<int> insertions;
    for (int i = 0; i <= n; ++i) {
        while (!frames.empty() && frames.back().end == i) {
            appendText(pieces.after);
            seal(frames.back().start);
            frames.pop_back();
        }
        if (i == n)
            break;
        if (in[i] != name) {
            append(in[i]);
            continue;
        }
        // a sign of one operand that has none stays as it is: !x, a lone √
        if (pieces.left != pieces.right &&
            (pieces.left ? operandStart.back() == out.size() : matchEnd[size_t(i) + 1] == i + 1)) {
            append(in[i]);
            continue;
        }
        int start = out.size();
        if (pieces.left) {
            start = operandStart.back();
            insertions.push_back(start);
            appendText(pieces.right ? pieces.between : pieces.after);
        } else {
            appendText(pieces.before);
        }
        if (pieces.right)
            frames.push_back({matchEnd[size_t(i) + 1], start});
        else
            seal(start);
    }

    std::sort(insertions.begin(), insertions.end());
    QString result;
    result.reserve(out.size() + int(insertions.size()) * pieces.before.size());
    size_t next = 0;
    for (int k = 0; k <= out.size(); ++k) {
        for (; next < insertions.size() && insertions[next] == k; ++next)
            result += pieces.before;
        if (k < out.size())
            result += out.at(k);
    }
    statement = result;
}

} // namespace

bool OperatorPass::isOperandCharacter(QChar c)
{
    return c.isLetter() || c.isDigit() || c == QLatin1Char('(') || c == QLatin1Char(')') ||
           c == QLatin1Char('.');
}

bool OperatorPass::isExponentSign(const QChar *text, int i)
{
    return i >= 2 && isSign(text[i]) && text[i - 1] == QLatin1Char('e') &&
           ((text[i - 2] >= QLatin1Char('0') && text[i - 2] <= QLatin1Char('9')) ||
            text[i - 2] == QLatin1Char('.'));
}

bool OperatorPass::appliesInOneSweep(const QString &name, const QString &pattern)
{
    Pieces pieces;
    return name.size() == 1 && !isOperandCharacter(name.at(0)) && splitTemplate(pattern, pieces) &&
           !pieces.before.isEmpty() && formsOneOperand(pattern);
}

bool OperatorPass::applyEntry(QString &statement, const QString &name, const QString &pattern,
                              Grouping grouping, int maxSize, qint64 *budget)
{
    if (!pattern.contains(QLatin1String("%1")) && !pattern.contains(QLatin1String("%2"))) {
        const qint64 grown =
            statement.size() + qint64(statement.count(name)) * (pattern.size() - name.size());
        if (grown > maxSize)
            return false;
        statement.replace(name, pattern);
        return true;
    }
    Pieces pieces;
    if (appliesInOneSweep(name, pattern) && splitTemplate(pattern, pieces)) {
        applyEntryInOneSweep(statement, name.at(0), pieces, grouping);
        return statement.size() <= maxSize;
    }
    return applyEntryByRescan(statement, name, pattern, grouping, maxSize, budget);
}

bool OperatorPass::applyEntryByRescan(QString &statement, const QString &name,
                                      const QString &pattern, Grouping grouping, int maxSize,
                                      qint64 *budget)
{
    qint64 unlimited = std::numeric_limits<qint64>::max();
    if (!budget)
        budget = &unlimited;
    const bool hasLeft = pattern.contains(QLatin1String("%1"));
    const bool hasRight = pattern.contains(QLatin1String("%2"));
    const QChar mask = unusedCharacter(statement, pattern);
    // Every match costs about the statement's length: once the budget is
    // spent the entry gives up as if the statement had grown too long,
    // rather than take quadratic time on a long line.
    for (int pos = statement.indexOf(name); pos >= 0; pos = statement.indexOf(name, pos + 1)) {
        *budget -= statement.size() + pattern.size();
        if (*budget < 0) {
            statement.replace(mask, name);
            return false;
        }
        const int start = hasLeft ? operandBoundary(statement, pos - 1, -1) + 1 : pos;
        const int end = hasRight ? rightOperandEnd(statement, pos + 1, name, grouping) : pos + 1;
        // a sign of one operand that has none stays as it is: !x, a lone √
        if (hasLeft != hasRight && (hasLeft ? start == pos : end == pos + 1))
            continue;
        const QString left = statement.mid(start, pos - start);
        const QString right = statement.mid(pos + 1, end - pos - 1);
        const QString filled = fillTemplate(pattern, left, right, name, mask);
        if (qint64(statement.size()) - (end - start) + filled.size() > maxSize) {
            statement.replace(mask, name);
            return false;
        }
        statement.replace(start, end - start, filled);
    }
    statement.replace(mask, name);
    return true;
}
