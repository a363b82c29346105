#include "analysis/leading_number.h"

#include <charconv>
#include <cstdlib>
#include <limits>
#include <string>

namespace analysis {
namespace {

bool isDropped(char16_t c) { return c == u' ' || c == u'\t' || c == u'\n'; }
bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// Walks the text as if its blanks, tabs and line feeds were already removed.
class Reader {
public:
    explicit Reader(std::u16string_view text) : m_text(text) { skip(); }

    bool atEnd() const { return m_pos == m_text.size(); }
    char16_t peek() const { return atEnd() ? u'\0' : m_text[m_pos]; }
    void advance()
    {
        ++m_pos;
        skip();
    }
    // The character after the current one, blanks skipped; '\0' at the end.
    char16_t peekNext() const
    {
        std::size_t next = m_pos + 1;
        while (next < m_text.size() && isDropped(m_text[next]))
            ++next;
        return next < m_text.size() ? m_text[next] : u'\0';
    }

private:
    void skip()
    {
        while (m_pos < m_text.size() && isDropped(m_text[m_pos]))
            ++m_pos;
    }

    std::u16string_view m_text;
    std::size_t m_pos = 0;
};

int radixDigit(char16_t c, int radix)
{
    int value = -1;
    if (isDigit(c))
        value = c - u'0';
    else if (c >= u'a' && c <= u'f')
        value = c - u'a' + 10;
    else if (c >= u'A' && c <= u'F')
        value = c - u'A' + 10;
    return value < radix ? value : -1;
}

// &H hexadecimal or &O octal digits; the reader stands on the '&'. Any other '&' reads 0.
double readRadixNumber(Reader &reader)
{
    const char16_t letter = reader.peekNext();
    int radix = 0;
    if (letter == u'H' || letter == u'h')
        radix = 16;
    else if (letter == u'O' || letter == u'o')
        radix = 8;
    else
        return 0;
    reader.advance();
    reader.advance();
    double value = 0;
    for (int digit; (digit = radixDigit(reader.peek(), radix)) >= 0; reader.advance())
        value = value * radix + digit;
    return value;
}

// Exponents are summed only up to here: any exponent this large already leaves the double range.
constexpr long long ExponentCap = 1'000'000'000;

// A decimal number as read, in ASCII for an exactly rounded conversion: sign, digits and point,
// then 'e' and the exponent when there is one.
struct Decimal {
    std::string text;
    std::size_t exponentAt = std::string::npos; // where the 'e' stands
    long long exponent = 0;                     // its value, capped at ExponentCap
};

// An optional sign, then digits with at most one point; false when no digit came.
bool readMantissa(Reader &reader, Decimal &number)
{
    if (reader.peek() == u'+' || reader.peek() == u'-') {
        number.text += static_cast<char>(reader.peek());
        reader.advance();
    }
    bool anyDigit = false;
    bool point = false;
    for (;; reader.advance()) {
        const char16_t c = reader.peek();
        if (isDigit(c)) {
            anyDigit = true;
        } else if (c == u'.' && !point) {
            point = true;
        } else {
            return anyDigit;
        }
        number.text += static_cast<char>(c);
    }
}

// E or D in either case, an optional sign and digits. A letter with no digit after it is not an
// exponent and is left unread: "1e" reads 1.
void readExponent(Reader &reader, Decimal &number)
{
    const char16_t e = reader.peek();
    if (e != u'E' && e != u'e' && e != u'D' && e != u'd')
        return;
    char16_t after = reader.peekNext();
    const bool signedExponent = after == u'+' || after == u'-';
    if (signedExponent) {
        Reader look = reader;
        look.advance();
        after = look.peekNext();
    }
    if (!isDigit(after))
        return;
    number.exponentAt = number.text.size();
    number.text += 'e';
    reader.advance();
    bool negative = false;
    if (signedExponent) {
        negative = reader.peek() == u'-';
        number.text += static_cast<char>(reader.peek());
        reader.advance();
    }
    for (; isDigit(reader.peek()); reader.advance()) {
        number.text += static_cast<char>(reader.peek());
        if (number.exponent < ExponentCap)
            number.exponent = number.exponent * 10 + (reader.peek() - u'0');
    }
    if (negative)
        number.exponent = -number.exponent;
}

#ifdef __EMSCRIPTEN__

// Emscripten's C++ library has no from_chars for double. Its C library's strtod rounds to nearest,
// ties to even, subnormals included, and beyond the range gives 0 or an infinity of the number's
// sign: the doubles from_chars gives below.
double toDouble(const Decimal &number) { return std::strtod(number.text.c_str(), nullptr); }

#else

// For a decimal number outside the double range: whether it is too large rather than too
// small, told by where its first significant digit stands.
bool tooLarge(const Decimal &number)
{
    const std::string &text = number.text;
    const std::size_t mantissaEnd =
        number.exponentAt == std::string::npos ? text.size() : number.exponentAt;
    long long magnitude = number.exponent; // the value is 0.d x 10^magnitude
    const std::size_t point = text.find('.');
    const std::size_t intEnd = point == std::string::npos ? mantissaEnd : point;
    const std::size_t firstSignificant = text.find_first_of("123456789");
    if (firstSignificant < intEnd)
        magnitude += static_cast<long long>(intEnd - firstSignificant);
    else if (firstSignificant < mantissaEnd)
        magnitude -= static_cast<long long>(firstSignificant - point - 1);
    return magnitude > 0;
}

// The nearest double, ties to even; beyond the range 0 or an infinity of the number's sign.
double toDouble(const Decimal &number)
{
    const std::string &text = number.text;
    const char *first = text.data();
    if (*first == '+')
        ++first; // from_chars takes no plus sign
    double value = 0;
    // from_chars rounds to nearest, ties to even, subnormals included; it reports out of range
    // only a value that rounds to zero or overflows, and leaves the result to us.
    if (std::from_chars(first, text.data() + text.size(), value).ec
        == std::errc::result_out_of_range) {
        using Limits = std::numeric_limits<double>;
        const double magnitude = tooLarge(number) ? Limits::infinity() : 0.0;
        return text.front() == '-' ? -magnitude : magnitude;
    }
    return value;
}

#endif

} // namespace

double LeadingNumber(std::u16string_view text)
{
    Reader reader(text);
    if (reader.peek() == u'&')
        return readRadixNumber(reader);
    Decimal number;
    if (!readMantissa(reader, number))
        return 0;
    readExponent(reader, number);
    return toDouble(number);
}

} // namespace analysis
