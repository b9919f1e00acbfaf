#include "engine/expression_evaluator.h"

#include "engine/cp932_bytes.h"
#include "engine/expression_functions.h"
#include "engine/number_text.h"

#include <cmath>
#include <cstring>
#include <limits>

// The evaluator never rejects a text for its syntax: a missing operand is 0,
// text after the first expression is ignored and closing parentheses are not
// checked. Only four conditions abandon an evaluation (EvaluationError).
//
// Floating point: operators work in long double and store a double. A finite
// result that does not fit a double is an overflow; a not-a-number made out of
// operands that were numbers (inf-inf, 0*inf, inf/inf) and the zero test of a
// not-a-number divisor are invalid operations. Both are found by looking at
// the operands and results, never through errno or the floating-point
// environment, so every platform and build mode behaves alike.
//
// Library functions report their failures as "%s: %s error" to the message
// sink and go on with the substitute value:
//   sqrt, ln, log10 of a negative number, asin and acos outside -1..1 and a
//   negative base with a non-integer exponent: DOMAIN, not-a-number;
//   a zero base with a negative exponent: DOMAIN, not-a-number;
//   ln and log10 of zero: SING, minus infinity;
//   exp and pow beyond the double range from finite arguments: OVERFLOW,
//   plus infinity.
// pow(x, 0) is 1 for every number x, pow(0, 0) included. A not-a-number
// argument gives not-a-number without a message in every function; infinite
// arguments follow the C library (exp(inf) is inf, sin(inf) is not-a-number)
// without a message, as does the total loss of precision of sin, cos and tan
// for huge angles. Underflow gives 0 silently: an exp or pow result below the
// smallest normal double is 0.

