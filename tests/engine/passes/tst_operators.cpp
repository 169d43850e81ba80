// The operator table: how its file is read and how its entries rewrite
// statements.

#include "operatorpass.h"
#include "qscriptprocessor.h"

#include "scratchdir.h"

#include <QtTest>

namespace
{

const QByteArray sampleTable = "!\tfactorial(%1)\n^\tpow(%1,%2)\n";

QString applied(const QByteArray &table, QString statement)
{
    writeFile(QStringLiteral("tovel_operators.conf"), table);
    QScriptProcessor processor;
    processor.applyOperators(statement);
    return statement;
}

} // namespace

class OperatorsTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void apply_data();
    void apply();
    void calculatorNotation_data();
    void calculatorNotation();
    void missingTableWarnsOncePerProcessor();
    void oneSweepChoosesOrdinaryTemplates_data();
    void oneSweepChoosesOrdinaryTemplates();
    void oneSweepAgreesWithRescanning_data();
    void oneSweepAgreesWithRescanning();
    void longChainsKeepTheirShape();
    void levelsGroupAsTheScriptDoes_data();
    void levelsGroupAsTheScriptDoes();
    void levelSweepAgreesWithRescanning_data();
    void levelSweepAgreesWithRescanning();

private:
    QScopedPointer<ScratchDir> dir;
};

void OperatorsTest::init()
{
    dir.reset(new ScratchDir);
    writeFile(QStringLiteral("tovel_cache.dat"), QByteArray());
}

void OperatorsTest::cleanup()
{
    dir.reset();
}

void OperatorsTest::apply_data()
{
    QTest::addColumn<QByteArray>("table");
    QTest::addColumn<QString>("statement");
    QTest::addColumn<QString>("result");
    QTest::newRow("postfix on a number") << sampleTable << "5!"
                                         << "factorial(5)";
    QTest::newRow("postfix on a group") << sampleTable << "(1+2)!"
                                        << "factorial((1+2))";
    QTest::newRow("postfix on a call") << sampleTable << "f(2)!"
                                       << "factorial(f(2))";
    QTest::newRow("infix") << sampleTable << "2^10"
                           << "pow(2,10)";
    QTest::newRow("infix with a point") << sampleTable << "2.5^2"
                                        << "pow(2.5,2)";
    QTest::newRow("right group") << sampleTable << "2^(3+4)*5"
                                 << "pow(2,(3+4))*5";
    QTest::newRow("chained") << sampleTable << "2^3^2"
                             << "pow(pow(2,3),2)";
    QTest::newRow("inside a call") << sampleTable << "sqrt(2^3)"
                                   << "sqrt(pow(2,3))";
    QTest::newRow("one sign leads the right operand") << sampleTable << "2^-1"
                                                      << "pow(2,-1)";
    QTest::newRow("inside the answer wrapper") << sampleTable << "ANS.push(5!+1);"
                                               << "ANS.push(factorial(5)+1);";
    QTest::newRow("operand holding a placeholder text") << sampleTable << "(7%2)^3"
                                                        << "pow((7%2),3)";
    QTest::newRow("plain substitution in one sweep") << QByteArray("a\taa\n") << "a+a"
                                                     << "aa+aa";
    QTest::newRow("all entries of a name apply in order") << QByteArray("x\ty\ny\tz\n") << "x"
                                                          << "z";
    QTest::newRow("blanks and end blanks removed")
        << QByteArray(" ^ \t pow( %1 , %2 ) \r\n") << "2^3"
        << "pow(2,3)";
    QTest::newRow("comment, no tab, empty template and blank lines are skipped")
        << QByteArray("// x\ty\nx\n\n\t\t\nx\t\tz\n  \n") << "x"
        << "x";
    QTest::newRow("text after a second tab is ignored") << QByteArray("x\ty\tz\n") << "x"
                                                        << "y";
    QTest::newRow("a line over the read limit is read in pieces") << QByteArray(500, ' ') + "x\ty\n"
                                                                  << "x"
                                                                  << "y";
    QTest::newRow("template holding its own name ends") << QByteArray("!\t(%1)!\n") << "5!+2!"
                                                        << "(5)!+(2)!";
    QTest::newRow("numeral chain nests to the left")
        << QByteArray("_\tfrombase(\"%1\",%2)\n") << "1_2_3"
        << "frombase(\"frombase(\"1\",2)\",3)";
    QTest::newRow("right operands nest inside each other")
        << sampleTable << "1^(2^(3^4))!"
        << "pow(1,factorial((pow(2,(pow(3,4))))))";
    QTest::newRow("unmatched closing bracket takes the left side to the start")
        << sampleTable << "a)^2^3"
        << "pow(pow(a),2),3)";
    QTest::newRow("unmatched opening bracket takes the right side to the end")
        << sampleTable << "2^(3^4+5"
        << "pow(2,(pow(3,4)+5)";
    QTest::newRow("a table that doubles the statement line after line ends in an error")
        << QByteArray("a\taa\n").repeated(40) << "a"
        << "throw Error(\"The operator table makes the statement too long\");";
    QTest::newRow("a template that copies its operands ends in an error")
        << QByteArray("!\tf(%1,%1)\n") << "1" + QString(30, QLatin1Char('!'))
        << "throw Error(\"The operator table makes the statement too long\");";
    QTest::newRow("rescanning entry on a moderate line")
        << QByteArray("#\t%1*%2\n") << QStringLiteral("1#").repeated(300) + "1"
        << QStringLiteral("1*").repeated(300) + "1";
    QTest::newRow("rescanning entry past its budget of work ends in an error")
        << QByteArray("#\t%1*%2\n") << QStringLiteral("1#").repeated(100000) + "1"
        << "throw Error(\"The operator table makes the statement too long\");";
    QTest::newRow("infix template holding its own name ends")
        << QByteArray("^\t%1^^%2\n") << "2^3^4"
        << "2^^3^^4";
}

