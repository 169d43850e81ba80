#include "fuzztargets.h"

#include "operatorpass.h"
#include "qcstringcodec.h"
#include "qfilecache.h"
#include "qscriptprocessor.h"

#include <QDir>
#include <QFile>
#include <QPair>
#include <QRegularExpression>
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
    // Linking makes a function's name a call wherever it stands, also inside
    // a longer name (pi+spin gives pi()+spi()n), and links a cached
    // translation again from its own words: such a statement, a syntax error
    // either way, may pull in other modules from the cache. Only programs
    // without a call glued to a name must come out the same.
    static const QRegularExpression gluedCall(QStringLiteral("\\(\\)[\\w]"));
    if (cached != fresh && !fresh.contains(gluedCall))
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
