#include "translationpass.h"

#include "comparisonchains.h"
#include "stringliterals.h"

#include <QCoreApplication>
#include <QStringList>

namespace
{

void translateCycleHead(QString &statement)
{
    if (statement.split(QLatin1Char(',')).size() == 3) {
        statement.replace(QLatin1Char(','), QLatin1Char(';'));
        statement += QLatin1Char('{');
    } else {
        statement = TranslationPass::throwStatement(
            QCoreApplication::translate("QScriptProcessor", "Incorrect cycle definion"));
    }
}

bool isNameStart(QChar c)
{
    return c.isLetter() || c == QLatin1Char('_') || c == QLatin1Char('$');
}

bool isNameCharacter(QChar c)
{
    return isNameStart(c) || c.isDigit();
}

// The index after the name that starts at i, or i when none does.
int nameEnd(const QString &text, int i)
{
    if (i >= text.size() || !isNameStart(text.at(i)))
        return i;
    while (++i < text.size() && isNameCharacter(text.at(i))) {
    }
    return i;
}

// The length of the head of a definition that starts the statement: a name,
// its parameters, names between brackets, and an "=" that assigns; 0 when
// the statement is none: f(x)=x*x is one, f(2)==4 and sqrt(4)==2 are not.
int definitionHeadLength(const QString &statement)
{
    int i = nameEnd(statement, 0);
    if (i == 0 || i >= statement.size() || statement.at(i) != QLatin1Char('('))
        return 0;
    ++i;
    if (i < statement.size() && statement.at(i) != QLatin1Char(')')) {
        for (;;) {
            const int end = nameEnd(statement, i);
            if (end == i || end >= statement.size())
                return 0;
            i = end + 1;
            if (statement.at(end) == QLatin1Char(')'))
                break;
            if (statement.at(end) != QLatin1Char(','))
                return 0;
        }
    } else {
        ++i;
    }
    // the body must not be empty: f(x)= fails in the engine
    if (i + 1 >= statement.size() || statement.at(i) != QLatin1Char('=') ||
        statement.at(i + 1) == QLatin1Char('='))
        return 0;
    return i + 1;
}

// A decimal comma outside any brackets, between digits, as in 1,5+1: the
// numeral around it, or the empty text when there is none.
QString decimalComma(const QString &statement)
{
    QString numeral;
    int depth = 0;
    const auto isDigit = [&statement](int i) {
        return i >= 0 && i < statement.size() && statement.at(i) >= QLatin1Char('0') &&
               statement.at(i) <= QLatin1Char('9');
    };
    StringLiterals::walkOutside(statement, [&](int i) {
        const QChar c = statement.at(i);
        if (c == QLatin1Char('(') || c == QLatin1Char('[') || c == QLatin1Char('{'))
            ++depth;
        else if (c == QLatin1Char(')') || c == QLatin1Char(']') || c == QLatin1Char('}'))
            --depth;
        else if (c == QLatin1Char(',') && depth <= 0 && numeral.isEmpty() && isDigit(i - 1) &&
                 isDigit(i + 1)) {
            int start = i - 1;
            int end = i + 1;
            while (isDigit(start - 1) || (start > 0 && statement.at(start - 1) == QLatin1Char('.')))
                --start;
            while (isDigit(end + 1))
                ++end;
            numeral = statement.mid(start, end + 1 - start);
        }
        return i;
    });
    return numeral;
}

// True for an "=" that belongs to a comparison: "==", "===", "!=", "!==",
// "<=" or ">=". The "=" of "<<=", ">>=" and ">>>=" assigns.
bool isComparingSign(const QString &statement, int index)
{
    const auto at = [&statement](int i) {
        return i >= 0 && i < statement.size() ? statement.at(i) : QChar();
    };
    const QChar before = at(index - 1);
    if (at(index + 1) == QLatin1Char('=') || before == QLatin1Char('=') ||
        before == QLatin1Char('!'))
        return true;
    return (before == QLatin1Char('<') || before == QLatin1Char('>')) && at(index - 2) != before;
}

// True when the statement holds an "=" outside string literals that assigns
// rather than compares: "x=1==1" assigns, "x<=2" and "\"a=b\"" do not.
bool assigns(const QString &statement)
{
    bool found = false;
    StringLiterals::walkOutside(statement, [&](int index) {
        found = found ||
                (statement.at(index) == QLatin1Char('=') && !isComparingSign(statement, index));
        return index;
    });
    return found;
}

} // namespace

void TranslationPass::apply(QString &statement)
{
    const int comment = StringLiterals::indexOutside(statement, QStringLiteral("//"));
    if (comment >= 0)
        statement.truncate(comment);
    const QString comma = decimalComma(statement);
    const int head = definitionHeadLength(statement);
    if (!comma.isEmpty())
        statement = throwStatement(
            QCoreApplication::translate("QScriptProcessor",
                                        "%1: a decimal number is written with a point, not a comma")
                .arg(comma));
    else if (statement.startsWith(QLatin1String("for(")))
        translateCycleHead(statement);
    else if (statement.startsWith(QLatin1String("if(")))
        statement += QLatin1Char('{');
    else if (head > 0)
        statement = QStringLiteral("function %1{return %2;}")
                        .arg(statement.left(head - 1), statement.mid(head));
    else if (assigns(statement))
        statement += QLatin1Char(';');
    else if (statement == QLatin1String("end"))
        statement = QStringLiteral("}");
    else if (!statement.isEmpty())
        statement = QStringLiteral("ANS.push(%1);").arg(statement);
    ComparisonChains::apply(statement);
}

QString TranslationPass::throwStatement(const QString &message)
{
    // the message, a translation or a file name, becomes a string literal:
    // its quotes, backslashes and line ends are escaped
    QString literal;
    literal.reserve(message.size() + 2);
    for (const QChar c : message) {
        if (c == QLatin1Char('"') || c == QLatin1Char('\\'))
            literal += QLatin1Char('\\') + QString(c);
        else if (c == QLatin1Char('\n') || c == QLatin1Char('\r') || c == QChar(0x2028) ||
                 c == QChar(0x2029))
            literal += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        else
            literal += c;
    }
    return QStringLiteral("throw Error(\"%1\");").arg(literal);
}