void OperatorsTest::calculatorNotation_data()
{
    QTest::addColumn<QByteArray>("table");
    QTest::addColumn<QString>("statement");
    QTest::addColumn<QString>("result");
    const QByteArray power = "^\tpow(%1,%2)\tright-to-left\n";
    const QByteArray root = "~\tsqrt(%2)\tright-to-left\n";
    QTest::newRow("a chain groups from the right when the table says so") << power << "2^3^2"
                                                                          << "pow(2,pow(3,2))";
    QTest::newRow("a literal is never touched") << power + "~\t-\n"
                                                << "'a~b^2'+2^3~\"x^y\""
                                                << "'a~b^2'+pow(2,3)-\"x^y\"";
    QTest::newRow("a literal an entry copies twice") << QByteArray("!\tf(%1,%1)\n") << "(\"a!\")!"
                                                     << "f((\"a!\"),(\"a!\"))";
    QTest::newRow("a longer chain from the right") << power << "a^b^c^d"
                                                   << "pow(a,pow(b,pow(c,d)))";
    QTest::newRow("a chain from the right inside brackets") << power << "(2^3^2)*2^2"
                                                            << "(pow(2,pow(3,2)))*pow(2,2)";
    QTest::newRow("signs in a chain from the right") << power << "2^-1^+2"
                                                     << "pow(2,-pow(1,+2))";
    QTest::newRow("another word in the third column groups from the left")
        << QByteArray("^\tpow(%1,%2)\tright\n") << "2^3^2"
        << "pow(pow(2,3),2)";
    QTest::newRow("a sign before a bracket") << sampleTable << "2^-(1+1)"
                                             << "pow(2,-(1+1))";
    QTest::newRow("a sign with no operand stays out") << sampleTable << "2^-"
                                                      << "pow(2,)-";
    QTest::newRow("two signs: the second stays out") << sampleTable << "2^--1"
                                                     << "pow(2,)--1";
    QTest::newRow("an exponent numeral is one left operand") << sampleTable << "1e-5^2"
                                                             << "pow(1e-5,2)";
    QTest::newRow("an exponent numeral is one right operand") << sampleTable << "2^1.5e+3*2"
                                                              << "pow(2,1.5e+3)*2";
    QTest::newRow("a name ending in e is no numeral") << sampleTable << "be-5^2"
                                                      << "be-pow(5,2)";
    QTest::newRow("a postfix sign after no operand stays") << sampleTable << "!x+(!y)+1+!0"
                                                           << "!x+(!y)+1+!0";
    QTest::newRow("a double negation stays") << sampleTable << "!!x"
                                             << "!!x";
    QTest::newRow("a postfix sign after an operand applies") << sampleTable << "5!!"
                                                             << "factorial(factorial(5))";
    QTest::newRow("a prefix sign before no operand stays") << root << "~+~"
                                                           << "~+~";
    QTest::newRow("a root of a root") << root << "~~16"
                                      << "sqrt(sqrt(16))";
    QTest::newRow("a root of a negative number") << root << "~-4"
                                                 << "sqrt(-4)";
    QTest::newRow("an infix sign after no operand still fills its template")
        << QByteArray("_\tfrombase(\"%1\",%2)\n") << "_16"
        << "frombase(\"\",16)";
    QTest::newRow("the rescanning form takes a leading sign too")
        << QByteArray("#\t%1*%2\n") << "2#-3"
        << "2*-3";
    QTest::newRow("the rescanning form groups from the right")
        << QByteArray("#\t(%1)**(%2)\tright-to-left\n") << "1#2#3"
        << "(1)**((2)**(3))";
    QTest::newRow("a name of two characters takes its right operand whole")
        << QByteArray("**\tpow(%1,%2)\n") << "2**3+2**-1"
        << "pow(2,3)+pow(2,-1)";
    QTest::newRow("a leading sign is bracketed against the template's own sign")
        << QByteArray("#\t(%1-%2)\tright-to-left\n") << "8#-4#2"
        << "(8-((-4)-2))";
    QTest::newRow("the rescanning form brackets a leading sign too")
        << QByteArray("#\t%1-%2\n") << "8#-4"
        << "8-(-4)";
    QTest::newRow("a template's sign before a bracketed operand")
        << QByteArray("#\t(%1+%2)\n") << "8#-(1+1)"
        << "(8+(-(1+1)))";
}

