#include "qlatexreader.h"

#include "qformulaexport.h"

#include <QHash>
#include <QRegularExpression>

namespace
{
// Groups nested deeper than this are read as plain characters: no formula
// comes near it, and a damaged text cannot exhaust the stack.
const int deepest = 64;

// Commands that stand for a name or sign of the plain text.
const QHash<QString, QString> &symbols()
{
    static const QHash<QString, QString> names{
        {QStringLiteral("cdot"), QStringLiteral("*")},
        {QStringLiteral("times"), QStringLiteral("*")},
        {QStringLiteral("ast"), QStringLiteral("*")},
        {QStringLiteral("div"), QStringLiteral("/")},
        {QStringLiteral("pi"), QStringLiteral("π")},
        {QStringLiteral("varphi"), QStringLiteral("φ")},
        {QStringLiteral("phi"), QStringLiteral("φ")},
        {QStringLiteral("infty"), QStringLiteral("inf")},
        {QStringLiteral("neq"), QStringLiteral("≠")},
        {QStringLiteral("ne"), QStringLiteral("≠")},
        {QStringLiteral("leq"), QStringLiteral("≤")},
        {QStringLiteral("le"), QStringLiteral("≤")},
        {QStringLiteral("geq"), QStringLiteral("≥")},
        {QStringLiteral("ge"), QStringLiteral("≥")},
        {QStringLiteral("wedge"), QStringLiteral("^")},
        {QStringLiteral("sim"), QStringLiteral("~")},
        {QStringLiteral("backslash"), QStringLiteral("\\")},
        {QStringLiteral("vert"), QStringLiteral("|")},
        {QStringLiteral("lvert"), QStringLiteral("|")},
        {QStringLiteral("rvert"), QStringLiteral("|")},
        {QStringLiteral("quad"), QString()},
        {QStringLiteral("qquad"), QString()},
        {QStringLiteral("displaystyle"), QString()},
        {QStringLiteral("big"), QString()},
        {QStringLiteral("Big"), QString()},
        {QStringLiteral("bigl"), QString()},
        {QStringLiteral("bigr"), QString()},
        {QStringLiteral("Bigl"), QString()},
        {QStringLiteral("Bigr"), QString()},
    };
    return names;
}

// The functions of the catalogue under their LaTeX names, as the editor
// names them.
const QHash<QString, QString> &functions()
{
    static const QHash<QString, QString> names{
        {QStringLiteral("sin"), QStringLiteral("sin")},
        {QStringLiteral("cos"), QStringLiteral("cos")},
        {QStringLiteral("tan"), QStringLiteral("tg")},
        {QStringLiteral("tg"), QStringLiteral("tg")},
        {QStringLiteral("cot"), QStringLiteral("ctg")},
        {QStringLiteral("ctg"), QStringLiteral("ctg")},
        {QStringLiteral("arcsin"), QStringLiteral("arcsin")},
        {QStringLiteral("arccos"), QStringLiteral("arccos")},
        {QStringLiteral("arctan"), QStringLiteral("arctg")},
        {QStringLiteral("arctg"), QStringLiteral("arctg")},
        {QStringLiteral("arccot"), QStringLiteral("arcctg")},
        {QStringLiteral("arcctg"), QStringLiteral("arcctg")},
        {QStringLiteral("ln"), QStringLiteral("ln")},
        {QStringLiteral("log"), QStringLiteral("log")},
        {QStringLiteral("exp"), QStringLiteral("exp")},
    };
    return names;
}

// Commands that only set their argument in another style.
bool isStyle(const QString &name)
{
    static const QStringList styles{"mathrm", "mathit", "mathbf", "mathsf",
                                    "text",   "textrm", "mbox",   "operatorname"};
    return styles.contains(name);
}
} // namespace

bool QLatexReader::isLatex(const QString &text)
{
    static const QRegularExpression command(QStringLiteral("\\\\[A-Za-z]+"));
    return command.match(text).hasMatch();
}

QString QLatexReader::plainText(const QString &latex)
{
    QLatexReader reader(latex);
    return reader.sequence(false);
}

QString QLatexReader::sequence(bool inGroup)
{
    QString out;
    if (++depth > deepest) {
        out = text.mid(pos);
        pos = text.size();
    }
    while (!atEnd()) {
        const QChar c = text.at(pos);
        if (c == QLatin1Char('}')) {
            ++pos;
            if (inGroup)
                break;
        } else if (c == QLatin1Char('{')) {
            ++pos;
            const QString group = sequence(true);
            skipSpaces();
            const bool raisedNext = !atEnd() && text.at(pos) == QLatin1Char('^');
            out += raisedNext ? QFormulaExport::base(group) : group;
        } else if (c == QLatin1Char('^')) {
            ++pos;
            out += QFormulaExport::raised(argument());
        } else if (c == QLatin1Char('_')) {
            ++pos;
            out += QFormulaExport::lowered(argument());
        } else if (c == QLatin1Char('\\')) {
            append(&out, command());
        } else {
            ++pos;
            if (c == QChar(0x2212))
                out += QLatin1Char('-');
            else if (!c.isSpace() && c != QLatin1Char('$') && c != QLatin1Char('~') &&
                     c != QLatin1Char('&'))
                out += c;
        }
    }
    --depth;
    return out;
}

