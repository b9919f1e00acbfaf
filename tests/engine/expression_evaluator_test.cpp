#include "engine/expression_evaluator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace kestrix {
namespace {

class RecordingSink : public EvaluatorMessages {
  public:
    void LibraryError(const std::string& text) override { messages.push_back(text); }
    std::vector<std::string> messages;
};

// One flow text, the text it must give and the library messages it must
// report, in order.
struct FlowCase {
    const char* input;
    const char* expected;
    std::vector<std::string> messages = {};
};

// A text in a test's name: control characters escaped, so that the names
// ctest lists stay on one line and free of tabs.
std::string Shown(std::string_view text) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\t')
            out += "\\t";
        else if (c == '\n')
            out += "\\n";
        else if (byte < 0x20)
            out += {'\\', 'x', kHex[byte >> 4], kHex[byte & 15]};
        else
            out += c;
    }
    return out + "\"";
}

std::ostream& operator<<(std::ostream& os, const FlowCase& c) {
    return os << Shown(c.input) << " -> " << Shown(c.expected);
}

class EvaluatorTest : public ::testing::Test {
  protected:
    EvaluatorTest() { evaluator.SetMessageSink(&sink); }

    void ExpectFlow(const FlowCase& c) {
        sink.messages.clear();
        EXPECT_EQ(evaluator.EvaluateFlowText(c.input), c.expected) << c;
        EXPECT_EQ(sink.messages, c.messages) << c;
    }

    RecordingSink sink;
    ExpressionEvaluator evaluator;
};

class FlowTextTest : public EvaluatorTest, public ::testing::WithParamInterface<FlowCase> {};

