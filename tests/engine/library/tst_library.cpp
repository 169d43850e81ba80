// The shipped script library: every function and constant it holds works
// beside every other one in the same statement, every function refuses a
// text instead of answering nan, and the common names of the functions are
// the same functions under another name.

#include "arithmeticfunctions.h"
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
    {"acos", "acos(0.5)", "acos(0.5)"},
    {"acosh", "acosh(3)", "acosh(3)"},
    {"arccos", "arccos(0.5)", "arccos(0.5)"},
    {"arcctg", "arcctg(2)", "arcctg(2)"},
    {"arch", "arch(3)", "arch(3)"},
    {"arcsin", "arcsin(0.5)", "arcsin(0.5)"},
    {"arctg", "arctg(2)", "arctg(2)"},
    {"arcth", "arcth(3)", "arcth(3)"},
    {"arsh", "arsh(2)", "arsh(2)"},
    {"arth", "arth(0.3)", "arth(0.3)"},
    {"asin", "asin(0.5)", "asin(0.5)"},
    {"asinh", "asinh(2)", "asinh(2)"},
    {"atan", "atan(2)", "atan(2)"},
    {"atanh", "atanh(0.3)", "atanh(0.3)"},
    {"binom", "binom(6,2)", "binom(6,2)"},
    {"cbrt", "cbrt(9)", "cbrt(9)"},
    {"ceil", "ceil(2.2)", "ceil(2.2)"},
    {"ch", "ch(0.7)", "ch(0.7)"},
    {"cos", "cos(0.7)", "cos(0.7)"},
    {"cosh", "cosh(0.7)", "cosh(0.7)"},
    {"cot", "cot(0.7)", "cot(0.7)"},
    {"ctg", "ctg(0.7)", "ctg(0.7)"},
    {"cth", "cth(0.7)", "cth(0.7)"},
    {"deg", "deg(1)", "deg(1)"},
    {"e", "e", "e"},
    {"exp", "exp(0.7)", "exp(0.7)"},
    {"factorial", "factorial(6)", "factorial(6)"},
    {"floor", "floor(2.7)", "floor(2.7)"},
    {"frombase", "zz_36", "frombase(\"zz\",36)"},
    {"gcd", "gcd(12,18)", "gcd(12,18)"},
    {"inf", "inf", "inf"},
    {"lb", "lb(10)", "lb(10)"},
    {"lcm", "lcm(4,6)", "lcm(4,6)"},
    {"lg", "lg(7)", "lg(7)"},
    {"ln", "ln(7)", "ln(7)"},
    {"log", "log(7)", "log(7)"},
    {"max", "max(1,9,4)", "max(1,9,4)"},
    {"min", "min(5,3,4)", "min(5,3,4)"},
    {"nan", "nan", "nan"},
    {"phi", "phi", "phi()"},
    {"pi", "pi", "pi()"},
    {"pow", "pow(3,0.7)", "pow(3,0.7)"},
    {"rad", "rad(30)", "rad(30)"},
    {"round", "round(2.345,2)", "round(2.345,2)"},
    {"sh", "sh(0.7)", "sh(0.7)"},
    {"sin", "sin(0.7)", "sin(0.7)"},
    {"sinh", "sinh(0.7)", "sinh(0.7)"},
    {"sqrt", "sqrt(7)", "sqrt(7)"},
    {"tan", "tan(0.7)", "tan(0.7)"},
    {"tanh", "tanh(0.7)", "tanh(0.7)"},
    {"tg", "tg(0.7)", "tg(0.7)"},
    {"th", "th(0.7)", "th(0.7)"},
    {"tobase", "tobase(35,36)", "tobase(35,36)"},
    {"xor", "xor(5,3)", "xor(5,3)"},
};

// Modules that only other modules use.
const QStringList helpers = {"domaincheck", "halfturns",   "exactexp",  "exactproduct",
                             "logplusone",  "powerseries", "wholecheck"};

// The common names and the functions they stand for.
const char *const aliases[][2] = {{"tan", "tg"},      {"cot", "ctg"},    {"asin", "arcsin"},
                                  {"acos", "arccos"}, {"atan", "arctg"}, {"sinh", "sh"},
                                  {"cosh", "ch"},     {"tanh", "th"},    {"asinh", "arsh"},
                                  {"acosh", "arch"},  {"atanh", "arth"}};

