#include "tests/probe/json.h"

#include "tests/text_support.h"

#include <cstdio>

namespace json {
namespace {

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

void appendEscape(std::string &out, unsigned unit)
{
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "\\u%04x", unit);
    out += buffer;
}

} // namespace

std::optional<QString> ParseString(std::string_view in)
{
    auto isBlank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!in.empty() && isBlank(in.front()))
        in.remove_prefix(1);
    while (!in.empty() && isBlank(in.back()))
        in.remove_suffix(1);
    if (in.size() < 2 || in.front() != '"' || in.back() != '"')
        return std::nullopt;
    in = in.substr(1, in.size() - 2);

    QString out;
    std::string plain; // runs of raw UTF-8, decoded together
    auto flush = [&] {
        out += QString::fromUtf8(plain.data(), qsizetype(plain.size()));
        plain.clear();
    };
    for (std::size_t i = 0; i < in.size(); ++i) {
        const char c = in[i];
        if (c == '"' || static_cast<unsigned char>(c) < 0x20)
            return std::nullopt;
        if (c != '\\') {
            plain += c;
            continue;
        }
        flush();
        if (++i == in.size())
            return std::nullopt;
        switch (in[i]) {
        case '"': out += u'"'; break;
        case '\\': out += u'\\'; break;
        case '/': out += u'/'; break;
        case 'b': out += u'\b'; break;
        case 'f': out += u'\f'; break;
        case 'n': out += u'\n'; break;
        case 'r': out += u'\r'; break;
        case 't': out += u'\t'; break;
        case 'u': {
            unsigned unit = 0;
            for (int k = 1; k <= 4; ++k) {
                if (i + std::size_t(k) >= in.size())
                    return std::nullopt;
                const int digit = hexValue(in[i + std::size_t(k)]);
                if (digit < 0)
                    return std::nullopt;
                unit = unit * 16 + unsigned(digit);
            }
            out += QChar(char16_t(unit));
            i += 4;
            break;
        }
        default: return std::nullopt;
        }
    }
    flush();
    return out;
}

std::string Quote(std::u16string_view text)
{
    std::string out = "\"";
    out.reserve(text.size() + 2);
    std::size_t plain = 0; // start of the run that needs no escape
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (unit != u'"' && unit != u'\\' && unit >= 0x20)
            continue;
        out += Utf8(text.substr(plain, i - plain));
        plain = i + 1;
        switch (unit) {
        case u'"': out += "\\\""; break;
        case u'\\': out += "\\\\"; break;
        case u'\n': out += "\\n"; break;
        case u'\r': out += "\\r"; break;
        case u'\t': out += "\\t"; break;
        default: appendEscape(out, unit);
        }
    }
    // Utf8 writes a lone surrogate as a \uXXXX escape, which is JSON's own.
    out += Utf8(text.substr(plain));
    out += '"';
    return out;
}

std::string Quote(const QString &text)
{
    return Quote(std::u16string_view(reinterpret_cast<const char16_t *>(text.utf16()),
                                     std::size_t(text.size())));
}

} // namespace json
