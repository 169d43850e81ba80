#include "operatorpass.h"

#include "stringliterals.h"

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

// The end of the expression that starts at index from: a "," or ";" outside
// brackets, string literals and choices, a ":" of no "?", or a closing
// bracket of no opening one (s+=a<b?1:2 takes all of a<b?1:2).
int expressionEnd(const QString &statement, int from)
{
    int depth = 0;
    int choices = 0;
    QChar quote;
    int i = from;
    for (; i < statement.size(); ++i) {
        const QChar c = statement.at(i);
        if (!quote.isNull()) {
            if (c == QLatin1Char('\\'))
                ++i;
            else if (c == quote)
                quote = QChar();
        } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            quote = c;
        } else if (c == QLatin1Char('(') || c == QLatin1Char('[') || c == QLatin1Char('{')) {
            ++depth;
        } else if (c == QLatin1Char(')') || c == QLatin1Char(']') || c == QLatin1Char('}')) {
            if (--depth < 0)
                break;
        } else if (depth == 0 && (c == QLatin1Char(',') || c == QLatin1Char(';'))) {
            break;
        } else if (depth == 0 && c == QLatin1Char('?')) {
            ++choices;
        } else if (depth == 0 && c == QLatin1Char(':') && choices-- == 0) {
            break;
        }
    }
    return qMin(i, int(statement.size()));
}

// The end of the right operand that starts at index from: one sign may lead
// it (2^-1); when the entry groups from right to left, the operand runs on
// over further matches and their operands (2^3^2 is 2^(3^2)); an assignment
// takes the rest of the expression.
int rightOperandEnd(const QString &statement, int from, const QString &name,
                    OperatorPass::Grouping grouping)
{
    if (grouping == OperatorPass::Assignment)
        return expressionEnd(statement, from);
    int end = from;
    for (;;) {
        const int operand = end < statement.size() && isSign(statement.at(end)) ? end + 1 : end;
        const int after = operandBoundary(statement, operand, 1);
        end = after > operand ? after : operandBoundary(statement, end, 1);
        if (grouping != OperatorPass::RightToLeft || statement.midRef(end, name.size()) != name)
            return end;
        end += name.size();
    }
}

// True when the template writes a sign of its own right in front of "%2",
// as (%1-%2) does: a right operand that starts with a sign would make the
// two one sign (8--4).
bool splicesSign(const QString &pattern)
{
    for (int i = pattern.indexOf(QLatin1String("%2")); i > 0;
         i = pattern.indexOf(QLatin1String("%2"), i + 1)) {
        if (isSign(pattern.at(i - 1)))
            return true;
    }
    return false;
}

// A right operand's leading sign and the operand it leads, in brackets:
// -4#2 becomes (-4)#2.
QString bracketLeadingSign(const QString &right)
{
    if (right.size() < 2 || !isSign(right.at(0)))
        return right;
    const int end = operandBoundary(right, 1, 1);
    if (end == 1)
        return right;
    return QLatin1Char('(') + right.left(end) + QLatin1Char(')') + right.mid(end);
}

