// The shipped script library: every function and constant it holds works
// beside every other one in the same statement.

#include "qevaluator.h"

#include "scratchdir.h"
#include <QScriptEngine>

#include <QtTest>

namespace
{

struct Sample {
    const char *name;
    const char *typed;  // as the calculator's user writes it
    const char *script; // the same as plain script code
};

// One sample call of every shipped function and constant.
const Sample samples[] = {
    {"abs", "abs(-2)", "abs(-2)"},
    {"arccos", "arccos(0.5)", "arccos(0.5)"},
    {"arcctg", "arcctg(2)", "arcctg(2)"},
    {"arch", "arch(3)", "arch(3)"},
    {"arcsin", "arcsin(0.5)", "arcsin(0.5)"},
    {"arctg", "arctg(2)", "arctg(2)"},
    {"arcth", "arcth(3)", "arcth(3)"},
    {"arsh", "arsh(2)", "arsh(2)"},
    {"arth", "arth(0.3)", "arth(0.3)"},
    {"binom", "binom(6,2)", "binom(6,2)"},
    {"cbrt", "cbrt(9)", "cbrt(9)"},
    {"ceil", "ceil(2.2)", "ceil(2.2)"},
    {"ch", "ch(0.7)", "ch(0.7)"},
    {"cos", "cos(0.7)", "cos(0.7)"},
    {"ctg", "ctg(0.7)", "ctg(0.7)"},
    {"cth", "cth(0.7)", "cth(0.7)"},
    {"deg", "deg(1)", "deg(1)"},
    {"e", "e", "e"},
    {"exp", "exp(0.7)", "exp(0.7)"},
    {"factorial", "factorial(6)", "factorial(6)"},
    {"floor", "floor(2.7)", "floor(2.7)"},
    {"frombase", "zz_36", "frombase(\"zz\",36)"},
    {"gcd", "gcd(12,18)", "gcd(12,18)"},
    {"lb", "lb(10)", "lb(10)"},
    {"lcm", "lcm(4,6)", "lcm(4,6)"},
    {"lg", "lg(7)", "lg(7)"},
    {"ln", "ln(7)", "ln(7)"},
    {"log", "log(7)", "log(7)"},
    {"max", "max(1,9,4)", "max(1,9,4)"},
    {"min", "min(5,3,4)", "min(5,3,4)"},
    {"phi", "phi", "phi()"},
    {"pi", "pi", "pi()"},
    {"pow", "pow(3,0.7)", "pow(3,0.7)"},
    {"rad", "rad(30)", "rad(30)"},
    {"round", "round(2.345,2)", "round(2.345,2)"},
    {"sh", "sh(0.7)", "sh(0.7)"},
    {"sin", "sin(0.7)", "sin(0.7)"},
    {"sqrt", "sqrt(7)", "sqrt(7)"},
    {"tg", "tg(0.7)", "tg(0.7)"},
    {"th", "th(0.7)", "th(0.7)"},
    {"tobase", "tobase(35,36)", "tobase(35,36)"},
    {"xor", "xor(5,3)", "xor(5,3)"},
};

// Modules that only other modules use.
const QStringList helpers = {QStringLiteral("wholecheck")};

// Words that the rewriting passes write into statements, and script keywords:
// a module of such a name would be looked up in statements it has no part in.
const QStringList reservedNames = {
    "ans",   "push",     "function", "return",     "throw", "error", "break",  "case",
    "catch", "continue", "default",  "delete",     "do",    "else",  "false",  "finally",
    "for",   "if",       "in",       "instanceof", "new",   "null",  "switch", "this",
    "true",  "try",      "typeof",   "var",        "void",  "while", "with",   "undefined",
    "nan",   "infinity", "math",     "x"};

QString libraryDir()
{
    return QStringLiteral(TOVEL_LIBRARY);
}

QStringList moduleNames()
{
    QStringList names;
    const QDir scripts(libraryDir() + QStringLiteral("/scripts"));
    for (const QString &file : scripts.entryList({QStringLiteral("*.js")}, QDir::Files))
        names << file.chopped(3);
    return names;
}

// The code of the whole library in one text, without its "#use " lines.
QString libraryCode()
{
    QString code;
    for (const QString &name : moduleNames()) {
        QFile file(libraryDir() + QStringLiteral("/scripts/") + name + QStringLiteral(".js"));
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
            continue;
        for (const QString &line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
            if (!line.startsWith(QLatin1String("#use ")))
                code += line + QLatin1Char('\n');
        }
    }
    return code;
}

QString printed(const QScriptValue &value)
{
    return value.isNumber() ? QEvaluator::formatNumber(value.toNumber(), 0, 15) : value.toString();
}

} // namespace

class LibraryTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void everyModuleIsSampledAndNamedSafely();
    void everyPairWorksInOneStatement();

private:
    ScratchDir dir;
};

void LibraryTest::initTestCase()
{
    QVERIFY(QDir().mkdir(QStringLiteral("scripts")));
    for (const QString &name : moduleNames())
        QVERIFY(QFile::copy(libraryDir() + "/scripts/" + name + ".js", "scripts/" + name + ".js"));
    QVERIFY(QFile::copy(libraryDir() + "/tovel_operators.conf", "tovel_operators.conf"));
    writeFile(QStringLiteral("tovel_cache.dat"), QByteArray());
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
}

void LibraryTest::everyModuleIsSampledAndNamedSafely()
{
    QStringList sampled;
    for (const Sample &sample : samples)
        sampled << QLatin1String(sample.name);
    for (const QString &name : moduleNames()) {
        QVERIFY2(sampled.contains(name) || helpers.contains(name), qPrintable(name));
        QVERIFY2(!reservedNames.contains(name), qPrintable(name));
        for (const QChar c : name)
            QVERIFY2(c.isLower(), qPrintable(name));
    }
}

void LibraryTest::everyPairWorksInOneStatement()
{
    QScriptEngine plain;
    plain.evaluate(libraryCode());
    QVERIFY(!plain.hasUncaughtException());
    for (const Sample &first : samples) {
        for (const Sample &second : samples) {
            if (&first == &second)
                continue;
            const QString typed = QStringLiteral("%1+%2").arg(first.typed, second.typed);
            const QString expected =
                printed(plain.evaluate(QStringLiteral("%1+%2").arg(first.script, second.script)));
            QEvaluator evaluator;
            evaluator.process(typed);
            QVERIFY2(!evaluator.isError(), qPrintable(typed));
            QCOMPARE(evaluator.resultText(0, 15), expected);
        }
    }
}

QTEST_GUILESS_MAIN(LibraryTest)
#include "tst_library.moc"
