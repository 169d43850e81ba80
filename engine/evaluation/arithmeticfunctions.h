#ifndef ARITHMETICFUNCTIONS_H
#define ARITHMETICFUNCTIONS_H

class QScriptEngine;
class QString;

// The script functions that the shipped operator table writes + - * / as:
// DecSum(a,b), DecDiff(a,b), DecProd(a,b) and DecQuot(a,b). On two numbers
// they compute on the decimals the numbers print as (0.1+0.2 is 0.3);
// on anything else they do what the script's own operator does ("a"+1 is
// "a1"). Their names hold capitals, which the notation never leaves in a
// statement, so no user name can hide them. Each takes a chain of operands
// as well, DecSum(a,b,c) being DecSum(DecSum(a,b),c), in which another of
// them switches the operation: DecSum(a,b,DecDiff,c) is a+b-c.
namespace ArithmeticFunctions
{

void install(QScriptEngine &engine);
// True for a template that calls one of them on both operands,
// DecSum(%1,%2): a chain of its sign is one call.
bool takesChains(const QString &pattern);

} // namespace ArithmeticFunctions

#endif
