// kestrix-calc run in-process through RunCalc: the worked examples of both
// engines, the evaluator's carried-over variables, JSON escaping, exit
// statuses, and the configuration-based commands on temporary folders.

#include "calc_run.h"
#include "config/engine_texts.h"
#include "engine/messages.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace kestrix {
namespace {

std::vector<std::string> Concat(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// The criteria of the duct worked example: 0.18 mm, 8 m/s, 0.1 mmAq/m, aspect 4.
std::vector<std::string> DuctExample(const std::vector<std::string>& rest) {
    return Concat({"duct", "--json", "--lang", "en", "--roughness", "0.18", "--velocity", "8.0",
                   "--loss", "0.10"},
                  rest);
}

// The criteria of the air-terminal worked example: 70 %, 3.0 m/s.
std::vector<std::string> TerminalExample(const std::vector<std::string>& rest) {
    return Concat(
        {"terminal", "--json", "--lang", "en", "--free-area", "70", "--face-velocity", "3.0"},
        rest);
}

// One duct candidate as JSON: size, velocity, loss, aspect, dynamic pressure.
std::string DuctCandidateJson(const std::vector<std::string>& texts) {
    static const char* const keys[] = {"size", "velocity", "loss", "aspect", "dynamic_pressure"};
    std::string object = "{";
    for (size_t i = 0; i < texts.size(); ++i)
        object += std::string(i ? "," : "") + "\"" + keys[i] + "\":\"" + texts[i] + "\"";
    return object + "}";
}

const std::vector<std::vector<std::string>> kDuctWorkedExample = {
    {"283Φ", "4.42", "0.099", "1.00", "1.19"},    {"300Φ", "3.93", "0.074", "1.00", "0.94"},
    {"300x300", "3.09", "0.048", "1.00", "0.58"}, {"300x250", "3.70", "0.075", "1.20", "0.84"},
    {"350x200", "3.97", "0.093", "1.75", "0.96"}, {"400x200", "3.47", "0.069", "2.00", "0.74"},
    {"450x200", "3.09", "0.053", "2.25", "0.58"}, {"500x150", "3.70", "0.093", "3.33", "0.84"},
    {"550x150", "3.37", "0.076", "3.67", "0.69"}, {"600x150", "3.09", "0.063", "4.00", "0.58"},
};

// ---------------------------------------------------------------------------
// duct

TEST(CalcDuct, WorkedExampleListsTheTenCandidatesAsOneJsonLine) {
    const Result r = Calc(DuctExample({"1000"}));
    ASSERT_EQ(r.status, kExitSuccess) << r.err;
    EXPECT_EQ(r.err, "");
    std::string entries;
    for (const auto& row : kDuctWorkedExample) {
        if (!entries.empty()) entries += ',';
        entries += DuctCandidateJson(row);
    }
    EXPECT_EQ(r.out, "{\"flow\":\"1000\",\"candidates\":[" + entries + "],\"message\":null}\n");
    EXPECT_EQ(r.out.rfind(R"({"flow":"1000","candidates":[{"size":"283Φ","velocity":"4.42",)"
                          R"("loss":"0.099","aspect":"1.00","dynamic_pressure":"1.19"},)",
                          0),
              0u);
}

TEST(CalcDuct, FlowIsEvaluatedBeforeSizing) {
    const Result r = Calc(DuctExample({"500*2"}));
    ASSERT_EQ(r.status, kExitSuccess);
    EXPECT_EQ(r.out.rfind(R"({"flow":"1000","candidates":[{"size":"283Φ")", 0), 0u) << r.out;
}

TEST(CalcDuct, PascalUnitsFollowTheUnitsText) {
    const Result r = Calc(Concat({"duct", "--json", "--lang", "en", "--roughness", "0.18",
                                  "--velocity", "8.0", "--loss", "1.0", "--units", "1"},
                                 {"1000"}));
    ASSERT_EQ(r.status, kExitSuccess);
    EXPECT_EQ(r.out.rfind(R"({"flow":"1000","candidates":[{"size":"282Φ","velocity":"4.45",)"
                          R"("loss":"0.989","aspect":"1.00","dynamic_pressure":"11.87"},)"
                          R"({"size":"300Φ","velocity":"3.93","loss":"0.728","aspect":"1.00",)"
                          R"("dynamic_pressure":"9.27"},)",
                          0),
              0u)
        << r.out;
}

struct SizeCase {
    const char* name;
    std::vector<std::string> args;
    std::string expected;
};

void PrintTo(const SizeCase& c, std::ostream* out) {
    *out << c.name;
}

class CalcDuctSize : public testing::TestWithParam<SizeCase> {};

TEST_P(CalcDuctSize, GivesSizeTextAndFields) {
    const Result r = Calc(DuctExample(GetParam().args));
    ASSERT_EQ(r.status, kExitSuccess) << r.err;
    EXPECT_EQ(r.out, GetParam().expected + "\n");
}

INSTANTIATE_TEST_SUITE_P(
    WorkedExample, CalcDuctSize,
    testing::Values(
        SizeCase{"Rectangle",
                 {"--width", "300", "--height", "250", "1000"},
                 R"({"flow":"1000","size":"300x250","velocity":"3.70","loss":"0.075",)"
                 R"("dynamic_pressure":"0.84","reference_flow":"1165","equivalent_diameter":"299",)"
                 R"("velocity_at_equivalent_diameter":"3.95","aspect":"1.20"})"},
        SizeCase{"Round",
                 {"--width", "283", "1000"},
                 R"({"flow":"1000","size":"283Φ","velocity":"4.42","loss":"0.099",)"
                 R"("dynamic_pressure":"1.19","reference_flow":"1005","equivalent_diameter":"283",)"
                 R"("velocity_at_equivalent_diameter":"4.42","aspect":"1.00"})"},
        SizeCase{"OptionsAfterFlow",
                 {"1000", "--height", "300", "--width", "300"},
                 R"({"flow":"1000","size":"300x300","velocity":"3.09","loss":"0.048",)"
                 R"("dynamic_pressure":"0.58","reference_flow":"1491","equivalent_diameter":"328",)"
                 R"("velocity_at_equivalent_diameter":"3.29","aspect":"1.00"})"},
        // A width that does not convert writes nothing, as in the window.
        SizeCase{"WidthNotANumber",
                 {"--width", "abc", "1000"},
                 R"({"flow":"1000","size":"","velocity":"","loss":"","dynamic_pressure":"",)"
                 R"("reference_flow":"","equivalent_diameter":"",)"
                 R"("velocity_at_equivalent_diameter":"","aspect":""})"}),
    [](const testing::TestParamInfo<SizeCase>& info) { return std::string(info.param.name); });

TEST(CalcDuct, LanguageChoosesTheDiameterMarkAndTheMessages) {
    Result r = Calc({"duct", "--json", "--lang", "ja", "--roughness", "0.18", "--velocity", "8",
                     "--loss", "0.1", "--width", "283", "1000"});
    EXPECT_NE(r.out.find(R"("size":"283φ")"), std::string::npos) << r.out;

    r = Calc(DuctExample({"20000000"}));
    EXPECT_EQ(r.status, kExitSuccess);
    EXPECT_EQ(r.out,
              "{\"flow\":\"20000000\",\"candidates\":[],\"message\":\"Flow Rate is too big.\"}\n");
    r = Calc({"duct", "--json", "--lang", "ja", "--roughness", "0.18", "--velocity", "8", "--loss",
              "0.1", "20000000"});
    EXPECT_EQ(r.out,
              "{\"flow\":\"20000000\",\"candidates\":[],\"message\":\"風量が多すぎます。\"}\n");
}

TEST(CalcDuct, UnusableCriteriaGiveTheEngineMessages) {
    Result r = Calc(Concat(
        {"duct", "--json", "--lang", "en", "--roughness", "0", "--velocity", "8", "--loss", "0.1"},
        {"1000"}));
    EXPECT_EQ(r.out, "{\"flow\":\"1000\",\"candidates\":[],\"message\":\"" +
                         SizingMessageText(SizingMessage::DuctRoughness) + "\"}\n");
    r = Calc(Concat({"duct", "--json", "--lang", "en", "--roughness", "0.18", "--velocity", "0",
                     "--loss", "0.1"},
                    {"1000"}));
    EXPECT_EQ(r.out, "{\"flow\":\"1000\",\"candidates\":[],\"message\":\"Please correct 'Unit "
                     "frictional loss' or 'maximum air velocity'\"}\n");
}

TEST(CalcDuct, PlainOutputIsAnAlignedTableWithTheMessageOnItsOwnLine) {
    std::vector<std::string> args = DuctExample({"1000"});
    args.erase(args.begin() + 1); // without --json
    Result r = Calc(args);
    ASSERT_EQ(r.status, kExitSuccess);
    std::istringstream lines(r.out);
    std::vector<std::string> all;
    for (std::string line; std::getline(lines, line);)
        all.push_back(line);
    ASSERT_EQ(all.size(), 13u) << r.out; // flow, blank, headings, ten rows
    EXPECT_NE(all[2].find("Velocity"), std::string::npos);
    for (size_t i = 0; i < kDuctWorkedExample.size(); ++i) {
        const std::string& line = all[3 + i];
        EXPECT_EQ(line.rfind(kDuctWorkedExample[i][0], 0), 0u) << line;
        // Right-aligned numbers: every row ends at the same column.
        EXPECT_EQ(line.size() - line.rfind(kDuctWorkedExample[i][4]), 4u) << line;
    }
    EXPECT_EQ(all[3].size(), all[12].size() + std::string("Φ").size() - 1);

    args = DuctExample({"2e7"});
    args.erase(args.begin() + 1);
    r = Calc(args);
    EXPECT_NE(r.out.find("\nFlow Rate is too big.\n"), std::string::npos) << r.out;
}

// ---------------------------------------------------------------------------
// terminal

TEST(CalcTerminal, WorkedExampleGivesAreasAndTwentyTwoCandidates) {
    const Result r = Calc(TerminalExample({"1000"}));
    ASSERT_EQ(r.status, kExitSuccess) << r.err;
    const std::string head = R"({"flow":"1000","effective_area":"0.093","necessary_area":"0.132",)"
                             R"("free_area":"70","candidates":[)";
    ASSERT_EQ(r.out.rfind(head, 0), 0u) << r.out;
    EXPECT_NE(r.out.find(R"([{"size":"450Φ","face_velocity":"2.50"},)"
                         R"({"size":"400x400","face_velocity":"2.48"},)"
                         R"({"size":"400x350","face_velocity":"2.83"},)"),
              std::string::npos);
    EXPECT_NE(r.out.find(R"({"size":"1300x150","face_velocity":"2.04"},)"
                         R"({"size":"1350x100","face_velocity":"2.94"}],"message":null})"
                         "\n"),
              std::string::npos);
    size_t entries = 0;
    for (size_t pos = r.out.find("{\"size\""); pos != std::string::npos;
         pos = r.out.find("{\"size\"", pos + 1))
        ++entries;
    EXPECT_EQ(entries, 22u);
}

TEST(CalcTerminal, SizeGivesFaceVelocityAndReferenceFlow) {
    Result r = Calc(TerminalExample({"--width", "400", "--height", "350", "1000"}));
    ASSERT_EQ(r.status, kExitSuccess);
    EXPECT_EQ(r.out, R"({"flow":"1000","free_area":"70","face_velocity":"2.83",)"
                     R"("reference_flow":"1058"})"
                     "\n");
    r = Calc(TerminalExample({"--width", "450", "1000"}));
    EXPECT_EQ(r.out, R"({"flow":"1000","free_area":"70","face_velocity":"2.50",)"
                     R"("reference_flow":"1202"})"
                     "\n");
}

TEST(CalcTerminal, UnusableCriteriaGiveTheLimitsMessage) {
    const Result r = Calc(
        {"terminal", "--json", "--lang", "en", "--free-area", "0", "--face-velocity", "3", "1000"});
    EXPECT_EQ(r.status, kExitSuccess);
    EXPECT_EQ(r.out, R"({"flow":"1000","effective_area":"","necessary_area":"","free_area":"",)"
                     R"("candidates":[],"message":")" +
                         SizingMessageText(SizingMessage::TerminalLimits) + "\"}\n");
}

// ---------------------------------------------------------------------------
// Empty flow, abandoned evaluations

TEST(CalcFlow, EmptyFlowDoesNothingAndPrintsTheEmptyResult) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {DuctExample({""}), R"({"flow":"","candidates":[],"message":null})"},
        {DuctExample({"--width", "300", "--height", "250", ""}),
         R"({"flow":"","size":"","velocity":"","loss":"","dynamic_pressure":"",)"
         R"("reference_flow":"","equivalent_diameter":"","velocity_at_equivalent_diameter":"",)"
         R"("aspect":""})"},
        {TerminalExample({""}),
         R"({"flow":"","effective_area":"","necessary_area":"","free_area":"","candidates":[],)"
         R"("message":null})"},
        {TerminalExample({"--width", "400", ""}),
         R"({"flow":"","free_area":"","face_velocity":"","reference_flow":""})"},
    };
    for (const auto& [args, expected] : cases) {
        const Result r = Calc(args);
        EXPECT_EQ(r.status, kExitSuccess);
        EXPECT_EQ(r.out, expected + "\n");
        EXPECT_EQ(r.err, "");
    }
}

