#include "qscriptprocessor.h"

#include "operatorpass.h"
#include "qcstringcodec.h"
#include "qdatafile.h"
#include "qdebugtext.h"
#include "qfilecache.h"
#include "qscriptmodule.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QSet>

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

// The inserted "*" never starts a pair, so every pair is one of the
// statement's own; the statement is written anew in one sweep.
void insertMultiplications(QString &statement)
{
    QString multiplied;
    multiplied.reserve(statement.size() + statement.size() / 2);
    for (int i = 0; i < statement.size(); ++i) {
        multiplied += statement.at(i);
        if (i + 1 < statement.size() && multipliesImplicitly(statement.at(i), statement.at(i + 1)))
            multiplied += QLatin1Char('*');
    }
    statement = multiplied;
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
// The statement is written anew in one sweep: the search resumes one
// character after each hit, which an inserted "*" never makes a new hit.
void multiplyBeforeBrackets(QString &statement, const QString &name)
{
    const QString call = name + QLatin1Char('(');
    QString multiplied;
    int copied = 0;
    for (int hit = statement.indexOf(call); hit >= 0; hit = statement.indexOf(call, hit + 1)) {
        if (hit == 0 || !statement.at(hit - 1).isLetter()) {
            multiplied += statement.midRef(copied, hit + name.size() - copied);
            multiplied += QLatin1Char('*');
            copied = hit + name.size();
        }
    }
    if (copied > 0) {
        multiplied += statement.midRef(copied);
        statement = multiplied;
    }
}

const int lookupsBeforeListing = 32;

const int operatorLineLimit = 500;

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

bool QScriptProcessor::mayHaveModuleFile(const QString &name)
{
    if (name.contains(QLatin1Char('/')))
        return true; // a "#use " line may name a file further down
    // a listing costs as much as some forty attempts to open a file, so a
    // line lists the directory only once it has looked up that many names
    if (!libraryListed && ++unlistedLookups <= lookupsBeforeListing)
        return true;
    if (!libraryListed) {
        // unsorted and without a name filter, which would sort the names and
        // match each against a pattern: the suffix is checked here, with the
        // name filter's case insensitivity
        const QStringList files =
            QDir(QStringLiteral("scripts"))
                .entryList(QDir::Files | QDir::System | QDir::Hidden, QDir::Unsorted);
        for (const QString &file : files) {
            if (file.endsWith(QLatin1String(".js"), Qt::CaseInsensitive))
                libraryFiles.insert(file.chopped(3));
        }
        libraryListed = true;
    }
    return libraryFiles.contains(name);
}

QStringList QScriptProcessor::words(const QString &text)
{
    QStringList found;
    QSet<QString> seen;
    QString word;
    for (const QChar c : text + QLatin1Char(' ')) {
        if (c.isLetter()) {
            word += c.toLower();
            continue;
        }
        if (!word.isEmpty() && !seen.contains(word)) {
            seen.insert(word);
            found << word;
        }
        word.clear();
    }
    return found;
}

void QScriptProcessor::loadOperators()
{
    operators.clear();
    QFile file(QStringLiteral("tovel_operators.conf"));
    if (!QDataFile::open(file, QIODevice::ReadOnly)) {
        qWarning("QScriptProcessor: Unable to read %s", file.fileName().toLocal8Bit().constData());
        return;
    }
    // a longer line is read in pieces, each a line of its own; reading ends
    // at the bound of a data file
    for (;;) {
        const qint64 room = QDataFile::readLimit - file.pos();
        const QByteArray piece =
            room > 0 ? file.readLine(qMin<qint64>(operatorLineLimit, room) + 1) : QByteArray();
        if (piece.isEmpty())
            break;
        QString line = QCStringCodec::toUnicode(piece).trimmed();
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
    // A table can make a statement grow without bound, and entries of the
    // rescanning form take quadratic time: past this size, or once they have
    // spent this budget of work (a fraction of a second), the statement
    // becomes an error.
    const int maxSize = int(qMin<qint64>(INT_MAX / 2, 16 * qint64(statement.size()) + 65536));
    qint64 budget = qMax<qint64>(qint64(1) << 20, 64 * qint64(statement.size()));
    for (const auto &entry : operators) {
        if (statement.contains(entry.first) &&
            !OperatorPass::applyEntry(statement, entry.first, entry.second, maxSize, &budget)) {
            statement = QStringLiteral("throw Error(\"%1\");")
                            .arg(tr("The operator table makes the statement too long"));
            return;
        }
    }
}
