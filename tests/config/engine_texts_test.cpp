#include "config/engine_texts.h"
#include "config/system_texts.h"
#include "tests/config/language_scope.h"

#include <gtest/gtest.h>

#include <functional>
#include <iterator>
#include <string>

namespace kestrix {
namespace {

// Every code the engine hands over has its text in both languages; the
// Japanese ones come from the catalogue, so a code whose text was left out of
// it shows up here as English in the Japanese column.
struct CodeText {
    const char* name;
    std::function<std::string()> text;
    const char* english;
    const char* japanese;
};

SystemProblem Problem(SystemProblemKind kind, std::string detail = "D") {
    return {kind, "S", std::move(detail)};
}

TEST(EngineTexts, EveryCodeHasItsTextInBothLanguages) {
    using K = SystemProblemKind;
    const CodeText cases[] = {
        {"DuctLimits", [] { return SizingMessageText(SizingMessage::DuctLimits); },
         "Please correct 'Unit frictional loss' or 'maximum air velocity'",
         "単位摩擦損失または、最大風速の値を訂正してください"},
        {"FlowTooBig", [] { return SizingMessageText(SizingMessage::FlowTooBig); },
         "Flow Rate is too big.", "風量が多すぎます。"},
        {"DuctRoughness", [] { return SizingMessageText(SizingMessage::DuctRoughness); },
         "Please correct the 'Duct Roughness' of the duct material",
         "ダクト材質の内面粗度の値を訂正してください"},
        {"TerminalLimits", [] { return SizingMessageText(SizingMessage::TerminalLimits); },
         "Please correct 'Free Area' or 'Surface Velocity'",
         "開口率または、面風速の値を訂正してください"},
        {"None", [] { return SizingMessageText(SizingMessage::None); }, "", ""},
        {"ErrorCaption", [] { return ErrorCaption(); }, "Kestrix Error", "Kestrix エラー"},
        {"Overflow", [] { return EvaluationErrorText(EvaluationErrorKind::Overflow); },
         "浮動小数点数のオーバーフロー", "浮動小数点数のオーバーフロー"},
        {"InvalidOperation",
         [] { return EvaluationErrorText(EvaluationErrorKind::InvalidOperation); },
         "不正な浮動小数点数演算命令", "不正な浮動小数点数演算命令"},
        {"TextTooLong", [] { return EvaluationErrorText(EvaluationErrorKind::TextTooLong); },
         "The expression is too long: at most 255 characters.",
         "式が長すぎます。255文字までです。"},
        {"TooManyVariables",
         [] { return EvaluationErrorText(EvaluationErrorKind::TooManyVariables); },
         "Too many variables: at most 256 names can be defined.",
         "変数が多すぎます。定義できる名前は256個までです。"},
        {"NoSections",
         [] {
             return SystemProblemText({K::NoSections, "", ""});
         },
         "the system has no sections", "区間がありません。"},
        {"TooManySections",
         [] {
             return SystemProblemText({K::TooManySections, "", "100001"});
         },
         "the system has 100001 sections; at most 100000 are taken",
         "区間が多すぎます（100001、上限 100000）。"},
        {"EmptyId",
         [] {
             return SystemProblemText({K::EmptyId, "", "3"});
         },
         "section number 3 has no id", "3 番目の区間に id がありません。"},
        {"DuplicateId", [] { return SystemProblemText(Problem(K::DuplicateId)); },
         "section \"S\": this id is given to more than one section",
         "区間「S」：id が重複しています。"},
        {"UnknownUpstream", [] { return SystemProblemText(Problem(K::UnknownUpstream)); },
         "section \"S\": its upstream section \"D\" does not exist",
         "区間「S」：上流の区間「D」がありません。"},
        {"UpstreamOfItself", [] { return SystemProblemText(Problem(K::UpstreamOfItself)); },
         "section \"S\": it is given as its own upstream section",
         "区間「S」：自分自身が上流になっています。"},
        {"TwoFanSections", [] { return SystemProblemText(Problem(K::TwoFanSections)); },
         "section \"S\": a second section at the fan (no upstream), besides \"D\"",
         "区間「S」：送風機の区間（上流なし）が「D」と二つあります。"},
        {"NoFanSection",
         [] {
             return SystemProblemText({K::NoFanSection, "", ""});
         },
         "no section is at the fan (upstream null)", "送風機の区間（上流なし）がありません。"},
        {"Cycle", [] { return SystemProblemText(Problem(K::Cycle, "a > b > a")); },
         "section \"S\": its upstream sections run in a circle (a > b > a) and never reach the fan",
         "区間「S」：上流をたどると循環します（a > b > a）。"},
        {"BadLength", [] { return SystemProblemText(Problem(K::BadLength)); },
         "section \"S\": length D m is out of range (0 to 10000 m)",
         "区間「S」：長さ D m が不正です（0～10000 m）。"},
        {"BadFlow", [] { return SystemProblemText(Problem(K::BadFlow)); },
         "section \"S\": flow D is out of range (above 0, at most 10000000 CMH)",
         "区間「S」：風量 D が不正です（0 を超え 10000000 CMH 以下）。"},
        {"TerminalWithoutFlow", [] { return SystemProblemText(Problem(K::TerminalWithoutFlow)); },
         "section \"S\": it is a terminal and gives no flow",
         "区間「S」：末端の区間に風量がありません。"},
        // A detail that looks like a place marker stays as it is.
        {"FlowsDisagree", [] { return SystemProblemText(Problem(K::FlowsDisagree, "%2|900")); },
         "section \"S\": its flow %2 differs from the sum of its downstream sections, 900, by more "
         "than 0.5 %",
         "区間「S」：風量 %2 が下流の合計 900 と 0.5 % を超えて異なります。"},
        {"BadSize", [] { return SystemProblemText(Problem(K::BadSize)); },
         "section \"S\": size \"D\" is not a size in range (such as 400x300 or 350)",
         "区間「S」：サイズ「D」が読めないか範囲外です（例 400x300、350）。"},
        {"ShapeContradicts", [] { return SystemProblemText(Problem(K::ShapeContradicts)); },
         "section \"S\": size \"D\" contradicts its shape",
         "区間「S」：サイズ「D」が形状と合いません。"},
        {"BadMaxHeight", [] { return SystemProblemText(Problem(K::BadMaxHeight)); },
         "section \"S\": max_height D mm is out of range", "区間「S」：最大高さ D mm が不正です。"},
        {"NoSizeUnderMaxHeight", [] { return SystemProblemText(Problem(K::NoSizeUnderMaxHeight)); },
         "section \"S\": no candidate size is D mm high or lower",
         "区間「S」：高さ D mm 以下の候補がありません。"},
        {"BadFitting", [] { return SystemProblemText(Problem(K::BadFitting)); },
         "section \"S\": loss coefficient D is out of range", "区間「S」：損失係数 D が不正です。"},
        {"BadFixedLoss", [] { return SystemProblemText(Problem(K::BadFixedLoss)); },
         "section \"S\": fixed_loss D is out of range (0 or more)",
         "区間「S」：固定損失 D が不正です。"},
        {"BadTemperature",
         [] {
             return SystemProblemText({K::BadTemperature, "", "D"});
         },
         "air temperature D °C is out of range (-100 to 1000 °C)",
         "空気の温度 D ℃ が不正です（-100～1000 ℃）。"},
        {"BadElevation",
         [] {
             return SystemProblemText({K::BadElevation, "", "D"});
         },
         "elevation D m is out of range (-1000 to 11000 m)",
         "標高 D m が不正です（-1000～11000 m）。"},
        {"BadPressure",
         [] {
             return SystemProblemText({K::BadPressure, "", "D"});
         },
         "air pressure D kPa is out of range (10 to 1000 kPa)",
         "気圧 D kPa が不正です（10～1000 kPa）。"},
        {"BadPressureBoth",
         [] {
             return SystemProblemText({K::BadPressure, "", "both"});
         },
         "air gives both elevation and pressure; give one of them",
         "空気は標高か気圧のどちらか一方を指定してください。"},
        {"BadLimits",
         [] {
             return SystemProblemText({K::BadLimits, "", ""});
         },
         "the velocity, loss and aspect limits must be above 0",
         "風速・摩擦損失・アスペクト比の制限は正の値にしてください。"},
        {"BadRoughness",
         [] {
             return SystemProblemText({K::BadRoughness, "", "D"});
         },
         "roughness D mm is out of range (above 0)", "内面粗度 D mm が不正です。"},
        {"NoSize", [] { return SystemProblemText(Problem(K::NoSize)); },
         "section \"S\": no size fits (the flow is too small to size)",
         "区間「S」：サイズが決まりません（風量が小さすぎます）。"},
        {"NoSizeFlowTooBig",
         [] {
             return SystemProblemText({K::NoSize, "S", "", SizingMessage::FlowTooBig});
         },
         "section \"S\": Flow Rate is too big.", "区間「S」：風量が多すぎます。"},
        {"FileErrorPlaced",
         [] {
             SystemFileResult r;
             r.line = 2, r.column = 25, r.error.json = json_in::JsonProblem::EndsInsideObject;
             return SystemFileErrorText(r);
         },
         "line 2, column 25: the file ends inside an object",
         "ファイルの 2 行 25 列に誤りがあります：the file ends inside an object"},
        {"FileErrorWhole",
         [] {
             SystemFileResult r;
             r.error.form = SystemFormProblem::FileTooLarge;
             return SystemFileErrorText(r);
         },
         "the file is larger than 50 MB", "ファイルを読めません：the file is larger than 50 MB"},
    };
    // Ten rows of the sizing and evaluation codes, one per problem code (the
    // last is NoSize) and two of their variants, two of the file reader.
    static_assert(10 + (static_cast<std::size_t>(SystemProblemKind::NoSize) + 1) + 2 + 2 ==
                  std::size(cases));
    for (const bool japanese : {false, true}) {
        const LanguageScope language(japanese);
        for (const CodeText& c : cases)
            EXPECT_EQ(c.text(), japanese ? c.japanese : c.english) << c.name;
    }
}

// A report's words, units added by the engine, in both languages.
TEST(EngineTexts, ReportHeadingsInBothLanguages) {
    DuctSystem system;
    system.settings.pressureInPa = true;
    system.sections.push_back({});
    system.sections[0].id = "T";
    SystemResult result;
    result.sections.resize(1);
    result.sections[0].width = 300;
    result.upstream = {0};
    result.paths.push_back({});
    const struct {
        const char* english;
        const char* japanese;
    } cases[] = {
        {"Section,Upstream,Flow[CMH],Size[mm],Velocity[m/s],Velocity "
         "Pr.[Pa],Loss[Pa/m],Friction[Pa],"
         "Fittings[Pa],Fixed[Pa],Total[Pa],Over limits\n",
         "区間,上流,風量[CMH],サイズ[mm],風速[m/s],動圧[Pa],摩擦損失[Pa/"
         "m],直管損失[Pa],局部損失[Pa],"
         "固定損失[Pa],損失計[Pa],制限超過\n"},
        {",300Φ,", ",300φ,"},
        {"Terminal,Path,Pressure[Pa],Surplus[Pa],Critical\n", "末端,経路,圧力[Pa],余剰[Pa],最遠\n"},
        {"\nT,T,0.0,0.0,critical\n", "\nT,T,0.0,0.0,最遠\n"},
        {"Fan pressure[Pa],0.0\n", "送風機静圧[Pa],0.0\n"},
    };
    for (const bool japanese : {false, true}) {
        const LanguageScope language(japanese);
        const std::string csv = SystemReport(system, result, SystemReportFormat::Csv);
        for (const auto& c : cases)
            EXPECT_NE(csv.find(japanese ? c.japanese : c.english), std::string::npos)
                << (japanese ? c.japanese : c.english) << " in\n"
                << csv;
    }
    result.sections[0].overLimits = true;
    const LanguageScope language(Language::Japanese);
    EXPECT_NE(SystemReport(system, result, SystemReportFormat::Csv).find(",超過\n"),
              std::string::npos);
}

// The reader's details, in English, with their place.
TEST(SystemFileTexts, BadFilesNameTheLineAndColumn) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"", "line 1, column 1: the file is empty"},
        {"not json", "line 1, column 1: a JSON value was expected"},
        {"[1, 2]", "line 1, column 1: a system file holds one JSON object, not an array"},
        {"{\"sections\": [\n  {\"id\": \"a\", \"length\": \"5\"}]}",
         "line 2, column 25: section \"a\": \"length\" must be a number, not a text"},
        {"{\"sections\": [{\"id\": \"a\", \"lenght\": 5}]}", "unknown member \"lenght\""},
        {"{\"sections\": [], \"sections\": []}",
         "line 1, column 18: the member \"sections\" is given twice"},
        {"{\"air\": {\"elevation\": 1, \"pressure\": 90}, \"sections\": []}",
         "both elevation and pressure"},
        {"{\"sections\": [{\"id\": \"é\", \"length\": 1e999}]}",
         "line 1, column 37: the number is out of range"},
        {std::string(100000, '['), "nested more than 16 deep"},
        {"{\"sections\": [{\"id\": \"a\"", "the file ends inside an object"},
        {"{\"sections\": [{\"id\": \"a\", \"length\": 1e-999, \"flow\": 1.5e",
         "line 1, column 57: a number needs digits in its exponent"},
    };
    for (const auto& [text, expected] : cases) {
        const SystemFileResult r = ReadSystemJson(text);
        EXPECT_FALSE(r.ok);
        EXPECT_NE(SystemFileErrorText(r).find(expected), std::string::npos)
            << SystemFileErrorText(r);
    }
    std::string many = "{\"sections\": [";
    for (int i = 0; i <= 100000; ++i)
        many += i ? ",0" : "0";
    EXPECT_NE(SystemFileErrorText(ReadSystemJson(many + "]}")).find("at most 100000"),
              std::string::npos);
}

} // namespace
} // namespace kestrix
