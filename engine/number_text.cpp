#include "engine/number_text.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace kestrix {
namespace {

constexpr bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
constexpr bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string Trimmed(std::string_view text) {
    size_t b = 0, e = text.size();
    while (b < e && IsBlank(text[b]))
        ++b;
    while (e > b && IsBlank(text[e - 1]))
        --e;
    return std::string(text.substr(b, e - b));
}

// Decimal exponent of a literal's leading digit, used only to tell an
// overflow from an underflow when the literal lies outside the double range.
long DecimalMagnitude(std::string_view lit) {
    long intDigits = 0, leadingFracZeros = 0;
    bool seenNonZero = false, inFraction = false;
    size_t i = 0;
    for (; i < lit.size(); ++i) {
        char c = lit[i];
        if (c == '.') {
            inFraction = true;
            continue;
        }
        if (!IsDigit(c)) break;
        if (!inFraction) {
            if (seenNonZero || c != '0') {
                seenNonZero = true;
                ++intDigits;
            }
        } else if (!seenNonZero) {
            if (c == '0')
                ++leadingFracZeros;
            else
                seenNonZero = true;
        }
    }
    long exp = 0;
    if (i < lit.size() && (lit[i] == 'e' || lit[i] == 'E')) {
        ++i;
        bool neg = false;
        if (i < lit.size() && (lit[i] == '+' || lit[i] == '-')) neg = lit[i++] == '-';
        for (; i < lit.size() && IsDigit(lit[i]); ++i) {
            if (exp < 100000) exp = exp * 10 + (lit[i] - '0');
        }
        if (neg) exp = -exp;
    }
    long mag = intDigits > 0 ? intDigits : -leadingFracZeros;
    return mag + exp;
}

// Wide enough for a whole mantissa times 1000: 128 bits where long double has
// a 64-bit mantissa; where long double is a plain double, 64 bits suffice.
#if defined(__SIZEOF_INT128__)
using Wide = unsigned __int128;
#else
using Wide = std::uint64_t;
static_assert(std::numeric_limits<long double>::digits <= 53);
#endif
constexpr int kMantissaBits = std::numeric_limits<long double>::digits;

std::string WideToString(Wide v) {
    char buf[48];
    int n = 0;
    do {
        buf[n++] = char('0' + int(v % 10));
        v /= 10;
    } while (v != 0);
    std::string out;
    out.reserve(n);
    while (n > 0)
        out.push_back(buf[--n]);
    return out;
}

} // namespace

std::string FormatFixed(long double value, int decimals) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
    if (decimals < 0) decimals = 0;
    if (decimals > 3) decimals = 3;
    static constexpr std::array<unsigned, 4> kPow10 = {1, 10, 100, 1000};

    const bool negative = std::signbit(value);
    const long double a = std::fabs(value);
    std::string digits;
    int exp = 0;
    const long double mant = std::frexp(a, &exp); // a = mant * 2^exp
    if (a == 0) {
        digits = "0";
    } else if (exp <= kMantissaBits) {
        // a = m * 2^(exp - bits) with m holding the whole mantissa; the scaled
        // value m * 10^d fits into Wide, so the rounding is exact.
        const auto m = static_cast<std::uint64_t>(std::ldexp(mant, kMantissaBits));
        const Wide t = static_cast<Wide>(m) * kPow10[decimals];
        const int shift = kMantissaBits - exp;
        constexpr int kWideBits = static_cast<int>(sizeof(Wide) * 8);
        Wide q;
        if (shift <= 0) {
            q = t; // already an integer scale
        } else if (shift >= kWideBits - 1) {
            q = 0; // far below a half of the last place
        } else {
            q = t >> shift;
            const Wide rem = t - (q << shift);
            const Wide half = static_cast<Wide>(1) << (shift - 1);
            if (rem >= half) ++q;
        }
        digits = WideToString(q);
    } else {
        // Beyond the mantissa every long double is a whole number: print it exactly.
        char buf[5000];
        std::snprintf(buf, sizeof buf, "%.0Lf", a);
        digits = buf;
        digits.append(static_cast<size_t>(decimals), '0');
    }

    if (static_cast<int>(digits.size()) <= decimals)
        digits.insert(0, static_cast<size_t>(decimals + 1 - digits.size()), '0');
    std::string out;
    const bool allZero = digits.find_first_not_of('0') == std::string::npos;
    if (negative && !allZero) out.push_back('-');
    out.append(digits, 0, digits.size() - decimals);
    if (decimals > 0) {
        out.push_back('.');
        out.append(digits, digits.size() - decimals, std::string::npos);
    }
    return out;
}

