#include "decimalarithmetic.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <limits>
#include <string>

namespace
{

typedef unsigned __int128 Wide;

// A finite number as its shortest decimal: (-1)^negative * digits * 10^exponent,
// digits below 10^17.
struct Decimal {
    bool negative = false;
    std::uint64_t digits = 0;
    int exponent = 0;
};

const double twoToThe53 = 9007199254740992.0;

// The powers of ten that a double holds exactly.
const double exactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                   1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
const int greatestExactPower = 22;

// The shortest decimal of most numbers met in practice, found without
// writing it out: the fewest places k after the point for which the whole
// number m nearest to x*10^k reads back as x, m/10^k (one correctly rounded
// division of two exact doubles). The nearest m at the fewest places is the
// shortest text's value. False where m would not stay below 2^53.
bool shortDecimal(double x, Decimal &decimal)
{
    const double magnitude = std::fabs(x);
    if (!(magnitude < twoToThe53))
        return false;
    for (int k = 0; k <= greatestExactPower; ++k) {
        const double scaled = magnitude * exactPowersOfTen[k];
        if (!(scaled < twoToThe53))
            return false;
        const double digits = std::nearbyint(scaled);
        if (digits / exactPowersOfTen[k] == magnitude) {
            decimal.negative = x < 0;
            decimal.digits = std::uint64_t(digits);
            decimal.exponent = -k;
            return true;
        }
    }
    return false;
}

Decimal decimalOf(double x)
{
    Decimal decimal;
    if (shortDecimal(x, decimal))
        return decimal;
    char text[40];
    const std::to_chars_result written =
        std::to_chars(text, text + sizeof text, x, std::chars_format::scientific);
    const char *at = text;
    if (*at == '-') {
        decimal.negative = true;
        ++at;
    }
    int count = 0;
    for (; at < written.ptr && *at != 'e'; ++at) {
        if (*at != '.') {
            decimal.digits = decimal.digits * 10 + std::uint64_t(*at - '0');
            ++count;
        }
    }
    int exponent = 0;
    std::from_chars(*(at + 1) == '+' ? at + 2 : at + 1, written.ptr, exponent);
    decimal.exponent = exponent - (count - 1);
    return decimal;
}

std::string digitsOf(Wide value)
{
    char reversed[40];
    int count = 0;
    do {
        reversed[count++] = char('0' + int(value % 10));
        value /= 10;
    } while (value != 0);
    return std::string(std::make_reverse_iterator(reversed + count),
                       std::make_reverse_iterator(reversed));
}

// The double nearest to (-1)^negative * digits * 10^exponent, digits a run of
// decimal digits: rounded once, correctly, by the standard library's reader.
double nearestDouble(bool negative, const std::string &digits, long exponent)
{
    std::string text;
    text.reserve(digits.size() + 24);
    if (negative)
        text += '-';
    text += digits;
    text += 'e';
    text += std::to_string(exponent);
    double value = 0;
    if (std::from_chars(text.data(), text.data() + text.size(), value).ec == std::errc())
        return value;
    // out of range: beyond the greatest double, or below half the least one
    const std::size_t first = digits.find_first_not_of('0');
    const long magnitude = long(digits.size() - first) + exponent;
    const double limit = magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    return negative ? -limit : limit;
}

// The same for digits held as a number: where both the digits and the power
// of ten are exact doubles, one multiplication or division rounds correctly.
double nearestDouble(bool negative, Wide digits, long exponent)
{
    if (digits < Wide(twoToThe53) && exponent >= -greatestExactPower &&
        exponent <= greatestExactPower) {
        const double whole = double(std::uint64_t(digits));
        const double value =
            exponent < 0 ? whole / exactPowersOfTen[-exponent] : whole * exactPowersOfTen[exponent];
        return negative ? -value : value;
    }
    return nearestDouble(negative, digitsOf(digits), exponent);
}

Wide powerOfTen(int n)
{
    Wide power = 1;
    while (n-- > 0)
        power *= 10;
    return power;
}

// Decimal digits fit a 128-bit integer up to 10^38: 17 digits shifted by up
// to 21 places, and a sum of two such.
const int widestShift = 21;

double exactSum(const Decimal &a, const Decimal &b)
{
    const Decimal &high = a.exponent >= b.exponent ? a : b;
    const Decimal &low = a.exponent >= b.exponent ? b : a;
    const int shift = high.exponent - low.exponent;
    if (shift <= widestShift) {
        const Wide shifted = Wide(high.digits) * powerOfTen(shift);
        const Wide other = low.digits;
        if (high.negative == low.negative)
            return nearestDouble(high.negative, shifted + other, low.exponent);
        if (shifted == other)
            return 0; // x-x is +0, whatever the sign of x
        const bool highLarger = shifted >= other;
        return nearestDouble(highLarger ? high.negative : low.negative,
                             highLarger ? shifted - other : other - shifted, low.exponent);
    }
    // The digits of the two do not overlap: the low one has fewer digits
    // than the shift, so the high one is the larger in magnitude.
    const std::string lowDigits = std::to_string(low.digits);
    const std::string padding(std::size_t(shift) - lowDigits.size(), '0');
    if (high.negative == low.negative)
        return nearestDouble(high.negative, std::to_string(high.digits) + padding + lowDigits,
                             low.exponent);
    // high * 10^shift - low = (high - 1) * 10^shift + (10^shift - low), whose
    // last part is nines and then the 17-digit complement of low
    const int complementWidth = 17;
    const std::string complement =
        std::to_string(std::uint64_t(100000000000000000ULL) - low.digits);
    const std::string nines(std::size_t(shift - complementWidth), '9');
    const std::string complementDigits =
        std::string(std::size_t(complementWidth) - complement.size(), '0') + complement;
    return nearestDouble(high.negative, std::to_string(high.digits - 1) + nines + complementDigits,
                         low.exponent);
}

bool isPlain(double a, double b)
{
    return std::isfinite(a) && std::isfinite(b) && a != 0 && b != 0;
}

// The last digit of a run of digits raised by one, carrying.
std::string nextUp(std::string digits)
{
    std::size_t i = digits.size();
    while (i > 0 && digits[i - 1] == '9')
        digits[--i] = '0';
    if (i == 0)
        return '1' + digits;
    ++digits[i - 1];
    return digits;
}

// Digits of a quotient are produced until the quotient truncated to them
// and that truncation raised in its last digit round to the same double:
// the exact quotient lies between the two, so it rounds there too.
const int firstQuotientDigits = 20;
const int mostQuotientDigits = 800;

} // namespace

