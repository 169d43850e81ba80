#include "stringliterals.h"

#include <algorithm>

namespace
{

// The marks of hidden literals: the first noncharacter, then the digits of
// the literal's number as the ten after it.
const ushort markStart = 0xFDD0;
const ushort markEnd = markStart + 10;

QString mark(int index)
{
    QString text = QChar(markStart);
    for (const QChar digit : QString::number(index))
        text += QChar(ushort(markStart + 1 + digit.digitValue()));
    return text;
}

} // namespace

bool StringLiterals::isMark(QChar c)
{
    return c.unicode() >= markStart && c.unicode() <= markEnd;
}

bool StringLiterals::isQuote(QChar c)
{
    return c == QLatin1Char('"') || c == QLatin1Char('\'');
}

int StringLiterals::literalEnd(const QString &statement, int start, bool *closed)
{
    const QChar quote = statement.at(start);
    if (closed)
        *closed = true;
    for (int i = start + 1; i < statement.size(); ++i) {
        if (statement.at(i) == QLatin1Char('\\'))
            ++i;
        else if (statement.at(i) == quote)
            return i + 1;
    }
    if (closed)
        *closed = false;
    return statement.size();
}

int StringLiterals::indexOutside(const QString &statement, const QString &text)
{
    const int first = statement.indexOf(text);
    if (first < 0 || std::none_of(statement.cbegin(), statement.cbegin() + first, isQuote))
        return first;
    int found = -1;
    walkOutside(statement, [&](int i) {
        if (statement.midRef(i, text.size()) != text)
            return i;
        found = i;
        return int(statement.size());
    });
    return found;
}

QStringList StringLiterals::split(const QString &line, QChar separator)
{
    QStringList pieces;
    int start = 0;
    walkOutside(line, [&](int i) {
        if (line.at(i) == separator) {
            pieces << line.mid(start, i - start);
            start = i + 1;
        }
        return i;
    });
    pieces << line.mid(start);
    return pieces;
}

StringLiterals::Hidden::Hidden(QString &statement)
{
    for (const QChar c : qAsConst(statement)) {
        if (isMark(c))
            return;
    }
    QString masked;
    masked.reserve(statement.size());
    for (int i = 0; i < statement.size(); ++i) {
        const QChar c = statement.at(i);
        if (!isQuote(c)) {
            masked += c;
            continue;
        }
        const int end = literalEnd(statement, i);
        masked += mark(texts.size());
        texts << statement.mid(i, end - i);
        i = end - 1;
    }
    if (!texts.isEmpty())
        statement = masked;
}

void StringLiterals::Hidden::restore(QString &statement) const
{
    if (texts.isEmpty())
        return;
    QString restored;
    restored.reserve(statement.size());
    for (int i = 0; i < statement.size(); ++i) {
        if (statement.at(i).unicode() != markStart) {
            restored += statement.at(i);
            continue;
        }
        int index = 0;
        while (i + 1 < statement.size() && isMark(statement.at(i + 1)) &&
               statement.at(i + 1).unicode() != markStart)
            index = index * 10 + (statement.at(++i).unicode() - markStart - 1);
        restored += texts.value(index);
    }
    statement = restored;
}
