#include "qscriptprocessor.h"

#include "qdebugtext.h"

#include <QDebug>

namespace {

const QString programStart = QStringLiteral("var ANS = new Array(); ANS.push(0);");
const QString programEnd = QStringLiteral("ANS[0]=ANS.length-1; ANS;");

// A number or closing bracket followed by a name, a number or a bracket
// multiplies: 2x, 2(x), (1)x, (1)2, (1)(2).
bool multipliesImplicitly(QChar left, QChar right)
{
    if (left.isDigit())
        return right.isLetter() || right == QLatin1Char('(');
    if (left == QLatin1Char(')'))
        return right.isLetterOrNumber() || right == QLatin1Char('(');
    return false;
}

void insertMultiplications(QString &statement)
{
    for (int i = 0; i < statement.size() - 1; ++i) {
        if (multipliesImplicitly(statement.at(i), statement.at(i + 1))) {
            statement.insert(i + 1, QLatin1Char('*'));
            ++i; // the inserted "*" never starts a pair
        }
    }
}

void foldOutsideLiterals(QString &statement)
{
    QString folded;
    folded.reserve(statement.size());
    bool inLiteral = false;
    for (int i = 0; i < statement.size(); ++i) {
        const QChar c = statement.at(i);
        if (c == QLatin1Char('"') && (i == 0 || statement.at(i - 1) != QLatin1Char('\\'))) {
            inLiteral = !inLiteral;
            folded += c;
        } else if (inLiteral) {
            folded += c;
        } else if (c != QLatin1Char(' ')) {
            folded += c.toLower();
        }
    }
    statement = folded;
}

void translateCycleHead(QString &statement)
{
    if (statement.split(QLatin1Char(',')).size() == 3) {
        statement.replace(QLatin1Char(','), QLatin1Char(';'));
        statement += QLatin1Char('{');
    } else {
        statement = QStringLiteral("throw Error(\"%1\");")
                        .arg(QScriptProcessor::tr("Incorrect cycle definion"));
    }
}

void translateDefinition(QString &statement)
{
    const QStringList pieces = statement.split(QLatin1Char('='), Qt::SkipEmptyParts);
    if (pieces.size() == 2 && pieces.at(0).contains(QLatin1Char('('))
        && pieces.at(0).contains(QLatin1Char(')')))
        statement = QStringLiteral("function %1{return %2;}").arg(pieces.at(0), pieces.at(1));
    else
        statement += QLatin1Char(';');
}

} // namespace

QScriptProcessor::QScriptProcessor() = default;

QScriptProcessor::~QScriptProcessor() = default;

QString QScriptProcessor::buildProgram(const QStringList &statements)
{
    QString body = programStart;
    for (const QString &statement : statements) {
        QString translated = statement;
        processStatement(translated);
        body += translated;
    }
    body += programEnd;
    return body;
}

void QScriptProcessor::processStatement(QString &statement)
{
    if (statement.isEmpty())
        return;
    normalize(statement);
    translateStatement(statement);
    if (statement.isEmpty())
        return;
    qDebug().noquote() << debugStreamText(QStringLiteral("script: "), statement);
}

void QScriptProcessor::normalize(QString &statement)
{
    insertMultiplications(statement);
    foldOutsideLiterals(statement);
}

void QScriptProcessor::translateStatement(QString &statement)
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
    else if (statement.contains(QLatin1Char('=')))
        statement += QLatin1Char(';');
    else if (statement == QLatin1String("end"))
        statement = QStringLiteral("}");
    else if (!statement.isEmpty())
        statement = QStringLiteral("ANS.push(%1);").arg(statement);
}