void OperatorsTest::calculatorNotation()
{
    apply();
}

void OperatorsTest::apply()
{
    QFETCH(QByteArray, table);
    QFETCH(QString, statement);
    QTEST(applied(table, statement), "result");
}

void OperatorsTest::missingTableWarnsOncePerProcessor()
{
    static QStringList warnings;
    warnings.clear();
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &text) {
        if (type == QtWarningMsg)
            warnings << text;
    });
    {
        QScriptProcessor processor;
        QString statement = QStringLiteral("2^3");
        processor.applyOperators(statement);
        // the shipped table stands in: ^ is never silently the exclusive or
        QCOMPARE(statement, QStringLiteral("pow(2,3)"));
    }
    qInstallMessageHandler(nullptr);
    QVERIFY(
        warnings.contains(QStringLiteral("QScriptProcessor: Unable to read tovel_operators.conf")));
    QCOMPARE(
        warnings.count(QStringLiteral("QScriptProcessor: Unable to read tovel_operators.conf")), 1);
}

void OperatorsTest::oneSweepChoosesOrdinaryTemplates_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<bool>("oneSweep");
    QTest::newRow("infix call") << "^"
                                << "pow(%1,%2)" << true;
    QTest::newRow("postfix call") << "!"
                                  << "factorial(%1)" << true;
    QTest::newRow("prefix call") << "~"
                                 << "neg(%2)" << true;
    QTest::newRow("numeral with quotes") << "_"
                                         << "frombase(\"%1\",%2)" << true;
    QTest::newRow("own name inside the brackets") << "_"
                                                  << "f(%1_%2)" << true;
    QTest::newRow("operator outside brackets") << "^"
                                               << "%1*%2" << false;
    QTest::newRow("own name outside brackets") << "!"
                                               << "(%1)!" << false;
    QTest::newRow("nothing before the left operand") << "^"
                                                     << "%1(%2)" << false;
    QTest::newRow("placeholder twice") << "!"
                                       << "f(%1,%1)" << false;
    QTest::newRow("right before left") << "^"
                                       << "f(%2,%1)" << false;
    QTest::newRow("unbalanced template") << "^"
                                         << "f((%1,%2)" << false;
    QTest::newRow("name of two characters") << "**"
                                            << "pow(%1,%2)" << false;
    QTest::newRow("name that is an operand character") << "x"
                                                       << "f(%1,%2)" << false;
}

void OperatorsTest::oneSweepChoosesOrdinaryTemplates()
{
    QFETCH(QString, name);
    QFETCH(QString, pattern);
    QTEST(OperatorPass::appliesInOneSweep(name, pattern), "oneSweep");
}

void OperatorsTest::oneSweepAgreesWithRescanning_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<int>("grouping");
    const int left = OperatorPass::LeftToRight;
    const int right = OperatorPass::RightToLeft;
    QTest::newRow("infix") << "^"
                           << "pow(%1,%2)" << left;
    QTest::newRow("postfix") << "!"
                             << "factorial(%1)" << left;
    QTest::newRow("prefix") << "~"
                            << "neg(%2)" << left;
    QTest::newRow("numeral") << "_"
                             << "frombase(\"%1\",%2)" << left;
    QTest::newRow("own name inside") << "^"
                                     << "g(%1^%2)(1)" << left;
    QTest::newRow("letters around") << "!"
                                    << "a(%1)b" << left;
    QTest::newRow("infix from the right") << "^"
                                          << "pow(%1,%2)" << right;
    QTest::newRow("prefix from the right") << "~"
                                           << "neg(%2)" << right;
    QTest::newRow("own name inside, from the right") << "^"
                                                     << "g(%1^%2)(1)" << right;
    QTest::newRow("a sign of its own before the right operand") << "#"
                                                                << "(%1-%2)" << left;
    QTest::newRow("a sign of its own, from the right") << "#"
                                                       << "(%1-%2)" << right;
}

