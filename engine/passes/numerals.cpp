#include "numerals.h"

namespace
{

const QChar minusSign(0x2212);

bool isAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool isSign(QChar c)
{
    return c == QLatin1Char('+') || c == QLatin1Char('-') || c == minusSign;
}

// The value of an ASCII digit or letter as a digit of the base, or -1 when
// it is none.
int digitValue(QChar c, int base)
{
    const ushort u = c.unicode() < 128 ? c.toLower().unicode() : 0;
    const int value = u >= '0' && u <= '9' ? u - '0' : u >= 'a' && u <= 'z' ? u - 'a' + 10 : -1;
    return value < base ? value : -1;
}

// The base that the letter after a leading 0 names, or 0.
int prefixBase(QChar letter)
{
    switch (letter.toLower().unicode()) {
    case 'x':
        return 16;
    case 'b':
        return 2;
    case 'o':
        return 8;
    default:
        return 0;
    }
}

// The length of the exponent at index i: "e" or "E", a run of signs and at
// least one digit; 0 when there is none.
int exponentLength(const QString &text, int i)
{
    if (i >= text.size() || text.at(i).toLower() != QLatin1Char('e'))
        return 0;
    int end = i + 1;
    while (end < text.size() && isSign(text.at(end)))
        ++end;
    const int digits = end;
    while (end < text.size() && isAsciiDigit(text.at(end)))
        ++end;
    return end > digits ? end - i : 0;
}

// Binary or octal digits as hexadecimal ones, bit for bit.
QString hexadecimal(const QString &digits, int base)
{
    const int bitsPerDigit = base == 2 ? 1 : 3;
    QString bits;
    for (const QChar c : digits) {
        const int value = digitValue(c, base);
        for (int bit = bitsPerDigit - 1; bit >= 0; --bit)
            bits += QLatin1Char(value >> bit & 1 ? '1' : '0');
    }
    bits = QString((4 - bits.size() % 4) % 4, QLatin1Char('0')) + bits;
    QString hex;
    for (int i = 0; i < bits.size(); i += 4)
        hex += QString::number(bits.midRef(i, 4).toInt(nullptr, 2), 16);
    while (hex.size() > 1 && hex.at(0) == QLatin1Char('0'))
        hex.remove(0, 1);
    return QStringLiteral("0x") + hex;
}

} // namespace

int Numerals::length(const QString &text, int start)
{
    const int base = text.at(start) == QLatin1Char('0') && start + 2 < text.size()
                         ? prefixBase(text.at(start + 1))
                         : 0;
    if (base > 0 && digitValue(text.at(start + 2), base) >= 0) {
        // the digits of 0b102 run on to the 2, and the numeral stays whole,
        // for the script engine to refuse
        const int scanned = base == 16 ? 16 : 10;
        int end = start + 2;
        while (end < text.size() && digitValue(text.at(end), scanned) >= 0)
            ++end;
        return end - start;
    }
    int end = start;
    while (end < text.size() && (isAsciiDigit(text.at(end)) || text.at(end) == QLatin1Char('.')))
        ++end;
    return end - start + exponentLength(text, end);
}

QString Numerals::scriptText(const QString &numeral)
{
    const int base =
        numeral.size() > 2 && numeral.at(0) == QLatin1Char('0') ? prefixBase(numeral.at(1)) : 0;
    if (base == 16)
        return numeral;
    if (base > 0) {
        const QString digits = numeral.mid(2);
        for (const QChar c : digits) {
            if (digitValue(c, base) < 0)
                return numeral;
        }
        return hexadecimal(digits, base);
    }
    int zeros = 0;
    while (zeros + 1 < numeral.size() && numeral.at(zeros) == QLatin1Char('0') &&
           isAsciiDigit(numeral.at(zeros + 1)))
        ++zeros;
    return numeral.mid(zeros);
}