TEST(CalcFlow, AbandonedEvaluationStopsTheSizingWithStatusOne) {
    for (const auto& args : {DuctExample({"1e200*1e200"}), TerminalExample({"1e200*1e200"}),
                             DuctExample({"--width", "300", "1e200*1e200"})}) {
        const Result r = Calc(args);
        EXPECT_EQ(r.status, kExitFailure);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, "浮動小数点数のオーバーフロー\n");
    }
}

// ---------------------------------------------------------------------------
// eval

TEST(CalcEval, VariablesCarryOverAndDoubleDashAllowsALeadingMinus) {
    Result r = Calc({"eval", "a = 850", "a*2", "A*2+pi-pi", "--", "-2^2", "-a"});
    EXPECT_EQ(r.status, kExitSuccess);
    EXPECT_EQ(r.out, "850\n1700\n1700\n-4\n-850\n");
    EXPECT_EQ(r.err, "");

    r = Calc({"eval", "--json", "x = 3", "x^2"});
    EXPECT_EQ(r.out, R"({"input":"x = 3","result":"3","messages":[],"error":null})"
                     "\n"
                     R"({"input":"x^2","result":"9","messages":[],"error":null})"
                     "\n");
}

TEST(CalcEval, JsonEscapesQuotesBackslashesAndControlCharacters) {
    const Result r =
        Calc({"eval", "--json", "say \"2\\3\"", "1\t+\n2", std::string("7\x01\xff", 3)});
    EXPECT_EQ(r.status, kExitSuccess);
    EXPECT_EQ(r.out, R"({"input":"say \"2\\3\"","result":"0","messages":[],"error":null})"
                     "\n"
                     R"({"input":"1\t+\n2","result":"3","messages":[],"error":null})"
                     "\n"
                     R"({"input":"7\u0001\ufffd","result":"7","messages":[],"error":null})"
                     "\n");
}

