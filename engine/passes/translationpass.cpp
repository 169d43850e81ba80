#include "translationpass.h"

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

void translateDefinition(QString &statement)
{
    const QStringList pieces = statement.split(QLatin1Char('='), Qt::SkipEmptyParts);
    if (pieces.size() == 2 && pieces.at(0).contains(QLatin1Char('(')) &&
        pieces.at(0).contains(QLatin1Char(')')))
        statement = QStringLiteral("function %1{return %2;}").arg(pieces.at(0), pieces.at(1));
    else
        statement += QLatin1Char(';');
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
    const int comment = statement.indexOf(QLatin1String("//"));
    if (comment >= 0)
        statement.truncate(comment);
    if (statement.startsWith(QLatin1String("for(")))
        translateCycleHead(statement);
    else if (statement.startsWith(QLatin1String("if(")))
        statement += QLatin1Char('{');
    else if (statement.contains(QLatin1String(")=")))
        translateDefinition(statement);
    else if (assigns(statement))
        statement += QLatin1Char(';');
    else if (statement == QLatin1String("end"))
        statement = QStringLiteral("}");
    else if (!statement.isEmpty())
        statement = QStringLiteral("ANS.push(%1);").arg(statement);
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
