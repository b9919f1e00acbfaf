#pragma once

// A small JSON reader for the files the program opens: a tree of values with
// the line and column where each one starts, so that a later check can name
// the place. Nesting depth, value count and text size are bounded, so a
// hostile file ends in an error instead of a stack overflow or an exhausted
// memory.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kestrix::json_in {

struct Position {
    int line = 1;
    int column = 1; // in characters, from 1
};

struct Value {
    enum class Kind { Null, Bool, Number, String, Array, Object };
    Kind kind = Kind::Null;
    std::size_t offset = 0; // of its first byte in the text; Locate gives line and column
    bool boolean = false;
    double number = 0;
    std::string text;         // a string's value
    std::string key;          // the member's name, inside an object
    std::vector<Value> items; // array elements or object members in file order

    bool IsNull() const { return kind == Kind::Null; }
    // The member with this name, or nullptr (also for a value that is not an object).
    const Value* Find(std::string_view name) const;
};

struct Limits {
    int maxDepth = 64;
    std::size_t maxValues = 3000000;
};

// Why a text is no JSON; the layer above words it (config/system_texts.h).
enum class JsonProblem {
    None,
    Empty,
    TextAfterValue,
    TooManyValues,
    NestedTooDeep, // value: the depth allowed
    ValueExpected,
    EndsWhereColonExpected,
    ColonExpected,
    EndsInsideObject,
    MemberNameExpected,
    MemberTwice, // value: the member's name
    EndsWhereValueExpected,
    CommaOrBraceExpected,
    EndsInsideArray,
    CommaOrBracketExpected,
    EscapeNeedsFourDigits,
    EndsInsideText,
    ControlCharacterInText,
    LoneSurrogate,
    UnknownEscape, // value: the escaped character
    NotUtf8,
    NumberExpected,
    NoDigitsAfterPoint,
    NoDigitsInExponent,
    NumberOutOfRange,
    TooLargeToRead, // memory ran out
};

struct ParseResult {
    Value value;
    bool ok = false;
    JsonProblem problem = JsonProblem::None;
    std::string shown;      // the name or character the problem shows
    std::size_t offset = 0; // of the problem
};

ParseResult Parse(std::string_view text, const Limits& limits = {});

// Line and column of a byte offset of the text.
Position Locate(std::string_view text, std::size_t offset);

} // namespace kestrix::json_in
