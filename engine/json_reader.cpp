#include "engine/json_reader.h"

#include <charconv>
#include <cmath>
#include <stdexcept>
#include <unordered_set>

namespace kestrix::json_in {
namespace {

struct Failure {
    JsonProblem problem;
    std::string value;
    std::size_t where;
};

class Parser {
  public:
    Parser(std::string_view text, const Limits& limits) : s_(text), limits_(limits) {
        // A byte-order mark is no content.
        if (s_.substr(0, 3) == "\xEF\xBB\xBF") pos_ = 3;
    }

    Value Document() {
        SkipBlanks();
        if (pos_ >= s_.size()) Fail(JsonProblem::Empty);
        Value v;
        ParseValue(v, 0);
        SkipBlanks();
        if (pos_ < s_.size()) Fail(JsonProblem::TextAfterValue);
        return v;
    }

  private:
    std::string_view s_;
    Limits limits_;
    std::size_t pos_ = 0;
    std::size_t values_ = 0;

    [[noreturn]] void Fail(JsonProblem problem, std::string value = {}) {
        throw Failure{problem, std::move(value), pos_};
    }

    void SkipBlanks() {
        while (pos_ < s_.size()) {
            const char c = s_[pos_];
            if (c != ' ' && c != '\t' && c != '\r' && c != '\n') return;
            ++pos_;
        }
    }

    // Parses into v where it stands, so no tree is moved on the way up.
    void ParseValue(Value& v, int depth) {
        if (++values_ > limits_.maxValues) Fail(JsonProblem::TooManyValues);
        v.offset = pos_;
        const char c = s_[pos_];
        if (c == '{' || c == '[') {
            if (depth >= limits_.maxDepth)
                Fail(JsonProblem::NestedTooDeep, std::to_string(limits_.maxDepth));
            if (c == '{')
                ParseObject(v, depth + 1);
            else
                ParseArray(v, depth + 1);
        } else if (c == '"') {
            v.kind = Value::Kind::String;
            v.text = ParseString();
        } else if (c == '-' || (c >= '0' && c <= '9')) {
            v.kind = Value::Kind::Number;
            v.number = ParseNumber();
        } else if (Word("true")) {
            v.kind = Value::Kind::Bool;
            v.boolean = true;
        } else if (Word("false")) {
            v.kind = Value::Kind::Bool;
        } else if (Word("null")) {
            v.kind = Value::Kind::Null;
        } else {
            Fail(JsonProblem::ValueExpected);
        }
    }

    bool Word(std::string_view word) {
        if (s_.substr(pos_, word.size()) != word) return false;
        pos_ += word.size();
        return true;
    }

    void ExpectColon() {
        SkipBlanks();
        if (pos_ >= s_.size()) Fail(JsonProblem::EndsWhereColonExpected);
        if (s_[pos_] != ':') Fail(JsonProblem::ColonExpected);
        ++pos_;
    }

    void ParseObject(Value& v, int depth) {
        v.kind = Value::Kind::Object;
        std::unordered_set<std::string> names;
        ++pos_;
        SkipBlanks();
        if (pos_ < s_.size() && s_[pos_] == '}') {
            ++pos_;
            return;
        }
        for (;;) {
            SkipBlanks();
            if (pos_ >= s_.size()) Fail(JsonProblem::EndsInsideObject);
            if (s_[pos_] != '"') Fail(JsonProblem::MemberNameExpected);
            const std::size_t keyAt = pos_;
            std::string key = ParseString();
            // Small objects are searched; large ones keep a set of their names.
            bool twice = false;
            if (v.items.size() < 16) {
                for (const Value& member : v.items)
                    twice = twice || member.key == key;
            } else {
                if (names.empty())
                    for (const Value& member : v.items)
                        names.insert(member.key);
                twice = !names.insert(key).second;
            }
            if (twice) throw Failure{JsonProblem::MemberTwice, key, keyAt};
            ExpectColon();
            SkipBlanks();
            if (pos_ >= s_.size()) Fail(JsonProblem::EndsWhereValueExpected);
            Value& member = v.items.emplace_back();
            member.key = std::move(key);
            ParseValue(member, depth);
            SkipBlanks();
            if (pos_ >= s_.size()) Fail(JsonProblem::EndsInsideObject);
            if (s_[pos_] == '}') {
                ++pos_;
                return;
            }
            if (s_[pos_] != ',') Fail(JsonProblem::CommaOrBraceExpected);
            ++pos_;
        }
    }