TEST(CalcEval, AbandonedTextGivesNullResultAndErrorAndTheNextTextStillRuns) {
    Result r = Calc({"eval", "--json", "1e200*1e200", "sqrt(-1)", "10/sqrt(-1)", "2+2"});
    EXPECT_EQ(r.status, kExitFailure);
    EXPECT_EQ(r.out, R"j({"input":"1e200*1e200","result":null,"messages":[],)j"
                     R"j("error":"浮動小数点数のオーバーフロー"})j"
                     "\n"
                     R"j({"input":"sqrt(-1)","result":"NAN","messages":["sqrt: DOMAIN error"],)j"
                     R"j("error":null})j"
                     "\n"
                     R"j({"input":"10/sqrt(-1)","result":null,"messages":["sqrt: DOMAIN error"],)j"
                     R"j("error":"不正な浮動小数点数演算命令"})j"
                     "\n"
                     R"j({"input":"2+2","result":"4","messages":[],"error":null})j"
                     "\n");

    r = Calc({"eval", "sqrt(-1)", "1e200*1e200", "5"});
    EXPECT_EQ(r.status, kExitFailure);
    EXPECT_EQ(r.out, "NAN\n5\n");
    EXPECT_EQ(r.err, "sqrt: DOMAIN error\n浮動小数点数のオーバーフロー\n");
}