// Statements made at random of operand characters, brackets (balanced or
// not), signs and the name: the one-sweep result is the rescanning one.
void OperatorsTest::oneSweepAgreesWithRescanning()
{
    QFETCH(QString, name);
    QFETCH(QString, pattern);
    QFETCH(int, grouping);
    QVERIFY(OperatorPass::appliesInOneSweep(name, pattern));
    const QString alphabet = QStringLiteral("12ae.(()),+-\"") + name + name + name;
    QRandomGenerator random(1234);
    for (int round = 0; round < 4000; ++round) {
        QString statement;
        const int length = random.bounded(1, 24);
        for (int i = 0; i < length; ++i)
            statement += alphabet.at(random.bounded(alphabet.size()));
        const auto order = OperatorPass::Grouping(grouping);
        QString sweep = statement;
        OperatorPass::applyEntry(sweep, name, pattern, order);
        QString rescan = statement;
        OperatorPass::applyEntryByRescan(rescan, name, pattern, order);
        if (sweep != rescan)
            QFAIL(qPrintable(QStringLiteral("%1: %2 instead of %3").arg(statement, sweep, rescan)));
    }
}

// The shapes that took seconds to minutes on long lines, at a length the
// rescanning form still manages quickly: their result, not their time.
void OperatorsTest::longChainsKeepTheirShape()
{
    const QString pattern = QStringLiteral("frombase(\"%1\",%2)");
    QString chain = QStringLiteral("1") + QStringLiteral("_2").repeated(300);
    QString expected = chain;
    OperatorPass::applyEntryByRescan(expected, QStringLiteral("_"), pattern);
    OperatorPass::applyEntry(chain, QStringLiteral("_"), pattern);
    QCOMPARE(chain, expected);

    QString nested = QStringLiteral("1_(").repeated(300) + QStringLiteral("1") +
                     QStringLiteral(")").repeated(300);
    expected = nested;
    OperatorPass::applyEntryByRescan(expected, QStringLiteral("_"), pattern);
    OperatorPass::applyEntry(nested, QStringLiteral("_"), pattern);
    QCOMPARE(nested, expected);
}

// A table of the script's arithmetic written as calls: m and d bind alike,
// and so do a and s.
const QByteArray arithmetic = "*\tm(%1,%2)\tinfix\n/\td(%1,%2)\tinfix-with-above\n"
                              "+\ta(%1,%2)\tinfix\n-\ts(%1,%2)\tinfix-with-above\n"
                              "+=\t%1=a(%1,%2)\tassignment\n";

// The exact arithmetic's entries: a chain of one of their signs is one call.
const QByteArray decimals = "*\tDecProd(%1,%2)\tinfix\n+\tDecSum(%1,%2)\tinfix\n"
                            "-\tDecDiff(%1,%2)\tinfix-with-above\n";

