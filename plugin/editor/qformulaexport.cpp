#include "qformulaexport.h"

#include <QHash>
#include <QMimeData>

const QString QFormulaExport::latexType = QStringLiteral("text/x-tex");
const QString QFormulaExport::mathMLType = QStringLiteral("application/mathml+xml");

namespace
{
using Field = QVector<QFormulaRecord>;

// What a template of the catalogue is, by its name, and so how it is
// written. The fields are in the template's order.
enum class Kind {
    Input,         // the field
    Function,      // caption, power, argument
    Call,          // caption, argument
    Infix,         // left operand, caption, right operand
    Logarithm,     // caption, base, argument
    Power,         // exponent, base
    Root,          // index, radicand
    Modulus,       // argument
    Based,         // numeral, base
    Factorial,     // argument, caption
    Fraction,      // numerator, denominator
    MixedFraction, // whole part, numerator, denominator
    Unknown
};

Kind kindOf(const QString &name)
{
    static const QHash<QString, Kind> kinds{
        {QStringLiteral("Поле для ввода"), Kind::Input},
        {QStringLiteral("Синус"), Kind::Function},
        {QStringLiteral("Косинус"), Kind::Function},
        {QStringLiteral("Тангенс"), Kind::Function},
        {QStringLiteral("Котангенс"), Kind::Function},
        {QStringLiteral("Арксинус"), Kind::Function},
        {QStringLiteral("Арккосинус"), Kind::Function},
        {QStringLiteral("Арктангенс"), Kind::Function},
        {QStringLiteral("Арккотангенс"), Kind::Function},
        {QStringLiteral("Натуральный логарифм"), Kind::Call},
        {QStringLiteral("Экспонента"), Kind::Call},
        {QStringLiteral("Исключение (ИЛИ)"), Kind::Infix},
        {QStringLiteral("Логарифм"), Kind::Logarithm},
        {QStringLiteral("Степень"), Kind::Power},
        {QStringLiteral("Корень"), Kind::Root},
        {QStringLiteral("Модуль"), Kind::Modulus},
        {QStringLiteral("Указание системы счисления"), Kind::Based},
        {QStringLiteral("Факториал"), Kind::Factorial},
        {QStringLiteral("Дробь"), Kind::Fraction},
        {QStringLiteral("Дробь с целой частью"), Kind::MixedFraction},
    };
    return kinds.value(name, Kind::Unknown);
}

// Names written as one word: LaTeX has commands for some, the others are
// set upright as operator names.
const QHash<QString, QString> &latexNames()
{
    static const QHash<QString, QString> names{
        {QStringLiteral("sin"), QStringLiteral("\\sin")},
        {QStringLiteral("cos"), QStringLiteral("\\cos")},
        {QStringLiteral("arcsin"), QStringLiteral("\\arcsin")},
        {QStringLiteral("arccos"), QStringLiteral("\\arccos")},
        {QStringLiteral("ln"), QStringLiteral("\\ln")},
        {QStringLiteral("log"), QStringLiteral("\\log")},
        {QStringLiteral("exp"), QStringLiteral("\\exp")},
        {QStringLiteral("tg"), QStringLiteral("\\operatorname{tg}")},
        {QStringLiteral("ctg"), QStringLiteral("\\operatorname{ctg}")},
        {QStringLiteral("arctg"), QStringLiteral("\\operatorname{arctg}")},
        {QStringLiteral("arcctg"), QStringLiteral("\\operatorname{arcctg}")},
        {QStringLiteral("xor"), QStringLiteral("\\operatorname{xor}")},
    };
    return names;
}

const QString superscripts = QStringLiteral("⁰¹²³⁴⁵⁶⁷⁸⁹⁻");
const QString subscripts = QStringLiteral("₀₁₂₃₄₅₆₇₈₉₋");

// The text in the given set of digits and minus, or nothing when it has
// another character or none.
QString inScript(const QString &text, const QString &script)
{
    QString result;
    for (const QChar c : text) {
        if (c.isDigit() && c.digitValue() >= 0 && c.unicode() < 128)
            result += script.at(c.digitValue());
        else if (c == QLatin1Char('-') && result.isEmpty())
            result += script.at(10);
        else
            return QString();
    }
    return result;
}

QString escapedXml(const QString &text)
{
    return text.toHtmlEscaped();
}

QString element(const char *name, const QString &content)
{
    return QStringLiteral("<%1>%2</%1>").arg(QLatin1String(name), content);
}

QString row(const QString &content)
{
    return element("mrow", content);
}

// How tightly a written formula holds together in plain text: an atom, a
// quotient, a sum.
enum Binding { Sum = 1, Quotient = 2, Atom = 3 };

class Writer
{
public:
    explicit Writer(QFormulaExport::Format format) : format(format) {}