TEST(CalcEval, TextsOverTheEvaluatorLimitAreRefused) {
    const Result r = Calc({"eval", "--json", std::string(256, '1'), std::string(255, '0')});
    EXPECT_EQ(r.status, kExitFailure);
    EXPECT_NE(r.out.find("\"result\":null"), std::string::npos);
    EXPECT_NE(r.out.find("\"result\":\"0\""), std::string::npos);
}

// Texts are read as the window reads them, in the code page: the limit counts
// its bytes (two for "あ", where UTF-8 takes three), a full-width character is
// one unknown character whole, and one the code page cannot hold is "?".
TEST(CalcEval, TextsAreReadInTheCodePage) {
    std::string hundredWide;
    for (int i = 0; i < 100; ++i)
        hundredWide += "あ";
    Result r = Calc({"eval", "p=16", "sqrt１", "sqrt（１６）", "2" + hundredWide, "3😀"});
    EXPECT_EQ(r.status, kExitSuccess) << r.err;
    EXPECT_EQ(r.out, "16\n0\n0\n2\n3\n");
    r = Calc({"eval", "2" + hundredWide + hundredWide});
    EXPECT_EQ(r.status, kExitFailure);
}

// ---------------------------------------------------------------------------
// Usage

TEST(CalcUsage, BadCommandLinesGiveStatusTwoAndAMessage) {
    const std::vector<std::string> duct = {"duct", "--roughness", "0.18", "--velocity",
                                           "8",    "--loss",      "0.1"};
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"frobnicate"},
        {"eval"},
        {"eval", "-2^2"},
        {"eval", "--lang", "fr", "1"},
        {"eval", "--lang"},
        {"duct", "--velocity", "8", "--loss", "0.1", "1000"},
        Concat(duct, {}),
        Concat(duct, {"1000", "2000"}),
        Concat(duct, {"--bogus", "1", "1000"}),
        Concat(duct, {"--height", "250", "1000"}),
        Concat(duct, {"--aspect", "four", "1000"}),
        Concat(duct, {"--loss", "0.2", "1000"}),
        Concat(duct, {"--style", "0", "1000"}),
        {"duct", "--roughness", "0.18", "--velocity", "8.0.0", "--loss", "0.1", "1000"},
        {"terminal", "--face-velocity", "3", "1000"},
        {"terminal", "--free-area", "70", "--face-velocity", "3", "--roughness", "1", "1000"},
        {"terminal", "--free-area", "70", "--face-velocity", "3", "--", "-5", "6"},
        {"styles", "extra"},
    };
    for (const auto& args : cases)
        ExpectUsageError(args);
}

