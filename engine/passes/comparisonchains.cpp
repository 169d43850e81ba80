#include "comparisonchains.h"

#include "stringliterals.h"

#include <QStringList>

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

struct Chain {
    QStringList operands;
    QStringList comparisons;
    QString operand; // the one being read

    QString text()
    {
        operands << operand;
        QString written;
        bool complete = !operands.contains(QString());
        if (comparisons.size() < 2 || !complete) {
            for (int k = 0; k < operands.size(); ++k)
                written += (k > 0 ? comparisons.at(k - 1) : QString()) + operands.at(k);
        } else {
            QStringList names;
            QStringList tests;
            for (int k = 0; k < operands.size(); ++k)
                names << QStringLiteral("$%1").arg(k);
            for (int k = 0; k < comparisons.size(); ++k)
                tests << names.at(k) + comparisons.at(k) + names.at(k + 1);
            written = QStringLiteral("(function(%1){return %2;})(%3)")
                          .arg(names.join(QLatin1Char(',')), tests.join(QStringLiteral("&&")),
                               operands.join(QLatin1Char(',')));
        }
        operands.clear();
        comparisons.clear();
        operand.clear();
        return written;
    }
};

// A bracketed group being read: the text written for it so far and its
// chain; the outermost frame is the statement.
struct Frame {
    QChar opening;
    QChar closing;
    QString written;
    Chain chain;

    QString text() { return written + chain.text(); }
};

} // namespace

// The statement is read once from the left; brackets nest as frames on a
// stack, not as calls, so that a line of deeply nested brackets costs no
// deeper recursion.
void ComparisonChains::apply(QString &statement)
{
    std::vector<Frame> frames(1);
    for (int i = 0; i < statement.size();) {
        const QChar c = statement.at(i);
        Chain &chain = frames.back().chain;
        if (StringLiterals::isQuote(c)) {
            const int end = StringLiterals::literalEnd(statement, i);
            chain.operand += statement.midRef(i, end - i);
            i = end;
            continue;
        }
        if (c == QLatin1Char('(') || c == QLatin1Char('[') || c == QLatin1Char('{')) {
            frames.push_back(Frame{c, closingBracket(c), QString(), Chain()});
        } else if (frames.size() > 1 && c == frames.back().closing) {
            const QString inner = frames.back().opening + frames.back().text() + c;
            frames.pop_back();
            frames.back().chain.operand += inner;
        } else if (c == QLatin1Char(')') || c == QLatin1Char(']') || c == QLatin1Char('}')) {
            frames.back().written += chain.text() + c; // a bracket that closes nothing
        } else if (const int shift = shiftLength(statement, i)) {
            chain.operand += statement.midRef(i, shift);
            i += shift;
            continue;
        } else if (const int comparison = comparisonLength(statement, i)) {
            chain.operands << chain.operand;
            chain.operand.clear();
            chain.comparisons << statement.mid(i, comparison);
            i += comparison;
            continue;
        } else if (const int delimiter = delimiterLength(statement, i)) {
            frames.back().written += chain.text() + statement.midRef(i, delimiter);
            i += delimiter;
            continue;
        } else {
            chain.operand += c;
        }
        ++i;
    }
    // brackets left open close with the statement
    while (frames.size() > 1) {
        const QString inner = frames.back().opening + frames.back().text();
        frames.pop_back();
        frames.back().chain.operand += inner;
    }
    statement = frames.back().text();
}