    QString field(const Field &items) const;

private:
    QString formula(const QFormulaRecord &record) const;
    QString run(const QString &glyphs) const;
    QString latexRun(const QString &glyphs) const;
    QString mathMLRun(const QString &glyphs) const;
    QString function(const Field &caption, const Field *power, const Field &argument) const;
    QString infix(const Field &left, const Field &caption, const Field &right) const;
    QString logarithm(const Field &caption, const Field &base, const Field &argument) const;
    QString power(const Field &exponent, const Field &base) const;
    QString root(const Field &index, const Field &radicand) const;
    QString modulus(const Field &argument) const;
    QString based(const Field &numeral, const Field &base) const;
    QString factorial(const Field &argument) const;
    QString fraction(const Field &numerator, const Field &denominator) const;
    QString mixedFraction(const Field &whole, const Field &numerator,
                          const Field &denominator) const;
    QString inBrackets(const Field &items) const;
    QString asOperand(const Field &items) const;
    static QString plain(const Field &items);
    static Binding binding(const QFormulaRecord &record);
    static bool needsBrackets(Binding binding, QChar before, QChar after);

    QFormulaExport::Format format;
};

QString Writer::field(const Field &items) const
{
    QString text;
    QString glyphs;
    for (int i = 0; i < items.size(); ++i) {
        const QFormulaRecord &item = items.at(i);
        if (item.isGlyph) {
            glyphs += item.name;
            continue;
        }
        text += run(glyphs);
        glyphs.clear();
        QString written = formula(item);
        if (format == QFormulaExport::Latex && !text.isEmpty() &&
            (text.back().isLetterOrNumber() || text.back() == QLatin1Char('.')) &&
            binding(item) != Sum)
            text += QStringLiteral("\\cdot ");
        if (format == QFormulaExport::PlainText) {
            const QChar before = text.isEmpty() ? QChar() : text.back();
            const QFormulaRecord *next = i + 1 < items.size() ? &items.at(i + 1) : nullptr;
            const QChar after = !next           ? QChar()
                                : next->isGlyph ? next->name.at(0)
                                                : QLatin1Char('x');
            if (needsBrackets(binding(item), before, after))
                written = QLatin1Char('(') + written + QLatin1Char(')');
            else if ((before.isLetterOrNumber() || before == QLatin1Char('.')) &&
                     !written.isEmpty() && written.at(0).isLetterOrNumber())
                text += QLatin1Char('*');
        }
        text += written;
    }
    return text + run(glyphs);
}

QString Writer::formula(const QFormulaRecord &record) const
{
    const QVector<Field> &f = record.fields;
    const auto has = [&f](int count) { return f.size() == count; };
    switch (kindOf(record.name)) {
    case Kind::Input:
        if (has(1))
            return field(f.at(0));
        break;
    case Kind::Function:
        if (has(3))
            return function(f.at(0), &f.at(1), f.at(2));
        break;
    case Kind::Call:
        if (has(2))
            return function(f.at(0), nullptr, f.at(1));
        break;
    case Kind::Infix:
        if (has(3))
            return infix(f.at(0), f.at(1), f.at(2));
        break;
    case Kind::Logarithm:
        if (has(3))
            return logarithm(f.at(0), f.at(1), f.at(2));
        break;
    case Kind::Power:
        if (has(2))
            return power(f.at(0), f.at(1));
        break;
    case Kind::Root:
        if (has(2))
            return root(f.at(0), f.at(1));
        break;
    case Kind::Modulus:
        if (has(1))
            return modulus(f.at(0));
        break;
    case Kind::Based:
        if (has(2))
            return based(f.at(0), f.at(1));
        break;
    case Kind::Factorial:
        if (has(2))
            return factorial(f.at(0));
        break;
    case Kind::Fraction:
        if (has(2))
            return fraction(f.at(0), f.at(1));
        break;
    case Kind::MixedFraction:
        if (has(3))
            return mixedFraction(f.at(0), f.at(1), f.at(2));
        break;
    case Kind::Unknown:
        break;
    }
    QStringList fields;
    for (const Field &items : f)
        fields.append(field(items));
    return fields.join(format == QFormulaExport::MathML ? QString() : QStringLiteral(" "));
}

// Glyphs typed one after the other.
QString Writer::run(const QString &glyphs) const
{
    if (glyphs.isEmpty())
        return QString();
    switch (format) {
    case QFormulaExport::Latex:
        return latexRun(glyphs);
    case QFormulaExport::MathML:
        return mathMLRun(glyphs);
    case QFormulaExport::PlainText:
        break;
    }
    QString text = glyphs;
    return text.replace(QChar(0x2212), QLatin1Char('-'));
}

QString Writer::latexRun(const QString &glyphs) const
{
    static const QHash<QChar, QString> signs{
        {QChar(0x03c0), QStringLiteral("\\pi ")},
        {QChar(0x03c6), QStringLiteral("\\varphi ")},
        {QLatin1Char('*'), QStringLiteral("\\cdot ")},
        {QChar(0x00d7), QStringLiteral("\\times ")},
        {QChar(0x00f7), QStringLiteral("\\div ")},
        {QChar(0x2212), QStringLiteral("-")},
        {QChar(0x2260), QStringLiteral("\\neq ")},
        {QChar(0x2264), QStringLiteral("\\leq ")},
        {QChar(0x2265), QStringLiteral("\\geq ")},
        {QLatin1Char('%'), QStringLiteral("\\%")},
        {QLatin1Char('&'), QStringLiteral("\\&")},
        {QLatin1Char('#'), QStringLiteral("\\#")},
        {QLatin1Char('$'), QStringLiteral("\\$")},
        {QLatin1Char('_'), QStringLiteral("\\_")},
        {QLatin1Char('{'), QStringLiteral("\\{")},
        {QLatin1Char('}'), QStringLiteral("\\}")},
        {QLatin1Char('^'), QStringLiteral("\\wedge ")},
        {QLatin1Char('~'), QStringLiteral("\\sim ")},
        {QLatin1Char('\\'), QStringLiteral("\\backslash ")},
    };
    QString text;
    for (int i = 0; i < glyphs.size();) {
        int end = i;
        while (end < glyphs.size() && glyphs.at(end).isLetter() && !signs.contains(glyphs.at(end)))
            ++end;
        if (end > i) {
            const QString word = glyphs.mid(i, end - i);
            text +=
                latexNames().contains(word) ? latexNames().value(word) + QLatin1Char(' ') : word;
            i = end;
            continue;
        }
        text += signs.value(glyphs.at(i), QString(glyphs.at(i)));
        ++i;
    }
    return text;
}

// Numbers, names and operators, each in the element MathML has for it.
QString Writer::mathMLRun(const QString &glyphs) const
{
    static const QHash<QChar, QString> signs{
        {QLatin1Char('-'), QStringLiteral("−")},
        {QLatin1Char('*'), QStringLiteral("·")},
    };
    const auto isNumeral = [](QChar c) { return c.isDigit() || c == QLatin1Char('.'); };
    QString text;
    for (int i = 0; i < glyphs.size();) {
        int end = i + 1;
        const QChar c = glyphs.at(i);
        if (isNumeral(c)) {
            while (end < glyphs.size() && isNumeral(glyphs.at(end)))
                ++end;
            text += element("mn", glyphs.mid(i, end - i));
        } else if (c.isLetter()) {
            while (end < glyphs.size() && glyphs.at(end).isLetter())
                ++end;
            const QString word = glyphs.mid(i, end - i);
            if (latexNames().contains(word)) {
                text += element("mi", word);
            } else {
                for (const QChar letter : word)
                    text += element("mi", escapedXml(letter));
            }
        } else {
            text += element("mo", escapedXml(signs.value(c, QString(c))));
        }
        i = end;
    }
    return text;
}

QString Writer::function(const Field &caption, const Field *power, const Field &argument) const
{
    const QString exponent = power ? plain(*power) : QString();
    const bool raised = !exponent.isEmpty() && exponent != QLatin1String("1");
    switch (format) {
    case QFormulaExport::PlainText:
        return plain(caption) + (raised ? QFormulaExport::raised(exponent) : QString()) +
               QFormulaExport::bracketed(plain(argument));
    case QFormulaExport::Latex:
        return field(caption).trimmed() +
               (raised ? QStringLiteral("^{%1}").arg(field(*power)) : QString()) +
               inBrackets(argument);
    case QFormulaExport::MathML:
        break;
    }
    const QString name = row(field(caption));
    return row((raised ? element("msup", name + row(field(*power))) : name) +
               element("mo", QStringLiteral("&#x2061;")) + inBrackets(argument));
}

QString Writer::infix(const Field &left, const Field &caption, const Field &right) const
{
    if (format == QFormulaExport::MathML)
        return row(field(left) + element("mo", escapedXml(plain(caption))) + field(right));
    return field(left) + QLatin1Char(' ') + field(caption).trimmed() + QLatin1Char(' ') +
           field(right);
}

QString Writer::logarithm(const Field &caption, const Field &base, const Field &argument) const
{
    switch (format) {
    case QFormulaExport::PlainText:
        return plain(caption) + QFormulaExport::lowered(plain(base)) +
               QFormulaExport::bracketed(plain(argument));
    case QFormulaExport::Latex:
        return field(caption).trimmed() + QStringLiteral("_{%1}").arg(field(base)) +
               inBrackets(argument);
    case QFormulaExport::MathML:
        break;
    }
    return row(element("msub", row(field(caption)) + row(field(base))) +
               element("mo", QStringLiteral("&#x2061;")) + inBrackets(argument));
}

QString Writer::power(const Field &exponent, const Field &base) const
{
    switch (format) {
    case QFormulaExport::PlainText: {
        const QString baseText = plain(base);
        const bool root = baseText.startsWith(QChar(0x221a)) ||
                          baseText.startsWith(QChar(0x221b)) || baseText.startsWith(QChar(0x221c));
        return (root ? QLatin1Char('(') + baseText + QLatin1Char(')')
                     : QFormulaExport::operand(baseText)) +
               QFormulaExport::raised(plain(exponent));
    }
    case QFormulaExport::Latex:
        return QStringLiteral("{%1}^{%2}").arg(asOperand(base), field(exponent));
    case QFormulaExport::MathML:
        break;
    }
    return element("msup", asOperand(base) + row(field(exponent)));
}

QString Writer::root(const Field &index, const Field &radicand) const
{
    const QString degree = plain(index);
    const bool square = degree.isEmpty() || degree == QLatin1String("2");
    switch (format) {
    case QFormulaExport::PlainText:
        return QFormulaExport::root(degree, plain(radicand));
    case QFormulaExport::Latex:
        return square ? QStringLiteral("\\sqrt{%1}").arg(field(radicand))
                      : QStringLiteral("\\sqrt[%1]{%2}").arg(field(index), field(radicand));
    case QFormulaExport::MathML:
        break;
    }
    return square ? element("msqrt", field(radicand))
                  : element("mroot", row(field(radicand)) + row(field(index)));
}

QString Writer::modulus(const Field &argument) const
{
    switch (format) {
    case QFormulaExport::PlainText:
        return QLatin1Char('|') + plain(argument) + QLatin1Char('|');
    case QFormulaExport::Latex:
        return QStringLiteral("\\left|%1\\right|").arg(field(argument));
    case QFormulaExport::MathML:
        break;
    }
    // marked as fences, which readers such as LibreOffice Math take for the
    // bars of an absolute value rather than for a divider
    return row(QStringLiteral("<mo fence=\"true\" form=\"prefix\">|</mo>") + field(argument) +
               QStringLiteral("<mo fence=\"true\" form=\"postfix\">|</mo>"));
}

QString Writer::based(const Field &numeral, const Field &base) const
{
    switch (format) {
    case QFormulaExport::PlainText:
        return plain(numeral) + QFormulaExport::lowered(plain(base));
    case QFormulaExport::Latex:
        return QStringLiteral("\\mathrm{%1}_{%2}").arg(field(numeral), field(base));
    case QFormulaExport::MathML:
        break;
    }
    return element("msub", element("mn", escapedXml(plain(numeral))) + row(field(base)));
}

QString Writer::factorial(const Field &argument) const
{
    switch (format) {
    case QFormulaExport::PlainText:
        return QFormulaExport::operand(plain(argument)) + QLatin1Char('!');
    case QFormulaExport::Latex:
        return asOperand(argument) + QLatin1Char('!');
    case QFormulaExport::MathML:
        break;
    }
    return row(asOperand(argument) + element("mo", QStringLiteral("!")));
}

QString Writer::fraction(const Field &numerator, const Field &denominator) const
{
    switch (format) {
    case QFormulaExport::PlainText:
        return QFormulaExport::fraction(plain(numerator), plain(denominator));
    case QFormulaExport::Latex:
        return QStringLiteral("\\frac{%1}{%2}").arg(field(numerator), field(denominator));
    case QFormulaExport::MathML:
        break;
    }
    return element("mfrac", row(field(numerator)) + row(field(denominator)));
}

// A whole part beside a fraction is their sum.
QString Writer::mixedFraction(const Field &whole, const Field &numerator,
                              const Field &denominator) const
{
    switch (format) {
    case QFormulaExport::PlainText:
        return QFormulaExport::operand(plain(whole)) + QLatin1Char('+') +
               fraction(numerator, denominator);
    case QFormulaExport::Latex:
        return field(whole) + fraction(numerator, denominator);
    case QFormulaExport::MathML:
        break;
    }
    return row(row(field(whole)) + fraction(numerator, denominator));
}

// An argument in brackets, its own where it has them.
QString Writer::inBrackets(const Field &items) const
{
    const QString text = plain(items);
    const bool own = QFormulaExport::bracketed(text) == text;
    if (format == QFormulaExport::Latex)
        return own ? field(items) : QStringLiteral("\\left(%1\\right)").arg(field(items));
    return own ? row(field(items))
               : row(element("mo", QStringLiteral("(")) + field(items) +
                     element("mo", QStringLiteral(")")));
}

QString Writer::asOperand(const Field &items) const
{
    if (!QFormulaExport::isCompound(plain(items)))
        return format == QFormulaExport::Latex ? field(items) : row(field(items));
    return inBrackets(items);
}

QString Writer::plain(const Field &items)
{
    return Writer(QFormulaExport::PlainText).field(items);
}

Binding Writer::binding(const QFormulaRecord &record)
{
    switch (kindOf(record.name)) {
    case Kind::Fraction:
        return Quotient;
    case Kind::MixedFraction:
        return Sum;
    default:
        return Atom;
    }
}

// A quotient or sum between glyphs is bracketed unless the signs beside it
// leave its value as it is.
bool Writer::needsBrackets(Binding binding, QChar before, QChar after)
{
    if (binding == Atom)
        return false;
    const QString freeBefore = binding == Sum ? QStringLiteral("+(,=") : QStringLiteral("+-*(,=");
    const QString freeAfter = binding == Sum ? QStringLiteral("+-),=") : QStringLiteral("+-*/),=");
    return !((before.isNull() || freeBefore.contains(before)) &&
             (after.isNull() || freeAfter.contains(after)));
}
} // namespace

