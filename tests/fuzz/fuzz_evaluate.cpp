// Arbitrary bytes through the flow-text evaluator. One evaluator lives for the
// whole run, as in the program, so variables pile up until the table is full
// and the refusal of new names gets exercised as well. Any broken invariant
// aborts, which both libFuzzer and the standalone driver report.
#include "config/engine_texts.h"
#include "engine/expression_evaluator.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

using kestrix::EvaluationError;
using kestrix::EvaluationErrorKind;
using kestrix::ExpressionEvaluator;

void Check(bool condition, const char* what, std::string_view input) {
    if (condition) return;
    std::fprintf(stderr, "fuzz_evaluate: %s for input of %zu bytes\n", what, input.size());
    std::abort();
}

// Every library message is one of the known "%s: %s error" texts.
class CheckingSink : public kestrix::EvaluatorMessages {
  public:
    void LibraryError(const std::string& text) override {
        static const char* const known[] = {
            "sqrt: DOMAIN error", "pow: DOMAIN error",   "pow: OVERFLOW error",
            "log: DOMAIN error",  "log: SING error",     "log10: DOMAIN error",
            "log10: SING error",  "exp: OVERFLOW error", "asin: DOMAIN error",
            "acos: DOMAIN error",
        };
        for (const char* k : known)
            if (text == k) return;
        std::fprintf(stderr, "fuzz_evaluate: unexpected library message \"%s\"\n", text.c_str());
        std::abort();
    }
};

// The general format: "NAN", "INF", "-INF", or an optional minus, digits with
// at most one point, and an optional "E" with an optional minus and digits.
bool IsGeneralFormat(const std::string& s) {
    if (s == "NAN" || s == "INF" || s == "-INF") return true;
    size_t i = 0;
    if (i < s.size() && s[i] == '-') ++i;
    const size_t digitsStart = i;
    bool point = false;
    for (; i < s.size() && s[i] != 'E'; ++i) {
        if (s[i] == '.') {
            if (point) return false;
            point = true;
        } else if (s[i] < '0' || s[i] > '9') {
            return false;
        }
    }
    if (i == digitsStart) return false;
    if (i < s.size()) {
        ++i;
        if (i < s.size() && s[i] == '-') ++i;
        if (i == s.size()) return false;
        for (; i < s.size(); ++i)
            if (s[i] < '0' || s[i] > '9') return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static CheckingSink sink;
    static ExpressionEvaluator evaluator = [] {
        ExpressionEvaluator e;
        e.SetMessageSink(&sink);
        return e;
    }();

    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const size_t nul = input.find('\0');
    const size_t effectiveLength = nul == std::string_view::npos ? size : nul;
    const int countBefore = evaluator.VariableCount();

    try {
        const std::string result = evaluator.EvaluateFlowText(input);
        Check(!result.empty(), "empty result text", input);
        Check(IsGeneralFormat(result), "result text not in the general format", input);
        Check(effectiveLength <= ExpressionEvaluator::MaxTextLength, "long text accepted", input);
    } catch (const EvaluationError& error) {
        Check(!kestrix::EvaluationErrorText(error.kind()).empty(),
              "error text does not match its kind", input);
        switch (error.kind()) {
        case EvaluationErrorKind::TextTooLong:
            Check(effectiveLength > ExpressionEvaluator::MaxTextLength, "short text refused",
                  input);
            Check(evaluator.VariableCount() == countBefore, "refused text made variables", input);
            break;
        case EvaluationErrorKind::TooManyVariables:
            Check(evaluator.VariableCount() == ExpressionEvaluator::MaxVariables,
                  "table refused while not full", input);
            break;
        default:
            break;
        }
    }
    const int count = evaluator.VariableCount();
    Check(count >= countBefore, "variable count went down", input);
    Check(count <= ExpressionEvaluator::MaxVariables, "variable count beyond the table", input);

    // The predefined names keep working whatever the table holds.
    try {
        Check(evaluator.EvaluateFlowText("pi*0+e*0") == "0", "pi or e lost", input);
    } catch (const EvaluationError&) {
        Check(false, "pi or e refused", input);
    }
    return 0;
}
