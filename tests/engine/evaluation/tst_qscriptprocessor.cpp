#include "qscriptprocessor.h"

#include "scratchdir.h"

#include <QtTest>

class ScriptProcessorTest : public QObject
{
    Q_OBJECT

private slots:
    void normalize_data();
    void normalize();
    void numeralsAndSigns_data();
    void numeralsAndSigns();
    void printSigns_data();
    void printSigns();
    void translateStatement_data();
    void translateStatement();
    void buildProgram_data();
    void buildProgram();

private:
    ScratchDir dir;
};

void ScriptProcessorTest::normalize_data()
{
    QTest::addColumn<QString>("statement");
    QTest::addColumn<QString>("normalized");
    QTest::newRow("digit before letter") << "2x"
                                         << "2*x";
    QTest::newRow("digit before bracket") << "2(x)"
                                          << "2*(x)";
    QTest::newRow("bracket before bracket") << "(1+2)(3)"
                                            << "(1+2)*(3)";
    QTest::newRow("bracket before name and number") << "(1)x+(2)3"
                                                    << "(1)*x+(2)*3";
    QTest::newRow("names with digits split") << "log10(x)"
                                             << "log10*(x)";
    QTest::newRow("exponent numeral kept whole") << "1e5"
                                                 << "1e5";
    QTest::newRow("each pair once after an insertion") << "2x2y"
                                                       << "2*x2*y";
    QTest::newRow("blank removed after the walk") << "2 x"
                                                  << "2x";
    QTest::newRow("upper case folded") << "SIN(X)"
                                       << "sin(x)";
    QTest::newRow("literal keeps case and blanks") << "\"Hi There\" + A"
                                                   << "\"Hi There\"+a";
    QTest::newRow("escaped quote stays inside") << "\"a\\\" B\" C"
                                                << "\"a\\\" B\"c";
    // string literals stay as typed
    QTest::newRow("no multiplication inside literals") << "\"2x\""
                                                       << "\"2x\"";
    QTest::newRow("tabs stay") << "1\t+ 2"
                               << "1\t+2";
    // superscript digits are the power of the operand before them
    QTest::newRow("superscript digits are a power") << "(2)\u00b2"
                                                    << "pow((2),2)";
    QTest::newRow("non-latin letters") << "2Ж"
                                       << "2*ж";
    QTest::newRow("empty") << ""
                           << "";
}