// The template's own text with the operands in place of "%1" and "%2",
// filled in one sweep so that an operand holding such a text, as in (7%2)^3,
// is never filled in again. Copies of the level's names in the template's
// own text are written as their mask characters: a template that holds its
// own name would otherwise put a new match behind every resume point and
// never end.
QString fillTemplate(const QString &pattern, const QString &left, const QString &right,
                     const QVector<OperatorPass::Entry> &level, const QString &masks)
{
    QString filled;
    QString literal;
    const auto flushLiteral = [&] {
        for (int k = 0; k < level.size(); ++k)
            literal.replace(level.at(k).name, masks.at(k));
        filled += literal;
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

// Private-use characters, count of them, that stand neither in the
// statement nor in the templates, found in one pass over all of them.
QString unusedCharacters(const QString &statement, const QVector<OperatorPass::Entry> &level,
                         int count)
{
    const ushort first = 0xE000; // private use: never typed in practice
    const ushort last = 0xF8FF;
    std::vector<bool> used(last - first + 1);
    const auto note = [&](const QString &text) {
        for (const QChar c : text) {
            if (c.unicode() >= first && c.unicode() <= last)
                used[c.unicode() - first] = true;
        }
    };
    note(statement);
    for (const OperatorPass::Entry &entry : level)
        note(entry.pattern);
    QString found;
    auto free = used.begin();
    while (found.size() < count) {
        free = std::find(free, used.end(), false);
        // a statement that holds all 6400 of them still gets characters of
        // its own from the surrogate-free range above the private use area
        if (free == used.end()) {
            found += QChar(ushort(0xFFFE - found.size()));
            continue;
        }
        found += QChar(ushort(first + (free - used.begin())));
        ++free;
    }
    return found;
}

// Splits a template as fillTemplate reads it; false when a placeholder
// stands twice or "%2" comes before "%1".
bool splitTemplate(const QString &pattern, OperatorPass::Pieces &pieces)
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

bool isInfix(OperatorPass::Grouping grouping)
{
    return grouping == OperatorPass::Infix || grouping == OperatorPass::Assignment;
}

bool endsOperand(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char(')') || c == QLatin1Char(']') ||
           c == QLatin1Char('.') || c == QLatin1Char('"') || c == QLatin1Char('\'') ||
           c == QLatin1Char('_') || c == QLatin1Char('$') || StringLiterals::isMark(c);
}

bool isUnarySign(QChar c)
{
    return isSign(c) || c == QLatin1Char('!') || c == QLatin1Char('~');
}

// Where an infix entry's left operand starts that the operand scan found
// from start to end: a run of unary signs in front of it belongs to it, as
// the script binds them (-a+b is (-a)+b, and -(a+b) would be wrong).
int withUnarySigns(const QChar *text, int start, int end, OperatorPass::Grouping grouping)
{
    if (grouping != OperatorPass::Infix || start == end)
        return start;
    while (start > 0 && isUnarySign(text[start - 1]) &&
           (start == 1 || !endsOperand(text[start - 2])))
        --start;
    return start;
}

// For every index of the statement, true inside a string literal, where an
// infix sign is text; all false for other groupings.
std::vector<bool> literalText(const QString &statement, OperatorPass::Grouping grouping)
{
    const bool quoted = isInfix(grouping) &&
                        std::any_of(statement.cbegin(), statement.cend(), StringLiterals::isQuote);
    std::vector<bool> text(size_t(statement.size()), quoted);
    if (quoted) {
        StringLiterals::walkOutside(statement, [&](int i) {
            text[size_t(i)] = false;
            return i;
        });
    }
    return text;
}

// The one-sweep form of applyLevelByRescan (see appliesInOneSweep).
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
void applyLevelInOneSweep(QString &statement, const std::vector<OperatorPass::SweepEntry> &entries,
                          OperatorPass::Grouping grouping)
{
    const int n = statement.size();
    const QChar *in = statement.constData();
    const QChar open = QLatin1Char('(');
    const QChar close = QLatin1Char(')');
    // an infix sign inside a string literal is text: "a-b" and the
    // numeral text of frombase("1*a",16) stay as they are
    const std::vector<bool> text = literalText(statement, grouping);
    // the entry whose name stands at index j, or -1; an exponent's sign is
    // part of its numeral
    const auto entryAt = [&](int j) {
        for (size_t k = 0; k < entries.size(); ++k) {
            if (in[j] == entries[k].name)
                return OperatorPass::isExponentSign(in, j) || text[size_t(j)] ? -1 : int(k);
        }
        return -1;
    };

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
        matchEnd[size_t(j)] =
            grouping == OperatorPass::RightToLeft && end < n && in[end] == entries.front().name
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
    for (std::vector<int> *perLength : {&operandStart, &openBefore, &enclosing})
        perLength->reserve(size_t(out.capacity()) + 1);
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

    const QString bracket = QStringLiteral(")");
    struct Frame {
        int end;              // the index of the statement where the right operand ends
        int start;            // the index of the result where the filled template starts
        const QString *after; // the text that closes it
        int entry;            // the entry whose template it is, -1 for a bracket
    };
    std::vector<Frame> frames;
    // the filled template that ends the result, when the last thing written
    // was one: a match of its entry right after it goes on with its call
    Frame sealed{-1, -1, nullptr, -1};
    struct Insertion {
        int at; // the index of the result
        const QString *text;
    };
    std::vector<Insertion> insertions;
    const auto chop = [&](int count) {
        out.chop(count);
        operandStart.resize(size_t(out.size()) + 1);
        openBefore.resize(size_t(out.size()) + 1);
        enclosing.resize(size_t(out.size()));
    };
    for (int i = 0; i <= n; ++i) {
        while (!frames.empty() && frames.back().end == i) {
            appendText(*frames.back().after);
            seal(frames.back().start);
            sealed = frames.back();
            sealed.end = out.size();
            frames.pop_back();
        }
        if (i == n)
            break;
        const int k = entryAt(i);
        if (k < 0) {
            append(in[i]);
            continue;
        }
        const OperatorPass::SweepEntry &entry = entries[size_t(k)];
        const OperatorPass::Pieces &pieces = entry.pieces;
        // a sign of one operand that has none stays as it is (!x, a lone √),
        // and so does an infix sign that lacks either (-x, i++)
        const bool leftMissing = pieces.left && operandStart.back() == out.size();
        const bool rightMissing = pieces.right && matchEnd[size_t(i) + 1] == i + 1;
        if ((pieces.left != pieces.right || isInfix(grouping)) && (leftMissing || rightMissing)) {
            append(in[i]);
            continue;
        }
        int start = out.size();
        if (pieces.left) {
            start = withUnarySigns(out.constData(), operandStart.back(), out.size(), grouping);
            if (entry.foldsChains && sealed.entry >= 0 &&
                entries[size_t(sealed.entry)].foldsChains && sealed.end == out.size() &&
                sealed.start == start) {
                // f(a,b)+c is f(a,b,c): the call takes one more operand, after
                // the function of its sign where that is another (f(a,b,g,c))
                chop(pieces.after.size());
                appendText(pieces.between);
                if (sealed.entry != k)
                    appendText(entry.callee + pieces.between);
                frames.push_back({matchEnd[size_t(i) + 1], start, &pieces.after, k});
                continue;
            }
            insertions.push_back({start, &pieces.before});
            appendText(pieces.right ? pieces.between : pieces.after);
        } else {
            appendText(pieces.before);
        }
        if (pieces.right) {
            frames.push_back({matchEnd[size_t(i) + 1], start, &pieces.after, k});
            if (entry.splicesSign && i + 1 < n && isSign(in[i + 1]) &&
                rightEnd[size_t(i) + 2] > i + 2) {
                frames.push_back({rightEnd[size_t(i) + 2], out.size(), &bracket, -1});
                append(open);
            }
        } else {
            seal(start);
        }
    }

    // at one index, the insertion made later encloses the earlier ones
    std::stable_sort(insertions.begin(), insertions.end(),
                     [](const Insertion &a, const Insertion &b) { return a.at < b.at; });
    QString result;
    result.reserve(out.size() + int(insertions.size()) * 8);
    size_t next = 0;
    for (int k = 0; k <= out.size(); ++k) {
        size_t last = next;
        while (last < insertions.size() && insertions[last].at == k)
            ++last;
        for (size_t j = last; j > next; --j)
            result += *insertions[j - 1].text;
        next = last;
        if (k < out.size())
            result += out.at(k);
    }
    statement = result;
}

// The index of the next match of a level's names from index from, and the
// entry whose name it is; -1 for none. At one index the entry higher up in
// the table wins; an exponent's sign is no match.
int nextMatch(const QString &statement, const QVector<OperatorPass::Entry> &level, int from,
              int &entry)
{
    const std::vector<bool> text = literalText(statement, level.front().grouping);
    int found = -1;
    for (int k = 0; k < level.size(); ++k) {
        int pos = statement.indexOf(level.at(k).name, from);
        while (pos >= 0 &&
               (OperatorPass::isExponentSign(statement.constData(), pos) || text[size_t(pos)]))
            pos = statement.indexOf(level.at(k).name, pos + 1);
        if (pos >= 0 && (found < 0 || pos < found)) {
            found = pos;
            entry = k;
        }
    }
    return found;
}

bool isOperatorEntry(const OperatorPass::Entry &entry)
{
    return entry.pattern.contains(QLatin1String("%1")) ||
           entry.pattern.contains(QLatin1String("%2"));
}

// True for a template that calls one function on both operands, f(%1,%2).
bool isCallOfBoth(const OperatorPass::Pieces &pieces)
{
    return pieces.left && pieces.right && pieces.before.endsWith(QLatin1Char('(')) &&
           pieces.between == QLatin1String(",") && pieces.after == QLatin1String(")");
}

} // namespace

bool OperatorPass::isOperandCharacter(QChar c)
{
    return c.isLetter() || c.isDigit() || c == QLatin1Char('(') || c == QLatin1Char(')') ||
           c == QLatin1Char('.') || StringLiterals::isMark(c);
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
    return applyLevel(statement, {Entry{name, pattern, grouping}}, maxSize, budget);
}

OperatorPass::Level OperatorPass::prepareLevel(const QVector<Entry> &entries)
{
    Level level;
    level.entries = entries;
    if (entries.size() == 1 && !isOperatorEntry(entries.front()))
        return level;
    for (const Entry &entry : entries) {
        SweepEntry sweep;
        if (entry.grouping == Assignment || !appliesInOneSweep(entry.name, entry.pattern) ||
            !splitTemplate(entry.pattern, sweep.pieces)) {
            level.sweep.clear();
            return level;
        }
        sweep.name = entry.name.at(0);
        sweep.splicesSign = splicesSign(entry.pattern);
        sweep.foldsChains =
            entry.foldsChains && entry.grouping != RightToLeft && isCallOfBoth(sweep.pieces);
        if (sweep.foldsChains)
            sweep.callee = sweep.pieces.before.chopped(1);
        level.sweep.push_back(sweep);
    }
    return level;
}

bool OperatorPass::applyLevel(QString &statement, const QVector<Entry> &level, int maxSize,
                              qint64 *budget)
{
    return applyLevel(statement, prepareLevel(level), maxSize, budget);
}

bool OperatorPass::applyLevel(QString &statement, const Level &level, int maxSize, qint64 *budget)
{
    const Entry &first = level.entries.front();
    if (level.entries.size() == 1 && !isOperatorEntry(first))
        return applyEntry(statement, first.name, first.pattern, first.grouping, maxSize, budget);
    if (level.sweep.empty())
        return applyLevelByRescan(statement, level.entries, maxSize, budget);
    applyLevelInOneSweep(statement, level.sweep, first.grouping);
    return statement.size() <= maxSize;
}

bool OperatorPass::applyEntryByRescan(QString &statement, const QString &name,
                                      const QString &pattern, Grouping grouping, int maxSize,
                                      qint64 *budget)
{
    return applyLevelByRescan(statement, {Entry{name, pattern, grouping}}, maxSize, budget);
}

bool OperatorPass::applyLevelByRescan(QString &statement, const QVector<Entry> &level, int maxSize,
                                      qint64 *budget)
{
    qint64 unlimited = std::numeric_limits<qint64>::max();
    if (!budget)
        budget = &unlimited;
    const QString masks = unusedCharacters(statement, level, level.size());
    const auto unmask = [&] {
        for (int k = 0; k < level.size(); ++k)
            statement.replace(masks.at(k), level.at(k).name);
    };
    // Every match costs about the statement's length: once the budget is
    // spent the entry gives up as if the statement had grown too long,
    // rather than take quadratic time on a long line.
    int k = 0;
    for (int pos = nextMatch(statement, level, 0, k); pos >= 0;
         pos = nextMatch(statement, level, pos + 1, k)) {
        const Entry &entry = level.at(k);
        *budget -= statement.size() + entry.pattern.size();
        if (*budget < 0) {
            unmask();
            return false;
        }
        const bool hasLeft = entry.pattern.contains(QLatin1String("%1"));
        const bool hasRight = entry.pattern.contains(QLatin1String("%2"));
        const int after = pos + entry.name.size();
        const int start = hasLeft ? withUnarySigns(statement.constData(),
                                                   operandBoundary(statement, pos - 1, -1) + 1, pos,
                                                   entry.grouping)
                                  : pos;
        const int end =
            hasRight ? rightOperandEnd(statement, after, entry.name, entry.grouping) : after;
        // a sign of one operand that has none stays as it is (!x, a lone √),
        // and so does an infix sign that lacks either (-x, i++)
        const bool missing = (hasLeft && start == pos) || (hasRight && end == after);
        if (missing && (hasLeft != hasRight || isInfix(entry.grouping)))
            continue;
        const QString left = statement.mid(start, pos - start);
        QString right = statement.mid(after, end - after);
        if (splicesSign(entry.pattern))
            right = bracketLeadingSign(right);
        const QString filled = fillTemplate(entry.pattern, left, right, level, masks);
        if (qint64(statement.size()) - (end - start) + filled.size() > maxSize) {
            unmask();
            return false;
        }
        statement.replace(start, end - start, filled);
    }
    unmask();
    return true;
}