    void ParseArray(Value& v, int depth) {
        v.kind = Value::Kind::Array;
        ++pos_;
        SkipBlanks();
        if (pos_ < s_.size() && s_[pos_] == ']') {
            ++pos_;
            return;
        }
        for (;;) {
            SkipBlanks();
            if (pos_ >= s_.size()) Fail(JsonProblem::EndsInsideArray);
            ParseValue(v.items.emplace_back(), depth);
            SkipBlanks();
            if (pos_ >= s_.size()) Fail(JsonProblem::EndsInsideArray);
            if (s_[pos_] == ']') {
                ++pos_;
                return;
            }
            if (s_[pos_] != ',') Fail(JsonProblem::CommaOrBracketExpected);
            ++pos_;
        }
    }

    static void AppendUtf8(std::string& out, unsigned long cp) {
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (cp >> 18));
            out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }

    unsigned long Hex4() {
        if (s_.size() - pos_ < 4) Fail(JsonProblem::EscapeNeedsFourDigits);
        unsigned long value = 0;
        for (int i = 0; i < 4; ++i) {
            const char c = s_[pos_++];
            value <<= 4;
            if (c >= '0' && c <= '9')
                value |= static_cast<unsigned long>(c - '0');
            else if (c >= 'a' && c <= 'f')
                value |= static_cast<unsigned long>(c - 'a' + 10);
            else if (c >= 'A' && c <= 'F')
                value |= static_cast<unsigned long>(c - 'A' + 10);
            else
                Fail(JsonProblem::EscapeNeedsFourDigits);
        }
        return value;
    }