std::string FormatGeneral(double value) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
    if (value == 0) return "0";

    std::string out;
    if (value < 0) out.push_back('-');
    const double a = std::fabs(value);

    // Whole numbers of up to 15 digits, the common case, need no rounding.
    if (a < 1e15 && a == std::floor(a)) {
        out += WideToString(static_cast<Wide>(a));
        return out;
    }

    // The exact decimal expansion (a double has at most 767 significant
    // digits) lets the 16th digit decide the rounding, halves away from zero.
    char buf[900];
    const auto printed =
        std::to_chars(buf, buf + sizeof buf - 1, a, std::chars_format::scientific, 780);
    *printed.ptr = '\0';
    std::string sig;
    const char* p = buf;
    for (; *p && *p != 'e'; ++p)
        if (IsDigit(*p)) sig.push_back(*p);
    int sciExp = std::atoi(p + 1);

    std::string d = sig.substr(0, 15);
    if (sig[15] >= '5') {
        int i = 14;
        while (i >= 0 && d[i] == '9')
            d[i--] = '0';
        if (i >= 0) {
            ++d[i];
        } else {
            d.insert(d.begin(), '1');
            d.pop_back();
            ++sciExp;
        }
    }
    while (d.size() > 1 && d.back() == '0')
        d.pop_back();

    const int E = sciExp + 1; // value = 0.d1d2... * 10^E
    if (E >= -3 && E <= 15) {
        if (E >= 1) {
            std::string ip = d.substr(0, std::min<size_t>(d.size(), E));
            ip.append(E - ip.size(), '0');
            out += ip;
            if (static_cast<int>(d.size()) > E) {
                out.push_back('.');
                out.append(d, E, std::string::npos);
            }
        } else {
            out += "0.";
            out.append(static_cast<size_t>(-E), '0');
            out += d;
        }
    } else {
        out.push_back(d[0]);
        if (d.size() > 1) {
            out.push_back('.');
            out.append(d, 1, std::string::npos);
        }
        out.push_back('E');
        out += std::to_string(E - 1);
    }
    return out;
}

bool IsPlainNumber(std::string_view text) {
    enum class State { Nothing, LeadingBlanks, InRun, AfterRun } state = State::Nothing;
    bool seen = false;
    for (char c : text) {
        if (c == ' ') {
            if (state == State::Nothing)
                state = State::LeadingBlanks;
            else if (state == State::InRun)
                state = State::AfterRun;
        } else if (IsDigit(c) || c == '.') {
            seen = true;
            if (state == State::AfterRun) return false;
            state = State::InRun;
        } else {
            return false;
        }
    }
    return seen;
}

namespace {

// The unsigned decimal literal of a number text, with its sign; nothing when
// the text is not such a number.
struct NumberText {
    std::string literal;
    bool negative = false;
};
std::optional<NumberText> SplitNumberText(std::string_view text) {
    std::string t = Trimmed(text);
    size_t i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) negative = t[i++] == '-';
    const size_t start = i;
    size_t digits = 0;
    while (i < t.size() && IsDigit(t[i]))
        ++i, ++digits;
    if (i < t.size() && t[i] == '.') {
        ++i;
        while (i < t.size() && IsDigit(t[i]))
            ++i, ++digits;
    }
    if (digits == 0) return std::nullopt;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        ++i;
        if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
        size_t expDigits = 0;
        while (i < t.size() && IsDigit(t[i]))
            ++i, ++expDigits;
        if (expDigits == 0) return std::nullopt;
    }
    if (i != t.size()) return std::nullopt;
    return NumberText{t.substr(start), negative};
}