TEST(CalcUsage, HelpDocumentsTheCommandsAndTheBounds) {
    const Result r = Calc({"--help"});
    EXPECT_EQ(r.status, kExitSuccess);
    EXPECT_EQ(r.out, CalcHelpText());
    for (const char* text : {"eval", "duct", "terminal", "styles", "--style", "--config-dir",
                             "10000000", "1000", "340 m/s", "255 bytes", "1 km2"})
        EXPECT_NE(r.out.find(text), std::string::npos) << text;
    // After a command, its own part: its usage and options, not the others'.
    const Result duct = Calc({"duct", "--roughness", "x", "--help"});
    EXPECT_EQ(duct.status, kExitSuccess);
    EXPECT_EQ(duct.out.rfind("Usage: kestrix-calc duct ", 0), 0u) << duct.out;
    EXPECT_NE(duct.out.find("--roughness"), std::string::npos);
    EXPECT_EQ(duct.out.find("--free-area"), std::string::npos);
    EXPECT_EQ(Calc({"help", "duct"}).out, duct.out);
    ExpectUsageError({"help", "frobnicate"});
}

// ---------------------------------------------------------------------------
// Configuration files

class CalcConfig : public testing::Test {
  protected:
    void Write(const std::string& name, const std::string& bytes) {
        std::ofstream file(QDir(dir_.path()).filePath(QString::fromStdString(name)).toStdString(),
                           std::ios::binary);
        file << bytes;
    }
    // The three English files used by most tests; the name of duct style 4 is
    // "スタイル" in code page 932. suffix "" writes them as the Japanese files.
    void WriteEnglishFiles(const std::string& suffix = "_e") {
        Write("KSX_Set1" + suffix + ".cfg",
              ";----\r\n"
              " 1,\"Office\", 1, 8.0, 0.10, 0, 4.0\r\n"
              " 2,\"Pa style\", 1, 8.0, 1.00, 1, 4.0\r\n"
              " 3,\"No material\", 5, 8.0, 0.10, 0, 4.0\r\n"
              " 0,\"Bad zero\", 1, 8.0, 0.10, 0, 4.0\r\n"
              "65,\"Bad big\", 1, 8.0, 0.10, 0, 4.0\r\n"
              " 4,\"\x83\x58\x83\x5e\x83\x43\x83\x8b\", 1, 10.0, 0.10, 0, 4.0\r\n");
        Write("ksx_mate" + suffix + ".cfg",
              "1,\"Galvanized steel\",0.18\r\nx,\"Bad\",0.5\r\n2,\"Rough\",0.9\r\n");
        Write("KSX_Set2" + suffix + ".cfg",
              " 1,\"Supply\", 70.0, 3.0\r\n 3,\"Gap\", 50.0, 2.0\r\n");
    }
    Result CalcIn(std::vector<std::string> args) {
        args.insert(args.begin() + 1, {"--config-dir", dir_.path().toStdString()});
        return Calc(args);
    }