    // Length of a valid UTF-8 sequence at i, 0 when it is not one.
    std::size_t Utf8Length(std::size_t i) const {
        const auto b = [&](std::size_t k) { return static_cast<unsigned char>(s_[k]); };
        const unsigned char c = b(i);
        std::size_t n;
        unsigned long cp;
        if (c >= 0xC2 && c <= 0xDF)
            n = 2, cp = c & 0x1F;
        else if (c >= 0xE0 && c <= 0xEF)
            n = 3, cp = c & 0x0F;
        else if (c >= 0xF0 && c <= 0xF4)
            n = 4, cp = c & 0x07;
        else
            return 0;
        if (s_.size() - i < n) return 0;
        for (std::size_t k = 1; k < n; ++k) {
            if ((b(i + k) & 0xC0) != 0x80) return 0;
            cp = (cp << 6) | (b(i + k) & 0x3F);
        }
        if ((n == 3 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))) ||
            (n == 4 && (cp < 0x10000 || cp > 0x10FFFF)))
            return 0;
        return n;
    }

    std::string ParseString() {
        ++pos_; // the opening quote
        std::string out;
        for (;;) {
            if (pos_ >= s_.size()) Fail(JsonProblem::EndsInsideText);
            const unsigned char c = static_cast<unsigned char>(s_[pos_]);
            if (c == '"') {
                ++pos_;
                return out;
            }
            if (c < 0x20) Fail(JsonProblem::ControlCharacterInText);
            if (c == '\\') {
                ++pos_;
                if (pos_ >= s_.size()) Fail(JsonProblem::EndsInsideText);
                const char e = s_[pos_++];
                switch (e) {
                case '"':
                    out += '"';
                    break;
                case '\\':
                    out += '\\';
                    break;
                case '/':
                    out += '/';
                    break;
                case 'b':
                    out += '\b';
                    break;
                case 'f':
                    out += '\f';
                    break;
                case 'n':
                    out += '\n';
                    break;
                case 'r':
                    out += '\r';
                    break;
                case 't':
                    out += '\t';
                    break;
                case 'u': {
                    unsigned long cp = Hex4();
                    if (cp >= 0xD800 && cp <= 0xDBFF) {
                        if (s_.substr(pos_, 2) != "\\u") Fail(JsonProblem::LoneSurrogate);
                        pos_ += 2;
                        const unsigned long low = Hex4();
                        if (low < 0xDC00 || low > 0xDFFF) Fail(JsonProblem::LoneSurrogate);
                        cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                    } else if (cp >= 0xDC00 && cp <= 0xDFFF) {
                        Fail(JsonProblem::LoneSurrogate);
                    }
                    AppendUtf8(out, cp);
                    break;
                }
                default:
                    --pos_;
                    Fail(JsonProblem::UnknownEscape, std::string(1, e));
                }
                continue;
            }
            if (c < 0x80) {
                out += static_cast<char>(c);
                ++pos_;
                continue;
            }
            const std::size_t n = Utf8Length(pos_);
            if (n == 0) Fail(JsonProblem::NotUtf8);
            out.append(s_.substr(pos_, n));
            pos_ += n;
        }
    }

    double ParseNumber() {
        const std::size_t start = pos_;
        auto digits = [&] {
            const std::size_t from = pos_;
            while (pos_ < s_.size() && s_[pos_] >= '0' && s_[pos_] <= '9')
                ++pos_;
            return pos_ - from;
        };
        if (s_[pos_] == '-') ++pos_;
        if (pos_ < s_.size() && s_[pos_] == '0') {
            ++pos_;
        } else if (digits() == 0) {
            Fail(JsonProblem::NumberExpected);
        }
        if (pos_ < s_.size() && s_[pos_] == '.') {
            ++pos_;
            if (digits() == 0) Fail(JsonProblem::NoDigitsAfterPoint);
        }
        if (pos_ < s_.size() && (s_[pos_] == 'e' || s_[pos_] == 'E')) {
            ++pos_;
            if (pos_ < s_.size() && (s_[pos_] == '+' || s_[pos_] == '-')) ++pos_;
            if (digits() == 0) Fail(JsonProblem::NoDigitsInExponent);
        }
        double value = 0;
        const auto [end, ec] = std::from_chars(s_.data() + start, s_.data() + pos_, value);
        if (ec == std::errc::result_out_of_range) {
            // Underflow is harmless and reads as 0; overflow is a number no
            // duct has. A negative exponent, or no whole digit before the
            // point, makes it an underflow.
            const std::string_view literal = s_.substr(start, pos_ - start);
            const std::size_t e = literal.find_first_of("eE");
            const std::size_t digit = literal.find_first_not_of("-");
            const bool underflow = e != std::string_view::npos ? literal.substr(e + 1, 1) == "-"
                                                               : literal[digit] == '0';
            if (!underflow) {
                pos_ = start;
                Fail(JsonProblem::NumberOutOfRange);
            }
            value = 0;
        } else if (ec != std::errc() || end != s_.data() + pos_) {
            pos_ = start;
            Fail(JsonProblem::NumberExpected);
        }
        return value;
    }
};

} // namespace

const Value* Value::Find(std::string_view name) const {
    if (kind != Kind::Object) return nullptr;
    for (const Value& member : items)
        if (member.key == name) return &member;
    return nullptr;
}

ParseResult Parse(std::string_view text, const Limits& limits) {
    ParseResult result;
    try {
        Parser parser(text, limits);
        result.value = parser.Document();
        result.ok = true;
    } catch (const Failure& failure) {
        result.problem = failure.problem;
        result.shown = failure.value;
        result.offset = failure.where;
    } catch (const std::bad_alloc&) {
        result.problem = JsonProblem::TooLargeToRead;
    }
    return result;
}

Position Locate(std::string_view text, std::size_t offset) {
    Position p;
    const std::size_t end = offset < text.size() ? offset : text.size();
    std::size_t lineStart = 0;
    for (std::size_t i = 0; i < end; ++i)
        if (text[i] == '\n') ++p.line, lineStart = i + 1;
    // Columns count characters; a byte-order mark is none.
    if (p.line == 1 && text.substr(0, 3) == "\xEF\xBB\xBF") lineStart = end < 3 ? end : 3;
    for (std::size_t i = lineStart; i < end; ++i)
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) ++p.column;
    return p;
}

} // namespace kestrix::json_in
