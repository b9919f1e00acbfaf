#pragma once

#include <array>
#include <stdexcept>
#include <string>
#include <string_view>

namespace kestrix {

// Where the evaluator reports failures of the mathematical library functions
// ("sqrt: DOMAIN error"); the window turns them into message boxes, the
// command-line calculator collects them. The evaluation goes on afterwards.
class EvaluatorMessages {
  public:
    virtual ~EvaluatorMessages() = default;
    virtual void LibraryError(const std::string& text) = 0;
};

enum class EvaluationErrorKind {
    Overflow,         // an operator result beyond the double range
    InvalidOperation, // e.g. the zero test of a not-a-number divisor
    TextTooLong,      // more than MaxTextLength bytes
    TooManyVariables, // a new name while all variable slots are in use
};

// Abandons the evaluation and the user action that asked for it. The text to
// show is EvaluationErrorText(kind()) of config/engine_texts.h; what() only
// names the kind, for diagnostics.
class EvaluationError : public std::runtime_error {
  public:
    explicit EvaluationError(EvaluationErrorKind kind);
    EvaluationErrorKind kind() const { return kind_; }

  private:
    EvaluationErrorKind kind_;
};

// Recursive-descent calculator over doubles with variables that live for the
// whole run, "^" as power and seventeen functions with angles in degrees.
class ExpressionEvaluator {
  public:
    static constexpr int MaxVariables = 256;
    static constexpr int MaxNameLength = 31;
    static constexpr size_t MaxTextLength = 255;

    void SetMessageSink(EvaluatorMessages* sink) { sink_ = sink; }

    // Evaluates the first expression of the text, in code page 932; the rest
    // is ignored. A double-byte character is one character that is no part
    // of a number, a name or an operator. A NUL byte ends the text; a text
    // longer than MaxTextLength bytes is refused. Throws EvaluationError.
    double Evaluate(std::string_view text);

    // Defines pi and e afresh, evaluates the text and writes the result in
    // the general format. Throws EvaluationError.
    std::string EvaluateFlowText(std::string_view text);

    int VariableCount() const { return count_; }

  private:
    // Tokenizer and grammar levels, loosest binding first; see the .cpp file.
    int NextToken();
    double StoreResult(long double exact, double left, double right);
    double Expression();
    double Term();
    double Unary();
    double Power();
    double Primary();
    double ApplyFunction(int function, double x);
    double LibraryPow(double base, double exponent);
    int LookUp(std::string_view name);
    void ReportLibraryError(const char* function, const char* kind);
    [[noreturn]] void Fail(EvaluationErrorKind kind) const;

    EvaluatorMessages* sink_ = nullptr;

    std::string_view text_;
    size_t pos_ = 0;
    int token_ = 0;
    double number_ = 0.0;
    // Spelling of the last name token; it points into text_, which the
    // caller keeps alive for the evaluation, so no token allocates.
    std::string_view name_;

    std::array<std::array<char, MaxNameLength + 1>, MaxVariables> names_{};
    std::array<unsigned char, MaxVariables> nameLengths_{};
    std::array<double, MaxVariables> values_{};
    int count_ = 0;
};

} // namespace kestrix