    QTemporaryDir dir_;
    const std::string badDuctRow =
        "Duct selection style number is illegitimate. Effective value 64 is from 1.";
    const std::string badMaterialRow =
        "Material data number is illegitimate. Effective value 64 is from 1.";
};

TEST_F(CalcConfig, StylesListsTablesListsAndMessagesInStartUpOrder) {
    WriteEnglishFiles();
    Write("KSX_Set2_e.cfg", ";only a comment\r\n");
    const Result r = CalcIn({"styles", "--json", "--lang", "en"});
    ASSERT_EQ(r.status, kExitSuccess) << r.err;
    EXPECT_EQ(r.out, R"({"materials":[["Galvanized steel","0.18"],["Rough","0.9"]],)"
                     R"("duct_styles":[["Office","1","8.0","0.10","0","4.0"],)"
                     R"(["Pa style","1","8.0","1.00","1","4.0"],)"
                     R"(["No material","5","8.0","0.10","0","4.0"],)"
                     R"(["スタイル","1","10.0","0.10","0","4.0"]],)"
                     R"("terminal_styles":[],"messages":[")" +
                         badDuctRow + R"(",")" + badDuctRow + R"(",")" + badMaterialRow +
                         R"(","Diffuser selection style is not registered."],)"
                         R"("duct_list":["Office","Pa style","No material","スタイル"],)"
                         R"("terminal_list":[]})"
                         "\n");

    const Result plain = CalcIn({"styles", "--lang", "en"});
    EXPECT_EQ(plain.status, kExitSuccess);
    EXPECT_NE(plain.out.find("Galvanized steel"), std::string::npos);
    EXPECT_NE(plain.out.find("スタイル"), std::string::npos);
    EXPECT_NE(plain.out.find("Diffuser selection style is not registered.\n"), std::string::npos);
}

TEST_F(CalcConfig, JapaneseFilesAreReadWithLangJa) {
    Write("KSX_Set1.cfg", "");
    Write("ksx_mate.cfg", "1,\"\x8d\x7c\",0.18\r\n"); // 鋼
    Write("KSX_Set2.cfg", "1,\"A\",70.0,3.0\r\n");
    Result r = CalcIn({"styles", "--json", "--lang", "ja"});
    ASSERT_EQ(r.status, kExitSuccess) << r.err;
    EXPECT_EQ(r.out, R"({"materials":[["鋼","0.18"]],"duct_styles":[],)"
                     R"("terminal_styles":[["A","70.0","3.0"]],)"
                     R"("messages":["ﾀﾞｸﾄ選定ｽﾀｲﾙが登録されていません。"],)"
                     R"("duct_list":[],"terminal_list":["A"]})"
                     "\n");
    // The plain table is headed in the language of the files it shows.
    r = CalcIn({"styles", "--lang", "ja"});
    ASSERT_EQ(r.status, kExitSuccess) << r.err;
    EXPECT_NE(r.out.find("番号  名称  内面粗度[mm]\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("N  名称  開口率[%]  面風速[m/s]\n"), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find("Name"), std::string::npos) << r.out;
    // The English files are not there: the first one read is the duct-style file.
    r = CalcIn({"styles", "--json", "--lang", "en"});
    EXPECT_EQ(r.status, kExitFailure);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "need files-[KSX_Set1_e.cfg] are not found.\nCan not start.\n");
}

TEST_F(CalcConfig, MissingRequiredFileGivesItsMessageAndStatusOne) {
    WriteEnglishFiles();
    QDir(dir_.path()).remove("KSX_Set2_e.cfg");
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"styles", "--lang", "en"},
             {"duct", "--lang", "en", "--style", "0", "1000"},
             {"terminal", "--lang", "en", "--style", "0", "1000"}}) {
        const Result r = CalcIn(args);
        EXPECT_EQ(r.status, kExitFailure) << args[0];
        EXPECT_EQ(r.out, "");
        // The messages of the files read before come first.
        EXPECT_EQ(r.err, badDuctRow + "\n" + badDuctRow + "\n" + badMaterialRow +
                             "\nneed files-[KSX_Set2_e.cfg] are not found.\nCan not start.\n");
    }
}