void ScriptProcessorTest::numeralsAndSigns_data()
{
    QTest::addColumn<QString>("statement");
    QTest::addColumn<QString>("normalized");
    QTest::newRow("exponent with a sign") << "1e-10"
                                          << "1e-10";
    QTest::newRow("capital exponent folded") << "1E5"
                                             << "1e5";
    QTest::newRow("mantissa with a point") << "2.5e3"
                                           << "2.5e3";
    QTest::newRow("mantissa that starts with a point") << ".5e-3"
                                                       << ".5e-3";
    QTest::newRow("exponent with a minus of print") << "1e\u22125"
                                                    << "1e\u22125";
    QTest::newRow("printed answer") << "1.180591620717411e+21"
                                    << "1.180591620717411e+21";
    QTest::newRow("e without digits multiplies") << "2e+x"
                                                 << "2*e+x";
    QTest::newRow("e before a bracket multiplies") << "2e(3)"
                                                   << "2*e(3)";
    QTest::newRow("a name after the exponent multiplies") << "1e5x"
                                                          << "1e5*x";
    QTest::newRow("digits of a name keep the e apart") << "x2e5"
                                                       << "x2*e5";
    QTest::newRow("exponent inside a literal stays whole") << "\"1e5\""
                                                           << "\"1e5\"";
    QTest::newRow("number before a root sign multiplies") << "2\u221a3"
                                                          << "2*\u221a3";
    QTest::newRow("square before a name multiplies") << "3\u00b2x"
                                                     << "pow(3,2)*x";
    QTest::newRow("two minuses") << "--1"
                                 << "+1";
    QTest::newRow("two minuses after a times sign") << "5*--5"
                                                    << "5*+5";
    QTest::newRow("minus of a negative number") << "2--3"
                                                << "2+3";
    QTest::newRow("plus of a negative number") << "2+-3"
                                               << "2-3";
    QTest::newRow("odd run") << "2---3"
                             << "2-3";
    QTest::newRow("run apart with blanks") << "2 - - 3"
                                           << "2+3";
    QTest::newRow("minus of print in a run") << "2-\u22123"
                                             << "2+3";
    QTest::newRow("lone minus of print left to the table") << "2\u22123"
                                                           << "2\u22123";
    QTest::newRow("decrement after a name") << "for(i=3,i>0,i--)"
                                            << "for(i=3,i>0,i--)";
    QTest::newRow("increment after a name with digits") << "a1++"
                                                        << "a1++";
    QTest::newRow("decrement before a name") << "--i"
                                             << "--i";
    QTest::newRow("a name minus a negative number") << "x--3"
                                                    << "x+3";
    QTest::newRow("a number minus a negative name") << "2--x"
                                                    << "2+x";
    QTest::newRow("signs inside a literal stay") << "\"--\"+--1"
                                                 << "\"--\"+1";
    QTest::newRow("a leading zero is dropped") << "010+00.5"
                                               << "10+0.5";
    QTest::newRow("a hexadecimal numeral is one number") << "0X1Fx"
                                                         << "0x1f*x";
    QTest::newRow("a binary numeral as a hexadecimal one") << "0B1011"
                                                           << "0xb";
    QTest::newRow("an octal numeral as a hexadecimal one") << "0o17"
                                                           << "0xf";
    QTest::newRow("a binary numeral with a wrong digit stays") << "0b102"
                                                               << "0b102";
    QTest::newRow("digits after a decimal comma stay") << "1,05"
                                                       << "1,05";
    QTest::newRow("a run of signs in an exponent") << "1e--5"
                                                   << "1e+5";
    QTest::newRow("a decrement after an operator is a run of signs") << "2^--x"
                                                                     << "2^+x";
    QTest::newRow("a decrement after a factorial is a run of signs") << "4!--x"
                                                                     << "4!+x";
    QTest::newRow("a name before a root minus a negative root") << "x--\u221a4"
                                                                << "x+\u221a4";
    QTest::newRow("a decrement where an expression starts") << "f(--i,--j)"
                                                            << "f(--i,--j)";
    QTest::newRow("a blank between a factorial and equals signs stays") << "4! == 5"
                                                                        << "4! ==5";
}

void ScriptProcessorTest::printSigns_data()
{
    QTest::addColumn<QString>("statement");
    QTest::addColumn<QString>("normalized");
    QTest::newRow("a run of superscripts is one exponent") << "2\u00b2\u00b3"
                                                           << "pow(2,23)";
    QTest::newRow("all the superscript digits") << "x\u2070\u00b9\u2074\u2079"
                                                << "pow(x,0149)";
    QTest::newRow("a square of a call before a factorial") << "f(3)\u00b2!"
                                                           << "pow(f(3),2)!";
    QTest::newRow("a square of a factorial") << "3!\u00b2"
                                             << "pow(3!,2)";
    QTest::newRow("a square of a numeral with an exponent") << "1e-5\u00b2"
                                                            << "pow(1e-5,2)";
    QTest::newRow("a square without an operand stays") << "\u00b2"
                                                       << "\u00b2";
    QTest::newRow("a root takes a power") << "\u221ax^2"
                                          << "\u221a(x^2)";
    QTest::newRow("a root takes a chain of powers and a sign") << "\u221b-x^2^y!"
                                                               << "\u221b(-x^2^y!)";
    QTest::newRow("a root of a root's power") << "\u221a(\u221ax^2)^2"
                                              << "\u221a((\u221a(x^2))^2)";
    QTest::newRow("a root without a power stays") << "\u221ax+1"
                                                  << "\u221ax+1";
    QTest::newRow("pi before a bracket and pi") << "\u03c0(2)\u03c0"
                                                << "\u03c0*(2)*\u03c0";
    QTest::newRow("a name before a root") << "x\u221a4"
                                          << "x*\u221a4";
    QTest::newRow("a factorial before a factor") << "3!(2)+3!x"
                                                 << "3!*(2)+3!*x";
    QTest::newRow("negation before a bracket") << "!(x)"
                                               << "!(x)";
    QTest::newRow("a percent") << "200*10%"
                               << "200*(10/100)";
    QTest::newRow("a percent of a group") << "(1+2)%*2"
                                          << "((1+2)/100)*2";
    QTest::newRow("a remainder") << "7%3"
                                 << "7%3";
    QTest::newRow("a remainder of a negative number") << "7%-3"
                                                      << "7%-3";
    QTest::newRow("a compound remainder") << "x%=3"
                                          << "x%=3";
    QTest::newRow("signs of print inside a literal") << "\"3\u00b2 \u221ax^2 50%\""
                                                     << "\"3\u00b2 \u221ax^2 50%\"";
}

