#ifndef COMPARISONCHAINS_H
#define COMPARISONCHAINS_H

#include <QString>

// The last step of statement translation: a chain of comparisons reads as
// in mathematics, 3>2>1 as 3>2 and 2>1. Each operand is evaluated once: the
// chain becomes a call of a function of its operands,
// (function($0,$1,$2){return $0>$1&&$1>$2;})(3,2,1). A single comparison
// keeps ECMAScript's reading.
namespace ComparisonChains
{

void apply(QString &statement);

} // namespace ComparisonChains

#endif