void OperatorsTest::levelsGroupAsTheScriptDoes_data()
{
    QTest::addColumn<QByteArray>("table");
    QTest::addColumn<QString>("statement");
    QTest::addColumn<QString>("result");
    QTest::newRow("alike signs group from the left") << arithmetic << "p/q*r-p+q"
                                                     << "a(s(m(d(p,q),r),p),q)";
    QTest::newRow("a product binds before a difference") << arithmetic << "p-q*r"
                                                         << "s(p,m(q,r))";
    QTest::newRow("a unary minus belongs to the left operand") << arithmetic << "-p+q"
                                                               << "a(-p,q)";
    QTest::newRow("unary signs in a run") << arithmetic << "x=!-p+q"
                                          << "x=a(!-p,q)";
    QTest::newRow("a unary minus after a bracket") << arithmetic << "f(-p*q,-1)"
                                                   << "f(m(-p,q),-1)";
    QTest::newRow("a sign leading the right operand") << arithmetic << "p*-q"
                                                      << "m(p,-q)";
    QTest::newRow("brackets are one operand") << arithmetic << "(p+q)*r"
                                              << "m((a(p,q)),r)";
    QTest::newRow("a lone sign stays") << arithmetic << "-p"
                                       << "-p";
    QTest::newRow("increments stay") << arithmetic << "i++;--i;i--"
                                     << "i++;--i;i--";
    QTest::newRow("an exponent's sign is no difference") << arithmetic << "1e-5-p"
                                                         << "s(1e-5,p)";
    QTest::newRow("a comparison ends the operands") << arithmetic << "p+q==r"
                                                    << "a(p,q)==r";
    QTest::newRow("a string literal is text and one operand") << arithmetic << "\"p-q\"+r+f('1*2')"
                                                              << "a(a(\"p-q\",r),f('1*2'))";
    QTest::newRow("a string literal on the left of a chain") << arithmetic << "'3'-p-q"
                                                             << "s(s('3',p),q)";
    QTest::newRow("an assignment takes the rest of the expression") << arithmetic << "s+=p<q?1:2;"
                                                                    << "s=a(s,p<q?1:2);";
    QTest::newRow("an assignment ends at a bracket of a cycle head")
        << arithmetic << "for(i=0;i<9;i+=2){"
        << "for(i=0;i<9;i=a(i,2)){";
    QTest::newRow("an assignment ends at a comma outside literals")
        << arithmetic << "f(s+=\"a,b\",1)"
        << "f(s=a(s,\"a,b\"),1)";
    QTest::newRow("an assignment to an element stays") << arithmetic << "v[0]+=1"
                                                       << "v[0]+=1";
    QTest::newRow("a level of rescanning entries")
        << QByteArray("#\t%1*%2\tinfix\n@@\t%1/%2\tinfix-with-above\n") << "8@@2#3-x#1"
        << "8/2*3-x*1";
    QTest::newRow("a chain of one sign is one call") << decimals << "p+q+r+s"
                                                     << "DecSum(p,q,r,s)";
    QTest::newRow("a change of sign names the function of the sign")
        << decimals << "p+q-r-s+t"
        << "DecSum(p,q,DecDiff,r,s,DecSum,t)";
    QTest::newRow("a sign of a level of its own nests") << decimals << "p*q+r*s*t"
                                                        << "DecSum(DecProd(p,q),DecProd(r,s,t))";
    QTest::newRow("a chain of products between sums") << decimals << "-p+q*r*s+t"
                                                      << "DecSum(-p,DecProd(q,r,s),t)";
    QTest::newRow("a bracketed sum is an operand of its own") << decimals << "(p+q)+r"
                                                              << "DecSum((DecSum(p,q)),r)";
    QTest::newRow("a call of the same function is no chain") << decimals << "f(p+q)+r"
                                                             << "DecSum(f(DecSum(p,q)),r)";
    QTest::newRow("other functions nest") << QByteArray("+\tg(%1,%2)\tinfix\n") << "p+q+r"
                                          << "g(g(p,q),r)";
    QTest::newRow("with-above after no infix entry starts a level")
        << QByteArray("^\tpow(%1,%2)\n/\td(%1,%2)\tinfix-with-above\n") << "-2^2/4"
        << "d(-pow(2,2),4)";
}

void OperatorsTest::levelsGroupAsTheScriptDoes()
{
    apply();
}

void OperatorsTest::levelSweepAgreesWithRescanning_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::newRow("calls") << "f(%1,%2)";
    QTest::newRow("sign of its own") << "(%1-%2)";
}

// Statements made at random of operands, brackets, literals and the signs of
// a level of two entries: its one sweep gives what rescanning gives.
void OperatorsTest::levelSweepAgreesWithRescanning()
{
    QFETCH(QString, pattern);
    QVector<OperatorPass::Entry> level{
        {QStringLiteral("+"), pattern, OperatorPass::Infix},
        {QStringLiteral("-"), QString(pattern).replace(QLatin1Char('f'), QLatin1Char('g')),
         OperatorPass::Infix}};
    QVERIFY(OperatorPass::appliesInOneSweep(QStringLiteral("+"), pattern));
    const QString alphabet = QStringLiteral("12ae.(()),!\"++--");
    QRandomGenerator random(4321);
    for (int round = 0; round < 4000; ++round) {
        QString statement;
        const int length = random.bounded(1, 24);
        for (int i = 0; i < length; ++i)
            statement += alphabet.at(random.bounded(alphabet.size()));
        QString sweep = statement;
        OperatorPass::applyLevel(sweep, level);
        QString rescan = statement;
        OperatorPass::applyLevelByRescan(rescan, level);
        if (sweep != rescan)
            QFAIL(qPrintable(QStringLiteral("%1: %2 instead of %3").arg(statement, sweep, rescan)));
    }
}

QTEST_GUILESS_MAIN(OperatorsTest)
#include "tst_operators.moc"
