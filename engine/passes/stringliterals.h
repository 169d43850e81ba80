#ifndef STRINGLITERALS_H
#define STRINGLITERALS_H

#include <QString>
#include <QStringList>

// String literals in double or single quotes, with backslash escapes
// inside: the text that the passes never rewrite.
namespace StringLiterals
{

bool isQuote(QChar c);
// True for a character of the marks that Hidden puts in place of literals.
bool isMark(QChar c);

// The index after the string literal whose opening quote stands at start:
// after its closing quote, or the statement's end when it has none, which
// closed tells.
int literalEnd(const QString &statement, int start, bool *closed = nullptr);

// Calls visit(index) for every character of the statement outside string
// literals. visit returns the last index it has dealt with, so it may step
// over a whole name.
template <typename Visit> void walkOutside(const QString &statement, Visit visit)
{
    for (int i = 0; i < statement.size(); ++i) {
        if (isQuote(statement.at(i)))
            i = literalEnd(statement, i) - 1;
        else
            i = visit(i);
    }
}

// The index of the first occurrence of text outside string literals, or -1.
int indexOutside(const QString &statement, const QString &text);

// The pieces of a line between the separators that stand outside string
// literals; empty pieces are kept.
QStringList split(const QString &line, QChar separator);

// A statement's string literals, each replaced, quotes and all, by a mark
// of its number, so that a rewriting that copies and moves text, such as the
// operator table's, never touches them and takes each for one operand
// ("3"-1-1 is ("3"-1)-1); restore() puts them back, also where the
// rewriting copied a mark. The marks are noncharacters, which no text
// holds: a statement that holds one anyway keeps its literals as they are.
class Hidden
{
public:
    explicit Hidden(QString &statement);
    void restore(QString &statement) const;

private:
    QStringList texts;
};

} // namespace StringLiterals

#endif
