#include "analysis/leading_number.h"

#include <charconv>
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

double readRadix(Reader &reader, int radix)
{
    double value = 0;
    for (int digit; (digit = radixDigit(reader.peek(), radix)) >= 0; reader.advance())
        value = value * radix + digit;
    return value;
}

// Exponents are summed only up to here: any exponent this large already leaves the double range.
constexpr long long ExponentCap = 1'000'000'000;

// For a decimal number outside the double range: whether it is too large rather than too
// small, told by where its first significant digit stands.
bool tooLarge(const std::string &number, std::size_t exponentAt, long long exponent)
{
    const std::size_t mantissaEnd = exponentAt == std::string::npos ? number.size() : exponentAt;
    long long magnitude = exponent; // the value is 0.d x 10^magnitude
    const std::size_t point = number.find('.');
    const std::size_t intEnd = point == std::string::npos ? mantissaEnd : point;
    const std::size_t firstSignificant = number.find_first_of("123456789");
    if (firstSignificant < intEnd)
        magnitude += static_cast<long long>(intEnd - firstSignificant);
    else if (firstSignificant < mantissaEnd)
        magnitude -= static_cast<long long>(firstSignificant - point - 1);
    return magnitude > 0;
}

} // namespace

double LeadingNumber(std::u16string_view text)
{
    Reader reader(text);
    if (reader.peek() == u'&') {
        const char16_t radix = reader.peekNext();
        if (radix == u'H' || radix == u'h' || radix == u'O' || radix == u'o') {
            reader.advance();
            reader.advance();
            return readRadix(reader, radix == u'H' || radix == u'h' ? 16 : 8);
        }
        return 0;
    }

    std::string number; // ASCII copy of what was read, for an exactly rounded conversion
    if (reader.peek() == u'+' || reader.peek() == u'-') {
        number += static_cast<char>(reader.peek());
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
            break;
        }
        number += static_cast<char>(c);
    }
    if (!anyDigit)
        return 0;

    std::size_t exponentAt = std::string::npos;
    long long exponent = 0;
    const char16_t e = reader.peek();
    if (e == u'E' || e == u'e' || e == u'D' || e == u'd') {
        char16_t after = reader.peekNext();
        // A letter with no digit after it is not an exponent: "1e" reads 1.
        bool signedExponent = after == u'+' || after == u'-';
        if (signedExponent) {
            Reader look = reader;
            look.advance();
            after = look.peekNext();
        }
        if (isDigit(after)) {
            exponentAt = number.size();
            number += 'e';
            reader.advance();
            bool negative = false;
            if (signedExponent) {
                negative = reader.peek() == u'-';
                number += static_cast<char>(reader.peek());
                reader.advance();
            }
            for (; isDigit(reader.peek()); reader.advance()) {
                number += static_cast<char>(reader.peek());
                if (exponent < ExponentCap)
                    exponent = exponent * 10 + (reader.peek() - u'0');
            }
            if (negative)
                exponent = -exponent;
        }
    }

    const char *first = number.data();
    if (*first == '+')
        ++first; // from_chars takes no plus sign
    double value = 0;
    // from_chars rounds to nearest, ties to even, subnormals included; it reports out of range
    // only a value that rounds to zero or overflows, and leaves the result to us.
    if (std::from_chars(first, number.data() + number.size(), value).ec
        == std::errc::result_out_of_range) {
        using Limits = std::numeric_limits<double>;
        const double magnitude = tooLarge(number, exponentAt, exponent) ? Limits::infinity() : 0.0;
        return number.front() == '-' ? -magnitude : magnitude;
    }
    return value;
}

} // namespace analysis
