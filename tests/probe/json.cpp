#include "json.h"

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

void appendCodePoint(std::string &out, char32_t c)
{
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
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
        default:
            return std::nullopt;
        }
    }
    flush();
    return out;
}

std::string Quote(const QString &text)
{
    std::string out = "\"";
    out.reserve(std::size_t(text.size()) + 2);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i].unicode();
        if (QChar::isHighSurrogate(unit) && i + 1 < text.size()
            && QChar::isLowSurrogate(text[i + 1].unicode())) {
            appendCodePoint(out, QChar::surrogateToUcs4(unit, text[i + 1].unicode()));
            ++i;
        } else if (QChar::isSurrogate(unit)) {
            appendEscape(out, unit);
        } else if (unit == u'"') {
            out += "\\\"";
        } else if (unit == u'\\') {
            out += "\\\\";
        } else if (unit == u'\n') {
            out += "\\n";
        } else if (unit == u'\r') {
            out += "\\r";
        } else if (unit == u'\t') {
            out += "\\t";
        } else if (unit < 0x20) {
            appendEscape(out, unit);
        } else {
            appendCodePoint(out, unit);
        }
    }
    out += '"';
    return out;
}

} // namespace json