QString QFormulaExport::write(const QVector<QFormulaRecord> &items, Format format)
{
    const QString text = Writer(format).field(items);
    if (format != MathML)
        return text.trimmed();
    return QStringLiteral("<math xmlns=\"http://www.w3.org/1998/Math/MathML\">") + row(text) +
           QStringLiteral("</math>");
}

QMimeData *QFormulaExport::mimeData(const QVector<QFormulaRecord> &items)
{
    auto *mime = new QMimeData;
    mime->setText(write(items, PlainText));
    mime->setData(latexType, write(items, Latex).toUtf8());
    mime->setData(mathMLType, write(items, MathML).toUtf8());
    return mime;
}

QString QFormulaExport::raised(const QString &text)
{
    const QString script = inScript(text, superscripts);
    return script.isEmpty() ? QLatin1Char('^') + operand(text) : script;
}

QString QFormulaExport::lowered(const QString &text)
{
    const QString script = inScript(text, subscripts);
    return script.isEmpty() ? QLatin1Char('_') + operand(text) : script;
}

QString QFormulaExport::fraction(const QString &numerator, const QString &denominator)
{
    return operand(numerator) + QLatin1Char('/') + operand(denominator);
}

// The square, cube and fourth roots have signs of their own.
QString QFormulaExport::root(const QString &index, const QString &radicand)
{
    const QString operandText = operand(radicand);
    if (index.isEmpty() || index == QLatin1String("2"))
        return QChar(0x221a) + operandText;
    if (index == QLatin1String("3"))
        return QChar(0x221b) + operandText;
    if (index == QLatin1String("4"))
        return QChar(0x221c) + operandText;
    return raised(index) + QChar(0x221a) + operandText;
}