TEST_P(FlowTextTest, GivesExpectedTextAndMessages) {
    // A fresh evaluator for every case: results must not depend on earlier texts.
    ExpectFlow(GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Arithmetic, FlowTextTest,
    ::testing::Values(FlowCase{"1200*3", "3600"}, FlowCase{"1000/3", "333.333333333333"},
                      FlowCase{"10-2-3", "5"}, FlowCase{"100/10/5", "2"}, FlowCase{"2+3*4", "14"},
                      FlowCase{"(2+3)*4", "20"}, FlowCase{"2^10", "1024"}, FlowCase{"-2^2", "-4"},
                      FlowCase{"--2", "2"}, FlowCase{"2*-3", "-6"}, FlowCase{"2^3^2", "512"},
                      FlowCase{"2^-1", "0"}, FlowCase{"2^0.5", "1.4142135623731"},
                      FlowCase{"0^0", "1"}, FlowCase{" \t1200 *\r\n3 ", "3600"},
                      FlowCase{"0.1+0.2", "0.3"}));

INSTANTIATE_TEST_SUITE_P(
    Functions, FlowTextTest,
    ::testing::Values(
        FlowCase{"sin(30)", "0.5"}, FlowCase{"cos(60)", "0.5"}, FlowCase{"tan(45)", "1"},
        FlowCase{"atan(1)", "45"}, FlowCase{"asin(1)", "90"}, FlowCase{"acos(0)", "90"},
        FlowCase{"acos(1)", "0"}, FlowCase{"deg(1)", "57.2957795130823"},
        FlowCase{"rad(180)", "3.14159265358979"}, FlowCase{"round(2.5)", "3"},
        FlowCase{"round(-2.5)", "-2"}, FlowCase{"round(2.4999)", "2"},
        // The sum is exact, so a value just below a half is not pushed up.
        FlowCase{"round(0.49999999999999994)", "0"}, FlowCase{"sqr(3)", "9"},
        FlowCase{"sqr(-3)", "9"}, FlowCase{"sqrt(2)*450", "636.396103067893"},
        FlowCase{"SQRT(16)", "4"}, FlowCase{"Sin(30)", "0.5"},
        FlowCase{"exp(1)", "2.71828182845905"}, FlowCase{"ln(e)", "1"},
        FlowCase{"log10(1000)", "3"}, FlowCase{"fabs(-3.5)", "3.5"}, FlowCase{"ceil(2.1)", "3"},
        FlowCase{"ceil(-2.5)", "-2"}, FlowCase{"floor(-2.1)", "-3"}, FlowCase{"floor(2.9)", "2"},
        FlowCase{"2*pi", "6.28318530717959"}, FlowCase{"e", "2.71828182845905"},
        FlowCase{"sqrt[16]*2", "8"}, FlowCase{"sqrt{9}+1", "4"}, FlowCase{"sqrt 9", "0"}));

INSTANTIATE_TEST_SUITE_P(
    MalformedText, FlowTextTest,
    ::testing::Values(FlowCase{"", "0"}, FlowCase{"   ", "0"}, FlowCase{".5", "0"},
                      FlowCase{"2*.5", "0"}, FlowCase{"*5", "0"}, FlowCase{"+5", "5"},
                      FlowCase{"12 34", "12"}, FlowCase{"1,000", "1"}, FlowCase{"2pi", "2"},
                      FlowCase{"100)", "100"}, FlowCase{"(1+2]", "3"}, FlowCase{"foo", "0"},
                      FlowCase{"foo(2)", "0"}, FlowCase{"10/0", "10"}, FlowCase{"10/(5-5)*2", "20"},
                      FlowCase{"10/0/0", "10"},
                      // Full-width digits are bytes outside the grammar.
                      FlowCase{"\xEF\xBC\x91\xEF\xBC\x92", "0"}, FlowCase{"0x10", "0"},
                      FlowCase{"2e", "2"}, FlowCase{"2e+", "2"}, FlowCase{"2E-x", "2"},
                      // Nothing is read past the end of the text.
                      FlowCase{"(1+2", "3"}, FlowCase{"sqrt", "0"}, FlowCase{"sqrt(", "0"},
                      FlowCase{"sqrt(9", "3"}, FlowCase{"(", "0"}, FlowCase{"2*(", "0"},
                      FlowCase{"-", "0"}, FlowCase{"a=", "0"}, FlowCase{"2^", "1"}));

INSTANTIATE_TEST_SUITE_P(NumberLiterals, FlowTextTest,
                         ::testing::Values(FlowCase{"1e3", "1000"}, FlowCase{"1E-5", "1E-5"},
                                           FlowCase{"1e15", "1E15"}, FlowCase{"1e+2", "100"},
                                           FlowCase{"1.e3", "1000"}, FlowCase{"1.", "1"},
                                           FlowCase{"007", "7"}, FlowCase{"1e999", "INF"},
                                           FlowCase{"1e-999", "0"}, FlowCase{"1e-300", "1E-300"}));

INSTANTIATE_TEST_SUITE_P(
    GeneralFormat, FlowTextTest,
    ::testing::Values(
        FlowCase{"2400", "2400"}, FlowCase{"1/3", "0.333333333333333"},
        FlowCase{"-1/3", "-0.333333333333333"}, FlowCase{"2/3", "0.666666666666667"},
        FlowCase{"0.001", "0.001"}, FlowCase{"0.0001", "0.0001"}, FlowCase{"0.00001", "1E-5"},
        FlowCase{"1.5e-7", "1.5E-7"}, FlowCase{"123456789012345", "123456789012345"},
        FlowCase{"1234567890123456", "1.23456789012346E15"}, FlowCase{"999999999999999.9", "1E15"},
        FlowCase{"0.12345678901234567", "0.123456789012346"}, FlowCase{"1e100", "1E100"},
        FlowCase{"-2.5e-20", "-2.5E-20"}, FlowCase{"-0", "0"}));

// The angles are intermediate results in extended precision: rounded to a
// double first, large angles lose the last digit (sin(-918) is sin 18,
// 0.30901699437494742; the double angle gave ...945).
INSTANTIATE_TEST_SUITE_P(ExtendedAngles, FlowTextTest,
                         ::testing::Values(FlowCase{"sin(0-918)", "0.309016994374947"},
                                           FlowCase{"tan(1172)", "-28.6362532829163"},
                                           FlowCase{"atan(14.47)", "86.04666030288"},
                                           FlowCase{"asin(0.5)", "30"}, FlowCase{"acos(0)", "90"},
                                           FlowCase{"sin(30)", "0.5"}));

INSTANTIATE_TEST_SUITE_P(
    LibraryErrors, FlowTextTest,
    ::testing::Values(FlowCase{"sqrt(-1)", "NAN", {"sqrt: DOMAIN error"}},
                      FlowCase{"ln(0)", "-INF", {"log: SING error"}},
                      FlowCase{"ln(-1)", "NAN", {"log: DOMAIN error"}},
                      FlowCase{"log10(0)", "-INF", {"log10: SING error"}},
                      FlowCase{"log10(-5)", "NAN", {"log10: DOMAIN error"}},
                      FlowCase{"exp(1000)", "INF", {"exp: OVERFLOW error"}},
                      FlowCase{"asin(2)", "NAN", {"asin: DOMAIN error"}},
                      FlowCase{"acos(-2)", "NAN", {"acos: DOMAIN error"}},
                      FlowCase{"(-8)^(1/3)", "NAN", {"pow: DOMAIN error"}},
                      FlowCase{"0^(-1)", "NAN", {"pow: DOMAIN error"}},
                      FlowCase{"sqr(1e200)", "INF", {"pow: OVERFLOW error"}},
                      FlowCase{"(-10)^309", "INF", {"pow: OVERFLOW error"}},
                      FlowCase{"10^400", "INF", {"pow: OVERFLOW error"}},
                      // Reported in the order of evaluation; the evaluation goes on.
                      FlowCase{"sqrt(-1)+ln(0)", "NAN", {"sqrt: DOMAIN error", "log: SING error"}},
                      FlowCase{"ln(0)+asin(3)*2", "NAN", {"log: SING error", "asin: DOMAIN error"}},
                      FlowCase{"sqrt(-1)^2", "NAN", {"sqrt: DOMAIN error"}},
                      FlowCase{"sqrt(-1)/2", "NAN", {"sqrt: DOMAIN error"}},
                      FlowCase{"sqrt(sqrt(-1))", "NAN", {"sqrt: DOMAIN error"}},
                      FlowCase{"ln(0)*2", "-INF", {"log: SING error"}},
                      // Silent: underflow, huge and infinite angles, infinite arguments.
                      FlowCase{"exp(-1000)", "0"}, FlowCase{"1e-300*1e-300", "0"},
                      // Below the smallest normal double a library result is 0,
                      // not a denormal number; just above it, it stays.
                      FlowCase{"exp(0-740)", "0"}, FlowCase{"10^(0-310)", "0"},
                      FlowCase{"sqr(1e-160)", "0"}, FlowCase{"(0-1e-105)^3", "0"},
                      FlowCase{"exp(0-700)", "9.85967654375977E-305"},
                      FlowCase{"sin(1e400)", "NAN"}, FlowCase{"exp(1e400)", "INF"},
                      FlowCase{"1e400*2", "INF"}, FlowCase{"(-8)^3", "-512"}));

struct ErrorCase {
    const char* input;
    EvaluationErrorKind kind;
    std::vector<std::string> messagesBefore = {};
};

std::ostream& operator<<(std::ostream& os, const ErrorCase& c) {
    return os << Shown(c.input);
}

class FloatingPointErrorTest : public EvaluatorTest,
                               public ::testing::WithParamInterface<ErrorCase> {};

TEST_P(FloatingPointErrorTest, AbandonsTheEvaluation) {
    const ErrorCase& c = GetParam();
    try {
        evaluator.EvaluateFlowText(c.input);
        FAIL() << "no error for " << c;
    } catch (const EvaluationError& error) {
        EXPECT_EQ(error.kind(), c.kind) << c;
    }
    EXPECT_EQ(sink.messages, c.messagesBefore) << c;
}

INSTANTIATE_TEST_SUITE_P(
    All, FloatingPointErrorTest,
    ::testing::Values(
        ErrorCase{"1e200*1e200", EvaluationErrorKind::Overflow},
        ErrorCase{"1e308+1e308", EvaluationErrorKind::Overflow},
        ErrorCase{"-1e308-1e308", EvaluationErrorKind::Overflow},
        ErrorCase{"1/1e-310", EvaluationErrorKind::Overflow},
        ErrorCase{"deg(1e307)", EvaluationErrorKind::Overflow},
        ErrorCase{"1e300*1e300/1e300", EvaluationErrorKind::Overflow},
        ErrorCase{"10/sqrt(-1)", EvaluationErrorKind::InvalidOperation, {"sqrt: DOMAIN error"}},
        ErrorCase{"0/ln(-1)", EvaluationErrorKind::InvalidOperation, {"log: DOMAIN error"}},
        ErrorCase{"1e999-1e999", EvaluationErrorKind::InvalidOperation},
        ErrorCase{"0*1e999", EvaluationErrorKind::InvalidOperation},
        ErrorCase{"1e999/1e999", EvaluationErrorKind::InvalidOperation},
        ErrorCase{"exp(1000)-exp(1000)",
                  EvaluationErrorKind::InvalidOperation,
                  {"exp: OVERFLOW error", "exp: OVERFLOW error"}}));

TEST(EvaluateTest, NeedsNoSinkAndDefinesNothingByItself) {
    ExpressionEvaluator evaluator;
    EXPECT_TRUE(std::isnan(evaluator.Evaluate("sqrt(-1)")));
    EXPECT_EQ(evaluator.Evaluate("pi"), 0.0); // only the flow text predefines pi
    EXPECT_EQ(evaluator.VariableCount(), 1);
    EXPECT_EQ(evaluator.Evaluate("3*4 ignored text"), 12.0);
}

TEST(EvaluateTest, ReturnsTheStoredDouble) {
    ExpressionEvaluator evaluator;
    EXPECT_EQ(evaluator.Evaluate("0.1+0.2"), 0.1 + 0.2);
    EXPECT_EQ(evaluator.Evaluate("1/3"), 1.0 / 3.0);
    EXPECT_EQ(evaluator.Evaluate("1e999"), HUGE_VAL);
}

// Variables live in the evaluator from one text to the next.
struct Step {
    const char* input;
    const char* expected;
};

void RunSteps(ExpressionEvaluator& evaluator, const std::vector<Step>& steps) {
    for (const Step& step : steps)
        EXPECT_EQ(evaluator.EvaluateFlowText(step.input), step.expected) << step.input;
}

TEST(VariablesTest, SurviveBetweenEvaluationsWithoutRegardToCase) {
    ExpressionEvaluator evaluator;
    RunSteps(evaluator, {{"a = 850", "850"}, {"a*2", "1700"}, {"A*2", "1700"}, {"b", "0"}});
}

TEST(VariablesTest, PiAndEAreRedefinedBeforeEveryText) {
    ExpressionEvaluator evaluator;
    RunSteps(evaluator, {{"pi = 3", "3"},
                         {"pi", "3.14159265358979"},
                         {"PI = 2*pi", "6.28318530717959"},
                         {"e = 1", "1"},
                         {"E", "2.71828182845905"}});
}

TEST(VariablesTest, AssignmentIsAnExpression) {
    ExpressionEvaluator evaluator;
    RunSteps(evaluator, {{"a = b = 3", "3"},
                         {"a+b", "6"},
                         {"2*(a = 5)", "10"},
                         {"a", "5"},
                         {"x = x + 1", "1"},
                         {"x = x + 1", "2"}});
}

TEST(VariablesTest, UnknownNamesAndOnlyThoseTakeSlots) {
    ExpressionEvaluator evaluator;
    evaluator.EvaluateFlowText("1");
    EXPECT_EQ(evaluator.VariableCount(), 2); // pi and e
    evaluator.EvaluateFlowText("sqrt(4)+SIN(0)");
    EXPECT_EQ(evaluator.VariableCount(), 2);
    evaluator.EvaluateFlowText("foo(2)");
    EXPECT_EQ(evaluator.VariableCount(), 3);
    evaluator.EvaluateFlowText("FOO+foo");
    EXPECT_EQ(evaluator.VariableCount(), 3);
}

// The texts are code page 932. The trail byte of a double-byte character is
// no letter of its own: "１" (0x82 0x50) must not read as the variable P, nor
// "（" (0x81 0x69) as i.
TEST(VariablesTest, DoubleByteCharactersAreNoNamesOrDigits) {
    ExpressionEvaluator evaluator;
    EXPECT_EQ(evaluator.EvaluateFlowText("p=16"), "16");
    const int count = evaluator.VariableCount();
    EXPECT_EQ(evaluator.EvaluateFlowText("sqrt\x82\x50"), "0");
    EXPECT_EQ(evaluator.EvaluateFlowText("sqrt\x81\x69\x82\x50\x82\x55\x81\x6A"), "0");
    EXPECT_EQ(evaluator.VariableCount(), count);
    // A lead byte at the end of the text is one character by itself.
    EXPECT_EQ(evaluator.EvaluateFlowText("2*\x82"), "0");
}

TEST(VariablesTest, NamesAgreeingInTheirFirst31CharactersAreOneVariable) {
    ExpressionEvaluator evaluator;
    const std::string name31 = "abcdefghijklmnopqrstuvwxyz_1234";
    ASSERT_EQ(name31.size(), 31u);
    RunSteps(evaluator, {{(name31 + "X = 7").c_str(), "7"},
                         {(name31 + "Y_longer_tail").c_str(), "7"},
                         {name31.c_str(), "7"}});
    EXPECT_EQ(evaluator.VariableCount(), 3);
    // A name of 30 characters is a different one.
    EXPECT_EQ(evaluator.EvaluateFlowText(name31.substr(0, 30)), "0");
}

TEST(VariablesTest, FullTableRefusesNewNamesOnlyAndKeepsWorking) {
    ExpressionEvaluator evaluator;
    evaluator.EvaluateFlowText("1");
    for (int i = 0; i < ExpressionEvaluator::MaxVariables - 2; ++i) {
        std::string text(1, 'v');
        text.append(std::to_string(i)).append(" = ").append(std::to_string(i));
        ASSERT_EQ(evaluator.EvaluateFlowText(text), std::to_string(i));
    }
    ASSERT_EQ(evaluator.VariableCount(), ExpressionEvaluator::MaxVariables);

    for (const char* text : {"newname", "2*newname", "v1 + another"}) {
        try {
            evaluator.EvaluateFlowText(text);
            FAIL() << "no error for " << text;
        } catch (const EvaluationError& error) {
            EXPECT_EQ(error.kind(), EvaluationErrorKind::TooManyVariables);
        }
    }
    EXPECT_EQ(evaluator.VariableCount(), ExpressionEvaluator::MaxVariables);

    RunSteps(evaluator, {{"v253", "253"},
                         {"V10 * 2 + pi", "23.1415926535898"},
                         {"pi = 3", "3"},
                         {"PI", "3.14159265358979"},
                         {"e", "2.71828182845905"},
                         {"v0 = sqrt(16)", "4"},
                         {"v0", "4"},
                         {"1200*3", "3600"}});
}

TEST(TextLengthTest, AcceptsUpTo255BytesAndRefusesLongerInBothEntries) {
    std::string longest = "1";
    while (longest.size() + 2 <= ExpressionEvaluator::MaxTextLength)
        longest += "+1";
    ASSERT_EQ(longest.size(), ExpressionEvaluator::MaxTextLength);
    const std::string tooLong = longest + "1";

    ExpressionEvaluator evaluator;
    EXPECT_EQ(evaluator.EvaluateFlowText(longest), "128");
    EXPECT_EQ(evaluator.Evaluate(longest), 128.0);
    for (int entry = 0; entry < 2; ++entry) {
        try {
            if (entry == 0)
                evaluator.Evaluate(tooLong);
            else
                evaluator.EvaluateFlowText(tooLong);
            FAIL() << "no error, entry " << entry;
        } catch (const EvaluationError& error) {
            EXPECT_EQ(error.kind(), EvaluationErrorKind::TextTooLong);
        }
    }
}

TEST(TextLengthTest, RefusedTextChangesNoVariable) {
    ExpressionEvaluator evaluator;
    evaluator.EvaluateFlowText("a = 1");
    const int count = evaluator.VariableCount();
    std::string text = "a = 2 + newvar";
    text.append(300, ' ');
    EXPECT_THROW(evaluator.EvaluateFlowText(text), EvaluationError);
    EXPECT_EQ(evaluator.VariableCount(), count);
    EXPECT_EQ(evaluator.EvaluateFlowText("a"), "1");
}

TEST(TextLengthTest, NulByteEndsTheText) {
    ExpressionEvaluator evaluator;
    EXPECT_EQ(evaluator.EvaluateFlowText(std::string("1+2\0+5", 6)), "3");
    EXPECT_EQ(evaluator.Evaluate(std::string("\0"
                                             "5",
                                             2)),
              0.0);
    // What follows the NUL does not count towards the length.
    std::string text("7", 1);
    text.push_back('\0');
    text.append(400, '9');
    EXPECT_EQ(evaluator.EvaluateFlowText(text), "7");
}

TEST(TextLengthTest, TextIsReadOnlyWithinItsBounds) {
    // The views end before the characters that follow them in memory.
    const std::string backing = "(1+2)*4567";
    const std::string_view view(backing);
    ExpressionEvaluator evaluator;
    EXPECT_EQ(evaluator.EvaluateFlowText(view.substr(0, 4)), "3");
    EXPECT_EQ(evaluator.EvaluateFlowText(view.substr(0, 7)), "12");
    EXPECT_EQ(evaluator.EvaluateFlowText(view.substr(6, 2)), "45");
    EXPECT_EQ(evaluator.EvaluateFlowText(view), "13701");
    EXPECT_EQ(evaluator.EvaluateFlowText(std::string_view()), "0");
}

} // namespace
} // namespace kestrix