namespace kestrix {
namespace {

using namespace evaluator_functions;

constexpr int kEndToken = 0;
constexpr int kNameToken = 256;
constexpr int kNumberToken = 257;

constexpr bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
constexpr bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
constexpr bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
constexpr bool IsNameStart(char c) {
    return IsLetter(c) || c == '_';
}
constexpr bool IsNameChar(char c) {
    return IsNameStart(c) || IsDigit(c);
}
} // namespace

namespace {

const char* KindName(EvaluationErrorKind kind) {
    switch (kind) {
    case EvaluationErrorKind::Overflow:
        return "evaluation error: overflow";
    case EvaluationErrorKind::InvalidOperation:
        return "evaluation error: invalid operation";
    case EvaluationErrorKind::TextTooLong:
        return "evaluation error: text too long";
    case EvaluationErrorKind::TooManyVariables:
        return "evaluation error: too many variables";
    }
    return "evaluation error";
}

} // namespace

EvaluationError::EvaluationError(EvaluationErrorKind kind)
    : std::runtime_error(KindName(kind)), kind_(kind) {}

void ExpressionEvaluator::Fail(EvaluationErrorKind kind) const {
    throw EvaluationError(kind);
}

void ExpressionEvaluator::ReportLibraryError(const char* function, const char* kind) {
    if (sink_ == nullptr) return;
    std::string text(function);
    text += ": ";
    text += kind;
    text += " error";
    sink_->LibraryError(text);
}

double ExpressionEvaluator::Evaluate(std::string_view text) {
    // A NUL ends the text as it would end the text of a character buffer.
    if (const size_t nul = text.find('\0'); nul != std::string_view::npos)
        text = text.substr(0, nul);
    if (text.size() > MaxTextLength) Fail(EvaluationErrorKind::TextTooLong);
    text_ = text;
    pos_ = 0;
    NextToken();
    return Expression();
}

std::string ExpressionEvaluator::EvaluateFlowText(std::string_view text) {
    // Refuse a long text before touching any variable, so a refusal changes nothing.
    const size_t nul = text.find('\0');
    if ((nul == std::string_view::npos ? text.size() : nul) > MaxTextLength)
        Fail(EvaluationErrorKind::TextTooLong);
    Evaluate("pi = 3.14159265358979323846");
    Evaluate("e   = 2.7182818284590452354");
    return FormatGeneral(Evaluate(text));
}

int ExpressionEvaluator::NextToken() {
    const size_t n = text_.size();
    while (pos_ < n && IsSpace(text_[pos_]))
        ++pos_;
    // At the end every further request gets the end token again.
    if (pos_ >= n) return token_ = kEndToken;

    const char c = text_[pos_];
    if (IsDigit(c)) {
        // Longest decimal literal: digits [. digits] [e|E [sign] digits].
        // Never hexadecimal, never "inf" or "nan", whatever the locale.
        const size_t start = pos_;
        while (pos_ < n && IsDigit(text_[pos_]))
            ++pos_;
        if (pos_ < n && text_[pos_] == '.') {
            ++pos_;
            while (pos_ < n && IsDigit(text_[pos_]))
                ++pos_;
        }
        if (pos_ < n && (text_[pos_] == 'e' || text_[pos_] == 'E')) {
            size_t p = pos_ + 1;
            if (p < n && (text_[p] == '+' || text_[p] == '-')) ++p;
            if (p < n && IsDigit(text_[p])) {
                while (p < n && IsDigit(text_[p]))
                    ++p;
                pos_ = p;
            }
        }
        number_ = DecimalLiteralValue(text_.substr(start, pos_ - start));
        return token_ = kNumberToken;
    }
    if (IsNameStart(c)) {
        const size_t start = pos_;
        while (pos_ < n && IsNameChar(text_[pos_]))
            ++pos_;
        name_ = text_.substr(start, pos_ - start);
        return token_ = kNameToken;
    }
    ++pos_;
    // A double-byte character is one character, no digit, letter or
    // operator: its trail byte alone could read as a letter ("１" is
    // 0x82 0x50, and 0x50 is "P").
    if (IsCp932LeadByte(static_cast<unsigned char>(c)) && pos_ < n &&
        IsCp932TrailByte(static_cast<unsigned char>(text_[pos_])))
        ++pos_;
    return token_ = static_cast<unsigned char>(c);
}

// An operator's extended-precision result stored as a double: beyond the
// double range it overflows, and a not-a-number made from numbers is an
// invalid operation; both are trapped.
double ExpressionEvaluator::StoreResult(long double exact, double left, double right) {
    const double stored = static_cast<double>(exact);
    if (std::isinf(stored) && std::isfinite(left) && std::isfinite(right))
        Fail(EvaluationErrorKind::Overflow);
    if (std::isnan(stored) && !std::isnan(left) && !std::isnan(right))
        Fail(EvaluationErrorKind::InvalidOperation);
    return stored;
}

double ExpressionEvaluator::Expression() {
    double value = Term();
    while (token_ == '+' || token_ == '-') {
        const bool add = token_ == '+';
        NextToken();
        const double right = Term();
        const long double exact =
            add ? static_cast<long double>(value) + right : static_cast<long double>(value) - right;
        value = StoreResult(exact, value, right);
    }
    return value;
}

double ExpressionEvaluator::Term() {
    double value = Unary();
    while (token_ == '*' || token_ == '/') {
        const bool multiply = token_ == '*';
        NextToken();
        const double right = Unary();
        long double exact;
        if (multiply) {
            exact = static_cast<long double>(value) * right;
        } else {
            // Comparing a not-a-number with zero is itself an invalid operation.
            if (std::isnan(right)) Fail(EvaluationErrorKind::InvalidOperation);
            if (right == 0) continue; // division by zero is skipped
            exact = static_cast<long double>(value) / right;
        }
        value = StoreResult(exact, value, right);
    }
    return value;
}

double ExpressionEvaluator::Unary() {
    if (token_ == '-') {
        NextToken();
        return -Unary();
    }
    return Power();
}

double ExpressionEvaluator::Power() {
    const double base = Primary();
    if (token_ != '^') return base;
    NextToken();
    // The exponent is a power, not a unary: "2^-1" raises 2 to an empty 0.
    const double exponent = Power();
    return LibraryPow(base, exponent);
}

double ExpressionEvaluator::Primary() {
    switch (token_) {
    case '(': {
        NextToken();
        const double value = Expression();
        NextToken(); // the closing parenthesis, whatever it is
        return value;
    }
    case kNumberToken: {
        const double value = number_;
        NextToken();
        return value;
    }
    case kNameToken: {
        if (const int function = FindFunction(name_); function != kNotAFunction) {
            NextToken(); // the opening parenthesis, whatever it is
            NextToken();
            const double argument = Expression();
            NextToken(); // the closing parenthesis, whatever it is
            return ApplyFunction(function, argument);
        }
        const int slot = LookUp(name_);
        if (NextToken() == '=') {
            NextToken();
            values_[slot] = Expression();
        }
        return values_[slot];
    }
    default:
        return 0.0; // a missing operand, left for the caller to see
    }
}

int ExpressionEvaluator::LookUp(std::string_view name) {
    const std::string_view key = name.substr(0, MaxNameLength);
    for (int i = 0; i < count_; ++i) {
        const std::string_view slot(names_[i].data(), nameLengths_[i]);
        if (EqualIgnoringCase(slot, key)) return i;
    }
    // A full table refuses only new names; pi, e and every defined variable
    // go on working.
    if (count_ >= MaxVariables) Fail(EvaluationErrorKind::TooManyVariables);
    const int slot = count_++;
    std::memcpy(names_[slot].data(), key.data(), key.size());
    names_[slot][key.size()] = '\0';
    nameLengths_[slot] = static_cast<unsigned char>(key.size());
    values_[slot] = 0.0;
    return slot;
}

} // namespace kestrix
