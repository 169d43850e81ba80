// The script library: module files, their kinds and "#use " lines, and how
// the module pass adapts statements to them.

#include "qevaluator.h"
#include "qscriptmodule.h"
#include "qscriptprocessor.h"

#include "scratchdir.h"

#include <QtTest>

namespace
{

QString processed(QScriptProcessor &processor, const QString &statement)
{
    QString copy = statement;
    processor.processStatement(copy);
    return copy;
}

} // namespace

class ModulesTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void words_data();
    void words();
    void linking_data();
    void linking();
    void fileFormat();
    void useCycleLoadsEachModuleOnce();
    void cachedTranslationsLookModulesUpAgain();
    void evaluation_data();
    void evaluation();

private:
    QScopedPointer<ScratchDir> dir;
};

void ModulesTest::init()
{
    dir.reset(new ScratchDir);
    writeFile(QStringLiteral("tovel_cache.dat"), QByteArray());
    writeFile(QStringLiteral("tovel_operators.conf"), QByteArray());
    writeFile(QStringLiteral("scripts/pi.js"),
              "// the circle constant\nfunction pi(){return Math.PI;}\n");
    writeFile(QStringLiteral("scripts/e.js"), "var e = Math.E;\n");
    writeFile(QStringLiteral("scripts/sqr.js"), "function sqr(x){return x*x;}");
    writeFile(QStringLiteral("scripts/indented.js"), "  function indented(){return 1;}\n");
}

void ModulesTest::cleanup()
{
    dir.reset();
}

void ModulesTest::words_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("words");
    QTest::newRow("digits end words")
        << "ANS.push(log10(x)+x);" << QStringList{"ans", "push", "log", "x"};
    QTest::newRow("underscore ends words") << "a_b1c" << QStringList{"a", "b", "c"};
    QTest::newRow("non-latin letters") << "Жук+жук" << QStringList{"жук"};
    QTest::newRow("no letters") << "1+2" << QStringList();
}

void ModulesTest::words()
{
    QFETCH(QString, text);
    QTEST(QScriptProcessor::words(text), "words");
}

void ModulesTest::linking_data()
{
    QTest::addColumn<QString>("statement");
    QTest::addColumn<QString>("translated");
    QTest::newRow("function module without brackets") << "2pi"
                                                      << "ANS.push(2*pi());";
    QTest::newRow("function module inside a longer name") << "pi+spin"
                                                          << "ANS.push(pi()+spin);";
    QTest::newRow("module names inside string literals") << "e(\"e(\")+pi+'pi'"
                                                         << "ANS.push(e*(\"e(\")+pi()+'pi');";
    QTest::newRow("longer name alone is not looked up") << "spin"
                                                        << "ANS.push(spin);";
    QTest::newRow("function module with arguments") << "pi(2)"
                                                    << "ANS.push(pi(2));";
    QTest::newRow("two calls") << "sqr(3)+sqr(1)"
                               << "ANS.push(sqr(3)+sqr(1));";
    QTest::newRow("variable module before a bracket") << "e(2)"
                                                      << "ANS.push(e*(2));";
    QTest::newRow("variable module after a letter") << "e(2)+sine(2)"
                                                    << "ANS.push(e*(2)+sine(2));";
    QTest::newRow("variable name not a word") << "sine(2)"
                                              << "ANS.push(sine(2));";
    QTest::newRow("untyped module unchanged") << "indented"
                                              << "ANS.push(indented);";
}

void ModulesTest::linking()
{
    QFETCH(QString, statement);
    QScriptProcessor processor;
    QTEST(processed(processor, statement), "translated");
}

void ModulesTest::fileFormat()
{
    writeFile(
        QStringLiteral("scripts/mixed.js"),
        "// comment first\r\n\r\n#use e\n#usex\n  var indented;\nfunction mixed(){}\nvar later;\n");
    writeFile(QStringLiteral("scripts/nul.js"), QByteArray("var nul = 1;\n\0var after;\n", 24));
    QScriptProcessor processor;
    const QScriptModule *mixed = processor.module(QStringLiteral("mixed"));
    QCOMPARE(mixed->fileName, QStringLiteral("scripts/mixed.js"));
    QCOMPARE(mixed->kind, int(QScriptModule::FunctionModule));
    QCOMPARE(mixed->code, QStringLiteral("// comment first\n#usex\n  var indented;\n"
                                         "function mixed(){}\nvar later;\n"));
    QCOMPARE(mixed->dependencies.size(), 1);
    QCOMPARE(mixed->dependencies.at(0), processor.module(QStringLiteral("e")));
    QCOMPARE(processor.module(QStringLiteral("e"))->kind, int(QScriptModule::VariableModule));

    QCOMPARE(processor.module(QStringLiteral("nul"))->code, QStringLiteral("var nul = 1;\n"));
    const QScriptModule *missing = processor.module(QStringLiteral("missing"));
    QVERIFY(missing->code.isEmpty());
    QCOMPARE(missing->kind, int(QScriptModule::UntypedModule));
    QCOMPARE(processor.module(QStringLiteral("missing")), missing);
}

void ModulesTest::useCycleLoadsEachModuleOnce()
{
    writeFile(QStringLiteral("scripts/a.js"), "#use b\nvar a = 1;\n");
    writeFile(QStringLiteral("scripts/b.js"), "#use a\nvar b = 2;\n");
    QScriptProcessor processor;
    const QString program = processor.buildProgram({QStringLiteral("a")});
    const QScriptModule *a = processor.module(QStringLiteral("a"));
    const QScriptModule *b = processor.module(QStringLiteral("b"));
    QCOMPARE(a->dependencies.size(), 1);
    QCOMPARE(a->dependencies.at(0), b);
    QCOMPARE(b->dependencies.size(), 1);
    QCOMPARE(b->dependencies.at(0), nullptr);
    QVERIFY(program.startsWith(QStringLiteral("var a = 1;\nvar b = 2;\nvar ANS")));
}

void ModulesTest::cachedTranslationsLookModulesUpAgain()
{
    {
        QScriptProcessor first;
        QCOMPARE(processed(first, QStringLiteral("2PI")), QStringLiteral("ANS.push(2*pi());"));
    }
    QScriptProcessor second;
    const QString program = second.buildProgram({QStringLiteral("2PI")});
    QVERIFY(program.startsWith(QStringLiteral("// the circle constant\nfunction pi()")));
    QVERIFY(program.contains(QStringLiteral("ANS.push(2*pi());")));
}

void ModulesTest::evaluation_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("text");
    QTest::newRow("function module") << "sqr(3)+sqr(1)"
                                     << "10";
    QTest::newRow("constant called without brackets") << "pi"
                                                      << "3.141592653589793";
    QTest::newRow("variable multiplied") << "e(2)"
                                         << "5.43656365691809";
}

void ModulesTest::evaluation()
{
    QFETCH(QString, line);
    QEvaluator evaluator;
    evaluator.process(line);
    QTEST(evaluator.resultText(QEvaluator::FixedNotation, 15), "text");
}

QTEST_GUILESS_MAIN(ModulesTest)
#include "tst_modules.moc"
