#ifndef NUMERALS_H
#define NUMERALS_H

#include <QString>

// The numerals of the notation as the normalisation pass reads them:
// decimal ones with an optional point and exponent, and hexadecimal, binary
// and octal ones after 0x, 0b and 0o in any letter case.
namespace Numerals
{

// The length of the numeral that starts at index start, a digit: 0x1F,
// 0b101, 0o17, 12.5, 1e-5; the exponent's sign may be a run of signs
// (1e--5), which the pass collapses later.
int length(const QString &text, int start);

// The numeral as the script engine is to read it: a leading zero never makes
// it octal (010 is ten), binary and octal numerals become hexadecimal ones.
QString scriptText(const QString &numeral);

} // namespace Numerals

#endif
