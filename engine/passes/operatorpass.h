#ifndef OPERATORPASS_H
#define OPERATORPASS_H

#include <QString>
#include <QVector>

#include <climits>
#include <vector>

// Pass 3 of the script processor: one entry of the operator table applied to
// a statement.
namespace OperatorPass
{

// How a chain of matches groups: 1_2_3 from the left, (1_2)_3; 2^3^2 from
// the right, 2^(3^2), when the table says so. An infix entry groups from the
// left and applies only between two operands: -x and i++ keep their sign.
// An assignment is infix too, and its right operand is the rest of the
// expression: s+=a<b?1:2.
enum Grouping { LeftToRight, RightToLeft, Infix, Assignment };

// One entry of the operator table. An entry whose template calls a function
// that takes a chain of operands, f(f(a,b),c) being f(a,b,c), may say that
// it folds chains: a+b+c is then written as one call, which keeps a sum of
// many terms from nesting deeper than the script's parser can read. Such
// entries of one level continue each other's chains, the function of a
// sign standing before its operand: with f for + and g for -, a+b-c+d is
// f(a,b,g,c,f,d), which those functions must read as f(g(f(a,b),c),d).
struct Entry {
    QString name;
    QString pattern;
    Grouping grouping = LeftToRight;
    bool foldsChains = false;
};

// The literal pieces of a template around its placeholders.
struct Pieces {
    bool left = false;
    bool right = false;
    QString before;  // the text in front of the first placeholder
    QString between; // between "%1" and "%2" when both stand there
    QString after;   // behind the last placeholder
};

// An entry of a level as the one-sweep form reads it.
struct SweepEntry {
    QChar name;
    Pieces pieces;
    bool splicesSign = false;
    bool foldsChains = false;
    QString callee; // the function a template that folds chains calls
};

// Entries that bind alike, read once for all the statements they apply to:
// sweep holds their pieces when they apply in one sweep, else it is empty.
struct Level {
    QVector<Entry> entries;
    std::vector<SweepEntry> sweep;
};

Level prepareLevel(const QVector<Entry> &entries);

// A character that an operand is made of at bracket depth 0; the mark of a
// hidden string literal is one.
bool isOperandCharacter(QChar c);
// True for the sign of a numeral's exponent, text[i] of 1e-10: an operand
// character too.
bool isExponentSign(const QChar *text, int i);

// Applies one entry: a plain substitution, or an operator entry whose
// template holds "%1" and/or "%2". A right operand starts after the whole
// name and may begin with one sign (2^-1); where the template has a sign of
// its own in front of "%2", that sign and the operand after it go in
// brackets, so that the two signs never read as one (8-(-4), not 8--4). An
// entry with only one of them leaves a match alone where that operand is
// empty (!x stays negation), an infix entry where either is, and an infix
// entry never matches inside a string literal. The sign of a numeral's
// exponent (1e-5) is never a match. False, with the statement
// half done, when the statement would grow beyond maxSize characters: a
// table can make a statement grow without bound (the entry "a" with the
// template "aa", once per line of the file).
bool applyEntry(QString &statement, const QString &name, const QString &pattern,
                Grouping grouping = LeftToRight, int maxSize = INT_MAX, qint64 *budget = nullptr);

// Applies entries that bind alike, such as * and /, together: each match,
// from the left, is replaced by its own entry's template, so that a/b*c is
// (a/b)*c. One entry alone is applyEntry.
bool applyLevel(QString &statement, const QVector<Entry> &level, int maxSize = INT_MAX,
                qint64 *budget = nullptr);
bool applyLevel(QString &statement, const Level &level, int maxSize = INT_MAX,
                qint64 *budget = nullptr);

// The operator entry in its general form: find the next match, scan its
// operands, splice the filled template in, search again one character after
// the match. Each match rescans its operands and moves the rest of the
// statement, so a chain of n matches costs n times the statement's length:
// each match takes that much from the budget, and once it is spent the
// entry gives up and returns false as for a statement grown too long. It
// never folds chains: a chain's calls nest.
bool applyEntryByRescan(QString &statement, const QString &name, const QString &pattern,
                        Grouping grouping = LeftToRight, int maxSize = INT_MAX,
                        qint64 *budget = nullptr);
bool applyLevelByRescan(QString &statement, const QVector<Entry> &level, int maxSize = INT_MAX,
                        qint64 *budget = nullptr);

// True for the entries that applyEntry handles in one sweep, in time linear in
// the statement's length, with the result of applyEntryByRescan: a name of one
// character that is no operand character, a template that holds each
// placeholder at most once ("%1" before "%2"), starts with text of its own
// and forms one operand around its operands ("pow(%1,%2)", "factorial(%1)").
bool appliesInOneSweep(const QString &name, const QString &pattern);

} // namespace OperatorPass

#endif