TEST_F(CalcConfig, StylePicksTheCriteriaOfThatListPosition) {
    WriteEnglishFiles();
    // Style 0 holds the duct worked example's criteria.
    Result byStyle = CalcIn({"duct", "--json", "--lang", "en", "--style", "0", "1000"});
    ASSERT_EQ(byStyle.status, kExitSuccess);
    EXPECT_EQ(byStyle.out, Calc(DuctExample({"1000"})).out);
    EXPECT_EQ(byStyle.err, badDuctRow + "\n" + badDuctRow + "\n" + badMaterialRow + "\n");

    byStyle = CalcIn({"duct", "--json", "--lang", "en", "--style", "0", "--width", "300",
                      "--height", "250", "1000"});
    EXPECT_EQ(byStyle.out, Calc(DuctExample({"--width", "300", "--height", "250", "1000"})).out);

    // Style 1 states its loss limit in Pa/m.
    byStyle = CalcIn({"duct", "--json", "--lang", "en", "--style", "1", "1000"});
    EXPECT_EQ(byStyle.out.rfind(R"({"flow":"1000","candidates":[{"size":"282Φ","velocity":"4.45",)"
                                R"("loss":"0.989","aspect":"1.00","dynamic_pressure":"11.87"})",
                                0),
              0u)
        << byStyle.out;

    // Style 2 names material row 5, which is not loaded: no roughness.
    byStyle = CalcIn({"duct", "--json", "--lang", "en", "--style", "2", "1000"});
    EXPECT_EQ(byStyle.out, "{\"flow\":\"1000\",\"candidates\":[],\"message\":\"" +
                               SizingMessageText(SizingMessage::DuctRoughness) + "\"}\n");

    // The plain output names the style, in UTF-8.
    byStyle = CalcIn({"duct", "--lang", "en", "--style", "3", "1000"});
    const std::string firstLine = byStyle.out.substr(0, byStyle.out.find('\n'));
    EXPECT_EQ(firstLine.rfind("Style:", 0), 0u) << byStyle.out;
    EXPECT_EQ(firstLine.substr(firstLine.size() - std::string("スタイル").size()), "スタイル");

    byStyle = CalcIn({"terminal", "--json", "--lang", "en", "--style", "0", "1000"});
    ASSERT_EQ(byStyle.status, kExitSuccess);
    EXPECT_EQ(byStyle.out, Calc(TerminalExample({"1000"})).out);
}

// Without criteria options duct and terminal size as --style 0 does, and the
// heading says which style that was.
TEST_F(CalcConfig, WithoutCriteriaStyleZeroIsTakenAndNamed) {
    WriteEnglishFiles();
    for (const std::string command : {"duct", "terminal"}) {
        for (const bool json : {false, true}) {
            std::vector<std::string> args = {command, "--lang", "en", "1000"};
            if (json) args.insert(args.begin() + 1, "--json");
            const Result byDefault = CalcIn(args);
            ASSERT_EQ(byDefault.status, kExitSuccess) << command << byDefault.err;
            args.insert(args.end() - 1, {"--style", "0"});
            EXPECT_EQ(byDefault.out, CalcIn(args).out) << command;
            if (!json) {
                EXPECT_EQ(byDefault.out.rfind("Style:", 0), 0u) << byDefault.out;
            }
        }
    }
    const Result office = CalcIn({"duct", "--lang", "en", "1000"});
    EXPECT_NE(office.out.substr(0, office.out.find('\n')).find("Office"), std::string::npos);
    // A style file without styles is the files' fault, not the command line's.
    Write("KSX_Set2_e.cfg", ";no styles\r\n");
    const Result none = CalcIn({"terminal", "--lang", "en", "1000"});
    EXPECT_EQ(none.status, kExitFailure);
    EXPECT_EQ(none.out, "");
}

