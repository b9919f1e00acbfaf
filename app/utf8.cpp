#include "app/utf8.h"

namespace kestrix {
namespace {

bool IsTrail(unsigned char c) {
    return c >= 0x80 && c <= 0xBF;
}

bool IsWide(char32_t cp) {
    return (cp >= 0x1100 && cp <= 0x115F) || (cp >= 0x2E80 && cp <= 0xA4CF) ||
           (cp >= 0xAC00 && cp <= 0xD7A3) || (cp >= 0xF900 && cp <= 0xFAFF) ||
           (cp >= 0xFE30 && cp <= 0xFE4F) || (cp >= 0xFF00 && cp <= 0xFF60) ||
           (cp >= 0xFFE0 && cp <= 0xFFE6) || (cp >= 0x20000 && cp <= 0x3FFFD);
}

} // namespace

std::size_t Utf8SequenceLength(std::string_view text, std::size_t pos) {
    const auto at = [&](std::size_t i) -> unsigned char {
        return pos + i < text.size() ? static_cast<unsigned char>(text[pos + i]) : 0;
    };
    const unsigned char c = at(0);
    if (c < 0x80) return pos < text.size() ? 1 : 0;
    if (c >= 0xC2 && c <= 0xDF) return IsTrail(at(1)) ? 2 : 0;
    if (c >= 0xE0 && c <= 0xEF) {
        // E0 needs A0..BF second (no overlongs), ED needs 80..9F (no surrogates).
        const unsigned char lo = c == 0xE0 ? 0xA0 : 0x80;
        const unsigned char hi = c == 0xED ? 0x9F : 0xBF;
        return at(1) >= lo && at(1) <= hi && IsTrail(at(2)) ? 3 : 0;
    }
    if (c >= 0xF0 && c <= 0xF4) {
        const unsigned char lo = c == 0xF0 ? 0x90 : 0x80;
        const unsigned char hi = c == 0xF4 ? 0x8F : 0xBF;
        return at(1) >= lo && at(1) <= hi && IsTrail(at(2)) && IsTrail(at(3)) ? 4 : 0;
    }
    return 0;
}

std::string ValidUtf8(std::string_view text) {
    std::string valid;
    valid.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = Utf8SequenceLength(text, i);
        if (length == 0 || text[i] == '\0') {
            valid += "\xEF\xBF\xBD";
            ++i;
            continue;
        }
        valid.append(text.substr(i, length));
        i += length;
    }
    return valid;
}

std::size_t DisplayWidth(std::string_view text) {
    std::size_t width = 0;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = Utf8SequenceLength(text, i);
        if (length == 0) {
            ++width;
            ++i;
            continue;
        }
        char32_t cp = static_cast<unsigned char>(text[i]);
        if (length > 1) {
            cp &= 0x7F >> length;
            for (std::size_t k = 1; k < length; ++k)
                cp = (cp << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        }
        width += IsWide(cp) ? 2 : 1;
        i += length;
    }
    return width;
}

std::optional<std::filesystem::path> FileFromUtf8(const std::string& name) {
    try {
        return std::filesystem::path(std::u8string(name.begin(), name.end()));
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

} // namespace kestrix
