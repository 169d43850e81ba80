#include "qscriptprocessor.h"

#include "qcstringcodec.h"
#include "qdebugtext.h"
#include "qfilecache.h"
#include "qscriptmodule.h"

#include <QDebug>
#include <QFile>

namespace
{

const QString programStart = QStringLiteral("var ANS = new Array(); ANS.push(0);");
const QString programEnd = QStringLiteral("ANS[0]=ANS.length-1; ANS;");

// A number or closing bracket followed by a name, a number or a bracket
// multiplies: 2x, 2(x), (1)x, (1)2, (1)(2).
bool multipliesImplicitly(QChar left, QChar right)
{
    if (left.isDigit())
        return right.isLetter() || right == QLatin1Char('(');
    if (left == QLatin1Char(')'))
        return right.isLetter() || right.isDigit() || right == QLatin1Char('(');
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
    if (pieces.size() == 2 && pieces.at(0).contains(QLatin1Char('(')) &&
        pieces.at(0).contains(QLatin1Char(')')))
        statement = QStringLiteral("function %1{return %2;}").arg(pieces.at(0), pieces.at(1));
    else
        statement += QLatin1Char(';');
}

// A function module's name becomes a call wherever it stands; a call that
// already has its brackets keeps them: pi*2 gives pi()*2, max(1,2) stays.
void makeCalls(QString &statement, const QString &name)
{
    statement.replace(name, name + QLatin1String("()"));
    statement.replace(name + QLatin1String("()("), name + QLatin1Char('('));
}

// A variable module's name directly followed by a bracket multiplies it,
// unless the name ends a longer name: e(2) gives e*(2), sine(2) stays.
void multiplyBeforeBrackets(QString &statement, const QString &name)
{
    const QString call = name + QLatin1Char('(');
    for (int hit = statement.indexOf(call); hit >= 0; hit = statement.indexOf(call, hit + 1)) {
        if (hit == 0 || !statement.at(hit - 1).isLetter())
            statement.insert(hit + name.size(), QLatin1Char('*'));
    }
}

const int operatorLineLimit = 500;

bool isOperandCharacter(QChar c)
{
    return c.isLetter() || c.isDigit() || c == QLatin1Char('(') || c == QLatin1Char(')') ||
           c == QLatin1Char('.');
}

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
        if (depth == 0 && !isOperandCharacter(c))
            break;
        if (c == deeper)
            ++depth;
        else if (c == shallower && --depth < 0)
            break;
    }
    return i;
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

// A character that stands neither in the statement nor in the template.
QChar unusedCharacter(const QString &statement, const QString &pattern)
{
    ushort code = 0xE000; // private use: never typed in practice
    while (statement.contains(QChar(code)) || pattern.contains(QChar(code)))
        ++code;
    return QChar(code);
}

void applyOperatorEntry(QString &statement, const QString &name, const QString &pattern)
{
    const bool hasLeft = pattern.contains(QLatin1String("%1"));
    const bool hasRight = pattern.contains(QLatin1String("%2"));
    const QChar mask = unusedCharacter(statement, pattern);
    for (int pos = statement.indexOf(name); pos >= 0; pos = statement.indexOf(name, pos + 1)) {
        const int start = hasLeft ? operandBoundary(statement, pos - 1, -1) + 1 : pos;
        const int end = hasRight ? operandBoundary(statement, pos + 1, 1) : pos + 1;
        const QString left = statement.mid(start, pos - start);
        const QString right = statement.mid(pos + 1, end - pos - 1);
        statement.replace(start, end - start, fillTemplate(pattern, left, right, name, mask));
    }
    statement.replace(mask, name);
}

} // namespace

QScriptProcessor::QScriptProcessor()
    : cache(new QFileCache(QStringLiteral("tovel_cache.dat"), 1024))
{
    loadOperators();
}

QScriptProcessor::~QScriptProcessor()
{
    delete cache;
    qDeleteAll(modules);
}

QString QScriptProcessor::buildProgram(const QStringList &statements)
{
    QString body = programStart;
    for (const QString &statement : statements) {
        QString translated = statement;
        processStatement(translated);
        body += translated;
    }
    body += programEnd;
    QString prefix;
    for (const QScriptModule *module : qAsConst(modules))
        prefix += module->code;
    return prefix + body;
}

void QScriptProcessor::processStatement(QString &statement)
{
    if (statement.isEmpty())
        return;
    const QString cached = cache->value(statement);
    if (!cached.isEmpty()) {
        statement = cached;
        linkModules(statement);
        qDebug().noquote() << debugStreamText(QStringLiteral("cached script: "), statement);
        return;
    }
    const QString key = statement;
    normalize(statement);
    translateStatement(statement);
    applyOperators(statement);
    linkModules(statement);
    if (statement.isEmpty())
        return;
    cache->insert(key, statement);
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

void QScriptProcessor::linkModules(QString &statement)
{
    const QStringList names = words(statement);
    for (const QString &name : names) {
        const QScriptModule *found = module(name);
        if (!found || found->code.isEmpty())
            continue;
        if (found->kind == QScriptModule::FunctionModule)
            makeCalls(statement, name);
        else if (found->kind == QScriptModule::VariableModule)
            multiplyBeforeBrackets(statement, name);
    }
}

QScriptModule *QScriptProcessor::module(const QString &name)
{
    const auto known = modules.constFind(name);
    if (known != modules.constEnd())
        return known.value();
    modules.insert(name, nullptr); // ends "#use " cycles at this module
    QScriptModule *loaded = new QScriptModule(name, this);
    modules.insert(name, loaded);
    return loaded;
}

QStringList QScriptProcessor::words(const QString &text)
{
    QStringList found;
    QString word;
    for (const QChar c : text + QLatin1Char(' ')) {
        if (c.isLetter()) {
            word += c.toLower();
            continue;
        }
        if (!word.isEmpty() && !found.contains(word))
            found << word;
        word.clear();
    }
    return found;
}

void QScriptProcessor::loadOperators()
{
    operators.clear();
    QFile file(QStringLiteral("tovel_operators.conf"));
    if (!file.open(QIODevice::ReadOnly)) {
        qWarning("QScriptProcessor: Unable to read %s", file.fileName().toLocal8Bit().constData());
        return;
    }
    while (!file.atEnd()) {
        QString line = QCStringCodec::toUnicode(file.readLine(operatorLineLimit + 1)).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1String("//")))
            continue;
        line.remove(QLatin1Char(' '));
        const QString name = line.section(QLatin1Char('\t'), 0, 0);
        const QString pattern = line.section(QLatin1Char('\t'), 1, 1);
        if (!name.isEmpty() && !pattern.isEmpty())
            operators << qMakePair(name, pattern);
    }
}

void QScriptProcessor::applyOperators(QString &statement) const
{
    for (const auto &entry : operators) {
        if (!statement.contains(entry.first))
            continue;
        if (entry.second.contains(QLatin1String("%1")) ||
            entry.second.contains(QLatin1String("%2")))
            applyOperatorEntry(statement, entry.first, entry.second);
        else
            statement.replace(entry.first, entry.second);
    }
}
