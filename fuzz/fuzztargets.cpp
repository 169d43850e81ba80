#include "fuzztargets.h"

#include "linkingpass.h"
#include "qevaluator.h"
#include "qscriptmodule.h"

#include "operatorpass.h"
#include "qcstringcodec.h"
#include "qfilecache.h"
#include "qscriptprocessor.h"

#include <QDir>
#include <QFile>
#include <QPair>
#include <QSet>

#include <cstdio>
#include <cstdlib>

namespace
{

// The fuzzers' own table: entries of the one-sweep form and of the
// rescanning form, a template holding its own name, a plain substitution.
const QList<QPair<QString, QString>> &operatorTable()
{
    static const QList<QPair<QString, QString>> table{
        {QStringLiteral("_"), QStringLiteral("frombase(\"%1\",%2)")},
        {QStringLiteral("^"), QStringLiteral("pow(%1,%2)")},
        {QStringLiteral("!"), QStringLiteral("factorial(%1)")},
        {QStringLiteral("~"), QStringLiteral("neg(%2)")},
        {QStringLiteral("#"), QStringLiteral("%1*%2")},
        {QStringLiteral("@"), QStringLiteral("(%1)@")},
        {QStringLiteral("$"), QStringLiteral("f(%2,%1)")},
        {QStringLiteral("mod"), QStringLiteral("(%1%%2)")},
        {QStringLiteral("\u221a"), QStringLiteral("sqrt")},
    };
    return table;
}

const char *const library[][2] = {
    {"pi", "function pi(){return Math.PI;}\n"},
    {"e", "var e = Math.E;\n"},
    {"sqrt", "function sqrt(x){return Math.sqrt(x);}\n"},
    {"pow", "#use sqrt\nfunction pow(x,y){return Math.pow(x,y);}\n"},
    {"factorial", "#use a\nfunction factorial(n){return n<2?1:n*factorial(n-1);}\n"},
    {"frombase", "function frombase(s,b){return parseInt(s,b);}\n"},
    {"a", "#use b\nvar a = 1;\n"},
    {"b", "#use a\n  function b(){return 2;}\n"},
};

void silent(QtMsgType, const QMessageLogContext &, const QString &) {}

void writeFile(const QString &name, const QByteArray &bytes)
{
    QFile file(name);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        abort();
}

QByteArray readFile(const QString &name)
{
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

[[noreturn]] void fault(const char *what, const QString &detail)
{
    fprintf(stderr, "fuzz fault: %s\n%s\n", what, detail.toUtf8().constData());
    fflush(stderr);
    abort();
}

QString programOf(const QStringList &statements)
{
    QScriptProcessor processor;
    return processor.buildProgram(statements);
}

// The records of a saved cache file, which must be whole.
QSet<QPair<QString, QString>> records(const QByteArray &file)
{
    if (!file.isEmpty() && !file.endsWith('\n'))
        fault("saved cache file does not end with a line end", QString::fromUtf8(file));
    QList<QByteArray> lines = file.split('\n');
    lines.removeLast();
    if (lines.size() % 2 != 0)
        fault("saved cache file holds half a record", QString::fromUtf8(file));
    QSet<QPair<QString, QString>> found;
    for (int i = 0; i < lines.size(); i += 2) {
        const QString key = QCStringCodec::toUnicode(lines.at(i));
        const QString value = QCStringCodec::toUnicode(lines.at(i + 1));
        if (!QFileCache::isStorable(key, value) || QCStringCodec::fromUnicode(key) != lines.at(i) ||
            QCStringCodec::fromUnicode(value) != lines.at(i + 1))
            fault("saved cache record would not read back", key + QLatin1Char('\n') + value);
        found.insert(qMakePair(key, value));
    }
    return found;
}

// Long enough for any line that ends, short enough for the fuzzer's own
// time-out to find the hangs only.
const int evaluationLimit = 500;

QString evaluated(const QString &line)
{
    QEvaluator evaluator;
    evaluator.setTimeLimit(evaluationLimit);
    evaluator.process(line);
    const QString text = evaluator.resultText(QEvaluator::FixedNotation, 15);
    if (evaluator.isError() && evaluator.answerCount() != 0)
        fault("an error with answers", line + QLatin1Char('\n') + text);
    return text;
}

// Evaluates the line twice, the second time from the cache the first one
// saved: both give the same text, unless the time ran out.
void evaluateTwice(const QString &line)
{
    QFile::remove(QStringLiteral("tovel_cache.dat"));
    const QString fresh = evaluated(line);
    const QString cached = evaluated(line);
    QFile::remove(QStringLiteral("tovel_cache.dat"));
    const QString stopped = QStringLiteral("Error: Stopped after");
    if (fresh != cached && !fresh.startsWith(stopped) && !cached.startsWith(stopped))
        fault("the cache changed an answer",
              line + QLatin1Char('\n') + fresh + QLatin1Char('\n') + cached);
}

// The modules that fx, fy and fz pull in, by name.
QMap<QString, QScriptModule *> modulesOfTheInput(QScriptProcessor &processor)
{
    QMap<QString, QScriptModule *> found;
    QStringList waiting{QStringLiteral("fx"), QStringLiteral("fy"), QStringLiteral("fz")};
    while (!waiting.isEmpty()) {
        const QString name = waiting.takeFirst();
        if (found.contains(name))
            continue;
        found.insert(name, processor.module(name));
        waiting << found.value(name)->usedNames;
    }
    return found;
}

bool uses(const QMap<QString, QScriptModule *> &modules, const QString &user, const QString &used)
{
    QSet<QString> seen;
    QStringList waiting{user};
    while (!waiting.isEmpty()) {
        const QString name = waiting.takeFirst();
        if (name == used)
            return true;
        if (!seen.contains(name)) {
            seen.insert(name);
            waiting << modules.value(name)->usedNames;
        }
    }
    return false;
}

// Every module comes once, and after each module it uses, unless the two
// use each other.
void verifyModuleOrder()
{
    QScriptProcessor processor;
    const QMap<QString, QScriptModule *> modules = modulesOfTheInput(processor);
    const QStringList order = LinkingPass::moduleOrder(modules);
    if (order.size() != modules.size() ||
        QSet<QString>(order.begin(), order.end()).size() != order.size())
        fault("modules lost or repeated", order.join(QLatin1Char(' ')));
    for (const QString &user : order) {
        for (const QString &used : modules.value(user)->usedNames) {
            if (order.indexOf(used) > order.indexOf(user) && !uses(modules, used, user))
                fault("a module before one it uses", user + QLatin1Char(' ') + used);
        }
    }
}

} // namespace

void FuzzTargets::prepare()
{
    qInstallMessageHandler(silent);
    QCStringCodec::setCodec("UTF-8");
    QByteArray table;
    for (const auto &entry : operatorTable())
        table += QCStringCodec::fromUnicode(entry.first + QLatin1Char('\t') + entry.second) + '\n';
    writeFile(QStringLiteral("tovel_operators.conf"), table);
    QDir().mkpath(QStringLiteral("scripts"));
    for (const auto &module : library)
        writeFile(QStringLiteral("scripts/%1.js").arg(QLatin1String(module[0])), module[1]);
    QFile::remove(QStringLiteral("tovel_cache.dat"));
}

int FuzzTargets::runTranslate(const uint8_t *data, size_t size)
{
    const QString line =
        QCStringCodec::toUnicode(QByteArray(reinterpret_cast<const char *>(data), int(size)));
    const QStringList statements = line.split(QLatin1Char(';'));

    // every input starts from an empty cache; the second processor takes
    // what the first one saved, and must build the same program from it
    QFile::remove(QStringLiteral("tovel_cache.dat"));
    const QString fresh = programOf(statements);
    const QString cached = programOf(statements);
    QFile::remove(QStringLiteral("tovel_cache.dat"));
    if (cached != fresh)
        fault("the cache changed a translation",
              line + QLatin1String("\n") + fresh + QLatin1String("\n") + cached);

    // the one-sweep operator pass gives what rescanning gives
    for (const QString &piece : statements) {
        QString statement = piece;
        QScriptProcessor::normalize(statement);
        QScriptProcessor::translateStatement(statement);
        if (statement.size() > 4096)
            continue; // rescanning is quadratic
        for (const auto &entry : operatorTable()) {
            if (!OperatorPass::appliesInOneSweep(entry.first, entry.second))
                continue;
            QString sweep = statement;
            OperatorPass::applyEntry(sweep, entry.first, entry.second);
            QString rescan = statement;
            OperatorPass::applyEntryByRescan(rescan, entry.first, entry.second);
            if (sweep != rescan)
                fault("one sweep and rescanning differ", entry.first + QLatin1Char(' ') +
                                                             statement + QLatin1Char('\n') + sweep +
                                                             QLatin1Char('\n') + rescan);
        }
    }
    return 0;
}

int FuzzTargets::runOperators(const uint8_t *data, size_t size)
{
    writeFile(QStringLiteral("tovel_operators.conf"),
              QByteArray(reinterpret_cast<const char *>(data), int(size)));
    static const QStringList lines{
        QStringLiteral("ANS.push(2^3^2+5!-(1+2)_16*x~y#z@w$v);"),
        QStringLiteral("ANS.push(1_(2_(3_4))mod(5)%2);"),
        QStringLiteral("function f(x){return x^2;}"),
        QStringLiteral("a=\"str^ing\";"),
        QStringLiteral("for(i=1;i<=10;i=i+1){"),
        QString(),
    };
    QFile::remove(QStringLiteral("tovel_cache.dat"));
    {
        QScriptProcessor processor;
        processor.buildProgram(lines);
    }
    QFile::remove(QStringLiteral("tovel_cache.dat"));
    return 0;
}

int FuzzTargets::runCache(const uint8_t *data, size_t size)
{
    writeFile(QStringLiteral("tovel_cache.dat"),
              QByteArray(reinterpret_cast<const char *>(data), int(size)));
    {
        QFileCache cache(QStringLiteral("tovel_cache.dat"), 1024);
    }
    const QSet<QPair<QString, QString>> first =
        records(readFile(QStringLiteral("tovel_cache.dat")));
    {
        QFileCache cache(QStringLiteral("tovel_cache.dat"), 1024);
    }
    const QSet<QPair<QString, QString>> second =
        records(readFile(QStringLiteral("tovel_cache.dat")));
    if (first != second)
        fault("records changed on their way through the file",
              QString::number(first.size()) + QLatin1Char(' ') + QString::number(second.size()));
    QFile::remove(QStringLiteral("tovel_cache.dat"));
    return 0;
}

int FuzzTargets::runEvaluate(const uint8_t *data, size_t size)
{
    evaluateTwice(
        QCStringCodec::toUnicode(QByteArray(reinterpret_cast<const char *>(data), int(size))));
    return 0;
}

int FuzzTargets::runModules(const uint8_t *data, size_t size)
{
    static const char *const names[] = {"fx", "fy", "fz"};
    const QList<QByteArray> files =
        QByteArray(reinterpret_cast<const char *>(data), int(size)).split('\f');
    for (int i = 0; i < 3; ++i)
        writeFile(QStringLiteral("scripts/%1.js").arg(QLatin1String(names[i])), files.value(i));
    verifyModuleOrder();
    static const QStringList lines{
        QStringLiteral("fx"),
        QStringLiteral("fy(2)+fz"),
        QStringLiteral("2fz;fx(fy)"),
    };
    for (const QString &line : lines)
        evaluateTwice(line);
    for (const char *name : names)
        QFile::remove(QStringLiteral("scripts/%1.js").arg(QLatin1String(name)));
    return 0;
}
