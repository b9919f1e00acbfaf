#include "app/json_writer.h"

#include "app/utf8.h"

#include <cstdio>

namespace kestrix::json {

std::string Quote(std::string_view text) {
    std::string out = "\"";
    for (size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0x80) {
            const size_t length = Utf8SequenceLength(text, i);
            if (length == 0) {
                out += "\\ufffd";
                ++i;
            } else {
                out.append(text.substr(i, length));
                i += length;
            }
            continue;
        }
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\b':
            out += "\\b";
            break;
        case '\f':
            out += "\\f";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (c < 0x20 || c == 0x7F) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
                out += escaped;
            } else {
                out += static_cast<char>(c);
            }
        }
        ++i;
    }
    out += '"';
    return out;
}

std::string QuoteOrNull(const std::optional<std::string>& text) {
    return text ? Quote(*text) : std::string("null");
}

std::string Array(const std::vector<std::string>& encodedValues) {
    std::string out = "[";
    for (size_t i = 0; i < encodedValues.size(); ++i) {
        if (i > 0) out += ',';
        out += encodedValues[i];
    }
    out += ']';
    return out;
}

std::string StringArray(const std::vector<std::string>& texts) {
    std::vector<std::string> encoded;
    encoded.reserve(texts.size());
    for (const auto& text : texts)
        encoded.push_back(Quote(text));
    return Array(encoded);
}

std::string Object(const Members& members) {
    std::string out = "{";
    for (size_t i = 0; i < members.size(); ++i) {
        if (i > 0) out += ',';
        out += Quote(members[i].first);
        out += ':';
        out += members[i].second;
    }
    out += '}';
    return out;
}

} // namespace kestrix::json