QString QFormulaExport::base(const QString &text)
{
    const bool root = text.startsWith(QChar(0x221a)) || text.startsWith(QChar(0x221b)) ||
                      text.startsWith(QChar(0x221c));
    return root ? QLatin1Char('(') + text + QLatin1Char(')') : operand(text);
}

QString QFormulaExport::operand(const QString &text)
{
    return isCompound(text) ? QLatin1Char('(') + text + QLatin1Char(')') : text;
}

QString QFormulaExport::bracketed(const QString &text)
{
    if (text.startsWith(QLatin1Char('(')) && text.endsWith(QLatin1Char(')'))) {
        int depth = 0;
        for (int i = 0; i < text.size(); ++i) {
            depth += text.at(i) == QLatin1Char('(') ? 1 : text.at(i) == QLatin1Char(')') ? -1 : 0;
            if (depth == 0)
                return i == text.size() - 1 ? text : QLatin1Char('(') + text + QLatin1Char(')');
        }
    }
    return QLatin1Char('(') + text + QLatin1Char(')');
}

bool QFormulaExport::isCompound(const QString &text)
{
    static const QString operators = QStringLiteral("+-*/^=<>&,! ·×÷−√∛∜");
    int depth = 0;
    bool inBars = false;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('('))
            ++depth;
        else if (c == QLatin1Char(')'))
            --depth;
        else if (c == QLatin1Char('|'))
            inBars = !inBars;
        else if (depth == 0 && !inBars && operators.contains(c) &&
                 !(c == QLatin1Char('!') && i == text.size() - 1) &&
                 !((c == QChar(0x221a) || c == QChar(0x221b) || c == QChar(0x221c)) && i == 0))
            return true;
    }
    return false;
}
