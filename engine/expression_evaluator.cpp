#include "engine/expression_evaluator.h"

#include "engine/cp932_bytes.h"
#include "engine/library_math.h"
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

constexpr int kEndToken = 0;
constexpr int kNameToken = 256;
constexpr int kNumberToken = 257;

constexpr double kPi = 3.141592653589793;
constexpr long double kOneOver180 = 1.0L / 180.0L;
constexpr long double kOneOverPi = 1.0L / kPi;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

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
// A library result too small for a normal double is an underflow, which
// gives 0 silently.
double UnderflowToZero(double result) {
    return std::fpclassify(result) == FP_SUBNORMAL ? 0.0 : result;
}

constexpr char Lower(char c) {
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i])) return false;
    return true;
}

enum Function {
    kSqrt,
    kSqr,
    kLn,
    kLog10,
    kExp,
    kSin,
    kCos,
    kTan,
    kAtan,
    kAsin,
    kAcos,
    kFabs,
    kCeil,
    kFloor,
    kRound,
    kRad,
    kDeg,
    kNotAFunction
};

constexpr std::string_view kFunctionNames[] = {
    "sqrt", "sqr",  "ln",   "log10", "exp",   "sin",   "cos", "tan", "atan",
    "asin", "acos", "fabs", "ceil",  "floor", "round", "rad", "deg",
};
static_assert(std::size(kFunctionNames) == kNotAFunction);

int FindFunction(std::string_view name) {
    if (name.size() > 5) return kNotAFunction; // no function name is longer
    for (int f = 0; f < kNotAFunction; ++f)
        if (EqualIgnoringCase(name, kFunctionNames[f])) return f;
    return kNotAFunction;
}

} // namespace

std::string EvaluationErrorText(EvaluationErrorKind kind, bool japanese) {
    switch (kind) {
    case EvaluationErrorKind::Overflow:
        return "浮動小数点数のオーバーフロー";
    case EvaluationErrorKind::InvalidOperation:
        return "不正な浮動小数点数演算命令";
    case EvaluationErrorKind::TextTooLong:
        return japanese ? "式が長すぎます。255文字までです。"
                        : "The expression is too long: at most 255 characters.";
    case EvaluationErrorKind::TooManyVariables:
        return japanese ? "変数が多すぎます。定義できる名前は256個までです。"
                        : "Too many variables: at most 256 names can be defined.";
    }
    return {};
}

void ExpressionEvaluator::Fail(EvaluationErrorKind kind) const {
    throw EvaluationError(kind, EvaluationErrorText(kind, japanese_));
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

double ExpressionEvaluator::LibraryPow(double base, double exponent) {
    if (std::isnan(base) || std::isnan(exponent)) return kNaN;
    if (exponent == 0) return 1.0;
    if (base == 0 && exponent < 0) {
        ReportLibraryError("pow", "DOMAIN");
        return kNaN;
    }
    if (base < 0 && std::isfinite(base) && std::isfinite(exponent) &&
        exponent != std::trunc(exponent)) {
        ReportLibraryError("pow", "DOMAIN");
        return kNaN;
    }
    const double result = LibraryMath::Pow(base, exponent);
    if (std::isinf(result) && std::isfinite(base) && std::isfinite(exponent)) {
        // The substitute value of an overflow is plus infinity, whatever the
        // sign of the true result ((-10)^309 included).
        ReportLibraryError("pow", "OVERFLOW");
        return kInf;
    }
    return UnderflowToZero(result);
}

double ExpressionEvaluator::ApplyFunction(int function, double x) {
    if (std::isnan(x)) return x;
    // Products in long double, stored as double; only deg can leave the
    // double range, which is an operator overflow like any other.
    const auto store = [&](long double exact) {
        const double stored = static_cast<double>(exact);
        if (std::isinf(stored) && std::isfinite(x)) Fail(EvaluationErrorKind::Overflow);
        return stored;
    };
    // The angle of sin, cos and tan and the angle that atan, asin and acos
    // find are intermediate results, in extended precision; only the
    // function's value is stored.
    const auto angle = [&] { return static_cast<long double>(x) * kPi * kOneOver180; };
    const auto radians = [&] { return store(angle()); };
    const auto degrees = [&](long double r) { return store(r * 180.0L * kOneOverPi); };
    switch (function) {
    case kSqrt:
        if (x < 0) {
            ReportLibraryError("sqrt", "DOMAIN");
            return kNaN;
        }
        return std::sqrt(x);
    case kSqr:
        return LibraryPow(x, 2.0);
    case kLn:
    case kLog10: {
        const char* name = function == kLn ? "log" : "log10";
        if (x < 0) {
            ReportLibraryError(name, "DOMAIN");
            return kNaN;
        }
        if (x == 0) {
            ReportLibraryError(name, "SING");
            return -kInf;
        }
        return function == kLn ? LibraryMath::Log(x) : LibraryMath::Log10(x);
    }
    case kExp: {
        const double result = LibraryMath::Exp(x);
        if (std::isinf(result) && std::isfinite(x)) {
            ReportLibraryError("exp", "OVERFLOW");
            return kInf;
        }
        return UnderflowToZero(result);
    }
    case kSin:
        return static_cast<double>(std::sin(angle()));
    case kCos:
        return static_cast<double>(std::cos(angle()));
    case kTan:
        return static_cast<double>(std::tan(angle()));
    case kAtan:
        return degrees(std::atan(static_cast<long double>(x)));
    case kAsin:
    case kAcos:
        if (x < -1 || x > 1) {
            ReportLibraryError(function == kAsin ? "asin" : "acos", "DOMAIN");
            return kNaN;
        }
        return degrees(function == kAsin ? std::asin(static_cast<long double>(x))
                                         : std::acos(static_cast<long double>(x)));
    case kFabs:
        return std::fabs(x);
    case kCeil:
        return std::ceil(x);
    case kFloor:
        return std::floor(x);
    case kRound:
        // Exact in long double, so 0.49999999999999994 does not become 1.
        return store(std::floor(static_cast<long double>(x) + 0.5L));
    case kRad:
        return radians();
    case kDeg:
        return degrees(static_cast<long double>(x));
    }
    return 0.0;
}

} // namespace kestrix
