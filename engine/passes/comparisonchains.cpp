#include "comparisonchains.h"

#include "stringliterals.h"

#include <QStringList>

#include <algorithm>
#include <vector>

namespace
{

const QChar notEqualSign(0x2260);

QChar at(const QString &text, int i)
{
    return i < text.size() ? text.at(i) : QChar();
}

// The length of the comparison at index i: ==, ===, !=, !==, <, <=, >, >=
// or ≠; 0 for anything else, shifts included.
int comparisonLength(const QString &text, int i)
{
    const QChar c = text.at(i);
    const bool equalsNext = at(text, i + 1) == QLatin1Char('=');
    if (c == QLatin1Char('=') || c == QLatin1Char('!'))
        return equalsNext ? (at(text, i + 2) == QLatin1Char('=') ? 3 : 2) : 0;
    if (c == QLatin1Char('<') || c == QLatin1Char('>'))
        return at(text, i + 1) == c ? 0 : equalsNext ? 2 : 1;
    return c == notEqualSign ? 1 : 0;
}

// The length of the shift at index i (<<, >>, >>>), which binds more
// tightly than a comparison, or 0; a shift that assigns (<<=) is none.
int shiftLength(const QString &text, int i)
{
    const QChar c = text.at(i);
    if ((c != QLatin1Char('<') && c != QLatin1Char('>')) || at(text, i + 1) != c)
        return 0;
    const int length = c == QLatin1Char('>') && at(text, i + 2) == c ? 3 : 2;
    return at(text, i + length) == QLatin1Char('=') ? 0 : length;
}

// The length of what ends a chain at index i: an operator that binds less
// tightly than a comparison (&&, ||, &, |, ?, :, an assignment), a
// separator, or the keyword return; 0 for anything else.
int delimiterLength(const QString &text, int i)
{
    const QChar c = text.at(i);
    if (QStringLiteral("?:,;").contains(c))
        return 1;
    if (c == QLatin1Char('&') || c == QLatin1Char('|'))
        return at(text, i + 1) == c || at(text, i + 1) == QLatin1Char('=') ? 2 : 1;
    if (c == QLatin1Char('=') && at(text, i + 1) != QLatin1Char('='))
        return 1;
    if (QStringLiteral("+-*/%^").contains(c) && at(text, i + 1) == QLatin1Char('='))
        return 2;
    if ((c == QLatin1Char('<') || c == QLatin1Char('>')) && at(text, i + 1) == c) {
        int length = c == QLatin1Char('>') && at(text, i + 2) == c ? 3 : 2;
        return at(text, i + length) == QLatin1Char('=') ? length + 1 : 0;
    }
    const QString keyword = QStringLiteral("return ");
    if (text.midRef(i, keyword.size()) == keyword &&
        (i == 0 || !(text.at(i - 1).isLetterOrNumber() || text.at(i - 1) == QLatin1Char('_'))))
        return keyword.size();
    return 0;
}

QChar closingBracket(QChar opening)
{
    return QLatin1Char(opening == QLatin1Char('(') ? ')' : opening == QLatin1Char('[') ? ']' : '}');
}

// A change of the statement: the characters from position on, length of
// them, replaced by text.
struct Edit {
    int position;
    int length;
    QString text;
};

// The chain being read in one bracketed group (the outermost one is the
// statement): where it and its current operand start, and its comparisons.
struct Chain {
    QChar closing;
    int start = 0;
    int operandStart = 0;
    bool operandMissing = false;
    std::vector<std::pair<int, int>> comparisons; // position and length

    void restart(int at)
    {
        start = operandStart = at;
        operandMissing = false;
        comparisons.clear();
    }

    // The chain ends at index end: one of two comparisons or more, all its
    // operands there, becomes a call of a function of its operands, made of
    // edits that put the function in front, commas in the comparisons' place
    // and a bracket behind.
    void finish(const QString &statement, int end, std::vector<Edit> &edits)
    {
        if (end == operandStart)
            operandMissing = true;
        if (comparisons.size() >= 2 && !operandMissing) {
            QStringList names;
            QStringList tests;
            for (size_t k = 0; k <= comparisons.size(); ++k)
                names << QStringLiteral("$%1").arg(k);
            for (size_t k = 0; k < comparisons.size(); ++k)
                tests << names.at(int(k)) +
                             statement.mid(comparisons[k].first, comparisons[k].second) +
                             names.at(int(k) + 1);
            edits.push_back(
                {start, 0,
                 QStringLiteral("(function(%1){return %2;})(")
                     .arg(names.join(QLatin1Char(',')), tests.join(QStringLiteral("&&")))});
            for (const auto &comparison : comparisons)
                edits.push_back({comparison.first, comparison.second, QStringLiteral(",")});
            edits.push_back({end, 0, QStringLiteral(")")});
        }
        restart(end);
    }
};

// The statement with the edits made, in one sweep.
QString edited(const QString &statement, std::vector<Edit> &edits)
{
    std::stable_sort(edits.begin(), edits.end(),
                     [](const Edit &a, const Edit &b) { return a.position < b.position; });
    QString result;
    int copied = 0;
    for (const Edit &edit : edits) {
        result += statement.midRef(copied, edit.position - copied);
        result += edit.text;
        copied = edit.position + edit.length;
    }
    return result + statement.midRef(copied);
}

} // namespace

// The statement is read once from the left; brackets nest as chains on a
// stack, and the rewriting is a list of edits of the statement made at the
// end, so that a line of deeply nested brackets costs neither deep
// recursion nor copies of its groups.
void ComparisonChains::apply(QString &statement)
{
    // a chain holds two comparisons, each with a "<", ">" or "=": most
    // statements have fewer such signs
    const int signs = int(std::count_if(statement.cbegin(), statement.cend(), [](QChar c) {
        return c == QLatin1Char('<') || c == QLatin1Char('>') || c == QLatin1Char('=');
    }));
    if (signs < 2)
        return;
    std::vector<Chain> chains(1);
    std::vector<Edit> edits;
    for (int i = 0; i < statement.size();) {
        const QChar c = statement.at(i);
        Chain &chain = chains.back();
        int length = 1;
        if (StringLiterals::isQuote(c)) {
            length = StringLiterals::literalEnd(statement, i) - i;
        } else if (c == QLatin1Char('(') || c == QLatin1Char('[') || c == QLatin1Char('{')) {
            chains.emplace_back();
            chains.back().closing = closingBracket(c);
            chains.back().restart(i + 1);
        } else if (chains.size() > 1 && c == chain.closing) {
            chain.finish(statement, i, edits);
            chains.pop_back();
        } else if (c == QLatin1Char(')') || c == QLatin1Char(']') || c == QLatin1Char('}')) {
            chain.finish(statement, i, edits); // a bracket that closes nothing
            chain.restart(i + 1);
        } else if (const int shift = shiftLength(statement, i)) {
            length = shift;
        } else if (const int comparison = comparisonLength(statement, i)) {
            if (i == chain.operandStart)
                chain.operandMissing = true;
            chain.comparisons.push_back({i, comparison});
            chain.operandStart = i + comparison;
            length = comparison;
        } else if (const int delimiter = delimiterLength(statement, i)) {
            chain.finish(statement, i, edits);
            chain.restart(i + delimiter);
            length = delimiter;
        }
        i += length;
    }
    // brackets left open close with the statement
    while (!chains.empty()) {
        chains.back().finish(statement, statement.size(), edits);
        chains.pop_back();
    }
    if (!edits.empty())
        statement = edited(statement, edits);
}
