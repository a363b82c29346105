#pragma once

#include <QString>

#include <optional>
#include <string>
#include <string_view>

// Just enough JSON for the probe: string literals in, strings and numbers out.
namespace json {

// Reads one JSON string literal (surrounding blanks allowed) into UTF-16, keeping lone
// surrogates written as \uD800-style escapes. Nothing for malformed input.
std::optional<QString> ParseString(std::string_view utf8);

// A JSON string literal in UTF-8; lone surrogates become \uXXXX escapes.
std::string Quote(std::u16string_view text);
std::string Quote(const QString &text);

} // namespace json
