#ifndef QLATEXREADER_H
#define QLATEXREADER_H

#include <QString>

// Reads a formula written in LaTeX, as the editor's formulas are copied or
// as other programs write them, and turns it into the plain text a person
// writes, which the editor's paste builds the formula from: fractions,
// square and other roots, powers and indices, absolute values, the
// catalogue's functions (\sin, \tan as tg, \operatorname{arcctg}, \log_{2},
// \ln, \exp), \cdot, \times, \pi and \varphi. Spacing commands, \left and
// \right and grouping braces leave nothing; an unknown command leaves its
// name.
class QLatexReader
{
public:
    // Whether a text is LaTeX rather than plain text: it names a command.
    static bool isLatex(const QString &text);
    static QString plainText(const QString &latex);

private:
    explicit QLatexReader(const QString &latex) : text(latex) {}

    QString sequence(bool inGroup);
    void append(QString *out, const QString &piece);
    QString argument();
    QString functionArgument();
    QString command();
    QString word();
    QString optionalArgument();
    QString delimiter();
    void skipSpaces();
    bool atEnd() const { return pos >= text.size(); }

    QString text;
    int pos = 0;
    int depth = 0;
    // The command read last was a fraction.
    bool lastWasFraction = false;
};

#endif