// Arguments inside and outside the domains of the aliased functions.
const char *const aliasArguments[] = {"-3", "-1", "-0.5",        "0",   "pow(10,-20)", "0.3",  "1",
                                      "2",  "30", "pow(10,200)", "1/0", "0/0",         "\"a\""};

// The constants, which take no arguments, and the reader of numerals, which
// takes a text.
const QStringList withoutNumbers = {"e", "inf", "nan", "phi", "pi", "frombase"};

// Words that the rewriting passes write into statements, and script keywords:
// a module of such a name would be looked up in statements it has no part in.
const QStringList reservedNames = {
    "ans",   "push",    "function", "return",    "throw",    "error",      "break",
    "case",  "catch",   "continue", "default",   "delete",   "do",         "else",
    "false", "finally", "for",      "if",        "in",       "instanceof", "new",
    "null",  "switch",  "this",     "true",      "try",      "typeof",     "var",
    "void",  "while",   "with",     "undefined", "infinity", "math",       "x"};

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
    void everyFunctionRefusesAText_data();
    void everyFunctionRefusesAText();
    void aliasesAreTheSameFunctions_data();
    void aliasesAreTheSameFunctions();

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
    // the sum as the shipped table writes it: on the decimals printed
    ArithmeticFunctions::install(plain);
    for (const Sample &first : samples) {
        for (const Sample &second : samples) {
            if (&first == &second)
                continue;
            const QString typed = QStringLiteral("%1+%2").arg(first.typed, second.typed);
            const QString expected = printed(
                plain.evaluate(QStringLiteral("DecSum(%1,%2)").arg(first.script, second.script)));
            QEvaluator evaluator;
            evaluator.process(typed);
            QVERIFY2(!evaluator.isError(), qPrintable(typed));
            QCOMPARE(evaluator.resultText(0, 15), expected);
        }
    }
}

void LibraryTest::everyFunctionRefusesAText_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("typed");
    for (const Sample &sample : samples) {
        const QString name = QLatin1String(sample.name);
        if (withoutNumbers.contains(name))
            continue;
        QStringList texts;
        const int arguments = QString::fromLatin1(sample.typed).count(QLatin1Char(',')) + 1;
        for (int i = 0; i < arguments; ++i)
            texts << QStringLiteral("\"a\"");
        QTest::newRow(sample.name) << name << name + '(' + texts.join(',') + ')';
    }
}

void LibraryTest::everyFunctionRefusesAText()
{
    QFETCH(QString, name);
    QFETCH(QString, typed);
    QEvaluator evaluator;
    evaluator.process(typed);
    QVERIFY2(evaluator.isError(), qPrintable(evaluator.resultText(0, 15)));
    QVERIFY2(evaluator.resultText(0, 15).startsWith(QStringLiteral("Error: ")),
             qPrintable(evaluator.resultText(0, 15)));
    QVERIFY2(evaluator.resultText(0, 15).contains(name), qPrintable(evaluator.resultText(0, 15)));
}

void LibraryTest::aliasesAreTheSameFunctions_data()
{
    QTest::addColumn<QString>("alias");
    QTest::addColumn<QString>("original");
    QTest::addColumn<QString>("argument");
    for (const auto &alias : aliases) {
        for (const char *argument : aliasArguments) {
            QTest::addRow("%s(%s)", alias[0], argument)
                << QString::fromLatin1(alias[0]) << QString::fromLatin1(alias[1])
                << QString::fromLatin1(argument);
        }
    }
}

// The same double (its shortest text), or the same error under the alias's name.
void LibraryTest::aliasesAreTheSameFunctions()
{
    QFETCH(QString, alias);
    QFETCH(QString, original);
    QFETCH(QString, argument);
    QEvaluator byAlias;
    byAlias.process(QStringLiteral("%1(%2)+\"\"").arg(alias, argument));
    QEvaluator byOriginal;
    byOriginal.process(QStringLiteral("%1(%2)+\"\"").arg(original, argument));
    QCOMPARE(byAlias.isError(), byOriginal.isError());
    QString expected = byOriginal.resultText(0, 15);
    if (byOriginal.isError())
        expected.replace(QStringLiteral("Error: %1(").arg(original),
                         QStringLiteral("Error: %1(").arg(alias));
    QCOMPARE(byAlias.resultText(0, 15), expected);
}

QTEST_GUILESS_MAIN(LibraryTest)
#include "tst_library.moc"
