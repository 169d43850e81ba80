#ifndef DECIMALARITHMETIC_H
#define DECIMALARITHMETIC_H

// The four operations on the decimal values that numbers print as: each
// operand is taken as its shortest decimal text that reads back as it
// (0.1 as the decimal 0.1, not as the binary fraction nearest to it), the
// result is computed exactly on those decimals and rounded once to the
// nearest double. So 0.1+0.2 is the double nearest to 0.3 and 4.35*100 is
// 435. Infinities, not-a-number and zeros give what the binary operation
// gives.
namespace DecimalArithmetic
{

double sum(double a, double b);
double difference(double a, double b);
double product(double a, double b);
double quotient(double a, double b);

} // namespace DecimalArithmetic

#endif