// A fraction after a digit, a letter or a division, as in
// 2\frac{1}{3}, goes in brackets; right after a whole number, as in
// 1\frac{2}{3}, it is that number's fraction part.
void QLatexReader::append(QString *out, const QString &piece)
{
    const QChar last = out->isEmpty() ? QChar() : out->back();
    if (!lastWasFraction || piece.startsWith(QLatin1Char('(')) ||
        !(last.isLetterOrNumber() || last == QLatin1Char('/') || last == QLatin1Char(')'))) {
        *out += piece;
        return;
    }
    int wholeStart = out->size();
    while (wholeStart > 0 && out->at(wholeStart - 1).isDigit())
        --wholeStart;
    const bool mixed = lastWasFraction && wholeStart < out->size() &&
                       (wholeStart == 0 || !out->at(wholeStart - 1).isLetterOrNumber());
    if (mixed) {
        const QString whole = out->mid(wholeStart);
        out->truncate(wholeStart);
        *out += QLatin1Char('(') + whole + QLatin1Char('+') + piece + QLatin1Char(')');
    } else {
        *out += QLatin1Char('(') + piece + QLatin1Char(')');
    }
}

// A group in braces, a command, or one character.
QString QLatexReader::argument()
{
    skipSpaces();
    if (atEnd())
        return QString();
    const QChar c = text.at(pos);
    if (c == QLatin1Char('{')) {
        ++pos;
        return sequence(true);
    }
    if (c == QLatin1Char('\\'))
        return command();
    ++pos;
    return QString(c);
}

QString QLatexReader::command()
{
    const QString name = word();
    lastWasFraction = name == QLatin1String("frac") || name == QLatin1String("dfrac") ||
                      name == QLatin1String("tfrac");
    if (lastWasFraction) {
        const QString numerator = argument();
        const QString denominator = argument();
        lastWasFraction = true;
        return QFormulaExport::fraction(numerator, denominator);
    }
    if (name == QLatin1String("sqrt")) {
        const QString index = optionalArgument();
        return QFormulaExport::root(index, argument());
    }
    if (name == QLatin1String("left") || name == QLatin1String("right"))
        return delimiter();
    if (isStyle(name)) {
        const QString styled = argument();
        if (name != QLatin1String("operatorname"))
            return styled;
        // a name that is no function of the catalogue, such as xor, stands
        // between its operands
        return functions().value(styled, QLatin1Char(' ') + styled + QLatin1Char(' '));
    }
    if (functions().contains(name)) {
        QString function = functions().value(name);
        skipSpaces();
        while (!atEnd() && (text.at(pos) == QLatin1Char('^') || text.at(pos) == QLatin1Char('_'))) {
            const bool up = text.at(pos) == QLatin1Char('^');
            ++pos;
            const QString script = argument();
            function += up ? QFormulaExport::raised(script) : QFormulaExport::lowered(script);
            skipSpaces();
        }
        const bool bracketed = !atEnd() && (text.at(pos) == QLatin1Char('(') ||
                                            text.midRef(pos).startsWith(QLatin1String("\\left")));
        return bracketed ? function : function + QFormulaExport::bracketed(functionArgument());
    }
    return symbols().value(name, name);
}

// The argument of a function written without brackets: a number, or an
// argument as any command has.
QString QLatexReader::functionArgument()
{
    skipSpaces();
    int end = pos;
    while (end < text.size() && (text.at(end).isDigit() || text.at(end) == QLatin1Char('.')))
        ++end;
    if (end == pos)
        return argument();
    const QString number = text.mid(pos, end - pos);
    pos = end;
    return number;
}

// The name of the command at the backslash: its letters, or the one sign
// after it.
QString QLatexReader::word()
{
    ++pos;
    if (atEnd())
        return QString();
    int end = pos;
    while (end < text.size() && text.at(end).isLetter() && text.at(end).unicode() < 128)
        ++end;
    if (end == pos) {
        const QChar sign = text.at(pos++);
        return QStringLiteral("{}%&_#$|").contains(sign) ? QString(sign) : QString();
    }
    const QString name = text.mid(pos, end - pos);
    pos = end;
    return name;
}

QString QLatexReader::optionalArgument()
{
    skipSpaces();
    if (atEnd() || text.at(pos) != QLatin1Char('['))
        return QString();
    const int close = text.indexOf(QLatin1Char(']'), pos);
    const int end = close < 0 ? text.size() : close;
    const QString inside = text.mid(pos + 1, end - pos - 1);
    pos = qMin(end + 1, text.size());
    return plainText(inside);
}

// The bracket after \left or \right; "." stands for none.
QString QLatexReader::delimiter()
{
    skipSpaces();
    if (atEnd())
        return QString();
    if (text.at(pos) == QLatin1Char('\\')) {
        const QString sign = word();
        return symbols().value(sign, sign);
    }
    const QChar c = text.at(pos++);
    return c == QLatin1Char('.') ? QString() : QString(c);
}

void QLatexReader::skipSpaces()
{
    while (!atEnd() && text.at(pos).isSpace())
        ++pos;
}