void ScriptProcessorTest::printSigns()
{
    normalize();
}

void ScriptProcessorTest::numeralsAndSigns()
{
    normalize();
}

void ScriptProcessorTest::normalize()
{
    QFETCH(QString, statement);
    QScriptProcessor::normalize(statement);
    QTEST(statement, "normalized");
}

void ScriptProcessorTest::translateStatement_data()
{
    QTest::addColumn<QString>("statement");
    QTest::addColumn<QString>("translated");
    QTest::newRow("answer") << "2*a+1"
                            << "ANS.push(2*a+1);";
    QTest::newRow("assignment") << "a=3"
                                << "a=3;";
    QTest::newRow("equality answers") << "1==1"
                                      << "ANS.push(1==1);";
    QTest::newRow("strict equality answers") << "x===1"
                                             << "ANS.push(x===1);";
    QTest::newRow("inequality answers") << "1!=2"
                                        << "ANS.push(1!=2);";
    QTest::newRow("strict inequality answers") << "1!==2"
                                               << "ANS.push(1!==2);";
    QTest::newRow("at most answers") << "x<=2"
                                     << "ANS.push(x<=2);";
    QTest::newRow("at least answers") << "3>=1"
                                      << "ANS.push(3>=1);";
    QTest::newRow("a comparison after a shift answers") << "1<<2<=4"
                                                        << "ANS.push(1<<2<=4);";
    QTest::newRow("a comparison of comparisons answers") << "(1==1)!=(2>=3)"
                                                         << "ANS.push((1==1)!=(2>=3));";
    QTest::newRow("an assigned comparison is an assignment") << "x=1==1"
                                                             << "x=1==1;";
    QTest::newRow("an assignment after a comparison") << "x<=2,y=1"
                                                      << "x<=2,y=1;";
    for (const char *sign :
         {"+=", "-=", "*=", "/=", "%=", "<<=", ">>=", ">>>=", "&=", "|=", "^="}) {
        const QString statement = QLatin1String("x") + QLatin1String(sign) + QLatin1Char('2');
        QTest::addRow("compound assignment %s", sign) << statement << statement + ';';
    }
    QTest::newRow("an equals sign in a literal answers") << "\"a=b\""
                                                         << "ANS.push(\"a=b\");";
    QTest::newRow("an equals sign in a single-quoted literal answers") << "'a=b'"
                                                                       << "ANS.push('a=b');";
    QTest::newRow("an escaped quote keeps the literal open") << "\"a\\\"=b\""
                                                             << "ANS.push(\"a\\\"=b\");";
    QTest::newRow("a literal assigned") << "s=\"a=b\""
                                        << "s=\"a=b\";";
    QTest::newRow("a literal compared") << "s==\"a=b\""
                                        << "ANS.push(s==\"a=b\");";
    QTest::newRow("comment alone") << "//note"
                                   << "";
    QTest::newRow("comment after expression") << "2+2//note"
                                              << "ANS.push(2+2);";
    // a "//" inside a string literal is the literal's
    QTest::newRow("comment sign inside a literal") << "\"a//b\""
                                                   << "ANS.push(\"a//b\");";
    QTest::newRow("cycle head") << "for(i=1,i<=10,i=i+1)"
                                << "for(i=1;i<=10;i=i+1){";
    QTest::newRow("cycle head with a comma too many")
        << "for(i=0,i<pow(2,3),i=i+1)"
        << "throw Error(\"Incorrect cycle definion\");";
    QTest::newRow("cycle head with two clauses") << "for(i=0,i<3)"
                                                 << "throw Error(\"Incorrect cycle definion\");";
    QTest::newRow("conditional head") << "if(x>3)"
                                      << "if(x>3){";
    QTest::newRow("conditional head with a comparison") << "if(x<=2)"
                                                        << "if(x<=2){";
    QTest::newRow("definition") << "f(x,y)=x*y"
                                << "function f(x,y){return x*y;}";
    // a definition is a name, names in brackets and an "=" that assigns
    QTest::newRow("a call compared") << "f(x)==2"
                                     << "ANS.push(f(x)==2);";
    QTest::newRow("definition without body") << "f(x)="
                                             << "f(x)=;";
    QTest::newRow("definition with a comparison") << "f(x)=x==1"
                                                  << "function f(x){return x==1;}";
    QTest::newRow("assignment to a call") << "a(1)=2"
                                          << "a(1)=2;";
    QTest::newRow("block end") << "end"
                               << "}";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("a definition with a comparison before a condition")
        << "f(n)=n<=1?1:n*f(n-1)"
        << "function f(n){return n<=1?1:n*f(n-1);}";
    QTest::newRow("a definition without parameters") << "g()=1"
                                                     << "function g(){return 1;}";
    QTest::newRow("a call compared with a number") << "sqrt(4)==2"
                                                   << "ANS.push(sqrt(4)==2);";
    QTest::newRow("a group compared") << "(1+1)==2"
                                      << "ANS.push((1+1)==2);";
    QTest::newRow("a chain of comparisons")
        << "3>2>=1"
        << "ANS.push((function($0,$1,$2){return $0>$1&&$1>=$2;})(3,2,1));";
    QTest::newRow("a chain of equalities")
        << "2==2!==3"
        << "ANS.push((function($0,$1,$2){return $0==$1&&$1!==$2;})(2,2,3));";
    QTest::newRow("a chain ends at logical operators and assignments")
        << "x=1<2<3&&4>3"
        << "x=(function($0,$1,$2){return $0<$1&&$1<$2;})(1,2,3)&&4>3;";
    QTest::newRow("a chain inside brackets") << "f(0<x<1,2)"
                                             << "ANS.push(f((function($0,$1,$2){return "
                                                "$0<$1&&$1<$2;})(0,x,1),2));";
    QTest::newRow("a chain in a definition")
        << "f(x)=0<x<1"
        << "function f(x){return (function($0,$1,$2){return $0<$1&&$1<$2;})(0,x,1);}";
    QTest::newRow("a chain in a cycle head")
        << "for(i=0,0<=i<3,i=i+1)"
        << "for(i=0;(function($0,$1,$2){return $0<=$1&&$1<$2;})(0,i,3);i=i+1){";
    QTest::newRow("shifts are no comparisons") << "1<<2<8>>1"
                                               << "ANS.push(1<<2<8>>1);";
    QTest::newRow("a chain inside a literal stays") << "\"1<2<3\""
                                                    << "ANS.push(\"1<2<3\");";
    QTest::newRow("a decimal comma is an error")
        << "1,5+1"
        << "throw Error(\"1,5: a decimal number is written with a point, not a comma\");";
    QTest::newRow("commas in brackets are no decimal commas") << "max(1,5)"
                                                              << "ANS.push(max(1,5));";
    QTest::newRow("a comma inside a literal is no decimal comma") << "\"1,5\""
                                                                  << "ANS.push(\"1,5\");";
}

void ScriptProcessorTest::translateStatement()
{
    QFETCH(QString, statement);
    QScriptProcessor::translateStatement(statement);
    QTEST(statement, "translated");
}

void ScriptProcessorTest::buildProgram_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("program");
    const QString start = QStringLiteral("var ANS = new Array(); ANS.push(0);");
    const QString end = QStringLiteral("ANS[0]=ANS.length-1; ANS;");
    QTest::newRow("empty line") << "" << start + end;
    QTest::newRow("only separators") << ";;" << start + end;
    QTest::newRow("assignment and answer") << "a=3;2a+1" << start + "a=3;ANS.push(2*a+1);" + end;
    QTest::newRow("blanks around statements")
        << " 1 ; 2 " << start + "ANS.push(1);ANS.push(2);" + end;
}

void ScriptProcessorTest::buildProgram()
{
    QFETCH(QString, line);
    // the program as the passes make it without operator entries
    writeFile(QStringLiteral("tovel_operators.conf"), QByteArray());
    QScriptProcessor processor;
    QTEST(processor.buildProgram(line.split(QLatin1Char(';'))), "program");
}

QTEST_GUILESS_MAIN(ScriptProcessorTest)
#include "tst_qscriptprocessor.moc"
