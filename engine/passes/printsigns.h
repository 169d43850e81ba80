#ifndef PRINTSIGNS_H
#define PRINTSIGNS_H

#include <QString>

// The part of the normalisation pass that gives the signs of print and the
// percent their operands, on the folded statement, outside string literals:
// a run of superscript digits is the power of the operand before it (2²³ is
// pow(2,23)); a root takes a power after its operand whole (√x^2 is
// √(x^2), as √x² is); a "%" with no right operand is the percent of the
// operand before it (50% is (50/100)), while 7%3 stays the remainder.
namespace PrintSigns
{

bool isSuperscriptDigit(QChar c);

void apply(QString &statement);

} // namespace PrintSigns

#endif