double DecimalArithmetic::sum(double a, double b)
{
    if (!isPlain(a, b))
        return a + b;
    return exactSum(decimalOf(a), decimalOf(b));
}

double DecimalArithmetic::difference(double a, double b)
{
    if (!isPlain(a, b))
        return a - b;
    Decimal subtrahend = decimalOf(b);
    subtrahend.negative = !subtrahend.negative;
    return exactSum(decimalOf(a), subtrahend);
}

double DecimalArithmetic::product(double a, double b)
{
    if (!isPlain(a, b))
        return a * b;
    const Decimal x = decimalOf(a);
    const Decimal y = decimalOf(b);
    return nearestDouble(x.negative != y.negative, Wide(x.digits) * y.digits,
                         long(x.exponent) + y.exponent);
}

double DecimalArithmetic::quotient(double a, double b)
{
    if (!isPlain(a, b))
        return a / b;
    const Decimal x = decimalOf(a);
    const Decimal y = decimalOf(b);
    const bool negative = x.negative != y.negative;
    // long division of the digits: the remainder stays below the divisor,
    // below 10^17, so ten times it fits 64 bits
    std::uint64_t whole = x.digits / y.digits;
    std::uint64_t remainder = x.digits % y.digits;
    std::string digits = whole == 0 ? std::string() : std::to_string(whole);
    long exponent = long(x.exponent) - y.exponent;
    int wanted = firstQuotientDigits;
    for (;;) {
        while (remainder != 0 && int(digits.size()) < wanted) {
            remainder *= 10;
            const std::uint64_t digit = remainder / y.digits;
            remainder %= y.digits;
            if (!digits.empty() || digit != 0)
                digits += char('0' + int(digit));
            --exponent;
        }
        const double low = nearestDouble(negative, digits, exponent);
        if (remainder == 0)
            return low;
        if (low == nearestDouble(negative, nextUp(digits), exponent))
            return low;
        if (wanted >= mostQuotientDigits)
            return nearestDouble(negative, digits + '1', exponent - 1); // a sticky digit
        wanted *= 2;
    }
}