TEST_F(CalcConfig, StyleOutOfRangeOrOnAnEmptySlotIsAUsageError) {
    WriteEnglishFiles();
    // The terminal file numbers its rows 1 and 3: list position 1 stands for slot 1, empty.
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"duct", "--lang", "en", "--style", "4", "1000"},
             {"duct", "--lang", "en", "--style", "-1", "1000"},
             {"duct", "--lang", "en", "--style", "first", "1000"},
             {"terminal", "--lang", "en", "--style", "1", "1000"},
             {"terminal", "--lang", "en", "--style", "2", "1000"}}) {
        const Result r = CalcIn(args);
        EXPECT_EQ(r.status, kExitUsage) << args[0] << " " << args[4];
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find("kestrix-calc: --style"), std::string::npos) << r.err;
    }
}

// Every heading of the tables, in both languages, byte for byte: they come
// from the translation catalogue, where a slip would change them silently.
TEST_F(CalcConfig, TableHeadingsSpeakTheLanguage) {
    WriteEnglishFiles();
    WriteEnglishFiles("");
    struct Case {
        std::vector<std::string> args; // after the language
        std::vector<std::string> en, ja;
    };
    const std::vector<Case> cases = {
        {{"duct", "--style", "0", "1000"},
         {"Style", "Flow Rate[CMH]", "Size[mm]", "Velocity[m/s]", "DeltaPr.[mmAq/m]",
          "Aspect Ratio", "Dynamic Pr.[kgf/m²]"},
         {"スタイル", "風量[CMH]", "サイズ[mm]", "風速[m/s]", "Δp[mmAq/m]", "ｱｽﾍﾟｸﾄ比",
          "動圧[kgf/㎡]"}},
        {{"duct", "--style", "1", "--width", "300", "1000"},
         {"DeltaPr.[Pa/m]", "Dynamic Pr.[Pa]", "Standard Flow[CMH]", "Equivalent Dia.[mm]",
          "Velocity E.Dia.[m/s]"},
         {"Δp[Pa/m]", "動圧[Pa]", "基準風量[CMH]", "相当直径[mm]", "丸ﾀﾞｸﾄ換算時風速[m/s]"}},
        {{"terminal", "1000"},
         {"Effective Area[m²]", "Necessary Area[m²]", "Free Area[%]", "Surface Velocity[m/s]"},
         {"有効[㎡]", "必要[㎡]", "開口率[%]", "面風速[m/s]"}},
        {{"styles"},
         {"Materials", "Duct styles (--style N)", "Air-terminal styles (--style N)", "Messages",
          "Row", "Name", "Roughness[mm]", "Material", "Velocity[m/s]", "Friction loss", "Units",
          "Aspect ratio", "Free area[%]", "Face velocity[m/s]"},
         {"ダクト材質", "ダクト選定スタイル (--style N)", "器具選定スタイル (--style N)",
          "メッセージ", "番号", "名称", "内面粗度[mm]", "ダクト内風速[m/s]", "最大摩擦損失", "単位",
          "アスペクト比", "開口率[%]", "面風速[m/s]"}},
    };
    for (const Case& c : cases) {
        for (const std::string lang : {"en", "ja"}) {
            std::vector<std::string> args = c.args;
            args.insert(args.begin() + 1, {"--lang", lang});
            const Result r = CalcIn(args);
            ASSERT_EQ(r.status, kExitSuccess) << r.err;
            // The cells of the output: runs of two blanks part them, a colon ends a label.
            std::set<std::string> cells;
            std::istringstream lines(r.out);
            for (std::string line; std::getline(lines, line);) {
                for (size_t start = 0; start < line.size();) {
                    const size_t gap = std::min(line.find("  ", start), line.size());
                    std::string cell = line.substr(start, gap - start);
                    if (!cell.empty() && cell.back() == ':') cell.pop_back();
                    cells.insert(cell);
                    start = line.find_first_not_of(' ', gap);
                }
            }
            for (const std::string& heading : lang == "en" ? c.en : c.ja)
                EXPECT_EQ(cells.count(heading), 1u) << lang << " " << args[0] << ": " << heading;
        }
    }
}

} // namespace
} // namespace kestrix
