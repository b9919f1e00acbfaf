#pragma once

// UTF-8 helpers of kestrix-calc: validation for the JSON output and display
// widths for aligned tables of Japanese and English texts.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace kestrix {

// Length in bytes of the well-formed UTF-8 sequence at text[pos], or 0 when
// the bytes there are not one (overlong forms and surrogates included).
std::size_t Utf8SequenceLength(std::string_view text, std::size_t pos);

// The text with every byte that begins no well-formed sequence, and every
// NUL, replaced by U+FFFD: a table row of text files made from any input.
std::string ValidUtf8(std::string_view text);

// Columns that the text takes on a terminal: East Asian wide characters count
// two, half-width katakana and everything else one; invalid bytes count one.
std::size_t DisplayWidth(std::string_view text);

// The file named by a UTF-8 operand; none where the system cannot name it
// (Windows names are UTF-16, so bytes that are no UTF-8 name no file there).
std::optional<std::filesystem::path> FileFromUtf8(const std::string& name);

} // namespace kestrix