#ifdef __MINGW32__
// MinGW's C++ library reads a long double through a double, which loses the
// extended reading (0.15 becomes the double just below it); its C library's strtold reads
// all 64 bits. The point is moved into the exponent, so that the C locale's
// decimal separator plays no part.
long double ReadExtended(const std::string& literal) {
    std::string digits;
    long exponent = 0;
    size_t i = 0;
    bool afterPoint = false;
    for (; i < literal.size() && literal[i] != 'e' && literal[i] != 'E'; ++i) {
        if (literal[i] == '.') {
            afterPoint = true;
        } else {
            digits.push_back(literal[i]);
            if (afterPoint) --exponent;
        }
    }
    if (i < literal.size()) {
        const bool negative = literal[++i] == '-';
        if (literal[i] == '+' || literal[i] == '-') ++i;
        long e = 0;
        // Far beyond any long double either way; the cap keeps the sum in range.
        for (; i < literal.size(); ++i)
            e = std::min(e * 10 + (literal[i] - '0'), 1000000L);
        exponent += negative ? -e : e;
    }
    const std::string text = digits + "e" + std::to_string(exponent);
    errno = 0;
    const long double v = __mingw_strtold(text.c_str(), nullptr);
    // Only an underflow is left: the value is within the double range.
    return errno == ERANGE ? 0.0L : v;
}
#else
long double ReadExtended(const std::string& literal) {
    long double v = 0;
    const auto [ptr, ec] = std::from_chars(literal.data(), literal.data() + literal.size(), v,
                                           std::chars_format::general);
    // Only an underflow is left: the value is within the double range.
    return ec != std::errc() ? 0.0L : v;
}
#endif

} // namespace

std::optional<double> ParseNumber(std::string_view text) {
    const std::optional<NumberText> number = SplitNumberText(text);
    if (!number) return std::nullopt;
    const double v = DecimalLiteralValue(number->literal);
    if (std::isinf(v)) return std::nullopt;
    return number->negative ? -v : v;
}

std::optional<long double> ParseNumberExtended(std::string_view text) {
    const std::optional<NumberText> number = SplitNumberText(text);
    // Beyond the double range it is no number, as for ParseNumber.
    if (!number || std::isinf(DecimalLiteralValue(number->literal))) return std::nullopt;
    const long double v = ReadExtended(number->literal);
    return number->negative ? -v : v;
}

std::optional<int> ParseInteger(std::string_view text) {
    std::string t = Trimmed(text);
    if (t.empty()) return std::nullopt;
    size_t i = 0;
    bool negative = false;
    if (t[i] == '+' || t[i] == '-') negative = t[i++] == '-';
    if (i == t.size()) return std::nullopt;
    long long v = 0;
    for (; i < t.size(); ++i) {
        if (!IsDigit(t[i])) return std::nullopt;
        v = v * 10 + (t[i] - '0');
        if (v > 2147483648LL) return std::nullopt;
    }
    if (negative) v = -v;
    if (v > std::numeric_limits<int>::max() || v < std::numeric_limits<int>::min())
        return std::nullopt;
    return static_cast<int>(v);
}

double DecimalLiteralValue(std::string_view literal) {
    double v = 0;
    auto [ptr, ec] = std::from_chars(literal.data(), literal.data() + literal.size(), v,
                                     std::chars_format::general);
    if (ec == std::errc::result_out_of_range)
        return DecimalMagnitude(literal) > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    if (ec != std::errc()) return 0.0;
    return v;
}

} // namespace kestrix
