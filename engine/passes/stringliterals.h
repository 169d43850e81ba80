#ifndef STRINGLITERALS_H
#define STRINGLITERALS_H

#include <QString>

namespace StringLiterals
{

// Calls visit(index) for every character of the statement outside string
// literals, in double or single quotes with backslash escapes inside. visit
// returns the last index it has dealt with, so it may step over a whole name.
template <typename Visit> void walkOutside(const QString &statement, Visit visit)
{
    QChar quote; // the quote of the literal the walk is in, or null
    for (int i = 0; i < statement.size(); ++i) {
        const QChar c = statement.at(i);
        if (!quote.isNull()) {
            if (c == QLatin1Char('\\'))
                ++i;
            else if (c == quote)
                quote = QChar();
        } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            quote = c;
        } else {
            i = visit(i);
        }
    }
}

} // namespace StringLiterals

#endif
