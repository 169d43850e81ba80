#ifndef OPERATORPASS_H
#define OPERATORPASS_H

#include <QString>

#include <climits>

// Pass 3 of the script processor: one entry of the operator table applied to
// a statement.
namespace OperatorPass
{

// How a chain of matches groups: 1_2_3 from the left, (1_2)_3; 2^3^2 from
// the right, 2^(3^2), when the table says so.
enum Grouping { LeftToRight, RightToLeft };

// A character that an operand is made of at bracket depth 0.
bool isOperandCharacter(QChar c);
// True for the sign of a numeral's exponent, text[i] of 1e-10: an operand
// character too.
bool isExponentSign(const QChar *text, int i);

// Applies one entry: a plain substitution, or an operator entry whose
// template holds "%1" and/or "%2". A right operand may begin with one sign
// (2^-1); an entry with only one of them leaves a match alone where that
// operand is empty (!x stays negation). False, with the statement half
// done, when the statement would grow beyond maxSize characters: a table
// can make a statement grow without bound (the entry "a" with the template
// "aa", once per line of the file).
bool applyEntry(QString &statement, const QString &name, const QString &pattern,
                Grouping grouping = LeftToRight, int maxSize = INT_MAX, qint64 *budget = nullptr);

// The operator entry in its general form: find the next match, scan its
// operands, splice the filled template in, search again one character after
// the match. Each match rescans its operands and moves the rest of the
// statement, so a chain of n matches costs n times the statement's length:
// each match takes that much from the budget, and once it is spent the
// entry gives up and returns false as for a statement grown too long.
bool applyEntryByRescan(QString &statement, const QString &name, const QString &pattern,
                        Grouping grouping = LeftToRight, int maxSize = INT_MAX,
                        qint64 *budget = nullptr);

// True for the entries that applyEntry handles in one sweep, in time linear in
// the statement's length, with the result of applyEntryByRescan: a name of one
// character that is no operand character, a template that holds each
// placeholder at most once ("%1" before "%2"), starts with text of its own
// and forms one operand around its operands ("pow(%1,%2)", "factorial(%1)").
bool appliesInOneSweep(const QString &name, const QString &pattern);

} // namespace OperatorPass

#endif
