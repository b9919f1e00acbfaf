#pragma once

// A tiny JSON writer for kestrix-calc: values are built as encoded texts and
// put together in the order given, so keys come out exactly in that order.

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kestrix::json {

// A JSON string: quotes, backslashes and control characters escaped. Bytes
// that are not valid UTF-8 become U+FFFD, so the output is always valid JSON.
std::string Quote(std::string_view text);

// A string, or null when there is none.
std::string QuoteOrNull(const std::optional<std::string>& text);

// An array of already encoded values.
std::string Array(const std::vector<std::string>& encodedValues);

// An array of strings.
std::string StringArray(const std::vector<std::string>& texts);

// An object of keys and already encoded values, in the order given.
using Members = std::vector<std::pair<std::string_view, std::string>>;
std::string Object(const Members& members);

} // namespace kestrix::json
